#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "gsmanalysis.h"

// Channel levels of an evenly spaced plan and their averaging over a cycle of spectra.

namespace
{
// n points whose value is the point's index: a channel's maximum is its last point, its mean the
// middle of its points.
std::vector<double> Ramp(int n)
{
    std::vector<double> spectrum(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        spectrum[static_cast<size_t>(i)] = i;
    return spectrum;
}
}  // namespace

TEST(GsmAnalysis, ChannelsTakeTheMaximumOrMeanOfTheirPointsAndReadMinus80PastEitherEnd)
{
    struct Case
    {
        int channelMode;
        double startOffset;
        std::vector<double> expected;
    };
    // 100 points over a span of 50: two points per unit, so a channel 5 wide holds 10 points.
    const Case cases[] = {
        {0, 2.5, {14.0, 24.0, 34.0, 44.0}},     // channels from points 5, 15, 25, 35
        {1, 2.5, {9.5, 19.5, 29.5, 39.5}},      //
        {0, 37.5, {84.0, 94.0, -80.0, -80.0}},  // from point 75; 95..104 runs past the end
        {1, 37.5, {79.5, 89.5, -80.0, -80.0}},  //
        {0, -5.0, {-80.0, 9.0, 19.0, 29.0}},    // a channel before the first point reads as outside
    };
    for (const Case& c : cases)
    {
        CGsmAnalysis gsm;
        gsm.SetBand(c.startOffset, 4, 5.0, 50.0);
        gsm.SetAveraging(1, c.channelMode, 0);
        ASSERT_TRUE(gsm.Start());
        gsm.Process(Ramp(100));
        EXPECT_TRUE(gsm.IsReady());
        ASSERT_EQ(gsm.GetResults().size(), c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_DOUBLE_EQ(gsm.GetResults()[i], c.expected[i])
                << "mode " << c.channelMode << " offset " << c.startOffset << " channel " << i;
    }
}

TEST(GsmAnalysis, CycleAveragingModes)
{
    struct Case
    {
        int averagingMode;
        double expected;
    };
    // Flat spectra at -60, -40 and -50 dBm make one cycle of three.
    const double rms = -std::sqrt((60.0 * 60.0 + 40.0 * 40.0 + 50.0 * 50.0) / 3.0);
    const Case cases[] = {{1, -40.0}, {2, -50.0}, {3, rms}};
    for (const Case& c : cases)
    {
        CGsmAnalysis gsm;
        gsm.SetBand(0.0, 2, 10.0, 20.0);
        gsm.SetAveraging(3, 0, c.averagingMode);
        gsm.Start();
        const double levels[] = {-60.0, -40.0, -50.0};
        for (int s = 0; s < 3; ++s)
        {
            EXPECT_FALSE(gsm.IsReady()) << "mode " << c.averagingMode << " before spectrum " << s;
            gsm.Process(std::vector<double>(20, levels[s]));
        }
        ASSERT_TRUE(gsm.IsReady()) << "mode " << c.averagingMode;
        ASSERT_EQ(gsm.GetResults().size(), 2u);
        for (double level : gsm.GetResults())
            EXPECT_NEAR(level, c.expected, 1e-9) << "mode " << c.averagingMode;

        // The next cycle starts afresh rather than folding in the last one.
        gsm.Process(std::vector<double>(20, -90.0));
        EXPECT_FALSE(gsm.IsReady());
        gsm.Process(std::vector<double>(20, -90.0));
        gsm.Process(std::vector<double>(20, -90.0));
        ASSERT_TRUE(gsm.IsReady());
        EXPECT_NEAR(gsm.GetResults()[0], -90.0, 1e-9) << "mode " << c.averagingMode;
    }
}

TEST(GsmAnalysis, LastValueModeCompletesACycleWithEverySpectrum)
{
    CGsmAnalysis gsm;
    gsm.SetBand(0.0, 1, 10.0, 10.0);
    gsm.SetAveraging(5, 0, 0);
    gsm.Start();
    for (double level : {-70.0, -30.0, -55.0})
    {
        gsm.Process(std::vector<double>(10, level));
        ASSERT_TRUE(gsm.IsReady());
        EXPECT_DOUBLE_EQ(gsm.GetResults()[0], level);
    }
}

TEST(GsmAnalysis, StartRestartsTheCycleAndStopKeepsTheReadyFlag)
{
    CGsmAnalysis gsm;
    gsm.SetBand(0.0, 1, 10.0, 10.0);
    gsm.SetAveraging(2, 0, 2);
    gsm.Start();
    gsm.Process(std::vector<double>(10, -20.0));
    gsm.Start();
    // Had the half cycle counted, this spectrum would complete it.
    gsm.Process(std::vector<double>(10, -40.0));
    EXPECT_FALSE(gsm.IsReady());
    gsm.Process(std::vector<double>(10, -60.0));
    ASSERT_TRUE(gsm.IsReady());
    EXPECT_DOUBLE_EQ(gsm.GetResults()[0], -50.0);

    gsm.Stop();
    EXPECT_FALSE(gsm.IsRunning());
    EXPECT_TRUE(gsm.IsReady());
}

TEST(GsmAnalysis, ChannelsNarrowerThanAPointKeepTheirLevels)
{
    CGsmAnalysis gsm;
    gsm.SetBand(0.0, 2, 5.0, 10.0);
    gsm.SetAveraging(1, 0, 0);
    gsm.Start();
    gsm.Process(std::vector<double>(10, -45.0));
    ASSERT_EQ(gsm.GetResults(), (std::vector<double>{-45.0, -45.0}));

    // Half a point per channel; the third channel is new and starts at 0.
    gsm.SetBand(0.0, 3, 0.5, 10.0);
    gsm.Process(std::vector<double>(10, -10.0));
    EXPECT_EQ(gsm.GetResults(), (std::vector<double>{-45.0, -45.0, 0.0}));
    EXPECT_TRUE(gsm.IsReady());
}

TEST(GsmAnalysis, DegenerateBandsAndSpectraLeaveNoReadsOutside)
{
    CGsmAnalysis gsm;
    gsm.SetBand(0.0, -3, 5.0, 10.0);
    gsm.SetAveraging(1, 0, 0);
    gsm.Start();
    gsm.Process(std::vector<double>(10, -45.0));
    EXPECT_TRUE(gsm.GetResults().empty());

    gsm.SetBand(0.0, 2, 5.0, 10.0);
    gsm.Process({});
    EXPECT_EQ(gsm.GetResults(), (std::vector<double>{0.0, 0.0}));

    // A far-off start offset is outside, not an overflowed index.
    gsm.SetBand(1e300, 2, 5.0, 10.0);
    gsm.Process(std::vector<double>(10, -45.0));
    EXPECT_EQ(gsm.GetResults(), (std::vector<double>{-80.0, -80.0}));

    // Numbers that are not finite never become a point index: a channel whose first point is not a
    // number reads as outside, whatever the other channels do.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* what;
        double startOffset;
        double channelStep;
    };
    const Case outside[] = {
        {"NaN start offset", nan, 5.0},
        {"infinite start offset", inf, 5.0},
        {"negative infinite start offset", -inf, 5.0},
        {"infinite step (0 x infinity for the first channel)", 0.0, inf},
    };
    for (const Case& c : outside)
    {
        gsm.SetBand(0.0, 3, 2.0, 10.0);
        gsm.Process(std::vector<double>(10, -45.0));
        ASSERT_EQ(gsm.GetResults(), (std::vector<double>{-45.0, -45.0, -45.0})) << c.what;
        gsm.SetBand(c.startOffset, 3, c.channelStep, 10.0);
        gsm.Process(std::vector<double>(10, -45.0));
        EXPECT_EQ(gsm.GetResults(), (std::vector<double>{-80.0, -80.0, -80.0})) << c.what;
    }

    // A step that is no number gives no points per channel: the levels stay.
    gsm.SetBand(0.0, 3, 2.0, 10.0);
    gsm.Process(std::vector<double>(10, -45.0));
    gsm.SetBand(0.0, 3, nan, 10.0);
    gsm.Process(std::vector<double>(10, -20.0));
    EXPECT_EQ(gsm.GetResults(), (std::vector<double>{-45.0, -45.0, -45.0}));
    EXPECT_TRUE(gsm.IsReady());
}
