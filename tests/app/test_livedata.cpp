// Live data in the main window: the program in demo mode delivers the demo signal's spectrum to the
// range view through the 10 ms data tick.

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

    std::unique_ptr<Veltrano> m_window;
};

TEST_F(LiveDataTest, DemoModeDeliversTheDemoToneToTheRangeView)
{
    g_DeviceThread.SetDemoMode(false);
    m_window = std::make_unique<Veltrano>(0, QString());
    auto* action = m_window->findChild<QAction*>(QStringLiteral("m_pFileDemoModeAction"));
    ASSERT_NE(action, nullptr);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("switch to DEMO mode"));
        action->trigger();
    }
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());

    auto* view = m_window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
    ASSERT_NE(view, nullptr);
    auto* spec = dynamic_cast<ISimpleGraphic*>(view->GetGraphic(QStringLiteral("Spec")));
    ASSERT_NE(spec, nullptr);

    // The demo tone is a fixed carrier in one scan segment: the spectra shown must carry it as a
    // narrow peak far above the noise floor, at the same bin sweep after sweep.
    auto peakAfter = [spec](int ms, double* level, double* floor)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QTest::qWait(50);
        const std::vector<double>* shown = spec->GetData(1);
        if (!shown || shown->empty())
            return -1L;
        std::vector<double> sorted(*shown);
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2), sorted.end());
        *floor = sorted[sorted.size() / 2];
        auto peak = std::max_element(shown->begin(), shown->end());
        *level = *peak;
        return static_cast<long>(peak - shown->begin());
    };
    double level = 0.0;
    double floor = 0.0;
    long first = peakAfter(2000, &level, &floor);
    ASSERT_GE(first, 0) << "no range spectrum reached the view in two seconds";
    EXPECT_GT(level - floor, 20.0);
    long second = peakAfter(1000, &level, &floor);
    EXPECT_EQ(second, first);
    EXPECT_GT(level - floor, 20.0);

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
