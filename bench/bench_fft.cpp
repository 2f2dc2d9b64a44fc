// The spectrum engine's transform against FFTW (FFTW_ESTIMATE, double, out of place) on the same
// complex input, for the two transform lengths the program uses: 4096 (DDC and demodulator) and 32768
// (range). The engine's row is the transform it runs on every capture: the window multiply, the
// bit-reversed reordering and the butterflies, from the caller's I and Q rows into its own.
// The calculators' rows: a range Calculate of 32768 points (rate index 0, window "Off", "Instant")
// against FFTW doing the same work (the transform, then magnitude and 20 log10 for each of the 16384
// bins kept); range Calculates with "x64" and "Peak x32" (rate index 1, "Hanning", as the program runs
// them); the long-scan path of four captures with quasi-I/Q stitching; the range stage on an FHSS mode 0
// sweep (37 captures at one LO). Before the timings it measures the resident memory of two multi-range
// calculators with 42 ranges each.
// After Google Benchmark's own table it prints the ratios and targets, from the fastest repetition of
// each (add --benchmark_repetitions=N for steadier figures).

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "controlbits.h"
#include "radix2fft.h"
#include "rangefft.h"
#include "rangemultifft.h"

namespace
{
void RandomRows(int n, std::vector<double>& re, std::vector<double>& im)
{
    std::mt19937 gen(12345);
    std::normal_distribution<double> noise(0.0, 1000.0);
    re.resize(n);
    im.resize(n);
    for (int k = 0; k < n; ++k)
    {
        re[k] = noise(gen);
        im[k] = noise(gen);
    }
}

void EngineTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto fft = CRadix2Fft::Shared(n);
    std::vector<double> inRe;
    std::vector<double> inIm;
    RandomRows(n, inRe, inIm);
    const std::vector<double> window(n, 1.0);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (auto _ : state)
    {
        fft->ForwardWindowed(inRe.data(), inIm.data(), window.data(), re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void FftwTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    fftw_complex* in = fftw_alloc_complex(static_cast<size_t>(n));
    fftw_complex* out = fftw_alloc_complex(static_cast<size_t>(n));
    const fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    std::vector<double> re;
    std::vector<double> im;
    RandomRows(n, re, im);
    for (int k = 0; k < n; ++k)
    {
        in[k][0] = re[k];
        in[k][1] = im[k];
    }
    for (auto _ : state)
    {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}

BENCHMARK(EngineTransform)->Arg(4096)->Arg(32768)->Unit(benchmark::kMicrosecond);
BENCHMARK(FftwTransform)->Arg(4096)->Arg(32768)->Unit(benchmark::kMicrosecond);

constexpr int kRangeSize = 32768;

// One range Calculate after another on the same capture, the calculator set up by `setup`.
template <typename Setup>
void RunRangeCalculate(benchmark::State& state, int captures, Setup setup)
{
    std::vector<double> i;
    std::vector<double> q;
    RandomRows(captures * kRangeSize, i, q);
    CRangeFft calc(nullptr);
    setup(calc);
    calc.Calculate(i, q);  // applies the settings
    for (auto _ : state)
    {
        calc.Calculate(i, q);
        benchmark::DoNotOptimize(calc.GetResult().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * captures * kRangeSize);
}

void RangeCalculateOffInstant(benchmark::State& state)
{
    RunRangeCalculate(state, 1,
                      [](CRangeFft& calc)
                      {
                          calc.Init(0);
                          calc.SetWindow(0);
                          calc.SetAveraging(0);
                      });
}

// The same work with FFTW: the transform of the split I and Q rows, then 20 log10 of an eighth of the
// magnitude, less 170, for each bin kept.
void FftwRangeWork(benchmark::State& state)
{
    const int n = kRangeSize;
    const int bins = n / 2;
    std::vector<double> i;
    std::vector<double> q;
    RandomRows(n, i, q);
    double* re = fftw_alloc_real(static_cast<size_t>(n));
    double* im = fftw_alloc_real(static_cast<size_t>(n));
    fftw_iodim dim = {n, 1, 1};
    const fftw_plan plan =
        fftw_plan_guru_split_dft(1, &dim, 0, nullptr, i.data(), q.data(), re, im, FFTW_ESTIMATE);
    std::vector<double> db(static_cast<size_t>(bins));
    for (auto _ : state)
    {
        fftw_execute_split_dft(plan, i.data(), q.data(), re, im);
        for (int k = 0; k < bins; ++k)
        {
            db[static_cast<size_t>(k)] =
                20.0 * std::log10(std::sqrt(re[k] * re[k] + im[k] * im[k]) * 0.125) - 170.0;
        }
        benchmark::DoNotOptimize(db.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    fftw_destroy_plan(plan);
    fftw_free(re);
    fftw_free(im);
}

void RangeCalculateX64(benchmark::State& state)
{
    RunRangeCalculate(state, 1,
                      [](CRangeFft& calc)
                      {
                          calc.Init(1);
                          calc.SetAveraging(6);
                      });
}

void RangeCalculatePeakX32(benchmark::State& state)
{
    RunRangeCalculate(state, 1,
                      [](CRangeFft& calc)
                      {
                          calc.Init(1);
                          calc.SetAveraging(10);
                      });
}

// FHSS mode 0: 37 captures of 32768 samples, all at one LO, folded into one spectrum.
void RangeStageFhssMode0(benchmark::State& state)
{
    RunRangeCalculate(state, 37,
                      [](CRangeFft& calc)
                      {
                          calc.Init(1);
                          calc.SetAveraging(3);
                      });
}

// A channel-0 scan of 100-300 MHz: four 61 MHz captures of 8192 points per transform, stitched as
// quasi-I/Q with the image removal.
void LongScanQuasiIq(benchmark::State& state)
{
    CControlBits bits;
    bits.Init();
    for (int type = 0; type < 4; ++type)
    {
        bits.AddChannel(type, L"C", L"Channel", 61e6);
    }
    bits.SetCurrentChannel(0);
    CAdf4350& adf = bits.Adf();
    adf.SetReferenceFreq(61e6);
    adf.SetFreqLimits(25.0, 6000.0);
    double start = 100.0;
    double stop = 300.0;
    adf.ClampScanRange(&start, &stop);
    adf.SetScanRange(start, stop);
    adf.SetFlag3(true);
    adf.SetQuasiIQ(true);
    adf.SetQuasiIQDiff(true);
    // The program lowers the flag after every fetch.
    adf.SetFetchFlag(false);

    std::vector<double> i;
    std::vector<double> q;
    RandomRows(kRangeSize, i, q);
    CRangeFft calc(&bits);
    calc.Init(1);
    calc.SetAveraging(0);
    calc.Calculate(i, q);
    if (adf.GetValue37() != 4)
    {
        state.SkipWithError("the scan is not four captures");
        return;
    }
    for (auto _ : state)
    {
        calc.Calculate(i, q);
        benchmark::DoNotOptimize(calc.GetResult().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRangeSize);
}

BENCHMARK(RangeCalculateOffInstant)->Unit(benchmark::kMicrosecond);
BENCHMARK(FftwRangeWork)->Unit(benchmark::kMicrosecond);
BENCHMARK(RangeCalculateX64)->Unit(benchmark::kMicrosecond);
BENCHMARK(RangeCalculatePeakX32)->Unit(benchmark::kMicrosecond);
BENCHMARK(LongScanQuasiIq)->Unit(benchmark::kMicrosecond);
BENCHMARK(RangeStageFhssMode0)->Unit(benchmark::kMicrosecond);

// Resident memory of the process in MB, from /proc; NaN when it cannot be read.
double ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    if (!(statm >> pages >> resident))
    {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct MemoryFigures
{
    double beforeMb;
    double afterSetRangesMb;
    double afterCalculateMb;
};

// Two multi-range calculators, as the program holds them, with the 42 rows of the band plan each; then
// one calculation of every range with "x8" averaging, which gives each its history.
MemoryFigures MeasureMultiRangeMemory()
{
    MemoryFigures figures{};
    figures.beforeMb = ResidentMb();
    const int ranges = 42;
    auto first = std::make_unique<CRangeMultiFft>(nullptr);
    auto second = std::make_unique<CRangeMultiFft>(nullptr);
    first->SetRanges(std::vector<int>(ranges, 3));
    second->SetRanges(std::vector<int>(ranges, 3));
    figures.afterSetRangesMb = ResidentMb();

    std::vector<double> i;
    std::vector<double> q;
    RandomRows(kRangeSize, i, q);
    for (int r = 0; r < ranges; ++r)
    {
        first->Calculate(r, i, q);
        second->Calculate(r, i, q);
        benchmark::DoNotOptimize(first->GetResult(r).data());
        benchmark::DoNotOptimize(second->GetResult(r).data());
    }
    figures.afterCalculateMb = ResidentMb();
    return figures;
}

// Google Benchmark's console table, plus the fastest time per iteration of every benchmark, in us.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal, so the output can be kept in a file.
    CRatioReporter() : benchmark::ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
            {
                continue;
            }
            const double us = run.real_accumulated_time * 1e6 / static_cast<double>(run.iterations);
            auto it = m_bestUs.find(run.benchmark_name());
            if (it == m_bestUs.end() || us < it->second)
            {
                m_bestUs[run.benchmark_name()] = us;
            }
        }
    }

    // Time of a benchmark, or NaN when it did not run (filtered out).
    double BestUs(const std::string& name) const
    {
        auto it = m_bestUs.find(name);
        return it == m_bestUs.end() ? std::numeric_limits<double>::quiet_NaN() : it->second;
    }

private:
    std::map<std::string, double> m_bestUs;
};

struct RatioRow
{
    const char* label;
    const char* subject;
    const char* reference;
    double targetRatio;
};

// The engine's transform may take at most 1.1 times as long as FFTW's; a range Calculate at most 2.5
// times as long as FFTW doing the same work.
const RatioRow kRows[] = {
    {"transform, N = 4096", "EngineTransform/4096", "FftwTransform/4096", 1.1},
    {"transform, N = 32768", "EngineTransform/32768", "FftwTransform/32768", 1.1},
    {"range Calculate", "RangeCalculateOffInstant", "FftwRangeWork", 2.5},
};

struct TimeRow
{
    const char* label;
    const char* subject;
    // 0: no target, the time is reported only.
    double targetUs;
};

const TimeRow kTimes[] = {
    {"range Calculate, x64", "RangeCalculateX64", 2000.0},
    {"range Calculate, Peak x32", "RangeCalculatePeakX32", 0.0},
    {"long scan, B = 4, quasi-I/Q", "LongScanQuasiIq", 0.0},
    {"FHSS mode 0 sweep (37 captures)", "RangeStageFhssMode0", 0.0},
};

constexpr double kMultiRangeTargetMb = 300.0;

void PrintRatios(const CRatioReporter& reporter, const MemoryFigures& memory)
{
    std::printf("\n%-24s %12s %12s %8s %8s\n", "engine against FFTW", "engine us", "FFTW us", "ratio",
                "target");
    for (const RatioRow& row : kRows)
    {
        const double subject = reporter.BestUs(row.subject);
        const double reference = reporter.BestUs(row.reference);
        if (!(subject == subject) || !(reference == reference))
        {
            std::printf("%-24s %12s\n", row.label, "not run");
            continue;
        }
        const double ratio = subject / reference;
        std::printf("%-24s %12.2f %12.2f %8.2f %7.1fx%s\n", row.label, subject, reference, ratio,
                    row.targetRatio, ratio <= row.targetRatio ? "" : "  OVER TARGET");
    }

    std::printf("\n%-32s %12s %12s\n", "calculator, one core", "us per call", "target us");
    for (const TimeRow& row : kTimes)
    {
        const double us = reporter.BestUs(row.subject);
        if (!(us == us))
        {
            std::printf("%-32s %12s\n", row.label, "not run");
        }
        else if (row.targetUs > 0.0)
        {
            std::printf("%-32s %12.2f %12.0f%s\n", row.label, us, row.targetUs,
                        us < row.targetUs ? "" : "  OVER TARGET");
        }
        else
        {
            std::printf("%-32s %12.2f %12s\n", row.label, us, "-");
        }
    }

    // Memory: the growth that the calculators brought, and the whole process.
    const double grownMb = memory.afterSetRangesMb - memory.beforeMb;
    std::printf("\n%-48s %9s %9s\n", "two multi-range calculators, 42 ranges each", "grown MB", "RSS MB");
    std::printf("%-48s %9.1f %9.1f   target %.0f%s\n", "after SetRanges", grownMb, memory.afterSetRangesMb,
                kMultiRangeTargetMb, memory.afterSetRangesMb < kMultiRangeTargetMb ? "" : "  OVER TARGET");
    std::printf("%-48s %9.1f %9.1f\n", "after one x8 calculation of every range",
                memory.afterCalculateMb - memory.beforeMb, memory.afterCalculateMb);
}
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    // First, while the process is small, so that memory freed by the timings cannot hide the growth.
    const MemoryFigures memory = MeasureMultiRangeMemory();
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter, memory);
    benchmark::Shutdown();
    return 0;
}
