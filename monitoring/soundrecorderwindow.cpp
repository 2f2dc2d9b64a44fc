#include "soundrecorderwindow.h"

#include <QEvent>

#include "devicethread.h"
#include "globals.h"

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
    if (!CheckFreeSpace(path, kRefuseFreeSpace))
        return;
    emit recordingStarted();
    m_nStopTime = stopSeconds;
    m_nElapsed = 0;
    m_nLength = 0;
    if (m_pEngine)
        m_pEngine->StartRecording(path.toStdWString());
    // The engine does not report a file it could not create; ask it whether it records at all, and
    // undo the main window's reaction when it does not.
    if (!m_pEngine || !m_pEngine->IsRecording())
    {
        SetStatus(tr("Could not create file"));
        emit recordingStopped();
        return;
    }
    BeginRun(path, tr("Recording sound"), 0, false);
}

void CSoundRecorderWindow::StartPlayback(const QString& path, int /*length*/)
{
    m_nStopTime = 0;
    m_nElapsed = 0;
    if (!m_pEngine || !m_pEngine->OpenPlayback(path.toStdWString()))
    {
        SetStatus(tr("Could not open recording"));
        return;
    }
    m_nLength = m_pEngine->GetPlaybackLength();
    m_PlayThread.Begin();
    BeginRun(path, tr("Playing recording"), m_nLength, false);
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
    // A file shorter than a second has length 0; the end of the play loop ends it as well.
    return m_pEngine->IsPlaying() && (m_nElapsed >= m_nLength || !m_PlayThread.isRunning());
}

bool CSoundRecorderWindow::IsBusy()
{
    return m_pEngine && (m_pEngine->IsRecording() || m_pEngine->IsPlaying());
}
