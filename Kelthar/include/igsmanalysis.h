#pragma once

#include <vector>

#include "ifpgainterface.h"

// Levels per channel of an evenly spaced channel plan (a GSM band, for instance), averaged over a
// cycle of spectra. Spectra are in dBm; the band values share one frequency unit (the program uses
// MHz), counted from the first spectrum point.
class IGsmAnalysis : public IFPGAInterface
{
public:
    virtual bool IsRunning() = 0;
    // startOffset: first channel from the first spectrum point; spanWidth: what the whole spectrum covers.
    virtual void SetBand(double startOffset, int channelCount, double channelStep, double spanWidth) = 0;
    // channelMode: 0 maximum, 1 mean of a channel's points. averagingMode over the cycle: 0 last value,
    // 1 peak hold, 2 mean, 3 root mean square (given as a negative level). Restarts the cycle.
    virtual void SetAveraging(int cycleLength, int channelMode, int averagingMode) = 0;
    // Always true.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
    virtual void Process(const std::vector<double>& spectrum) = 0;
    // True from the end of a complete cycle until the next Process.
    virtual bool IsReady() = 0;
    // One level per channel, dBm; -80.0 for a channel that runs past the spectrum.
    virtual const std::vector<double>& GetResults() = 0;
};
