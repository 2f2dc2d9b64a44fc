// Time of one DDC block through the band view as the main window dispatches it: the band spectrum
// (FFT correction on, with a full 4096-value table for the band's decimation), two waterfall lines,
// the I/Q block (four blocks combined into one oscillogram record), the paint of the view at
// 1920 x 1080 and the measurements. 2000 demo-like blocks in pane mode 2 (spectrum above waterfall)
// and 4 (vector); the counters give the mean and the 95th percentile per block in ms (budget: under
// 3 ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "ddccorrectiontables.h"
#include "ddcview.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"

namespace
{
constexpr int kBins = 4096;
constexpr int kBlocks = 2000;
constexpr int kCombine = 4;
constexpr int kWaterfallLinesPerBlock = 2;
constexpr double kPi = 3.14159265358979323846;

void PrepareDevice()
{
    SelectBenchChannel();
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    // The library may start with its own band list, whose first entries have no correction table.
    int index = 0;
    while (index < bits->GetDdcBandCount() &&
           !(bits->GetDdcBand(index).Name == L"1 MHz" && bits->GetDdcBand(index).DeciCoeff == 32))
        ++index;
    if (index == bits->GetDdcBandCount())
    {
        DDC_BAND_ITEM band;
        band.Name = L"1 MHz";
        band.DeciCoeff = 32;
        index = 0;
        bits->InsertDdcBand(index, band);
    }
    bits->SetTuneFreqAndBandwidth(400e6, index);
}

// The table of the current band's decimation, one gentle ripple value per bin, where the view reads
// it at construction. Empty when the band has no table.
QString WriteCorrectionTable()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const int table = CDdcCorrectionTables::TableFor(bits->GetDdcBand(bits->GetBandwidthIndex()));
    if (table < 0)
        return {};
    const char* const names[CDdcCorrectionTables::kTables] = {"12", "16", "32", "32f", "64"};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/ddc_fft_corr_") + QLatin1String(names[table]) +
               QStringLiteral(".dat"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray text;
    for (int i = 0; i < kBins; ++i)
        text += QByteArray::number(0.8 * std::sin(i * 0.01) - 0.2 * std::cos(i * 0.003), 'f', 3) + '\n';
    file.write(text);
    return file.fileName();
}

// Noise with a carrier that drifts slowly across the band, the picture of the demo signal.
void DemoSpectrum(std::mt19937& random, int block, std::vector<double>& levels)
{
    std::normal_distribution<double> noise(-110.0, 3.0);
    levels.resize(kBins);
    for (double& level : levels)
        level = noise(random);
    const int centre = (kBins / 2 + block * 2) % (kBins - 40);
    for (int k = 0; k < 40; ++k)
        levels[static_cast<size_t>(centre + k)] = -35.0 - std::abs(k - 20) * 2.5;
}

// One block of the demo tone as I and Q, with a little noise.
void DemoIq(std::mt19937& random, int block, std::vector<double>& i, std::vector<double>& q)
{
    std::normal_distribution<double> noise(0.0, 0.01);
    i.resize(kBins);
    q.resize(kBins);
    for (int k = 0; k < kBins; ++k)
    {
        const double phase = (block * kBins + k) * (2.0 * kPi * 500.0 / kBins);
        i[static_cast<size_t>(k)] = 0.3 * std::sin(phase) + noise(random);
        q[static_cast<size_t>(k)] = 0.3 * std::cos(phase) + noise(random);
    }
}

void BM_DdcViewBlock(benchmark::State& state)
{
    const int paneMode = static_cast<int>(state.range(0));
    PrepareDevice();
    if (WriteCorrectionTable().isEmpty())
    {
        state.SkipWithError("no correction table could be written for the band");
        return;
    }

    std::vector<double> timesMs;
    {
        CDdcView view;
        IControlBits* bits = g_DeviceThread.m_pControlBits;
        const int table = CDdcCorrectionTables::TableFor(bits->GetDdcBand(bits->GetBandwidthIndex()));
        if (view.GetCorrectionTables().Table(table).size() != static_cast<size_t>(kBins))
        {
            state.SkipWithError("the view did not read the full correction table");
            return;
        }
        view.resize(1920, 1080);
        view.SetFftCorr(true);
        view.OnCombineOsc(kCombine);
        view.ApplyAxisSettings();
        view.SetPaneMode(paneMode);
        QImage image(1920, 1080, QImage::Format_RGB32);
        std::mt19937 random(11);
        std::vector<double> spectrum;
        std::vector<double> lines[kWaterfallLinesPerBlock];
        std::vector<double> i;
        std::vector<double> q;
        int block = 0;
        for (auto _ : state)
        {
            DemoSpectrum(random, block, spectrum);
            for (std::vector<double>& line : lines)
                DemoSpectrum(random, block, line);
            DemoIq(random, block, i, q);

            const auto start = std::chrono::steady_clock::now();
            view.SetSpectrumData(spectrum);
            for (const std::vector<double>& line : lines)
                view.AddWaterfallLine(line);
            view.SetOscData(i, q);
            view.UpdateMeasurements(i, q, spectrum);
            {
                QPainter painter(&image);
                view.render(&painter);
            }
            const auto stop = std::chrono::steady_clock::now();
            const double seconds = std::chrono::duration<double>(stop - start).count();
            state.SetIterationTime(seconds);
            timesMs.push_back(seconds * 1000.0);
            benchmark::DoNotOptimize(image.constBits());
            ++block;
        }
    }
    ReportTimes(state, timesMs);
}
BENCHMARK(BM_DdcViewBlock)
    ->ArgName("paneMode")
    ->Arg(2)
    ->Arg(4)
    ->Iterations(BenchIterations(kBlocks))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, "bench_ddcview");
}
