#include "noisequality.h"

#include <cmath>

void CNoiseQuality::Calculate(std::vector<double> samples)
{
    m_values.assign(kBins, 0.0);
    m_entropy = 0.0;
    m_entropyCoef = 0.0;
    if (samples.empty())
        return;

    for (double sample : samples)
    {
        // The bin is the shifted sample truncated toward zero, so (-1, 0) still lands in bin 0. Samples
        // outside the bins (and NaN) are left out of the histogram but still count in the total.
        const double shifted = sample + kShift;
        if (shifted > -1.0 && shifted < kBins)
            m_values[static_cast<size_t>(static_cast<int>(shifted))] += 1.0;
    }

    const double count = static_cast<double>(samples.size());
    double entropy = 0.0;
    for (double& value : m_values)
    {
        value /= count;
        if (value > 0.0)
            entropy -= value * std::log10(value);
    }
    m_entropy = entropy;
    m_entropyCoef = std::pow(2.0, 2.0 * entropy) / kTwoPiE;
}

const std::vector<double>& CNoiseQuality::GetValues()
{
    return m_values;
}

double CNoiseQuality::GetValueA()
{
    return m_entropy;
}

double CNoiseQuality::GetValueB()
{
    return m_entropyCoef;
}
