#include "waterfallpalette.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>

const std::array<QRgb, 1024>& CWaterfallPalette::Table()
{
    static const std::array<QRgb, 1024> table = []
    {
        std::array<QRgb, 1024> colours{};
        for (int idx = 0; idx < 1024; ++idx)
        {
            const int t = idx % 256;
            switch (idx / 256)
            {
                case 0:
                    colours[static_cast<size_t>(idx)] = qRgb(0, t, 255);
                    break;
                case 1:
                    colours[static_cast<size_t>(idx)] = qRgb(0, 255, 255 - t);
                    break;
                case 2:
                    colours[static_cast<size_t>(idx)] = qRgb(t, 255, 0);
                    break;
                default:
                    colours[static_cast<size_t>(idx)] = qRgb(255, 255 - t, 0);
                    break;
            }
        }
        return colours;
    }();
    return table;
}

int CWaterfallPalette::Step(double level, double yFrom, double yTo)
{
    if (std::isnan(level) || yTo == yFrom)
        return 0;
    const double v = std::clamp(level, std::min(yFrom, yTo), std::max(yFrom, yTo));
    const double step = (v - yFrom) * 1023.0 / (yTo - yFrom);
    return std::isfinite(step) ? static_cast<int>(std::clamp(step, 0.0, 1023.0)) : 0;
}

QRgb CWaterfallPalette::Colour(double level, double yFrom, double yTo)
{
    return Table()[static_cast<size_t>(Step(level, yFrom, yTo))];
}

CWaterfallPalette::CWaterfallPalette(double yFrom, double yTo)
    : m_yFrom(yFrom),
      m_yTo(yTo),
      m_lo(std::min(yFrom, yTo)),
      m_hi(std::max(yFrom, yTo)),
      m_reciprocal(1.0 / (yTo - yFrom)),
      m_fast(yTo != yFrom && std::isnormal(yTo - yFrom) && std::isnormal(m_reciprocal)),
      m_loStep(Step(m_lo, yFrom, yTo)),
      m_hiStep(Step(m_hi, yFrom, yTo))
{
}

int CWaterfallPalette::Step(double level) const
{
    // Levels outside the window are clamped to its edges.
    if (level <= m_lo)
        return level < m_lo ? m_loStep : Step(level, m_yFrom, m_yTo);
    if (level >= m_hi)
        return level > m_hi ? m_hiStep : Step(level, m_yFrom, m_yTo);
    if (m_fast)
    {
        const double q = (level - m_yFrom) * 1023.0 * m_reciprocal;
        if (q > kMargin && q < 1023.0 - kMargin)
        {
            const int step = static_cast<int>(q);
            const double fraction = q - step;
            if (fraction > kMargin && fraction < 1.0 - kMargin)
                return step;
        }
    }
    return Step(level, m_yFrom, m_yTo);
}

void CWaterfallPalette::Colour(const double* levels, QRgb* colours, size_t n) const
{
    const std::array<QRgb, 1024>& palette = Table();
    size_t c = 0;
#if defined(__SSE2__)
    if (m_fast)
    {
        const __m128d yFrom = _mm_set1_pd(m_yFrom);
        const __m128d steps = _mm_set1_pd(1023.0);
        const __m128d reciprocal = _mm_set1_pd(m_reciprocal);
        const __m128d lo = _mm_set1_pd(m_lo);
        const __m128d hi = _mm_set1_pd(m_hi);
        const __m128d margin = _mm_set1_pd(kMargin);
        const __m128d top = _mm_set1_pd(1023.0 - kMargin);
        const __m128d wholeTop = _mm_set1_pd(1.0 - kMargin);
        for (; c + 2 <= n; c += 2)
        {
            const __m128d v = _mm_loadu_pd(levels + c);
            const __m128d q = _mm_mul_pd(_mm_mul_pd(_mm_sub_pd(v, yFrom), steps), reciprocal);
            __m128d ok = _mm_and_pd(_mm_cmpgt_pd(v, lo), _mm_cmplt_pd(v, hi));
            ok = _mm_and_pd(ok, _mm_and_pd(_mm_cmpgt_pd(q, margin), _mm_cmplt_pd(q, top)));
            const __m128i step = _mm_cvttpd_epi32(q);
            const __m128d fraction = _mm_sub_pd(q, _mm_cvtepi32_pd(step));
            ok = _mm_and_pd(ok, _mm_and_pd(_mm_cmpgt_pd(fraction, margin), _mm_cmplt_pd(fraction, wholeTop)));
            if (_mm_movemask_pd(ok) == 3)
            {
                colours[c] = palette[static_cast<size_t>(_mm_cvtsi128_si32(step))];
                colours[c + 1] = palette[static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(step, 4)))];
            }
            else
            {
                colours[c] = palette[static_cast<size_t>(Step(levels[c]))];
                colours[c + 1] = palette[static_cast<size_t>(Step(levels[c + 1]))];
            }
        }
    }
#endif
    for (; c < n; ++c)
        colours[c] = palette[static_cast<size_t>(Step(levels[c]))];
}
