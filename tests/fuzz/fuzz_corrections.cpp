// Hands arbitrary bytes to the readers of the three calibration files (an operator can import any file
// in the internals window) and checks what they promise: no crash; a read that is whole or nothing (a
// refused file gives no value at all, an accepted one every value its table needs, all finite); the
// same answer whatever the separators, and with blank lines after the table; and whatever is accepted
// writes out and reads back the same.

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "correctionfiles.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Near(double a, double b, int decimals)
{
    return std::abs(a - b) <= std::pow(10.0, -decimals) * std::max(1.0, std::abs(a)) * 0.51;
}

// Lines that hold anything but whitespace, counted apart from the readers' own line handling: an
// accepted file has exactly one such line per value line of its table.
int FilledLines(const QByteArray& input)
{
    const QList<QByteArray> lines = input.split('\n');
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [](const QByteArray& line) { return !line.trimmed().isEmpty(); }));
}

// The same table in other clothes: tabs for blanks, and blank lines of every kind after the end.
QByteArray Tabbed(QByteArray input)
{
    return input.replace(' ', '\t');
}

QByteArray WithTrailingBlankLines(const QByteArray& input)
{
    return input + "\n \t\r\n\n\r";
}

bool SameAdf(const std::optional<std::vector<ADF_CORRECTION_ROW>>& a,
             const std::optional<std::vector<ADF_CORRECTION_ROW>>& b)
{
    if (!a || !b)
        return !a && !b;
    return std::equal(
        a->begin(), a->end(), b->begin(), b->end(),
        [](const auto& x, const auto& y)
        { return x.amplitude == y.amplitude && x.fracShift == y.fracShift && x.garmShift == y.garmShift; });
}

bool SameChannels(const std::optional<CHANNEL_CORRECTIONS>& a, const std::optional<CHANNEL_CORRECTIONS>& b)
{
    if (!a || !b)
        return !a && !b;
    return a->channels == b->channels && a->bands == b->bands;
}

void CheckAdf(const QByteArray& input)
{
    const auto rows = CCorrectionFiles::ReadAdf(input);
    Check(SameAdf(rows, CCorrectionFiles::ReadAdf(Tabbed(input))));
    Check(SameAdf(rows, CCorrectionFiles::ReadAdf(WithTrailingBlankLines(input))));
    if (!rows)
        return;

    // A short file gives its rows from row 0; the caller keeps the others.
    Check(!rows->empty() && rows->size() <= static_cast<size_t>(CCorrectionFiles::kAdfRows));
    Check(static_cast<int>(rows->size()) == FilledLines(input));
    std::array<ADF_CORRECTION_ROW, CCorrectionFiles::kAdfRows> written{};
    for (size_t i = 0; i < rows->size(); ++i)
    {
        Check(std::isfinite((*rows)[i].amplitude));
        written[i] = (*rows)[i];
    }

    const std::optional<QByteArray> text = CCorrectionFiles::FormatAdf(written);
    Check(text.has_value());
    const auto reread = CCorrectionFiles::ReadAdf(*text);
    Check(reread && reread->size() == written.size());
    for (size_t i = 0; i < written.size(); ++i)
    {
        Check((*reread)[i].fracShift == written[i].fracShift &&
              (*reread)[i].garmShift == written[i].garmShift);
        // Six significant digits.
        Check(std::abs((*reread)[i].amplitude - written[i].amplitude) <=
              std::abs(written[i].amplitude) * 1e-5 + 1e-300);
    }
    // What was written once reads back to values that write the very same text.
    std::array<ADF_CORRECTION_ROW, CCorrectionFiles::kAdfRows> again{};
    std::copy(reread->begin(), reread->end(), again.begin());
    Check(CCorrectionFiles::FormatAdf(again) == text);
}

void CheckChannels(const QByteArray& input, int count, bool withBands, int decimals)
{
    const auto values = CCorrectionFiles::ReadChannels(input, count, withBands);
    Check(SameChannels(values, CCorrectionFiles::ReadChannels(Tabbed(input), count, withBands)));
    Check(SameChannels(values,
                       CCorrectionFiles::ReadChannels(WithTrailingBlankLines(input), count, withBands)));
    if (!values)
        return;

    const bool bands = withBands && count > 0;
    Check(static_cast<int>(values->channels.size()) == count && values->bands.has_value() == bands);
    Check(FilledLines(input) == count + (bands ? 1 : 0));
    for (const auto& channel : values->channels)
        for (double v : channel)
            Check(std::isfinite(v));
    if (values->bands)
        for (double v : *values->bands)
            Check(std::isfinite(v));

    const std::optional<QByteArray> text = CCorrectionFiles::FormatChannels(*values, decimals);
    Check(text.has_value());
    const auto reread = CCorrectionFiles::ReadChannels(*text, count, withBands);
    Check(reread && reread->channels.size() == values->channels.size() &&
          reread->bands.has_value() == values->bands.has_value());
    for (size_t c = 0; c < values->channels.size(); ++c)
        for (size_t k = 0; k < 3; ++k)
            Check(Near(values->channels[c][k], reread->channels[c][k], decimals));
    if (values->bands)
        for (size_t j = 0; j < values->bands->size(); ++j)
            Check(Near((*values->bands)[j], (*reread->bands)[j], decimals));
    Check(CCorrectionFiles::FormatChannels(*reread, decimals) == text);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The loaders read no more than this; the fuzzer need not try longer inputs either.
    if (size > static_cast<size_t>(CCorrectionFiles::kMaxFileBytes))
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CheckAdf(input);
    for (int count = 0; count <= 3; ++count)
    {
        CheckChannels(input, count, false, 6);
        CheckChannels(input, count, true, 2);
    }
    return 0;
}
