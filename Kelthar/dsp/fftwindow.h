#pragma once

#include <vector>

// The spectrum engine's window functions, in the order of the program's window list ("Off" ..
// "Blackman-Harris"). Each comes with the level correction in dB that the engine adds to every bin so
// that a windowed tone reads about the level it reads without a window.
class CFftWindow
{
public:
    static constexpr int kTypeCount = 11;

    static bool IsValidType(int type) { return type >= 0 && type < kTypeCount; }
    // dB added to every bin for this window; 0 for an unknown type.
    static double Correction(int type);
    // Fills w with `length` points of the window (an even length; the engine's blocks are powers of two).
    // An unknown type or an odd or too short length returns false and leaves w as it was.
    static bool Fill(int type, int length, std::vector<double>& w);
};
