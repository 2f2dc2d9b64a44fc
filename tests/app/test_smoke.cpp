// The whole program in-process, offscreen: the main window is built as at start-up, enters demo mode
// through its File menu, runs for a few seconds on the demo signal and closes; the settings reach
// their file.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "veltrano.h"

namespace
{
TEST(SmokeTest, DemoSessionRunsAndClosesCleanly)
{
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();
    auto window = std::make_unique<Veltrano>(0, QString());
    Veltrano::RestoreGeometry(window.get());
    window->show();
    QTest::qWait(200);

    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you want to switch to DEMO mode?"));
        window->findChild<QAction*>(QStringLiteral("m_pFileDemoModeAction"))->trigger();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Delvane Veltrano 1.0.26 - DEMO mode"));
    EXPECT_EQ(window->StatusLabel()->text(), QStringLiteral("DEMO mode"));

    // The device loop waits while a block is not taken; the 10 ms tick takes each one, so the
    // loop keeps cycling for as long as the session runs.
    QTest::qWait(1500);
    const int cyclesEarly = g_DeviceThread.GetCycles();
    QTest::qWait(1500);
    const int cyclesLate = g_DeviceThread.GetCycles();
    EXPECT_GT(cyclesEarly, 0);
    EXPECT_GT(cyclesLate, cyclesEarly + 1);
    EXPECT_TRUE(window->isVisible());

    EXPECT_TRUE(window->close());
    Veltrano::StoreGeometry(window.get());
    window.reset();

    // What the process writes at exit, read back as the next start reads it.
    ASSERT_TRUE(g_Parameters.Save());
    CParameters stored(g_Parameters.FilePath());
    stored.Load();
    const QString rect = QStringLiteral("mainWindow2");
    int sum = 0;
    for (const char* edge : {"Left", "Top", "Right", "Bottom"})
        sum += stored.GetInt(rect, QString::fromLatin1(edge), 0);
    EXPECT_TRUE(stored.HasKey(rect, QStringLiteral("CheckSum")));
    EXPECT_EQ(stored.GetInt(rect, QStringLiteral("CheckSum"), -1), sum);
    EXPECT_GT(stored.GetInt(rect, QStringLiteral("Right"), 0), 0);
    EXPECT_FALSE(
        stored.GetString(QStringLiteral("MainWindow"), QStringLiteral("HorizSplitterState"), QString())
            .isEmpty());

    g_DeviceThread.Stop();
}
}  // namespace
