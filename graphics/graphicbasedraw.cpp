// CQGraphicBase: grid, axis labels, scroll strips, the frame layer cache, the data-operation
// arithmetic with its correction hand-over, and the payload vector helpers.
#include <QFontMetrics>
#include <QIODevice>
#include <QMutex>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "graphicbase.h"
#include "icommonfft.h"
#include "utils.h"

namespace
{
// Grid and label spacing in pixels: a zoom changes the values per step, not the number of lines.
constexpr int kXSpacing = 75;
constexpr int kYSpacing = 35;

QString PenKey(const QPen& pen)
{
    return QString("%1/%2/%3").arg(pen.color().rgba()).arg(pen.widthF()).arg(int(pen.style()));
}

QString BrushKey(const QBrush& brush)
{
    return QString("%1/%2").arg(brush.color().rgba()).arg(int(brush.style()));
}
}  // namespace

double CQGraphicBase::XPerPixel() const
{
    const int width = m_columnMap.rect.width();
    if (width <= 0)
        return 0.0;
    return (m_columnMap.viewTo - m_columnMap.viewFrom) / width;
}

double CQGraphicBase::YStep() const
{
    const int height = m_columnMap.rect.height();
    if (height <= 0)
        return 0.0;
    return (m_columnMap.yTo - m_columnMap.yFrom) / height * kYSpacing;
}

double CQGraphicBase::BaseColumn(const QRect& plot, double from, double to) const
{
    double x0 = plot.left() - 1;
    const double perPixel = XPerPixel();
    if (m_xMin < 0.0 && from < 0.0 && to > 0.0 && perPixel > 0.0)
        x0 = std::trunc(std::fabs(from) / perPixel + x0);
    return x0;
}

void CQGraphicBase::DrawGrid(QPainter* painter, const QRect& plot, double from, double to, bool centred)
{
    const int y0 = centred ? plot.center().y() : plot.bottom() + 1;
    const double x0 = BaseColumn(plot, from, to);
    painter->setClipRect(plot, Qt::ReplaceClip);
    const double xStep = XPerPixel() * kXSpacing;
    if (!(xStep > 0.0))
        return;
    painter->setPen(m_gridPen);
    // Every loop is also bounded by the pixel position: at a deep zoom the step can fall below the
    // resolution of the value, which would never reach the end.
    double x = std::trunc(x0 + kXSpacing);
    for (double value = std::max(from + xStep, xStep); value <= to && x <= plot.right();
         value += xStep, x = std::trunc(x + kXSpacing))
        painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    if (from + xStep < 0.0)
    {
        double counter = 0.0;
        x = x0;
        do
        {
            painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            x -= kXSpacing;
            counter -= xStep;
        } while (counter > from + xStep && x >= plot.left());
    }

    const double yStep = YStep();
    if (!(yStep > 0.0))
        return;
    const double base = centred ? (m_yFrom + m_yTo) / 2.0 : m_yFrom;
    for (int k = 0; base + k * yStep < m_yTo - yStep && y0 - k * kYSpacing >= plot.top(); ++k)
    {
        const int y = y0 - k * kYSpacing;
        painter->setClipRect(plot, Qt::ReplaceClip);
        painter->setPen(m_gridPen);
        painter->drawLine(plot.left(), y, plot.right(), y);
    }
    if (centred)
    {
        int y = y0 + kYSpacing;
        for (double value = base - yStep; value > m_yFrom + yStep && y <= plot.bottom();
             value -= yStep, y += kYSpacing)
        {
            painter->setClipRect(plot, Qt::ReplaceClip);
            painter->setPen(m_gridPen);
            painter->drawLine(plot.left(), y, plot.right(), y);
        }
    }
}

void CQGraphicBase::DrawXAxisLabels(QPainter* painter, int mode, const QRect& plot, double from, double to,
                                    bool centred, bool showUnit)
{
    if (!m_showXAxis)
        return;
    double scale = 1.0;
    const QString unit = GetXUnit(std::max(std::fabs(from), std::fabs(to)), scale);
    const QRect band(plot.left(), plot.bottom(), plot.width(), m_xAxisHeight);
    painter->setClipRect(band, Qt::ReplaceClip);
    painter->fillRect(band, m_xAxisBrush);
    painter->setPen(Qt::gray);
    int unitWidth = 0;
    if (showUnit)
    {
        unitWidth = painter->fontMetrics().horizontalAdvance(unit);
        const QRect unitCell(band.right() - unitWidth, band.top(), unitWidth, band.height());
        if (mode == 0)
            painter->drawText(unitCell, Qt::AlignRight, unit);
    }

    const int y0 = centred ? plot.center().y() : plot.bottom() + 1;
    const double x0 = BaseColumn(plot, from, to);
    painter->setClipRect(plot, Qt::ReplaceClip);
    painter->setPen(Qt::white);
    painter->drawLine(plot.left(), y0, plot.right(), y0);

    const double xStep = XPerPixel() * kXSpacing;
    if (!(xStep > 0.0))
        return;
    auto text = [&](double value) { return CUtils::FormatFixed(value * scale, m_xPrecision); };
    const int leftFlags = Qt::AlignLeft | Qt::AlignTop;
    const int rightFlags = Qt::AlignRight | Qt::AlignTop;
    const QString fromText = text(from);
    const QString toText = text(to);
    // Measured, not drawn: each cell shrinks to its text so that the overlap test is exact.
    const QRect leftCell = painter->boundingRect(QRect(band.left() + 1, band.top(), kXSpacing, band.height()),
                                                 leftFlags, fromText);
    const QRect rightCell =
        painter->boundingRect(QRect(int(std::trunc(band.right() - 2 - unitWidth - double(kXSpacing))),
                                    band.top(), kXSpacing, band.height()),
                              rightFlags, toText);

    painter->setClipRect(band, Qt::ReplaceClip);
    painter->setPen(m_xAxisPen);
    if (mode == 0)
    {
        painter->drawText(leftCell, leftFlags, fromText);
        if (!leftCell.intersects(rightCell))
            painter->drawText(rightCell, rightFlags, toText);

        double x = std::trunc(x0 + kXSpacing);
        for (double value = std::max(from + xStep, xStep); value <= to; value += xStep)
        {
            if (x + kXSpacing > rightCell.left())
                break;
            painter->drawText(QRectF(x + 5, band.top(), kXSpacing, band.height()), leftFlags, text(value));
            x = std::trunc(x + kXSpacing);
        }
        if (from + xStep < 0.0)
        {
            x = x0;
            for (double value = 0.0; x > band.left() - kXSpacing; value -= xStep, x -= kXSpacing)
            {
                painter->drawText(QRectF(x + 5, band.top(), kXSpacing, band.height()), leftFlags,
                                  text(value));
                if (!(value - xStep > from + xStep))
                    break;
            }
        }
        return;
    }

    // The range spectrum lays the known ranges side by side in one 32768-point spectrum; each
    // range's first point gets a line across plot and band and the range's name.
    const std::vector<KNOWN_RANGE_ITEM> ranges = KnownRanges();
    painter->setClipRect(plot, Qt::ReplaceClip);
    for (const KNOWN_RANGE_ITEM& range : ranges)
    {
        painter->setPen(m_xAxisPen);
        const int x = plot.left() + int(std::trunc(double(plot.width()) * range.position / 32768.0));
        painter->setClipRect(plot, Qt::ReplaceClip);
        painter->drawLine(x, plot.top(), x, plot.bottom());
        painter->setClipRect(band, Qt::ReplaceClip);
        painter->drawLine(x, band.top(), x, band.bottom());
        painter->drawText(QRect(x + 5, band.top(), 100, band.height()), leftFlags,
                          QString::fromStdString(range.name));
        painter->setClipRect(plot, Qt::ReplaceClip);
    }
}

void CQGraphicBase::DrawYAxisLabels(QPainter* painter, const QRect& plot, bool centred)
{
    if (!m_showYAxis)
        return;
    double scale = 1.0;
    const QString unit = GetYUnit(std::max(std::fabs(m_yTo), std::fabs(m_yFrom)), scale);
    const int y0 = centred ? plot.center().y() : plot.bottom() + 1;
    const double x0 = BaseColumn(plot, m_xFrom, m_xTo);
    const int fontHeight = painter->fontMetrics().height();
    const QRect band(plot.left() - m_yAxisWidth, plot.top(), m_yAxisWidth, plot.height());
    painter->setClipRect(band, Qt::ReplaceClip);
    painter->fillRect(band, m_yAxisBrush);
    painter->setPen(Qt::gray);
    painter->drawText(QRect(band.left(), band.top(), band.width(), fontHeight), Qt::AlignRight | Qt::AlignTop,
                      unit);

    painter->setClipRect(plot, Qt::ReplaceClip);
    painter->setPen(Qt::white);
    painter->drawLine(QPointF(x0, plot.top()), QPointF(x0, plot.bottom()));

    const double yStep = YStep();
    if (!(yStep > 0.0))
        return;
    auto text = [&](double value) { return CUtils::FormatFixed(value * scale, m_yPrecision); };
    painter->setClipRect(band, Qt::ReplaceClip);
    painter->setPen(m_yAxisPen);
    painter->drawText(QRect(band.left(), band.top() + fontHeight + 1, band.width(), kYSpacing),
                      Qt::AlignRight | Qt::AlignTop, text(m_yTo));
    const double base = centred ? (m_yFrom + m_yTo) / 2.0 : m_yFrom;
    int row = y0 - 30;
    for (double value = base; value < m_yTo - yStep && row > band.top() - kYSpacing;
         value += yStep, row -= kYSpacing)
        painter->drawText(QRect(band.left(), row, band.width(), 32), Qt::AlignRight | Qt::AlignBottom,
                          text(value));
    if (centred)
    {
        painter->drawText(QRect(band.left(), band.bottom() - 36, band.width(), kYSpacing),
                          Qt::AlignRight | Qt::AlignBottom, text(m_yFrom));
        row = y0 + 40;
        for (double value = base - yStep; value > m_yFrom + yStep && row < band.bottom() + kYSpacing;
             value -= yStep, row += kYSpacing)
            painter->drawText(QRect(band.left(), row, band.width(), kYSpacing), Qt::AlignRight | Qt::AlignTop,
                              text(value));
    }
}

void CQGraphicBase::DrawFrame(QPainter* painter, int mode, const QRect& plot, bool centred, bool showUnit)
{
    if (mode != 0 || m_rect.isEmpty())
    {
        DrawGrid(painter, plot, m_xFrom, m_xTo, centred);
        DrawXAxisLabels(painter, mode, plot, m_xFrom, m_xTo, centred, showUnit);
        DrawYAxisLabels(painter, plot, centred);
        painter->setClipRect(plot, Qt::ReplaceClip);
        return;
    }
    // Everything the layer's pixels depend on; the units are asked for because a painter may
    // switch them (index axis) without the frame knowing.
    double scale = 1.0;
    const QString xUnit = GetXUnit(std::max(std::fabs(m_xFrom), std::fabs(m_xTo)), scale);
    const QString yUnit = GetYUnit(std::max(std::fabs(m_yTo), std::fabs(m_yFrom)), scale);
    const QRect& mapRect = m_columnMap.rect;
    const QStringList parts = {QString::number(m_rect.x()),
                               QString::number(m_rect.y()),
                               QString::number(m_rect.width()),
                               QString::number(m_rect.height()),
                               QString::number(plot.x()),
                               QString::number(plot.y()),
                               QString::number(plot.width()),
                               QString::number(plot.height()),
                               QString::number(mapRect.width()),
                               QString::number(mapRect.height()),
                               QString::number(m_columnMap.viewFrom, 'g', 17),
                               QString::number(m_columnMap.viewTo, 'g', 17),
                               QString::number(m_columnMap.yFrom, 'g', 17),
                               QString::number(m_columnMap.yTo, 'g', 17),
                               QString::number(m_xFrom, 'g', 17),
                               QString::number(m_xTo, 'g', 17),
                               QString::number(m_xMin, 'g', 17),
                               QString::number(m_yFrom, 'g', 17),
                               QString::number(m_yTo, 'g', 17),
                               QString::number(m_xPrecision),
                               QString::number(m_yPrecision),
                               QString::number(m_showXAxis),
                               QString::number(m_showYAxis),
                               QString::number(m_xAxisHeight),
                               QString::number(m_yAxisWidth),
                               QString::number(centred),
                               QString::number(showUnit),
                               PenKey(m_gridPen),
                               PenKey(m_xAxisPen),
                               PenKey(m_yAxisPen),
                               BrushKey(m_xAxisBrush),
                               BrushKey(m_yAxisBrush),
                               painter->font().toString(),
                               xUnit,
                               yUnit};
    const QString key = parts.join('|');
    if (key != m_frameKey || m_frameLayer.size() != m_rect.size())
    {
        m_frameLayer = QImage(m_rect.size(), QImage::Format_ARGB32_Premultiplied);
        m_frameLayer.fill(Qt::transparent);
        QPainter layer(&m_frameLayer);
        layer.setFont(painter->font());
        layer.translate(-m_rect.topLeft());
        DrawGrid(&layer, plot, m_xFrom, m_xTo, centred);
        DrawXAxisLabels(&layer, mode, plot, m_xFrom, m_xTo, centred, showUnit);
        DrawYAxisLabels(&layer, plot, centred);
        layer.end();
        m_frameKey = key;
    }
    painter->setClipRect(m_rect, Qt::ReplaceClip);
    painter->drawImage(m_rect.topLeft(), m_frameLayer);
    painter->setClipRect(plot, Qt::ReplaceClip);
}

void CQGraphicBase::InvalidateFrame()
{
    m_frameKey.clear();
}

void CQGraphicBase::DrawXScrollBar(QPainter* painter)
{
    DrawXScrollBar(painter, GetPlotRect(), m_xMin, m_xFrom, m_xTo, m_xLimit);
}

void CQGraphicBase::DrawXScrollBar(QPainter* painter, QRect plot, double min, double from, double to,
                                   double max)
{
    if (!m_showXScrollBar || !m_showXAxis)
        return;
    const QRect strip(plot.left(), plot.bottom() + m_xAxisHeight, plot.width(), m_margin);
    painter->setClipRect(strip.adjusted(0, 0, 1, 1), Qt::ReplaceClip);
    painter->setPen(Qt::white);
    painter->setBrush(Qt::transparent);
    painter->drawRect(strip);
    if (!(max > min) || !std::isfinite(from) || !std::isfinite(to))
        return;
    const double w = plot.width();
    double width = (to - from) * w / (max - min);
    if (width < 0.0)
        width = 1.0;
    double left = plot.left() + (from - min) * w / (max - min) + 2.0;
    if (width > w)
    {
        width = w - 4.0;
        left = plot.left() + 2;
    }
    width = std::max(width, 10.0);
    if (left + width > plot.right())
        width = plot.right() - left - 1.0;
    painter->fillRect(QRectF(left, strip.top() + 2, width, strip.height() - 3), Qt::white);
}

void CQGraphicBase::DrawYScrollBar(QPainter* painter)
{
    DrawYScrollBar(painter, m_yMin, m_yFrom, m_yTo, m_yMax);
}

void CQGraphicBase::DrawYScrollBar(QPainter* painter, double min, double from, double to, double max)
{
    if (!m_showYAxis)
        return;
    const QRect plot = GetPlotRect();
    const QRect strip(plot.right(), plot.top(), m_margin, plot.height());
    painter->setClipRect(strip.adjusted(0, 0, 1, 1), Qt::ReplaceClip);
    painter->setPen(Qt::white);
    painter->setBrush(Qt::transparent);
    painter->drawRect(strip);
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(from) || !std::isfinite(to))
        return;
    const double h = plot.height() - 3;
    double height = h;
    double bottom = strip.bottom();
    if (max - min != 0.0)
    {
        height = (to - from) * h / (max - min);
        if (height < 0.0)
            height = h;
        bottom = strip.bottom() - (from - min) * h / (max - min);
    }
    height = std::max(height, 10.0);
    painter->fillRect(QRectF(strip.left() + 2, bottom - height, strip.width() - 3, height), Qt::white);
}

void CQGraphicBase::ApplyDataOperation(std::vector<double>& live, const std::vector<double>& held)
{
    if (m_dataOperation == 1)
    {
        live.clear();
        return;
    }
    if (live.size() != held.size())
        return;
    std::vector<double> correction;
    if (m_dataOperation == 4 && m_pCorrectionTarget)
        correction.resize(held.size());
    for (size_t i = 0; i < held.size(); ++i)
    {
        if (m_dataOperation == 3)
        {
            live[i] = held[i] - live[i] + m_yFrom;
        }
        else if (m_dataOperation == 4)
        {
            const double d = live[i] - held[i];
            live[i] = d + m_yFrom;
            // Deliberate: a rise is stored offset by the Y start, a fall as the Y start itself;
            // the range calculator expects the row in this form.
            double c = d < 0.0 ? m_yFrom : d;
            if (c > 0.0)
                c += m_yFrom;
            if (!correction.empty())
                correction[i] = c;
        }
    }
    if (!m_pCorrectionTarget)
        return;
    // The newest row replaces one still waiting for the lock.
    m_pendingShift = m_dataOperation == 4 ? 1.0 : 0.0;
    m_pendingCorrection = std::move(correction);
    m_correctionPending = true;
    FlushCorrection();
}

void CQGraphicBase::SetCorrectionTarget(ICommonFft* fft)
{
    m_pCorrectionTarget = fft;
    m_correctionPending = false;
    m_pendingCorrection.clear();
}

void CQGraphicBase::FlushCorrection()
{
    if (!m_correctionPending || !m_pCorrectionTarget)
        return;
    // The device thread reads the row while it holds the data mutex; never wait for it here.
    if (!g_DataMutex.tryLock())
        return;
    m_pCorrectionTarget->SetCorrection(m_pendingShift, -1);
    for (size_t i = 0; i < m_pendingCorrection.size(); ++i)
        m_pCorrectionTarget->SetCorrection(m_pendingCorrection[i], static_cast<int>(i));
    g_DataMutex.unlock();
    m_correctionPending = false;
    m_pendingCorrection.clear();
}

void CQGraphicBase::SetKnownRangesSource(KnownRangesSource source)
{
    m_knownRanges = std::move(source);
}

std::vector<KNOWN_RANGE_ITEM> CQGraphicBase::KnownRanges() const
{
    if (m_knownRanges)
        return m_knownRanges();
    if (g_DeviceThread.m_pControlBits)
        return g_DeviceThread.m_pControlBits->GetKnownRanges();
    return {};
}

void WriteDoubleVector(QDataStream& stream, const std::vector<double>& data)
{
    stream << static_cast<qint32>(data.size());
    for (double v : data)
        stream << v;
}

void ReadDoubleVector(QDataStream& stream, std::vector<double>& data)
{
    qint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok || count < 1)
        return;
    // A damaged file can claim billions of points: never allocate more than the stream can hold.
    const QIODevice* device = stream.device();
    constexpr qint32 kMaxSequentialCount = 1 << 24;
    const bool tooMany = device && !device->isSequential() ? qint64(count) * 8 > device->bytesAvailable()
                                                           : count > kMaxSequentialCount;
    if (tooMany)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    std::vector<double> values(static_cast<size_t>(count));
    for (double& v : values)
        stream >> v;
    if (stream.status() != QDataStream::Ok)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    data = std::move(values);
}
