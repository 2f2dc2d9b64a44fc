#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ianalysis.h"
#include "imonitoring.h"

class IAdf4350;
class IControlBits;
class ISignalRecorder;

// Watches frequency ranges over time. The operator's tasks each hold their own full-range analysis and
// their events in progress; while monitoring runs, every range spectrum goes through the running task's
// analysis and each result opens an event or extends one open at the same place. Events in progress
// move to the finished list, never dropped, when monitoring starts again or their task is removed, so
// the operator's log survives restarts. Made new for each request; the caller owns it, and it must not
// outlive the core whose members it was given.
//
// Every call comes from the GUI thread; the mutex guards the events, which a log window may read.
class CMonitoring : public IMonitoring
{
public:
    // Seconds since 1970.
    using Clock = std::function<int64_t()>;
    // Makes a task's analysis; the converter is set on it afterwards.
    using AnalysisFactory = std::function<std::unique_ptr<IAnalysis>()>;

    // An event whose signal has not been seen for this long is left alone; the signal opens a new one.
    static constexpr int64_t kEventGapSeconds = 15;
    // Rows of the calculators' averaging list.
    static constexpr int kAveragingModes = 11;

    // controlBits and adf4350 are the core's (adf4350 the synthesizer model inside the control bits);
    // none is owned. A null clock reads the system clock.
    CMonitoring(IControlBits* controlBits, IAdf4350* adf4350, ISignalRecorder* recorder,
                AnalysisFactory makeAnalysis, Clock clock = nullptr);
    CMonitoring(const CMonitoring&) = delete;
    CMonitoring& operator=(const CMonitoring&) = delete;

    void SetGarmConv(IGarmConv* conv) override;
    int AddTask(const MONITORING_TASK& task) override;
    bool TaskNameExists(const std::wstring& name) override;
    void SetTask(int id, const MONITORING_TASK& task) override;
    const MONITORING_TASK& GetTask(int id) override;
    const MONITORING_TASK& GetTaskByOrder(int index) override;
    int GetTasksCount() override;
    void RemoveTask(int id) override;
    void RemoveAllTasks() override;
    // A start while running keeps the channel and calculator settings saved by the first one, so that
    // Stop still puts back the operator's own.
    void Start(const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, int64_t nowMs) override;
    // Does nothing while stopped. Ends only a recording that monitoring started itself.
    void Stop(int64_t nowMs) override;
    bool IsRunning() override { return m_running; }
    void ProcessSpectrum(ICalcFft* rangeFft, ICalcFft* secondFft) override;
    void GetEvents(std::vector<MONITORING_EVENT>& out) override;
    // The task's events in progress plus the finished events under its name; 0 for an unknown id.
    int GetTaskEventsCount(int id) override;
    void RemoveEvent(uint32_t eventId) override;
    void ClearEvents() override;
    bool IsCoreStatusClear() override;

    // Id of the task that Start chose, -1 when none was enabled.
    int RunningTaskId() const { return m_currentTaskId; }
    // The running task's wait counter (its WaitCycles once the first step set the task up); -1 when no
    // task runs.
    int RunningTaskWaitCounter() const;

private:
    struct TaskRecord
    {
        int32_t id = 0;
        MONITORING_TASK task;
        std::vector<MONITORING_EVENT> events;  // in progress
        std::unique_ptr<IAnalysis> analysis;
        int32_t waitCounter = 0;
    };

    // Saved averaging mode and window of one calculator, put back by Stop.
    struct SavedFft
    {
        ICalcFft* fft = nullptr;
        int averaging = 0;
        int window = 0;
    };

    TaskRecord* FindTask(int id);
    // Throws std::runtime_error(message) when no task has the id.
    TaskRecord& TaskOrThrow(int id, const char* message);
    // Moves the task's events in progress to the finished list. Call under the mutex.
    void FinishEvents(TaskRecord& record);
    // The first step after Start: saves the calculators' settings and applies the task's.
    void SetUpTask(TaskRecord& record, ICalcFft* rangeFft, ICalcFft* secondFft);
    // Runs the task's analysis on the spectrum and turns its results into events. Call under the mutex.
    void Step(TaskRecord& record, ICalcFft* rangeFft);

    IControlBits* m_pControlBits;
    IAdf4350* m_pAdf4350;
    ISignalRecorder* m_pRecorder;
    AnalysisFactory m_makeAnalysis;
    Clock m_clock;
    IGarmConv* m_pGarmConv = nullptr;

    std::vector<TaskRecord> m_tasks;
    std::vector<MONITORING_EVENT> m_finished;
    std::vector<ARCHIVE_SIGNAL_ENTRY> m_templates;

    bool m_running = false;
    bool m_firstStep = true;
    // Whether monitoring started the recording that Stop ends; the operator's own recording is not
    // monitoring's to stop.
    bool m_recording = false;
    // Held by id, not by position: tasks may be removed while monitoring runs.
    int32_t m_currentTaskId = -1;
    // The channel index before monitoring, put back by Stop.
    int32_t m_savedChannel = 2;
    // Filled at the first step of a run, emptied when Stop has put the settings back.
    std::vector<SavedFft> m_savedFft;
    int32_t m_nextTaskId = 0;
    uint32_t m_nextEventId = 0;

    // Guards the events. Nothing called under it (the analysis, the converter) calls back into this
    // object, so a plain mutex serves.
    std::mutex m_mutex;
};
