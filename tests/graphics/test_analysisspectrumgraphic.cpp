// The analysis spectrum painter drawn into a QImage: highlighted and dimmed columns, the labels of
// analysis results and known-frequency detections at their columns, the template columns, and the
// X window rules while results are shown.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "analysisspectrumgraphic.h"
#include "globals.h"
#include "pixelcolumnmap.h"
#include "spectrumgraphic.h"
#include "utils.h"

namespace
{
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kDimCyan = qRgb(0, 90, 90);  // cyan at alpha 90 over black

// The pane: plot (20, 0, 500 x 300), so plot.bottom = 299 and the last column is x = 519; Y window
// [-100, 0] dBm, X [0, 1000] MHz.
const QRect kPlot(20, 0, 500, 300);

void SetUpPane(CQSpectrumGraphic& g)
{
    g.SetRect(QRect(0, 0, 527, 327));
    g.SetFixedXRange(0.0, 1000.0);
    g.SetFixedYRange(-100.0, 0.0);
}

// n points alternating -50 / -40. With 1000 points every column holds two (column c: points 2c and
// 2c + 1), its rows are 119 (top) to 149 (bottom), and the fill runs from 149 to 299.
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

SPECTRUM_MARKER_ITEM Marker(int low, int peak, int high, int state = 2, double level = -40.0)
{
    SPECTRUM_MARKER_ITEM item;
    item.lowIndex = low;
    item.peakIndex = peak;
    item.highIndex = high;
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

// The row of a level in kPlot for the Y window [-100, 0], as the labels place it.
int RowOf(double level)
{
    return static_cast<int>(std::trunc(299.0 + (level + 100.0) * (0.0 - 299.0) / 100.0));
}

class AnalysisSpectrumGraphicTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetUpPane(g);
        g.GetAnalysis().SetFreqSource([](int index) { return static_cast<double>(index); });
        g.SetData(1, Alternating(1000));
    }
    void TearDown() override { g_FreqOffset = 0.0; }

    CQAnalysisSpectrumGraphic g;
};
}  // namespace

TEST_F(AnalysisSpectrumGraphicTest, WithoutResultsItDrawsLikeTheSpectrumPainter)
{
    for (bool envelope : {false, true})
    {
        CQSpectrumGraphic plain;
        SetUpPane(plain);
        std::vector<double> levels(1000);
        for (size_t k = 0; k < levels.size(); ++k)
            levels[k] = -80.0 + 30.0 * std::sin(static_cast<double>(k) * 0.05);
        plain.SetData(1, levels);
        g.SetData(1, levels);
        plain.m_envelope = envelope;
        g.m_envelope = envelope;
        const QImage expected = PaintPane(plain);
        EXPECT_EQ(PaintPane(g), expected) << "envelope " << envelope;
        // Switched-on overlays with nothing in them change nothing either.
        g.GetTemplates().SetShown(true);
        g.GetKnownFreq().SetShown(true);
        EXPECT_EQ(PaintPane(g), expected) << "envelope " << envelope;
        g.GetTemplates().SetShown(false);
        g.GetKnownFreq().SetShown(false);
    }
}

TEST_F(AnalysisSpectrumGraphicTest, ResultsKeepTheirColumnsOpaqueAndDimTheRest)
{
    g.GetAnalysis().Add(Marker(200, 250, 299));
    g.GetAnalysis().Add(Marker(600, 650, 699, kMarkerHidden));
    const QImage image = PaintPane(g);
    // Points 200..299 lie in columns 100..149, x = 120..169.
    for (int x : {120, 145, 169})
        for (int y : {119, 130, 148})
            EXPECT_EQ(image.pixel(x, y), kCyan) << x << "," << y;
    // Everything else, the hidden result's span included, is drawn at alpha 90.
    for (int x : {20, 119, 170, 320, 345, 369, 519})
        for (int y : {119, 130, 148})
            EXPECT_EQ(image.pixel(x, y), kDimCyan) << x << "," << y;
    // The fills follow the same split.
    EXPECT_GT(qGreen(image.pixel(145, 250)), qGreen(image.pixel(345, 250)));
    EXPECT_EQ(image.pixel(145, 100), kBlack);
}

TEST_F(AnalysisSpectrumGraphicTest, ThresholdTraceStaysOpaqueAndUnlabelled)
{
    g.GetAnalysis().Add(Marker(200, 250, 299));
    g.SetTraceVisible(0, true);
    g.SetTraceUnprocessed(0, 1);
    g.SetPen(0, QPen(Qt::red));
    g.SetData(0, std::vector<double>(1000, -20.0));
    const QImage image = PaintPane(g);
    const int row = RowOf(-20.0);
    for (int x : {20, 145, 300, 519})
        EXPECT_EQ(image.pixel(x, row), qRgb(255, 0, 0)) << x;
}

TEST_F(AnalysisSpectrumGraphicTest, ResultLabelSitsAboveItsPeakColumn)
{
    g.GetAnalysis().Add(Marker(200, 250, 299, 2, -40.0));
    const QImage image = PaintPane(g);
    const CAnalysisSpectrum& analysis = g.GetAnalysis();
    ASSERT_EQ(analysis.GetLabelTexts(), QVector<QString>{CUtils::FormatValue(250.0, 2, 4)});
    const QRect box = analysis.GetLabelBoxes()[0];
    // Point 250 is in column 125, x = 145; the label is centred 30 rows above the level's row.
    EXPECT_LE(std::abs(box.center().x() - 145), 1);
    EXPECT_LE(std::abs(box.center().y() - (RowOf(-40.0) - 30)), 1);
    EXPECT_EQ(image.pixel(box.topLeft()), QColor(Qt::lightGray).rgb());
}

TEST_F(AnalysisSpectrumGraphicTest, LabelsStackAndStayInsideThePlot)
{
    // Three neighbouring peaks at one level, and two results at the plot's edges.
    g.GetAnalysis().Add(Marker(490, 498, 499));
    g.GetAnalysis().Add(Marker(500, 500, 501));
    g.GetAnalysis().Add(Marker(502, 502, 510));
    g.GetAnalysis().Add(Marker(0, 0, 3));
    g.GetAnalysis().Add(Marker(990, 999, 999));
    PaintPane(g);
    const QVector<QRect>& boxes = g.GetAnalysis().GetLabelBoxes();
    ASSERT_EQ(boxes.size(), 5);
    // Drawn left to right: the edge label at x = 20 first, then the three neighbours stacked upwards.
    EXPECT_EQ(boxes[0].left(), kPlot.left());
    for (int k = 2; k <= 3; ++k)
    {
        EXPECT_EQ(boxes[k].bottom(), boxes[k - 1].top() - 2) << k;
        EXPECT_EQ(boxes[k].height(), boxes[k - 1].height());
    }
    EXPECT_LE(std::abs(boxes[1].center().y() - (RowOf(-40.0) - 30)), 1);
    // The right edge label ends 5 pixels inside the plot's right column.
    EXPECT_EQ(boxes[4].right(), kPlot.right() - 1);
}

TEST_F(AnalysisSpectrumGraphicTest, LabelsFollowTheResultsFromPaintToPaint)
{
    const QRgb outline = QColor(Qt::lightGray).rgb();
    g.GetAnalysis().Add(Marker(200, 250, 299));
    const QImage first = PaintPane(g);
    const QRect oldBox = g.GetAnalysis().GetLabelBoxes().value(0);
    ASSERT_EQ(first.pixel(oldBox.topLeft()), outline);
    EXPECT_EQ(PaintPane(g), first);
    // The sweep's frequencies changed under the same result: same box, new text, new pixels.
    g.GetAnalysis().SetFreqSource([](int index) { return index + 100.0; });
    const QImage relabelled = PaintPane(g);
    EXPECT_EQ(g.GetAnalysis().GetLabelTexts().value(0), CUtils::FormatValue(350.0, 2, 4));
    EXPECT_EQ(g.GetAnalysis().GetLabelBoxes().value(0), oldBox);
    EXPECT_NE(relabelled.copy(oldBox), first.copy(oldBox));

    // New results elsewhere: the old label is gone, the new one is there.
    g.GetAnalysis().Clear();
    g.GetAnalysis().Add(Marker(700, 750, 799));
    const QImage second = PaintPane(g);
    const QRect newBox = g.GetAnalysis().GetLabelBoxes().value(0);
    EXPECT_NE(second.pixel(oldBox.topLeft()), outline);
    EXPECT_EQ(second.pixel(newBox.topLeft()), outline);

    // A new Y window moves the label with its level.
    g.SetYLimits(-100.0, 0.0);
    g.SetYWindow(-100.0, -20.0);
    ASSERT_EQ(g.GetYTo(), -20.0);
    const QImage third = PaintPane(g);
    const QRect movedBox = g.GetAnalysis().GetLabelBoxes().value(0);
    EXPECT_NE(movedBox.top(), newBox.top());
    EXPECT_EQ(third.pixel(movedBox.topLeft()), outline);
    EXPECT_NE(third.pixel(newBox.topLeft()), outline);
}

TEST_F(AnalysisSpectrumGraphicTest, PeakSpreadOverSeveralColumnsIsLabelledOnceAtTheLeftmost)
{
    // 100 points over 500 pixels: each point spans several columns.
    g.SetData(1, Alternating(100));
    g.GetAnalysis().Add(Marker(40, 50, 60));
    PaintPane(g);
    CPixelColumnMap map;
    map.rect = kPlot;
    map.dataFrom = map.viewFrom = 0.0;
    map.dataTo = map.viewTo = 1000.0;
    std::vector<PixelColumn> columns;
    ASSERT_TRUE(map.Build(Alternating(100), columns, false));
    int leftmost = -1;
    for (size_t c = 0; c < columns.size() && leftmost < 0; ++c)
        if (columns[c].firstIndex <= 50 && 50 <= columns[c].lastIndex)
            leftmost = static_cast<int>(c);
    ASSERT_GE(leftmost, 0);
    ASSERT_EQ(g.GetAnalysis().GetLabelBoxes().size(), 1);
    EXPECT_LE(std::abs(g.GetAnalysis().GetLabelBoxes()[0].center().x() - (kPlot.left() + leftmost)), 1);
}

TEST_F(AnalysisSpectrumGraphicTest, HiddenResultIsNeitherLabelledNorHighlighted)
{
    g.GetAnalysis().Add(Marker(200, 250, 299, kMarkerHidden));
    const QImage image = PaintPane(g);
    EXPECT_TRUE(g.GetAnalysis().GetLabelTexts().isEmpty());
    EXPECT_EQ(image.pixel(145, 130), kDimCyan);
}

TEST_F(AnalysisSpectrumGraphicTest, TemplatesColourTheirColumnsAndSilenceResultLabels)
{
    g.GetAnalysis().Add(Marker(200, 250, 299));
    SPECTRUM_MARKER_ITEM band = Marker(600, 650, 699);
    band.colorIndex = 0;
    g.GetTemplates().Add(band);
    g.GetTemplates().SetShown(true);

    const QImage image = PaintPane(g);
    EXPECT_TRUE(g.GetAnalysis().GetLabelTexts().isEmpty());
    // Points 600..699: columns 300..349, x = 320..369, red at alpha 150 over the black plot.
    for (int x : {320, 369})
    {
        const QColor c = image.pixelColor(x, 5);
        EXPECT_LE(std::abs(c.red() - 150), 1) << x;
        EXPECT_EQ(c.green(), 0) << x;
    }
    EXPECT_EQ(image.pixel(319, 5), kBlack);
    EXPECT_EQ(image.pixel(370, 5), kBlack);
    // The result's columns are still drawn opaque.
    EXPECT_EQ(image.pixel(145, 130), kCyan);

    // With a converter band's offset the template columns are left out.
    g_FreqOffset = 6000.0;
    const QImage shifted = PaintPane(g);
    EXPECT_EQ(shifted.pixel(345, 5), kBlack);
}

TEST_F(AnalysisSpectrumGraphicTest, KnownFrequencyLabelsUseTheSingleRangeKey)
{
    g.GetAnalysis().Add(Marker(200, 250, 299));
    g.GetKnownFreq().SetItems(0, {Detection(600, 650, 700, 99)});  // another range: not drawn here
    g.GetKnownFreq().SetItems(CQAnalysisSpectrumGraphic::kSingleRangeKey, {Detection(400, 450, 500, 12)});
    g.GetKnownFreq().SetShown(true);
    PaintPane(g);
    // Known-frequency labels replace the result labels.
    EXPECT_TRUE(g.GetAnalysis().GetLabelTexts().isEmpty());
    ASSERT_EQ(g.GetKnownFreq().GetLabelTexts(), QVector<QString>{"12"});
    // Point 450: column 225, x = 245.
    EXPECT_LE(std::abs(g.GetKnownFreq().GetLabelBoxes()[0].center().x() - 245), 1);

    g.GetKnownFreq().SetShown(false);
    PaintPane(g);
    EXPECT_EQ(g.GetAnalysis().GetLabelTexts().size(), 1);
}

TEST_F(AnalysisSpectrumGraphicTest, RangeTraceDrawingLabelsItsOwnRangeWithItsNumbering)
{
    g.GetKnownFreq().SetItems(2, {Detection(10, 15, 20, 60), Detection(70, 75, 80, 30)});
    g.GetKnownFreq().SetItems(3, {Detection(40, 45, 50, 7)});
    g.GetKnownFreq().SetShown(true);
    const QRect rect(100, 0, 100, 300);
    std::vector<PixelColumn> columns;
    for (int c = 0; c < 100; ++c)
    {
        PixelColumn column;
        column.firstIndex = column.lastIndex = c;
        column.minValue = -60.0;
        column.maxValue = -40.0;
        columns.push_back(column);
    }
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (bool numbering : {false, true})
    {
        g.DrawAnalysisTrace(&painter, 0, true, QPen(Qt::cyan), QPen(Qt::darkCyan), rect, columns, 2,
                            numbering);
        const QVector<QString> expected =
            numbering ? QVector<QString>{"10", "1004"} : QVector<QString>{"60", "30"};
        EXPECT_EQ(g.GetKnownFreq().GetLabelTexts(), expected);
        ASSERT_EQ(g.GetKnownFreq().GetLabelBoxes().size(), 2);
        EXPECT_LE(std::abs(g.GetKnownFreq().GetLabelBoxes()[1].center().x() - (100 + 75)), 1);
    }
    // The trace is drawn inside its rectangle only.
    EXPECT_EQ(image.pixel(99, 130), kBlack);
    EXPECT_EQ(image.pixel(150, 200), QColor(Qt::darkCyan).rgb());
}

TEST_F(AnalysisSpectrumGraphicTest, ResultsFixTheXWindowUnlessTemplatesAreActive)
{
    g.SetXLimits(0.0, 1000.0, 1000.0);
    EXPECT_FALSE(g.IsXFixed());
    EXPECT_FALSE(g.IsXZoomed());
    g.GetAnalysis().Add(Marker(200, 250, 299));
    EXPECT_TRUE(g.IsXFixed());
    EXPECT_TRUE(g.IsXZoomed());
    g.SetXWindow(100.0, 200.0);
    EXPECT_EQ(g.GetXFrom(), 0.0);
    EXPECT_EQ(g.GetXTo(), 1000.0);
    // The single-bound setters test only the frame's own flag.
    g.SetXFrom(50.0);
    EXPECT_EQ(g.GetXFrom(), 50.0);

    g.GetTemplates().SetShown(true);
    EXPECT_FALSE(g.IsXFixed());
    EXPECT_TRUE(g.IsXZoomed());
    g.SetXWindow(100.0, 200.0);
    EXPECT_EQ(g.GetXFrom(), 100.0);
    EXPECT_EQ(g.GetXTo(), 200.0);

    g.GetTemplates().SetShown(false);
    g.GetAnalysis().Clear();
    EXPECT_FALSE(g.IsXFixed());
    g.SetXWindow(0.0, 1000.0);
    EXPECT_EQ(g.GetXFrom(), 0.0);
}
