#include "knownrangelayout.h"

#include <algorithm>
#include <cmath>

#include "spectrumaverager.h"

double CKnownRangeLayout::Width(const KNOWN_RANGE_ITEM& range)
{
    const double width = range.end - range.start;
    return width > 0.0 ? width : 0.0;
}

double CKnownRangeLayout::TotalWidth(const std::vector<KNOWN_RANGE_ITEM>& ranges)
{
    double total = 0.0;
    for (const KNOWN_RANGE_ITEM& range : ranges)
    {
        total += Width(range);
    }
    return total;
}

long long CKnownRangeLayout::StepCount(const std::vector<KNOWN_RANGE_ITEM>& ranges)
{
    long long total = 0;
    for (const KNOWN_RANGE_ITEM& range : ranges)
    {
        total += std::max(range.count, 0);
    }
    long long steps = 1;
    while (steps < total)
    {
        steps *= 2;
    }
    return steps;
}

int CKnownRangeLayout::BlockLength(const std::vector<KNOWN_RANGE_ITEM>& ranges, int fftSize)
{
    const long long steps = StepCount(ranges);
    if (fftSize < 2 || steps > fftSize / 2)
    {
        return 0;
    }
    return static_cast<int>(fftSize / steps);
}

std::vector<int> CKnownRangeLayout::Positions(const std::vector<KNOWN_RANGE_ITEM>& ranges, int points)
{
    const double total = TotalWidth(ranges);
    std::vector<int> positions;
    positions.reserve(ranges.size());
    double before = 0.0;
    int previous = 0;
    for (const KNOWN_RANGE_ITEM& range : ranges)
    {
        int position = 0;
        if (total > 0.0)
        {
            position = static_cast<int>(std::floor(points * (before / total)));
            position = std::clamp(position, previous, points);
        }
        positions.push_back(position);
        previous = position;
        before += Width(range);
    }
    return positions;
}

bool CKnownRangeLayout::Build(const std::vector<KNOWN_RANGE_ITEM>& ranges, int blockLength,
                              const std::vector<double>& steps, std::vector<double>& published,
                              std::vector<double>& freqMHz, std::vector<int>& switches,
                              std::vector<int>* positions)
{
    const double totalWidth = TotalWidth(ranges);
    const int points = static_cast<int>(published.size());
    if (blockLength <= 0 || points == 0 || !(totalWidth > 0.0))
    {
        return false;
    }
    const std::vector<int> starts = Positions(ranges, points);
    freqMHz.assign(static_cast<size_t>(points), 0.0);
    switches.assign(static_cast<size_t>(points), 0);

    const long long available = static_cast<long long>(steps.size());
    long long firstStep = 0;
    for (size_t r = 0; r < ranges.size(); ++r)
    {
        const KNOWN_RANGE_ITEM& range = ranges[r];
        const int begin = starts[r];
        const int end = r + 1 < ranges.size() ? starts[r + 1] : points;
        const int count = end - begin;
        const double width = Width(range);
        // The range's steps, side by side from its start frequency on.
        const long long sourceFirst = firstStep * blockLength;
        const long long sourceCount = std::min(static_cast<long long>(std::max(range.count, 0)) * blockLength,
                                               std::max(available - sourceFirst, 0LL));
        for (int j = 0; j < count; ++j)
        {
            const double offsetMHz = width * j / count;
            const double nextMHz = width * (j + 1) / count;
            freqMHz[static_cast<size_t>(begin + j)] = range.start + offsetMHz;
            switches[static_cast<size_t>(begin + j)] = range.switchCode;

            // Step points from u0 up to u1 lie between this point's frequency and the next one's (one
            // capture of 61 MHz spans a step of blockLength points).
            const long long u0 = static_cast<long long>(std::floor(offsetMHz * blockLength / kCaptureMHz));
            const long long u1 = std::min(
                std::max(static_cast<long long>(std::floor(nextMHz * blockLength / kCaptureMHz)), u0 + 1),
                sourceCount);
            double level = CSpectrumAverager::kFloorDb;
            if (u0 < sourceCount)
            {
                level = steps[static_cast<size_t>(sourceFirst + u0)];
                for (long long u = u0 + 1; u < u1; ++u)
                {
                    level = std::max(level, steps[static_cast<size_t>(sourceFirst + u)]);
                }
            }
            published[static_cast<size_t>(begin + j)] = level;
        }
        firstStep += std::max(range.count, 0);
    }
    if (positions != nullptr)
    {
        *positions = starts;
    }
    return true;
}
