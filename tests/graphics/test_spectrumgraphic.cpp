// The spectrum painter drawn into a QImage: pixels and column values of a known trace, the data
// operations' effect on the traces and on the range FFT's correction row, and the pane payload with
// its damaged variants.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "globals.h"
#include "icommonfft.h"
#include "recordingcommonfft.h"
#include "spectrumgraphic.h"

namespace
{
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kCyanFill = qRgb(0, 127, 127);
const QRgb kGreen = qRgb(0, 255, 0);

// The pane of the pixel tests: plot (20, 0, 500 x 300), so plot.bottom = 299 and the last column is
// x = 519; Y window [-100, 0] dBm, X [0, 1000] MHz.
void SetUpPane(CQSpectrumGraphic& g)
{
    g.SetRect(QRect(0, 0, 527, 327));
    g.SetFixedXRange(0.0, 1000.0);
    g.SetFixedYRange(-100.0, 0.0);
}

// 1000 points alternating -50 / -40: every column of the 500-pixel plot holds one of each, so its
// rows are trunc(299 - 60 * 2.99) = 119 (top) and trunc(299 - 50 * 2.99) = 149 (bottom).
std::vector<double> Alternating(size_t n)
{
    std::vector<double> v(n);
    for (size_t k = 0; k < n; ++k)
        v[k] = k % 2 == 0 ? -50.0 : -40.0;
    return v;
}

QImage PaintPane(CQSpectrumGraphic& g)
{
    QImage image(527, 327, QImage::Format_RGB32);
    image.fill(Qt::black);
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

QByteArray Saved(CQSpectrumGraphic& g)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    g.Save(out);
    return bytes;
}

QDataStream::Status LoadFrom(CQSpectrumGraphic& g, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    g.Load(in);
    return in.status();
}

// Everything Load may change.
struct PainterState
{
    double window[6];
    bool indexAxis;
    int op;
    std::vector<std::vector<double>> data;
    std::vector<bool> visible;

    explicit PainterState(CQSpectrumGraphic& g)
        : window{g.GetXMin(), g.GetXMax(), g.GetXFrom(), g.GetXTo(), g.GetYFrom(), g.GetYTo()},
          indexAxis(g.m_indexAxis),
          op(g.GetDataOperation())
    {
        for (int i = 0; i < g.GetTraceCount(); ++i)
        {
            data.push_back(g.GetTrace(i).data);
            visible.push_back(g.GetTrace(i).visible);
        }
    }
    bool operator==(const PainterState& o) const
    {
        for (int k = 0; k < 6; ++k)
            if (window[k] != o.window[k])
                return false;
        return indexAxis == o.indexAxis && op == o.op && data == o.data && visible == o.visible;
    }
};
}  // namespace

TEST(SpectrumGraphic, FilledTraceColumnsAndReadout)
{
    CQSpectrumGraphic g;
    SetUpPane(g);
    g.SetData(1, Alternating(1000));
    const QImage image = PaintPane(g);

    // x = 100 lies off the grid columns (every 75 pixels from the plot's left edge).
    EXPECT_EQ(image.pixel(100, 118), kBlack);
    for (int row = 119; row <= 148; ++row)
        ASSERT_EQ(image.pixel(100, row), kCyan) << "row " << row;
    // The fill starts on the trace's bottom row and runs to the plot's last row.
    for (int row = 149; row <= 299; ++row)
        ASSERT_EQ(image.pixel(100, row), kCyanFill) << "row " << row;
    EXPECT_EQ(image.pixel(519, 200), kCyanFill);
    EXPECT_NE(image.pixel(520, 200), kCyanFill);
    EXPECT_NE(image.pixel(520, 130), kCyan);
    EXPECT_EQ(CountColour(image, QRect(0, 0, 20, 327), kCyan), 0);

    EXPECT_DOUBLE_EQ(g.GetMaxAtPoint(1, QPoint(100, 10)), -40.0);
    EXPECT_DOUBLE_EQ(g.GetMinAtPoint(1, QPoint(100, 10)), -50.0);
    EXPECT_DOUBLE_EQ(g.GetMaxAtPoint(1, QPoint(19, 10)), 0.0);
    EXPECT_DOUBLE_EQ(g.GetMaxAtPoint(1, QPoint(520, 10)), 0.0);
    EXPECT_DOUBLE_EQ(g.GetXPerPixel(), 2.0);
    EXPECT_NEAR(g.GetYPerPixel(), 100.0 / 300.0, 1e-12);
}

TEST(SpectrumGraphic, EnvelopeAndThresholdTraces)
{
    CQSpectrumGraphic g;
    SetUpPane(g);
    g.m_envelope = true;
    // A step from -50 to -20 half-way: the join at the step spans the gap between the two levels.
    std::vector<double> step(1000, -50.0);
    for (size_t k = 500; k < step.size(); ++k)
        step[k] = -20.0;
    g.SetData(1, step);
    QImage image = PaintPane(g);
    const QRect plot(20, 0, 500, 300);
    EXPECT_EQ(CountColour(image, plot, kCyanFill), 0);
    EXPECT_EQ(image.pixel(100, 149), kCyan);
    EXPECT_EQ(image.pixel(100, 160), kBlack);
    // Column 250 (x = 270) is the first at -20 (row 59); the join runs from row 149 up to it.
    for (int row = 59; row <= 149; ++row)
        ASSERT_EQ(image.pixel(270, row), kCyan) << "row " << row;
    EXPECT_NE(image.pixel(271, 100), kCyan);

    // An unprocessed trace is a line of steps at its maxima and never filled.
    CQSpectrumGraphic t;
    SetUpPane(t);
    t.SetTraceCount(4);
    t.SetTraceUnprocessed(3, 1);
    t.SetPen(3, QPen(Qt::green));
    t.SetData(3, std::vector<double>(1000, -50.0));
    image = PaintPane(t);
    EXPECT_EQ(CountColour(image, QRect(20, 149, 500, 1), kGreen), 500);
    EXPECT_EQ(CountColour(image, plot, kGreen), 500);
}

TEST(SpectrumGraphic, NoDataAndFirstTraceWithData)
{
    CQSpectrumGraphic g;
    SetUpPane(g);
    QImage image(527, 327, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        g.Paint(&painter, 0);
    }
    // The whole pane, bands included, turns to background under the message.
    EXPECT_EQ(CountColour(image, QRect(0, 0, 527, 327), qRgb(255, 0, 0)), 0);
    EXPECT_GT(CountColour(image, QRect(213, 143, 100, 40), qRgb(255, 255, 255)), 0);
    EXPECT_EQ(CountColour(image, QRect(0, 0, 527, 120), qRgb(255, 255, 255)), 0);

    // Only the hidden held trace has data: the frame comes with it, nothing is drawn for it, and
    // showing it draws it alone.
    g.SetData(2, std::vector<double>(1000, -30.0));
    image = PaintPane(g);
    EXPECT_EQ(CountColour(image, QRect(213, 143, 100, 40), qRgb(255, 255, 255)), 0);
    EXPECT_EQ(CountColour(image, QRect(20, 0, 500, 300), kGreen), 0);
    EXPECT_GT(CountColour(image, QRect(0, 0, 20, 300), qRgb(255, 255, 255)), 0);  // Y labels
    g.SetTraceVisible(2, true);
    image = PaintPane(g);
    // A flat trace is all fill: the fill starts on the line's only row, trunc(299 - 70 * 2.99).
    EXPECT_EQ(image.pixel(100, 89), qRgb(0, 127, 0));
    EXPECT_EQ(image.pixel(100, 88), kBlack);
    EXPECT_EQ(image.pixel(100, 299), qRgb(0, 127, 0));
    EXPECT_EQ(CountColour(image, QRect(20, 0, 500, 300), kCyan), 0);
}

TEST(SpectrumGraphic, NonFiniteLevelsStayOutOfSight)
{
    CQSpectrumGraphic g;
    SetUpPane(g);
    std::vector<double> levels = Alternating(1000);
    levels[0] = -std::numeric_limits<double>::infinity();
    levels[1] = std::numeric_limits<double>::quiet_NaN();
    levels[2] = 1e300;
    g.SetData(1, levels);
    const QImage image = PaintPane(g);
    EXPECT_EQ(image.pixel(100, 130), kCyan);
    // Column 1 holds 1e300: clamped above the plot, its line reaches row 0.
    EXPECT_EQ(image.pixel(21, 0), kCyan);
    // Column 0 holds only -inf and NaN: nothing of it shows inside the plot but the fill's end row.
    EXPECT_EQ(CountColour(image, QRect(20, 0, 1, 299), kCyan), 0);
    EXPECT_EQ(CountColour(image, QRect(20, 0, 1, 299), kCyanFill), 0);
}

TEST(SpectrumGraphic, DataOperationDecidesShownTraces)
{
    struct Row
    {
        int op;
        bool shown[3];
        size_t liveSize;
    };
    const Row rows[] = {{0, {false, true, false}, 2},
                        {1, {false, false, true}, 0},
                        {2, {false, true, true}, 2},
                        {3, {true, true, false}, 2},
                        {4, {true, true, false}, 2}};
    for (const Row& row : rows)
    {
        CQSpectrumGraphic g;
        g.SetData(2, {-80.0, -70.0});
        g.SetDataOperation(row.op);
        g.SetData(1, {-60.0, -65.0});
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(g.GetTrace(i).visible, row.shown[i]) << "op " << row.op << " trace " << i;
        EXPECT_EQ(g.GetData(1)->size(), row.liveSize) << "op " << row.op;
    }

    // A view's extra traces are all shown until live data re-apply the table.
    CQSpectrumGraphic g;
    g.SetTraceCount(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(g.GetTrace(i).visible);
    g.SetData(1, {-60.0});
    EXPECT_FALSE(g.GetTrace(0).visible);
    EXPECT_TRUE(g.GetTrace(3).visible);
    g.ClearData(1);
    EXPECT_TRUE(g.GetData(1)->empty());
}

TEST(SpectrumGraphic, PauseAndSingleStep)
{
    CQSpectrumGraphic g;
    g.SetPauseState(1);
    g.SetData(1, {-1.0});
    EXPECT_TRUE(g.GetData(1)->empty());
    g.SetPauseState(2);
    g.SetData(1, {-2.0});
    EXPECT_EQ(*g.GetData(1), std::vector<double>{-2.0});
    EXPECT_EQ(g.GetPauseState(), 1);
    g.SetData(1, {-3.0});
    EXPECT_EQ(*g.GetData(1), std::vector<double>{-2.0});
}

TEST(SpectrumGraphic, CorrectionReachesOnlyTheTargetedPainter)
{
    CRecordingCommonFft fft;
    CQSpectrumGraphic rangeSpec;
    rangeSpec.SetCorrectionTarget(&fft);
    rangeSpec.SetFixedYRange(-120.0, 0.0);
    rangeSpec.SetData(2, {-85.0, -85.0});
    rangeSpec.SetDataOperation(4);
    rangeSpec.SetData(1, {-90.0, -80.0});
    EXPECT_EQ(*rangeSpec.GetData(1), (std::vector<double>{-125.0, -115.0}));
    EXPECT_FALSE(rangeSpec.HasPendingCorrection());
    const std::vector<std::pair<int, double>> expected = {{-1, 1.0}, {0, -120.0}, {1, -115.0}};
    EXPECT_EQ(fft.calls, expected);

    fft.calls.clear();
    rangeSpec.SetDataOperation(3);
    rangeSpec.SetData(1, {-90.0, -80.0});
    EXPECT_FALSE(rangeSpec.HasPendingCorrection());
    ASSERT_FALSE(fft.calls.empty());
    EXPECT_EQ(fft.calls.front(), std::make_pair(-1, 0.0));

    // While the device thread holds the data mutex the row waits for the next paint.
    fft.calls.clear();
    rangeSpec.SetDataOperation(4);
    g_DataMutex.lock();
    rangeSpec.SetData(1, {-90.0, -80.0});
    const bool waited = rangeSpec.HasPendingCorrection();
    const size_t callsWhileLocked = fft.calls.size();
    g_DataMutex.unlock();
    EXPECT_TRUE(waited);
    EXPECT_EQ(callsWhileLocked, 0u);
    rangeSpec.SetRect(QRect(0, 0, 200, 100));
    QImage image(200, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    rangeSpec.Paint(&painter, 0);
    EXPECT_FALSE(rangeSpec.HasPendingCorrection());
    EXPECT_EQ(fft.calls, expected);

    // Any other painter does the arithmetic and keeps nothing for a device.
    CQSpectrumGraphic band;
    band.SetFixedYRange(-120.0, 0.0);
    band.SetData(2, {-85.0, -85.0});
    band.SetDataOperation(4);
    band.SetData(1, {-90.0, -80.0});
    EXPECT_EQ(*band.GetData(1), (std::vector<double>{-125.0, -115.0}));
    EXPECT_FALSE(band.HasPendingCorrection());
    EXPECT_EQ(band.GetCorrectionTarget(), nullptr);
}

TEST(SpectrumGraphic, UnitsAndLabelCells)
{
    CQSpectrumGraphic g;
    struct Unit
    {
        double magnitude;
        const char* text;
        double scale;
    };
    for (const Unit& u : {Unit{0.0005, "Hz", 1e6}, Unit{0.001, "kHz", 1e3}, Unit{0.5, "kHz", 1e3},
                          Unit{1.0, "MHz", 1.0}, Unit{5.0, "MHz", 1.0}})
    {
        double scale = 1.0;
        EXPECT_EQ(g.GetXUnit(u.magnitude, scale), QString(u.text)) << u.magnitude;
        EXPECT_EQ(scale, u.scale) << u.magnitude;
    }
    double scale = 1.0;
    EXPECT_EQ(g.GetYUnit(-120.0, scale), QString("dBm"));

    // Pane (10, 5, 527 x 327) with a 30-pixel Y band: plot (40, 5, 490 x 300).
    g.SetRect(QRect(10, 5, 527, 327));
    g.SetYAxisBand(30, 3);
    g.SetXAxisBand(20, 0);  // at least one cell
    EXPECT_EQ(g.GetXLabelRect(0), QRect(40, 306, 490, 20));
    g.SetXAxisBand(20, 2);
    EXPECT_EQ(g.GetXLabelRect(1), QRect(40 + 245, 306, 245, 20));
    EXPECT_EQ(g.GetYLabelRect(0), QRect(10, 204, 30, 101));
    EXPECT_EQ(g.GetYLabelRect(2), QRect(10, 4, 30, 101));
}

TEST(SpectrumGraphic, IndexAxisLaysTracesOverTheIndices)
{
    // 500 points, -40 then -60 from point 250 on, in a zoomed frequency window [0, 500] of [0, 1000].
    std::vector<double> levels(500, -40.0);
    for (size_t k = 250; k < levels.size(); ++k)
        levels[k] = -60.0;
    for (bool indexAxis : {false, true})
    {
        CQSpectrumGraphic g;
        g.SetRect(QRect(0, 0, 527, 327));
        g.SetXLimits(0.0, 1000.0, 1000.0);
        g.SetXWindow(0.0, 500.0);
        g.SetFixedYRange(-100.0, 0.0);
        g.m_indexAxis = indexAxis;
        g.m_indexCount = 500;
        g.SetData(1, levels);
        const QImage image = PaintPane(g);
        // Flat levels show as fill from their row (-40: 119, -60: 179). Over the indices the step
        // sits at column 250 (x = 270); over frequencies the window ends before it.
        EXPECT_EQ(image.pixel(269, 119), kCyanFill) << indexAxis;
        EXPECT_EQ(image.pixel(270, 119), indexAxis ? kBlack : kCyanFill) << indexAxis;
        EXPECT_EQ(image.pixel(270, 179), kCyanFill) << indexAxis;
        EXPECT_EQ(g.m_pixelsPerPoint, indexAxis ? 1 : 2);
    }
}

TEST(SpectrumGraphic, IndexAxisWindowIgnoresTheFixedAxis)
{
    CQSpectrumGraphic g;
    g.SetFixedXRange(0.0, 100.0);
    g.SetXFrom(10.0);
    EXPECT_EQ(g.GetXFrom(), 0.0);
    g.m_indexAxis = true;
    g.SetXFrom(-5.0);
    EXPECT_EQ(g.GetXFrom(), 0.0);
    g.SetXFrom(10.0);
    g.SetXTo(150.0);
    EXPECT_EQ(g.GetXFrom(), 10.0);
    EXPECT_EQ(g.GetXTo(), 100.0);
}

TEST(SpectrumGraphic, PayloadLayoutAndRoundTrip)
{
    CQSpectrumGraphic g;
    g.SetXLimits(100.0, 200.0, 180.0);
    g.SetXWindow(120.0, 160.0);
    g.SetYLimits(-120.0, 0.0);
    g.SetYWindow(-110.0, -10.0);
    g.m_indexAxis = true;
    g.SetData(1, {-50.0, -60.0, -70.0});
    const QByteArray bytes = Saved(g);
    ASSERT_EQ(bytes.size(), 53 + 3 * 8);
    EXPECT_EQ(bytes.at(48), 1);
    EXPECT_EQ(bytes.mid(49, 4), QByteArray("\0\0\0\3", 4));

    CQSpectrumGraphic h;
    h.SetData(1, {-1.0, -2.0});
    ASSERT_EQ(LoadFrom(h, bytes), QDataStream::Ok);
    EXPECT_EQ(h.GetXMin(), g.GetXMin());
    EXPECT_EQ(h.GetXMax(), g.GetXMax());
    EXPECT_EQ(h.GetXFrom(), g.GetXFrom());
    EXPECT_EQ(h.GetXTo(), g.GetXTo());
    EXPECT_EQ(h.GetYFrom(), -110.0);
    EXPECT_EQ(h.GetYTo(), -10.0);
    EXPECT_TRUE(h.m_indexAxis);
    const std::vector<double> levels = {-50.0, -60.0, -70.0};
    EXPECT_EQ(*h.GetData(2), levels);
    EXPECT_EQ(*h.GetData(0), levels);
    EXPECT_TRUE(h.GetData(1)->empty());
    EXPECT_EQ(h.GetDataOperation(), 1);
    // The loaded spectrum is on screen at once, paused or not.
    EXPECT_TRUE(h.GetTrace(2).visible);
    EXPECT_FALSE(h.GetTrace(1).visible);

    // Holding, the live trace is empty: the save carries the held spectrum instead.
    const QByteArray again = Saved(h);
    EXPECT_EQ(again.size(), bytes.size());
    EXPECT_EQ(again.mid(53), bytes.mid(53));
}

TEST(SpectrumGraphic, DamagedPayloadsLeaveThePainterUnchanged)
{
    CQSpectrumGraphic source;
    source.SetXLimits(100.0, 200.0, 200.0);
    source.SetFixedYRange(-120.0, 0.0);
    source.SetData(1, {-50.0, -60.0, -70.0});
    const QByteArray good = Saved(source);

    auto withDouble = [&](int offset, double value)
    {
        QByteArray b = good;
        QByteArray d;
        QDataStream(&d, QIODevice::WriteOnly) << value;
        b.replace(offset, 8, d);
        return b;
    };
    auto withCount = [&](qint32 count)
    {
        QByteArray b = good;
        QByteArray d;
        QDataStream(&d, QIODevice::WriteOnly) << count;
        b.replace(49, 4, d);
        return b;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"cut in the windows", good.left(30)},
        {"cut before the count", good.left(50)},
        {"cut in the levels", good.left(good.size() - 3)},
        {"huge count", withCount(0x7fffffff)},
        {"negative count", withCount(-4)},
        {"NaN xMin", withDouble(0, nan)},
        {"infinite xTo", withDouble(24, std::numeric_limits<double>::infinity())},
        {"NaN yTo", withDouble(40, nan)},
        {"NaN level", withDouble(53 + 8, nan)},
        {"inverted X range", withDouble(8, 50.0)},
        {"inverted X window", withDouble(24, 90.0)},
        {"inverted Y window", withDouble(32, 10.0)},
        {"window before the range", withDouble(16, 90.0)},
    };
    for (const auto& c : cases)
    {
        CQSpectrumGraphic g;
        g.SetXLimits(1.0, 2.0, 2.0);
        g.SetData(1, {-5.0});
        g.SetData(2, {-7.0});
        const PainterState before(g);
        EXPECT_NE(LoadFrom(g, c.second), QDataStream::Ok) << c.first;
        EXPECT_TRUE(before == PainterState(g)) << c.first;
    }

    // A count of zero keeps the held trace, as every pane payload does.
    CQSpectrumGraphic g;
    g.SetData(2, {-7.0});
    ASSERT_EQ(LoadFrom(g, withCount(0).left(53)), QDataStream::Ok);
    EXPECT_EQ(*g.GetData(2), std::vector<double>{-7.0});
    EXPECT_EQ(*g.GetData(0), std::vector<double>{-7.0});
}
