// The pane commands of the main window, in-process with the real library: the pane modes of the
// three panes, the shared pause of the two lower panes, the DDC band and its sound, video and
// tuning, tuning to an analysis result, bringing a frequency into the range pane, the tool-window
// toggles, and a library exception in a command.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysiswindow.h"
#include "archivewindow.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "dockwindow.h"
#include "fftoptions.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "imultiadf4350.h"
#include "isoundengine.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "parameters.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "templateswindow.h"
#include "veltrano.h"
#include "videowindow.h"

namespace
{
const QString kDevice = QStringLiteral("Device");
// Sample rates from this one up cannot be played.
constexpr int kSoundRateLimit = 384000;

class CPaneWindow : public Veltrano
{
public:
    CPaneWindow() : Veltrano(0, QString()) {}
    using Veltrano::ui;
};

// The library's sound engine with every call written down: which rate the output is opened at is
// the whole point of the sound rules, and the engine keeps no record of it.
class CSoundLog : public ISoundEngine
{
public:
    explicit CSoundLog(ISoundEngine* real) : m_real(real) {}

    std::vector<std::string> calls;

    bool Open(int deviceId, int rate) override
    {
        calls.push_back("Open(" + std::to_string(deviceId) + "," + std::to_string(rate) + ")");
        return m_real->Open(deviceId, rate);
    }
    void ResetBuffers() override
    {
        calls.push_back("ResetBuffers");
        m_real->ResetBuffers();
    }
    void Close() override
    {
        calls.push_back("Close");
        m_real->Close();
    }
    void PlaySample(double sample) override { m_real->PlaySample(sample); }
    void StartRecording(const std::wstring& path) override { m_real->StartRecording(path); }
    void StopRecording() override { m_real->StopRecording(); }
    bool OpenPlayback(const std::wstring& path) override { return m_real->OpenPlayback(path); }
    void StopPlayback() override { m_real->StopPlayback(); }
    bool PlayNextBlock() override { return m_real->PlayNextBlock(); }
    int GetPlaybackLength() override { return m_real->GetPlaybackLength(); }
    void SetRangeSoundOn(bool on) override { m_real->SetRangeSoundOn(on); }
    bool IsRangeSoundOn() override { return m_real->IsRangeSoundOn(); }
    void SetUseAgc(bool on) override { m_real->SetUseAgc(on); }
    void SetSoundLevel(int level) override { m_real->SetSoundLevel(level); }
    int GetAgcLevel() override { return m_real->GetAgcLevel(); }
    bool IsOutputOn() override { return m_real->IsOutputOn(); }
    bool IsPlaying() override { return m_real->IsPlaying(); }
    bool IsRecording() override { return m_real->IsRecording(); }
    bool GetInterface(int id, void** out) override { return m_real->GetInterface(id, out); }

private:
    ISoundEngine* m_real;
};

class PaneCommandsTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void SetUp() override
    {
        // Any message box a test does not script fails it instead of waiting for an operator.
        prompt = std::make_unique<CScriptedPrompt>();
        g_DeviceThread.SetDemoMode(false);
        // The library's own band lists, whatever an earlier test did to them.
        Bits()->Init();
        window = std::make_unique<CPaneWindow>();
        // The acquisition loop rebuilds the control block, which moves the scan and the tuning: with
        // it stopped, only the commands under test change them.
        g_DeviceThread.Stop();
        window->show();
        for (CQDockWindow* dock : window->findChildren<CQDockWindow*>())
            if (dock->isVisible())
                dock->hide();
        m_realSound = g_DeviceThread.m_pSoundEngine;
        sound = std::make_unique<CSoundLog>(m_realSound);
        g_DeviceThread.m_pSoundEngine = sound.get();
        prefix = g_DeviceThread.GetChannelPrefix();
        Bits()->SetTuneFreqAndBandwidth(100e6, 0);
    }

    void TearDown() override
    {
        window.reset();
        g_DeviceThread.m_pSoundEngine = m_realSound;
        Bits()->Init();
        g_DeviceThread.m_pMultiAdf->SetEnabled(false);
        g_DeviceThread.m_pMultiAdf->ClearRanges();
        Adf()->SetOnlyDdc(false);
        prompt.reset();
    }

    static IControlBits* Bits() { return g_DeviceThread.m_pControlBits; }
    static IAdf4350* Adf() { return g_DeviceThread.m_pAdf; }
    Ui::VeltranoClass& Form() const { return window->ui; }
    QComboBox* BandCombo() const { return window->ui.m_pDdcBandwidthCombo; }
    QComboBox* OptionsBandCombo() const
    {
        auto* combo = window->findChild<QComboBox*>(QStringLiteral("m_pDdcBandNameCombo"));
        EXPECT_NE(combo, nullptr);
        return combo;
    }
    QPushButton* Button(const char* name) const
    {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    int StoredBandwidth() const
    {
        return g_Parameters.GetInt(kDevice, prefix + QStringLiteral("Bandwidth"), -99);
    }
    void StoreBandwidth(int index) const
    {
        g_Parameters.SetInt(kDevice, prefix + QStringLiteral("Bandwidth"), index);
    }
    IGraphic* FirstRangePainter() const
    {
        IGraphic* first = window->ui.m_pRangeGraphView->GetGraphicAt(0);
        EXPECT_NE(first, nullptr);
        return first;
    }

    std::unique_ptr<CScriptedPrompt> prompt;
    std::unique_ptr<CPaneWindow> window;
    std::unique_ptr<CSoundLog> sound;
    QString prefix;

private:
    ISoundEngine* m_realSound = nullptr;
};

// Pane modes ------------------------------------------------------------------------------------

TEST_F(PaneCommandsTest, ModeButtonsSetTheViewTheStoredModeTheFitButtonsAndTheOptionsPage)
{
    struct Pane
    {
        const char* section;
        const char* options;
        const char* autoFit;
        const char* zero;
        const char* waterfallCheck;  // reloaded from the settings with the pane's options page
        std::vector<const char*> modeButtons;
        std::function<int()> viewMode;
    };
    const Pane range{"RangePane",
                     "RangeOptions",
                     "m_pRangeAutoFitButton",
                     "m_pRangeZeroButton",
                     "m_pRangeWaterfallSpectrumCheck",
                     {"m_pRangeSpectrumButton", "m_pRangeWaterfallButton", "m_pRangeOscButton"},
                     [this] { return Form().m_pRangeGraphView->GetPaneMode(); }};
    const Pane ddc{"DdcPane",
                   "DdcOptions",
                   "m_pDdcAutoFitButton",
                   "m_pDdcZeroButton",
                   "m_pDdcWaterfallSpectrumCheck",
                   {"m_pDdcSpectrumButton", "m_pDdcWaterfallButton", "m_pDdcOscButton", "m_pDdcVecButton"},
                   [this] { return Form().m_pDdcGraphView->GetPaneMode(); }};
    const Pane demod{"DemodPane",
                     "DemodOptions",
                     "m_pDemodAutoFitButton",
                     "m_pDemodZeroButton",
                     "m_pDemodWaterfallSpectrumCheck",
                     {"m_pDemodSpectrumButton", "m_pDemodWaterfallButton", "m_pDemodOscButton"},
                     [this] { return Form().m_pDemodGraphView->GetPaneMode(); }};

    const struct
    {
        const Pane& pane;
        const char* button;
        int waterfallSpectrum;  // "WaterfallSpectrum" of the pane's options section
        int viewMode;
        int graphMode;
        bool autoFitShown;
        bool osc;         // hides the Zero button
        bool pageReload;  // the options page is set up again
    } rows[] = {
        {range, "m_pRangeSpectrumButton", 1, 0, 0, true, false, true},
        {range, "m_pRangeWaterfallButton", 0, 1, 1, false, false, true},
        {range, "m_pRangeWaterfallButton", 1, 2, 1, true, false, true},
        {range, "m_pRangeOscButton", 0, 3, 2, false, true, true},
        {range, "m_pRangeSpectrumButton", 0, 0, 0, true, false, true},
        {ddc, "m_pDdcSpectrumButton", 1, 0, 0, true, false, true},
        {ddc, "m_pDdcWaterfallButton", 0, 1, 1, false, false, true},
        {ddc, "m_pDdcWaterfallButton", 1, 2, 1, true, false, true},
        {ddc, "m_pDdcOscButton", 1, 3, 2, false, true, true},
        {ddc, "m_pDdcVecButton", 1, 4, 3, false, false, false},
        {ddc, "m_pDdcSpectrumButton", 0, 0, 0, true, false, true},
        {demod, "m_pDemodSpectrumButton", 1, 0, 0, true, false, true},
        {demod, "m_pDemodWaterfallButton", 0, 1, 1, false, false, true},
        {demod, "m_pDemodWaterfallButton", 1, 2, 1, true, false, true},
        {demod, "m_pDemodOscButton", 0, 3, 2, false, true, true},
        {demod, "m_pDemodSpectrumButton", 1, 0, 0, true, false, true},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(std::string(row.button) + " WaterfallSpectrum=" + std::to_string(row.waterfallSpectrum));
        const QString options = QString::fromLatin1(row.pane.options);
        g_Parameters.SetInt(options, QStringLiteral("WaterfallSpectrum"), row.waterfallSpectrum);
        g_Parameters.SetInt(QString::fromLatin1(row.pane.section), QStringLiteral("GraphMode"), -1);
        // Each button must set the fit buttons itself: they start the other way round. Zero is shown
        // only where the mode must hide it; no mode may show it again.
        QPushButton* autoFit = Button(row.pane.autoFit);
        QPushButton* zero = Button(row.pane.zero);
        autoFit->setVisible(!row.autoFitShown);
        zero->setVisible(row.osc);
        auto* check = window->findChild<QCheckBox*>(QString::fromLatin1(row.pane.waterfallCheck));
        ASSERT_NE(check, nullptr);
        check->setChecked(row.waterfallSpectrum == 0);

        Button(row.button)->click();

        EXPECT_EQ(row.pane.viewMode(), row.viewMode);
        EXPECT_EQ(g_Parameters.GetInt(QString::fromLatin1(row.pane.section), QStringLiteral("GraphMode"), -1),
                  row.graphMode);
        EXPECT_EQ(!autoFit->isHidden(), row.autoFitShown);
        EXPECT_TRUE(zero->isHidden());
        EXPECT_EQ(check->isChecked(),
                  row.pageReload ? row.waterfallSpectrum != 0 : row.waterfallSpectrum == 0);
        for (const char* name : row.pane.modeButtons)
            EXPECT_EQ(Button(name)->isChecked(), std::string(name) == row.button) << name;
    }
}

TEST_F(PaneCommandsTest, RangeModesTurnMultiRangeOnlyWithTheKnownRangesWindowAndRanges)
{
    auto* knownRanges = window->findChild<CKnownFreqRangesWindow*>();
    ASSERT_NE(knownRanges, nullptr);
    const struct
    {
        bool windowShown;
        bool ranges;
        void (Veltrano::*slot)();
        int waterfallSpectrum;
        int viewMode;
    } rows[] = {
        {true, true, &Veltrano::OnRangeSpectrumButton, 0, 4},
        {true, true, &Veltrano::OnRangeWaterfallButton, 0, 5},
        {true, true, &Veltrano::OnRangeWaterfallButton, 1, 6},
        {true, false, &Veltrano::OnRangeSpectrumButton, 0, 0},
        {true, false, &Veltrano::OnRangeWaterfallButton, 1, 2},
        {false, true, &Veltrano::OnRangeSpectrumButton, 0, 0},
        {false, true, &Veltrano::OnRangeWaterfallButton, 0, 1},
        {false, true, &Veltrano::OnRangeWaterfallButton, 1, 2},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "shown " << row.windowShown << ", ranges " << row.ranges
                                        << ", expected mode " << row.viewMode);
        knownRanges->setVisible(row.windowShown);
        ASSERT_EQ(knownRanges->isVisible(), row.windowShown);
        g_DeviceThread.m_pMultiAdf->ClearRanges();
        if (row.ranges)
        {
            g_DeviceThread.m_pMultiAdf->AddRange(100.0, 200.0);
            g_DeviceThread.m_pMultiAdf->AddRange(900.0, 1000.0);
        }
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallSpectrum"),
                            row.waterfallSpectrum);
        (window.get()->*row.slot)();
        EXPECT_EQ(Form().m_pRangeGraphView->GetPaneMode(), row.viewMode);
        // The stored mode is the plain one: the multi-range twin follows the window at the next start.
        EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), -1),
                  row.slot == &Veltrano::OnRangeSpectrumButton ? 0 : 1);
    }
    knownRanges->hide();
}

TEST_F(PaneCommandsTest, PauseStepAndTriggerActOnBothLowerPanes)
{
    CDdcView* ddc = Form().m_pDdcGraphView;
    CDemodView* demod = Form().m_pDemodGraphView;
    const struct
    {
        const char* name;
        int startState;  // of both views before the action
        std::function<void()> action;
        int state;
    } rows[] = {
        {"DDC pause while running", 0, [this] { Button("m_pDdcPauseButton")->click(); }, 1},
        {"demodulator pause while running", 0, [this] { Button("m_pDemodPauseButton")->click(); }, 1},
        {"DDC pause while paused", 1, [this] { Button("m_pDdcPauseButton")->click(); }, 0},
        {"demodulator pause while paused", 1, [this] { Button("m_pDemodPauseButton")->click(); }, 0},
        {"DDC pause while stepping", 2, [this] { Button("m_pDdcPauseButton")->click(); }, 0},
        {"demodulator pause while stepping", 2, [this] { Button("m_pDemodPauseButton")->click(); }, 0},
        {"DDC step", 0, [this] { Button("m_pDdcStepButton")->click(); }, 2},
        {"demodulator step while paused", 1, [this] { Button("m_pDemodStepButton")->click(); }, 2},
        {"DDC trigger", 0, [ddc] { emit ddc->pause(); }, 1},
        {"demodulator trigger while stepping", 2, [demod] { emit demod->pause(); }, 1},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        ddc->SetPauseState(row.startState);
        demod->SetPauseState(row.startState);
        ASSERT_EQ(ddc->GetPauseState(), row.startState);
        // The buttons start the other way round from where the action must leave them.
        Button("m_pDdcPauseButton")->setChecked(row.state == 0);
        Button("m_pDemodPauseButton")->setChecked(row.state == 0);

        row.action();

        EXPECT_EQ(ddc->GetPauseState(), row.state);
        EXPECT_EQ(demod->GetPauseState(), row.state);
        EXPECT_EQ(Button("m_pDdcPauseButton")->isChecked(), row.state != 0);
        EXPECT_EQ(Button("m_pDemodPauseButton")->isChecked(), row.state != 0);
    }
}

// DDC band ---------------------------------------------------------------------------------------

TEST_F(PaneCommandsTest, BandwidthChangeShowsAndStoresTheBandTheDeviceTook)
{
    const QString warning = QStringLiteral("Too wide bandwidth! Switching to the nearest allowed bandwith.");
    IChannel* channel = Bits()->GetChannel(-1);
    ASSERT_NE(channel, nullptr);
    const struct
    {
        const char* name;
        double tuneMHz;
        int requested;  // -1: the combo was emptied
        bool refused;
    } rows[] = {
        {"a band that fits", 100.0, 9, false},
        {"the widest band that fits", 100.0, 0, false},
        {"a band sticking out below the channel", 50.0, 0, true},
        {"a band sticking out just below the channel", 45.0, 2, true},
        {"an emptied combo", 100.0, -1, false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        window->OnBandwidthsChanged();
        Bits()->SetTuneFreqAndBandwidth(row.tuneMHz * 1e6, 12);
        BandCombo()->setCurrentIndex(11);
        OptionsBandCombo()->setCurrentIndex(11);
        StoreBandwidth(11);
        sound->calls.clear();
        CScriptedPrompt boxes;
        if (row.refused)
            boxes.Answer(QMessageBox::Ok, warning);

        if (row.requested < 0)
        {
            BandCombo()->clear();
            window->OnDemodAudioDeviceChanged();
        }
        else
        {
            window->OnDeviceBandwidthChanged(row.requested);
        }

        EXPECT_EQ(boxes.Pending(), 0u);
        if (row.requested < 0)
        {
            EXPECT_EQ(Bits()->GetBandwidthIndex(), 12);
            EXPECT_EQ(StoredBandwidth(), 11);
            EXPECT_EQ(OptionsBandCombo()->currentIndex(), 11);
            EXPECT_TRUE(sound->calls.empty());
            EXPECT_TRUE(boxes.Asked().empty());
            continue;
        }
        const int taken = Bits()->GetBandwidthIndex();
        EXPECT_EQ(taken != row.requested, row.refused) << "taken " << taken;
        EXPECT_EQ(BandCombo()->currentIndex(), taken);
        EXPECT_EQ(OptionsBandCombo()->currentIndex(), taken);
        EXPECT_EQ(StoredBandwidth(), taken);
        if (row.refused)
        {
            ASSERT_EQ(boxes.Asked().size(), 1u);
            EXPECT_EQ(boxes.Asked()[0].icon, QMessageBox::Warning);
            EXPECT_EQ(boxes.Asked()[0].text, warning);
            EXPECT_EQ(boxes.Asked()[0].title, QCoreApplication::applicationName());
            // What was taken lies inside the channel around the tuning.
            const double half = Bits()->GetBandwidth(-1, taken) * 0.5;
            const double tune = Bits()->GetTuneFreq();
            EXPECT_GE(tune - half, channel->GetStartFreq() * 1e6);
            EXPECT_LE(tune + half, channel->GetStopFreq() * 1e6);
        }
    }
}

TEST_F(PaneCommandsTest, BandwidthChangeOpensTheSoundOnlyForPlayableRates)
{
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 2);
    QPushButton* soundButton = Button("m_pDemodSoundButton");
    const struct
    {
        int band;
        bool playable;
        int soundEnabled;  // "DemodSoundEnabled" of "Device"
        bool checkedBefore;
        bool checkedAfter;
    } rows[] = {
        {0, false, 1, true, false},   // 61 MHz
        {7, false, 1, true, false},   // the narrowest band still too fast
        {7, false, 0, true, false},   // the button goes off whatever was stored
        {8, true, 1, false, true},    // the widest playable band
        {12, true, 0, false, false},  // the stored off leaves the button alone
        {12, true, 0, true, true},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "band " << row.band << ", enabled " << row.soundEnabled
                                        << ", checked " << row.checkedBefore);
        g_Parameters.SetInt(kDevice, QStringLiteral("DemodSoundEnabled"), row.soundEnabled);
        soundButton->setChecked(row.checkedBefore);
        sound->calls.clear();

        window->OnDeviceBandwidthChanged(row.band);

        ASSERT_EQ(Bits()->GetBandwidthIndex(), row.band);
        const int rate = static_cast<int>(Bits()->GetSampleRate(-1));
        ASSERT_EQ(rate < kSoundRateLimit, row.playable) << rate;
        std::vector<std::string> expected;
        if (!row.playable)
            expected = {"Close", "Open(2,0)"};
        else if (row.soundEnabled != 0)
            expected = {"Open(2," + std::to_string(rate) + ")", "ResetBuffers"};
        else
            expected = {"Open(2," + std::to_string(rate) + ")"};
        EXPECT_EQ(sound->calls, expected);
        EXPECT_EQ(soundButton->isChecked(), row.checkedAfter);
        // The prompt of the fixture fails the test on any box.
    }
}

TEST_F(PaneCommandsTest, SoundButtonWarnsAboutFastBandsAndStoresItsState)
{
    const QString warning =
        QStringLiteral("Sound playback is available for \"Bandwidth\" below 192 kHz only!");
    QPushButton* soundButton = Button("m_pDemodSoundButton");
    const struct
    {
        const char* name;
        int band;
        bool checkedBefore;
        bool warns;
        std::vector<std::string> calls;
        bool checkedAfter;
    } rows[] = {
        {"switched on with a band too fast", 0, false, true, {"Close"}, false},
        {"switched on with the narrowest band too fast", 7, false, true, {"Close"}, false},
        {"switched on with a playable band", 8, false, false, {"ResetBuffers"}, true},
        {"switched off with a playable band", 8, true, false, {"Close"}, false},
        {"switched off with a band too fast", 0, true, false, {"Close"}, false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        g_Parameters.SetInt(kDevice, QStringLiteral("DemodSoundEnabled"), 0);
        window->OnDeviceBandwidthChanged(row.band);
        ASSERT_EQ(Bits()->GetBandwidthIndex(), row.band);
        soundButton->setChecked(row.checkedBefore);
        g_Parameters.SetInt(kDevice, QStringLiteral("DemodSoundEnabled"), row.checkedBefore ? 1 : 0);
        sound->calls.clear();
        CScriptedPrompt boxes;
        if (row.warns)
            boxes.Answer(QMessageBox::Ok, warning);

        soundButton->click();

        EXPECT_EQ(boxes.Pending(), 0u);
        if (row.warns)
        {
            ASSERT_EQ(boxes.Asked().size(), 1u);
            EXPECT_EQ(boxes.Asked()[0].text, warning);
            EXPECT_EQ(boxes.Asked()[0].icon, QMessageBox::Warning);
            EXPECT_EQ(boxes.Asked()[0].title, QCoreApplication::applicationName());
        }
        EXPECT_EQ(sound->calls, row.calls);
        EXPECT_EQ(soundButton->isChecked(), row.checkedAfter);
        EXPECT_EQ(g_Parameters.GetInt(kDevice, QStringLiteral("DemodSoundEnabled"), -1),
                  row.checkedAfter ? 1 : 0);
    }
}

TEST_F(PaneCommandsTest, BandListRefillSkipsUnnamedBandsAndFallsBackToTheFirst)
{
    // An unnamed band amid the list, besides the library's own unnamed last entry.
    ASSERT_TRUE(Bits()->InsertDdcBand(2, DDC_BAND_ITEM()));
    const int bands = Bits()->GetDdcBandCount();
    int named = 0;
    for (int i = 0; i < bands; ++i)
        named += Bits()->GetDdcBand(i).Name.empty() ? 0 : 1;
    ASSERT_EQ(named, bands - 2);

    const struct
    {
        int stored;
        int selected;
    } rows[] = {{3, 3}, {named - 1, named - 1}, {named, 0}, {99, 0}, {-1, 0}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "stored " << row.stored);
        BandCombo()->setCurrentIndex(1);
        StoreBandwidth(row.stored);

        window->OnBandwidthsChanged();

        ASSERT_EQ(BandCombo()->count(), named);
        for (int i = 0; i < BandCombo()->count(); ++i)
            EXPECT_FALSE(BandCombo()->itemText(i).isEmpty()) << i;
        EXPECT_EQ(BandCombo()->itemText(0), QStringLiteral("60 MHz"));
        EXPECT_EQ(BandCombo()->itemText(2), QStringLiteral("15 MHz"));
        EXPECT_EQ(BandCombo()->itemText(named - 1), QStringLiteral("15 KHz"));
        EXPECT_EQ(BandCombo()->currentIndex(), row.selected);
    }
}

// DDC tuning and video ---------------------------------------------------------------------------

TEST_F(PaneCommandsTest, DdcTuningMovesTheScanOnlyWhenItLeavesItAndKeepsItInsideTheChannel)
{
    IChannel* channel = Bits()->GetChannel(-1);
    ASSERT_NE(channel, nullptr);
    const double low = channel->GetStartFreq();
    const double high = channel->GetUpperLimit();
    // Wide enough that the range pane, which refuses to zoom in further than its points allow, can
    // show it as well.
    const double width = 1000.0;
    const double scanStart = 2000.0;
    enum Expect
    {
        Kept,
        Centred,
        AtLowerLimit,
        AtUpperLimit
    };
    const struct
    {
        const char* name;
        double tuneMHz;
        Expect expect;
    } rows[] = {
        {"inside the scan", 2500.0, Kept},
        {"at the scan's start", 2000.0, Kept},
        {"above the scan", 4500.0, Centred},
        {"below the scan", 1000.0, Centred},
        {"near the channel's lower limit", low + 10.0, AtLowerLimit},
        {"near the channel's upper limit", high - 10.0, AtUpperLimit},
    };
    // The narrowest band: the device keeps the tuning where it was asked.
    BandCombo()->setCurrentIndex(12);
    // The range pane showing the whole channel isolates the scan's own move; showing the scan, as it
    // does in use, it must follow the scan to the same window.
    for (const bool paneShowsScan : {false, true})
    {
        for (const auto& row : rows)
        {
            SCOPED_TRACE(std::string(row.name) +
                         (paneShowsScan ? ", pane on the scan" : ", pane on the channel"));
            Adf()->SetEnabled(true);
            Adf()->SetScanRange(scanStart, scanStart + width);
            IGraphic* pane = FirstRangePainter();
            ASSERT_NE(pane, nullptr);
            if (paneShowsScan)
                pane->SetXWindow(scanStart, scanStart + width);
            else
                pane->SetXWindow(low, high);
            ASSERT_DOUBLE_EQ(pane->GetXFrom(), paneShowsScan ? scanStart : low);
            ASSERT_DOUBLE_EQ(pane->GetXTo(), paneShowsScan ? scanStart + width : high);

            window->OnChangeDdcFreq(row.tuneMHz);

            const double freq = Bits()->GetTuneFreq() / 1e6;
            EXPECT_NEAR(freq, row.tuneMHz, 0.01);
            EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(kDevice, prefix + QStringLiteral("DdcFreq"), -1.0), freq);
            const double start = Adf()->GetStartFreq();
            const double stop = Adf()->GetStopFreq();
            EXPECT_DOUBLE_EQ(pane->GetXFrom(), paneShowsScan ? start : low);
            EXPECT_DOUBLE_EQ(pane->GetXTo(), paneShowsScan ? stop : high);
            if (row.expect == Kept)
            {
                EXPECT_EQ(start, scanStart);
                EXPECT_EQ(stop, scanStart + width);
                continue;
            }
            EXPECT_NEAR(stop - start, width, 1e-9);
            EXPECT_LE(start, freq);
            EXPECT_GE(stop, freq);
            EXPECT_GE(start, low);
            EXPECT_LE(stop, high);
            switch (row.expect)
            {
                case Centred:
                    EXPECT_NEAR((start + stop) * 0.5, freq, 1e-9);
                    break;
                case AtLowerLimit:
                    EXPECT_DOUBLE_EQ(start, low);
                    break;
                case AtUpperLimit:
                    EXPECT_DOUBLE_EQ(stop, high);
                    break;
                case Kept:
                    break;
            }
        }
    }
}

TEST_F(PaneCommandsTest, VideoTakesTheSecondBandAndTheDdcAloneAndGivesTheDdcStateBack)
{
    auto* video = window->findChild<CVideoWindow*>();
    ASSERT_NE(video, nullptr);
    QPushButton* onlyDdc = Button("m_pOnlyDdcButton");
    for (const bool onlyDdcBefore : {false, true})
    {
        SCOPED_TRACE(onlyDdcBefore ? "only-DDC on before" : "only-DDC off before");
        window->OnDeviceBandwidthChanged(9);
        onlyDdc->setChecked(onlyDdcBefore);
        window->OnOnlyDdcChanged();
        ASSERT_EQ(Adf()->IsOnlyDdc(), onlyDdcBefore);

        window->OnDemodVideoButton(true);

        EXPECT_TRUE(video->isVisible());
        EXPECT_EQ(BandCombo()->currentIndex(), 1);
        EXPECT_EQ(Bits()->GetBandwidthIndex(), 1);
        EXPECT_EQ(StoredBandwidth(), 1);
        EXPECT_TRUE(onlyDdc->isChecked());
        EXPECT_TRUE(Adf()->IsOnlyDdc());
        EXPECT_EQ(Form().m_pRangeGraphView->GetPauseState(), 1);

        window->OnDemodVideoButton(false);

        EXPECT_FALSE(video->isVisible());
        EXPECT_EQ(onlyDdc->isChecked(), onlyDdcBefore);
        EXPECT_EQ(Adf()->IsOnlyDdc(), onlyDdcBefore);
        EXPECT_EQ(Form().m_pRangeGraphView->GetPauseState(), onlyDdcBefore ? 1 : 0);
    }
}

// Analysis results and the range pane's window ----------------------------------------------------

TEST_F(PaneCommandsTest, AnalysisResultPicksTheNarrowestBandStillAsWideAsTheSignal)
{
    // The names are read as numbers without their unit, so "60 MHz" counts as 60 against kHz.
    const struct
    {
        double widthMHz;
        int band;
    } rows[] = {{0.1, 9}, {0.5, 6}, {5.0, 0}, {0.01, 12}, {0.95, 6}, {0.96, 0}};
    window->OnBandwidthsChanged();
    ASSERT_EQ(BandCombo()->itemText(9), QStringLiteral("120 KHz"));
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "width " << row.widthMHz << " MHz");
        window->OnDeviceBandwidthChanged(3);
        StoreBandwidth(3);

        window->OnAnalysisFreqChanged(123.4, row.widthMHz);

        EXPECT_NEAR(Bits()->GetTuneFreq(), 123.4e6, 1.0);
        EXPECT_EQ(Bits()->GetBandwidthIndex(), row.band);
        EXPECT_EQ(BandCombo()->currentIndex(), row.band);
        EXPECT_EQ(StoredBandwidth(), row.band);
    }
}

TEST_F(PaneCommandsTest, FrequencyIsBroughtIntoTheRangePaneOnlyFromOutside)
{
    const struct
    {
        const char* name;
        double freqMHz;
        bool scanning;
        bool moves;
    } rows[] = {
        {"no frequency", 0.0, true, false},
        {"inside the window", 1500.0, true, false},
        {"at the window's end", 2000.0, true, false},
        {"above the window, scanning", 4000.0, true, true},
        {"below the window, scanning", 600.0, true, true},
        {"above the window, not scanning", 4000.0, false, true},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        IGraphic* first = FirstRangePainter();
        ASSERT_NE(first, nullptr);
        first->SetXWindow(1000.0, 2000.0);
        ASSERT_DOUBLE_EQ(first->GetXFrom(), 1000.0);
        ASSERT_DOUBLE_EQ(first->GetXTo(), 2000.0);
        Adf()->SetScanRange(1000.0, 2000.0);
        Adf()->SetEnabled(row.scanning);

        window->ShowFreqInRange(row.freqMHz);

        if (!row.moves)
        {
            EXPECT_DOUBLE_EQ(first->GetXFrom(), 1000.0);
            EXPECT_DOUBLE_EQ(first->GetXTo(), 2000.0);
            EXPECT_DOUBLE_EQ(Adf()->GetStartFreq(), 1000.0);
            EXPECT_DOUBLE_EQ(Adf()->GetStopFreq(), 2000.0);
            continue;
        }
        EXPECT_DOUBLE_EQ(first->GetXFrom(), row.freqMHz - 500.0);
        EXPECT_DOUBLE_EQ(first->GetXTo(), row.freqMHz + 500.0);
        EXPECT_DOUBLE_EQ(Adf()->GetStartFreq(), row.scanning ? row.freqMHz - 500.0 : 1000.0);
        EXPECT_DOUBLE_EQ(Adf()->GetStopFreq(), row.scanning ? row.freqMHz + 500.0 : 2000.0);
    }
    Adf()->SetEnabled(true);
}

// Tool windows -------------------------------------------------------------------------------------

TEST_F(PaneCommandsTest, ToolButtonsToggleTheirWindowsAndOnlyShowingEndsOnlyDdc)
{
    QPushButton* onlyDdc = Button("m_pOnlyDdcButton");
    const struct
    {
        const char* button;
        std::function<QWidget*()> window;
        bool endsOnlyDdc;
    } rows[] = {
        {"m_pTemplatesButton", [this] { return window->findChild<CTemplatesWindow*>(); }, true},
        {"m_pGsmButton", [this] { return window->findChild<CGsmAnalysisWindow*>(); }, true},
        {"m_pAnalysisButton", [this] { return window->findChild<CAnalysisWindow*>(); }, true},
        {"m_pArchiveButton", [this] { return window->findChild<CArchiveWindow*>(); }, true},
        {"m_pKnownRanges2Button", [this] { return window->findChild<CKnownFreqRanges2Window*>(); }, false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.button);
        QWidget* tool = row.window();
        ASSERT_NE(tool, nullptr);
        ASSERT_FALSE(tool->isVisible());
        onlyDdc->setChecked(true);
        window->OnOnlyDdcChanged();

        Button(row.button)->click();

        EXPECT_TRUE(tool->isVisible());
        EXPECT_TRUE(Button(row.button)->isChecked());
        EXPECT_EQ(onlyDdc->isChecked(), !row.endsOnlyDdc);
        EXPECT_EQ(Adf()->IsOnlyDdc(), !row.endsOnlyDdc);

        // Hiding leaves the only-DDC mode as it is.
        onlyDdc->setChecked(true);
        window->OnOnlyDdcChanged();
        Button(row.button)->click();

        EXPECT_FALSE(tool->isVisible());
        EXPECT_FALSE(Button(row.button)->isChecked());
        EXPECT_TRUE(onlyDdc->isChecked());
        EXPECT_TRUE(Adf()->IsOnlyDdc());
    }
}

TEST_F(PaneCommandsTest, OctaveButtonsShowAndHideTheirOwnFilterWindow)
{
    const struct
    {
        const char* button;
        const char* window;
        const char* other;
    } rows[] = {
        {"m_pRangeOctButton", "OctaveFilters1", "OctaveFilters2"},
        {"m_pDemodOctButton", "OctaveFilters2", "OctaveFilters1"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.button);
        auto* filters = window->findChild<CQDockWindow*>(QString::fromLatin1(row.window));
        auto* other = window->findChild<CQDockWindow*>(QString::fromLatin1(row.other));
        ASSERT_NE(filters, nullptr);
        ASSERT_NE(other, nullptr);
        QPushButton* button = Button(row.button);
        ASSERT_FALSE(filters->isVisible());

        button->click();
        EXPECT_TRUE(filters->isVisible());
        EXPECT_FALSE(other->isVisible());
        EXPECT_TRUE(button->isChecked());

        button->click();
        EXPECT_FALSE(filters->isVisible());
        EXPECT_FALSE(button->isChecked());

        // Hidden by other means, the window takes the button's check with it.
        button->click();
        ASSERT_TRUE(filters->isVisible());
        filters->hide();
        EXPECT_FALSE(button->isChecked());
    }
}

// A library exception in a command ---------------------------------------------------------------

TEST_F(PaneCommandsTest, LibraryExceptionBecomesTheErrorBoxAndTheWindowGoesOn)
{
    const struct
    {
        const char* slot;
        std::function<void()> command;
    } rows[] = {
        {"OnAnalysisFreqChanged", [this] { window->OnAnalysisFreqChanged(150.0, 0.1); }},
        {"OnChangeDdcFreq", [this] { window->OnChangeDdcFreq(150.0); }},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.slot);
        Bits()->Init();
        window->OnBandwidthsChanged();
        window->OnDeviceBandwidthChanged(0);
        BandCombo()->setCurrentIndex(12);
        g_Parameters.SetDouble(kDevice, prefix + QStringLiteral("DdcFreq"), -5.0);
        // The options window edits the list under the combo: only three bands are left.
        while (Bits()->GetDdcBandCount() > 3)
            ASSERT_TRUE(Bits()->RemoveDdcBand(Bits()->GetDdcBandCount() - 1));
        ASSERT_THROW(Bits()->GetDdcBand(3), std::out_of_range);

        const QString text = QStringLiteral("Unexpected error occurred! (%1)").arg(QLatin1String(row.slot));
        CScriptedPrompt boxes;
        boxes.Answer(QMessageBox::Ok, text);
        row.command();
        EXPECT_EQ(boxes.Pending(), 0u);
        ASSERT_EQ(boxes.Asked().size(), 1u);
        EXPECT_EQ(boxes.Asked()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(boxes.Asked()[0].text, text);
        EXPECT_EQ(boxes.Asked()[0].title, QCoreApplication::applicationName());
        // The command stopped where the library threw: no band taken, no tuning stored.
        EXPECT_EQ(Bits()->GetBandwidthIndex(), 0);
        EXPECT_EQ(BandCombo()->currentIndex(), 12);
        EXPECT_EQ(g_Parameters.GetDouble(kDevice, prefix + QStringLiteral("DdcFreq"), 0.0), -5.0);

        // Refilled from the list as it now is, the combo works with the same commands again, and
        // without a box.
        window->OnBandwidthsChanged();
        BandCombo()->setCurrentIndex(2);
        // 20 kHz against the three names left: "30 MHz" is the last that reads at least 20.
        window->OnAnalysisFreqChanged(150.0, 0.02);
        EXPECT_EQ(BandCombo()->currentIndex(), 1);
        EXPECT_EQ(Bits()->GetBandwidthIndex(), 1);
        window->OnChangeDdcFreq(160.0);
        EXPECT_NEAR(Bits()->GetTuneFreq(), 160e6, 1.0);
        EXPECT_EQ(boxes.Asked().size(), 1u);
    }
}
}  // namespace
