#pragma once

// A monitoring object with no tasks and no events that never runs: the base of the stand-ins that
// play one part of the library's monitoring and leave the rest idle.

#include <stdexcept>
#include <string>
#include <vector>

#include "imonitoring.h"

class CIdleMonitoring : public IMonitoring
{
public:
    void SetGarmConv(IGarmConv*) override {}
    int AddTask(const MONITORING_TASK&) override { return 0; }
    bool TaskNameExists(const std::wstring&) override { return false; }
    void SetTask(int, const MONITORING_TASK&) override {}
    const MONITORING_TASK& GetTask(int) override { throw std::runtime_error("no task"); }
    const MONITORING_TASK& GetTaskByOrder(int) override { throw std::runtime_error("no task"); }
    int GetTasksCount() override { return 0; }
    void RemoveTask(int) override {}
    void RemoveAllTasks() override {}
    void Start(const std::vector<ARCHIVE_SIGNAL_ENTRY>&, int64_t) override {}
    void Stop(int64_t) override {}
    bool IsRunning() override { return false; }
    void ProcessSpectrum(ICalcFft*, ICalcFft*) override {}
    void GetEvents(std::vector<MONITORING_EVENT>& out) override { out.clear(); }
    int GetTaskEventsCount(int) override { return 0; }
    void RemoveEvent(uint32_t) override {}
    void ClearEvents() override {}
    bool IsCoreStatusClear() override { return true; }
};
