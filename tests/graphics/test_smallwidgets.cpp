// The small widgets the windows share: the numeric tree row sorted in a real tree, the slider's
// press, the histogram painted into a QImage (segments, value text, scroll strip) with its drag,
// resize and AutoFit rules, and the video picture read from a fake engine.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QResizeEvent>
#include <QSlider>
#include <QStringList>
#include <QTreeWidget>
#include <QVariant>
#include <QtTest/QTest>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "devicethread.h"
#include "doubletreewidgetitem.h"
#include "fakevideoengine.h"
#include "globals.h"
#include "histogramwidget.h"
#include "ivideoengine.h"
#include "slider.h"
#include "videowidget.h"

namespace
{
const QRgb kMarker = qRgb(255, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kDim = qRgb(0, 21, 21);

// Only what the widget paints itself, over a colour it never uses.
QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(kMarker);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// Text is white, blended at its edges into black or a segment colour: light in all three channels.
int TextPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
        {
            const QRgb p = image.pixel(x, y);
            count += qRed(p) > 60 && qGreen(p) > 60 && qBlue(p) > 60 ? 1 : 0;
        }
    return count;
}

int CountOf(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// Rows of a column holding the colour, top to bottom.
std::vector<int> RowsOf(const QImage& image, int x, QRgb colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == colour)
            rows.push_back(y);
    return rows;
}

// ---- numeric tree item -------------------------------------------------------------------------

CQDoubleTreeWidgetItem* Row(QTreeWidget& tree, const QString& text, const QVariant& value, int column = 1)
{
    auto* item = new CQDoubleTreeWidgetItem(&tree);
    item->setText(0, text);
    item->setText(column, text);
    if (value.isValid())
        item->setData(column, Qt::UserRole, value);
    return item;
}

QStringList Order(const QTreeWidget& tree)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(0);
    return texts;
}
}  // namespace

TEST(DoubleTreeWidgetItem, TreeSortsTheSortColumnByRoleValues)
{
    QTreeWidget tree;
    tree.setColumnCount(2);
    // Texts sort the other way round; column 0 carries values that would give yet another order.
    CQDoubleTreeWidgetItem* a = Row(tree, QStringLiteral("100"), 20.0);
    CQDoubleTreeWidgetItem* b = Row(tree, QStringLiteral("20"), 100.0);
    CQDoubleTreeWidgetItem* c = Row(tree, QStringLiteral("5"), 300.5);
    CQDoubleTreeWidgetItem* d = Row(tree, QStringLiteral("3"), -7.25);
    a->setData(0, Qt::UserRole, 4.0);
    b->setData(0, Qt::UserRole, 1.0);
    c->setData(0, Qt::UserRole, 3.0);
    d->setData(0, Qt::UserRole, 2.0);

    tree.sortItems(1, Qt::AscendingOrder);
    EXPECT_EQ(Order(tree), QStringList({"3", "100", "20", "5"}));
    tree.sortItems(1, Qt::DescendingOrder);
    EXPECT_EQ(Order(tree), QStringList({"5", "20", "100", "3"}));
    tree.sortItems(0, Qt::AscendingOrder);
    EXPECT_EQ(Order(tree), QStringList({"20", "3", "5", "100"}));
}

TEST(DoubleTreeWidgetItem, TextsDecideUnlessBothCellsHoldAValue)
{
    // Each case: two rows; the expected order is by text only when a value is missing, and a value
    // that is no number counts as 0.0.
    struct Case
    {
        const char* name;
        const char* firstText;
        QVariant firstValue;
        const char* secondText;
        QVariant secondValue;
        QStringList ascending;
    };
    const Case cases[] = {
        {"one side without a value", "b", -5.0, "a", QVariant(), {"a", "b"}},
        {"a null value", "b", -5.0, "a", QVariant(QVariant::Double), {"a", "b"}},
        {"a null string", "b", -5.0, "a", QVariant(QString()), {"a", "b"}},
        {"both values", "b", -5.0, "a", 1.0, {"b", "a"}},
        {"texts compare case-sensitively", "a", QVariant(), "B", QVariant(), {"B", "a"}},
        {"no number counts as zero", "z", QStringLiteral("high"), "a", 0.5, {"z", "a"}},
        {"no number below a positive one", "a", 0.5, "z", QStringLiteral("high"), {"z", "a"}},
        {"no number above a negative one", "a", QStringLiteral("high"), "z", -0.5, {"z", "a"}},
        {"numeric text values", "x", QStringLiteral("100"), "y", QStringLiteral("20"), {"y", "x"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        QTreeWidget tree;
        tree.setColumnCount(2);
        Row(tree, QString::fromLatin1(c.firstText), c.firstValue);
        Row(tree, QString::fromLatin1(c.secondText), c.secondValue);
        tree.sortItems(1, Qt::AscendingOrder);
        EXPECT_EQ(Order(tree), c.ascending);
    }
}

TEST(DoubleTreeWidgetItem, ItemsOutsideATreeCompareByTheFirstColumn)
{
    CQDoubleTreeWidgetItem a(QStringList({"a", "x"}));
    CQDoubleTreeWidgetItem b(QStringList({"b", "y"}));
    a.setData(0, Qt::UserRole, 100.0);
    b.setData(0, Qt::UserRole, 20.0);
    a.setData(1, Qt::UserRole, 1.0);
    b.setData(1, Qt::UserRole, 2.0);
    EXPECT_TRUE(b < a);
    EXPECT_FALSE(a < b);

    // A child row of a detached parent is outside any tree as well.
    CQDoubleTreeWidgetItem parent;
    auto* child = new CQDoubleTreeWidgetItem(&parent);
    child->setData(0, Qt::UserRole, 5.0);
    child->setData(1, Qt::UserRole, 50.0);
    EXPECT_TRUE(*child < b);
    EXPECT_FALSE(b < *child);
}

// ---- slider ------------------------------------------------------------------------------------

TEST(Slider, PressOnTheGrooveStepsAsAPlainSliderDoes)
{
    CSlider slider;
    QSlider plain;
    for (QSlider* s : {static_cast<QSlider*>(&slider), &plain})
    {
        s->setOrientation(Qt::Horizontal);
        s->setRange(0, 100);
        s->setPageStep(10);
        s->setValue(50);
        s->resize(300, 24);
    }
    EXPECT_TRUE(slider.m_strText1.isEmpty());
    EXPECT_TRUE(slider.m_strText2.isEmpty());

    for (int x : {290, 290, 5})
    {
        const int before = plain.value();
        QTest::mouseClick(&plain, Qt::LeftButton, Qt::NoModifier, QPoint(x, 12));
        QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 12));
        EXPECT_NE(plain.value(), before) << "the click at " << x << " missed the groove";
        EXPECT_EQ(slider.value(), plain.value()) << "click at " << x;
    }
    EXPECT_EQ(slider.value(), 60);
}

// ---- histogram ---------------------------------------------------------------------------------

namespace
{
void SetBars(CQHistogramWidget& h, const std::vector<double>& levels)
{
    h.m_Bars.clear();
    for (size_t i = 0; i < levels.size(); ++i)
        h.m_Bars.push_back({QStringLiteral("B%1").arg(i), levels[i]});
}

void Move(QWidget& w, int x, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(x, 50), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void Resize(QWidget& w, int oldWidth, int newWidth)
{
    QResizeEvent event(QSize(newWidth, 200), QSize(oldWidth, oldWidth < 0 ? -1 : 200));
    QApplication::sendEvent(&w, &event);
}
}  // namespace

TEST(HistogramWidget, WithoutRealBarsOnlyBlackAndAutoFitFromThirty)
{
    struct Case
    {
        const char* name;
        std::vector<double> levels;
        double lower;  // after AutoFit from -120 .. -60
    };
    const Case cases[] = {
        {"no bars", {}, 29.0},
        {"only levels at or below -170", {-170.0, -200.0, -1e300}, 29.0},
        {"a NaN level is no level", {std::nan("")}, 29.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CQHistogramWidget h;
        h.resize(200, 120);
        SetBars(h, c.levels);
        const QImage image = Render(h);
        EXPECT_EQ(CountOf(image, image.rect(), kBlack), 200 * 120);
        h.AutoFit();
        EXPECT_EQ(h.m_dLowerLevel, c.lower);
        EXPECT_EQ(h.m_dUpperLevel, c.lower + 60.0);
    }
}

TEST(HistogramWidget, AutoFitKeepsTheSpanBelowTheLowestRealBar)
{
    struct Case
    {
        std::vector<double> levels;
        double lower;
    };
    const Case cases[] = {
        {{35.0, 30.0}, 29.0},           // at or above 30 does not count
        {{-80.0, -90.5, 40.0}, -91.5},  // the lowest real one
        {{-169.5, -170.0}, -170.5},     // just above the no-level mark
        {{12.0}, 11.0},
    };
    for (const Case& c : cases)
    {
        CQHistogramWidget h;
        h.m_dLowerLevel = -100.0;
        h.m_dUpperLevel = -75.0;
        SetBars(h, c.levels);
        h.AutoFit();
        EXPECT_EQ(h.m_dLowerLevel, c.lower);
        EXPECT_EQ(h.m_dUpperLevel, c.lower + 25.0);
    }
}

TEST(HistogramWidget, FullBarLightsUpToTheValueRoomAndDimsAbove)
{
    // 300 x 240, two bars: width (300 + 7 - 14 - 20) / 2 = 136, the value room 136 / 3 = 45 high, so
    // lit segments stop at row 45 + 10 = 55. Bar 0 (columns 10 .. 145) at the upper level reaches
    // above the widget and turns red; bar 1 (columns 153 .. 288) stands halfway and stays cyan.
    CQHistogramWidget h;
    h.resize(300, 240);
    SetBars(h, {-60.0, -90.0});
    const QImage image = Render(h);

    const int litEdge = 55;
    const std::vector<int> red = RowsOf(image, 12, kRed);
    ASSERT_FALSE(red.empty());
    EXPECT_GT(red.front(), litEdge);
    EXPECT_LE(red.front(), litEdge + 3);
    const std::vector<int> dim = RowsOf(image, 12, kDim);
    ASSERT_FALSE(dim.empty());
    EXPECT_GT(dim.front(), 10);  // nothing in the top margin
    EXPECT_LE(dim.front(), 13);
    EXPECT_LE(dim.back(), litEdge + 1);  // dim only above the lit segments
    EXPECT_EQ(RowsOf(image, 12, kCyan), std::vector<int>());
    // Segments are 2 rows lit, 1 row gap, the same pattern in every column of the bar.
    for (size_t i = 1; i < red.size(); i += 2)
        EXPECT_EQ(red[i], red[i - 1] + 1);
    for (int x : {10, 40, 145})
        EXPECT_EQ(RowsOf(image, x, kRed), red) << "column " << x;
    EXPECT_EQ(RowsOf(image, 9, kRed), std::vector<int>());
    EXPECT_EQ(RowsOf(image, 146, kRed), std::vector<int>());
    EXPECT_EQ(CountOf(image, QRect(0, 0, 300, 11), kBlack), 300 * 11);

    const std::vector<int> cyan = RowsOf(image, 155, kCyan);
    ASSERT_FALSE(cyan.empty());
    EXPECT_GT(cyan.front(), litEdge + 20);  // halfway down, not up to the value room
    const std::vector<int> dimCyan = RowsOf(image, 155, kDim);
    ASSERT_FALSE(dimCyan.empty());
    EXPECT_LT(dimCyan.back(), cyan.front());
    EXPECT_EQ(RowsOf(image, 155, kRed), std::vector<int>());
    EXPECT_EQ(red.back(), cyan.back());  // both rise from the same bottom line
}

TEST(HistogramWidget, ValueTextSitsJustAboveTheLitSegments)
{
    CQHistogramWidget h;
    h.resize(300, 240);
    SetBars(h, {-60.0, -90.0});
    const QImage withValues = Render(h);
    h.m_bShowValues = false;
    const QImage without = Render(h);

    // Bar 0: the value room is rows 10 .. 54; bar 1 is lit from about row 120 down, its value above.
    const QRect fullBarValue(10, 10, 136, 45);
    EXPECT_GT(TextPixels(withValues, fullBarValue), 10);
    EXPECT_EQ(TextPixels(without, fullBarValue), 0);
    const std::vector<int> cyan = RowsOf(without, 155, kCyan);
    ASSERT_FALSE(cyan.empty());
    const QRect halfBarValue(153, cyan.front() - 48, 136, 48);
    EXPECT_GT(TextPixels(withValues, halfBarValue), 10);
    EXPECT_EQ(TextPixels(without, halfBarValue), 0);
    // The labels under the bars, the strip and all below the lit segments are the same either way.
    EXPECT_EQ(withValues.copy(0, cyan.front(), 300, 240 - cyan.front()),
              without.copy(0, cyan.front(), 300, 240 - cyan.front()));
    EXPECT_GT(TextPixels(without, QRect(0, 190, 300, 40)), 10);
}

TEST(HistogramWidget, ScrollStripShowsTheVisibleShareOfTheBars)
{
    // 20 bars at the minimum width 35: content 10 + 20 x 42 = 850 pixels in a 300-pixel widget.
    CQHistogramWidget h;
    h.resize(300, 200);
    SetBars(h, std::vector<double>(20, -90.0));
    QImage image = Render(h);
    ASSERT_EQ(h.m_nContentWidth, 850);

    // Outline on the strip's outer pixels (rows 190 .. 199), the thumb from column 2, rows 192 .. 198,
    // 300 x 300 / 850 = 105.9 wide.
    EXPECT_EQ(CountOf(image, QRect(0, 190, 300, 1), kWhite), 300);
    EXPECT_EQ(CountOf(image, QRect(0, 199, 300, 1), kWhite), 300);
    EXPECT_EQ(CountOf(image, QRect(0, 190, 1, 10), kWhite), 10);
    EXPECT_EQ(CountOf(image, QRect(299, 190, 1, 10), kWhite), 10);
    EXPECT_EQ(CountOf(image, QRect(1, 191, 298, 1), kBlack), 298);
    EXPECT_EQ(CountOf(image, QRect(2, 192, 104, 7), kWhite), 104 * 7);
    EXPECT_EQ(CountOf(image, QRect(1, 192, 1, 7), kBlack), 7);
    EXPECT_EQ(CountOf(image, QRect(109, 192, 190, 7), kBlack), 190 * 7);
    const std::vector<int> dimRows = RowsOf(image, 10, kDim);

    // Scrolled by 200: the bars move left, the strip stays, the thumb moves by 200 x 300 / 850.
    h.m_nScrollOffset = 200;
    image = Render(h);
    EXPECT_EQ(CountOf(image, QRect(0, 190, 300, 1), kWhite), 300);
    EXPECT_EQ(CountOf(image, QRect(0, 190, 1, 10), kWhite), 10);
    EXPECT_EQ(CountOf(image, QRect(2, 192, 70, 7), kBlack), 70 * 7);
    EXPECT_EQ(CountOf(image, QRect(74, 192, 104, 7), kWhite), 104 * 7);
    // Bar 5 starts at 10 + 5 x 42 - 200 = 20; the gap before it is black.
    EXPECT_EQ(RowsOf(image, 20, kDim), dimRows);
    EXPECT_EQ(CountOf(image, QRect(13, 0, 7, 185), kBlack), 7 * 185);
    EXPECT_EQ(h.m_nScrollOffset, 200);

    // Bars that fit (two of 136 pixels: content 296) bring the offset back to 0; with the offset
    // kept they would be out of sight, and no drag could bring them back.
    SetBars(h, {-90.0, -80.0});
    Render(h);
    EXPECT_EQ(h.m_nScrollOffset, 0);
}

TEST(HistogramWidget, ScrollThumbStaysInsideTheStrip)
{
    const QRect strip(0, 190, 300, 10);
    struct Case
    {
        const char* name;
        int widgetWidth;
        int content;
        int offset;
        QRectF thumb;
    };
    const Case cases[] = {
        {"share of the content", 300, 600, 150, QRectF(77.0, 192.0, 150.0, 7.0)},
        {"all in view", 300, 200, 0, QRectF(2.0, 192.0, 296.0, 7.0)},
        {"as wide as the strip", 300, 300, 0, QRectF(2.0, 192.0, 297.0, 7.0)},
        {"past the right edge", 300, 600, 300, QRectF(152.0, 192.0, 147.0, 7.0)},
        {"negative width", 300, -600, 0, QRectF(2.0, 192.0, 1.0, 7.0)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QRectF thumb = CQHistogramWidget::ScrollThumb(strip, c.widgetWidth, c.content, c.offset);
        EXPECT_DOUBLE_EQ(thumb.left(), c.thumb.left());
        EXPECT_DOUBLE_EQ(thumb.top(), c.thumb.top());
        EXPECT_DOUBLE_EQ(thumb.width(), c.thumb.width());
        EXPECT_DOUBLE_EQ(thumb.height(), c.thumb.height());
    }
}

TEST(HistogramWidget, DragRefusesStepsOutsideTheBarsButFollowsThePointer)
{
    CQHistogramWidget h;
    h.resize(300, 200);
    SetBars(h, std::vector<double>(20, -90.0));
    Render(h);  // content 850
    ASSERT_EQ(h.m_nContentWidth, 850);

    struct Step
    {
        int x;
        Qt::MouseButtons buttons;
        int offset;
    };
    const Step steps[] = {
        {150, Qt::NoButton, 0},        // hover only
        {160, Qt::LeftButton, 0},      // would be -10: refused
        {100, Qt::LeftButton, 60},     // from 160, not from 150
        {-400, Qt::LeftButton, 60},    // 560 leaves 290 < 300: refused
        {-890, Qt::LeftButton, 550},   // from -400: 550 leaves exactly 300
        {-1540, Qt::LeftButton, 550},  // 1200 is past the last bar: refused
        {-1530, Qt::LeftButton, 540},  // from -1540
        {-1600, Qt::NoButton, 540},    // no button, no scroll
        {-1590, Qt::LeftButton, 530},
    };
    for (const Step& s : steps)
    {
        Move(h, s.x, s.buttons);
        EXPECT_EQ(h.m_nScrollOffset, s.offset) << "move to " << s.x;
    }
    EXPECT_EQ(h.cursor().shape(), Qt::OpenHandCursor);

    h.resize(900, 200);
    Move(h, 0, Qt::NoButton);
    EXPECT_EQ(h.cursor().shape(), Qt::ArrowCursor);
}

TEST(HistogramWidget, GrowingGivesBackScrolledPixels)
{
    CQHistogramWidget h;
    h.m_nScrollOffset = 100;
    Resize(h, -1, 300);  // the first size is no growth
    EXPECT_EQ(h.m_nScrollOffset, 100);
    Resize(h, 300, 340);
    EXPECT_EQ(h.m_nScrollOffset, 60);
    Resize(h, 340, 300);
    EXPECT_EQ(h.m_nScrollOffset, 60);
    Resize(h, 300, 400);
    EXPECT_EQ(h.m_nScrollOffset, 0);

    h.m_nScrollOffset = 80;
    h.Reset();
    EXPECT_EQ(h.m_nScrollOffset, 0);
}

TEST(HistogramWidget, DegenerateLevelsStillDraw)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* name;
        double lower;
        double upper;
        std::vector<double> levels;
    };
    const Case cases[] = {
        {"equal lower and upper levels", -80.0, -80.0, {-80.0, -50.0, -100.0}},
        {"infinite bar levels", -120.0, -60.0, {inf, inf, inf}},
        {"huge bar levels", -120.0, -60.0, {1e300, 1e300, 1e300}},
        {"infinite limits", -inf, inf, {-80.0, -50.0, -100.0}},
        {"NaN limits", std::nan(""), std::nan(""), {-80.0, -50.0, -100.0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CQHistogramWidget h;
        h.resize(400, 200);
        h.m_dLowerLevel = c.lower;
        h.m_dUpperLevel = c.upper;
        SetBars(h, c.levels);
        const QImage image = Render(h);
        // Three bars of (400 + 7 - 21 - 20) / 3 = 122 at 10, 139 and 268: all the same length.
        int lit = -1;
        for (int x : {10, 139, 268})
        {
            const int count =
                CountOf(image, QRect(x, 0, 1, 200), kCyan) + CountOf(image, QRect(x, 0, 1, 200), kRed);
            EXPECT_GT(count, 0) << "bar at " << x;
            if (lit >= 0)
            {
                EXPECT_EQ(count, lit) << "bar at " << x;
            }
            lit = count;
        }
    }
}

// ---- video -------------------------------------------------------------------------------------

namespace
{
// The device thread's engine for the length of a test.
class CDeviceVideoEngine
{
public:
    explicit CDeviceVideoEngine(IVideoEngine* engine) : m_saved(g_DeviceThread.m_pVideoEngine)
    {
        g_DeviceThread.m_pVideoEngine = engine;
    }
    ~CDeviceVideoEngine() { g_DeviceThread.m_pVideoEngine = m_saved; }

private:
    IVideoEngine* m_saved;
};
}  // namespace

TEST(VideoWidget, GreyIsTheLowByteOf255MinusTheValue)
{
    struct Pixel
    {
        int value;
        int grey;
    };
    // 4 x 3 frame, row by row.
    const Pixel pixels[] = {
        {0, 255},   {255, 0}, {300, 211}, {-1, 0},        {256, 255},   {-300, 43},
        {128, 127}, {1, 254}, {511, 0},   {INT_MIN, 255}, {INT_MAX, 0}, {-256, 255},
    };
    std::vector<int> values;
    for (const Pixel& p : pixels)
        values.push_back(p.value);
    CFakeVideoEngine engine(4, 3, values);
    CQVideoWidget widget;
    widget.SetEngine(&engine);
    widget.resize(120, 60);  // picture 80 x 60: 20 x 20 per frame pixel
    const QImage image = Render(widget);

    for (int i = 0; i < 12; ++i)
    {
        const int x = 20 * (i % 4);
        const int y = 20 * (i / 4);
        const int g = pixels[i].grey;
        EXPECT_EQ(CountOf(image, QRect(x, y, 20, 20), qRgb(g, g, g)), 400) << "value " << pixels[i].value;
    }
    EXPECT_EQ(CountOf(image, QRect(80, 0, 40, 60), kMarker), 40 * 60);
}

TEST(VideoWidget, PictureIsFourToThreeAtTheWidgetHeight)
{
    struct Case
    {
        int columns;
        int rows;
        int height;
        int width;  // int(int(rows x 4 / 3) x height / rows)
    };
    const Case cases[] = {
        {4, 3, 60, 80},       {10, 7, 70, 90},                        // int(9.33) = 9 columns of 10 pixels
        {768, 576, 300, 400}, {256, 300, 150, 200}, {50, 1, 90, 90},  // one line: int(1.33) = 1
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.columns << " x " << c.rows << " at " << c.height);
        CFakeVideoEngine engine(c.columns, c.rows);  // all 0: white
        CQVideoWidget widget;
        widget.SetEngine(&engine);
        widget.resize(c.width + 30, c.height);
        const QImage image = Render(widget);
        EXPECT_EQ(CountOf(image, QRect(0, 0, c.width, c.height), kWhite), c.width * c.height);
        EXPECT_EQ(CountOf(image, QRect(c.width, 0, 30, c.height), kMarker), 30 * c.height);
    }
}

TEST(VideoWidget, EmptyFrameDrawsNothing)
{
    const std::pair<int, int> sizes[] = {{0, 300}, {256, 0}, {0, 0}, {-4, 300}, {256, -1}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        CFakeVideoEngine engine(size.first, size.second);
        CQVideoWidget widget;
        widget.SetEngine(&engine);
        widget.resize(160, 120);
        const QImage image = Render(widget);
        EXPECT_EQ(CountOf(image, image.rect(), kMarker), 160 * 120);
        EXPECT_EQ(engine.m_reads, 0);
    }
}

TEST(VideoWidget, ReadsTheDeviceEngineUntilOneIsSetAndShowsErrorWithoutAny)
{
    CFakeVideoEngine device(4, 3, std::vector<int>(12, 255));  // black picture
    CFakeVideoEngine own(4, 3);                                // white picture
    CQVideoWidget widget;
    widget.resize(160, 60);
    {
        CDeviceVideoEngine bound(&device);
        const QImage image = Render(widget);
        EXPECT_EQ(CountOf(image, QRect(0, 0, 80, 60), kBlack), 80 * 60);
        EXPECT_EQ(device.m_reads, 12);

        widget.SetEngine(&own);
        EXPECT_EQ(CountOf(Render(widget), QRect(0, 0, 80, 60), kWhite), 80 * 60);
        EXPECT_EQ(device.m_reads, 12);
    }

    CDeviceVideoEngine none(nullptr);
    widget.SetEngine(nullptr);
    const QImage image = Render(widget);
    // Black everywhere but the white text in the middle.
    EXPECT_GT(TextPixels(image, QRect(40, 15, 80, 30)), 10);
    EXPECT_EQ(CountOf(image, image.rect(), kMarker), 0);
    EXPECT_EQ(CountOf(image, QRect(0, 0, 160, 10), kBlack), 160 * 10);
    EXPECT_EQ(CountOf(image, QRect(0, 0, 30, 60), kBlack), 30 * 60);
    EXPECT_EQ(CountOf(image, QRect(130, 0, 30, 60), kBlack), 30 * 60);
}
