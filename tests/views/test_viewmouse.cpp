// Mouse and wheel on a view, with hand-built events as the window system delivers them: edge drags
// in the axis cells and their speed factors, the wheel zoom around the pointer, the waterfall
// question, the range dialogs of a double-click, the stacking of panes on resize, and one paint per
// move.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <QWheelEvent>

#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "rangedialogscript.h"
#include "scriptedprompt.h"
#include "testview.h"
#include "utils.h"

namespace
{
// Geometry used throughout: a 447 x 327 view with one pane has its plot at x 40..439 (400 px) and
// y 0..299 (300 px); the X band's two cells are x 40..239 and 240..439 at y 301..320; the Y band's
// three cells (40 px wide) are, from the bottom, rows 199..299, 99..199 and -1..99.
constexpr int kWidth = 447;
constexpr int kHeight = 327;
constexpr int kXBandY = 310;

class CMouseView : public CTestView
{
public:
    CMouseView()
    {
        for (IGraphic* pane : {static_cast<IGraphic*>(m_spec), static_cast<IGraphic*>(m_waterfall),
                               static_cast<IGraphic*>(m_osc)})
        {
            pane->SetXAxisBand(20, 2);
            pane->SetYAxisBand(40, 3);
        }
        m_spec->SetXLimits(0.0, 1000.0, 1000.0);
        m_spec->SetYLimits(-150.0, 50.0);
        m_waterfall->SetXLimits(0.0, 1000.0, 1000.0);
        m_waterfall->SetYLimits(-150.0, 50.0);
        m_osc->SetXLimits(0.0, 0.01, 0.01);
        m_osc->SetYLimits(-2.0, 2.0);
        resize(kWidth, kHeight);
    }

    int m_paints = 0;
    bool m_zoomWhilePaused = true;

    using CViewBase::m_LastPoint;
    using CViewBase::m_Shown;

    bool CanZoomWhilePaused() override { return m_zoomWhilePaused; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++m_paints;
        CViewBase::paintEvent(event);
    }
};

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Move(QWidget* w, QPoint pos, bool leftHeld)
{
    Send(w, QEvent::MouseMove, pos, Qt::NoButton, leftHeld ? Qt::LeftButton : Qt::NoButton);
}

void Press(QWidget* w, QPoint pos)
{
    Send(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

void Release(QWidget* w, QPoint pos)
{
    Send(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

// A drag as the window system delivers it: the pointer arrives, the button goes down, it moves.
void Drag(QWidget* w, QPoint from, QPoint to)
{
    Move(w, from, false);
    Press(w, from);
    Move(w, to, true);
    Release(w, to);
}

void Wheel(QWidget* w, QPoint pos, int delta)
{
    QWheelEvent event(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

void DoubleClick(QWidget* w, QPoint pos)
{
    Send(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
}

class ViewMouseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_FreqOffset = 0.0;
        view.ShowPane(QStringLiteral("Spec"));
        view.m_spec->SetXWindow(100.0, 300.0);   // 0.5 MHz per pixel
        view.m_spec->SetYWindow(-110.0, -50.0);  // 0.2 dB per pixel
        Render();
    }

    void TearDown() override { g_FreqOffset = 0.0; }

    // The panes learn their per-pixel steps from a paint.
    void Render() { view.grab(); }

    CMouseView view;
};

TEST(ViewDragFactor, RunsFromTheOuterToTheInnerEndOfTheCell)
{
    const QRect left(40, 301, 200, 20);    // left edge 40, right edge 239
    const QRect right(240, 301, 200, 20);  // left edge 240, right edge 439
    struct Case
    {
        const char* name;
        int x;
        QRect cell;
        bool fromRight;
        double factor;
    };
    const std::vector<Case> cases = {
        {"left cell, outer end", 40, left, false, 0.01},
        {"left cell, middle of the band", 239, left, false, 9.01},
        {"left cell, one third", 106, left, false, 66 * 9.0 / 199 + 0.01},
        {"left of the left cell stays at the minimum", 20, left, false, 0.01},
        {"right cell, outer end", 439, right, true, 0.01},
        {"right cell, middle of the band", 240, right, true, 9.01},
        {"right of the right cell", 460, right, true, 21 * 9.0 / 199 + 0.01},
        {"cell one pixel wide", 300, QRect(300, 0, 1, 5), false, 0.01},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(CViewBase::XDragFactor(c.x, c.cell, c.fromRight), c.factor);
    }

    const QRect yCell(0, 199, 40, 101);  // top 199, bottom 299
    EXPECT_DOUBLE_EQ(CViewBase::YDragFactor(299, yCell), 0.01);
    EXPECT_DOUBLE_EQ(CViewBase::YDragFactor(199, yCell), 0.91);
    EXPECT_DOUBLE_EQ(CViewBase::YDragFactor(10, QRect(0, 10, 40, 1)), 0.01);
}

TEST_F(ViewMouseTest, DragInTheLeftXCellMovesOnlyTheStart)
{
    CScriptedPrompt prompt;  // one plain pane: no question
    // 10 px right at 0.5 MHz per pixel: dx = -5 MHz, factor at x = 50.
    Drag(&view, QPoint(40, kXBandY), QPoint(50, kXBandY));
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 100.0 + 5.0 * (10 * 9.0 / 199 + 0.01));
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 300.0);
}

TEST_F(ViewMouseTest, PointerLeavingTheLeftCellKeepsTheDragDirection)
{
    // 10 px left, out of the band: the start still moves left (the range widens), at the slowest
    // speed, rather than running the other way.
    Drag(&view, QPoint(40, kXBandY), QPoint(30, kXBandY));
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 100.0 - 5.0 * 0.01);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 300.0);
}

TEST_F(ViewMouseTest, DragToTheRightEdgeOfTheRightCellGrowsTheEndByItsSlowestFactor)
{
    Drag(&view, QPoint(429, kXBandY), QPoint(439, kXBandY));
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 300.05);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 100.0);
}

TEST_F(ViewMouseTest, DragInsideAZoomedPlotMovesTheContentWithThePointer)
{
    Drag(&view, QPoint(200, 150), QPoint(220, 150));
    // 20 px right at 0.5 MHz per pixel: the window moves 10 MHz down.
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 90.0);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 290.0);
}

TEST_F(ViewMouseTest, YEdgeDragsChangeOnlyThePaneUnderThePointer)
{
    // Bottom cell, pointer 10 rows up from the cell's bottom edge: dy = 2 dB, factor 0.1 x 0.9 + 0.01.
    Drag(&view, QPoint(20, 299), QPoint(20, 289));
    const double k = 10 * 0.9 / 100 + 0.01;
    EXPECT_NEAR(view.m_spec->GetYFrom(), -110.0 + k * 2.0, 1e-9);
    EXPECT_DOUBLE_EQ(view.m_spec->GetYTo(), -50.0);
}

TEST_F(ViewMouseTest, WaterfallBottomCellDragChangesItsTimeScaleNotItsLevels)
{
    view.ShowPane(QStringLiteral("Waterfall"));
    view.m_waterfall->SetYWindow(-110.0, -50.0);
    // A waterfall without lines draws nothing and learns no steps.
    view.m_waterfall->SetClock([nowMs = qint64{1'700'000'000'000}]() mutable { return nowMs += 25; });
    view.m_waterfall->SetTimeScale(25);  // one line per image row
    for (int i = 0; i < 3; ++i)
        view.AddWaterfallLine(std::vector<double>(100, -80.0));
    Render();
    const int before = view.m_waterfall->GetMsPerRow();
    const double perRow = view.m_waterfall->GetYPerPixel();
    ASSERT_GT(perRow, 0.0);
    // 5 rows up: dy = 5 rows of levels, and ten milliseconds per image row for each unit of dy.
    Drag(&view, QPoint(20, 290), QPoint(20, 285));
    EXPECT_EQ(view.m_waterfall->GetMsPerRow(), before + static_cast<int>(5 * perRow * 10.0));
    EXPECT_DOUBLE_EQ(view.m_waterfall->GetYFrom(), -110.0);
    EXPECT_DOUBLE_EQ(view.m_waterfall->GetYTo(), -50.0);
}

TEST_F(ViewMouseTest, MiddleYCellOfAnOscillogramWheelMovesTraceZeroDragMovesBoth)
{
    view.ShowPane(QStringLiteral("Osc"));
    view.m_osc->SetYWindow(-1.5, 1.5);  // 0.01 V per row
    Render();
    const QPoint middle(20, 150);

    Wheel(&view, middle, 120);
    // dy = 1200 x 0.01 / 25
    EXPECT_NEAR(view.m_osc->GetTraceOffset(0), 0.48, 1e-9);
    EXPECT_DOUBLE_EQ(view.m_osc->GetTraceOffset(1), 0.0);

    Drag(&view, middle, QPoint(20, 140));
    EXPECT_NEAR(view.m_osc->GetTraceOffset(0), 0.48 + 0.1, 1e-9);
    EXPECT_NEAR(view.m_osc->GetTraceOffset(1), 0.1, 1e-9);
}

TEST_F(ViewMouseTest, WheelZoomsAroundThePointer)
{
    struct Case
    {
        const char* name;
        QPoint pos;
        int delta;
        double xFrom, xTo, yFrom, yTo;
    };
    // 0.1 MHz per pixel over 400 px; the plot's last column is 439, so the right share is 199/400.
    const std::vector<Case> cases = {
        {"notch away at the centre widens", QPoint(240, 150), 120, 94.0, 140.0 + 5.97, -110.0, -50.0},
        {"notch towards narrows", QPoint(240, 150), -120, 106.0, 140.0 - 5.97, -110.0, -50.0},
        // Shares 100/4000 and 99/4000 of 120 MHz.
        {"left X cell moves the start only", QPoint(140, kXBandY), 120, 97.0, 140.0, -110.0, -50.0},
        {"right X cell moves the end only", QPoint(340, kXBandY), 120, 100.0, 142.97, -110.0, -50.0},
        // dy = 1200 x 0.2 / 25 = 9.6 dB; the pointer's row share is 250 / 300.
        {"bottom Y cell lowers the start", QPoint(20, 250), 120, 100.0, 140.0, -110.0 - 9.6 * 250 / 300,
         -50.0},
        {"top Y cell raises the end", QPoint(20, 50), 120, 100.0, 140.0, -110.0, -50.0 + 9.6 * 250 / 300},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        view.m_spec->SetXWindow(100.0, 140.0);
        view.m_spec->SetYWindow(-110.0, -50.0);
        Render();
        Wheel(&view, c.pos, c.delta);
        EXPECT_NEAR(view.m_spec->GetXFrom(), c.xFrom, 1e-9);
        EXPECT_NEAR(view.m_spec->GetXTo(), c.xTo, 1e-9);
        EXPECT_NEAR(view.m_spec->GetYFrom(), c.yFrom, 1e-9);
        EXPECT_NEAR(view.m_spec->GetYTo(), c.yTo, 1e-9);
    }
}

TEST_F(ViewMouseTest, WaterfallWheelStepsItsTimeScaleInTheBottomCell)
{
    view.ShowPane(QStringLiteral("Waterfall"));
    Render();
    const int before = view.m_waterfall->GetMsPerRow();
    Wheel(&view, QPoint(20, 250), 120);  // 1200 / 50 ms more per row
    EXPECT_EQ(view.m_waterfall->GetMsPerRow(), before + 24);
}

TEST_F(ViewMouseTest, WaterfallQuestionIsAskedUntilTheFirstYes)
{
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
    view.SetXWindow(100.0, 140.0);
    Render();
    const QPoint inSpectrum(240, 80);
    const QString question = QStringLiteral("The waterfall will be reset. Do you want to continue?");
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, question);
        Wheel(&view, inSpectrum, 120);
        EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 100.0) << "No drops the change";
        EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 140.0);
    }
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, question);
        Wheel(&view, inSpectrum, 120);
        EXPECT_LT(view.m_spec->GetXFrom(), 100.0) << "Yes lets it through";
        EXPECT_DOUBLE_EQ(view.m_waterfall->GetXFrom(), view.m_spec->GetXFrom());
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    }
    {
        // Never again for this view: an unscripted question would fail the test here.
        CScriptedPrompt prompt;
        const double before = view.m_spec->GetXFrom();
        Wheel(&view, inSpectrum, 120);
        const double afterWheel = view.m_spec->GetXFrom();
        // The upper pane's X band lies at rows 137..156.
        Drag(&view, QPoint(40, 145), QPoint(30, 145));
        EXPECT_LT(afterWheel, before);
        EXPECT_LT(view.m_spec->GetXFrom(), afterWheel);
        EXPECT_TRUE(prompt.Asked().empty());
    }
}

TEST_F(ViewMouseTest, XDoubleClickAsksAgainUntilTheRangeIsValid)
{
    CScriptedPrompt prompt;
    QString title;
    QString shown;
    const QString limits = QStringLiteral("Wrong range specified! Acceptable range is %1 to %2")
                               .arg(CUtils::FormatValue(0.0, 2, 4), CUtils::FormatValue(1000.0, 2, 4));
    prompt.RunDialog(TypeRange(QStringLiteral("10"), QStringLiteral("5"), &title, "m_pOkButton", &shown))
        .Answer(QMessageBox::Ok, limits)
        .RunDialog(TypeRange(QStringLiteral("150"), QStringLiteral("2000")))
        .Answer(QMessageBox::Ok, limits)
        .RunDialog(TypeRange(QStringLiteral("150"), QStringLiteral("250")));

    DoubleClick(&view, QPoint(100, kXBandY));

    EXPECT_EQ(title, QStringLiteral("Frequency Range Input"));
    EXPECT_EQ(shown, QStringLiteral("100.00"));
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 150.0);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 250.0);
}

TEST_F(ViewMouseTest, DoubleClickDialogsByPaneAndBand)
{
    struct Case
    {
        const char* name;
        const char* pane;
        QPoint pos;
        const char* title;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"spectrum levels", "Spec", QPoint(20, 150), "Amplitude Range Input", "-110.00"},
        {"oscillogram time in ms", "Osc", QPoint(100, kXBandY), "Time Range Input", "1.00"},
        {"oscillogram levels in mV", "Osc", QPoint(20, 150), "Amplitude Range Input", "-1000.00"},
    };
    view.m_osc->SetXWindow(0.001, 0.005);
    view.m_osc->SetYWindow(-1.0, 1.0);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        view.ShowPane(QLatin1String(c.pane));
        Render();
        IGraphic* pane = view.GetGraphic(QLatin1String(c.pane));
        const double xFrom = pane->GetXFrom();
        const double yFrom = pane->GetYFrom();
        CScriptedPrompt prompt;
        QString title;
        QString shown;
        prompt.RunDialog(
            TypeRange(QStringLiteral("1"), QStringLiteral("2"), &title, "m_pCancelButton", &shown));
        DoubleClick(&view, c.pos);
        EXPECT_EQ(title, QLatin1String(c.title));
        EXPECT_EQ(shown, QLatin1String(c.shown));
        EXPECT_DOUBLE_EQ(pane->GetXFrom(), xFrom) << "Cancel changes nothing";
        EXPECT_DOUBLE_EQ(pane->GetYFrom(), yFrom);
    }

    // A typed level range reaches every shown pane.
    view.ShowPane(QStringLiteral("Spec"));
    Render();
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeRange(QStringLiteral("-120"), QStringLiteral("-30")));
    DoubleClick(&view, QPoint(20, 150));
    EXPECT_DOUBLE_EQ(view.m_spec->GetYFrom(), -120.0);
    EXPECT_DOUBLE_EQ(view.m_spec->GetYTo(), -30.0);
}

TEST_F(ViewMouseTest, WithAConverterOffsetTheXDoubleClickOnlyWarns)
{
    g_FreqOffset = 6000.0;
    view.m_osc->SetXWindow(0.001, 0.005);
    for (const char* name : {"Spec", "Osc"})
    {
        SCOPED_TRACE(name);
        view.ShowPane(QLatin1String(name));
        Render();
        IGraphic* pane = view.GetGraphic(QLatin1String(name));
        const double xFrom = pane->GetXFrom();
        const double xTo = pane->GetXTo();
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Not available in the '6-18 GHz' mode!"));
        DoubleClick(&view, QPoint(100, kXBandY));
        EXPECT_EQ(prompt.Pending(), 0u);
        ASSERT_EQ(prompt.Asked().size(), 1u) << "no range dialog";
        EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Warning);
        EXPECT_DOUBLE_EQ(pane->GetXFrom(), xFrom);
        EXPECT_DOUBLE_EQ(pane->GetXTo(), xTo);
    }
}

TEST_F(ViewMouseTest, PausedPaneWithTheSweepOnRefusesXChangesInAViewThatCannotZoomPaused)
{
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    if (adf == nullptr)
        GTEST_SKIP() << "no synthesizer control in this process";
    adf->SetEnabled(true);
    view.m_zoomWhilePaused = false;
    view.SetPauseState(1);
    CScriptedPrompt prompt;  // the X double-click must not open a dialog either

    Drag(&view, QPoint(40, kXBandY), QPoint(50, kXBandY));
    Wheel(&view, QPoint(240, 150), 120);
    DoubleClick(&view, QPoint(100, kXBandY));
    Move(&view, QPoint(100, kXBandY), false);
    const Qt::CursorShape shape = view.cursor().shape();
    const double refusedFrom = view.m_spec->GetXFrom();
    const double refusedTo = view.m_spec->GetXTo();

    view.m_zoomWhilePaused = true;
    Wheel(&view, QPoint(240, 150), 120);
    const double zoomedFrom = view.m_spec->GetXFrom();
    adf->SetEnabled(false);

    EXPECT_EQ(shape, Qt::ArrowCursor);
    EXPECT_DOUBLE_EQ(refusedFrom, 100.0);
    EXPECT_DOUBLE_EQ(refusedTo, 300.0);
    EXPECT_LT(zoomedFrom, 100.0) << "a view that zooms while paused still zooms";
    EXPECT_TRUE(prompt.Asked().empty());
}

TEST_F(ViewMouseTest, CursorShapeTellsWhatADragWouldDo)
{
    struct Case
    {
        const char* name;
        QPoint pos;
        Qt::CursorShape shape;
    };
    const std::vector<Case> cases = {
        {"X cell", QPoint(300, kXBandY), Qt::SizeHorCursor},
        {"Y cell", QPoint(20, 50), Qt::SizeVerCursor},
        {"zoomed plot", QPoint(200, 150), Qt::OpenHandCursor},
        {"corner", QPoint(20, kXBandY), Qt::ArrowCursor},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Move(&view, c.pos, false);
        EXPECT_EQ(view.cursor().shape(), c.shape);
    }
}

TEST(ViewResize, PanesAreStackedInEqualRowsAndTheRestStaysUncovered)
{
    CMouseView view;
    view.m_Shown = {view.m_spec, view.m_waterfall, view.m_osc};
    view.resize(400, 301);
    QResizeEvent event(QSize(400, 301), QSize(447, 327));
    QApplication::sendEvent(&view, &event);
    EXPECT_EQ(view.m_spec->GetRect(), QRect(0, 0, 400, 100));
    EXPECT_EQ(view.m_waterfall->GetRect(), QRect(0, 100, 400, 100));
    EXPECT_EQ(view.m_osc->GetRect(), QRect(0, 200, 400, 100));

    view.ShowPane(QStringLiteral("Osc"));
    QApplication::sendEvent(&view, &event);
    EXPECT_EQ(view.m_osc->GetRect(), QRect(0, 0, 400, 301));
}

TEST_F(ViewMouseTest, EachMoveIsPaintedOnce)
{
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::processEvents();
    for (bool leftHeld : {false, true})
    {
        SCOPED_TRACE(leftHeld ? "dragging" : "hovering");
        Move(&view, QPoint(200, 150), false);
        if (leftHeld)
            Press(&view, QPoint(200, 150));
        QApplication::processEvents();
        view.m_paints = 0;
        Move(&view, QPoint(210, 140), leftHeld);
        QApplication::processEvents();
        EXPECT_EQ(view.m_paints, 1);
        EXPECT_EQ(view.m_LastPoint, QPoint(210, 140));
        if (leftHeld)
            Release(&view, QPoint(210, 140));
    }
}
}  // namespace
