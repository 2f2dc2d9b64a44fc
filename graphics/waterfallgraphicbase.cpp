#include "waterfallgraphicbase.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace
{
// A newest line stamped this far ahead of the clock came from a foreign time line (a replay or a clock
// jump); it must not swallow every live line by merging.
constexpr qint64 kFutureToleranceMs = 3600LL * 1000;
}  // namespace

CQWaterfallGraphicBase::CQWaterfallGraphicBase() : m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_background = QBrush(Qt::black, Qt::SolidPattern);
    m_indexAxis = false;
    m_indexCount = 0;
    m_xDivisions = 1;
    m_yDivisions = 1;
}

CQWaterfallGraphicBase::~CQWaterfallGraphicBase() = default;

void CQWaterfallGraphicBase::SetClock(Clock clock)
{
    if (clock)
        m_clock = std::move(clock);
}

WaterfallTimeMarks& CQWaterfallGraphicBase::Marks(WaterfallPage&)
{
    return m_marks;
}

WaterfallTimeMarks& CQWaterfallGraphicBase::ShownMarks()
{
    return m_marks;
}

qint64 CQWaterfallGraphicBase::GetRangeStart()
{
    return ShownMarks().rangeStart;
}

qint64 CQWaterfallGraphicBase::GetRangeEnd()
{
    return ShownMarks().rangeEnd;
}

qint64 CQWaterfallGraphicBase::GetWindowStart()
{
    return ShownMarks().windowStart;
}

qint64 CQWaterfallGraphicBase::GetWindowEnd()
{
    return ShownMarks().windowEnd;
}

QRgb CQWaterfallGraphicBase::PaletteColour(double level, double yFrom, double yTo)
{
    int idx = 0;
    if (!std::isnan(level) && yTo != yFrom)
    {
        const double v = std::clamp(level, std::min(yFrom, yTo), std::max(yFrom, yTo));
        const double step = (v - yFrom) * 1023.0 / (yTo - yFrom);
        idx = std::isfinite(step) ? static_cast<int>(std::clamp(step, 0.0, 1023.0)) : 0;
    }
    const int t = idx % 256;
    switch (idx / 256)
    {
        case 0:
            return qRgb(0, t, 255);
        case 1:
            return qRgb(0, 255, 255 - t);
        case 2:
            return qRgb(t, 255, 0);
        default:
            return qRgb(255, 255 - t, 0);
    }
}

qint64 CQWaterfallGraphicBase::BytesPerVector(const WaterfallPage& page)
{
    const qint64 width = std::max(0, GetPlotRect().width());
    return 8 * static_cast<qint64>(std::max(page.count, 1)) + 4 * width +
           static_cast<qint64>(sizeof(WaterfallLine)) + 64;
}

int CQWaterfallGraphicBase::RowCapacity(const WaterfallPage& page)
{
    if (m_linesPerRow < 2)
        return 0;  // the lines are the rows
    const qint64 vectors = kHistoryBudgetBytes / BytesPerVector(page);
    return static_cast<int>(std::max<qint64>(1, std::min<qint64>(m_rows, vectors / 2)));
}

int CQWaterfallGraphicBase::LineCapacity(const WaterfallPage& page)
{
    const qint64 lpr = std::max(1, m_linesPerRow);
    const qint64 vectors = kHistoryBudgetBytes / BytesPerVector(page);
    qint64 cap =
        std::min<qint64>(static_cast<qint64>(std::max(m_rows, 1)) * lpr, vectors - RowCapacity(page));
    // Whole groups only, so that every row merges the same lines it did when it was first made.
    cap = std::max(lpr, cap / lpr * lpr);
    return static_cast<int>(cap);
}

bool CQWaterfallGraphicBase::AcceptCount(WaterfallPage& page, const std::vector<double>& levels)
{
    if (page.count == 0)
    {
        // A new point count starts a new history: lines of another size never share a page.
        if ((page.HasFile() && page.FileSize() > 0) || page.newest || !page.lines.isEmpty())
            ResetPage(page);
        page.count = static_cast<int>(levels.size());
    }
    if (levels.empty() || static_cast<int>(levels.size()) != page.count)
    {
        page.count = 0;
        return false;
    }
    return true;
}

void CQWaterfallGraphicBase::PushLine(WaterfallPage& page, const std::vector<double>& levels)
{
    if (m_dataOperation != 0)
        return;
    if (!AcceptCount(page, levels))
        return;
    WaterfallTimeMarks& marks = Marks(page);
    if (m_pauseState == 1)
    {
        if (marks.pausedLines++ == 0)
            marks.wasFollowing = marks.IsFollowing();
        return;
    }
    if (marks.pausedLines > 0)
    {
        marks.pausedLines = 0;
        SetRebuild(true);
        if (marks.wasFollowing)
            marks.windowEnd = marks.rangeEnd;
    }
    const qint64 now = m_clock();
    if (page.newest && page.newest->timeMs > now + kFutureToleranceMs)
        page.newest->timeMs = 0;
    PushLineAt(page, now, m_linePeriod, levels);
}

void CQWaterfallGraphicBase::PushLineAtTime(WaterfallPage& page, qint64 timeMs,
                                            const std::vector<double>& levels)
{
    if (!AcceptCount(page, levels))
        return;
    PushLineAt(page, timeMs, m_msPerRow, levels);
}

void CQWaterfallGraphicBase::PushLineAt(WaterfallPage& page, qint64 timeMs, int periodMs,
                                        const std::vector<double>& levels)
{
    WaterfallTimeMarks& marks = Marks(page);
    const qint64 period = std::max(1, periodMs);
    if (marks.rangeEnd == 0)
        marks.windowEnd = marks.rangeEnd = timeMs;

    if (timeMs > marks.rangeEnd + period)
    {
        // Fillers only repeat the last line, so a long gap needs no more of them than the history can
        // hold; the rest of the gap is skipped in whole periods.
        const qint64 fillers = (timeMs - marks.rangeEnd - 1) / period;
        const qint64 keep = LineCapacity(page) + 1;
        if (fillers > keep)
        {
            const qint64 skip = (fillers - keep) * period;
            if (marks.IsFollowing())
                marks.windowEnd += skip;
            marks.rangeEnd += skip;
        }
        std::vector<double> repeated;
        if (page.newest && static_cast<int>(page.newest->levels.size()) == page.count)
            repeated = page.newest->levels;
        else
            repeated.assign(static_cast<size_t>(page.count), kFillerLevel);
        while (timeMs > marks.rangeEnd + period)
        {
            auto filler = std::make_shared<WaterfallLine>();
            filler->timeMs = marks.rangeEnd + period;
            filler->levels = repeated;
            if (page.HasFile())
                page.WriteLine(*filler);
            const bool following = marks.IsFollowing();
            if (following && m_pauseState == 0)
                AddShownLine(page, filler);
            page.newest = filler;
            if (following)
                marks.windowEnd += period;
            marks.rangeEnd += period;
        }
    }

    const qint64 lineTime = marks.rangeEnd + period;
    if (page.newest && page.newest->timeMs >= timeMs)
    {
        // Within the current period: raise the newest line, and whatever already shows it.
        WaterfallLine& newest = *page.newest;
        for (size_t i = 0; i < newest.levels.size() && i < levels.size(); ++i)
            if (levels[i] > newest.levels[i])
                newest.levels[i] = levels[i];
        newest.colours.clear();
        if (m_linesPerRow >= 2 && !page.rows.isEmpty() && !page.lines.isEmpty() &&
            page.lines.first() == page.newest && page.rows.first()->timeMs == newest.timeMs)
        {
            WaterfallLine& row = *page.rows.first();
            for (size_t i = 0; i < row.levels.size() && i < newest.levels.size(); ++i)
                row.levels[i] = std::max(row.levels[i], newest.levels[i]);
            row.colours.clear();
        }
        if (page.HasFile())
            page.RewriteLine(newest);
        return;
    }

    auto line = std::make_shared<WaterfallLine>();
    line->timeMs = lineTime;
    line->levels = levels;
    if (marks.rangeStart == 0)
        marks.rangeStart = marks.windowStart = lineTime;
    const bool show = marks.IsFollowing() && m_pauseState == 0;
    if (show)
        marks.windowEnd = lineTime;
    marks.rangeEnd = lineTime;
    if (page.HasFile())
        page.WriteLine(*line);
    if (show)
        AddShownLine(page, line);
    page.newest = line;

    if (!page.HasFile())
    {
        // Without a buffer file the record is what memory holds.
        if (marks.windowStart != 0)
            marks.rangeStart = marks.windowStart;
        marks.rangeEnd = marks.windowEnd;
    }
}

void CQWaterfallGraphicBase::TrimHistory(WaterfallPage& page)
{
    const int lpr = std::max(1, m_linesPerRow);
    const int cap = LineCapacity(page);
    bool trimmed = false;
    while (page.lines.size() > cap)
    {
        for (int i = 0; i < lpr && !page.lines.isEmpty(); ++i)
            page.lines.removeLast();
        trimmed = true;
    }
    const int rowCap = RowCapacity(page);
    if (m_linesPerRow < 2)
        page.rows.clear();
    while (page.rows.size() > rowCap)
    {
        page.rows.removeLast();
        trimmed = true;
    }
    if (!trimmed || page.lines.isEmpty())
        return;
    // The oldest thing still shown: the oldest line, or, when the memory budget keeps fewer lines
    // than the rows show, the oldest merged row.
    qint64 oldest = page.lines.last()->timeMs;
    if (m_linesPerRow >= 2 && !page.rows.isEmpty() &&
        static_cast<qint64>(page.rows.size()) * m_linesPerRow >
            static_cast<qint64>(page.lines.size()) + m_linesPerRow)
        oldest = std::min(oldest,
                          page.rows.last()->timeMs - static_cast<qint64>(m_linesPerRow - 1) * m_linePeriod);
    WaterfallTimeMarks& marks = Marks(page);
    marks.windowStart = std::min(oldest, marks.windowEnd);
}

void CQWaterfallGraphicBase::AddShownLine(WaterfallPage& page, const WaterfallLinePtr& line)
{
    page.lines.prepend(line);
    TrimHistory(page);
    if (m_linesPerRow >= 2 && page.lines.size() % m_linesPerRow == 0)
    {
        if (WaterfallLinePtr row = MergeLines(page.lines, 0))
        {
            page.rows.prepend(row);
            const int rowCap = std::min(RowCapacity(page), std::max(1, GetPlotRect().height()));
            while (page.rows.size() > rowCap)
                page.rows.removeLast();
        }
    }
}

WaterfallLinePtr CQWaterfallGraphicBase::MergeLines(const WaterfallLineList& lines, int start) const
{
    const int lpr = std::max(1, m_linesPerRow);
    if (start < 0 || start + lpr > lines.size())
        return nullptr;  // an incomplete group is not shown
    auto row = std::make_shared<WaterfallLine>();
    row->timeMs = lines[start]->timeMs;
    row->levels = lines[start]->levels;
    for (int k = 1; k < lpr; ++k)
    {
        const std::vector<double>& levels = lines[start + k]->levels;
        if (levels.size() != row->levels.size())
            continue;
        for (size_t i = 0; i < levels.size(); ++i)
            if (levels[i] > row->levels[i])
                row->levels[i] = levels[i];
    }
    return row;
}

WaterfallLineList CQWaterfallGraphicBase::GetRows(WaterfallPage& page)
{
    if (m_linesPerRow < 2)
        return page.lines;
    if (!m_redraw)
        return page.rows;
    m_redraw = false;
    page.rows.clear();
    const int rowCap = RowCapacity(page);
    for (int start = 0; page.rows.size() < rowCap; start += m_linesPerRow)
    {
        WaterfallLinePtr row = MergeLines(page.lines, start);
        if (!row)
            break;
        page.rows.append(row);
    }
    return page.rows;
}

WaterfallLineList CQWaterfallGraphicBase::LoadShownLines(WaterfallPage& page)
{
    WaterfallTimeMarks& marks = Marks(page);
    if (marks.rangeStart > marks.rangeEnd || marks.windowStart > marks.windowEnd)
        throw std::runtime_error("Wrong range!");
    if (page.HasFile() && page.count > 0 && page.FileSize() > WaterfallPage::RecordSize(page.count) &&
        (page.rebuild || page.lines.isEmpty()))
    {
        page.rebuild = false;
        const qint64 offset = page.FindOffset(marks.windowEnd);
        if (offset != -1)
        {
            // Read into a fresh list: a damaged file leaves the history as it was.
            WaterfallLineList read;
            if (page.ReadBack(offset, LineCapacity(page), read) > 0)
            {
                page.lines = read;
                page.rows.clear();
                m_redraw = true;
            }
        }
    }
    return GetRows(page);
}

void CQWaterfallGraphicBase::ResetPage(WaterfallPage& page)
{
    WaterfallTimeMarks& marks = Marks(page);
    marks.rangeStart = marks.rangeEnd = marks.windowStart = marks.windowEnd = 0;
    marks.pausedLines = 0;
    marks.wasFollowing = false;
    page.Clear();
    SetRebuild(false);
}

void CQWaterfallGraphicBase::RebuildImage(WaterfallPage& page, QRect plot)
{
    m_rows = std::max(0, plot.height());
    page.rebuild = true;
    page.lines.clear();
    page.rows.clear();
    m_redraw = true;
    if (plot.width() > 0 && plot.height() > 0)
    {
        page.image = QImage(plot.width(), plot.height(), QImage::Format_RGB32);
        page.image.fill(m_background.color());
    }
    else
    {
        page.image = QImage();
    }
}

void CQWaterfallGraphicBase::SetTimePosition(qint64 timeMs)
{
    WaterfallTimeMarks& marks = ShownMarks();
    timeMs = std::min(timeMs, marks.rangeEnd);
    if (timeMs > marks.windowStart)
    {
        marks.windowEnd = timeMs;
        SetRebuild(true);
    }
}

void CQWaterfallGraphicBase::SetTimePosition(quint32 lowPart, qint32 highPart)
{
    const quint64 bits = (static_cast<quint64>(static_cast<quint32>(highPart)) << 32) | lowPart;
    SetTimePosition(static_cast<qint64>(bits));
}

void CQWaterfallGraphicBase::SetTimeScale(int msPerRow)
{
    m_msPerRow = std::clamp(msPerRow, m_linePeriod, m_msPerRowMax);
    m_linesPerRow = m_msPerRow / m_linePeriod;
    SetRebuild(true);
    m_redraw = true;
}

void CQWaterfallGraphicBase::ScrollY(double delta)
{
    if (!std::isfinite(delta))
        return;
    const qint64 n = static_cast<qint64>(std::clamp(delta * 100.0, -1e9, 1e9));
    if (n == 0)
        return;
    WaterfallTimeMarks& marks = ShownMarks();
    const qint64 s = n * m_linesPerRow;
    qint64 room = 0;
    if (s > 0)
    {
        room = marks.rangeEnd - marks.windowEnd;
        const qint64 step = std::max<qint64>(0, std::min(s, room));
        marks.windowStart += step;
        marks.windowEnd += step;
    }
    else
    {
        room = marks.windowStart - marks.rangeStart;
        const qint64 step = std::max<qint64>(0, std::min(-s, room));
        marks.windowStart -= step;
        marks.windowEnd -= step;
    }
    if (room > 0)
    {
        SetRebuild(true);
        m_redraw = true;
    }
}

void CQWaterfallGraphicBase::ColorizeLines(bool& recolour, const WaterfallLineList& lines, QRect plot)
{
    const int width = plot.width();
    if (width <= 0)
        return;
    CPixelColumnMap& map = m_indexAxis ? m_indexMap : m_columnMap;
    for (const WaterfallLinePtr& line : lines)
    {
        if (line->levels.empty())
            throw std::runtime_error("Empty waterfall line");
        if (!recolour && line->colours.size() == static_cast<size_t>(width))
            continue;
        line->colours.assign(static_cast<size_t>(width), qRgb(0, 0, 0));
        if (!map.Build(line->levels, m_colourColumns, false))
            continue;
        const size_t n = std::min(m_colourColumns.size(), line->colours.size());
        for (size_t c = 0; c < n; ++c)
            line->colours[c] = PaletteColour(m_colourColumns[c].maxValue, m_yFrom, m_yTo);
    }
    recolour = false;
}

void CQWaterfallGraphicBase::DrawImage(QPainter* painter, QImage& image, const WaterfallLineList& rows,
                                       QRect plot, int bytesPerLine, int rowCount)
{
    if (image.isNull())
        return;
    const int height = image.height();
    const int width = image.width();
    const int shown = std::min({rowCount, height, static_cast<int>(rows.size())});
    const size_t lineBytes =
        static_cast<size_t>(std::min(bytesPerLine, static_cast<int>(image.bytesPerLine())));
    for (int y = 0; y < height; ++y)
    {
        auto* scan = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (y < shown)
        {
            const std::vector<QRgb>& colours = rows[y]->colours;
            const int n = std::min(width, static_cast<int>(colours.size()));
            if (n > 0)
                std::memcpy(scan, colours.data(), static_cast<size_t>(n) * sizeof(QRgb));
            if (n < width)
                std::memset(scan + n, 0, static_cast<size_t>(width - n) * sizeof(QRgb));
        }
        else
        {
            std::memset(scan, 0, std::min(lineBytes, static_cast<size_t>(width) * sizeof(QRgb)));
        }
    }
    painter->drawImage(plot.topLeft(), image);
}

void CQWaterfallGraphicBase::DrawTimeAxis(QPainter* painter, QRect)
{
    const QRect strip = GetYAxisRect();
    painter->save();
    painter->setClipRect(strip);
    painter->fillRect(strip, m_yAxisBrush);
    painter->setPen(QPen(Qt::gray));
    const int lineHeight = QFontMetrics(painter->font()).height();
    painter->drawText(QRect(strip.left(), strip.top(), strip.width(), lineHeight),
                      Qt::AlignRight | Qt::AlignTop, tr("Time"));
    const WaterfallTimeMarks& marks = ShownMarks();
    if (m_rows >= 10)
    {
        const qint64 step =
            static_cast<qint64>(static_cast<double>(marks.windowEnd - marks.windowStart) / m_rows * 35.0);
        painter->setPen(m_yAxisPen);
        qint64 t = marks.windowEnd - step;
        for (int y = strip.top() + 35; y + 35 <= strip.bottom() && t >= marks.windowStart; y += 35, t -= step)
            painter->drawText(QRect(strip.left(), y, strip.width(), 35), Qt::AlignRight | Qt::AlignTop,
                              QDateTime::fromMSecsSinceEpoch(t).toString(QStringLiteral("hh:mm:ss")));
    }
    painter->restore();
}
