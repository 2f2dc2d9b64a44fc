// Time of one poll tick of the GSM analysis window with 99 channels: a finished cycle's levels
// copied from the library's analysis, the bars rebuilt and the histogram painted at the size it has in
// a 733 x 555 window. The tick runs every 10 ms on the GUI thread while the analysis runs, so the
// budget is 2 ms; the counters give the mean, the 95th percentile and the worst tick in ms. The
// spectrum that completes each cycle is handed to the analysis outside the timed part, as the data
// fetch does it apart from the tick.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPoint>
#include <QRegion>

#include <chrono>
#include <vector>

#include "benchsupport.h"
#include "devicethread.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "histogramwidget.h"

namespace
{
constexpr int kTicks = 1000;
constexpr int kChannels = 99;
constexpr int kPoints = 4096;
constexpr double kSpectrumWidthMHz = 30.72;

void BM_GsmTick(benchmark::State& state)
{
    CGsmAnalysisWindow window(kSpectrumWidthMHz);
    // Shown (offscreen) at its own size, so the histogram has its share of the 733 x 555 window.
    window.resize(733, 555);
    window.show();
    QApplication::processEvents();
    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    CQHistogramWidget* histogram = ui.m_pHistogramView;
    ui.m_pStartFreqEdit->setText(QStringLiteral("0.1"));
    ui.m_pBandwidthEdit->setText(QStringLiteral("0.2"));
    ui.m_pAverCountEdit->setText(QStringLiteral("1"));
    ui.m_pChannelsSpin->setValue(kChannels);  // pushes the band and the averaging
    IGsmAnalysis* gsm = g_DeviceThread.m_pGsmAnalysis;
    gsm->Start();

    std::vector<double> spectrum(kPoints);
    QImage image(histogram->size(), QImage::Format_RGB32);
    std::vector<double> timesMs;
    timesMs.reserve(kTicks);
    int tick = 0;
    for (auto _ : state)
    {
        for (size_t k = 0; k < spectrum.size(); ++k)
            spectrum[k] = -110.0 + static_cast<double>((k * 37 + static_cast<size_t>(tick) * 11) % 60);
        gsm->Process(spectrum);
        ++tick;

        const auto start = std::chrono::steady_clock::now();
        window.OnTimer();
        histogram->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        const auto stop = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        state.SetIterationTime(seconds);
        timesMs.push_back(seconds * 1000.0);
        benchmark::DoNotOptimize(image.constBits());
    }
    gsm->Stop();
    state.counters["bars"] = static_cast<double>(histogram->m_Bars.size());
    state.counters["width"] = histogram->width();
    state.counters["height"] = histogram->height();
    ReportTimes(state, timesMs);
}
BENCHMARK(BM_GsmTick)->Iterations(BenchIterations(kTicks))->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, "bench_gsmtick");
}
