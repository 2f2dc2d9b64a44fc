#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// Text formatting of measured values with a unit chosen from the magnitude, and the free space of a
// disk. No state but the free-space query in use; texts are translated in the context "CUtils".
class CUtils
{
    Q_DECLARE_TR_FUNCTIONS(CUtils)

public:
    // What FormatValue is given.
    enum Kind
    {
        KindLevel = 0,      // dBm, one decimal; the precision is not used
        KindTime = 1,       // seconds, shown as ns, us, ms or s
        KindFrequency = 2,  // MHz, shown as Hz, kHz or MHz (MHz always with five digits)
        KindVoltage = 3,    // volts, shown as nV, uV, mV or V
        KindClock = 4,      // milliseconds since the epoch, "h:mm:ss"
        KindClockMs = 5,    // the same, "hh:mm:ss.zzz"
        KindInteger = 6,    // truncated toward zero
        KindFixed = 7,      // fixed notation with the given decimals
    };

    // Kinds 1 to 3 and any unknown kind print `precision` significant digits, padded with zeros.
    static QString FormatValue(double value, int kind, int precision);

    // Fixed notation with `precision` decimals, independent of the locale; for axis labels.
    static QString FormatFixed(double value, int precision);

    // A length of time as "hh:mm:ss" with its total hours, so a day or more does not wrap around to a
    // short time ("25:00:00"); a negative length shows as zero.
    static QString FormatDuration(qint64 seconds);

    // A length of time in a QTime pattern whose one unquoted "d" stands for the whole days counted, not
    // a day of the month ("'left: 'd 'days' hh:mm:ss" gives "left: 40 days 23:59:59"); the rest of the
    // pattern formats what is left of the last day. A pattern without that "d" shows the time alone.
    static QString FormatCountedDays(const QString& pattern, quint64 seconds);

    // A typed number; text that is none, or that names no finite number ("nan", "inf"), is 0.
    static double TypedNumber(const QString& text);

    // All free bytes of the volume that holds the path (not only those the user's quota allows);
    // 0 when the volume cannot be queried.
    static quint64 GetDiskFreeSpace(const QString& path);

    // What GetDiskFreeSpace asks: no value when the volume cannot be queried. Tests put a disk of their
    // own choosing in place of the real one; an empty function brings the real query back.
    using DiskFreeSpaceQuery = std::function<std::optional<quint64>(const QString& path)>;
    static void SetDiskFreeSpaceQuery(DiskFreeSpaceQuery query);
};
