#pragma once

#include <QByteArray>
#include <QIODevice>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// One synthesizer correction row of "adf_corr.dat": amplitude correction and the fractional and
// harmonic shifts.
struct ADF_CORRECTION_ROW
{
    double amplitude = 0.0;
    uint16_t fracShift = 0;
    uint16_t garmShift = 0;
};

// What was read from "osc_corr.dat" or "dbm_corr.dat": the three values of each channel in channel
// order, as far as the file held well-formed lines; the eight per-band dBm corrections (indexes 1 to 8)
// that follow channel 0's line in the dBm file; and whether every expected line was well formed. A
// reader applies what is there even when the file is incomplete: the values before the bad line stay.
struct CHANNEL_CORRECTIONS
{
    std::vector<std::array<double, 3>> channels;
    std::optional<std::array<double, 8>> bands;
    bool complete = false;
};

// The text layouts of the device's three calibration files, without the files and the library: lines
// of numbers in the C locale separated by exactly one blank, so that a file written on one machine reads
// the same on every other whatever its locale.
class CCorrectionFiles
{
public:
    static constexpr int kAdfRows = 9;
    static constexpr int kBandCorrections = 8;

    // Nine lines; a line that does not hold exactly three fields (two blanks in a row count as an empty
    // field) leaves its row empty, and missing lines read as empty.
    static std::array<std::optional<ADF_CORRECTION_ROW>, kAdfRows> ReadAdf(QIODevice& in);
    // One line of three fields per channel; with withBands (the dBm file) one line of eight fields right
    // after channel 0's. Reading stops at the first line of another shape.
    static CHANNEL_CORRECTIONS ReadChannels(QIODevice& in, int channelCount, bool withBands);

    // "%g"-style amplitudes (six significant digits) and decimal shifts, "\n" line ends.
    static QByteArray FormatAdf(const std::array<ADF_CORRECTION_ROW, kAdfRows>& rows);
    // Fixed notation with `decimals` decimals, "\r\n" line ends; the band line only when bands is set.
    static QByteArray FormatChannels(const CHANNEL_CORRECTIONS& values, int decimals);

    // A field as a C-locale number; anything else, infinities and NaN included, is 0.0.
    static double ToNumber(const QByteArray& field);
    // A shift field truncated toward zero and kept in the 16 bits the library stores.
    static uint16_t ToShift(const QByteArray& field);
};
