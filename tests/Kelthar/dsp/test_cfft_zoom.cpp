#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "fftzoom.h"
#include "quasiiqstitch.h"

namespace
{
std::vector<double> Ramp(int n, double start = 0.0)
{
    std::vector<double> v(n);
    std::iota(v.begin(), v.end(), start);
    return v;
}
}  // namespace

TEST(FftZoom, TrimEndsOf1024WritesEachMiddlePointTwice)
{
    const int n = 4096;
    std::vector<double> re = Ramp(n);
    std::vector<double> im = Ramp(n, 10000.0);
    CFftZoom zoom;
    ASSERT_TRUE(zoom.TrimEnds(re, im, n, 1024));
    for (int k = 0; k < n; ++k)
    {
        ASSERT_EQ(re[k], 1024 + k / 2) << k;
        ASSERT_EQ(im[k], 10000 + 1024 + k / 2) << k;
    }
}

TEST(FftZoom, UnevenStretchesFollowTheRunningSum)
{
    struct Case
    {
        const char* name;
        int first;
        int end;
        std::vector<double> expected;
    };
    // n = 8: three points kept give a step of 8/3, so the sums 2.67, 5.33 and 8 write 3, 3 and 2 points;
    // five points give 1.6: 2, 2, 1, 2, 1.
    const Case cases[] = {
        {"range 1..3", 1, 4, {1, 1, 1, 2, 2, 2, 3, 3}},
        {"first 3", 0, 3, {0, 0, 0, 1, 1, 1, 2, 2}},
        {"range 2..6", 2, 7, {2, 2, 3, 3, 4, 5, 5, 6}},
        {"last point", 7, 8, {7, 7, 7, 7, 7, 7, 7, 7}},
    };
    for (const Case& c : cases)
    {
        std::vector<double> re = Ramp(8);
        std::vector<double> im = Ramp(8);
        CFftZoom zoom;
        const bool changed =
            c.first == 0 ? zoom.KeepFirst(re, im, 8, c.end) : zoom.KeepRange(re, im, 8, c.first, c.end);
        EXPECT_TRUE(changed) << c.name;
        EXPECT_EQ(re, c.expected) << c.name;
        EXPECT_EQ(im, c.expected) << c.name;
    }
}

TEST(FftZoom, CasesThatKeepNothingSensibleLeaveTheRowsAlone)
{
    const int n = 16;
    struct Case
    {
        const char* name;
        int kind;  // 0 TrimEnds (a), 1 KeepFirst (a), 2 KeepRange (a, b)
        int a;
        int b;
    };
    const Case cases[] = {
        {"trim 0", 0, 0, 0},       {"trim half", 0, 8, 0},     {"trim negative", 0, -3, 0},
        {"first all", 1, 16, 0},   {"first none", 1, 0, 0},    {"first beyond", 1, 40, 0},
        {"range all", 2, 0, 16},   {"range empty", 2, 5, 5},   {"range reversed", 2, 9, 3},
        {"range below", 2, -1, 4}, {"range beyond", 2, 3, 17}, {"range starts at n", 2, 16, 20},
    };
    for (const Case& c : cases)
    {
        std::vector<double> re = Ramp(n);
        std::vector<double> im = Ramp(n, 50.0);
        CFftZoom zoom;
        bool changed = false;
        switch (c.kind)
        {
            case 0:
                changed = zoom.TrimEnds(re, im, n, c.a);
                break;
            case 1:
                changed = zoom.KeepFirst(re, im, n, c.a);
                break;
            default:
                changed = zoom.KeepRange(re, im, n, c.a, c.b);
                break;
        }
        EXPECT_FALSE(changed) << c.name;
        EXPECT_EQ(re, Ramp(n)) << c.name;
        EXPECT_EQ(im, Ramp(n, 50.0)) << c.name;
    }
}

TEST(QuasiIqStitch, MirrorReversesTheFirstHalfOfEachCarryingBlock)
{
    std::vector<double> re = Ramp(32);
    std::vector<double> im = Ramp(32, 100.0);
    CQuasiIqStitch::Mirror(re, im, 4, 8);
    std::vector<double> expected = Ramp(32);
    for (int b = 0; b < 2; ++b)
    {
        for (int j = 0; j < 4; ++j)
        {
            expected[b * 8 + j] = b * 8 + 3 - j;
        }
    }
    EXPECT_EQ(re, expected);
    for (double& v : expected)
    {
        v += 100.0;
    }
    EXPECT_EQ(im, expected);
}

TEST(QuasiIqStitch, RampFallsAfterEveryHalfBlockBoundaryButTheLast)
{
    // Blocks of 16: half 8, ramp length 3 * 8 / 8 = 3, so +5 and +2.5 dB on the two points after the
    // boundaries 0, 8 and 16 (four blocks, three ramps).
    std::vector<double> re(64, 0.0);
    CQuasiIqStitch::Ramp(re, 4, 16);
    std::vector<double> expected(64, 0.0);
    for (int base : {0, 8, 16})
    {
        expected[base + 1] = 5.0;
        expected[base + 2] = 2.5;
    }
    EXPECT_EQ(re, expected);
}

TEST(QuasiIqStitch, DifferenceTakesTheImageOffTheOtherHalf)
{
    // One carrying block of 8 (half 4), shift 1, mean 2. The 10 at point 2 shows, moved by one, at spare
    // point 3 and lowers point 4 + 3 to the mean; the 6 at point 5 shows at spare point 6 and lowers point
    // 2 by 4. Both comparisons use the values from before either change.
    std::vector<double> re = {0, 0, 10, 0, 0, 6, 0, 0};
    std::vector<double> spare(8, 0.0);
    CQuasiIqStitch::Difference(re, spare, 2, 8, 1);
    EXPECT_EQ(re, (std::vector<double>{0, 0, 6, 0, 0, 6, 0, 2}));
}

TEST(QuasiIqStitch, AShiftOfHalfABlockOrMoreComparesWithTheMeanOnly)
{
    // The shift comes from the operator's correction file; a huge one must not write past the scratch row.
    for (int shift : {4, 5, 60000})
    {
        std::vector<double> re = {0, 0, 10, 0, 0, 6, 0, 0};
        std::vector<double> spare(8, 0.0);
        CQuasiIqStitch::Difference(re, spare, 2, 8, shift);
        EXPECT_EQ(re, (std::vector<double>{0, 0, 10, 0, 0, 6, 0, 0})) << shift;
    }
}

TEST(QuasiIqStitch, GatherCopiesTheUsefulRunOfEachBlockSideBySide)
{
    std::vector<double> re = Ramp(32);
    std::vector<double> im = Ramp(32, 100.0);
    // Step 5.5: block 0 gives 5 points (carry one half), block 1 gives 6; each run starts one point in.
    EXPECT_EQ(CQuasiIqStitch::Gather(re, im, 4, 8, 5.5, 1), 11);
    std::vector<double> expected = {1, 2, 3, 4, 5, 9, 10, 11, 12, 13, 14};
    for (int k = 11; k < 32; ++k)
    {
        expected.push_back(k);
    }
    EXPECT_EQ(re, expected);
    EXPECT_EQ(im[5], 109.0);
}

TEST(QuasiIqStitch, GatherStaysInsideTheRows)
{
    struct Case
    {
        const char* name;
        double step;
        int offset;
        int gathered;
    };
    const Case cases[] = {
        {"no step", 0.0, 0, 0},
        {"step from a zero point width", 1.0 / 0.0, 0, 0},
        {"runs longer than the rows", 1e12, 0, 32},
        {"start before the rows", 8.0, -20, 16},
        {"start beyond the rows", 8.0, 40, 16},
    };
    for (const Case& c : cases)
    {
        std::vector<double> re = Ramp(32);
        std::vector<double> im = Ramp(32);
        EXPECT_EQ(CQuasiIqStitch::Gather(re, im, 4, 8, c.step, c.offset), c.gathered) << c.name;
    }
}

TEST(QuasiIqStitch, RunNeedsTwoBlocks)
{
    std::vector<double> re = Ramp(16);
    std::vector<double> im = Ramp(16);
    std::vector<double> spare(16, 0.0);
    CQuasiIqStitch::Params params;
    params.blocks = 1;
    params.blockLength = 16;
    params.gatherStep = 16.0;
    EXPECT_EQ(CQuasiIqStitch::Run(re, im, spare, params), 0);
    EXPECT_EQ(re, Ramp(16));
}
