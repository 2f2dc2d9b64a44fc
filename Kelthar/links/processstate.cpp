#include "processstate.h"

CoreProcessState& TheCoreProcessState()
{
    static CoreProcessState state;
    return state;
}
