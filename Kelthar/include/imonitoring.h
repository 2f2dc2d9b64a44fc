#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archivesignalentry.h"

class IGarmConv;
class ICalcFft;

// One frequency range of a monitoring task, MHz.
struct MONITORING_RANGE
{
    double StartFreq = 0.0;
    double EndFreq = 0.0;
};

// One monitoring task as the operator defines it. The field names are those of the task file.
struct MONITORING_TASK
{
    bool Enabled = false;
    std::wstring Name;
    int32_t Channel = 0;  // input channel type selected while the task runs
    std::vector<MONITORING_RANGE> Ranges;
    bool SetAverMode = false;  // apply AverMode to the range calculator
    int32_t AverMode = 0;      // row of the averaging list
    bool SetWindow = false;    // apply Window to the range calculator
    int32_t Window = 0;        // row of the window-function list
    // The analysis threshold: mode 0 = AbsThreshold (dBm), otherwise the running average over AverCoef
    // points plus AverThreshold (dB).
    int32_t ThresholdMode = 0;
    double AbsThreshold = 0.0;
    double AverThreshold = 0.0;
    int32_t AverCoef = 0;
    bool RecordSignal = false;  // record the device stream to SignalFileName while monitoring
    std::wstring SignalFileName;
    bool UseHysteresis = false;
    double HysteresisValue = 0.0;  // dB
    int32_t WaitCycles = 0;
    bool DoMerge = false;
};

// One signal seen by monitoring. An event stays open while the same signal keeps being found at the
// same place; a gap of 15 seconds or more opens a new one.
struct MONITORING_EVENT
{
    uint32_t id = 0;        // from a counter that only grows
    int64_t startTime = 0;  // seconds since 1970
    int64_t lastTime = 0;   // last time the signal was seen, seconds since 1970
    std::wstring taskName;
    int32_t channel = 0;          // the task's Channel
    int32_t iSwitch = 0;          // switch number of the result that opened the event
    double startFreq = 0.0;       // MHz
    double endFreq = 0.0;         // MHz
    double peakFreq = 0.0;        // MHz
    double level = 0.0;           // peak level, dBm, before the program's level corrections
    double reserved = 0.0;        // never set by monitoring
    std::wstring signalFileName;  // the task's SignalFileName
    std::wstring ident;           // band name of the result that opened the event
};

// Watches frequency ranges over time: while running, every range spectrum goes through the running
// task's own full-range analysis and each result opens or extends an event. Finished events are kept
// apart from the tasks, so they survive Start and the removal of tasks.
class IMonitoring
{
public:
    // Not owned; every task's analysis uses it.
    virtual void SetGarmConv(IGarmConv* conv) = 0;
    // Returns the new task's id.
    virtual int AddTask(const MONITORING_TASK& task) = 0;
    // Exact, case-sensitive comparison.
    virtual bool TaskNameExists(const std::wstring& name) = 0;
    // Task lookups by id or position throw std::runtime_error when there is no such task.
    virtual void SetTask(int id, const MONITORING_TASK& task) = 0;
    virtual const MONITORING_TASK& GetTask(int id) = 0;
    virtual const MONITORING_TASK& GetTaskByOrder(int index) = 0;
    virtual int GetTasksCount() = 0;
    virtual void RemoveTask(int id) = 0;
    virtual void RemoveAllTasks() = 0;
    // Runs the first enabled task. The template entries (MHz) are blanked in every analysis.
    virtual void Start(const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, int64_t nowMs) = 0;
    // Restores the channel, averaging and window that Start and the first step changed.
    virtual void Stop(int64_t nowMs) = 0;
    virtual bool IsRunning() = 0;
    // One monitoring step on the first calculator's spectrum. The averaging and window of both
    // calculators are saved at the first step and restored by Stop (the program passes its DDC
    // calculator as the second).
    virtual void ProcessSpectrum(ICalcFft* rangeFft, ICalcFft* secondFft) = 0;
    // The finished events, then the events in progress task by task.
    virtual void GetEvents(std::vector<MONITORING_EVENT>& out) = 0;
    virtual int GetTaskEventsCount(int id) = 0;
    // An id that no event has changes nothing.
    virtual void RemoveEvent(uint32_t eventId) = 0;
    virtual void ClearEvents() = 0;
    // Whether the front-end unit was found and started without error.
    virtual bool IsCoreStatusClear() = 0;
    virtual ~IMonitoring() = default;
};
