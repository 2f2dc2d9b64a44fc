#pragma once

#include <cstdint>
#include <vector>

#include "archivesignalentry.h"
#include "freqbanditem.h"

class IGarmConv;
class IMultiAdf4350;
class ICalcFft;
class ICalcMultiFft;

// One channel of a known-frequency range, edges in MHz.
struct KNOWN_FREQ_CHANNEL
{
    int32_t channel = 0;  // channel number
    double lowFreq = 0.0;
    double highFreq = 0.0;
};

// A known frequency range (a mobile or radio band with a channel raster): the band-table fields, plus
// the channel list that the detector builds from them. Operations that take a range copy only the
// band-table fields and rebuild the channels.
struct KNOWN_FREQ_RANGE : FREQ_BAND_ITEM
{
    std::vector<KNOWN_FREQ_CHANNEL> channels;
};

// One channel of a selected range that carries a signal.
struct KNOWN_FREQ_DETECTION
{
    int32_t rangeIndex = 0;  // index into the detector's ranges
    // The signal's start, peak and end as spectrum point indexes (IGarmConv::FreqToIndex).
    int32_t startIndex = 0;
    int32_t peakIndex = 0;
    int32_t endIndex = 0;
    double level = 0.0;   // peak level, dBm
    int32_t channel = 0;  // number of the channel whose edges hold the peak
};

// Reports which channels of the selected known-frequency ranges carry a signal: every spectrum goes
// through an analysis of its own, and each result whose peak lies strictly inside a channel of a
// selected range becomes a detection.
class IKnownFreqDetect
{
public:
    // Neither is owned. The multi-synthesizer set decides which calculator ProcessSpectrum reads.
    virtual void SetGarmConv(IGarmConv* conv, IMultiAdf4350* multiAdf) = 0;
    virtual void AddRange(const KNOWN_FREQ_RANGE& range) = 0;
    // Null for an index outside the list; valid until the list changes.
    virtual const KNOWN_FREQ_RANGE* GetRange(int index) = 0;
    virtual void SetRange(int index, const KNOWN_FREQ_RANGE& range) = 0;
    virtual int GetRangeCount() = 0;
    // Also drops the range from the selection and renumbers the selected ranges after it, so the
    // selection keeps pointing at the same ranges.
    virtual void RemoveRange(int index) = 0;
    // Empties the ranges and the selection.
    virtual void ClearRanges() = 0;
    // The selection becomes this one range.
    virtual void SelectRange(int index) = 0;
    virtual void SelectRanges(const std::vector<int>& indexes) = 0;
    virtual const std::vector<int>& GetSelectedRanges() = 0;
    // Analyses the current range spectrum (the multi-range calculator's current range while the
    // multi-synthesizer set is enabled) and rebuilds the detections. Template spans (MHz) are left out.
    virtual void ProcessSpectrum(ICalcFft* rangeFft, ICalcMultiFft* multiFft,
                                 const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates) = 0;
    virtual std::vector<KNOWN_FREQ_DETECTION> GetDetections() = 0;
    virtual ~IKnownFreqDetect() = default;
};
