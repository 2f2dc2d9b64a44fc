// Time of one waterfall step as the range view sees it: a 32768-point line added to a full history,
// then a 1920 x 540 waterfall pane painted. The budget is 2 ms per line plus paint. Also measured on
// their own: the line push, a steady-state paint, a paint after a zoom and one after a new Y window
// (the palette's range; every row recoloured either way), and a scroll back that reads the shown
// lines from the buffer file.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <memory>
#include <vector>

#include "waterfallgraphic.h"

namespace
{
constexpr int kWidth = 1920;
constexpr int kHeight = 540;

std::vector<double> SweepLine(size_t points, int phase)
{
    std::vector<double> levels(points);
    for (size_t k = 0; k < points; ++k)
        levels[k] = -100.0 + 6.0 * std::sin(k * 0.37 + phase) + (k % 4096 < 40 ? 50.0 : 0.0);
    return levels;
}

// A range waterfall at the default 200 ms per row whose history already fills the pane.
struct Fixture
{
    explicit Fixture(size_t points, bool bufferFile = false)
    {
        g.SetClock([this] { return nowMs; });
        g.SetRect(QRect(0, 0, kWidth, kHeight));
        g.SetXAxisBand(20, 2);
        g.SetYAxisBand(40, 3);
        g.SetXLimits(30.0, 3616.0, 3616.0);
        g.SetYLimits(-170.0, 30.0);
        g.SetYWindow(-120.0, -20.0);
        if (bufferFile)
            g.SetBufferFile(true, dir.filePath("bench.rwb"));
        for (int i = 0; i < 4; ++i)
            lines.push_back(SweepLine(points, i));
        const int fill = g.GetRowCount() * g.GetLinesPerRow();
        for (int i = 0; i < fill; ++i)
            Next();
        Paint();
    }

    void Next()
    {
        nowMs += 25;
        g.AddLine(lines[static_cast<size_t>(counter++ % 4)]);
    }

    void Paint()
    {
        QPainter painter(&image);
        g.Paint(&painter, 0);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }

    QTemporaryDir dir;
    CQWaterfallGraphic g;
    std::vector<std::vector<double>> lines;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    qint64 nowMs = 1'700'000'000'000;
    int counter = 0;
};

void BM_WaterfallLinePlusPaint(benchmark::State& state)
{
    Fixture f(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
    {
        f.Next();
        f.Paint();
    }
}

void BM_WaterfallPushLine(benchmark::State& state)
{
    Fixture f(static_cast<size_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        f.Next();
}

void BM_WaterfallPaint(benchmark::State& state)
{
    Fixture f(32768);
    for (auto _ : state)
        f.Paint();
}

void BM_WaterfallPaintAfterZoom(benchmark::State& state)
{
    Fixture f(32768);
    bool narrow = false;
    for (auto _ : state)
    {
        narrow = !narrow;
        f.g.SetXWindow(30.0, narrow ? 1800.0 : 3616.0);
        f.Paint();
    }
}

void BM_WaterfallPaintAfterPaletteChange(benchmark::State& state)
{
    Fixture f(32768);
    bool narrow = false;
    for (auto _ : state)
    {
        narrow = !narrow;
        f.g.SetYWindow(narrow ? -110.0 : -120.0, -20.0);
        f.Paint();
    }
}

void BM_WaterfallScrollBack(benchmark::State& state)
{
    Fixture f(static_cast<size_t>(state.range(0)), true);
    bool back = false;
    for (auto _ : state)
    {
        back = !back;
        f.g.ScrollY(back ? -1.0 : 1.0);
        f.Paint();
    }
}

BENCHMARK(BM_WaterfallLinePlusPaint)->Arg(32768)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallPushLine)
    ->Args({32768, 0})
    ->Args({32768, 1})
    ->Args({4096, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallPaintAfterZoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallPaintAfterPaletteChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterfallScrollBack)->Arg(4096)->Arg(32768)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
