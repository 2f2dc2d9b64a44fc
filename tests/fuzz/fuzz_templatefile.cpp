// Hands arbitrary bytes to the template file's reader and checks what it promises: no crash, every
// range it returns has finite bounds, and what it read is written and read back to the same ranges,
// the second writing byte-identical to the first.

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "templatefile.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameBounds(const std::vector<ARCHIVE_SIGNAL_ENTRY>& a, const std::vector<ARCHIVE_SIGNAL_ENTRY>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].FreqBegin != b[i].FreqBegin || a[i].FreqEnd != b[i].FreqEnd)
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const std::vector<ARCHIVE_SIGNAL_ENTRY> ranges = CTemplateFile::Read(input);
    for (const ARCHIVE_SIGNAL_ENTRY& range : ranges)
        Check(std::isfinite(range.FreqBegin) && std::isfinite(range.FreqEnd));

    const QByteArray written = CTemplateFile::Write(ranges);
    const std::vector<ARCHIVE_SIGNAL_ENTRY> reread = CTemplateFile::Read(written);
    Check(SameBounds(reread, ranges));
    Check(CTemplateFile::Write(reread) == written);
    return 0;
}
