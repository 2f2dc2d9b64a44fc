#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "declicker.h"
#include "soundengine.h"

namespace
{
// A quiet 440 Hz-like tone at 48 kHz with a little dither, so the mean power is steady.
std::vector<double> Tone(size_t n)
{
    std::vector<double> samples(n);
    for (size_t i = 0; i < n; ++i)
        samples[i] = 100.0 * std::sin(0.0576 * static_cast<double>(i)) + ((i * 7919) % 13) - 6.0;
    return samples;
}

double PeakIn(const std::vector<double>& samples, size_t from, size_t to)
{
    double peak = 0.0;
    for (size_t i = from; i < to; ++i)
        peak = std::max(peak, std::abs(samples[i]));
    return peak;
}
}  // namespace

TEST(Declicker, AShortClickBecomesALineAndALongBurstStays)
{
    CDeclicker declicker;
    declicker.SetDeclick(true);
    const struct
    {
        size_t length;
        bool repaired;
    } kBursts[] = {{3, true}, {8, true}, {60, false}, {400, false}};
    for (const auto& c : kBursts)
    {
        SCOPED_TRACE(c.length);
        std::vector<double> in = Tone(16384);
        const size_t at = 6000;
        for (size_t k = 0; k < c.length; ++k)
            in[at + k] = (k % 2 == 0 ? 20000.0 : -20000.0);
        std::vector<double> out;
        declicker.Process(in, out);
        ASSERT_EQ(out.size(), in.size());
        if (c.repaired)
            EXPECT_LT(PeakIn(out, at - 100, at + 100), 200.0);
        else
            EXPECT_EQ(out, in);
        // Away from the burst nothing moves.
        EXPECT_TRUE(std::equal(in.begin(), in.begin() + 5000, out.begin()));
        EXPECT_TRUE(std::equal(in.begin() + 7000, in.end(), out.begin() + 7000));
    }
    EXPECT_EQ(declicker.Window(), 4096) << "the window rounds up to a power of two and stays";
}

TEST(Declicker, BlocksShorterThanTheWindowPassAndStagesFollowTheirSwitches)
{
    CDeclicker declicker;
    std::vector<double> in = Tone(1000);
    in[500] = 30000.0;
    std::vector<double> out;
    declicker.Process(in, out);
    EXPECT_EQ(out, in) << "every stage off";
    declicker.SetDeclick(true);
    declicker.Process(in, out);
    EXPECT_EQ(out, in) << "no full window to measure against";

    declicker.SetDenoise(true);
    declicker.Process(in, out);
    EXPECT_TRUE(out.empty()) << "no denoising method: the stage delivers nothing rather than a pretence";
}

TEST(Declicker, MedianOfSevenWithSilentEdges)
{
    CDeclicker declicker;
    declicker.SetMf(true);
    EXPECT_TRUE(declicker.GetMf());
    const struct
    {
        std::vector<double> in;
        std::vector<double> out;
    } kCases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 0, 0, 4, 5, 6, 0, 0, 0}},
        {{0, 0, 0, 900, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {{5, 1, 9, 3, 7, 2, 8}, {0, 0, 0, 5, 0, 0, 0}},
        {{1, 2, 3}, {0, 0, 0}},
        {{}, {}},
    };
    for (const auto& c : kCases)
    {
        std::vector<double> out;
        declicker.Process(c.in, out);
        EXPECT_EQ(out, c.out);
    }
}

TEST(Declicker, IsReachedThroughTheSoundEngineOnly)
{
    CSoundEngine engine;
    void* out = nullptr;
    ASSERT_TRUE(engine.GetInterface(17, &out));
    EXPECT_EQ(out, static_cast<IDeclicker*>(&engine.Declicker()));
    IDeclicker* declicker = static_cast<IDeclicker*>(out);
    declicker->SetEnabled(true);
    declicker->SetDeclick(true);
    EXPECT_TRUE(engine.Declicker().GetEnabled());
    EXPECT_TRUE(engine.Declicker().GetDeclick());
    EXPECT_FALSE(engine.Declicker().GetDenoise());
    void* other = &engine;
    for (int id : {0, 10, 16, 18, -1})
    {
        EXPECT_FALSE(engine.GetInterface(id, &other)) << id;
        EXPECT_EQ(other, &engine);
    }
    EXPECT_FALSE(declicker->GetInterface(17, &other));
    EXPECT_FALSE(engine.GetInterface(17, nullptr));
}
