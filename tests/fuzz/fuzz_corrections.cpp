// Hands arbitrary bytes to the readers of the three calibration files (an operator can import any file
// in the internals window) and checks what they promise: no crash, only finite values, never more
// channels than asked for, "complete" only with every line there, and whatever was read writes out and
// reads back the same.

#include <QBuffer>
#include <QByteArray>

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

bool Near(double a, double b, double decimals)
{
    return std::abs(a - b) <= std::pow(10.0, -decimals) * std::max(1.0, std::abs(a)) * 0.51;
}

std::array<std::optional<ADF_CORRECTION_ROW>, CCorrectionFiles::kAdfRows> ReadAdf(const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return CCorrectionFiles::ReadAdf(buffer);
}

CHANNEL_CORRECTIONS ReadChannels(const QByteArray& text, int count, bool withBands)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return CCorrectionFiles::ReadChannels(buffer, count, withBands);
}

void CheckAdf(const QByteArray& input)
{
    const auto rows = ReadAdf(input);
    std::array<ADF_CORRECTION_ROW, CCorrectionFiles::kAdfRows> written{};
    for (size_t i = 0; i < rows.size(); ++i)
    {
        if (rows[i])
        {
            Check(std::isfinite(rows[i]->amplitude));
            written[i] = *rows[i];
        }
    }
    const auto reread = ReadAdf(CCorrectionFiles::FormatAdf(written));
    for (size_t i = 0; i < reread.size(); ++i)
    {
        Check(reread[i].has_value());
        Check(reread[i]->fracShift == written[i].fracShift && reread[i]->garmShift == written[i].garmShift);
        // Six significant digits.
        Check(std::abs(reread[i]->amplitude - written[i].amplitude) <=
              std::abs(written[i].amplitude) * 1e-5 + 1e-300);
    }
}

void CheckChannels(const QByteArray& input, int count, bool withBands, int decimals)
{
    const CHANNEL_CORRECTIONS values = ReadChannels(input, count, withBands);
    Check(static_cast<int>(values.channels.size()) <= count);
    Check(!values.bands || (withBands && !values.channels.empty()));
    if (values.complete)
        Check(static_cast<int>(values.channels.size()) == count &&
              (!withBands || count == 0 || values.bands));
    for (const auto& channel : values.channels)
        for (double v : channel)
            Check(std::isfinite(v));
    if (!values.complete)
        return;

    const CHANNEL_CORRECTIONS reread =
        ReadChannels(CCorrectionFiles::FormatChannels(values, decimals), count, withBands);
    Check(reread.complete && reread.channels.size() == values.channels.size());
    for (size_t c = 0; c < values.channels.size(); ++c)
        for (size_t k = 0; k < 3; ++k)
            Check(Near(values.channels[c][k], reread.channels[c][k], decimals));
    if (values.bands)
        for (size_t j = 0; j < values.bands->size(); ++j)
            Check(Near((*values.bands)[j], (*reread.bands)[j], decimals));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CheckAdf(input);
    for (int count = 0; count <= 3; ++count)
    {
        CheckChannels(input, count, false, 6);
        CheckChannels(input, count, true, 2);
    }
    return 0;
}
