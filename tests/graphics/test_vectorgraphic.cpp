// The I/Q vector painter drawn into a QImage: a circle and a few points on their computed pixels,
// lines mode, the choice between the input and the held pair, "No data", the symmetric auto-scale
// and the payload it shares with the oscillogram.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "vectorgraphic.h"

namespace
{
using Pixels = std::set<std::pair<int, int>>;

const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// Pane (0, 0, 527 x 327), default 20-pixel bands and 7-pixel margin: plot (20, 0, 500 x 300), so
// left 20, right 519, top 0, bottom 299. Both windows [-1, 1] V, auto-scale off.
const QRect kPane(0, 0, 527, 327);
const QRect kPlot(20, 0, 500, 300);

void SetUpPane(CQVectorGraphic& g)
{
    g.SetRect(kPane);
    g.SetFixedXRange(-1.0, 1.0);
    g.SetFixedYRange(-1.0, 1.0);
    g.SetAutoScale(false, false);
    g.SetPen(0, QPen(Qt::green));
    g.SetPen(1, QPen(Qt::green));
    g.SetGridPen(QPen(Qt::darkGray));
}

QImage PaintPane(CQVectorGraphic& g)
{
    QImage image(kPane.size(), QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QPainter painter(&image);
    g.Paint(&painter, 0);
    return image;
}

Pixels PixelsOf(const QImage& image, const QRect& area, QRgb colour)
{
    Pixels pixels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                pixels.insert({x, y});
    return pixels;
}

// The pixel of an (I, Q) pair in the [-1, 1] windows: the column span is right - left = 499.
std::pair<int, int> PixelOf(double i, double q)
{
    return {static_cast<int>(20 + (i + 1.0) * 499.0 / 2.0), static_cast<int>(299 + (q + 1.0) * -299.0 / 2.0)};
}
}  // namespace

TEST(VectorGraphic, CircleLandsOnPredictedPixels)
{
    CQVectorGraphic g;
    SetUpPane(g);
    std::vector<double> i(256);
    std::vector<double> q(256);
    Pixels expected;
    for (size_t k = 0; k < i.size(); ++k)
    {
        const double a = 2.0 * M_PI * static_cast<double>(k) / 256.0;
        i[k] = 0.8 * std::cos(a);
        q[k] = 0.8 * std::sin(a);
        expected.insert(PixelOf(i[k], q[k]));
    }
    g.SetIQData(i, q);
    const QImage image = PaintPane(g);
    // Exactly the predicted points, nothing else in the trace colour.
    EXPECT_EQ(PixelsOf(image, kPlot, kGreen), expected);
    EXPECT_TRUE(PixelsOf(image, kPane, kGreen) == expected);
}

TEST(VectorGraphic, FewPointsAndLines)
{
    const std::vector<double> i = {-1.0, 0.0, 1.0};
    const std::vector<double> q = {-1.0, 0.0, 1.0};
    CQVectorGraphic g;
    SetUpPane(g);
    g.SetSamples(3);
    g.SetIQData(i, q);
    // The corners of the window land on the plot's corners, the origin on (269, 149).
    const Pixels corners = {{20, 299}, {269, 149}, {519, 0}};
    EXPECT_EQ(PixelsOf(PaintPane(g), kPane, kGreen), corners);

    // Lines mode joins them: the diagonal runs through every column from corner to corner.
    g.SetShowLines(true);
    const Pixels line = PixelsOf(PaintPane(g), kPane, kGreen);
    for (const auto& p : corners)
        EXPECT_EQ(line.count(p), 1u);
    std::set<int> columns;
    for (const auto& p : line)
        columns.insert(p.first);
    EXPECT_EQ(columns.size(), 500u);

    // One sample in lines mode is a single zero-length line: one pixel.
    g.SetSamples(1);
    EXPECT_EQ(PixelsOf(PaintPane(g), kPane, kGreen), (Pixels{{20, 299}}));
}

TEST(VectorGraphic, PicksTheHeldPairOrShowsNoData)
{
    CQVectorGraphic g;
    SetUpPane(g);
    g.SetPen(0, QPen(Qt::red));
    g.SetSamples(2);
    // Inputs shorter than N, held traces long enough: the held pair is drawn with its own pen.
    g.SetData(0, {0.0});
    g.SetData(2, {0.0});
    g.SetData(1, {0.0, 1.0});
    g.SetData(3, {0.0, 1.0});
    QImage image = PaintPane(g);
    EXPECT_EQ(PixelsOf(image, kPane, kGreen), (Pixels{PixelOf(0, 0), PixelOf(1, 1)}));
    EXPECT_TRUE(PixelsOf(image, kPane, qRgb(255, 0, 0)).empty());

    // Both pairs long enough: the input pair wins.
    g.SetData(0, {-1.0, -1.0});
    g.SetData(2, {-1.0, -1.0});
    image = PaintPane(g);
    EXPECT_EQ(PixelsOf(image, kPane, qRgb(255, 0, 0)), (Pixels{PixelOf(-1, -1)}));

    // N beyond every trace: the whole area is background with the white text.
    g.SetSamples(3);
    image = PaintPane(g);
    EXPECT_TRUE(PixelsOf(image, kPane, kGreen).empty());
    EXPECT_TRUE(PixelsOf(image, kPane, QColor(Qt::darkBlue).rgb()).empty());
    EXPECT_FALSE(PixelsOf(image, QRect(180, 130, 167, 67), kWhite).empty());
}

TEST(VectorGraphic, AutoScaleIsSymmetric)
{
    struct Case
    {
        std::vector<double> i, q;
        double x, y;  // expected half widths of the windows
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {{-0.5, 0.2}, {0.1, 0.4}, 0.55, 0.44},
        {{0.3, 0.9}, {-0.7, -0.1}, 0.99, 0.77},
        {{nan, 0.5}, {0.5, nan}, 0.55, 0.55},
    };
    for (const Case& c : cases)
    {
        CQVectorGraphic g;
        SetUpPane(g);
        g.SetAutoScale(true, false);
        g.SetSamples(2);
        g.SetIQData(c.i, c.q);
        PaintPane(g);
        EXPECT_NEAR(g.GetXFrom(), -c.x, 1e-12);
        EXPECT_NEAR(g.GetXTo(), c.x, 1e-12);
        EXPECT_NEAR(g.GetYFrom(), -c.y, 1e-12);
        EXPECT_NEAR(g.GetYTo(), c.y, 1e-12);
        // The limits are left alone.
        EXPECT_DOUBLE_EQ(g.GetXMin(), -1.0);
        EXPECT_DOUBLE_EQ(g.GetYMax(), 1.0);
    }

    // All samples zero give a zero-width window; the points still land, on the centre.
    CQVectorGraphic g;
    SetUpPane(g);
    g.SetAutoScale(true, false);
    g.SetSamples(2);
    g.SetIQData({0.0, 0.0}, {0.0, 0.0});
    const QImage image = PaintPane(g);
    EXPECT_EQ(g.GetXFrom(), g.GetXTo());
    EXPECT_EQ(PixelsOf(image, kPane, kGreen), (Pixels{{269, 149}}));
}

TEST(VectorGraphic, AxesAndUnitsAreVolts)
{
    CQVectorGraphic g;
    EXPECT_TRUE(g.IsXFixed());
    EXPECT_TRUE(g.IsYFixed());
    EXPECT_FALSE(g.IsYZoomed());
    EXPECT_EQ(g.GetTraceCount(), 4);
    EXPECT_EQ(g.GetXDecimalsCode(), 3);
    double scale = 1.0;
    EXPECT_EQ(g.GetXUnit(0.5, scale), QString("mV"));
    EXPECT_DOUBLE_EQ(scale, 1000.0);
    scale = 1.0;
    EXPECT_EQ(g.GetXUnit(1e-6, scale), QString("uV"));
    g.SetSamples(-4);
    EXPECT_EQ(g.GetSamples(), 0);
}

TEST(VectorGraphic, PayloadRoundTripAndDamage)
{
    CQVectorGraphic source;
    SetUpPane(source);
    source.SetIQData({0.1, 0.2}, {0.3, 0.4});
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        source.SaveInputData(out);
    }
    CQVectorGraphic target;
    SetUpPane(target);
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QDataStream in(&buffer);
        target.LoadData(in);
        ASSERT_EQ(in.status(), QDataStream::Ok);
    }
    EXPECT_EQ(*target.GetData(1), std::vector<double>({0.1, 0.2}));
    EXPECT_EQ(*target.GetData(3), std::vector<double>({0.3, 0.4}));
    // The loaded pair is what the pane now draws (N = 2).
    target.SetSamples(2);
    EXPECT_EQ(PixelsOf(PaintPane(target), kPane, kGreen), (Pixels{PixelOf(0.1, 0.3), PixelOf(0.2, 0.4)}));

    // Every truncation of the payload is refused and changes nothing.
    for (int cut = 0; cut < bytes.size(); ++cut)
    {
        CQVectorGraphic g;
        SetUpPane(g);
        g.SetData(1, {0.5});
        QByteArray part = bytes.left(cut);
        QBuffer buffer(&part);
        buffer.open(QIODevice::ReadOnly);
        QDataStream in(&buffer);
        g.LoadData(in);
        EXPECT_NE(in.status(), QDataStream::Ok) << cut;
        EXPECT_EQ(*g.GetData(1), std::vector<double>({0.5})) << cut;
        EXPECT_TRUE(g.GetData(3)->empty()) << cut;
        EXPECT_EQ(g.GetDataOperation(), 0) << cut;
        EXPECT_DOUBLE_EQ(g.GetXFrom(), -1.0) << cut;
    }
}
