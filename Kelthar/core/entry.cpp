#include <new>

#include "kelthar.h"
#include "kelthar_core.h"

extern "C" KELTHAR_API bool FPGAQueryInterface(IKelthar** out)
{
    if (!out)
        return false;
    *out = new CKelthar();
    return true;
}
