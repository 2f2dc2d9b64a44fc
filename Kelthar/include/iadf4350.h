#pragma once

#include <cstdint>

#include "ifpgainterface.h"

// The scanning synthesizer of the front-end unit and the scan plan run with it: frequency limits, scan
// range, DDC frequency, scan speed and block size, tune step, and nine rows of harmonic corrections
// loaded from the program's correction table. A member of the control-bits object. Frequencies are MHz
// unless a name says Hz. A correction row of -1 means the current harmonic row (GetGroupBlocks); only
// the getters accept it.
class IAdf4350 : public IFPGAInterface
{
public:
    // Also sets the synthesizer register word to its working value.
    virtual void SetReferenceFreq(double freqHz) = 0;
    virtual void SetEnabled(bool on) = 0;
    // Long-scan flag: the control-block build sets it while the scan range spans more than one capture.
    virtual void SetFlag3(bool on) = 0;
    virtual void SetScanRange(double start, double stop) = 0;
    virtual void SetFreqLimits(double min, double max) = 0;
    virtual void SetQuasiIQ(bool on) = 0;
    virtual void SetQuasiIQDiff(bool on) = 0;
    virtual void SetHalfBandEnable(bool on) = 0;
    virtual void SetScanSpeed(uint8_t speed) = 0;
    // Values of 0 or below are ignored.
    virtual void SetDdcFreq(double freq) = 0;
    virtual void SetOnlyDdc(bool on) = 0;
    virtual void SetWithoutDdc(bool on) = 0;
    virtual void SetGroupBlocks(int groupBlocks) = 0;
    virtual void SetValue37(int value) = 0;
    virtual int GetScanTuneStep() = 0;
    // Wraps back to 7 past the limit the reference frequency sets.
    virtual void NextScanTuneStep() = 0;
    // Stops at 7.
    virtual void PrevScanTuneStep() = 0;
    virtual void SetLpfFilter(uint8_t filter) = 0;
    virtual void SetValue44(uint16_t value) = 0;
    virtual void SetToggleA(uint8_t value) = 0;
    virtual void SetToggleB(uint8_t value) = 0;
    virtual void SetValue47(uint8_t value) = 0;
    virtual void FlipToggleA() = 0;
    virtual void FlipToggleB() = 0;
    virtual bool IsEnabled() = 0;
    virtual bool IsFlag3() = 0;
    virtual bool IsQuasiIQ() = 0;
    virtual bool IsQuasiIQDiff() = 0;
    virtual bool IsHalfBandEnable() = 0;
    virtual uint8_t GetScanSpeed() = 0;
    virtual double GetDdcFreq() = 0;
    virtual uint16_t GetFreqDdcInt() = 0;
    virtual uint16_t GetFreqStartInt() = 0;
    virtual bool IsOnlyDdc() = 0;
    virtual bool IsWithoutDdc() = 0;
    virtual int GetGroupBlocks() = 0;
    virtual int GetValue37() = 0;
    virtual uint8_t GetBlockSize() = 0;
    virtual double GetMinFreq() = 0;
    virtual double GetMaxFreq() = 0;
    virtual double GetStartFreq() = 0;
    virtual double GetStopFreq() = 0;
    virtual uint8_t GetLpfFilter() = 0;
    virtual uint16_t GetValue44() = 0;
    virtual uint8_t GetToggleA() = 0;
    virtual uint8_t GetToggleB() = 0;
    virtual uint8_t GetValue47() = 0;
    // Same value as GetBlockSize.
    virtual uint8_t GetSize() = 0;
    // Width of one point of a long-scan block, in Hz.
    virtual double GetFreqOnGarm() = 0;
    // Number of points of the range spectrum; the program divides the scan range by it for its axis.
    virtual int GetNumberGarms() = 0;
    virtual uint16_t GetRegisterWord() = 0;
    virtual void SetRegisterWord(uint16_t word) = 0;
    virtual double GetCorrAmpl(int row) = 0;
    virtual uint16_t GetShiftGarm(int row) = 0;
    virtual uint16_t GetShiftFrac(int row) = 0;
    virtual void SetCorrAmpl(int row, double value) = 0;
    virtual void SetShiftGarm(int row, uint16_t value) = 0;
    virtual void SetShiftFrac(int row, uint16_t value) = 0;
    // Clamps the caller's range to the limits in place, derives the scan block size from its span and
    // returns that size (points per block / 128).
    virtual int ClampScanRange(double* start, double* stop) = 0;
    // Set when the scan plan changed so the range calculator rebuilds its window; the program clears it
    // after each fetch.
    virtual void SetFetchFlag(bool on) = 0;
};
