// The full-range view: which panes and option groups each pane mode shows, the axis windows it keeps
// per channel type, the synthesizer's scan range following the visible window, the template markers
// over a sweep made of several ascending runs, and the band receiver's tuning and bandwidth lines.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>

#include <cmath>
#include <vector>

#include "analysisspectrumgraphic.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "itemplates.h"
#include "measurementswindow.h"
#include "multiplerangesspectrumgraphic.h"
#include "optionswindow.h"
#include "parameters.h"
#include "rangeview.h"
#include "testdevice.h"

namespace
{
class RangeViewEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        PrepareTestDevice({61.44e6, 61.44e6, 61.44e6, 61.44e6, 61.44e6});
        for (int type = 0; type < 5; ++type)
            g_DeviceThread.GetChannel(type)->SetUpperLimit(6000.0);
    }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new RangeViewEnvironment);

// Starts and leaves the device as the other tests expect it: channel type 0, no sweep, no templates
// and no index table.
class RangeViewTest : public ::testing::Test
{
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        g_DeviceThread.SetChannelType(0);
        g_DeviceThread.m_pAdf->SetEnabled(false);
        g_DeviceThread.m_pTemplates->Clear();
        g_DeviceThread.m_FreqTable.clear();
    }
};

CQAnalysisSpectrumGraphic* Spec(CRangeView& view)
{
    return dynamic_cast<CQAnalysisSpectrumGraphic*>(view.GetGraphic("Spec"));
}

TEST_F(RangeViewTest, PaneModesSwitchTheOptionGroupsAndTheTrigger)
{
    COptionsWindow options;
    CRangeView view;
    view.m_pOptionsWindow = &options;
    auto* spectrumBox = options.findChild<QGroupBox*>("m_pRangeSpectrumGroupBox");
    auto* waterfallBox = options.findChild<QGroupBox*>("m_pRangeWaterfallGroupBox");
    ASSERT_NE(spectrumBox, nullptr);
    ASSERT_NE(waterfallBox, nullptr);

    struct Case
    {
        int mode;
        std::vector<const char*> panes;
        bool spectrumGroup;
        bool waterfallGroup;
    };
    const Case cases[] = {
        {0, {"Spec"}, true, false},
        {1, {"Waterfall"}, false, true},
        {2, {"Spec", "Waterfall"}, true, true},
        {4, {"MultiSpec"}, true, false},
        {5, {"MultiWaterfall"}, false, true},
        {6, {"MultiSpec", "MultiWaterfall"}, true, true},
        {3, {"Osc"}, false, false},
    };
    for (const Case& c : cases)
    {
        view.EnableTrigger(true, false);
        view.SetPaneMode(c.mode);
        ASSERT_EQ(view.GetShownCount(), static_cast<int>(c.panes.size())) << c.mode;
        for (size_t i = 0; i < c.panes.size(); ++i)
            EXPECT_EQ(view.GetGraphicAt(static_cast<int>(i)), view.GetGraphic(c.panes[i])) << c.mode;
        EXPECT_EQ(!spectrumBox->isHidden(), c.spectrumGroup) << c.mode;
        EXPECT_EQ(!waterfallBox->isHidden(), c.waterfallGroup) << c.mode;
        // Only the oscillogram keeps the trigger.
        EXPECT_EQ(view.IsTriggerEnabled(), c.mode == 3) << c.mode;
    }

    // "Show Spectrum" toggles the waterfall between alone and below the spectrum, and remembers it.
    view.SetPaneMode(1);
    view.OnWaterfallSpectrum();
    EXPECT_EQ(view.GetPaneMode(), 2);
    EXPECT_EQ(view.GetShownCount(), 2);
    EXPECT_FALSE(spectrumBox->isHidden());
    EXPECT_EQ(g_Parameters.GetInt("RangeOptions", "WaterfallSpectrum", -1), 1);
    view.OnWaterfallSpectrum();
    EXPECT_EQ(view.GetPaneMode(), 1);
    EXPECT_TRUE(spectrumBox->isHidden());
    EXPECT_EQ(g_Parameters.GetInt("RangeOptions", "WaterfallSpectrum", -1), 0);
}

TEST_F(RangeViewTest, KeepsSeparateWindowsPerChannelType)
{
    struct Case
    {
        int type;
        const char* prefix;
        double from;
        double to;
        double oscTo;
    };
    const Case cases[] = {{0, "Hf", 100.0, 300.0, 1e-4}, {4, "Dla", 700.0, 900.0, 2e-4}};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(c.type));
        CRangeView view;
        view.SetPaneMode(0);
        view.SetXWindow(c.from, c.to);
        view.GetGraphic("Osc")->SetXWindow(0.0, c.oscTo);
        ASSERT_NEAR(view.GetGraphic("Spec")->GetXFrom(), c.from, 1e-9);
    }
    for (const Case& c : cases)
    {
        const QString prefix = QLatin1String(c.prefix);
        EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", prefix + "StartXValue", -1.0), c.from, 1e-6);
        EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", prefix + "EndXValue", -1.0), c.to, 1e-6);
        EXPECT_NEAR(g_Parameters.GetDouble("RangeOscilloscope", prefix + "EndXValue", -1.0), c.oscTo, 1e-6);
        EXPECT_TRUE(g_Parameters.HasKey("RangeOscilloscope", prefix + "TriggerLevel"));
    }
    // Each channel type gets its own window back.
    for (const Case& c : cases)
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(c.type));
        CRangeView view;
        EXPECT_NEAR(view.GetGraphic("Spec")->GetXFrom(), c.from, 1e-6) << c.prefix;
        EXPECT_NEAR(view.GetGraphic("Spec")->GetXTo(), c.to, 1e-6) << c.prefix;
        EXPECT_NEAR(view.GetGraphic("Osc")->GetXTo(), c.oscTo, 1e-6) << c.prefix;
    }
}

TEST_F(RangeViewTest, ScanRangeFollowsTheVisibleWindowOnlyWhileSweeping)
{
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    CRangeView view;
    view.SetPaneMode(0);
    const double original[2] = {adf->GetStartFreq(), adf->GetStopFreq()};

    // Sweep off: zooming leaves the synthesizer alone.
    adf->SetEnabled(false);
    view.SetXWindow(200.0, 400.0);
    view.SetXFrom(210.0);
    EXPECT_EQ(adf->GetStartFreq(), original[0]);
    EXPECT_EQ(adf->GetStopFreq(), original[1]);

    adf->SetEnabled(true);
    view.SetXWindow(300.0, 500.0);
    EXPECT_DOUBLE_EQ(adf->GetStartFreq(), 300.0);
    EXPECT_DOUBLE_EQ(adf->GetStopFreq(), 500.0);
    view.ScrollX(50.0);
    EXPECT_DOUBLE_EQ(adf->GetStartFreq(), 350.0);
    EXPECT_DOUBLE_EQ(adf->GetStopFreq(), 550.0);

    // Without tuning only a new window start is followed.
    view.m_bTuningEnabled = false;
    view.SetXTo(520.0);
    view.SetXWindow(100.0, 200.0);
    EXPECT_DOUBLE_EQ(adf->GetStartFreq(), 350.0);
    EXPECT_DOUBLE_EQ(adf->GetStopFreq(), 550.0);
    view.SetXFrom(150.0);
    EXPECT_DOUBLE_EQ(adf->GetStartFreq(), 150.0);
    EXPECT_DOUBLE_EQ(adf->GetStopFreq(), 200.0);
}

TEST_F(RangeViewTest, TimerWritesOnlyChangedWindowEnds)
{
    CRangeView view;
    view.SetPaneMode(0);
    view.SetXWindow(100.0, 200.0);
    const QString from = CViewBase::ChannelKey("StartXValue");
    const QString to = CViewBase::ChannelKey("EndXValue");
    view.OnTimer();
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", from, -1.0), 100.0, 1e-6);
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", to, -1.0), 200.0, 1e-6);

    // Only the end moved: the start is not written again.
    g_Parameters.SetDouble("RangeSpectrum", from, -5.0);
    view.SetXTo(250.0);
    view.OnTimer();
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", from, -1.0), -5.0, 1e-6);
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", to, -1.0), 250.0, 1e-6);

    // After a save the writer waits for the next apply.
    view.SaveAxisSettings();
    view.SetXWindow(300.0, 400.0);
    view.OnTimer();
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", from, -1.0), 100.0, 1e-6);
    view.ApplyAxisSettings();
    view.SetXWindow(300.0, 400.0);
    view.OnTimer();
    EXPECT_NEAR(g_Parameters.GetDouble("RangeSpectrum", from, -1.0), 300.0, 1e-6);
}

TEST_F(RangeViewTest, CustomColourSwitches)
{
    // The tuning line and the band take the custom colour only for switch value 1, the threshold
    // line for any value but 0 (with the colour's alpha).
    struct Case
    {
        unsigned value;
        QRgb tune;
        QRgb band;
        QRgb threshold;
    };
    const QRgb customTune = qRgb(1, 2, 3);
    const QRgb customBand = qRgb(4, 5, 6);
    const QRgb customThreshold = qRgba(7, 8, 9, 128);
    const QRgb white = QColor(Qt::white).rgba();
    const QRgb red = QColor(Qt::red).rgba();
    const Case cases[] = {{0, white, red, white},
                          {1, customTune, customBand, customThreshold},
                          {2, white, red, customThreshold}};
    g_Parameters.SetInt("Colors", "CustomMainCursorColor", static_cast<int>(customTune & 0xffffff));
    g_Parameters.SetInt("Colors", "CustomBandwidthColor", static_cast<int>(customBand & 0xffffff));
    g_Parameters.SetString("Colors", "CustomThresholdLineColor", QString::number(customThreshold));
    CRangeView view;
    view.SetPaneMode(0);
    for (const Case& c : cases)
    {
        for (const char* key : {"CustomMainCursor", "CustomBandwidth", "CustomThresholdLine"})
            g_Parameters.SetInt("Colors", key, static_cast<int>(c.value));
        view.ApplyColors();
        EXPECT_EQ(view.GetTuningLineColor().rgba(), c.tune) << c.value;
        EXPECT_EQ(view.GetBandwidthColor().rgba(), c.band) << c.value;
        EXPECT_EQ(Spec(view)->GetTrace(3).pen.color().rgba(), c.threshold) << c.value;
    }
}

TEST_F(RangeViewTest, OverlaysReachTheirPanes)
{
    CRangeView view;
    auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(view.GetGraphic("MultiSpec"));
    ASSERT_NE(multi, nullptr);
    const std::vector<KNOWN_FREQ_DETECTION> one(1);
    const std::vector<KNOWN_FREQ_DETECTION> two(2);
    view.SetKnownFreqResults(-1, one);
    view.SetKnownFreqResults(2, two);
    ASSERT_NE(Spec(view)->GetKnownFreq().GetItems(-1), nullptr);
    EXPECT_EQ(Spec(view)->GetKnownFreq().GetItems(-1)->size(), 1u);
    EXPECT_EQ(Spec(view)->GetKnownFreq().GetItems(2), nullptr);
    ASSERT_NE(multi->GetKnownFreq().GetItems(2), nullptr);
    EXPECT_EQ(multi->GetKnownFreq().GetItems(2)->size(), 2u);
    view.SetKnownFreqResultsVisible(true);
    EXPECT_TRUE(Spec(view)->GetKnownFreq().IsShown());
    EXPECT_TRUE(multi->GetKnownFreq().IsShown());

    // The threshold line: cleared by an empty average, back with the next one.
    view.SetAveragingTrace({-90.0, -91.0, -92.0});
    EXPECT_EQ(Spec(view)->GetTrace(3).data.size(), 3u);
    view.SetAveragingTrace({});
    EXPECT_TRUE(Spec(view)->GetTrace(3).data.empty());
    view.SetAveragingTrace({-80.0, -81.0});
    EXPECT_EQ(Spec(view)->GetTrace(3).data, (std::vector<double>{-80.0, -81.0}));
}

// --- Template markers. ---

TEMPLATE_ITEM Template(const wchar_t* name, bool enabled, std::vector<std::pair<double, double>> ranges)
{
    TEMPLATE_ITEM item;
    item.name = name;
    item.enabled = enabled;
    for (const auto& range : ranges)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.FreqBegin = range.first;
        entry.FreqEnd = range.second;
        item.entries.push_back(entry);
    }
    return item;
}

struct Marker
{
    int low;
    int high;
    int color;
    bool operator==(const Marker& o) const { return low == o.low && high == o.high && color == o.color; }
};

std::ostream& operator<<(std::ostream& out, const Marker& m)
{
    return out << "{" << m.low << ".." << m.high << " c" << m.color << "}";
}

std::vector<Marker> Markers(CRangeView& view)
{
    std::vector<Marker> out;
    for (const SPECTRUM_MARKER_ITEM& item : Spec(view)->GetTemplates().GetItems())
    {
        EXPECT_EQ(item.peakIndex, item.lowIndex);
        EXPECT_EQ(item.level, -170.0);
        EXPECT_EQ(item.state, 1);
        out.push_back({item.lowIndex, item.highIndex, item.colorIndex});
    }
    return out;
}

// Two ascending runs of 1000 points each: run one 100.0 .. 199.9 MHz, run two from `secondStart`.
std::vector<double> TwoRunTable(double secondStart)
{
    std::vector<double> table;
    for (int i = 0; i < 1000; ++i)
        table.push_back(100.0 + i * 0.1);
    for (int i = 0; i < 1000; ++i)
        table.push_back(secondStart + i * 0.1);
    return table;
}

TEST_F(RangeViewTest, TemplateMarkersPerRunFollowTableAndList)
{
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    templates->Clear();
    ASSERT_TRUE(templates->Add(Template(L"A", true, {{110.0, 120.0}, {150.0, 150.5}})));
    ASSERT_TRUE(templates->Add(Template(L"Off", false, {{130.0, 140.0}})));
    ASSERT_TRUE(templates->Add(Template(L"Empty", true, {})));
    ASSERT_TRUE(templates->Add(Template(L"B", true, {{160.0, 170.0}})));
    g_DeviceThread.m_FreqTable = TwoRunTable(150.0);

    CRangeView view;
    view.SetPaneMode(0);
    const std::vector<double> sweep(2000, -100.0);
    view.SetTemplateActivated(true);
    view.SetSpectrumData(sweep);
    // Run two starts at index 1000 with 150.0 MHz: 110 and 120 lie below it, so both map to its
    // first point; 150.0 .. 150.5 lies in both runs (index 500 .. 505 and 1000 .. 1005).
    const std::vector<Marker> first = {{100, 200, 0},   {1000, 1000, 0}, {500, 505, 0},
                                       {1000, 1005, 0}, {600, 700, 3},   {1100, 1200, 3}};
    EXPECT_EQ(Markers(view), first);

    // A new index table is taken up at the next sweep.
    g_DeviceThread.m_FreqTable = TwoRunTable(155.0);
    view.SetSpectrumData(sweep);
    const std::vector<Marker> shifted = {{100, 200, 0},   {1000, 1000, 0}, {500, 505, 0},
                                         {1000, 1000, 0}, {600, 700, 3},   {1050, 1150, 3}};
    EXPECT_EQ(Markers(view), shifted);

    // So is a changed template list: the disabled one switched on, the first one removed.
    templates->Set(1, Template(L"Off", true, {{130.0, 140.0}}));
    templates->Remove(0);
    view.SetSpectrumData(sweep);
    const std::vector<Marker> edited = {{300, 400, 0}, {1000, 1000, 0}, {600, 700, 2}, {1050, 1150, 2}};
    EXPECT_EQ(Markers(view), edited);

    // Analysis results freeze the template markers; clearing them lets the markers follow again.
    view.SetAnalysisResults({});
    templates->Remove(0);
    view.SetSpectrumData(sweep);
    EXPECT_EQ(Markers(view), edited);
    view.ClearAnalysisResults();
    view.SetSpectrumData(sweep);
    const std::vector<Marker> afterClear = {{600, 700, 1}, {1050, 1150, 1}};
    EXPECT_EQ(Markers(view), afterClear);

    // Off empties the overlay at once; on again brings the same markers back with the next sweep.
    view.SetTemplateActivated(false);
    EXPECT_TRUE(Markers(view).empty());
    EXPECT_FALSE(Spec(view)->GetTemplates().IsShown());
    view.SetSpectrumData(sweep);
    EXPECT_TRUE(Markers(view).empty());
    view.SetTemplateActivated(true);
    view.SetSpectrumData(sweep);
    EXPECT_EQ(Markers(view), afterClear);
}

TEST_F(RangeViewTest, TemplateMarkersMatchTheDirectLookUps)
{
    // Whatever the cache keeps, the markers equal what the index look-ups give for the table now.
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    templates->Clear();
    ASSERT_TRUE(templates->Add(Template(L"A", true, {{101.0, 199.0}, {171.3, 182.9}})));
    CRangeView view;
    view.SetTemplateActivated(true);
    const std::vector<double> sweep(2000, -100.0);
    for (double secondStart : {120.0, 150.0, 150.0, 175.0, 100.0})
    {
        g_DeviceThread.m_FreqTable = TwoRunTable(secondStart);
        view.SetSpectrumData(sweep);
        std::vector<Marker> expected;
        for (const auto& range : std::vector<std::pair<double, double>>{{101.0, 199.0}, {171.3, 182.9}})
        {
            const std::vector<int32_t> low = g_DeviceThread.FreqToIndices(range.first);
            const std::vector<int32_t> high = g_DeviceThread.FreqToIndices(range.second);
            ASSERT_EQ(low.size(), 2u);
            ASSERT_EQ(high.size(), 2u);
            for (size_t k = 0; k < low.size(); ++k)
                expected.push_back({low[k], high[k], 0});
        }
        EXPECT_EQ(Markers(view), expected) << secondStart;
    }
}

// --- Tuning and bandwidth lines. ---

const QRgb kTuneColor = qRgb(0, 255, 0);
const QRgb kBandColor = qRgb(255, 0, 255);

// How many rows of column x inside the plot have the colour.
int RowsOfColor(const QImage& image, int x, const QRect& plot, QRgb color)
{
    int rows = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        if ((image.pixel(x, y) & 0xffffff) == (color & 0xffffff))
            ++rows;
    return rows;
}

class RangeViewLinesTest : public RangeViewTest
{
protected:
    void SetUp() override
    {
        RangeViewTest::SetUp();
        g_Parameters.SetInt("Colors", "CustomMainCursor", 1);
        g_Parameters.SetInt("Colors", "CustomMainCursorColor", static_cast<int>(kTuneColor & 0xffffff));
        g_Parameters.SetInt("Colors", "CustomBandwidth", 1);
        g_Parameters.SetInt("Colors", "CustomBandwidthColor", static_cast<int>(kBandColor & 0xffffff));
        // 200 MHz with the first band, the window two bands wide around it.
        g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(200e6, 0);
        m_band = g_DeviceThread.m_pControlBits->GetSampleRate(-1) / 1e6;
        m_view.resize(800, 400);
        m_view.SetPaneMode(0);
        m_view.ApplyColors();
        m_view.SetXWindow(200.0 - m_band, 200.0 + m_band);
    }

    void TearDown() override
    {
        g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(100e6, 0);
        RangeViewTest::TearDown();
    }

    CRangeView m_view;
    double m_band = 0.0;
};

TEST_F(RangeViewLinesTest, TuningAndBandwidthLinesAtThePredictedColumns)
{
    ASSERT_EQ(m_view.GetTuningLineColor().rgb(), kTuneColor);
    IGraphic* spec = m_view.GetGraphic("Spec");
    const QRect plot = spec->GetPlotRect();
    const double u = spec->GetXPerPixel();
    const int x = static_cast<int>(plot.left() + (200.0 - spec->GetXFrom()) / u);
    const int h = static_cast<int>(m_band / u) / 2;
    ASSERT_GT(h, 5);

    QImage image = m_view.grab().toImage();
    EXPECT_EQ(RowsOfColor(image, x, plot, kTuneColor), plot.height());
    EXPECT_EQ(RowsOfColor(image, x - 1, plot, kTuneColor), 0);
    EXPECT_EQ(RowsOfColor(image, x + 1, plot, kTuneColor), 0);
    // Dotted: about every other row of both lines.
    for (int column : {x - h, x + h})
    {
        EXPECT_GT(RowsOfColor(image, column, plot, kBandColor), plot.height() / 3) << column;
        EXPECT_EQ(RowsOfColor(image, column + 1, plot, kBandColor), 0) << column;
    }

    // A sweep zoomed in to about 3.5 pixels per point: the line covers the 3 columns of a point.
    const double pointMHz = 3.5 * (spec->GetXTo() - spec->GetXFrom()) / plot.width();
    m_view.SetSpectrumData(
        std::vector<double>(static_cast<size_t>((spec->GetXMax() - spec->GetXMin()) / pointMHz), -90.0));
    image = m_view.grab().toImage();
    ASSERT_EQ(dynamic_cast<CQSpectrumGraphic*>(spec)->m_pixelsPerPoint, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RowsOfColor(image, x + i, plot, kTuneColor), plot.height()) << i;
    EXPECT_EQ(RowsOfColor(image, x + 3, plot, kTuneColor), 0);

    // No lines while tuning is not allowed, nor for a tune frequency outside the window.
    m_view.m_bTuningEnabled = false;
    image = m_view.grab().toImage();
    EXPECT_EQ(RowsOfColor(image, x, plot, kTuneColor), 0);
    EXPECT_EQ(RowsOfColor(image, x - h, plot, kBandColor), 0);
}

TEST_F(RangeViewLinesTest, MultiRangeLinesOnlyInRangesHoldingTheTuneFrequency)
{
    m_view.AddMultiRange("low", 200.0, 210.0);
    m_view.AddMultiRange("high", 300.0, 400.0);
    m_view.SetPaneMode(4);
    auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(m_view.GetGraphic("MultiSpec"));
    ASSERT_NE(multi, nullptr);
    const QImage image = m_view.grab().toImage();
    // 200 MHz is the window start of the first range (bounds count): the line is drawn there, on
    // the range's own scale.
    const GraphicRange& low = multi->GetRange(0);
    const double u = (low.windowTo - low.windowFrom) / low.rect.width();
    const int x = static_cast<int>(low.rect.left() + (200.0 - low.windowFrom) / u);
    int tuneColumns = 0;
    for (int column = low.rect.left(); column <= low.rect.right(); ++column)
        tuneColumns += RowsOfColor(image, column, low.rect, kTuneColor) > 0 ? 1 : 0;
    ASSERT_TRUE(x >= low.rect.left() && x <= low.rect.right());
    EXPECT_GT(RowsOfColor(image, x, low.rect, kTuneColor), 0);
    EXPECT_EQ(tuneColumns, 1);
    const GraphicRange& high = multi->GetRange(1);
    for (int column = high.rect.left(); column <= high.rect.right(); ++column)
    {
        ASSERT_EQ(RowsOfColor(image, column, high.rect, kTuneColor), 0) << column;
        ASSERT_EQ(RowsOfColor(image, column, high.rect, kBandColor), 0) << column;
    }
}

TEST_F(RangeViewLinesTest, FullLabelInTheAxisCorner)
{
    IGraphic* spec = m_view.GetGraphic("Spec");
    const QRect corner(spec->GetYAxisRect().left(), spec->GetXAxisRect().top(), spec->GetYAxisRect().width(),
                       spec->GetXAxisRect().height());
    const QImage image = m_view.grab().toImage();
    int white = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y)
        for (int x = corner.left(); x <= corner.right(); ++x)
            white += (image.pixel(x, y) & 0xffffff) == 0xffffff ? 1 : 0;
    EXPECT_GT(white, 5);
}
}  // namespace
