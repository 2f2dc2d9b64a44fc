#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "noisequality.h"

// The amplitude histogram of a sample block, its entropy (base 10) and entropy coefficient.

TEST(NoiseQuality, HistogramAndEntropyOfSmallBlocks)
{
    struct Case
    {
        const char* what;
        std::vector<double> samples;
        std::vector<std::pair<int, double>> bins;  // the non-zero bins
        double entropy;
    };
    const std::vector<Case> cases = {
        {"constant", std::vector<double>(100, 5.0), {{2052, 1.0}}, 0.0},
        {"two values, half each", {0.0, 1.0, 0.0, 1.0}, {{2047, 0.5}, {2048, 0.5}}, std::log10(2.0)},
        {"shifted fractions truncate",
         {0.9, -0.4, 2.99, 0.2},
         {{2046, 0.25}, {2047, 0.5}, {2049, 0.25}},
         0.0},
        // -2047 and -2047.5 land in bin 0 (the shifted -0.5 truncates to 0); -2048 and 2048 fall out of
        // the bins but still count in the total.
        {"edges", {-2047.0, -2047.5, -2048.0, 2047.0, 2048.0}, {{0, 0.4}, {4094, 0.2}}, 0.0},
        {"out of range only", {-5000.0, 1e300, NAN}, {}, 0.0},
    };
    for (const Case& c : cases)
    {
        CNoiseQuality quality;
        quality.Calculate(c.samples);
        const std::vector<double>& values = quality.GetValues();
        ASSERT_EQ(values.size(), 4095u) << c.what;
        std::vector<double> expected(4095, 0.0);
        double entropy = 0.0;
        for (const auto& [bin, p] : c.bins)
        {
            expected[static_cast<size_t>(bin)] = p;
            entropy -= p * std::log10(p);
        }
        for (size_t bin = 0; bin < values.size(); ++bin)
            EXPECT_NEAR(values[bin], expected[bin], 1e-12) << c.what << ", bin " << bin;
        if (c.entropy != 0.0)
        {
            EXPECT_NEAR(entropy, c.entropy, 1e-12) << c.what;
        }
        EXPECT_NEAR(quality.GetValueA(), entropy, 1e-12) << c.what;
        EXPECT_NEAR(quality.GetValueB(), std::pow(2.0, 2.0 * entropy) / (2.0 * M_PI * std::exp(1.0)), 1e-12)
            << c.what;
    }
}

TEST(NoiseQuality, ConstantBlockHasZeroEntropy)
{
    CNoiseQuality quality;
    quality.Calculate(std::vector<double>(4096, -12.0));
    EXPECT_EQ(quality.GetValueA(), 0.0);
    EXPECT_DOUBLE_EQ(quality.GetValueB(), 1.0 / 17.079468445347132);
    EXPECT_EQ(quality.GetValues()[2035], 1.0);
}

TEST(NoiseQuality, UniformBlockReachesTheLargestEntropy)
{
    // One sample in every bin: H = log10 4095.
    std::vector<double> samples;
    for (int k = -2047; k <= 2047; ++k)
        samples.push_back(k);
    CNoiseQuality quality;
    quality.Calculate(samples);
    EXPECT_NEAR(quality.GetValueA(), std::log10(4095.0), 1e-9);
    for (double p : quality.GetValues())
        ASSERT_DOUBLE_EQ(p, 1.0 / 4095.0);
}

TEST(NoiseQuality, EmptyBlockGivesAZeroHistogramAndZeroMeasures)
{
    CNoiseQuality quality;
    quality.Calculate({1.0, 2.0, 3.0});
    quality.Calculate({});
    const std::vector<double>& values = quality.GetValues();
    ASSERT_EQ(values.size(), 4095u);
    for (double p : values)
        ASSERT_EQ(p, 0.0);
    EXPECT_EQ(quality.GetValueA(), 0.0);
    EXPECT_EQ(quality.GetValueB(), 0.0);
}
