// The oscillogram painter drawn into a QImage (a known sine on its predicted rows, offsets separating
// traces, the "No data" rules), its automatic and symmetric Y windows, the 16-pixel zoom limit and
// the three pane payloads with their damaged variants.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "oscillogramgraphic.h"

namespace
{
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Pane (0, 0, 527 x 327) with the default 20-pixel bands and 7-pixel margin: plot (20, 0, 500 x 300),
// so plot.bottom = 299 and the last column is x = 519.
const QRect kPane(0, 0, 527, 327);
const QRect kPlot(20, 0, 500, 300);
// The Y scroll strip's outline covers the plot's last column; the trace is checked left of it.
const QRect kInside(20, 0, 499, 300);

// 500 samples over 500 columns: column k holds exactly sample k.
std::vector<double> Sine(double amplitude, int periods)
{
    std::vector<double> v(500);
    for (size_t k = 0; k < v.size(); ++k)
        v[k] = amplitude * std::sin(2.0 * M_PI * periods * static_cast<double>(k) / 500.0);
    return v;
}

// Time axis [0, 1 ms], Y window [-2, 2] V, auto-scale off.
void SetUpPane(CQOscillogramGraphic& g, int traces)
{
    g.SetTraceCount(traces);
    g.SetRect(kPane);
    g.SetXRange(0.0, 1e-3);
    g.SetYLimits(-5.0, 5.0);
    g.SetYWindow(-2.0, 2.0);
    g.SetPen(0, QPen(Qt::yellow));
    if (traces > 2)
        g.SetPen(2, QPen(Qt::cyan));
}

QImage PaintPane(CQOscillogramGraphic& g)
{
    QImage image(kPane.size(), QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    g.Paint(&painter, 0);
    return image;
}

int CountColour(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// Row of a value in the [-2, 2] window of the 300-pixel plot, truncated toward zero.
int RowOf(double volts)
{
    return static_cast<int>(299.0 + (volts + 2.0) * (0.0 - 299.0) / 4.0);
}

// Every column of the trace is coloured at its sample's row, and nowhere outside the rows that the
// joins to its neighbours can reach.
void ExpectTraceOnRows(const QImage& image, const std::vector<double>& samples, double offset, QRgb colour)
{
    for (int k = 0; k < kInside.width(); ++k)
    {
        const int x = kPlot.left() + k;
        const int row = RowOf(samples[static_cast<size_t>(k)] + offset);
        ASSERT_EQ(image.pixel(x, row), colour) << "column " << k;
        int lo = row;
        int hi = row;
        for (int j : {k - 1, k + 1})
        {
            if (j < 0 || j >= static_cast<int>(samples.size()))
                continue;
            lo = std::min(lo, RowOf(samples[static_cast<size_t>(j)] + offset));
            hi = std::max(hi, RowOf(samples[static_cast<size_t>(j)] + offset));
        }
        for (int y = kPlot.top(); y <= kPlot.bottom(); ++y)
        {
            if (y < lo || y > hi)
            {
                ASSERT_NE(image.pixel(x, y), colour) << "column " << k << " row " << y;
            }
        }
    }
}

QByteArray Write(CQOscillogramGraphic& g, int kind)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    if (kind == 0)
        g.Save(out);
    else if (kind == 1)
        g.SaveShownData(out);
    else
        g.SaveInputData(out);
    return bytes;
}

QDataStream::Status Read(CQOscillogramGraphic& g, const QByteArray& bytes, int kind)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    if (kind == 0)
        g.Load(in);
    else
        g.LoadData(in);
    return in.status();
}

// Everything a payload read may change.
struct State
{
    std::vector<double> windows;
    int operation = 0;
    std::vector<std::vector<double>> samples;
    std::vector<bool> visible;
    bool operator==(const State& o) const
    {
        return windows == o.windows && operation == o.operation && samples == o.samples &&
               visible == o.visible;
    }
};

State StateOf(CQOscillogramGraphic& g)
{
    State s;
    s.windows = {g.GetXMin(), g.GetXMax(), g.GetXFrom(), g.GetXTo(), g.GetYFrom(), g.GetYTo()};
    s.operation = g.GetDataOperation();
    for (int i = 0; i < g.GetTraceCount(); ++i)
    {
        s.samples.push_back(*g.GetData(i));
        s.visible.push_back(g.IsTraceVisible(i));
    }
    return s;
}

QByteArray Payload(const std::vector<double>& windows, const std::vector<std::vector<double>>& vectors)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (double w : windows)
        out << w;
    for (const std::vector<double>& v : vectors)
    {
        out << static_cast<qint32>(v.size());
        for (double d : v)
            out << d;
    }
    return bytes;
}
}  // namespace

TEST(OscillogramGraphic, KnownSineLandsOnPredictedRows)
{
    CQOscillogramGraphic g;
    SetUpPane(g, 2);
    const std::vector<double> sine = Sine(1.5, 3);
    g.SetData(0, sine);
    const QImage image = PaintPane(g);

    ExpectTraceOnRows(image, sine, 0.0, kYellow);
    // Nothing of the trace outside the plot, no "No data" text over it.
    EXPECT_EQ(CountColour(image, QRect(0, 0, 20, 327), kYellow), 0);
    EXPECT_EQ(CountColour(image, kInside, kWhite), 0);
    // The column values answer the readouts: column 125 is the crest of the first period.
    EXPECT_NEAR(g.GetMaxAtPoint(0, QPoint(20 + 125, 50)), 1.5 * std::sin(2.0 * M_PI * 3 * 125 / 500.0),
                1e-12);
    EXPECT_EQ(g.GetMaxAtPoint(0, QPoint(19, 50)), 0.0);
    EXPECT_EQ(g.GetMaxAtPoint(5, QPoint(100, 50)), 0.0);
    EXPECT_DOUBLE_EQ(g.GetXPerPixel(), 1e-3 / 500);
    EXPECT_DOUBLE_EQ(g.GetYPerPixel(), 4.0 / 300);
}

TEST(OscillogramGraphic, SteepEdgeIsJoinedFromThePreviousColumn)
{
    CQOscillogramGraphic g;
    SetUpPane(g, 2);
    // A step from -1 V to +1 V between columns 249 and 250.
    std::vector<double> step(500, -1.0);
    std::fill(step.begin() + 250, step.end(), 1.0);
    g.SetData(0, step);
    const QImage image = PaintPane(g);
    const int low = RowOf(-1.0);
    const int high = RowOf(1.0);
    // The join runs from (x - 1, previous row) to (x, this row): together the two columns cover every
    // row between the two levels, and the column before the step carries the edge (a join drawn
    // within the new column alone would leave it one pixel).
    const int x0 = kPlot.left() + 249;
    int covered = 0;
    for (int y = high; y <= low; ++y)
        covered += (image.pixel(x0, y) == kYellow || image.pixel(x0 + 1, y) == kYellow) ? 1 : 0;
    EXPECT_EQ(covered, low - high + 1);
    EXPECT_GT(CountColour(image, QRect(x0, high, 1, low - high + 1), kYellow), 1);
    // No join elsewhere: a flat stretch is one row thick.
    EXPECT_EQ(CountColour(image, QRect(kPlot.left() + 100, 0, 1, 300), kYellow), 1);
}

TEST(OscillogramGraphic, TraceOffsetsSeparateTraces)
{
    CQOscillogramGraphic g;
    SetUpPane(g, 4);
    const std::vector<double> sine = Sine(0.5, 2);
    g.SetData(0, sine);  // I
    g.SetData(2, sine);  // Q, identical: without offsets the traces would cover each other
    g.SetAutoScale(true, false);
    g.MoveTrace(0, 1.0);
    g.MoveTrace(2, -1.0);
    EXPECT_FALSE(g.IsAutoScale());
    EXPECT_DOUBLE_EQ(g.GetTraceOffset(0), 1.0);
    EXPECT_DOUBLE_EQ(g.GetTraceOffset(2), -1.0);
    EXPECT_DOUBLE_EQ(g.GetTraceOffset(7), 0.0);

    const QImage image = PaintPane(g);
    ExpectTraceOnRows(image, sine, 1.0, kYellow);
    ExpectTraceOnRows(image, sine, -1.0, kCyan);
    // The I trace keeps entirely above the middle row, the Q trace below it.
    EXPECT_EQ(CountColour(image, QRect(20, 150, 500, 150), kYellow), 0);
    EXPECT_EQ(CountColour(image, QRect(20, 0, 500, 150), kCyan), 0);
    // The trigger line follows trace 0's offset: a 0.5 V level sits at the row of 1.5 V.
    EXPECT_EQ(g.LevelToRow(0.5), RowOf(1.5));
    EXPECT_EQ(g.LevelToRow(100.0), kPlot.top());

    // The view resets the offsets by moving each trace back; a new trace count also resets them.
    g.MoveTrace(0, -g.GetTraceOffset(0));
    EXPECT_DOUBLE_EQ(g.GetTraceOffset(0), 0.0);
    g.SetTraceCount(4);
    EXPECT_DOUBLE_EQ(g.GetTraceOffset(2), 0.0);
}

TEST(OscillogramGraphic, NoDataRules)
{
    // All traces empty: the whole pane area is background with the white text, no axis band left.
    {
        CQOscillogramGraphic g;
        SetUpPane(g, 2);
        g.SetXAxisColors(QBrush(Qt::blue), QPen(Qt::white));
        const QImage image = PaintPane(g);
        EXPECT_EQ(CountColour(image, kPane, QColor(Qt::darkGray).rgb()), 0);
        EXPECT_EQ(CountColour(image, kPane, qRgb(0, 0, 255)), 0);
        // The text sits in the middle of the area; the band under the plot is background.
        EXPECT_GT(CountColour(image, QRect(200, 140, 127, 47), kWhite), 0);
        EXPECT_EQ(CountColour(image, QRect(0, 300, 527, 27), qRgb(0, 0, 0)), 527 * 27);
    }
    // The last trace hidden but holding data: no text even though nothing was drawn.
    {
        CQOscillogramGraphic g;
        SetUpPane(g, 2);
        g.SetData(1, Sine(1.0, 1));
        g.SetTraceVisible(1, false);
        const QImage image = PaintPane(g);
        EXPECT_EQ(CountColour(image, kInside, kWhite), 0);
        EXPECT_EQ(CountColour(image, kPlot, kYellow), 0);
    }
}

TEST(OscillogramGraphic, AutoScalePicksTheWindow)
{
    struct Case
    {
        const char* name;
        std::vector<double> trace0;
        std::vector<double> trace1;
        bool growOnly;
        double from, to;  // expected window; the start window is [-1, 1]
    };
    const std::vector<Case> cases = {
        {"symmetric", {-1.0, 0.3, 1.0}, {}, false, -1.6, 1.78},
        {"positive", {0.5, 2.0}, {}, false, 0.05, 2.0 + 1.95 * 0.3},
        {"derived trace counts", {0.0}, {-1.0, 1.0}, false, -1.6, 1.78},
        {"flat data gives an empty window", {3.0, 3.0}, {}, false, 3.0, 3.0},
        {"NaN samples are left out", {-1.0, kNaN, 1.0}, {}, false, -1.6, 1.78},
        {"trace 0 empty keeps the window", {}, {4.0}, false, -1.0, 1.0},
        {"grow-only raises the top", {-3.0, 2.0}, {}, true, -1.0, 2.6},
        {"grow-only keeps a window that holds the data", {0.5, 0.9}, {}, true, -1.0, 1.0},
        // Each sample above the top raises it to 1.3 times that sample, in order: 1.3 stays under 1.43.
        {"grow-only walks the samples in order", {1.1, 1.3}, {}, true, -1.0, 1.43},
    };
    for (const Case& c : cases)
    {
        CQOscillogramGraphic g;
        SetUpPane(g, 2);
        g.SetYWindow(-1.0, 1.0);
        g.SetAutoScale(true, c.growOnly);
        g.SetDataOperation(0);
        g.SetData(1, c.trace1);
        g.SetData(0, c.trace0);
        PaintPane(g);
        EXPECT_NEAR(g.GetYFrom(), c.from, 1e-12) << c.name;
        EXPECT_NEAR(g.GetYTo(), c.to, 1e-12) << c.name;
        // The limits grow to hold the window, never shrink.
        EXPECT_LE(g.GetYMin(), std::min(-5.0, c.from)) << c.name;
        EXPECT_GE(g.GetYMax(), std::max(5.0, c.to)) << c.name;
    }
}

TEST(OscillogramGraphic, AutoScaledTraceFillsThePlotAndFlatDataPaints)
{
    CQOscillogramGraphic g;
    SetUpPane(g, 2);
    g.SetAutoScale(true, false);
    g.SetYLimits(-0.5, 0.5);
    g.SetData(0, Sine(3.0, 2));
    const QImage image = PaintPane(g);
    // The margins keep the whole wave clear of both plot edges...
    int top = 300;
    int bottom = -1;
    for (int y = 0; y < 300; ++y)
    {
        if (CountColour(image, QRect(20, y, 500, 1), kYellow) > 0)
        {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_GT(top, 10);
    EXPECT_LT(bottom, 290);
    EXPECT_GT(bottom - top, 150);
    EXPECT_LE(g.GetYMin(), -3.0);
    EXPECT_GE(g.GetYMax(), 3.0);

    // ... and constant data give an empty window that still paints, as a line through the middle.
    g.SetData(0, std::vector<double>(500, 0.25));
    const QImage flat = PaintPane(g);
    EXPECT_EQ(g.GetYFrom(), g.GetYTo());
    EXPECT_EQ(CountColour(flat, kInside, kYellow), 499);
    EXPECT_EQ(CountColour(flat, QRect(20, 149, 499, 1), kYellow), 499);
}

TEST(OscillogramGraphic, SymmetricYWindowRules)
{
    struct Case
    {
        const char* name;
        double startFrom, startTo;  // window before the call
        int call;                   // 0 SetYWindow, 1 SetYFrom, 2 SetYTo
        double a, b;
        double from, to;
    };
    const std::vector<Case> cases = {
        {"SetYFrom mirrors the top", -1.0, 1.0, 1, -2.5, 0.0, -2.5, 2.5},
        {"SetYTo mirrors the bottom", -1.0, 1.0, 2, 3.0, 0.0, -3.0, 3.0},
        {"SetYFrom is held by the limits", -1.0, 1.0, 1, -7.0, 0.0, -5.0, 5.0},
        {"new lower end mirrors", -1.0, 1.0, 0, -2.0, 0.5, -2.0, 2.0},
        {"same lower end, new upper end mirrors", -1.0, 1.0, 0, -1.0, 3.0, -3.0, 3.0},
        {"same window stays", -1.0, 1.0, 0, -1.0, 1.0, -1.0, 1.0},
        {"outside the limits is refused", -1.0, 1.0, 0, -6.0, 6.0, -1.0, 1.0},
        {"an empty window is refused", -1.0, 1.0, 0, 0.5, 0.7, -1.0, 1.0},
        {"NaN is refused", -1.0, 1.0, 0, kNaN, 1.0, -1.0, 1.0},
    };
    for (const Case& c : cases)
    {
        CQOscillogramGraphic g;
        g.SetYLimits(-5.0, 5.0);
        g.SetYWindow(c.startFrom, c.startTo);
        g.SetAutoScale(true, false);
        if (c.call == 0)
            g.SetYWindow(c.a, c.b);
        else if (c.call == 1)
            g.SetYFrom(c.a);
        else
            g.SetYTo(c.a);
        EXPECT_DOUBLE_EQ(g.GetYFrom(), c.from) << c.name;
        EXPECT_DOUBLE_EQ(g.GetYTo(), c.to) << c.name;
        EXPECT_FALSE(g.IsAutoScale()) << c.name;
        EXPECT_FALSE(g.IsYZoomed()) << c.name;
    }
}

TEST(OscillogramGraphic, ZoomStopsAtSixteenPixelsPerSample)
{
    // 64 samples over [0, 1] s in a 500-pixel plot: a window of 500/1024 s spreads one sample over
    // exactly 16 pixels.
    CQOscillogramGraphic g;
    g.SetRect(kPane);
    g.SetXRange(0.0, 1.0);
    g.SetData(0, std::vector<double>(64, 0.0));

    g.SetXTo(0.48828125);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 0.48828125);
    g.SetXTo(0.48);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 0.48828125);
    g.SetXFrom(0.01);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.0);
    // The refused step leaves the per-pixel scale of the accepted window.
    EXPECT_DOUBLE_EQ(g.GetXPerPixel(), 0.48828125 / 500);

    // Out-of-range requests are clamped, inverted ones refused.
    g.SetXTo(2.0);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 1.0);
    g.SetXFrom(-3.0);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.0);
    g.SetXFrom(1.0);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.0);

    // A whole window goes by the same limit, not by the spectrum painters' 4 pixels, and a refused
    // one keeps the old window rather than moving half of it.
    g.SetXWindow(0.25, 0.25 + 0.48828125);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.25);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 0.25 + 0.48828125);
    g.SetXWindow(0.5, 0.9);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.25);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 0.25 + 0.48828125);
    g.SetXWindow(-0.5, 0.5);
    EXPECT_DOUBLE_EQ(g.GetXFrom(), 0.0);
    EXPECT_DOUBLE_EQ(g.GetXTo(), 1.0);

    // A fixed X axis ignores zoom.
    CQOscillogramGraphic fixed;
    fixed.SetRect(kPane);
    fixed.SetFixedXRange(0.0, 1.0);
    fixed.SetXTo(0.9);
    EXPECT_DOUBLE_EQ(fixed.GetXTo(), 1.0);
}

TEST(OscillogramGraphic, DataOperationsPerTracePair)
{
    CQOscillogramGraphic g;
    g.SetTraceCount(4);
    g.SetDataOperation(1);
    g.SetData(0, {1.0, 2.0});
    g.SetData(2, {3.0});
    // Hold empties the inputs and shows the derived traces.
    EXPECT_TRUE(g.GetData(0)->empty());
    EXPECT_TRUE(g.GetData(2)->empty());
    EXPECT_TRUE(g.IsTraceVisible(1));
    EXPECT_TRUE(g.IsTraceVisible(3));
    g.SetDataOperation(0);
    g.SetData(2, {3.0});
    EXPECT_EQ(*g.GetData(2), std::vector<double>({3.0}));
    EXPECT_FALSE(g.IsTraceVisible(3));
    EXPECT_TRUE(g.IsTraceVisible(1));
    // A derived trace only stores.
    g.SetData(3, {4.0});
    EXPECT_EQ(*g.GetData(3), std::vector<double>({4.0}));

    // Pause drops blocks; a single step takes one and pauses.
    g.SetPauseState(1);
    g.SetData(0, {9.0});
    EXPECT_TRUE(g.GetData(0)->empty());
    g.SetPauseState(2);
    g.SetData(0, {9.0});
    g.SetData(0, {10.0});
    EXPECT_EQ(*g.GetData(0), std::vector<double>({9.0}));
    EXPECT_EQ(g.GetPauseState(), 1);

    // Bad trace indices are ignored.
    g.SetData(4, {1.0});
    g.SetData(-1, {1.0});
    g.ClearData(9);
    g.SetPen(9, QPen(Qt::red));
    EXPECT_EQ(g.GetData(4), nullptr);
    EXPECT_EQ(g.GetTraceCount(), 4);
    g.SetTraceCount(0);
    EXPECT_EQ(g.GetTraceCount(), 1);
}

TEST(OscillogramGraphic, UnitsAndLabelCells)
{
    struct Case
    {
        double magnitude;
        const char* xUnit;
        double xScale;
        const char* yUnit;
        double yScale;
    };
    // Time bounds are inclusive, voltage bounds exclusive.
    const std::vector<Case> cases = {
        {1e-7, "ns", 1e9, "nV", 1e9},  {1e-6, "ns", 1e9, "uV", 1e6}, {1e-4, "us", 1e6, "uV", 1e6},
        {0.001, "us", 1e6, "mV", 1e3}, {0.5, "ms", 1e3, "mV", 1e3},  {1.0, "ms", 1e3, "V", 1.0},
        {5.0, "s", 1.0, "V", 1.0},
    };
    CQOscillogramGraphic g;
    for (const Case& c : cases)
    {
        double xScale = 1.0;
        double yScale = 1.0;
        EXPECT_EQ(g.GetXUnit(c.magnitude, xScale), QString(c.xUnit)) << c.magnitude;
        EXPECT_DOUBLE_EQ(xScale, c.xScale) << c.magnitude;
        EXPECT_EQ(g.GetYUnit(c.magnitude, yScale), QString(c.yUnit)) << c.magnitude;
        EXPECT_DOUBLE_EQ(yScale, c.yScale) << c.magnitude;
    }
    EXPECT_EQ(g.GetXDecimalsCode(), 1);
    EXPECT_EQ(g.GetYDecimalsCode(), 3);

    g.SetRect(kPane);
    g.SetXAxisBand(20, 2);
    g.SetYAxisBand(20, 3);
    // The X cell top is the plot's bottom row itself.
    EXPECT_EQ(g.GetXLabelRect(1), QRect(20 + 250, 299, 250, 20));
    EXPECT_EQ(g.GetYLabelRect(0), QRect(0, 299 - 100, 20, 100));
    EXPECT_EQ(g.GetYLabelRect(2), QRect(0, 299 - 300, 20, 100));
    g.SetXAxisBand(20, 0);
    EXPECT_EQ(g.GetXDivisions(), 1);
}

TEST(OscillogramGraphic, PayloadsRoundTrip)
{
    const std::vector<double> i = {0.1, -0.2, 0.3};
    const std::vector<double> q = {-0.5, 0.25};

    // Kind 0 on a two-trace pane: the input trace lands in the derived trace, shown held.
    {
        CQOscillogramGraphic source;
        SetUpPane(source, 2);
        source.SetData(0, i);
        const QByteArray bytes = Write(source, 0);
        ASSERT_EQ(bytes.size(), 48 + 4 + 8 * 3);
        CQOscillogramGraphic target;
        SetUpPane(target, 2);
        target.SetData(0, {7.0});
        target.SetTraceVisible(1, false);
        ASSERT_EQ(Read(target, bytes, 0), QDataStream::Ok);
        EXPECT_EQ(*target.GetData(1), i);
        EXPECT_TRUE(target.GetData(0)->empty());
        EXPECT_TRUE(target.IsTraceVisible(1));
        EXPECT_EQ(target.GetDataOperation(), 1);
        EXPECT_DOUBLE_EQ(target.GetXMax(), 1e-3);
        EXPECT_DOUBLE_EQ(target.GetYFrom(), -2.0);
        // Saved again under hold, the shown trace is written, not the emptied input.
        CQOscillogramGraphic again;
        again.SetTraceCount(2);
        ASSERT_EQ(Read(again, Write(target, 0), 0), QDataStream::Ok);
        EXPECT_EQ(*again.GetData(1), i);
    }
    // Kind 0 on a four-trace pane: I and Q inputs into traces 1 and 3.
    {
        CQOscillogramGraphic source;
        SetUpPane(source, 4);
        source.SetData(0, i);
        source.SetData(2, q);
        CQOscillogramGraphic target;
        target.SetTraceCount(4);
        ASSERT_EQ(Read(target, Write(source, 0), 0), QDataStream::Ok);
        EXPECT_EQ(*target.GetData(1), i);
        EXPECT_EQ(*target.GetData(3), q);
        EXPECT_TRUE(target.IsTraceVisible(3));

        // Kind 1 writes what is shown: the derived traces.
        const QByteArray shown = Write(target, 1);
        EXPECT_EQ(shown.size(), 48 + 4 + 8 * 3 + 4 + 8 * 2);
        EXPECT_EQ(shown.mid(48), Payload({}, {i, q}));
    }
    // Kind 2: inputs 0 and 2 into the derived traces of another four-trace pane.
    {
        CQOscillogramGraphic source;
        SetUpPane(source, 4);
        source.SetData(0, i);
        source.SetData(2, q);
        CQOscillogramGraphic target;
        target.SetTraceCount(4);
        ASSERT_EQ(Read(target, Write(source, 2), 2), QDataStream::Ok);
        EXPECT_EQ(*target.GetData(1), i);
        EXPECT_EQ(*target.GetData(3), q);
        EXPECT_EQ(target.GetDataOperation(), 1);
    }
    // Kind 2 from a two-trace pane writes the missing Q trace empty instead of reading past the list.
    {
        CQOscillogramGraphic source;
        SetUpPane(source, 2);
        source.SetData(0, i);
        EXPECT_EQ(Write(source, 2).mid(48), Payload({}, {i, {}}));
    }
}

TEST(OscillogramGraphic, DamagedPayloadsLeaveThePaneUnchanged)
{
    const std::vector<double> windows = {0.0, 1.0, 0.0, 1.0, -1.0, 1.0};
    const double inf = std::numeric_limits<double>::infinity();
    QByteArray good = Payload(windows, {{0.5, 0.25}, {0.75}});
    struct Case
    {
        const char* name;
        QByteArray bytes;
        int kind;
        int traces;
    };
    const std::vector<Case> cases = {
        {"empty", QByteArray(), 0, 2},
        {"windows cut short", good.left(20), 0, 2},
        {"vector cut short", good.left(48 + 4 + 8), 0, 2},
        {"second vector cut short", good.left(good.size() - 3), 2, 4},
        {"count beyond the stream", Payload(windows, {}) + QByteArray::fromHex("7fffffff"), 0, 2},
        {"NaN window", Payload({0.0, 1.0, 0.0, kNaN, -1.0, 1.0}, {{0.5}}), 0, 2},
        {"infinite window", Payload({0.0, inf, 0.0, 1.0, -1.0, 1.0}, {{0.5}}), 0, 2},
        {"inverted X window", Payload({0.0, 1.0, 0.8, 0.2, -1.0, 1.0}, {{0.5}}), 0, 2},
        {"inverted Y window", Payload({0.0, 1.0, 0.0, 1.0, 1.0, -1.0}, {{0.5}}), 0, 2},
        {"window before the range", Payload({0.5, 1.0, 0.0, 1.0, -1.0, 1.0}, {{0.5}}), 0, 2},
        {"NaN sample", Payload(windows, {{0.5, kNaN}}), 0, 2},
        {"infinite Q sample", Payload(windows, {{0.5}, {inf}}), 0, 4},
        {"kind 2 into a two-trace pane", good, 2, 2},
    };
    for (const Case& c : cases)
    {
        CQOscillogramGraphic g;
        SetUpPane(g, c.traces);
        g.SetData(0, {0.1, 0.2});
        g.SetData(1, {0.3});
        if (c.traces == 4)
            g.SetData(3, {0.4});
        const State before = StateOf(g);
        EXPECT_NE(Read(g, c.bytes, c.kind), QDataStream::Ok) << c.name;
        EXPECT_TRUE(StateOf(g) == before) << c.name;
    }

    // A count of 0 is sound and keeps the derived trace as it was.
    CQOscillogramGraphic g;
    SetUpPane(g, 2);
    g.SetData(1, {0.3});
    ASSERT_EQ(Read(g, Payload(windows, {{}}), 0), QDataStream::Ok);
    EXPECT_EQ(*g.GetData(1), std::vector<double>({0.3}));
    EXPECT_DOUBLE_EQ(g.GetXMax(), 1.0);
}
