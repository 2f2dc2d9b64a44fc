#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSettings>

#include <memory>

#include "debugwindow.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "parameters.h"

namespace
{
QString LineAt(int y)
{
    for (const CDebugWindow::Line& line : CDebugWindow::Lines())
    {
        if (line.y == y)
            return line.text;
    }
    return QString();
}

void Press(QWidget& widget, Qt::MouseButton button, const QPoint& global)
{
    QMouseEvent event(QEvent::MouseButtonPress, widget.mapFromGlobal(global), global, button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Move(QWidget& widget, Qt::MouseButtons buttons, const QPoint& global)
{
    QMouseEvent event(QEvent::MouseMove, widget.mapFromGlobal(global), global, Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

int WhitePixels(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
    {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
    }
    return count;
}

QVariant StoredPosition()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat).value(QStringLiteral("DebugWindow/Pos"));
}

// The overlay's snapshot comes from the real core's synthesizer and demo signal.
class DebugOverlay : public testing::Test
{
protected:
    IAdf4350* Adf() { return g_DeviceThread.m_pAdf; }
    IDemoSignal* Demo() { return g_DeviceThread.m_pDemoSignal; }
};

TEST_F(DebugOverlay, ShowsNothingBeforeTheFirstSnapshotAndResetsTheKeySequence)
{
    g_DebugKeyState = 2;
    g_Cycle1Count = 7;
    g_DebugPause = true;
    CDebugWindow window;
    window.show();
    EXPECT_TRUE(CDebugWindow::Lines().empty());
    EXPECT_EQ(g_DebugKeyState, 0);
    EXPECT_EQ(g_Cycle1Count.load(), 0);
    EXPECT_FALSE(g_DebugPause);
    EXPECT_EQ(window.size(), QSize(200, 400));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(WhitePixels(window), 0) << "nothing is drawn before the first snapshot";

    window.Refresh(g_DeviceThread.m_pAdf, g_DeviceThread.m_pDemoSignal);
    EXPECT_GT(WhitePixels(window), 0) << "the snapshot is drawn in white";
}

TEST_F(DebugOverlay, RightClickFreezesTheSnapshotButNotTheCounters)
{
    ASSERT_TRUE(Adf() && Demo());
    CDebugWindow window;
    Adf()->SetScanSpeed(3);
    window.Refresh(Adf(), Demo());
    ASSERT_FALSE(CDebugWindow::Lines().empty());
    EXPECT_EQ(LineAt(10), QStringLiteral("DEBUG INFORMATION"));
    EXPECT_EQ(LineAt(20), QStringLiteral("Cycle1=0 Pause=0"));
    EXPECT_EQ(LineAt(240), QStringLiteral("GetScanSpeed=3"));
    EXPECT_EQ(LineAt(70), QStringLiteral("GetMaxFreq=%1").arg(Adf()->GetMaxFreq(), 0, 'g', 6));

    const QPoint inside = window.mapToGlobal(QPoint(50, 50));
    Press(window, Qt::RightButton, inside);
    EXPECT_TRUE(g_DebugPause);
    Adf()->SetScanSpeed(5);
    g_Cycle1Count += 4;
    g_Cycle2Count += 2;
    window.Refresh(Adf(), Demo());
    EXPECT_EQ(LineAt(20), QStringLiteral("Cycle1=4 Pause=1"));
    EXPECT_EQ(LineAt(30), QStringLiteral("Cycle2=2"));
    EXPECT_EQ(LineAt(240), QStringLiteral("GetScanSpeed=3")) << "a paused overlay keeps its snapshot";

    Press(window, Qt::RightButton, inside);
    EXPECT_FALSE(g_DebugPause);
    window.Refresh(Adf(), Demo());
    EXPECT_EQ(LineAt(20), QStringLiteral("Cycle1=4 Pause=0"));
    EXPECT_EQ(LineAt(240), QStringLiteral("GetScanSpeed=5"));
}

TEST_F(DebugOverlay, DragStoresThePositionAndTheNextOverlayOpensThere)
{
    ASSERT_FALSE(StoredPosition().isValid());
    auto window = std::make_unique<CDebugWindow>();
    EXPECT_EQ(window->pos(), QPoint(200, 200));

    // Grab 10, 15 inside the window and drag in two steps: the position is stored at each step.
    const QPoint grab = window->frameGeometry().topLeft() + QPoint(10, 15);
    Press(*window, Qt::LeftButton, grab);
    Move(*window, Qt::LeftButton, grab + QPoint(100, 40));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(300, 240));
    EXPECT_EQ(StoredPosition().toPoint(), window->pos());
    Move(*window, Qt::LeftButton, grab + QPoint(250, 90));
    const QPoint dropped = window->pos();
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(450, 290));
    EXPECT_EQ(StoredPosition().toPoint(), dropped);

    // A move with no button held is not a drag.
    Move(*window, Qt::NoButton, grab + QPoint(-150, -150));
    EXPECT_EQ(window->pos(), dropped);
    EXPECT_EQ(StoredPosition().toPoint(), dropped);

    // A right button held while moving is not a drag either.
    Move(*window, Qt::RightButton, grab + QPoint(-150, -150));
    EXPECT_EQ(window->pos(), dropped);

    window.reset();
    CDebugWindow next;
    EXPECT_EQ(next.pos(), dropped);
}
}  // namespace
