// The "MultiSpec" pane painted into a QImage: three ranges side by side, each drawing its own data
// in its own window; "No data" per range; known-frequency labels per range and the E-GSM numbering
// of GSM 900 ranges; and the per-range zoom, which re-tunes the sweep only with a checked window.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "imultiadf4350.h"
#include "multiplerangesspectrumgraphic.h"

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
    int GetCurrentRange() override { return current; }

    int count = 3;
    int current = 0;
    std::vector<std::tuple<int, double, double>> calls;
};

const QRgb kLine = qRgb(255, 0, 0);
const QRgb kFill = qRgb(128, 0, 0);
const QRgb kLabel = qRgb(192, 192, 192);  // outline and text of the overlay labels
const QRgb kWhite = qRgb(255, 255, 255);

// Pane 620 x 327 with the default bands: 600 pixels for three ranges of 100 MHz each, so the columns
// are (20, 220, 420) + 193 wide and 300 high. The data of every range cover the channel, 1000 points
// over [0, 1000] MHz, one point per MHz.
constexpr int kPaneW = 620;
constexpr int kPaneH = 327;
constexpr int kPoints = 1000;

struct Pane
{
    Pane()
    {
        g.SetSynthesizer(&synth);
        g.SetRect(QRect(0, 0, kPaneW, kPaneH));
        g.SetXLimits(0.0, 1000.0, 1000.0);
        g.SetYLimits(-170.0, 30.0);
        g.SetYWindow(-120.0, 0.0);
        g.SetLinePen(QPen(QColor(kLine)));
        g.SetFillPen(QPen(QColor(kFill)));
        g.AddRange("Low", 100.0, 200.0);
        g.AddRange("Mid", 400.0, 500.0);
        g.AddRange("High", 700.0, 800.0);
    }

    // A flat -100 dBm line with a -20 dBm peak on the point of each given frequency.
    static std::vector<double> Peaks(std::initializer_list<int> freqs)
    {
        std::vector<double> data(kPoints, -100.0);
        for (int f : freqs)
            data[static_cast<size_t>(f)] = -20.0;
        return data;
    }

    QImage Paint()
    {
        QImage image(kPaneW, kPaneH, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter painter(&image);
        g.Paint(&painter, 0);
        return image;
    }

    // Columns (pane x) of a range where the trace rises into the upper part of the plot: the peaks.
    static std::vector<int> PeakColumns(const QImage& image, const QRect& rect)
    {
        std::vector<int> xs;
        for (int x = rect.left(); x <= rect.right(); ++x)
        {
            for (int y = rect.top() + 20; y < rect.top() + 200; ++y)
            {
                const QRgb p = image.pixel(x, y);
                if (p == kLine || p == kFill)
                {
                    xs.push_back(x);
                    break;
                }
            }
        }
        return xs;
    }

    static int Count(const QImage& image, const QRect& rect, QRgb colour)
    {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    // The pane columns over which the point of frequency f (covering [f, f + 1) MHz) lies.
    std::pair<int, int> PredictedColumns(int range, double f) const
    {
        const GraphicRange& r = g.GetRange(range);
        const double perPixel = (r.windowTo - r.windowFrom) / r.rect.width();
        return {r.rect.left() + static_cast<int>(std::floor((f - r.windowFrom) / perPixel)),
                r.rect.left() + static_cast<int>(std::floor((f + 1.0 - r.windowFrom) / perPixel))};
    }

    void Hover(int range) { g.SetHoverPoint(g.GetRange(range).rect.center()); }

    CRecordingMultiAdf synth;
    CQMultipleRangesSpectrumGraphic g;
};

void ExpectPeakAt(const Pane& pane, const QImage& image, int range, double freq)
{
    const std::vector<int> xs = Pane::PeakColumns(image, pane.g.GetRange(range).rect);
    const auto [first, last] = pane.PredictedColumns(range, freq);
    ASSERT_FALSE(xs.empty()) << "range " << range;
    // The columns of the point, give or take one at either edge, and all of them.
    EXPECT_GE(static_cast<int>(xs.size()), last - first - 1) << "range " << range;
    for (int x : xs)
    {
        EXPECT_GE(x, first - 1) << "range " << range << " peak at " << freq << " MHz";
        EXPECT_LE(x, last + 1) << "range " << range << " peak at " << freq << " MHz";
    }
}
}  // namespace

TEST(MultipleRangesSpectrumGraphic, ThreeRangesDrawTheirOwnDataSideBySide)
{
    Pane pane;
    EXPECT_EQ(pane.g.GetRange(0).rect, QRect(20, 0, 193, 300));
    EXPECT_EQ(pane.g.GetRange(1).rect, QRect(220, 0, 193, 300));
    EXPECT_EQ(pane.g.GetRange(2).rect, QRect(420, 0, 193, 300));

    // Each range's data also carry the other ranges' peaks; only the one inside its window shows.
    pane.g.SetRangeData(0, Pane::Peaks({150, 450, 750}));
    pane.g.SetRangeData(1, Pane::Peaks({120, 480, 720}));
    pane.g.SetRangeData(2, Pane::Peaks({180, 420, 790}));
    const QImage image = pane.Paint();

    ExpectPeakAt(pane, image, 0, 150.0);
    ExpectPeakAt(pane, image, 1, 480.0);
    ExpectPeakAt(pane, image, 2, 790.0);
    // Nothing of a range is drawn into the gap beside its column or into the Y band.
    for (int x : {10, 215, 416})
        for (int y = 0; y < 300; ++y)
            ASSERT_NE(image.pixel(x, y), kLine) << x << "," << y;
}

TEST(MultipleRangesSpectrumGraphic, ZoomingOneRangeMovesOnlyItsTrace)
{
    Pane pane;
    pane.g.SetRangeData(0, Pane::Peaks({150}));
    pane.g.SetRangeData(1, Pane::Peaks({450}));
    pane.g.SetRangeData(2, Pane::Peaks({750}));
    pane.Hover(1);
    pane.g.SetXWindow(440.0, 460.0);
    const QImage image = pane.Paint();

    // Range 1 now spreads [440, 460] over its column: the peak lands near its middle.
    EXPECT_EQ(pane.PredictedColumns(1, 450.0), std::make_pair(220 + 96, 220 + 106));
    ExpectPeakAt(pane, image, 1, 450.0);
    ExpectPeakAt(pane, image, 0, 150.0);
    ExpectPeakAt(pane, image, 2, 750.0);
    // The hovered range answers for the pane's window; the others keep theirs.
    EXPECT_DOUBLE_EQ(pane.g.GetXFrom(), 440.0);
    EXPECT_DOUBLE_EQ(pane.g.GetXTo(), 460.0);
    EXPECT_TRUE(pane.g.IsXZoomed());
    pane.Hover(0);
    EXPECT_FALSE(pane.g.IsXZoomed());
    EXPECT_DOUBLE_EQ(pane.g.GetXTo(), 200.0);
}

TEST(MultipleRangesSpectrumGraphic, RangeWithoutDataSaysSoInItsOwnColumn)
{
    Pane pane;
    pane.g.SetRangeData(0, Pane::Peaks({150}));
    pane.g.SetRangeData(2, Pane::Peaks({750}));
    const QImage image = pane.Paint();

    ExpectPeakAt(pane, image, 0, 150.0);
    ExpectPeakAt(pane, image, 2, 750.0);
    const QRect middle = pane.g.GetRange(1).rect;
    EXPECT_TRUE(Pane::PeakColumns(image, middle).empty());
    EXPECT_EQ(Pane::Count(image, middle, kLine), 0);
    // "No data" is written around the column's centre, in white; the ranges with data have no
    // white there.
    const QRect centre(middle.center().x() - 40, middle.center().y() - 10, 80, 20);
    EXPECT_GT(Pane::Count(image, centre, kWhite), 0);
    const QRect otherCentre = centre.translated(-200, 0);
    EXPECT_EQ(Pane::Count(image, otherCentre, kWhite), 0);
}

TEST(MultipleRangesSpectrumGraphic, ValuesUnderThePointComeFromTheRangeThere)
{
    Pane pane;
    pane.g.SetRangeData(1, Pane::Peaks({450}));
    pane.Paint();
    const int peak = pane.PredictedColumns(1, 450.0).first + 1;
    struct Case
    {
        QPoint point;
        double min;
        double max;
    };
    const std::vector<Case> cases = {
        {QPoint(peak, 100), -20.0, -20.0},   // the peak column of range 1
        {QPoint(230, 100), -100.0, -100.0},  // elsewhere in range 1
        {QPoint(230, 310), -100.0, -100.0},  // in the X band under range 1
        {QPoint(100, 100), 0.0, 0.0},        // range 0 has no data: no columns
        {QPoint(216, 100), -1.0, -1.0},      // the gap between ranges 0 and 1
        {QPoint(5, 100), -1.0, -1.0},        // the Y band
    };
    for (const Case& c : cases)
    {
        EXPECT_DOUBLE_EQ(pane.g.GetMinAtPoint(0, c.point), c.min) << c.point.x() << "," << c.point.y();
        EXPECT_DOUBLE_EQ(pane.g.GetMaxAtPoint(0, c.point), c.max) << c.point.x() << "," << c.point.y();
    }
}

TEST(MultipleRangesSpectrumGraphic, ZoomRetunesTheHoveredRangeOnlyWithACheckedWindow)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    enum Op
    {
        From,
        To,
        Window,
        Scroll
    };
    struct Step
    {
        const char* what;
        int hover;  // range under the hover point; -1: the Y band
        Op op;
        double a;
        double b;
        double expectFrom;  // range 1's window afterwards
        double expectTo;
        bool sent;  // SetRange(1, expectFrom, expectTo) reached the synthesizer
    };
    const std::vector<Step> steps = {
        {"no range under the hover point", -1, From, 450.0, 0.0, 400.0, 500.0, false},
        {"start inside the range", 1, From, 420.0, 0.0, 420.0, 500.0, true},
        {"end below the start", 1, To, 410.0, 0.0, 420.0, 500.0, false},
        {"end equal to the start", 1, To, 420.0, 0.0, 420.0, 500.0, false},
        {"start not a number", 1, From, nan, 0.0, 420.0, 500.0, false},
        {"start below the range: clamped", 1, From, 300.0, 0.0, 400.0, 500.0, true},
        {"end above the range: clamped", 1, To, 900.0, 0.0, 400.0, 500.0, true},
        {"window inside", 1, Window, 450.0, 470.0, 450.0, 470.0, true},
        {"window moved past the current one", 1, Window, 480.0, 490.0, 480.0, 490.0, true},
        {"empty window", 1, Window, 470.0, 470.0, 480.0, 490.0, false},
        {"inverted window", 1, Window, 470.0, 460.0, 480.0, 490.0, false},
        {"window outside the range", 1, Window, 600.0, 650.0, 480.0, 490.0, false},
        {"scroll past the end", 1, Scroll, 15.0, 0.0, 480.0, 490.0, false},
        {"scroll back inside", 1, Scroll, -30.0, 0.0, 450.0, 460.0, true},
        {"scroll past the start", 1, Scroll, -60.0, 0.0, 450.0, 460.0, false},
        {"scroll not finite", 1, Scroll, std::numeric_limits<double>::infinity(), 0.0, 450.0, 460.0, false},
    };
    Pane pane;
    for (const Step& s : steps)
    {
        pane.synth.calls.clear();
        if (s.hover < 0)
            pane.g.SetHoverPoint(QPoint(5, 100));
        else
            pane.Hover(s.hover);
        switch (s.op)
        {
            case From:
                pane.g.SetXFrom(s.a);
                break;
            case To:
                pane.g.SetXTo(s.a);
                break;
            case Window:
                pane.g.SetXWindow(s.a, s.b);
                break;
            case Scroll:
                pane.g.ScrollX(s.a);
                break;
        }
        EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowFrom, s.expectFrom) << s.what;
        EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowTo, s.expectTo) << s.what;
        if (s.sent)
        {
            ASSERT_EQ(pane.synth.calls.size(), 1u) << s.what;
            EXPECT_EQ(pane.synth.calls[0], std::make_tuple(1, s.expectFrom, s.expectTo)) << s.what;
        }
        else
        {
            EXPECT_TRUE(pane.synth.calls.empty()) << s.what;
        }
        // The other ranges never move.
        EXPECT_DOUBLE_EQ(pane.g.GetRange(0).windowFrom, 100.0) << s.what;
        EXPECT_DOUBLE_EQ(pane.g.GetRange(2).windowTo, 800.0) << s.what;
    }
}

TEST(MultipleRangesSpectrumGraphic, OnlyRangesTheSynthesizerHoldsAreRetuned)
{
    Pane pane;
    pane.synth.count = 2;
    pane.Hover(2);
    pane.g.SetXWindow(720.0, 780.0);
    // The pane zooms, but the synthesizer does not test indices: range 2 is not sent.
    EXPECT_DOUBLE_EQ(pane.g.GetRange(2).windowFrom, 720.0);
    EXPECT_TRUE(pane.synth.calls.empty());

    // Without a synthesizer the pane still zooms.
    pane.g.SetSynthesizer(nullptr);
    pane.Hover(1);
    pane.g.SetXWindow(420.0, 480.0);
    EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowFrom, 420.0);
}

TEST(MultipleRangesSpectrumGraphic, WindowIsFixedWhileAnalysisResultsAreShown)
{
    Pane pane;
    SPECTRUM_MARKER_ITEM item;
    item.lowIndex = 440;
    item.peakIndex = 450;
    item.highIndex = 460;
    pane.g.GetAnalysis().Add(item);
    pane.Hover(1);
    pane.g.SetXWindow(440.0, 460.0);
    EXPECT_DOUBLE_EQ(pane.g.GetRange(1).windowFrom, 400.0);
    EXPECT_TRUE(pane.synth.calls.empty());
}

TEST(MultipleRangesSpectrumGraphic, ResetRetunesOnlyTheRangeBeingSwept)
{
    Pane pane;
    for (int i = 0; i < 3; ++i)
    {
        pane.Hover(i);
        pane.g.SetXFrom(pane.g.GetRange(i).from + 10.0);
    }
    pane.synth.calls.clear();
    pane.synth.current = 1;
    pane.g.ResetXWindows();
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_DOUBLE_EQ(pane.g.GetRange(i).windowFrom, pane.g.GetRange(i).from);
        EXPECT_DOUBLE_EQ(pane.g.GetRange(i).windowTo, pane.g.GetRange(i).to);
    }
    ASSERT_EQ(pane.synth.calls.size(), 1u);
    EXPECT_EQ(pane.synth.calls[0], std::make_tuple(1, 400.0, 500.0));

    // Before the sweep has a range (-1) nothing is sent.
    pane.synth.calls.clear();
    pane.synth.current = -1;
    pane.g.ResetXWindows();
    EXPECT_TRUE(pane.synth.calls.empty());
}

TEST(MultipleRangesSpectrumGraphic, KnownFrequencyDetectionsAreDrawnInTheirOwnRange)
{
    Pane pane;
    for (int i = 0; i < 3; ++i)
        pane.g.SetRangeData(i, Pane::Peaks({150, 450, 750}));
    // One detection under range key 1, on the point of 450 MHz, which every range's data hold.
    KNOWN_FREQ_DETECTION d;
    d.startIndex = 445;
    d.peakIndex = 450;
    d.endIndex = 455;
    d.level = -20.0;
    d.channel = 10;
    pane.g.GetKnownFreq().SetItems(1, {d});
    pane.g.GetKnownFreq().SetShown(true);
    const QImage image = pane.Paint();

    // The label box sits in range 1 above the peak, and nowhere else.
    EXPECT_GT(Pane::Count(image, pane.g.GetRange(1).rect, kLabel), 0);
    EXPECT_EQ(Pane::Count(image, pane.g.GetRange(0).rect, kLabel), 0);
    EXPECT_EQ(Pane::Count(image, pane.g.GetRange(2).rect, kLabel), 0);
    int left = kPaneW;
    int right = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 220; x < 413; ++x)
            if (image.pixel(x, y) == kLabel)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const auto [first, last] = pane.PredictedColumns(1, 450.0);
    EXPECT_LE(left, first);
    EXPECT_GE(right, last);
}

TEST(MultipleRangesSpectrumGraphic, GsmNineHundredRangesNumberTheirChannelsInEgsm)
{
    struct Case
    {
        QString name;
        bool other;
    };
    const std::vector<Case> names = {
        {"GSM 900 mobile", true}, {"GSM 900", true}, {"GSM 1800", false},
        {"gsm 900", false},       {"GSM 90", false}, {" GSM 900", false},
    };
    for (const Case& c : names)
        EXPECT_EQ(CQMultipleRangesSpectrumGraphic::UsesOtherNumbering(c.name), c.other)
            << c.name.toStdString();

    // The flag reaches the labels: channel 10 is E-GSM 984 in the GSM 900 range only. The last range
    // is drawn last, so its label texts are the overlay's latest.
    for (const Case& c : {Case{"GSM 900 mobile", true}, Case{"GSM 1800", false}})
    {
        Pane pane;
        pane.g.ClearRanges();
        pane.g.AddRange("Other", 100.0, 200.0);
        pane.g.AddRange(c.name, 400.0, 500.0);
        pane.g.SetRangeData(1, Pane::Peaks({450}));
        KNOWN_FREQ_DETECTION d;
        d.startIndex = 445;
        d.peakIndex = 450;
        d.endIndex = 455;
        d.level = -20.0;
        d.channel = 10;
        pane.g.GetKnownFreq().SetItems(1, {d});
        pane.g.GetKnownFreq().SetShown(true);
        pane.Paint();
        const QVector<QString> texts = pane.g.GetKnownFreq().GetLabelTexts();
        ASSERT_EQ(texts.size(), 1) << c.name.toStdString();
        EXPECT_EQ(texts[0], c.other ? QString("984") : QString("10")) << c.name.toStdString();
    }
}

TEST(MultipleRangesSpectrumGraphic, PaneDataFilesHoldNothingOfThisPane)
{
    Pane pane;
    pane.g.SetRangeData(0, Pane::Peaks({150}));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    pane.g.Save(out);
    EXPECT_TRUE(bytes.isEmpty());
    QByteArray junk("\x01\x02\x03\x04", 4);
    QDataStream in(junk);
    pane.g.Load(in);
    EXPECT_EQ(in.device()->pos(), 0);
    EXPECT_EQ(pane.g.GetPointCount(), kPoints);
}
