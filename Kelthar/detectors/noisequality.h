#pragma once

#include <vector>

#include "inoisequality.h"

// The amplitude histogram of a block of samples and two measures of how noise-like it is: the entropy
// of the histogram (base-10 logarithm) and the entropy coefficient 2^(2H) / (2 pi e). A member of the
// core, used from the GUI thread only; no lock.
class CNoiseQuality : public INoiseQuality
{
public:
    // 2^12 - 1 bins; samples are whole numbers centred on 0 and shifted up by half of it.
    static constexpr int kBins = 4095;
    static constexpr int kShift = kBins / 2;
    // 2 pi e.
    static constexpr double kTwoPiE = 17.079468445347132;

    // An empty block leaves an all-zero histogram and both measures 0.
    void Calculate(std::vector<double> samples) override;
    const std::vector<double>& GetValues() override;
    double GetValueA() override;
    double GetValueB() override;

private:
    std::vector<double> m_values;
    double m_entropy = 0.0;
    double m_entropyCoef = 0.0;
};
