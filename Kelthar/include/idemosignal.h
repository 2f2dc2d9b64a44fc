#pragma once

#include "ifpgainterface.h"

// The synthetic signal that fills the acquisition block in demo mode, so every view has something to
// show without hardware. A member of the core.
class IDemoSignal : public IFPGAInterface
{
public:
    // Address of the demo parameters; the first double is the number of blocks filled so far, which the
    // debug overlay shows.
    virtual const double* GetParams() = 0;
    ~IDemoSignal() override = default;
};
