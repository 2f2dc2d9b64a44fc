#pragma once

#include <vector>

#include "fftanalysis.h"
#include "iknownfreqdetect.h"

// The known-frequency detector: a list of ranges with their channel rasters, a selection of them, and
// an analysis of its own (fixed settings, history kept from one spectrum to the next) whose results are
// matched against the channels of the selected ranges. GUI thread only, no lock.
class CKnownFreqDetect : public IKnownFreqDetect
{
public:
    // A band plan with a tiny step and a huge last channel would build an unbounded raster; real plans
    // stay far below this many channels per range.
    static constexpr int kMaxChannels = 100000;

    void SetGarmConv(IGarmConv* conv, IMultiAdf4350* multiAdf) override;
    void AddRange(const KNOWN_FREQ_RANGE& range) override;
    const KNOWN_FREQ_RANGE* GetRange(int index) override;
    void SetRange(int index, const KNOWN_FREQ_RANGE& range) override;
    int GetRangeCount() override;
    void RemoveRange(int index) override;
    void ClearRanges() override;
    void SelectRange(int index) override;
    void SelectRanges(const std::vector<int>& indexes) override;
    const std::vector<int>& GetSelectedRanges() override;
    void ProcessSpectrum(ICalcFft* rangeFft, ICalcMultiFft* multiFft,
                         const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates) override;
    std::vector<KNOWN_FREQ_DETECTION> GetDetections() override;

    // The range's band-table fields with the channel raster built from them: channel StartChannel spans
    // StartFreq .. StartFreq + Band, each next one lies Step higher while its upper edge stays at or
    // below EndFreq and its number at or below EndChannel. The first channel is always there; a range
    // with a Band or Step of 0 or less has none.
    static KNOWN_FREQ_RANGE WithChannels(const FREQ_BAND_ITEM& fields);

private:
    bool IsValidIndex(int index) const;
    // Appends a detection for every channel of the range that holds the peak strictly inside its edges.
    void MatchChannels(int rangeIndex, const ANALYSIS_RESULT_ITEM& result);

    std::vector<KNOWN_FREQ_RANGE> m_ranges;
    std::vector<KNOWN_FREQ_DETECTION> m_detections;
    std::vector<int> m_selected;
    CFftAnalysis m_analysis;
    IGarmConv* m_pGarmConv = nullptr;
    IMultiAdf4350* m_pMultiAdf = nullptr;
};
