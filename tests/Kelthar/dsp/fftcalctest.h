#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// Signals and expected levels shared by the FFT calculator tests.
namespace fftcalctest
{
constexpr double kFloor = -170.0;
constexpr double kPi = 3.14159265358979323846;
// The calculators' window at construction ("Hanning"): its mean and its level correction.
constexpr double kHanningGain = 0.5;
constexpr double kHanningDb = 5.9;

// Adds a complex tone of `amplitude` on bin `bin` of a `length`-point transform (negative: below the
// centre) to the points first .. first + length - 1.
inline void AddTone(double bin, double amplitude, int first, int length, std::vector<double>& i,
                    std::vector<double>& q)
{
    for (int t = 0; t < length; ++t)
    {
        const double phase = 2.0 * kPi * bin * t / length;
        i[static_cast<size_t>(first + t)] += amplitude * std::cos(phase);
        q[static_cast<size_t>(first + t)] += amplitude * std::sin(phase);
    }
}

// The engine's level of a tone of `amplitude` on a bin of a `length`-point transform with a window of
// mean `gain` and level correction `correctionDb`.
inline double ToneDb(double amplitude, int length, double gain = kHanningGain,
                     double correctionDb = kHanningDb)
{
    return 20.0 * std::log10(amplitude * length * gain * 0.125) + correctionDb - 170.0;
}

inline int PeakIndex(const std::vector<double>& spectrum)
{
    return static_cast<int>(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}
}  // namespace fftcalctest
