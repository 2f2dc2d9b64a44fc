// The full-range analysis in demo mode, in-process with the real library and the main window: Analyze
// over the live range spectrum lists the demo tone where the demo signal's formula puts it, the range
// view marks every result, a row retunes the receiver and hiding the window takes the marks away.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <memory>
#include <vector>

#include "analysisspectrumgraphic.h"
#include "analysiswindow.h"
#include "demosignal.h"
#include "demowindow.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "icontrolbits.h"
#include "rangeview.h"
#include "veltrano.h"

namespace
{
// Width of one synthesizer step of the sweep, MHz: the radio's capture.
constexpr double kCaptureMHz = 61.0;

TEST(AnalysisDemoTest, AnalyzeListsAndMarksTheDemoToneAndARowRetunes)
{
    auto window = StartDemoWindow();
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    CRangeView* view = WaitForRangeSpectrum(*window);
    ASSERT_NE(view, nullptr);
    auto* spec = dynamic_cast<CQAnalysisSpectrumGraphic*>(view->GetGraphic(QStringLiteral("Spec")));
    ASSERT_NE(spec, nullptr);
    // The averaging settles; showing the window hands the stored analysis settings to the library,
    // whose threshold follows them from the next sweep on.
    QTest::qWait(2000);
    auto* analysis = window->findChild<CAnalysisWindow*>();
    ASSERT_NE(analysis, nullptr);
    window->OnAnalysisButton();
    ASSERT_TRUE(analysis->isVisible());
    QTest::qWait(1000);

    analysis->Form().m_pAnalyzeButton->click();
    QTreeWidget* tree = analysis->Form().m_pTreeWidget;
    ASSERT_TRUE(QTest::qWaitFor([tree] { return tree->topLevelItemCount() > 0; }, 3000));

    // The demo tone: 20 cycles in its 128-sample segment, I = sin and Q = cos (below the step's centre),
    // in segment 9 of the sweep. A synthesizer step transforms 256 samples, two segments, and covers one
    // capture from the scan's start on.
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    ASSERT_TRUE(adf->IsEnabled());
    const double segmentSamples = adf->GetBlockSize() * 64.0;
    const double stepSamples = adf->GetBlockSize() * 128.0;
    const int step = static_cast<int>(CDemoSignal::kToneSegment * segmentSamples / stepSamples);
    const double toneMHz = adf->GetStartFreq() + kCaptureMHz * (step + 0.5) - kCaptureMHz * 20.0 / 128.0;
    const double pointMHz = (adf->GetStopFreq() - adf->GetStartFreq()) / adf->GetNumberGarms();

    const std::vector<ANALYSIS_RESULT_ITEM>& results = g_DeviceThread.m_pAnalysis->GetResults();
    QTreeWidgetItem* toneRow = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* row = tree->topLevelItem(i);
        const double freqMHz = row->data(0, Qt::UserRole).toDouble();
        if (std::fabs(freqMHz - toneMHz) <= pointMHz)
        {
            toneRow = row;
            continue;
        }
        // Everything else is the small carrier at the centre of each capture.
        const double centres = (freqMHz - adf->GetStartFreq()) / kCaptureMHz - 0.5;
        EXPECT_NEAR(centres, std::round(centres), 2.0 * pointMHz / kCaptureMHz) << freqMHz;
    }
    ASSERT_NE(toneRow, nullptr) << "no row at " << toneMHz << " MHz";
    const ANALYSIS_RESULT_ITEM& tone =
        results.at(static_cast<size_t>(toneRow->data(3, Qt::UserRole).toInt()));
    EXPECT_EQ(tone.status, 2);
    EXPECT_EQ(toneRow->background(0).color(), QColor(Qt::red));
    EXPECT_GT(tone.excess, 30.0);
    EXPECT_LE(tone.startFreq, toneMHz);
    EXPECT_GE(tone.endFreq, toneMHz);

    // The range view's overlay marks every result, the tone at its peak's point.
    const CAnalysisSpectrum& overlay = spec->GetAnalysis();
    EXPECT_TRUE(overlay.HasResults());
    ASSERT_EQ(overlay.GetItems().size(), static_cast<int>(results.size()));
    bool marked = false;
    for (const SPECTRUM_MARKER_ITEM& marker : overlay.GetItems())
        marked |= marker.peakIndex == g_DeviceThread.FreqToIndex(tone.peakFreq) &&
                  marker.lowIndex == g_DeviceThread.FreqToIndex(tone.startFreq) && marker.state == 2;
    EXPECT_TRUE(marked);

    // A click on the row tunes the receiver to the tone.
    tree->setCurrentItem(toneRow);
    EXPECT_NEAR(g_DeviceThread.m_pControlBits->GetTuneFreq(), tone.peakFreq * 1e6, 1000.0);

    // Hiding the window clears the marks.
    analysis->hide();
    EXPECT_FALSE(overlay.HasResults());
    EXPECT_TRUE(overlay.GetItems().isEmpty());

    EXPECT_TRUE(window->close());
    window.reset();
    g_DeviceThread.Stop();
}
}  // namespace
