#pragma once

#include "ifpgainterface.h"

// Gain of the acoustic input. Gain indexes 0..7 map to 0, 0, 6, 12, 18, 24, 30, 36 dB; the scale is the
// matching linear factor. A member of the control-bits object.
class IAcousticControl : public IFPGAInterface
{
public:
    // Sets the gain and the gain index together.
    virtual void SetGain(int gain) = 0;
    virtual int GetGain() = 0;
    // Sets the gain index only (the wired-line gain rows drive it).
    virtual void SetGainIndex(int index) = 0;
    virtual int GetGainIndex() = 0;
    virtual int GetGainDb() = 0;
    virtual int GetGainScale() = 0;
};
