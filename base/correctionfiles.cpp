#include "correctionfiles.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace
{
// The lines that make up the table: without line ends and surrounding whitespace, and without the
// blank lines at the end of the file (see the class comment).
QList<QByteArray> TableLines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// The fields of a trimmed line, separated by runs of blanks and tabs; none for a blank line.
QList<QByteArray> Fields(const QByteArray& line)
{
    QList<QByteArray> fields;
    int start = -1;
    for (int i = 0; i <= line.size(); ++i)
    {
        const bool separator = i == line.size() || line[i] == ' ' || line[i] == '\t';
        if (separator && start >= 0)
        {
            fields.append(line.mid(start, i - start));
            start = -1;
        }
        else if (!separator && start < 0)
        {
            start = i;
        }
    }
    return fields;
}

// The line's fields as numbers when there are exactly N of them and each is one.
template <size_t N>
std::optional<std::array<double, N>> Row(const QByteArray& line)
{
    const QList<QByteArray> fields = Fields(line);
    if (fields.size() != static_cast<int>(N))
        return std::nullopt;
    std::array<double, N> row{};
    for (size_t i = 0; i < N; ++i)
    {
        const std::optional<double> number = CCorrectionFiles::ToNumber(fields[static_cast<int>(i)]);
        if (!number)
            return std::nullopt;
        row[i] = *number;
    }
    return row;
}

QByteArray Fixed(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}
}  // namespace

std::optional<double> CCorrectionFiles::ToNumber(const QByteArray& field)
{
    // QByteArray's conversion is the C locale's whatever the process's locale. It takes "nan" and
    // "inf" and gives an infinity for an exponent beyond a double's range; none of them is a correction.
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<uint16_t> CCorrectionFiles::ToShift(const QByteArray& field)
{
    const std::optional<double> number = ToNumber(field);
    if (!number)
        return std::nullopt;
    const double truncated = std::trunc(*number);
    if (truncated < 0.0 || truncated > 65535.0)
        return std::nullopt;
    return static_cast<uint16_t>(truncated);
}

std::optional<std::vector<ADF_CORRECTION_ROW>> CCorrectionFiles::ReadAdf(const QByteArray& text)
{
    const QList<QByteArray> lines = TableLines(text);
    // An empty file holds no row to load: most likely one cut short while it was written.
    if (lines.isEmpty() || lines.size() > kAdfRows)
        return std::nullopt;
    std::vector<ADF_CORRECTION_ROW> rows;
    for (const QByteArray& line : lines)
    {
        const QList<QByteArray> fields = Fields(line);
        if (fields.size() != 3)
            return std::nullopt;
        const std::optional<double> amplitude = ToNumber(fields[0]);
        const std::optional<uint16_t> frac = ToShift(fields[1]);
        const std::optional<uint16_t> garm = ToShift(fields[2]);
        if (!amplitude || !frac || !garm)
            return std::nullopt;
        rows.push_back({*amplitude, *frac, *garm});
    }
    return rows;
}

std::optional<CHANNEL_CORRECTIONS> CCorrectionFiles::ReadChannels(const QByteArray& text, int channelCount,
                                                                  bool withBands)
{
    const QList<QByteArray> lines = TableLines(text);
    const bool bandLine = withBands && channelCount > 0;
    if (channelCount < 0 || static_cast<qint64>(lines.size()) != qint64{channelCount} + (bandLine ? 1 : 0))
        return std::nullopt;

    CHANNEL_CORRECTIONS result;
    int next = 0;
    for (int channel = 0; channel < channelCount; ++channel)
    {
        const auto values = Row<3>(lines[next++]);
        if (!values)
            return std::nullopt;
        result.channels.push_back(*values);
        if (channel == 0 && bandLine)
        {
            result.bands = Row<kBandCorrections>(lines[next++]);
            if (!result.bands)
                return std::nullopt;
        }
    }
    return result;
}

std::optional<QByteArray> CCorrectionFiles::FormatAdf(const std::array<ADF_CORRECTION_ROW, kAdfRows>& rows)
{
    QByteArray text;
    for (const ADF_CORRECTION_ROW& row : rows)
    {
        // "nan" or "inf" would make the whole file unreadable to ReadAdf.
        if (!std::isfinite(row.amplitude))
            return std::nullopt;
        // 'g' with six significant digits, as printf's "%g" writes it.
        text += QByteArray::number(row.amplitude, 'g', 6) + ' ' + QByteArray::number(row.fracShift) + ' ' +
                QByteArray::number(row.garmShift) + '\n';
    }
    return text;
}

std::optional<QByteArray> CCorrectionFiles::FormatChannels(const CHANNEL_CORRECTIONS& values, int decimals)
{
    // A value without digits ("nan", "inf") would make the whole file unreadable to ReadChannels.
    const auto finite = [](double value) { return std::isfinite(value); };
    for (const auto& channel : values.channels)
        if (!std::all_of(channel.begin(), channel.end(), finite))
            return std::nullopt;
    if (values.bands && !std::all_of(values.bands->begin(), values.bands->end(), finite))
        return std::nullopt;

    QByteArray text;
    for (size_t c = 0; c < values.channels.size(); ++c)
    {
        QList<QByteArray> fields;
        for (double value : values.channels[c])
            fields.append(Fixed(value, decimals));
        text += fields.join(' ') + "\r\n";
        if (c == 0 && values.bands)
        {
            fields.clear();
            for (double value : *values.bands)
                fields.append(Fixed(value, decimals));
            text += fields.join(' ') + "\r\n";
        }
    }
    return text;
}
