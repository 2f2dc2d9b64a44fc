#include "correctionfiles.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cmath>

namespace
{
// The next line without its line end; empty past the end of the file.
QByteArray ReadLine(QIODevice& in)
{
    QByteArray line = in.atEnd() ? QByteArray() : in.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Fields split at every blank; two blanks in a row give an empty field, so such a line is refused.
QList<QByteArray> Fields(const QByteArray& line)
{
    return line.split(' ');
}

QByteArray Fixed(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}
}  // namespace

double CCorrectionFiles::ToNumber(const QByteArray& field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

uint16_t CCorrectionFiles::ToShift(const QByteArray& field)
{
    // Kept inside int before the conversion, which is undefined beyond it; the library's field is 16
    // bits wide and takes the value modulo 2^16, as it would from any int.
    const double truncated = std::trunc(std::clamp(ToNumber(field), -2147483648.0, 2147483647.0));
    return static_cast<uint16_t>(static_cast<int>(truncated));
}

std::array<std::optional<ADF_CORRECTION_ROW>, CCorrectionFiles::kAdfRows> CCorrectionFiles::ReadAdf(
    QIODevice& in)
{
    std::array<std::optional<ADF_CORRECTION_ROW>, kAdfRows> rows;
    for (auto& row : rows)
    {
        const QList<QByteArray> fields = Fields(ReadLine(in));
        if (fields.size() != 3)
            continue;
        row = ADF_CORRECTION_ROW{ToNumber(fields[0]), ToShift(fields[1]), ToShift(fields[2])};
    }
    return rows;
}

CHANNEL_CORRECTIONS CCorrectionFiles::ReadChannels(QIODevice& in, int channelCount, bool withBands)
{
    CHANNEL_CORRECTIONS result;
    for (int channel = 0; channel < channelCount; ++channel)
    {
        const QList<QByteArray> fields = Fields(ReadLine(in));
        if (fields.size() != 3)
            return result;
        result.channels.push_back({ToNumber(fields[0]), ToNumber(fields[1]), ToNumber(fields[2])});

        if (channel == 0 && withBands)
        {
            const QList<QByteArray> bandFields = Fields(ReadLine(in));
            if (bandFields.size() != kBandCorrections)
                return result;
            std::array<double, kBandCorrections> bands{};
            for (int j = 0; j < kBandCorrections; ++j)
                bands[static_cast<size_t>(j)] = ToNumber(bandFields[j]);
            result.bands = bands;
        }
    }
    result.complete = true;
    return result;
}

QByteArray CCorrectionFiles::FormatAdf(const std::array<ADF_CORRECTION_ROW, kAdfRows>& rows)
{
    QByteArray text;
    for (const ADF_CORRECTION_ROW& row : rows)
    {
        // 'g' with six significant digits, as printf's "%g" writes it.
        text += QByteArray::number(row.amplitude, 'g', 6) + ' ' + QByteArray::number(row.fracShift) + ' ' +
                QByteArray::number(row.garmShift) + '\n';
    }
    return text;
}

QByteArray CCorrectionFiles::FormatChannels(const CHANNEL_CORRECTIONS& values, int decimals)
{
    QByteArray text;
    for (size_t c = 0; c < values.channels.size(); ++c)
    {
        const auto& channel = values.channels[c];
        text += Fixed(channel[0], decimals) + ' ' + Fixed(channel[1], decimals) + ' ' +
                Fixed(channel[2], decimals) + "\r\n";
        if (c == 0 && values.bands)
        {
            QList<QByteArray> bands;
            for (double value : *values.bands)
                bands.append(Fixed(value, decimals));
            text += bands.join(' ') + "\r\n";
        }
    }
    return text;
}
