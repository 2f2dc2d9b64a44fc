#include "memorydirectory.h"

#include <algorithm>

#include "memoryreader.h"

int CMemoryDirectory::Byte(const QByteArray& image, int offset)
{
    return CMemoryReader(image).U8(offset);
}

MEMORY_DIRECTORY CMemoryDirectory::Decode(const QByteArray& image)
{
    MEMORY_DIRECTORY dir;
    const int spectrograms = std::min(Byte(image, 0), kMaxCount);
    const int analyses = std::min(Byte(image, 5), kMaxCount);
    const bool manual = Byte(image, 9) != 0;
    const bool pattern = Byte(image, 12) != 0;

    if (spectrograms != 0)
    {
        dir.spectrogramCount = spectrograms;
        dir.spectrogramOffset = kPageSize;
    }
    const int afterSpectrograms = kPageSize + kSpectrogramRecordSize * spectrograms;
    dir.patternOffset = afterSpectrograms;
    // The manual analysis occupies unit 0 whenever named analyses exist, stored or not.
    if (analyses != 0)
    {
        dir.analysisCount = analyses;
        dir.analysisOffset = afterSpectrograms;
        dir.patternOffset += kAnalysisUnitSize + kAnalysisUnitSize * analyses;
    }
    else if (manual)
    {
        dir.analysisOffset = afterSpectrograms;
        dir.patternOffset += kAnalysisUnitSize;
    }
    if (!pattern)
        dir.patternOffset = 0;
    return dir;
}
