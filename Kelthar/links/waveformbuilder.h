#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "generatorplan.h"

class CPlainFft;

// Synthesises one period of a generator waveform as the transmit buffer holds it: two 16-bit values a
// sample (first channel, second channel), each a 12-bit value in the upper bits. Tones, bursts,
// sweeps, frequency hops, noise, random symbols, phase steps and multi-carrier symbols; every value is
// truncated towards zero. The phase and the counters start afresh with every buffer; only the
// multi-carrier symbols of the FFT object carry over.
class CWaveformBuilder
{
public:
    // random: the source of the noise, hops and symbols (the C library's rand when null).
    explicit CWaveformBuilder(std::function<int()> random = nullptr);

    // Fills samples with 2 x params.bufferSamples values for amplitude code amplitude. The hopping types
    // change the swap flag at random; its last value is left in swap (which starts at params.swap).
    // multiCarrier serves type 19 (its result arrays are the symbols' values).
    void Build(const WAVEFORM_PARAMS& params, int amplitude, CPlainFft& multiCarrier,
               std::vector<uint16_t>& samples, bool& swap);
    // The same straight into a buffer of params.bufferSamples samples: the first channel's value of
    // sample k at first + k x stride, the second's secondOffset bytes further on (16-bit little-endian).
    void Build(const WAVEFORM_PARAMS& params, int amplitude, CPlainFft& multiCarrier, uint8_t* first,
               ptrdiff_t secondOffset, ptrdiff_t stride, bool& swap);

    // The 64 carriers' input of type 19: real values 0 to 4 at this level, the rest zero.
    static constexpr int kCarriers = 5;
    static constexpr double kCarrierLevel = 2000.0;
    // The largest magnitude of the multi-carrier symbols (all five carriers in phase).
    static constexpr double kMultiCarrierPeak = kCarriers * kCarrierLevel / 64.0;

    // A value as the transmit buffer keeps it: its low 12 bits in the upper bits of 16.
    static uint16_t Stored(int64_t value) { return static_cast<uint16_t>(static_cast<uint64_t>(value) << 4); }

    // Runs the FFT object's inverse transform on the carriers' input.
    static void RunMultiCarrier(CPlainFft& fft);

private:
    // A random number modulo count (count above 0).
    int64_t Draw(int64_t count)
    {
        const unsigned value = static_cast<unsigned>(m_random ? m_random() : std::rand());
        return static_cast<int64_t>(value % static_cast<uint64_t>(count));
    }

    std::function<int()> m_random;
};
