// Live data in the main window: the program in demo mode delivers the demo signal's spectrum to the
// range view through the 10 ms data tick, and the range pane's level window is fitted to it once.

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMutexLocker>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "demosignal.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "iadf4350.h"
#include "isimplegraphic.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "veltrano.h"

namespace
{
class LiveDataTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void TearDown() override
    {
        m_window.reset();
        g_DeviceThread.SetDemoMode(false);
    }

    void EnterDemo(bool fromFileMenu)
    {
        CScriptedPrompt prompt;  // the no-connection window's way in asks nothing
        if (!fromFileMenu)
        {
            m_window->OnSwitchToDemo();
            return;
        }
        auto* action = m_window->findChild<QAction*>(QStringLiteral("m_pFileDemoModeAction"));
        ASSERT_NE(action, nullptr);
        prompt.Answer(QMessageBox::Yes, QStringLiteral("switch to DEMO mode"));
        action->trigger();
    }

    // Runs the event loop for `ms`, then gives the peak bin of the shown spectrum (-1 when none is
    // shown), its level and the median level.
    static long PeakAfter(ISimpleGraphic& spec, int ms, double* level, double* floor)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QTest::qWait(50);
        const std::vector<double>* shown = spec.GetData(1);
        if (!shown || shown->empty())
            return -1L;
        std::vector<double> sorted(*shown);
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2), sorted.end());
        *floor = sorted[sorted.size() / 2];
        auto peak = std::max_element(shown->begin(), shown->end());
        *level = *peak;
        return static_cast<long>(peak - shown->begin());
    }

    std::unique_ptr<Veltrano> m_window;
};

TEST_F(LiveDataTest, DemoModeDeliversTheDemoToneToTheRangeView)
{
    // Demo mode is entered from the File menu (with a question) or from the no-connection window
    // (without one); either way the demo signal must show where the operator looks.
    enum Entry
    {
        FileMenu,
        NoConnectionWindow
    };
    for (Entry entry : {FileMenu, NoConnectionWindow})
    {
        SCOPED_TRACE(entry == FileMenu ? "File > Demo Mode" : "OnSwitchToDemo");
        g_DeviceThread.SetDemoMode(false);
        m_window = std::make_unique<Veltrano>(0, QString());
        auto* view = m_window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
        ASSERT_NE(view, nullptr);
        IGraphic* pane = view->GetGraphic(QStringLiteral("Spec"));
        auto* spec = dynamic_cast<ISimpleGraphic*>(pane);
        ASSERT_NE(spec, nullptr);
        const double defaultFrom = pane->GetYFrom();

        EnterDemo(entry == FileMenu);
        ASSERT_TRUE(g_DeviceThread.IsDemoMode());

        // The first sweep that reaches the pane sets the level window's start 5 dB under its noise,
        // as the pane's "Z" button does, not below the pane's level floor.
        ASSERT_TRUE(QTest::qWaitFor(
            [spec]
            {
                const std::vector<double>* shown = spec->GetData(1);
                return shown && !shown->empty();
            },
            3000))
            << "no range spectrum reached the view in three seconds";
        double noise = 0.0;
        view->CalcNoiseLevel(*spec->GetData(1), &noise, true, -1, -1);
        ASSERT_TRUE(std::isfinite(noise));
        const double fitted = pane->GetYFrom();
        EXPECT_NEAR(fitted, std::max(noise - 5.0, pane->GetYMin()), 1.0);

        // Once the averaging has settled the demo tone is a fixed carrier in one scan segment: a narrow
        // peak far above the noise floor, at the same bin sweep after sweep, inside the fitted window
        // and under the start of a fresh machine's window (without correction tables).
        double level = 0.0;
        double floor = 0.0;
        long firstPeak = PeakAfter(*spec, 3000, &level, &floor);
        ASSERT_GE(firstPeak, 0);
        EXPECT_GT(level - floor, 20.0);
        EXPECT_LT(level, defaultFrom);
        EXPECT_GT(level, pane->GetYFrom());
        EXPECT_LT(level, pane->GetYTo());
        long secondPeak = PeakAfter(*spec, 1000, &level, &floor);
        EXPECT_EQ(secondPeak, firstPeak);
        EXPECT_GT(level - floor, 20.0);
        // Later sweeps leave the window where the first one put it.
        EXPECT_DOUBLE_EQ(pane->GetYFrom(), fitted);

        // The fit is made once: a window the operator sets afterwards stays through later sweeps.
        pane->SetYWindow(-150.0, -60.0);
        PeakAfter(*spec, 1000, &level, &floor);
        EXPECT_DOUBLE_EQ(pane->GetYFrom(), -150.0);
        EXPECT_DOUBLE_EQ(pane->GetYTo(), -60.0);

        // Each start of demo mode fits again.
        {
            CScriptedPrompt prompt;
            prompt.Answer(QMessageBox::Yes, QStringLiteral("switch to online mode"));
            m_window->OnFileDemoModeMenu();
        }
        ASSERT_FALSE(g_DeviceThread.IsDemoMode());
        EnterDemo(entry == FileMenu);
        ASSERT_TRUE(QTest::qWaitFor([pane] { return pane->GetYFrom() != -150.0; }, 3000));
        EXPECT_DOUBLE_EQ(pane->GetYTo(), -60.0);
    }

    // The peak comes from the demo sweep itself: the samples the device delivered carry the tone in
    // the demo's tone segment and only noise elsewhere.
    std::vector<double> sweep;
    {
        QMutexLocker lock(&g_DataMutex);
        sweep = g_DeviceThread.m_RangeIRaw;
    }
    const size_t segment = static_cast<size_t>(g_DeviceThread.m_pAdf->GetBlockSize()) * 64;
    const size_t toneBegin = segment * CDemoSignal::kToneSegment;
    ASSERT_GT(segment, 0u);
    ASSERT_GE(sweep.size(), toneBegin + segment);
    auto rms = [&sweep](size_t begin, size_t end)
    {
        double sum = 0.0;
        for (size_t k = begin; k < end; ++k)
            sum += sweep[k] * sweep[k];
        return std::sqrt(sum / static_cast<double>(end - begin));
    };
    const double tone = rms(toneBegin, toneBegin + segment);
    const double before = rms(0, toneBegin);
    const double after = rms(toneBegin + segment, sweep.size());
    EXPECT_GT(tone, 100.0 * before);
    EXPECT_GT(tone, 100.0 * after);
}
}  // namespace
