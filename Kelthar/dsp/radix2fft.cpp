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

// The radix-4 stages from quarter span q >= 4 on, four butterflies at a time. On x86-64 built twice,
// for processors with and without AVX2, and chosen once when the library loads.
#if defined(__x86_64__)
#define FFT_WIDE_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define FFT_WIDE_CLONES
#endif
FFT_WIDE_CLONES void WideStages(double* re, double* im, int n, int q, const double* tw)
{
    for (; q < n; q *= 4)
    {
        for (int s = 0; s < n; s += 4 * q)
        {
            double* r0 = re + s;
            double* r1 = r0 + q;
            double* r2 = r1 + q;
            double* r3 = r2 + q;
            double* i0 = im + s;
            double* i1 = i0 + q;
            double* i2 = i1 + q;
            double* i3 = i2 + q;
            const double* w = tw;
            for (int j = 0; j < q; j += 4, w += 24)
            {
                const Vec4 ar = *reinterpret_cast<const Vec4Unaligned*>(r0 + j);
                const Vec4 ai = *reinterpret_cast<const Vec4Unaligned*>(i0 + j);
                const Vec4 br = *reinterpret_cast<const Vec4Unaligned*>(r1 + j);
                const Vec4 bi = *reinterpret_cast<const Vec4Unaligned*>(i1 + j);
                const Vec4 cr = *reinterpret_cast<const Vec4Unaligned*>(r2 + j);
                const Vec4 ci = *reinterpret_cast<const Vec4Unaligned*>(i2 + j);
                const Vec4 dr = *reinterpret_cast<const Vec4Unaligned*>(r3 + j);
                const Vec4 di = *reinterpret_cast<const Vec4Unaligned*>(i3 + j);
                const Vec4 ur = *reinterpret_cast<const Vec4Unaligned*>(w);
                const Vec4 ui = *reinterpret_cast<const Vec4Unaligned*>(w + 4);
                const Vec4 vr = *reinterpret_cast<const Vec4Unaligned*>(w + 8);
                const Vec4 vi = *reinterpret_cast<const Vec4Unaligned*>(w + 12);
                const Vec4 xr = *reinterpret_cast<const Vec4Unaligned*>(w + 16);
                const Vec4 xi = *reinterpret_cast<const Vec4Unaligned*>(w + 20);
                // The input is in bit-reversed order: the point a quarter span on takes W^2j, the one
                // half a span on W^j.
                const Vec4 pr = br * vr - bi * vi, pi = br * vi + bi * vr;
                const Vec4 sr = cr * ur - ci * ui, si = cr * ui + ci * ur;
                const Vec4 tr = dr * xr - di * xi, ti = dr * xi + di * xr;
                const Vec4 e0r = ar + pr, e0i = ai + pi, e1r = ar - pr, e1i = ai - pi;
                const Vec4 o0r = sr + tr, o0i = si + ti, o1r = sr - tr, o1i = si - ti;
                *reinterpret_cast<Vec4Unaligned*>(r0 + j) = e0r + o0r;
                *reinterpret_cast<Vec4Unaligned*>(i0 + j) = e0i + o0i;
                *reinterpret_cast<Vec4Unaligned*>(r2 + j) = e0r - o0r;
                *reinterpret_cast<Vec4Unaligned*>(i2 + j) = e0i - o0i;
                *reinterpret_cast<Vec4Unaligned*>(r1 + j) = e1r + o1i;
                *reinterpret_cast<Vec4Unaligned*>(i1 + j) = e1i - o1r;
                *reinterpret_cast<Vec4Unaligned*>(r3 + j) = e1r - o1i;
                *reinterpret_cast<Vec4Unaligned*>(i3 + j) = e1i + o1r;
            }
        }
        tw += 6 * q;
    }
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

// One tile of the reordering: the points a + (middle << kTileBits) + (c << (log2 - kTileBits)) for the
// low and high parts a and c in 0..kTile-1. Point (a, c) lands in row reverse(a), column reverse(c) of
// the tile with the reversed middle.
struct Tile
{
    static constexpr int kBits = 4;
    static constexpr int kSide = 1 << kBits;
    static constexpr uint8_t kReversed[kSide] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

    double re[kSide * kSide];
    double im[kSide * kSide];

    void Load(const double* srcRe, const double* srcIm, const double* window, size_t base, int rowShift)
    {
        for (int c = 0; c < kSide; ++c)
        {
            const size_t from = base + (static_cast<size_t>(c) << rowShift);
            const int column = kReversed[c];
            for (int a = 0; a < kSide; ++a)
            {
                const double w = window != nullptr ? window[from + a] : 1.0;
                re[kReversed[a] * kSide + column] = srcRe[from + a] * w;
                im[kReversed[a] * kSide + column] = srcIm[from + a] * w;
            }
        }
    }

    // Writes the tile, running the first stage on each row (its points are neighbours in the result).
    void Store(double* dstRe, double* dstIm, size_t base, int rowShift, bool radix2)
    {
        FirstStage(re, im, kSide * kSide, radix2);
        for (int row = 0; row < kSide; ++row)
        {
            const size_t to = base + (static_cast<size_t>(row) << rowShift);
            for (int col = 0; col < kSide; ++col)
            {
                dstRe[to + col] = re[row * kSide + col];
                dstIm[to + col] = im[row * kSide + col];
            }
        }
    }
};
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
    static_assert(Tile::kBits == kTileBits, "one tile size");
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
    for (int64_t q = (log2 % 2 != 0) ? 8 : 4; q < size; q *= 4)
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

void CRadix2Fft::Forward(double* re, double* im) const
{
    const bool radix2 = m_log2 % 2 != 0;
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
        FirstStage(re, im, m_size, radix2);
    }
    else
    {
        // A tile and its mirror trade places; a tile that is its own mirror is reordered where it is.
        const int rowShift = m_log2 - kTileBits;
        Tile first;
        Tile second;
        for (uint32_t m = 0; m < m_reversedMiddle.size(); ++m)
        {
            const uint32_t mirror = m_reversedMiddle[m];
            if (mirror < m)
            {
                continue;
            }
            const size_t base = static_cast<size_t>(m) << kTileBits;
            const size_t mirrorBase = static_cast<size_t>(mirror) << kTileBits;
            first.Load(re, im, nullptr, base, rowShift);
            if (mirror != m)
            {
                second.Load(re, im, nullptr, mirrorBase, rowShift);
                second.Store(re, im, base, rowShift, radix2);
            }
            first.Store(re, im, mirrorBase, rowShift, radix2);
        }
    }
    LaterStages(re, im);
}

void CRadix2Fft::ForwardWindowed(const double* inRe, const double* inIm, const double* window, double* re,
                                 double* im) const
{
    const bool radix2 = m_log2 % 2 != 0;
    if (!IsTiled())
    {
        for (int n = 0; n < m_size; ++n)
        {
            const uint32_t r = m_reversed[n];
            re[r] = inRe[n] * window[n];
            im[r] = inIm[n] * window[n];
        }
        FirstStage(re, im, m_size, radix2);
    }
    else
    {
        const int rowShift = m_log2 - kTileBits;
        Tile tile;
        for (uint32_t m = 0; m < m_reversedMiddle.size(); ++m)
        {
            tile.Load(inRe, inIm, window, static_cast<size_t>(m) << kTileBits, rowShift);
            tile.Store(re, im, static_cast<size_t>(m_reversedMiddle[m]) << kTileBits, rowShift, radix2);
        }
    }
    LaterStages(re, im);
}

void CRadix2Fft::LaterStages(double* re, double* im) const
{
    const int n = m_size;
    int q = m_log2 % 2 != 0 ? 2 : 4;
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
