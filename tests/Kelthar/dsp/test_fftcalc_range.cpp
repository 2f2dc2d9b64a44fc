#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controlbits.h"
#include "fftcalctest.h"
#include "rangefft.h"
#include "rangemultifft.h"

using namespace fftcalctest;

namespace
{
constexpr int kN = 32768;

// The spectrum of one capture of kN points, as a fresh calculator with "Instant" averaging makes it.
std::vector<double> SingleCapture(IControlBits* bits, uint8_t rate, const std::vector<double>& i,
                                  const std::vector<double>& q, size_t first)
{
    CRangeFft calc(bits);
    calc.Init(rate);
    calc.SetAveraging(0);
    const std::vector<double> ci(i.begin() + first, i.begin() + first + kN);
    const std::vector<double> cq(q.begin() + first, q.begin() + first + kN);
    calc.Calculate(ci, cq);
    return calc.GetResult();
}

void MaxInto(std::vector<double>& into, const std::vector<double>& spectrum)
{
    for (size_t k = 0; k < into.size(); ++k)
    {
        into[k] = std::max(into[k], spectrum[k]);
    }
}
}  // namespace

// Several captures at one LO (the FHSS capture): each is transformed, and the spectrum of the sweep is
// per bin the loudest of them.
TEST(FftCalcRange, SweepAtOneLoTakesThePerBinMaximumOverItsCaptures)
{
    const int captures = 3;
    std::vector<double> i(captures * kN, 0.0);
    std::vector<double> q(captures * kN, 0.0);
    AddTone(1000, 1000.0, 0, kN, i, q);
    AddTone(1000, 200.0, kN, kN, i, q);  // quieter than capture 0 on the same bin
    AddTone(5000, 300.0, 2 * kN, kN, i, q);

    CRangeFft calc(nullptr);
    calc.Init(0);
    calc.SetAveraging(0);
    calc.Calculate(i, q);
    const std::vector<double>& result = calc.GetResult();
    ASSERT_EQ(result.size(), 16384u);
    EXPECT_NEAR(result[1000], ToneDb(1000.0, kN), 1e-9);
    EXPECT_NEAR(result[5000], ToneDb(300.0, kN), 1e-9);

    std::vector<double> expected(16384, kFloor);
    for (int c = 0; c < captures; ++c)
    {
        MaxInto(expected, SingleCapture(nullptr, 0, i, q, static_cast<size_t>(c) * kN));
    }
    EXPECT_EQ(result, expected);

    // The next sweep starts a new maximum: nothing of this one is left.
    const std::vector<double> quiet(captures * kN, 0.0);
    calc.Calculate(quiet, quiet);
    EXPECT_EQ(calc.GetResult(), std::vector<double>(16384, kFloor));
}

TEST(FftCalcRange, SweepSpectrumIsAveragedLikeAnyOther)
{
    // FHSS mode 0: 37 captures; the tone is in the last one only.
    const int captures = 37;
    std::vector<double> i(captures * kN, 0.0);
    std::vector<double> q(captures * kN, 0.0);
    AddTone(-4000, 800.0, (captures - 1) * kN, kN, i, q);
    const std::vector<double> quiet(captures * kN, 0.0);
    const int point = kN / 2 - 4000;

    CRangeFft calc(nullptr);
    calc.Init(1);
    calc.SetAveraging(1);  // "x2"
    calc.Calculate(i, q);
    EXPECT_EQ(PeakIndex(calc.GetResult()), point);
    EXPECT_NEAR(calc.GetResult()[point], (ToneDb(800.0, kN) + kFloor) / 2, 1e-9);
    calc.Calculate(i, q);
    EXPECT_NEAR(calc.GetResult()[point], ToneDb(800.0, kN), 1e-9);
    calc.Calculate(quiet, quiet);
    EXPECT_NEAR(calc.GetResult()[point], (ToneDb(800.0, kN) + kFloor) / 2, 1e-9);
}

TEST(FftCalcRange, CaptureShorterThanTheTransformIsPaddedWithZeros)
{
    const int m = 20000;
    std::vector<double> i(m, 0.0);
    std::vector<double> q(m, 0.0);
    for (int t = 0; t < m; ++t)
    {
        const double phase = 2.0 * kPi * 3000.0 * t / kN;
        i[static_cast<size_t>(t)] = 100.0 * std::cos(phase);
        q[static_cast<size_t>(t)] = 100.0 * std::sin(phase);
    }
    CRangeFft calc(nullptr);
    calc.Init(0);
    calc.SetAveraging(0);
    calc.Calculate(i, q);
    EXPECT_EQ(PeakIndex(calc.GetResult()), 3000);

    // Nothing to transform: the result stays.
    const std::vector<double> before = calc.GetResult();
    calc.Calculate({}, {});
    calc.Calculate(std::vector<double>(kN, 1.0), {});
    EXPECT_EQ(calc.GetResult(), before);
}

// A long scan of four 61 MHz captures per transform, swept as four LO pieces one after another: every
// transform takes the same run of 8192 points from each piece, piece j at block position 8192 j.
TEST(FftCalcRange, LongScanSweepGathersEveryPieceIntoItsPlaceInTheBlock)
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
    // As the previous capture's long scan left it: four blocks, so four pieces per sweep.
    adf.SetGroupBlocks(2);

    const int pieces = 4;
    const int block = kN / pieces;
    const int pieceLength = 4 * block;
    std::vector<double> i(pieces * pieceLength, 0.0);
    std::vector<double> q(pieces * pieceLength, 0.0);
    // A tone of its own in every run of every piece.
    for (int j = 0; j < pieces; ++j)
    {
        for (int run = 0; run < 4; ++run)
        {
            AddTone(300 + 700 * j + 90 * run, 1000.0 + 400.0 * run + 100.0 * j, j * pieceLength + run * block,
                    block, i, q);
        }
    }

    CRangeFft calc(&bits);
    calc.Init(1);
    calc.SetAveraging(0);
    calc.Calculate(i, q);
    EXPECT_EQ(adf.GetGroupBlocks(), 2);

    // The blocks as the sweep makes them, transformed one by one as single captures.
    std::vector<double> expected(kN, kFloor);
    for (int run = 0; run < 4; ++run)
    {
        std::vector<double> bi(kN);
        std::vector<double> bq(kN);
        for (int j = 0; j < pieces; ++j)
        {
            std::copy_n(i.begin() + j * pieceLength + run * block, block, bi.begin() + j * block);
            std::copy_n(q.begin() + j * pieceLength + run * block, block, bq.begin() + j * block);
        }
        MaxInto(expected, SingleCapture(&bits, 1, bi, bq, 0));
    }
    EXPECT_EQ(calc.GetResult(), expected);
    EXPECT_GT(*std::max_element(expected.begin(), expected.end()), -60.0) << "the tones are in it";
}

TEST(FftCalcRange, MultiRangeAveragesEveryRangeWithItsOwnMode)
{
    CRangeMultiFft multi(nullptr);
    EXPECT_EQ(multi.GetRangeCount(), 0);
    // "Instant", "x4", "Peak".
    multi.SetRanges({0, 2, 7});
    ASSERT_EQ(multi.GetRangeCount(), 3);
    for (int r = 0; r < 3; ++r)
    {
        EXPECT_EQ(multi.GetRangePendingReset(r), CCommonFft::kClearHistory);
        EXPECT_EQ(multi.GetRangeSettings(r)->window, 6) << "the calculator's window";
    }

    const int bin = 500;
    const int point = bin + kN / 2;
    std::vector<double> toneI(kN, 0.0);
    std::vector<double> toneQ(kN, 0.0);
    AddTone(bin, 1000.0, 0, kN, toneI, toneQ);
    const std::vector<double> quiet(kN, 0.0);
    // The sweep steps through the ranges: a tone on every range, then quiet on every range.
    for (int r = 0; r < 3; ++r)
    {
        multi.Calculate(r, toneI, toneQ);
    }
    for (int r = 0; r < 3; ++r)
    {
        multi.Calculate(r, quiet, quiet);
    }
    const double toneDb = ToneDb(1000.0, kN);
    const double expected[] = {kFloor, (toneDb + 3 * kFloor) / 4, toneDb};
    for (int r = 0; r < 3; ++r)
    {
        SCOPED_TRACE(r);
        EXPECT_EQ(multi.GetRangePendingReset(r), CCommonFft::kNoReset);
        const std::vector<double>& result = multi.GetResult(r);
        ASSERT_EQ(result.size(), static_cast<size_t>(kN));
        EXPECT_NEAR(result[point], expected[r], 1e-9);
    }
    // Histories only where the averaging reads them.
    EXPECT_EQ(multi.GetRangeEngine(0)->GetHistoryRows(), 0);
    EXPECT_EQ(multi.GetRangeEngine(1)->GetHistoryRows(), 4);
    EXPECT_EQ(multi.GetRangeEngine(2)->GetHistoryRows(), 0);

    // Outside the ranges nothing happens.
    multi.Calculate(3, toneI, toneQ);
    multi.Calculate(-1, toneI, toneQ);
    EXPECT_TRUE(multi.GetResult(3).empty());
    EXPECT_TRUE(multi.GetResult(-1).empty());
    EXPECT_NEAR(multi.GetResult(0)[point], kFloor, 1e-9);
}

TEST(FftCalcRange, MultiRangePassesWindowAndResetsOnButKeepsEachRangesAveraging)
{
    CRangeMultiFft multi(nullptr);
    multi.SetRanges({0, 9});
    const std::vector<double> quiet(kN, 0.0);
    multi.Calculate(0, quiet, quiet);
    multi.Calculate(1, quiet, quiet);

    EXPECT_EQ(multi.SetWindow(2), 6);
    for (int r = 0; r < 2; ++r)
    {
        EXPECT_EQ(multi.GetRangePendingReset(r), CCommonFft::kKeepHistory);
        EXPECT_EQ(multi.GetRangeSettings(r)->window, 2);
    }
    EXPECT_EQ(multi.SetAveraging(4), 3);
    for (int r = 0; r < 2; ++r)
    {
        EXPECT_EQ(multi.GetRangePendingReset(r), CCommonFft::kClearHistory);
    }
    EXPECT_EQ(multi.GetRangeSettings(0)->averaging, 0);
    EXPECT_EQ(multi.GetRangeSettings(1)->averaging, 9);

    multi.Calculate(1, quiet, quiet);
    EXPECT_EQ(multi.GetRangeEngine(1)->GetWindowType(), 2);
    EXPECT_EQ(multi.GetRangeEngine(1)->GetAveragingKind(), CSpectrumAverager::kPeakDecay);
    EXPECT_EQ(multi.GetRangeEngine(1)->GetAveragingDepth(), 16);
    EXPECT_EQ(multi.GetRangePendingReset(0), CCommonFft::kClearHistory) << "not calculated yet";

    // A disabled calculator leaves every range alone.
    multi.SetEnabled(false);
    multi.Calculate(0, quiet, quiet);
    EXPECT_EQ(multi.GetRangePendingReset(0), CCommonFft::kClearHistory);
    multi.SetEnabled(true);

    // New ranges replace the old ones.
    multi.SetRanges({6});
    ASSERT_EQ(multi.GetRangeCount(), 1);
    EXPECT_EQ(multi.GetRangeSettings(0)->window, 2);
    EXPECT_EQ(multi.GetRangeSettings(0)->averaging, 6);
    EXPECT_EQ(multi.GetBlockCount(), 1);

    // The calculator's own ICommonFft operations run the range stage on an engine of its own.
    ICommonFft& common = multi;
    common.Calculate(quiet, quiet);
    EXPECT_EQ(common.GetResult().size(), static_cast<size_t>(kN));
    EXPECT_EQ(multi.GetRangePendingReset(0), CCommonFft::kClearHistory);
}
