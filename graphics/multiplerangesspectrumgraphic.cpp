#include "multiplerangesspectrumgraphic.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "imultiadf4350.h"

CQMultipleRangesSpectrumGraphic::CQMultipleRangesSpectrumGraphic() = default;

CQMultipleRangesSpectrumGraphic::~CQMultipleRangesSpectrumGraphic() = default;

bool CQMultipleRangesSpectrumGraphic::UsesOtherNumbering(const QString& rangeName)
{
    return rangeName.left(7) == QLatin1String("GSM 900");
}

void CQMultipleRangesSpectrumGraphic::SetXFrom(double value)
{
    SetHoverRangeFrom(value);
}

void CQMultipleRangesSpectrumGraphic::SetXTo(double value)
{
    SetHoverRangeTo(value);
}

void CQMultipleRangesSpectrumGraphic::SetXWindow(double from, double to)
{
    if (IsXFixed())
        return;
    const int index = HoverRange();
    if (index < 0 || std::isnan(from) || std::isnan(to))
        return;
    const GraphicRange& range = m_ranges[index];
    ApplyRangeWindow(index, std::max(from, range.from), std::min(to, range.to));
}

void CQMultipleRangesSpectrumGraphic::ScrollX(double delta)
{
    const int index = HoverRange();
    if (index < 0 || !std::isfinite(delta))
        return;
    const GraphicRange& range = m_ranges[index];
    const double from = range.windowFrom + delta;
    const double to = range.windowTo + delta;
    if (from < range.from || to > range.to)
        return;
    ApplyRangeWindow(index, from, to);
}

double CQMultipleRangesSpectrumGraphic::GetXFrom()
{
    const int index = HoverRange();
    return index < 0 ? m_xFrom : m_ranges[index].windowFrom;
}

double CQMultipleRangesSpectrumGraphic::GetXTo()
{
    const int index = HoverRange();
    return index < 0 ? m_xTo : m_ranges[index].windowTo;
}

bool CQMultipleRangesSpectrumGraphic::IsXZoomed()
{
    const int index = HoverRange();
    if (index < 0)
        return false;
    const GraphicRange& range = m_ranges[index];
    return range.windowFrom > range.from || range.to > range.windowTo;
}

QRect CQMultipleRangesSpectrumGraphic::GetXLabelRect(int i)
{
    const int index = HoverRange();
    if (index < 0)
        return QRect();
    const QRect& rect = m_ranges[index].rect;
    const int w = rect.width() / m_xDivisions;
    return QRect(rect.left() + w * i, rect.bottom() + 2, w, m_xAxisHeight);
}

double CQMultipleRangesSpectrumGraphic::GetMinAtPoint(int, const QPoint& point)
{
    const int index = RangeAt(point);
    if (index < 0)
        return -1.0;
    const GraphicRange& range = m_ranges[index];
    const int column = point.x() - range.rect.left();
    if (column < 0 || column >= static_cast<int>(range.columns.size()))
        return 0.0;
    return range.columns[static_cast<size_t>(column)].minValue;
}

double CQMultipleRangesSpectrumGraphic::GetMaxAtPoint(int, const QPoint& point)
{
    const int index = RangeAt(point);
    if (index < 0)
        return -1.0;
    const GraphicRange& range = m_ranges[index];
    const int column = point.x() - range.rect.left();
    if (column < 0 || column >= static_cast<int>(range.columns.size()))
        return 0.0;
    return range.columns[static_cast<size_t>(column)].maxValue;
}

void CQMultipleRangesSpectrumGraphic::SetRect(QRect rect)
{
    CQSpectrumGraphicBase::SetRect(rect);
    LayoutRanges();
}

int CQMultipleRangesSpectrumGraphic::GetTraceCount()
{
    return 1;
}

int CQMultipleRangesSpectrumGraphic::GetPointCount()
{
    return m_ranges.isEmpty() ? 0 : static_cast<int>(m_ranges[0].data.size());
}

QDataStream& CQMultipleRangesSpectrumGraphic::Save(QDataStream& stream)
{
    return stream;
}

QDataStream& CQMultipleRangesSpectrumGraphic::Load(QDataStream& stream)
{
    return stream;
}

void CQMultipleRangesSpectrumGraphic::ResetXWindows()
{
    for (GraphicRange& range : m_ranges)
    {
        range.windowFrom = range.from;
        range.windowTo = range.to;
    }
    // Only the range being swept now is re-tuned; the others keep their sweep until they are zoomed.
    IMultiAdf4350* synthesizer = Synthesizer();
    if (synthesizer == nullptr)
        return;
    const int current = synthesizer->GetCurrentRange();
    if (current >= 0 && current < m_ranges.size() && current < synthesizer->GetRangeCount())
        synthesizer->SetRange(current, m_ranges[current].from, m_ranges[current].to);
}

void CQMultipleRangesSpectrumGraphic::Paint(QPainter* painter, int mode)
{
    painter->save();
    PaintPane(painter, mode);
    painter->restore();
}

void CQMultipleRangesSpectrumGraphic::PaintPane(QPainter* painter, int mode)
{
    if (m_ranges.isEmpty())
        return;
    for (int i = 0; i < m_ranges.size(); ++i)
    {
        if (PaintRange(painter, mode, i))
            continue;
        // No data (or nothing to map them on): this range's column says so, the others draw on.
        const QRect& rect = m_ranges[i].rect;
        painter->setClipRect(rect, Qt::ReplaceClip);
        painter->fillRect(rect, m_background);
        painter->setPen(Qt::white);
        painter->drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter, tr("No data"));
    }
    painter->setClipRect(m_rect, Qt::ReplaceClip);
    DrawYScrollBar(painter, m_yMin, m_yFrom, m_yTo, m_yMax);
}

bool CQMultipleRangesSpectrumGraphic::PaintRange(QPainter* painter, int mode, int index)
{
    GraphicRange& range = m_ranges[index];
    const QRect rect = range.rect;
    painter->setClipRect(rect, Qt::ReplaceClip);
    painter->fillRect(rect, m_background);
    if (rect.width() <= 0 || rect.height() <= 0)
        return false;

    if (m_indexAxis)
    {
        m_indexMap.rect = rect;
        m_indexMap.dataFrom = m_indexMap.viewFrom = 0.0;
        m_indexMap.dataTo = m_indexMap.viewTo = m_indexCount;
        m_indexMap.yFrom = m_yFrom;
        m_indexMap.yTo = m_yTo;
    }
    // Outside the sweep's index axis a range's data cover the channel's whole X range, of which the
    // range shows its window.
    m_columnMap.rect = rect;
    m_columnMap.dataFrom = m_xMin;
    m_columnMap.dataTo = m_xMax;
    m_columnMap.viewFrom = range.windowFrom;
    m_columnMap.viewTo = range.windowTo;
    m_columnMap.yFrom = m_yFrom;
    m_columnMap.yTo = m_yTo;
    CPixelColumnMap& map = m_indexAxis ? m_indexMap : m_columnMap;
    const bool built = map.Build(range.data, range.columns, false);
    m_pixelsPerPoint = map.pixelsPerPoint;
    if (!built)
        return false;

    const bool last = index + 1 == m_ranges.size();
    DrawGrid(painter, rect, range.windowFrom, range.windowTo, false);
    DrawXAxisLabels(painter, mode, rect, range.windowFrom, range.windowTo, false, last);
    if (index == 0)
        DrawYAxisLabels(painter, rect, false);
    DrawAnalysisTrace(painter, 0, true, m_linePen, m_fillPen, rect, range.columns, index,
                      UsesOtherNumbering(range.name));
    DrawXScrollBar(painter, rect, range.from, range.windowFrom, range.windowTo, range.to);

    painter->setClipRect(rect, Qt::ReplaceClip);
    painter->setPen(Qt::white);
    painter->drawText(QPoint(rect.left(), rect.top() + 10), range.name);
    return true;
}
