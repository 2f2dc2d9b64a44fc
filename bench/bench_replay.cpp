// Time of a recording replayed into the full-range view, as the archive's go-to-time does it: a
// 600-block recording of the demo signal goes through the recording loader (private core, both range
// calculators, the post-processing on the GUI thread) into a range view of 1920 x 1080 showing its
// waterfall. The counters give the time per block in ms, and how many times faster than real time
// the replay runs: a demo recording holds one block per 400 ms of the device loop (the goal: at least
// ten times faster).

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdint>
#include <vector>

#include "benchsupport.h"
#include "demorecording.h"
#include "devicethread.h"
#include "globals.h"
#include "rangeview.h"
#include "recorderloaderthread.h"

namespace
{
constexpr int kBlocks = 600;
// The demo device loop's cadence: the time one recorded block stands for.
constexpr int64_t kBlockMs = 400;

void BM_ReplayIntoRangeView(benchmark::State& state)
{
    SelectBenchChannel();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("replay.rec"));
    const int64_t firstMs = (QDateTime::currentMSecsSinceEpoch() / 1000 - 3600) * 1000;
    if (WriteDemoRecording(path, kBlocks, firstMs, kBlockMs) != kBlocks)
    {
        state.SkipWithError("the demo recording could not be made");
        return;
    }

    CRangeView view;
    view.resize(1920, 1080);
    view.SetPaneMode(2);
    CRecorderLoaderThread loader;
    QObject::connect(&loader, &CRecorderLoaderThread::spectrumLoaded, &view, &CRangeView::SetSpectrumData);
    QObject::connect(&loader, &CRecorderLoaderThread::waterfallLineLoaded, &view,
                     &CRangeView::AddWaterfallLineAt);

    std::vector<double> timesMs;
    double lines = 0.0;
    for (auto _ : state)
    {
        int received = 0;
        QEventLoop loop;
        const auto counted =
            QObject::connect(&loader, &CRecorderLoaderThread::waterfallLineLoaded,
                             [&received](qint64, const std::vector<double>&) { ++received; });
        const auto finished = QObject::connect(&loader, &CRecorderLoaderThread::progress, &loop,
                                               [&loop](int percent)
                                               {
                                                   if (percent == 100)
                                                       loop.quit();
                                               });
        QElapsedTimer clock;
        clock.start();
        view.ResetWaterfallTime();
        if (!loader.Load(path, firstMs / 1000 + 60))
        {
            state.SkipWithError("the loader was busy");
            return;
        }
        loop.exec();
        // The picture as the operator sees it at the end.
        view.grab();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        timesMs.push_back(seconds * 1000.0 / kBlocks);
        lines = received;
        QObject::disconnect(counted);
        QObject::disconnect(finished);
    }
    ReportTimes(state, timesMs);
    state.counters["lines"] = lines;
    double sum = 0.0;
    for (double t : timesMs)
        sum += t;
    state.counters["x_realtime"] =
        static_cast<double>(kBlockMs) / (sum / static_cast<double>(timesMs.size()));
}
BENCHMARK(BM_ReplayIntoRangeView)
    ->UseManualTime()
    ->Iterations(BenchIterations(3))
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, "bench_replay");
}
