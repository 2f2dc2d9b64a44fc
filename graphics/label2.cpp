#include "label2.h"

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cmath>

#include "globals.h"

namespace
{
constexpr int kTextX = 20;
constexpr int kTextY = 10;
constexpr int kLineStep = 12;
// Elements 0 and 1 carry the signature; the record's values start after them.
constexpr int kFirstValue = 2;

// Whole numbers print in base 10, anything else (fractions, NaN, infinities) in format 'g'; a
// record value is never converted to an integer type, so no value is out of range.
QString ValueText(double v)
{
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9.0e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g');
}

// One text line of a record: name=<current> <second>, where name holds no placeholder.
QString Pair(const char* name, double current, double second)
{
    return QLatin1String(name) + QLatin1Char('=') + ValueText(current) + QLatin1Char(' ') + ValueText(second);
}

// An indexed line: format holds %1 (index), %2 (current), %3 (second).
QString IndexedPair(const char* format, int index, double current, double second)
{
    return QString::fromLatin1(format).arg(QString::number(index), ValueText(current), ValueText(second));
}

// The front end sends a level as its low byte, truncated, plus 256 times its high byte.
double LevelMax(const double* values, int i)
{
    return std::trunc(values[kFirstValue + 2 * i]) + 256.0 * values[kFirstValue + 2 * i + 1];
}

const char* const kLevelRecordNames[] = {
    "VALUE_LED_INDICATION", "VALUE_DIAGNOSTIC_INDICATION", "VALUE_SOUND_INDICATION",
    "alarmVision",          "VALUE_SLIDER_DELAY_EVENT",    "VALUE_SLIDER_DURATION",
};
const char* const kReferenceRecordNames[] = {
    "nLevelREFlow", "nLevelREFhigh", "ref", "p.cnt_bt1", "cnt_common", "p.num_common", "p.num",
};
const char* const kRadioRecordNames[] = {
    "result.nLevelInstantDBM",
    "valueMenu[VALUE_SLIDER_LEVEL_BLUETOOTH]",
    "valueMenu[VALUE_SLIDER_LEVEL_BLUETOOTH2]",
    "result.nRange_gain[current_band]",
    "fhss.cnt_test1",
    "fhss.cnt_test2",
    "fhss.cnt_test3",
};
constexpr int kLevelMaxCount = 19;
constexpr int kHighCounterCount = 16;
constexpr int kHighCounterX = 180;
constexpr int kRadioPairCount = 4;
constexpr int kOneCounterX = 220;
}  // namespace

CLabel2::CLabel2(QWidget* parent) : QLabel(parent)
{
}

void CLabel2::SetArrays(const double* current, const double* second)
{
    m_pCurrent = current;
    m_pSecond = second;
}

int CLabel2::LevelToRow(double level) const
{
    if (std::isnan(level))
        return m_nScaleHeight;
    // Stays in double until it is known to lie inside the scale: +inf and huge levels reach the top
    // edge without an out-of-range conversion.
    const double above = std::max(0.0, level - m_nFloorLevel);
    const double row = m_nScaleHeight - m_nPixelsPerDb * above;
    return row > 0.0 ? static_cast<int>(row) : 0;
}

void CLabel2::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (m_pCurrent == nullptr || m_pSecond == nullptr)
        return;
    QPainter painter(this);
    painter.setPen(Qt::green);
    if (!PaintRecord(painter))
        PaintLevels(painter);
}

bool CLabel2::PaintRecord(QPainter& painter) const
{
    const double* cur = m_pCurrent;
    const double* sec = m_pSecond;
    int y = kTextY;
    auto line = [&painter, &y](int x, const QString& text)
    {
        painter.drawText(QPoint(x, y), text);
        y += kLineStep;
    };

    if (cur[0] == 106.0 && cur[1] == 49.0)
    {
        for (int i = 0; i < kLevelMaxCount; ++i)
            line(kTextX, IndexedPair("level_max[%1]=%2 %3", i, LevelMax(cur, i), LevelMax(sec, i)));
        int k = kFirstValue + 2 * kLevelMaxCount;
        for (const char* name : kLevelRecordNames)
        {
            line(kTextX, Pair(name, cur[k], sec[k]));
            ++k;
        }
        return true;
    }
    if (cur[0] == 52.0 && cur[1] == 163.0)
    {
        int k = kFirstValue;
        for (const char* name : kReferenceRecordNames)
        {
            line(kTextX, Pair(name, cur[k], sec[k]));
            ++k;
        }
        y = kTextY + kLineStep;
        for (int i = 0; i < kHighCounterCount; ++i)
        {
            line(kHighCounterX, IndexedPair("p.cntH%1=%2 %3", i, cur[k], sec[k]));
            ++k;
        }
        return true;
    }
    if (cur[0] == 106.0 && cur[1] == 43.0)
    {
        int k = kFirstValue;
        for (const char* name : kRadioRecordNames)
        {
            line(kTextX, Pair(name, cur[k], sec[k]));
            ++k;
        }
        // Identification counters in the left column, their "one" counterparts beside them.
        for (int i = 0; i < kRadioPairCount; ++i)
        {
            const int ident = k + i;
            const int one = k + kRadioPairCount + i;
            painter.drawText(QPoint(kOneCounterX, y),
                             IndexedPair("fhss.nOneCnt%1=%2 %3", i, cur[one], sec[one]));
            line(kTextX, IndexedPair("fhss.nIdentCnt%1=%2 %3", i, cur[ident], sec[ident]));
        }
        return true;
    }
    return false;
}

void CLabel2::PaintLevels(QPainter& painter) const
{
    const int bottom = m_nScaleHeight;

    // Bin k raises columns k, k + 1 and k + 2 to its row, so a column shows the highest of bins
    // x - 2 .. x: one line per column, the same pixels as three per bin.
    QVector<int> columnTop(kLmxPanoramaSize + 2, bottom);
    for (int k = 0; k < kLmxPanoramaSize; ++k)
    {
        const int row = LevelToRow(m_pCurrent[k]);
        for (int x = k; x < k + 3; ++x)
            columnTop[x] = std::min(columnTop[x], row);
    }
    QVector<QLine> bars;
    bars.reserve(columnTop.size());
    for (int x = 0; x < columnTop.size(); ++x)
        bars.append(QLine(x, bottom, x, columnTop[x]));
    painter.drawLines(bars);

    QVector<QLine> joins;
    QVector<QPoint> points;
    joins.reserve(kLmxPanoramaSize);
    points.reserve(kLmxPanoramaSize + 1);
    int previous = LevelToRow(m_pSecond[0]);
    points.append(QPoint(0, previous));
    points.append(QPoint(1, previous));
    for (int k = 1; k < kLmxPanoramaSize; ++k)
    {
        const int row = LevelToRow(m_pSecond[k]);
        joins.append(QLine(k - 1, previous, k, row));
        points.append(QPoint(k + 1, row));
        previous = row;
    }
    painter.setPen(Qt::red);
    painter.drawLines(joins);
    painter.drawPoints(points);
}
