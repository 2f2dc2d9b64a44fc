#include "plainfft.h"

#include <cmath>
#include <utility>

namespace
{
constexpr double kPi = 3.14159265358979323846;

double WindowValue(int type, double x)
{
    switch (type)
    {
        case 1:
            return 0.5 - 0.5 * std::cos(x);
        case 2:
            return 0.54 - 0.46 * std::cos(x);
        case 3:
            return 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
        case 4:
            return 0.355768 - 0.487396 * std::cos(x) + 0.144232 * std::cos(2 * x) -
                   0.012604 * std::cos(3 * x);
        case 5:
            return 0.3635819 - 0.4891775 * std::cos(x) + 0.1365995 * std::cos(2 * x) -
                   0.0106411 * std::cos(3 * x);
        case 6:
            return 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
        case 7:
            return 1 - 1.93 * std::cos(x) + 1.29 * std::cos(2 * x) - 0.388 * std::cos(3 * x) +
                   0.028 * std::cos(4 * x);
        default:
            return 1.0;
    }
}
}  // namespace

CPlainFft::CPlainFft(int size, int windowType, int thirdParameter, int inPlace)
    : m_size(2),
      m_windowType(windowType >= 1 && windowType <= kMaxWindowType ? windowType : 0),
      m_thirdParameter(thirdParameter),
      m_inPlace(inPlace)
{
    // Only powers of two up to 2^24 are transformed; anything else falls back to the smallest size.
    for (int log2 = 1; log2 <= 24; ++log2)
    {
        if (size == (1 << log2))
        {
            m_size = size;
            m_log2Size = log2;
        }
    }
    const int half = m_size / 2;
    m_cos.resize(half);
    m_sin.resize(half);
    for (int k = 0; k < half; ++k)
    {
        m_cos[k] = std::cos(-2 * kPi * k / m_size);
        m_sin[k] = std::sin(-2 * kPi * k / m_size);
    }
    if (m_windowType > 0)
    {
        m_window.resize(half);
        for (int k = 0; k < half; ++k)
            m_window[k] = WindowValue(m_windowType, 2 * kPi * k / (m_size - 1));
        m_thirdParameter = 100;
    }
    m_realResult.assign(m_size, 0.0);
    m_imaginaryResult.assign(m_size, 0.0);
}

const std::vector<double>& CPlainFft::Forward(std::vector<double>& values)
{
    if (values.size() < 2 * static_cast<size_t>(m_size))
        return values;
    if (m_inPlace > 0)
    {
        Transform(values.data());
        return values;
    }
    m_forwardCopy = values;
    Transform(m_forwardCopy.data());
    return m_forwardCopy;
}

std::vector<double> CPlainFft::Inverse(const std::vector<double>& values) const
{
    const size_t count = 2 * static_cast<size_t>(m_size);
    if (values.size() < count)
        return {};
    // The inverse is the conjugate of the forward transform of the conjugate, scaled by 1/N.
    std::vector<double> result(values.begin(), values.begin() + count);
    for (size_t k = 1; k < count; k += 2)
        result[k] = -result[k];
    Transform(result.data());
    const double scale = 1.0 / m_size;
    for (size_t k = 0; k < count; k += 2)
    {
        result[k] *= scale;
        result[k + 1] *= -scale;
    }
    return result;
}

void CPlainFft::InverseTwoArrays(const double* real, const double* imaginary)
{
    std::vector<double> values(2 * static_cast<size_t>(m_size));
    for (int k = 0; k < m_size; ++k)
    {
        values[2 * k] = real[k];
        values[2 * k + 1] = imaginary[k];
    }
    const std::vector<double> result = Inverse(values);
    for (int k = 0; k < m_size; ++k)
    {
        m_realResult[k] = result[2 * k];
        m_imaginaryResult[k] = result[2 * k + 1];
    }
    m_hasResult = true;
}

void CPlainFft::Transform(double* values) const
{
    const int n = m_size;
    if (!m_window.empty())
    {
        for (int k = 0; k < n / 2; ++k)
        {
            const int mirror = n - 1 - k;
            values[2 * k] *= m_window[k];
            values[2 * k + 1] *= m_window[k];
            values[2 * mirror] *= m_window[k];
            values[2 * mirror + 1] *= m_window[k];
        }
    }
    for (int i = 0; i < n; ++i)
    {
        int reversed = 0;
        for (int bit = 0; bit < m_log2Size; ++bit)
            reversed |= ((i >> bit) & 1) << (m_log2Size - 1 - bit);
        if (reversed > i)
        {
            std::swap(values[2 * i], values[2 * reversed]);
            std::swap(values[2 * i + 1], values[2 * reversed + 1]);
        }
    }
    for (int stage = 0; stage < m_log2Size; ++stage)
    {
        const int h = 1 << stage;
        for (int j = 0; j < h; ++j)
        {
            const double c = m_cos[j * (n / (2 * h))];
            const double d = m_sin[j * (n / (2 * h))];
            for (int i = j; i < n; i += 2 * h)
            {
                double* a = values + 2 * i;
                double* b = values + 2 * (i + h);
                const double tr = b[0] * c - b[1] * d;
                const double ti = b[0] * d + b[1] * c;
                b[0] = a[0] - tr;
                b[1] = a[1] - ti;
                a[0] += tr;
                a[1] += ti;
            }
        }
    }
}
