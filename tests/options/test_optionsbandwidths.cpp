// The bandwidth table editor of the Band page over the library's own bandwidth table: the fields of an
// entry, Apply, Insert, Remove and Update with their questions, the FIR file, and the stored rows that
// make the table again at the next start.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDomElement>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "icontrolbits.h"
#include "optionswindowtest.h"
#include "parameters.h"
#include "scriptedprompt.h"

namespace
{
const QString kDdcOptions = QStringLiteral("DdcOptions");

IControlBits* Bits()
{
    return g_DeviceThread.m_pControlBits;
}

QString Row(int row)
{
    return g_DeviceThread.GetChannelPrefix(-1) +
           QStringLiteral("Bandwidth%1").arg(row, 2, 10, QLatin1Char('0'));
}

QString CountKey()
{
    return g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("BandwidthsCount");
}

QStringList DeviceNames()
{
    QStringList names;
    for (int i = 0; i < Bits()->GetDdcBandCount(); ++i)
        names << QString::fromStdWString(Bits()->GetDdcBand(i).Name);
    return names;
}

QStringList ComboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

class OptionsBandwidthEditorTest : public OptionsWindowTest
{
protected:
    void SetUp() override
    {
        OptionsWindowTest::SetUp();
        // The radio input: its table has 14 built-in entries.
        ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
        Build();
        ASSERT_EQ(Bits()->GetDdcBandCount(), 14);
    }

    QComboBox* Names() const { return Child<QComboBox>("m_pDdcBandNameCombo"); }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }

    // As at the next start of the program: the device's table back to its built-in entries, then a
    // new window, which loads the stored rows.
    void Restart()
    {
        m_window.reset();
        Bits()->Init();
        Build();
    }
};
}  // namespace

TEST_F(OptionsWindowTest, BandReloadListsTheDeviceBandwidthsAndKeepsTheSelectionAtTenAtMost)
{
    Build();
    const QString key = g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("Bandwidth");
    g_Parameters.SetInt(QStringLiteral("Device"), key, 12);
    m_window->SetupOptionsWindow(COptionsWindow::BandPage, 0);
    auto* combo = Child<QComboBox>("m_pDdcBandNameCombo");
    ASSERT_EQ(combo->count(), g_DeviceThread.m_pControlBits->GetDdcBandCount());
    EXPECT_EQ(combo->itemText(0), QString::fromStdWString(g_DeviceThread.m_pControlBits->GetDdcBand(0).Name));
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Device"), key, -1), 10);
    EXPECT_EQ(combo->currentIndex(), 10);

    QSignalSpy band(m_window.get(), &COptionsWindow::ddcBandChanged);
    m_window->SetDdcBandIndex(3);
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_EQ(band.count(), 0) << "a programmatic selection is no operator's choice";
    // The selection shows its entry in the editor's fields; with more than one entry it may be removed.
    EXPECT_EQ(Child<QLineEdit>("m_pDdcDeciCoeffEdit")->text(),
              QString::number(g_DeviceThread.m_pControlBits->GetDdcBand(3).DeciCoeff));
    EXPECT_TRUE(Child<QPushButton>("m_pDdcRemoveBandButton")->isEnabled());
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(band.count(), 1);
    EXPECT_EQ(band.at(0).at(0).toInt(), 4);

    // The table editor stays hidden; the scanning controls are offered for the radio inputs only.
    struct Case
    {
        int type;
        bool scanning;
    };
    AddChannelsUpTo(4);
    for (const Case& c : {Case{0, true}, Case{2, false}, Case{3, true}, Case{4, false}})
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(c.type));
        Child<QGroupBox>("m_pBandGroupBox")->show();
        m_window->SetupOptionsWindow(COptionsWindow::BandPage, 0);
        EXPECT_TRUE(Child<QGroupBox>("m_pBandGroupBox")->isHidden()) << c.type;
        EXPECT_EQ(Child<QGroupBox>("m_pDdcScanningGroupBox")->isHidden(), !c.scanning) << c.type;
    }

    // Each input keeps its own selection, limited the same way on a freshly reset document: the wired
    // input's stored 12 comes back as 10 and is written so.
    struct Limited
    {
        int type;
        const char* key;
        int shown;  // the DLA input's table has five entries
    };
    for (const Limited& l :
         {Limited{2, "WlBandwidth", 10}, Limited{0, "HfBandwidth", 10}, Limited{4, "DlaBandwidth", -1}})
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(l.type));
        g_Parameters.SetDefaults();
        g_Parameters.SetInt(QStringLiteral("Device"), QLatin1String(l.key), 12);
        m_window->SetupOptionsWindow(COptionsWindow::BandPage, 0);
        EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Device"), QLatin1String(l.key), -1), 10) << l.key;
        EXPECT_EQ(combo->currentIndex(), l.shown) << l.key;
    }
}

TEST_F(OptionsBandwidthEditorTest, FieldsShowAnEntryAndApplyReadsThemBack)
{
    // An entry with a tap count the list does not offer.
    DDC_BAND_ITEM odd = Bits()->GetDdcBand(2);
    odd.TapCount = 100;
    odd.CorrectAmpl = 1.25;
    odd.BypassFir = 0;
    odd.DefaultFir = 1;
    odd.FirName = L"/data/a.fir";
    ASSERT_TRUE(Bits()->SetDdcBand(2, odd));
    Names()->setCurrentIndex(5);
    Names()->setCurrentIndex(2);
    EXPECT_EQ(Edit("m_pDdcDeciCoeffEdit")->text(), QStringLiteral("4"));
    EXPECT_EQ(Child<QComboBox>("m_pDdcTapCountCombo")->currentIndex(), -1);
    EXPECT_EQ(Edit("m_pDdcCorrectAmplEdit")->text(), QStringLiteral("1.25"));
    EXPECT_TRUE(Child<QCheckBox>("m_pDdcEnableFirCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>("m_pDdcDefaultFirCheck")->isChecked());
    EXPECT_EQ(Edit("m_pDdcFirNameEdit")->text(), QStringLiteral("/data/a.fir"));

    // No entry selected (a cleared list) leaves the fields as they are.
    Names()->setCurrentIndex(-1);
    EXPECT_EQ(Edit("m_pDdcCorrectAmplEdit")->text(), QStringLiteral("1.25"));
    Names()->setCurrentIndex(2);

    // Each row: what the operator leaves in the fields, and the entry Update makes and stores. An enabled
    // filter here is always the built-in one, so no file is read.
    struct Case
    {
        QString deciCoeff;
        QString outputScaling;
        QString correctAmpl;
        int tapItem;  // -1: none
        bool enable;
        bool defaultFir;
        uint16_t deci;
        uint8_t scaling;
        double ampl;
        uint16_t taps;
        int bypass;
        const char* storedAmpl;
    };
    const Case cases[] = {
        {"4", "0", "1.25", -1, true, true, 4, 0, 1.25, 0, 0, "1.250000"},
        {"8", "300", "0.5", 2, false, false, 8, 44, 0.5, 64, 1, "0.500000"},
        {" 16 ", "x", "junk", 0, true, true, 16, 0, 0.0, 256, 0, "0.000000"},
        {"70000", "7", "nan", 5, false, true, 4464, 7, 0.0, 8, 1, "0.000000"},
    };
    for (const Case& c : cases)
    {
        Edit("m_pDdcDeciCoeffEdit")->setText(c.deciCoeff);
        Edit("m_pDdcOutputScalingEdit")->setText(c.outputScaling);
        Edit("m_pDdcCorrectAmplEdit")->setText(c.correctAmpl);
        Child<QComboBox>("m_pDdcTapCountCombo")->setCurrentIndex(c.tapItem);
        Child<QCheckBox>("m_pDdcEnableFirCheck")->setChecked(c.enable);
        Child<QCheckBox>("m_pDdcDefaultFirCheck")->setChecked(c.defaultFir);
        QSignalSpy changed(m_window.get(), &COptionsWindow::bandwidthsChanged);
        {
            CScriptedPrompt prompt;
            prompt.Answer(QMessageBox::Yes, QStringLiteral("store the bandwidth data permanently"));
            Child<QPushButton>("m_pDdcUpdateBandButton")->click();
        }
        EXPECT_EQ(changed.count(), 1) << c.deciCoeff.toStdString();
        const DDC_BAND_ITEM& band = Bits()->GetDdcBand(2);
        EXPECT_EQ(band.DeciCoeff, c.deci) << c.deciCoeff.toStdString();
        EXPECT_EQ(band.OutputScaling, c.scaling) << c.deciCoeff.toStdString();
        EXPECT_DOUBLE_EQ(band.CorrectAmpl, c.ampl) << c.deciCoeff.toStdString();
        EXPECT_EQ(band.TapCount, c.taps) << c.deciCoeff.toStdString();
        EXPECT_EQ(band.BypassFir, c.bypass) << c.deciCoeff.toStdString();
        EXPECT_EQ(band.DefaultFir, c.defaultFir ? 1 : 0) << c.deciCoeff.toStdString();
        EXPECT_EQ(band.Name, L"15 MHz");
        EXPECT_EQ(g_Parameters.GetString(Row(2), QStringLiteral("CorrectAmpl"), QString()),
                  QLatin1String(c.storedAmpl));
        EXPECT_EQ(g_Parameters.GetString(Row(2), QStringLiteral("TapCount"), QString()),
                  QStringLiteral("%1.000000").arg(c.taps));
        EXPECT_EQ(g_Parameters.GetString(Row(2), QStringLiteral("BypassFir"), QString()),
                  QStringLiteral("%1.000000").arg(c.bypass));

        // Shown again, the entry gives back what was applied.
        Names()->setCurrentIndex(3);
        Names()->setCurrentIndex(2);
        EXPECT_EQ(Child<QCheckBox>("m_pDdcEnableFirCheck")->isChecked(), c.bypass == 0);
        EXPECT_EQ(Edit("m_pDdcDeciCoeffEdit")->text(), QString::number(c.deci));
    }
}

TEST_F(OptionsBandwidthEditorTest, ApplyAsksNothingAndLastsUntilTheTableIsStored)
{
    Names()->setCurrentIndex(4);
    Edit("m_pDdcCorrectAmplEdit")->setText(QStringLiteral("0.75"));
    QSignalSpy changed(m_window.get(), &COptionsWindow::bandwidthsChanged);
    {
        CScriptedPrompt prompt;  // nothing scripted: any question fails
        Child<QPushButton>("m_pDdcApplyBandButton")->click();
        EXPECT_TRUE(prompt.Asked().empty());
    }
    EXPECT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(Bits()->GetDdcBand(4).CorrectAmpl, 0.75);
    EXPECT_EQ(Bits()->GetBandwidthIndex(), 4);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("HfBandwidth"), -1), 4);
    EXPECT_FALSE(g_Parameters.HasSection(Row(4))) << "Apply stores no rows";

    // The stored rows: entry 1 in its own section, every number with six decimals.
    m_window->StoreBandwidthTable();
    EXPECT_EQ(g_Parameters.GetInt(kDdcOptions, CountKey(), -1), 14);
    EXPECT_EQ(Row(1), QStringLiteral("HfBandwidth01"));
    EXPECT_EQ(g_Parameters.GetString(Row(1), QStringLiteral("Name"), QString()), QStringLiteral("30 MHz"));
    EXPECT_EQ(g_Parameters.GetString(Row(1), QStringLiteral("DeciCoeff"), QString()),
              QStringLiteral("2.000000"));
    EXPECT_EQ(g_Parameters.GetString(Row(1), QStringLiteral("OutputScaling"), QString()),
              QStringLiteral("0.000000"));
    EXPECT_EQ(g_Parameters.GetString(Row(1), QStringLiteral("DefaultFir"), QString()),
              QStringLiteral("0.000000"));
    EXPECT_EQ(g_Parameters.GetString(Row(13), QStringLiteral("Name"), QString("unset")), QString());

    // The keys of a row in the order the table has always been written in.
    QStringList keys;
    const QDomElement row = g_Parameters.documentElement().firstChildElement(Row(1));
    for (QDomElement key = row.firstChildElement(); !key.isNull(); key = key.nextSiblingElement())
        keys << key.tagName();
    EXPECT_EQ(keys, QStringList({"Name", "DeciCoeff", "OutputScaling", "CorrectAmpl", "FirName", "BypassFir",
                                 "DefaultFir", "TapCount"}));
}

TEST_F(OptionsBandwidthEditorTest, InsertRemoveAndUpdateAskFirst)
{
    const QStringList builtIn = DeviceNames();
    QSignalSpy changed(m_window.get(), &COptionsWindow::bandwidthsChanged);
    struct Case
    {
        const char* button;
        const char* question;
        int emitted;  // after the answer No
    };
    const Case cases[] = {
        {"m_pDdcInsertBandButton", "Do you really want to insert new bandwidth?", 0},
        {"m_pDdcUpdateBandButton", "Do you really want to store the bandwidth data permanently?", 0},
        {"m_pDdcRemoveBandButton", "Do you really want to delete the bandwidth?", 1},
    };
    Names()->setCurrentIndex(3);
    Edit("m_pDdcCorrectAmplEdit")->setText(QStringLiteral("9"));
    for (const Case& c : cases)
    {
        changed.clear();
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No);
        Child<QPushButton>(c.button)->click();
        ASSERT_EQ(prompt.Asked().size(), 1u) << c.button;
        const CScriptedPrompt::Record& asked = prompt.Asked()[0];
        EXPECT_EQ(asked.icon, QMessageBox::Question) << c.button;
        EXPECT_EQ(asked.title, QCoreApplication::applicationName()) << c.button;
        EXPECT_EQ(asked.text, QLatin1String(c.question)) << c.button;
        EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No) << c.button;
        EXPECT_EQ(changed.count(), c.emitted) << c.button;
        EXPECT_EQ(DeviceNames(), builtIn) << c.button;
        EXPECT_DOUBLE_EQ(Bits()->GetDdcBand(3).CorrectAmpl, 1.0) << c.button;
        EXPECT_FALSE(g_Parameters.HasKey(kDdcOptions, CountKey())) << c.button;
    }

    // Yes to Insert on entry 3 of 14: the new entry, under the name typed into the list, is entry 3.
    Names()->setEditText(QStringLiteral("New band"));
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        changed.clear();
        Child<QPushButton>("m_pDdcInsertBandButton")->click();
    }
    EXPECT_EQ(changed.count(), 1);
    QStringList expected = builtIn;
    expected.insert(3, QStringLiteral("New band"));
    EXPECT_EQ(DeviceNames(), expected);
    EXPECT_EQ(ComboItems(Names()), expected);
    EXPECT_EQ(Names()->currentIndex(), 3);
    EXPECT_EQ(Edit("m_pDdcCorrectAmplEdit")->text(), QStringLiteral("9")) << "the new entry is shown";
    EXPECT_EQ(g_Parameters.GetInt(kDdcOptions, CountKey(), -1), 15);
    EXPECT_EQ(g_Parameters.GetString(Row(3), QStringLiteral("Name"), QString()), QStringLiteral("New band"));
    EXPECT_EQ(g_Parameters.GetString(Row(14), QStringLiteral("DeciCoeff"), QString()),
              QStringLiteral("0.000000"));
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("HfBandwidth"), -1), 3);
    EXPECT_EQ(Bits()->GetBandwidthIndex(), 3);

    // Return on a name typed into the list adds no item: the items stay the table's.
    Child<QGroupBox>("m_pBandGroupBox")->show();
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    Names()->setFocus();
    Names()->lineEdit()->selectAll();
    QTest::keyClicks(Names(), QStringLiteral("Typed"));
    QTest::keyClick(Names(), Qt::Key_Return);
    EXPECT_EQ(Names()->currentText(), QStringLiteral("Typed"));
    EXPECT_EQ(ComboItems(Names()), expected);
}

TEST_F(OptionsBandwidthEditorTest, RemovingKeepsDeviceAndListOnOneEntryAndNeverTheLastOne)
{
    QSignalSpy changed(m_window.get(), &COptionsWindow::bandwidthsChanged);
    auto* remove = Child<QPushButton>("m_pDdcRemoveBandButton");
    // The last entry first: the list then shows the new last one, and the device runs that one too.
    Names()->setCurrentIndex(13);
    int removed = 0;
    while (Names()->count() > 1)
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        const int count = Names()->count();
        remove->click();
        ++removed;
        ASSERT_EQ(Bits()->GetDdcBandCount(), count - 1);
        ASSERT_EQ(Names()->count(), count - 1);
        EXPECT_EQ(Bits()->GetBandwidthIndex(), Names()->currentIndex()) << count;
        EXPECT_EQ(g_Parameters.GetInt(kDdcOptions, CountKey(), -1), count - 1);
        EXPECT_EQ(changed.count(), removed);
        if (removed == 1)
        {
            EXPECT_EQ(Names()->currentIndex(), 12);
            EXPECT_EQ(Names()->currentText(), QStringLiteral("15 KHz"));
        }
    }
    // One entry left: it cannot be removed, the button says so, and an answer of Yes changes nothing.
    EXPECT_FALSE(remove->isEnabled());
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        m_window->OnDdcRemoveButton();
    }
    EXPECT_EQ(Bits()->GetDdcBandCount(), 1);
    EXPECT_EQ(Names()->count(), 1);

    // The table grows again through Insert, and Remove is offered again.
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes);
    Child<QPushButton>("m_pDdcInsertBandButton")->click();
    EXPECT_TRUE(remove->isEnabled());
}

TEST_F(OptionsBandwidthEditorTest, ZeroDecimationIsRefusedWithAWarning)
{
    struct Case
    {
        const char* button;
        bool asks;
        QString deciCoeff;
    };
    const Case cases[] = {
        {"m_pDdcApplyBandButton", false, "0"},
        {"m_pDdcInsertBandButton", true, "0"},
        {"m_pDdcUpdateBandButton", true, "65536"},
        {"m_pDdcApplyBandButton", false, "none"},
    };
    Names()->setCurrentIndex(5);
    const QStringList names = DeviceNames();
    QSignalSpy changed(m_window.get(), &COptionsWindow::bandwidthsChanged);
    for (const Case& c : cases)
    {
        Edit("m_pDdcDeciCoeffEdit")->setText(c.deciCoeff);
        Edit("m_pDdcCorrectAmplEdit")->setText(QStringLiteral("3"));
        CScriptedPrompt prompt;
        if (c.asks)
            prompt.Answer(QMessageBox::Yes);
        prompt.Answer(QMessageBox::Ok, QStringLiteral("DeciCoeff must not be 0!"));
        Child<QPushButton>(c.button)->click();
        ASSERT_EQ(prompt.Asked().size(), c.asks ? 2u : 1u) << c.button;
        EXPECT_EQ(prompt.Asked().back().icon, QMessageBox::Warning) << c.button;
        EXPECT_EQ(prompt.Asked().back().title, QCoreApplication::applicationName()) << c.button;
        EXPECT_EQ(changed.count(), 0) << c.button;
        EXPECT_EQ(DeviceNames(), names) << c.button;
        EXPECT_EQ(Bits()->GetDdcBand(5).DeciCoeff, 32) << c.button;
        EXPECT_DOUBLE_EQ(Bits()->GetDdcBand(5).CorrectAmpl, 1.0) << c.button;
        EXPECT_FALSE(g_Parameters.HasKey(kDdcOptions, CountKey())) << c.button;
    }
}

TEST_F(OptionsBandwidthEditorTest, FirFileIsChosenFromTheDataFolderAndAFailedLoadIsShown)
{
    auto* firName = Edit("m_pDdcFirNameEdit");
    firName->setText(QStringLiteral("/kept/filter.fir"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(QString(), QStringLiteral("Open FIR File"));
        Child<QPushButton>("m_pDdcOpenFirButton")->click();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Filter files (*.fir)"));
        EXPECT_EQ(prompt.Asked()[0].initial,
                  QCoreApplication::applicationDirPath() + QStringLiteral("/Data"));
    }
    EXPECT_EQ(firName->text(), QStringLiteral("/kept/filter.fir")) << "a cancelled dialog keeps the name";

    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-dir/missing.fir"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(missing);
        Child<QPushButton>("m_pDdcOpenFirButton")->click();
    }
    EXPECT_EQ(firName->text(), missing);

    // With the filter enabled, applying loads the file; a missing one is reported, and the entry
    // stays selected in the device.
    Names()->setCurrentIndex(6);
    firName->setText(missing);
    Child<QCheckBox>("m_pDdcEnableFirCheck")->setChecked(true);
    Child<QCheckBox>("m_pDdcDefaultFirCheck")->setChecked(false);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok,
                      QStringLiteral("Failed to load filter data! Notice, that the file should "
                                     "be in subfolder Data of program folder!"));
        Child<QPushButton>("m_pDdcApplyBandButton")->click();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(prompt.Asked()[0].title, QCoreApplication::applicationName());
        EXPECT_EQ(prompt.Asked()[0].buttons, QMessageBox::Ok);
    }
    EXPECT_EQ(Bits()->GetBandwidthIndex(), 6);

    // A filter that is bypassed is not loaded, so nothing is reported.
    Child<QCheckBox>("m_pDdcEnableFirCheck")->setChecked(false);
    CScriptedPrompt prompt;
    Child<QPushButton>("m_pDdcApplyBandButton")->click();
    EXPECT_TRUE(prompt.Asked().empty());
}

TEST_F(OptionsBandwidthEditorTest, StoredRowsAreTheTableAtTheNextStart)
{
    const QStringList builtIn = DeviceNames();
    Names()->setCurrentIndex(3);
    Names()->setEditText(QStringLiteral("Inserted"));
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        Child<QPushButton>("m_pDdcInsertBandButton")->click();
    }
    QStringList expected = builtIn;
    expected.insert(3, QStringLiteral("Inserted"));
    Restart();
    EXPECT_EQ(DeviceNames(), expected) << "an inserted row survives";
    EXPECT_EQ(ComboItems(Names()), expected);

    Names()->setCurrentIndex(5);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        Child<QPushButton>("m_pDdcRemoveBandButton")->click();
    }
    expected.removeAt(5);
    Restart();
    EXPECT_EQ(DeviceNames(), expected) << "a removed row stays removed";
    EXPECT_EQ(Bits()->GetDdcBandCount(), 14);
}

TEST_F(OptionsBandwidthEditorTest, StoredRowsThatAreNoWholeTableLoadNothingAndNumbersAreLimited)
{
    m_window->StoreBandwidthTable();
    struct Case
    {
        const char* what;
        std::function<void()> edit;
        bool loads;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"a count beyond the rows", [] { g_Parameters.SetInt(kDdcOptions, CountKey(), 20); }, false, nullptr},
        {"a count of 0", [] { g_Parameters.SetInt(kDdcOptions, CountKey(), 0); }, false, nullptr},
        {"a negative count", [] { g_Parameters.SetInt(kDdcOptions, CountKey(), -3); }, false, nullptr},
        {"numbers outside their fields",
         []
         {
             g_Parameters.SetInt(kDdcOptions, CountKey(), 14);
             g_Parameters.SetDouble(Row(2), QStringLiteral("OutputScaling"), 300.0);
             g_Parameters.SetDouble(Row(2), QStringLiteral("DeciCoeff"), -5.0);
             g_Parameters.SetDouble(Row(2), QStringLiteral("TapCount"), 64.9);
             g_Parameters.SetDouble(Row(2), QStringLiteral("BypassFir"), 1e12);
         },
         true,
         []
         {
             const DDC_BAND_ITEM& band = Bits()->GetDdcBand(2);
             EXPECT_EQ(band.OutputScaling, 255);
             EXPECT_EQ(band.DeciCoeff, 0);
             EXPECT_EQ(band.TapCount, 64);
             EXPECT_EQ(band.BypassFir, std::numeric_limits<int32_t>::max());
         }},
    };
    for (const Case& c : cases)
    {
        // A stored change that shows whether the rows were taken at all.
        g_Parameters.SetString(Row(0), QStringLiteral("Name"), QStringLiteral("Changed"));
        c.edit();
        Restart();
        EXPECT_EQ(DeviceNames().at(0), c.loads ? QStringLiteral("Changed") : QStringLiteral("60 MHz"))
            << c.what;
        EXPECT_EQ(Bits()->GetDdcBandCount(), 14) << c.what;
        if (c.check)
            c.check();
    }
}
