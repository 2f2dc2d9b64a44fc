#include "waterfallgraphic.h"

#include <QPainter>

#include <stdexcept>

#include "globals.h"

CQWaterfallGraphic::CQWaterfallGraphic() = default;

// Page 1's buffer file is closed and deleted by the page itself.
CQWaterfallGraphic::~CQWaterfallGraphic() = default;

WaterfallTimeMarks& CQWaterfallGraphic::Marks(WaterfallPage& page)
{
    return &page == &m_loaded ? m_loadedMarks : m_marks;
}

WaterfallTimeMarks& CQWaterfallGraphic::ShownMarks()
{
    return m_showLoaded ? m_loadedMarks : m_marks;
}

void CQWaterfallGraphic::AddLine(const std::vector<double>& levels)
{
    PushLine(m_live, levels);
}

void CQWaterfallGraphic::AddLineAt(qint64 timeMs, const std::vector<double>& levels)
{
    m_showLoaded = true;
    PushLineAtTime(m_loaded, timeMs, levels);
}

void CQWaterfallGraphic::ResetTimePosition()
{
    ResetPage(m_live);
}

void CQWaterfallGraphic::SetRebuild(bool rebuild)
{
    m_live.rebuild = rebuild;
}

void CQWaterfallGraphic::Restart()
{
    ResetTimePosition();
    m_redraw = true;
    if (!m_live.image.isNull())
        m_live.image.fill(m_background.color());
}

void CQWaterfallGraphic::ResetLoadedPage()
{
    ResetPage(m_loaded);
}

void CQWaterfallGraphic::ShowLiveData()
{
    m_showLoaded = false;
    m_redraw = true;
}

bool CQWaterfallGraphic::SetBufferFile(bool on, const QString& path)
{
    if (!on)
    {
        m_live.CloseFile();
        return true;
    }
    const bool opened = m_live.SetFile(path);
    SetRebuild(false);
    if (!m_live.HasFile())
        return opened;
    // The history so far goes first, oldest line first, so that the file is in time order.
    m_live.SetKnownRecords(LineCapacity(m_live));
    for (auto it = m_live.lines.crbegin(); it != m_live.lines.crend(); ++it)
        if ((*it)->levels.size() == static_cast<size_t>(m_live.count))
            m_live.WriteLine(*it);
    if (m_live.newest && (m_live.lines.isEmpty() || m_live.lines.first() != m_live.newest) &&
        m_live.newest->levels.size() == static_cast<size_t>(m_live.count))
        m_live.WriteLine(m_live.newest);
    return opened && m_live.HasFile();
}

int CQWaterfallGraphic::GetPointCount()
{
    try
    {
        const WaterfallLineList lines = LoadShownLines(ShownPage());
        return lines.isEmpty() ? 0 : static_cast<int>(lines.first()->levels.size());
    }
    catch (const std::exception&)
    {
        return 0;
    }
}

void CQWaterfallGraphic::SetRect(QRect rect)
{
    const QSize before = GetPlotRect().size();
    CQSpectrumGraphicBase::SetRect(rect);
    const QRect plot = GetPlotRect();
    // Rebuilding drops the history in memory, so only a real change of the plot size does it.
    if (plot.size() != before || m_live.image.isNull() || m_live.image.size() != plot.size())
        RebuildImage(m_live, plot);
}

void CQWaterfallGraphic::MarkRecolour()
{
    m_live.recolour = true;
    m_loaded.recolour = true;
}

void CQWaterfallGraphic::SetXFrom(double value)
{
    CQSpectrumGraphicBase::SetXFrom(value);
    MarkRecolour();
}

void CQWaterfallGraphic::SetXTo(double value)
{
    CQSpectrumGraphicBase::SetXTo(value);
    MarkRecolour();
}

void CQWaterfallGraphic::SetXWindow(double from, double to)
{
    CQGraphicBase::SetXWindow(from, to);
    MarkRecolour();
}

void CQWaterfallGraphic::SetYWindow(double from, double to)
{
    CQGraphicBase::SetYWindow(from, to);
    MarkRecolour();
}

int CQWaterfallGraphic::GetTraceCount()
{
    return 0;
}

void CQWaterfallGraphic::Paint(QPainter* painter, int mode)
{
    // Nothing to draw (no history yet, an empty X range, disordered time marks): the pane stays blank.
    // The error ends here so that no caller's paint event can be left by an exception.
    try
    {
        PaintPane(painter, mode);
    }
    catch (const std::exception&)
    {
        painter->save();
        painter->fillRect(m_rect, m_background);
        painter->restore();
    }
}

void CQWaterfallGraphic::PaintPane(QPainter* painter, int mode)
{
    const QRect plot = GetPlotRect();
    WaterfallPage& page = ShownPage();
    const WaterfallLineList lines = LoadShownLines(page);
    if (!(m_xMin < m_xMax) || lines.isEmpty())
        throw std::runtime_error("Nothing to draw");

    if (m_indexAxis)
    {
        m_indexMap.rect = plot;
        m_indexMap.dataFrom = 0.0;
        m_indexMap.dataTo = m_indexCount;
        m_indexMap.viewFrom = 0.0;
        m_indexMap.viewTo = m_indexCount;
        m_indexMap.yFrom = m_yFrom;
        m_indexMap.yTo = m_yTo;
    }
    m_columnMap.rect = plot;
    m_columnMap.dataFrom = m_xMin;
    m_columnMap.dataTo = m_xMax;
    m_columnMap.viewFrom = m_xFrom;
    m_columnMap.viewTo = m_xTo;
    m_columnMap.yFrom = m_yFrom;
    m_columnMap.yTo = m_yTo;

    ColorizeLines(page.recolour, lines, plot);

    DrawGrid(painter, plot, m_xFrom, m_xTo, false);
    DrawXAxisLabels(painter, mode, plot, m_xFrom + g_FreqOffset, m_xTo + g_FreqOffset, false, true);
    DrawTimeAxis(painter, plot);

    painter->save();
    painter->setClipRect(plot);
    DrawImage(painter, m_live.image, lines, plot, static_cast<int>(m_live.image.bytesPerLine()),
              static_cast<int>(lines.size()));
    painter->restore();
    painter->save();
    painter->setClipRect(m_rect);
    if (!IsXFixed())
        DrawXScrollBar(painter);
    const WaterfallTimeMarks& marks = ShownMarks();
    DrawYScrollBar(painter, static_cast<double>(marks.rangeStart), static_cast<double>(marks.windowStart),
                   static_cast<double>(marks.windowEnd), static_cast<double>(marks.rangeEnd));
    painter->restore();
}

QDataStream& CQWaterfallGraphic::Save(QDataStream& stream)
{
    return stream;
}

QDataStream& CQWaterfallGraphic::Load(QDataStream& stream)
{
    return stream;
}
