#include "fftwindow.h"

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// dB, in type order.
constexpr double kCorrectionDb[CFftWindow::kTypeCount] = {0.0, 4.4, 10.8, 5.3, 5.9, 5.9,
                                                          5.9, 8.3, 7.7,  7.3, 8.8};

// The windows defined from the centre outwards take their value from k, the distance from the centre,
// and give it to the two points N/2 + k and N/2 - 1 - k: the two middle points both hold the peak.
template <typename F>
void FillFromCentre(int length, std::vector<double>& w, F valueAt)
{
    const int half = length / 2;
    for (int k = 0; k < half; ++k)
    {
        const double v = valueAt(k);
        w[half + k] = v;
        w[half - 1 - k] = v;
    }
}
}  // namespace

double CFftWindow::Correction(int type)
{
    return IsValidType(type) ? kCorrectionDb[type] : 0.0;
}

bool CFftWindow::Fill(int type, int length, std::vector<double>& w)
{
    if (!IsValidType(type) || length < 2 || length % 2 != 0)
    {
        return false;
    }
    w.resize(static_cast<size_t>(length));
    const double n = static_cast<double>(length);
    auto periodic = [&](auto f)
    {
        for (int i = 0; i < length; ++i)
        {
            w[i] = f(i / n);
        }
    };
    switch (type)
    {
        case 0:  // Off
            periodic([](double) { return 1.0; });
            break;
        case 1:  // Gaussian
            FillFromCentre(length, w,
                           [&](int k)
                           {
                               const double y = 4.0 * k / n;
                               return std::exp(-0.5 * y * y);
                           });
            break;
        case 2:  // Flat top
            periodic([](double x)
                     { return 0.281 - 0.521 * std::cos(2.0 * kPi * x) + 0.198 * std::cos(4.0 * kPi * x); });
            break;
        case 3:  // Hamming
            periodic([](double x) { return 0.54 - 0.46 * std::cos(2.0 * kPi * x); });
            break;
        case 4:  // Bartlett
            for (int i = 0; i < length; ++i)
            {
                const double x = i / n;
                w[i] = i < length / 2 ? 2.0 * x : 2.0 - 2.0 * x;
            }
            break;
        case 5:  // Bartlet-Hanning
            periodic([](double x)
                     { return 0.62 - 0.48 * std::fabs(x - 0.5) + 0.38 * std::cos(2.0 * kPi * (x - 0.5)); });
            break;
        case 6:  // Hanning
            periodic([](double x) { return 0.5 - 0.5 * std::cos(2.0 * kPi * x); });
            break;
        case 7:  // Parzen
            FillFromCentre(length, w,
                           [&](int k)
                           {
                               const double y = 2.0 * k / n;
                               if (4 * k < length)
                               {
                                   return 1.0 - 6.0 * y * y * (1.0 - y);
                               }
                               return 2.0 * (1.0 - y) * (1.0 - y) * (1.0 - y);
                           });
            break;
        case 8:  // Bohman
            FillFromCentre(length, w,
                           [&](int k)
                           {
                               const double y = 2.0 * k / n;
                               return (1.0 - y) * std::cos(kPi * y) + std::sin(kPi * y) / kPi;
                           });
            break;
        case 9:  // Blackman
            periodic([](double x)
                     { return 0.423 - 0.497 * std::cos(2.0 * kPi * x) + 0.079 * std::cos(4.0 * kPi * x); });
            break;
        case 10:  // Blackman-Harris, centred on N/2
            for (int i = 0; i < length; ++i)
            {
                const double m = (i - length / 2) / n;
                w[i] = 0.35875 + 0.48829 * std::cos(2.0 * kPi * m) + 0.14128 * std::cos(4.0 * kPi * m) +
                       0.01168 * std::cos(6.0 * kPi * m);
            }
            break;
    }
    return true;
}
