// The spectrum engine's transform against FFTW (FFTW_ESTIMATE, double, out of place) on the same
// complex input, for the two transform lengths the program uses: 4096 (DDC and demodulator) and 32768
// (range). The engine's row is the transform it runs on every capture: the window multiply, the
// bit-reversed reordering and the butterflies, from the caller's I and Q rows into its own.
// After Google Benchmark's own table it prints the ratios, from the fastest repetition of each
// (add --benchmark_repetitions=N for steadier figures).

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "radix2fft.h"

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

// The engine may take at most 2.5 times as long as FFTW (the aim is 1.5).
const RatioRow kRows[] = {
    {"transform, N = 4096", "EngineTransform/4096", "FftwTransform/4096", 2.5},
    {"transform, N = 32768", "EngineTransform/32768", "FftwTransform/32768", 2.5},
};

void PrintRatios(const CRatioReporter& reporter)
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
}
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
