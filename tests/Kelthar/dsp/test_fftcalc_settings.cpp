#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ddcfft.h"
#include "demodfft.h"
#include "fftcalctest.h"
#include "kelthar.h"
#include "kelthar_core.h"
#include "octavebands.h"
#include "rangefft.h"
#include "rangemultifft.h"

using namespace fftcalctest;

namespace
{
// A 4096-point DDC calculator keeping the whole centred transform, with no control state.
std::unique_ptr<CDdcFft> CentredDdc()
{
    auto calc = std::make_unique<CDdcFft>(nullptr);
    calc->Init(1);
    return calc;
}
}  // namespace

TEST(FftCalcSettings, InitSizesEachKindAndItsEngine)
{
    struct Case
    {
        const char* kind;
        std::function<ICalcFft*()> make;
        uint8_t rate;
        int fftSize;
        int points;
        int mode;
    };
    const Case cases[] = {
        {"range", [] { return new CRangeFft(nullptr); }, 0, 32768, 16384, CCfft::kRangeMode},
        {"range", [] { return new CRangeFft(nullptr); }, 1, 32768, 32768, CCfft::kRangeMode},
        {"DDC", [] { return new CDdcFft(nullptr); }, 0, 4096, 2048, CCfft::kDdcMode},
        {"DDC", [] { return new CDdcFft(nullptr); }, 1, 4096, 4096, CCfft::kDdcMode},
        {"demodulator", [] { return new CDemodFft(nullptr); }, 0, 4096, 2048, CCfft::kDemodMode},
        {"demodulator", [] { return new CDemodFft(nullptr); }, 1, 4096, 4096, CCfft::kDemodMode},
        // The program passes flags; any rate index but 0 keeps the whole transform.
        {"DDC", [] { return new CDdcFft(nullptr); }, 7, 4096, 4096, CCfft::kDdcMode},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.kind) + " rate " + std::to_string(c.rate));
        std::unique_ptr<ICalcFft> calc(c.make());
        EXPECT_EQ(calc->GetBlockCount(), 1);
        calc->Init(c.rate);
        EXPECT_EQ(calc->GetFftSize(), c.fftSize);
        EXPECT_EQ(calc->GetPointCount(), c.points);
        EXPECT_EQ(calc->GetResult(), std::vector<double>(static_cast<size_t>(c.points), kFloor));

        const auto* common = dynamic_cast<CCommonFft*>(calc.get());
        ASSERT_NE(common, nullptr);
        EXPECT_EQ(common->Engine().GetFftSize(), c.fftSize);
        EXPECT_EQ(common->Engine().GetResultSize(), c.points);
        EXPECT_EQ(common->Engine().GetMode(), c.mode);
        EXPECT_EQ(common->Engine().GetRateIndex(), c.rate != 0 ? 1 : 0);
        EXPECT_EQ(common->GetPendingReset(), CCommonFft::kClearHistory);

        const std::vector<double> quiet(static_cast<size_t>(c.fftSize), 0.0);
        calc->Calculate(quiet, quiet);
        EXPECT_EQ(calc->GetBlockCount(), 1) << "the program loops over this many blocks";
        EXPECT_EQ(calc->GetResult().size(), static_cast<size_t>(c.points));
    }
}

TEST(FftCalcSettings, SettersReturnThePreviousValueAndLeaveOnePendingReset)
{
    CDdcFft calc(nullptr);
    calc.Init(0);
    // Construction: "Hanning" and "x8", applied at the first calculation.
    EXPECT_EQ(calc.SetAveraging(5), 3);
    EXPECT_EQ(calc.SetAveraging(8), 5);
    EXPECT_EQ(calc.SetWindow(9), 6);
    EXPECT_EQ(calc.SetWindow(2), 9);
    EXPECT_EQ(calc.GetAveraging(), 8);
    EXPECT_EQ(calc.GetWindow(), 2);
    EXPECT_EQ(calc.GetPendingReset(), CCommonFft::kClearHistory) << "the window must not lower it";

    const std::vector<double> quiet(4096, 0.0);
    calc.Calculate(quiet, quiet);
    EXPECT_EQ(calc.GetPendingReset(), CCommonFft::kNoReset);
    // "Peak x8": peak with decay over 8 spectra; "Flat top".
    EXPECT_EQ(calc.Engine().GetAveragingKind(), CSpectrumAverager::kPeakDecay);
    EXPECT_EQ(calc.Engine().GetAveragingDepth(), 8);
    EXPECT_EQ(calc.Engine().GetWindowType(), 2);
    EXPECT_DOUBLE_EQ(calc.Engine().GetWindowCorrection(), 10.8);

    calc.SetWindow(3);
    EXPECT_EQ(calc.GetPendingReset(), CCommonFft::kKeepHistory);
}

// Four spectra of a tone averaged "x4", then one change of setting and a quiet block: a new window
// keeps the three tone rows in the mean, a new averaging (even the same mode) starts from -170 dB.
TEST(FftCalcSettings, WindowChangeKeepsTheHistoryAndAveragingChangeClearsIt)
{
    const int n = 4096;
    const int bin = 100;
    const int point = bin + n / 2;  // centred: the halves are exchanged
    std::vector<double> toneI(n, 0.0);
    std::vector<double> toneQ(n, 0.0);
    AddTone(bin, 1000.0, 0, n, toneI, toneQ);
    const std::vector<double> quiet(n, 0.0);
    const double hanningDb = ToneDb(1000.0, n);

    struct Case
    {
        const char* change;
        std::function<void(CDdcFft&)> apply;
        double expectedDb;
    };
    const Case cases[] = {
        {"window", [](CDdcFft& c) { c.SetWindow(0); }, (3 * hanningDb + kFloor) / 4},
        {"averaging", [](CDdcFft& c) { c.SetAveraging(2); }, kFloor},
        {"averaging then window",
         [](CDdcFft& c)
         {
             c.SetAveraging(2);
             c.SetWindow(0);
         },
         kFloor},
        {"window then averaging",
         [](CDdcFft& c)
         {
             c.SetWindow(0);
             c.SetAveraging(2);
         },
         kFloor},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.change);
        auto calc = CentredDdc();
        calc->SetAveraging(2);  // "x4"
        for (int k = 0; k < 4; ++k)
        {
            calc->Calculate(toneI, toneQ);
        }
        ASSERT_NEAR(calc->GetResult()[point], hanningDb, 1e-9);
        c.apply(*calc);
        calc->Calculate(quiet, quiet);
        EXPECT_NEAR(calc->GetResult()[point], c.expectedDb, 1e-9);
    }

    // The kept history meets the new window: three Hanning rows and one unwindowed row of the tone.
    auto calc = CentredDdc();
    calc->SetAveraging(2);
    for (int k = 0; k < 4; ++k)
    {
        calc->Calculate(toneI, toneQ);
    }
    calc->SetWindow(0);
    calc->Calculate(toneI, toneQ);
    EXPECT_NEAR(calc->GetResult()[point], (3 * hanningDb + ToneDb(1000.0, n, 1.0, 0.0)) / 4, 1e-9);
}

// Long runs of noise through "x64" and "Peak x8", checked against the rules applied directly to the
// spectra themselves (from an "Instant" twin): the averaging keeps its sums running, and they must not
// drift from the plain means however long it runs.
TEST(FftCalcSettings, LongAveragingRunsFollowTheRuleOverTheSpectraThemselves)
{
    const int n = 4096;
    const int spectra = 150;
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 300.0);
    std::vector<double> i(n);
    std::vector<double> q(n);

    auto instant = CentredDdc();
    instant->SetAveraging(0);
    auto mean = CentredDdc();
    mean->SetAveraging(6);  // "x64"
    auto decay = CentredDdc();
    decay->SetAveraging(8);  // "Peak x8"

    // The last 64 spectra, and the eight memory rows of every bin of the decay.
    std::vector<std::vector<double>> last(64, std::vector<double>(n, kFloor));
    std::vector<std::vector<double>> decayRows(8, std::vector<double>(n, kFloor));
    std::vector<double> decayResult(n, kFloor);
    for (int s = 0; s < spectra; ++s)
    {
        for (int t = 0; t < n; ++t)
        {
            i[static_cast<size_t>(t)] = noise(gen);
            q[static_cast<size_t>(t)] = noise(gen);
        }
        instant->Calculate(i, q);
        mean->Calculate(i, q);
        decay->Calculate(i, q);
        const std::vector<double>& v = instant->GetResult();
        last[static_cast<size_t>(s % 64)] = v;
        std::vector<double>& row = decayRows[static_cast<size_t>(s % 8)];
        row = v;

        double worstMean = 0.0;
        double worstDecay = 0.0;
        for (size_t k = 0; k < static_cast<size_t>(n); ++k)
        {
            double sum = 0.0;
            for (const std::vector<double>& spectrum : last)
            {
                sum += spectrum[k];
            }
            worstMean = std::max(worstMean, std::fabs(mean->GetResult()[k] - sum / 64));

            // A new maximum is taken at once and fills the bin's memory; else the mean of the memory.
            if (v[k] > decayResult[k])
            {
                decayResult[k] = v[k];
                for (std::vector<double>& memory : decayRows)
                {
                    memory[k] = v[k];
                }
            }
            else
            {
                double memorySum = 0.0;
                for (const std::vector<double>& memory : decayRows)
                {
                    memorySum += memory[k];
                }
                decayResult[k] = memorySum / 8;
            }
            worstDecay = std::max(worstDecay, std::fabs(decay->GetResult()[k] - decayResult[k]));
        }
        ASSERT_LT(worstMean, 1e-9) << "spectrum " << s;
        ASSERT_LT(worstDecay, 1e-9) << "spectrum " << s;
    }
}

TEST(FftCalcSettings, CorrectionShiftIsRoundedAndTheRowFollowsThePointCount)
{
    CRangeFft calc(nullptr);
    calc.Init(0);
    // While the shift is 0 the row is the spectrum itself, and there is no row to set.
    EXPECT_EQ(&calc.GetCorrectionRow(), &calc.GetResult());
    EXPECT_EQ(calc.SetCorrection(7.0, 0), 0);

    struct Case
    {
        double value;
        int expected;
    };
    for (const Case& c : {Case{3.6, 4}, Case{-2.5, -3}, Case{0.4, 0}, Case{1.0, 1}, Case{1e12, 1}})
    {
        EXPECT_EQ(calc.SetCorrection(c.value, -1), c.expected) << c.value;
        EXPECT_EQ(calc.GetCorrectionShift(), c.expected) << c.value;
    }

    std::vector<double>& row = calc.GetCorrectionRow();
    EXPECT_NE(&row, &calc.GetResult());
    EXPECT_EQ(row, std::vector<double>(16384, 0.0));
    EXPECT_EQ(calc.SetCorrection(5.5, 10), 16384);
    EXPECT_EQ(calc.SetCorrection(6.5, 16383), 16384);
    // Outside the row nothing is written.
    EXPECT_EQ(calc.SetCorrection(9.0, 16384), 16384);
    EXPECT_EQ(calc.SetCorrection(9.0, -2), 16384);
    EXPECT_EQ(row[10], 5.5);
    EXPECT_EQ(row[16383], 6.5);
    EXPECT_EQ(std::count(row.begin(), row.end(), 0.0), 16382);

    // A larger point count grows the row with zeros and keeps what was set.
    calc.Init(1);
    EXPECT_EQ(calc.GetCorrectionRow().size(), 32768u);
    EXPECT_EQ(calc.GetCorrectionRow()[10], 5.5);
    EXPECT_EQ(calc.GetCorrectionRow()[20000], 0.0);
}

TEST(FftCalcSettings, DisabledCalculatorKeepsItsResultsAndItsPendingReset)
{
    auto calc = CentredDdc();
    calc->SetAveraging(0);
    std::vector<double> i(4096, 0.0);
    std::vector<double> q(4096, 0.0);
    AddTone(-300, 500.0, 0, 4096, i, q);
    calc->Calculate(i, q);
    const std::vector<double> before = calc->GetResult();
    ASSERT_EQ(PeakIndex(before), 2048 - 300);

    calc->SetEnabled(false);
    calc->SetWindow(0);
    const std::vector<double> quiet(4096, 0.0);
    calc->Calculate(quiet, quiet);
    EXPECT_EQ(calc->GetResult(), before);
    EXPECT_EQ(calc->GetPendingReset(), CCommonFft::kKeepHistory);

    calc->SetEnabled(true);
    calc->Calculate(quiet, quiet);
    EXPECT_EQ(calc->GetResult(), std::vector<double>(4096, kFloor));
    EXPECT_EQ(calc->GetPendingReset(), CCommonFft::kNoReset);
}

TEST(FftCalcSettings, FftSizeTakesEffectAtTheNextCalculation)
{
    CDemodFft calc(nullptr);
    calc.Init(0);
    calc.SetAveraging(0);
    for (int bad : {0, -8, 1000, 3})
    {
        calc.SetFftSize(bad);
        EXPECT_EQ(calc.GetFftSize(), 4096) << bad;
    }
    calc.SetFftSize(1024);
    EXPECT_EQ(calc.GetFftSize(), 1024);
    EXPECT_EQ(calc.GetPointCount(), 512) << "rate index 0 keeps half";
    EXPECT_EQ(calc.GetPendingReset(), CCommonFft::kClearHistory);

    std::vector<double> i(1024, 0.0);
    std::vector<double> q(1024, 0.0);
    AddTone(200, 100.0, 0, 1024, i, q);
    calc.Calculate(i, q);
    ASSERT_EQ(calc.GetResult().size(), 512u);
    EXPECT_EQ(PeakIndex(calc.GetResult()), 200);
    EXPECT_NEAR(calc.GetResult()[200], ToneDb(100.0, 1024), 1e-9);
}

TEST(FftCalcSettings, PointTablesAreZerosOfFullRangeSpectraAndEmptyOtherwise)
{
    const std::vector<double> quiet(32768, 0.0);
    CRangeFft full(nullptr);
    full.Init(1);
    EXPECT_TRUE(full.GetFreqTable().empty()) << "nothing published yet";
    full.Calculate(quiet, quiet);
    EXPECT_EQ(full.GetFreqTable(), std::vector<double>(32768, 0.0));
    EXPECT_EQ(full.GetIntTable(), std::vector<int>(32768, 0));

    CRangeFft half(nullptr);
    half.Init(0);
    half.Calculate(quiet, quiet);
    EXPECT_TRUE(half.GetFreqTable().empty());
    EXPECT_TRUE(half.GetIntTable().empty());

    // A calculator that changes from full to half drops the table that no longer fits its points.
    full.Init(0);
    full.Calculate(quiet, quiet);
    EXPECT_TRUE(full.GetFreqTable().empty());
    EXPECT_TRUE(full.GetIntTable().empty());
}

TEST(FftCalcSettings, OctaveBandEdgesAreRoundedToThreeFigures)
{
    const std::vector<COctaveBands::Band>& octaves = COctaveBands::Octaves();
    ASSERT_EQ(octaves.size(), 12u);
    EXPECT_EQ(octaves.front().centre, 0.0315);
    EXPECT_EQ(octaves.front().lower, 0.0223);
    EXPECT_EQ(octaves.front().upper, 0.0445);
    EXPECT_EQ(octaves[5].upper, 1.41);
    EXPECT_EQ(octaves.back().centre, 63.0);
    EXPECT_EQ(octaves.back().lower, 44.5);
    EXPECT_EQ(octaves.back().upper, 89.1);

    const std::vector<COctaveBands::Band>& thirds = COctaveBands::ThirdOctaves();
    ASSERT_EQ(thirds.size(), 36u);
    EXPECT_EQ(thirds.front().lower, 0.0281);
    EXPECT_EQ(thirds.front().upper, 0.0354);
    EXPECT_EQ(thirds[15].centre, 1.0);
    EXPECT_EQ(thirds[15].lower, 0.891);
    EXPECT_EQ(thirds[15].upper, 1.12);
    EXPECT_EQ(thirds.back().centre, 100.0);
    EXPECT_EQ(thirds.back().upper, 112.0);
    for (size_t k = 1; k < thirds.size(); ++k)
    {
        EXPECT_LT(thirds[k - 1].centre, thirds[k].centre);
    }
}

// A spectrum whose value is its point index: the maximum over a band's points is its last point.
TEST(FftCalcSettings, OctaveLevelIsTheMaximumOverTheBandsPoints)
{
    std::vector<double> ramp(2048);
    for (size_t k = 0; k < ramp.size(); ++k)
    {
        ramp[k] = static_cast<double>(k);
    }
    std::vector<OCTAVE_LEVEL> out;
    COctaveBands::Levels(COctaveBands::Octaves(), ramp, 1.0, out);
    // The bands up to centre 0.5 end at or below 1.0 kHz (centre 1 ends at 1.41).
    struct Expected
    {
        double centre;
        double level;
    };
    // Points: lower x 2048 .. upper x 2048, truncated; the last point below the upper edge.
    const Expected expected[] = {
        {0.0315, 90.0},  // 0.0223 .. 0.0445: 45 .. 91
        {0.063, 181.0},  // 0.0445 .. 0.0891: 91 .. 182
        {0.125, 361.0},  // 0.0884 .. 0.177: 181 .. 362
        {0.25, 723.0},   // 0.177 .. 0.354: 362 .. 724
        {0.5, 1446.0},   // 0.354 .. 0.707: 724 .. 1447
    };
    ASSERT_EQ(out.size(), std::size(expected));
    for (size_t k = 0; k < out.size(); ++k)
    {
        EXPECT_EQ(out[k].centre, expected[k].centre);
        EXPECT_EQ(out[k].level, expected[k].level) << expected[k].centre;
    }

    // Sixteen points over 1 kHz: the lowest band is narrower than a point and takes its first point.
    std::vector<double> coarse(16);
    for (size_t k = 0; k < coarse.size(); ++k)
    {
        coarse[k] = 10.0 + static_cast<double>(k);
    }
    out.clear();
    COctaveBands::Levels(COctaveBands::Octaves(), coarse, 1.0, out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0].level, 10.0);
    EXPECT_EQ(out[4].level, 10.0 + 10.0);  // 0.354 .. 0.707 kHz of 16 points: points 5 .. 10

    // An empty spectrum has no points to take.
    out.clear();
    COctaveBands::Levels(COctaveBands::Octaves(), {}, 1.0, out);
    EXPECT_TRUE(out.empty());
}

// The program's octave-filter display: the demodulated audio of a 1 kHz tone sampled at 8 kHz, the
// spectrum spanning 0 .. 4 kHz over 2048 points.
TEST(FftCalcSettings, OctaveLevelsOfTheDemodulatorFindTheTonesBand)
{
    CDemodFft calc(nullptr);
    calc.Init(0);
    std::vector<OCTAVE_LEVEL> out = {{7.0, 7.0}};
    EXPECT_FALSE(calc.GetOctaveLevels(false, 0.0, out));
    ASSERT_EQ(out.size(), 1u) << "left as it was";

    std::vector<double> audio(4096);
    for (size_t t = 0; t < audio.size(); ++t)
    {
        audio[t] = 3000.0 * std::cos(2.0 * kPi * 1000.0 * static_cast<double>(t) / 8000.0);
    }
    const std::vector<double> zero(4096, 0.0);
    calc.Calculate(audio, zero);

    out.clear();
    ASSERT_TRUE(calc.GetOctaveLevels(false, 4.0, out));
    // Every octave band up to centre 2 (upper edge 2.83; centre 4 ends at 5.66).
    ASSERT_EQ(out.size(), 7u);
    const auto loudest =
        std::max_element(out.begin(), out.end(),
                         [](const OCTAVE_LEVEL& a, const OCTAVE_LEVEL& b) { return a.level < b.level; });
    EXPECT_EQ(loudest->centre, 1.0);
    // A real tone splits into two bins of half its amplitude; "x8" starts against seven -170 rows.
    const double toneDb = ToneDb(1500.0, 4096);
    EXPECT_NEAR(loudest->level, (toneDb + 7 * kFloor) / 8, 1e-9);

    out.clear();
    ASSERT_TRUE(calc.GetOctaveLevels(true, 4.0, out));
    ASSERT_EQ(out.size(), 21u) << "third-octave centres 0.0315 .. 3.15 end at or below 4 kHz";
    const auto loudestThird =
        std::max_element(out.begin(), out.end(),
                         [](const OCTAVE_LEVEL& a, const OCTAVE_LEVEL& b) { return a.level < b.level; });
    EXPECT_EQ(loudestThird->centre, 1.0);
}

TEST(FftCalcSettings, CoreHandsOutANewCalculatorOfEachKindPerRequest)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    CKelthar core;
    struct Case
    {
        int id;
        std::function<bool(void*)> isKind;
    };
    const Case cases[] = {
        {5, [](void* p) { return dynamic_cast<CRangeFft*>(static_cast<ICalcFft*>(p)) != nullptr; }},
        {6, [](void* p) { return dynamic_cast<CDdcFft*>(static_cast<ICalcFft*>(p)) != nullptr; }},
        {7, [](void* p) { return dynamic_cast<CDemodFft*>(static_cast<ICalcFft*>(p)) != nullptr; }},
        {23,
         [](void* p) { return dynamic_cast<CRangeMultiFft*>(static_cast<ICalcMultiFft*>(p)) != nullptr; }},
    };
    for (const Case& c : cases)
    {
        void* first = nullptr;
        void* second = nullptr;
        ASSERT_TRUE(core.GetInterface(c.id, &first)) << c.id;
        ASSERT_TRUE(core.GetInterface(c.id, &second)) << c.id;
        EXPECT_NE(first, second) << c.id;
        EXPECT_TRUE(c.isKind(first)) << c.id;
        if (c.id == 23)
        {
            delete static_cast<ICalcMultiFft*>(first);
            delete static_cast<ICalcMultiFft*>(second);
        }
        else
        {
            delete static_cast<ICalcFft*>(first);
            delete static_cast<ICalcFft*>(second);
        }
    }

    // Calculators made by the core read its control state: the range calculator's scan-range zoom
    // writes the point count into the core's synthesizer.
    void* out = nullptr;
    ASSERT_TRUE(core.GetInterface(5, &out));
    std::unique_ptr<ICalcFft> range(static_cast<ICalcFft*>(out));
    core.ControlBits().Adf().SetNumberGarms(0);
    range->Init(1);
    const std::vector<double> quiet(32768, 0.0);
    range->Calculate(quiet, quiet);
    EXPECT_EQ(core.ControlBits().Adf().GetNumberGarms(), 32768);
}
