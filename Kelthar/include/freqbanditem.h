#pragma once

#include <cstdint>
#include <string>

// One row of a band plan: a mobile or radio band with its optional channel plan. The library names
// analysis findings after the row a frequency lies in; the program's known-frequency windows offer rows
// as default ranges. Frequencies are MHz.
struct FREQ_BAND_ITEM
{
    std::wstring Name;
    double StartFreq = 0.0;
    double EndFreq = 0.0;
    // Width and spacing of one channel; both 0 in a row without a channel plan.
    double Band = 0.0;
    double Step = 0.0;
    // First and last channel number; both 0 in a row without a channel plan.
    int32_t StartChannel = 0;
    int32_t EndChannel = 0;
    // Index into the FFT averaging modes ("Instant" .. "Peak x32").
    int32_t Averaging = 0;
    // Bit n set: the row belongs to world region n.
    int32_t regionMask = 0;
};
