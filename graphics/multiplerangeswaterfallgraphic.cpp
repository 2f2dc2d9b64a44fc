#include "multiplerangeswaterfallgraphic.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "devicethread.h"
#include "globals.h"
#include "imultiadf4350.h"

CQMultipleRangesWaterfallGraphic::CQMultipleRangesWaterfallGraphic() = default;

CQMultipleRangesWaterfallGraphic::~CQMultipleRangesWaterfallGraphic() = default;

void CQMultipleRangesWaterfallGraphic::SetRangeData(int index, const std::vector<double>& levels)
{
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size())
        return;
    PushLine(*m_pages[static_cast<size_t>(index)], levels);
}

void CQMultipleRangesWaterfallGraphic::AddRange(const QString& name, double from, double to)
{
    // The page first: the layout of the new range list hands every page its column.
    m_pages.push_back(std::make_unique<WaterfallPage>());
    CQMultiRangesGraphicBase::AddRange(name, from, to);
}

void CQMultipleRangesWaterfallGraphic::ClearRanges()
{
    CQMultiRangesGraphicBase::ClearRanges();
    m_pages.clear();
}

void CQMultipleRangesWaterfallGraphic::SetRangeRect(int index, const QRect& rect)
{
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size())
        return;
    WaterfallPage& page = *m_pages[static_cast<size_t>(index)];
    // Rebuilding drops the page's history in memory, so only a new column size does it.
    if (page.image.isNull() || page.image.size() != rect.size())
        RebuildImage(page, rect);
}

void CQMultipleRangesWaterfallGraphic::ResetTimePosition()
{
    for (const std::unique_ptr<WaterfallPage>& page : m_pages)
        SetTimePosition(page->lastMappedTime);
}

void CQMultipleRangesWaterfallGraphic::SetRebuild(bool rebuild)
{
    for (const std::unique_ptr<WaterfallPage>& page : m_pages)
        page->rebuild = rebuild;
}

bool CQMultipleRangesWaterfallGraphic::SetBufferFile(const QString& baseName)
{
    m_bufferBaseName = baseName;
    for (size_t i = 0; i < m_pages.size(); ++i)
    {
        if (!m_pages[i]->SetFile(baseName + QString::number(i)))
            return false;
    }
    return true;
}

void CQMultipleRangesWaterfallGraphic::SetXFrom(double value)
{
    SetHoverRangeFrom(value);
}

void CQMultipleRangesWaterfallGraphic::SetXTo(double value)
{
    SetHoverRangeTo(value);
}

void CQMultipleRangesWaterfallGraphic::SetXWindow(double from, double to)
{
    const int index = HoverRange();
    if (index < 0 || std::isnan(from) || std::isnan(to))
        return;
    const GraphicRange& range = m_ranges[index];
    ApplyRangeWindow(index, std::max(from, range.from), std::min(to, range.to));
}

void CQMultipleRangesWaterfallGraphic::SetYWindow(double from, double to)
{
    CQGraphicBase::SetYWindow(from, to);
    for (const std::unique_ptr<WaterfallPage>& page : m_pages)
        page->recolour = true;
}

void CQMultipleRangesWaterfallGraphic::SetRect(QRect rect)
{
    CQSpectrumGraphicBase::SetRect(rect);
    LayoutRanges();
}

double CQMultipleRangesWaterfallGraphic::GetMinAtPoint(int, const QPoint&)
{
    return 0.0;
}

double CQMultipleRangesWaterfallGraphic::GetMaxAtPoint(int, const QPoint&)
{
    return 0.0;
}

int CQMultipleRangesWaterfallGraphic::GetTraceCount()
{
    return 1;
}

int CQMultipleRangesWaterfallGraphic::GetPointCount()
{
    return m_ranges.isEmpty() ? 0 : static_cast<int>(m_ranges[0].data.size());
}

QDataStream& CQMultipleRangesWaterfallGraphic::Save(QDataStream& stream)
{
    return stream;
}

QDataStream& CQMultipleRangesWaterfallGraphic::Load(QDataStream& stream)
{
    return stream;
}

void CQMultipleRangesWaterfallGraphic::Paint(QPainter* painter, int mode)
{
    // The merged rows of every page must be rebuilt, not only those of the first page drawn: the
    // redraw flag is one for all pages, and each page's row rebuild consumes it.
    const bool redraw = m_redraw;
    painter->save();
    try
    {
        PaintPane(painter, mode);
        m_redraw = false;
    }
    catch (const std::exception&)
    {
        m_redraw = m_redraw || redraw;
        painter->setClipRect(m_rect, Qt::ReplaceClip);
        painter->fillRect(m_rect, m_background);
        painter->setPen(Qt::white);
        painter->drawText(m_rect, Qt::AlignHCenter | Qt::AlignVCenter, tr("No data"));
    }
    painter->restore();
}

void CQMultipleRangesWaterfallGraphic::PaintPane(QPainter* painter, int mode)
{
    if (m_ranges.isEmpty())
        return;
    const bool redraw = m_redraw;
    for (int i = 0; i < m_ranges.size(); ++i)
    {
        const GraphicRange& range = m_ranges[i];
        WaterfallPage& page = *m_pages[static_cast<size_t>(i)];
        const QRect rect = range.rect;
        if (redraw)
            m_redraw = true;
        const WaterfallLineList lines = LoadShownLines(page);
        if (!(m_xMin < m_xMax) || lines.isEmpty())
            throw std::runtime_error("No lines in a range");

        if (m_indexAxis)
        {
            m_indexMap.rect = rect;
            m_indexMap.dataFrom = m_indexMap.viewFrom = 0.0;
            m_indexMap.dataTo = m_indexMap.viewTo = m_indexCount;
            m_indexMap.yFrom = m_yFrom;
            m_indexMap.yTo = m_yTo;
        }
        // Outside the sweep's index axis a line covers the channel's whole X range, of which the
        // range shows its window.
        m_columnMap.rect = rect;
        m_columnMap.dataFrom = m_xMin;
        m_columnMap.dataTo = m_xMax;
        m_columnMap.viewFrom = range.windowFrom;
        m_columnMap.viewTo = range.windowTo;
        m_columnMap.yFrom = m_yFrom;
        m_columnMap.yTo = m_yTo;
        ColorizeLines(page.recolour, lines, rect);

        // The grid is spaced over the frame's window while the labels show the range's.
        DrawGrid(painter, rect, m_xFrom, m_xTo, false);
        DrawXAxisLabels(painter, mode, rect, range.windowFrom, range.windowTo, false,
                        i + 1 == m_ranges.size());
        if (i == 0)
            DrawTimeAxis(painter, rect);

        painter->setClipRect(rect, Qt::ReplaceClip);
        DrawImage(painter, page.image, lines, rect, static_cast<int>(page.image.bytesPerLine()),
                  static_cast<int>(lines.size()));
        painter->setClipRect(m_rect, Qt::ReplaceClip);
        DrawXScrollBar(painter, rect, range.from, range.windowFrom, range.windowTo, range.to);
    }
    const WaterfallTimeMarks& marks = ShownMarks();
    DrawYScrollBar(painter, static_cast<double>(marks.rangeStart), static_cast<double>(marks.windowStart),
                   static_cast<double>(marks.windowEnd), static_cast<double>(marks.rangeEnd));
}

void CQMultipleRangesWaterfallGraphic::RangeWindowApplied(int index)
{
    m_pages[static_cast<size_t>(index)]->recolour = true;
}
