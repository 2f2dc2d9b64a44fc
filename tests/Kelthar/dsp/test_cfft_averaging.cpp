#include <gtest/gtest.h>

#include <vector>

#include "cfft.h"
#include "spectrumaverager.h"

namespace
{
constexpr double kFloor = -170.0;

// One bin through a sequence of levels; the result after each.
std::vector<double> AverageOneBin(int kind, int depth, const std::vector<double>& levels)
{
    CSpectrumAverager averager;
    averager.SetSize(1);
    averager.Reset(kind, depth, true);
    std::vector<double> results;
    for (double v : levels)
    {
        EXPECT_TRUE(averager.Add(&v));
        results.push_back(averager.Result()[0]);
    }
    return results;
}
}  // namespace

TEST(SpectrumAverager, EachKindOverAShortSequence)
{
    const std::vector<double> levels = {-100, -40, -80, -60, -90};
    struct Case
    {
        const char* name;
        int kind;
        int depth;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"instant", CSpectrumAverager::kInstant, 1, {-100, -40, -80, -60, -90}},
        // The mean is over dB values, and the rows not yet written count at -170.
        {"x2", CSpectrumAverager::kMean, 2, {-135, -70, -60, -70, -75}},
        {"x4", CSpectrumAverager::kMean, 4, {-152.5, -120, -97.5, -70, -67.5}},
        {"peak", CSpectrumAverager::kPeak, 1, {-100, -40, -40, -40, -40}},
        // A new maximum is taken at once and fills the memory; below it the mean decays.
        {"peak decay x4", CSpectrumAverager::kPeakDecay, 4, {-100, -40, -50, -55, -67.5}},
        {"none", CSpectrumAverager::kNone, 1, {kFloor, kFloor, kFloor, kFloor, kFloor}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(AverageOneBin(c.kind, c.depth, levels), c.expected) << c.name;
    }
}

TEST(SpectrumAverager, BinsAreAveragedIndependently)
{
    CSpectrumAverager averager;
    averager.SetSize(3);
    averager.Reset(CSpectrumAverager::kMean, 2, true);
    const double first[3] = {-10, -20, kFloor};
    const double second[3] = {-30, -20, -50};
    averager.Add(first);
    averager.Add(second);
    EXPECT_EQ(averager.Result(), (std::vector<double>{-20, -20, -110}));
}

TEST(SpectrumAverager, HoldRestartsAccumulatesAndIsAveragedInPlaceOfTheSpectrum)
{
    CSpectrumAverager averager;
    averager.SetSize(2);
    averager.Reset(CSpectrumAverager::kInstant, 1, true);
    const double a[2] = {-50, -90};
    const double b[2] = {-70, -60};
    const double c[2] = {-80, -80};
    const double d[2] = {-95, -99};

    averager.SetHoldMode(CSpectrumAverager::kHoldRestart);
    EXPECT_FALSE(averager.Add(a));
    averager.SetHoldMode(CSpectrumAverager::kHoldAccumulate);
    EXPECT_FALSE(averager.Add(b));
    EXPECT_EQ(averager.Result(), (std::vector<double>{kFloor, kFloor})) << "restart and accumulate only hold";
    averager.SetHoldMode(CSpectrumAverager::kHoldUse);
    EXPECT_TRUE(averager.Add(c));
    EXPECT_EQ(averager.Result(), (std::vector<double>{-50, -60})) << "the maximum over the three";

    // A new sweep forgets the old maximum.
    averager.SetHoldMode(CSpectrumAverager::kHoldRestart);
    averager.Add(d);
    averager.SetHoldMode(CSpectrumAverager::kHoldUse);
    averager.Add(d);
    EXPECT_EQ(averager.Result(), (std::vector<double>{-95, -99}));
}

TEST(SpectrumAverager, HoldModesDoNotAdvanceTheHistory)
{
    // x2 over held sweeps: only the "use" step writes a history row.
    CSpectrumAverager averager;
    averager.SetSize(1);
    averager.Reset(CSpectrumAverager::kMean, 2, true);
    const double high = -20;
    const double low = -60;
    for (int sweep = 0; sweep < 2; ++sweep)
    {
        averager.SetHoldMode(CSpectrumAverager::kHoldRestart);
        averager.Add(sweep == 0 ? &high : &low);
        averager.SetHoldMode(CSpectrumAverager::kHoldUse);
        averager.Add(&low);
    }
    EXPECT_EQ(averager.Result()[0], (-20 + -60) / 2.0);
}

TEST(SpectrumAverager, ResetKeepsOrClearsTheHistory)
{
    CSpectrumAverager averager;
    averager.SetSize(1);
    averager.Reset(CSpectrumAverager::kMean, 4, true);
    for (double v : {-10.0, -20.0, -30.0})
    {
        averager.Add(&v);
    }
    const double next = -40;

    averager.Reset(CSpectrumAverager::kMean, 4, false);
    averager.Add(&next);
    EXPECT_EQ(averager.Result()[0], -25.0) << "a window change keeps the averaged history";

    averager.Reset(CSpectrumAverager::kMean, 4, true);
    EXPECT_EQ(averager.Result()[0], kFloor);
    EXPECT_EQ(averager.Hold()[0], kFloor);
    averager.Add(&next);
    EXPECT_EQ(averager.Result()[0], (-40 + 3 * kFloor) / 4.0) << "cleared rows read -170 again";
}

TEST(CfftAveraging, ListEntriesBecomeKindDepthAndHistoryAtTheNextReset)
{
    struct Case
    {
        int mode;
        int kind;
        int depth;
        int rows;
    };
    // History rows only for the kinds that read them.
    const Case cases[] = {
        {0, CSpectrumAverager::kInstant, 1, 0},   {1, CSpectrumAverager::kMean, 2, 2},
        {2, CSpectrumAverager::kMean, 4, 4},      {3, CSpectrumAverager::kMean, 8, 8},
        {6, CSpectrumAverager::kMean, 64, 64},    {7, CSpectrumAverager::kPeak, 64, 0},
        {8, CSpectrumAverager::kPeakDecay, 8, 8}, {10, CSpectrumAverager::kPeakDecay, 32, 32},
    };
    CCfft engine(nullptr);
    ASSERT_TRUE(engine.SetSize(64, 32));
    EXPECT_EQ(engine.GetAveragingKind(), CSpectrumAverager::kNone) << "no averaging until the first reset";
    for (const Case& c : cases)
    {
        engine.SetAveragingMode(c.mode);
        engine.Reset(true);
        EXPECT_EQ(engine.GetAveragingKind(), c.kind) << c.mode;
        EXPECT_EQ(engine.GetAveragingDepth(), c.depth) << c.mode;
        EXPECT_EQ(engine.GetHistoryRows(), c.rows) << c.mode;
    }
    engine.SetAveragingMode(11);
    engine.SetAveragingMode(-1);
    engine.Reset(true);
    EXPECT_EQ(engine.GetAveragingKind(), CSpectrumAverager::kPeakDecay)
        << "entries outside the list are ignored";
}
