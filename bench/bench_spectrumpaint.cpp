// Time of one spectrum pane paint: a 32768-point range spectrum, filled or as envelope, into a
// 1920 x 540 pane (the range view's spectrum above its waterfall on a full-HD screen). The budget is
// 2 ms per paint, well inside the main window's 10 ms data tick.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

#include "spectrumgraphic.h"

namespace
{
void PaintSpectrum(benchmark::State& state, bool envelope)
{
    const int width = 1920;
    const int height = 540;
    CQSpectrumGraphic g;
    g.SetRect(QRect(0, 0, width, height));
    g.SetXAxisBand(20, 2);
    g.SetYAxisBand(40, 3);
    g.SetXLimits(30.0, 3616.0, 3616.0);
    g.SetYLimits(-130.0, 0.0);
    g.SetYWindow(-130.0, 0.0);
    g.SetXPrecision(1);
    g.SetYPrecision(1);
    g.m_envelope = envelope;
    // Noise with a few carriers, the usual picture of a full sweep.
    std::vector<double> levels(32768);
    for (size_t k = 0; k < levels.size(); ++k)
        levels[k] = -100.0 + 6.0 * std::sin(k * 0.37) + (k % 4096 < 40 ? 50.0 : 0.0);
    g.SetData(1, levels);

    QImage image(width, height, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        g.Paint(&painter, 0);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_SpectrumPaintFilled(benchmark::State& state)
{
    PaintSpectrum(state, false);
}
void BM_SpectrumPaintEnvelope(benchmark::State& state)
{
    PaintSpectrum(state, true);
}
BENCHMARK(BM_SpectrumPaintFilled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectrumPaintEnvelope)->Unit(benchmark::kMillisecond);
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
