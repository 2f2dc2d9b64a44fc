// Time of one sweep through the full-range view as the main window dispatches it: the spectrum
// (with 20 active templates), the waterfall line, the samples, the measurements, and the paint of the
// spectrum above the waterfall at 1920 x 1080. 2000 sweeps of a demo-like 32768-point spectrum;
// the counters give the mean and the 95th percentile per sweep in ms (budget: under 5 ms).
//
// The "rebuild" variant changes the index table a little on every sweep, so the template markers
// are recomputed every time: the cost the marker cache saves.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "itemplates.h"
#include "rangeview.h"

namespace
{
constexpr int kPoints = 32768;
constexpr int kSweeps = 2000;
constexpr int kTemplates = 20;
constexpr int kRangesPerTemplate = 5;

// A template list of any length (the library's own keeps at most 14).
class CBenchTemplates : public ITemplates
{
public:
    bool Add(const TEMPLATE_ITEM& item) override
    {
        m_items.push_back(item);
        return true;
    }
    void Set(int index, const TEMPLATE_ITEM& item) override { m_items[static_cast<size_t>(index)] = item; }
    const TEMPLATE_ITEM& Get(int index) override { return m_items[static_cast<size_t>(index)]; }
    int GetFreeIndex() override { return static_cast<int>(m_items.size()); }
    int GetCount() override { return static_cast<int>(m_items.size()); }
    int Remove(int index) override
    {
        m_items.erase(m_items.begin() + index);
        return 0;
    }
    void Clear() override { m_items.clear(); }

private:
    std::vector<TEMPLATE_ITEM> m_items;
};

void PrepareDevice()
{
    SelectBenchChannel();
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits->GetDdcBandCount() == 0)
    {
        DDC_BAND_ITEM band;
        band.Name = L"1 MHz";
        band.DeciCoeff = 32;
        bits->InsertDdcBand(0, band);
    }
    bits->SetTuneFreqAndBandwidth(400e6, 0);

    // The sweep in two ascending runs, as a two-range sweep lays them out.
    std::vector<double>& table = g_DeviceThread.m_FreqTable;
    table.resize(kPoints);
    for (int i = 0; i < kPoints / 2; ++i)
    {
        table[static_cast<size_t>(i)] = 30.0 + i * (1770.0 / (kPoints / 2));
        table[static_cast<size_t>(i + kPoints / 2)] = 1800.0 + i * (1816.0 / (kPoints / 2));
    }
}

// Noise with a few carriers that drift from sweep to sweep, the picture of the demo signal.
void DemoSweep(std::mt19937& random, int sweep, std::vector<double>& levels)
{
    std::normal_distribution<double> noise(-105.0, 3.0);
    levels.resize(kPoints);
    for (double& level : levels)
        level = noise(random);
    for (int carrier = 0; carrier < 12; ++carrier)
    {
        const int centre = (carrier * 2731 + sweep * 3) % (kPoints - 40);
        for (int k = 0; k < 30; ++k)
            levels[static_cast<size_t>(centre + k)] = -40.0 - std::abs(k - 15) * 2.0;
    }
}

void BM_RangeViewSweep(benchmark::State& state)
{
    const bool rebuildEverySweep = state.range(0) != 0;
    PrepareDevice();
    CBenchTemplates templates;
    for (int t = 0; t < kTemplates; ++t)
    {
        TEMPLATE_ITEM item;
        item.name = L"T";
        item.enabled = true;
        for (int r = 0; r < kRangesPerTemplate; ++r)
        {
            ARCHIVE_SIGNAL_ENTRY entry;
            entry.FreqBegin = 100.0 + t * 150.0 + r * 20.0;
            entry.FreqEnd = entry.FreqBegin + 5.0;
            item.entries.push_back(entry);
        }
        templates.Add(item);
    }
    ITemplates* libraryTemplates = g_DeviceThread.m_pTemplates;
    g_DeviceThread.m_pTemplates = &templates;

    std::vector<double> timesMs;
    {
        CRangeView view;
        view.resize(1920, 1080);
        view.SetPaneMode(2);
        view.SetTemplateActivated(true);
        QImage image(1920, 1080, QImage::Format_RGB32);
        std::mt19937 random(7);
        std::vector<double> levels;
        std::vector<double> line;
        std::vector<double> samples(8192);
        int sweep = 0;
        for (auto _ : state)
        {
            DemoSweep(random, sweep, levels);
            line = levels;
            for (size_t k = 0; k < samples.size(); ++k)
                samples[k] = std::sin(k * 0.01 + sweep);
            if (rebuildEverySweep)
                g_DeviceThread.m_FreqTable.back() += (sweep % 2 == 0 ? 1e-6 : -1e-6);

            const auto start = std::chrono::steady_clock::now();
            view.SetSpectrumData(levels);
            view.AddWaterfallLine(line);
            view.SetOscData(samples);
            view.SetAveragingTrace({});
            view.SetKnownFreqResultsVisible(false);
            view.SetPaintMode(0);
            view.UpdateMeasurements(samples, {}, levels);
            {
                QPainter painter(&image);
                view.render(&painter);
            }
            const auto stop = std::chrono::steady_clock::now();
            const double seconds = std::chrono::duration<double>(stop - start).count();
            state.SetIterationTime(seconds);
            timesMs.push_back(seconds * 1000.0);
            benchmark::DoNotOptimize(image.constBits());
            ++sweep;
        }
    }
    g_DeviceThread.m_pTemplates = libraryTemplates;

    ReportTimes(state, timesMs);
}
BENCHMARK(BM_RangeViewSweep)
    ->ArgName("rebuildEverySweep")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(BenchIterations(kSweeps))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, "bench_rangeview");
}
