#pragma once

#include <cstdint>
#include <vector>

#include "imultiadf4350.h"

class CAdf4350;

// The scan ranges of the multi-range sweep. While enabled, every control-block build calls NextRange,
// which moves the synthesizer it was given on to the next range. Frequencies are MHz.
class CMultiAdf4350 : public IMultiAdf4350
{
public:
    // The synthesizer belongs to the same control-bits object and outlives this set. Without one,
    // NextRange only advances the index.
    explicit CMultiAdf4350(CAdf4350* adf = nullptr);

    void SetEnabled(bool on) override;
    void SetSelected(bool on) override;
    void AddRange(double start, double stop) override;
    // Indexes outside the list are ignored.
    void SetRange(int index, double start, double stop) override;
    int GetRangeCount() override;
    void ClearRanges() override;
    bool IsEnabled() override;
    bool IsSelected() override;
    // With no ranges the synthesizer keeps sweeping its own scan range, clamped to its limits.
    void NextRange() override;
    int GetCurrentRange() override;

    // --- Internal operations of the library ---

    void SetAdf(CAdf4350* adf) { m_adf = adf; }
    // Start and stop of a range in MHz, as clamped by the last NextRange that selected it; false for an
    // index outside the list.
    bool GetRange(int index, double* start, double* stop) const;

private:
    struct Range
    {
        double start;
        double stop;
    };

    CAdf4350* m_adf;
    uint8_t m_enabled = 0;
    uint8_t m_selected = 0;
    std::vector<Range> m_ranges;
    int m_currentRange = -1;
};
