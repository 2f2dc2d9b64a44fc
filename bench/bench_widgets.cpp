// Time of one paint of the two small widgets that repaint with live data: the histogram of the GSM
// analysis and octave filter windows with 99 bars (scrolled halfway) at 1280 x 360, and the video
// picture of a full 768 x 576 frame read pixel by pixel from the engine into a 768 x 576 widget.
// The counters give the mean and the 95th percentile per paint in ms (budget: under 2 ms each).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <chrono>
#include <cstdint>
#include <vector>

#include "benchsupport.h"
#include "fakevideoengine.h"
#include "histogramwidget.h"
#include "videowidget.h"

namespace
{
constexpr int kPaints = 1000;

// A frame of a moving grey ramp with noise-like detail, as the engine holds after a sync.
std::vector<int> VideoFrame(int columns, int rows)
{
    std::vector<int> frame(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            frame[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)] =
                (c + 3 * r + (c * r) % 17) & 0xFF;
    return frame;
}

void PaintLoop(benchmark::State& state, QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    std::vector<double> timesMs;
    timesMs.reserve(kPaints);
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        const auto stop = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        state.SetIterationTime(seconds);
        timesMs.push_back(seconds * 1000.0);
        benchmark::DoNotOptimize(image.constBits());
    }
    ReportTimes(state, timesMs);
}

void BM_HistogramPaint(benchmark::State& state)
{
    CQHistogramWidget histogram;
    histogram.resize(1280, 360);
    for (int i = 0; i < 99; ++i)
        histogram.m_Bars.push_back(
            {QStringLiteral("%1").arg(890.2 + 0.2 * i, 0, 'f', 1), -115.0 + (i * 37) % 60});
    // One paint lays the bars out, so the offset can point into the middle of them.
    QImage layout(histogram.size(), QImage::Format_RGB32);
    histogram.render(&layout, QPoint(), QRegion(), QWidget::RenderFlags());
    histogram.m_nScrollOffset = histogram.m_nContentWidth / 2;
    PaintLoop(state, histogram);
}
BENCHMARK(BM_HistogramPaint)
    ->Iterations(BenchIterations(kPaints))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_VideoPaint(benchmark::State& state)
{
    CFakeVideoEngine engine(768, 576, VideoFrame(768, 576));
    CQVideoWidget video;
    video.SetEngine(&engine);
    video.resize(768, 576);
    PaintLoop(state, video);
}
BENCHMARK(BM_VideoPaint)
    ->Iterations(BenchIterations(kPaints))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, "bench_widgets");
}
