#pragma once

#include <QByteArray>

// The directory page of an analyser memory image: how many spectrogram records and named analyses it
// holds and where the spectrogram, analysis and pattern regions start (byte offsets, 0 = absent).
// Bytes beyond the image's end read as 0, so a short or empty image decodes to an empty directory.
struct MEMORY_DIRECTORY
{
    int spectrogramCount = 0;
    int analysisCount = 0;
    int spectrogramOffset = 0;
    int analysisOffset = 0;
    int patternOffset = 0;
};

class CMemoryDirectory
{
public:
    static constexpr int kPageSize = 512;
    static constexpr int kSpectrogramRecordSize = 1024;
    static constexpr int kAnalysisUnitSize = 4608;
    // The device counts records in seven bits; a directory byte with the top bit set is clamped so that
    // no offset runs past what the device can hold.
    static constexpr int kMaxCount = 127;
    // Byte 15 of a valid image.
    static constexpr char kCheckByte = 0x3D;

    static MEMORY_DIRECTORY Decode(const QByteArray& image);
    // A byte of the image, 0 beyond its end.
    static int Byte(const QByteArray& image, int offset);
    static bool HasCheckByte(const QByteArray& image) { return Byte(image, 15) == kCheckByte; }
};
