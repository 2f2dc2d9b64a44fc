#pragma once

#include <cstdint>

#include "icommonfft.h"
#include "ifpgainterface.h"

// A single-spectrum FFT calculator: range (32768-point transform), DDC or demodulator (4096-point), as
// chosen by the id it was asked for. Made new for every request; the caller owns it.
class ICalcFft : public IFPGAInterface, public virtual ICommonFft
{
public:
    // rateIndex 0 keeps half of the transform (16384 or 2048 points); 1 keeps the whole transform with
    // its halves exchanged so that the spectrum is centred.
    virtual void Init(uint8_t rateIndex) = 0;
};
