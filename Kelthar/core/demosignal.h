#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "idemosignal.h"

// The synthetic block of demo mode: a sweep part with a tone in one segment of the scan (segment mode)
// or a tone pulsed on and off along the sweep (pulse mode), and a DDC part with a steady tone, each with
// the process-wide demo noise added. The fill writes the live layout that the sweep and demodulator
// steps read, so demo blocks go through exactly the path that SDR blocks take. A member of the core.
class CDemoSignal : public IDemoSignal
{
public:
    // Amplitudes in raw sample units.
    static constexpr double kSegmentAmplitude = 15000.0;
    static constexpr double kDdcAmplitude = 10000.0;
    // The scan segment that carries the tone in segment mode.
    static constexpr int kToneSegment = 9;
    // The DDC tone repeats exactly every 4096 samples.
    static constexpr int kDdcPeriod = 4096;

    CDemoSignal() = default;

    const double* GetParams() override;

    // segmentMode: the synthesizer's long scan (segments of blockSizeUnits x 64 samples) instead of the
    // pulsed tone. twoChannels: I and Q per sample, 4 bytes, else one int16 real sample of 2 bytes, which
    // the sweep step reads back as consecutive values. The sweep part is bytes [0, sweepBytes); the DDC
    // part, 6-byte signed 24-bit I/Q samples, runs from sweepBytes to the end of the block. The block is
    // never resized and nothing is written past its end.
    void Fill(bool segmentMode, bool twoChannels, int blockSizeUnits, std::vector<uint8_t>& block,
              size_t sweepBytes);

    double GetCallCount() const { return m_params[0]; }

private:
    // The first value counts the fills; the debug overlay shows it.
    double m_params[1] = {0.0};
};
