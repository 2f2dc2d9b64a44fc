#include "octavebands.h"

#include <algorithm>
#include <cmath>

namespace
{
// Nominal centres, kHz.
constexpr double kOctaveCentres[] = {0.0315, 0.063, 0.125, 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0, 31.5, 63.0};
constexpr double kThirdOctaveCentres[] = {0.0315, 0.04,  0.05, 0.063, 0.08, 0.1,  0.125, 0.16, 0.2,
                                          0.25,   0.315, 0.4,  0.5,   0.63, 0.8,  1.0,   1.25, 1.6,
                                          2.0,    2.5,   3.15, 4.0,   5.0,  6.3,  8.0,   10.0, 12.5,
                                          16.0,   20.0,  25.0, 31.5,  40.0, 50.0, 63.0,  80.0, 100.0};

template <size_t N>
std::vector<COctaveBands::Band> MakeBands(const double (&centres)[N], double halfWidthOctaves)
{
    const double factor = std::pow(2.0, halfWidthOctaves);
    std::vector<COctaveBands::Band> bands;
    bands.reserve(N);
    for (double centre : centres)
    {
        bands.push_back({COctaveBands::RoundToThreeFigures(centre / factor),
                         COctaveBands::RoundToThreeFigures(centre * factor), centre});
    }
    return bands;
}
}  // namespace

const std::vector<COctaveBands::Band>& COctaveBands::Octaves()
{
    static const std::vector<Band> bands = MakeBands(kOctaveCentres, 1.0 / 2.0);
    return bands;
}

const std::vector<COctaveBands::Band>& COctaveBands::ThirdOctaves()
{
    static const std::vector<Band> bands = MakeBands(kThirdOctaveCentres, 1.0 / 6.0);
    return bands;
}

double COctaveBands::RoundToThreeFigures(double value)
{
    if (value == 0.0 || !std::isfinite(value))
    {
        return value;
    }
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    // Divide or multiply by an exact power of ten, whichever keeps the decimal value closest.
    if (exponent >= 2)
    {
        const double unit = std::pow(10.0, exponent - 2);
        return std::round(value / unit) * unit;
    }
    const double scale = std::pow(10.0, 2 - exponent);
    return std::round(value * scale) / scale;
}

void COctaveBands::Levels(const std::vector<Band>& bands, const std::vector<double>& spectrum, double maxFreq,
                          std::vector<OCTAVE_LEVEL>& out)
{
    const int n = static_cast<int>(spectrum.size());
    if (n == 0)
    {
        return;
    }
    for (const Band& band : bands)
    {
        // Also false for a NaN or negative top frequency.
        if (!(band.upper <= maxFreq))
        {
            continue;
        }
        const int i0 = std::clamp(static_cast<int>(band.lower * n / maxFreq), 0, n - 1);
        const int i1 = std::clamp(static_cast<int>(band.upper * n / maxFreq), 0, n);
        double level = spectrum[static_cast<size_t>(i0)];
        for (int k = i0 + 1; k < i1; ++k)
        {
            level = std::max(level, spectrum[static_cast<size_t>(k)]);
        }
        out.push_back({band.centre, level});
    }
}
