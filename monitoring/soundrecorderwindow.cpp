#include "soundrecorderwindow.h"

#include <QEvent>
#include <QFileInfo>

#include "devicethread.h"
#include "globals.h"

namespace
{
const char* const kContext = "CSoundRecorderWindow";
}  // namespace

CSoundRecorderWindow::CSoundRecorderWindow(QWidget* parent, ISoundEngine* engine)
    : CRecorderWindow(parent),
      m_pEngine(engine ? engine : g_DeviceThread.m_pSoundEngine),
      m_PlayThread(m_pEngine)
{
    setWindowTitle(tr("Sound Recording"));
}

CSoundRecorderWindow::~CSoundRecorderWindow()
{
    m_PlayThread.End();
}

void CSoundRecorderWindow::changeEvent(QEvent* event)
{
    CRecorderWindow::changeEvent(event);
    // The shared form's caption would otherwise come back after a language change.
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Sound Recording"));
}

void CSoundRecorderWindow::StartRecording(const QString& path, double /*freqBegin*/, double /*freqEnd*/,
                                          int stopSeconds)
{
    if (!RefuseBelow(FolderFreeSpace(path), kRefuseFreeSpace))
        return;
    emit recordingStarted();
    m_nStopTime = stopSeconds;
    m_nElapsed = 0;
    m_nLength = 0;
    if (m_pEngine)
        m_pEngine->StartRecording(path.toStdWString());
    // The engine raises its recording flag whether or not its file could be made, so the file is
    // asked as well; the main window's reaction is undone when there is no recording.
    const bool created = m_pEngine && m_pEngine->IsRecording() && QFileInfo(path).isFile();
    if (!created)
    {
        if (m_pEngine)
            m_pEngine->StopRecording();
        SetStatus(kContext, QT_TR_NOOP("Could not create file"));
        emit recordingStopped();
        return;
    }
    BeginRun(path, kContext, QT_TR_NOOP("Recording sound"), 0, false);
}

void CSoundRecorderWindow::StartPlayback(const QString& path, int /*length*/)
{
    m_nStopTime = 0;
    m_nElapsed = 0;
    if (!m_pEngine || !m_pEngine->OpenPlayback(path.toStdWString()))
    {
        SetStatus(kContext, QT_TR_NOOP("Could not open recording"));
        return;
    }
    m_nLength = m_pEngine->GetPlaybackLength();
    m_PlayThread.Begin();
    BeginRun(path, kContext, QT_TR_NOOP("Playing recording"), m_nLength, false);
}

void CSoundRecorderWindow::Stop()
{
    if (!m_pEngine)
        return;
    const bool wasRecording = m_pEngine->IsRecording();
    m_pEngine->StopRecording();
    // The play thread leaves the engine before the file is closed under it.
    m_PlayThread.End();
    m_pEngine->StopPlayback();
    if (wasRecording)
        emit recordingStopped();
}

bool CSoundRecorderWindow::IsFinished()
{
    if (!m_pEngine)
        return true;
    if (m_pEngine->IsRecording())
        return m_nStopTime > 0 && m_nElapsed == m_nStopTime;
    if (!m_pEngine->IsPlaying())
        return false;
    // The loop hands the last blocks to the output seconds before they have sounded, so a file of a
    // second or more plays for its length. A shorter one has length 0 and ends with its loop.
    return m_nLength > 0 ? m_nElapsed >= m_nLength : !m_PlayThread.isRunning();
}

bool CSoundRecorderWindow::IsBusy()
{
    return m_pEngine && (m_pEngine->IsRecording() || m_pEngine->IsPlaying());
}
