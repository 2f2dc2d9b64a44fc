#pragma once

#include <vector>

#include "ifpgainterface.h"

// How noise-like a block of samples is: its amplitude histogram, entropy and entropy coefficient.
class INoiseQuality : public IFPGAInterface
{
public:
    // Samples are taken as whole numbers around 0; the histogram has 4095 bins.
    virtual void Calculate(std::vector<double> samples) = 0;
    // The histogram as probabilities, one per bin.
    virtual const std::vector<double>& GetValues() = 0;
    // The entropy (base-10 logarithm).
    virtual double GetValueA() = 0;
    // The entropy coefficient, 2^(2H) / (2 pi e).
    virtual double GetValueB() = 0;
};
