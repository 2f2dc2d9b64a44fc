#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generatorplan.h"
#include "generatortestblock.h"
#include "plainfft.h"
#include "waveformbuilder.h"

namespace
{
constexpr double kPi = 3.14159265358979323846;

// A stored 16-bit sample back to its signed 12-bit value.
int Value(uint16_t stored)
{
    return static_cast<int16_t>(stored) >> 4;
}

WAVEFORM_PARAMS Plan(const GeneratorTestBlock& block)
{
    WAVEFORM_PARAMS params;
    std::string reason;
    EXPECT_TRUE(CGeneratorPlan::Read(block.data(), params, &reason)) << reason;
    return params;
}

// One buffer of the block's waveform, with the random source given (a constant when not).
struct Built
{
    std::vector<uint16_t> samples;
    bool swap = false;

    size_t Count() const { return samples.size() / 2; }
    int First(size_t k) const { return Value(samples[2 * k]); }
    int Second(size_t k) const { return Value(samples[2 * k + 1]); }
    // The tone's phase from the first channel (sine or cosine) and the second.
    double Angle(size_t k, bool firstIsSine) const
    {
        const double a = std::atan2(First(k), Second(k));
        return firstIsSine ? a : std::atan2(Second(k), First(k));
    }
};

Built Build(
    const GeneratorTestBlock& block, int amplitude, std::function<int()> random = [] { return 0; })
{
    CPlainFft fft(64, 0, 400, 0);
    Built built;
    CWaveformBuilder(std::move(random)).Build(Plan(block), amplitude, fft, built.samples, built.swap);
    return built;
}

double Wrap(double angle)
{
    while (angle > kPi)
        angle -= 2 * kPi;
    while (angle <= -kPi)
        angle += 2 * kPi;
    return angle;
}
}  // namespace

TEST(GeneratorPlan, LevelsSetGainAndAmplitude)
{
    struct Case
    {
        int level;
        int64_t gainDb;
        int amplitude;
        bool powerDown;
    };
    const Case cases[] = {
        {0, -89, 0, true},     {1, -89, 63, false},   {3, -89, 255, false},
        {6, -89, 2047, false}, {7, -83, 2047, false}, {8, -77, 2047, false},
        {20, -5, 2047, false}, {22, 0, 2047, false},  {255, 0, 2047, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.level);
        const CGeneratorPlan::Level level = CGeneratorPlan::LevelFor(c.level);
        EXPECT_EQ(level.gainDb, c.gainDb);
        EXPECT_EQ(level.amplitude, c.amplitude);
        EXPECT_EQ(level.powerDown, c.powerDown);
    }
}

TEST(GeneratorPlan, TypesChooseBufferLengthAndRate)
{
    struct Case
    {
        GeneratorTestBlock block;
        size_t bufferSamples;
        int64_t length;
        int64_t parameter;
        int64_t further1;
        int64_t further2;
        uint32_t rateHz;
    };
    const Case cases[] = {
        {GeneratorTestBlock().Waveform(0, 0), 1048576, 1048576, 0, 0, 0, 200000},
        {GeneratorTestBlock().Waveform(2, 1, 1), 1048576, 2048, 512, 0, 0, 0},
        {GeneratorTestBlock().Waveform(1, 2, 2).Set(173, 3), 1048576, 128, 128, 0, 0, 200000},
        {GeneratorTestBlock().Waveform(0, 3).Set(173, 1), 1048576, 1024, 65536, 128, 1024, 0},
        {GeneratorTestBlock().Waveform(3, 4, 1), 2097152, 10, 61350, 3, 10, 13300000},
        {GeneratorTestBlock().Waveform(3, 4, 3).Set(174, 1), 2097152, 8, 6135, 1, 8, 40000000},
        // 10,000 us on and 20,000 us off at 0.0163 us a sample.
        {GeneratorTestBlock().Waveform(4, 6).Set(5, 1).Set(9, 2), 1840490, 1024, 613496, 0, 0, 0},
        {GeneratorTestBlock().Waveform(4, 5, 3).Set(5, 1).Set(9, 2), 1840490, 1024, 613496, 0, 0, 8000000},
        {GeneratorTestBlock().Waveform(5, 9), 282822, 1024, 34355, 0, 0, 0},
        {GeneratorTestBlock().Waveform(5, 13), 613496, 1024, 23312, 0, 0, 0},
        {GeneratorTestBlock().Waveform(6, 16), 2097152, 8, 38343, 1, 8, 0},
        {GeneratorTestBlock().Waveform(0, 17, 2).Set(193, 3), 1048576, 0, 0, 32, 16, 4000000},
        {GeneratorTestBlock().Waveform(0, 18, 5).Set(194, 0), 1048576, 0, 0, 1, 2, 32000000},
        {GeneratorTestBlock().Waveform(0, 19, 0).Set(195, 200), 1048576, 0, 0, 128, 0, 0},
        {GeneratorTestBlock().Waveform(0, 12), 1048576, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        const WAVEFORM_PARAMS p = Plan(c.block);
        SCOPED_TRACE(p.type);
        EXPECT_EQ(p.bufferSamples, c.bufferSamples);
        EXPECT_EQ(p.length, c.length);
        EXPECT_EQ(p.parameter, c.parameter);
        EXPECT_EQ(p.further1, c.further1);
        EXPECT_EQ(p.further2, c.further2);
        EXPECT_EQ(p.typeRateHz, c.rateHz);
    }
    const WAVEFORM_PARAMS p =
        Plan(GeneratorTestBlock().Waveform(5, 0).OutputKHz(5, 433920).Set(212, 1).Set(214, 1));
    EXPECT_EQ(p.preset, 5);
    EXPECT_EQ(p.outputFreqKHz, 433920u);
    EXPECT_TRUE(p.quadrature);
    EXPECT_TRUE(p.fixedRate);
}

TEST(GeneratorPlan, RefusesFieldsOutOfRange)
{
    struct Case
    {
        const char* what;
        GeneratorTestBlock block;
    };
    const Case cases[] = {
        {"preset 7", GeneratorTestBlock().Set(199, 7)},
        {"preset 255", GeneratorTestBlock().Set(199, 255)},
        {"type 20", GeneratorTestBlock().Waveform(2, 0).Set(202, 20)},
        {"type 1 sub-setting 3", GeneratorTestBlock().Waveform(0, 1, 3)},
        {"type 2 exponent 11", GeneratorTestBlock().Waveform(0, 2).Set(173, 11)},
        {"type 3 exponent 5", GeneratorTestBlock().Waveform(0, 3).Set(173, 5)},
        {"type 4 variant 2", GeneratorTestBlock().Waveform(0, 4).Set(174, 2)},
        {"type 4 sub-setting 4", GeneratorTestBlock().Waveform(0, 4, 4)},
        {"type 5 sub-setting 6", GeneratorTestBlock().Waveform(0, 5, 6).Set(6, 1)},
        {"type 6 without a burst", GeneratorTestBlock().Waveform(0, 6)},
        {"type 6 of 316 million samples",
         GeneratorTestBlock().Waveform(0, 6).Set(5, 255).Set(6, 255).Set(9, 255).Set(10, 255)},
        {"type 17 sub-setting 6", GeneratorTestBlock().Waveform(0, 17, 6)},
        {"type 17 alphabet 2^17", GeneratorTestBlock().Waveform(0, 17).Set(193, 16)},
        {"type 18 alphabet 2^256", GeneratorTestBlock().Waveform(0, 18).Set(194, 255)},
        {"type 19 sub-setting 200", GeneratorTestBlock().Waveform(0, 19, 200)},
    };
    for (const Case& c : cases)
    {
        WAVEFORM_PARAMS params;
        params.type = 99;
        std::string reason;
        EXPECT_FALSE(CGeneratorPlan::Read(c.block.data(), params, &reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_EQ(params.type, 99) << c.what;
    }
    // The longest burst the window can describe still fits.
    WAVEFORM_PARAMS longest;
    EXPECT_TRUE(CGeneratorPlan::Read(
        GeneratorTestBlock().Waveform(0, 6).Set(5, 99).Set(6, 99).Set(9, 99).Set(10, 99).data(), longest,
        nullptr));
    EXPECT_EQ(longest.bufferSamples, 122687116u);
}

TEST(WaveformBuilder, ToneStartsAtFullCosineAndTurnsAQuarterPerQuarterPeriod)
{
    const Built tone = Build(GeneratorTestBlock().Waveform(0, 0).Set(212, 1), 2047);
    ASSERT_EQ(tone.Count(), 1048576u);
    const size_t quarter = 1048576 / 4;
    const std::vector<std::pair<size_t, std::pair<int, int>>> expected = {
        {0, {0, 2047}}, {quarter, {2047, 0}}, {2 * quarter, {0, -2047}}, {3 * quarter, {-2047, 0}}};
    for (const auto& e : expected)
    {
        EXPECT_EQ(tone.First(e.first), e.second.first) << e.first;
        EXPECT_EQ(tone.Second(e.first), e.second.second) << e.first;
    }
    // -2047 is kept in 12 bits: 2049 shifted up by 4.
    EXPECT_EQ(tone.samples[2 * 2 * quarter + 1], 0x8010);

    // Without the quadrature flag both channels carry the sine.
    const Built plain = Build(GeneratorTestBlock().Waveform(0, 0), 255);
    EXPECT_EQ(plain.First(quarter), 255);
    EXPECT_EQ(plain.Second(quarter), 255);
    EXPECT_EQ(plain.Second(0), 0);
}

// The moving amplitude steps by (A - A/1.41)/10 on the (P+1)-th sample, first up, then down.
TEST(WaveformBuilder, MovingAmplitudeStepsEveryPPlusOneSamples)
{
    const Built built = Build(GeneratorTestBlock().Waveform(0, 1, 2).Set(212, 1), 1023);  // P = 128
    const double step = (1023 - 1023 / 1.41) / 10;
    auto magnitude = [&](size_t k) { return std::hypot(built.First(k), built.Second(k)); };
    const std::vector<std::pair<size_t, double>> expected = {
        {0, 1023},   {127, 1023},        {128, 1023 + step},    {256, 1023 + step},
        {257, 1023}, {386, 1023 - step}, {515, 1023 - 2 * step}};
    for (const auto& e : expected)
        EXPECT_NEAR(magnitude(e.first), e.second, 1.5) << e.first;
}

// The sweeping tone's exponent moves by 0.1 from 10 on every (P+1)-th sample: period 1024, then 1097,
// then 1176; the phase index runs on.
TEST(WaveformBuilder, SweepingPeriodChangesOnThePPlusOneSample)
{
    const Built built = Build(GeneratorTestBlock().Waveform(0, 2, 2).Set(212, 1), 2047);  // P = 128
    const std::vector<std::pair<size_t, int>> periods = {{127, 1024}, {128, 1097}, {250, 1097}, {300, 1176}};
    for (const auto& p : periods)
    {
        EXPECT_NEAR(built.Angle(p.first, true), Wrap(2 * kPi * static_cast<double>(p.first) / p.second), 2e-3)
            << p.first;
    }
}

// Hops: the period and the swap flag change on the (P+1)-th sample, I = A cos, Q = A sin.
TEST(WaveformBuilder, HoppingChangesPeriodAndSwapsChannels)
{
    // Type 16: P = 38343, start period 8, exponent 5 % 8 + 1 = 6 gives 64, and 5 % 2 sets the swap.
    const Built built = Build(GeneratorTestBlock().Waveform(0, 16).Set(212, 1), 2047, [] { return 5; });
    EXPECT_EQ(built.First(0), 2047);
    EXPECT_EQ(built.Second(0), 0);
    EXPECT_EQ(built.First(1), 1447);
    EXPECT_EQ(built.Second(1), 1447);
    EXPECT_EQ(built.First(2), 0);
    EXPECT_EQ(built.Second(2), 2047);
    // From the change on, the first channel carries Q (the sine) and the phase turns by 2 pi / 64.
    const size_t change = 38343;
    EXPECT_NEAR(Wrap(built.Angle(change - 1, false) - built.Angle(change - 2, false)), 2 * kPi / 8, 2e-3);
    const double before = std::atan2(built.First(change), built.Second(change));
    const double after = std::atan2(built.First(change + 1), built.Second(change + 1));
    EXPECT_NEAR(Wrap(after - before), 2 * kPi / 64, 2e-3);
    EXPECT_TRUE(built.swap);
}

TEST(WaveformBuilder, BurstsSendPMinusOneToneSamplesThenSilence)
{
    // 100 us on, 100 us off: P = 6134, 12269 samples.
    struct Case
    {
        GeneratorTestBlock block;
        size_t count;
        size_t toneSamples;
    };
    const Case cases[] = {
        {GeneratorTestBlock().Waveform(0, 6).Set(6, 1).Set(10, 1).Set(212, 1), 12269, 6133},
        {GeneratorTestBlock().Waveform(0, 8).Set(212, 1), 282822, 34354},
        {GeneratorTestBlock().Waveform(0, 13).Set(212, 1), 613496, 23311},
    };
    for (const Case& c : cases)
    {
        const Built built = Build(c.block, 1023);
        ASSERT_EQ(built.Count(), c.count);
        EXPECT_EQ(built.Second(0), 1023);
        const size_t last = c.toneSamples - 1;
        EXPECT_EQ(built.First(last), static_cast<int>(1023 * std::sin(2 * kPi * (last % 1024) / 1024)));
        EXPECT_EQ(built.Second(last), static_cast<int>(1023 * std::cos(2 * kPi * (last % 1024) / 1024)));
        size_t nonZero = 0;
        for (size_t k = c.toneSamples; k < built.Count(); ++k)
            nonZero += built.samples[2 * k] != 0 || built.samples[2 * k + 1] != 0;
        EXPECT_EQ(nonZero, 0u);
    }
}

TEST(WaveformBuilder, RandomSymbolsTakeOneOfMLevelsForRSamples)
{
    // M = 2, R = 4 << 5 = 128: +-1023.5 truncated.
    int draw = 0;
    const Built built =
        Build(GeneratorTestBlock().Waveform(0, 17, 0).Set(193, 0).Set(212, 1), 2047, [&] { return draw++; });
    for (size_t k = 0; k < built.Count(); ++k)
    {
        const size_t symbol = k / 128;
        // I draws 2 x symbol, Q 2 x symbol + 1: I even (-1023), Q odd (1023).
        ASSERT_EQ(built.First(k), -1023) << k << " symbol " << symbol;
        ASSERT_EQ(built.Second(k), 1023) << k;
    }
    EXPECT_EQ(draw, 2 * 1048576 / 128);

    // M = 8 at A = 800: levels (r + 0.5) x 200 - 800.
    std::vector<int> draws = {0, 7, 3, 4};
    size_t next = 0;
    const Built eight = Build(GeneratorTestBlock().Waveform(0, 17, 5).Set(193, 2).Set(212, 1), 800,
                              [&] { return draws[next++ % draws.size()]; });
    EXPECT_EQ(eight.First(0), -700);
    EXPECT_EQ(eight.Second(0), 700);
    EXPECT_EQ(eight.First(3), -700);
    EXPECT_EQ(eight.First(4), -100);
    EXPECT_EQ(eight.Second(4), 100);
}

TEST(WaveformBuilder, PhaseStepsTurnBySixteenthsAndJumpAfterSixteenSymbols)
{
    // R = 1 << 3 = 8, M = 2; the offset after 16 symbols is pi/2 + 2 pi x 1 / 2.
    const Built built =
        Build(GeneratorTestBlock().Waveform(0, 18, 2).Set(194, 0).Set(212, 1), 2047, [] { return 1; });
    EXPECT_EQ(built.First(0), 0);
    EXPECT_EQ(built.Second(0), 2047);
    EXPECT_EQ(built.First(7), 0);
    for (int symbol = 1; symbol < 16; ++symbol)
    {
        const double theta = 2 * kPi * symbol / 16;
        EXPECT_EQ(built.First(8 * symbol), static_cast<int>(2047 * std::sin(theta))) << symbol;
        EXPECT_EQ(built.Second(8 * symbol), static_cast<int>(2047 * std::cos(theta))) << symbol;
    }
    EXPECT_EQ(built.First(8 * 16), -2047);
    EXPECT_EQ(built.Second(8 * 16), 0);
}

TEST(WaveformBuilder, MultiCarrierSymbolsFollowTheFftResultsScaledToTheAmplitude)
{
    CPlainFft fft(64, 0, 400, 0);
    Built built;
    // R = 4 << 5 = 128 samples a symbol.
    const WAVEFORM_PARAMS params = Plan(GeneratorTestBlock().Waveform(0, 19, 0).Set(212, 1));
    CWaveformBuilder().Build(params, 2047, fft, built.samples, built.swap);
    ASSERT_TRUE(fft.HasResult());
    const double scale = 2047 / 156.25;
    for (int symbol : {0, 1, 4, 63, 64, 65})
    {
        const int k = symbol % 64;
        EXPECT_EQ(built.First(128 * symbol), static_cast<int>(fft.RealResult()[k] * scale)) << symbol;
        EXPECT_EQ(built.Second(128 * symbol + 127), static_cast<int>(fft.ImaginaryResult()[k] * scale))
            << symbol;
    }
    EXPECT_NEAR(built.First(0), 2047, 1);
    EXPECT_EQ(built.Second(0), 0);
    EXPECT_NEAR(built.First(128), 151.775 * scale, 1);
    EXPECT_NEAR(built.Second(128), 30.190 * scale, 1);
}

TEST(WaveformBuilder, NoiseStaysWithinTheAmplitudeAndSilenceIsZero)
{
    for (int type : {5, 10, 11, 12, 14, 15})
    {
        SCOPED_TRACE(type);
        GeneratorTestBlock block = GeneratorTestBlock().Waveform(0, type).Set(212, 1);
        if (type == 5)
            block.Set(6, 1).Set(10, 1);
        int draw = 0;
        const Built noise = Build(block, 255, [&] { return draw += 37; });
        int low = 0, high = 0;
        for (size_t k = 0; k < noise.Count(); ++k)
        {
            low = std::min({low, noise.First(k), noise.Second(k)});
            high = std::max({high, noise.First(k), noise.Second(k)});
        }
        EXPECT_GE(low, -255);
        EXPECT_LE(high, 254);
        EXPECT_LT(low, -200);
        EXPECT_GT(high, 200);
        const Built quiet = Build(block, 0, [&] { return draw += 37; });
        EXPECT_EQ(std::count(quiet.samples.begin(), quiet.samples.end(), 0),
                  static_cast<long>(quiet.samples.size()));
    }
    const Built silence = Build(GeneratorTestBlock().Waveform(0, 7), 2047);
    EXPECT_EQ(std::count(silence.samples.begin(), silence.samples.end(), 0),
              static_cast<long>(silence.samples.size()));
}
