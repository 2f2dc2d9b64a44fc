#pragma once

// The common base of every interface the library hands out. Only the core, the control-bits object
// and the sound engine hand out sub-objects; everyone else refuses every id and leaves *out alone.
class IFPGAInterface
{
public:
    virtual bool GetInterface(int id, void** out)
    {
        (void)id;
        (void)out;
        return false;
    }
    virtual ~IFPGAInterface() = default;
};
