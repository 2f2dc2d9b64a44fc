#include "declicker.h"

#include <algorithm>
#include <array>
#include <cstddef>

void CDeclicker::Process(const std::vector<double>& in, std::vector<double>& out)
{
    out = in;
    if (m_declick)
        Declick(out);
    // No denoising method is chosen yet: with the stage switched on it delivers nothing, deliberately,
    // so that a caller cannot mistake untouched audio for denoised audio.
    if (m_denoise)
        out.clear();
    if (m_mf)
        Median7(out);
}

void CDeclicker::Declick(std::vector<double>& samples)
{
    const auto n = static_cast<int64_t>(samples.size());
    std::vector<double> power(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        power[i] = samples[i] * samples[i];

    // Running sums by doubling: after the step of k, mean[i] holds the sum of 2k powers from i on.
    std::vector<double> mean = power;
    const int32_t half = m_window / 2;  // the window as it was when this block began
    int64_t step = 1;
    for (; step < m_window; step *= 2)
    {
        for (int64_t i = 0; i + step < n; ++i)
            mean[i] += mean[i + step];
    }
    m_window = static_cast<int32_t>(step);
    const int64_t walk = n - m_window;
    for (int64_t i = 0; i < walk; ++i)
        mean[i] /= m_window;

    for (int32_t parts = m_longestClick / 4; parts > 0; parts /= 2)
    {
        const int64_t len = m_longestClick / parts;
        bool open = false;
        int64_t clickAt = 0;
        for (int64_t i = 0; i < walk; ++i)
        {
            double sum = 0.0;
            for (int64_t k = 0; k < len; ++k)
                sum += power[i + half + k];
            const double level = sum / static_cast<double>(len);
            const bool loud = level >= m_thresholdFactor * mean[i] / 10.0;
            if (loud && !open)
            {
                open = true;
                clickAt = i + half;
            }
            else if (!loud && open)
            {
                // Only a burst that ended within twice the test length is a click; a longer one is
                // signal and stays.
                if ((i - clickAt) + half <= 2 * len)
                {
                    const int64_t end = len + half + i;
                    const double from = samples[clickAt];
                    const double slope = (samples[end] - from) / static_cast<double>(end - clickAt);
                    for (int64_t k = clickAt; k < end; ++k)
                    {
                        samples[k] = from + slope * static_cast<double>(k - clickAt);
                        power[k] = samples[k] * samples[k];
                    }
                }
                open = false;
            }
        }
    }
}

void CDeclicker::Median7(std::vector<double>& samples)
{
    const std::vector<double> in = samples;
    const size_t n = in.size();
    std::fill(samples.begin(), samples.end(), 0.0);
    std::array<double, 7> window{};
    for (size_t i = 3; i + 3 < n; ++i)
    {
        std::copy(in.begin() + static_cast<std::ptrdiff_t>(i - 3),
                  in.begin() + static_cast<std::ptrdiff_t>(i + 4), window.begin());
        std::nth_element(window.begin(), window.begin() + 3, window.end());
        samples[i] = window[3];
    }
}
