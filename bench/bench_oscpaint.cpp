// Time of one oscillogram pane paint (the band view's I/Q oscillogram: four traces of 4096 samples,
// two of them held) and of one vector pane paint (4096 I/Q pairs as points and as lines), into a
// 1920 x 540 pane. Each must stay well inside the main window's 10 ms data tick.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

#include "oscillogramgraphic.h"
#include "vectorgraphic.h"

namespace
{
const int kWidth = 1920;
const int kHeight = 540;

// A noisy carrier: the usual band view block.
std::vector<double> Block(size_t n, double phase)
{
    std::vector<double> v(n);
    for (size_t k = 0; k < n; ++k)
        v[k] = 0.4 * std::sin(k * 0.05 + phase) + 0.05 * std::sin(k * 1.7);
    return v;
}

template <typename Graphic>
void PaintLoop(benchmark::State& state, Graphic& g)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        g.Paint(&painter, 0);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_OscPaint(benchmark::State& state)
{
    CQOscillogramGraphic g;
    g.SetTraceCount(4);
    g.SetRect(QRect(0, 0, kWidth, kHeight));
    g.SetXAxisBand(20, 2);
    g.SetYAxisBand(40, 3);
    g.SetXRange(0.0, 4096 / 2.5e6);
    g.SetYLimits(-5.0, 5.0);
    g.SetAutoScale(true, false);
    for (int i = 0; i < 4; ++i)
        g.SetPen(i, QPen(i < 2 ? Qt::green : Qt::blue));
    g.SetData(1, Block(4096, 0.3));
    g.SetData(3, Block(4096, 1.9));
    g.SetDataOperation(2);
    g.SetData(0, Block(4096, 0.0));
    g.SetData(2, Block(4096, 1.6));
    PaintLoop(state, g);
}

void PaintVector(benchmark::State& state, bool lines)
{
    CQVectorGraphic g;
    g.SetRect(QRect(0, 0, kWidth, kHeight));
    g.SetXRange(-1.0, 1.0);
    g.SetYLimits(-1.0, 1.0);
    g.SetPen(0, QPen(Qt::green));
    g.SetSamples(4096);
    g.SetShowLines(lines);
    g.SetIQData(Block(4096, 0.0), Block(4096, 1.6));
    PaintLoop(state, g);
}

void BM_VectorPaintPoints(benchmark::State& state)
{
    PaintVector(state, false);
}
void BM_VectorPaintLines(benchmark::State& state)
{
    PaintVector(state, true);
}
BENCHMARK(BM_OscPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorPaintPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorPaintLines)->Unit(benchmark::kMillisecond);
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
