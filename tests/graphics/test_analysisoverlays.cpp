// The spectrum overlays on their own: marker and detection lookup (one column at a time and all
// columns at once), the boxed labels (no duplicates, stacking, edge clamping), the label texts and
// the template colouring, drawn into QImages.

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "analysisspectrum.h"
#include "analysisspectrumbase.h"
#include "knownfreqspectrum.h"
#include "templatespectrum.h"
#include "utils.h"

namespace
{
SPECTRUM_MARKER_ITEM Marker(int low, int high, int state = 2, int peak = -1, double level = -40.0)
{
    SPECTRUM_MARKER_ITEM item;
    item.lowIndex = low;
    item.highIndex = high;
    item.peakIndex = peak < 0 ? (low + high) / 2 : peak;
    item.level = level;
    item.state = state;
    return item;
}

KNOWN_FREQ_DETECTION Detection(int start, int peak, int end, int channel, double level = -40.0)
{
    KNOWN_FREQ_DETECTION d;
    d.startIndex = start;
    d.peakIndex = peak;
    d.endIndex = end;
    d.channel = channel;
    d.level = level;
    return d;
}

PixelColumn Column(int first, int last)
{
    PixelColumn c;
    c.firstIndex = first;
    c.lastIndex = last;
    return c;
}

// A base with nothing of its own, to reach the label drawing directly.
class Labels : public CAnalysisSpectrumBase
{
};

const QRgb kLightGray = QColor(Qt::lightGray).rgb();

// Columns as the pixel column map lays them: runs of several points per column, single points
// repeated over several columns, and the odd empty column.
std::vector<PixelColumn> RandomColumns(std::mt19937& rng, int points)
{
    std::vector<PixelColumn> columns;
    std::uniform_int_distribution<int> step(0, 7);
    int p = 0;
    while (p < points)
    {
        const int kind = step(rng);
        if (kind == 0)
        {
            columns.push_back(Column(p + 1, p));  // empty
        }
        else if (kind == 1)
        {
            columns.push_back(Column(p, p));  // the same point in two columns
            columns.push_back(Column(p, p));
            ++p;
        }
        else
        {
            const int last = std::min(points - 1, p + kind - 1);
            columns.push_back(Column(p, last));
            p = last + 1;
        }
    }
    return columns;
}
}  // namespace

TEST(AnalysisOverlays, FindItemTakesTheLowestCoveredPointThenTheEarliestItem)
{
    // A [10,19], B [15,30], H [0,100] hidden, Y [5,12] listed after A and B.
    const QVector<SPECTRUM_MARKER_ITEM> items = {Marker(10, 19), Marker(15, 30),
                                                 Marker(0, 100, kMarkerHidden), Marker(5, 12)};
    struct Case
    {
        int first;
        int last;
        int expected;
    } cases[] = {
        {0, 4, -1},     // only the hidden item covers these points
        {12, 12, 0},    // A and Y cover 12: A is earlier in the list
        {16, 16, 0},    // A and B: A
        {20, 25, 1},    // only B
        {5, 9, 3},      // only Y
        {8, 25, 3},     // Y covers 8, the lowest point: Y wins although A and B come first
        {31, 100, -1},  // beyond every shown item
        {25, 10, -1},   // an empty column
    };
    for (const Case& c : cases)
        EXPECT_EQ(CAnalysisSpectrumBase::FindItem(items, Column(c.first, c.last)), c.expected)
            << c.first << ".." << c.last;
}

TEST(AnalysisOverlays, ColumnLookupOfAWholeSweepEqualsTheLookupPerColumn)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round)
    {
        const int points = 50 + static_cast<int>(rng() % 2000);
        std::uniform_int_distribution<int> index(-20, points + 20);
        std::uniform_int_distribution<int> width(0, 60);
        CAnalysisSpectrum analysis;
        CKnownFreqSpectrum known;
        std::vector<KNOWN_FREQ_DETECTION> detections;
        const int count = static_cast<int>(rng() % 40);
        for (int k = 0; k < count; ++k)
        {
            const int low = index(rng);
            const int high = low + width(rng) - 3;  // some inverted
            analysis.Add(Marker(low, high, rng() % 5 == 0 ? kMarkerHidden : 2));
            detections.push_back(Detection(low, low, high, k));
        }
        known.SetItems(3, detections);
        const std::vector<PixelColumn> columns = RandomColumns(rng, points);

        std::vector<int> found;
        analysis.FindColumnItems(columns, found);
        std::vector<int> foundKnown;
        known.FindColumnItems(3, columns, foundKnown);
        ASSERT_EQ(found.size(), columns.size());
        ASSERT_EQ(foundKnown.size(), columns.size());
        for (size_t c = 0; c < columns.size(); ++c)
        {
            ASSERT_EQ(found[c], CAnalysisSpectrumBase::FindItem(analysis.GetItems(), columns[c]))
                << "round " << round << " column " << c;
            ASSERT_EQ(foundKnown[c], known.FindItem(3, columns[c])) << "round " << round << " column " << c;
        }
    }
}

TEST(AnalysisOverlays, KnownFrequencyDetectionsEndBeforeTheirEndIndex)
{
    CKnownFreqSpectrum known;
    known.SetItems(0, {Detection(10, 15, 20, 5), Detection(20, 25, 30, 6)});
    EXPECT_EQ(known.FindItem(0, Column(19, 19)), 0);
    EXPECT_EQ(known.FindItem(0, Column(20, 20)), 1);  // 20 is the first one's end, not its point
    EXPECT_EQ(known.FindItem(0, Column(30, 35)), -1);
    EXPECT_EQ(known.FindItem(0, Column(5, 9)), -1);

    // A key without detections answers -1 and gets an empty list.
    EXPECT_EQ(known.GetItems(4), nullptr);
    EXPECT_EQ(known.FindItem(4, Column(0, 100)), -1);
    ASSERT_NE(known.GetItems(4), nullptr);
    EXPECT_TRUE(known.GetItems(4)->empty());

    // SetItems replaces the key's list and leaves the other keys alone.
    known.SetItems(0, {Detection(40, 45, 50, 7)});
    EXPECT_EQ(known.FindItem(0, Column(19, 19)), -1);
    EXPECT_EQ(known.FindItem(0, Column(44, 44)), 0);
    EXPECT_NE(known.GetItems(4), nullptr);
}

TEST(AnalysisOverlays, AnalysisResultsFlagFollowsAddAndClear)
{
    CAnalysisSpectrum analysis;
    EXPECT_FALSE(analysis.HasResults());
    analysis.Add(Marker(1, 2));
    analysis.Add(Marker(3, 4, kMarkerHidden));
    EXPECT_TRUE(analysis.HasResults());
    EXPECT_EQ(analysis.GetItems().size(), 2);
    analysis.Clear();
    EXPECT_FALSE(analysis.HasResults());
    EXPECT_TRUE(analysis.GetItems().isEmpty());
}

TEST(AnalysisOverlays, LabelsStackUpwardsAndSkipTextsAlreadyDrawn)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Labels labels;
    labels.DrawLabel(&painter, 0, 399, 200, 250, "100.0");
    labels.DrawLabel(&painter, 0, 399, 201, 250, "200.0");
    labels.DrawLabel(&painter, 0, 399, 199, 250, "300.0");
    labels.DrawLabel(&painter, 0, 399, 60, 100, "200.0");  // already drawn: nothing
    painter.end();

    const QVector<QRect>& boxes = labels.GetLabelBoxes();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(labels.GetLabelTexts(), (QVector<QString>{"100.0", "200.0", "300.0"}));
    const int h = boxes[0].height();
    for (int k = 1; k < 3; ++k)
    {
        EXPECT_EQ(boxes[k].height(), h);
        // Directly above the previous box, one row between them.
        EXPECT_EQ(boxes[k].bottom(), boxes[k - 1].top() - 2) << k;
        EXPECT_FALSE(boxes[k].intersects(boxes[k - 1]));
    }
    // The first box is centred on its anchor; the outline is light grey over a dark fill.
    EXPECT_LE(std::abs(boxes[0].center().x() - 200), 1);
    EXPECT_LE(std::abs(boxes[0].center().y() - 250), 1);
    for (const QRect& box : boxes)
    {
        EXPECT_EQ(image.pixel(box.topLeft()), kLightGray);
        const QColor inside = image.pixelColor(box.left() + 2, box.top() + 2);
        EXPECT_LE(inside.red(), 60);  // black at alpha 200 over white
    }
    // Nothing was drawn for the repeated text.
    for (int y = 80; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    // A new trace drawing starts afresh: the same text is drawn again, at its anchor.
    labels.ResetLabels();
    EXPECT_TRUE(labels.GetLabelBoxes().isEmpty());
    QPainter again(&image);
    labels.DrawLabel(&again, 0, 399, 200, 250, "200.0");
    ASSERT_EQ(labels.GetLabelBoxes().size(), 1);
    EXPECT_EQ(labels.GetLabelBoxes()[0].top(), boxes[0].top());
}

TEST(AnalysisOverlays, LabelBoxIsTheCentredTextGrownByFive)
{
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    Labels labels;
    const struct
    {
        int x;
        int y;
        const char* text;
    } anchors[] = {{300, 200, "433.92 MHz"}, {301, 251, "433.92 MHz"}, {150, 77, "7"}, {451, 330, "1023"}};
    for (const auto& a : anchors)
    {
        labels.ResetLabels();
        labels.DrawLabel(&painter, 0, 599, a.x, a.y, a.text);
        const QRect text = painter.boundingRect(QRect(a.x, a.y, 0, 0), Qt::AlignCenter, a.text);
        ASSERT_EQ(labels.GetLabelBoxes().size(), 1);
        EXPECT_EQ(labels.GetLabelBoxes()[0], text.adjusted(-5, -5, 5, 5)) << a.text << " at " << a.x;
    }
    // A bigger font gives bigger boxes from then on.
    const int before = labels.GetLabelBoxes()[0].height();
    QFont font = painter.font();
    font.setPointSize(font.pointSize() * 3);
    painter.setFont(font);
    labels.ResetLabels();
    labels.DrawLabel(&painter, 0, 599, 451, 330, "1023");
    EXPECT_EQ(labels.GetLabelBoxes()[0],
              painter.boundingRect(QRect(451, 330, 0, 0), Qt::AlignCenter, "1023").adjusted(-5, -5, 5, 5));
    EXPECT_GT(labels.GetLabelBoxes()[0].height(), before);
}

TEST(AnalysisOverlays, DeferredLabelsDrawTheSameAsDirectOnes)
{
    const auto draw = [](bool deferred, QImage& image, Labels& labels)
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(10, 10, 380, 280));
        labels.ResetLabels();
        labels.SetDeferred(deferred);
        labels.DrawLabel(&painter, 10, 389, 100, 200, "100.0 MHz");
        labels.DrawLabel(&painter, 10, 389, 110, 200, "110.0 MHz");
        labels.DrawLabel(&painter, 10, 389, 380, 30, "999.9 MHz");  // partly outside the clip
        if (deferred)
            labels.PaintLabels(&painter);
    };
    QImage base(400, 300, QImage::Format_RGB32);
    base.fill(QColor(30, 60, 90));
    QImage direct = base;
    QImage layered = base;
    Labels a;
    Labels b;
    draw(false, direct, a);
    draw(true, layered, b);
    EXPECT_EQ(a.GetLabelBoxes(), b.GetLabelBoxes());
    // The layer is blended once more than direct drawing: one level of rounding at most.
    int worst = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
        {
            const QColor p = direct.pixelColor(x, y);
            const QColor q = layered.pixelColor(x, y);
            worst = std::max({worst, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                              std::abs(p.blue() - q.blue())});
        }
    EXPECT_LE(worst, 1);
    EXPECT_NE(layered, base);

    // The same labels drawn again come from the layer and look the same.
    QImage again = base;
    draw(true, again, b);
    EXPECT_EQ(again, layered);
}

TEST(AnalysisOverlays, LabelsStayInsideTheLimits)
{
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    Labels labels;
    labels.DrawLabel(&painter, 50, 250, 50, 50, "1234.5678 MHz");
    labels.DrawLabel(&painter, 50, 250, 250, 50, "8765.4321 MHz");
    labels.DrawLabel(&painter, 50, 250, 150, 20, "mid");
    painter.end();
    const QVector<QRect>& boxes = labels.GetLabelBoxes();
    ASSERT_EQ(boxes.size(), 3);
    // The text starts 5 pixels right of the left limit, so its box starts on the limit.
    EXPECT_EQ(boxes[0].left(), 50);
    // The text ends 6 pixels left of the right limit (R - 6 as a QRect right).
    EXPECT_EQ(boxes[1].right() - 5, 250 - 6);
    // A label well inside the limits keeps its centre.
    EXPECT_LE(std::abs(boxes[2].center().x() - 150), 1);
    EXPECT_EQ(image.pixel(50, boxes[0].top()), kLightGray);
}

TEST(AnalysisOverlays, AnalysisLabelShowsThePeakFrequencyOnlyInThePeakColumn)
{
    CAnalysisSpectrum analysis;
    analysis.SetFreqSource([](int index) { return 400.0 + index * 0.125; });
    analysis.Add(Marker(10, 30, 2, 20, -50.0));
    const QRect plot(0, 0, 200, 101);  // rows 0..100: level -100 -> 100, 0 -> 0
    QImage image(200, 101, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);

    analysis.PaintLabel(&painter, 100, -100.0, 0.0, plot, 0, Column(18, 19));  // peak not here
    analysis.PaintLabel(&painter, 100, -100.0, 0.0, plot, -1, Column(20, 21));
    EXPECT_TRUE(analysis.GetLabelTexts().isEmpty());
    analysis.PaintLabel(&painter, 101, -100.0, 0.0, plot, 0, Column(20, 21));
    ASSERT_EQ(analysis.GetLabelTexts().size(), 1);
    EXPECT_EQ(analysis.GetLabelTexts()[0], CUtils::FormatValue(402.5, 2, 4));
    // Level -50 is row 50; the label sits 30 rows above it.
    EXPECT_LE(std::abs(analysis.GetLabelBoxes()[0].center().y() - 20), 1);
    EXPECT_LE(std::abs(analysis.GetLabelBoxes()[0].center().x() - 101), 1);

    // A Y window without height places nothing (and divides by nothing).
    analysis.ResetLabels();
    analysis.PaintLabel(&painter, 101, -50.0, -50.0, plot, 0, Column(20, 21));
    EXPECT_TRUE(analysis.GetLabelTexts().isEmpty());
}

TEST(AnalysisOverlays, KnownFrequencyLabelShowsTheChannelNumber)
{
    CKnownFreqSpectrum known;
    known.SetItems(-1, {Detection(10, 15, 20, 60, -50.0)});
    const QRect plot(0, 0, 200, 101);
    QImage image(200, 101, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);

    known.PaintLabel(&painter, 2, 30, -100.0, 0.0, plot, Column(15, 15), false);   // no list for key 2
    known.PaintLabel(&painter, -1, 30, -100.0, 0.0, plot, Column(12, 13), false);  // centre not here
    EXPECT_TRUE(known.GetLabelTexts().isEmpty());
    known.PaintLabel(&painter, -1, 30, -100.0, 0.0, plot, Column(14, 16), false);
    ASSERT_EQ(known.GetLabelTexts(), QVector<QString>{"60"});
    EXPECT_LE(std::abs(known.GetLabelBoxes()[0].center().y() - 20), 1);

    known.ResetLabels();
    known.PaintLabel(&painter, -1, 30, -100.0, 0.0, plot, Column(14, 16), true);
    EXPECT_EQ(known.GetLabelTexts(), QVector<QString>{"10"});
}

TEST(AnalysisOverlays, EgsmNumberingNeverLeavesTheEgsmChannels)
{
    struct Case
    {
        int channel;
        int expected;
    } cases[] = {
        {1, 975},
        {2, 976},
        {49, 1023},
        {50, 0},
        {51, 1},
        {174, 124},
        // No E-GSM number: shown as they are.
        {0, 0},
        {175, 175},
        {-4, -4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CKnownFreqSpectrum::ToEgsm(c.channel), c.expected) << c.channel;
    for (int c = 1; c <= 174; ++c)
    {
        const int n = CKnownFreqSpectrum::ToEgsm(c);
        EXPECT_TRUE((n >= 975 && n <= 1023) || (n >= 0 && n <= 124)) << c;
    }
}

TEST(AnalysisOverlays, TemplatesColourTheColumnsTheyCover)
{
    CTemplateSpectrum templates;
    const QRect plot(10, 0, 40, 20);
    std::vector<PixelColumn> columns;
    for (int c = 0; c < 40; ++c)
        columns.push_back(Column(2 * c, 2 * c + 1));

    const auto paint = [&](int skip)
    {
        QImage image(60, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        templates.Paint(&painter, skip, plot, columns);
        return image;
    };
    QImage blank(60, 20, QImage::Format_RGB32);
    blank.fill(Qt::black);
    EXPECT_EQ(paint(0), blank);  // no items

    SPECTRUM_MARKER_ITEM red = Marker(10, 19);
    red.colorIndex = 0;
    SPECTRUM_MARKER_ITEM wrapped = Marker(40, 49);
    wrapped.colorIndex = CTemplateSpectrum::kColorCount + 1;  // past the table: the second colour
    SPECTRUM_MARKER_ITEM hidden = Marker(60, 69, kMarkerHidden);
    templates.Add(red);
    templates.Add(wrapped);
    templates.Add(hidden);
    EXPECT_EQ(paint(1), blank);  // a non-zero skip draws nothing

    const QImage image = paint(0);
    const auto near = [](QColor a, QColor b)
    {
        return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1 &&
               std::abs(a.blue() - b.blue()) <= 1;
    };
    for (int c = 0; c < 40; ++c)
    {
        const int x = 10 + c;
        QColor expected(Qt::black);
        if (c >= 5 && c <= 9)
            expected = QColor(150, 0, 0);  // red at alpha 150 over black
        else if (c >= 20 && c <= 24)
            expected = QColor(0, 150, 0);
        for (int y : {0, 10, 19})
            EXPECT_TRUE(near(image.pixelColor(x, y), expected)) << "x " << x << " y " << y;
    }
    // Outside the plot nothing is touched.
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 0, 0));

    templates.Clear();
    EXPECT_EQ(paint(0), blank);
}
