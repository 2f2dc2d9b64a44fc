#include "utils.h"

#include <QDate>
#include <QDateTime>
#include <QStorageInfo>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace
{
// Double to integer without undefined behaviour: NaN gives 0, values beyond the range its nearest end.
template <typename T>
T TruncateClamped(double value)
{
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (truncated >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(truncated);
}

// `precision` significant digits, widened (up to six) while the text still has an exponent, then
// padded with zeros so that short numbers keep the width the precision asks for.
QString FormatSignificant(double value, int precision, const QString& unit)
{
    QString text = QString::number(value, 'g', precision);
    while (text.contains(QLatin1Char('e')) && precision < 6)
    {
        ++precision;
        text = QString::number(value, 'g', precision);
    }

    // Counts characters, not digits, on purpose: a sign or a leading zero takes the place of a digit,
    // as the program's displays have always shown it.
    int padding = precision - text.length();
    if (text.contains(QLatin1Char('.')))
        ++padding;
    else
        text += QLatin1Char('.');
    if (padding > 0)
        text += QString(padding, QLatin1Char('0'));
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);

    return (text + QLatin1Char(' ') + unit).trimmed();
}

// A clock time in local time, or in UTC when the instant lies in another year than now: small values
// are durations, and 5000 ms must read 0:00:05 whatever the time zone.
QString FormatClock(double value, const QString& format)
{
    const qint64 timeMs = TruncateClamped<qint64>(std::fabs(value));
    QDateTime time = QDateTime::fromMSecsSinceEpoch(timeMs, Qt::LocalTime);
    if (time.date().year() != QDate::currentDate().year())
        time = QDateTime::fromMSecsSinceEpoch(timeMs, Qt::UTC);
    const QString text = time.toString(format);
    return value < 0 ? QLatin1Char('-') + text : text;
}
}  // namespace

QString CUtils::FormatValue(double value, int kind, int precision)
{
    const double magnitude = std::fabs(value);
    switch (kind)
    {
        case KindLevel:
            return tr("%1 dBm").arg(value, 0, 'f', 1);

        case KindTime:
            if (magnitude <= 1e-6)
                return FormatSignificant(value * 1e9, precision, tr("ns"));
            if (magnitude <= 0.001)
                return FormatSignificant(value * 1e6, precision, tr("us"));
            if (magnitude <= 1)
                return FormatSignificant(value * 1000, precision, tr("ms"));
            return FormatSignificant(value, precision, tr("s"));

        case KindFrequency:
            // One hertz and less shows as a plain 0 Hz.
            if (magnitude <= 1e-6)
                return FormatSignificant(0, precision, tr("Hz"));
            if (magnitude <= 0.001)
                return FormatSignificant(value * 1e6, precision, tr("Hz"));
            if (magnitude <= 1)
                return FormatSignificant(value * 1000, precision, tr("kHz"));
            return FormatSignificant(value, 5, tr("MHz"));

        case KindVoltage:
            if (magnitude <= 1e-6)
                return FormatSignificant(value * 1e9, precision, tr("nV"));
            if (magnitude <= 0.001)
                return FormatSignificant(value * 1e6, precision, tr("uV"));
            if (magnitude <= 1)
                return FormatSignificant(value * 1000, precision, tr("mV"));
            return FormatSignificant(value, precision, tr("V"));

        case KindClock:
            return FormatClock(value, QStringLiteral("h:mm:ss"));

        case KindClockMs:
            return FormatClock(value, QStringLiteral("hh:mm:ss.zzz"));

        case KindInteger:
            return tr("%1").arg(TruncateClamped<int>(value), 0, 10);

        case KindFixed:
            return tr("%1").arg(value, 0, 'f', precision);

        default:
            return FormatSignificant(value, precision, QString());
    }
}

QString CUtils::FormatDuration(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, zero)
        .arg((seconds / 60) % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

QString CUtils::FormatCountedDays(const QString& pattern, quint64 seconds)
{
    const quint64 days = seconds / 86400;
    const QTime rest = QTime(0, 0).addSecs(static_cast<int>(seconds % 86400));
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i)
    {
        if (pattern.at(i) == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && pattern.at(i) == QLatin1Char('d'))
            return rest.toString(pattern.left(i)) + QString::number(days) + rest.toString(pattern.mid(i + 1));
    }
    return rest.toString(pattern);
}

double CUtils::TypedNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString CUtils::FormatFixed(double value, int precision)
{
    return QStringLiteral("%1").arg(value, 0, 'f', precision);
}

namespace
{
std::optional<quint64> QueryStorage(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    const qint64 freeBytes = storage.bytesFree();
    return freeBytes > 0 ? static_cast<quint64>(freeBytes) : 0;
}

CUtils::DiskFreeSpaceQuery& DiskFreeSpaceQueryInUse()
{
    static CUtils::DiskFreeSpaceQuery query;
    return query;
}
}  // namespace

quint64 CUtils::GetDiskFreeSpace(const QString& path)
{
    const DiskFreeSpaceQuery& query = DiskFreeSpaceQueryInUse();
    return (query ? query(path) : QueryStorage(path)).value_or(0);
}

void CUtils::SetDiskFreeSpaceQuery(DiskFreeSpaceQuery query)
{
    DiskFreeSpaceQueryInUse() = std::move(query);
}
