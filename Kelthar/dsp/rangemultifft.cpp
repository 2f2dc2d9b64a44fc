#include "rangemultifft.h"

#include <algorithm>

namespace
{
constexpr int kRangeFftSize = 32768;
}  // namespace

CRangeMultiFft::CRangeMultiFft(IControlBits* controlBits) : CRangeFftBase(controlBits)
{
}

void CRangeMultiFft::SetRanges(const std::vector<int>& averagingModes)
{
    // The old engines go first, so the memory of two sets never adds up.
    m_ranges.clear();
    m_ranges.shrink_to_fit();
    m_ranges.reserve(averagingModes.size());
    for (int mode : averagingModes)
    {
        Range range;
        // A centred range spectrum with no window and instant averaging until the range's own settings
        // are applied at its first calculation.
        range.engine = std::make_unique<CCfft>(m_controlBits);
        range.engine->SetSize(kRangeFftSize, kRangeFftSize);
        range.engine->SetRateIndex(1);
        range.engine->SetMode(CCfft::kRangeMode);
        range.engine->SetWindowType(0);
        range.engine->SetAveragingMode(0);
        range.engine->Reset(true);
        range.pending = kClearHistory;
        range.settings = m_settings;
        range.settings.averaging = mode;
        m_ranges.push_back(std::move(range));
    }
}

void CRangeMultiFft::Calculate(int range, const std::vector<double>& i, const std::vector<double>& q)
{
    if (!IsValidRange(range))
    {
        return;
    }
    Range& r = m_ranges[static_cast<size_t>(range)];
    RunRangeStage(*r.engine, r.settings, r.pending, i, q);
}

const std::vector<double>& CRangeMultiFft::GetResult(int range)
{
    if (!IsValidRange(range))
    {
        return m_noResult;
    }
    // The range's engine keeps the spectrum in a row of the range's point count already: handing that
    // row out spares 42 copies of a 32768-point spectrum.
    return m_ranges[static_cast<size_t>(range)].engine->GetPublished();
}

void CRangeMultiFft::PassOnPendingReset(int code)
{
    // Each range keeps its own averaging mode; the window and the reset are the calculator's.
    for (Range& range : m_ranges)
    {
        range.settings.window = m_settings.window;
        range.pending = std::max(range.pending, code);
    }
}

const CCfft* CRangeMultiFft::GetRangeEngine(int range) const
{
    return IsValidRange(range) ? m_ranges[static_cast<size_t>(range)].engine.get() : nullptr;
}

int CRangeMultiFft::GetRangePendingReset(int range) const
{
    return IsValidRange(range) ? m_ranges[static_cast<size_t>(range)].pending : kNoReset;
}

const CCommonFft::Settings* CRangeMultiFft::GetRangeSettings(int range) const
{
    return IsValidRange(range) ? &m_ranges[static_cast<size_t>(range)].settings : nullptr;
}
