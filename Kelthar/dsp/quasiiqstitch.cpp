#include "quasiiqstitch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// The spectrum lies in the first half of the blocks.
int CarryingBlocks(int blocks)
{
    return blocks / 2;
}
}  // namespace

int CQuasiIqStitch::Run(std::vector<double>& re, std::vector<double>& im, std::vector<double>& spare,
                        const Params& params)
{
    const int blocks = params.blocks;
    const int length = params.blockLength;
    if (blocks < 2 || length < 2 ||
        static_cast<long long>(blocks) * length > static_cast<long long>(re.size()) ||
        im.size() < re.size() || spare.size() < static_cast<size_t>(length))
    {
        return 0;
    }
    if (params.difference)
    {
        Difference(re, spare, blocks, length, params.shiftPoints);
    }
    Mirror(re, im, blocks, length);
    Ramp(re, blocks, length);
    return Gather(re, im, blocks, length, params.gatherStep, params.gatherOffset);
}

void CQuasiIqStitch::Difference(std::vector<double>& re, std::vector<double>& spare, int blocks,
                                int blockLength, int shiftPoints)
{
    const int half = blockLength / 2;
    // The shift comes from the operator's correction table; beyond a half block it would move the whole
    // half out, which is what a shift of exactly half a block does.
    const int shift = std::clamp(shiftPoints, 0, half);
    for (int b = 0; b < CarryingBlocks(blocks); ++b)
    {
        double* block = re.data() + static_cast<size_t>(b) * blockLength;
        double sum = 0.0;
        for (int j = 0; j < blockLength; ++j)
        {
            sum += block[j];
        }
        const double mean = sum / blockLength;
        for (int j = 0; j < shift; ++j)
        {
            spare[j] = mean;
            spare[half + j] = mean;
        }
        for (int j = shift; j < half; ++j)
        {
            spare[j] = block[j - shift];
            spare[half + j] = block[half + j - shift];
        }
        // What stands above the mean in one half is an image in the other: take it off there, but never
        // below the mean.
        for (int j = 0; j < half; ++j)
        {
            const double d = spare[j] - mean;
            if (d > 0.0)
            {
                block[half + j] = std::max(block[half + j] - d, mean);
            }
        }
        for (int j = 0; j < half; ++j)
        {
            const double d = spare[half + j] - mean;
            if (d > 0.0)
            {
                block[j] = std::max(block[j] - d, mean);
            }
        }
    }
}

void CQuasiIqStitch::Mirror(std::vector<double>& re, std::vector<double>& im, int blocks, int blockLength)
{
    const int half = blockLength / 2;
    for (int b = 0; b < CarryingBlocks(blocks); ++b)
    {
        const size_t base = static_cast<size_t>(b) * blockLength;
        std::reverse(re.begin() + base, re.begin() + base + half);
        std::reverse(im.begin() + base, im.begin() + base + half);
    }
}

void CQuasiIqStitch::Ramp(std::vector<double>& re, int blocks, int blockLength)
{
    const int half = blockLength / 2;
    const int rampLength = 3 * half / 8;
    // At every half-block boundary but the last: (R - 1) x 20 / H dB one point after it, falling to 0 at
    // R points after it; the boundary point itself is left alone.
    for (int c = 0; c <= blocks - 2; ++c)
    {
        const size_t base = static_cast<size_t>(c) * half;
        for (int m = 1; m <= rampLength; ++m)
        {
            re[base + m] += (rampLength - m) * 20.0 / half;
        }
    }
}

int CQuasiIqStitch::Gather(std::vector<double>& re, std::vector<double>& im, int blocks, int blockLength,
                           double step, int offset)
{
    if (!(step > 0.0) || !std::isfinite(step))
    {
        return 0;
    }
    const long long total = static_cast<long long>(std::min(re.size(), im.size()));
    const double maxStep = static_cast<double>(total);
    double carry = 0.0;
    long long gathered = 0;
    for (int b = 0; b < CarryingBlocks(blocks); ++b)
    {
        const double want = carry + std::min(step, maxStep);
        const long long count = static_cast<long long>(want);
        carry = want - static_cast<double>(count);
        // Only the part of the run that lies inside the rows is copied, and the gathered spectrum never
        // grows past them.
        const long long from = static_cast<long long>(b) * blockLength + offset;
        const long long skip = std::max(0LL, -from);
        const long long copied = std::min({count - skip, total - (from + skip), total - (gathered + skip)});
        if (copied > 0)
        {
            const size_t bytes = static_cast<size_t>(copied) * sizeof(double);
            std::memmove(re.data() + gathered + skip, re.data() + from + skip, bytes);
            std::memmove(im.data() + gathered + skip, im.data() + from + skip, bytes);
        }
        gathered = std::min(gathered + count, total);
    }
    return static_cast<int>(gathered);
}
