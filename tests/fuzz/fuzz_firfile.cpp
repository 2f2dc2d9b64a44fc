// Feeds arbitrary text to the FIR file parser and checks what it promises: a refused text leaves the
// area cleared, an accepted one fills at most the 512 words with 24-bit values.

#include <cstdint>
#include <cstdlib>

#include "firfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFirFile::Area area;
    area.fill(-1);
    int32_t count = -1;
    const bool ok = CFirFile::Parse(reinterpret_cast<const char*>(data), size, area, count);
    if (!ok && count != 0)
        std::abort();
    if (ok && (count <= 0 || count > static_cast<int32_t>(CFirFile::kAreaWords)))
        std::abort();
    for (size_t i = 0; i < area.size(); ++i)
    {
        if (!ok && area[i] != 0)
            std::abort();
        if (area[i] > CFirFile::kFullScale || area[i] < -CFirFile::kFullScale)
            std::abort();
        if (static_cast<int32_t>(i) >= count && area[i] != 0)
            std::abort();
    }
    return 0;
}
