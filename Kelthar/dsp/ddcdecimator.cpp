#include "ddcdecimator.h"

#include <algorithm>

namespace
{
int16_t GetInt16(const uint8_t* at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

void PutInt24(uint8_t* at, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>((bits >> 8) & 0xFF);
    at[2] = static_cast<uint8_t>((bits >> 16) & 0xFF);
}
}  // namespace

size_t CDdcDecimator::Decimate(const uint8_t* first, ptrdiff_t qOffset, ptrdiff_t step, size_t samples,
                               int decimation, uint8_t* dest, size_t destBytes)
{
    const size_t run = static_cast<size_t>(std::max(decimation, 1));
    const size_t outputs = std::min(samples / run, destBytes / kSampleBytes);
    const uint8_t* at = first;
    for (size_t n = 0; n < outputs; ++n)
    {
        int64_t sumI = 0;
        int64_t sumQ = 0;
        for (size_t k = 0; k < run; ++k, at += step)
        {
            sumI += GetInt16(at);
            sumQ += GetInt16(at + qOffset);
        }
        const auto divisor = static_cast<int64_t>(run);
        PutInt24(dest + n * kSampleBytes, static_cast<int32_t>(sumI / divisor));
        PutInt24(dest + n * kSampleBytes + 3, static_cast<int32_t>(sumQ / divisor));
    }
    return outputs;
}
