#pragma once

#include <cstdint>
#include <string>

#include "ifpgainterface.h"

// Writes the DDC's I/Q stream to a two-channel PCM WAV file (I left, Q right), in 24 bits as it
// comes or in 16 bits, optionally normalised to the peak of the previous three seconds so that
// strong signals do not clip.
class IDdcWavWriter : public IFPGAInterface
{
public:
    // rate: the DDC sample rate in Hz. False, with the writer off, when the file cannot be created.
    virtual bool Start(const std::wstring& path, int rate, bool bits16, bool normalize) = 0;
    virtual bool IsWriting() = 0;
    // One I/Q pair of 24-bit samples.
    virtual void WriteSample(int32_t i, int32_t q) = 0;
    // Closes the file with its sizes filled in.
    virtual void Stop() = 0;
    ~IDdcWavWriter() override = default;
};
