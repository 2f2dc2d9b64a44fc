#pragma once

#include <array>
#include <cstdint>

// A generator block image as the window lays it out, with the fields the transmitter reads.
struct GeneratorTestBlock
{
    std::array<uint8_t, 224> bytes{};

    // Preset p with waveform type t and its sub-setting s, made the current preset.
    GeneratorTestBlock& Waveform(int p, int t, int s = 0)
    {
        bytes[199] = static_cast<uint8_t>(p);
        bytes[200 + p] = static_cast<uint8_t>(t);
        bytes[40 + 19 * p + t] = static_cast<uint8_t>(s);
        return *this;
    }
    GeneratorTestBlock& OutputKHz(int p, uint32_t kHz)
    {
        for (int b = 0; b < 4; ++b)
            bytes[12 + 4 * p + b] = static_cast<uint8_t>(kHz >> (8 * b));
        return *this;
    }
    GeneratorTestBlock& Level(int level)
    {
        bytes[207] = static_cast<uint8_t>(level);
        return *this;
    }
    GeneratorTestBlock& Set(int at, int value)
    {
        bytes[at] = static_cast<uint8_t>(value);
        return *this;
    }
    GeneratorTestBlock& RateHz(uint32_t hz)
    {
        for (int b = 0; b < 4; ++b)
            bytes[216 + b] = static_cast<uint8_t>(hz >> (8 * b));
        return *this;
    }
    uint32_t RateHzField() const
    {
        return bytes[216] | (bytes[217] << 8) | (bytes[218] << 16) |
               (static_cast<uint32_t>(bytes[219]) << 24);
    }
    const uint8_t* data() const { return bytes.data(); }
};
