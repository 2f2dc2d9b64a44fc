#include "radix2fft.h"

#include <cmath>
#include <map>
#include <mutex>
#include <utility>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// Four doubles; where the processor has no 256-bit registers the compiler splits every operation in two.
typedef double Vec4 __attribute__((vector_size(32)));
// The same, for loads and stores at any double boundary.
typedef double Vec4Unaligned __attribute__((vector_size(32), aligned(8), may_alias));

// exp(-2 pi i k / n) for n a power of two. The angle is reduced to the first octant so that the library
// functions see small arguments and symmetric points get exactly symmetric values.
void Twiddle(int64_t k, int64_t n, double* c, double* s)
{
    k %= n;
    if (n < 8)
    {
        const double a = 2.0 * kPi * static_cast<double>(k) / static_cast<double>(n);
        *c = std::cos(a);
        *s = -std::sin(a);
        return;
    }
    const int64_t eighth = n / 8;
    const int64_t octant = k / eighth;
    const double a = 2.0 * kPi * static_cast<double>(k % eighth) / static_cast<double>(n);
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const double cb = std::cos(kPi / 4.0 - a);
    const double sb = std::sin(kPi / 4.0 - a);
    // (x, y) = (cos, sin) of octant x 45 degrees + a; the twiddle is x - iy.
    const double x[8] = {ca, sb, -sa, -cb, -ca, -sb, sa, cb};
    const double y[8] = {sa, cb, ca, sb, -sa, -cb, -ca, -sb};
    *c = x[octant];
    *s = -y[octant];
}

// The first stage after the reordering, on `count` consecutive points: radix-4 butterflies of four
// neighbours, or radix-2 of two when log2 N is odd; every factor is 1.
void FirstStage(double* re, double* im, int count, bool radix2)
{
    if (radix2)
    {
        for (int s = 0; s < count; s += 2)
        {
            const double ar = re[s], ai = im[s];
            const double br = re[s + 1], bi = im[s + 1];
            re[s] = ar + br;
            im[s] = ai + bi;
            re[s + 1] = ar - br;
            im[s + 1] = ai - bi;
        }
        return;
    }
    for (int s = 0; s < count; s += 4)
    {
        const double ar = re[s], ai = im[s];
        const double br = re[s + 1], bi = im[s + 1];
        const double cr = re[s + 2], ci = im[s + 2];
        const double dr = re[s + 3], di = im[s + 3];
        const double e0r = ar + br, e0i = ai + bi, e1r = ar - br, e1i = ai - bi;
        const double o0r = cr + dr, o0i = ci + di, o1r = cr - dr, o1i = ci - di;
        re[s] = e0r + o0r;
        im[s] = e0i + o0i;
        re[s + 2] = e0r - o0r;
        im[s + 2] = e0i - o0i;
        // e1 - i o1 and e1 + i o1.
        re[s + 1] = e1r + o1i;
        im[s + 1] = e1i - o1r;
        re[s + 3] = e1r - o1i;
        im[s + 3] = e1i + o1r;
    }
}

// Four complex numbers as their real and imaginary parts.
struct Complex4
{
    Vec4 re;
    Vec4 im;
};

// Loads and stores at any alignment. The vectors go by reference, so that none is passed by value between
// functions built for different processors.
inline void Load(Vec4& v, const double* p)
{
    v = *reinterpret_cast<const Vec4Unaligned*>(p);
}

inline void Store(double* p, const Vec4& v)
{
    *reinterpret_cast<Vec4Unaligned*>(p) = v;
}

inline Complex4 Load(const double* re, const double* im)
{
    Complex4 c;
    Load(c.re, re);
    Load(c.im, im);
    return c;
}

inline void Store(double* re, double* im, const Complex4& c)
{
    Store(re, c.re);
    Store(im, c.im);
}

inline Complex4 Add(const Complex4& a, const Complex4& b)
{
    return {a.re + b.re, a.im + b.im};
}

inline Complex4 Sub(const Complex4& a, const Complex4& b)
{
    return {a.re - b.re, a.im - b.im};
}

// a x (wr + i wi).
inline Complex4 Mul(const Complex4& a, const Vec4& wr, const Vec4& wi)
{
    return {a.re * wr - a.im * wi, a.re * wi + a.im * wr};
}

// The four-point transform of x0..x3 in place, in natural order.
inline __attribute__((always_inline)) void Dft4(Complex4& x0, Complex4& x1, Complex4& x2, Complex4& x3)
{
    const Complex4 a = Add(x0, x2);
    const Complex4 b = Sub(x0, x2);
    const Complex4 c = Add(x1, x3);
    const Complex4 d = Sub(x1, x3);
    x0 = Add(a, c);
    x2 = Sub(a, c);
    // b - i d and b + i d.
    x1 = {b.re + d.im, b.im - d.re};
    x3 = {b.re - d.im, b.im + d.re};
}

// The radix-4 butterfly of the stages after the reordering, on four points a quarter span apart. The input
// is in bit-reversed order: the point a quarter span on takes W^2j, the one half a span on W^j. `w` holds
// the real parts of W^j for four j, their imaginary parts, then W^2j and W^3j likewise.
inline __attribute__((always_inline)) void Butterfly4(Complex4& a, Complex4& b, Complex4& c, Complex4& d,
                                                      const double* w)
{
    Vec4 ur, ui, vr, vi, xr, xi;
    Load(ur, w);
    Load(ui, w + 4);
    Load(vr, w + 8);
    Load(vi, w + 12);
    Load(xr, w + 16);
    Load(xi, w + 20);
    Complex4 p = Mul(b, vr, vi);
    Complex4 s = Mul(c, ur, ui);
    Complex4 t = Mul(d, xr, xi);
    // In bit-reversed order the twiddled points are a, s, p, t of a four-point transform.
    Dft4(a, s, p, t);
    b = s;
    c = p;
    d = t;
}

constexpr double kCos8 = 0.92387953251128675613;  // cos(pi / 8)
constexpr double kSin8 = 0.38268343236508977173;  // sin(pi / 8)
constexpr double kHalfRoot2 = 0.70710678118654752440;

// x exp(-i pi / 4), x exp(-i pi / 2) and x exp(-3i pi / 4).
inline Complex4 MulEighth1(const Complex4& x)
{
    return {(x.re + x.im) * kHalfRoot2, (x.im - x.re) * kHalfRoot2};
}

inline Complex4 MulEighth2(const Complex4& x)
{
    return {x.im, -x.re};
}

inline Complex4 MulEighth3(const Complex4& x)
{
    return {(x.im - x.re) * kHalfRoot2, -(x.re + x.im) * kHalfRoot2};
}

inline Complex4 MulConstant(const Complex4& x, double wr, double wi)
{
    const Vec4 r = {wr, wr, wr, wr};
    const Vec4 i = {wi, wi, wi, wi};
    return Mul(x, r, i);
}

#if defined(__clang__) || __GNUC__ >= 12
#define FFT_SHUFFLE(a, b, i0, i1, i2, i3) __builtin_shufflevector(a, b, i0, i1, i2, i3)
#else
typedef long long Index4 __attribute__((vector_size(32)));
#define FFT_SHUFFLE(a, b, i0, i1, i2, i3) __builtin_shuffle(a, b, Index4{i0, i1, i2, i3})
#endif

// Rows v0..v3 become the columns.
inline __attribute__((always_inline)) void Transpose4(Vec4& v0, Vec4& v1, Vec4& v2, Vec4& v3)
{
    const Vec4 t0 = FFT_SHUFFLE(v0, v1, 0, 4, 2, 6);
    const Vec4 t1 = FFT_SHUFFLE(v0, v1, 1, 5, 3, 7);
    const Vec4 t2 = FFT_SHUFFLE(v2, v3, 0, 4, 2, 6);
    const Vec4 t3 = FFT_SHUFFLE(v2, v3, 1, 5, 3, 7);
    v0 = FFT_SHUFFLE(t0, t2, 0, 1, 4, 5);
    v1 = FFT_SHUFFLE(t1, t3, 0, 1, 4, 5);
    v2 = FFT_SHUFFLE(t0, t2, 2, 3, 6, 7);
    v3 = FFT_SHUFFLE(t1, t3, 2, 3, 6, 7);
}

constexpr int kTileBits = 4;
constexpr int kTileSide = 1 << kTileBits;
constexpr uint8_t kReversed4[kTileSide] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

// Where one tile of the reordering comes from and goes to. The tile holds the points
// a + (middle << kTileBits) + (c << (log2 - kTileBits)) for a and c in 0..15: input row c, column a.
// After the reordering point (a, c) sits in row reverse(a), column reverse(c) of the tile with the
// reversed middle, so each output row gathers one column a of the input; the first stages of the
// transform, which combine neighbours of an output row, are the transform over c of that column.
struct TileSpan
{
    const double* inRe;
    const double* inIm;
    const double* window;  // null: no window
    size_t inBase;
    int inShift;  // log2 of the distance between input rows
    double* outRe;
    double* outIm;
    size_t outBase;
    int outShift;  // log2 of the distance between output rows
};

// The reordering of one tile with the stages up to span 16 (log2 N even) or span 8 (odd: two
// eight-point transforms per output row, of the even and of the odd c). Four columns a at a time:
// the transform over c runs across the lanes, then a transposition turns the columns into rows.
template <bool kWindowed, bool kEightPoint>
inline __attribute__((always_inline)) void TransformTile(const TileSpan& t)
{
    // x[c] for c = c2 + 4 c1: four-point transforms over c1 for each c2 first, into rows[4 c2 + k1], for
    // all sixteen columns while the four input rows are at hand.
    Complex4 rows[kTileSide / 4][kTileSide];
#pragma GCC unroll 16
    for (int c2 = 0; c2 < 4; ++c2)
    {
#pragma GCC unroll 16
        for (int g = 0; g < kTileSide / 4; ++g)
        {
            Complex4 x[4];
#pragma GCC unroll 16
            for (int c1 = 0; c1 < 4; ++c1)
            {
                const size_t from = t.inBase + (static_cast<size_t>(c2 + 4 * c1) << t.inShift) + 4 * g;
                x[c1] = Load(t.inRe + from, t.inIm + from);
                if (kWindowed)
                {
                    Vec4 w;
                    Load(w, t.window + from);
                    x[c1].re *= w;
                    x[c1].im *= w;
                }
            }
            Dft4(x[0], x[1], x[2], x[3]);
#pragma GCC unroll 16
            for (int k1 = 0; k1 < 4; ++k1)
            {
                rows[g][4 * c2 + k1] = x[k1];
            }
        }
    }
    for (int a = 0; a < kTileSide; a += 4)
    {
        Complex4* y = rows[a / 4];
        // y[4 c2 + k1] is now the transform of the c2 row set at k1. Output column k goes to x[k].
        Complex4 x[kTileSide];
        if (!kEightPoint)
        {
            // Sixteen points: factors exp(-2 pi i c2 k1 / 16), then four-point transforms over c2.
            y[5] = MulConstant(y[5], kCos8, -kSin8);
            y[6] = MulEighth1(y[6]);
            y[7] = MulConstant(y[7], kSin8, -kCos8);
            y[9] = MulEighth1(y[9]);
            y[10] = MulEighth2(y[10]);
            y[11] = MulEighth3(y[11]);
            y[13] = MulConstant(y[13], kSin8, -kCos8);
            y[14] = MulEighth3(y[14]);
            y[15] = MulConstant(y[15], -kCos8, kSin8);
#pragma GCC unroll 16
            for (int k1 = 0; k1 < 4; ++k1)
            {
                Complex4 z0 = y[k1];
                Complex4 z1 = y[4 + k1];
                Complex4 z2 = y[8 + k1];
                Complex4 z3 = y[12 + k1];
                Dft4(z0, z1, z2, z3);
                x[k1] = z0;
                x[4 + k1] = z1;
                x[8 + k1] = z2;
                x[12 + k1] = z3;
            }
        }
        else
        {
// Eight points: c2 = 0 and 2 (even c) into columns 0..7, c2 = 1 and 3 (odd c) into 8..15.
#pragma GCC unroll 16
            for (int odd = 0; odd < 2; ++odd)
            {
                const Complex4* e = y + 4 * odd;
                const Complex4 f[4] = {e[8], MulEighth1(e[9]), MulEighth2(e[10]), MulEighth3(e[11])};
#pragma GCC unroll 16
                for (int k1 = 0; k1 < 4; ++k1)
                {
                    x[8 * odd + k1] = Add(e[k1], f[k1]);
                    x[8 * odd + 4 + k1] = Sub(e[k1], f[k1]);
                }
            }
        }
#pragma GCC unroll 16
        for (int k = 0; k < kTileSide; k += 4)
        {
            Transpose4(x[k].re, x[k + 1].re, x[k + 2].re, x[k + 3].re);
            Transpose4(x[k].im, x[k + 1].im, x[k + 2].im, x[k + 3].im);
#pragma GCC unroll 16
            for (int i = 0; i < 4; ++i)
            {
                const size_t to = t.outBase + (static_cast<size_t>(kReversed4[a + i]) << t.outShift) + k;
                Store(t.outRe + to, t.outIm + to, x[k + i]);
            }
        }
    }
}

// On x86-64 the heavy parts are built twice, for processors with AVX2 (the stages after the reordering
// with FMA as well) and for any other, and chosen once when the library loads. Only those later stages
// may fuse products into sums: the reordering rounds the window's products on their own, so that the
// windowed transform and windowing first stay identical.
#if defined(__x86_64__)
#define FFT_TILE_CLONES __attribute__((target_clones("avx2", "default")))
#define FFT_WIDE_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define FFT_TILE_CLONES
#define FFT_WIDE_CLONES
#endif

// The reordering with the first stages, tile after tile, from the input rows into re and im.
FFT_TILE_CLONES void TransformTiles(const double* inRe, const double* inIm, const double* window, double* re,
                                    double* im, int log2, const uint32_t* reversedMiddle, uint32_t tiles)
{
    TileSpan t = {inRe, inIm, window, 0, log2 - kTileBits, re, im, 0, log2 - kTileBits};
    for (uint32_t m = 0; m < tiles; ++m)
    {
        t.inBase = static_cast<size_t>(m) << kTileBits;
        t.outBase = static_cast<size_t>(reversedMiddle[m]) << kTileBits;
        if (window != nullptr)
        {
            if (log2 % 2 != 0)
            {
                TransformTile<true, true>(t);
            }
            else
            {
                TransformTile<true, false>(t);
            }
        }
        else if (log2 % 2 != 0)
        {
            TransformTile<false, true>(t);
        }
        else
        {
            TransformTile<false, false>(t);
        }
    }
}

// The same in place: a tile and its mirror trade places through two buffers, both read before either
// is written; a tile that is its own mirror is reordered where it is.
FFT_TILE_CLONES void TransformTilesInPlace(double* re, double* im, int log2, const uint32_t* reversedMiddle,
                                           uint32_t tiles)
{
    constexpr int kPoints = kTileSide * kTileSide;
    double bufferRe[2][kPoints];
    double bufferIm[2][kPoints];
    const int rowShift = log2 - kTileBits;
    for (uint32_t m = 0; m < tiles; ++m)
    {
        const uint32_t mirror = reversedMiddle[m];
        if (mirror < m)
        {
            continue;
        }
        const uint32_t from[2] = {m, mirror};
        const int count = mirror == m ? 1 : 2;
        for (int b = 0; b < count; ++b)
        {
            const TileSpan t = {re,       im,          nullptr,     static_cast<size_t>(from[b]) << kTileBits,
                                rowShift, bufferRe[b], bufferIm[b], 0,
                                kTileBits};
            if (log2 % 2 != 0)
            {
                TransformTile<false, true>(t);
            }
            else
            {
                TransformTile<false, false>(t);
            }
        }
        for (int b = 0; b < count; ++b)
        {
            // The tile read from block m belongs in block mirror, and the other way round.
            const size_t to = static_cast<size_t>(from[count - 1 - b]) << kTileBits;
            for (int row = 0; row < kTileSide; ++row)
            {
                const size_t at = to + (static_cast<size_t>(row) << rowShift);
                for (int col = 0; col < kTileSide; col += 4)
                {
                    const int cell = row * kTileSide + col;
                    Store(re + at + col, im + at + col, Load(bufferRe[b] + cell, bufferIm[b] + cell));
                }
            }
        }
    }
}

// Two radix-4 stages, quarter spans q and 4 q, on the sixteen points j + t q, t = 0..15, of a block of
// 16 q, for 4 kGroups neighbouring j: all loads first, so that each cache line of a row is used whole
// while it is at hand (the rows may be a multiple of 4 KB apart and so compete for the same cache sets).
template <int kGroups>
inline __attribute__((always_inline)) void FusedStages(double* r, double* i, int q, int j,
                                                       const double* first, const double* second)
{
    Complex4 x[kGroups][16];
#pragma GCC unroll 16
    for (int t = 0; t < 16; ++t)
    {
#pragma GCC unroll 4
        for (int h = 0; h < kGroups; ++h)
        {
            x[h][t] = Load(r + t * q + j + 4 * h, i + t * q + j + 4 * h);
        }
    }
#pragma GCC unroll 4
    for (int h = 0; h < kGroups; ++h)
    {
        const int jh = j + 4 * h;
#pragma GCC unroll 16
        for (int u = 0; u < 4; ++u)
        {
            Butterfly4(x[h][4 * u], x[h][4 * u + 1], x[h][4 * u + 2], x[h][4 * u + 3], first + (jh / 4) * 24);
        }
#pragma GCC unroll 16
        for (int u = 0; u < 4; ++u)
        {
            Butterfly4(x[h][u], x[h][u + 4], x[h][u + 8], x[h][u + 12], second + ((jh + u * q) / 4) * 24);
        }
    }
#pragma GCC unroll 16
    for (int t = 0; t < 16; ++t)
    {
#pragma GCC unroll 4
        for (int h = 0; h < kGroups; ++h)
        {
            Store(r + t * q + j + 4 * h, i + t * q + j + 4 * h, x[h][t]);
        }
    }
}

// Two stages at a time read and write sixteen rows q apart at once. From a distance of 2 KB between rows
// on, rows of both arrays compete for the same sets of the first-level cache (twelve ways) and push
// each other out before they are written back; there the stages run one at a time, on four rows.
constexpr int kLargestFusedQuarterSpan = 128;

// One radix-4 butterfly of a single stage, on the points j..j + 3 of the four rows q apart from r and i.
inline __attribute__((always_inline)) void SingleStage(double* r, double* i, int q, int j, const double* w)
{
    Complex4 a = Load(r + j, i + j);
    Complex4 b = Load(r + q + j, i + q + j);
    Complex4 c = Load(r + 2 * q + j, i + 2 * q + j);
    Complex4 d = Load(r + 3 * q + j, i + 3 * q + j);
    Butterfly4(a, b, c, d, w);
    Store(r + j, i + j, a);
    Store(r + q + j, i + q + j, b);
    Store(r + 2 * q + j, i + 2 * q + j, c);
    Store(r + 3 * q + j, i + 3 * q + j, d);
}

// The order of the butterflies along a row. A load that follows a store to an address with the same low
// twelve bits waits for that store, and callers' real and imaginary rows often lie a few bytes apart
// modulo 4 KB: the stores to one row of a butterfly would hold up the loads of the other row of the
// next. So the next butterfly starts two steps further on: first the even steps of a run of sixteen,
// then the odd ones, while the run is still in the first-level cache.
template <typename Step>
inline __attribute__((always_inline)) void Interleaved(int q, int width, Step step)
{
    const int run = 16 * width;
    if (q < run)
    {
        for (int j = 0; j < q; j += width)
        {
            step(j);
        }
        return;
    }
    for (int base = 0; base < q; base += run)
    {
        for (int j = base; j < base + run; j += 2 * width)
        {
            step(j);
        }
        for (int j = base + width; j < base + run; j += 2 * width)
        {
            step(j);
        }
    }
}

// The radix-4 stages from quarter span q >= 4 on, four butterflies at a time. Two stages at a time where
// the size allows: the sixteen points j + t q of a block of 16 q, t = 0..15, are all the second stage
// needs of the first, so they stay in registers between the two and the array is read and written once.
inline __attribute__((always_inline)) const double* RunStages(double* re, double* im, int n, int q, int qStop,
                                                              const double* tw)
{
    while (q < qStop)
    {
        if (16 * q > n || q > kLargestFusedQuarterSpan)
        {
            for (int s = 0; s < n; s += 4 * q)
            {
                for (int j = 0; j < q; j += 4)
                {
                    SingleStage(re + s, im + s, q, j, tw + (j / 4) * 24);
                }
            }
            tw += 6 * q;
            q *= 4;
            continue;
        }
        const double* second = tw + 6 * q;
        if (q % 8 != 0)
        {
            for (int s = 0; s < n; s += 16 * q)
            {
                for (int j = 0; j < q; j += 4)
                {
                    FusedStages<1>(re + s, im + s, q, j, tw, second);
                }
            }
        }
        else if (q < 32)
        {
            // Too few steps along a row to interleave: the blocks take turns instead.
            for (int j = 0; j < q; j += 8)
            {
                for (int s = 0; s < n; s += 16 * q)
                {
                    FusedStages<2>(re + s, im + s, q, j, tw, second);
                }
            }
        }
        else
        {
            for (int s = 0; s < n; s += 16 * q)
            {
                Interleaved(q, 8, [=](int j) { FusedStages<2>(re + s, im + s, q, j, tw, second); });
            }
        }
        tw = second + 24 * q;
        q *= 16;
    }
    return tw;
}

FFT_WIDE_CLONES void WideStages(double* re, double* im, int n, int q, const double* tw)
{
    RunStages(re, im, n, q, n, tw);
}

uint32_t ReverseBits(uint32_t value, int bits)
{
    uint32_t r = 0;
    for (int b = 0; b < bits; ++b)
    {
        r |= ((value >> b) & 1u) << (bits - 1 - b);
    }
    return r;
}

}  // namespace

CRadix2Fft::CRadix2Fft(int size)
{
    SetSize(size);
}

std::shared_ptr<const CRadix2Fft> CRadix2Fft::Shared(int size)
{
    if (!IsValidSize(size))
    {
        return nullptr;
    }
    // Weak entries: the tables of a size go when its last engine does. The map is never destroyed, so
    // engines that static objects own may still ask for tables while the process exits.
    static std::mutex mutex;
    static auto* cache = new std::map<int, std::weak_ptr<const CRadix2Fft>>();
    std::lock_guard<std::mutex> lock(mutex);
    std::weak_ptr<const CRadix2Fft>& entry = (*cache)[size];
    std::shared_ptr<const CRadix2Fft> tables = entry.lock();
    if (!tables)
    {
        tables = std::make_shared<const CRadix2Fft>(size);
        entry = tables;
    }
    return tables;
}

bool CRadix2Fft::SetSize(int size)
{
    static_assert(::kTileBits == CRadix2Fft::kTileBits, "one tile size");
    if (!IsValidSize(size))
    {
        return false;
    }
    if (size == m_size)
    {
        return true;
    }
    int log2 = 0;
    while ((1 << log2) < size)
    {
        ++log2;
    }
    m_size = size;
    m_log2 = log2;

    m_reversed.clear();
    m_reversedMiddle.clear();
    if (IsTiled())
    {
        const int middleBits = log2 - 2 * kTileBits;
        m_reversedMiddle.resize(size_t{1} << middleBits);
        for (uint32_t m = 0; m < m_reversedMiddle.size(); ++m)
        {
            m_reversedMiddle[m] = ReverseBits(m, middleBits);
        }
    }
    else
    {
        m_reversed.resize(static_cast<size_t>(size));
        for (uint32_t i = 0; i < static_cast<uint32_t>(size); ++i)
        {
            m_reversed[i] = ReverseBits(i, log2);
        }
    }

    for (int j = 0; j < 2; ++j)
    {
        for (int p = 1; p <= 3; ++p)
        {
            Twiddle(p * j, 8, &m_span2Twiddles[(p - 1) * 4 + j * 2],
                    &m_span2Twiddles[(p - 1) * 4 + j * 2 + 1]);
        }
    }
    m_twiddles.clear();
    for (int64_t q = FirstWideQuarterSpan(); q < size; q *= 4)
    {
        const size_t base = m_twiddles.size();
        m_twiddles.resize(base + 6 * static_cast<size_t>(q));
        double* t = m_twiddles.data() + base;
        for (int64_t j = 0; j < q; ++j)
        {
            double* run = t + (j / 4) * 24 + j % 4;
            for (int p = 1; p <= 3; ++p)
            {
                Twiddle(p * j, 4 * q, &run[(2 * p - 2) * 4], &run[(2 * p - 1) * 4]);
            }
        }
    }
    return true;
}

int CRadix2Fft::FirstWideQuarterSpan() const
{
    if (IsTiled())
    {
        // The tiles take the stages up to span 16, or 8 when log2 N is odd.
        return m_log2 % 2 != 0 ? 8 : 16;
    }
    return m_log2 % 2 != 0 ? 8 : 4;
}

void CRadix2Fft::Forward(double* re, double* im) const
{
    if (!IsTiled())
    {
        for (uint32_t i = 0; i < static_cast<uint32_t>(m_size); ++i)
        {
            const uint32_t r = m_reversed[i];
            if (i < r)
            {
                std::swap(re[i], re[r]);
                std::swap(im[i], im[r]);
            }
        }
        SmallStages(re, im);
        return;
    }
    TransformTilesInPlace(re, im, m_log2, m_reversedMiddle.data(),
                          static_cast<uint32_t>(m_reversedMiddle.size()));
    WideStages(re, im, m_size, FirstWideQuarterSpan(), m_twiddles.data());
}

void CRadix2Fft::ForwardWindowed(const double* inRe, const double* inIm, const double* window, double* re,
                                 double* im) const
{
    if (!IsTiled())
    {
        for (int n = 0; n < m_size; ++n)
        {
            const uint32_t r = m_reversed[n];
            re[r] = inRe[n] * window[n];
            im[r] = inIm[n] * window[n];
        }
        SmallStages(re, im);
        return;
    }
    TransformTiles(inRe, inIm, window, re, im, m_log2, m_reversedMiddle.data(),
                   static_cast<uint32_t>(m_reversedMiddle.size()));
    WideStages(re, im, m_size, FirstWideQuarterSpan(), m_twiddles.data());
}

void CRadix2Fft::SmallStages(double* re, double* im) const
{
    const int n = m_size;
    const bool radix2 = m_log2 % 2 != 0;
    FirstStage(re, im, n, radix2);
    int q = radix2 ? 2 : 4;
    if (q == 2 && q < n)
    {
        // Quarter span 2 is too short for four butterflies at a time.
        const double* w = m_span2Twiddles;
        for (int s = 0; s < n; s += 8)
        {
            for (int j = 0; j < 2; ++j)
            {
                const int a = s + j, b = a + 2, c = a + 4, d = a + 6;
                const double ur = w[j * 2], ui = w[j * 2 + 1];
                const double vr = w[4 + j * 2], vi = w[4 + j * 2 + 1];
                const double xr = w[8 + j * 2], xi = w[8 + j * 2 + 1];
                const double pr = re[b] * vr - im[b] * vi, pi = re[b] * vi + im[b] * vr;
                const double sr = re[c] * ur - im[c] * ui, si = re[c] * ui + im[c] * ur;
                const double tr = re[d] * xr - im[d] * xi, ti = re[d] * xi + im[d] * xr;
                const double e0r = re[a] + pr, e0i = im[a] + pi, e1r = re[a] - pr, e1i = im[a] - pi;
                const double o0r = sr + tr, o0i = si + ti, o1r = sr - tr, o1i = si - ti;
                re[a] = e0r + o0r;
                im[a] = e0i + o0i;
                re[c] = e0r - o0r;
                im[c] = e0i - o0i;
                re[b] = e1r + o1i;
                im[b] = e1i - o1r;
                re[d] = e1r - o1i;
                im[d] = e1i + o1r;
            }
        }
        q = 8;
    }
    if (q < n)
    {
        WideStages(re, im, n, q, m_twiddles.data());
    }
}
