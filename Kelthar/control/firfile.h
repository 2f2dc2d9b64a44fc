#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Reader of FIR coefficient files ("*.fir"). The text is lines of "index value": a decimal integer, one
// or more blanks, a decimal number. It holds one or more sections of 256, 128, 64, 32, 16 or 8 taps,
// largest first; a section starts with the line whose index is its tap count - 1 and ends with the first
// line whose index is 0 or less. Each section is scaled so that its largest value becomes 2^23 - 1 and
// lands in a 512-word area: the first section at the offset its size fixes (256 taps at 0, 128 at 256,
// 64 at 384, 32 at 448, 16 at 480, 8 at 496), later ones right behind it.
// Numbers are read the same way whatever the process locale says.
class CFirFile
{
public:
    static constexpr size_t kAreaWords = 512;
    using Area = std::array<int32_t, kAreaWords>;

    // Reads a file whole and parses it. False when it cannot be opened, is shorter than 4 bytes or does
    // not parse. The area is cleared first and stays cleared on failure; count is the number of words
    // written (0 on failure).
    static bool Read(const std::string& pathUtf8, Area& area, int32_t& count);
    static bool Parse(const char* text, size_t size, Area& area, int32_t& count);

    // Largest magnitude of a stored coefficient: 24-bit signed.
    static constexpr int32_t kFullScale = 8388607;
};
