// The scanning-receiver window: the receiver models it applies at start, its modes, the frequency
// edit, the endless dial and the enable toggle, all seen in what reaches the receiver object.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDial>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scanerfixture.h"
#include "scaneroptionsdialog.h"
#include "scanerwindow.h"
#include "scriptedprompt.h"
#include "ui_scaneroptionsdialog.h"
#include "ui_scanerwindow.h"

namespace
{
using ScanerWindowTest = ScanerTest;

void StoreModel(int index, const QString& name, double freqMin, double freqMax, double freqIF, double freqBW)
{
    const QString group = QStringLiteral("ScanerChannel%1").arg(index);
    g_Parameters.SetString(group, QStringLiteral("Name"), name);
    g_Parameters.SetInt(group, QStringLiteral("Speed"), 3);
    g_Parameters.SetDouble(group, QStringLiteral("FreqMin"), freqMin);
    g_Parameters.SetDouble(group, QStringLiteral("FreqMax"), freqMax);
    g_Parameters.SetDouble(group, QStringLiteral("FreqIF"), freqIF);
    g_Parameters.SetDouble(group, QStringLiteral("FreqBW"), freqBW);
    g_Parameters.SetDouble(group, QStringLiteral("FreqStep"), 0.25);
    g_Parameters.SetInt(group, QStringLiteral("TimePLL"), 32);
    g_Parameters.SetDouble(group, QStringLiteral("Ampl"), 7.5);
}

TEST_F(ScanerWindowTest, FormHasEveryControlWithItsKindAndState)
{
    CScanerWindow window(nullptr, scaner.get());
    EXPECT_EQ(window.objectName(), QStringLiteral("ScanerWindow"));
    EXPECT_EQ(window.minimumSize(), QSize(370, 311));
    EXPECT_EQ(window.maximumSize(), QSize(370, 311));
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    struct Control
    {
        const char* name;
        const char* kind;
        bool enabled;
    } const controls[] = {
        {"m_pNoControlButton", "QPushButton", true},
        {"m_pFixedFreqButton", "QPushButton", true},
        {"m_pScanRangeButton", "QPushButton", false},
        {"m_pOptimizeCheck", "QCheckBox", false},
        {"groupBox", "QGroupBox", true},
        {"m_pTunerModelLabel", "QLabel", true},
        {"m_pOptionsButton", "QPushButton", true},
        {"m_pSubstractCheck", "QCheckBox", false},
        {"groupBox_2", "QGroupBox", true},
        {"label_3", "QLabel", true},
        {"m_pFreqEdit", "QLineEdit", true},
        {"m_pFreqDial", "QDial", true},
        {"groupBox_3", "QGroupBox", true},
        {"m_pMaxRangeCheck", "QCheckBox", false},
        {"label_4", "QLabel", true},
        {"m_pSpeedSlider", "QSlider", false},
        {"label_5", "QLabel", true},
        {"m_pStartEdit", "QLineEdit", false},
        {"label_6", "QLabel", true},
        {"m_pStopEdit", "QLineEdit", false},
        {"m_pApplyButton", "QPushButton", false},
        {"m_pEnableButton", "QPushButton", true},
        {"widget", "QWidget", true},
    };
    for (const Control& c : controls)
    {
        SCOPED_TRACE(c.name);
        QWidget* child = window.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(child->inherits(c.kind));
        EXPECT_EQ(child->isEnabled(), c.enabled);
    }
    const Ui::CScanerWindowClass& form = window.Form();
    EXPECT_EQ(form.label_3->text(), QStringLiteral("Frequency="));
    EXPECT_TRUE(form.m_pNoControlButton->isCheckable());
    EXPECT_TRUE(form.m_pFixedFreqButton->isCheckable());
    EXPECT_TRUE(form.m_pScanRangeButton->isCheckable());
    EXPECT_FALSE(form.m_pEnableButton->isCheckable());
    EXPECT_EQ(form.m_pFreqDial->minimum(), 0);
    EXPECT_EQ(form.m_pFreqDial->maximum(), 100);
    EXPECT_TRUE(form.m_pFreqDial->wrapping());
    EXPECT_TRUE(form.m_pFreqDial->notchesVisible());
}

TEST_F(ScanerWindowTest, StartResetsTheModelsAndAppliesOnlyNamedGroups)
{
    StoreModel(2, QStringLiteral("Rx 2"), 1.0, 900.0, 21.4, 15.0);
    // A group without a name keeps the factory model even with values present.
    StoreModel(5, QString(), 1.0, 900.0, 45.0, 3.0);
    // Before the window, the table is empty: a receiver in Fixed Frequency would run with IF 0.
    EXPECT_EQ(scaner->Model(0).FreqIF, 0.0);

    CScanerWindow window(nullptr, scaner.get());
    const std::vector<std::string> expected = {"ResetModels", "SetModel 2"};
    EXPECT_EQ(scaner->calls, expected);
    const SCANER_MODEL first = scaner->Model(0);
    EXPECT_EQ(first.FreqIF, 10.7);
    EXPECT_EQ(first.FreqBW, 10.0);
    const SCANER_MODEL stored = scaner->Model(2);
    EXPECT_EQ(stored.Name, L"Rx 2");
    EXPECT_EQ(stored.Speed, 3);
    EXPECT_EQ(stored.TimePLL, 32);
    EXPECT_EQ(stored.FreqMin, 1.0);
    EXPECT_EQ(stored.FreqMax, 900.0);
    EXPECT_EQ(stored.FreqIF, 21.4);
    EXPECT_EQ(stored.FreqBW, 15.0);
    EXPECT_EQ(stored.FreqStep, 0.25);
    EXPECT_EQ(stored.Ampl, 7.5);
    const SCANER_MODEL unnamed = scaner->Model(5);
    EXPECT_EQ(unnamed.Name, L"Custom2");
    EXPECT_EQ(unnamed.FreqIF, 10.7);
    EXPECT_EQ(unnamed.FreqBW, 10.0);

    // Model 0 is shown, in No control.
    EXPECT_EQ(window.Form().m_pTunerModelLabel->text(), QStringLiteral("IC-R8500"));
    EXPECT_TRUE(window.Form().m_pNoControlButton->isChecked());
    EXPECT_FALSE(window.Form().m_pFixedFreqButton->isChecked());
    EXPECT_FALSE(window.Form().m_pScanRangeButton->isChecked());
}

TEST_F(ScanerWindowTest, ModesReportAFrequencyOnlyInFixedFrequency)
{
    SetIndex(2);
    CScanerWindow window(nullptr, scaner.get());
    scaner->calls.clear();
    scaner->frequencies.clear();
    QSignalSpy spy(&window, &CScanerWindow::freqChanged);
    const Ui::CScanerWindowClass& form = window.Form();

    form.m_pFixedFreqButton->click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_DOUBLE_EQ(spy.at(0).at(0).toDouble(), 100.0);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 2);
    EXPECT_EQ(scaner->calls, std::vector<std::string>{"StartFixed 2"});
    EXPECT_EQ(scaner->frequencies, std::vector<double>{100.0});
    EXPECT_TRUE(form.m_pFixedFreqButton->isChecked());
    EXPECT_FALSE(form.m_pNoControlButton->isChecked());

    // Pressing the checked button again keeps the mode.
    form.m_pFixedFreqButton->click();
    EXPECT_TRUE(form.m_pFixedFreqButton->isChecked());
    EXPECT_EQ(spy.count(), 2);

    form.m_pNoControlButton->click();
    ASSERT_EQ(spy.count(), 3);
    EXPECT_DOUBLE_EQ(spy.at(2).at(0).toDouble(), -1.0);
    EXPECT_EQ(spy.at(2).at(1).toInt(), 0);
    EXPECT_EQ(scaner->calls.back(), "StopControl");
    EXPECT_TRUE(form.m_pNoControlButton->isChecked());
    EXPECT_FALSE(form.m_pFixedFreqButton->isChecked());

    // Tuning outside Fixed Frequency reaches the receiver but is not reported.
    window.SetFrequency(120.0);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(scaner->frequencies.back(), 120.0);

    // The scan button is disabled in the form; its slot still reports no fixed frequency.
    window.OnScanRangeButton();
    ASSERT_EQ(spy.count(), 4);
    EXPECT_DOUBLE_EQ(spy.at(3).at(0).toDouble(), -1.0);
    EXPECT_EQ(spy.at(3).at(1).toInt(), 0);
    EXPECT_TRUE(form.m_pScanRangeButton->isChecked());
    EXPECT_FALSE(form.m_pNoControlButton->isChecked());
    window.SetFrequency(121.0);
    EXPECT_EQ(spy.count(), 4);
}

// One turn of the dial: either through the dial itself or a direct call with a position it already has.
struct DialStep
{
    int position;
    bool direct;     // call the slot: the dial already stands there and would report nothing
    int dialAfter;   // where the dial stands afterwards
    double freqMHz;  // the frequency sent
};

TEST_F(ScanerWindowTest, DialFollowsItsTableAndSendsOneFrequencyPerTurn)
{
    CScanerWindow window(nullptr, scaner.get());  // 100 MHz, last position 0
    QDial* dial = window.Form().m_pFreqDial;
    const DialStep steps[] = {
        {33, false, 33, 103.3},  // +33: 3.3 MHz up
        {67, false, 99, 103.2},  // +34: through the top the other way, 0.1 down
        {100, false, 1, 103.3},  // 99 -> 100: to 1, 0.1 up
        {0, false, 99, 103.2},   // 1 -> 0: to 99, 0.1 down
        {66, false, 66, 99.9},   // -33: 3.3 MHz down
        {32, false, 0, 100.0},   // -34: through the top the other way, 0.1 up
        {0, true, 99, 99.9},     // at 0 again
        {99, true, 99, 99.9},    // no move: the frequency is sent again
        {98, false, 98, 99.8},
    };
    for (const DialStep& step : steps)
    {
        SCOPED_TRACE(testing::Message() << "to " << step.position);
        scaner->frequencies.clear();
        if (step.direct)
            window.OnFreqDial(step.position);
        else
            dial->setValue(step.position);
        EXPECT_EQ(dial->value(), step.dialAfter);
        ASSERT_EQ(scaner->frequencies.size(), 1u);
        EXPECT_NEAR(scaner->frequencies.front(), step.freqMHz, 1e-9);
        EXPECT_NEAR(window.GetFrequency(), step.freqMHz, 1e-9);
    }
}

TEST_F(ScanerWindowTest, DialStaysInTheModelRangeWhileTypedValuesGoAsTyped)
{
    // FreqMin above FreqMax: the maximum wins.
    StoreModel(1, QStringLiteral("Odd"), 500.0, 400.0, 10.7, 10.0);
    struct Case
    {
        int index;
        double startMHz;
        int position;
        double expectedMHz;
    } const cases[] = {
        {0, 1999.95, 5, 2000.0},  // model 0 tops out at 2000
        {0, 0.15, 95, 0.1},       // and starts at 0.1
        {0, 3000.0, 1, 2000.0},   // a typed value beyond the range comes back at the first step
        {1, 100.0, 1, 400.0},    {1, 450.0, 99, 400.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "model " << c.index << " from " << c.startMHz);
        SetIndex(c.index);
        g_Parameters.SetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), c.startMHz);
        CScanerWindow window(nullptr, scaner.get());
        // The stored frequency is sent as it is, inside the range or not.
        EXPECT_EQ(scaner->frequencies.back(), c.startMHz);
        window.Form().m_pFreqDial->setValue(c.position);
        EXPECT_NEAR(scaner->frequencies.back(), c.expectedMHz, 1e-9);
    }

    SetIndex(0);
    CScanerWindow window(nullptr, scaner.get());
    window.Form().m_pFreqEdit->setText(QStringLiteral("5000"));
    window.OnFreqEdit();
    EXPECT_EQ(scaner->frequencies.back(), 5000.0);
    window.Form().m_pFreqEdit->setText(QStringLiteral("0.001 MHz"));
    window.OnFreqEdit();
    EXPECT_EQ(scaner->frequencies.back(), 0.001);
}

TEST_F(ScanerWindowTest, StoredFrequencyShowsOneDecimalAndIsKeptWhole)
{
    g_Parameters.SetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), 145.57);
    {
        CScanerWindow window(nullptr, scaner.get());
        EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("145.6 MHz"));
        EXPECT_EQ(window.GetFrequency(), 145.57);
        // Leaving the edit unchanged keeps the whole value.
        window.OnFreqEdit();
        EXPECT_EQ(scaner->frequencies.back(), 145.57);
    }
    EXPECT_EQ(g_Parameters.GetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), 0.0),
              145.57);

    {
        CScanerWindow window(nullptr, scaner.get());
        window.Form().m_pFreqEdit->setText(QStringLiteral("145.575"));
        window.OnFreqEdit();
        EXPECT_EQ(window.GetFrequency(), 145.575);
        EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("145.6 MHz"));
        // The dial and Fixed Frequency start from the number, not from its one-decimal text.
        window.Form().m_pFreqDial->setValue(1);
        EXPECT_NEAR(window.GetFrequency(), 145.675, 1e-9);
        window.Form().m_pFixedFreqButton->click();
        EXPECT_NEAR(scaner->frequencies.back(), 145.675, 1e-9);
    }
    EXPECT_NEAR(g_Parameters.GetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), 0.0),
                145.675, 1e-6);
}

TEST_F(ScanerWindowTest, TextThatIsNoNumberSendsNothingAndShowsTheLastValue)
{
    g_Parameters.SetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), 145.57);
    CScanerWindow window(nullptr, scaner.get());
    window.Form().m_pFixedFreqButton->click();
    QSignalSpy spy(&window, &CScanerWindow::freqChanged);
    const char* const texts[] = {"abc", "", " 145", "MHz 145", "nan", "inf", "-inf"};
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        scaner->frequencies.clear();
        window.Form().m_pFreqEdit->setText(QString::fromLatin1(text));
        window.OnFreqEdit();
        EXPECT_TRUE(scaner->frequencies.empty());
        EXPECT_EQ(spy.count(), 0);
        EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("145.6 MHz"));
        EXPECT_EQ(window.GetFrequency(), 145.57);
    }
    // Garbage left in the edit is not what the dial or the next start begins from.
    window.Form().m_pFreqEdit->setText(QStringLiteral("abc"));
    window.Form().m_pFreqDial->setValue(2);
    EXPECT_NEAR(scaner->frequencies.back(), 145.77, 1e-9);
}

TEST_F(ScanerWindowTest, StoredIndexOutsideTheModelsRefreshesNothingAndNeverStartsFixed)
{
    for (int index : {9, 8, -1})
    {
        SCOPED_TRACE(index);
        SetIndex(index);
        CScanerWindow window(nullptr, scaner.get());
        const Ui::CScanerWindowClass& form = window.Form();
        EXPECT_EQ(form.m_pTunerModelLabel->text(), QStringLiteral("<Tuner>"));
        EXPECT_FALSE(form.m_pNoControlButton->isChecked());
        EXPECT_TRUE(form.m_pStartEdit->text().isEmpty());

        scaner->calls.clear();
        scaner->frequencies.clear();
        QSignalSpy spy(&window, &CScanerWindow::freqChanged);
        form.m_pFixedFreqButton->click();
        EXPECT_TRUE(scaner->calls.empty());
        EXPECT_TRUE(scaner->frequencies.empty());
        EXPECT_EQ(spy.count(), 0);
        EXPECT_FALSE(form.m_pFixedFreqButton->isChecked());

        // Without a model the dial has no range: it sends nothing.
        form.m_pFreqDial->setValue(10);
        EXPECT_TRUE(scaner->frequencies.empty());
    }
}

TEST_F(ScanerWindowTest, FirstEnablePressEnablesThenItToggles)
{
    CScanerWindow window(nullptr, scaner.get());
    scaner->calls.clear();
    QPushButton* button = window.Form().m_pEnableButton;
    const QString caption = button->text();
    button->click();
    EXPECT_TRUE(window.IsReceiverEnabled());
    button->click();
    button->click();
    const std::vector<std::string> expected = {"Enable", "Disable", "Enable"};
    EXPECT_EQ(scaner->calls, expected);
    EXPECT_EQ(button->text(), caption);
}

TEST_F(ScanerWindowTest, ClosingTheOptionsDialogAnyWayReappliesTheModel)
{
    using Close = std::function<int(QDialog&)>;
    struct Case
    {
        const char* how;
        Close close;
    };
    const Case cases[] = {
        {"frame",
         [](QDialog& d)
         {
             d.close();
             return int(QDialog::Rejected);
         }},
        {"escape",
         [](QDialog& d)
         {
             d.reject();
             return int(QDialog::Rejected);
         }},
        {"OK",
         [](QDialog& d)
         {
             static_cast<CScanerOptionsDialog&>(d).Form().m_pOkButton->click();
             return int(QDialog::Accepted);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.how);
        SetIndex(0);
        CScanerWindow window(nullptr, scaner.get());
        window.Form().m_pFixedFreqButton->click();
        QSignalSpy spy(&window, &CScanerWindow::modelChanged);
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&](QDialog& dialog)
            {
                // A new name saved into the window's own model.
                auto& options = static_cast<CScanerOptionsDialog&>(dialog);
                options.Form().m_pNameEdit->setText(QStringLiteral("Renamed"));
                options.Form().m_pSaveButton->click();
                return c.close(dialog);
            });
        window.Form().m_pOptionsButton->click();
        EXPECT_EQ(prompt.Pending(), 0u);
        EXPECT_EQ(spy.count(), 1);
        EXPECT_EQ(window.Form().m_pTunerModelLabel->text(), QStringLiteral("Renamed"));
        // The mode in force is shown again, not the one the window started with.
        EXPECT_TRUE(window.Form().m_pFixedFreqButton->isChecked());
        EXPECT_FALSE(window.Form().m_pNoControlButton->isChecked());
    }
}

TEST_F(ScanerWindowTest, LanguageChangeShowsTheFormTextsAgain)
{
    CScanerWindow window(nullptr, scaner.get());
    EXPECT_EQ(window.Form().m_pTunerModelLabel->text(), QStringLiteral("IC-R8500"));
    window.Form().m_pFixedFreqButton->click();
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.Form().m_pTunerModelLabel->text(), QStringLiteral("<Tuner>"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ScanerChannel Tuner"));
    EXPECT_EQ(window.Form().label_3->text(), QStringLiteral("Frequency="));
    // The state stays.
    EXPECT_TRUE(window.Form().m_pFixedFreqButton->isChecked());
    EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("100.0 MHz"));
}
}  // namespace
