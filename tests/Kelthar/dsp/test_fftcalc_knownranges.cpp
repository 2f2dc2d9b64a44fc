#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "controlbits.h"
#include "fftcalctest.h"
#include "knownrangelayout.h"
#include "rangefft.h"
#include "rangemultifft.h"

using namespace fftcalctest;

// Three known ranges as the control state records them: A 100-222 MHz (two 61 MHz captures, antenna 1),
// B 300-330.5 MHz (one capture, of which half is shown, antenna switches left alone), C 400-461 MHz (one
// capture, antenna 4). Four LO steps per capture of 32768 points: 8192 points per step. The widths
// 122 : 30.5 : 61 of 213.5 MHz give the ranges 32768 x 122 / 213.5 = 18724.6, 32768 x 30.5 / 213.5 =
// 4681.1 and the rest of the points, from 0, 18724 and 23405 on.

namespace
{
constexpr int kN = 32768;
constexpr int kStep = 8192;
constexpr double kStepMHz = 61.0 / kStep;

void AddRanges(CControlBits& bits)
{
    bits.AddKnownRange("A", 100.0, 222.0, 1);
    bits.AddKnownRange("B", 300.0, 330.5, 0);
    bits.AddKnownRange("C", 400.0, 461.0, 4);
}

KNOWN_RANGE_ITEM Range(double start, double end, int count, int switchCode = 0)
{
    KNOWN_RANGE_ITEM range;
    range.start = start;
    range.end = end;
    range.count = count;
    range.switchCode = switchCode;
    return range;
}
}  // namespace

TEST(FftCalcKnownRanges, StepsPerCaptureFollowTheDataPath)
{
    struct Case
    {
        std::vector<KNOWN_RANGE_ITEM> ranges;
        long long steps;
        int blockLength;
    };
    const Case cases[] = {
        {{Range(100, 222, 2), Range(300, 330.5, 1), Range(400, 461, 1)}, 4, 8192},
        {{Range(100, 283, 3)}, 4, 8192},
        {{Range(100, 100, 0)}, 1, 32768},
        {std::vector<KNOWN_RANGE_ITEM>(5, Range(25, 6000, 98)), 512, 64},
        // More steps than a capture can split into two-point steps: nothing to lay out.
        {std::vector<KNOWN_RANGE_ITEM>(200, Range(25, 6000, 98)), 32768, 0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(CKnownRangeLayout::StepCount(c.ranges), c.steps) << c.ranges.size();
        EXPECT_EQ(CKnownRangeLayout::BlockLength(c.ranges, kN), c.blockLength) << c.ranges.size();
    }
}

// The steps' spectrum is the index of each step point, so every laid-out point shows which step point
// it was taken from.
TEST(FftCalcKnownRanges, LayoutPutsTheRangesSideBySideByWidth)
{
    CControlBits bits;
    AddRanges(bits);
    const std::vector<KNOWN_RANGE_ITEM> ranges = bits.GetKnownRanges();
    ASSERT_EQ(CKnownRangeLayout::BlockLength(ranges, kN), kStep);

    std::vector<double> steps(kN);
    std::iota(steps.begin(), steps.end(), 0.0);
    std::vector<double> published(kN, 1.0);
    std::vector<double> freq;
    std::vector<int> switches;
    std::vector<int> positions;
    ASSERT_TRUE(CKnownRangeLayout::Build(ranges, kStep, steps, published, freq, switches, &positions));
    EXPECT_EQ(positions, (std::vector<int>{0, 18724, 23405}));
    EXPECT_EQ(CKnownRangeLayout::Positions(ranges, kN), positions);
    ASSERT_EQ(freq.size(), static_cast<size_t>(kN));
    ASSERT_EQ(switches.size(), static_cast<size_t>(kN));

    struct Point
    {
        int index;
        double freqMHz;
        double stepPoint;
        int switchCode;
    };
    const Point points[] = {
        // A: 16384 step points (two captures) over 18724 points.
        {0, 100.0, 0, 1},
        {9362, 161.0, 8192, 1},  // the second capture starts at 161 MHz
        {18723, 100.0 + 122.0 * 18723 / 18724, 16383, 1},
        // B: the third step, of which the 4096 points below 330.5 MHz are shown, over 4681 points.
        {18724, 300.0, 16384, 0},
        {23404, 300.0 + 30.5 * 4680 / 4681, 16384 + 4095, 0},
        // C: the fourth step over 9363 points.
        {23405, 400.0, 24576, 4},
        {32767, 400.0 + 61.0 * 9362 / 9363, 24576 + 8191, 4},
    };
    for (const Point& p : points)
    {
        SCOPED_TRACE(p.index);
        EXPECT_DOUBLE_EQ(freq[static_cast<size_t>(p.index)], p.freqMHz);
        EXPECT_EQ(published[static_cast<size_t>(p.index)], p.stepPoint);
        EXPECT_EQ(switches[static_cast<size_t>(p.index)], p.switchCode);
    }

    // Each range is an ascending run of frequencies that takes every one of its step points in order.
    const int ends[] = {18724, 23405, kN};
    int begin = 0;
    for (int end : ends)
    {
        for (int k = begin + 1; k < end; ++k)
        {
            ASSERT_GT(freq[static_cast<size_t>(k)], freq[static_cast<size_t>(k - 1)]) << k;
            const double advance = published[static_cast<size_t>(k)] - published[static_cast<size_t>(k - 1)];
            ASSERT_TRUE(advance == 0.0 || advance == 1.0) << k;
        }
        begin = end;
    }
}

TEST(FftCalcKnownRanges, NothingToLayOutLeavesTheOutputsAlone)
{
    const std::vector<double> steps(kN, -50.0);
    struct Case
    {
        const char* what;
        std::vector<KNOWN_RANGE_ITEM> ranges;
        int blockLength;
        size_t points;
    };
    const Case cases[] = {
        {"no width", {Range(100, 100, 0), Range(300, 200, 0)}, kN, kN},
        {"no step length", {Range(100, 222, 2)}, 0, kN},
        {"no points", {Range(100, 222, 2)}, kStep, 0},
    };
    for (const Case& c : cases)
    {
        std::vector<double> published(c.points, 1.0);
        std::vector<double> freq = {7.0};
        std::vector<int> switches = {7};
        std::vector<int> positions = {7};
        EXPECT_FALSE(
            CKnownRangeLayout::Build(c.ranges, c.blockLength, steps, published, freq, switches, &positions))
            << c.what;
        EXPECT_EQ(published, std::vector<double>(c.points, 1.0)) << c.what;
        EXPECT_EQ(freq, std::vector<double>{7.0}) << c.what;
        EXPECT_EQ(switches, std::vector<int>{7}) << c.what;
        EXPECT_EQ(positions, std::vector<int>{7}) << c.what;
    }
    // A range of no width among others gets no points.
    EXPECT_EQ(CKnownRangeLayout::Positions({Range(100, 161, 1), Range(200, 200, 0), Range(300, 361, 1)}, 100),
              (std::vector<int>{0, 50, 50}));
}

// The capture as the data path takes it over the known ranges: one LO step after another, each 8192
// samples around its LO (the first centre of its range, then 61 MHz up per capture). Tones at known
// radio frequencies must come out at the points whose frequency-table entry names them.
class FftCalcKnownRangeCapture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bits.Init();
        for (int type = 0; type < 4; ++type)
        {
            bits.AddChannel(type, L"C", L"Channel", 61e6);
        }
        bits.SetCurrentChannel(0);
        bits.Adf().SetReferenceFreq(61e6);
        // A long scan set up from before must not cut the capture or be touched.
        bits.Adf().SetFlag3(true);
        bits.Adf().SetGroupBlocks(3);
        bits.Adf().SetValue37(5);
        bits.GetChannel(0)->SetDbmCorrection2(3, 2.5);
        AddRanges(bits);
        i.assign(kN, 0.0);
        q.assign(kN, 0.0);
    }

    // A tone `bin` step points away from the LO of LO step `step` (LO = loMHz); returns its frequency.
    double Tone(int step, double loMHz, int bin, double amplitude)
    {
        AddTone(bin, amplitude, step * kStep, kStep, i, q);
        return loMHz + bin * kStepMHz;
    }

    CControlBits bits;
    std::vector<double> i;
    std::vector<double> q;
};

TEST_F(FftCalcKnownRangeCapture, TonesAppearAtTheirFrequenciesWithTheirRangesSwitch)
{
    struct Expected
    {
        double freqMHz;
        double amplitude;
        int first;
        int end;
        int switchCode;
    };
    // A's second capture (LO 191.5), B's capture (LO 330.5) and C's capture (LO 430.5).
    const Expected tones[] = {
        {Tone(1, 191.5, -1000, 800.0), 800.0, 0, 18724, 1},
        {Tone(2, 330.5, -1500, 300.0), 300.0, 18724, 23405, 0},
        {Tone(3, 430.5, 2000, 1200.0), 1200.0, 23405, kN, 4},
    };
    // Above the end of B: inside its capture but not shown.
    Tone(2, 330.5, 500, 5000.0);

    CRangeFft calc(&bits);
    calc.Init(1);
    calc.SetAveraging(0);
    calc.Calculate(i, q);

    const std::vector<double>& spectrum = calc.GetResult();
    const std::vector<double>& freq = calc.GetFreqTable();
    const std::vector<int>& switches = calc.GetIntTable();
    ASSERT_EQ(freq.size(), static_cast<size_t>(kN));
    ASSERT_EQ(switches.size(), static_cast<size_t>(kN));
    EXPECT_EQ(calc.GetKnownRangePositions(), (std::vector<int>{0, 18724, 23405}));
    for (const Expected& tone : tones)
    {
        SCOPED_TRACE(tone.freqMHz);
        const auto first = spectrum.begin() + tone.first;
        const int peak =
            static_cast<int>(std::max_element(first, spectrum.begin() + tone.end) - spectrum.begin());
        // The point that stands for the tone's step point: its frequency lies within that step point.
        EXPECT_GE(freq[static_cast<size_t>(peak)], tone.freqMHz - 1e-9);
        EXPECT_LT(freq[static_cast<size_t>(peak)], tone.freqMHz + kStepMHz);
        EXPECT_EQ(switches[static_cast<size_t>(peak)], tone.switchCode);
        // Level of a Hanning-windowed step, with the first channel's correction of the current row.
        EXPECT_NEAR(spectrum[static_cast<size_t>(peak)], ToneDb(tone.amplitude, kStep) + 2.5, 1e-6);
    }
    // The loudest tone lies beyond B's end, in the part of its capture that is not shown.
    EXPECT_NEAR(*std::max_element(spectrum.begin(), spectrum.end()), ToneDb(1200.0, kStep) + 2.5, 1e-6);

    EXPECT_EQ(bits.Adf().GetGroupBlocks(), 3);
    EXPECT_EQ(bits.Adf().GetValue37(), 5);
}

TEST_F(FftCalcKnownRangeCapture, MultiRangeRangesAreLaidOutTooAndClearingTheRangesEndsTheLayout)
{
    const double toneMHz = Tone(0, 130.5, 700, 900.0);

    CRangeMultiFft multi(&bits);
    multi.SetRanges({0});
    multi.Calculate(0, i, q);
    const std::vector<double>& laidOut = multi.GetResult(0);
    const int peak = PeakIndex(laidOut);
    EXPECT_NEAR(laidOut[static_cast<size_t>(peak)], ToneDb(900.0, kStep) + 2.5, 1e-6);
    EXPECT_EQ(multi.GetKnownRangePositions(), (std::vector<int>{0, 18724, 23405}));

    CRangeFft calc(&bits);
    calc.Init(1);
    calc.SetAveraging(0);
    calc.Calculate(i, q);
    EXPECT_EQ(PeakIndex(calc.GetResult()), peak);
    EXPECT_NEAR(calc.GetFreqTable()[static_cast<size_t>(peak)], toneMHz, kStepMHz);

    // Without known ranges the spectrum is published as a plain capture again, with no point frequencies.
    bits.ClearKnownRanges();
    bits.Adf().SetFlag3(false);
    calc.Calculate(i, q);
    EXPECT_EQ(calc.GetFreqTable(), std::vector<double>(kN, 0.0));
    EXPECT_EQ(calc.GetIntTable(), std::vector<int>(kN, 0));
}
