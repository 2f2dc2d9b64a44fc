#pragma once

#include <memory>
#include <vector>

#include "icalcmultifft.h"
#include "rangefftbase.h"

// The multi-range calculator: one centred 32768-point range spectrum per range of the multi-range
// sweep, each with an engine, a pending reset and an averaging mode of its own (the band plan's), so
// the ranges average independently while the sweep steps from one to the next. Window changes and
// resets of the calculator reach every range. Its own ICommonFft operations work as the range
// calculator's on an engine of its own.
class CRangeMultiFft : public ICalcMultiFft, public CRangeFftBase
{
public:
    explicit CRangeMultiFft(IControlBits* controlBits);

    // ICalcMultiFft's overloads would hide these.
    using CRangeFftBase::Calculate;
    using CRangeFftBase::GetResult;

    // Replaces every range: one per element, averaging with that element's mode.
    void SetRanges(const std::vector<int>& averagingModes) override;
    // An index outside the ranges does nothing.
    void Calculate(int range, const std::vector<double>& i, const std::vector<double>& q) override;
    // That range's spectrum as of its last calculation, valid until the next SetRanges; an index outside
    // the ranges gives an empty vector.
    const std::vector<double>& GetResult(int range) override;

    // For the library and tests.
    int GetRangeCount() const { return static_cast<int>(m_ranges.size()); }
    // Null for an index outside the ranges.
    const CCfft* GetRangeEngine(int range) const;
    int GetRangePendingReset(int range) const;
    const Settings* GetRangeSettings(int range) const;

private:
    struct Range
    {
        std::unique_ptr<CCfft> engine;
        int pending = kClearHistory;
        Settings settings;
    };

    void PassOnPendingReset(int code) override;
    bool IsValidRange(int range) const { return range >= 0 && range < static_cast<int>(m_ranges.size()); }

    std::vector<Range> m_ranges;
    const std::vector<double> m_noResult;
};
