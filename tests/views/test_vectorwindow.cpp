// The vector window: the band stream's I/Q samples as a constellation in its own floating dock, with
// both axes fixed at -1 .. 1 V and scaled to the data.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QWheelEvent>

#include <cmath>
#include <vector>

#include "rangedialogscript.h"
#include "scriptedprompt.h"
#include "testdevice.h"
#include "utils.h"
#include "vectorgraphic.h"
#include "vectorview.h"
#include "vectorwindow.h"

namespace
{
class DeviceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_NE(g_DeviceThread.m_pControlBits, nullptr);
        PrepareTestDevice({61.44e6});
    }
};
const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DeviceEnvironment);

// Translates the window's title as a second interface language would.
class GermanTitles : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (QLatin1String(context) == QLatin1String("CQVectorWindowClass") &&
            QLatin1String(sourceText) == QLatin1String("Vector"))
            return QStringLiteral("Vektor");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Wheel(QWidget* w, QPoint pos, int delta)
{
    QWheelEvent event(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

std::vector<double> Trace(IGraphic* pane, int trace)
{
    const std::vector<double>* data = dynamic_cast<ISimpleGraphic*>(pane)->GetData(trace);
    return data ? *data : std::vector<double>{};
}

// Four points, one in each quadrant: (0.5, 0.5), (-0.5, 0.5), (-0.5, -0.5), (0.5, -0.5) V.
const std::vector<double> kI{0.5, -0.5, -0.5, 0.5};
const std::vector<double> kQ{0.5, 0.5, -0.5, -0.5};
// Auto-scale makes the window symmetric and 10 % wider than the largest magnitude.
constexpr double kScaledHalfWidth = 0.55;

class VectorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view = window.GetView();
        ASSERT_NE(view, nullptr);
        vec = dynamic_cast<CQVectorGraphic*>(view->GetGraphic(QStringLiteral("Vec")));
        ASSERT_NE(vec, nullptr);
        window.resize(418, 374);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Pixel of a sample pair in the plot, for a symmetric window of half-width `half` on both axes.
    QPoint PixelOf(double i, double q, double half)
    {
        const QRect plot = vec->VectorPlotRect();
        const double x = plot.left() + (i + half) * (plot.right() - plot.left()) / (2.0 * half);
        const double y = plot.bottom() + (q + half) * (plot.top() - plot.bottom()) / (2.0 * half);
        return QPoint(static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y)));
    }

    QRgb ColourAt(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFFu; }

    CVectorWindow window;
    CVectorView* view = nullptr;
    CQVectorGraphic* vec = nullptr;
};

TEST_F(VectorWindowTest, FloatingDockWithOneVectorPane)
{
    EXPECT_EQ(window.GetSettingsName(), "VectorWindow");
    EXPECT_EQ(window.objectName(), "VectorWindow");
    EXPECT_EQ(window.windowTitle(), "Vector");
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.features(), QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                     QDockWidget::DockWidgetFloatable);
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);
    EXPECT_EQ(window.minimumSize(), QSize(348, 348));
    EXPECT_EQ(view->objectName(), "m_pVectorGraphView");
    EXPECT_EQ(view->font().family(), "Arial");
    EXPECT_EQ(view->GetShownCount(), 1);
    EXPECT_EQ(view->GetGraphicAt(0), vec);
    EXPECT_TRUE(vec->IsAutoScale());
    EXPECT_DOUBLE_EQ(vec->GetXMin(), -1.0);
    EXPECT_DOUBLE_EQ(vec->GetXMax(), 1.0);
    EXPECT_DOUBLE_EQ(vec->GetYMin(), -1.0);
    EXPECT_DOUBLE_EQ(vec->GetYMax(), 1.0);
}

TEST_F(VectorWindowTest, ShowsTheSamplesInTheirQuadrants)
{
    window.SetSamples(4);
    window.SetData(kI, kQ);
    EXPECT_EQ(Trace(vec, 0), kI);
    EXPECT_EQ(Trace(vec, 2), kQ);

    const QRgb green = QColor(Qt::green).rgb() & 0xFFFFFFu;
    QImage image = view->grab().toImage();
    ASSERT_DOUBLE_EQ(vec->GetXTo(), kScaledHalfWidth);
    ASSERT_DOUBLE_EQ(vec->GetYTo(), kScaledHalfWidth);
    for (size_t k = 0; k < kI.size(); ++k)
        EXPECT_EQ(ColourAt(image, PixelOf(kI[k], kQ[k], kScaledHalfWidth)), green) << "point " << k;
    // Points only: halfway between the two upper points the plot shows no trace.
    const QPoint between =
        (PixelOf(kI[0], kQ[0], kScaledHalfWidth) + PixelOf(kI[1], kQ[1], kScaledHalfWidth)) / 2;
    EXPECT_NE(ColourAt(image, between), green);

    // Lines join the points in sample order.
    window.SetShowLines(true);
    image = view->grab().toImage();
    EXPECT_EQ(ColourAt(image, between), green);

    // More points asked for than the block holds: nothing is drawn at the old places.
    window.SetSamples(5);
    image = view->grab().toImage();
    EXPECT_NE(ColourAt(image, PixelOf(kI[0], kQ[0], kScaledHalfWidth)), green);
}

TEST_F(VectorWindowTest, YAxisLabelsFitTheirBand)
{
    // The labels are right-aligned and clipped to the band: a wider one would lose its sign.
    window.SetSamples(4);
    window.SetData({-0.43, 0.43, 0.0, 0.0}, {0.0, 0.0, -0.43, 0.43});
    view->grab();
    double scale = 1.0;
    const QString unit = vec->GetYUnit(std::abs(vec->GetYFrom()), scale);
    EXPECT_EQ(unit, "mV");
    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 7));
    // The lowest Y label is the widest: a minus sign and the most digits.
    const QString lowest = CUtils::FormatFixed(vec->GetYFrom() * scale, vec->GetYPrecision());
    EXPECT_TRUE(lowest.startsWith('-')) << lowest.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(lowest), vec->VectorYBandRect().width()) << lowest.toStdString();
}

TEST_F(VectorWindowTest, PointerLeavesTheFixedAxesAlone)
{
    window.SetSamples(4);
    window.SetData(kI, kQ);
    view->grab();
    const QRect plot = vec->VectorPlotRect();
    const QPoint centre = plot.center();
    const QPoint xBand(plot.left() + 20, vec->VectorXBandRect().center().y());

    // No prompt is scripted: any question would fail the test.
    CScriptedPrompt prompt;
    Wheel(view, centre, 120);
    Wheel(view, xBand, -240);
    Send(view, QEvent::MouseMove, xBand, Qt::NoButton, Qt::NoButton);
    Send(view, QEvent::MouseButtonPress, xBand, Qt::LeftButton, Qt::LeftButton);
    Send(view, QEvent::MouseMove, xBand + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, xBand + QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
    Send(view, QEvent::MouseButtonDblClick, xBand, Qt::LeftButton, Qt::LeftButton);
    view->grab();
    EXPECT_DOUBLE_EQ(vec->GetXFrom(), -kScaledHalfWidth);
    EXPECT_DOUBLE_EQ(vec->GetXTo(), kScaledHalfWidth);
    EXPECT_DOUBLE_EQ(vec->GetYFrom(), -kScaledHalfWidth);
    EXPECT_DOUBLE_EQ(vec->GetYTo(), kScaledHalfWidth);
    EXPECT_TRUE(vec->IsAutoScale());
    EXPECT_TRUE(prompt.Asked().empty());
}

TEST_F(VectorWindowTest, ResetBringsAutoScaleBackAndKeepsTheRest)
{
    window.SetSamples(4);
    window.SetShowLines(true);
    window.SetData(kI, kQ);
    view->grab();

    // A typed amplitude window (in mV) switches auto-scale off.
    QString title;
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeRange(QStringLiteral("-200"), QStringLiteral("200"), &title));
        const QRect yBand = vec->VectorYBandRect();
        Send(view, QEvent::MouseButtonDblClick, yBand.center(), Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    EXPECT_EQ(title, "Amplitude Range Input");
    EXPECT_FALSE(vec->IsAutoScale());
    view->grab();
    EXPECT_DOUBLE_EQ(vec->GetYFrom(), -0.2);
    EXPECT_DOUBLE_EQ(vec->GetYTo(), 0.2);

    view->ResetAxes();
    EXPECT_TRUE(vec->IsAutoScale());
    EXPECT_DOUBLE_EQ(vec->GetXMin(), -1.0);
    EXPECT_DOUBLE_EQ(vec->GetXMax(), 1.0);
    EXPECT_DOUBLE_EQ(vec->GetYMin(), -1.0);
    EXPECT_DOUBLE_EQ(vec->GetYMax(), 1.0);
    EXPECT_EQ(Trace(vec, 0), kI);
    EXPECT_EQ(Trace(vec, 2), kQ);
    EXPECT_EQ(vec->GetSamples(), 4);
    EXPECT_TRUE(vec->IsShowLines());
    // The next paint scales to the data again.
    view->grab();
    EXPECT_DOUBLE_EQ(vec->GetYFrom(), -kScaledHalfWidth);
    EXPECT_DOUBLE_EQ(vec->GetYTo(), kScaledHalfWidth);
}

TEST_F(VectorWindowTest, LanguageChangeRetitlesOnly)
{
    window.SetSamples(4);
    window.SetData(kI, kQ);
    GermanTitles german;
    QCoreApplication::installTranslator(&german);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), "Vektor");
    // The dock's menu entry follows its title.
    EXPECT_EQ(window.toggleViewAction()->text(), "Vektor");
    QCoreApplication::removeTranslator(&german);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), "Vector");
    EXPECT_EQ(window.toggleViewAction()->text(), "Vector");

    EXPECT_EQ(Trace(vec, 0), kI);
    EXPECT_EQ(Trace(vec, 2), kQ);
    EXPECT_EQ(vec->GetSamples(), 4);
}
}  // namespace
