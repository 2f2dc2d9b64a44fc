// What a view draws over its panes and the readout texts: frequency at a pixel (from the device's
// frequency table or linear, plus the converter offset), the cursor and delta-cursor readouts per
// pane kind, the caption's blinking, the trigger line's row, the readout box flipping at the plot's
// edges, and nothing pointer-bound while the window is inactive.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "testview.h"
#include "utils.h"

namespace
{
// A 447 x 327 view with one pane: plot x 40..439 (400 px), y 0..299 (300 px).
constexpr int kWidth = 447;
constexpr int kHeight = 327;
const QColor kBoxPen(Qt::lightGray);

class CPaintView : public CTestView
{
public:
    CPaintView()
    {
        for (IGraphic* pane : {static_cast<IGraphic*>(m_spec), static_cast<IGraphic*>(m_osc)})
        {
            pane->SetXAxisBand(20, 2);
            pane->SetYAxisBand(40, 3);
        }
        m_spec->SetXLimits(0.0, 1000.0, 1000.0);
        m_spec->SetYLimits(-150.0, 50.0);
        m_osc->SetXLimits(0.0, 0.01, 0.01);
        m_osc->SetYLimits(-2.0, 2.0);
        resize(kWidth, kHeight);
        ShowPane(QStringLiteral("Spec"));
        m_spec->SetXWindow(100.0, 300.0);   // 0.5 MHz per pixel
        m_spec->SetYWindow(-110.0, -50.0);  // 0.2 dB per pixel
        m_osc->SetXWindow(0.001, 0.005);    // 10 us per pixel
        m_osc->SetYWindow(-1.0, 1.0);
    }
};

class ViewPaintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_FreqOffset = 0.0;
        m_savedTable.swap(g_DeviceThread.m_FreqTable);
        view.grab();  // the panes learn their per-pixel steps from a paint
    }

    void TearDown() override
    {
        g_FreqOffset = 0.0;
        g_DeviceThread.m_FreqTable.swap(m_savedTable);
    }

    QString F(double v, int kind, int precision) { return CUtils::FormatValue(v, kind, precision); }

    CPaintView view;
    std::vector<double> m_savedTable;
};

// Pixels of exactly the box outline's colour inside `area`.
int BoxPixels(const QImage& image, QRect area)
{
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += QColor(image.pixel(x, y)) == kBoxPen ? 1 : 0;
    return n;
}

TEST_F(ViewPaintTest, FrequencyAtPixelSpreadsTheTableOverThePlotWidth)
{
    std::vector<double> table(800);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = 1000.0 + static_cast<double>(i);
    table[100] = 0.0;  // a point without a known frequency
    g_DeviceThread.m_FreqTable = table;
    const QRect plot = view.m_spec->GetPlotRect();

    struct Case
    {
        const char* name;
        int px;
        double offset;
        double freq;
    };
    const std::vector<Case> cases = {
        {"table entry 2 px x 800 / 400", 2, 0.0, 1004.0},
        {"table entry in the middle", 200, 0.0, 1400.0},
        {"zero entry falls back to the linear X", 50, 0.0, 125.0},
        {"left of the plot: linear", -4, 0.0, 98.0},
        {"past the table's end: linear", 400, 0.0, 300.0},
        {"offset added to a table entry", 200, 6000.0, 7400.0},
        {"offset added to the linear X", 50, 6000.0, 6125.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_FreqOffset = c.offset;
        EXPECT_DOUBLE_EQ(view.FreqAtPixel(view.m_spec, plot, c.px), c.freq);
    }

    g_DeviceThread.m_FreqTable.clear();
    g_FreqOffset = 0.0;
    EXPECT_DOUBLE_EQ(view.FreqAtPixel(view.m_spec, plot, 200), 200.0);
    EXPECT_DOUBLE_EQ(view.FreqAtPixel(view.m_spec, QRect(40, 0, 0, 300), 200), 200.0) << "zero-width plot";
}

TEST_F(ViewPaintTest, SpectrumReadoutsWithAndWithoutTheDeltaCursor)
{
    const int decimals = view.m_spec->GetXPrecision();
    // Pointer at column 240, row 100: 200.0 MHz, -110 + 199 x 0.2 dB.
    EXPECT_EQ(view.CursorReadoutText(view.m_spec, 240, 100),
              QStringLiteral("Cursor position\nFrequency: %1\nLevel: %2")
                  .arg(F(200.0, 2, decimals), F(-70.2, 0, 2)));

    view.m_bDeltaCursor = true;
    view.m_DeltaAnchor = QPoint(140, 200);  // 150.0 MHz, -90.2 dBm
    EXPECT_EQ(view.CursorReadoutText(view.m_spec, 240, 100),
              QStringLiteral("Delta cursor:\n from %1 to %2 = %3\n from %4 to %5 = %6")
                  .arg(F(150.0, 2, decimals), F(200.0, 2, decimals), F(50.0, 2, decimals), F(-90.2, 0, 2),
                       F(-70.2, 0, 2), F(20.0, 0, 2)));

    // The converter band shifts every frequency of the readout, not the difference.
    g_FreqOffset = 6000.0;
    EXPECT_EQ(view.CursorReadoutText(view.m_spec, 240, 100),
              QStringLiteral("Delta cursor:\n from %1 to %2 = %3\n from %4 to %5 = %6")
                  .arg(F(6150.0, 2, decimals), F(6200.0, 2, decimals), F(50.0, 2, decimals), F(-90.2, 0, 2),
                       F(-70.2, 0, 2), F(20.0, 0, 2)));
    view.m_bDeltaCursor = false;
    EXPECT_EQ(view.CursorReadoutText(view.m_spec, 240, 100),
              QStringLiteral("Cursor position\nFrequency: %1\nLevel: %2")
                  .arg(F(6200.0, 2, decimals), F(-70.2, 0, 2)));

    EXPECT_TRUE(view.CursorReadoutText(view.m_spec, 20, 100).isEmpty()) << "over the Y band";
    EXPECT_TRUE(view.CursorReadoutText(view.m_spec, 240, 310).isEmpty()) << "over the X band";
}

TEST_F(ViewPaintTest, OscillogramReadoutsGiveTheFrequencyOfTheTimeDifference)
{
    view.ShowPane(QStringLiteral("Osc"));
    view.grab();
    const double yStep = 2.0 / 300;
    // Column 240: 1 ms + 200 x 10 us = 3 ms; row 100: -1 + 199 steps.
    const double level = -1.0 + 199 * yStep;
    EXPECT_EQ(view.CursorReadoutText(view.m_osc, 240, 100),
              QStringLiteral("Time: %1\nLevel: %2").arg(F(0.003, 1, 3), F(level, 3, 3)));

    view.m_bDeltaCursor = true;
    view.m_DeltaAnchor = QPoint(190, 250);  // 2.5 ms: a period of 0.5 ms, 2 kHz
    const double anchorLevel = -1.0 + 49 * yStep;
    const QString text = view.CursorReadoutText(view.m_osc, 240, 100);
    EXPECT_EQ(text, QStringLiteral("Delta cursor:\n from %1 to %2 = %3 (%4)\n from %5 to %6 = %7")
                        .arg(F(0.0025, 1, 3), F(0.003, 1, 3), F(0.0005, 1, 3), F(0.002, 2, 2),
                             F(anchorLevel, 3, 3), F(level, 3, 3), F(level - anchorLevel, 3, 3)));
    EXPECT_TRUE(text.contains(QStringLiteral("(2.0 kHz)"))) << text.toStdString();

    // Anchor and pointer in one column: no frequency, and no division by zero.
    view.m_DeltaAnchor = QPoint(240, 250);
    EXPECT_TRUE(view.CursorReadoutText(view.m_osc, 240, 100).contains(QStringLiteral(" ()\n")));
}

TEST_F(ViewPaintTest, WaterfallReadoutsTellTheTimeOfTheRow)
{
    view.m_waterfall->SetXAxisBand(20, 2);
    view.m_waterfall->SetYAxisBand(40, 3);
    view.m_waterfall->SetXLimits(0.0, 1000.0, 1000.0);
    view.m_waterfall->SetYLimits(-150.0, 50.0);
    view.ShowPane(QStringLiteral("Waterfall"));
    view.m_waterfall->SetXWindow(100.0, 300.0);
    view.m_waterfall->SetClock([nowMs = qint64{1'700'000'000'000}]() mutable { return nowMs += 25; });
    view.m_waterfall->SetTimeScale(25);
    for (int i = 0; i < 328; ++i)
        view.AddWaterfallLine(std::vector<double>(100, -80.0));
    view.grab();
    const qint64 start = view.m_waterfall->GetWindowStart();
    const qint64 end = view.m_waterfall->GetWindowEnd();
    ASSERT_LT(start, end);
    // The pane is 327 rows high; row 299 is the plot's bottom, the window's start.
    const double msPerRow = static_cast<double>(end - start) / kHeight;
    EXPECT_DOUBLE_EQ(CViewBase::WaterfallMsPerPixel(view.m_waterfall), msPerRow);
    const qint64 at100 = start + static_cast<qint64>(199 * msPerRow);
    const qint64 at250 = start + static_cast<qint64>(49 * msPerRow);
    EXPECT_EQ(view.CursorReadoutText(view.m_waterfall, 240, 100),
              QStringLiteral("Cursor position\nFrequency: %1\nTime: %2").arg(F(200.0, 2, 2), F(at100, 4, 4)));

    view.m_bDeltaCursor = true;
    view.m_DeltaAnchor = QPoint(140, 250);
    EXPECT_EQ(view.CursorReadoutText(view.m_waterfall, 240, 100),
              QStringLiteral("Delta cursor:\n from %1 to %2 = %3\n from %4 to %5 = %6")
                  .arg(F(150.0, 2, 2), F(200.0, 2, 2), F(50.0, 2, 2), F(at250, 4, 4), F(at100, 4, 4),
                       F(at100 - at250, 5, 4)));
}

TEST(ViewCaption, IsDrawnOnSevenOfEveryEightPaints)
{
    CPaintView view;
    std::vector<int> drawn;
    for (int i = 0; i < 16; ++i)
    {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        view.DrawCaption(&painter, QStringLiteral("Caption"));
        painter.end();
        drawn.push_back(BoxPixels(image, image.rect()) > 0 ? 1 : 0);
    }
    EXPECT_EQ(drawn, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0}));
}

TEST_F(ViewPaintTest, TriggerLineSitsOnThePredictedRowAndClampsToThePlot)
{
    view.ShowPane(QStringLiteral("Osc"));
    view.EnableTrigger(true, true);
    struct Case
    {
        const char* name;
        double level;
        int row;
    };
    // Row = 299 + (level + 1) x (0 - 299) / 2, truncated: 0.5 gives 74.75.
    const std::vector<Case> cases = {
        {"inside the window", 0.5, 74},
        {"above the window", 5.0, 0},
        {"below the window", -3.0, 299},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        view.SetTriggerLevel(c.level);
        const QImage image = view.grab().toImage();
        const QColor red(Qt::red);
        EXPECT_EQ(QColor(image.pixel(60, c.row)), red);
        EXPECT_EQ(QColor(image.pixel(400, c.row)), red);
        if (c.row > 1)
        {
            EXPECT_NE(QColor(image.pixel(60, c.row - 2)), red);
        }
        if (c.row < 298)
        {
            EXPECT_NE(QColor(image.pixel(60, c.row + 2)), red);
        }
    }
}

TEST_F(ViewPaintTest, ReadoutBoxFlipsAtThePlotEdgesAndNeedsAnActiveWindow)
{
    // Inactive (never shown): no position lines, no boxes.
    QCursor::setPos(view.mapToGlobal(QPoint(240, 150)));
    EXPECT_EQ(BoxPixels(view.grab().toImage(), view.m_spec->GetPlotRect()), 0);

    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));

    struct Case
    {
        const char* name;
        QPoint pointer;
        bool right;
        bool above;
    };
    // The information box takes the plot's top right corner; the pointers keep clear of it.
    const std::vector<Case> cases = {
        {"above right of the pointer", QPoint(240, 150), true, true},
        {"near the right edge: left of it", QPoint(430, 250), false, true},
        {"near the top edge: below it", QPoint(60, 10), true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        QCursor::setPos(view.mapToGlobal(c.pointer));
        const QImage image = view.grab().toImage();
        const QPoint p = c.pointer;
        const QRect plot = view.m_spec->GetPlotRect();
        const int rightAbove = BoxPixels(image, QRect(p.x() + 4, p.y() - 70, 150, 66) & plot);
        const int leftAbove = BoxPixels(image, QRect(p.x() - 154, p.y() - 70, 150, 66) & plot);
        const int rightBelow = BoxPixels(image, QRect(p.x() + 4, p.y() + 4, 150, 66) & plot);
        const int leftBelow = BoxPixels(image, QRect(p.x() - 154, p.y() + 4, 150, 66) & plot);
        EXPECT_EQ(rightAbove > 0, c.right && c.above);
        EXPECT_EQ(leftAbove > 0, !c.right && c.above);
        EXPECT_EQ(rightBelow > 0, c.right && !c.above);
        EXPECT_EQ(leftBelow > 0, !c.right && !c.above);
    }
}

TEST_F(ViewPaintTest, AxisHighlightLightsTheYCellUnderThePointer)
{
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    QCursor::setPos(view.mapToGlobal(QPoint(20, 50)));  // top Y cell
    const QImage top = view.grab().toImage();
    QCursor::setPos(view.mapToGlobal(QPoint(20, 250)));  // bottom Y cell
    const QImage bottom = view.grab().toImage();
    // Column 1 of the band carries no label text.
    EXPECT_NE(top.pixel(1, 50), top.pixel(1, 250));
    EXPECT_EQ(top.pixel(1, 250), bottom.pixel(1, 50));
    EXPECT_EQ(bottom.pixel(1, 250), top.pixel(1, 50));
}
}  // namespace
