#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "cfft.h"
#include "quasiiqstitch.h"

namespace
{
constexpr double kFloor = -170.0;
constexpr double kPi = 3.14159265358979323846;

// Adds a complex tone of amplitude `amplitude` exactly on bin `bin` (negative: below the centre) of the
// `count` points from `first` on.
void AddTone(double bin, double amplitude, int first, int count, std::vector<double>& i,
             std::vector<double>& q)
{
    for (int t = 0; t < count; ++t)
    {
        const double phase = 2.0 * kPi * bin * t / count;
        i[first + t] += amplitude * std::cos(phase);
        q[first + t] += amplitude * std::sin(phase);
    }
}

void Tone(int n, double bin, double amplitude, std::vector<double>& i, std::vector<double>& q)
{
    i.assign(n, 0.0);
    q.assign(n, 0.0);
    AddTone(bin, amplitude, 0, n, i, q);
}

// The engine's level of a tone whose transform has magnitude m.
double LevelDb(double magnitude, double correctionDb)
{
    return 20.0 * std::log10(magnitude * 0.125) + correctionDb - 170.0;
}

CCfft MakeEngine(int fftSize, int resultSize, int rateIndex, int window, int averagingMode = 0)
{
    CCfft engine(nullptr);
    EXPECT_TRUE(engine.SetSize(fftSize, resultSize));
    engine.SetRateIndex(rateIndex);
    engine.SetWindowType(window);
    engine.SetAveragingMode(averagingMode);
    engine.Reset(true);
    return engine;
}

int PeakBin(const std::vector<double>& spectrum)
{
    return static_cast<int>(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}
}  // namespace

TEST(CfftEngine, AToneReadsItsLevelPlusTheWindowCorrection)
{
    const int n = 4096;
    const int bin = 300;
    const double amplitude = 2000.0;
    // Coherent gain (mean of the window) of the windows whose sum over a period is known exactly.
    struct Case
    {
        int type;
        double gain;
        double correctionDb;
    };
    const Case cases[] = {{0, 1.0, 0.0}, {2, 0.281, 10.8}, {3, 0.54, 5.3},    {4, 0.5, 5.9},
                          {6, 0.5, 5.9}, {9, 0.423, 7.3},  {10, 0.35875, 8.8}};
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, bin, amplitude, i, q);
    for (const Case& c : cases)
    {
        CCfft engine = MakeEngine(n, n / 2, 0, c.type);
        EXPECT_EQ(engine.GetWindowCorrection(), c.correctionDb);
        EXPECT_EQ(engine.Transform(i, q, FftDeviceState{}), CCfft::Outcome::kPublished);
        const std::vector<double>& spectrum = engine.GetPublished();
        ASSERT_EQ(spectrum.size(), static_cast<size_t>(n / 2));
        EXPECT_EQ(PeakBin(spectrum), bin) << c.type;
        EXPECT_NEAR(spectrum[bin], LevelDb(amplitude * n * c.gain, c.correctionDb), 1e-9)
            << "window " << c.type;
    }
}

TEST(CfftEngine, ChannelCorrectionIsAddedToEveryBinButTheFloor)
{
    const int n = 1024;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 10, 1.0, i, q);
    i[n / 2] += 0.25;  // an impulse puts something in every bin
    FftDeviceState state;
    state.levelCorrectionDb = 3.5;

    CCfft plain = MakeEngine(n, n / 2, 0, 6);
    CCfft corrected = MakeEngine(n, n / 2, 0, 6);
    plain.Transform(i, q, FftDeviceState{});
    corrected.Transform(i, q, state);
    for (int k = 0; k < n / 2; ++k)
    {
        ASSERT_NEAR(corrected.GetResult()[k] - plain.GetResult()[k], 3.5, 1e-9) << k;
    }

    // No signal reads exactly -170, whatever the window and corrections say.
    const std::vector<double> zero(n, 0.0);
    corrected.Transform(zero, zero, state);
    EXPECT_EQ(corrected.GetResult(), std::vector<double>(n / 2, kFloor));
}

TEST(CfftEngine, ZeroInputGivesTheFloorEverywhere)
{
    for (int window = 0; window < 11; ++window)
    {
        CCfft engine = MakeEngine(4096, 4096, 1, window);
        const std::vector<double> zero(4096, 0.0);
        engine.Transform(zero, zero, FftDeviceState{});
        EXPECT_EQ(engine.GetPublished(), std::vector<double>(4096, kFloor)) << window;
    }
}

TEST(CfftEngine, RateIndexOneCentresTheSpectrum)
{
    const int n = 2048;
    std::vector<double> i;
    std::vector<double> q;
    for (int bin : {100, -100})
    {
        Tone(n, bin, 1.0, i, q);
        CCfft half = MakeEngine(n, n / 2, 0, 0);
        CCfft whole = MakeEngine(n, n, 1, 0);
        half.Transform(i, q, FftDeviceState{});
        whole.Transform(i, q, FftDeviceState{});
        EXPECT_EQ(PeakBin(whole.GetResult()), n / 2 + bin) << bin;
        if (bin > 0)
        {
            EXPECT_EQ(PeakBin(half.GetResult()), bin);
        }
    }
}

TEST(CfftEngine, ShortInputChangesNothing)
{
    CCfft engine = MakeEngine(1024, 512, 0, 0);
    std::vector<double> i;
    std::vector<double> q;
    Tone(1024, 5, 1.0, i, q);
    engine.Transform(i, q, FftDeviceState{});
    const std::vector<double> before = engine.GetPublished();
    const std::vector<double> shortRow(1023, 1.0);
    EXPECT_EQ(engine.Transform(shortRow, i, FftDeviceState{}), CCfft::Outcome::kSkipped);
    EXPECT_EQ(engine.Transform(i, shortRow, FftDeviceState{}), CCfft::Outcome::kSkipped);
    EXPECT_EQ(engine.GetPublished(), before);
}

TEST(CfftEngine, InvalidSizesAreRefused)
{
    CCfft engine(nullptr);
    EXPECT_EQ(engine.GetFftSize(), 32768);
    EXPECT_EQ(engine.GetResultSize(), 32768);
    EXPECT_FALSE(engine.SetSize(1000, 500));
    EXPECT_FALSE(engine.SetSize(1024, 2048));
    EXPECT_FALSE(engine.SetSize(1024, 0));
    EXPECT_EQ(engine.GetFftSize(), 32768);
    EXPECT_TRUE(engine.SetSize(4096, 2048));
    EXPECT_EQ(engine.GetPublished(), std::vector<double>(2048, kFloor));
}

TEST(CfftEngine, NewSizesKeepTheAveragingAndStartFromTheFloor)
{
    CCfft engine = MakeEngine(1024, 512, 0, 0, 2);
    std::vector<double> i;
    std::vector<double> q;
    Tone(1024, 5, 1.0, i, q);
    engine.Transform(i, q, FftDeviceState{});
    ASSERT_TRUE(engine.SetSize(2048, 1024));
    EXPECT_EQ(engine.GetAveragingKind(), CSpectrumAverager::kMean);
    Tone(2048, 5, 1.0, i, q);
    engine.Transform(i, q, FftDeviceState{});
    EXPECT_NEAR(engine.GetResult()[5], (LevelDb(2048, 0.0) + 3 * kFloor) / 4.0, 1e-9);
}

TEST(CfftEngine, ADifferentWindowTypeIsTakenOnlyAtReset)
{
    CCfft engine = MakeEngine(256, 128, 0, 6);
    const std::vector<double> hanning = engine.GetWindow();
    engine.SetWindowType(0);
    EXPECT_EQ(engine.GetWindow(), hanning);
    engine.Reset(false);
    EXPECT_EQ(engine.GetWindow(), std::vector<double>(256, 1.0));
    EXPECT_EQ(engine.GetWindowCorrection(), 0.0);

    // An unknown type keeps the window but drops its correction.
    engine.SetWindowType(6);
    engine.Reset(false);
    engine.SetWindowType(42);
    engine.Reset(false);
    EXPECT_EQ(engine.GetWindow(), hanning);
    EXPECT_EQ(engine.GetWindowCorrection(), 0.0);
}

TEST(CfftEngine, X4AveragesTheLastFourSpectraAfterAFloorWarmUp)
{
    const int n = 512;
    CCfft engine = MakeEngine(n, n / 2, 0, 0, 2);
    std::vector<double> i;
    std::vector<double> q;
    const double amplitudes[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    std::vector<double> levels;
    for (double a : amplitudes)
    {
        levels.push_back(LevelDb(a * n, 0.0));
    }
    for (int step = 0; step < 5; ++step)
    {
        Tone(n, 7, amplitudes[step], i, q);
        engine.Transform(i, q, FftDeviceState{});
        double sum = 0.0;
        for (int back = 0; back < 4; ++back)
        {
            sum += step - back >= 0 ? levels[step - back] : kFloor;
        }
        EXPECT_NEAR(engine.GetResult()[7], sum / 4.0, 1e-9) << step;
    }
}

TEST(CfftEngine, HeldTransformsLeaveTheAveragingAndThePublishedSpectrumAlone)
{
    const int n = 256;
    CCfft engine = MakeEngine(n, n / 2, 0, 0, 0);
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 3, 1.0, i, q);
    engine.SetHoldMode(CSpectrumAverager::kHoldRestart);
    EXPECT_EQ(engine.Transform(i, q, FftDeviceState{}), CCfft::Outcome::kHeld);
    EXPECT_EQ(engine.GetPublished(), std::vector<double>(n / 2, kFloor));
    EXPECT_NEAR(engine.GetHold()[3], LevelDb(n, 0.0), 1e-9);

    Tone(n, 9, 4.0, i, q);
    engine.SetHoldMode(CSpectrumAverager::kHoldUse);
    EXPECT_EQ(engine.Transform(i, q, FftDeviceState{}), CCfft::Outcome::kPublished);
    EXPECT_NEAR(engine.GetPublished()[3], LevelDb(n, 0.0), 1e-9);
    EXPECT_NEAR(engine.GetPublished()[9], LevelDb(4.0 * n, 0.0), 1e-9);
}

TEST(CfftEngine, A32768PointSpectrumPublishesZeroTablesUnlessKnownRangesAreHeld)
{
    const int n = 32768;
    CCfft engine = MakeEngine(n, n, 0, 0);
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 1000, 1.0, i, q);
    EXPECT_EQ(engine.Transform(i, q, FftDeviceState{}), CCfft::Outcome::kPublished);
    EXPECT_EQ(engine.GetFreqTable(), std::vector<double>(n, 0.0));
    EXPECT_EQ(engine.GetIntTable(), std::vector<int>(n, 0));
    const std::vector<double> published = engine.GetPublished();

    // The known-range layout owns the published row and the tables; the engine only averages.
    engine.GetFreqTable()[5] = 123.0;
    FftDeviceState known;
    known.knownRanges = true;
    Tone(n, 2000, 1.0, i, q);
    EXPECT_EQ(engine.Transform(i, q, known), CCfft::Outcome::kKnownRanges);
    EXPECT_EQ(engine.GetPublished(), published);
    EXPECT_EQ(engine.GetFreqTable()[5], 123.0);
    EXPECT_EQ(PeakBin(engine.GetResult()), 2000);

    // Nor do the held blocks of a sweep write it.
    engine.SetHoldMode(CSpectrumAverager::kHoldRestart);
    EXPECT_EQ(engine.Transform(i, q, known), CCfft::Outcome::kHeld);
    EXPECT_EQ(engine.GetPublished(), published);
}

TEST(CfftEngine, TrimEndsZoomsACentred4096PointSpectrum)
{
    const int n = 4096;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 100, 1.0, i, q);  // bin 2048 + 100 of the centred spectrum
    FftDeviceState state;
    state.trimCount = 1024;
    CCfft plain = MakeEngine(n, n, 1, 0);
    CCfft zoomed = MakeEngine(n, n, 1, 0);
    plain.Transform(i, q, FftDeviceState{});
    zoomed.Transform(i, q, state);
    for (int k = 0; k < n; ++k)
    {
        ASSERT_EQ(zoomed.GetResult()[k], plain.GetResult()[1024 + k / 2]) << k;
    }
    EXPECT_EQ(zoomed.GetStoredPointCount(), -1);

    // Rate index 0 (2048 points) has no zoom.
    CCfft uncentred = MakeEngine(n, n / 2, 0, 0);
    CCfft uncentredZoom = MakeEngine(n, n / 2, 0, 0);
    uncentred.Transform(i, q, FftDeviceState{});
    uncentredZoom.Transform(i, q, state);
    EXPECT_EQ(uncentredZoom.GetResult(), uncentred.GetResult());
}

TEST(CfftEngine, KeepRangeSpreadsTheScanRangeOverTheRangeSpectrum)
{
    const int n = 32768;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 1234, 1.0, i, q);
    FftDeviceState state;
    state.rangeFirst = 16384;
    state.rangeEnd = 16384 + 8192;
    CCfft plain = MakeEngine(n, n, 1, 0);
    CCfft zoomed = MakeEngine(n, n, 1, 0);
    plain.Transform(i, q, FftDeviceState{});
    zoomed.Transform(i, q, state);
    for (int k = 0; k < n; ++k)
    {
        ASSERT_EQ(zoomed.GetResult()[k], plain.GetResult()[16384 + k / 4]) << k;
    }
    EXPECT_EQ(zoomed.GetStoredPointCount(), n);
}

namespace
{
// A long scan of four blocks of 8192 points in a 32768-point capture.
FftDeviceState LongScan(int spanMHz)
{
    FftDeviceState state;
    state.longScanBlockLength = 8192;
    state.scanSpanMHz = spanMHz;
    return state;
}
}  // namespace

TEST(CfftLongScan, FourBlocksOver122MHzKeepTheFirst16384Points)
{
    const int n = 32768;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 3000, 1.0, i, q);
    q[77] += 0.5;
    CCfft whole = MakeEngine(n, n, 1, 6);
    CCfft zoomed = MakeEngine(n, n, 1, 6);
    // 244 MHz over four 61 MHz blocks keeps every point: the same spectrum without the zoom.
    whole.Transform(i, q, LongScan(244));
    zoomed.Transform(i, q, LongScan(122));
    for (int k = 0; k < n; ++k)
    {
        ASSERT_EQ(zoomed.GetResult()[k], whole.GetResult()[k / 2]) << k;
    }
    EXPECT_EQ(zoomed.GetStoredPointCount(), n);
    EXPECT_EQ(whole.GetStoredPointCount(), n);
}

TEST(CfftLongScan, EachBlockIsTransformedOnItsOwnWithoutTheWindowCorrection)
{
    const int n = 32768;
    const int block = 8192;
    std::vector<double> i(n, 0.0);
    std::vector<double> q(n, 0.0);
    AddTone(100, 3.0, block, block, i, q);  // only in block 1
    CCfft engine = MakeEngine(n, n, 0, 6);
    FftDeviceState state = LongScan(244);
    state.levelCorrectionDb = 2.0;
    engine.Transform(i, q, state);
    const std::vector<double>& spectrum = engine.GetResult();
    EXPECT_EQ(PeakBin(spectrum), block + 100);
    // Hanning has a coherent gain of one half; its 5.9 dB is not added in a long scan.
    EXPECT_NEAR(spectrum[block + 100], LevelDb(3.0 * block * 0.5, 2.0), 1e-9);
    for (int k : {0, 100, block - 1, 2 * block + 100, 4 * block - 1})
    {
        EXPECT_EQ(spectrum[k], kFloor) << k;
    }
}

TEST(CfftLongScan, KnownRangesModeTransformsTheCaptureAsOneBlock)
{
    const int n = 32768;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 4321, 1.0, i, q);
    CCfft plain = MakeEngine(n, n, 1, 3);
    CCfft known = MakeEngine(n, n, 1, 3);
    known.SetKnownRangesMode(true);
    plain.Transform(i, q, FftDeviceState{});
    known.Transform(i, q, LongScan(122));
    EXPECT_EQ(known.GetResult(), plain.GetResult());
}

TEST(CfftLongScan, QuasiIqStitchesInDbAndKeepsWhatTheSpanCovers)
{
    const int n = 32768;
    const int block = 8192;
    std::vector<double> i(n, 0.0);
    std::vector<double> q(n, 0.0);
    AddTone(1500, 1.0, 0, block, i, q);
    AddTone(2500, 2.0, block, block, i, q);
    // Without stitching and with the span of all four blocks: the dB spectra of the blocks side by side.
    CCfft plain = MakeEngine(n, n, 1, 0);
    plain.Transform(i, q, LongScan(244));

    FftDeviceState state = LongScan(122);
    state.quasiIq = true;
    state.gatherStep = block;  // every carrying block whole: 16384 points gathered
    CCfft stitched = MakeEngine(n, n, 1, 0);
    stitched.Transform(i, q, state);

    std::vector<double> expected = plain.GetResult();
    std::vector<double> im(n, 0.0);
    std::vector<double> spare(n, 0.0);
    CQuasiIqStitch::Params params;
    params.blocks = 4;
    params.blockLength = block;
    params.gatherStep = block;
    ASSERT_EQ(CQuasiIqStitch::Run(expected, im, spare, params), 2 * block);
    // 122 MHz of 16384 points over four 61 MHz blocks: the first 8192 points, each written four times.
    for (int k = 0; k < n; ++k)
    {
        ASSERT_EQ(stitched.GetResult()[k], expected[k / 4]) << k;
    }
}

TEST(CfftLongScan, QuasiIqWithOneBlockGathersNothingAndKeepsTheSpectrum)
{
    const int n = 32768;
    std::vector<double> i;
    std::vector<double> q;
    Tone(n, 999, 1.0, i, q);
    FftDeviceState single;
    single.longScanBlockLength = n;
    single.scanSpanMHz = 61;
    FftDeviceState quasi = single;
    quasi.quasiIq = true;
    quasi.gatherStep = 1000.0;
    CCfft plain = MakeEngine(n, n, 1, 0);
    CCfft engine = MakeEngine(n, n, 1, 0);
    plain.Transform(i, q, single);
    engine.Transform(i, q, quasi);
    EXPECT_EQ(engine.GetResult(), plain.GetResult());
}
