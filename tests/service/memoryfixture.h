#pragma once

// A small analyser memory image as the analyser would hold it after a survey: two spectrogram records
// (an FM broadcast scan and a microwave scan), the manual analysis and one named analysis with a few
// signals each, and a pattern of 599 x 256 samples shaped like a range sweep with three peaks. The
// values are made up to exercise every field the window shows; the layout is the analyser's.

#include <QByteArray>

#include <cmath>
#include <cstdint>

namespace memoryfixture
{
constexpr int kRecords = 2;
constexpr int kAnalyses = 1;
constexpr int kManual = 512 + 1024 * kRecords;  // the manual analysis's header
constexpr int kNamed = kManual + 4608;
constexpr int kPattern = kNamed + 4608;
constexpr int kPatternSamples = 599 * 256;

inline void Put(QByteArray& b, int at, int v)
{
    b[at] = static_cast<char>(v);
}

inline void Put16(QByteArray& b, int at, int v)
{
    Put(b, at, v & 0xFF);
    Put(b, at + 1, (v >> 8) & 0xFF);
}

inline void Put32(QByteArray& b, int at, uint32_t v)
{
    Put16(b, at, static_cast<int>(v & 0xFFFF));
    Put16(b, at + 2, static_cast<int>(v >> 16));
}

inline void PutName(QByteArray& b, int header, const char* name)
{
    for (int i = 0; name[i] != '\0' && i < 21; ++i)
        Put(b, header + 32 + i, name[i]);
}

inline void PutEntry(QByteArray& b, int table, int index, int flags, uint32_t freqHz, int level,
                     int reference, int firstBin, int lastBin, int spanRow)
{
    const int at = table + 20 * index;
    Put(b, at, flags);
    Put32(b, at + 8, freqHz);
    Put16(b, at + 12, level);
    Put16(b, at + 14, reference);
    Put(b, at + 16, firstBin);
    Put(b, at + 18, lastBin);
    Put(b, at + 19, spanRow);
}

// A bump of `height` tenths of a dB at `centre` over a floor, for sample i of n.
inline int Bump(int i, double centre, double width, int height)
{
    const double x = (i - centre) / width;
    return static_cast<int>(height * std::exp(-x * x));
}

inline QByteArray Image()
{
    QByteArray image(kPattern + 512 + 2 * kPatternSamples, '\0');
    Put(image, 0, kRecords);
    Put(image, 5, kAnalyses);
    Put(image, 9, 1);
    Put(image, 12, 1);
    Put(image, 14, 0x42);
    Put(image, 15, 0x3D);

    // Record 0: radio input, 2 MHz span (span code 9 of the radio map is row 2), FM band.
    const int r0 = 512;
    Put(image, r0, 't');
    Put(image, r0 + 1, 0);
    Put(image, r0 + 28, 9);
    Put(image, r0 + 64, 1);
    PutName(image, r0, "FM 88-108");
    for (int i = 0; i < 256; ++i)
        Put16(image, r0 + 512 + 2 * i, 300 + (i * 37) % 40 + Bump(i, 80, 6, 450) + Bump(i, 170, 10, 300));
    // Record 1: microwave input, the band given explicitly (1 GHz in units of 256 Hz).
    const int r1 = r0 + 1024;
    Put(image, r1, 't');
    Put(image, r1 + 1, 4);
    Put(image, r1 + 16, 1);
    Put32(image, r1 + 80, 1000000000u / 256u);
    Put(image, r1 + 64, 4);
    PutName(image, r1, "X BAND 8-12");
    for (int i = 0; i < 256; ++i)
        Put16(image, r1 + 512 + 2 * i, 200 + (i * 53) % 30 + Bump(i, 128, 20, 350));

    // The manual analysis: two signals, no reference.
    Put(image, kManual, 't');
    Put(image, kManual + 64, 1);
    PutName(image, kManual, "MANUAL");
    PutEntry(image, kManual + 512, 0, 0x15, 433920000u, -612, 0, 100, 104, 3);
    PutEntry(image, kManual + 512, 1, 0x05, 868300000u, -705, 0, 50, 52, 5);
    // A named analysis: four signals, one of them deleted, one marked green.
    Put(image, kNamed, 't');
    Put(image, kNamed + 64, 1);
    PutName(image, kNamed, "CITY SCAN");
    PutEntry(image, kNamed + 512, 0, 0x05, 98500000u, -450, -820, 10, 60, 0);
    PutEntry(image, kNamed + 512, 1, 0x35, 145500000u, -702, -850, 20, 22, 4);
    PutEntry(image, kNamed + 512, 2, 0x1D, 446000000u, -650, -800, 5, 9, 2);
    PutEntry(image, kNamed + 512, 3, 0x15, 2437000000u, -580, -760, 30, 80, 0);

    // The pattern: its 512-byte header, then the samples of a whole range sweep.
    Put(image, kPattern, 'p');
    for (int i = 0; i < kPatternSamples; ++i)
    {
        const int level = 250 + (i * 7919) % 60 + Bump(i, 12000, 900, 500) + Bump(i, 60000, 2500, 380) +
                          Bump(i, 118000, 1200, 430);
        Put16(image, kPattern + 512 + 2 * i, level);
    }
    return image;
}
}  // namespace memoryfixture
