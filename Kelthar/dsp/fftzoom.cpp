#include "fftzoom.h"

#include <algorithm>

void CFftZoom::Reserve(int n)
{
    if (n > 0 && m_re.size() < static_cast<size_t>(n))
    {
        m_re.resize(static_cast<size_t>(n));
        m_im.resize(static_cast<size_t>(n));
    }
}

bool CFftZoom::TrimEnds(std::vector<double>& re, std::vector<double>& im, int n, int t)
{
    // t = 0 keeps every point: the stretch would copy the rows onto themselves.
    if (t <= 0 || 2 * static_cast<long long>(t) >= n)
    {
        return false;
    }
    return Stretch(re, im, n, t, n - 2 * t);
}

bool CFftZoom::KeepFirst(std::vector<double>& re, std::vector<double>& im, int n, int m)
{
    if (m <= 0 || m >= n)
    {
        return false;
    }
    return Stretch(re, im, n, 0, m);
}

bool CFftZoom::KeepRange(std::vector<double>& re, std::vector<double>& im, int n, int a, int b)
{
    if (a >= b || (a == 0 && b == n) || a < 0 || b < 0 || a >= n || b > n)
    {
        return false;
    }
    return Stretch(re, im, n, a, b - a);
}

bool CFftZoom::Stretch(std::vector<double>& re, std::vector<double>& im, int n, int first, int count)
{
    if (re.size() < static_cast<size_t>(n) || im.size() < static_cast<size_t>(n))
    {
        return false;
    }
    Reserve(n);
    const double ratio = static_cast<double>(n) / count;
    double sum = 0.0;
    int written = 0;
    for (int j = 0; j < count; ++j)
    {
        sum += ratio;
        while (written < sum && written < n)
        {
            m_re[written] = re[first + j];
            m_im[written] = im[first + j];
            ++written;
        }
    }
    std::copy(m_re.begin(), m_re.begin() + written, re.begin());
    std::copy(m_im.begin(), m_im.begin() + written, im.begin());
    return true;
}
