#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include "demonoise.h"
#include "demosignal.h"

// The demo signal: the noise register, the two sweep signals and the DDC tone, checked by what they
// look like to a receiver (amplitude, phase step per sample, where they are on and off).

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr size_t kSweepBytes = 131072;
constexpr int kNoiseMax = 70;

int Int16At(const std::vector<uint8_t>& block, size_t at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(block[at] | (block[at + 1] << 8)));
}

int Int24At(const std::vector<uint8_t>& block, size_t at)
{
    const uint32_t bits = block[at] | (block[at + 1] << 8) | (static_cast<uint32_t>(block[at + 2]) << 16);
    return static_cast<int>(bits ^ 0x800000u) - 0x800000;
}

// Mean phase step (radians per sample) of consecutive complex samples.
double MeanPhaseStep(const std::vector<std::complex<double>>& z)
{
    std::complex<double> sum = 0.0;
    for (size_t n = 1; n < z.size(); ++n)
        sum += z[n] * std::conj(z[n - 1]);
    return std::arg(sum);
}

// Sweep samples of a two-channel fill as Q + jI, which turns the demo's (sin, cos) pair into a
// positive-frequency phasor.
std::vector<std::complex<double>> SweepPhasors(const std::vector<uint8_t>& block, size_t first, size_t count)
{
    std::vector<std::complex<double>> z;
    for (size_t k = first; k < first + count; ++k)
        z.emplace_back(Int16At(block, 4 * k + 2), Int16At(block, 4 * k));
    return z;
}
}  // namespace

TEST(DemoNoise, RegisterStepsAndValues)
{
    EXPECT_EQ(CDemoNoise::Step(0xFFFFFFFFu), 0x7D9F7125u);
    EXPECT_EQ(CDemoNoise::Step(0x00000001u), 0x00000002u) << "no feedback without a carry";

    const struct
    {
        uint32_t shiftRegister;
        int value;
    } kValues[] = {{0x7D9F7125u, -50}, {0u, 0},          {3u, 30},         {4u, -40},
                   {7u, -70},          {0xFFFFFFF8u, 0}, {0x12345673u, 30}};
    for (const auto& row : kValues)
        EXPECT_EQ(CDemoNoise::Value(row.shiftRegister), row.value) << std::hex << row.shiftRegister;
}

TEST(DemoNoise, EveryFillDrawsFromTheOneProcessRegister)
{
    CDemoNoise& noise = CDemoNoise::Instance();
    EXPECT_EQ(&CDemoNoise::Instance(), &noise);
    const uint32_t before = noise.Register();
    EXPECT_EQ(noise.Next(), CDemoNoise::Value(CDemoNoise::Step(before)));

    // Two demo signals (two cores) continue one sequence: 2 values per sample, I then Q.
    CDemoSignal first;
    CDemoSignal second;
    std::vector<uint8_t> block(4 * 3);
    uint32_t expected = noise.Register();
    for (CDemoSignal* demo : {&first, &second})
    {
        demo->Fill(false, true, 16, block, block.size());
        for (size_t k = 0; k < 3; ++k)
        {
            // The tone is off for the first 256 samples: only noise.
            expected = CDemoNoise::Step(expected);
            EXPECT_EQ(Int16At(block, 4 * k), CDemoNoise::Value(expected));
            expected = CDemoNoise::Step(expected);
            EXPECT_EQ(Int16At(block, 4 * k + 2), CDemoNoise::Value(expected));
        }
    }
    EXPECT_EQ(noise.Register(), expected);
}

TEST(DemoSignal, PulseModeAlternatesAmplitudeAndCarriesTheTone)
{
    CDemoSignal demo;
    std::vector<uint8_t> block(kSweepBytes + 24576);
    for (double amplitude : {1000.0, 2000.0, 1000.0})
    {
        demo.Fill(false, true, 16, block, kSweepBytes);
        SCOPED_TRACE(amplitude);

        // The tone is on while bit 8 of the sample index is set: samples 256..511, 768..1023, ...
        int offPeak = 0;
        double onPeak = 0.0;
        for (size_t k = 0; k < kSweepBytes / 4; ++k)
        {
            const std::complex<double> z(Int16At(block, 4 * k + 2), Int16At(block, 4 * k));
            if ((k & 0x100) != 0)
                onPeak = std::max(onPeak, std::abs(z));
            else
                offPeak =
                    std::max({offPeak, std::abs(Int16At(block, 4 * k)), std::abs(Int16At(block, 4 * k + 2))});
        }
        EXPECT_LE(offPeak, kNoiseMax);
        EXPECT_NEAR(onPeak, amplitude, 1.5 * kNoiseMax);
        // 0.8 MHz of the 61 MHz capture.
        EXPECT_NEAR(MeanPhaseStep(SweepPhasors(block, 256, 256)), 2 * kPi * 0.8 / 61.0, 0.003);
    }
    EXPECT_EQ(*demo.GetParams(), 3.0) << "the counter the debug overlay shows";
}

TEST(DemoSignal, SegmentModePutsTheToneInSegmentNineOnly)
{
    CDemoSignal demo;
    std::vector<uint8_t> block(kSweepBytes + 24576);
    // 16 units: segments of 1024 samples, so the tone fills samples 9216..10239.
    demo.Fill(true, true, 16, block, kSweepBytes);
    const size_t first = 9 * 1024;
    for (size_t k = 0; k < kSweepBytes / 4; ++k)
    {
        const double magnitude =
            std::abs(std::complex<double>(Int16At(block, 4 * k + 2), Int16At(block, 4 * k)));
        if (k >= first && k < first + 1024)
        {
            ASSERT_NEAR(magnitude, 15000.0, 1.5 * kNoiseMax) << k;
        }
        else
        {
            ASSERT_LE(magnitude, std::sqrt(2.0) * kNoiseMax) << k;
        }
    }
    // Twenty cycles over the segment.
    EXPECT_NEAR(MeanPhaseStep(SweepPhasors(block, first, 1024)), 2 * kPi * 20 / 1024, 1e-3);

    // A scan too narrow for one segment has no tone at all, and the fill still completes.
    demo.Fill(true, true, 0, block, kSweepBytes);
    for (size_t k = 0; k < kSweepBytes / 4; ++k)
        ASSERT_LE(std::abs(Int16At(block, 4 * k)), kNoiseMax);
}

TEST(DemoSignal, OneChannelWritesConsecutiveRealSamples)
{
    CDemoSignal demo;
    std::vector<uint8_t> block(kSweepBytes + 24576);
    demo.Fill(false, false, 16, block, kSweepBytes);
    // 2 bytes a sample: 65536 samples, the tone on where bit 8 of the index is set (real, so it peaks
    // at the pulse amplitude in I alone).
    int onPeak = 0;
    int offPeak = 0;
    for (size_t k = 0; k < kSweepBytes / 2; ++k)
    {
        const int value = std::abs(Int16At(block, 2 * k));
        if ((k & 0x100) != 0)
            onPeak = std::max(onPeak, value);
        else
            offPeak = std::max(offPeak, value);
    }
    EXPECT_NEAR(onPeak, 1000, kNoiseMax);
    EXPECT_LE(offPeak, kNoiseMax);
}

TEST(DemoSignal, DdcPartIsASteadyToneBelowTheCentre)
{
    CDemoSignal demo;
    std::vector<uint8_t> block(kSweepBytes + 24576);
    demo.Fill(false, true, 16, block, kSweepBytes);

    std::vector<std::complex<double>> z;
    for (size_t at = kSweepBytes; at < block.size(); at += 6)
        z.emplace_back(Int24At(block, at), Int24At(block, at + 3));
    ASSERT_EQ(z.size(), 4096u);
    for (const auto& sample : z)
        ASSERT_NEAR(std::abs(sample), 10000.0, 1.5 * kNoiseMax);
    // I = sin and Q = cos: 500 cycles per 4096 samples, below the DDC centre.
    EXPECT_NEAR(MeanPhaseStep(z), -2 * kPi * 500 / 4096, 1e-4);
    // The tone runs on from the sweep's sample count without a jump: it starts at phase 0 (I 0, Q full).
    EXPECT_NEAR(z[0].real(), 0.0, kNoiseMax);
    EXPECT_NEAR(z[0].imag(), 10000.0, kNoiseMax);
}

TEST(DemoSignal, NeverWritesPastTheBlock)
{
    CDemoSignal demo;
    // A DDC part that ends in a partial sample, and a block shorter than its sweep part.
    std::vector<uint8_t> block(kSweepBytes + 6 * 3 + 4, 0xAA);
    demo.Fill(false, true, 16, block, kSweepBytes);
    for (size_t at = block.size() - 4; at < block.size(); ++at)
        EXPECT_EQ(block[at], 0xAA) << "a partial DDC sample is not written";

    std::vector<uint8_t> shortBlock(1001, 0xAA);
    demo.Fill(true, false, 16, shortBlock, kSweepBytes);
    EXPECT_EQ(shortBlock.size(), 1001u) << "the fill never resizes";
    EXPECT_EQ(shortBlock[1000], 0xAA) << "an odd byte left over is not a whole sample";
}
