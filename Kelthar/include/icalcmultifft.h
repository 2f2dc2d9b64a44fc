#pragma once

#include <vector>

// The multi-range calculator: one 32768-point range spectrum per range of the multi-range sweep, each
// with its own averaging. Made new for every request; the caller owns it.
class ICalcMultiFft
{
public:
    // One range per element, averaged with that element's mode; replaces every previous range.
    virtual void SetRanges(const std::vector<int>& averagingModes) = 0;
    virtual void Calculate(int range, const std::vector<double>& i, const std::vector<double>& q) = 0;
    // Refreshes and returns that range's spectrum in dB.
    virtual const std::vector<double>& GetResult(int range) = 0;
    virtual ~ICalcMultiFft() = default;
};
