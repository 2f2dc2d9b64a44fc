#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controlbits.h"
#include "fakecalcfft.h"
#include "fakegarmconv.h"
#include "frontendlink.h"
#include "igsmanalysis.h"
#include "kelthar_core.h"
#include "monitoring.h"
#include "signalrecorder.h"
#include "tempdir.h"
#include "textcodec.h"

// Monitoring tasks, the events made from the running task's analysis results, and what monitoring
// changes in the core (channel, synthesizer range, calculator settings, recording) and puts back.

namespace
{
// An analysis whose results a test scripts; it keeps what monitoring fed it.
class CScriptedAnalysis : public IAnalysis
{
public:
    void SetGarmConv(IGarmConv* conv) override { this->conv = conv; }
    void AddSpectrum(const std::vector<double>& spectrum, int count) override
    {
        added = spectrum;
        addedCount = count;
    }
    void Start(const std::vector<double>& spectrum, const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates,
               bool noHistory, const std::vector<double>& levels) override
    {
        ++starts;
        analysed = spectrum;
        this->templates = templates;
        this->noHistory = noHistory;
        this->levels = levels;
    }
    bool IsFinished() override { return starts > 0; }
    std::vector<ANALYSIS_RESULT_ITEM>& GetResults() override { return results; }
    void SetParameters(int thresholdMode, double fixedThreshold, double thresholdOffset, int averagingLength,
                       double hysteresis, bool merge, int region) override
    {
        parameters = {thresholdMode, fixedThreshold, thresholdOffset, averagingLength,
                      hysteresis,    merge,          region};
    }
    const std::vector<double>& GetAverage(int* count) override
    {
        *count = addedCount;
        return added;
    }
    void ClearResults() override {}

    struct Parameters
    {
        int thresholdMode = -1;
        double fixedThreshold = 0.0;
        double thresholdOffset = 0.0;
        int averagingLength = 0;
        double hysteresis = -1.0;
        bool merge = false;
        int region = 0;
    };

    IGarmConv* conv = nullptr;
    std::vector<double> added;
    int addedCount = 0;
    int starts = 0;
    std::vector<double> analysed;
    std::vector<ARCHIVE_SIGNAL_ENTRY> templates;
    bool noHistory = true;
    std::vector<double> levels;
    Parameters parameters;
    std::vector<ANALYSIS_RESULT_ITEM> results;
};

ANALYSIS_RESULT_ITEM Result(double startMHz, double peakMHz, double endMHz, double levelDbm, int iSwitch = 0,
                            int status = 2)
{
    ANALYSIS_RESULT_ITEM item;
    item.status = status;
    item.startFreq = startMHz;
    item.peakFreq = peakMHz;
    item.endFreq = endMHz;
    item.level = levelDbm;
    item.iSwitch = iSwitch;
    item.ident = L"band";
    return item;
}

MONITORING_TASK Task(const std::wstring& name, bool enabled = true)
{
    MONITORING_TASK task;
    task.Enabled = enabled;
    task.Name = name;
    task.Channel = 0;
    task.Ranges = {{100.0, 200.0}};
    task.SignalFileName = L"/nowhere/" + name + L".rec";
    return task;
}

class MonitoringTest : public testing::Test
{
protected:
    MonitoringTest()
        : monitoring(
              &bits, &bits.Adf(), &recorder,
              [this]
              {
                  auto analysis = std::make_unique<CScriptedAnalysis>();
                  analyses.push_back(analysis.get());
                  return analysis;
              },
              [this] { return nowS; })
    {
        // The program's channels: one per input type, 40 to 6030 MHz, so that tuning has bands to keep.
        bits.Init();
        for (int type = 0; type <= 6; ++type)
        {
            IChannel* channel = bits.AddChannel(type, L"C", L"Channel", 61e6);
            channel->SetStartFreq(40.0);
            channel->SetStopFreq(6030.0);
        }
        range.result = {-90.0, -80.0, -70.0};
        range.correctionRow = {-91.0, -81.0, -71.0};
        range.correctionShift = 4;
        range.averaging = 2;
        range.window = 3;
        ddc.averaging = 5;
        ddc.window = 1;
    }

    // One step at the given time with the running task's analysis answering `results`.
    void StepAt(int64_t timeS, std::vector<ANALYSIS_RESULT_ITEM> results, size_t analysis = 0)
    {
        nowS = timeS;
        analyses.at(analysis)->results = std::move(results);
        monitoring.ProcessSpectrum(&range, &ddc);
    }

    std::vector<MONITORING_EVENT> Events()
    {
        std::vector<MONITORING_EVENT> events;
        monitoring.GetEvents(events);
        return events;
    }

    CControlBits bits;
    CSignalRecorder recorder{L"adf1"};
    std::vector<CScriptedAnalysis*> analyses;
    int64_t nowS = 1000000;
    CMonitoring monitoring;
    CFakeCalcFft range;
    CFakeCalcFft ddc;
};
}  // namespace

TEST_F(MonitoringTest, TaskIdsOnlyGrowAndLookupsOfMissingTasksThrowTheirTexts)
{
    EXPECT_EQ(monitoring.AddTask(Task(L"a")), 0);
    EXPECT_EQ(monitoring.AddTask(Task(L"b")), 1);
    EXPECT_EQ(monitoring.AddTask(Task(L"c")), 2);
    monitoring.RemoveTask(1);
    EXPECT_EQ(monitoring.AddTask(Task(L"d")), 3);
    ASSERT_EQ(monitoring.GetTasksCount(), 3);
    EXPECT_EQ(monitoring.GetTaskByOrder(1).Name, L"c");
    EXPECT_EQ(monitoring.GetTask(3).Name, L"d");
    EXPECT_TRUE(monitoring.TaskNameExists(L"c"));
    EXPECT_FALSE(monitoring.TaskNameExists(L"C"));
    EXPECT_FALSE(monitoring.TaskNameExists(L"b"));

    MONITORING_TASK edited = Task(L"edited");
    edited.AverCoef = 77;
    monitoring.SetTask(0, edited);
    EXPECT_EQ(monitoring.GetTask(0).Name, L"edited");
    EXPECT_EQ(monitoring.GetTask(0).AverCoef, 77);

    struct Case
    {
        std::function<void()> call;
        std::string message;
    };
    const Case cases[] = {
        {[&] { monitoring.SetTask(1, Task(L"x")); }, "CMonitoring::SetTask: task ID not found!"},
        {[&] { monitoring.GetTask(1); }, "CMonitoring::GetTask: task ID not found!"},
        {[&] { monitoring.RemoveTask(-1); }, "CMonitoring::RemoveTask: task ID not found!"},
        {[&] { monitoring.GetTaskByOrder(-1); }, "CMonitoring::GetTaskByOrder: task not found!"},
        {[&] { monitoring.GetTaskByOrder(3); }, "CMonitoring::GetTaskByOrder: task not found!"},
    };
    for (const Case& c : cases)
    {
        try
        {
            c.call();
            ADD_FAILURE() << "no exception, expected " << c.message;
        }
        catch (const std::exception& e)
        {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(monitoring.GetTasksCount(), 3) << c.message;
    }
    EXPECT_FALSE(monitoring.TaskNameExists(L"x"));
}

TEST_F(MonitoringTest, TheAnalysisGetsTheTaskSettingsAndTheCalculatorsSpectra)
{
    MONITORING_TASK task = Task(L"a");
    task.ThresholdMode = 1;
    task.AbsThreshold = -55.0;
    task.AverThreshold = 12.0;
    task.AverCoef = 300;
    task.HysteresisValue = 7.0;
    task.DoMerge = true;
    monitoring.AddTask(task);
    ARCHIVE_SIGNAL_ENTRY blanked;
    blanked.FreqBegin = 150.0;
    blanked.FreqEnd = 151.0;
    monitoring.Start({blanked}, 0);
    StepAt(nowS, {});

    const CScriptedAnalysis& analysis = *analyses[0];
    EXPECT_EQ(analysis.parameters.thresholdMode, 1);
    EXPECT_EQ(analysis.parameters.fixedThreshold, -55.0);
    EXPECT_EQ(analysis.parameters.thresholdOffset, 12.0);
    EXPECT_EQ(analysis.parameters.averagingLength, 300);
    // Hysteresis only when the task asks for it; the region stays the analysis's own.
    EXPECT_EQ(analysis.parameters.hysteresis, 0.0);
    EXPECT_TRUE(analysis.parameters.merge);
    EXPECT_EQ(analysis.parameters.region, -1);
    EXPECT_EQ(analysis.added, range.correctionRow);
    EXPECT_EQ(analysis.addedCount, 4);
    EXPECT_EQ(analysis.analysed, range.correctionRow);
    EXPECT_EQ(analysis.levels, range.result);
    EXPECT_FALSE(analysis.noHistory);
    ASSERT_EQ(analysis.templates.size(), 1u);
    EXPECT_EQ(analysis.templates[0].FreqBegin, 150.0);

    task.UseHysteresis = true;
    monitoring.SetTask(0, task);
    StepAt(nowS, {});
    EXPECT_EQ(analysis.parameters.hysteresis, 7.0);
}

TEST_F(MonitoringTest, ASteadySignalExtendsOneEventAndAGapOf15SecondsOpensANewOne)
{
    monitoring.AddTask(Task(L"a"));
    monitoring.Start({}, 0);
    const int64_t t0 = nowS;
    StepAt(t0, {Result(99.0, 100.0, 101.0, -50.0, 1)});
    // Louder and wider: the peak moves and the span grows.
    StepAt(t0 + 10, {Result(98.5, 100.2, 100.8, -45.0, 1)});
    // Quieter, 14 s after the last sighting: still the same event, the peak stays.
    StepAt(t0 + 24, {Result(99.5, 100.5, 101.5, -60.0, 1)});
    // 15 s after the last sighting: a new event.
    StepAt(t0 + 39, {Result(99.0, 100.0, 101.0, -52.0, 1)});

    const std::vector<MONITORING_EVENT> events = Events();
    ASSERT_EQ(events.size(), 2u);
    const MONITORING_EVENT& first = events[0];
    EXPECT_EQ(first.id, 0u);
    EXPECT_EQ(first.startTime, t0);
    EXPECT_EQ(first.lastTime, t0 + 24);
    EXPECT_EQ(first.startFreq, 98.5);
    EXPECT_EQ(first.endFreq, 101.5);
    EXPECT_EQ(first.peakFreq, 100.2);
    EXPECT_EQ(first.level, -45.0);
    EXPECT_EQ(first.iSwitch, 1);
    EXPECT_EQ(first.taskName, L"a");
    EXPECT_EQ(first.signalFileName, L"/nowhere/a.rec");
    EXPECT_EQ(first.ident, L"band");
    EXPECT_EQ(events[1].id, 1u);
    EXPECT_EQ(events[1].startTime, t0 + 39);
    EXPECT_EQ(events[1].lastTime, t0 + 39);
    EXPECT_EQ(monitoring.GetTaskEventsCount(0), 2);
}

TEST_F(MonitoringTest, OnlyAResultAtTheSamePlaceAndSwitchExtendsAnEvent)
{
    struct Case
    {
        const char* what;
        std::vector<ANALYSIS_RESULT_ITEM> second;
        size_t events;
    };
    const Case cases[] = {
        {"same switch, peak inside", {Result(100.5, 101.0, 102.0, -50.0, 1)}, 1},
        {"peak on the event's edge", {Result(101.0, 101.0, 103.0, -50.0, 1)}, 1},
        {"other switch", {Result(99.0, 100.0, 101.0, -50.0, 2)}, 2},
        {"peak past the event", {Result(100.5, 101.5, 102.0, -50.0, 1)}, 2},
        {"gone", {Result(150.0, 151.0, 152.0, -50.0, 1, 3)}, 1},
        {"removed by the operator", {Result(150.0, 151.0, 152.0, -50.0, 1, 255)}, 1},
        {"present", {Result(150.0, 151.0, 152.0, -50.0, 1, 0)}, 2},
        {"two results", {Result(150.0, 151.0, 152.0, -50.0), Result(160.0, 161.0, 162.0, -50.0)}, 3},
    };
    for (const Case& c : cases)
    {
        analyses.clear();
        CMonitoring scripted(
            &bits, &bits.Adf(), &recorder,
            [this]
            {
                auto made = std::make_unique<CScriptedAnalysis>();
                analyses.push_back(made.get());
                return made;
            },
            [this] { return nowS; });
        scripted.AddTask(Task(L"a"));
        scripted.Start({}, 0);
        // The first result opens an event over 99..101 MHz on switch 1.
        analyses[0]->results = {Result(99.0, 100.0, 101.0, -50.0, 1)};
        scripted.ProcessSpectrum(&range, &ddc);
        nowS += 5;
        analyses[0]->results = c.second;
        scripted.ProcessSpectrum(&range, &ddc);
        std::vector<MONITORING_EVENT> events;
        scripted.GetEvents(events);
        EXPECT_EQ(events.size(), c.events) << c.what;
    }
}

TEST_F(MonitoringTest, ATaskWithoutRangesOpensNoEvent)
{
    MONITORING_TASK task = Task(L"a");
    task.Ranges.clear();
    monitoring.AddTask(task);
    monitoring.Start({}, 0);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0)});
    EXPECT_EQ(analyses[0]->starts, 1);
    EXPECT_TRUE(Events().empty());
}

TEST_F(MonitoringTest, OnlyTheFirstEventOfARunTunesTheReceiver)
{
    monitoring.AddTask(Task(L"a"));
    monitoring.Start({}, 0);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0)});
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 100.0e6);
    StepAt(nowS + 1, {Result(99.0, 100.0, 101.0, -50.0), Result(149.0, 150.0, 151.0, -20.0)});
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 100.0e6);

    // A new run starts with no event in progress, so its first event tunes again.
    monitoring.Stop(0);
    monitoring.Start({}, 0);
    StepAt(nowS + 1, {Result(179.0, 180.0, 181.0, -50.0)});
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 180.0e6);
}

TEST_F(MonitoringTest, TheFirstStepSetsTheTaskUpAndStopPutsTheOperatorsSettingsBack)
{
    bits.SetCurrentChannel(5);
    // Wide enough that the control block build keeps the scan range as monitoring set it.
    bits.Adf().SetFreqLimits(40.0, 6000.0);
    MONITORING_TASK task = Task(L"a");
    task.Channel = 0;
    task.Ranges = {{300.0, 400.0}, {250.0, 350.0}};
    task.SetAverMode = true;
    task.AverMode = 7;
    task.SetWindow = true;
    task.Window = 6;
    task.WaitCycles = 5;
    monitoring.AddTask(task);
    monitoring.Start({}, 0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 5) << "Start alone changes nothing";

    StepAt(nowS, {});
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 0);
    EXPECT_EQ(bits.Adf().GetStartFreq(), 250.0);
    EXPECT_EQ(bits.Adf().GetStopFreq(), 400.0);
    EXPECT_EQ(range.averaging, 7);
    EXPECT_EQ(range.window, 6);
    EXPECT_EQ(ddc.averaging, 5);
    EXPECT_EQ(ddc.window, 1);
    EXPECT_EQ(monitoring.RunningTaskWaitCounter(), 5);

    // The window restarts monitoring on a settings change without stopping it first: the settings it
    // saved are still the operator's, not monitoring's own.
    monitoring.Start({}, 0);
    ddc.window = 4;
    StepAt(nowS, {});
    monitoring.Stop(0);
    EXPECT_FALSE(monitoring.IsRunning());
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 5);
    EXPECT_EQ(range.averaging, 2);
    EXPECT_EQ(range.window, 3);
    EXPECT_EQ(ddc.averaging, 5);
    EXPECT_EQ(ddc.window, 1);

    // A second Stop, or hiding the window while idle, leaves what the operator chose since.
    bits.SetCurrentChannel(6);
    range.window = 9;
    monitoring.Stop(0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 6);
    EXPECT_EQ(range.window, 9);
}

TEST_F(MonitoringTest, AnAveragingModeOutsideTheListMeansNoAveraging)
{
    struct Case
    {
        int averMode;
        int applied;
    };
    for (const Case& c : {Case{10, 10}, Case{11, 0}, Case{-1, 0}})
    {
        MONITORING_TASK task = Task(L"a");
        task.SetAverMode = true;
        task.AverMode = c.averMode;
        CMonitoring own(
            &bits, &bits.Adf(), &recorder, [] { return std::make_unique<CScriptedAnalysis>(); },
            [this] { return nowS; });
        own.AddTask(task);
        own.Start({}, 0);
        own.ProcessSpectrum(&range, nullptr);
        EXPECT_EQ(range.averaging, c.applied) << "mode " << c.averMode;
        own.Stop(0);
    }
}

TEST_F(MonitoringTest, TheSynthesizerRangeIsSetOnlyForSweptChannels)
{
    for (int channel : {0, 2, 3, 4})
    {
        bits.Adf().SetScanRange(1.0, 2.0);
        MONITORING_TASK task = Task(L"swept");
        task.Channel = channel;
        CMonitoring own(
            &bits, &bits.Adf(), &recorder, [] { return std::make_unique<CScriptedAnalysis>(); },
            [this] { return nowS; });
        own.AddTask(task);
        own.Start({}, 0);
        own.ProcessSpectrum(&range, nullptr);
        const bool swept = channel == 0 || channel == 3;
        EXPECT_EQ(bits.Adf().GetStartFreq(), swept ? 100.0 : 1.0) << "channel " << channel;
        EXPECT_EQ(bits.Adf().GetStopFreq(), swept ? 200.0 : 2.0) << "channel " << channel;
        own.Stop(0);
    }
}

TEST_F(MonitoringTest, OnlyTheFirstEnabledTaskRunsAndARemovedOneStopsBeingWatched)
{
    monitoring.AddTask(Task(L"off", false));
    monitoring.AddTask(Task(L"first"));
    monitoring.AddTask(Task(L"second"));
    monitoring.Start({}, 0);
    EXPECT_EQ(monitoring.RunningTaskId(), 1);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0)}, 1);
    EXPECT_EQ(analyses[0]->starts, 0);
    EXPECT_EQ(analyses[1]->starts, 1);
    EXPECT_EQ(analyses[2]->starts, 0);

    monitoring.RemoveTask(1);
    monitoring.ProcessSpectrum(&range, &ddc);
    EXPECT_EQ(monitoring.GetTasksCount(), 2);
    EXPECT_EQ(Events().size(), 1u);
    monitoring.RemoveAllTasks();
    monitoring.ProcessSpectrum(&range, &ddc);
    EXPECT_TRUE(monitoring.IsRunning());
}

TEST_F(MonitoringTest, WithNoEnabledTaskNothingIsSetUp)
{
    bits.SetCurrentChannel(4);
    monitoring.AddTask(Task(L"off", false));
    monitoring.Start({}, 0);
    EXPECT_EQ(monitoring.RunningTaskId(), -1);
    monitoring.ProcessSpectrum(&range, &ddc);
    EXPECT_EQ(analyses[0]->starts, 0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 4);
    monitoring.Stop(0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 4);
    EXPECT_EQ(range.window, 3);
}

TEST_F(MonitoringTest, EventsSurviveRestartsAndTheRemovalOfTheirTask)
{
    monitoring.AddTask(Task(L"a"));
    monitoring.AddTask(Task(L"b", false));
    monitoring.Start({}, 0);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0)});
    monitoring.Stop(0);
    ASSERT_EQ(Events().size(), 1u) << "Stop keeps the events in progress";

    // The restart finishes event 0; the signal, still there, opens event 1.
    monitoring.Start({}, 0);
    StepAt(nowS + 1, {Result(99.0, 100.0, 101.0, -50.0), Result(149.0, 150.0, 151.0, -50.0)});
    std::vector<MONITORING_EVENT> events = Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].id, 0u);
    EXPECT_EQ(events[1].id, 1u);
    EXPECT_EQ(events[2].id, 2u);
    EXPECT_EQ(monitoring.GetTaskEventsCount(0), 3);
    EXPECT_EQ(monitoring.GetTaskEventsCount(1), 0);
    EXPECT_EQ(monitoring.GetTaskEventsCount(99), 0);

    // The finished event is no longer extended: the signal at 100 MHz extends event 1 only.
    StepAt(nowS + 1, {Result(99.0, 100.0, 101.0, -40.0)});
    events = Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].level, -50.0);
    EXPECT_EQ(events[1].level, -40.0);

    monitoring.RemoveTask(0);
    EXPECT_EQ(Events().size(), 3u);
    const int again = monitoring.AddTask(Task(L"a"));
    EXPECT_EQ(monitoring.GetTaskEventsCount(again), 3) << "finished events count under the task's name";
    monitoring.Start({}, 0);
    StepAt(nowS + 1, {Result(179.0, 180.0, 181.0, -50.0)}, 2);
    monitoring.RemoveAllTasks();
    events = Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[3].id, 3u);
    EXPECT_EQ(events[3].peakFreq, 180.0);
}

TEST_F(MonitoringTest, RemovingAndClearingEvents)
{
    monitoring.AddTask(Task(L"a"));
    monitoring.Start({}, 0);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0)});
    monitoring.Start({}, 0);
    StepAt(nowS, {Result(99.0, 100.0, 101.0, -50.0), Result(149.0, 150.0, 151.0, -50.0)});
    // Event 0 is finished, 1 and 2 in progress.
    monitoring.RemoveEvent(7);
    ASSERT_EQ(Events().size(), 3u);
    monitoring.RemoveEvent(0);
    monitoring.RemoveEvent(2);
    std::vector<MONITORING_EVENT> events = Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, 1u);

    monitoring.ClearEvents();
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(monitoring.GetTaskEventsCount(0), 0);
    StepAt(nowS + 1, {Result(99.0, 100.0, 101.0, -50.0)});
    events = Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, 3u) << "event ids are never reused";
}

TEST_F(MonitoringTest, ARecordingTaskRecordsWhileMonitoringRuns)
{
    CTempDir dir;
    const std::wstring path = kplatform::Utf8ToWide(dir.File("watch.rec"));
    MONITORING_TASK task = Task(L"rec");
    task.RecordSignal = true;
    task.SignalFileName = path;
    task.Ranges = {{120.0, 130.0}, {10.0, 300.0}};
    monitoring.AddTask(task);
    monitoring.Start({}, 1000);
    ASSERT_TRUE(recorder.IsRecording());
    EXPECT_EQ(recorder.GetFreqBegin(), 120.0);
    EXPECT_EQ(recorder.GetFreqEnd(), 130.0);
    monitoring.Stop(5000);
    EXPECT_FALSE(recorder.IsRecording());
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(recorder.CheckRecordingFile(path, info));
    EXPECT_EQ(info.duration, 4);
}

TEST_F(MonitoringTest, StopLeavesARecordingMonitoringDidNotStart)
{
    CTempDir dir;
    monitoring.AddTask(Task(L"quiet"));
    ASSERT_TRUE(recorder.StartRecording(kplatform::Utf8ToWide(dir.File("own.rec")), 0, 1.0, 2.0, false));
    monitoring.Start({}, 0);
    monitoring.Stop(0);
    EXPECT_TRUE(recorder.IsRecording());
    recorder.StopRecording(0);
}

TEST_F(MonitoringTest, SetGarmConvReachesEveryTasksAnalysis)
{
    monitoring.AddTask(Task(L"a"));
    CFakeGarmConv conv;
    monitoring.SetGarmConv(&conv);
    monitoring.AddTask(Task(L"b"));
    EXPECT_EQ(analyses[0]->conv, &conv);
    EXPECT_EQ(analyses[1]->conv, &conv);
}

TEST_F(MonitoringTest, CoreStatusFollowsTheFrontEndLink)
{
    CFrontEndLink::Instance().SetStatusForTesting(1);
    EXPECT_FALSE(monitoring.IsCoreStatusClear());
    CFrontEndLink::Instance().SetStatusForTesting(0);
    EXPECT_TRUE(monitoring.IsCoreStatusClear());
}

TEST(MonitoringCore, TheCoreHandsOutNewObjectsThatWatchWithItsOwnAnalysis)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    CKelthar core;
    void* gsmOut = nullptr;
    void* gsmAgain = nullptr;
    ASSERT_TRUE(core.GetInterface(15, &gsmOut));
    ASSERT_TRUE(core.GetInterface(15, &gsmAgain));
    std::unique_ptr<IGsmAnalysis> gsm(static_cast<IGsmAnalysis*>(gsmOut));
    std::unique_ptr<IGsmAnalysis> gsm2(static_cast<IGsmAnalysis*>(gsmAgain));
    EXPECT_NE(gsm.get(), gsm2.get());

    void* first = nullptr;
    void* second = nullptr;
    ASSERT_TRUE(core.GetInterface(16, &first));
    ASSERT_TRUE(core.GetInterface(16, &second));
    std::unique_ptr<IMonitoring> monitoring(static_cast<IMonitoring*>(first));
    std::unique_ptr<IMonitoring> other(static_cast<IMonitoring*>(second));
    EXPECT_NE(monitoring.get(), other.get());

    // Set up as the program does: band lists and a channel per input type.
    IControlBits& bits = core.ControlBits();
    bits.Init();
    for (int type = 0; type <= 6; ++type)
    {
        IChannel* channel = bits.AddChannel(type, L"C", L"Channel", 61e6);
        channel->SetStartFreq(40.0);
        channel->SetStopFreq(6030.0);
    }
    bits.SetCurrentChannel(5);

    // 200 points from 1000 MHz in steps of 0.1 MHz; a signal at -30 dBm over points 80..84, peak at 82.
    CFakeGarmConv conv(1000.0, 0.1);
    monitoring->SetGarmConv(&conv);
    MONITORING_TASK task = Task(L"core");
    task.Channel = 2;
    task.ThresholdMode = 0;
    task.AbsThreshold = -60.0;
    monitoring->AddTask(task);
    CFakeCalcFft range;
    range.result.assign(200, -100.0);
    for (int i = 80; i <= 84; ++i)
        range.result[static_cast<size_t>(i)] = i == 82 ? -30.0 : -40.0;
    range.correctionRow = range.result;
    monitoring->Start({}, 0);
    monitoring->ProcessSpectrum(&range, nullptr);

    std::vector<MONITORING_EVENT> events;
    monitoring->GetEvents(events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NEAR(events[0].peakFreq, 1008.2, 1e-9);
    EXPECT_NEAR(events[0].startFreq, 1008.0, 1e-9);
    // The analysis ends a run at the first point back below the threshold.
    EXPECT_NEAR(events[0].endFreq, 1008.5, 1e-9);
    EXPECT_EQ(events[0].level, -30.0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 2);
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 1008.2e6);
    monitoring->Stop(0);
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 5);
}
