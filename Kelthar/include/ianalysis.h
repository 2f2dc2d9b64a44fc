#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archivesignalentry.h"

class IGarmConv;

// One signal found by the full-range analysis: a run of spectrum points above the threshold trace.
// Frequencies are in the converter's unit (MHz).
struct ANALYSIS_RESULT_ITEM
{
    // 0 present (also found by the previous analysis), 2 new, 3 gone (reported once, then dropped),
    // 255 removed by the operator (the analysis skips such items).
    int32_t status = 0;
    double peakFreq = 0.0;   // frequency of the highest point
    double startFreq = 0.0;  // first point of the run
    double endFreq = 0.0;    // last point of the run
    double level = 0.0;      // highest level of the run, dBm
    double excess = 0.0;     // that level above the threshold at the same point, dB
    int32_t iSwitch = 0;     // switch number of the peak point (IGarmConv::GetValue)
    std::wstring ident;      // name of the library band that holds the peak; empty when none does
};

// Full-range analysis: finds signals in a range spectrum against a threshold trace built from the
// spectra fed to it, names them after the library band table and compares each analysis with the
// previous one, so that new, present and gone signals can be told apart. Spans of the enabled
// templates are blanked so that known signals are not reported. Levels in dBm, offsets in dB.
class IAnalysis
{
public:
    // The converter must be set before the first Start; it is not owned.
    virtual void SetGarmConv(IGarmConv* conv) = 0;
    // Rebuilds the threshold trace from the spectrum. The count is only stored and handed back by
    // GetAverage (the program passes its level correction shift).
    virtual void AddSpectrum(const std::vector<double>& spectrum, int count) = 0;
    // One whole analysis, finished when the call returns. A spectrum whose length differs from the
    // last one fed to AddSpectrum is ignored. noHistory takes the results as they are, without the
    // comparison with the previous analysis.
    virtual void Start(const std::vector<double>& spectrum,
                       const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, bool noHistory,
                       const std::vector<double>& levels) = 0;
    // Set by the first completed Start and never cleared.
    virtual bool IsFinished() = 0;
    // The published results; the caller may change status and ident in place.
    virtual std::vector<ANALYSIS_RESULT_ITEM>& GetResults() = 0;
    // thresholdMode 0 = fixed level (fixedThreshold, dBm), otherwise the running average of the spectrum
    // plus thresholdOffset (dB) over averagingLength points; hysteresis (dB) keeps a known signal present
    // that far below the threshold; merge joins neighbouring results of one switch number; region is the
    // bit tested in the band table's region mask, -1 keeps the stored one.
    virtual void SetParameters(int thresholdMode, double fixedThreshold, double thresholdOffset,
                               int averagingLength, double hysteresis, bool merge, int region) = 0;
    // The threshold trace; *count receives the count given with the last AddSpectrum.
    virtual const std::vector<double>& GetAverage(int* count) = 0;
    // Forgets the previous analysis (the next one reports everything as new); the published results stay.
    virtual void ClearResults() = 0;
    virtual ~IAnalysis() = default;
};
