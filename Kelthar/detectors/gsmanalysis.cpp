#include "gsmanalysis.h"

#include <algorithm>
#include <cmath>

void CGsmAnalysis::SetBand(double startOffset, int channelCount, double channelStep, double spanWidth)
{
    m_startOffset = startOffset;
    // A negative count from a damaged band plan must never reach the level list's resize.
    m_channelCount = std::max(channelCount, 0);
    m_channelStep = channelStep;
    m_spanWidth = spanWidth;
}

void CGsmAnalysis::SetAveraging(int cycleLength, int channelMode, int averagingMode)
{
    m_cycleLength = cycleLength;
    m_channelMode = channelMode;
    m_averagingMode = averagingMode;
    m_counter = 1;
}

bool CGsmAnalysis::Start()
{
    m_running = true;
    m_ready = false;
    m_counter = 1;
    return true;
}

void CGsmAnalysis::Stop()
{
    // The ready flag keeps its value: the window may still collect the last complete cycle.
    m_running = false;
}

bool CGsmAnalysis::ChannelValue(const std::vector<double>& spectrum, long long first, long long count,
                                double* value) const
{
    const auto n = static_cast<long long>(spectrum.size());
    if (first < 0 || first + count > n)
        return false;
    const auto begin = spectrum.begin() + first;
    const auto end = begin + count;
    if (m_channelMode == 0)
        *value = *std::max_element(begin, end);
    else if (m_channelMode == 1)
    {
        double sum = 0.0;
        for (auto it = begin; it != end; ++it)
            sum += *it;
        *value = sum / static_cast<double>(count);
    }
    // Other channel modes store nothing: the value stays as the caller seeded it.
    return true;
}

void CGsmAnalysis::AverageInto(double& level, double value) const
{
    const bool first = m_counter == 1;
    const bool last = m_counter == m_cycle;
    switch (m_averagingMode)
    {
        case 0:
            level = value;
            break;
        case 1:
            if (first || value > level)
                level = value;
            break;
        case 2:
        case 3:
        {
            // A counter past the cycle (the cycle length shrank mid-cycle) leaves the level alone.
            if (m_counter > m_cycle)
                break;
            if (first)
                level = 0.0;
            level += m_averagingMode == 2 ? value : value * value;
            if (last)
            {
                const double mean = level / m_cycle;
                // The root mean square of dBm levels is reported as a negative level.
                level = m_averagingMode == 2 ? mean : -std::sqrt(mean);
            }
            break;
        }
        default:
            break;
    }
}

void CGsmAnalysis::Process(const std::vector<double>& spectrum)
{
    m_ready = false;
    m_cycle = m_cycleLength;
    if (m_averagingMode == 0)
    {
        m_cycle = 1;
        m_counter = 1;
    }

    m_levels.resize(static_cast<size_t>(m_channelCount), 0.0);
    if (!spectrum.empty() && m_spanWidth > 0.0)
    {
        const double bin = m_spanWidth / static_cast<double>(spectrum.size());
        const double pointsPerChannel = std::trunc(m_channelStep / bin);
        // Fewer than one point per channel: every channel keeps its previous level.
        if (pointsPerChannel >= 1.0)
        {
            const auto count = static_cast<long long>(
                std::min(pointsPerChannel, static_cast<double>(spectrum.size()) + 1.0));
            for (size_t c = 0; c < m_levels.size(); ++c)
            {
                const double firstPoint =
                    std::trunc((m_startOffset + static_cast<double>(c) * m_channelStep) / bin);
                // A first point that is no number (a NaN offset, or 0 x an infinite step) has no place
                // in the spectrum; converting it would be undefined.
                if (!std::isfinite(firstPoint))
                {
                    m_levels[c] = kOutsideLevel;
                    continue;
                }
                // Clamped so that a far-off channel cannot overflow the conversion; it still reads as
                // outside the spectrum.
                const auto first = static_cast<long long>(
                    std::clamp(firstPoint, -1.0, static_cast<double>(spectrum.size())));
                double value = 0.0;
                if (!ChannelValue(spectrum, first, count, &value))
                {
                    m_levels[c] = kOutsideLevel;
                    continue;
                }
                AverageInto(m_levels[c], value);
            }
        }
    }

    ++m_counter;
    if (m_counter > m_cycle)
    {
        m_counter = 1;
        m_ready = true;
    }
}
