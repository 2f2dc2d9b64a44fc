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
#include "histogramwidget.h"
#include "ivideoengine.h"
#include "videowidget.h"

namespace
{
constexpr int kPaints = 1000;

// A frame of a moving grey ramp with noise-like detail, as the engine holds after a sync.
class CBenchVideoEngine : public IVideoEngine
{
public:
    CBenchVideoEngine(int columns, int rows)
        : m_columns(columns), m_rows(rows), m_frame(size_t(columns) * rows)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                m_frame[size_t(r) * columns + c] = (c + 3 * r + (c * r) % 17) & 0xFF;
    }

    void Enable(bool) override {}
    bool IsEnabled() override { return true; }
    void SetDarkLevel(int) override {}
    int GetDarkLevel() override { return 10; }
    void SetBrightLevel(int) override {}
    int GetBrightLevel() override { return 70; }
    const double* Update() override { return m_status; }
    int32_t GetSyncState() override { return 3; }
    int GetWidth() override { return m_columns; }
    int GetHeight() override { return m_rows; }
    int GetLine(int column, int line) override
    {
        if (column < 0 || column >= m_columns || line < 0 || line >= m_rows)
            return 0;
        return m_frame[size_t(line) * m_columns + column];
    }
    void ProcessSample(double) override {}

private:
    int m_columns;
    int m_rows;
    std::vector<int> m_frame;
    double m_status[kStatusCount] = {};
};

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
BENCHMARK(BM_HistogramPaint)->Iterations(kPaints)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_VideoPaint(benchmark::State& state)
{
    CBenchVideoEngine engine(768, 576);
    CQVideoWidget video;
    video.SetEngine(&engine);
    video.resize(768, 576);
    PaintLoop(state, video);
}
BENCHMARK(BM_VideoPaint)->Iterations(kPaints)->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    KeepBenchmarkToThisRun("bench_widgets");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
