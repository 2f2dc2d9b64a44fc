#pragma once

#include "ifpgainterface.h"

// The list of scan ranges of the multi-range sweep. While enabled, every control-block build moves the
// synthesizer on to the next range (wrapping to the first). A member of the control-bits object.
// Frequencies are MHz; range indexes are the caller's to keep below the count.
class IMultiAdf4350 : public IFPGAInterface
{
public:
    virtual void SetEnabled(bool on) = 0;
    virtual void SetSelected(bool on) = 0;
    // Appends a range and makes the first range the current one.
    virtual void AddRange(double start, double stop) = 0;
    virtual void SetRange(int index, double start, double stop) = 0;
    virtual int GetRangeCount() = 0;
    virtual void ClearRanges() = 0;
    virtual bool IsEnabled() = 0;
    virtual bool IsSelected() = 0;
    // Steps to the next range and sets it on the synthesizer, clamped to its limits.
    virtual void NextRange() = 0;
    // Index of the range being swept now; -1 before any range was added.
    virtual int GetCurrentRange() = 0;
    ~IMultiAdf4350() override = default;
};
