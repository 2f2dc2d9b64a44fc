#pragma once

#include <cstdint>

// The latch settings one core last sent to the front-end unit with "Set". Each core keeps its own, so
// that a core's first command always goes out; the antenna input is process-wide (CFrontEndLink).
struct FRONTEND_LATCH
{
    // -1 until the first command: no filter code equals it, so that command is never skipped.
    int32_t filterCode = -1;
    int32_t amplifierCode = 0;
    int32_t attenuatorCode = 0;
    int32_t attenuatorLevel = 0;
};
