// The waterfall's colouring and scroll-back paths against the plain way of doing the same: every shown
// row reduced point by point through the column map and coloured level by level through the palette
// formula, rows merged line by line, and lines read from the buffer file without any line kept in
// memory. Several zoom windows (many points in a pixel column, one point across many), two Y windows,
// 4096 and 32768 points, one and eight lines per row, levels at the palette's step edges, NaN and
// infinities, and a window scrolled back and forth through lines from the file and from memory.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include "pixelcolumnmap.h"
#include "waterfallgraphic.h"

namespace
{
// The palette formula, written out once more: level v in [yFrom, yTo] over 1024 steps.
QRgb ReferencePalette(double level, double yFrom, double yTo)
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

// One row's colours the plain way: the map reduces the whole line, each column's maximum is coloured.
std::vector<QRgb> ReferenceColours(const std::vector<double>& levels, CPixelColumnMap map, double yFrom,
                                   double yTo)
{
    std::vector<QRgb> colours(static_cast<size_t>(map.rect.width()), qRgb(0, 0, 0));
    std::vector<PixelColumn> columns;
    if (!map.Build(levels, columns, false))
        return colours;
    for (size_t c = 0; c < columns.size() && c < colours.size(); ++c)
        colours[c] = ReferencePalette(columns[c].maxValue, yFrom, yTo);
    return colours;
}

// Bit for bit, so that NaN levels compare equal to themselves.
bool SameLevels(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The per-point maximum of lines [start, start + count).
std::vector<double> ReferenceMerge(const WaterfallLineList& lines, int start, int count)
{
    std::vector<double> merged = lines[start]->levels;
    for (int k = 1; k < count; ++k)
        for (size_t i = 0; i < merged.size(); ++i)
            merged[i] = std::max(merged[i], lines[start + k]->levels[i]);
    return merged;
}

struct Case
{
    const char* what;
    int points;
    int msPerRow;
    double xFrom;  // zoom window within X [0, 100]
    double xTo;
    double yFrom;
    double yTo;
};

constexpr int kPlotW = 300;
// 26 rows: more than one thread's share of a recolour, in shares that are not all whole groups of four.
constexpr int kPlotH = 26;

// A range waterfall with a buffer file, filled with more lines than memory keeps. Levels follow a
// fixed pseudo-random walk with spikes, exact palette step edges, NaN, infinities and levels below
// the column map's fold floor; some lines arrive within the newest line's period and raise it.
struct Pane
{
    explicit Pane(const Case& c) : points(c.points)
    {
        g.SetClock([this] { return nowMs; });
        g.SetRect(QRect(0, 0, kPlotW + 27, kPlotH + 27));
        g.SetXLimits(0.0, 100.0, 100.0);
        g.SetYLimits(-170.0, 30.0);
        g.SetYWindow(c.yFrom, c.yTo);
        g.SetTimeScale(c.msPerRow);
        EXPECT_TRUE(g.SetBufferFile(true, dir.filePath("colours.rwb")));
        const int lines = g.GetRowCount() * g.GetLinesPerRow() * 3 / 2;
        for (int i = 0; i < lines; ++i)
        {
            nowMs += i % 7 == 3 ? 9 : 25;  // now and then a second line within the same period
            g.AddLine(Line(i));
        }
        g.SetXWindow(c.xFrom, c.xTo);
    }

    std::vector<double> Line(int n)
    {
        std::vector<double> levels(static_cast<size_t>(points));
        for (size_t k = 0; k < levels.size(); ++k)
        {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            const double noise = static_cast<double>(seed >> 11) / 9007199254740992.0;  // [0, 1)
            levels[k] =
                -115.0 + 60.0 * noise * noise + ((k + 37 * static_cast<size_t>(n)) % 997 < 9 ? 70.0 : 0.0);
        }
        // Every 29th point something the palette and the fold must pass over: NaN, infinities, a
        // level below the fold's floor, a negative zero, or an exact step edge of a Y window used.
        const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  -3.0e9,
                                  -0.0,
                                  -120.0,
                                  -20.0,
                                  -120.0 + 100.0 * 300 / 1023,
                                  -95.5 + 35.75 * 511 / 1023};
        for (size_t k = static_cast<size_t>(n) % 29; k < levels.size(); k += 29)
            levels[k] = special[(k / 29 + static_cast<size_t>(n)) % std::size(special)];
        return levels;
    }

    QImage Paint()
    {
        QImage image(kPlotW + 27, kPlotH + 27, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter painter(&image);
        g.Paint(&painter, 0);
        return image;
    }

    // The shown rows, newest first, as the painter holds them.
    const WaterfallLineList& Rows() const
    {
        return g.GetLinesPerRow() < 2 ? g.LivePage().lines : g.LivePage().rows;
    }

    // The column map of the X window the pane shows (a zoom the pane refuses leaves the old one).
    CPixelColumnMap Map()
    {
        CPixelColumnMap map;
        map.rect = g.GetPlotRect();
        map.dataFrom = g.GetXMin();
        map.dataTo = g.GetXMax();
        map.viewFrom = g.GetXFrom();
        map.viewTo = g.GetXTo();
        return map;
    }

    QTemporaryDir dir;
    CQWaterfallGraphic g;
    int points;
    quint64 seed = 12345;
    qint64 nowMs = 1'700'000'000'000;
};

// Every shown row coloured as the plain reduction colours it, and every row merged from the lines
// below it as the plain merge does.
void ExpectRowsAsReference(Pane& p, const CPixelColumnMap& map, double yFrom, double yTo, const char* when)
{
    const WaterfallLineList& rows = p.Rows();
    ASSERT_FALSE(rows.isEmpty()) << when;
    for (int y = 0; y < rows.size(); ++y)
        ASSERT_EQ(rows[y]->colours, ReferenceColours(rows[y]->levels, map, yFrom, yTo))
            << when << ", row " << y;
    const int lpr = p.g.GetLinesPerRow();
    const WaterfallLineList& lines = p.g.LivePage().lines;
    for (int y = 0; lpr >= 2 && y < rows.size() && (y + 1) * lpr <= lines.size(); ++y)
        ASSERT_TRUE(SameLevels(rows[y]->levels, ReferenceMerge(lines, y * lpr, lpr)))
            << when << ", row " << y;
}

// The lines in memory are the buffer file's records from the window's end back, read afresh.
void ExpectLinesAsInTheFile(Pane& p, const char* when)
{
    const WaterfallPage& page = p.g.LivePage();
    QFile file(page.GetFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << when;
    WaterfallLineList records;
    const int read = WaterfallPage::ReadRecordsBack(file, page.FindOffset(p.g.GetWindowEnd()), page.count,
                                                    page.lines.size(), records);
    ASSERT_EQ(read, page.lines.size()) << when;
    for (int i = 0; i < read; ++i)
    {
        ASSERT_EQ(page.lines[i]->timeMs, records[i]->timeMs) << when << ", line " << i;
        ASSERT_TRUE(SameLevels(page.lines[i]->levels, records[i]->levels)) << when << ", line " << i;
    }
}

const Case kCases[] = {
    {"4096 points, 13.7 points per column", 4096, 200, 0.0, 100.0, -120.0, -20.0},
    {"4096 points, one point over 15 columns", 4096, 200, 10.0, 10.5, -95.5, -59.75},
    {"4096 points, one line per row, 3.4 points per column", 4096, 25, 37.5, 62.5, -120.0, -20.0},
    {"32768 points, 109 points per column", 32768, 200, 0.0, 100.0, -95.5, -59.75},
    {"32768 points, one line per row, 1.1 points per column", 32768, 25, 49.0, 50.0, -120.0, -20.0},
};

TEST(WaterfallColours, RowsPaintAsThePlainReductionAfterZoomPaletteAndScrolling)
{
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.what);
        Pane p(c);
        ASSERT_EQ(p.g.GetXFrom(), c.xFrom);
        ASSERT_EQ(p.g.GetXTo(), c.xTo);
        p.Paint();
        ExpectRowsAsReference(p, p.Map(), c.yFrom, c.yTo, "first paint");

        // A new Y window recolours every row.
        p.g.SetYWindow(-120.0, -20.0);
        p.Paint();
        ExpectRowsAsReference(p, p.Map(), -120.0, -20.0, "new Y window");
        p.g.SetYWindow(c.yFrom, c.yTo);

        // A zoom out and a zoom to a narrow window.
        p.g.SetXWindow(0.0, 100.0);
        p.Paint();
        ExpectRowsAsReference(p, p.Map(), c.yFrom, c.yTo, "zoomed out");
        p.g.SetXWindow(c.xFrom, c.xFrom + (c.xTo - c.xFrom) / 3.0);
        p.Paint();
        ExpectRowsAsReference(p, p.Map(), c.yFrom, c.yTo, "zoomed in");
        p.g.SetXWindow(c.xFrom, c.xTo);
        p.Paint();

        // A new X range asks for no recolouring, but every line read back from the file is painted
        // afresh, and so is every row merged again.
        p.g.SetXLimits(0.0, 120.0, 120.0);
        // Back in time by whole rows, by part of a row, forward again, and back to the newest line.
        for (const double delta : {-1.0, -1.0, -0.25, 1.0, -3.0, 0.5, 100.0})
        {
            p.g.ScrollY(delta);
            p.Paint();
            ExpectRowsAsReference(p, p.Map(), c.yFrom, c.yTo, "scrolled");
            ExpectLinesAsInTheFile(p, "scrolled");
        }
    }
}

// The same history scrolled step by step (lines and rows kept from step to step) and moved to the
// same place in one go (every line read afresh, every row merged afresh) paints the same image.
TEST(WaterfallColours, StepByStepScrollingPaintsAsOneJump)
{
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.what);
        Pane steps(c);
        Pane jump(c);
        EXPECT_EQ(steps.Paint(), jump.Paint());
        // Whole rows and parts of rows, never as far as the start of the record, where a step would
        // stop short.
        const double path[] = {-1.0, -0.5, -0.25, 1.0, -0.5};
        double total = 0.0;
        for (const double delta : path)
        {
            steps.g.ScrollY(delta);
            steps.Paint();
            total += delta;
        }
        jump.g.ScrollY(total);
        ASSERT_EQ(steps.g.GetWindowEnd(), jump.g.GetWindowEnd());
        EXPECT_EQ(steps.Paint(), jump.Paint());

        // New lines while scrolled back do not show; back at the newest line both show them.
        for (Pane* p : {&steps, &jump})
            for (int i = 0; i < 5; ++i)
            {
                p->nowMs += 25;
                p->g.AddLine(p->Line(1000 + i));
            }
        steps.g.ScrollY(100.0);
        jump.g.ScrollY(100.0);
        EXPECT_EQ(steps.Paint(), jump.Paint());
    }
}

// Levels on and next to every step edge of the palette, one point across several columns, so that
// each is coloured as it is.
TEST(WaterfallColours, StepEdgesColourAsThePaletteFormula)
{
    for (const auto& [yFrom, yTo] : {std::pair{-120.0, -20.0}, std::pair{-95.5, -59.75},
                                     std::pair{-170.0, 30.0}, std::pair{-130.3, -7.1}})
    {
        const Case c = {"edges", 256, 25, 0.0, 100.0, yFrom, yTo};
        Pane p(c);
        const double inf = std::numeric_limits<double>::infinity();
        for (int line = 0; line < 12; ++line)
        {
            std::vector<double> levels(256);
            for (size_t k = 0; k < levels.size(); ++k)
            {
                const size_t edge = (static_cast<size_t>(line) * 256 + k) / 3;
                const double level = yFrom + (yTo - yFrom) * static_cast<double>(edge % 1024) / 1023.0;
                levels[k] = k % 3 == 0 ? level : std::nextafter(level, k % 3 == 1 ? -inf : inf);
            }
            p.nowMs += 25;
            p.g.AddLine(levels);
        }
        p.Paint();
        ExpectRowsAsReference(p, p.Map(), yFrom, yTo, "edges");
    }
}

// A line raised by a second line of its period is not taken for the line it was before: rows merged
// from it and its record in the file follow the raise.
TEST(WaterfallColours, RaisedLinesAreNotTakenForTheirOldSelves)
{
    const Case c = {"raise", 4096, 200, 0.0, 100.0, -120.0, -20.0};
    Pane p(c);
    p.Paint();
    p.g.ScrollY(-1.0);
    p.Paint();
    p.g.ScrollY(100.0);
    p.Paint();
    std::vector<double> raised = p.g.LivePage().newest->levels;
    for (double& level : raised)
        level = std::max(level, -20.0);
    p.nowMs += 1;  // the same period: the newest line is raised to at least -20 dBm everywhere
    p.g.AddLine(std::vector<double>(4096, -20.0));
    p.g.ScrollY(-1.0);
    p.Paint();
    p.g.ScrollY(100.0);
    p.Paint();
    EXPECT_TRUE(SameLevels(p.g.LivePage().lines.first()->levels, raised));
    ExpectRowsAsReference(p, p.Map(), -120.0, -20.0, "after the raise");
    ExpectLinesAsInTheFile(p, "after the raise");
}
}  // namespace
