#pragma once

#include <cstddef>
#include <cstdint>

// The DDC stage of the receive path: raw SDR samples averaged in runs of the decimation into DDC
// samples. The sums are wide enough that no run length wraps them (16-bit sums would wrap from a
// decimation of 17 on).
class CDdcDecimator
{
public:
    // One DDC sample in the block: I then Q, each a signed 24-bit little-endian integer.
    static constexpr size_t kSampleBytes = 6;

    // Reads `samples` raw samples, I at first + n x step and Q at first + qOffset + n x step, each an
    // int16 little-endian. Each complete run of `decimation` samples (below 1 counts as 1) is summed, the
    // sums divided by the decimation (truncating toward zero) and the pair written to dest while a whole
    // DDC sample still fits in destBytes. A trailing partial run is dropped. Returns the DDC samples
    // written.
    static size_t Decimate(const uint8_t* first, ptrdiff_t qOffset, ptrdiff_t step, size_t samples,
                           int decimation, uint8_t* dest, size_t destBytes);
};
