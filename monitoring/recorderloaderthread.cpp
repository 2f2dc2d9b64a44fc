#include "recorderloaderthread.h"

#include <QMetaType>

#include <exception>

#include "devicethread.h"
#include "globals.h"

CRecorderLoaderThread::CRecorderLoaderThread()
{
    qRegisterMetaType<std::vector<double>>("std::vector<double>");
    // The loader and this object live on the GUI thread while the load runs on the worker, so each
    // signal crosses queued, in the order it was emitted. The spectra are finished on the GUI thread,
    // where the device thread's corrections are read everywhere else, as the live spectra are.
    connect(&m_Loader, &CRecordingLoader::progress, this, &CRecorderLoaderThread::OnProgress,
            Qt::QueuedConnection);
    connect(
        &m_Loader, &CRecordingLoader::spectrumLoaded, this,
        [this](const std::vector<double>& spectrum)
        {
            std::vector<double> corrected = spectrum;
            g_DeviceThread.PostProcessRangeSpectrum(corrected, false);
            emit spectrumLoaded(corrected);
        },
        Qt::QueuedConnection);
    connect(
        &m_Loader, &CRecordingLoader::waterfallLineLoaded, this,
        [this](qint64 time, const std::vector<double>& line)
        {
            std::vector<double> corrected = line;
            g_DeviceThread.PostProcessRangeSpectrum(corrected, false);
            emit waterfallLineLoaded(time, corrected);
        },
        Qt::QueuedConnection);
}

CRecorderLoaderThread::~CRecorderLoaderThread()
{
    // Quitting never waits for the rest of a long recording.
    m_Loader.SetCancelled(true);
    wait();
}

bool CRecorderLoaderThread::Load(const QString& path, qint64 time)
{
    // A second go-to-time during a load would change the file under the running thread.
    if (isRunning())
        return false;
    m_strFile = path;
    m_nTime = time;
    m_Loader.SetCancelled(false);
    start();
    return true;
}

void CRecorderLoaderThread::OnProgress(int percent)
{
    emit progress(percent);
}

void CRecorderLoaderThread::run()
{
    double tuneFreq = 0.0;
    int bandwidthIndex = 0;
    double freqBegin = 0.0;
    double freqEnd = 0.0;
    // A recording that cannot be opened has no tuning to apply: only the end is reported.
    if (!m_Loader.Open(m_strFile, &tuneFreq, &bandwidthIndex, &freqBegin, &freqEnd))
    {
        emit progress(100);
        return;
    }
    emit dataLoaded(tuneFreq, bandwidthIndex, freqBegin, freqEnd);
    try
    {
        m_Loader.Load(m_nTime);
    }
    catch (const std::exception&)
    {
        // An exception must not leave the thread; the view is told the load is over.
        emit progress(100);
    }
}
