#include "waterfallgraphicbase.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>
#include <QSemaphore>
#include <QThread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "waterfallpalette.h"

namespace
{
// A newest line stamped this far ahead of the clock came from a foreign time line (a replay or a clock
// jump); it must not swallow every live line by merging.
constexpr qint64 kFutureToleranceMs = 3600LL * 1000;

// The level CPixelColumnMap::Build folds a column's highest level from.
constexpr double kColumnFloor = -2147483648.0;

#if defined(__SSE2__)
// The largest levels of the kSpan levels from p on, folded lane by lane into m; a NaN level leaves
// m as it was. Two chains of comparisons, so that one need not wait for the other.
template <int kSpan>
inline __m128d MaxSpan(const double* p, __m128d m)
{
    if constexpr (kSpan == 2)
    {
        return _mm_max_pd(_mm_loadu_pd(p), m);
    }
    else
    {
        // Both chains start from m, never from a level that may be NaN.
        __m128d other = m;
        for (int i = 0; i < kSpan; i += 4)
        {
            m = _mm_max_pd(_mm_loadu_pd(p + i), m);
            other = _mm_max_pd(_mm_loadu_pd(p + i + 2), other);
        }
        return _mm_max_pd(other, m);
    }
}

// The largest of count (at least kSpan) levels from p on: spans of kSpan levels, the last of which
// ends at the last level and may overlap the one before, which a maximum does not mind.
template <int kSpan>
inline double SpanMax(const double* p, int count)
{
    __m128d m = _mm_set1_pd(kColumnFloor);
    const double* last = p + count - kSpan;
    for (; p < last; p += kSpan)
        m = MaxSpan<kSpan>(p, m);
    m = MaxSpan<kSpan>(last, m);
    m = _mm_max_pd(m, _mm_unpackhi_pd(m, m));
    return _mm_cvtsd_f64(m);
}
#endif

// The largest of count (at least 1) levels from p on, starting from the floor the column map folds
// from. NaN never wins, as in the map, and only a maximum is asked for, so a level may be looked at
// twice: a column is covered by spans of one fixed size, the last overlapping, rather than by a
// loop whose length changes from column to column and keeps the branch predictor guessing.
inline double ColumnMax(const double* p, int count)
{
#if defined(__SSE2__)
    if (count >= 16)
        return SpanMax<16>(p, count);
    if (count >= 8)
        return SpanMax<8>(p, count);
    if (count >= 4)
        return SpanMax<4>(p, count);
    if (count >= 2)
        return SpanMax<2>(p, count);
    const double v = p[0];
    return kColumnFloor < v ? v : kColumnFloor;
#else
    double m = kColumnFloor;
    for (int i = 0; i < count; ++i)
        m = m < p[i] ? p[i] : m;
    return m;
#endif
}

// The colours of kRows lines of one length over a column layout: each column's highest level (or
// the level of the one point a column shows) through the palette. The lines are reduced side by
// side, so that the memory has several of them in flight at once, into levels (kRows × columns),
// and only then coloured, so that the reduction does not wait for the palette's branches.
template <int kRows>
void ColourRows(WaterfallLine* const* rows, const std::vector<PixelColumn>& columns, bool shared,
                const CWaterfallPalette& scale, double* levels)
{
    std::array<const double*, kRows> data{};
    std::array<double*, kRows> out{};
    const size_t n = columns.size();
    for (size_t j = 0; j < static_cast<size_t>(kRows); ++j)
    {
        data[j] = rows[j]->levels.data();
        // A line that keeps its column levels gets them in place.
        out[j] = rows[j]->columnLevels.size() == n ? rows[j]->columnLevels.data() : levels + j * n;
    }
    for (size_t c = 0; c < n; ++c)
    {
        const int first = columns[c].firstIndex;
        const int count = columns[c].lastIndex - first + 1;
        for (size_t j = 0; j < static_cast<size_t>(kRows); ++j)
            out[j][c] = shared ? ColumnMax(data[j] + first, count) : data[j][first] + 0.0;
    }
    for (size_t j = 0; j < static_cast<size_t>(kRows); ++j)
        scale.Colour(out[j], rows[j]->colours.data(), std::min(n, rows[j]->colours.size()));
}

// levels: room for 4 × columns.
void ColourLines(WaterfallLine* const* rows, size_t count, const std::vector<PixelColumn>& columns,
                 bool shared, const CWaterfallPalette& scale, double* levels)
{
    size_t i = 0;
    for (; i + 4 <= count; i += 4)
        ColourRows<4>(rows + i, columns, shared, scale, levels);
    for (; i < count; ++i)
        ColourRows<1>(rows + i, columns, shared, scale, levels);
}

// A recolour after a zoom or a palette change reads every shown row's levels, megabytes of them, more
// than one core streams from memory within a paint; so many rows are shared out between up to
// kColourTasks threads, the calling one included. Fewer rows than kRowsPerTask a thread (the steady
// state: one new row per paint) stay on the calling thread, where a hand-over would cost more.
constexpr int kColourTasks = 4;
constexpr size_t kRowsPerTask = 8;

int ColourTasks(size_t rows)
{
    // Most paints colour one row or none: they need not ask the system for its cores.
    if (rows < 2 * kRowsPerTask)
        return 1;
    static const size_t cores = static_cast<size_t>(std::max(1, QThread::idealThreadCount()));
    return static_cast<int>(
        std::min<size_t>({static_cast<size_t>(kColourTasks), cores, rows / kRowsPerTask}));
}
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
    return CWaterfallPalette::Colour(level, yFrom, yTo);
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
                page.WriteLine(filler);
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
        newest.LevelsChanged();
        if (m_linesPerRow >= 2 && !page.rows.isEmpty() && !page.lines.isEmpty() &&
            page.lines.first() == page.newest && page.rows.first()->timeMs == newest.timeMs)
        {
            WaterfallLine& row = *page.rows.first();
            for (size_t i = 0; i < row.levels.size() && i < newest.levels.size(); ++i)
                row.levels[i] = std::max(row.levels[i], newest.levels[i]);
            row.LevelsChanged();
        }
        if (page.HasFile())
            page.RewriteLine(page.newest);
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
    {
        page.SetKnownRecords(LineCapacity(page));
        page.WriteLine(line);
    }
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
    row->sources.reserve(static_cast<size_t>(lpr));
    for (int k = 0; k < lpr; ++k)
        row->sources.push_back(lines[start + k]->content);
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

WaterfallLinePtr CQWaterfallGraphicBase::TakeRow(WaterfallLineList& previous, int& next,
                                                 const WaterfallLineList& lines, int start) const
{
    const int lpr = std::max(1, m_linesPerRow);
    if (start < 0 || start + lpr > lines.size())
        return nullptr;
    // Both lists are newest first: a row newer than this group's is of no more use, and goes now
    // rather than after all rows are merged.
    const qint64 timeMs = lines[start]->timeMs;
    while (next < previous.size() && previous[next]->timeMs > timeMs)
        previous[next++].reset();
    if (next >= previous.size() || previous[next]->timeMs != timeMs)
        return nullptr;
    const WaterfallLinePtr& row = previous[next];
    if (row->sources.size() != static_cast<size_t>(lpr))
        return nullptr;
    for (int k = 0; k < lpr; ++k)
        if (row->sources[static_cast<size_t>(k)] != lines[start + k]->content)
            return nullptr;
    ++next;
    // Painted as a newly merged row would be.
    row->colours.clear();
    return row;
}

WaterfallLineList CQWaterfallGraphicBase::GetRows(WaterfallPage& page)
{
    if (m_linesPerRow < 2)
        return page.lines;
    if (!m_redraw)
        return page.rows;
    m_redraw = false;
    // A row merged from the very same lines before (the window moved by whole rows, or only the
    // shown rows are rebuilt) is taken over rather than merged again.
    WaterfallLineList previous;
    previous.swap(page.rows);
    int next = 0;
    const int rowCap = RowCapacity(page);
    for (int start = 0; page.rows.size() < rowCap; start += m_linesPerRow)
    {
        WaterfallLinePtr row = TakeRow(previous, next, page.lines, start);
        if (!row)
            row = MergeLines(page.lines, start);
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
            const int capacity = LineCapacity(page);
            page.SetKnownRecords(capacity);
            if (page.ReadBack(offset, capacity, read) > 0)
            {
                // Lines still in memory come back as they are; they are painted as read ones are.
                for (const WaterfallLinePtr& line : read)
                    line->colours.clear();
                page.lines = read;
                // The rows stay until they are merged again: those of the same lines are kept.
                if (m_linesPerRow < 2)
                    page.rows.clear();
                m_redraw = true;
            }
        }
    }
    WaterfallLineList rows = GetRows(page);
    // Rows keep their column levels only within the history budget (see ColorizeLines). Walking
    // the whole history is needed only when a row has none yet.
    m_columnLevelRoom = 0;
    if (std::any_of(rows.cbegin(), rows.cend(),
                    [](const WaterfallLinePtr& row) { return row->columnLevels.capacity() == 0; }))
        m_columnLevelRoom = std::max<qint64>(0, kHistoryBudgetBytes - HistoryBytes(page));
    return rows;
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

quint64 CQWaterfallGraphicBase::LayoutId(ColumnLayout layout)
{
    auto same = [&layout](const ColumnLayout& known)
    {
        return known.points == layout.points && known.columns == layout.columns &&
               known.width == layout.width && known.built == layout.built && known.shared == layout.shared &&
               std::memcmp(&known.dataFrom, &layout.dataFrom, sizeof(double)) == 0 &&
               std::memcmp(&known.dataTo, &layout.dataTo, sizeof(double)) == 0 &&
               std::memcmp(&known.viewFrom, &layout.viewFrom, sizeof(double)) == 0 &&
               std::memcmp(&known.viewTo, &layout.viewTo, sizeof(double)) == 0;
    };
    const auto known = std::find_if(m_layouts.begin(), m_layouts.end(), same);
    if (known != m_layouts.end())
        layout.id = known->id;
    else
        layout.id = WaterfallLine::NewContentId();
    // A few layouts are remembered: one per range of a multi-range pane, and a window zoomed back.
    constexpr size_t kKnownLayouts = 8;
    if (known != m_layouts.end())
        m_layouts.erase(known);
    else if (m_layouts.size() >= kKnownLayouts)
        m_layouts.pop_back();
    m_layouts.insert(m_layouts.begin(), layout);
    return layout.id;
}

qint64 CQWaterfallGraphicBase::HistoryBytes(const WaterfallPage& page)
{
    auto bytes = [](const WaterfallLinePtr& line) -> qint64
    {
        if (!line)
            return 0;
        return static_cast<qint64>(sizeof(WaterfallLine) + line->levels.capacity() * sizeof(double) +
                                   line->colours.capacity() * sizeof(QRgb) +
                                   line->columnLevels.capacity() * sizeof(double) +
                                   line->sources.capacity() * sizeof(quint64));
    };
    qint64 total = bytes(page.newest);
    for (const WaterfallLinePtr& line : page.lines)
        if (line != page.newest)
            total += bytes(line);
    for (const WaterfallLinePtr& row : page.rows)
        total += bytes(row);
    return total;
}

void CQWaterfallGraphicBase::ColorizeLines(bool& recolour, const WaterfallLineList& lines, QRect plot)
{
    const int width = plot.width();
    if (width <= 0)
        return;
    CPixelColumnMap& map = m_indexAxis ? m_indexMap : m_columnMap;
    const CWaterfallPalette scale(m_yFrom, m_yTo);
    // Which points fall into which column depends on the point count and the windows, not on the
    // levels: one layout serves every line of the same length.
    size_t layoutPoints = 0;
    bool layout = false;
    quint64 layoutId = 0;
    qint64 room = m_columnLevelRoom;
    m_linesToColour.clear();
    for (const WaterfallLinePtr& line : lines)
    {
        if (line->levels.empty())
            throw std::runtime_error("Empty waterfall line");
        if (!recolour && line->colours.size() == static_cast<size_t>(width))
            continue;
        line->colours.assign(static_cast<size_t>(width), qRgb(0, 0, 0));
        if (line->levels.size() != layoutPoints)
        {
            ColourShared(map.pointsShareColumns, scale);
            layout = map.Build(line->levels, m_colourColumns, false);
            if (m_columnLevels.size() < kColourTasks * 4 * m_colourColumns.size())
                m_columnLevels.resize(kColourTasks * 4 * m_colourColumns.size());
            layoutPoints = line->levels.size();
            ColumnLayout parameters;
            parameters.points = layoutPoints;
            parameters.dataFrom = map.dataFrom;
            parameters.dataTo = map.dataTo;
            parameters.viewFrom = map.viewFrom;
            parameters.viewTo = map.viewTo;
            parameters.columns = layout ? m_colourColumns.size() : 0;
            parameters.width = map.rect.width();
            parameters.built = layout;
            parameters.shared = map.pointsShareColumns;
            layoutId = LayoutId(parameters);
        }
        if (!layout)
            continue;
        const size_t columns = m_colourColumns.size();
        if (line->columnLayout == layoutId && line->columnLevels.size() == columns)
        {
            // Reduced under this layout before: only the palette is new.
            scale.Colour(line->columnLevels.data(), line->colours.data(),
                         std::min(columns, line->colours.size()));
            continue;
        }
        // Keep the column levels where they fit in what the history budget leaves.
        const qint64 bytes = static_cast<qint64>(columns * sizeof(double));
        if (line->columnLevels.capacity() >= columns || room >= bytes)
        {
            if (line->columnLevels.capacity() < columns)
                room -= bytes;
            line->columnLevels.resize(columns);
            line->columnLayout = layoutId;
        }
        else
        {
            line->columnLevels.clear();
            line->columnLayout = 0;
        }
        m_linesToColour.push_back(line.get());
    }
    ColourShared(map.pointsShareColumns, scale);
    m_columnLevelRoom = room;
    recolour = false;
}

void CQWaterfallGraphicBase::ColourShared(bool shared, const CWaterfallPalette& scale)
{
    const size_t count = m_linesToColour.size();
    const int tasks = ColourTasks(count);
    WaterfallLine* const* rows = m_linesToColour.data();
    const size_t scratch = 4 * m_colourColumns.size();
    if (tasks > 1)
    {
        if (!m_colourPool)
        {
            m_colourPool = std::make_unique<QThreadPool>();
            m_colourPool->setMaxThreadCount(kColourTasks - 1);
        }
        // Whole groups of four rows a task, each task with its own scratch levels; every row is
        // written by one task only, and the call returns after the last.
        const size_t perTask = (count + static_cast<size_t>(tasks) - 1) / static_cast<size_t>(tasks);
        const size_t chunk = (perTask + 3) / 4 * 4;
        QSemaphore done;
        int started = 0;
        for (int t = 1; t < tasks && static_cast<size_t>(t) * chunk < count; ++t)
        {
            const size_t first = static_cast<size_t>(t) * chunk;
            const size_t n = std::min(chunk, count - first);
            double* levels = m_columnLevels.data() + static_cast<size_t>(t) * scratch;
            m_colourPool->start(
                [&, first, n, levels]
                {
                    ColourLines(rows + first, n, m_colourColumns, shared, scale, levels);
                    done.release();
                });
            ++started;
        }
        ColourLines(rows, std::min(chunk, count), m_colourColumns, shared, scale, m_columnLevels.data());
        done.acquire(started);
    }
    else
    {
        ColourLines(rows, count, m_colourColumns, shared, scale, m_columnLevels.data());
    }
    m_linesToColour.clear();
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
