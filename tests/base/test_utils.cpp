#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "tempdir.h"
#include "utils.h"

namespace
{
struct FormatCase
{
    double value;
    int kind;
    int precision;
    const char* expected;
};

// Sets the process time zone for the life of the object; Qt reads it at every local-time conversion.
class CTimeZoneScope
{
public:
    explicit CTimeZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
        {
            m_hadOld = true;
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~CTimeZoneScope()
    {
        if (m_hadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_hadOld = false;
    std::string m_old;
};

void ExpectFormats(const FormatCase* begin, const FormatCase* end)
{
    for (const FormatCase* c = begin; c != end; ++c)
        EXPECT_EQ(CUtils::FormatValue(c->value, c->kind, c->precision).toStdString(), c->expected)
            << "value " << c->value << ", kind " << c->kind << ", precision " << c->precision;
}
}  // namespace

TEST(Utils, FormatValueScalesToAUnitAndKeepsThePrecisionsDigits)
{
    const FormatCase cases[] = {
        // level: one decimal whatever the precision
        {-3.04, CUtils::KindLevel, 7, "-3.0 dBm"},
        {12.35, CUtils::KindLevel, 0, "12.3 dBm"},
        // time in seconds; each range includes its upper bound
        {0.25, CUtils::KindTime, 3, "250 ms"},
        {1e-6, CUtils::KindTime, 3, "1000 ns"},
        {2e-6, CUtils::KindTime, 3, "2.00 us"},
        {0.001, CUtils::KindTime, 3, "1000 us"},
        {1.0, CUtils::KindTime, 3, "1000 ms"},
        {1.5, CUtils::KindTime, 3, "1.50 s"},
        {-0.25, CUtils::KindTime, 3, "-250 ms"},
        // frequency in MHz: 1 Hz and less is a plain zero, MHz always has five digits
        {1e-7, CUtils::KindFrequency, 3, "0.00 Hz"},
        {1e-6, CUtils::KindFrequency, 3, "0.00 Hz"},
        {0.0005, CUtils::KindFrequency, 3, "500 Hz"},
        {0.001, CUtils::KindFrequency, 3, "1000 Hz"},
        {0.0125, CUtils::KindFrequency, 4, "12.50 kHz"},
        {1.0, CUtils::KindFrequency, 3, "1000 kHz"},
        {12.5, CUtils::KindFrequency, 2, "12.500 MHz"},
        {100, CUtils::KindFrequency, 3, "100.00 MHz"},
        {2400.123456, CUtils::KindFrequency, 3, "2400.1 MHz"},
        // voltage; an exponent widens the digits until it goes, at most to six
        {2e-7, CUtils::KindVoltage, 3, "200 nV"},
        {0.00025, CUtils::KindVoltage, 3, "250 uV"},
        {0.0009, CUtils::KindVoltage, 2, "900 uV"},
        {0.0025, CUtils::KindVoltage, 3, "2.50 mV"},
        {0.5, CUtils::KindVoltage, 2, "500 mV"},
        {12, CUtils::KindVoltage, 3, "12.0 V"},
        // integer: truncated toward zero; beyond the int range the nearest end
        {7.9, CUtils::KindInteger, 0, "7"},
        {-7.9, CUtils::KindInteger, 0, "-7"},
        {1e12, CUtils::KindInteger, 0, "2147483647"},
        {std::numeric_limits<double>::quiet_NaN(), CUtils::KindInteger, 0, "0"},
        // fixed
        {3.14159, CUtils::KindFixed, 3, "3.142"},
        {2, CUtils::KindFixed, 0, "2"},
        // any other kind: significant digits without a unit and no blank after the number
        {1.234567e6, 9, 3, "1.23457e+06"},
        // the padding counts characters: a leading zero or a sign takes the place of a digit
        {0.5, 42, 3, "0.50"},
        {-1, -1, 2, "-1"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Utils, ClockTimesOutsideTheCurrentYearAreDurations)
{
    // 1970 lies in another year: these read as durations whatever the local time zone.
    const CTimeZoneScope zone("IST-5:30");
    const FormatCase cases[] = {
        {-5000, CUtils::KindClock, 0, "-0:00:05"},
        {5000, CUtils::KindClock, 0, "0:00:05"},
        {3723004, CUtils::KindClock, 0, "1:02:03"},
        {3723004, CUtils::KindClockMs, 0, "01:02:03.004"},
        {-3723004.9, CUtils::KindClockMs, 0, "-01:02:03.004"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Utils, ClockTimesOfTheCurrentYearAreLocal)
{
    const QDateTime utc(QDate(QDate::currentDate().year(), 6, 15), QTime(13, 4, 5, 67), Qt::UTC);
    const double timeMs = static_cast<double>(utc.toMSecsSinceEpoch());
    {
        const CTimeZoneScope zone("IST-5:30");
        EXPECT_EQ(CUtils::FormatValue(timeMs, CUtils::KindClock, 0), "18:34:05");
        EXPECT_EQ(CUtils::FormatValue(timeMs, CUtils::KindClockMs, 0), "18:34:05.067");
    }
    {
        const CTimeZoneScope zone("UTC0");
        EXPECT_EQ(CUtils::FormatValue(timeMs, CUtils::KindClock, 0), "13:04:05");
    }
}

TEST(Utils, NumbersDoNotFollowTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(CUtils::FormatFixed(3.14159, 2), "3.14");
    EXPECT_EQ(CUtils::FormatFixed(1234567.891, 1), "1234567.9");
    EXPECT_EQ(CUtils::FormatFixed(-2.5, 3), "-2.500");
    EXPECT_EQ(CUtils::FormatValue(-3.04, CUtils::KindLevel, 0), "-3.0 dBm");
    EXPECT_EQ(CUtils::FormatValue(12.5, CUtils::KindFrequency, 2), "12.500 MHz");
    EXPECT_EQ(CUtils::FormatValue(3.14159, CUtils::KindFixed, 2), "3.14");
    QLocale::setDefault(previous);
}

TEST(Utils, DiskFreeSpaceCountsAllFreeBytesAndIsZeroWhenUnknown)
{
    const CTempDir dir;
    struct statvfs volume = {};
    ASSERT_EQ(statvfs(dir.Path().c_str(), &volume), 0);
    const double expected = static_cast<double>(volume.f_bfree) * static_cast<double>(volume.f_frsize);

    const quint64 freeBytes = CUtils::GetDiskFreeSpace(QString::fromStdString(dir.Path()));
    ASSERT_GT(freeBytes, 0u);
    // Other processes write meanwhile; the blocks reserved for root would be a far larger gap.
    EXPECT_NEAR(static_cast<double>(freeBytes), expected, 64.0 * 1024 * 1024);

    EXPECT_EQ(CUtils::GetDiskFreeSpace(QString::fromStdString(dir.File("no/such/folder"))), 0u);
    EXPECT_EQ(CUtils::GetDiskFreeSpace(QString()), 0u);
}

// Only the "d" outside quotes counts the days, however many; a quoted one is text, and a pattern
// without one shows the time of the last day alone.
TEST(Utils, CountedDaysReplaceTheUnquotedDayField)
{
    const struct
    {
        const char* pattern;
        quint64 seconds;
        const char* text;
    } cases[] = {
        {"'left: 'd 'days' hh:mm:ss", 0, "left: 0 days 00:00:00"},
        {"'left: 'd 'days' hh:mm:ss", 40 * 86400 + 23 * 3600 + 59 * 60 + 59, "left: 40 days 23:59:59"},
        {"'day 'hh:mm", 3 * 86400 + 3600, "day 01:00"},
        {"hh:mm:ss' ('d')'", 400 * 86400 + 61, "00:01:01 (400)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CUtils::FormatCountedDays(QString::fromLatin1(c.pattern), c.seconds),
                  QString::fromLatin1(c.text))
            << c.pattern;
}
