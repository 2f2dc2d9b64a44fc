// The range page's device controls: each combo and check against the library's own control objects,
// the connector's pins dialog, the FHSS switches, the tune step, and the antenna switch with its
// dialog. The calls the window makes are recorded at the library interface.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "antennadialog.h"
#include "dlan1n2inputdialog.h"
#include "iadf4350.h"
#include "optionswindowtest.h"
#include "parameters.h"
#include "recordingcontrols.h"
#include "scriptedprompt.h"
#include "slider.h"
#include "ui_antennadialog.h"
#include "ui_dlan1n2inputdialog.h"

namespace
{
using Calls = std::vector<std::string>;

const QString kRangeOptions = QStringLiteral("RangeOptions");

int Stored(const char* key)
{
    return g_Parameters.GetInt(kRangeOptions, QLatin1String(key), -100);
}

// Fills in the pins dialog and ends it with one of its buttons.
CScriptedPrompt::DialogAction PinsDialog(int first, int second, bool ok)
{
    return [=](QDialog& dialog)
    {
        auto& pins = dynamic_cast<CDlaN1N2InputDialog&>(dialog);
        pins.Form().m_p1stPinSpin->setValue(first);
        pins.Form().m_p2ndPinSpin->setValue(second);
        (ok ? pins.Form().m_pOkButton : pins.Form().m_pCancelButton)->click();
        return dialog.result();
    };
}
}  // namespace

TEST_F(OptionsWindowTest, EveryDeviceControlSendsItsValueAndStoresItsKey)
{
    g_DeviceThread.SetDemoMode(true);
    Build();
    CRecordedControls recorded;
    ISkyControl* sky = g_DeviceThread.m_pSky;
    struct Case
    {
        const char* control;
        int item;  // the item chosen; for a check, the state clicked into
        Calls sent;
        const char* key;
        int stored;
        std::function<int()> device;  // what the library holds afterwards, where it tells
        int held;
    };
    const Case cases[] = {
        {"m_pRangeRadioGainComboVersion6",
         1,
         {"Sky.SetGainIndex 2"},
         "RadioGain",
         1,
         [sky] { return sky->GetGainIndex(); },
         2},
        {"m_pRangeWiredGainCombo",
         1,
         {"Sky.SetGainIndex 1"},
         "WiredGain",
         1,
         [sky] { return sky->GetGainIndex(); },
         1},
        {"m_pRangeAcousticGainCombo",
         4,
         {"Acoustic.SetGain 4"},
         "AcousticGain",
         4,
         [] { return g_DeviceThread.m_pAcoustic->GetGain(); },
         4},
        {"m_pRangeDlaGainCombo",
         6,
         {"Dla.SetGain 6"},
         "DlaGain",
         6,
         [] { return g_DeviceThread.m_pDla->GetGain(); },
         6},
        {"m_pRangeDlaCommCombo",
         2,
         {"Dla.SetComm 2"},
         "DlaComm",
         2,
         [] { return g_DeviceThread.m_pDla->GetComm(); },
         2},
        {"m_pRangeRadioAttCombo",
         9,
         {"Sky.SetAttenuator 9"},
         "RadioAtt",
         9,
         [sky] { return sky->GetAttenuator(); },
         9},
        {"m_pRangeRadioFilterCombo",
         4,
         {"Sky.SetFilter 4"},
         "RadioFilter",
         4,
         [sky] { return sky->GetFilter(); },
         4},
        {"m_pFHSSCombo", 7, {"Core.SetFhssMode 7"}, "FHSS_mode", 7, nullptr, 0},
        {"m_pRangeRadioAttSwCheck",
         1,
         {"Sky.SetAttSwitch 1"},
         "RadioAttSw",
         1,
         [sky] { return sky->GetAttSwitch(); },
         1},
        {"m_pRangeRadioAttSwCheck",
         0,
         {"Sky.SetAttSwitch 0"},
         "RadioAttSw",
         0,
         [sky] { return sky->GetAttSwitch(); },
         0},
        {"m_pRangeRadioAmplSwCheck",
         1,
         {"Sky.SetAmplSwitch 1"},
         "RadioAmplSw",
         1,
         [sky] { return sky->GetAmplSwitch(); },
         1},
        {"m_pRangeFHSSCheck_0", 1, {"Core.SetFlags 1 1"}, "FHSS0", 1, nullptr, 0},
        {"m_pRangeFHSSCheck_1", 1, {"Core.SetFlags 1 2"}, "FHSS1", 1, nullptr, 0},
        {"m_pRangeFHSSCheck_2", 1, {"Core.SetFlags 1 4"}, "FHSS2", 1, nullptr, 0},
        {"m_pRangeFHSSCheck_2", 0, {"Core.SetFlags 0 4"}, "FHSS2", 0, nullptr, 0},
    };
    for (const Case& c : cases)
    {
        recorded.log.Clear();
        g_Parameters.SetInt(kRangeOptions, QLatin1String(c.key), -100);
        if (auto* check = m_window->findChild<QCheckBox*>(QLatin1String(c.control)))
        {
            check->setChecked(c.item == 0);
            check->click();
        }
        else
        {
            auto* combo = Child<QComboBox>(c.control);
            {
                const QSignalBlocker quiet(combo);
                combo->setCurrentIndex(0);
            }
            combo->setCurrentIndex(c.item);
        }
        EXPECT_EQ(recorded.log.Calls(), c.sent) << c.control << " " << c.item;
        EXPECT_EQ(Stored(c.key), c.stored) << c.control << " " << c.item;
        if (c.device)
        {
            EXPECT_EQ(c.device(), c.held) << c.control << " " << c.item;
        }
    }

    // A combo that loses its items reports -1: nothing is sent and the stored choice stays.
    for (const Case& c : cases)
    {
        auto* combo = m_window->findChild<QComboBox*>(QLatin1String(c.control));
        if (!combo)
            continue;
        recorded.log.Clear();
        combo->clear();
        EXPECT_TRUE(recorded.log.Calls().empty()) << c.control;
        EXPECT_EQ(Stored(c.key), c.stored) << c.control;
    }
}

TEST_F(OptionsWindowTest, SelectAsksForThePinsAndUsesThemAsConnectorFive)
{
    Build();
    CRecordedControls recorded;
    auto* connector = Child<QComboBox>("m_pRangeDlaCommCombo");
    connector->setCurrentIndex(1);

    // Confirmed: the pins go to the device before the connector is switched to them.
    recorded.log.Clear();
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(PinsDialog(2, 7, true), QStringLiteral("CDlaN1N2InputDialogClass"));
        connector->setCurrentIndex(4);
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Pins Input"));
    }
    EXPECT_EQ(recorded.log.Calls(), Calls({"Dla.SetPins 2 7", "Dla.SetComm 5", "Dla.SetComm 5"}));
    EXPECT_EQ(connector->currentIndex(), 5);
    EXPECT_EQ(connector->itemText(5), QStringLiteral("2-7"));
    EXPECT_EQ(connector->itemText(4), QStringLiteral("Select"));
    EXPECT_EQ(Stored("DlaComm"), 5);
    EXPECT_EQ(g_DeviceThread.m_pDla->GetComm(), 5);

    // Cancelled: still connector 5, with the pins the device has; the entry keeps naming them.
    connector->setCurrentIndex(0);
    recorded.log.Clear();
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(PinsDialog(4, 4, false));
        connector->setCurrentIndex(4);
    }
    EXPECT_EQ(recorded.log.Calls(), Calls({"Dla.SetComm 5", "Dla.SetComm 5"}));
    EXPECT_EQ(connector->currentIndex(), 5);
    EXPECT_EQ(connector->itemText(5), QStringLiteral("2-7"));
    EXPECT_EQ(Stored("DlaComm"), 5);
}

TEST_F(OptionsWindowTest, AStoredSelectIsConnectorFiveWithoutAskingForPins)
{
    AddChannelsUpTo(4);
    ASSERT_TRUE(g_DeviceThread.SetChannelType(4));
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaComm"), 4);
    // Any prompt here fails the test: none is scripted.
    CScriptedPrompt prompt;
    Build();
    EXPECT_TRUE(prompt.Asked().empty());
    EXPECT_EQ(Child<QComboBox>("m_pRangeDlaCommCombo")->currentIndex(), 5);
    EXPECT_EQ(g_DeviceThread.m_pDla->GetComm(), 5);
    EXPECT_EQ(Stored("DlaComm"), 5);
    EXPECT_FALSE(Child<QWidget>("m_pRangeDlaGroupBox")->isHidden());
}

TEST_F(OptionsWindowTest, ThePinsDialogTakesTwoPinsOnlyOnOk)
{
    CDlaN1N2InputDialog dialog;
    Ui::CDlaN1N2InputDialogClass& form = dialog.Form();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pins Input"));
    EXPECT_EQ(dialog.size(), QSize(236, 107));
    for (QSpinBox* spin : {form.m_p1stPinSpin, form.m_p2ndPinSpin})
    {
        EXPECT_EQ(spin->minimum(), 1);
        EXPECT_EQ(spin->maximum(), 8);
    }
    EXPECT_EQ(form.m_p1stPinSpin->value(), 1);
    EXPECT_EQ(form.m_p2ndPinSpin->value(), 3);
    EXPECT_EQ(form.label->text(), QStringLiteral("Input 1st pin number (1-8):"));
    EXPECT_EQ(form.label_2->text(), QStringLiteral("Input 2nd pin number (1-8):"));

    form.m_p1stPinSpin->setValue(6);
    form.m_pCancelButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.m_n1stPin, 0) << "only OK takes the pins";

    // Equal pins are not refused.
    form.m_p2ndPinSpin->setValue(6);
    form.m_pOkButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_n1stPin, 6);
    EXPECT_EQ(dialog.m_n2ndPin, 6);
}

TEST_F(OptionsWindowTest, SwitchingFhssDetectionOffAlsoSwitchesTheBandSpectrumBackOn)
{
    Build();
    CRecordedControls recorded;
    auto* detection = Child<QCheckBox>("m_pRangeFHSSCheck_0");
    auto* bandOff = Child<QCheckBox>("m_pRangeFHSSCheck_1");
    detection->setChecked(false);
    bandOff->setChecked(false);
    detection->click();
    bandOff->click();

    recorded.log.Clear();
    detection->click();
    EXPECT_EQ(recorded.log.Calls(), Calls({"Core.SetFlags 0 1", "Core.SetFlags 0 2"}));
    EXPECT_FALSE(bandOff->isChecked());
    EXPECT_EQ(Stored("FHSS0"), 0);
    EXPECT_EQ(Stored("FHSS1"), 0);

    // Switching it on leaves the band spectrum as it is.
    bandOff->click();
    recorded.log.Clear();
    detection->click();
    EXPECT_EQ(recorded.log.Calls(), Calls({"Core.SetFlags 1 1"}));
    EXPECT_TRUE(bandOff->isChecked());
    EXPECT_EQ(Stored("FHSS1"), 1);
}

TEST_F(OptionsWindowTest, TuneStepButtonsShowTheStepTheScanUses)
{
    Build();
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    // A 40 MHz reference lets the step reach 12 (half the reference in MHz, less 8).
    adf->SetReferenceFreq(40e6);
    auto* back = Child<QPushButton>("m_pDdcScanningTuneBackButton");
    auto* next = Child<QPushButton>("m_pDdcScanningTuneOffButton");
    auto* shown = Child<QLineEdit>("m_pTuneNumberEdit");

    next->click();
    next->click();
    EXPECT_EQ(shown->text(), QString::number(adf->GetScanTuneStep()));
    for (int i = 0; i < 100 && adf->GetScanTuneStep() > 7; ++i)
        back->click();
    shown->clear();
    back->click();
    EXPECT_EQ(adf->GetScanTuneStep(), 7);
    EXPECT_EQ(shown->text(), QStringLiteral("7")) << "Back stops at 7";

    // Stepping up past the device's limit starts again at 7.
    int highest = 7;
    bool wrapped = false;
    for (int i = 0; i < 1000 && !wrapped; ++i)
    {
        next->click();
        const int step = adf->GetScanTuneStep();
        EXPECT_EQ(shown->text(), QString::number(step));
        wrapped = step < highest;
        highest = std::max(highest, step);
    }
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(highest, 12);
    EXPECT_EQ(shown->text(), QStringLiteral("7"));
}

TEST_F(OptionsWindowTest, AntennaSwitchFollowsTheStoredChoiceUnlessAnotherWindowOwnsIt)
{
    REQUIRE_CHANNEL_TYPE(0);
    Build();
    CRecordedControls recorded;
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom1Slider"), 28);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom2Slider"), 80);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom3Slider"), 200);
    struct Case
    {
        int stored;
        int antenna;  // pushed and stored; 0 = switching by frequency
    };
    for (const Case& c : {Case{3, 3}, Case{0, 0}, Case{7, 1}})
    {
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom"), c.stored);
        recorded.log.Clear();
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 1);
        const Calls& sent = recorded.log.Calls();
        const std::string commutator = "Sky.SetCommutator " + std::to_string(c.antenna);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), commutator), 1) << c.stored;
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "Sky.SetCommutatorLevel 28 80 200"), 1) << c.stored;
        EXPECT_FALSE(Child<QPushButton>("m_pAutoSwitchButton")->isHidden()) << c.stored;
        EXPECT_EQ(Child<QRadioButton>("m_pAutoSwitchRadio")->isChecked(), c.antenna == 0) << c.stored;
        EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), c.antenna) << c.stored;
        EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom"), -1),
                  c.antenna);
        EXPECT_EQ(Child<QRadioButton>("m_pManualSwitchRadio")->isChecked(), c.antenna != 0) << c.stored;
        EXPECT_EQ(Child<QPushButton>("m_pComm3Button")->isHidden(), c.antenna == 0) << c.stored;
        if (c.antenna != 0)
        {
            const auto* chosen =
                m_window->findChild<QPushButton*>(QStringLiteral("m_pComm%1Button").arg(c.antenna));
            EXPECT_TRUE(chosen->isChecked()) << c.stored;
        }
        EXPECT_TRUE(Child<QLabel>("m_pLabelAntenna")->isHidden());
    }
    const int* levels = g_DeviceThread.m_pSky->GetCommutatorLevel();
    EXPECT_EQ(levels[0], 28);
    EXPECT_EQ(levels[1], 80);
    EXPECT_EQ(levels[2], 200);

    // With the known-frequency ranges window open the switch is not offered and nothing is pushed.
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom"), 4);
    recorded.log.Clear();
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 2);
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 1);
    for (const std::string& call : recorded.log.Calls())
        EXPECT_EQ(call.rfind("Sky.SetCommutator", 0), std::string::npos) << call;
    EXPECT_TRUE(Child<QPushButton>("m_pAutoSwitchButton")->isHidden());
    EXPECT_FALSE(Child<QLabel>("m_pLabelAntenna")->isHidden());
    EXPECT_TRUE(Child<QRadioButton>("m_pManualSwitchRadio")->isHidden());
    EXPECT_TRUE(Child<QPushButton>("m_pComm1Button")->isHidden());

    // The operator's antenna buttons are exclusive and stored.
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 1);
    Child<QPushButton>("m_pComm2Button")->click();
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 2);
    EXPECT_FALSE(Child<QPushButton>("m_pComm4Button")->isChecked());
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom"), -1), 2);

    // "Auto" hides the buttons and leaves their states; "Manual" comes back on antenna 1.
    Child<QRadioButton>("m_pAutoSwitchRadio")->click();
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 0);
    EXPECT_EQ(Stored("RadioCom"), 0);
    EXPECT_TRUE(Child<QPushButton>("m_pComm2Button")->isHidden());
    EXPECT_TRUE(Child<QPushButton>("m_pComm2Button")->isChecked());
    Child<QRadioButton>("m_pManualSwitchRadio")->click();
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 1);
    EXPECT_EQ(Stored("RadioCom"), 1);
    EXPECT_TRUE(Child<QPushButton>("m_pComm1Button")->isChecked());
    EXPECT_FALSE(Child<QPushButton>("m_pComm2Button")->isChecked());
    EXPECT_FALSE(Child<QPushButton>("m_pComm2Button")->isHidden());
}

TEST_F(OptionsWindowTest, RadioInputAttenuatorIsLimitedToItsRangeAndWrittenBack)
{
    REQUIRE_CHANNEL_TYPE(0);
    Build();
    struct Case
    {
        int stored;
        int expected;
    };
    for (const Case& c : {Case{20, 15}, Case{-3, 0}, Case{7, 7}})
    {
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioAtt"), c.stored);
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
        EXPECT_EQ(Child<QComboBox>("m_pRangeRadioAttCombo")->currentIndex(), c.expected) << c.stored;
        EXPECT_EQ(g_DeviceThread.m_pSky->GetAttenuator(), c.expected) << c.stored;
        EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioAtt"), -1),
                  c.expected);
    }
    EXPECT_FALSE(Child<QGroupBox>("m_pRangeAttGroupBox")->isHidden());
    // The stored filter is not used: every reload starts on the widest one.
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioFilter"), -1), 0);

    // A reload that changes no control makes only its own pushes, in this order. The radio gain is
    // sent as the item itself here, while the combo's own slot sends item + 1.
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioGain"), 6);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioAttSw"), 1);
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
    CRecordedControls recorded;
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
    EXPECT_EQ(recorded.log.Calls(),
              Calls({"Sky.SetGainIndex 6", "Sky.SetAttenuator 7", "Sky.SetAmplSwitch 0", "Sky.SetAttSwitch 1",
                     "Sky.SetFilter 0", "Core.SetFhssMode 0", "Core.SetFlags 0 1", "Core.SetFlags 0 2",
                     "Core.SetFlags 0 2", "Core.SetFlags 0 4"}));
    for (const char* key : {"FHSS_mode", "FHSS0", "FHSS1", "FHSS2", "RadioAmplSw"})
        EXPECT_EQ(Stored(key), 0) << key;
    EXPECT_EQ(Stored("RadioAttSw"), 1);

    // Stored FHSS flags: the band spectrum stays off only with the detection on.
    struct Flags
    {
        int detection, bandOff, expectedBandOff;
    };
    for (const Flags& f : {Flags{0, 1, 0}, Flags{1, 1, 1}})
    {
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("FHSS0"), f.detection);
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("FHSS1"), f.bandOff);
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
        EXPECT_EQ(Child<QCheckBox>("m_pRangeFHSSCheck_1")->isChecked(), f.expectedBandOff != 0)
            << f.detection;
        EXPECT_EQ(Stored("FHSS1"), f.expectedBandOff) << f.detection;
    }

    // The stored mode and the three flags, pushed in the reload's order: a changed mode through the
    // list's slot first. A mode beyond the list leaves it without an item and sends none.
    struct Stored4
    {
        int mode, detection, bandOff, sweepOff;
        Calls sent;
        int shownMode;
        int storedMode, storedBandOff;
    };
    const Stored4 stored[] = {
        {4,
         1,
         0,
         1,
         {"Core.SetFhssMode 4", "Core.SetFhssMode 4", "Core.SetFlags 1 1", "Core.SetFlags 0 2",
          "Core.SetFlags 1 4"},
         4,
         4,
         0},
        {4,
         0,
         1,
         0,
         {"Core.SetFhssMode 4", "Core.SetFlags 0 1", "Core.SetFlags 0 2", "Core.SetFlags 0 2",
          "Core.SetFlags 0 4"},
         4,
         4,
         0},
        {20, 1, 1, 0, {"Core.SetFlags 1 1", "Core.SetFlags 1 2", "Core.SetFlags 0 4"}, -1, 20, 1},
    };
    for (const Stored4& f : stored)
    {
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS_mode"), f.mode);
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS0"), f.detection);
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS1"), f.bandOff);
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS2"), f.sweepOff);
        recorded.log.Clear();
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
        Calls core;
        for (const std::string& call : recorded.log.Calls())
            if (call.rfind("Core.", 0) == 0)
                core.push_back(call);
        EXPECT_EQ(core, f.sent) << f.mode << " " << f.detection << f.bandOff << f.sweepOff;
        EXPECT_EQ(Child<QComboBox>("m_pFHSSCombo")->currentIndex(), f.shownMode) << f.mode;
        EXPECT_EQ(Stored("FHSS_mode"), f.storedMode) << f.mode;
        EXPECT_EQ(Child<QCheckBox>("m_pRangeFHSSCheck_0")->isChecked(), f.detection != 0);
        EXPECT_EQ(Child<QCheckBox>("m_pRangeFHSSCheck_1")->isChecked(), f.storedBandOff != 0);
        EXPECT_EQ(Stored("FHSS1"), f.storedBandOff);
        auto* third = Child<QCheckBox>("m_pRangeFHSSCheck_2");
        EXPECT_EQ(third->text(), QStringLiteral("FHSS 3"));
        EXPECT_TRUE(third->isHidden());
        EXPECT_EQ(third->isChecked(), f.sweepOff != 0);
        EXPECT_EQ(Stored("FHSS2"), f.sweepOff);
    }
}

TEST_F(OptionsWindowTest, TheAntennaDialogNamesTheSpansAndKeepsThePointsInOrder)
{
    CAntennaDialog dialog;
    Ui::CAntennaDialogClass& form = dialog.Form();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Auto Antenna Switch Settings"));
    EXPECT_EQ(dialog.size(), QSize(473, 162));
    CSlider* sliders[] = {form.m_pComm1Slider, form.m_pComm2Slider, form.m_pComm3Slider};
    const int minimum[] = {2, 1, 1};
    const int start[] = {28, 80, 200};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(sliders[i]->minimum(), minimum[i]) << i;
        EXPECT_EQ(sliders[i]->maximum(), 240) << i;
        EXPECT_EQ(sliders[i]->singleStep(), 1) << i;
        EXPECT_EQ(sliders[i]->pageStep(), 10) << i;
        EXPECT_EQ(sliders[i]->value(), start[i]) << i;
        EXPECT_EQ(sliders[i]->orientation(), Qt::Horizontal) << i;
    }
    EXPECT_EQ(form.m_pComm1Label->text(), QStringLiteral("1"));
    QLabel* labels[] = {form.m_pComm1Label, form.m_pComm2Label, form.m_pComm3Label, form.m_pComm4Label};

    // Its own timer names the spans.
    QTRY_COMPARE_WITH_TIMEOUT(form.m_pComm1Label->text(), QStringLiteral("ANT1 40-700 MHz"), 2000);
    EXPECT_EQ(form.m_pComm2Label->text(), QStringLiteral("ANT2 700-2000 MHz"));
    EXPECT_EQ(form.m_pComm3Label->text(), QStringLiteral("ANT3 2000-5000 MHz"));
    EXPECT_EQ(form.m_pComm4Label->text(), QStringLiteral("ANT4 5000-6030 MHz"));

    // A point moved past a later one takes the later ones along at the next tick; a later point moved
    // below an earlier one is pushed back up.
    struct Case
    {
        int slider;
        int value;
        int expected[3];
        const char* labels[4];
    };
    const Case cases[] = {
        {0,
         100,
         {100, 100, 200},
         {"ANT1 40-2500 MHz", "ANT2 2500-2000 MHz", "ANT3 2000-5000 MHz", "ANT4 5000-6030 MHz"}},
        {0,
         230,
         {230, 230, 230},
         {"ANT1 40-5750 MHz", "ANT2 5750-2500 MHz", "ANT3 2500-5000 MHz", "ANT4 5000-6030 MHz"}},
        {1,
         30,
         {230, 230, 230},
         {"ANT1 40-5750 MHz", "ANT2 5750-750 MHz", "ANT3 750-5750 MHz", "ANT4 5750-6030 MHz"}},
        {2,
         240,
         {230, 230, 240},
         {"ANT1 40-5750 MHz", "ANT2 5750-5750 MHz", "ANT3 5750-6000 MHz", "ANT4 6000-6030 MHz"}},
    };
    for (const Case& c : cases)
    {
        const int before = sliders[(c.slider + 1) % 3]->value();
        sliders[c.slider]->setValue(c.value);
        EXPECT_EQ(sliders[(c.slider + 1) % 3]->value(), before) << "only the tick moves the others";
        dialog.OnTimer();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(sliders[i]->value(), c.expected[i]) << c.slider << " " << c.value << " slider " << i;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(labels[i]->text(), QLatin1String(c.labels[i])) << c.slider << " " << c.value;
    }
}

TEST_F(OptionsWindowTest, SetAppliesTheSwitchingPointsHoweverTheDialogEnds)
{
    Build();
    CRecordedControls recorded;
    struct Case
    {
        const char* how;
        int stored[3];
        bool closeButton;  // else OK
        int moveFirstTo;   // 0: left alone; else moved and one tick run
        int sent[3];
    };
    const Case cases[] = {
        {"OK", {40, 90, 210}, false, 100, {100, 100, 210}},
        {"close button", {40, 90, 210}, true, 50, {50, 90, 210}},
        {"nothing stored", {0, 0, 0}, true, 0, {2, 1, 1}},
    };
    for (const Case& c : cases)
    {
        const char* keys[] = {"RadioCom1Slider", "RadioCom2Slider", "RadioCom3Slider"};
        for (int i = 0; i < 3; ++i)
        {
            if (c.stored[i] != 0)
                g_Parameters.SetInt(kRangeOptions, QLatin1String(keys[i]), c.stored[i]);
            else
                g_Parameters.SetString(kRangeOptions, QLatin1String(keys[i]), QString());
        }
        recorded.log.Clear();
        int shown[3] = {};
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&](QDialog& dialog)
            {
                auto& antenna = dynamic_cast<CAntennaDialog&>(dialog);
                Ui::CAntennaDialogClass& form = antenna.Form();
                shown[0] = form.m_pComm1Slider->value();
                shown[1] = form.m_pComm2Slider->value();
                shown[2] = form.m_pComm3Slider->value();
                if (c.moveFirstTo != 0)
                {
                    form.m_pComm1Slider->setValue(c.moveFirstTo);
                    antenna.OnTimer();
                }
                if (c.closeButton)
                    dialog.close();
                else
                    form.m_pOkButton->click();
                return dialog.result();
            },
            QStringLiteral("CAntennaDialogClass"));
        Child<QPushButton>("m_pAutoSwitchButton")->click();
        ASSERT_EQ(prompt.Asked().size(), 1u) << c.how;
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Auto Antenna Switch Settings")) << c.how;
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(shown[i], c.stored[i] != 0 ? c.stored[i] : c.sent[i]) << c.how << " slider " << i;
            EXPECT_EQ(Stored(keys[i]), c.sent[i]) << c.how << " " << keys[i];
        }
        const std::string levels = "Sky.SetCommutatorLevel " + std::to_string(c.sent[0]) + " " +
                                   std::to_string(c.sent[1]) + " " + std::to_string(c.sent[2]);
        EXPECT_EQ(recorded.log.Calls(), Calls({levels})) << c.how;
        EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutatorLevel()[0], c.sent[0]) << c.how;
    }
}
