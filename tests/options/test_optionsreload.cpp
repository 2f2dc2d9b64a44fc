// The page reload on a freshly reset settings document for each kind of input, the counts it shows
// for absent keys, and the sound group's slots: what reaches the library is recorded, in order, at its
// interfaces around the library's own objects.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QGroupBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "optionswindowtest.h"
#include "parameters.h"
#include "recordingcontrols.h"

namespace
{
using Calls = std::vector<std::string>;

const QString kRangeOptions = QStringLiteral("RangeOptions");
const QString kDemodOptions = QStringLiteral("DemodOptions");

// A key the reload never wrote reads back as -100.
int Stored(const QString& section, const char* key)
{
    return g_Parameters.GetInt(section, QLatin1String(key), -100);
}

// The input groups of the range page; every one not named for an input type is hidden.
const char* const kInputGroups[] = {"m_pRangeAcousticGroupBox", "m_pRangeRadioGroupBox",
                                    "m_pRangeWiredGroupBox",    "m_pRangeCommGroupBox",
                                    "m_pRangeDlaGroupBox",      "m_pRangeAttGroupBox"};

// The page 2 pushes of a fresh document: AGC on, and the stored level 60 through the dial's slot and
// then by the reload itself.
const Calls kFreshSoundCalls = {"Sound.SetUseAgc 1", "Sound.SetSoundLevel 60", "Sound.SetSoundLevel 60"};

Calls Concat(Calls first, const Calls& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

TEST_F(OptionsWindowTest, AFreshDocumentIsPushedInOrderForEveryInputType)
{
    AddChannelsUpTo(6);

    // The radio input: the stored gain 6 through the list's slot (item + 1), then the reload's own
    // pushes, which send the item itself.
    const Calls radioBuilt =
        Concat({"Sky.SetGainIndex 7", "Sky.SetGainIndex 6", "Sky.SetAttenuator 0", "Sky.SetAmplSwitch 0",
                "Sky.SetAttSwitch 1", "Sky.SetFilter 0", "Core.SetFhssMode 0", "Core.SetFlags 0 1",
                "Core.SetFlags 0 2", "Core.SetFlags 0 2", "Core.SetFlags 0 4"},
               kFreshSoundCalls);
    const Calls radioAgain = {"Sky.SetGainIndex 6",
                              "Sky.SetAttenuator 0",
                              "Sky.SetAmplSwitch 0",
                              "Sky.SetAttSwitch 1",
                              "Sky.SetFilter 0",
                              "Sky.SetCommutator 1",
                              "Sky.SetCommutatorLevel 28 80 200",
                              "Core.SetFhssMode 0",
                              "Core.SetFlags 0 1",
                              "Core.SetFlags 0 2",
                              "Core.SetFlags 0 2",
                              "Core.SetFlags 0 4"};
    struct Case
    {
        int type;
        // At construction: the range page's pushes, where a combo's index changes its slot's push
        // first, then the sound.
        Calls built;
        // A second range reload with the antenna switch offered: only the reload's own pushes.
        Calls again;
        std::set<std::string> shownGroups;
    };
    const Case cases[] = {
        {0, radioBuilt, radioAgain, {"m_pRangeAttGroupBox"}},
        {3, radioBuilt, radioAgain, {"m_pRangeAttGroupBox"}},
        {1,
         Concat({"Sky.SetGainIndex 0"}, kFreshSoundCalls),
         {"Sky.SetGainIndex 0"},
         {"m_pRangeWiredGroupBox"}},
        {2,
         Concat({"Sky.SetGainIndex 0", "Dla.SetGain 3", "Dla.SetComm 2", "Dla.SetGain 3", "Dla.SetComm 2"},
                kFreshSoundCalls),
         {"Sky.SetGainIndex 0", "Dla.SetGain 3", "Dla.SetComm 2"},
         {"m_pRangeWiredGroupBox", "m_pRangeCommGroupBox"}},
        {4,
         Concat({"Dla.SetGain 3", "Dla.SetComm 2", "Dla.SetGain 3", "Dla.SetComm 2"}, kFreshSoundCalls),
         {"Dla.SetGain 3", "Dla.SetComm 2"},
         {"m_pRangeCommGroupBox", "m_pRangeDlaGroupBox"}},
        {5,
         Concat({"Sky.SetGainIndex 0"}, kFreshSoundCalls),
         {"Sky.SetGainIndex 0"},
         {"m_pRangeWiredGroupBox"}},
        {6,
         Concat({"Acoustic.SetGain 5", "Acoustic.SetGain 5"}, kFreshSoundCalls),
         {"Acoustic.SetGain 5"},
         {"m_pRangeAcousticGroupBox"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("input type " + std::to_string(c.type));
        m_window.reset();
        ASSERT_TRUE(g_DeviceThread.SetChannelType(c.type));
        // The reset takes the DLA and acoustic settings from the device (which the channel switch
        // reinitialises): make them other than the lists' first items, so that setting them runs the
        // combos' slots.
        g_DeviceThread.m_pDla->SetGain(3);
        g_DeviceThread.m_pDla->SetComm(2);
        g_DeviceThread.m_pAcoustic->SetGain(5);
        g_Parameters.SetDefaults();
        CRecordedControls recorded;
        Build();
        EXPECT_EQ(recorded.log.Calls(), c.built);

        for (const char* group : kInputGroups)
            EXPECT_EQ(Child<QGroupBox>(group)->isHidden(), c.shownGroups.count(group) == 0) << group;
        EXPECT_EQ(Child<QComboBox>("m_pRangeSpecAverCombo")->currentText(), QStringLiteral("x8"));
        EXPECT_EQ(Child<QComboBox>("m_pRangeSpecWindowCombo")->currentText(), QStringLiteral("Hanning"));

        if (c.type == 0 || c.type == 3)
        {
            for (const char* combo : {"m_pRangeRadioGainCombo", "m_pRangeRadioGainComboVersion4",
                                      "m_pRangeRadioGainComboVersion6"})
                EXPECT_TRUE(Child<QComboBox>(combo)->isHidden()) << combo;
            EXPECT_EQ(Child<QComboBox>("m_pRangeRadioAttCombo")->currentIndex(), 0);
            EXPECT_TRUE(Child<QCheckBox>("m_pRangeRadioAttSwCheck")->isChecked()) << "Direct";
            EXPECT_FALSE(Child<QCheckBox>("m_pRangeRadioAmplSwCheck")->isChecked());
            EXPECT_EQ(Child<QComboBox>("m_pRangeRadioFilterCombo")->currentIndex(), 0);
            const std::pair<const char*, int> written[] = {
                {"RadioAtt", 0},  {"RadioAmplSw", 0}, {"RadioAttSw", 1}, {"RadioFilter", 0},
                {"FHSS_mode", 0}, {"FHSS0", 0},       {"FHSS1", 0},      {"FHSS2", 0}};
            for (const auto& [key, value] : written)
                EXPECT_EQ(Stored(kRangeOptions, key), value) << key;
        }
        else
        {
            // Nothing of the radio input is written for another input.
            for (const char* key : {"RadioAmplSw", "RadioFilter", "FHSS_mode", "FHSS0", "FHSS1", "FHSS2"})
                EXPECT_EQ(Stored(kRangeOptions, key), -100) << key;
        }

        // The waterfall buffer is announced for every input.
        QSignalSpy buffer(m_window.get(), &COptionsWindow::rangeWaterfallBuffer);
        recorded.log.Clear();
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 1);
        EXPECT_EQ(recorded.log.Calls(), c.again);
        ASSERT_EQ(buffer.count(), 1);
        EXPECT_FALSE(buffer.at(0).at(0).toBool());
        EXPECT_EQ(buffer.at(0).at(1).toString(), QString());
    }

    // A stored acoustic gain beyond the list leaves the list without a gain, and none is pushed.
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("AcousticGain"), 20);
    CRecordedControls recorded;
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
    EXPECT_EQ(Child<QComboBox>("m_pRangeAcousticGainCombo")->currentIndex(), -1);
    EXPECT_TRUE(recorded.log.Calls().empty());
    EXPECT_EQ(g_DeviceThread.m_pAcoustic->GetGain(), 5);
}

TEST_F(OptionsWindowTest, AbsentCombineCountsShowOneAndReachTheViews)
{
    Build();
    const QString key = g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("CombineOsc");
    struct Case
    {
        int page;
        const char* section;
        const char* edit;
        void (COptionsWindow::*signal)(int);
    };
    const Case cases[] = {
        {COptionsWindow::BandPage, "DdcOptions", "m_pDdcCombineOscEdit", &COptionsWindow::ddcCombineOsc},
        {COptionsWindow::DemodPage, "DemodOptions", "m_pDemodCombineOscEdit",
         &COptionsWindow::demodCombineOsc},
    };
    for (const Case& c : cases)
    {
        auto* edit = Child<QLineEdit>(c.edit);
        edit->setText(QStringLiteral("5"));
        g_Parameters.SetString(QLatin1String(c.section), key, QString());
        QSignalSpy counts(m_window.get(), c.signal);
        m_window->SetupOptionsWindow(c.page, 0);
        EXPECT_EQ(edit->text(), QStringLiteral("1")) << c.section;
        ASSERT_EQ(counts.count(), 1) << c.section;
        EXPECT_EQ(counts.at(0).at(0).toInt(), 1) << c.section;
    }
}

TEST_F(OptionsWindowTest, SoundLevelStaysWithinTheDialRangeFromEveryControl)
{
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SoundUseAgc"), 0);
    g_Parameters.SetDouble(kDemodOptions, QStringLiteral("SoundAgcLevel"), 50.0);
    Build();
    CRecordedControls recorded;
    auto* agc = Child<QCheckBox>("m_pDemodUseAgcCheck");
    auto* edit = Child<QLineEdit>("m_pDemodSoundLevelEdit");
    auto* dial = Child<QDial>("m_pDemodSoundLevelDial");
    ASSERT_FALSE(agc->isChecked());
    ASSERT_EQ(dial->value(), 50);

    // With the AGC on the controls are locked and the edit follows the engine's level, ten times a second.
    recorded.sound.agcLevel = 42;
    agc->click();
    EXPECT_EQ(recorded.log.Calls(), Calls({"Sound.SetUseAgc 1"}));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(dial->isEnabled());
    m_window->OnTimer();
    EXPECT_EQ(edit->text(), QStringLiteral("42"));
    EXPECT_EQ(dial->value(), 50) << "the poll moves no dial";
    recorded.sound.agcLevel = 77;
    QTRY_COMPARE_WITH_TIMEOUT(edit->text(), QStringLiteral("77"), 1000);
    EXPECT_EQ(recorded.log.Calls(), Calls({"Sound.SetUseAgc 1"})) << "the poll tells the engine nothing";

    // Off again: the last level shown becomes the manual level, and the poll stops.
    recorded.log.Clear();
    agc->click();
    EXPECT_EQ(recorded.log.Calls(),
              Calls({"Sound.SetUseAgc 0", "Sound.SetSoundLevel 77", "Sound.SetSoundLevel 77"}));
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(dial->isEnabled());
    EXPECT_EQ(dial->value(), 77);
    recorded.sound.agcLevel = 10;
    QTest::qWait(300);
    EXPECT_EQ(edit->text(), QStringLiteral("77"));

    // A typed level ends with Return. The dial's own slot runs first whenever its position changes.
    struct Typed
    {
        const char* text;
        int dialBefore;
        const char* shown;
        Calls sent;
    };
    const Typed typed[] = {
        {"150", 60, "100", {"Sound.SetSoundLevel 100", "Sound.SetSoundLevel 100"}},
        {"150", 100, "100", {"Sound.SetSoundLevel 100"}},
        {"-20", 60, "0", {"Sound.SetSoundLevel 0", "Sound.SetSoundLevel 0"}},
        {"abc", 60, "0", {"Sound.SetSoundLevel 0", "Sound.SetSoundLevel 0"}},
        {"35", 60, "35", {"Sound.SetSoundLevel 35", "Sound.SetSoundLevel 35"}},
    };
    for (const Typed& t : typed)
    {
        {
            const QSignalBlocker quiet(dial);
            dial->setValue(t.dialBefore);
        }
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(t.text));
        recorded.log.Clear();
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(edit->text(), QLatin1String(t.shown)) << t.text;
        EXPECT_EQ(dial->value(), QByteArray(t.shown).toInt()) << t.text;
        EXPECT_EQ(recorded.log.Calls(), t.sent) << t.text;
    }

    // The dial shows its position and sends it, once per position.
    {
        const QSignalBlocker quiet(dial);
        dial->setValue(60);
    }
    recorded.log.Clear();
    dial->setValue(35);
    dial->setValue(35);
    EXPECT_EQ(edit->text(), QStringLiteral("35"));
    EXPECT_EQ(recorded.log.Calls(), Calls({"Sound.SetSoundLevel 35"}));
}

TEST_F(OptionsWindowTest, TheDeclickerIsReachedOnlyThroughItsSlots)
{
    Build();
    CRecordedControls recorded;
    EXPECT_TRUE(Child<QGroupBox>("m_pDemodDeclickerGroupBox")->isHidden());

    // No control of the window is wired to the declicker.
    for (const char* name : {"m_pDemodDeclickerEnableCheck", "m_pDemodDeclickerCheck",
                             "m_pDemodDenoiserCheck", "m_pDemodMfCheck"})
    {
        Child<QCheckBox>(name)->click();
        Child<QCheckBox>(name)->toggle();
    }
    EXPECT_TRUE(recorded.log.Calls().empty());

    struct Case
    {
        const char* slot;
        void (COptionsWindow::*call)(bool);
        const char* sent;
        bool (IDeclicker::*held)();
    };
    const Case cases[] = {
        {"OnDemodDeclickerEnableCheck(bool)", &COptionsWindow::OnDemodDeclickerEnableCheck,
         "Declicker.SetEnabled", &IDeclicker::GetEnabled},
        {"OnDemodDeclickerCheck(bool)", &COptionsWindow::OnDemodDeclickerCheck, "Declicker.SetDeclick",
         &IDeclicker::GetDeclick},
        {"OnDemodDenoiserCheck(bool)", &COptionsWindow::OnDemodDenoiserCheck, "Declicker.SetDenoise",
         &IDeclicker::GetDenoise},
        {"OnDemodMfCheck(bool)", &COptionsWindow::OnDemodMfCheck, "Declicker.SetMf", &IDeclicker::GetMf},
    };
    IDeclicker* declicker = g_DeviceThread.m_pDeclicker;
    for (const Case& c : cases)
    {
        EXPECT_GE(m_window->metaObject()->indexOfSlot(c.slot), 0) << c.slot;
        for (bool on : {true, false})
        {
            recorded.log.Clear();
            (m_window.get()->*c.call)(on);
            EXPECT_EQ(recorded.log.Calls(), Calls({std::string(c.sent) + (on ? " 1" : " 0")})) << c.slot;
            EXPECT_EQ((declicker->*c.held)(), on) << c.slot;
        }
    }
}

TEST_F(OptionsWindowTest, AReloadOnceSettledKeepsTheStoredRangeAveraging)
{
    Build();
    m_window->OnTimer2();
    auto* averaging = Child<QComboBox>("m_pRangeSpecAverCombo");
    // The refill of every reload passes the first mode on its way to the stored one.
    struct Case
    {
        const char* how;
        int stored;
        const char* shown;
    };
    for (const Case& c : {Case{"pane button", 5, "x32"}, Case{"default parameters", 3, "x8"}})
    {
        if (c.stored == 3)
            g_Parameters.SetDefaults();
        else
            g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecAverMode"), c.stored);
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
        m_window->SetupOptionsWindow(COptionsWindow::BandPage, 0);
        m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
        EXPECT_EQ(averaging->currentText(), QLatin1String(c.shown)) << c.how;
        EXPECT_EQ(Stored(kRangeOptions, "SpecAverMode"), c.stored) << c.how;
        EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), c.stored) << c.how;
    }

    // The operator's choice is still stored.
    averaging->setCurrentIndex(6);
    EXPECT_EQ(Stored(kRangeOptions, "SpecAverMode"), 6);
}
