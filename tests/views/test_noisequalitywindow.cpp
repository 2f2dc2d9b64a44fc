// The noise-quality window: the histogram of the full-range samples with its entropy and entropy
// coefficient, fed the way the main window feeds it on every range tick.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTranslator>

#include <cmath>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "inoisequality.h"
#include "noisequalityview.h"
#include "noisequalitywindow.h"
#include "oscillogramgraphic.h"

namespace
{
// The library's histogram: one bin per whole value from -2047 to 2047.
constexpr int kBins = 4095;
constexpr int kZeroBin = 2047;

class GermanTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (QLatin1String(context) != QLatin1String("CNoiseQualityWindow"))
            return QString();
        const QLatin1String source(sourceText);
        if (source == QLatin1String("Noise Quality"))
            return QStringLiteral("Rauschqualität");
        if (source == QLatin1String("Entropy"))
            return QStringLiteral("Entropie");
        if (source == QLatin1String("Entropy Coef"))
            return QStringLiteral("Entropiekoeffizient");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// `count` samples of each value, in the order given.
std::vector<double> Samples(std::initializer_list<std::pair<double, int>> runs)
{
    std::vector<double> samples;
    for (const auto& run : runs)
        samples.insert(samples.end(), static_cast<size_t>(run.second), run.first);
    return samples;
}

class NoiseQualityWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        quality = g_DeviceThread.m_pNoiseQuality;
        ASSERT_NE(quality, nullptr);
        view = window.GetView();
        ASSERT_NE(view, nullptr);
        osc = dynamic_cast<CQOscillogramGraphic*>(view->GetGraphic(QStringLiteral("Osc")));
        ASSERT_NE(osc, nullptr);
    }

    // What the main window does with one block of range samples while the window is visible.
    void Feed(const std::vector<double>& samples)
    {
        quality->Calculate(samples);
        window.SetData(quality->GetValues());
        window.SetEntropy(quality->GetValueA());
        window.SetEntropyCoef(quality->GetValueB());
    }

    QString Text(const char* label) { return window.findChild<QLabel*>(QLatin1String(label))->text(); }

    std::vector<double> Histogram()
    {
        const std::vector<double>* data = osc->GetData(0);
        return data ? *data : std::vector<double>{};
    }

    INoiseQuality* quality = nullptr;
    CNoiseQualityWindow window;
    CNoiseQualityView* view = nullptr;
    CQOscillogramGraphic* osc = nullptr;
};

TEST_F(NoiseQualityWindowTest, StartsWithZeroFiguresAndOneHiddenAxisPane)
{
    EXPECT_EQ(window.GetSettingsName(), "NoiseQualityWindow");
    EXPECT_EQ(window.windowTitle(), "Noise Quality");
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.features(), QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                     QDockWidget::DockWidgetFloatable);
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);
    EXPECT_EQ(window.minimumSize(), QSize(348, 370));
    EXPECT_EQ(Text("label"), "Entropy");
    EXPECT_EQ(Text("m_pEntropyLabel"), "0");
    EXPECT_EQ(Text("label_2"), "Entropy Coef");
    EXPECT_EQ(Text("m_pEntropyCoefLabel"), "0");
    EXPECT_EQ(view->objectName(), "m_pVectorGraphView");
    EXPECT_EQ(view->GetShownCount(), 1);
    EXPECT_EQ(view->GetGraphicAt(0), osc);
    EXPECT_TRUE(osc->IsAutoScale());
    EXPECT_EQ(osc->GetTrace(0).pen.color(), QColor(Qt::yellow));
    // No axis bands: the plot reaches almost to the pane's left and bottom edges.
    osc->SetRect(QRect(0, 0, 400, 300));
    EXPECT_LE(osc->GetPlotRect().left(), 1);
    EXPECT_GE(osc->GetPlotRect().bottom(), 290);
}

TEST_F(NoiseQualityWindowTest, FiguresOfKnownBlocks)
{
    struct Case
    {
        const char* name;
        std::vector<double> samples;
        const char* entropy;
        const char* coefficient;
    };
    const std::vector<Case> cases = {
        {"all in one bin", Samples({{3.0, 1000}}), "0", "0.0585498"},
        {"two equal bins", Samples({{-5.0, 500}, {5.0, 500}}), "0.30103", "0.0888718"},
        {"three to one", Samples({{0.0, 750}, {100.0, 250}}), "0.244219", "0.082141"},
        // Values beyond the histogram are not counted, but they still divide the counts.
        {"half out of range", Samples({{0.0, 2}, {5000.0, 1}, {-3000.0, 1}}), "0.150515", "0.0721348"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Feed(c.samples);
        EXPECT_EQ(Text("m_pEntropyLabel"), QLatin1String(c.entropy));
        EXPECT_EQ(Text("m_pEntropyCoefLabel"), QLatin1String(c.coefficient));
        ASSERT_EQ(Histogram().size(), static_cast<size_t>(kBins));
        EXPECT_DOUBLE_EQ(osc->GetXMin(), 0.0);
        EXPECT_DOUBLE_EQ(osc->GetXMax(), kBins - 1.0);
    }
    // The last block: half of the samples in the zero bin.
    EXPECT_DOUBLE_EQ(Histogram()[kZeroBin], 0.5);
}

TEST_F(NoiseQualityWindowTest, PlotsTheHistogramPeaksWhereTheyBelong)
{
    window.resize(418, 375);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Three quarters at 0 (bin 2047), a quarter at 100 (bin 2147).
    Feed(Samples({{0.0, 750}, {100.0, 250}}));
    const QImage image = view->grab().toImage();
    const QRect plot = osc->GetPlotRect();
    ASSERT_GT(plot.width(), 100);
    ASSERT_GT(plot.height(), 100);

    // Auto-scale over 0 .. 0.75: 30 % of the span below, 30 % of the rest above.
    const double yFrom = -0.225;
    const double yTo = 0.75 + (0.75 - yFrom) * 0.3;
    auto rowOf = [&](double p)
    { return plot.bottom() + (p - yFrom) * (plot.top() - plot.bottom()) / (yTo - yFrom); };
    auto columnOf = [&](int bin) { return plot.left() + bin * plot.width() / static_cast<double>(kBins); };
    const QRgb yellow = QColor(Qt::yellow).rgb();
    auto topYellowRow = [&](int x)
    {
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            if (image.pixel(x, y) == yellow)
                return y;
        return -1;
    };

    // The highest point of the trace is the zero bin's column at 0.75.
    int bestX = -1;
    int bestY = plot.bottom() + 1;
    for (int x = plot.left(); x <= plot.right(); ++x)
    {
        const int y = topYellowRow(x);
        if (y >= 0 && y < bestY)
        {
            bestY = y;
            bestX = x;
        }
    }
    EXPECT_NEAR(bestX, columnOf(kZeroBin), 2.0);
    EXPECT_NEAR(bestY, rowOf(0.75), 1.0);

    // The smaller peak a hundred bins further right reaches 0.25.
    int smallPeak = plot.bottom() + 1;
    for (int x = static_cast<int>(columnOf(kZeroBin + 100)) - 2; x <= columnOf(kZeroBin + 100) + 2; ++x)
    {
        const int y = topYellowRow(x);
        if (y >= 0)
            smallPeak = std::min(smallPeak, y);
    }
    EXPECT_NEAR(smallPeak, rowOf(0.25), 1.0);

    // Elsewhere the trace lies on the zero line.
    EXPECT_NEAR(topYellowRow(plot.left() + plot.width() / 8), rowOf(0.0), 1.0);
}

TEST_F(NoiseQualityWindowTest, EmptyHistogramClearsTheTraceAndKeepsTheAxis)
{
    Feed(Samples({{0.0, 10}}));
    window.SetData({});
    EXPECT_TRUE(Histogram().empty());
    EXPECT_DOUBLE_EQ(osc->GetXMax(), kBins - 1.0);
    view->resize(400, 300);
    EXPECT_FALSE(view->grab().isNull());
}

TEST_F(NoiseQualityWindowTest, ResetSwitchesOnlyAutoScaleBackOn)
{
    Feed(Samples({{0.0, 750}, {100.0, 250}}));
    const std::vector<double> histogram = Histogram();
    osc->SetAutoScale(false, false);
    view->ResetAxes();
    EXPECT_TRUE(osc->IsAutoScale());
    EXPECT_FALSE(osc->IsGrowOnly());
    EXPECT_DOUBLE_EQ(osc->GetXMin(), 0.0);
    EXPECT_DOUBLE_EQ(osc->GetXMax(), kBins - 1.0);
    EXPECT_EQ(Histogram(), histogram);
    EXPECT_EQ(Text("m_pEntropyLabel"), "0.244219");
}

TEST_F(NoiseQualityWindowTest, LanguageChangeRetranslatesAndShowsZeroUntilTheNextTick)
{
    Feed(Samples({{-5.0, 500}, {5.0, 500}}));
    const std::vector<double> histogram = Histogram();
    GermanTexts german;
    QCoreApplication::installTranslator(&german);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Rauschqualität"));
    EXPECT_EQ(window.toggleViewAction()->text(), QStringLiteral("Rauschqualität"));
    EXPECT_EQ(Text("label"), "Entropie");
    EXPECT_EQ(Text("label_2"), "Entropiekoeffizient");
    EXPECT_EQ(Text("m_pEntropyLabel"), "0");
    EXPECT_EQ(Text("m_pEntropyCoefLabel"), "0");
    EXPECT_EQ(Histogram(), histogram);
    QCoreApplication::removeTranslator(&german);

    Feed(Samples({{-5.0, 500}, {5.0, 500}}));
    EXPECT_EQ(Text("m_pEntropyLabel"), "0.30103");
}
}  // namespace
