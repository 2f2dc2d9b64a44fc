// The "MultiWaterfall" pane painted into a QImage: a line per range lands in its own range and its own
// window, a range without lines blanks the pane, one buffer file per range with its own point count,
// the shared time window scrolled back and read from each range's own file, and the per-range zoom
// that re-tunes the sweep only with a checked window.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

#include "imultiadf4350.h"
#include "multiplerangeswaterfallgraphic.h"

namespace
{
// Stands in for the multi-range synthesizer: holds `count` ranges and records every SetRange.
class CRecordingMultiAdf : public IMultiAdf4350
{
public:
    void SetEnabled(bool) override {}
    void SetSelected(bool) override {}
    void AddRange(double, double) override {}
    void SetRange(int index, double start, double stop) override { calls.emplace_back(index, start, stop); }
    int GetRangeCount() override { return count; }
    void ClearRanges() override {}
    bool IsEnabled() override { return true; }
    bool IsSelected() override { return true; }
    void NextRange() override {}
    int GetCurrentRange() override { return 0; }

    int count = 3;
    std::vector<std::tuple<int, double, double>> calls;
};

// Palette ends and middle for the Y window [-120, 0] dBm.
const QRgb kBlue = qRgb(0, 0, 255);   // -120 dBm and below
const QRgb kGreen = qRgb(0, 255, 0);  // -60 dBm
const QRgb kRed = qRgb(255, 0, 0);    // 0 dBm and above
const QRgb kWhite = qRgb(255, 255, 255);

// Pane 620 x 127 with the default bands: three ranges of 100 MHz in columns (20, 220, 420) + 193
// wide and 100 rows high. A line covers the channel: one point per MHz over [0, 1000].
constexpr int kPaneW = 620;
constexpr int kPaneH = 127;
constexpr int kPoints = 1000;
// A row filled edge to edge: the column map may leave a window's last column to rounding (black).
constexpr int kFullRow = 193 - 1;

struct Pane
{
    Pane()
    {
        g.SetSynthesizer(&synth);
        g.SetClock([this] { return nowMs; });
        g.SetRect(QRect(0, 0, kPaneW, kPaneH));
        g.SetXLimits(0.0, 1000.0, 1000.0);
        g.SetYLimits(-170.0, 30.0);
        g.SetYWindow(-120.0, 0.0);
        g.SetTimeScale(25);  // one line per row
        g.AddRange("Low", 100.0, 200.0);
        g.AddRange("Mid", 400.0, 500.0);
        g.AddRange("High", 700.0, 800.0);
    }

    // One line into a range, a line period after the previous one.
    void Push(int range, const std::vector<double>& levels)
    {
        nowMs += 25;
        g.SetRangeData(range, levels);
    }

    static std::vector<double> Flat(double level, int points = kPoints)
    {
        return std::vector<double>(static_cast<size_t>(points), level);
    }

    // -120 dBm with 0 dBm on the points of [from, to] MHz.
    static std::vector<double> Hot(int from, int to)
    {
        std::vector<double> levels = Flat(-120.0);
        for (int p = from; p <= to; ++p)
            levels[static_cast<size_t>(p)] = 0.0;
        return levels;
    }

    QImage Paint()
    {
        QImage image(kPaneW, kPaneH, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter painter(&image);
        g.Paint(&painter, 0);
        return image;
    }

    static int Count(const QImage& image, const QRect& rect, QRgb colour)
    {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    // The newest image row of a range.
    QRect TopRow(int range) const
    {
        const QRect& r = g.GetRange(range).rect;
        return QRect(r.left(), r.top(), r.width(), 1);
    }

    // Pane column of frequency f in a range's column.
    int Column(int range, double f) const
    {
        const GraphicRange& r = g.GetRange(range);
        return r.rect.left() +
               static_cast<int>((f - r.windowFrom) * r.rect.width() / (r.windowTo - r.windowFrom));
    }

    void Hover(int range) { g.SetHoverPoint(g.GetRange(range).rect.center()); }

    qint64 nowMs = 1700000000000LL;
    CRecordingMultiAdf synth;
    CQMultipleRangesWaterfallGraphic g;
};

// Runs the test body in a fresh current directory: the buffer files are relative names.
class WorkingDir
{
public:
    WorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkingDir() { QDir::setCurrent(m_previous); }
    bool IsValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
}  // namespace

TEST(MultipleRangesWaterfallGraphic, LineOfARangeLandsInItsOwnRangeAndWindow)
{
    Pane pane;
    EXPECT_EQ(pane.g.GetRange(1).rect, QRect(220, 0, 193, 100));
    pane.Push(0, Pane::Flat(-120.0));
    pane.Push(1, Pane::Hot(440, 460));
    pane.Push(2, Pane::Flat(-120.0));
    QImage image = pane.Paint();

    // Range 1's newest row is red over [440, 461) MHz and blue elsewhere; the other ranges are blue.
    EXPECT_EQ(image.pixel(pane.Column(1, 450.0), 0), kRed);
    EXPECT_EQ(image.pixel(pane.Column(1, 438.0), 0), kBlue);
    EXPECT_EQ(image.pixel(pane.Column(1, 463.0), 0), kBlue);
    EXPECT_EQ(image.pixel(pane.Column(1, 410.0), 0), kBlue);
    for (int range : {0, 2})
    {
        EXPECT_EQ(Pane::Count(image, pane.g.GetRange(range).rect, kRed), 0) << range;
        EXPECT_GE(Pane::Count(image, pane.TopRow(range), kBlue), kFullRow) << range;
    }
    // The red span of range 1 matches its window: about a fifth of the column.
    const int red = Pane::Count(image, pane.TopRow(1), kRed);
    EXPECT_NEAR(red, 21 * 193 / 100, 2);
    // Each range holds exactly its one line.
    for (int range = 0; range < 3; ++range)
        EXPECT_EQ(pane.g.GetPage(range).lines.size(), 1) << range;

    // Zooming range 1 onto the hot span recolours only its page: its row turns red from edge to
    // edge, and the sweep of range 1 follows.
    pane.Hover(1);
    pane.g.SetXWindow(441.0, 459.0);
    image = pane.Paint();
    EXPECT_GE(Pane::Count(image, pane.TopRow(1), kRed), kFullRow);
    EXPECT_GE(Pane::Count(image, pane.TopRow(0), kBlue), kFullRow);
    ASSERT_EQ(pane.synth.calls.size(), 1u);
    EXPECT_EQ(pane.synth.calls[0], std::make_tuple(1, 441.0, 459.0));
}

TEST(MultipleRangesWaterfallGraphic, RangeWithoutLinesBlanksTheWholePane)
{
    Pane pane;
    pane.Push(0, Pane::Flat(0.0));
    pane.Push(2, Pane::Flat(0.0));
    QImage image = pane.Paint();
    const QRect area(0, 0, kPaneW, kPaneH);
    EXPECT_EQ(Pane::Count(image, area, kRed), 0);
    const QRect centre(kPaneW / 2 - 40, kPaneH / 2 - 10, 80, 20);
    EXPECT_GT(Pane::Count(image, centre, kWhite), 0);

    pane.Push(1, Pane::Flat(-120.0));
    image = pane.Paint();
    EXPECT_GE(Pane::Count(image, pane.TopRow(0), kRed), kFullRow);
    EXPECT_GE(Pane::Count(image, pane.TopRow(1), kBlue), kFullRow);
    EXPECT_GE(Pane::Count(image, pane.TopRow(2), kRed), kFullRow);

    // Lines for an index without a range are dropped; the pane does not change.
    pane.Push(3, Pane::Flat(0.0));
    pane.Push(-1, Pane::Flat(0.0));
    EXPECT_EQ(pane.g.GetPage(1).lines.size(), 1);
}

TEST(MultipleRangesWaterfallGraphic, NewTimeScaleMergesTheRowsOfEveryRange)
{
    Pane pane;
    pane.g.SetTimeScale(200);  // 8 lines per row
    for (int cycle = 0; cycle < 64; ++cycle)
        for (int i = 0; i < 3; ++i)
            pane.Push(i, Pane::Flat(cycle % 16 == 0 ? 0.0 : -120.0));
    pane.Paint();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(pane.g.GetPage(i).rows.size(), 8) << i;

    // 16 lines per row: the one redraw request must reach every range, not only the first drawn.
    pane.g.SetTimeScale(400);
    const QImage image = pane.Paint();
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(pane.g.GetPage(i).rows.size(), 4) << i;
        // Every merged row holds one hot line: four red rows, then the empty rest of the image.
        for (int y = 0; y < 4; ++y)
            EXPECT_GE(Pane::Count(image, pane.TopRow(i).translated(0, y), kRed), kFullRow)
                << i << " row " << y;
        EXPECT_EQ(Pane::Count(image, pane.TopRow(i).translated(0, 4), kRed), 0) << i;
    }
}

TEST(MultipleRangesWaterfallGraphic, EveryRangeHasItsOwnBufferFileAndPointCount)
{
    WorkingDir dir;
    ASSERT_TRUE(dir.IsValid());
    {
        QFile old("range_waterfall1");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100, 'x'));
    }
    Pane pane;
    ASSERT_TRUE(pane.g.SetBufferFile("range_waterfall"));
    EXPECT_EQ(pane.g.GetBufferBaseName(), "range_waterfall");
    for (int i = 0; i < 3; ++i)
    {
        const QString name = QString("range_waterfall%1").arg(i);
        EXPECT_EQ(pane.g.GetPage(i).GetFileName(), name);
        EXPECT_TRUE(QFileInfo::exists(name)) << i;
    }
    EXPECT_EQ(QFileInfo("range_waterfall1").size(), 0);  // truncated

    // Lines of different sizes in different ranges: each page learns its own count and spills its
    // records (10 + 8 × count bytes from offset 4) into its own file.
    const int counts[3] = {10, 20, 30};
    for (int cycle = 0; cycle < 2; ++cycle)
        for (int i = 0; i < 3; ++i)
            pane.Push(i, Pane::Flat(-60.0, counts[i]));
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(pane.g.GetPage(i).count, counts[i]);
        EXPECT_EQ(QFileInfo(QString("range_waterfall%1").arg(i)).size(), 4 + 2 * (10 + 8 * counts[i])) << i;
    }

    // The first file that cannot be opened ends the call: range 0 moved on, range 1 lost its file,
    // range 2 kept the old one.
    ASSERT_TRUE(QDir().mkdir("fresh1"));
    EXPECT_FALSE(pane.g.SetBufferFile("fresh"));
    EXPECT_EQ(pane.g.GetPage(0).GetFileName(), "fresh0");
    EXPECT_TRUE(pane.g.GetPage(0).HasFile());
    EXPECT_FALSE(pane.g.GetPage(1).HasFile());
    EXPECT_EQ(pane.g.GetPage(2).GetFileName(), "range_waterfall2");
    EXPECT_TRUE(pane.g.GetPage(2).HasFile());

    // Without ranges there is nothing to open.
    pane.g.ClearRanges();
    EXPECT_TRUE(pane.g.SetBufferFile("range_waterfall"));
    EXPECT_EQ(pane.g.GetRangeCount(), 0);
}

TEST(MultipleRangesWaterfallGraphic, TimeScrollMovesAllRangesAndReadsEachFromItsOwnFile)
{
    WorkingDir dir;
    ASSERT_TRUE(dir.IsValid());
    Pane pane;
    ASSERT_TRUE(pane.g.SetBufferFile("range_waterfall"));
    // Every range has its own colour and point count; point 0 (0 MHz, outside every window) carries
    // the cycle number, so that each line read back can be traced to the line written.
    const int counts[3] = {400, 600, 900};
    const double levels[3] = {0.0, -120.0, -60.0};
    const QRgb colours[3] = {kRed, kBlue, kGreen};
    std::map<qint64, int> cycleAt[3];
    constexpr int kCycles = 300;
    for (int cycle = 0; cycle < kCycles; ++cycle)
    {
        for (int i = 0; i < 3; ++i)
        {
            std::vector<double> line = Pane::Flat(levels[i], counts[i]);
            line[0] = cycle;
            pane.Push(i, line);
            cycleAt[i][pane.g.GetPage(i).newest->timeMs] = cycle;
        }
    }
    pane.Paint();
    const qint64 end = pane.g.GetWindowEnd();
    ASSERT_EQ(end, pane.g.GetRangeEnd());

    // Five seconds back: one time window for all ranges.
    pane.g.ScrollY(-50.0);
    EXPECT_EQ(pane.g.GetWindowEnd(), end - 5000);
    const QImage image = pane.Paint();
    for (int i = 0; i < 3; ++i)
    {
        const WaterfallPage& page = pane.g.GetPage(i);
        ASSERT_FALSE(page.lines.isEmpty()) << i;
        // The newest line shown is the range's own record nearest to the new window end.
        const qint64 newest = page.lines.first()->timeMs;
        EXPECT_LE(std::llabs(newest - (end - 5000)), 50) << i;
        for (const WaterfallLinePtr& line : page.lines)
        {
            ASSERT_EQ(line->levels.size(), static_cast<size_t>(counts[i])) << i;
            ASSERT_EQ(cycleAt[i].count(line->timeMs), 1u) << i;
            EXPECT_EQ(line->levels[0], cycleAt[i][line->timeMs]) << i;
            EXPECT_EQ(line->levels[1], levels[i]) << i;
        }
        EXPECT_LT(page.lines.first()->levels[0], kCycles - 60) << i;
        EXPECT_GE(Pane::Count(image, pane.TopRow(i), colours[i]), kFullRow) << i;
    }

    // Back to the time of the last line every range spilled: the newest again.
    pane.g.ResetTimePosition();
    EXPECT_EQ(pane.g.GetWindowEnd(), pane.g.GetPage(2).lastMappedTime);
    EXPECT_EQ(pane.g.GetWindowEnd(), end);
}

TEST(MultipleRangesWaterfallGraphic, ZoomRetunesTheHoveredRangeOnlyWithACheckedWindow)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Step
    {
        const char* what;
        int hover;
        bool window;  // SetXWindow(a, b), else SetXFrom(a)
        double a;
        double b;
        double expectFrom;
        double expectTo;
        bool sent;
    };
    const std::vector<Step> steps = {
        {"no range under the hover point", -1, true, 420.0, 480.0, 400.0, 500.0, false},
        {"window inside", 1, true, 420.0, 480.0, 420.0, 480.0, true},
        {"window clamped to the range", 1, true, 350.0, 450.0, 400.0, 450.0, true},
        {"empty window", 1, true, 430.0, 430.0, 400.0, 450.0, false},
        {"window outside the range", 1, true, 550.0, 600.0, 400.0, 450.0, false},
        {"window not a number", 1, true, nan, 430.0, 400.0, 450.0, false},
        {"start past the end", 1, false, 460.0, 0.0, 400.0, 450.0, false},
        {"start inside", 1, false, 410.0, 0.0, 410.0, 450.0, true},
    };
    Pane pane;
    pane.Push(0, Pane::Flat(-60.0));
    pane.Push(1, Pane::Flat(-60.0));
    pane.Push(2, Pane::Flat(-60.0));
    pane.Paint();
    for (const Step& s : steps)
    {
        pane.synth.calls.clear();
        if (s.hover < 0)
            pane.g.SetHoverPoint(QPoint(5, 50));
        else
            pane.Hover(s.hover);
        if (s.window)
            pane.g.SetXWindow(s.a, s.b);
        else
            pane.g.SetXFrom(s.a);
        EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowFrom, s.expectFrom) << s.what;
        EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowTo, s.expectTo) << s.what;
        EXPECT_EQ(pane.g.GetPage(1).recolour, s.sent) << s.what;
        if (s.sent)
        {
            ASSERT_EQ(pane.synth.calls.size(), 1u) << s.what;
            EXPECT_EQ(pane.synth.calls[0], std::make_tuple(1, s.expectFrom, s.expectTo)) << s.what;
        }
        else
        {
            EXPECT_TRUE(pane.synth.calls.empty()) << s.what;
        }
        EXPECT_FALSE(pane.g.GetPage(0).recolour) << s.what;
        pane.Paint();  // clears the recolour flags
    }

    // X scrolling belongs to the frame's window, not to the hovered range, and tunes nothing.
    pane.synth.calls.clear();
    pane.Hover(1);
    pane.g.ScrollX(-5.0);
    pane.g.ScrollX(5.0);
    EXPECT_DOUBLE_EQ(pane.g.GetXFrom(), 0.0);
    EXPECT_DOUBLE_EQ(pane.g.GetXTo(), 1000.0);
    EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowFrom, 410.0);
    EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowTo, 450.0);
    EXPECT_TRUE(pane.synth.calls.empty());

    // A new Y window recolours every range.
    pane.g.SetYWindow(-100.0, -20.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pane.g.GetPage(i).recolour) << i;
}
