// The three signal views as the main window builds them: their named panes, the measurements window
// each owns, the pane modes, and the axis windows they keep in the settings.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "analysisspectrumgraphic.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "icalcfft.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "measurementswindow.h"
#include "multiplerangesspectrumgraphic.h"
#include "multiplerangeswaterfallgraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "rangeview.h"
#include "spectrumgraphic.h"
#include "vectorgraphic.h"
#include "waterfallgraphic.h"

namespace
{
// The device thread as the main window finds it after start-up: a channel of type 0 covering 1 to
// 1000 MHz, its first DDC band selected and tuned to 100 MHz, the band calculator sized; and a second
// channel, of type 1, like it.
class ViewsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        IControlBits* bits = g_DeviceThread.m_pControlBits;
        ASSERT_NE(bits, nullptr);
        bits->ClearChannels();
        IChannel* channel = bits->AddChannel(0, L"T", L"Type", 61.44e6);
        channel->SetStartFreq(1.0);
        channel->SetStopFreq(1000.0);
        channel->SetUpperLimit(1000.0);
        IChannel* second = bits->AddChannel(1, L"W", L"Type", 61.44e6);
        second->SetStartFreq(1.0);
        second->SetStopFreq(1000.0);
        second->SetUpperLimit(1000.0);
        ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
        ASSERT_GT(bits->GetDdcBandCount(), 0);
        bits->SetTuneFreqAndBandwidth(100e6, 0);
        g_DeviceThread.m_pDdcFft1->Init(1);
    }
};
const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ViewsEnvironment);

// Which panes a mode shows, top first, which measurements list it picks, and whether it switches
// the oscillogram trigger off.
struct ModeCase
{
    int mode;
    std::vector<const char*> panes;
    int list;
    bool triggerOff;
};

template <class View>
void CheckModes(View& view, const std::vector<ModeCase>& cases, const std::vector<int>& ignored)
{
    view.resize(400, 300);
    for (const ModeCase& c : cases)
    {
        view.EnableTrigger(true, false);
        view.SetPaneMode(c.mode);
        EXPECT_EQ(view.GetPaneMode(), c.mode);
        ASSERT_EQ(view.GetShownCount(), static_cast<int>(c.panes.size())) << "mode " << c.mode;
        for (size_t i = 0; i < c.panes.size(); ++i)
            EXPECT_EQ(view.GetGraphicAt(static_cast<int>(i)), view.GetGraphic(c.panes[i]))
                << "mode " << c.mode;
        EXPECT_EQ(view.m_pMeasurementsWindow->GetCurrentList(), c.list) << "mode " << c.mode;
        EXPECT_EQ(view.IsTriggerEnabled(), !c.triggerOff) << "mode " << c.mode;
    }
    // Values outside the table leave panes, mode and trigger as they were.
    const int lastMode = cases.back().mode;
    IGraphic* shown = view.GetGraphicAt(0);
    for (int mode : ignored)
    {
        view.EnableTrigger(true, false);
        view.SetPaneMode(mode);
        EXPECT_EQ(view.GetPaneMode(), lastMode) << mode;
        EXPECT_EQ(view.GetGraphicAt(0), shown) << mode;
        EXPECT_TRUE(view.IsTriggerEnabled()) << mode;
    }
}

// With every DDC band removed from type 0's list, `exercise` (which builds, uses and destroys a view)
// throws nothing and leaves the channel keys of both groups as they were; the bands come back after.
void ExpectNoBandKeepsChannelKeys(const QString& spectrum, const QString& osc,
                                  const std::function<void()>& exercise)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    const char* const keys[] = {"StartXValue", "EndXValue", "StartYValue", "EndYValue", "TriggerLevel"};
    for (const QString& group : {spectrum, osc})
        for (const char* key : keys)
            g_Parameters.SetDouble(group, QStringLiteral("Hf") + key, 0.5);
    std::vector<DDC_BAND_ITEM> bands;
    while (bits->GetDdcBandCount() > 0)
    {
        bands.push_back(bits->GetDdcBand(0));
        bits->RemoveDdcBand(0);
    }
    EXPECT_NO_THROW(exercise());
    for (const QString& group : {spectrum, osc})
        for (const char* key : keys)
            EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("Hf") + key, 0.0), 0.5)
                << group.toStdString() << key;
    for (size_t i = 0; i < bands.size(); ++i)
        bits->InsertDdcBand(static_cast<int>(i), bands[i]);
}

// What a session does with a view's axes: a layout, applies, a save between them, every reset.
template <class View>
void UseEveryAxisOperation(View& view)
{
    view.resize(400, 300);
    view.SetPaneMode(2);
    view.ApplyAxisSettings();
    view.SetTriggerLevel(3.0);
    view.SaveAxisSettings();
    view.ApplyAxisSettings();
    view.ResetSpectrumXRange();
    view.ResetSpectrumYRange();
    view.ResetOscXRange();
    view.ResetOscYRange();
}

template <class Pane>
bool Is(CViewBase& view, const char* name)
{
    return dynamic_cast<Pane*>(view.GetGraphic(name)) != nullptr;
}

TEST(RangeView, BuildsItsPanesAndMeasurementsWindow)
{
    CRangeView view;
    EXPECT_TRUE(Is<CQAnalysisSpectrumGraphic>(view, "Spec"));
    EXPECT_TRUE(Is<CQMultipleRangesSpectrumGraphic>(view, "MultiSpec"));
    EXPECT_TRUE(Is<CQWaterfallGraphic>(view, "Waterfall"));
    EXPECT_TRUE(Is<CQMultipleRangesWaterfallGraphic>(view, "MultiWaterfall"));
    EXPECT_TRUE(Is<CQOscillogramGraphic>(view, "Osc"));
    EXPECT_EQ(dynamic_cast<CQMultipleRangesWaterfallGraphic*>(view.GetGraphic("MultiWaterfall"))
                  ->GetBufferBaseName(),
              "range_waterfall");
    auto* spec = dynamic_cast<CQSpectrumGraphic*>(view.GetGraphic("Spec"));
    EXPECT_EQ(spec->GetTraceCount(), 4);
    EXPECT_FALSE(spec->GetTrace(3).visible) << "the threshold line shows only on request";
    EXPECT_EQ(view.GetGraphic("Osc")->GetTraceCount(), 2);
    EXPECT_EQ(view.GetGraphic("Spec")->GetXPrecision(), 1);

    ASSERT_NE(view.m_pMeasurementsWindow, nullptr);
    EXPECT_EQ(view.m_pMeasurementsWindow->objectName(), "RangeMeasuresWindow");
    EXPECT_EQ(view.m_pMeasurementsWindow->windowTitle(), "Range Measurements");
    EXPECT_TRUE(view.m_pMeasurementsWindow->isFloating());
    EXPECT_EQ(view.m_pMeasurementsWindow->parent(), &view);
}

TEST(RangeView, PaneModes)
{
    CRangeView view;
    CheckModes(view,
               {{0, {"Spec"}, CMeasurementsWindow::SpectrumList, true},
                {3, {"Osc"}, CMeasurementsWindow::OscList, false},
                {1, {"Waterfall"}, CMeasurementsWindow::SpectrumList, true},
                {2, {"Spec", "Waterfall"}, CMeasurementsWindow::SpectrumList, true},
                {4, {"MultiSpec"}, CMeasurementsWindow::SpectrumList, true},
                {3, {"Osc"}, CMeasurementsWindow::OscList, false},
                {5, {"MultiWaterfall"}, CMeasurementsWindow::SpectrumList, true},
                {6, {"MultiSpec", "MultiWaterfall"}, CMeasurementsWindow::SpectrumList, true}},
               {7, -1});
    // The two stacked panes share the height.
    EXPECT_EQ(view.GetGraphicAt(0)->GetRect().height(), 150);
    EXPECT_EQ(view.GetGraphicAt(1)->GetRect().top(), 150);
}

TEST(RangeView, KeepsItsWindowsPerChannelTypeAcrossViews)
{
    const QString group = "RangeSpectrum";
    double from = 0.0;
    double to = 0.0;
    {
        CRangeView view;
        IGraphic* spec = view.GetGraphic("Spec");
        const double min = spec->GetXMin();
        const double max = spec->GetXMax();
        ASSERT_LT(min, max);
        from = min + (max - min) / 4;
        to = min + (max - min) / 2;
        view.SetPaneMode(0);
        view.SetXWindow(from, to);
        ASSERT_DOUBLE_EQ(spec->GetXFrom(), from);
        view.SetTriggerLevel(0.25);
    }
    // Closing the view stored the windows under the channel type's keys.
    EXPECT_NEAR(g_Parameters.GetDouble(group, CViewBase::ChannelKey("StartXValue"), -1.0), from, 1e-6);
    EXPECT_NEAR(g_Parameters.GetDouble(group, CViewBase::ChannelKey("EndXValue"), -1.0), to, 1e-6);
    EXPECT_NEAR(g_Parameters.GetDouble("RangeOscilloscope", CViewBase::ChannelKey("TriggerLevel"), -1.0),
                0.25, 1e-9);

    CRangeView next;
    EXPECT_NEAR(next.GetGraphic("Spec")->GetXFrom(), from, 1e-6);
    EXPECT_NEAR(next.GetGraphic("Spec")->GetXTo(), to, 1e-6);

    // A save without an apply in between writes nothing.
    next.SaveAxisSettings();
    next.SetPaneMode(0);
    next.SetXWindow(from, (from + to) / 2);
    next.SaveAxisSettings();
    ASSERT_LT(next.GetGraphic("Spec")->GetXTo(), to - 1e-3);
    EXPECT_NEAR(g_Parameters.GetDouble(group, CViewBase::ChannelKey("EndXValue"), -1.0), to, 1e-6);
}

TEST(DdcView, BuildsItsPanesAndSwitchesModes)
{
    CDdcView view;
    EXPECT_TRUE(Is<CQSpectrumGraphic>(view, "Spec"));
    EXPECT_TRUE(Is<CQWaterfallGraphic>(view, "Waterfall"));
    EXPECT_TRUE(Is<CQOscillogramGraphic>(view, "Osc"));
    EXPECT_TRUE(Is<CQVectorGraphic>(view, "Vec"));
    EXPECT_EQ(view.GetGraphic("Osc")->GetTraceCount(), 4);
    EXPECT_EQ(view.GetGraphic("Vec")->GetTraceCount(), 4);
    EXPECT_EQ(view.GetGraphic("Spec")->GetXPrecision(), 5);
    EXPECT_EQ(view.m_pMeasurementsWindow->objectName(), "DdcMeasuresWindow");
    EXPECT_EQ(view.m_pMeasurementsWindow->windowTitle(), "Band Measurements");
    EXPECT_EQ(view.GetShownCount(), 0) << "the main window picks the first mode";
    EXPECT_EQ(view.GetPauseState(), 0);

    CheckModes(view,
               {{0, {"Spec"}, CMeasurementsWindow::SpectrumIqList, true},
                {3, {"Osc"}, CMeasurementsWindow::OscIqList, false},
                {1, {"Waterfall"}, CMeasurementsWindow::SpectrumIqList, true},
                {4, {"Vec"}, CMeasurementsWindow::OscIqList, false},
                {2, {"Spec", "Waterfall"}, CMeasurementsWindow::SpectrumIqList, true}},
               {5, -1});
}

TEST(DdcView, BinsMapToTheBandAroundTheTuneFrequency)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_NE(bits, nullptr);
    const int n = g_DeviceThread.GetDdcFftSize();
    ASSERT_GT(n, 0);
    CDdcView view;
    const double tuneMHz = bits->GetTuneFreq() / 1e6;
    const double rateMHz = bits->GetSampleRate(-1) / 1e6;
    EXPECT_NEAR(view.IndexToX(n / 2), tuneMHz, 1e-9);
    EXPECT_NEAR(view.IndexToX(n / 2 + 1) - view.IndexToX(n / 2), rateMHz / n, 1e-9);
    EXPECT_EQ(view.XToIndex(g_DeviceThread.GetDdcLowerFreq(-1)), 0);
}

// The band view's windows live under the band key (channel prefix + band name without blanks) and
// fall back to the channel's; a band list without a valid band leaves the channel's keys alone.
TEST(DdcView, KeepsItsWindowsPerBand)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    DDC_BAND_ITEM narrow;
    narrow.Name = L"200 kHz";
    narrow.DeciCoeff = 64;
    const int index = bits->GetDdcBandCount();
    ASSERT_TRUE(bits->InsertDdcBand(index, narrow));
    bits->SetTuneFreqAndBandwidth(100e6, index);
    ASSERT_EQ(bits->GetBandwidthIndex(), index);
    const QString spectrum = QStringLiteral("DdcSpectrum");
    const QString osc = QStringLiteral("DdcOscilloscope");
    const double lower = g_DeviceThread.GetDdcLowerFreq(-1);
    const double upper = g_DeviceThread.GetDdcUpperFreq(-1);
    {
        CDdcView view;
        view.resize(400, 300);
        IGraphic* spec = view.GetGraphic("Spec");

        // Neither key: 0.0 .. 0.0, which the painter refuses, so the whole band shows.
        ASSERT_FALSE(g_Parameters.HasKey(spectrum, "HfWl200kHzStartXValue"));
        ASSERT_FALSE(g_Parameters.HasKey(spectrum, "HfWlStartXValue"));
        view.SetPaneMode(0);
        EXPECT_NEAR(spec->GetXFrom(), lower, 1e-9);
        EXPECT_NEAR(spec->GetXTo(), upper, 1e-9);
        // The channel's window, then the band's own.
        g_Parameters.SetDouble(spectrum, "HfWlStartXValue", lower + 0.01);
        g_Parameters.SetDouble(spectrum, "HfWlEndXValue", upper - 0.01);
        view.ApplyAxisSettings();
        EXPECT_NEAR(spec->GetXFrom(), lower + 0.01, 1e-6);
        g_Parameters.SetDouble(spectrum, "HfWl200kHzStartXValue", lower + 0.02);
        view.ApplyAxisSettings();
        EXPECT_NEAR(spec->GetXFrom(), lower + 0.02, 1e-6);
        EXPECT_NEAR(spec->GetXTo(), upper - 0.01, 1e-6);

        // One save per apply, under the band key.
        view.SetXWindow(lower + 0.03, upper - 0.03);
        view.SaveAxisSettings();
        view.SetXWindow(lower + 0.04, upper - 0.04);
        view.SaveAxisSettings();
        EXPECT_NEAR(g_Parameters.GetDouble(spectrum, "HfWl200kHzStartXValue", 0.0), lower + 0.03, 1e-6);
        EXPECT_NEAR(g_Parameters.GetDouble(spectrum, "HfWlStartXValue", 0.0), lower + 0.01, 1e-6);

        // A mode outside the table re-applies only when the band's rate changed.
        view.ApplyAxisSettings();
        view.SetXWindow(lower + 0.05, upper - 0.05);
        view.SetPaneMode(5);
        EXPECT_NEAR(spec->GetXFrom(), lower + 0.05, 1e-9) << "same rate: nothing re-applied";
        bits->SetTuneFreqAndBandwidth(100e6, 0);
        ASSERT_NE(bits->GetSampleRate(-1), 61.44e6 / 128);
        view.SetPaneMode(5);
        EXPECT_EQ(view.GetPaneMode(), 0);
        EXPECT_NEAR(spec->GetXMin(), g_DeviceThread.GetDdcLowerFreq(-1), 1e-9) << "the other band applied";
        bits->SetTuneFreqAndBandwidth(100e6, index);
        view.SetPaneMode(5);

        // The stored oscillogram window is one block, whatever the combine count makes the range.
        const double block = g_DeviceThread.GetOscDuration(-1);
        view.ResetOscXRange();
        view.OnCombineOsc(4);
        EXPECT_NEAR(g_Parameters.GetDouble(osc, "HfWl200kHzEndXValue", 0.0), block, 1e-6);
        EXPECT_NEAR(view.GetGraphic("Osc")->GetXMax(), 4 * block, 1e-12);
        EXPECT_NEAR(view.GetGraphic("Osc")->GetXTo(), block, 1e-6);
    }

    // No valid band: nothing is written under the channel's keys, and nothing throws.
    ExpectNoBandKeepsChannelKeys(spectrum, osc,
                                 []
                                 {
                                     CDdcView view;
                                     UseEveryAxisOperation(view);
                                     view.SetSpectrumData(std::vector<double>(16, -100.0));
                                     view.grab();
                                 });
    bits->RemoveDdcBand(index);
    bits->SetTuneFreqAndBandwidth(100e6, 0);
}

TEST(DemodView, BuildsItsPanesAndSwitchesModes)
{
    CDemodView view;
    EXPECT_TRUE(Is<CQSpectrumGraphic>(view, "Spec"));
    EXPECT_TRUE(Is<CQWaterfallGraphic>(view, "Waterfall"));
    EXPECT_TRUE(Is<CQOscillogramGraphic>(view, "Osc"));
    EXPECT_EQ(view.GetGraphic("Vec"), nullptr);
    EXPECT_EQ(view.GetGraphic("Osc")->GetTraceCount(), 2);
    EXPECT_EQ(view.m_pMeasurementsWindow->objectName(), "DemodMeasuresWindow");
    EXPECT_EQ(view.m_pMeasurementsWindow->windowTitle(), "Demodulation Measurements");

    CheckModes(view,
               {{3, {"Osc"}, CMeasurementsWindow::OscList, false},
                {0, {"Spec"}, CMeasurementsWindow::SpectrumList, true},
                {2, {"Spec", "Waterfall"}, CMeasurementsWindow::SpectrumList, true},
                {1, {"Waterfall"}, CMeasurementsWindow::SpectrumList, true}},
               {4, -1});
}

TEST(DemodView, SpectrumRunsFromZeroToHalfTheRateAndFitsTheNoise)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_NE(bits, nullptr);
    ASSERT_GT(bits->GetDdcBandCount(), 0);
    CDemodView view;
    view.SetPaneMode(0);  // the first mode applies the axis settings
    IGraphic* spec = view.GetGraphic("Spec");
    EXPECT_EQ(spec->GetXMin(), 0.0);
    EXPECT_NEAR(spec->GetXMax(), bits->GetSampleRate(-1) / 1e6 * 0.5, 1e-9);

    // The zero button: the level window starts 5 dB under the noise.
    std::vector<double> levels(257, -97.0);
    levels[100] = -20.0;
    dynamic_cast<ISimpleGraphic*>(spec)->SetData(1, levels);
    view.FitLevelToNoise();
    EXPECT_NEAR(spec->GetYFrom(), -102.0, 1e-9);
}
// The demodulation view keeps its windows per band as the band view does; its spectrum runs from 0 to
// half the band's rate and its oscillogram over one block.
TEST(DemodView, KeepsItsWindowsPerBand)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    DDC_BAND_ITEM narrow;
    narrow.Name = L"50 kHz";
    narrow.DeciCoeff = 64;
    const int index = bits->GetDdcBandCount();
    ASSERT_TRUE(bits->InsertDdcBand(index, narrow));
    bits->SetTuneFreqAndBandwidth(100e6, index);
    const QString spectrum = QStringLiteral("DemodSpectrum");
    const QString osc = QStringLiteral("DemodOscilloscope");
    const double span = g_DeviceThread.GetDemodSpan(-1);
    const double block = g_DeviceThread.GetOscDuration(-1);
    ASSERT_GT(span, 0.0);
    ASSERT_GT(block, 0.0);
    // The channel's window 0.0 .. 0.0 is as good as none.
    for (const char* key : {"StartXValue", "EndXValue"})
    {
        ASSERT_FALSE(g_Parameters.HasKey(spectrum, QStringLiteral("HfWl50kHz") + key));
        ASSERT_FALSE(g_Parameters.HasKey(osc, QStringLiteral("HfWl50kHz") + key));
        g_Parameters.SetDouble(spectrum, QStringLiteral("HfWl") + key, 0.0);
    }
    {
        CDemodView view;
        view.resize(400, 300);
        IGraphic* spec = view.GetGraphic("Spec");
        IGraphic* scope = view.GetGraphic("Osc");

        // No keys: 0.0 .. 0.0 is refused, so both panes show their whole range.
        view.SetPaneMode(0);
        EXPECT_EQ(spec->GetXFrom(), 0.0);
        EXPECT_NEAR(spec->GetXTo(), span, 1e-12);
        EXPECT_EQ(scope->GetXFrom(), 0.0);
        EXPECT_NEAR(scope->GetXTo(), block, 1e-12);

        // The channel's window, then the band's own; a second layout at the same rate applies nothing.
        g_Parameters.SetDouble(spectrum, "HfWlStartXValue", span * 0.1);
        g_Parameters.SetDouble(spectrum, "HfWlEndXValue", span * 0.9);
        view.SetPaneMode(2);
        EXPECT_EQ(spec->GetXFrom(), 0.0) << "same rate: nothing re-applied";
        view.ApplyAxisSettings();
        EXPECT_NEAR(spec->GetXFrom(), span * 0.1, 1e-6);
        g_Parameters.SetDouble(spectrum, "HfWl50kHzStartXValue", span * 0.2);
        view.ApplyAxisSettings();
        EXPECT_NEAR(spec->GetXFrom(), span * 0.2, 1e-6);
        EXPECT_NEAR(spec->GetXTo(), span * 0.9, 1e-6);

        // One save per apply, under the band key, the trigger level with it.
        view.SetTriggerLevel(2.5);
        spec->SetXWindow(span * 0.3, span * 0.8);
        view.SaveAxisSettings();
        spec->SetXWindow(span * 0.4, span * 0.7);
        view.SaveAxisSettings();
        EXPECT_NEAR(g_Parameters.GetDouble(spectrum, "HfWl50kHzStartXValue", 0.0), span * 0.3, 1e-6);
        EXPECT_NEAR(g_Parameters.GetDouble(spectrum, "HfWlStartXValue", 0.0), span * 0.1, 1e-6);
        EXPECT_NEAR(g_Parameters.GetDouble(osc, "HfWl50kHzTriggerLevel", 0.0), 2.5, 1e-6);

        // Reset and save: the next view shows the reset range.
        view.ApplyAxisSettings();
        view.ResetSpectrumXRange();
        view.ResetOscXRange();
        spec->SetYWindow(-90.0, -20.0);
        view.SaveAxisSettings();
    }
    {
        CDemodView view;
        view.resize(400, 300);
        view.SetPaneMode(3);
        IGraphic* spec = view.GetGraphic("Spec");
        IGraphic* scope = view.GetGraphic("Osc");
        EXPECT_EQ(spec->GetXFrom(), 0.0);
        EXPECT_NEAR(spec->GetXTo(), span, 1e-6);
        EXPECT_NEAR(spec->GetYFrom(), -90.0, 1e-6);
        EXPECT_NEAR(spec->GetYTo(), -20.0, 1e-6);
        EXPECT_EQ(scope->GetXFrom(), 0.0);
        EXPECT_NEAR(scope->GetXTo(), block, 1e-6);
    }

    // No valid band: saving, and the destructor's save, write no channel key and throw nothing.
    ExpectNoBandKeepsChannelKeys(spectrum, osc,
                                 []
                                 {
                                     CDemodView view;
                                     UseEveryAxisOperation(view);
                                     view.SetOscData(std::vector<double>(16, 0.5));
                                     view.grab();
                                 });
    bits->RemoveDdcBand(index);
    bits->SetTuneFreqAndBandwidth(100e6, 0);
}
}  // namespace
