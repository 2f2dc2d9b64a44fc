#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// In-place forward complex FFT of a power-of-two length on split real and imaginary rows:
// X[k] = sum over n of x[n] exp(-2 pi i n k / N). Decimation in time: the input is put in bit-reversed
// order, then the radix-2 stages run, two at a time fused into radix-4 butterflies. From 256 points on,
// the reordering moves 16 x 16 tiles and computes the first four stages (three when log2 N is odd) of
// each tile on the way, as 16- or 8-point transforms; the radix-4 stages after it go over the array two
// at a time while the rows they combine lie close together, one at a time after that. Smaller sizes
// reorder point by point and run one plain radix-2 stage first when log2 N is odd. The twiddle factors
// come from a table computed once per size from the library cosine and sine of each angle, so the error
// stays near the rounding of one product instead of growing along a stage as factors advanced by
// repeated multiplication would.
// The tables are built by SetSize; a transform allocates nothing.
class CRadix2Fft
{
public:
    CRadix2Fft() = default;
    explicit CRadix2Fft(int size);

    static bool IsValidSize(int size) { return size >= 2 && size <= (1 << 24) && (size & (size - 1)) == 0; }
    // Prepares the tables for `size` points; a size that is not a power of two from 2 to 2^24 returns
    // false and leaves the object as it was.
    bool SetSize(int size);
    // One set of tables per size for the whole process: every engine of a size shares it (the tables of
    // a 32768-point transform take half a megabyte). Null for an invalid size. Safe from any thread.
    static std::shared_ptr<const CRadix2Fft> Shared(int size);
    int Size() const { return m_size; }

    // Transforms Size() points of re and im in place.
    void Forward(double* re, double* im) const;
    // The transform of (inRe[n] x window[n], inIm[n] x window[n]), written to re and im, which must not
    // overlap the input. Same result as copying, windowing and Forward, with one pass over memory less.
    void ForwardWindowed(const double* inRe, const double* inIm, const double* window, double* re,
                         double* im) const;

private:
    // The reordering moves tiles of 2^kTileBits x 2^kTileBits points through registers and a small buffer,
    // so that every read and write runs along rows instead of jumping across the whole array.
    static constexpr int kTileBits = 4;

    bool IsTiled() const { return m_log2 >= 2 * kTileBits; }
    // The quarter span of the first radix-4 stage that runs on the whole array, four butterflies at a time.
    int FirstWideQuarterSpan() const;
    // Untiled sizes: every stage after the reordering.
    void SmallStages(double* re, double* im) const;

    int m_size = 0;
    int m_log2 = 0;
    // Untiled sizes: the position of every point after the reordering.
    std::vector<uint32_t> m_reversed;
    // Tiled sizes: the reversed middle bits of every tile index.
    std::vector<uint32_t> m_reversedMiddle;
    // Quarter span 2 (odd log2 N): W^j, W^2j, W^3j for j = 0, 1 with W = exp(-2 pi i / 8), as
    // real, imaginary pairs.
    double m_span2Twiddles[12] = {};
    // Every radix-4 stage from FirstWideQuarterSpan() on, in stage order, with quarter span q: for each
    // run of four j, the real parts of W^j for the four, their imaginary parts, then W^2j and W^3j
    // likewise, W = exp(-2 pi i / 4q).
    std::vector<double> m_twiddles;
};
