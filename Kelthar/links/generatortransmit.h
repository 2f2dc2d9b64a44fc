#pragma once

#include <cstdint>
#include <memory>

#include "generatorparams.h"
#include "plainfft.h"
#include "sdrlink.h"

// The generator's side of a core: the last generator block the window sent, the transmit stream
// settings it asks for and the multi-carrier FFT the waveforms are built with. The waveform goes
// through the process-wide SDR link into the transmit buffer.
class CGeneratorTransmit
{
public:
    // Once the core has brought the SDR link up: the FFT, and the transmitter powered down by a silent
    // block (level 0, the preset's first waveform).
    void Start();
    // Checks the block (or the one held, for nullptr) whole, then builds its waveform into the transmit
    // buffer and configures the transmitter. False, with nothing changed, when the link is not usable or
    // the block is refused; false when the transmit buffer cannot be made, after which the link is down.
    bool SendParams(const uint8_t* block);
    // Off takes the gain to the bottom; on applies the held block's level again.
    bool SetOn(bool on);

    // The transmit settings, which the SDR link also fills when it starts.
    SDR_STREAM_CONFIG& Config() { return m_config; }
    const SDR_STREAM_CONFIG& Config() const { return m_config; }
    // The held block as the window laid it out (GENERATOR_PARAMS); the amplitude code, sampling rate
    // and swap flag are written back into it.
    const uint8_t* Block() const { return m_block; }
    // Null until Start or the first block sent.
    const CPlainFft* PlainFft() const { return m_plainFft.get(); }

private:
    // The block's output level into the transmit settings and the block's amplitude code; returns the
    // amplitude code.
    uint16_t ApplyLevel();

    uint8_t m_block[sizeof(GENERATOR_PARAMS)] = {};
    SDR_STREAM_CONFIG m_config;
    // The generator's multi-carrier FFT (64 points).
    std::unique_ptr<CPlainFft> m_plainFft;
};
