// Hands arbitrary bytes to the regional window's file reader and checks what it promises: no crash,
// every range it returns has finite numbers and a start below its end, and what it read is written
// and read back to the same ranges, the second writing byte-identical to the first.

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "knownfreqregionfile.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Same(const KNOWN_FREQ_RANGE& a, const KNOWN_FREQ_RANGE& b)
{
    return a.Name == b.Name && a.StartFreq == b.StartFreq && a.EndFreq == b.EndFreq && a.Band == b.Band &&
           a.Step == b.Step && a.StartChannel == b.StartChannel && a.EndChannel == b.EndChannel &&
           a.Averaging == b.Averaging;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<KNOWN_FREQ_RANGE> ranges;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (!KnownFreqRegionFile::Parse(bytes, &ranges))
    {
        Check(ranges.empty());
        return 0;
    }
    for (const KNOWN_FREQ_RANGE& range : ranges)
    {
        Check(std::isfinite(range.StartFreq) && std::isfinite(range.EndFreq) && std::isfinite(range.Band) &&
              std::isfinite(range.Step));
        Check(range.StartFreq < range.EndFreq);
    }
    const QByteArray written = KnownFreqRegionFile::Serialize(ranges);
    std::vector<KNOWN_FREQ_RANGE> again;
    Check(KnownFreqRegionFile::Parse(written, &again));
    Check(again.size() == ranges.size());
    for (size_t i = 0; i < ranges.size(); ++i)
        Check(Same(again[i], ranges[i]));
    Check(KnownFreqRegionFile::Serialize(again) == written);
    return 0;
}
