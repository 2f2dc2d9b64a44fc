// The two level labels drawn into a QImage: the memory window's sample bars (trace building from
// wide blocks and from a short buffer, the range, the red frame and the green bars) and the spectrum
// dialog's picture (bins clamped to the floor and the top edge, the second array's red line, and the
// diagnostic records printed instead of levels).

#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "globals.h"
#include "label.h"
#include "label2.h"

namespace
{
const QRgb kBackground = qRgb(255, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);

// Only what the widget paints itself, over a colour it never uses.
QImage Render(QWidget& widget, QRgb background)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(background);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

int CountOf(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// The highest green row of a column, or -1 when the column has no green.
int GreenTop(const QImage& image, int x)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == kGreen)
            return y;
    return -1;
}
}  // namespace

TEST(Label, WideTraceTakesBlockMaximaOfTheGivenSamplesOnly)
{
    // Sample 77 of each block of 256 is 1000 + block, every other sample -5.
    struct Case
    {
        const char* name;
        int allocated;  // exactly this many samples exist, so an over-read is caught by the sanitizer
        int byteCount;
        int blocksWithData;
        int minimum;
        int maximum;
    };
    const Case cases[] = {
        {"no bytes", 1, 0, 0, -10000, -10000},
        {"one sample", 1, 2, 1, -10000, -5},
        {"odd byte count drops the half sample", 3 * 256 + 10, 2 * (3 * 256 + 10) + 1, 4, -10000, 1002},
        {"fewer bytes than the buffer holds", 600, 2 * 300, 2, -10000, 1000},
        {"full memory window", 599 * 256, 2 * 599 * 256, 599, 1000, 1598},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::unique_ptr<short[]> samples(new short[static_cast<size_t>(c.allocated)]);
        for (int i = 0; i < c.allocated; ++i)
            samples[static_cast<size_t>(i)] = static_cast<short>(i % 256 == 77 ? 1000 + i / 256 : -5);
        if (c.allocated > c.byteCount / 2)
            samples[static_cast<size_t>(c.allocated - 1)] = 30000;  // beyond byteCount: must not count

        CLabel label;
        label.SetData(true, samples.get(), c.byteCount);
        const std::vector<int>& trace = label.GetTrace();
        ASSERT_EQ(trace.size(), 599u);
        const int sampleCount = c.byteCount / 2;
        for (int j = 0; j < 599; ++j)
        {
            int expected = -10000;
            if (j < c.blocksWithData)
                expected = sampleCount > j * 256 + 77 ? 1000 + j : -5;
            ASSERT_EQ(trace[static_cast<size_t>(j)], expected) << "point " << j;
        }
        EXPECT_EQ(label.GetMinimum(), c.minimum);
        EXPECT_EQ(label.GetMaximum(), c.maximum);
        EXPECT_EQ(label.GetTop(), std::max(c.maximum, c.minimum + 600));
    }
}

TEST(Label, WideWithoutBytesIsAllMissing)
{
    const short unused = 5;
    CLabel label;
    label.SetData(true, &unused, 0);
    EXPECT_EQ(label.GetTrace(), std::vector<int>(599, -10000));
    EXPECT_EQ(label.GetMinimum(), -10000);
    EXPECT_EQ(label.GetMaximum(), -10000);
    EXPECT_EQ(label.GetTop(), -9400);
}

TEST(Label, NarrowShortBufferIsReadOnlyAsFarAsItGoes)
{
    const int count = 100;
    std::unique_ptr<short[]> samples(new short[count]);  // exactly 100: no slack for an over-read
    for (int i = 0; i < count; ++i)
        samples[static_cast<size_t>(i)] = static_cast<short>(10 * i - 300);

    CLabel label;
    label.SetData(false, samples.get(), 2 * count);
    const std::vector<int>& trace = label.GetTrace();
    ASSERT_EQ(trace.size(), 256u);
    for (int j = 0; j < 256; ++j)
        ASSERT_EQ(trace[static_cast<size_t>(j)], j < count ? 10 * j - 300 : -10000) << "point " << j;
    EXPECT_EQ(label.GetMinimum(), -10000);
    EXPECT_EQ(label.GetMaximum(), 690);
    EXPECT_EQ(label.GetTop(), 690);

    // A new call replaces the whole trace, including points an earlier call filled.
    std::unique_ptr<short[]> one(new short[1]);
    one[0] = 42;
    label.SetData(false, one.get(), 2);
    EXPECT_EQ(label.GetTrace()[0], 42);
    EXPECT_EQ(label.GetTrace()[1], -10000);
    EXPECT_EQ(label.GetMaximum(), 42);
}

TEST(Label, PaintsNothingBeforeTheFirstSamples)
{
    CLabel label;
    label.setText(QStringLiteral("MEMORY"));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(palette);
    label.resize(120, 40);
    const QRect all(0, 0, 120, 40);
    EXPECT_EQ(CountOf(Render(label, kBackground), all, kBackground), 120 * 40);

    label.SetData(false, nullptr, 512);  // still no samples
    EXPECT_EQ(CountOf(Render(label, kBackground), all, kBackground), 120 * 40);

    std::vector<short> samples(256, 7);
    label.SetData(false, samples.data(), 512);
    EXPECT_LT(CountOf(Render(label, kBackground), all, kBackground), 120 * 40);
}

TEST(Label, FlatTraceDrawsOnlyTheBottomLineInsideTheRedFrame)
{
    const int w = 263;
    const int h = 60;
    for (short v : {short(-5000), short(0), short(123)})
    {
        SCOPED_TRACE(v);
        std::vector<short> samples(256, v);
        CLabel label;
        label.resize(w, h);
        label.SetData(false, samples.data(), 512);
        EXPECT_EQ(label.GetMinimum(), v);
        EXPECT_EQ(label.GetMaximum(), v);
        EXPECT_EQ(label.GetTop(), v + 600);

        const QImage image = Render(label, kBlack);
        // Frame on the outermost pixels.
        EXPECT_EQ(CountOf(image, QRect(0, 0, w, 1), kRed), w);
        EXPECT_EQ(CountOf(image, QRect(0, h - 1, w, 1), kRed), w);
        EXPECT_EQ(CountOf(image, QRect(0, 0, 1, h), kRed), h);
        EXPECT_EQ(CountOf(image, QRect(w - 1, 0, 1, h), kRed), h);
        // Zero-height bars: green on the bottom line h - 2 only, over the inner width.
        EXPECT_EQ(CountOf(image, QRect(1, 1, w - 2, h - 3), kGreen), 0);
        EXPECT_GE(CountOf(image, QRect(1, h - 2, w - 2, 1), kGreen), w - 5);
    }
}

TEST(Label, RisingTraceGrowsBarsFromBottomToTop)
{
    // step = (259 - 3) / 256 = 1: the bars take columns 1 .. 255, one per point.
    const int w = 259;
    const int h = 102;
    std::vector<short> samples(256);
    for (int i = 0; i < 256; ++i)
        samples[static_cast<size_t>(i)] = static_cast<short>(100 * i);
    CLabel label;
    label.resize(w, h);
    label.SetData(false, samples.data(), 512);
    EXPECT_EQ(label.GetTop(), 25500);

    const QImage image = Render(label, kBlack);
    int previous = h - 2;
    for (int x = 1; x <= 255; ++x)
    {
        const int top = GreenTop(image, x);
        ASSERT_GE(top, 0) << "column " << x;
        ASSERT_LE(top, previous) << "column " << x;
        // A bar is solid from its top down to the bottom line.
        ASSERT_EQ(CountOf(image, QRect(x, top, 1, h - 1 - top), kGreen), h - 1 - top) << "column " << x;
        previous = top;
    }
    EXPECT_EQ(GreenTop(image, 1), h - 2 - 100 * 100 / 25500);
    EXPECT_EQ(GreenTop(image, 128), h - 2 - 12800 * 100 / 25500);
    EXPECT_EQ(GreenTop(image, 255), 0);  // the maximum fills the full height
    EXPECT_EQ(GreenTop(image, 257), -1);
}

namespace
{
// The spectrum dialog's picture: 1008 bins, three columns each, 520 rows above the bottom line.
class Label2Picture : public testing::Test
{
protected:
    void SetUp() override
    {
        m_label.resize(kLmxPanoramaSize + 2, 521);
        m_label.SetArrays(m_current.data(), m_second.data());
    }

    QImage Paint() { return Render(m_label, kBlack); }

    // Rows of a column that are not background.
    std::vector<int> LitRows(const QImage& image, int x) const
    {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != kBlack)
                rows.push_back(y);
        return rows;
    }

    CLabel2 m_label;
    std::vector<double> m_current = std::vector<double>(kLmxPanoramaSize, 0.0);
    std::vector<double> m_second = std::vector<double>(kLmxPanoramaSize, 0.0);
};

std::vector<int> Span(int from, int to)
{
    std::vector<int> rows;
    for (int y = from; y <= to; ++y)
        rows.push_back(y);
    return rows;
}
}  // namespace

TEST_F(Label2Picture, LevelsClampToTheFloorAndTheTopEdge)
{
    ASSERT_EQ(m_label.GetScaleHeight(), 520);
    ASSERT_EQ(m_label.GetFloorLevel(), 0);
    ASSERT_EQ(m_label.GetPixelsPerDb(), 4);

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        int bin;
        double level;
        int top;  // highest lit row of the bin's three columns
    };
    // Bins far enough apart that no two share a column; all other bins stay at the floor.
    const Case cases[] = {
        {10, 0.0, 520},  {20, -35.0, 520}, {30, -inf, 520},  {40, nan, 520},   {50, 65.0, 260},
        {60, 129.9, 0},  {70, 130.0, 0},   {80, 131.0, 0},   {90, 1e300, 0},   {100, inf, 0},
        {110, 0.2, 519}, {120, 1e9, 0},    {130, 0.25, 519}, {140, 129.74, 1},
    };
    for (const Case& c : cases)
        m_current[static_cast<size_t>(c.bin)] = c.level;
    std::vector<double> second(kLmxPanoramaSize, -1.0);  // the red line on the bottom line too
    m_second = second;
    m_label.SetArrays(m_current.data(), m_second.data());

    const QImage image = Paint();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bin);
        for (int x = c.bin; x < c.bin + 3; ++x)
            EXPECT_EQ(LitRows(image, x), Span(c.top, 520)) << "column " << x;
        EXPECT_EQ(GreenTop(image, c.bin), c.top == 520 ? -1 : c.top);
    }
    // Column x shows the highest of bins x - 2 .. x and nothing beyond column 1009.
    EXPECT_EQ(LitRows(image, 62), Span(0, 520));
    EXPECT_EQ(LitRows(image, 63), Span(520, 520));
    EXPECT_EQ(LitRows(image, 1009), Span(520, 520));
}

TEST_F(Label2Picture, SecondArrayIsARedLineOverTheBars)
{
    // Bottom half at 25 dB (row 420), top half at 50 dB (row 320); the current array at the floor.
    for (int k = 0; k < kLmxPanoramaSize; ++k)
        m_second[static_cast<size_t>(k)] = k < 500 ? 25.0 : 50.0;
    m_current[700] = 100.0;  // a green bar under the red line: red is drawn over it

    const QImage image = Paint();
    EXPECT_EQ(CountOf(image, QRect(0, 420, 500, 1), kRed), 500);
    EXPECT_EQ(CountOf(image, QRect(501, 320, 508, 1), kRed), 508);  // up to the point at 1008
    EXPECT_EQ(image.pixel(1009, 320), kBlack);
    EXPECT_GT(CountOf(image, QRect(499, 321, 2, 99), kRed), 50);  // the step joins the two halves
    EXPECT_EQ(image.pixel(701, 320), kRed);
    EXPECT_EQ(image.pixel(701, 319), kGreen);
    // Only the line: no red anywhere else.
    EXPECT_EQ(CountOf(image, QRect(0, 0, 1010, 320), kRed), 0);
    EXPECT_EQ(CountOf(image, QRect(0, 421, 1010, 100), kRed), 0);
    EXPECT_EQ(CountOf(image, QRect(0, 321, 498, 99), kRed), 0);
    EXPECT_EQ(CountOf(image, QRect(502, 321, 508, 99), kRed), 0);
}

TEST_F(Label2Picture, RecordSignaturesPrintTextInsteadOfBars)
{
    struct Case
    {
        double first;
        double second;
        bool record;
    };
    const Case cases[] = {
        {106.0, 49.0, true},  {52.0, 163.0, true},  {106.0, 43.0, true},
        {106.0, 48.0, false}, {49.0, 106.0, false}, {52.0, 163.5, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.first << ", " << c.second);
        // Values that would otherwise be tall bars, with odd ones a record may carry.
        for (size_t k = 0; k < m_current.size(); ++k)
        {
            m_current[k] = 100.0 + static_cast<double>(k % 7);
            m_second[k] = 90.0;
        }
        m_current[3] = std::numeric_limits<double>::quiet_NaN();
        m_current[5] = 1e300;
        m_second[7] = -std::numeric_limits<double>::infinity();
        m_current[0] = c.first;
        m_current[1] = c.second;

        const QImage image = Paint();
        const int firstLine = CountOf(image, QRect(20, 0, 200, 13), kBlack);
        const int lowerRows = CountOf(image, QRect(0, 330, 1010, 191), kBlack);
        if (c.record)
        {
            EXPECT_LT(firstLine, 200 * 13) << "the first text line is empty";
            EXPECT_EQ(lowerRows, 1010 * 191) << "bars were drawn under the record";
            EXPECT_EQ(CountOf(image, QRect(0, 0, 1010, 521), kRed), 0);
        }
        else
        {
            EXPECT_EQ(CountOf(image, QRect(0, 520, 1010, 1), kBlack), 0);
            EXPECT_GT(CountOf(image, QRect(0, 0, 1010, 521), kRed), 1000);
        }
    }
}

TEST_F(Label2Picture, WithoutBothArraysOnlyTheLabelIsDrawn)
{
    for (const auto& arrays :
         {std::make_pair(false, false), std::make_pair(true, false), std::make_pair(false, true)})
    {
        m_label.SetArrays(arrays.first ? m_current.data() : nullptr,
                          arrays.second ? m_second.data() : nullptr);
        EXPECT_EQ(CountOf(Paint(), QRect(0, 0, 1010, 521), kBlack), 1010 * 521);
    }
}
