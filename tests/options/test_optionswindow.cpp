#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolBox>

#include <memory>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "optionswindow.h"
#include "parameters.h"
#include "scriptedprompt.h"

namespace
{
// Each test runs in its own process on a fresh settings document and a fresh library core.
class OptionsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        // The channels exist once the correction tables are loaded, as at program start.
        g_DeviceThread.LoadCorrections();
    }

    void Build() { m_window = std::make_unique<COptionsWindow>(); }

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = m_window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QToolBox* ToolBox() const { return Child<QToolBox>("m_pOptionsToolBox"); }

    std::unique_ptr<COptionsWindow> m_window;
};

// Selects an input type the library has a channel for, or skips the test.
#define REQUIRE_CHANNEL_TYPE(type)                                       \
    if (!g_DeviceThread.SetChannelType(type))                            \
    {                                                                    \
        GTEST_SKIP() << "the library has no channel of type " << (type); \
    }
}  // namespace

TEST_F(OptionsWindowTest, IsTheOptionsDockWithItsThreePages)
{
    Build();
    EXPECT_EQ(m_window->GetSettingsName(), QStringLiteral("OptionsWindowToolBox"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Options"));
    ASSERT_EQ(ToolBox()->count(), 3);
    EXPECT_EQ(ToolBox()->itemText(0), QStringLiteral("Full Range Options"));
    EXPECT_EQ(ToolBox()->itemText(1), QStringLiteral("Band Options"));
    EXPECT_EQ(ToolBox()->itemText(2), QStringLiteral("Demodulation Options"));
}

TEST_F(OptionsWindowTest, OnlyTheSingleFrequencyConverterBandsAreHidden)
{
    Build();
    const char* hidden[] = {"m_pLMX_Check_",   "m_pLMX_Check_0",  "m_pLMX_Check_16",
                            "m_pLMX_Check_17", "m_pLMX_Check_18", "m_pLMX_Check_19",
                            "m_pLMX_Check_20", "m_pLMX_Check_21", "m_pLMX_Check_22"};
    for (const char* name : hidden)
        EXPECT_TRUE(Child<QCheckBox>(name)->isHidden()) << name;
    int shown = 0;
    for (QCheckBox* check :
         m_window->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^m_pLMX_Check_"))))
        shown += check->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 24);
}

TEST_F(OptionsWindowTest, ShowPageSelectsAValidPageAndOtherwiseTheStoredOne)
{
    g_Parameters.SetInt(QStringLiteral("Options"), QStringLiteral("Page"), 2);
    Build();
    struct Case
    {
        bool visible;
        int page;
        int expectedPage;
    };
    const Case cases[] = {{true, 1, 1}, {true, 3, 2}, {true, -1, 2}, {false, 0, 0}, {true, 0, 0}};
    for (const Case& c : cases)
    {
        m_window->ShowPage(c.visible, c.page);
        EXPECT_EQ(m_window->isVisible(), c.visible) << c.page;
        EXPECT_EQ(ToolBox()->currentIndex(), c.expectedPage) << c.visible << " " << c.page;
    }
    // A plain show after ShowPage(false, 0) went back to the stored page 2.
    m_window->ShowPage(false, 1);
    m_window->setVisible(true);
    EXPECT_EQ(ToolBox()->currentIndex(), 2);
}

TEST_F(OptionsWindowTest, ReloadPushesTheStoredDisplayOptionsToTheThreeTransforms)
{
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 5);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecWindow"), 2);
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), QStringLiteral("SpecAverMode"), 7);
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), QStringLiteral("SpecWindow"), 9);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SpecAverMode"), 1);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SpecWindow"), 4);
    Build();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 5);
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetWindow(), 2);
    EXPECT_EQ(g_DeviceThread.m_pDdcFft1->GetAveraging(), 7);
    EXPECT_EQ(g_DeviceThread.m_pDdcFft1->GetWindow(), 9);
    EXPECT_EQ(g_DeviceThread.m_pDemodFft1->GetAveraging(), 1);
    EXPECT_EQ(g_DeviceThread.m_pDemodFft1->GetWindow(), 4);
    EXPECT_EQ(Child<QComboBox>("m_pRangeSpecAverCombo")->currentText(), QStringLiteral("x32"));
}

TEST_F(OptionsWindowTest, RangeReloadTellsTheViewsAboutEnvelopeAndWaterfallBuffer)
{
    Build();
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecEnvelope"), 1);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallWriteBuffer"), 1);
    g_Parameters.SetString(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallBufferPath"),
                           QStringLiteral("/tmp/range.rwb"));
    QSignalSpy envelope(m_window.get(), &COptionsWindow::rangeEnvelopeChanged);
    QSignalSpy buffer(m_window.get(), &COptionsWindow::rangeWaterfallBuffer);
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
    ASSERT_EQ(envelope.count(), 1);
    EXPECT_TRUE(envelope.at(0).at(0).toBool());
    ASSERT_EQ(buffer.count(), 1);
    EXPECT_TRUE(buffer.at(0).at(0).toBool());
    EXPECT_EQ(buffer.at(0).at(1).toString(), QStringLiteral("/tmp/range.rwb"));
    EXPECT_EQ(m_window->GetRangeWaterfallBufferPath(), QStringLiteral("/tmp/range.rwb"));
    EXPECT_TRUE(Child<QGroupBox>("m_pRangeWaterfallGroupBox")->isHidden());

    // Any other page value does nothing but the trace.
    m_window->SetupOptionsWindow(3, 0);
    EXPECT_EQ(envelope.count(), 1);
    EXPECT_EQ(buffer.count(), 1);
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
}

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
}

TEST_F(OptionsWindowTest, DemodReloadTakesTheStoredSoundLevelLimitedToTheDialRange)
{
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SoundUseAgc"), 0);
    struct Case
    {
        double stored;
        int shown;
    };
    Build();
    for (const Case& c : {Case{60.0, 60}, Case{150.0, 100}, Case{-5.0, 0}, Case{33.9, 33}})
    {
        g_Parameters.SetDouble(QStringLiteral("DemodOptions"), QStringLiteral("SoundAgcLevel"), c.stored);
        m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
        EXPECT_EQ(Child<QDial>("m_pDemodSoundLevelDial")->value(), c.shown) << c.stored;
        EXPECT_EQ(Child<QLineEdit>("m_pDemodSoundLevelEdit")->text(), QString::number(c.shown)) << c.stored;
    }
    EXPECT_TRUE(Child<QLineEdit>("m_pDemodSoundLevelEdit")->isEnabled())
        << "AGC off: the level is the operator's";
}

TEST_F(OptionsWindowTest, DestructionStoresPageSoundLevelAndCombineCounts)
{
    Build();
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    ToolBox()->setCurrentIndex(2);
    Child<QLineEdit>("m_pDemodSoundLevelEdit")->setText(QStringLiteral("60"));
    Child<QLineEdit>("m_pDdcCombineOscEdit")->setText(QStringLiteral("abc"));
    Child<QLineEdit>("m_pDemodCombineOscEdit")->setText(QStringLiteral("12"));
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Options"), QStringLiteral("Page"), -1), 2);
    EXPECT_EQ(
        g_Parameters.GetString(QStringLiteral("DemodOptions"), QStringLiteral("SoundAgcLevel"), QString()),
        QStringLiteral("60.000000"));
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DdcOptions"), prefix + QStringLiteral("CombineOsc"), -1),
              0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DemodOptions"), prefix + QStringLiteral("CombineOsc"), -1),
              12);
}

TEST_F(OptionsWindowTest, AnEmptyAudioDeviceListLeavesTheStoredChoiceAlone)
{
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 3);
    Build();
    auto* combo = Child<QComboBox>("m_pDemodAudioDeviceCombo");
    combo->clear();
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), -1), 3);
}

TEST_F(OptionsWindowTest, ConverterBandCodesGiveDeviceValueModeAndOffset)
{
    Build();
    struct Case
    {
        const char* check;
        int deviceValue;
        int mode;
        double offsetMHz;
    };
    const Case cases[] = {
        {"m_pLMX_Check_1", 70, 2, 7000.0},    {"m_pLMX_Check_28", 110, 2, 11000.0},
        {"m_pLMX_Check_4", 110, 1, 1500.0},   {"m_pLMX_Check_", 1, 2, 100.0},
        {"m_pLMX_Check_0", 155, 2, 15500.0},  {"m_pLMX_Check_13", 155, 1, 6000.0},
        {"m_pLMX_Check_22", 200, 1, 10500.0},
    };
    for (const Case& c : cases)
    {
        Child<QCheckBox>(c.check)->click();
        EXPECT_EQ(g_DeviceThread.m_pSky->GetLMX(), c.deviceValue) << c.check;
        EXPECT_EQ(m_window->m_nLmxMode, c.mode) << c.check;
        EXPECT_DOUBLE_EQ(g_FreqOffset.load(), c.offsetMHz) << c.check;
        int checked = 0;
        for (QCheckBox* check :
             m_window->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^m_pLMX_Check_"))))
            checked += check->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1) << c.check;
    }
    // Clicking the checked band again switches the converter off.
    Child<QCheckBox>("m_pLMX_Check_22")->click();
    EXPECT_EQ(g_DeviceThread.m_pSky->GetLMX(), 0);
    EXPECT_EQ(m_window->m_nLmxMode, 0);
    EXPECT_DOUBLE_EQ(g_FreqOffset.load(), 0.0);
}

TEST_F(OptionsWindowTest, VectorSampleCountsComeFromTheList)
{
    Build();
    EXPECT_EQ(m_window->GetVectorSamples(0), 256);
    EXPECT_EQ(m_window->GetVectorSamples(4), 4096);
    EXPECT_EQ(m_window->GetVectorSamples(7), 0);
    EXPECT_EQ(m_window->GetVectorSamples(-1), 0);
}

TEST_F(OptionsWindowTest, ResetRangeAveragingIsStoredOnlyOnceSettled)
{
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 3);
    Build();
    ASSERT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 3);
    m_window->ResetRangeAveraging();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 3);

    m_window->OnTimer2();
    Child<QComboBox>("m_pRangeSpecAverCombo")->setCurrentIndex(4);
    m_window->ResetRangeAveraging();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 0);
}

TEST_F(OptionsWindowTest, RangeAveragingCanBeLockedAndTheTimeTextSet)
{
    Build();
    m_window->SetRangeAveragingEnabled(false);
    EXPECT_FALSE(Child<QComboBox>("m_pRangeSpecAverCombo")->isEnabled());
    m_window->SetRangeWaterfallTimeText(QStringLiteral("Recording time available: 12 min"));
    EXPECT_EQ(Child<QLabel>("m_pRangeWaterfallTimeLabel")->text(),
              QStringLiteral("Recording time available: 12 min"));
    m_window->SetPageEnabled(1, false);
    EXPECT_FALSE(ToolBox()->isItemEnabled(1));
}

TEST_F(OptionsWindowTest, BrowsingForABufferSwitchesItOnWithTheChosenFile)
{
    Build();
    QSignalSpy buffer(m_window.get(), &COptionsWindow::ddcWaterfallBuffer);
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("*.dwb"));
        m_window->OnDdcWaterfallBrowseButton();
    }
    EXPECT_EQ(buffer.count(), 0) << "a cancelled dialog changes nothing";

    const QString path = QDir::tempPath() + QStringLiteral("/band.dwb");
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(path, QStringLiteral("*.dwb"));
    m_window->OnDdcWaterfallBrowseButton();
    ASSERT_EQ(buffer.count(), 1);
    EXPECT_TRUE(buffer.at(0).at(0).toBool());
    EXPECT_EQ(buffer.at(0).at(1).toString(), path);
    EXPECT_TRUE(Child<QCheckBox>("m_pDdcWaterfallWriteToBufferCheck")->isChecked());
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DdcOptions"), QStringLiteral("WaterfallWriteBuffer"), 0),
              1);
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("DdcOptions"), QStringLiteral("WaterfallBufferPath"),
                                     QString()),
              path);
}

TEST_F(OptionsWindowTest, GroupVisibilityFollowsThePanesOfTheViews)
{
    Build();
    m_window->SetDdcGroupsVisible(false, true, false, true);
    EXPECT_TRUE(Child<QGroupBox>("m_pDdcSpectrumGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDdcWaterfallGroupBox")->isHidden());
    EXPECT_TRUE(Child<QGroupBox>("m_pDdcOscGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDdcVectorGroupBox")->isHidden());
    m_window->SetDemodGroupsVisible(true, false, true);
    EXPECT_FALSE(Child<QGroupBox>("m_pDemodSpectrumGroupBox")->isHidden());
    EXPECT_TRUE(Child<QGroupBox>("m_pDemodWaterfallGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDemodOscGroupBox")->isHidden());
    m_window->SetRangeGroupsVisible(false, true);
    EXPECT_TRUE(Child<QGroupBox>("m_pRangeSpectrumGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pRangeWaterfallGroupBox")->isHidden());
}

TEST_F(OptionsWindowTest, AntennaSwitchFollowsTheStoredChoiceUnlessAnotherWindowOwnsIt)
{
    REQUIRE_CHANNEL_TYPE(0);
    Build();
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
        m_window->SetupOptionsWindow(COptionsWindow::RangePage, 1);
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
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 2);
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 1);
    EXPECT_FALSE(Child<QLabel>("m_pLabelAntenna")->isHidden());
    EXPECT_TRUE(Child<QRadioButton>("m_pManualSwitchRadio")->isHidden());
    EXPECT_TRUE(Child<QPushButton>("m_pComm1Button")->isHidden());

    // The operator's antenna buttons are exclusive and stored.
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 1);
    Child<QPushButton>("m_pComm2Button")->click();
    EXPECT_EQ(g_DeviceThread.m_pSky->GetCommutator(), 2);
    EXPECT_FALSE(Child<QPushButton>("m_pComm4Button")->isChecked());
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("RadioCom"), -1), 2);
}
