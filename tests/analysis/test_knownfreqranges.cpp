// The range input dialog and the two known-frequency windows, each test on its own settings file and
// data folder: the dialog's checks and derived end channel, the settings-key list of the "Frequency
// Ranges" window with the device's known-range list, and the region files of the regional window.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTranslator>
#include <QTreeWidget>

#include <functional>
#include <limits>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "inputknownfreqrange.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "knownfreqregionfile.h"
#include "parameters.h"
#include "scriptedprompt.h"

namespace
{
class KnownFreqWindowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        IChannel* channel = g_DeviceThread.GetChannel(-1);
        ASSERT_NE(channel, nullptr);
        m_low = channel->GetStartFreq();
        m_high = channel->GetStopFreq();
        // The cases below need the mobile bands inside the input's limits.
        ASSERT_LE(m_low, 100.0);
        ASSERT_GE(m_high, 2000.0);
    }

    static QSettings PlainKeys() { return QSettings(g_Parameters.FilePath(), QSettings::IniFormat); }
    static QString Key(const char* name, int row)
    {
        return QStringLiteral("KnownFreqRanges2/0_%1_%2").arg(QLatin1String(name)).arg(row);
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& data)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    double m_low = 0.0;
    double m_high = 0.0;
};

// Typed input: the text goes into the edit as the operator's.
void Type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setModified(true);
}

struct Typed
{
    QString start, end, band, step, startChannel;
};

void TypeAll(const Ui::CInputKnownFreqRange& form, const Typed& typed)
{
    Type(form.m_pStartFreqEdit, typed.start);
    Type(form.m_pEndFreqEdit, typed.end);
    Type(form.m_pBandEdit, typed.band);
    Type(form.m_pStepEdit, typed.step);
    Type(form.m_pStartChannelEdit, typed.startChannel);
}

// Presses OK on the full form with the typed values; the warning shown, empty when it was accepted.
QString PressOk(CInputKnownFreqRange& dialog, const Typed& typed, const QString& expectedWarning)
{
    TypeAll(dialog.Form(), typed);
    CScriptedPrompt prompt;
    if (!expectedWarning.isEmpty())
        prompt.Answer(QMessageBox::Ok, expectedWarning);
    dialog.OnOkButton();
    if (prompt.Asked().empty())
        return dialog.result() == QDialog::Accepted ? QString() : QStringLiteral("(not accepted)");
    return prompt.Asked().front().text;
}

// Scripts one run of the range dialog: `fill` types into it, then OK is pressed.
void ScriptDialog(CScriptedPrompt& prompt, std::function<void(const Ui::CInputKnownFreqRange&)> fill)
{
    prompt.RunDialog(
        [fill](QDialog& dialog)
        {
            auto& range = static_cast<CInputKnownFreqRange&>(dialog);
            fill(range.Form());
            range.Form().m_pOkButton->click();
            return dialog.result();
        });
}

// Names the first region in another language, as a loaded catalogue would.
class CRegionTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (QLatin1String(context) == QLatin1String("CKnownFreqRangesWindowClass") &&
            QLatin1String(sourceText) == QLatin1String("Russia"))
            return QStringLiteral("Rossiya");
        return QString();
    }
};

QTreeWidget* TreeOf(QWidget& window)
{
    return window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
}
}  // namespace

TEST_F(KnownFreqWindowsTest, RangeDialogChecksInOrderAndDerivesTheEndChannel)
{
    const QString wrong = QStringLiteral("Wrong frequency range!");
    const QString wide = QStringLiteral("The band is too wide!");
    const QString big = QStringLiteral("The step is too big!");
    const QString zero = QStringLiteral("The step cannot be zero!");
    const QString small = QStringLiteral("The step is too small!");
    const QString below = QString::number(m_low - 1.0, 'g', 10);
    const QString above = QString::number(m_high + 1.0, 'g', 10);
    struct Case
    {
        Typed typed;
        QString warning;  // empty: accepted
        int endChannel;   // after an accepted run; the dialog was filled with 77
    };
    const Case cases[] = {
        {{"100", "100", "0", "0", "0"}, wrong, 77},
        {{"200", "100", "0", "0", "0"}, wrong, 77},
        {{below, "500", "0", "0", "0"}, wrong, 77},
        {{"500", above, "0", "0", "0"}, wrong, 77},
        {{"1000", "1600", "500", "0", "0"}, QString(), 77},
        {{"1000", "1600", "500.5", "0", "0"}, wide, 77},
        {{"1000", "1100", "100", "0", "0"}, wide, 77},
        {{"1000", "1100", "0", "100", "0"}, big, 77},
        {{"1000", "1100", "0", "0", "5"}, zero, 77},
        {{"1920", "1980", "5", "5", "1"}, QString(), 12},
        {{"1710", "1785", "0.2", "0.2", "512"}, QString(), 886},
        {{"1880", "1900", "1.728", "1.728", "0"}, QString(), 10},
        {{"1000", "1100", "0", "1e-9", "0"}, small, 77},
        {{"1000", "1100", "0", "-1e-9", "0"}, small, 77},
        {{"1000", "1100", "inf", "0", "0"}, QString(), 77},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.typed.start.toStdString() << " " << c.typed.end.toStdString() << " "
                     << c.typed.band.toStdString() << " " << c.typed.step.toStdString());
        CInputKnownFreqRange dialog(0);
        dialog.m_EndChannel = 77;
        EXPECT_EQ(PressOk(dialog, c.typed, c.warning), c.warning);
        if (c.warning.isEmpty())
        {
            EXPECT_EQ(dialog.m_EndChannel, c.endChannel);
        }
    }

    // Text that is no finite number counts as 0: "nan" as the start is checked as a start of 0.
    CInputKnownFreqRange nan(0);
    CInputKnownFreqRange zeroStart(0);
    const QString zeroOutcome =
        PressOk(zeroStart, {"0", "100", "0", "0", "0"}, m_low > 0.0 ? wrong : QString());
    EXPECT_EQ(PressOk(nan, {"nan", "100", "0", "0", "0"}, zeroOutcome), zeroOutcome);
    EXPECT_EQ(nan.m_StartFreq, 0.0);
    CInputKnownFreqRange inf(0);
    PressOk(inf, {"1000", "1100", "inf", "0", "0"}, QString());
    EXPECT_EQ(inf.m_Band, 0.0);
}

TEST_F(KnownFreqWindowsTest, RangeDialogShortFormAndUntouchedFields)
{
    {
        CInputKnownFreqRange dialog(1);
        EXPECT_TRUE(dialog.Form().m_pBandEdit->isHidden());
        EXPECT_TRUE(dialog.Form().m_pAverCombo->isHidden());
        EXPECT_TRUE(dialog.Form().m_pEndChannelEdit->isHidden());
        EXPECT_FALSE(dialog.Form().m_pSwitchCombo->isHidden());
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& run)
            {
                auto& range = static_cast<CInputKnownFreqRange&>(run);
                Type(range.Form().m_pNameEdit, QStringLiteral("X"));
                Type(range.Form().m_pStartFreqEdit, QStringLiteral("433"));
                Type(range.Form().m_pEndFreqEdit, QStringLiteral("434.8"));
                range.Form().m_pSwitchCombo->setCurrentText(QStringLiteral("2 ch"));
                range.Form().m_pOkButton->click();
                return run.result();
            });
        ASSERT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
        EXPECT_EQ(dialog.m_Name, QStringLiteral("X"));
        EXPECT_EQ(dialog.m_EndFreq, 434.8);
        EXPECT_EQ(dialog.m_Switch, 2);
        EXPECT_EQ(dialog.m_Band, 0.0);
        EXPECT_EQ(dialog.m_Step, 0.0);
        EXPECT_EQ(dialog.m_StartChannel, 0);
        EXPECT_EQ(dialog.m_EndChannel, 0);
    }
    {
        // The edit shows 1234.57; left alone, the field keeps its exact value.
        CInputKnownFreqRange dialog(0);
        dialog.m_StartFreq = 1234.5678;
        dialog.m_EndFreq = 1300.0;
        CScriptedPrompt prompt;
        ScriptDialog(prompt,
                     [](const Ui::CInputKnownFreqRange& form)
                     {
                         EXPECT_EQ(form.m_pStartFreqEdit->text(), QStringLiteral("1234.57"));
                         Type(form.m_pNameEdit, QStringLiteral("renamed"));
                     });
        ASSERT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
        EXPECT_EQ(dialog.m_StartFreq, 1234.5678);
    }
}

TEST_F(KnownFreqWindowsTest, RangesWindowFirstStartWritesTheBandTableAndListsTheRegion)
{
    CKnownFreqRanges2Window window;
    QTreeWidget* tree = TreeOf(window);
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/Country")).toInt(), 0);
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Count")).toInt(), 42);
    EXPECT_EQ(PlainKeys().value(Key("Name", 41)).toString(), QStringLiteral("ISM 433"));
    ASSERT_EQ(tree->topLevelItemCount(), 24);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        EXPECT_EQ(tree->topLevelItem(i)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 0);
    EXPECT_TRUE(window.Form().label_3->isHidden());
    EXPECT_TRUE(window.Form().m_pMobileButton->isHidden());

    window.Form().m_pCountryCombo->setCurrentIndex(4);  // "Americas"
    ASSERT_EQ(tree->topLevelItemCount(), 18);
    EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("B2-1900-2G mobile"));
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/Country")).toInt(), 4);

    // A check in column 0 stores 2 and hands the range to the device; another column does nothing.
    QTreeWidgetItem* row = tree->topLevelItem(0);
    const int stored = row->data(0, Qt::UserRole).toInt();
    row->setCheckState(0, Qt::Checked);
    window.OnTreeItemClicked(row, 1);
    EXPECT_EQ(PlainKeys().value(Key("Enable", stored)).toInt(), 0);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 0);
    window.OnTreeItemClicked(row, 0);
    EXPECT_EQ(PlainKeys().value(Key("Enable", stored)).toInt(), 2);
    const std::vector<KNOWN_RANGE_ITEM> ranges = g_DeviceThread.m_pControlBits->GetKnownRanges();
    ASSERT_EQ(ranges.size(), 1u);

    EXPECT_EQ(window.IsFreqDigitBand(1920e6f), 38);
    EXPECT_EQ(window.IsFreqDigitBand(100e6f), 255);
    window.Form().m_pCountryCombo->setCurrentIndex(0);
    EXPECT_EQ(window.IsFreqDigitBand(1920e6f), 0);
}

TEST_F(KnownFreqWindowsTest, RangesWindowAddEditDeleteKeepTheirRegionAndValues)
{
    CKnownFreqRanges2Window window;
    QTreeWidget* tree = TreeOf(window);
    window.Form().m_pCountryCombo->setCurrentIndex(3);  // "Korea"
    {
        CScriptedPrompt prompt;
        ScriptDialog(prompt,
                     [](const Ui::CInputKnownFreqRange& form)
                     {
                         Type(form.m_pNameEdit, QStringLiteral("Added"));
                         Type(form.m_pStartFreqEdit, QStringLiteral("1234.5678"));
                         Type(form.m_pEndFreqEdit, QStringLiteral("1300"));
                         form.m_pSwitchCombo->setCurrentIndex(3);
                     });
        window.OnAddButton();
    }
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Count")).toInt(), 43);
    EXPECT_EQ(PlainKeys().value(Key("regionMask", 42)).toInt(), 8);
    EXPECT_EQ(PlainKeys().value(Key("Switch", 42)).toInt(), 3);
    ASSERT_EQ(tree->topLevelItemCount(), 20);
    QTreeWidgetItem* added = tree->topLevelItem(19);
    EXPECT_EQ(added->text(4), QStringLiteral("3"));

    // Renaming only: the stored 1234.5678 stays exact.
    tree->setCurrentItem(added);
    {
        CScriptedPrompt prompt;
        ScriptDialog(prompt, [](const Ui::CInputKnownFreqRange& form)
                     { Type(form.m_pNameEdit, QStringLiteral("Renamed")); });
        window.OnEditButton();
    }
    EXPECT_EQ(PlainKeys().value(Key("StartFreq", 42)).toDouble(), 1234.5678);
    EXPECT_EQ(PlainKeys().value(Key("Name", 42)).toString(), QStringLiteral("Renamed"));

    // Editing a row of all regions under "Italy" leaves it in Italy only.
    window.Form().m_pCountryCombo->setCurrentIndex(1);
    QTreeWidgetItem* everywhere = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        if (tree->topLevelItem(i)->data(0, Qt::UserRole).toInt() == 16)
            everywhere = tree->topLevelItem(i);
    }
    ASSERT_NE(everywhere, nullptr);
    tree->setCurrentItem(everywhere);
    {
        CScriptedPrompt prompt;
        ScriptDialog(prompt, [](const Ui::CInputKnownFreqRange&) {});
        window.OnEditButton();
    }
    EXPECT_EQ(PlainKeys().value(Key("regionMask", 16)).toInt(), 2);
    EXPECT_EQ(PlainKeys().value(Key("StartFreq", 16)).toDouble(), 2510.0);

    // Delete asks nothing, keeps the count and marks the row.
    tree->setCurrentItem(tree->topLevelItem(0));
    const int first = tree->topLevelItem(0)->data(0, Qt::UserRole).toInt();
    const int listed = tree->topLevelItemCount();
    window.OnDeleteButton();
    EXPECT_EQ(PlainKeys().value(Key("Enable", first)).toInt(), -1);
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Count")).toInt(), 43);
    EXPECT_EQ(tree->topLevelItemCount(), listed - 1);

    // Defaults rewrites rows 0 to 41 and no longer counts the added row.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you really want to reset the list to default?"));
        window.OnDefaultsButton();
    }
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Count")).toInt(), 42);
    EXPECT_EQ(PlainKeys().value(Key("Enable", first)).toInt(), 0);
    EXPECT_EQ(PlainKeys().value(Key("regionMask", 16)).toInt(), 31);
    EXPECT_EQ(tree->topLevelItemCount(), 21);
}

TEST_F(KnownFreqWindowsTest, RangesWindowClearAndStoredCheckStates)
{
    {
        QSettings keys = PlainKeys();
        keys.setValue(QStringLiteral("KnownFreqRanges2/0_Count"), 3);
        const int enables[] = {1, 2, 7};
        for (int i = 0; i < 3; ++i)
        {
            keys.setValue(Key("Name", i), QStringLiteral("Row %1").arg(i));
            keys.setValue(Key("StartFreq", i), 100.0 + i);
            keys.setValue(Key("EndFreq", i), 101.0 + i);
            keys.setValue(Key("regionMask", i), 1);
            keys.setValue(Key("Enable", i), enables[i]);
        }
    }
    CKnownFreqRanges2Window window;
    QTreeWidget* tree = TreeOf(window);
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::PartiallyChecked);
    EXPECT_EQ(tree->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(tree->topLevelItem(2)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 1);  // only 2 goes to the device

    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, QStringLiteral("Do you really want to clear the list?"));
        window.OnClearButton();
    }
    EXPECT_EQ(tree->topLevelItemCount(), 3);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you really want to clear the list?"));
        window.OnClearButton();
    }
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Count")).toInt(), 42);
    EXPECT_EQ(tree->topLevelItemCount(), 24);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 0);
}

TEST_F(KnownFreqWindowsTest, RegionalWindowStartsRegionsFromTheirDefaults)
{
    IKnownFreqDetect* detector = g_DeviceThread.m_pKnownFreq1;
    {
        CKnownFreqRangesWindow window;
        QTreeWidget* tree = TreeOf(window);
        ASSERT_EQ(tree->topLevelItemCount(), 15);
        EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges/Country")).toInt(), 0);
        const QString russia = CKnownFreqRangesWindow::RegionFilePath(0);
        EXPECT_TRUE(russia.endsWith(QStringLiteral("/regionfreq_Russia.xml")));
        EXPECT_EQ(Read(russia).count("<Range "), 15);
        EXPECT_FALSE(Read(russia).startsWith("<?xml"));

        QSignalSpy selected(&window, &CKnownFreqRangesWindow::multipleFreqRangesSelected);
        window.OnMobileButton();
        ASSERT_EQ(selected.count(), 1);
        EXPECT_EQ(selected.at(0).at(0).value<QVector<int>>(), (QVector<int>{0, 2, 4, 6, 10, 12}));

        // Switching saves the old region (with a changed row) and loads the other's defaults.
        KNOWN_FREQ_RANGE changed = *detector->GetRange(0);
        changed.StartFreq = 1234.5678;
        changed.EndFreq = 1300.0;
        detector->SetRange(0, changed);
        window.Form().m_pCountryCombo->setCurrentIndex(1);
        EXPECT_EQ(tree->topLevelItemCount(), 13);
        EXPECT_EQ(detector->GetRangeCount(), 13);
        EXPECT_TRUE(Read(russia).contains("StartFreq=\"1234.5678\""));

        window.Form().m_pCountryCombo->setCurrentIndex(2);
        EXPECT_EQ(tree->topLevelItemCount(), 0);
        std::vector<KNOWN_FREQ_RANGE> ranges;
        EXPECT_TRUE(KnownFreqRegionFile::Parse(Read(CKnownFreqRangesWindow::RegionFilePath(2)), &ranges));
        EXPECT_TRUE(ranges.empty());
        EXPECT_TRUE(Read(CKnownFreqRangesWindow::RegionFilePath(2)).contains("KnownFreqRanges"));
        // Defaults on an empty table ask nothing (the scripted prompt fails on any question).
        CScriptedPrompt prompt;
        window.OnDefaultsButton();
        EXPECT_EQ(tree->topLevelItemCount(), 0);

        window.Form().m_pCountryCombo->setCurrentIndex(0);
        ASSERT_EQ(detector->GetRangeCount(), 15);
        EXPECT_EQ(detector->GetRange(0)->StartFreq, 1234.5678);  // round trip through the file
        EXPECT_EQ(tree->topLevelItem(0)->text(2), QStringLiteral("1234.57"));
        window.Form().m_pCountryCombo->setCurrentIndex(1);
    }
    // The destructor stores the region.
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges/Country")).toInt(), 1);
}

TEST_F(KnownFreqWindowsTest, RegionalWindowEditsThroughTheDialogAndAsks)
{
    CKnownFreqRangesWindow window;
    QTreeWidget* tree = TreeOf(window);
    IKnownFreqDetect* detector = g_DeviceThread.m_pKnownFreq1;
    {
        CScriptedPrompt prompt;
        ScriptDialog(prompt,
                     [](const Ui::CInputKnownFreqRange& form)
                     {
                         Type(form.m_pNameEdit, QStringLiteral("Added mobile"));
                         Type(form.m_pStartFreqEdit, QStringLiteral("1234.5678"));
                         Type(form.m_pEndFreqEdit, QStringLiteral("1300"));
                         Type(form.m_pStepEdit, QStringLiteral("5"));
                         Type(form.m_pStartChannelEdit, QStringLiteral("1"));
                         form.m_pAverCombo->setCurrentIndex(8);
                     });
        window.OnAddButton();
    }
    ASSERT_EQ(detector->GetRangeCount(), 16);
    EXPECT_EQ(detector->GetRange(15)->EndChannel, 13);
    EXPECT_EQ(tree->topLevelItem(15)->text(8), QStringLiteral("Peak x8"));
    // Renaming in Edit keeps the exact edge.
    tree->setCurrentItem(tree->topLevelItem(15));
    {
        CScriptedPrompt prompt;
        ScriptDialog(prompt, [](const Ui::CInputKnownFreqRange& form)
                     { Type(form.m_pNameEdit, QStringLiteral("Renamed")); });
        window.OnEditButton();
    }
    EXPECT_EQ(detector->GetRange(15)->StartFreq, 1234.5678);
    EXPECT_EQ(detector->GetRange(15)->Averaging, 8);
    EXPECT_TRUE(Read(CKnownFreqRangesWindow::RegionFilePath(0)).contains("Name=\"Renamed\""));

    tree->setCurrentItem(tree->topLevelItem(0));
    window.OnDeleteButton();
    EXPECT_EQ(detector->GetRangeCount(), 15);
    EXPECT_EQ(Read(CKnownFreqRangesWindow::RegionFilePath(0)).count("<Range "), 15);

    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, QStringLiteral("Do you really want to reset the list to default?"));
        window.OnDefaultsButton();
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you really want to clear the list?"));
        window.OnClearButton();
    }
    EXPECT_EQ(detector->GetRangeCount(), 0);
    EXPECT_EQ(Read(CKnownFreqRangesWindow::RegionFilePath(0)).count("<Range"), 0);
}

TEST_F(KnownFreqWindowsTest, RegionalWindowReadsFilesRobustlyAndKeepsABadOneAside)
{
    const QString russia = CKnownFreqRangesWindow::RegionFilePath(0);
    Write(russia,
          "<?xml version=\"1.0\"?>\n<!-- kept by hand -->\n<Anything>\n"
          " <!-- a note -->\n"
          " <Range Name=\"No averaging\" StartFreq=\"100\" EndFreq=\"200\"/>\n"
          " <Other Name=\"NaN\" StartFreq=\"nan\" EndFreq=\"200\"/>\n"
          " <Range Name=\"Reversed\" StartFreq=\"300\" EndFreq=\"200\"/>\n"
          " <Range Name=\"Junk\" StartFreq=\"x\" EndFreq=\"5\" StartChannel=\"q\"/>\n"
          "</Anything>\n");
    {
        CKnownFreqRangesWindow window;
        QTreeWidget* tree = TreeOf(window);
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("No averaging"));
        EXPECT_EQ(tree->topLevelItem(0)->text(8), QStringLiteral("Instant"));
        EXPECT_EQ(tree->topLevelItem(1)->text(2), QStringLiteral("0"));
        EXPECT_EQ(tree->topLevelItem(1)->text(6), QStringLiteral("0"));
    }

    const QByteArray malformed = "<KnownFreqRanges><Range Name=\"cut";
    Write(russia, malformed);
    {
        CKnownFreqRangesWindow window;
        EXPECT_EQ(TreeOf(window)->topLevelItemCount(), 0);
        // Not written back by the load; the first change overwrites it, but a copy stays aside.
        EXPECT_EQ(Read(russia), malformed);
        CScriptedPrompt prompt;
        window.OnDefaultsButton();
        EXPECT_EQ(Read(russia).count("<Range "), 15);
    }
    const QStringList aside = QDir(QFileInfo(russia).absolutePath())
                                  .entryList({QFileInfo(russia).fileName() + QStringLiteral(".bad-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(Read(QFileInfo(russia).absolutePath() + QLatin1Char('/') + aside.front()), malformed);
}

TEST_F(KnownFreqWindowsTest, RegionalWindowKeepsItsSelectionAcrossALanguageChange)
{
    CKnownFreqRangesWindow window;
    QTreeWidget* tree = TreeOf(window);
    const QString russia = CKnownFreqRangesWindow::RegionFilePath(0);
    const QByteArray before = Read(russia);
    QSignalSpy selected(&window, &CKnownFreqRangesWindow::multipleFreqRangesSelected);
    tree->topLevelItem(2)->setCheckState(0, Qt::Checked);
    tree->topLevelItem(5)->setCheckState(0, Qt::Checked);
    window.OnTreeItemClicked(tree->topLevelItem(5), 0);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<QVector<int>>(), (QVector<int>{2, 5}));

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(tree->topLevelItem(2)->checkState(0), Qt::Checked);
    EXPECT_EQ(tree->topLevelItem(5)->checkState(0), Qt::Checked);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Frequency Ranges OLD"));
    EXPECT_EQ(selected.count(), 1);
    EXPECT_EQ(Read(russia), before);

    // A double click unchecks every row and sends nothing.
    window.OnTreeItemActivated(tree->topLevelItem(2), 1);
    EXPECT_EQ(tree->topLevelItem(2)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(selected.count(), 1);
}

TEST(KnownFreqRegionFile, WritesRoundTripNumbersAndReadsThemBack)
{
    KNOWN_FREQ_RANGE range;
    range.Name = L"\u0413\u0421\u041c <&\"> mobile";
    range.StartFreq = 1234.5678;
    range.EndFreq = 1785.0000001;
    range.Band = 0.2;
    range.Step = 1.728;
    range.StartChannel = -5;
    range.EndChannel = std::numeric_limits<int32_t>::max();
    range.Averaging = 10;
    const QByteArray data = KnownFreqRegionFile::Serialize({range, range});
    EXPECT_FALSE(data.startsWith("<?xml"));
    std::vector<KNOWN_FREQ_RANGE> back;
    ASSERT_TRUE(KnownFreqRegionFile::Parse(data, &back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].Name, range.Name);
    EXPECT_EQ(back[1].StartFreq, range.StartFreq);
    EXPECT_EQ(back[1].EndFreq, range.EndFreq);
    EXPECT_EQ(back[1].Band, range.Band);
    EXPECT_EQ(back[1].Step, range.Step);
    EXPECT_EQ(back[1].StartChannel, range.StartChannel);
    EXPECT_EQ(back[1].EndChannel, range.EndChannel);
    EXPECT_EQ(back[1].Averaging, range.Averaging);

    EXPECT_FALSE(KnownFreqRegionFile::Parse("", &back));
    EXPECT_FALSE(KnownFreqRegionFile::Parse("<a><b></a>", &back));
    EXPECT_TRUE(back.empty());
    // A file that cannot be written leaves nothing behind.
    EXPECT_FALSE(KnownFreqRegionFile::Save(QStringLiteral("/nonexistent-folder/x.xml"), {range}));
}

TEST_F(KnownFreqWindowsTest, RegionalWindowReadsAListSavedUnderTheTranslatedNameOnce)
{
    CRegionTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString russia = CKnownFreqRangesWindow::RegionFilePath(0);
    const QString translated = QFileInfo(russia).absolutePath() + QStringLiteral("/regionfreq_Rossiya.xml");
    Write(translated,
          "<KnownFreqRanges><Range Name=\"Own\" StartFreq=\"100\" EndFreq=\"200\"/></KnownFreqRanges>");
    {
        CKnownFreqRangesWindow window;
        EXPECT_EQ(window.Form().m_pCountryCombo->itemText(0), QStringLiteral("Rossiya"));
        QTreeWidget* tree = TreeOf(window);
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("Own"));
        tree->setCurrentItem(tree->topLevelItem(0));
        CScriptedPrompt prompt;
        ScriptDialog(prompt, [](const Ui::CInputKnownFreqRange& form)
                     { Type(form.m_pNameEdit, QStringLiteral("Own list")); });
        window.OnEditButton();
    }
    QCoreApplication::removeTranslator(&translator);
    // Saved under the fixed name, so the list is found again in any language.
    EXPECT_TRUE(Read(russia).contains("Name=\"Own list\""));
    CKnownFreqRangesWindow window;
    ASSERT_EQ(TreeOf(window)->topLevelItemCount(), 1);
    EXPECT_EQ(TreeOf(window)->topLevelItem(0)->text(1), QStringLiteral("Own list"));
}
