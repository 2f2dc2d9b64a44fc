// The internals window on the process's real device thread and library: its form, what each control
// sends to the library (read back through the library's getters), and the three correction tables with
// their default files in a scratch data folder.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QToolBox>

#include <functional>
#include <memory>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "idlacontrol.h"
#include "ikelthar.h"
#include "internalsdevicestate.h"
#include "internalswindow.h"
#include "iskycontrol.h"
#include "scriptedprompt.h"

namespace
{
// ---- Helpers ------------------------------------------------------------------------------------------

template <typename T>
T* Child(const QObject& window, const std::string& name)
{
    T* child = window.findChild<T*>(QString::fromStdString(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Types the text and presses Enter, as the operator does.
void Enter(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

bool IsMarked(const QLineEdit* edit)
{
    return edit->styleSheet().contains(QLatin1String("red"));
}

QString Cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text() : QString();
}

// What the operator's edit in the cell's editor leaves behind.
void EditCell(QTableWidget* table, int row, int column, const QString& text)
{
    if (table->item(row, column) == nullptr)
        table->setItem(row, column, new QTableWidgetItem);
    table->item(row, column)->setText(text);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QString DefaultFile(const char* name)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QLatin1Char('/') +
           QLatin1String(name);
}

// The window over the program's one channel, as at start-up, with the default files in a scratch folder.
class InternalsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folders = std::make_unique<CScratchFolders>();
        m_state.Capture();
        g_DeviceThread.LoadCorrections();
    }

    void TearDown() override
    {
        m_window.reset();
        m_folders.reset();
        m_state.Restore();
    }

    CInternalsWindow& Build(IDlaControl* dla = nullptr)
    {
        m_window = std::make_unique<CInternalsWindow>(nullptr, dla);
        return *m_window;
    }

    template <typename T>
    T* Find(const std::string& name) const
    {
        return Child<T>(*m_window, name);
    }

    std::unique_ptr<CScratchFolders> m_folders;
    CDeviceState m_state;
    // Outlives the window, which holds it when a test hands it in.
    CRecordingDla m_dla;
    std::unique_ptr<CInternalsWindow> m_window;
};

// ---- Form ---------------------------------------------------------------------------------------------

TEST_F(InternalsWindowTest, FormIsAFloatingDockWithFourPages)
{
    CInternalsWindow& window = Build();
    EXPECT_EQ(window.objectName(), QStringLiteral("InternalsWindow"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Internals"));
    EXPECT_EQ(window.size(), QSize(456, 599));
    EXPECT_EQ(window.features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.widget(), Find<QWidget>("widget"));

    auto* toolBox = Find<QToolBox>("toolBox");
    ASSERT_NE(toolBox, nullptr);
    const char* const pages[][2] = {{"toolBoxPage1", "Information"},
                                    {"toolBoxPage2", "Calibration"},
                                    {"toolBoxPage3", "ADF"},
                                    {"toolBoxPage4", "Other"}};
    ASSERT_EQ(toolBox->count(), 4);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(toolBox->widget(i)->objectName(), QLatin1String(pages[i][0]));
        EXPECT_EQ(toolBox->itemText(i), QString::fromUtf8(pages[i][1]));
    }
    EXPECT_EQ(Find<QPushButton>("m_pHideButton")->font().family(), QStringLiteral("Arial"));
}

TEST_F(InternalsWindowTest, FormCarriesEveryNamedControlWithItsText)
{
    Build();
    // Object names by class, blank-separated.
    const std::pair<const char*, const char*> kinds[] = {
        {"QGroupBox", "groupBox_6 groupBox_3 groupBox_2 groupBox_5 groupBox"},
        {"QLabel",
         "label label_12 label_13 label_14 label_15 label_16 label_17 label_18 label_19 label_20 "
         "label_21 label_22"},
        {"QCheckBox",
         "m_pEnableAdf4350Check m_pQuasiIQCheck m_pQuasiIQDiffCheck m_pHalfBandEnableCheck "
         "m_pOnlyDdcCheck m_pWithoutDdcCheck m_pShowOscBtnCheck m_pUseDdcFftCorrCheck "
         "m_pAlterChannelCheck m_pIgnoreIdentCheck"},
        {"QPushButton",
         "m_pImpDbmButton m_pExpDbmButton m_pRestoreDbmButton m_pSaveDbmButton m_pImpOscButton "
         "m_pExpOscButton m_pRestoreOscButton m_pSaveOscButton m_pImpCorrButton m_pExpCorrButton "
         "m_pRestoreCorrButton m_pSaveCorrButton m_pTestButton m_pHideButton"},
        {"QLineEdit",
         "m_pDelayEdit m_pClkDivEdit m_pScanSpeedEdit m_pSkyStrobEdit m_pSkyAmplEdit m_pSkyGainEdit "
         "m_pSkyFreqEdit m_pSkyStepEdit m_pSkyStepStrobEdit m_pDevNameEdit m_pGainPwmEdit"},
        {"QTableWidget", "m_pTableWidget m_pDbmCorrTable m_pOscCorrTable m_pAdfCorrTable"},
        {"QComboBox", "m_pPackSizeCombo"}};
    for (const auto& [className, names] : kinds)
    {
        for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' ')))
        {
            auto* widget = Find<QWidget>(name.toStdString());
            ASSERT_NE(widget, nullptr);
            EXPECT_TRUE(widget->inherits(className)) << name.toStdString();
        }
    }

    // Captions, group titles and the edits' initial texts (UTF-8).
    const std::pair<const char*, const char*> texts[] = {{"groupBox_6", "DBM Calibration"},
                                                         {"groupBox_3", "Osc Calibration"},
                                                         {"groupBox_2", "Corrections"},
                                                         {"groupBox_5", "Sky"},
                                                         {"groupBox", "Misc"},
                                                         {"label", "Scan Speed"},
                                                         {"label_12", "CycleDelay:"},
                                                         {"label_13", "Device Name:"},
                                                         {"label_14", "Gain_Pwm"},
                                                         {"label_15", "Strob"},
                                                         {"label_16", "Ampl"},
                                                         {"label_17", "Gain"},
                                                         {"label_18", "Freq"},
                                                         {"label_19", "Step"},
                                                         {"label_20", "Step_strob"},
                                                         {"label_21", "ClkDivCnt"},
                                                         {"label_22", "Пакет"},
                                                         {"m_pEnableAdf4350Check", "Enable ADF4350 Scanning"},
                                                         {"m_pQuasiIQCheck", "QuasiIQ Enable"},
                                                         {"m_pQuasiIQDiffCheck", "QuasiIQ Diff Enable"},
                                                         {"m_pHalfBandEnableCheck", "Half Band Enable"},
                                                         {"m_pOnlyDdcCheck", "Only DDC"},
                                                         {"m_pWithoutDdcCheck", "Without DDC"},
                                                         {"m_pShowOscBtnCheck", "Show Osc Button"},
                                                         {"m_pUseDdcFftCorrCheck", "Use DDC FFT Correction"},
                                                         {"m_pAlterChannelCheck", "Alternate channel"},
                                                         {"m_pIgnoreIdentCheck", "Ignore ident of probes"},
                                                         {"m_pImpDbmButton", "Import..."},
                                                         {"m_pExpOscButton", "Export..."},
                                                         {"m_pRestoreCorrButton", "Restore"},
                                                         {"m_pSaveDbmButton", "Save"},
                                                         {"m_pTestButton", "Test"},
                                                         {"m_pHideButton", "Hide"},
                                                         {"m_pDelayEdit", "0"},
                                                         {"m_pClkDivEdit", "0"}};
    for (const auto& [name, text] : texts)
    {
        auto* widget = Find<QWidget>(name);
        ASSERT_NE(widget, nullptr);
        const char* property = widget->inherits("QGroupBox") ? "title" : "text";
        EXPECT_EQ(widget->property(property).toString(), QString::fromUtf8(text)) << name;
    }
    for (const char* prefix : {"m_pImp", "m_pExp", "m_pRestore", "m_pSave"})
    {
        const QString text = Find<QPushButton>((QByteArray(prefix) + "DbmButton").constData())->text();
        for (const char* table : {"OscButton", "CorrButton"})
            EXPECT_EQ(Find<QPushButton>((QByteArray(prefix) + table).constData())->text(), text)
                << prefix << table;
    }
    EXPECT_EQ(Find<QLineEdit>("m_pScanSpeedEdit")->minimumWidth(), 50);
    EXPECT_EQ(Find<QLineEdit>("m_pScanSpeedEdit")->maximumWidth(), 50);
}

TEST_F(InternalsWindowTest, ChecksStartInTheFormsStatesAndThePacketComboOnItsFirstItem)
{
    Build();
    const std::pair<const char*, bool> checks[] = {
        {"m_pEnableAdf4350Check", true},  {"m_pQuasiIQCheck", true},       {"m_pQuasiIQDiffCheck", true},
        {"m_pHalfBandEnableCheck", true}, {"m_pOnlyDdcCheck", false},      {"m_pWithoutDdcCheck", false},
        {"m_pShowOscBtnCheck", false},    {"m_pUseDdcFftCorrCheck", true}, {"m_pAlterChannelCheck", false},
        {"m_pIgnoreIdentCheck", false}};
    for (const auto& [name, checked] : checks)
        EXPECT_EQ(Find<QCheckBox>(name)->isChecked(), checked) << name;

    auto* combo = Find<QComboBox>("m_pPackSizeCombo");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{"4096 KB (132 ms)", "2048 KB (66 ms)", "1024 KB (33 ms)", "512 KB (16 ms)",
                                  "256 KB (8 ms)", "128 KB (3.6 ms)", "Other"}));
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(InternalsWindowTest, TablesHaveTheirHeadersFontsAndSizes)
{
    Build();
    auto headers = [](const QTableWidget* table, Qt::Orientation orientation)
    {
        QStringList texts;
        const int count = orientation == Qt::Vertical ? table->rowCount() : table->columnCount();
        for (int i = 0; i < count; ++i)
        {
            const QTableWidgetItem* item =
                orientation == Qt::Vertical ? table->verticalHeaderItem(i) : table->horizontalHeaderItem(i);
            texts << (item != nullptr ? item->text() : QString());
        }
        return texts;
    };
    struct Case
    {
        const char* name;
        QStringList rows;
        int columnWidth;
        int fixedHeight;  // 0: not fixed
    } cases[] = {{"m_pDbmCorrTable",
                  {"Full", "DDC", "Demod", "Full ADF 1", "Full ADF 2", "Full ADF 3", "Full ADF 4",
                   "Full ADF 5", "Full ADF 6", "Full ADF 7", "Full ADF 8"},
                  50,
                  199},
                 {"m_pOscCorrTable", {"Full", "DDC", "Demod"}, 50, 67},
                 {"m_pAdfCorrTable", {"0", "1", "2", "3", "4", "5", "6", "7", "8"}, 100, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto* table = Find<QTableWidget>(c.name);
        EXPECT_EQ(headers(table, Qt::Vertical), c.rows);
        EXPECT_EQ(table->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(table->font().pointSize(), 7);
        EXPECT_EQ(table->verticalHeader()->defaultSectionSize(), 25);
        // Every column, those the form made as well as those one per channel.
        ASSERT_GT(table->columnCount(), 0);
        for (int column = 0; column < table->columnCount(); ++column)
            EXPECT_EQ(table->columnWidth(column), c.columnWidth) << column;
        if (c.fixedHeight != 0)
        {
            EXPECT_EQ(table->minimumHeight(), c.fixedHeight);
            EXPECT_EQ(table->maximumHeight(), c.fixedHeight);
        }
        EXPECT_NE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    EXPECT_EQ(headers(Find<QTableWidget>("m_pAdfCorrTable"), Qt::Horizontal),
              (QStringList{"Ampl", "Frac", "Garm"}));

    QTableWidget* info = m_window->m_pTableWidget;
    EXPECT_EQ(info, Find<QTableWidget>("m_pTableWidget"));
    EXPECT_EQ(headers(info, Qt::Horizontal), (QStringList{"Parameter", "Value"}));
    EXPECT_EQ(info->horizontalHeaderItem(0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));
    EXPECT_EQ(info->horizontalHeaderItem(1)->textAlignment(), int(Qt::AlignRight | Qt::AlignBottom));
    EXPECT_EQ(info->font().family(), QStringLiteral("Courier"));
    EXPECT_EQ(info->font().pointSize(), 8);
    EXPECT_EQ(info->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(info->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(info->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(info->verticalHeader()->isHidden());
    EXPECT_TRUE(info->horizontalHeader()->stretchLastSection());
    EXPECT_EQ(info->verticalHeader()->defaultSectionSize(), 26);
    EXPECT_EQ(info->verticalHeader()->minimumSectionSize(), 8);
    EXPECT_EQ(info->sizePolicy().verticalStretch(), 2);
}

TEST(InternalsWindowMeta, SignalsAndOwnSlotsInTheirOrder)
{
    const QMetaObject& meta = CInternalsWindow::staticMetaObject;
    QStringList slotNames, signalNames;
    for (int m = meta.methodOffset(); m < meta.methodCount(); ++m)
    {
        const QMetaMethod method = meta.method(m);
        if (method.methodType() == QMetaMethod::Slot)
            slotNames << QString::fromLatin1(method.methodSignature());
        else if (method.methodType() == QMetaMethod::Signal)
            signalNames << QString::fromLatin1(method.methodSignature());
    }
    EXPECT_EQ(signalNames,
              (QStringList{"showOscButton(bool)", "useDdcFftCorr(bool)", "clkDivCntChanged(int)"}));
    const QString expected = QStringLiteral(
        "OnDelayEdit() OnDevNameEdit() OnShowOscBtnCheck(bool) OnUseDdcFftCorrCheck(bool) "
        "OnPackSizeCombo(int) OnAlterChannelCheck(bool) OnClkDivEdit() OnIgnoreIdentCheck(bool) "
        "OnEnableAdf4350Check(bool) OnQuasiIQCheck(bool) OnQuasiIQDiffCheck(bool) "
        "OnOnHalfBandEnableCheck(bool) OnOnlyDdcCheck(bool) OnWithoutDdcCheck(bool) OnScanSpeedEdit() "
        "OnRestoreAdfButton() OnSaveAdfButton() OnImpAdfButton() OnExpAdfButton() "
        "OnRestoreOscButton() OnSaveOscButton() OnImpOscButton() OnExpOscButton() "
        "OnRestoreDbmButton() OnSaveDbmButton() OnImpDbmButton() OnExpDbmButton() "
        "OnSkyStrobEdit() OnSkyAmplEdit() OnSkyGainEdit() OnSkyFreqEdit() OnSkyStepEdit() "
        "OnSkyStepStrobEdit() OnGainPwmEdit() OnVisibilityChanged(bool) OnTestButton()");
    EXPECT_EQ(slotNames, expected.split(QLatin1Char(' ')));
}

// ---- Information page --------------------------------------------------------------------------------

TEST_F(InternalsWindowTest, SetInfoRowGrowsTheTableAndReplacesCells)
{
    CInternalsWindow& window = Build();
    QTableWidget* table = window.m_pTableWidget;
    ASSERT_EQ(table->rowCount(), 0);
    window.SetInfoRow(15, QStringLiteral("Add data"), QStringLiteral("7"));
    ASSERT_EQ(table->rowCount(), 16);
    EXPECT_EQ(Cell(table, 15, 0), QStringLiteral("Add data"));
    EXPECT_EQ(Cell(table, 15, 1), QStringLiteral("7"));
    for (int row = 0; row < 15; ++row)
        EXPECT_EQ(table->item(row, 0), nullptr) << row;

    // A lower row neither shrinks the table nor touches the other rows.
    window.SetInfoRow(2, QStringLiteral("Cycles"), QStringLiteral("1"));
    window.SetInfoRow(2, QStringLiteral("Cycles"), QStringLiteral("2"));
    EXPECT_EQ(table->rowCount(), 16);
    EXPECT_EQ(Cell(table, 2, 1), QStringLiteral("2"));
    EXPECT_EQ(Cell(table, 15, 1), QStringLiteral("7"));
}

// ---- Other and ADF pages ------------------------------------------------------------------------------

TEST_F(InternalsWindowTest, ConstructionShowsTheDevicesValuesButNotItsDelay)
{
    ISkyControl* sky = Sky();
    sky->SetAmpl(11);
    sky->SetGain(1);
    sky->SetFreq(13);
    sky->SetStep(14);
    sky->SetStepStrob(15);
    sky->SetStrob(10);
    g_DeviceThread.m_pControlBits->SetGainPwm(200);
    Adf()->SetScanSpeed(9);
    g_DeviceThread.SetDeviceName(QStringLiteral("Morvik A"));
    g_DeviceThread.m_nExtraDelayMs = 500;

    Build();
    const std::pair<const char*, const char*> shown[] = {
        {"m_pSkyStrobEdit", "10"}, {"m_pSkyAmplEdit", "11"},  {"m_pSkyGainEdit", "1"},
        {"m_pSkyFreqEdit", "13"},  {"m_pSkyStepEdit", "14"},  {"m_pSkyStepStrobEdit", "15"},
        {"m_pGainPwmEdit", "200"}, {"m_pScanSpeedEdit", "9"}, {"m_pDevNameEdit", "Morvik A"},
        {"m_pDelayEdit", "0"}};
    for (const auto& [name, text] : shown)
        EXPECT_EQ(Find<QLineEdit>(name)->text(), QLatin1String(text)) << name;
}

// The eight byte registers: a whole number 0..255 on Enter is sent; anything else is not, and marks the
// field until an accepted value.
TEST_F(InternalsWindowTest, ByteRegistersTakeOnlyWholeNumbersUpTo255)
{
    Build();
    ISkyControl* sky = Sky();
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    struct Case
    {
        const char* edit;
        std::function<void(uint8_t)> set;
        std::function<uint8_t()> get;
    } cases[] = {
        {"m_pSkyStrobEdit", [&](uint8_t v) { sky->SetStrob(v); }, [&] { return sky->GetStrob(); }},
        {"m_pSkyAmplEdit", [&](uint8_t v) { sky->SetAmpl(v); }, [&] { return sky->GetAmpl(); }},
        {"m_pSkyGainEdit", [&](uint8_t v) { sky->SetGain(v); }, [&] { return sky->GetGain(); }},
        {"m_pSkyFreqEdit", [&](uint8_t v) { sky->SetFreq(v); }, [&] { return sky->GetFreq(); }},
        {"m_pSkyStepEdit", [&](uint8_t v) { sky->SetStep(v); }, [&] { return sky->GetStep(); }},
        {"m_pSkyStepStrobEdit", [&](uint8_t v) { sky->SetStepStrob(v); },
         [&] { return sky->GetStepStrob(); }},
        {"m_pGainPwmEdit", [&](uint8_t v) { bits->SetGainPwm(v); }, [&] { return bits->GetGainPwm(); }},
        {"m_pScanSpeedEdit", [](uint8_t v) { Adf()->SetScanSpeed(v); },
         [] { return Adf()->GetScanSpeed(); }}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.edit);
        auto* edit = Find<QLineEdit>(c.edit);
        c.set(7);
        edit->setText(QStringLiteral("44"));
        EXPECT_EQ(c.get(), 7) << "sent without Enter";
        for (const char* refused : {"300", "-1", "x", "", "4.5", "256"})
        {
            SCOPED_TRACE(refused);
            Enter(edit, QString::fromLatin1(refused));
            EXPECT_EQ(c.get(), 7);
            EXPECT_TRUE(IsMarked(edit));
        }
        Enter(edit, QStringLiteral("44"));
        EXPECT_EQ(c.get(), 44);
        EXPECT_FALSE(IsMarked(edit));
        Enter(edit, QStringLiteral("255"));
        EXPECT_EQ(c.get(), 255);
    }
}

TEST_F(InternalsWindowTest, AmplitudeRaisesTheStrobeWhileTheStrobEditKeepsItsText)
{
    Sky()->SetStrob(3);
    Build();
    auto* strob = Find<QLineEdit>("m_pSkyStrobEdit");
    ASSERT_EQ(strob->text(), QStringLiteral("3"));
    Enter(Find<QLineEdit>("m_pSkyAmplEdit"), QStringLiteral("5"));
    EXPECT_EQ(Sky()->GetAmpl(), 5);
    EXPECT_EQ(Sky()->GetStrob(), 255);
    EXPECT_EQ(strob->text(), QStringLiteral("3"));
}

TEST_F(InternalsWindowTest, CycleDelayIsZeroForTextAndRefusedBeyondTheLimit)
{
    Build();
    auto* edit = Find<QLineEdit>("m_pDelayEdit");
    struct Case
    {
        const char* text;
        int expectedMs;
        bool marked;
    } cases[] = {{"250", 250, false},     {"abc", 0, false},
                 {"300", 300, false},     {"-5", 0, false},
                 {"600", 600, false},     {"10001", 600, true},
                 {"10000", 10000, false}, {"99999999999999999999", 10000, true},
                 {"", 0, false},          {"12abc", 0, false},
                 {" 40 ", 40, false}};
    g_DeviceThread.m_nExtraDelayMs = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        Enter(edit, QString::fromLatin1(c.text));
        EXPECT_EQ(g_DeviceThread.m_nExtraDelayMs.load(), c.expectedMs);
        EXPECT_EQ(IsMarked(edit), c.marked);
    }
    // Typing alone changes nothing.
    edit->setText(QStringLiteral("700"));
    EXPECT_EQ(g_DeviceThread.m_nExtraDelayMs.load(), 40);
}

TEST_F(InternalsWindowTest, DeviceNameIsTakenOnEnterOnly)
{
    g_DeviceThread.SetDeviceName(QStringLiteral("Morvik A"));
    Build();
    auto* edit = Find<QLineEdit>("m_pDevNameEdit");
    EXPECT_EQ(edit->text(), QStringLiteral("Morvik A"));
    edit->setText(QStringLiteral("Morvik B"));
    EXPECT_EQ(g_DeviceThread.GetDeviceName(), QStringLiteral("Morvik A"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(g_DeviceThread.GetDeviceName(), QStringLiteral("Morvik B"));
}

TEST_F(InternalsWindowTest, SignalsCarryTheOperatorsChoices)
{
    CInternalsWindow& window = Build();
    QSignalSpy clkDiv(&window, &CInternalsWindow::clkDivCntChanged);
    QSignalSpy showOsc(&window, &CInternalsWindow::showOscButton);
    QSignalSpy useCorr(&window, &CInternalsWindow::useDdcFftCorr);

    auto* clkDivEdit = Find<QLineEdit>("m_pClkDivEdit");
    clkDivEdit->setText(QStringLiteral("9"));
    Enter(clkDivEdit, QStringLiteral("12"));
    Enter(clkDivEdit, QStringLiteral("x"));
    ASSERT_EQ(clkDiv.count(), 2);
    EXPECT_EQ(clkDiv.at(0).at(0).toInt(), 12);
    EXPECT_EQ(clkDiv.at(1).at(0).toInt(), 0);

    Find<QCheckBox>("m_pShowOscBtnCheck")->setChecked(true);
    Find<QCheckBox>("m_pUseDdcFftCorrCheck")->setChecked(false);
    EXPECT_EQ(showOsc.count() + useCorr.count(), 0) << "only a click counts";
    Find<QCheckBox>("m_pShowOscBtnCheck")->click();
    Find<QCheckBox>("m_pUseDdcFftCorrCheck")->click();
    ASSERT_EQ(showOsc.count(), 1);
    ASSERT_EQ(useCorr.count(), 1);
    EXPECT_FALSE(showOsc.at(0).at(0).toBool());
    EXPECT_TRUE(useCorr.at(0).at(0).toBool());
}

TEST_F(InternalsWindowTest, PacketSizeSelectionSendsSixMinusTheIndex)
{
    Build();
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    auto* combo = Find<QComboBox>("m_pPackSizeCombo");
    bits->SetPacketSizeCode(4);
    QTest::keyClick(combo, Qt::Key_End);  // "Other"
    EXPECT_EQ(bits->GetPacketSizeCode(), 0);
    QTest::keyClick(combo, Qt::Key_Home);  // "4096 KB (132 ms)"
    EXPECT_EQ(bits->GetPacketSizeCode(), 6);
    combo->setCurrentIndex(2);
    EXPECT_EQ(bits->GetPacketSizeCode(), 6) << "only the operator's selection counts";
    QTest::keyClick(combo, Qt::Key_Down);  // "512 KB (16 ms)"
    EXPECT_EQ(bits->GetPacketSizeCode(), 3);
}

TEST_F(InternalsWindowTest, SynthesizerSwitchesActOnAClickOnly)
{
    Build();
    IAdf4350* adf = Adf();
    struct Case
    {
        const char* check;
        std::function<void(bool)> set;
        std::function<bool()> get;
    } cases[] = {
        {"m_pEnableAdf4350Check", [=](bool on) { adf->SetEnabled(on); }, [=] { return adf->IsEnabled(); }},
        {"m_pQuasiIQCheck", [=](bool on) { adf->SetQuasiIQ(on); }, [=] { return adf->IsQuasiIQ(); }},
        {"m_pQuasiIQDiffCheck", [=](bool on) { adf->SetQuasiIQDiff(on); },
         [=] { return adf->IsQuasiIQDiff(); }},
        {"m_pHalfBandEnableCheck", [=](bool on) { adf->SetHalfBandEnable(on); },
         [=] { return adf->IsHalfBandEnable(); }},
        {"m_pOnlyDdcCheck", [=](bool on) { adf->SetOnlyDdc(on); }, [=] { return adf->IsOnlyDdc(); }},
        {"m_pWithoutDdcCheck", [=](bool on) { adf->SetWithoutDdc(on); },
         [=] { return adf->IsWithoutDdc(); }}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.check);
        auto* box = Find<QCheckBox>(c.check);
        const bool formState = box->isChecked();
        c.set(formState);
        box->click();
        EXPECT_EQ(c.get(), !formState);
        box->setChecked(formState);
        EXPECT_EQ(c.get(), !formState) << "a programmatic change sends nothing";
        box->click();
        EXPECT_EQ(c.get(), !formState);
        EXPECT_EQ(box->isChecked(), !formState);
    }
}

TEST_F(InternalsWindowTest, IgnoreIdentOfProbesActsOnAClickOnly)
{
    ASSERT_FALSE(g_DeviceThread.IsDemoMode()) << "demo mode switches the probe check off by itself";
    Build();
    IKelthar* core = g_DeviceThread.m_pKelthar;
    auto* box = Find<QCheckBox>("m_pIgnoreIdentCheck");
    ASSERT_FALSE(core->IsProbeCheckOff());
    box->click();
    EXPECT_TRUE(core->IsProbeCheckOff());
    box->setChecked(false);
    EXPECT_TRUE(core->IsProbeCheckOff());
    box->click();  // checked again
    box->click();
    EXPECT_FALSE(core->IsProbeCheckOff());
}

TEST_F(InternalsWindowTest, VisibleWindowKeepsTheLineDebugModeOn)
{
    CInternalsWindow& window = Build(&m_dla);
    EXPECT_TRUE(m_dla.debugModes.empty());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(m_dla.debugModes, std::vector<bool>{true});

    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_dla.debugModes, (std::vector<bool>{true, false}));

    window.show();
    Find<QPushButton>("m_pHideButton")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_dla.debugModes, (std::vector<bool>{true, false, true, false}));
}

// ---- Correction tables ---------------------------------------------------------------------------------

// The program's channel and a second one added by the test, so the channel tables have two columns.
class InternalsTablesTest : public InternalsWindowTest
{
protected:
    void SetUp() override
    {
        InternalsWindowTest::SetUp();
        ASSERT_EQ(g_DeviceThread.GetChannelCount(), 1);
        ASSERT_NE(g_DeviceThread.m_pControlBits->AddChannel(5, L"OPT", L"Optical", 1000000.0), nullptr);
        Build();
    }

    QTableWidget* Dbm() const { return Find<QTableWidget>("m_pDbmCorrTable"); }
    QTableWidget* Osc() const { return Find<QTableWidget>("m_pOscCorrTable"); }
    QTableWidget* AdfTable() const { return Find<QTableWidget>("m_pAdfCorrTable"); }
    void Click(const std::string& button) const { Find<QPushButton>(button)->click(); }
};

// One of the three tables: its name in the table's object name, its name in the buttons' (the synthesizer
// table's say "Corr"), its default file and its word in the dialog captions.
struct TableCase
{
    const char* name;
    const char* buttonKey;
    const char* file;
    const char* captionWord;

    std::string Table() const { return std::string("m_p") + name + "CorrTable"; }
    std::string Button(const char* action) const
    {
        return std::string("m_p") + action + buttonKey + "Button";
    }
    QString Caption(const char* verb) const
    {
        return QStringLiteral("%1 %2 corrections").arg(QLatin1String(verb), QLatin1String(captionWord));
    }
};

const TableCase kDbm{"Dbm", "Dbm", "dbm_corr.dat", "DBM"};
const TableCase kOsc{"Osc", "Osc", "osc_corr.dat", "oscilloscope"};
const TableCase kAdf{"Adf", "Corr", "adf_corr.dat", "ADF"};

TEST_F(InternalsTablesTest, ChannelTablesAreHeadedByTheChannelsShortNames)
{
    for (QTableWidget* table : {Dbm(), Osc()})
    {
        ASSERT_EQ(table->columnCount(), 2);
        EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("HRF"));
        EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("OPT"));
    }
    // The per-band rows belong to the first channel alone.
    for (int row = 3; row < 11; ++row)
    {
        EXPECT_NE(Dbm()->item(row, 0), nullptr) << row;
        EXPECT_EQ(Dbm()->item(row, 1), nullptr) << row;
    }
}

TEST_F(InternalsTablesTest, CellsShowTheirTablesDecimals)
{
    g_DeviceThread.SetDbmCorrection(1, 2, 1.5);
    g_DeviceThread.SetAdfDbmCorrection(0, 8, -3.256);
    g_DeviceThread.SetOscCorrection(1, 0, 1.5);
    Adf()->SetCorrAmpl(4, 1.5);
    Adf()->SetShiftFrac(4, 12);
    Adf()->SetShiftGarm(4, 65535);
    Click("m_pRestoreDbmButton");
    Click("m_pRestoreOscButton");
    Click("m_pRestoreCorrButton");
    EXPECT_EQ(Cell(Dbm(), 2, 1), QStringLiteral("1.50"));
    EXPECT_EQ(Cell(Dbm(), 10, 0), QStringLiteral("-3.26"));
    EXPECT_EQ(Cell(Osc(), 0, 1), QStringLiteral("1.500000"));
    EXPECT_EQ(Cell(AdfTable(), 4, 0), QStringLiteral("1.500000"));
    EXPECT_EQ(Cell(AdfTable(), 4, 1), QStringLiteral("12.000000"));
    EXPECT_EQ(Cell(AdfTable(), 4, 2), QStringLiteral("65535.000000"));
}

TEST_F(InternalsTablesTest, RestoreDiscardsAnEdit)
{
    g_DeviceThread.SetDbmCorrection(1, 1, 2.25);
    g_DeviceThread.SetOscCorrection(0, 2, 0.75);
    Adf()->SetShiftGarm(6, 3);
    Click("m_pRestoreDbmButton");
    Click("m_pRestoreOscButton");
    Click("m_pRestoreCorrButton");

    EditCell(Dbm(), 1, 1, QStringLiteral("9"));
    EditCell(Osc(), 2, 0, QStringLiteral("9"));
    EditCell(AdfTable(), 6, 2, QStringLiteral("9"));
    Click("m_pRestoreDbmButton");
    Click("m_pRestoreOscButton");
    Click("m_pRestoreCorrButton");
    EXPECT_EQ(Cell(Dbm(), 1, 1), QStringLiteral("2.25"));
    EXPECT_EQ(Cell(Osc(), 2, 0), QStringLiteral("0.750000"));
    EXPECT_EQ(Cell(AdfTable(), 6, 2), QStringLiteral("3.000000"));
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetDbmCorrection(1, 1), 2.25);
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetOscCorrection(0, 2), 0.75);
    EXPECT_EQ(Adf()->GetShiftGarm(6), 3);

    // The refilled cells count as untouched again: a save sends none of the discarded values.
    g_DeviceThread.SetDbmCorrection(1, 1, 4.0);
    Click("m_pSaveDbmButton");
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetDbmCorrection(1, 1), 4.0);
}

TEST_F(InternalsTablesTest, SaveTruncatesAShiftTowardZeroAndWritesTheDefaultFile)
{
    EditCell(AdfTable(), 3, 1, QStringLiteral("12.9"));
    EditCell(AdfTable(), 5, 2, QStringLiteral("-0.5"));
    Click("m_pSaveCorrButton");
    EXPECT_EQ(Adf()->GetShiftFrac(3), 12);
    EXPECT_EQ(Adf()->GetShiftGarm(5), 0);
    const QList<QByteArray> lines = ReadAll(DefaultFile("adf_corr.dat")).split('\n');
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[3].split(' ').value(1), QByteArray("12"));
    Click("m_pRestoreCorrButton");
    EXPECT_EQ(Cell(AdfTable(), 3, 1), QStringLiteral("12.000000"));
}

// A bad cell stops its whole table: nothing reaches the device, the default file or an exported file,
// the table keeps the operator's text, and the warning names the cell by its headers.
TEST_F(InternalsTablesTest, ABadCellStopsTheWholeTable)
{
    struct Case
    {
        const TableCase& table;
        int badRow, badColumn;
        const char* badText;
        const char* cellName;  // row and column headers
        int goodRow, goodColumn;
        std::function<double()> goodDeviceValue;
    } cases[] = {{kAdf, 2, 2, "-1", "row \"2\", column \"Garm\"", 0, 0, [] { return Adf()->GetCorrAmpl(0); }},
                 {kAdf, 8, 1, "65536", "row \"8\", column \"Frac\"", 1, 2,
                  [] { return double(Adf()->GetShiftGarm(1)); }},
                 {kAdf, 4, 0, "abc", "row \"4\", column \"Ampl\"", 3, 1,
                  [] { return double(Adf()->GetShiftFrac(3)); }},
                 {kDbm, 2, 1, "abc", "row \"Demod\", column \"OPT\"", 0, 0,
                  [] { return g_DeviceThread.GetDbmCorrection(0, 0); }},
                 {kDbm, 7, 0, "", "row \"Full ADF 5\", column \"HRF\"", 1, 1,
                  [] { return g_DeviceThread.GetDbmCorrection(1, 1); }},
                 {kOsc, 1, 0, "nan", "row \"DDC\", column \"HRF\"", 2, 1,
                  [] { return g_DeviceThread.GetOscCorrection(1, 2); }},
                 {kOsc, 0, 1, "1e999", "row \"Full\", column \"OPT\"", 0, 0,
                  [] { return g_DeviceThread.GetOscCorrection(0, 0); }}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.table.name) + " " + c.badText);
        Click(c.table.Button("Restore"));
        Click(c.table.Button("Save"));  // a default file to keep
        const QByteArray fileBefore = ReadAll(DefaultFile(c.table.file));
        ASSERT_FALSE(fileBefore.isEmpty());
        const double goodBefore = c.goodDeviceValue();

        auto* table = Find<QTableWidget>(c.table.Table());
        EditCell(table, c.goodRow, c.goodColumn, QStringLiteral("7"));
        EditCell(table, c.badRow, c.badColumn, QString::fromLatin1(c.badText));
        const QString warning = QStringLiteral("Wrong value in %1!").arg(QLatin1String(c.cellName));
        {
            CScriptedPrompt prompt;
            prompt.Answer(QMessageBox::Ok, warning);
            Click(c.table.Button("Save"));
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].text, warning);
            EXPECT_EQ(prompt.Asked()[0].title, QCoreApplication::applicationName());
            EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Warning);
        }
        const QString exported = m_folders->Path("exported.dat");
        {
            CScriptedPrompt prompt;
            prompt.AnswerSaveFile(exported, c.table.Caption("Save")).Answer(QMessageBox::Ok, warning);
            Click(c.table.Button("Exp"));
        }
        EXPECT_DOUBLE_EQ(c.goodDeviceValue(), goodBefore);
        EXPECT_EQ(ReadAll(DefaultFile(c.table.file)), fileBefore);
        EXPECT_FALSE(QFile::exists(exported));
        EXPECT_EQ(Cell(table, c.goodRow, c.goodColumn), QStringLiteral("7"));
        EXPECT_EQ(Cell(table, c.badRow, c.badColumn), QString::fromLatin1(c.badText));
    }
}

TEST_F(InternalsTablesTest, PerBandRowsBelongToTheFirstChannel)
{
    const double secondBefore = g_DeviceThread.GetAdfDbmCorrection(1, 3);
    EditCell(Dbm(), 5, 1, QStringLiteral("7.25"));  // "Full ADF 3", second channel
    EditCell(Dbm(), 5, 0, QStringLiteral("3.5"));   // "Full ADF 3", first channel
    Click("m_pSaveDbmButton");
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetAdfDbmCorrection(0, 3), 3.5);
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetAdfDbmCorrection(0, 2), 0.0);
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetAdfDbmCorrection(0, 4), 0.0);
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetAdfDbmCorrection(1, 3), secondBefore);
    Click("m_pRestoreDbmButton");
    EXPECT_EQ(Dbm()->item(5, 1), nullptr);
    EXPECT_EQ(Cell(Dbm(), 5, 0), QStringLiteral("3.50"));
}

// A value finer than its table shows comes in by Import; another cell is edited and the table saved:
// the untouched value stays exact in the device, and in the default file as far as its format carries.
TEST_F(InternalsTablesTest, UntouchedCellsKeepTheDevicesValue)
{
    struct Case
    {
        const TableCase& table;
        QByteArray file;
        const char* shown;  // the fine value as the table shows it
        int fineRow, fineColumn;
        int editRow, editColumn;
        std::function<double()> fineValue;
        double fine;
        const char* savedField;  // the fine value's field in the default file; null: the format rounds it
    } cases[] = {{kDbm, "1.234 0 0\r\n0 0 0 0 0 0 0 0\r\n0 0 0\r\n", "1.23", 0, 0, 1, 0,
                  [] { return g_DeviceThread.GetDbmCorrection(0, 0); }, 1.234, nullptr},
                 {kOsc, "1.2345678 1 1\r\n1 1 1\r\n", "1.234568", 0, 0, 2, 1,
                  [] { return g_DeviceThread.GetOscCorrection(0, 0); }, 1.2345678, nullptr},
                 {kAdf, "4e-07 0 0\n1.234 0 0\n", "0.000000", 0, 0, 1, 1,
                  [] { return Adf()->GetCorrAmpl(0); }, 4e-07, "4e-07"},
                 {kAdf, "4e-07 0 0\n1.234 0 0\n", "1.234000", 1, 0, 2, 0,
                  [] { return Adf()->GetCorrAmpl(1); }, 1.234, "1.234"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.table.name) + " " + c.shown);
        const QString path = m_folders->Path("fine.dat");
        WriteAll(path, c.file);
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(path, c.table.Caption("Open"));
            Click(c.table.Button("Imp"));
        }
        auto* table = Find<QTableWidget>(c.table.Table());
        ASSERT_EQ(Cell(table, c.fineRow, c.fineColumn), QLatin1String(c.shown));
        ASSERT_DOUBLE_EQ(c.fineValue(), c.fine);

        EditCell(table, c.editRow, c.editColumn, QStringLiteral("2"));
        Click(c.table.Button("Save"));
        EXPECT_EQ(c.fineValue(), c.fine);
        if (c.savedField != nullptr)
        {
            const QList<QByteArray> lines = ReadAll(DefaultFile(c.table.file)).split('\n');
            ASSERT_GT(lines.size(), c.fineRow);
            EXPECT_EQ(lines[c.fineRow].split(' ').value(c.fineColumn), QByteArray(c.savedField));
        }
    }
}

TEST_F(InternalsTablesTest, AGoodImportChangesDeviceAndTable)
{
    struct Case
    {
        const TableCase& table;
        QByteArray file;
        int row, column;
        const char* shown;
        std::function<double()> deviceValue;
        double value;
    } cases[] = {{kDbm, "0.5 1.5 2.5\r\n1 2 3 4 5 6 7 8\r\n-1 -2 -3\r\n", 4, 0, "2.00",
                  [] { return g_DeviceThread.GetAdfDbmCorrection(0, 2); }, 2.0},
                 {kDbm, "0.5 1.5 2.5\r\n1 2 3 4 5 6 7 8\r\n-1 -2 -3\r\n", 2, 1, "-3.00",
                  [] { return g_DeviceThread.GetDbmCorrection(1, 2); }, -3.0},
                 {kOsc, "0.5 0.25 0.125\r\n2 4 8\r\n", 1, 1, "4.000000",
                  [] { return g_DeviceThread.GetOscCorrection(1, 1); }, 4.0},
                 {kAdf, "1.5 12 3\n0.25 100 7\n", 1, 2, "7.000000",
                  [] { return double(Adf()->GetShiftGarm(1)); }, 7.0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.table.name) + " " + c.shown);
        const QString path = m_folders->Path("good.dat");
        WriteAll(path, c.file);
        auto* table = Find<QTableWidget>(c.table.Table());
        // An unapplied edit is replaced by the file's value.
        EditCell(table, c.row, c.column, QStringLiteral("99"));
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(path, c.table.Caption("Open"));
            Click(c.table.Button("Imp"));
            EXPECT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].initial, QDir::homePath());
            EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Corrections files (*.dat)"));
        }
        EXPECT_DOUBLE_EQ(c.deviceValue(), c.value);
        EXPECT_EQ(Cell(table, c.row, c.column), QLatin1String(c.shown));
    }
}

TEST_F(InternalsTablesTest, ImportWarnsOnlyWhenALoadFails)
{
    const QString missing = m_folders->Path("missing.dat");
    const QString wrongShape = m_folders->Path("wrong.dat");
    WriteAll(wrongShape, "1 2 3 4\r\n1 2 3\r\n");
    for (const TableCase* t : {&kDbm, &kOsc, &kAdf})
    {
        SCOPED_TRACE(t->name);
        auto* table = Find<QTableWidget>(t->Table());
        EditCell(table, 0, 0, QStringLiteral("5"));
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(QString(), t->Caption("Open"));
            Click(t->Button("Imp"));  // cancelled: nothing to report
            EXPECT_EQ(prompt.Asked().size(), 1u);
        }
        // A file of the wrong shape for a channel table; the synthesizer table's reader is left to its
        // own tests.
        QStringList failing{missing};
        if (t != &kAdf)
            failing << wrongShape;
        for (const QString& path : failing)
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(path).Answer(QMessageBox::Ok,
                                               QStringLiteral("Failed to load corrections data file!"));
            Click(t->Button("Imp"));
        }
        // The table keeps its cells, the unapplied edit included.
        EXPECT_EQ(Cell(table, 0, 0), QStringLiteral("5"));
    }
}

TEST_F(InternalsTablesTest, ExportAppliesTheTableAndReportsAFileItCannotWrite)
{
    const QString written = m_folders->Path("osc.dat");
    EditCell(Osc(), 1, 1, QStringLiteral("0.5"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(written, QStringLiteral("Save oscilloscope corrections"));
        Click("m_pExpOscButton");
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, QDir::homePath() + QStringLiteral("/osc_corr.dat"));
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Corrections files (*.dat)"));
    }
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetOscCorrection(1, 1), 0.5);
    EXPECT_EQ(ReadAll(written).split('\n').value(1), QByteArray("1.000000 0.500000 1.000000\r"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(m_folders->Path("no/such/folder/osc.dat"))
            .Answer(QMessageBox::Ok, QStringLiteral("Failed to write corrections data file!"));
        Click("m_pExpOscButton");
    }
    {
        // Cancelled: nothing applied, nothing written.
        EditCell(Osc(), 0, 0, QStringLiteral("0.25"));
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("Save oscilloscope corrections"));
        Click("m_pExpOscButton");
        EXPECT_EQ(prompt.Asked().size(), 1u);
    }
    EXPECT_DOUBLE_EQ(g_DeviceThread.GetOscCorrection(0, 0), 1.0);
}
}  // namespace
