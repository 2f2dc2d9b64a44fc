#include "signalrecorderwindow.h"

#include <QCoreApplication>
#include <QDateTime>

#include "devicethread.h"
#include "globals.h"
#include "prompt.h"

namespace
{
const char* const kContext = "CSignalRecorderWindow";

int64_t NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}
}  // namespace

CSignalRecorderWindow::CSignalRecorderWindow(QWidget* parent, ISignalRecorder* recorder)
    : CRecorderWindow(parent), m_pRecorder(recorder ? recorder : g_DeviceThread.m_pRecorder)
{
}

CSignalRecorderWindow::~CSignalRecorderWindow() = default;

void CSignalRecorderWindow::StartRecording(const QString& path, double freqBegin, double freqEnd,
                                           int stopSeconds)
{
    const quint64 freeBytes = FolderFreeSpace(path);
    if (!RefuseBelow(freeBytes, kRefuseFreeSpace))
        return;
    if (freeBytes < kWarnFreeSpace)
        Prompt().Warning(this, QCoreApplication::applicationName(), tr("Free disk space is too low!"));
    m_nStopTime = stopSeconds;
    m_nElapsed = 0;
    m_nLength = 0;
    // A file the library refuses to create (a folder of that name, no write permission) must not look
    // like a running recording that writes nothing.
    if (!m_pRecorder || !m_pRecorder->StartRecording(path.toStdWString(), NowMs(), freqBegin, freqEnd, false))
    {
        SetStatus(kContext, QT_TR_NOOP("Could not create file"));
        return;
    }
    BeginRun(path, kContext, QT_TR_NOOP("Recording signal"), 0, false);
}

void CSignalRecorderWindow::StartPlayback(const QString& path, int length)
{
    m_nElapsed = 0;
    m_nLength = length;
    if (!m_pRecorder || !m_pRecorder->OpenRecording(path.toStdWString(), NowMs(), false))
    {
        SetStatus(kContext, QT_TR_NOOP("Could not open file"));
        return;
    }
    BeginRun(path, kContext, QT_TR_NOOP("Playing"), length, true);
    emit playbackStarted(m_pRecorder->GetTuneFreq(), m_pRecorder->GetBandwidthIndex(),
                         m_pRecorder->GetFreqBegin(), m_pRecorder->GetFreqEnd());
}

void CSignalRecorderWindow::Stop()
{
    if (m_pRecorder && m_pRecorder->IsPlaying())
        m_pRecorder->StopPlayback();
    if (m_pRecorder && m_pRecorder->IsRecording())
    {
        m_pRecorder->StopRecording(NowMs());
        // The play button then replays the new file with its recorded length.
        m_nLength = m_nElapsed;
        return;
    }
    emit playbackStopped();
}

bool CSignalRecorderWindow::IsFinished()
{
    if (m_pRecorder && m_pRecorder->IsRecording())
        return m_nStopTime > 0 && m_nElapsed == m_nStopTime;
    // A playback of unknown length (0) runs until Stop.
    return m_nElapsed == m_nLength;
}

bool CSignalRecorderWindow::IsBusy()
{
    return m_pRecorder && (m_pRecorder->IsPlaying() || m_pRecorder->IsRecording());
}
