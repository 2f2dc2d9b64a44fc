#pragma once

#include <QByteArray>

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

// The contents of "osc_corr.dat" or "dbm_corr.dat": the three values of each channel in channel order,
// and the eight per-band dBm corrections (indexes 1 to 8) that follow channel 0's line in the dBm file.
struct CHANNEL_CORRECTIONS
{
    std::vector<std::array<double, 3>> channels;
    std::optional<std::array<double, 8>> bands;
};

// The text layouts of the device's three calibration files, without the files and the library: lines
// of numbers in the C locale, so that a file written on one machine reads the same on every other
// whatever its locale.
//
// The readers take a whole file and give either all of it or nothing: the calibration in the library
// is either the old one or the file's, never half of each. What a line may look like:
// - fields are separated by blanks or tabs, any number of them; whitespace around a line and a
//   carriage return before its "\n" are ignored (files from other systems carry "\r\n");
// - a field is a finite decimal number ("nan", "inf", "1,5", "0x10" and exponents beyond a double's
//   range are refused);
// - blank lines after the last line that holds anything do not belong to the table, so a final line end
//   or an editor's extra empty lines do no harm; a blank line before it takes a row's or a channel's
//   place and is refused like any line of the wrong shape. Everything FormatAdf and FormatChannels
//   write (a "\n" or "\r\n" after every line) reads back under these rules;
// - a line beyond the table's last one is refused, not skipped: such a file was written for another
//   channel layout or is another table (a dBm file picked for the oscilloscope table begins with a line
//   the oscilloscope table would take), and loading its first lines would put values where they do not
//   belong.
class CCorrectionFiles
{
public:
    static constexpr int kAdfRows = 9;
    static constexpr int kBandCorrections = 8;
    // A calibration file is a few hundred bytes; a file beyond this is no calibration file, and the
    // loaders do not read it whole into memory to find that out.
    static constexpr qint64 kMaxFileBytes = 1 << 20;

    // Rows from row 0, three fields each (amplitude, fractional and harmonic shift). A file of fewer
    // than nine rows was written for a synthesizer with fewer rows and gives just those; the caller
    // keeps the rest. A file without a single row gives nothing.
    static std::optional<std::vector<ADF_CORRECTION_ROW>> ReadAdf(const QByteArray& text);
    // One line of three fields per channel, every channel's; with withBands (the dBm file) one line of
    // eight fields right after channel 0's.
    static std::optional<CHANNEL_CORRECTIONS> ReadChannels(const QByteArray& text, int channelCount,
                                                           bool withBands);

    // "%g"-style amplitudes (six significant digits) and decimal shifts, "\n" line ends. Nothing when a
    // value is NaN or infinite: no file is written that its reader would refuse.
    static std::optional<QByteArray> FormatAdf(const std::array<ADF_CORRECTION_ROW, kAdfRows>& rows);
    // Fixed notation with `decimals` decimals, "\r\n" line ends; the band line only when bands is set.
    // Nothing when a value is NaN or infinite.
    static std::optional<QByteArray> FormatChannels(const CHANNEL_CORRECTIONS& values, int decimals);

    // A field as a finite C-locale decimal number; nothing for anything else.
    static std::optional<double> ToNumber(const QByteArray& field);
    // A shift field: a number truncated toward zero (2.9 gives 2, -0.5 gives 0) that must then fit the
    // 16 bits the library stores, 0 to 65535; -1 or 70000 give nothing rather than a wrapped value.
    static std::optional<uint16_t> ToShift(const QByteArray& field);
};
