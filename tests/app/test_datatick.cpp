// The 10 ms data tick and the hand-over of a sweep to the panes, watched through recording views and
// recording detectors: what is called, in which order, and what is left alone.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include <string>
#include <vector>

#include "analysiswindow.h"
#include "globals.h"
#include "iadf4350.h"
#include "ianalysis.h"
#include "imultiadf4350.h"
#include "knownfreqrangeswindow.h"
#include "monitoring2window.h"
#include "octavefilterswindow.h"
#include "parameters.h"
#include "pulsewindow.h"
#include "recordinglibrary.h"
#include "scriptedcalc.h"
#include "tickwindow.h"
#include "vectorwindow.h"

namespace
{
// The call names of a log, without their arguments.
std::vector<std::string> Names(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const std::string& line : lines)
        names.push_back(line.substr(0, line.find('(')));
    return names;
}

// The lines whose call name starts with one of the prefixes.
std::vector<std::string> Only(const std::vector<std::string>& lines,
                              std::initializer_list<const char*> prefixes)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        for (const char* prefix : prefixes)
            if (line.rfind(prefix, 0) == 0)
            {
                kept.push_back(line);
                break;
            }
    return kept;
}

bool Contains(const std::vector<std::string>& lines, const std::string& prefix)
{
    return !Only(lines, {prefix.c_str()}).empty();
}

template <typename... Values>
std::string Line(const std::string& name, Values... values)
{
    return CCallLog::Line(name, values...);
}

ARCHIVE_SIGNAL_ENTRY Entry(double freqBegin)
{
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.FreqBegin = freqBegin;
    return entry;
}

class DataTickTest : public TickWindowTest
{
protected:
    void SetUp() override
    {
        TickWindowTest::SetUp();
        InitCalculatorsWithoutDevice(dev);

        m_savedMonitoring = dev.m_pMonitoring;
        m_savedPulse = dev.m_pPulseDetect;
        m_savedKnown = dev.m_pKnownFreq1;
        m_savedTemplates = dev.m_pTemplates;
        dev.m_pMonitoring = &monitoring;
        dev.m_pPulseDetect = &pulse;
        dev.m_pKnownFreq1 = &known;
        dev.m_pTemplates = &templates;
    }

    void TearDown() override
    {
        // The windows talk to the detectors while they close: the library's own are back by then.
        dev.m_pMonitoring = m_savedMonitoring;
        dev.m_pPulseDetect = m_savedPulse;
        dev.m_pKnownFreq1 = m_savedKnown;
        dev.m_pTemplates = m_savedTemplates;
        TickWindowTest::TearDown();
    }

    // Runs demo blocks through the stopped device thread until a sweep waits for the tick.
    void MakeSweepReady()
    {
        dev.SetDemoMode(true);
        for (int step = 0; step < 50 && !dev.IsDataReady(); ++step)
            ASSERT_TRUE(dev.Step());
        ASSERT_TRUE(dev.IsDataReady());
    }

    // One tick over a fresh sweep, with the log holding only what the tick did.
    void Tick()
    {
        MakeSweepReady();
        log.lines.clear();
        window->OnDeviceDataArrived();
    }

    CRecordingMonitoring monitoring{log};
    CRecordingPulseDetect pulse{log};
    CRecordingKnownFreq known{log};
    CListTemplates templates;

private:
    IMonitoring* m_savedMonitoring = nullptr;
    IPulseDetect* m_savedPulse = nullptr;
    IKnownFreqDetect* m_savedKnown = nullptr;
    ITemplates* m_savedTemplates = nullptr;
};

TEST_F(DataTickTest, TickFeedsTheDetectorsThenTheRangeDdcAndDemodulatorPanesInOrder)
{
    templates.items = {{true, L"first", {Entry(1.0), Entry(2.0)}},
                       {false, L"off", {Entry(3.0)}},
                       {true, L"third", {Entry(4.0)}}};
    Dock<CKnownFreqRangesWindow>()->show();
    Tick();

    // Consecutive calls to one object collapse into one step.
    std::vector<std::string> steps;
    for (const std::string& name : Names(log.lines))
    {
        std::string object = name.substr(0, name.find('.'));
        if (steps.empty() || steps.back() != object)
            steps.push_back(object);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"monitoring", "known", "range", "ddc", "demod"}));
    EXPECT_FALSE(dev.IsDataReady());

    // The harmonic count closes the range pane's step.
    const std::vector<std::string> rangeLines = Only(log.lines, {"range."});
    ASSERT_FALSE(rangeLines.empty());
    EXPECT_EQ(rangeLines.back(), Line("range.SetHarmonicCount", dev.m_pAdf->GetNumberGarms()));

    EXPECT_EQ(monitoring.lastRangeFft, dev.m_pRangeFft1);
    EXPECT_EQ(monitoring.lastSecondFft, dev.m_pDdcFft1);
    EXPECT_EQ(known.lastRangeFft, dev.m_pRangeFft1);
    EXPECT_EQ(known.lastMultiFft, dev.m_pMultiRangeFft1);
    // Enabled templates only, in index order, each with all its entries.
    std::vector<double> begins;
    for (const ARCHIVE_SIGNAL_ENTRY& entry : known.lastTemplates)
        begins.push_back(entry.FreqBegin);
    EXPECT_EQ(begins, (std::vector<double>{1.0, 2.0, 4.0}));
}

TEST_F(DataTickTest, KnownFrequencyAndMonitoringRunOnlyWhenTheirConditionsHold)
{
    struct Case
    {
        int pauseState;
        bool knownShown;
        bool monitoringRunning;
        bool expectKnown;
    };
    const Case cases[] = {
        {0, true, true, true},    {1, true, true, false},  {2, true, false, true},
        {0, false, false, false}, {2, false, true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("pause " + std::to_string(c.pauseState) + ", known shown " +
                     std::to_string(c.knownShown));
        Dock<CKnownFreqRangesWindow>()->setVisible(c.knownShown);
        range->pauseState = c.pauseState;
        monitoring.running = c.monitoringRunning;
        Tick();
        EXPECT_EQ(Contains(log.lines, "known."), c.expectKnown);
        EXPECT_EQ(Contains(log.lines, "monitoring."), c.monitoringRunning);
        // A paused view still gets its data.
        EXPECT_TRUE(Contains(log.lines, "range.SetSpectrumData"));
        EXPECT_FALSE(dev.IsDataReady());
    }
}

TEST_F(DataTickTest, PulseDetectionRunsForItsInputTypesWhileItsWindowIsShown)
{
    struct Case
    {
        int type;
        bool shown;
        bool running;
        bool envelope;
        std::vector<std::string> expected;
    };
    const std::string trigger = "range.SetTriggerLevel(0.250000)";
    const Case cases[] = {
        {0,
         true,
         true,
         true,
         {"pulse.ProcessSamples", "pulse.ProcessSpectrum", "pulse.UpdateThreshold", trigger}},
        {0, true, true, false, {"pulse.ProcessSamples", "pulse.UpdateThreshold", trigger}},
        // A stopped search still follows the window's trigger settings.
        {3, true, false, false, {"pulse.SetSettings", "pulse.UpdateThreshold", trigger}},
        {3,
         true,
         false,
         true,
         {"pulse.SetSettings", "pulse.ProcessSpectrum", "pulse.UpdateThreshold", trigger}},
        {2, true, true, true, {}},
        {0, false, true, true, {}},
    };
    auto* pulseWindow = Dock<CPulseWindow>();
    auto* envelope = pulseWindow->findChild<QCheckBox*>(QStringLiteral("m_pEnvelopeCheck"));
    ASSERT_NE(envelope, nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE("type " + std::to_string(c.type) + (c.shown ? ", shown" : ", hidden"));
        pulseWindow->setVisible(c.shown);
        ASSERT_TRUE(dev.SetChannelType(c.type));
        envelope->setChecked(c.envelope);
        pulse.running = c.running;
        Tick();
        std::vector<std::string> pulseLines = Only(log.lines, {"pulse.", "range.SetTriggerLevel"});
        std::vector<std::string> expectedNames = Names(c.expected);
        EXPECT_EQ(Names(pulseLines), expectedNames);
        if (!c.expected.empty() && !pulseLines.empty())
        {
            EXPECT_EQ(pulseLines.back(), trigger);
        }
        // The samples go in whole.
        for (const std::string& line : pulseLines)
        {
            if (line.rfind("pulse.Process", 0) == 0)
            {
                EXPECT_EQ(line.substr(line.find('(')), "(" + std::to_string(dev.m_RangeI.size()) + ")");
            }
        }
        // While pulses are searched the lower panes get nothing.
        EXPECT_EQ(Contains(log.lines, "ddc."), !c.shown);
        EXPECT_EQ(Contains(log.lines, "demod."), !c.shown);
    }
    pulseWindow->hide();
}

TEST_F(DataTickTest, NoSweepOrABusyBufferDrawsNothing)
{
    // Nothing ready: the tick does not touch the buffers at all.
    log.lines.clear();
    dev.ClearDataReady();
    window->OnDeviceDataArrived();
    EXPECT_TRUE(log.lines.empty());

    // The device loop holds the buffers: the sweep is dropped, not waited for, and the loop may go on.
    MakeSweepReady();
    log.lines.clear();
    g_DataMutex.lock();
    window->OnDeviceDataArrived();
    g_DataMutex.unlock();
    EXPECT_TRUE(log.lines.empty());
    EXPECT_FALSE(dev.IsDataReady());
}

// The fixed buffers the dispatch tests hand to the panes: every length tells its buffer apart.
class DispatchTest : public DataTickTest
{
protected:
    void SetUp() override
    {
        DataTickTest::SetUp();
        dev.m_RangeSpectrum.assign(11, -90.0);
        dev.m_RangeSpectrum2.assign(12, -90.0);
        dev.m_RangeI.assign(13, 0.1);
        dev.m_DdcSpectrum.assign(21, -80.0);
        dev.m_DdcSpectra2.assign(2, std::vector<double>(22, -80.0));
        dev.m_DdcI = {std::vector<double>(23, 0.2)};
        dev.m_DdcQ = {std::vector<double>(24, 0.3)};
        dev.m_DemodSpectrum.assign(31, -70.0);
        dev.m_DemodSpectra2 = {std::vector<double>(32, -70.0)};
        dev.m_Audio = {std::vector<double>(33, 0.4)};
        m_savedDdcFft2 = dev.m_pDdcFft2;
        ddcFft2.blockCount = 2;
        dev.m_pDdcFft2 = &ddcFft2;
        log.lines.clear();
    }

    void TearDown() override
    {
        dev.m_pDdcFft2 = m_savedDdcFft2;
        DataTickTest::TearDown();
    }

    void SetSound(bool on)
    {
        QSignalBlocker blocker(window->ui.m_pRangeSoundButton);
        window->ui.m_pRangeSoundButton->setChecked(on);
    }

    CScriptedCalc ddcFft2;

private:
    ICalcFft* m_savedDdcFft2 = nullptr;
};

TEST_F(DispatchTest, RangePaneCallOrderWithAndWithoutKnownFrequencies)
{
    known.detections.resize(2);
    const long long paint = dev.m_pControlBits->GetKnownRangeCount() != 0 ? 1 : 0;

    range->SetPaneMode(1);
    window->SendDataToGraph(Veltrano::RangePane);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             Line("range.SetSpectrumData", 11),
                             Line("range.AddWaterfallLine", 12),
                             Line("range.SetOscData", 13),
                             Line("range.SetKnownFreqResultsVisible", 0),
                             Line("range.SetPaintMode", paint),
                             Line("range.UpdateMeasurements", 13, 0, 11),
                         }));

    Dock<CKnownFreqRangesWindow>()->show();
    range->SetPaneMode(1);
    log.lines.clear();
    window->SendDataToGraph(Veltrano::RangePane);
    const long long current = dev.m_pMultiAdf->GetCurrentRange();
    const long long shownRange = dev.m_pMultiAdf->IsEnabled() ? current : -1;
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             Line("range.SetSpectrumData", 11),
                             Line("range.AddWaterfallLine", 12),
                             Line("range.SetMultiRangeData", current, 11),
                             Line("range.SetOscData", 13),
                             Line("range.SetKnownFreqResultsVisible", 1),
                             Line("range.SetKnownFreqResults", shownRange, 2),
                             Line("range.SetPaintMode", paint),
                             Line("range.UpdateMeasurements", 13, 0, 11),
                         }));
}

TEST_F(DispatchTest, TheThresholdTraceFollowsTheAnalysisOrTheMonitoringInSpectrumModes)
{
    dev.m_pAnalysis->AddSpectrum(std::vector<double>(64, -100.0), 1);
    auto* analysis = Dock<CAnalysisWindow>();
    auto* monitoring2 = Dock<CMonitoring2Window>();
    struct Source
    {
        const char* name;
        bool analysisShown;
        int showAveraging;
        bool monitoringShown;
        bool traced;
    };
    const Source sources[] = {
        {"nothing shown", false, 1, false, false},
        {"analysis with its averaging", true, 1, false, true},
        {"analysis without its averaging", true, 0, false, false},
        {"monitoring", false, 0, true, true},
    };
    for (const Source& source : sources)
    {
        analysis->setVisible(source.analysisShown);
        monitoring2->setVisible(source.monitoringShown);
        g_Parameters.SetInt("Analysis", "ShowAveraging", source.showAveraging);
        for (int mode = 0; mode <= 6; ++mode)
        {
            SCOPED_TRACE(std::string(source.name) + ", pane mode " + std::to_string(mode));
            range->SetPaneMode(mode);
            log.lines.clear();
            window->SendDataToGraph(Veltrano::RangePane);
            const std::vector<std::string> traces = Only(log.lines, {"range.SetAveragingTrace"});
            std::vector<std::string> expected;
            if (mode == 0 || mode == 2)
                expected.push_back(Line("range.SetAveragingTrace", source.traced ? 64 : 0));
            EXPECT_EQ(traces, expected);
        }
    }
}

TEST_F(DispatchTest, LowerPanesAreSilencedForTheDemodulatedInputs)
{
    const std::vector<std::string> delivered = {
        Line("ddc.SetSpectrumData", 21),
        Line("ddc.AddWaterfallLine", 22),
        Line("ddc.AddWaterfallLine", 22),
        Line("ddc.SetOscData", 23, 24),
        Line("ddc.UpdateMeasurements", 23, 24, 21),
        Line("demod.SetSpectrumTraceData", 31),
        Line("demod.AddWaterfallLine", 32),
        Line("demod.SetOscData", 33),
        Line("demod.UpdateMeasurements", 33, 0, 31),
    };
    // Emptied traces, and no waterfall line, vector or measurement.
    const std::vector<std::string> silenced = {
        Line("ddc.SetSpectrumData", 0),
        Line("ddc.SetOscData", 0, 0),
        Line("demod.SetSpectrumTraceData", 0),
        Line("demod.SetOscData", 0),
    };
    struct Case
    {
        int type;
        bool sound;
        bool silenced;
    };
    const Case cases[] = {
        {0, false, false}, {0, true, false},  {4, false, true},
        {4, true, true},   {6, false, false}, {6, true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("type " + std::to_string(c.type) + (c.sound ? ", sound on" : ", sound off"));
        ASSERT_TRUE(dev.SetChannelType(c.type));
        SetSound(c.sound);
        log.lines.clear();
        window->SendDataToGraph(Veltrano::DdcPane);
        window->SendDataToGraph(Veltrano::DemodPane);
        EXPECT_EQ(log.lines, c.silenced ? silenced : delivered);
    }
}

TEST_F(DispatchTest, EmptyBlocksAndAnOverlongBlockCountAreSafe)
{
    Dock<CVectorWindow>()->show();
    dev.m_DdcI.clear();
    dev.m_DdcQ.clear();
    dev.m_Audio.clear();
    dev.m_DemodSpectra2.clear();
    dev.m_DdcSpectra2 = {std::vector<double>(5, -80.0)};
    ddcFft2.blockCount = 5;
    window->SendDataToGraph(Veltrano::DdcPane);
    window->SendDataToGraph(Veltrano::DemodPane);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             Line("ddc.SetSpectrumData", 21),
                             Line("ddc.AddWaterfallLine", 5),
                             Line("ddc.SetOscData", 0, 0),
                             Line("ddc.UpdateMeasurements", 0, 0, 21),
                             Line("demod.SetSpectrumTraceData", 31),
                             Line("demod.SetOscData", 0),
                             Line("demod.UpdateMeasurements", 0, 0, 31),
                         }));

    // A block count of zero or below sends no waterfall line at all.
    for (int count : {0, -3})
    {
        ddcFft2.blockCount = count;
        log.lines.clear();
        window->SendDataToGraph(Veltrano::DdcPane);
        EXPECT_FALSE(Contains(log.lines, "ddc.AddWaterfallLine")) << count;
    }

    // A pane the window does not have gets nothing.
    log.lines.clear();
    window->SendDataToGraph(static_cast<Veltrano::PanesEnum>(3));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(DispatchTest, OctaveWindowsShowTheBandLevelsOfTheirPane)
{
    CScriptedCalc rangeCalc;
    rangeCalc.octaveLevels = {{0.5, -40.0}, {4.0, -55.5}};
    CScriptedCalc demodCalc;
    demodCalc.octaveLevels = {{16.0, -12.0}};
    ICalcFft* savedRange = dev.m_pRangeFft1;
    ICalcFft* savedDemod = dev.m_pDemodFft1;
    dev.m_pRangeFft1 = &rangeCalc;
    dev.m_pDemodFft1 = &demodCalc;

    auto* rangeOctaves = Dock<COctaveFiltersWindow>("OctaveFilters1");
    auto* demodOctaves = Dock<COctaveFiltersWindow>("OctaveFilters2");
    ASSERT_NE(rangeOctaves, nullptr);
    ASSERT_NE(demodOctaves, nullptr);
    auto labels = [](const COctaveFiltersWindow* w)
    {
        std::vector<std::pair<QString, double>> bars;
        for (const HISTOGRAM_BAR& bar : w->m_pDiagramWidget->m_Bars)
            bars.emplace_back(bar.label, bar.level);
        return bars;
    };

    // Hidden windows ask for nothing.
    window->SendDataToGraph(Veltrano::RangePane);
    window->SendDataToGraph(Veltrano::DemodPane);
    EXPECT_EQ(rangeCalc.octaveRequests, 0);
    EXPECT_EQ(demodCalc.octaveRequests, 0);

    rangeOctaves->show();
    for (int type : {1, 0})
    {
        rangeOctaves->m_pTypeCombo->setCurrentIndex(type);
        window->SendDataToGraph(Veltrano::RangePane);
        EXPECT_EQ(rangeCalc.lastThirdOctave, type == 1);
    }
    // The band table is in kHz, the range pane's top frequency in MHz.
    EXPECT_DOUBLE_EQ(rangeCalc.lastMaxFreq, dev.GetMaxFreq(-1) * 1000.0);
    using Bars = std::vector<std::pair<QString, double>>;
    EXPECT_EQ(labels(rangeOctaves),
              (Bars{{QStringLiteral("500 Hz"), -40.0}, {QStringLiteral("4.0 kHz"), -55.5}}));

    // No levels clear the bars.
    rangeCalc.octaveLevels.clear();
    window->SendDataToGraph(Veltrano::RangePane);
    EXPECT_TRUE(labels(rangeOctaves).empty());

    // The demodulator's window follows the channel's sample rate, in kHz.
    demodOctaves->show();
    window->SendDataToGraph(Veltrano::DemodPane);
    EXPECT_EQ(demodCalc.octaveRequests, 1);
    EXPECT_DOUBLE_EQ(demodCalc.lastMaxFreq, dev.m_pControlBits->GetSampleRate(-1) / 1000.0);
    EXPECT_EQ(labels(demodOctaves), (Bars{{QStringLiteral("16 kHz"), -12.0}}));

    dev.m_pRangeFft1 = savedRange;
    dev.m_pDemodFft1 = savedDemod;
}
}  // namespace
