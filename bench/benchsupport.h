#pragma once

// What the program's benchmarks share: a run that stays on this machine and in folders of its own, and
// the per-operation times reported as counters.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QtGlobal>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"

// Only loopback, and settings and data in folders of this run (`/tmp/<name>.XXXXXX`), never the
// user's; GUI benchmarks draw offscreen unless a platform was chosen. Call before the application.
inline void KeepBenchmarkToThisRun(const std::string& name)
{
    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:1", 1);
    setenv("KELTHAR_MESSAGES", "stderr", 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string home = "/tmp/" + name + ".XXXXXX";
    if (mkdtemp(home.data()) != nullptr)
    {
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        // Qt wants a private runtime folder as well.
        const std::string runtime = home + "/runtime";
        if (mkdir(runtime.c_str(), 0700) == 0)
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
}

// A benchmark's fixed iteration count, or one iteration when VELTRANO_BENCH_BRIEF is set: the brief run
// ctest makes of every benchmark only shows that each still runs to the end without an error, and must
// take seconds. Read at registration, before main.
inline int BenchIterations(int full)
{
    const char* brief = std::getenv("VELTRANO_BENCH_BRIEF");
    return brief != nullptr && *brief != '\0' ? std::min(full, 1) : full;
}

// The mean, the 95th percentile and the worst of the times (ms) as the benchmark's counters.
inline void ReportTimes(benchmark::State& state, std::vector<double> timesMs)
{
    if (timesMs.empty())
        return;
    std::sort(timesMs.begin(), timesMs.end());
    double sum = 0.0;
    for (double t : timesMs)
        sum += t;
    state.counters["mean_ms"] = sum / static_cast<double>(timesMs.size());
    state.counters["p95_ms"] = timesMs[static_cast<size_t>(0.95 * static_cast<double>(timesMs.size() - 1))];
    state.counters["max_ms"] = timesMs.back();
}

// The main of a benchmark of widgets: the run kept to this machine and its own folders, then the
// application the widgets need, then the benchmarks.
inline int RunWidgetBenchmarks(int argc, char** argv, const std::string& name)
{
    KeepBenchmarkToThisRun(name);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// Input type 0 selected, with a channel over 30..3616 MHz when the library has none of its own (no
// correction files in a benchmark's folders), as the views expect.
inline void SelectBenchChannel()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits->GetChannelCount() == 0)
    {
        IChannel* channel = bits->AddChannel(0, L"B", L"Bench", 61.44e6);
        channel->SetStartFreq(30.0);
        channel->SetStopFreq(3616.0);
        channel->SetUpperLimit(3616.0);
    }
    g_DeviceThread.SetChannelType(0);
}
