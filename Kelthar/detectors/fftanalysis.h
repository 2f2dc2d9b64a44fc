#pragma once

#include <string>
#include <vector>

#include "ianalysis.h"

// The full-range analysis. AddSpectrum keeps a threshold trace (a fixed level, or the slow trend of the
// spectrum seen from both ends plus an offset); Start cuts the spectrum into runs above that trace,
// names each run after the library band that holds its peak and compares the runs with those of the
// previous analysis (kept as point indexes) to mark them new, present or gone. No lock and no clock:
// every call comes from the GUI thread, and the converter is called back on it.
class CFftAnalysis : public IAnalysis
{
public:
    // The result list never grows past this many items.
    static constexpr int kMaxResults = 1001;
    // Levels of blanked points, and the engine's "no signal" level.
    static constexpr double kBlankLevel = -170.0;

    enum Status
    {
        kPresent = 0,
        kNew = 2,
        kGone = 3,
        kRemoved = 255,
    };

    void SetGarmConv(IGarmConv* conv) override;
    void AddSpectrum(const std::vector<double>& spectrum, int count) override;
    void Start(const std::vector<double>& spectrum, const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates,
               bool noHistory, const std::vector<double>& levels) override;
    bool IsFinished() override;
    std::vector<ANALYSIS_RESULT_ITEM>& GetResults() override;
    void SetParameters(int thresholdMode, double fixedThreshold, double thresholdOffset, int averagingLength,
                       double hysteresis, bool merge, int region) override;
    const std::vector<double>& GetAverage(int* count) override;
    void ClearResults() override;

    // The name of the first band-table row that holds freqMHz and belongs to the region; empty if none.
    static std::wstring BandName(double freqMHz, int region);

private:
    // The spectrum with template spans (1.0 MHz wider on each side) set to kBlankLevel; freqMHz holds
    // each point's frequency, asked of the converter once.
    std::vector<double> Blank(const std::vector<double>& spectrum,
                              const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates,
                              const std::vector<double>& freqMHz) const;
    // The runs above the threshold, positions as point indexes, all with status kPresent.
    std::vector<ANALYSIS_RESULT_ITEM> Detect(const std::vector<double>& blanked,
                                             const std::vector<double>& levels,
                                             const std::vector<double>& freqMHz) const;
    // Marks new items against the aged history and drops the items that begin at point 0 or hold
    // one point.
    void Classify(std::vector<ANALYSIS_RESULT_ITEM>& found) const;
    // Keeps history items that fall within the hysteresis, marks the others gone when nothing found
    // overlaps them, and appends the gone ones.
    void CheckHistory(std::vector<ANALYSIS_RESULT_ITEM>& found, const std::vector<double>& blanked);
    void Merge();
    void Publish(int pointCount);

    int m_pointCount = 0;
    IGarmConv* m_pGarmConv = nullptr;
    int m_thresholdMode = 1;
    double m_fixedThreshold = -50.0;
    double m_thresholdOffset = 50.0;
    int m_averagingLength = 5000;
    double m_hysteresis = 0.0;
    bool m_merge = false;
    int m_region = 0;
    std::vector<double> m_threshold;
    bool m_finished = false;
    std::vector<ANALYSIS_RESULT_ITEM> m_results;
    std::vector<ANALYSIS_RESULT_ITEM> m_history;
};
