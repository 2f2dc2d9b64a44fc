// The monitoring and recording windows the main window creates, and what it calls on them.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "imonitoring.h"
#include "isoundengine.h"
#include "monitoring2window.h"
#include "privatecore.h"
#include "recorderloaderthread.h"
#include "scriptedprompt.h"
#include "signalrecorderwindow.h"
#include "soundrecorderwindow.h"
#include "utils.h"

namespace
{
TEST(MonitoringWindows, BuildWithSettingsNameAndTitle)
{
    QMainWindow main;
    CPrivateCore core;
    struct Case
    {
        std::function<CQDockWindow*(QWidget*)> make;
        const char* settingsName;
        const char* title;
    } cases[] = {
        {[](QWidget* p) { return new CMonitoring2Window(p); }, "Monitoring2Window", "Monitoring Window"},
        {[&](QWidget* p) { return new CSignalRecorderWindow(p, core.Recorder()); }, "RecorderWindow",
         "Signal Recorder"},
        {[](QWidget* p) { return new CSoundRecorderWindow(p); }, "RecorderWindow", "Sound Recording"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.settingsName);
        std::unique_ptr<CQDockWindow> window(c.make(&main));
        EXPECT_EQ(window->GetSettingsName(), QString::fromLatin1(c.settingsName));
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.title));
    }
}

TEST(RecorderWindow, ClockShowsHoursMinutesSecondsAndWrapsAfterADay)
{
    struct Case
    {
        int seconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"}, {59, "00:00:59"}, {3661, "01:01:01"}, {86399, "23:59:59"}, {86400 + 61, "00:01:01"}};
    for (const Case& c : cases)
        EXPECT_EQ(CRecorderWindow::FormatClock(c.seconds), QString::fromLatin1(c.text)) << c.seconds;
}

TEST(SignalRecorderWindow, AFileThatCannotBeOpenedStartsNothing)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CPrivateCore core;
    CSignalRecorderWindow window(nullptr, core.Recorder());
    QSignalSpy started(&window, &CSignalRecorderWindow::playbackStarted);
    QSignalSpy stopped(&window, &CSignalRecorderWindow::playbackStopped);
    QTemporaryDir dir;
    window.StartPlayback(dir.filePath(QStringLiteral("none.rec")), 10);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not open file"));
    EXPECT_EQ(started.count(), 0);
    EXPECT_FALSE(window.IsTicking());

    window.StartRecording(dir.filePath(QStringLiteral("no/such/folder/x.rec")), 100.0, 200.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_FALSE(window.IsTicking());

    // Stop with nothing running still tells the main window playback is over.
    window.OnStopButton();
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
}

TEST(SignalRecorderWindow, ARecordingRunsUntilItsStopTime)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CPrivateCore core;
    CSignalRecorderWindow window(nullptr, core.Recorder());
    QSignalSpy stopped(&window, &CSignalRecorderWindow::playbackStopped);
    QTemporaryDir dir;
    if (CUtils::GetDiskFreeSpace(dir.path() + QLatin1Char('/')) < CSignalRecorderWindow::kWarnFreeSpace)
        prompt.Answer(QMessageBox::Ok, QStringLiteral("free disk space"));
    window.StartRecording(dir.filePath(QStringLiteral("x.rec")), 100.0, 200.0, 3);
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Recording signal"));
    EXPECT_TRUE(window.IsBusy());
    // Hiding is refused while recording.
    window.setVisible(false);
    EXPECT_TRUE(window.isVisible());
    for (int tick = 0; tick < 3; ++tick)
        window.OnTimer();
    EXPECT_FALSE(window.IsBusy());
    EXPECT_FALSE(window.IsTicking());
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
    EXPECT_EQ(stopped.count(), 0);  // a stopped recording is no playback
    window.setVisible(false);
    EXPECT_FALSE(window.isVisible());
}

// A sound engine that records when the test lets it create its file.
class CFakeSoundEngine : public ISoundEngine
{
public:
    bool canCreate = true;
    bool recording = false;
    bool Open(int, int) override { return true; }
    void ResetBuffers() override {}
    void Close() override {}
    void PlaySample(double) override {}
    void StartRecording(const std::wstring&) override { recording = canCreate; }
    void StopRecording() override { recording = false; }
    bool OpenPlayback(const std::wstring&) override { return false; }
    void StopPlayback() override {}
    bool PlayNextBlock() override { return false; }
    int GetPlaybackLength() override { return 0; }
    void SetRangeSoundOn(bool) override {}
    bool IsRangeSoundOn() override { return false; }
    void SetUseAgc(bool) override {}
    void SetSoundLevel(int) override {}
    int GetAgcLevel() override { return 0; }
    bool IsOutputOn() override { return true; }
    bool IsPlaying() override { return false; }
    bool IsRecording() override { return recording; }
};

TEST(SoundRecorderWindow, RecordingSignalsFrameTheEnginesRecording)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFakeSoundEngine engine;
    CSoundRecorderWindow window(nullptr, &engine);
    QSignalSpy started(&window, &CSoundRecorderWindow::recordingStarted);
    QSignalSpy stopped(&window, &CSoundRecorderWindow::recordingStopped);
    QTemporaryDir dir;

    // A folder that does not exist is refused before the main window hears of a recording.
    window.StartRecording(dir.filePath(QStringLiteral("no/such/folder/s.wav")), 0.0, 0.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_EQ(started.count(), 0);

    // The engine could not create its file: the main window's reaction is undone.
    engine.canCreate = false;
    window.StartRecording(dir.filePath(QStringLiteral("s.wav")), 0.0, 0.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_FALSE(window.IsTicking());
    engine.canCreate = true;

    window.StartRecording(dir.filePath(QStringLiteral("s.wav")), 0.0, 0.0, 2);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Recording sound"));
    EXPECT_EQ(started.count(), 2);
    window.OnTimer();
    EXPECT_TRUE(engine.recording);
    window.OnTimer();
    EXPECT_FALSE(engine.recording);
    EXPECT_EQ(stopped.count(), 2);

    QSignalSpy idleStop(&window, &CSoundRecorderWindow::recordingStopped);
    window.OnStopButton();
    EXPECT_EQ(idleStop.count(), 0);
}

TEST(Monitoring2Window, StartForRangeKeepsOneAutomaticTaskOverTheRange)
{
    CPrivateCore core;
    std::unique_ptr<IMonitoring> monitoring(core.Get<IMonitoring>(16));
    ASSERT_TRUE(monitoring);
    CMonitoring2Window window(nullptr, monitoring.get());
    window.StartForRange(100.0, 200.0);
    window.StartForRange(300.0, 400.0);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(monitoring->GetTasksCount(), 1);
    const MONITORING_TASK& task = monitoring->GetTaskByOrder(0);
    ASSERT_EQ(task.Ranges.size(), 1u);
    EXPECT_EQ(task.Ranges[0].StartFreq, 300.0);
    EXPECT_EQ(task.Ranges[0].EndFreq, 400.0);
    EXPECT_EQ(task.Window, 6);
    EXPECT_EQ(task.ThresholdMode, 1);
    EXPECT_EQ(task.WaitCycles, 5);
    EXPECT_TRUE(task.DoMerge);
    ASSERT_EQ(window.m_pTasksTree->topLevelItemCount(), 1);
    EXPECT_EQ(window.m_pTasksTree->topLevelItem(0)->checkState(0), Qt::Checked);

    // A range that is no range leaves the task alone.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    window.StartForRange(nan, 400.0);
    window.StartForRange(500.0, 500.0);
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].StartFreq, 300.0);
    EXPECT_DOUBLE_EQ(window.GetStartFreq(), 300.0);
}

TEST(RecorderLoaderThread, AMissingRecordingStillReportsItsEnd)
{
    CRecorderLoaderThread loader;
    QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
    QSignalSpy loaded(&loader, &CRecorderLoaderThread::dataLoaded);
    QSignalSpy lines(&loader, &CRecorderLoaderThread::waterfallLineLoaded);
    QTemporaryDir dir;
    ASSERT_TRUE(loader.Load(dir.filePath(QStringLiteral("none.rec")), 1700000000));
    ASSERT_TRUE(loader.wait(10000));
    // Progress crosses to this thread queued.
    for (int i = 0; i < 250 && progress.isEmpty(); ++i)
        QTest::qWait(20);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_EQ(lines.count(), 0);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(loader.m_nTime, 1700000000);
}
}  // namespace
