// The detectors on the GUI thread's budget (the 10 ms data tick), on one core.
// - AnalysisStart: one full-range analysis of a 32768-point spectrum that holds more runs than the
//   result list takes (so it is capped at 1001), with 14 template spans to blank. Arg 0 repeats the
//   same spectrum (every result present, the history comparison at its full 1001 x 1001); Arg 1
//   alternates two spectra whose runs never overlap (1001 new and 1001 gone every time).
// - KnownFreqWorstCase: ProcessSpectrum with 42 selected ranges of 374 channels each spanning the whole
//   spectrum, so every one of the 1001 results falls into a channel of every range; the time includes
//   the detector's own analysis of the spectrum.
// Target for both: well under 10 ms per call.
// Run with KELTHAR_SDR_URI=ip:127.0.0.1:1 KELTHAR_MESSAGES=stderr like every program of the project.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "fftanalysis.h"
#include "icalcmultifft.h"
#include "igarmconv.h"
#include "knownfreqdetect.h"
#include "multiadf4350.h"

namespace
{
constexpr int kPoints = 32768;
constexpr double kStepMHz = 0.1;

// Point i at i * 0.1 MHz, one switch number throughout.
class CLinearConv : public IGarmConv
{
public:
    double IndexToFreq(int index) override { return index * kStepMHz; }
    int GetValue(int) override { return 0; }
    int FreqToIndex(double freqMHz) override { return static_cast<int>(std::lround(freqMHz / kStepMHz)); }
};

class CFixedMultiFft : public ICalcMultiFft
{
public:
    std::vector<double> spectrum;
    void SetRanges(const std::vector<int>&) override {}
    void Calculate(int, const std::vector<double>&, const std::vector<double>&) override {}
    const std::vector<double>& GetResult(int) override { return spectrum; }
};

// A -100 dB floor with a three-point signal every 16 points from `first` on: 2048 runs.
std::vector<double> Signals(int first)
{
    std::vector<double> spectrum(kPoints, -100.0);
    for (int i = first; i + 2 < kPoints; i += 16)
    {
        spectrum[static_cast<size_t>(i)] = -20.0;
        spectrum[static_cast<size_t>(i + 1)] = -10.0;
        spectrum[static_cast<size_t>(i + 2)] = -20.0;
    }
    return spectrum;
}

// 14 template spans of 2 MHz in the upper part of the spectrum, where the capped list no longer looks.
std::vector<ARCHIVE_SIGNAL_ENTRY> Templates()
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> templates(14);
    for (size_t t = 0; t < templates.size(); ++t)
    {
        templates[t].FreqBegin = 2000.0 + 50.0 * static_cast<double>(t);
        templates[t].FreqEnd = templates[t].FreqBegin + 2.0;
    }
    return templates;
}

void AnalysisStart(benchmark::State& state)
{
    const bool alternate = state.range(0) != 0;
    CLinearConv conv;
    CFftAnalysis analysis;
    analysis.SetGarmConv(&conv);
    const std::vector<double> spectra[2] = {Signals(1), Signals(9)};
    const std::vector<ARCHIVE_SIGNAL_ENTRY> templates = Templates();
    analysis.AddSpectrum(spectra[0], 0);
    analysis.Start(spectra[0], templates, false, spectra[0]);
    size_t round = 0;
    for (auto _ : state)
    {
        const std::vector<double>& spectrum = spectra[alternate ? (++round & 1) : 0];
        analysis.Start(spectrum, templates, false, spectrum);
        benchmark::DoNotOptimize(analysis.GetResults().data());
    }
    if (analysis.GetResults().size() != static_cast<size_t>(CFftAnalysis::kMaxResults))
        state.SkipWithError("the spectrum did not fill the result list");
    state.counters["results"] = static_cast<double>(analysis.GetResults().size());
}

void KnownFreqWorstCase(benchmark::State& state)
{
    CLinearConv conv;
    CMultiAdf4350 multiAdf;
    multiAdf.AddRange(0.0, kPoints * kStepMHz);
    multiAdf.SetEnabled(true);
    CFixedMultiFft multi;
    multi.spectrum = Signals(1);

    CKnownFreqDetect detector;
    detector.SetGarmConv(&conv, &multiAdf);
    const double spanMHz = kPoints * kStepMHz;
    const double channelMHz = spanMHz / 374.0;
    std::vector<int> selection;
    for (int r = 0; r < 42; ++r)
    {
        KNOWN_FREQ_RANGE range;
        range.StartFreq = 0.0;
        range.EndFreq = spanMHz;
        range.Band = channelMHz;
        range.Step = channelMHz;
        range.StartChannel = 1;
        range.EndChannel = 1000;
        detector.AddRange(range);
        selection.push_back(r);
    }
    detector.SelectRanges(selection);
    const std::vector<ARCHIVE_SIGNAL_ENTRY> templates;
    size_t detections = 0;
    for (auto _ : state)
    {
        detector.ProcessSpectrum(nullptr, &multi, templates);
        detections = detector.GetDetections().size();
        benchmark::DoNotOptimize(detections);
    }
    state.counters["channels"] = static_cast<double>(detector.GetRange(0)->channels.size());
    state.counters["detections"] = static_cast<double>(detections);
}
}  // namespace

BENCHMARK(AnalysisStart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(KnownFreqWorstCase)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
