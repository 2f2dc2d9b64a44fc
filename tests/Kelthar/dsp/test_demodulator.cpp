#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demodulator.h"

// The demodulators on synthetic DDC input: what comes out, not how it is computed.

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kAmplitude = 100000.0;

// Pearson correlation of two equally long series.
double Correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    double meanA = 0.0;
    double meanB = 0.0;
    for (size_t n = 0; n < a.size(); ++n)
    {
        meanA += a[n] / a.size();
        meanB += b[n] / b.size();
    }
    double ab = 0.0;
    double aa = 0.0;
    double bb = 0.0;
    for (size_t n = 0; n < a.size(); ++n)
    {
        ab += (a[n] - meanA) * (b[n] - meanB);
        aa += (a[n] - meanA) * (a[n] - meanA);
        bb += (b[n] - meanB) * (b[n] - meanB);
    }
    return ab / std::sqrt(aa * bb);
}

// Demodulates a tone whose frequency (cycles per sample) is given per sample; returns the audio.
std::vector<double> RunFm(CDemodulator& demod, const std::vector<double>& frequency)
{
    std::vector<double> audio;
    double phase = 0.3;
    for (double f : frequency)
    {
        phase += 2 * kPi * f;
        audio.push_back(
            demod.Demodulate(CDemodulator::kFm, kAmplitude * std::cos(phase), kAmplitude * std::sin(phase)));
    }
    return audio;
}
}  // namespace

TEST(Demodulator, MemorylessTypes)
{
    const struct
    {
        int type;
        double i;
        double q;
        double audio;
    } kCases[] = {
        {CDemodulator::kDirect, 1234.0, -77.0, 1234.0},
        {CDemodulator::kDirect, -8388608.0, 5.0, -8388608.0},
        {CDemodulator::kDifference, 1000.0, 250.0, 750.0},
        {CDemodulator::kDifference, -3.0, 4.0, -7.0},
        {5, 1000.0, 250.0, 0.0},
        {-1, 1000.0, 250.0, 0.0},
    };
    CDemodulator demod;
    for (const auto& c : kCases)
        EXPECT_EQ(demod.Demodulate(c.type, c.i, c.q), c.audio)
            << "type " << c.type << " (" << c.i << ", " << c.q << ")";
}

TEST(Demodulator, SumTypeAlternatesItsSignSampleBySample)
{
    CDemodulator a;
    CDemodulator b;
    std::vector<double> audio;
    // Two demodulators share the alternation: it belongs to the process.
    for (int n = 0; n < 6; ++n)
        audio.push_back((n % 2 == 0 ? a : b).Demodulate(CDemodulator::kSumAlternating, 40.0, 2.0));
    for (size_t n = 0; n < audio.size(); ++n)
    {
        EXPECT_EQ(std::abs(audio[n]), 42.0);
        if (n > 0)
        {
            EXPECT_EQ(audio[n], -audio[n - 1]) << n;
        }
    }
}

TEST(Demodulator, AmFollowsTheEnvelopeAndDropsTheCarrier)
{
    CDemodulator demod;
    // A carrier of constant magnitude at an arbitrary DDC frequency: the audio settles to zero.
    double last = 0.0;
    for (int n = 0; n < 2000; ++n)
        last = demod.Demodulate(CDemodulator::kAm, kAmplitude * std::cos(0.7 * n),
                                kAmplitude * std::sin(0.7 * n));
    EXPECT_NEAR(last, 0.0, 1e-6 * kAmplitude);
    EXPECT_NEAR(demod.GetAmAverage(), kAmplitude, 1e-6 * kAmplitude);

    // 50 % modulation with a 50-sample tone, well above the average's corner (about one 400th of the
    // sample rate): the audio is the envelope less its mean.
    std::vector<double> audio;
    std::vector<double> envelope;
    for (int n = 0; n < 4000; ++n)
    {
        const double m = std::sin(2 * kPi * n / 50.0);
        const double magnitude = kAmplitude * (1.0 + 0.5 * m);
        const double value =
            demod.Demodulate(CDemodulator::kAm, magnitude * std::cos(0.7 * n), magnitude * std::sin(0.7 * n));
        if (n >= 1000)
        {
            audio.push_back(value);
            envelope.push_back(m);
        }
    }
    EXPECT_GT(Correlation(audio, envelope), 0.99);
}

TEST(Demodulator, FmLocksOntoAToneOffsetWithItsSign)
{
    for (double offset : {0.01, -0.01, 0.05, -0.1, 0.2})
    {
        SCOPED_TRACE(offset);
        CDemodulator demod;
        RunFm(demod, std::vector<double>(3000, offset));
        // The loop integrator is the tone's phase step per sample.
        EXPECT_NEAR(demod.GetIntegrator(), 2 * kPi * offset, 1e-6);
        EXPECT_GE(demod.GetPhase(), 0.0);
        EXPECT_LT(demod.GetPhase(), 2 * kPi);
    }
}

TEST(Demodulator, FmAudioRisesWithFrequencyAndForgetsAConstantOffset)
{
    CDemodulator demod;
    std::vector<double> frequency(1000, 0.02);
    frequency.resize(2000, 0.03);
    frequency.resize(3000, 0.01);
    const std::vector<double> audio = RunFm(demod, frequency);

    // A step up gives positive audio, a step down negative; a steady tone decays to silence.
    EXPECT_NEAR(audio[999], 0.0, 0.1);
    EXPECT_GT(audio[1010], 100.0);
    EXPECT_NEAR(audio[1999], 0.0, 0.1);
    EXPECT_LT(audio[2010], -200.0);
    EXPECT_NEAR(audio[2999], 0.0, 0.1);
}

TEST(Demodulator, FmAudioFollowsTheModulatingTone)
{
    CDemodulator demod;
    // A carrier 0.05 cycles per sample above the centre, swung by +-0.01 with a 50-sample tone.
    std::vector<double> frequency;
    std::vector<double> modulation;
    for (int n = 0; n < 5000; ++n)
    {
        modulation.push_back(std::sin(2 * kPi * n / 50.0));
        frequency.push_back(0.05 + 0.01 * modulation.back());
    }
    const std::vector<double> audio = RunFm(demod, frequency);
    const std::vector<double> tail(audio.begin() + 1000, audio.end());
    const std::vector<double> tone(modulation.begin() + 1000, modulation.end());
    EXPECT_GT(Correlation(tail, tone), 0.95);
}

TEST(Demodulator, FmSurvivesSilenceAndResetRestoresTheStart)
{
    CDemodulator demod;
    for (int n = 0; n < 100; ++n)
        ASSERT_TRUE(std::isfinite(demod.Demodulate(CDemodulator::kFm, 0.0, 0.0)));
    RunFm(demod, std::vector<double>(500, 0.1));
    ASSERT_NE(demod.GetIntegrator(), 0.0);
    demod.Reset();
    EXPECT_EQ(demod.GetIntegrator(), 0.0);
    EXPECT_EQ(demod.GetPhase(), 0.0);
    EXPECT_EQ(demod.GetFmAverage(), 0.0);
    EXPECT_EQ(demod.GetAmAverage(), 0.0);
}
