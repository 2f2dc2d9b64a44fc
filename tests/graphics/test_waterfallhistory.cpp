// The waterfall's time line: lines on the 25 ms grid, merging within a period, gap filling, eviction,
// time scale and scrolling, pause, point-count changes, and the bounds on memory and on gap filling.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <cmath>
#include <limits>

#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "waterfallgraphicbase.h"
#include "waterfallprobe.h"

namespace
{
std::vector<double> Levels(std::vector<double> v)
{
    return v;
}

TEST(WaterfallPalette, AnchorLevelsAndClamping)
{
    struct Case
    {
        double level;
        QRgb colour;
    };
    // Window [-120, -20]: index = trunc((v + 120) * 1023 / 100).
    const Case cases[] = {
        {-120.0, 0xFF0000FF},                                    // index 0: blue
        {-95.0, 0xFF00FFFF},                                     // 255: cyan
        {-70.0, 0xFF00FF00},                                     // 511: green
        {-45.0, 0xFFFFFF00},                                     // 767: yellow
        {-20.0, 0xFFFF0000},                                     // 1023: red
        {-200.0, 0xFF0000FF},                                    // below the window: clamped to blue
        {-10.0, 0xFFFF0000},                                     // above: clamped to red
        {-107.5, qRgb(0, 127, 255)},                             // 127.875 -> 127 in the first segment
        {std::nan(""), 0xFF0000FF},                              // undefined levels take the lowest step
        {-std::numeric_limits<double>::infinity(), 0xFF0000FF},  // log(0) of a silent bin
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQWaterfallGraphicBase::PaletteColour(c.level, -120.0, -20.0), c.colour) << c.level;
    // A zero-height window paints everything blue.
    EXPECT_EQ(CQWaterfallGraphicBase::PaletteColour(-50.0, -60.0, -60.0), 0xFF0000FFu);
}

TEST(WaterfallHistory, LinesWithinOnePeriodMergeByMaximum)
{
    WaterfallProbe w;
    w.SetTimeScale(25);  // one line per row: the shown list is the lines themselves
    w.Push({-100.0, -50.0, -90.0});
    const qint64 first = w.TimeMarks().rangeEnd;
    EXPECT_EQ(first, w.nowMs + 25) << "a line takes the next slot of the 25 ms grid";
    w.nowMs += 10;
    w.Push({-60.0, -80.0, -95.0});
    const WaterfallLineList shown = w.Shown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->levels, Levels({-60.0, -50.0, -90.0}));
    EXPECT_EQ(w.TimeMarks().rangeEnd, first);
}

TEST(WaterfallHistory, GapIsFilledWithTheLastLineOnePerPeriod)
{
    WaterfallProbe w;
    w.SetTimeScale(25);
    const qint64 t0 = w.nowMs;
    w.Push({-70.0, -71.0});
    w.nowMs = t0 + 100;
    w.Push({-30.0, -31.0});
    const WaterfallLineList shown = w.Shown();
    ASSERT_EQ(shown.size(), 4);
    const qint64 times[] = {t0 + 100, t0 + 75, t0 + 50, t0 + 25};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(shown[i]->timeMs, times[i]);
        EXPECT_EQ(shown[i]->levels, i == 0 ? Levels({-30.0, -31.0}) : Levels({-70.0, -71.0}));
    }
    EXPECT_EQ(w.TimeMarks().windowEnd, t0 + 100);
    EXPECT_EQ(w.TimeMarks().windowStart, t0 + 25);
}

TEST(WaterfallHistory, FullHistoryDropsTheOldestGroupAndMovesTheWindowStart)
{
    WaterfallProbe w(400, 100);  // 100 rows x 8 lines per row (the default 200 ms per row)
    ASSERT_EQ(w.GetLinesPerRow(), 8);
    ASSERT_EQ(w.GetRowCount(), 100);
    const std::vector<double> line(16, -80.0);
    w.AddLines(800, line);
    ASSERT_EQ(w.page.lines.size(), 800);
    EXPECT_EQ(w.page.rows.size(), 100);
    w.AddLines(1, line);
    EXPECT_EQ(w.page.lines.size(), 793);
    EXPECT_EQ(w.TimeMarks().windowStart, w.page.lines.last()->timeMs);
    EXPECT_EQ(w.TimeMarks().windowEnd, w.page.lines.first()->timeMs);
    EXPECT_LE(w.page.rows.size(), 100);
}

TEST(WaterfallHistory, RowsMergeEachGroupOfLines)
{
    WaterfallProbe w;
    w.SetTimeScale(50);  // two lines per row
    w.Shown();           // the re-merge asked for by the new scale, while still empty
    w.AddLines(1, {-100.0, -40.0});
    w.AddLines(1, {-50.0, -90.0});
    w.AddLines(1, {-110.0, -110.0});  // an incomplete group is not shown
    const WaterfallLineList rows = w.Shown();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]->levels, Levels({-50.0, -40.0}));
}

TEST(WaterfallHistory, TimeScaleIsClampedAndSetsLinesPerRow)
{
    struct Case
    {
        int request;
        int msPerRow;
        int linesPerRow;
    };
    const Case cases[] = {{10, 25, 1},         {25, 25, 1},         {37, 37, 1}, {200, 200, 8},
                          {10000, 10000, 400}, {10001, 10000, 400}, {-5, 25, 1}};
    for (const Case& c : cases)
    {
        WaterfallProbe w;
        w.SetTimeScale(c.request);
        EXPECT_EQ(w.GetMsPerRow(), c.msPerRow) << c.request;
        EXPECT_EQ(w.GetLinesPerRow(), c.linesPerRow) << c.request;
        EXPECT_TRUE(w.page.rebuild);
    }
}

TEST(WaterfallHistory, ScrollMovesTheWindowWithinTheRecord)
{
    WaterfallProbe w;
    WaterfallTimeMarks& m = w.TimeMarks();
    m.rangeStart = 1000;
    m.rangeEnd = 10000;
    m.windowStart = 5000;
    m.windowEnd = 9500;
    w.page.rebuild = false;

    w.ScrollY(0.004);  // truncates to no step
    EXPECT_EQ(m.windowEnd, 9500);
    EXPECT_FALSE(w.page.rebuild);

    w.ScrollY(1.0);  // 100 x 8 = 800 ms, but only 500 ms of record lie ahead
    EXPECT_EQ(m.windowEnd, 10000);
    EXPECT_EQ(m.windowStart, 5500);
    EXPECT_TRUE(w.page.rebuild);

    w.page.rebuild = false;
    w.ScrollY(1.0);  // at the end: nothing moves, nothing to rebuild
    EXPECT_EQ(m.windowEnd, 10000);
    EXPECT_FALSE(w.page.rebuild);

    w.ScrollY(-1.0);
    EXPECT_EQ(m.windowStart, 4700);
    EXPECT_EQ(m.windowEnd, 9200);
    w.ScrollY(-100.0);  // not before the range start
    EXPECT_EQ(m.windowStart, 1000);
    EXPECT_EQ(m.windowEnd, 5500);
    w.ScrollY(std::nan(""));
    EXPECT_EQ(m.windowStart, 1000);
}

TEST(WaterfallHistory, TimePositionIsClampedToTheRecord)
{
    WaterfallProbe w;
    WaterfallTimeMarks& m = w.TimeMarks();
    m.rangeStart = 1000;
    m.rangeEnd = 10000;
    m.windowStart = 2000;
    m.windowEnd = 10000;
    w.SetTimePosition(qint64(6000));
    EXPECT_EQ(m.windowEnd, 6000);
    EXPECT_TRUE(w.page.rebuild);
    w.SetTimePosition(qint64(50000));  // beyond the newest line
    EXPECT_EQ(m.windowEnd, 10000);
    w.SetTimePosition(qint64(2000));  // not after the window start: ignored
    EXPECT_EQ(m.windowEnd, 10000);

    // The loader hands the time over as two 32-bit halves, low word first.
    const qint64 t = 1'700'000'123'456;
    m.rangeEnd = t + 1;
    w.SetTimePosition(static_cast<quint32>(t & 0xFFFFFFFF), static_cast<qint32>(t >> 32));
    EXPECT_EQ(m.windowEnd, t);
}

TEST(WaterfallHistory, DisorderedTimeMarksAreReported)
{
    WaterfallProbe w;
    w.TimeMarks().windowStart = 200;
    w.TimeMarks().windowEnd = 100;
    try
    {
        w.Shown();
        FAIL() << "no error";
    }
    catch (const std::runtime_error& e)
    {
        EXPECT_STREQ(e.what(), "Wrong range!");
    }
}

TEST(WaterfallHistory, PauseDropsLinesAndResumesFollowing)
{
    WaterfallProbe w;
    w.SetTimeScale(25);
    const std::vector<double> line(4, -60.0);
    w.AddLines(10, line);
    const int before = w.page.lines.size();
    w.SetPauseState(1);
    for (int i = 0; i < 20; ++i)
    {
        w.nowMs += 25;
        w.Push(line);
    }
    EXPECT_EQ(w.page.lines.size(), before);
    EXPECT_EQ(w.TimeMarks().pausedLines, 20);
    EXPECT_TRUE(w.TimeMarks().wasFollowing);

    w.SetPauseState(0);
    w.page.rebuild = false;
    w.nowMs += 25;
    w.Push(line);
    EXPECT_EQ(w.TimeMarks().pausedLines, 0);
    EXPECT_TRUE(w.page.rebuild);
    // The gap of the pause is filled and the window follows the newest line again.
    EXPECT_EQ(w.page.lines.size(), before + 21);
    EXPECT_EQ(w.TimeMarks().windowEnd, w.TimeMarks().rangeEnd);
    EXPECT_EQ(w.page.lines.first()->timeMs, w.TimeMarks().rangeEnd);
}

TEST(WaterfallHistory, DataOperationDropsLines)
{
    WaterfallProbe w;
    w.SetDataOperation(1);
    w.Push({-50.0});
    EXPECT_EQ(w.page.count, 0);
    EXPECT_TRUE(w.page.lines.isEmpty());
}

TEST(WaterfallHistory, NewPointCountStartsANewHistory)
{
    WaterfallProbe w;
    w.SetTimeScale(25);
    w.AddLines(5, {-50.0, -50.0});
    w.AddLines(1, {-40.0, -40.0, -40.0});  // another size: dropped, count forgotten
    EXPECT_EQ(w.page.count, 0);
    EXPECT_EQ(w.page.lines.size(), 5);
    w.AddLines(3, {-40.0, -40.0, -40.0});
    EXPECT_EQ(w.page.count, 3);
    ASSERT_EQ(w.page.lines.size(), 3);
    for (const WaterfallLinePtr& line : w.page.lines)
        EXPECT_EQ(line->levels.size(), 3u);
    w.AddLines(1, {});
    EXPECT_EQ(w.page.count, 0);
}

TEST(WaterfallHistory, NewestLineFromTheFarFutureDoesNotSwallowLiveLines)
{
    WaterfallProbe w;
    w.SetTimeScale(25);
    w.AddLines(3, {-50.0});
    w.page.newest->timeMs = w.nowMs + 10LL * 3600 * 1000;
    w.AddLines(1, {-30.0});
    EXPECT_EQ(w.page.newest->levels, Levels({-30.0}));
    EXPECT_EQ(w.page.lines.size(), 4);
}

TEST(WaterfallHistory, ResetForgetsHistoryAndMarks)
{
    WaterfallProbe w;
    w.AddLines(40, {-50.0, -60.0});
    w.ResetTimePosition();
    EXPECT_EQ(w.GetRangeStart(), 0);
    EXPECT_EQ(w.GetRangeEnd(), 0);
    EXPECT_EQ(w.GetWindowEnd(), 0);
    EXPECT_EQ(w.page.count, 0);
    EXPECT_TRUE(w.page.lines.isEmpty());
    EXPECT_TRUE(w.page.rows.isEmpty());
    EXPECT_FALSE(w.page.newest);
    // A restarted history begins at the next line, with no filler for the time in between.
    w.nowMs += 60'000;
    w.Push({-10.0});
    EXPECT_EQ(w.page.lines.size(), 1);
    EXPECT_EQ(w.GetRangeStart(), w.nowMs + 25);
}

TEST(WaterfallHistory, ReplayedLinesUseTheRowPeriod)
{
    WaterfallProbe w;  // 200 ms per row
    const qint64 t0 = 1'600'000'000'000;
    w.PushAt(t0, {-50.0});
    w.PushAt(t0 + 150, {-40.0});  // inside the first period: merged
    w.PushAt(t0 + 400, {-30.0});
    EXPECT_EQ(w.GetRangeEnd(), t0 + 400);
    std::set<qint64> times;
    for (const WaterfallLinePtr& line : w.page.lines)
        times.insert(line->timeMs);
    EXPECT_EQ(times, (std::set<qint64>{t0 + 200, t0 + 400}));
}

// Bytes held by a page's history: every distinct line or row object, levels, colours, and what is
// kept beside them (column levels, the contents a row was merged from).
qint64 HistoryBytes(const WaterfallPage& page)
{
    std::set<const WaterfallLine*> seen;
    qint64 bytes = 0;
    auto add = [&](const WaterfallLinePtr& line)
    {
        if (line && seen.insert(line.get()).second)
            bytes += static_cast<qint64>(line->levels.capacity() * sizeof(double) +
                                         line->colours.capacity() * sizeof(QRgb) +
                                         line->columnLevels.capacity() * sizeof(double) +
                                         line->sources.capacity() * sizeof(quint64) + sizeof(WaterfallLine));
    };
    for (const WaterfallLinePtr& line : page.lines)
        add(line);
    for (const WaterfallLinePtr& row : page.rows)
        add(row);
    add(page.newest);
    return bytes;
}

TEST(WaterfallHistory, MemoryStaysWithinTheBudgetAtAnyTimeScale)
{
    const std::vector<double> line(32768, -90.0);
    for (const auto& [msPerRow, lines] : {std::pair{10000, 10000}, std::pair{200, 3000}, std::pair{25, 3000}})
    {
        WaterfallProbe w(1893, 1053);  // a full-HD plot
        w.SetTimeScale(msPerRow);
        qint64 peak = 0;
        for (int i = 0; i < lines; ++i)
        {
            w.AddLines(1, line);
            if (i % 500 == 499)
                peak = std::max(peak, HistoryBytes(w.page));
        }
        peak = std::max(peak, HistoryBytes(w.page));
        EXPECT_LE(peak, CQWaterfallGraphicBase::kHistoryBudgetBytes) << msPerRow;
        // And still a useful history, not an empty one.
        EXPECT_GE(w.page.lines.size(), w.GetLinesPerRow()) << msPerRow;
        EXPECT_EQ(w.GetWindowEnd(), w.GetRangeEnd());
    }
}

TEST(WaterfallHistory, AnHourLongGapIsFilledInBoundedTime)
{
    WaterfallProbe w(1893, 513);
    const std::vector<double> line(32768, -75.0);
    w.AddLines(16, line);
    QElapsedTimer timer;
    timer.start();
    w.nowMs += 3600LL * 1000;
    w.Push(std::vector<double>(32768, -20.0));
    const qint64 elapsedMs = timer.elapsed();
    // Filling the whole hour would be 144,000 lines of 256 KB each: minutes and tens of gigabytes.
    // One screen of fillers takes about half a second here; the bound leaves room for a loaded or
    // instrumented build and still fails long before the whole hour would be filled.
    EXPECT_LT(elapsedMs, 10000);
    // The history holds at most what it can show, ends at the new line, and the clock is met.
    EXPECT_LE(w.page.lines.size(), w.Capacity());
    EXPECT_EQ(w.page.lines.first()->levels[0], -20.0);
    EXPECT_EQ(w.GetWindowEnd(), w.GetRangeEnd());
    EXPECT_GE(w.GetRangeEnd(), w.nowMs);
    EXPECT_LT(w.GetRangeEnd(), w.nowMs + 2 * CQWaterfallGraphicBase::kLinePeriodMs);
    EXPECT_LE(HistoryBytes(w.page), CQWaterfallGraphicBase::kHistoryBudgetBytes);
}
}  // namespace
