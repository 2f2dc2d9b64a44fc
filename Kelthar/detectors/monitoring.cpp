#include "monitoring.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>
#include <utility>

#include "frontendlink.h"
#include "iadf4350.h"
#include "icalcfft.h"
#include "icontrolbits.h"
#include "isignalrecorder.h"

CMonitoring::CMonitoring(IControlBits* controlBits, IAdf4350* adf4350, ISignalRecorder* recorder,
                         AnalysisFactory makeAnalysis, Clock clock)
    : m_pControlBits(controlBits),
      m_pAdf4350(adf4350),
      m_pRecorder(recorder),
      m_makeAnalysis(std::move(makeAnalysis)),
      m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return static_cast<int64_t>(std::time(nullptr)); };
}

void CMonitoring::SetGarmConv(IGarmConv* conv)
{
    m_pGarmConv = conv;
    for (TaskRecord& record : m_tasks)
        record.analysis->SetGarmConv(conv);
}

int CMonitoring::AddTask(const MONITORING_TASK& task)
{
    TaskRecord record;
    record.id = m_nextTaskId++;
    record.task = task;
    record.analysis = m_makeAnalysis();
    record.analysis->SetGarmConv(m_pGarmConv);
    m_tasks.push_back(std::move(record));
    return m_tasks.back().id;
}

bool CMonitoring::TaskNameExists(const std::wstring& name)
{
    return std::any_of(m_tasks.begin(), m_tasks.end(),
                       [&name](const TaskRecord& record) { return record.task.Name == name; });
}

CMonitoring::TaskRecord* CMonitoring::FindTask(int id)
{
    for (TaskRecord& record : m_tasks)
        if (record.id == id)
            return &record;
    return nullptr;
}

CMonitoring::TaskRecord& CMonitoring::TaskOrThrow(int id, const char* message)
{
    TaskRecord* record = FindTask(id);
    if (record == nullptr)
        throw std::runtime_error(message);
    return *record;
}

void CMonitoring::SetTask(int id, const MONITORING_TASK& task)
{
    TaskOrThrow(id, "CMonitoring::SetTask: task ID not found!").task = task;
}

const MONITORING_TASK& CMonitoring::GetTask(int id)
{
    return TaskOrThrow(id, "CMonitoring::GetTask: task ID not found!").task;
}

const MONITORING_TASK& CMonitoring::GetTaskByOrder(int index)
{
    if (index < 0 || index >= GetTasksCount())
        throw std::runtime_error("CMonitoring::GetTaskByOrder: task not found!");
    return m_tasks[static_cast<size_t>(index)].task;
}

int CMonitoring::GetTasksCount()
{
    return static_cast<int>(m_tasks.size());
}

void CMonitoring::FinishEvents(TaskRecord& record)
{
    for (MONITORING_EVENT& event : record.events)
        m_finished.push_back(std::move(event));
    record.events.clear();
}

void CMonitoring::RemoveTask(int id)
{
    TaskRecord& record = TaskOrThrow(id, "CMonitoring::RemoveTask: task ID not found!");
    std::lock_guard<std::mutex> lock(m_mutex);
    FinishEvents(record);
    m_tasks.erase(m_tasks.begin() + (&record - m_tasks.data()));
}

void CMonitoring::RemoveAllTasks()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (TaskRecord& record : m_tasks)
        FinishEvents(record);
    m_tasks.clear();
}

void CMonitoring::Start(const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, int64_t nowMs)
{
    // A start while running (the window restarts on a settings change) keeps what the first start
    // saved: the channel and calculator settings in force now are monitoring's own.
    if (!m_running)
        m_savedChannel = m_pControlBits->GetCurrentChannelIndex();
    if (m_recording)
    {
        m_pRecorder->StopRecording(nowMs);
        m_recording = false;
    }
    m_firstStep = true;
    m_running = true;
    m_templates = templates;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (TaskRecord& record : m_tasks)
            FinishEvents(record);
    }

    m_currentTaskId = -1;
    for (const TaskRecord& record : m_tasks)
        if (record.task.Enabled)
        {
            m_currentTaskId = record.id;
            break;
        }
    TaskRecord* record = FindTask(m_currentTaskId);
    if (record != nullptr && record->task.RecordSignal && !record->task.Ranges.empty())
    {
        const MONITORING_RANGE& range = record->task.Ranges.front();
        m_recording = m_pRecorder->StartRecording(record->task.SignalFileName, nowMs, range.StartFreq,
                                                  range.EndFreq, false);
    }
}

void CMonitoring::Stop(int64_t nowMs)
{
    // Stopping what does not run must leave the operator's channel and calculators alone.
    if (!m_running)
        return;
    m_running = false;
    if (m_recording)
    {
        m_pRecorder->StopRecording(nowMs);
        m_recording = false;
    }
    for (const SavedFft& saved : m_savedFft)
    {
        saved.fft->SetAveraging(saved.averaging);
        saved.fft->SetWindow(saved.window);
    }
    m_savedFft.clear();
    m_pControlBits->SetCurrentChannel(m_savedChannel);
}

int CMonitoring::RunningTaskWaitCounter() const
{
    for (const TaskRecord& record : m_tasks)
        if (record.id == m_currentTaskId)
            return record.waitCounter;
    return -1;
}

void CMonitoring::SetUpTask(TaskRecord& record, ICalcFft* rangeFft, ICalcFft* secondFft)
{
    if (m_savedFft.empty())
        for (ICalcFft* fft : {rangeFft, secondFft})
            if (fft != nullptr)
                m_savedFft.push_back({fft, fft->GetAveraging(), fft->GetWindow()});

    const MONITORING_TASK& task = record.task;
    // Channels 0 and 3 sweep the synthesizer: it covers the whole of the task's ranges.
    if ((task.Channel == 0 || task.Channel == 3) && !task.Ranges.empty())
    {
        double startMHz = task.Ranges.front().StartFreq;
        double endMHz = task.Ranges.front().EndFreq;
        for (const MONITORING_RANGE& range : task.Ranges)
        {
            startMHz = std::min(startMHz, range.StartFreq);
            endMHz = std::max(endMHz, range.EndFreq);
        }
        m_pAdf4350->SetScanRange(startMHz, endMHz);
    }
    // A mode from a damaged task file that names no row of the averaging list means no averaging.
    if (task.SetAverMode)
        rangeFft->SetAveraging(task.AverMode >= 0 && task.AverMode < kAveragingModes ? task.AverMode : 0);
    if (task.SetWindow)
        rangeFft->SetWindow(task.Window);
    m_pControlBits->SetCurrentChannel(task.Channel);
    m_pControlBits->LoadFir();
    record.waitCounter = task.WaitCycles;
}

void CMonitoring::ProcessSpectrum(ICalcFft* rangeFft, ICalcFft* secondFft)
{
    if (!m_running || rangeFft == nullptr)
        return;
    // No enabled task, or the running task was removed meanwhile: nothing to watch.
    TaskRecord* record = FindTask(m_currentTaskId);
    if (record == nullptr)
        return;
    if (m_firstStep)
    {
        m_firstStep = false;
        SetUpTask(*record, rangeFft, secondFft);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    Step(*record, rangeFft);
}

void CMonitoring::Step(TaskRecord& record, ICalcFft* rangeFft)
{
    const MONITORING_TASK& task = record.task;
    IAnalysis& analysis = *record.analysis;
    analysis.SetParameters(task.ThresholdMode, task.AbsThreshold, task.AverThreshold, task.AverCoef,
                           task.UseHysteresis ? task.HysteresisValue : 0.0, task.DoMerge, -1);
    // The correction row is the spectrum itself while no level correction is set.
    const std::vector<double> spectrum = rangeFft->GetCorrectionRow();
    analysis.AddSpectrum(spectrum, rangeFft->GetCorrectionShift());
    analysis.Start(spectrum, m_templates, false, rangeFft->GetResult());

    if (task.Ranges.empty())
        return;

    for (const ANALYSIS_RESULT_ITEM& result : analysis.GetResults())
    {
        if (result.status == 3 || result.status == 255)
            continue;
        const int64_t now = m_clock();
        auto open = std::find_if(record.events.begin(), record.events.end(),
                                 [&](const MONITORING_EVENT& event)
                                 {
                                     return event.iSwitch == result.iSwitch &&
                                            event.startFreq <= result.peakFreq &&
                                            result.peakFreq <= event.endFreq &&
                                            now - event.lastTime < kEventGapSeconds;
                                 });
        if (open != record.events.end())
        {
            MONITORING_EVENT& event = *open;
            event.lastTime = now;
            event.startFreq = std::min(event.startFreq, result.startFreq);
            event.endFreq = std::max(event.endFreq, result.endFreq);
            if (result.level >= event.level)
            {
                event.level = result.level;
                event.peakFreq = result.peakFreq;
            }
            continue;
        }

        MONITORING_EVENT event;
        event.id = m_nextEventId++;
        event.startTime = now;
        event.lastTime = now;
        event.taskName = task.Name;
        event.channel = task.Channel;
        event.iSwitch = result.iSwitch;
        event.startFreq = result.startFreq;
        event.endFreq = result.endFreq;
        event.peakFreq = result.peakFreq;
        event.level = result.level;
        event.signalFileName = task.SignalFileName;
        event.ident = result.ident;
        record.events.push_back(std::move(event));
        // The first event of a run tunes the receiver to it (MHz to Hz); later ones leave it.
        if (record.events.size() == 1)
            m_pControlBits->SetTuneFreq(record.events.front().peakFreq * 1e6);
    }
}

void CMonitoring::GetEvents(std::vector<MONITORING_EVENT>& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    out = m_finished;
    for (const TaskRecord& record : m_tasks)
        out.insert(out.end(), record.events.begin(), record.events.end());
}

int CMonitoring::GetTaskEventsCount(int id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const TaskRecord* record = FindTask(id);
    if (record == nullptr)
        return 0;
    const auto finished = std::count_if(m_finished.begin(), m_finished.end(),
                                        [record](const MONITORING_EVENT& event)
                                        { return event.taskName == record->task.Name; });
    return static_cast<int>(record->events.size()) + static_cast<int>(finished);
}

void CMonitoring::RemoveEvent(uint32_t eventId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto finished = std::find_if(m_finished.begin(), m_finished.end(),
                                 [eventId](const MONITORING_EVENT& event) { return event.id == eventId; });
    if (finished != m_finished.end())
    {
        m_finished.erase(finished);
        return;
    }
    for (TaskRecord& record : m_tasks)
    {
        auto open = std::find_if(record.events.begin(), record.events.end(),
                                 [eventId](const MONITORING_EVENT& event) { return event.id == eventId; });
        if (open != record.events.end())
        {
            record.events.erase(open);
            return;
        }
    }
}

void CMonitoring::ClearEvents()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished.clear();
    for (TaskRecord& record : m_tasks)
        record.events.clear();
}

bool CMonitoring::IsCoreStatusClear()
{
    return CFrontEndLink::Instance().GetStatus() == 0;
}
