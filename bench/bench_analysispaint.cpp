// Time of one analysis spectrum pane paint: a 32768-point range spectrum with 300 analysis results
// (highlighted columns, the rest dimmed, one label per result) into a 1920 x 540 pane. The budget is
// 3 ms per paint; the same spectrum without results, painted in the same run, is the reference.
// Results stay on screen for many data ticks, so the steady state is what is measured: the labels
// are placed on every paint and drawn from their layer while they land where they did.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

#include "analysisspectrumgraphic.h"

namespace
{
constexpr int kPoints = 32768;

void SetUp(CQAnalysisSpectrumGraphic& g, int markers, bool known)
{
    g.SetRect(QRect(0, 0, 1920, 540));
    g.SetXAxisBand(20, 2);
    g.SetYAxisBand(40, 3);
    g.SetXLimits(30.0, 3616.0, 3616.0);
    g.SetYLimits(-130.0, 0.0);
    // The limits alone leave the Y window empty.
    g.SetYWindow(-130.0, 0.0);
    g.SetXPrecision(1);
    g.SetYPrecision(1);
    std::vector<double> levels(kPoints);
    for (size_t k = 0; k < levels.size(); ++k)
        levels[k] = -100.0 + 6.0 * std::sin(k * 0.37) + (k % 4096 < 40 ? 50.0 : 0.0);
    g.SetData(1, levels);
    // Frequencies of a linear sweep over the X range.
    g.GetAnalysis().SetFreqSource([](int index) { return 30.0 + index * (3586.0 / kPoints); });

    // Results spread evenly over the sweep, each 20 points wide, as a busy full-range analysis gives.
    const int step = kPoints / (markers > 0 ? markers : 1);
    std::vector<KNOWN_FREQ_DETECTION> detections;
    for (int m = 0; m < markers; ++m)
    {
        SPECTRUM_MARKER_ITEM item;
        item.lowIndex = m * step;
        item.highIndex = m * step + 19;
        item.peakIndex = m * step + 10;
        item.level = levels[static_cast<size_t>(item.peakIndex)];
        item.state = 2;
        g.GetAnalysis().Add(item);
        KNOWN_FREQ_DETECTION d;
        d.startIndex = item.lowIndex;
        d.peakIndex = item.peakIndex;
        d.endIndex = item.highIndex + 1;
        d.level = item.level;
        d.channel = m;
        detections.push_back(d);
    }
    if (known)
    {
        g.GetKnownFreq().SetItems(CQAnalysisSpectrumGraphic::kSingleRangeKey, detections);
        g.GetKnownFreq().SetShown(true);
    }
}

void PaintAnalysis(benchmark::State& state, int markers, bool known)
{
    CQAnalysisSpectrumGraphic g;
    SetUp(g, markers, known);
    QImage image(1920, 540, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state)
    {
        QPainter painter(&image);
        g.Paint(&painter, 0);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_AnalysisPaintNoResults(benchmark::State& state)
{
    PaintAnalysis(state, 0, false);
}
void BM_AnalysisPaint300Results(benchmark::State& state)
{
    PaintAnalysis(state, 300, false);
}
void BM_AnalysisPaint300KnownFreq(benchmark::State& state)
{
    PaintAnalysis(state, 300, true);
}
BENCHMARK(BM_AnalysisPaintNoResults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisPaint300Results)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisPaint300KnownFreq)->Unit(benchmark::kMillisecond);
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
