// The monitoring and recording windows the main window creates, and what it calls on them.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "imonitoring.h"
#include "isignalrecorder.h"
#include "isoundengine.h"
#include "monitoring2window.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "signalrecorderwindow.h"
#include "soundrecorderwindow.h"
#include "ui_monitoring2window.h"
#include "utils.h"
#include "veltrano.h"

// Failing comparisons show texts as text.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace
{
// The disk every free-space question gets for as long as it lives; no value stands for a volume that
// cannot be asked. The folders asked are kept.
class CFreeSpace
{
public:
    explicit CFreeSpace(std::optional<quint64> bytes) : m_bytes(bytes)
    {
        CUtils::SetDiskFreeSpaceQuery(
            [this](const QString& folder)
            {
                asked.push_back(folder);
                return m_bytes;
            });
    }
    ~CFreeSpace() { CUtils::SetDiskFreeSpaceQuery(nullptr); }
    CFreeSpace(const CFreeSpace&) = delete;
    CFreeSpace& operator=(const CFreeSpace&) = delete;

    void Set(std::optional<quint64> bytes) { m_bytes = bytes; }

    QStringList asked;

private:
    std::optional<quint64> m_bytes;
};

constexpr quint64 kPlenty = 500000000000ull;

// A PCM WAV of 16-bit stereo frames of silence.
void WriteWav(const QString& path, int frames, int rate)
{
    QByteArray bytes;
    auto put = [&bytes](quint32 value, int size)
    {
        for (int n = 0; n < size; ++n)
            bytes.append(static_cast<char>((value >> (8 * n)) & 0xFF));
    };
    const auto data = static_cast<quint32>(frames) * 4;
    bytes.append("RIFF");
    put(36 + data, 4);
    bytes.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(static_cast<quint32>(rate), 4);
    put(static_cast<quint32>(rate) * 4, 4);
    put(4, 2);
    put(16, 2);
    bytes.append("data");
    put(data, 4);
    bytes.append(QByteArray(static_cast<int>(data), '\0'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

template <typename T>
T* Child(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

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

TEST(RecorderWindow, FormHoldsTheClocksStatusAndButtonsAndResetsTheStoredSize)
{
    const QString section = QStringLiteral("RecorderWindow");
    g_Parameters.SetInt(section, QStringLiteral("Left"), 20);
    g_Parameters.SetInt(section, QStringLiteral("Top"), 30);
    g_Parameters.SetInt(section, QStringLiteral("Right"), 999);
    g_Parameters.SetInt(section, QStringLiteral("Bottom"), 888);
    CPrivateCore core;
    CSignalRecorderWindow window(nullptr, core.Recorder());
    // The place stays, the size is 310 x 127 again.
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Left"), 0), 20);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Top"), 0), 30);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Right"), 0), 330);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Bottom"), 0), 157);

    EXPECT_EQ(window.size(), QSize(400, 145));
    EXPECT_EQ(window.maximumHeight(), 145);
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);

    auto* panel = Child<QWidget>(window, "m_pRecorderLcdWidget");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->styleSheet(),
              QStringLiteral("QWidget { border: 1px solid rgb(200,200,200);  color: black;  "
                             "background-color: rgb(100,149,237); } QLCDNumber { border: "
                             "0px; }QLabel { border: 0px; }"));
    EXPECT_EQ(panel->font().family(), QStringLiteral("Arial"));

    const struct
    {
        const char* name;
        const char* text;
    } labels[] = {{"label_41", "Time"}, {"label_42", "Length"}, {"m_pStatusLabel", "Idle"}};
    for (const auto& l : labels)
    {
        auto* label = Child<QLabel>(window, l.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(l.text)) << l.name;
        EXPECT_EQ(label->parentWidget(), panel) << l.name;
    }
    EXPECT_TRUE(Child<QLabel>(window, "m_pStatusLabel")->wordWrap());

    for (const char* name : {"m_pTimeLcd", "m_pLengthLcd"})
    {
        auto* lcd = Child<QLCDNumber>(window, name);
        ASSERT_NE(lcd, nullptr);
        EXPECT_EQ(lcd->digitCount(), 8) << name;
        EXPECT_EQ(lcd->segmentStyle(), QLCDNumber::Flat) << name;
        EXPECT_EQ(lcd->frameShape(), QFrame::NoFrame) << name;
        EXPECT_EQ(lcd->parentWidget(), panel) << name;
    }

    auto* slider = Child<QSlider>(window, "m_pPositionSlider");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_TRUE(slider->isHidden());

    const struct
    {
        const char* name;
        bool hidden;
    } buttons[] = {{"m_pRewindButton", true},
                   {"m_pPlayButton", false},
                   {"m_pStopButton", false},
                   {"m_pFFwdButton", true}};
    for (const auto& b : buttons)
    {
        auto* button = Child<QPushButton>(window, b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->minimumSize(), QSize(30, 30)) << b.name;
        EXPECT_EQ(button->maximumSize(), QSize(30, 30)) << b.name;
        EXPECT_EQ(button->isHidden(), b.hidden) << b.name;
    }
    const QSize icon(16, 16);
    EXPECT_EQ(Child<QPushButton>(window, "m_pPlayButton")->icon().pixmap(icon).toImage(),
              window.style()->standardIcon(QStyle::SP_MediaPlay).pixmap(icon).toImage());
    EXPECT_EQ(Child<QPushButton>(window, "m_pStopButton")->icon().pixmap(icon).toImage(),
              window.style()->standardIcon(QStyle::SP_MediaStop).pixmap(icon).toImage());
}

// Translates the recorder texts as a second interface language would.
class GermanRecorderTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        static const struct
        {
            const char* context;
            const char* source;
            const char* german;
        } texts[] = {
            {"CRecorderWindow", "Signal Recorder", "Signalrekorder"},
            {"CRecorderWindow", "Time", "Zeit"},
            {"CRecorderWindow", "Length", "Dauer"},
            {"CRecorderWindow", "Idle", "Bereit"},
            {"CSoundRecorderWindow", "Sound Recording", "Tonaufnahme"},
            {"CSoundRecorderWindow", "Recording sound", "Ton wird aufgenommen"},
        };
        for (const auto& t : texts)
            if (qstrcmp(context, t.context) == 0 && qstrcmp(sourceText, t.source) == 0)
                return QString::fromUtf8(t.german);
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// A sound engine that records when the test lets it create its file. Like the library's engine, it
// raises its recording flag whether or not the file could be made.
class CFakeSoundEngine : public ISoundEngine
{
public:
    bool canCreate = true;
    bool recording = false;
    bool Open(int, int) override { return true; }
    void ResetBuffers() override {}
    void Close() override {}
    void PlaySample(double) override {}
    void StartRecording(const std::wstring& path) override
    {
        recording = canCreate;
        QFile file(QString::fromStdWString(path));
        if (canCreate)
            (void)file.open(QIODevice::WriteOnly);
    }
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

TEST(RecorderWindow, LanguageChangeTranslatesTheFormAgainAndKeepsWhatTheWindowsSet)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    CSignalRecorderWindow signal(nullptr, core.Recorder());
    CFakeSoundEngine engine;
    CSoundRecorderWindow sound(nullptr, &engine);
    QTemporaryDir dir;
    sound.StartRecording(dir.filePath(QStringLiteral("s.wav")), 0.0, 0.0, 0);
    ASSERT_EQ(sound.GetStatus(), QStringLiteral("Recording sound"));

    QEvent change(QEvent::LanguageChange);
    GermanRecorderTexts german;
    QCoreApplication::installTranslator(&german);
    QCoreApplication::sendEvent(&signal, &change);
    QCoreApplication::sendEvent(&sound, &change);
    EXPECT_EQ(signal.windowTitle(), QStringLiteral("Signalrekorder"));
    EXPECT_EQ(Child<QLabel>(signal, "label_41")->text(), QStringLiteral("Zeit"));
    EXPECT_EQ(Child<QLabel>(signal, "label_42")->text(), QStringLiteral("Dauer"));
    EXPECT_EQ(signal.GetStatus(), QStringLiteral("Bereit"));
    EXPECT_EQ(sound.windowTitle(), QStringLiteral("Tonaufnahme"));
    // The form's own "Idle" does not replace the status of a run.
    EXPECT_EQ(sound.GetStatus(), QStringLiteral("Ton wird aufgenommen"));

    QCoreApplication::removeTranslator(&german);
    QCoreApplication::sendEvent(&signal, &change);
    QCoreApplication::sendEvent(&sound, &change);
    for (CRecorderWindow* window :
         {static_cast<CRecorderWindow*>(&signal), static_cast<CRecorderWindow*>(&sound)})
    {
        EXPECT_EQ(Child<QLabel>(*window, "label_41")->text(), QStringLiteral("Time"));
        EXPECT_EQ(Child<QLabel>(*window, "label_42")->text(), QStringLiteral("Length"));
    }
    EXPECT_EQ(signal.GetStatus(), QStringLiteral("Idle"));
    EXPECT_EQ(signal.windowTitle(), QStringLiteral("Signal Recorder"));
    EXPECT_EQ(sound.windowTitle(), QStringLiteral("Sound Recording"));
    EXPECT_EQ(sound.GetStatus(), QStringLiteral("Recording sound"));
    sound.OnStopButton();
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

    // The free space of a folder that does not exist cannot be asked: none is assumed.
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
    window.StartRecording(dir.filePath(QStringLiteral("no/such/folder/x.rec")), 100.0, 200.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("No free disk space"));
    EXPECT_FALSE(window.IsTicking());
    EXPECT_FALSE(window.IsBusy());
    EXPECT_EQ(prompt.Pending(), 0u);

    // A folder where the file should be: the library refuses the file.
    CFreeSpace disk(kPlenty);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.rec")));
    window.StartRecording(dir.filePath(QStringLiteral("taken.rec")), 100.0, 200.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_FALSE(window.IsTicking());
    EXPECT_FALSE(window.IsBusy());

    // Stop with nothing running still tells the main window playback is over.
    window.OnStopButton();
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
}

TEST(SignalRecorderWindow, ARecordingRunsUntilItsStopTime)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    CSignalRecorderWindow window(nullptr, core.Recorder());
    QSignalSpy stopped(&window, &CSignalRecorderWindow::playbackStopped);
    QTemporaryDir dir;
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

TEST(SignalRecorderWindow, PlayAfterARecordingPlaysItForItsRecordedLength)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    CSignalRecorderWindow window(nullptr, core.Recorder());
    QSignalSpy started(&window, &CSignalRecorderWindow::playbackStarted);
    QSignalSpy stopped(&window, &CSignalRecorderWindow::playbackStopped);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.rec"));
    window.StartRecording(path, 100.0, 200.0, 0);
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Recording signal"));
    for (int tick = 0; tick < 3; ++tick)
        window.OnTimer();
    auto* slider = Child<QSlider>(window, "m_pPositionSlider");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 0) << "a recording has no length to move along";
    window.OnStopButton();
    EXPECT_EQ(stopped.count(), 0);

    window.OnPlayButton();
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Playing"));
    EXPECT_EQ(stopped.count(), 1) << "the stop before the new start finds no recording";
    EXPECT_TRUE(window.IsTicking());
    EXPECT_FALSE(slider->isHidden());
    EXPECT_EQ(slider->maximum(), 3);
    ASSERT_EQ(started.count(), 1);
    // The band comes back from the file's header.
    EXPECT_EQ(started.at(0).at(2).toDouble(), 100.0);
    EXPECT_EQ(started.at(0).at(3).toDouble(), 200.0);
    window.OnTimer();
    window.OnTimer();
    EXPECT_EQ(slider->value(), 2);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Playing"));
    EXPECT_TRUE(window.IsBusy());
    window.OnTimer();
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
    EXPECT_FALSE(window.IsTicking());
    EXPECT_EQ(stopped.count(), 2);
}

// Starts a recording in each window with a disk of the given free bytes and reports what the operator
// saw; both windows work on the library's own recorder and sound engine.
TEST(RecorderWindow, FreeSpaceDecidesWhetherARecordingStartsAndWarns)
{
    const struct
    {
        bool sound;
        quint64 freeBytes;
        bool starts;
        bool warns;
    } cases[] = {
        {true, 9999, false, false},       {true, 10000, true, false},      {true, 999999, true, false},
        {true, 999999999, true, false},   {true, 1000000000, true, false}, {false, 9999, false, false},
        {false, 10000, false, false},     {false, 999999, false, false},   {false, 999999999, true, true},
        {false, 1000000000, true, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (c.sound ? "sound " : "signal ") << c.freeBytes);
        CScriptedPrompt prompt;
        if (!c.starts)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
        if (c.warns)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Free disk space is too low!"));
        CFreeSpace disk(c.freeBytes);
        CPrivateCore core;
        std::unique_ptr<CRecorderWindow> window;
        std::unique_ptr<QSignalSpy> soundStarted;
        if (c.sound)
        {
            auto* sound = new CSoundRecorderWindow(nullptr, core.Get<ISoundEngine>(10));
            soundStarted = std::make_unique<QSignalSpy>(sound, &CSoundRecorderWindow::recordingStarted);
            window.reset(sound);
        }
        else
        {
            window = std::make_unique<CSignalRecorderWindow>(nullptr, core.Recorder());
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("take.rec"));
        window->StartRecording(path, 100.0, 200.0, 0);

        EXPECT_EQ(disk.asked, QStringList{dir.path() + QLatin1Char('/')});
        EXPECT_EQ(prompt.Pending(), 0u);
        ASSERT_EQ(prompt.Asked().size(), (c.starts ? 0u : 1u) + (c.warns ? 1u : 0u));
        if (!prompt.Asked().empty())
        {
            EXPECT_EQ(prompt.Asked()[0].icon, c.starts ? QMessageBox::Warning : QMessageBox::Critical);
        }
        EXPECT_EQ(window->IsBusy(), c.starts);
        EXPECT_EQ(window->IsTicking(), c.starts);
        EXPECT_EQ(QFileInfo::exists(path), c.starts);
        if (soundStarted)
        {
            EXPECT_EQ(soundStarted->count(), c.starts ? 1 : 0) << "a refused recording is never announced";
        }
        const QString running =
            c.sound ? QStringLiteral("Recording sound") : QStringLiteral("Recording signal");
        EXPECT_EQ(window->GetStatus(), c.starts ? running : QStringLiteral("No free disk space"));
        window->Stop();
    }
}

TEST(SoundRecorderWindow, ARecordingBelowTheTickLimitStopsAtTheFirstTick)
{
    const struct
    {
        quint64 freeBytes;
        bool stops;
    } cases[] = {{10000, true}, {999999, true}, {1000000, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.freeBytes);
        CScriptedPrompt prompt;
        if (c.stops)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
        CFreeSpace disk(c.freeBytes);
        CPrivateCore core;
        ISoundEngine* engine = core.Get<ISoundEngine>(10);
        CSoundRecorderWindow window(nullptr, engine);
        QSignalSpy stopped(&window, &CSoundRecorderWindow::recordingStopped);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("take.wav"));
        window.StartRecording(path, 0.0, 0.0, 0);
        ASSERT_EQ(window.GetStatus(), QStringLiteral("Recording sound"));
        window.OnTimer();
        EXPECT_EQ(engine->IsRecording(), !c.stops);
        EXPECT_EQ(window.IsTicking(), !c.stops);
        EXPECT_EQ(stopped.count(), c.stops ? 1 : 0);
        EXPECT_EQ(window.GetStatus(),
                  c.stops ? QStringLiteral("No free disk space") : QStringLiteral("Recording sound"));
        EXPECT_EQ(prompt.Pending(), 0u);
        EXPECT_TRUE(QFileInfo(path).isFile()) << "what was recorded is kept";
        window.Stop();
    }
}

TEST(RecorderWindow, AVolumeThatCannotBeAskedHasNoFreeSpace)
{
    QTemporaryDir dir;
    // At the start: refused in both windows.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"))
            .Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
        CFreeSpace disk(std::nullopt);
        CPrivateCore core;
        CSignalRecorderWindow signal(nullptr, core.Recorder());
        CFakeSoundEngine engine;
        CSoundRecorderWindow sound(nullptr, &engine);
        QSignalSpy soundStarted(&sound, &CSoundRecorderWindow::recordingStarted);
        signal.StartRecording(dir.filePath(QStringLiteral("a.rec")), 100.0, 200.0, 0);
        sound.StartRecording(dir.filePath(QStringLiteral("a.wav")), 0.0, 0.0, 0);
        for (CRecorderWindow* window :
             {static_cast<CRecorderWindow*>(&signal), static_cast<CRecorderWindow*>(&sound)})
        {
            EXPECT_EQ(window->GetStatus(), QStringLiteral("No free disk space"));
            EXPECT_FALSE(window->IsBusy());
            EXPECT_FALSE(window->IsTicking());
        }
        EXPECT_EQ(soundStarted.count(), 0);
        EXPECT_FALSE(engine.recording);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
        EXPECT_EQ(prompt.Pending(), 0u);
    }

    // During a signal recording: stopped at the next tick, the file closed with its length.
    CScriptedPrompt prompt;
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    ISignalRecorder* recorder = core.Recorder();
    CSignalRecorderWindow window(nullptr, recorder);
    const QString path = dir.filePath(QStringLiteral("x.rec"));
    window.StartRecording(path, 100.0, 200.0, 0);
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Recording signal"));
    window.OnTimer();
    EXPECT_TRUE(recorder->IsRecording());
    disk.Set(std::nullopt);
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
    window.OnTimer();
    EXPECT_FALSE(recorder->IsRecording());
    EXPECT_FALSE(window.IsTicking());
    EXPECT_EQ(window.GetStatus(), QStringLiteral("No free disk space"));
    EXPECT_EQ(prompt.Pending(), 0u);
    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);

    CPrivateCore reader;
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(reader.Recorder()->CheckRecordingFile(path.toStdWString(), info));
    ASSERT_TRUE(reader.Recorder()->OpenRecording(path.toStdWString(), 0, false));
    EXPECT_EQ(reader.Recorder()->GetFreqBegin(), 100.0);
    EXPECT_EQ(reader.Recorder()->GetFreqEnd(), 200.0);
}

TEST(SoundRecorderWindow, RecordingSignalsFrameTheEnginesRecording)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFakeSoundEngine engine;
    CSoundRecorderWindow window(nullptr, &engine);
    QSignalSpy started(&window, &CSoundRecorderWindow::recordingStarted);
    QSignalSpy stopped(&window, &CSoundRecorderWindow::recordingStopped);
    QTemporaryDir dir;

    // A folder that does not exist has no free space to ask for: refused before the main window hears
    // of a recording.
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No free disk space!"));
    window.StartRecording(dir.filePath(QStringLiteral("no/such/folder/s.wav")), 0.0, 0.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("No free disk space"));
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(prompt.Pending(), 0u);

    CFreeSpace disk(kPlenty);
    // The engine could not create its file: the main window's reaction is undone.
    engine.canCreate = false;
    window.StartRecording(dir.filePath(QStringLiteral("s.wav")), 0.0, 0.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_FALSE(window.IsTicking());
    engine.canCreate = true;

    // A folder where the file should be: the engine says it records, yet there is no file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.wav")));
    window.StartRecording(dir.filePath(QStringLiteral("taken.wav")), 0.0, 0.0, 0);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Could not create file"));
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(stopped.count(), 2);
    EXPECT_FALSE(window.IsTicking());
    EXPECT_FALSE(engine.recording) << "the engine does not go on recording into nothing";

    window.StartRecording(dir.filePath(QStringLiteral("s.wav")), 0.0, 0.0, 2);
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Recording sound"));
    EXPECT_EQ(started.count(), 3);
    window.OnTimer();
    EXPECT_TRUE(engine.recording);
    window.OnTimer();
    EXPECT_FALSE(engine.recording);
    EXPECT_EQ(stopped.count(), 3);

    QSignalSpy idleStop(&window, &CSoundRecorderWindow::recordingStopped);
    window.OnStopButton();
    EXPECT_EQ(idleStop.count(), 0);
}

TEST(SoundRecorderWindow, AFileOfTwoAndAHalfSecondsStopsAtTheSecondTick)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    ISoundEngine* engine = core.Get<ISoundEngine>(10);
    CSoundRecorderWindow window(nullptr, engine);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("take.wav"));
    WriteWav(path, 20000, 8000);
    window.StartPlayback(path, 0);
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Playing recording"));
    // The whole file is handed to the output long before it has sounded.
    ASSERT_TRUE(window.PlayThread().wait(10000));
    window.OnTimer();
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Playing recording"));
    EXPECT_TRUE(engine->IsPlaying());
    window.OnTimer();
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
    EXPECT_FALSE(engine->IsPlaying());
    EXPECT_FALSE(window.IsTicking());
}

// A sound engine with a file of `blocks` blocks, each of which waits while the test holds the engine.
class CHeldPlaybackEngine : public CFakeSoundEngine
{
public:
    int length = 0;
    int blocks = 1;
    bool OpenPlayback(const std::wstring&) override
    {
        m_playing = true;
        m_left = blocks;
        return true;
    }
    void StopPlayback() override { m_playing = false; }
    bool PlayNextBlock() override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_held; });
        return m_left-- > 0;
    }
    int GetPlaybackLength() override { return length; }
    bool IsPlaying() override { return m_playing; }

    void Hold()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held = true;
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held = false;
        m_wake.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_held = false;
    int m_left = 0;
    std::atomic<bool> m_playing{false};
};

TEST(SoundRecorderWindow, AFileShorterThanASecondEndsAtTheFirstTickAfterItsLoop)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CHeldPlaybackEngine engine;
    engine.length = 0;
    engine.blocks = 1;
    CSoundRecorderWindow window(nullptr, &engine);
    engine.Hold();
    window.StartPlayback(QStringLiteral("short.wav"), 0);
    ASSERT_EQ(window.GetStatus(), QStringLiteral("Playing recording"));
    window.OnTimer();
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Playing recording")) << "its block is still being played";
    EXPECT_TRUE(window.IsTicking());
    engine.Release();
    ASSERT_TRUE(window.PlayThread().wait(10000));
    window.OnTimer();
    EXPECT_EQ(window.GetStatus(), QStringLiteral("Idle"));
    EXPECT_FALSE(engine.IsPlaying());
    EXPECT_FALSE(window.IsTicking());

    // The real engine with half a second of sound.
    CFreeSpace disk(kPlenty);
    CPrivateCore core;
    ISoundEngine* real = core.Get<ISoundEngine>(10);
    CSoundRecorderWindow realWindow(nullptr, real);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short.wav"));
    WriteWav(path, 4000, 8000);
    realWindow.StartPlayback(path, 0);
    ASSERT_EQ(realWindow.GetStatus(), QStringLiteral("Playing recording"));
    ASSERT_TRUE(realWindow.PlayThread().wait(10000));
    realWindow.OnTimer();
    EXPECT_EQ(realWindow.GetStatus(), QStringLiteral("Idle"));
    EXPECT_FALSE(real->IsPlaying());
}

// A sound engine that plays an endless file and catches its file being closed under a block: the block
// reads the file's buffer, which StopPlayback frees.
class CCheckedPlaybackEngine : public CFakeSoundEngine
{
public:
    ~CCheckedPlaybackEngine() override { delete m_file.exchange(nullptr); }
    bool OpenPlayback(const std::wstring&) override
    {
        delete m_file.exchange(new std::vector<int>(4096, 1));
        played = 0;
        m_playing = true;
        return true;
    }
    void StopPlayback() override
    {
        if (inside.load() != 0)
            ++overlaps;
        m_playing = false;
        delete m_file.exchange(nullptr);
    }
    bool PlayNextBlock() override
    {
        ++inside;
        const std::vector<int>* file = m_file.load();
        long sum = 0;
        if (file != nullptr)
            for (int value : *file)
                sum += value;
        m_sum += sum;
        --inside;
        ++played;
        std::this_thread::yield();
        return file != nullptr;
    }
    bool IsPlaying() override { return m_playing; }

    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> played{0};

private:
    std::atomic<std::vector<int>*> m_file{nullptr};
    std::atomic<bool> m_playing{false};
    std::atomic<long> m_sum{0};
};

// Waits until the play loop has played `blocks` blocks.
bool WaitForBlocks(const CCheckedPlaybackEngine& engine, int blocks)
{
    const QDeadlineTimer deadline(10000);
    while (engine.played.load() < blocks)
    {
        if (deadline.hasExpired())
            return false;
        std::this_thread::yield();
    }
    return true;
}

TEST(SoundRecorderWindow, StopNeverClosesTheFileUnderTheBlockBeingPlayed)
{
    CScriptedPrompt prompt;  // any message box fails the test instead of waiting
    CCheckedPlaybackEngine engine;
    CSoundRecorderWindow window(nullptr, &engine);
    for (int round = 0; round < 200; ++round)
    {
        SCOPED_TRACE(round);
        window.StartPlayback(QStringLiteral("endless.wav"), 0);
        ASSERT_EQ(window.GetStatus(), QStringLiteral("Playing recording"));
        // From a Stop before the loop has begun to one after a few blocks.
        ASSERT_TRUE(WaitForBlocks(engine, round % 4));
        if (round % 3 == 1)
            window.OnTimer();
        window.OnStopButton();
        ASSERT_EQ(engine.overlaps.load(), 0);
        EXPECT_EQ(engine.inside.load(), 0);
        EXPECT_FALSE(engine.IsPlaying());
        EXPECT_FALSE(window.PlayThread().isRunning());
    }
}

TEST(SoundRecorderWindow, DestroyingAPlayingWindowJoinsItsLoop)
{
    CCheckedPlaybackEngine engine;
    auto window = std::make_unique<CSoundRecorderWindow>(nullptr, &engine);
    window->StartPlayback(QStringLiteral("endless.wav"), 0);
    ASSERT_TRUE(WaitForBlocks(engine, 3));
    window.reset();
    EXPECT_EQ(engine.inside.load(), 0);
    const int played = engine.played.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(engine.played.load(), played) << "no block is played after the window is gone";
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
    ASSERT_EQ(window.Form().m_pTasksTree->topLevelItemCount(), 1);
    EXPECT_EQ(window.Form().m_pTasksTree->topLevelItem(0)->checkState(0), Qt::Checked);

    // A range that is no range leaves the task alone.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    window.StartForRange(nan, 400.0);
    window.StartForRange(500.0, 500.0);
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].StartFreq, 300.0);
    EXPECT_DOUBLE_EQ(window.GetStartFreq(), 300.0);

    // While it runs, the same range keeps the task; a new one is watched by an enabled task over it.
    window.OnStartButton();
    ASSERT_TRUE(monitoring->IsRunning());
    const int taskId = window.Form().m_pTasksTree->topLevelItem(0)->data(0, Qt::UserRole).toInt();
    window.StartForRange(300.0, 400.0);
    EXPECT_EQ(window.Form().m_pTasksTree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), taskId);
    window.StartForRange(350.0, 450.0);
    EXPECT_TRUE(monitoring->IsRunning());
    ASSERT_EQ(monitoring->GetTasksCount(), 1);
    EXPECT_TRUE(monitoring->GetTaskByOrder(0).Enabled);
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].StartFreq, 350.0);
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].EndFreq, 450.0);
    window.hide();
    EXPECT_FALSE(monitoring->IsRunning());
}

// The main window as the program builds it, in demo mode: the device thread writes the demo blocks
// into a signal recording, and closing the window must leave a recording that plays to its end.
TEST(SignalRecorderWindow, ClosingTheMainWindowInDemoModeLeavesARecordingThatPlaysWhole)
{
    CFreeSpace disk(kPlenty);
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.rec"));
    auto window = std::make_unique<Veltrano>(0, QString());
    window->show();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you want to switch to DEMO mode?"));
        window->OnFileDemoModeMenu();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    auto* recorderWindow = window->findChild<CSignalRecorderWindow*>();
    ASSERT_NE(recorderWindow, nullptr);
    QElapsedTimer clock;
    clock.start();
    recorderWindow->StartRecording(path, 100.0, 200.0, 0);
    const qint64 started = clock.elapsed();
    ASSERT_EQ(recorderWindow->GetStatus(), QStringLiteral("Recording signal"));
    const QDeadlineTimer deadline(20000);
    while (recorderWindow->GetElapsed() < 2 && !deadline.hasExpired())
        QTest::qWait(20);
    ASSERT_GE(recorderWindow->GetElapsed(), 2);

    const qint64 closing = clock.elapsed();
    EXPECT_TRUE(window->close());
    const qint64 closed = clock.elapsed();
    EXPECT_FALSE(g_DeviceThread.m_pRecorder->IsRecording());
    const qint64 sizeAtClose = QFileInfo(path).size();
    // The device loop goes on until the window is gone; nothing more reaches the file.
    QTest::qWait(300);
    window.reset();
    g_DeviceThread.Stop();
    EXPECT_EQ(QFileInfo(path).size(), sizeAtClose);

    CPrivateCore core;
    ISignalRecorder* player = core.Recorder();
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(player->CheckRecordingFile(path.toStdWString(), info));
    // The recording's length is the time from its start to the close, in whole seconds.
    EXPECT_GE(info.duration, (closing - started) / 1000);
    EXPECT_LE(info.duration, (closed + 999) / 1000);
    ASSERT_TRUE(player->OpenRecording(path.toStdWString(), 0, false));
    EXPECT_EQ(player->GetFreqBegin(), 100.0);
    EXPECT_EQ(player->GetFreqEnd(), 200.0);
    std::vector<uint8_t> block;
    int blocks = 0;
    while (player->ReadBlock(block))
    {
        EXPECT_FALSE(block.empty());
        ++blocks;
    }
    EXPECT_GT(blocks, 1);
    // Every block read: the last one ends where the trailer begins, not at a damaged block.
    EXPECT_EQ(player->GetFilePosition(), player->GetFileSize() - 8);
}
}  // namespace
