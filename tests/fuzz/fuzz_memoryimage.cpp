// Hands arbitrary bytes to the memory-image decoder as the device-memory window uses it: the directory,
// every listed record with its caption, name range, band and levels, every listed analysis's signal
// table, the pattern trace, and each delete. No read may leave the image or a table (the sanitizers
// see to that); a delete never changes the image's size; a listed index stays below its count.
//
// The seeds in corpus/memoryimage/ are synthetic images written byte by byte from the image layout:
// the directory examples (no regions; two records, the manual analysis and a pattern at 7168; three
// analyses and a pattern at 18,944), files of 0, 1 and 15 bytes and one without the check byte, counts
// of 200 and 255, records past the image end, headers with input type 200, span code 60, span-map
// values 98 and 99, input setting 9, mode byte 255, step indexes of 200 and an explicit band, a name
// of 21 bytes without terminator, a signal table cut by the image end, and patterns that end before
// or right after their header.

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "memorydirectory.h"
#include "memoryimage.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckHeader(const QByteArray& header, const std::vector<short>& samples)
{
    double value = 0.0;
    CMemoryImage::BandHz(header, value);
    Check(std::isfinite(value));
    CMemoryImage::NameRange(header);
    for (short sample : samples)
    {
        if (CMemoryImage::LevelToDbm(header, sample, value))
            Check(std::isfinite(value));
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray image(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const int imageSize = image.size();
    const MEMORY_DIRECTORY dir = CMemoryDirectory::Decode(image);
    Check(dir.spectrogramCount >= 0 && dir.spectrogramCount <= CMemoryDirectory::kMaxCount);
    Check(dir.analysisCount >= 0 && dir.analysisCount <= CMemoryDirectory::kMaxCount);

    const std::vector<MEMORY_RECORD_ITEM> records = CMemoryImage::Spectrograms(image, dir);
    for (const MEMORY_RECORD_ITEM& record : records)
    {
        Check(record.index >= 0 && record.index < dir.spectrogramCount);
        CheckHeader(CMemoryImage::Header(image, record.offset),
                    CMemoryImage::RecordSamples(image, record.offset));
    }
    const std::vector<MEMORY_RECORD_ITEM> analyses = CMemoryImage::Analyses(image, dir, QString());
    for (const MEMORY_RECORD_ITEM& analysis : analyses)
    {
        // Unit 0 is the manual analysis; named ones follow it, so the index reaches the count but not
        // beyond.
        Check(analysis.index >= 0 && analysis.index <= dir.analysisCount);
        const int entries = CMemoryImage::EntriesInImage(image, dir, analysis.index);
        Check(entries >= 0 && entries <= CMemoryImage::kSignalEntries);
        QByteArray table = CMemoryImage::SignalTable(image, dir, analysis.index);
        Check(table.size() == CMemoryImage::kSignalTableSize);
        for (const MEMORY_SIGNAL_ITEM& entry : CMemoryImage::Signals(table, entries, analysis.index == 0))
        {
            Check(entry.index >= 0 && entry.index < entries);
            Check(std::isfinite(entry.bandwidthMHz) && entry.bandwidthMHz >= 0.0);
            Check(CMemoryImage::FlagSignalDeleted(table, entry.index));
        }
        CMemoryImage::WriteSignalTable(image, CMemoryImage::SignalTableOffset(dir, analysis.index), table);
        Check(image.size() == imageSize);
    }
    const QByteArray listingHeader = CMemoryImage::ListingHeader(image, dir);
    CheckHeader(listingHeader, CMemoryImage::PatternSamples(image, dir));

    // Every delete the window can make, and some it must refuse.
    for (const MEMORY_RECORD_ITEM& record : records)
        Check(CMemoryImage::DeleteRecord(image, record.offset));
    for (const MEMORY_RECORD_ITEM& analysis : analyses)
        Check(CMemoryImage::DeleteRecord(image, analysis.offset));
    CMemoryImage::DeleteRecord(image, CMemoryImage::SpectrogramOffset(dir, -1));
    CMemoryImage::DeleteRecord(image, CMemoryImage::AnalysisOffset(dir, dir.analysisCount + 1));
    Check(image.size() == imageSize);
    // Deleted records are listed no more.
    Check(CMemoryImage::Spectrograms(image, dir).empty());
    Check(CMemoryImage::Analyses(image, dir, QString()).empty());
    return 0;
}
