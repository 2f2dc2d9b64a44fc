// The multi-range base: columns proportional to the visible spans, the range under a point (the X
// band included), frequency to range and column, window checks, and the per-range data feed with
// pause and single step.

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <limits>
#include <vector>

#include "multirangesgraphicbase.h"

namespace
{
// The smallest concrete painter over the base; it records the rectangles the layout hands down.
class CTestRanges : public CQMultiRangesGraphicBase
{
public:
    void SetXAxisBand(int height, int) override { m_xAxisHeight = height; }
    void SetXAxisColors(const QBrush&, const QPen&) override {}
    void SetYAxisBand(int width, int) override { m_yAxisWidth = width; }
    void SetYAxisColors(const QBrush&, const QPen&) override {}
    void SetBackground(const QBrush&) override {}
    void SetGridPen(const QPen&) override {}
    void SetRect(QRect rect) override
    {
        m_rect = rect;
        LayoutRanges();
    }
    int GetTraceCount() override { return 1; }
    QRect GetXLabelRect(int) override { return QRect(); }
    QRect GetYLabelRect(int) override { return QRect(); }
    double GetXPerPixel() override { return 0.0; }
    double GetYPerPixel() override { return 0.0; }
    double GetMinAtPoint(int, const QPoint&) override { return 0.0; }
    double GetMaxAtPoint(int, const QPoint&) override { return 0.0; }
    void Paint(QPainter*, int) override {}
    QDataStream& Save(QDataStream& stream) override { return stream; }
    QDataStream& Load(QDataStream& stream) override { return stream; }
    int GetPointCount() override { return 0; }
    int GetXDecimalsCode() override { return 0; }
    int GetYDecimalsCode() override { return 0; }
    QString GetXUnit(double, double&) override { return QString(); }
    QString GetYUnit(double, double&) override { return QString(); }

    void SetRangeRect(int index, const QRect& rect) override { handed.push_back({index, rect}); }

    struct Handed
    {
        int index;
        QRect rect;
    };
    std::vector<Handed> handed;
};
}  // namespace

TEST(MultiRangesGraphicBase, LayoutIsProportionalToTheVisibleSpans)
{
    struct Case
    {
        const char* name;
        QRect area;
        std::vector<std::pair<double, double>> ranges;
        std::vector<QRect> rects;
    };
    const std::vector<Case> cases = {
        // 400 pixels right of the Y band shared 10 : 30, a 7-pixel gap right of each column.
        {"two ranges",
         QRect(0, 0, 420, 200),
         {{100.0, 110.0}, {200.0, 230.0}},
         {QRect(20, 0, 93, 173), QRect(120, 0, 293, 173)}},
        // 500 pixels shared 10 : 30 : 60, on an area that does not start at the origin.
        {"three ranges",
         QRect(10, 5, 520, 327),
         {{100.0, 110.0}, {200.0, 230.0}, {400.0, 460.0}},
         {QRect(30, 5, 43, 300), QRect(80, 5, 143, 300), QRect(230, 5, 293, 300)}},
        // 301 pixels shared 1 : 1 : 1: widths truncate to 100 each.
        {"truncation",
         QRect(0, 0, 321, 100),
         {{0.0, 1.0}, {5.0, 6.0}, {9.0, 10.0}},
         {QRect(20, 0, 93, 73), QRect(120, 0, 93, 73), QRect(220, 0, 93, 73)}},
    };
    for (const Case& c : cases)
    {
        CTestRanges g;
        g.SetRect(c.area);
        for (const auto& r : c.ranges)
            g.AddRange(QString("R%1").arg(r.first), r.first, r.second);
        ASSERT_EQ(g.GetRangeCount(), static_cast<int>(c.rects.size())) << c.name;
        for (int i = 0; i < g.GetRangeCount(); ++i)
        {
            EXPECT_EQ(g.GetRange(i).rect, c.rects[static_cast<size_t>(i)]) << c.name << " range " << i;
            EXPECT_DOUBLE_EQ(g.GetRange(i).windowFrom, c.ranges[static_cast<size_t>(i)].first);
            EXPECT_DOUBLE_EQ(g.GetRange(i).windowTo, c.ranges[static_cast<size_t>(i)].second);
        }
        // The last layout handed every rectangle down, in order.
        ASSERT_GE(g.handed.size(), c.rects.size());
        const size_t first = g.handed.size() - c.rects.size();
        for (size_t i = 0; i < c.rects.size(); ++i)
        {
            EXPECT_EQ(g.handed[first + i].index, static_cast<int>(i)) << c.name;
            EXPECT_EQ(g.handed[first + i].rect, c.rects[i]) << c.name;
        }
    }
}

TEST(MultiRangesGraphicBase, RangeAtIncludesTheXBandBelow)
{
    CTestRanges g;
    g.SetRect(QRect(0, 0, 420, 200));
    EXPECT_EQ(g.RangeAt(QPoint(50, 50)), -1);
    g.AddRange("A", 100.0, 110.0);
    g.AddRange("B", 200.0, 230.0);
    // Columns (20, 0, 93 x 173) and (120, 0, 293 x 173); the X band is 20 pixels under them.
    struct Case
    {
        QPoint point;
        int range;
    };
    const std::vector<Case> cases = {
        {{20, 0}, 0},   {{112, 172}, 0}, {{60, 192}, 0},  {{60, 193}, -1}, {{115, 50}, -1},
        {{120, 50}, 1}, {{412, 180}, 1}, {{413, 50}, -1}, {{10, 50}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.RangeAt(c.point), c.range) << c.point.x() << "," << c.point.y();
    g.SetHoverPoint(QPoint(150, 190));
    EXPECT_EQ(g.HoverRange(), 1);
    g.ClearRanges();
    EXPECT_EQ(g.GetRangeCount(), 0);
    EXPECT_EQ(g.HoverRange(), -1);
}

TEST(MultiRangesGraphicBase, FrequencyMapsToRangeAndColumn)
{
    // Three ranges of unequal width: columns (30, 43 px), (80, 143 px), (230, 293 px).
    CTestRanges g;
    g.SetRect(QRect(10, 5, 520, 327));
    g.AddRange("A", 100.0, 110.0);
    g.AddRange("B", 200.0, 230.0);
    g.AddRange("C", 400.0, 460.0);
    struct Case
    {
        double freq;
        int range;
        int column;
    };
    const std::vector<Case> cases = {
        {100.0, 0, 30},                          // left edge of the first column
        {105.0, 0, 30 + 21},                     // 5/10 of 43 pixels
        {110.0, 0, 30 + 42},                     // the upper end belongs to the last column
        {215.0, 1, 80 + 71},                     // 15/30 of 143
        {229.0, 1, 80 + 138},                    // 29/30 of 143 = 138.2
        {430.0, 2, 230 + 146},                   // 30/60 of 293 = 146.5
        {460.0, 2, 230 + 292}, {150.0, -1, -1},  // between ranges
        {99.999, -1, -1},      {std::nan(""), -1, -1},
    };
    for (const Case& c : cases)
    {
        const int range = g.RangeOfFreq(c.freq);
        EXPECT_EQ(range, c.range) << c.freq;
        EXPECT_EQ(g.ColumnOfFreq(range, c.freq), c.column) << c.freq;
    }
    // A frequency is placed only in the range that shows it.
    EXPECT_EQ(g.ColumnOfFreq(0, 215.0), -1);
    EXPECT_EQ(g.ColumnOfFreq(3, 105.0), -1);
}

TEST(MultiRangesGraphicBase, WindowsStayInsideTheirRange)
{
    CTestRanges g;
    g.SetRect(QRect(10, 5, 520, 327));
    g.AddRange("A", 100.0, 110.0);
    g.AddRange("B", 200.0, 230.0);
    g.AddRange("C", 400.0, 460.0);
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* name;
        int index;
        double from, to;
    };
    const std::vector<Case> refused = {
        {"below the range", 1, 190.0, 220.0}, {"above the range", 1, 210.0, 240.0},
        {"inverted", 1, 220.0, 210.0},        {"empty", 1, 215.0, 215.0},
        {"not finite", 1, 205.0, inf},        {"no such range", 3, 205.0, 225.0},
        {"negative index", -1, 205.0, 225.0}, {"window of another range", 0, 200.0, 230.0},
    };
    for (const Case& c : refused)
    {
        EXPECT_FALSE(g.SetRangeWindow(c.index, c.from, c.to)) << c.name;
        for (int i = 0; i < g.GetRangeCount(); ++i)
        {
            EXPECT_DOUBLE_EQ(g.GetRange(i).windowFrom, g.GetRange(i).from) << c.name;
            EXPECT_DOUBLE_EQ(g.GetRange(i).windowTo, g.GetRange(i).to) << c.name;
        }
    }

    // A zoomed window shows only its part: frequencies outside it belong to no range, and the next
    // layout gives the range a column for its smaller span (10 : 20 : 60 of 500 pixels).
    ASSERT_TRUE(g.SetRangeWindow(1, 205.0, 225.0));
    EXPECT_EQ(g.RangeOfFreq(202.0), -1);
    EXPECT_EQ(g.RangeOfFreq(210.0), 1);
    g.LayoutRanges();
    EXPECT_EQ(g.GetRange(0).rect, QRect(30, 5, 55 - 7, 300));
    EXPECT_EQ(g.GetRange(1).rect, QRect(85, 5, 111 - 7, 300));
    EXPECT_EQ(g.GetRange(2).rect, QRect(196, 5, 333 - 7, 300));
    EXPECT_EQ(g.ColumnOfFreq(1, 215.0), 85 + 52);
}

TEST(MultiRangesGraphicBase, DegenerateRangesAndPanesGiveEmptyColumns)
{
    // A range without span keeps its index (the device's list follows the pane's) but gets no width.
    CTestRanges g;
    g.SetRect(QRect(0, 0, 420, 200));
    g.AddRange("A", 100.0, 110.0);
    g.AddRange("flat", 150.0, 150.0);
    g.AddRange("B", 200.0, 230.0);
    ASSERT_EQ(g.GetRangeCount(), 3);
    EXPECT_EQ(g.GetRange(0).rect, QRect(20, 0, 93, 173));
    EXPECT_EQ(g.GetRange(1).rect.width(), 0);
    EXPECT_EQ(g.GetRange(2).rect, QRect(120, 0, 293, 173));
    EXPECT_EQ(g.ColumnOfFreq(1, 150.0), -1);

    // Only spans of zero, or a pane too small for its bands: no division by zero, no negative sizes.
    CTestRanges flat;
    flat.SetRect(QRect(0, 0, 420, 200));
    flat.AddRange("x", 1.0, 1.0);
    EXPECT_EQ(flat.GetRange(0).rect.width(), 0);
    CTestRanges tiny;
    tiny.SetRect(QRect(0, 0, 10, 10));
    tiny.AddRange("A", 100.0, 110.0);
    EXPECT_GE(tiny.GetRange(0).rect.width(), 0);
    EXPECT_GE(tiny.GetRange(0).rect.height(), 0);
    EXPECT_EQ(tiny.RangeAt(QPoint(0, 0)), -1);
}

TEST(MultiRangesGraphicBase, RangeDataFollowsIndexAndPause)
{
    CTestRanges g;
    g.SetRect(QRect(0, 0, 420, 200));
    g.AddRange("A", 100.0, 110.0);
    g.AddRange("B", 200.0, 230.0);

    g.SetRangeData(1, {1.0, 2.0});
    EXPECT_EQ(g.GetRange(1).data, std::vector<double>({1.0, 2.0}));
    EXPECT_TRUE(g.GetRange(0).data.empty());
    // Indices outside the list change nothing.
    g.SetRangeData(-1, {9.0});
    g.SetRangeData(2, {9.0});
    EXPECT_TRUE(g.GetRange(0).data.empty());
    EXPECT_EQ(g.GetRange(1).data, std::vector<double>({1.0, 2.0}));

    // Paused: frozen. Single step: exactly one block, then paused.
    g.SetPauseState(1);
    g.SetRangeData(0, {3.0});
    EXPECT_TRUE(g.GetRange(0).data.empty());
    g.SetPauseState(2);
    g.SetRangeData(0, {4.0});
    g.SetRangeData(0, {5.0});
    g.SetRangeData(1, {6.0});
    EXPECT_EQ(g.GetRange(0).data, std::vector<double>({4.0}));
    EXPECT_EQ(g.GetRange(1).data, std::vector<double>({1.0, 2.0}));
    EXPECT_EQ(g.GetPauseState(), 1);
    // A bad index does not use up the single step.
    g.SetPauseState(2);
    g.SetRangeData(7, {8.0});
    EXPECT_EQ(g.GetPauseState(), 2);
}
