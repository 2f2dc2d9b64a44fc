// What the main window hands the three views reaches the right panes: sweep data, overlays, the
// oscillogram block combining, the band spectrum correction and the archive entries.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>

#include <thread>
#include <vector>

#include "analysisspectrumgraphic.h"
#include "ddcview.h"
#include "demodview.h"
#include "isignalsarchive.h"
#include "itemplates.h"
#include "multiplerangesspectrumgraphic.h"
#include "optionswindow.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "testdevice.h"
#include "vectorgraphic.h"
#include "vectorview.h"
#include "vectorwindow.h"

namespace
{
class DataEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_NE(g_DeviceThread.m_pControlBits, nullptr);
        PrepareTestDevice({61.44e6});
    }
};
const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DataEnvironment);

std::vector<double> Ramp(size_t n, double start)
{
    std::vector<double> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = start + static_cast<double>(i);
    return v;
}

CQAnalysisSpectrumGraphic* Spec(CViewBase& view)
{
    return dynamic_cast<CQAnalysisSpectrumGraphic*>(view.GetGraphic("Spec"));
}

std::vector<double> Trace(CViewBase& view, const char* pane, int trace)
{
    auto* simple = dynamic_cast<ISimpleGraphic*>(view.GetGraphic(pane));
    const std::vector<double>* data = simple ? simple->GetData(trace) : nullptr;
    return data ? *data : std::vector<double>{};
}

TEST(RangeViewData, SweepDataReachTheirPanes)
{
    CRangeView view;
    view.SetPaneMode(0);
    const std::vector<double> sweep = Ramp(64, -90.0);
    view.SetSpectrumData(sweep);
    EXPECT_EQ(Trace(view, "Spec", 1), sweep);

    // The threshold line: copied, cleared by an empty vector, shown again by the next one.
    const std::vector<double> average(64, -70.0);
    view.SetAveragingTrace(average);
    EXPECT_EQ(Trace(view, "Spec", 3), average);
    view.SetAveragingTrace({});
    EXPECT_TRUE(Trace(view, "Spec", 3).empty());
    view.SetAveragingTrace(Ramp(64, -80.0));
    EXPECT_EQ(Trace(view, "Spec", 3), Ramp(64, -80.0));
    EXPECT_EQ(Trace(view, "Spec", 1), sweep) << "the live trace is left alone";

    view.SetThresholdLineVisible(true);
    EXPECT_TRUE(Spec(view)->GetTrace(3).visible);
    view.SetThresholdLineVisible(false);
    EXPECT_FALSE(Spec(view)->GetTrace(3).visible);

    // Oscillogram samples go to trace 0 of "Osc".
    view.SetOscData(Ramp(32, 0.0));
    EXPECT_EQ(Trace(view, "Osc", 0), Ramp(32, 0.0));
}

// A replay thread's spectrum arrives through the view's event queue, never straight in the painter.
TEST(RangeViewData, SpectrumFromAnotherThreadArrivesOnTheGuiThread)
{
    CRangeView view;
    view.SetPaneMode(0);
    const std::vector<double> sweep = Ramp(48, -95.0);
    std::thread replay([&] { view.SetSpectrumData(sweep); });
    replay.join();
    EXPECT_TRUE(Trace(view, "Spec", 1).empty()) << "nothing touched the painter from the other thread";
    // The hand-over is a posted event: deliver it directly rather than rely on one dispatcher pass.
    QCoreApplication::sendPostedEvents(&view);
    EXPECT_EQ(Trace(view, "Spec", 1), sweep);
}

TEST(RangeViewData, MultiRangesTakeTheirOwnSpectra)
{
    CRangeView view;
    auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(view.GetGraphic("MultiSpec"));
    ASSERT_NE(multi, nullptr);
    view.AddMultiRange("GSM 900", 925.0, 960.0);
    view.AddMultiRange("ISM", 433.0, 435.0);
    ASSERT_EQ(multi->GetRangeCount(), 2);
    EXPECT_EQ(multi->GetRange(1).name, "ISM");

    view.SetPaneMode(4);
    view.SetMultiRangeData(1, Ramp(16, -60.0));
    EXPECT_EQ(multi->GetRange(1).data, Ramp(16, -60.0));
    EXPECT_TRUE(multi->GetRange(0).data.empty());
    // A sweep spectrum does not go into the ranges.
    view.SetSpectrumData(Ramp(16, -100.0));
    EXPECT_EQ(multi->GetRange(1).data, Ramp(16, -60.0));

    view.ClearMultiRanges();
    EXPECT_EQ(multi->GetRangeCount(), 0);
    // Data for a range that is gone are dropped.
    view.SetMultiRangeData(1, Ramp(16, -60.0));
}

TEST(RangeViewData, AnalysisMarkersReplaceEachOtherAndClear)
{
    CRangeView view;
    SPECTRUM_MARKER_ITEM a;
    a.lowIndex = 3;
    a.peakIndex = 5;
    a.highIndex = 8;
    a.label = "A";
    SPECTRUM_MARKER_ITEM b = a;
    b.label = "B";
    view.SetAnalysisResults({a, b});
    ASSERT_EQ(Spec(view)->GetAnalysis().GetItems().size(), 2);
    EXPECT_EQ(Spec(view)->GetAnalysis().GetItems()[1].label, "B");
    EXPECT_TRUE(view.IsAnalysisShown());
    view.SetAnalysisResults({b});
    ASSERT_EQ(Spec(view)->GetAnalysis().GetItems().size(), 1);
    EXPECT_EQ(Spec(view)->GetAnalysis().GetItems()[0].label, "B");
    view.ClearAnalysisResults();
    EXPECT_TRUE(Spec(view)->GetAnalysis().GetItems().isEmpty());
    EXPECT_FALSE(view.IsAnalysisShown());
}

TEST(RangeViewData, KnownFrequencyDetectionsGoToTheRangeTheyBelongTo)
{
    CRangeView view;
    auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(view.GetGraphic("MultiSpec"));
    KNOWN_FREQ_DETECTION d;
    d.startIndex = 4;
    d.peakIndex = 5;
    d.endIndex = 6;
    d.channel = 17;
    view.SetKnownFreqResults(-1, {d});
    view.SetKnownFreqResults(2, {d, d});
    ASSERT_NE(Spec(view)->GetKnownFreq().GetItems(-1), nullptr);
    EXPECT_EQ(Spec(view)->GetKnownFreq().GetItems(-1)->size(), 1u);
    EXPECT_EQ(Spec(view)->GetKnownFreq().GetItems(2), nullptr);
    ASSERT_NE(multi->GetKnownFreq().GetItems(2), nullptr);
    EXPECT_EQ(multi->GetKnownFreq().GetItems(2)->at(1).channel, 17);

    view.SetKnownFreqResultsVisible(true);
    EXPECT_TRUE(Spec(view)->GetKnownFreq().IsShown());
    EXPECT_TRUE(multi->GetKnownFreq().IsShown());
    view.SetKnownFreqResultsVisible(false);
    EXPECT_FALSE(Spec(view)->GetKnownFreq().IsShown());
    EXPECT_FALSE(multi->GetKnownFreq().IsShown());
}

// An enabled template with one range and a disabled one: only the enabled range is marked, the
// markers freeze while analysis markers are shown, and switching the templates off empties them.
TEST(RangeViewData, TemplateMarkersFollowTheSweepUnlessAnalysisIsShown)
{
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    ASSERT_NE(templates, nullptr);
    templates->Clear();
    TEMPLATE_ITEM off;
    off.name = L"off";
    ARCHIVE_SIGNAL_ENTRY range;
    range.FreqBegin = 100.0;
    range.FreqEnd = 200.0;
    off.entries.push_back(range);
    ASSERT_TRUE(templates->Add(off));
    TEMPLATE_ITEM on = off;
    on.name = L"on";
    on.enabled = true;
    ASSERT_TRUE(templates->Add(on));
    const std::vector<int32_t> low = g_DeviceThread.FreqToIndices(100.0);
    const std::vector<int32_t> high = g_DeviceThread.FreqToIndices(200.0);
    ASSERT_EQ(low.size(), high.size());
    ASSERT_FALSE(low.empty());

    CRangeView view;
    const std::vector<double> sweep(64, -90.0);
    view.SetTemplateActivated(true);
    EXPECT_TRUE(Spec(view)->GetTemplates().IsShown());
    view.SetSpectrumData(sweep);
    const QVector<SPECTRUM_MARKER_ITEM>& markers = Spec(view)->GetTemplates().GetItems();
    ASSERT_EQ(markers.size(), static_cast<int>(low.size()));
    EXPECT_EQ(markers[0].lowIndex, low[0]);
    EXPECT_EQ(markers[0].peakIndex, low[0]);
    EXPECT_EQ(markers[0].highIndex, high[0]);
    EXPECT_EQ(markers[0].colorIndex, 1) << "the template's place in the list";
    EXPECT_EQ(markers[0].state, 1);

    // Analysis shown: a changed template list is not picked up.
    view.SetAnalysisResults({SPECTRUM_MARKER_ITEM{}});
    templates->Set(1, off);
    view.SetSpectrumData(sweep);
    EXPECT_EQ(Spec(view)->GetTemplates().GetItems().size(), static_cast<int>(low.size()));
    view.ClearAnalysisResults();
    view.SetSpectrumData(sweep);
    EXPECT_TRUE(Spec(view)->GetTemplates().GetItems().isEmpty());

    templates->Set(1, on);
    view.SetSpectrumData(sweep);
    EXPECT_FALSE(Spec(view)->GetTemplates().GetItems().isEmpty());
    view.SetTemplateActivated(false);
    EXPECT_TRUE(Spec(view)->GetTemplates().GetItems().isEmpty());
    EXPECT_FALSE(Spec(view)->GetTemplates().IsShown());
    templates->Clear();
}

TEST(RangeViewData, OwnColoursComeFromTheSettings)
{
    const QString colors = "Colors";
    struct Case
    {
        unsigned flag;
        bool custom;
    };
    // Only 1 selects the custom tuning-line and bandwidth colours; any non-zero value the threshold's.
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, false}})
    {
        g_Parameters.SetUInt(colors, "CustomMainCursor", c.flag);
        g_Parameters.SetUInt(colors, "CustomMainCursorColor", 0x123456);
        g_Parameters.SetUInt(colors, "CustomBandwidth", c.flag);
        g_Parameters.SetUInt(colors, "CustomBandwidthColor", 0x654321);
        g_Parameters.SetUInt(colors, "CustomThresholdLine", c.flag);
        g_Parameters.SetUInt(colors, "CustomThresholdLineColor", 0x80AABBCC);
        CRangeView view;
        view.SetPaneMode(0);
        view.ApplyColors();
        EXPECT_EQ(view.GetTuningLineColor(), c.custom ? QColor::fromRgb(0x123456) : QColor(Qt::white))
            << c.flag;
        EXPECT_EQ(view.GetBandwidthColor(), c.custom ? QColor::fromRgb(0x654321) : QColor(Qt::red)) << c.flag;
        const QColor threshold = Spec(view)->GetTrace(3).pen.color();
        if (c.flag != 0)
        {
            EXPECT_EQ(threshold, QColor::fromRgba(0x80AABBCC)) << c.flag;
            EXPECT_EQ(threshold.alpha(), 0x80);
        }
        else
        {
            EXPECT_EQ(threshold, QColor(Qt::white));
        }
    }
    g_Parameters.SetUInt(colors, "CustomThresholdLine", 0);
    g_Parameters.SetUInt(colors, "CustomMainCursor", 0);
    g_Parameters.SetUInt(colors, "CustomBandwidth", 0);
}

TEST(RangeViewData, SavesTheShownOscillogramAsAPaneFile)
{
    CTempDir dir;
    CRangeView view;
    view.SetPaneMode(3);
    view.SetOscData(Ramp(20, 0.0));
    const QString file = QString::fromStdString(dir.File("pulse.rod"));
    ASSERT_TRUE(view.SaveOscData(file));
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QDataStream stream(&in);
    QString tag;
    stream >> tag;
    EXPECT_EQ(tag, "rod");
    EXPECT_GT(in.size(), 10) << "the samples follow the tag";
    EXPECT_FALSE(view.SaveOscData(QString::fromStdString(dir.File("no/such/folder/pulse.rod"))));
}

TEST(RangeViewData, OscillogramAutoScaleSwitch)
{
    CRangeView view;
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(view.GetGraphic("Osc"));
    view.SetOscAutoScale(false);
    EXPECT_FALSE(osc->IsAutoScale());
    EXPECT_DOUBLE_EQ(osc->GetYFrom(), -0.05);
    EXPECT_DOUBLE_EQ(osc->GetYTo(), 0.05);
    view.SetOscAutoScale(true);
    EXPECT_TRUE(osc->IsAutoScale());
}

TEST(RangeViewData, TimerStoresOnlyChangedXWindowsWhileApplied)
{
    const QString group = "RangeSpectrum";
    const QString startKey = CViewBase::ChannelKey("StartXValue");
    CRangeView view;
    view.SetPaneMode(0);
    IGraphic* spec = view.GetGraphic("Spec");
    const double min = spec->GetXMin();
    const double max = spec->GetXMax();
    view.SetXWindow(min + (max - min) / 4, min + (max - min) / 2);
    g_Parameters.SetDouble(group, startKey, -1.0);
    view.OnTimer();
    EXPECT_NEAR(g_Parameters.GetDouble(group, startKey, 0.0), spec->GetXFrom(), 1e-6);

    // Unchanged: the next tick writes nothing.
    g_Parameters.SetDouble(group, startKey, -1.0);
    view.OnTimer();
    EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(group, startKey, 0.0), -1.0);

    // After the save the timer stays quiet until the axes are applied again.
    view.SaveAxisSettings();
    view.SetXWindow(min + (max - min) / 8, min + (max - min) / 2);
    g_Parameters.SetDouble(group, startKey, -1.0);
    view.OnTimer();
    EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(group, startKey, 0.0), -1.0);
}

TEST(ViewArchive, AddEntryFilesOneStampedEntry)
{
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    ASSERT_NE(archive, nullptr);
    std::vector<ARCHIVE_SIGNAL_ENTRY> before;
    archive->GetSignalsOfGroup(before, -1);

    CRangeView view;
    QSignalSpy saves(&view, &CViewBase::saveArchive);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    view.AddEntryToArchive(0, "memory", 100e6, 101e6, 100.5e6, -40.0, 6.0, 4, -1);
    EXPECT_EQ(saves.count(), 1) << "the main window writes the archive file on this signal";
    std::vector<ARCHIVE_SIGNAL_ENTRY> after;
    archive->GetSignalsOfGroup(after, -1);
    ASSERT_EQ(after.size(), before.size() + 1);
    const ARCHIVE_SIGNAL_ENTRY& entry = after.back();
    EXPECT_EQ(entry.Comment, L"memory");
    EXPECT_DOUBLE_EQ(entry.FreqBegin, 100e6);
    EXPECT_DOUBLE_EQ(entry.FreqEnd, 101e6);
    EXPECT_DOUBLE_EQ(entry.FreqPeak, 100.5e6);
    EXPECT_DOUBLE_EQ(entry.Level, -40.0);
    EXPECT_DOUBLE_EQ(entry.Excess, 6.0);
    EXPECT_EQ(entry.Source, 4);
    EXPECT_EQ(entry.Channel, g_DeviceThread.GetChannelType()) << "-1 is the current channel type";
    EXPECT_LE(std::abs(entry.Timestamp - now), 2);
    EXPECT_TRUE(entry.RangeImageFile.empty());
    EXPECT_EQ(entry.SignalRecordingNo, -1);
}

// An archive image is a pane file: its tag, then the pane's payload. One of the right type shows
// in the first shown pane as loaded data; one of another type is reported and changes nothing.
TEST(ViewArchive, LoadsAnImageOfItsTypeIntoTheShownPane)
{
    CTempDir dir;
    const QString file = QString::fromStdString(dir.File("entry_rsd.img"));
    const std::vector<double> sweep = Ramp(32, -100.0);
    {
        CRangeView source;
        source.SetPaneMode(0);
        source.SetSpectrumData(sweep);
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        QDataStream stream(&out);
        stream.setVersion(QDataStream::Qt_5_12);
        stream << QString("rsd");
        source.GetGraphic("Spec")->Save(stream);
    }

    CRangeView view;
    view.SetPaneMode(0);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, "Wrong file type!");
        view.OnLoadImageFromArchive(file, "rod");
    }
    EXPECT_FALSE(view.IsLoadedData());
    EXPECT_TRUE(Trace(view, "Spec", 2).empty());

    view.OnLoadImageFromArchive(file, "rsd");
    EXPECT_TRUE(view.IsLoadedData());
    EXPECT_EQ(Trace(view, "Spec", 2), sweep) << "a loaded spectrum becomes the held trace";
}

// With a combine count of 3 the blocks are shown as one record after every third block; a count
// below 1 behaves as 1.
TEST(DdcViewData, OscillogramCombinesBlocks)
{
    CDdcView view;
    view.SetPaneMode(3);
    view.OnCombineOsc(3);
    const std::vector<double> i1 = Ramp(4, 0.0), q1 = Ramp(4, 100.0);
    const std::vector<double> i2 = Ramp(4, 10.0), q2 = Ramp(4, 110.0);
    const std::vector<double> i3 = Ramp(4, 20.0), q3 = Ramp(4, 120.0);
    view.SetOscData(i1, q1);
    view.SetOscData(i2, q2);
    EXPECT_TRUE(Trace(view, "Osc", 0).empty());
    view.SetOscData(i3, q3);
    std::vector<double> iAll = i1, qAll = q1;
    iAll.insert(iAll.end(), i2.begin(), i2.end());
    iAll.insert(iAll.end(), i3.begin(), i3.end());
    qAll.insert(qAll.end(), q2.begin(), q2.end());
    qAll.insert(qAll.end(), q3.begin(), q3.end());
    EXPECT_EQ(Trace(view, "Osc", 0), iAll);
    EXPECT_EQ(Trace(view, "Osc", 2), qAll);
    EXPECT_EQ(Trace(view, "Vec", 0), iAll);
    EXPECT_EQ(Trace(view, "Vec", 2), qAll);

    // The next record starts afresh.
    view.SetOscData(i3, q3);
    view.SetOscData(i3, q3);
    EXPECT_EQ(Trace(view, "Osc", 0), iAll);

    for (int n : {0, -3})
    {
        view.OnCombineOsc(n);
        EXPECT_EQ(view.GetCombineCount(), 1);
        view.SetOscData(i2, q2);
        EXPECT_EQ(Trace(view, "Osc", 0), i2);
    }
}

TEST(DdcViewData, ShortQBlockIsPaddedNotOverRead)
{
    CDdcView view;
    view.OnCombineOsc(2);
    view.SetOscData(Ramp(4, 0.0), Ramp(4, 0.0));
    view.SetOscData(Ramp(4, 0.0), Ramp(2, 7.0));
    const std::vector<double> q = Trace(view, "Osc", 2);
    ASSERT_EQ(q.size(), 8u);
    EXPECT_EQ(q[4], 7.0);
    EXPECT_EQ(q[5], 8.0);
    EXPECT_EQ(q[6], 0.0);
}

// The options window's oscillogram and vector settings reach the views it is handed to.
TEST(ViewOptions, BandViewsFollowTheOptionsWindow)
{
    COptionsWindow options;
    CDdcView ddc;
    CDemodView demod;
    ddc.SetOptionsWindow(&options);
    demod.SetOptionsWindow(&options);
    EXPECT_EQ(ddc.m_pOptionsWindow, &options);
    EXPECT_EQ(demod.m_pOptionsWindow, &options);

    emit options.ddcCombineOsc(4);
    EXPECT_EQ(ddc.GetCombineCount(), 4);
    EXPECT_EQ(demod.GetCombineCount(), 1) << "the demodulator has its own count";
    emit options.demodCombineOsc(3);
    EXPECT_EQ(demod.GetCombineCount(), 3);
    emit options.vectorShowSamples(64);
    EXPECT_EQ(dynamic_cast<CQVectorGraphic*>(ddc.GetGraphic("Vec"))->GetSamples(), 64);

    // A view handed another window (or none) no longer follows the first.
    ddc.SetOptionsWindow(nullptr);
    emit options.ddcCombineOsc(2);
    EXPECT_EQ(ddc.GetCombineCount(), 4);
}

TEST(DemodViewData, OscillogramCombinesBlocks)
{
    CDemodView view;
    view.SetPaneMode(3);
    view.OnCombineOsc(2);
    view.SetOscData(Ramp(3, 0.0));
    EXPECT_TRUE(Trace(view, "Osc", 0).empty());
    view.SetOscData(Ramp(3, 3.0));
    EXPECT_EQ(Trace(view, "Osc", 0), Ramp(6, 0.0));
    view.OnCombineOsc(-1);
    EXPECT_EQ(view.GetCombineCount(), 1);
    view.SetOscData(Ramp(3, 9.0));
    EXPECT_EQ(Trace(view, "Osc", 0), Ramp(3, 9.0));
}

// The correction table follows the current band's decimation: 32 with the FIR filter bypassed
// reads "32", 32 through the filter "32f"; a decimation without a table leaves the spectrum as it is.
TEST(DdcViewData, FftCorrectionAddsTheTableOfTheCurrentBand)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    auto write = [&](const char* name, const QByteArray& text)
    {
        QFile file(folder + "/ddc_fft_corr_" + name + ".dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("32", "1.5\r\n\nx\n -2 ");
    write("32f", "10\n");
    // Numbers the text conversion accepts but no correction can be: they would poison every bin.
    write("16", "nan\ninf\n-inf\n2.5\n");
    // Longer than the band spectrum has bins: only the first lines are read.
    QByteArray longTable;
    for (int line = 0; line < 5000; ++line)
        longTable += QByteArray::number(line) + '\n';
    write("64", longTable);

    IControlBits* bits = g_DeviceThread.m_pControlBits;
    int band32 = -1;
    int plain = -1;
    for (int b = 0; b < bits->GetDdcBandCount(); ++b)
    {
        const DDC_BAND_ITEM& band = bits->GetDdcBand(b);
        if (band32 < 0 && band.DeciCoeff == 32)
            band32 = b;
        if (plain < 0 && band.DeciCoeff != 12 && band.DeciCoeff != 16 && band.DeciCoeff != 32 &&
            band.DeciCoeff != 64)
            plain = b;
    }
    ASSERT_GE(band32, 0);
    ASSERT_GE(plain, 0);
    const bool bypassed = bits->GetDdcBand(band32).BypassFir != 0;

    CDdcView view;
    EXPECT_EQ(view.GetCorrectionTables().Table(2), (std::vector<double>{1.5, 0.0, 0.0, -2.0}));
    EXPECT_EQ(view.GetCorrectionTables().Table(3), (std::vector<double>{10.0}));
    EXPECT_TRUE(view.GetCorrectionTables().Table(0).empty()) << "a missing file leaves its table empty";
    EXPECT_EQ(view.GetCorrectionTables().Table(1), (std::vector<double>{0.0, 0.0, 0.0, 2.5}));
    const std::vector<double>& table64 = view.GetCorrectionTables().Table(4);
    ASSERT_EQ(table64.size(), 4096u);
    EXPECT_EQ(table64.front(), 0.0);
    EXPECT_EQ(table64.back(), 4095.0);

    bits->SetTuneFreqAndBandwidth(100e6, band32);
    const std::vector<double> spectrum(6, -80.0);
    view.SetSpectrumData(spectrum);
    EXPECT_EQ(Trace(view, "Spec", 1), spectrum) << "off until switched on";

    view.SetFftCorr(true);
    view.SetSpectrumData(spectrum);
    EXPECT_EQ(Trace(view, "Spec", 1), bypassed
                                          ? (std::vector<double>{-78.5, -80.0, -80.0, -82.0, -80.0, -80.0})
                                          : (std::vector<double>{-70.0, -80.0, -80.0, -80.0, -80.0, -80.0}));

    bits->SetTuneFreqAndBandwidth(100e6, plain);
    view.SetSpectrumData(spectrum);
    EXPECT_EQ(Trace(view, "Spec", 1), spectrum);
    bits->SetTuneFreqAndBandwidth(100e6, 0);
    view.SetFftCorr(false);
    // Views made later read no tables of this test.
    for (const char* name : {"16", "32", "32f", "64"})
        QFile::remove(folder + "/ddc_fft_corr_" + name + ".dat");
}

TEST(DdcViewData, VectorOptionsReachThePaneAndTheSeparateWindow)
{
    CDdcView view;
    CVectorWindow window;
    view.m_pVectorWindow = &window;
    auto* vec = dynamic_cast<CQVectorGraphic*>(view.GetGraphic("Vec"));
    auto* separate = dynamic_cast<CQVectorGraphic*>(window.GetView()->GetGraphic("Vec"));
    ASSERT_NE(separate, nullptr);
    view.OnVectorShowSamples(77);
    EXPECT_EQ(vec->GetSamples(), 77);
    EXPECT_EQ(separate->GetSamples(), 77);

    // The vector pane takes over from the separate window, and the window brings the spectrum back.
    window.show();
    view.SetPaneMode(4);
    EXPECT_FALSE(window.isVisible());
    view.OnSeparateVector();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(view.GetPaneMode(), 0);
    view.m_pVectorWindow = nullptr;
}
}  // namespace
