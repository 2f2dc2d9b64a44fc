#include "demosignal.h"

#include <algorithm>
#include <cmath>

#include "demonoise.h"

namespace
{
constexpr double kPi = 3.14159265358979323846;
// The pulsed tone sits at 0.8 MHz of the 61 MHz capture.
constexpr double kPulsePhaseStep = 1.6 * kPi * 1000000.0 / 61000000.0;
// The DDC tone: 500 cycles in 4096 samples.
constexpr double kDdcPhaseStep = 1000000.0 * (kPi / 1000.0) / CDemoSignal::kDdcPeriod;

void PutInt16(uint8_t* at, int value)
{
    const auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>(bits >> 8);
}

void PutInt24(uint8_t* at, int value)
{
    const auto bits = static_cast<uint32_t>(value);
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>((bits >> 8) & 0xFF);
    at[2] = static_cast<uint8_t>((bits >> 16) & 0xFF);
}
}  // namespace

const double* CDemoSignal::GetParams()
{
    return m_params;
}

void CDemoSignal::Fill(bool segmentMode, bool twoChannels, int blockSizeUnits, std::vector<uint8_t>& block,
                       size_t sweepBytes)
{
    m_params[0] += 1.0;
    CDemoNoise& noise = CDemoNoise::Instance();

    const size_t sweepEnd = std::min(sweepBytes, block.size());
    const size_t sampleBytes = twoChannels ? 4 : 2;
    const long segmentLength = static_cast<long>(blockSizeUnits) * 64;
    const double pulseAmplitude = std::lround(m_params[0]) % 2 != 0 ? 1000.0 : 2000.0;

    long k = 0;
    for (size_t at = 0; at + sampleBytes <= sweepEnd; at += sampleBytes, ++k)
    {
        int i = 0;
        int q = 0;
        if (segmentMode)
        {
            // A scan too narrow for a single segment has no tone at all.
            if (segmentLength > 0 && k / segmentLength == kToneSegment)
            {
                const double phase = kPi * 4e-5 * static_cast<double>(k % segmentLength) * 1000000.0 /
                                     static_cast<double>(segmentLength);
                i = static_cast<int>(std::sin(phase) * kSegmentAmplitude);
                q = static_cast<int>(std::cos(phase) * kSegmentAmplitude);
            }
        }
        else if ((k & 0x100) != 0)
        {
            const double phase = kPulsePhaseStep * static_cast<double>(k);
            i = static_cast<int>(std::sin(phase) * pulseAmplitude);
            q = static_cast<int>(std::cos(phase) * pulseAmplitude);
        }
        i += noise.Next();
        q += noise.Next();
        PutInt16(&block[at], i);
        if (twoChannels)
            PutInt16(&block[at + 2], q);
    }

    // The DDC tone carries on from the sweep's sample count; its period divides it exactly in every
    // layout, so the phase runs on without a jump.
    int j = static_cast<int>(k % kDdcPeriod);
    for (size_t at = sweepBytes; at + 6 <= block.size(); at += 6)
    {
        const double phase = kDdcPhaseStep * j;
        const int i = static_cast<int>(std::sin(phase) * kDdcAmplitude + noise.Next());
        const int q = static_cast<int>(std::cos(phase) * kDdcAmplitude + noise.Next());
        PutInt24(&block[at], i);
        PutInt24(&block[at + 3], q);
        if (++j == kDdcPeriod)
            j = 0;
    }
}
