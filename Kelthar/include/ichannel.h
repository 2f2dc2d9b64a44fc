#pragma once

#include <string>

#include "ifpgainterface.h"

// One input channel of the device: its type (0 and 3 synthesizer-scanned radio, 4 wired line, 5 optical,
// 6 acoustic), names, sampling rate in Hz, the frequency limits in MHz that tuning and the band buttons
// use, and three rows of level corrections loaded from the program's correction tables. Owned by the
// control-bits object; a pointer stays valid until the next AddChannel or ClearChannels.
// The two triples are indexed 0..2; the eight-value row is indexed 1..8, like its file line. Indexes
// are the caller's to keep in range.
class IChannel : public IFPGAInterface
{
public:
    virtual int GetType() = 0;
    virtual std::wstring GetName() = 0;
    virtual std::wstring GetShortName() = 0;
    virtual double GetSampleRate() = 0;
    virtual double GetStartFreq() = 0;
    virtual double GetStopFreq() = 0;
    virtual double GetViewStopFreq() = 0;
    virtual double GetUpperLimit() = 0;
    virtual double GetOscCorrection(int i) = 0;
    // dB correction of the range, DDC and demodulator spectra (index 0, 1, 2).
    virtual double GetDbmCorrection(int i) = 0;
    // dB correction per synthesizer band, 1..8.
    virtual double GetDbmCorrection2(int i) = 0;
    // The setters that take an index return it; callers ignore the result.
    virtual int SetType(int type) = 0;
    virtual void SetName(const std::wstring& name) = 0;
    virtual void SetSampleRate(double rateHz) = 0;
    virtual void SetStartFreq(double freqMHz) = 0;
    // Also moves the view stop and the upper limit; set a different view stop afterwards.
    virtual void SetStopFreq(double freqMHz) = 0;
    virtual void SetViewStopFreq(double freqMHz) = 0;
    virtual void SetUpperLimit(double freqMHz) = 0;
    virtual int SetOscCorrection(int i, double value) = 0;
    virtual int SetDbmCorrection(int i, double value) = 0;
    virtual int SetDbmCorrection2(int i, double value) = 0;
};
