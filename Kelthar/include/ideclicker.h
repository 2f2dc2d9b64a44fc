#pragma once

#include <vector>

#include "ifpgainterface.h"

// Cleaning of demodulated sample blocks: click removal, a denoise stage and a 7-point median filter,
// each switched separately. It belongs to the sound engine.
class IDeclicker : public IFPGAInterface
{
public:
    // Does nothing; kept so that the operations keep their places.
    virtual void Reset() = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual void SetDeclick(bool on) = 0;
    virtual void SetDenoise(bool on) = 0;
    virtual void SetMf(bool on) = 0;  // median filter
    virtual bool GetEnabled() = 0;
    virtual bool GetDeclick() = 0;
    virtual bool GetDenoise() = 0;
    virtual bool GetMf() = 0;
    virtual void Process(const std::vector<double>& in, std::vector<double>& out) = 0;
};
