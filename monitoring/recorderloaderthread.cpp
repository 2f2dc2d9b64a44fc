#include "recorderloaderthread.h"

#include <QMetaType>

#include "devicethread.h"
#include "globals.h"

CRecorderLoaderThread::CRecorderLoaderThread()
{
    qRegisterMetaType<std::vector<double>>("std::vector<double>");
    // The loader and this object live on the GUI thread while the load runs on the worker, so each
    // signal crosses queued, in the order it was emitted. Levels are corrected on the GUI thread, where
    // the device thread's corrections are read everywhere else.
    connect(&m_Loader, &CRecordingLoader::progress, this, &CRecorderLoaderThread::OnProgress,
            Qt::QueuedConnection);
    connect(
        &m_Loader, &CRecordingLoader::spectrumLoaded, this,
        [this](const std::vector<double>& spectrum)
        {
            std::vector<double> corrected = spectrum;
            g_DeviceThread.CorrectLevels(corrected);
            emit spectrumLoaded(corrected);
        },
        Qt::QueuedConnection);
    connect(
        &m_Loader, &CRecordingLoader::waterfallLineLoaded, this,
        [this](qint64 time, const std::vector<double>& line)
        {
            std::vector<double> corrected = line;
            g_DeviceThread.CorrectLevels(corrected);
            emit waterfallLineLoaded(time, corrected);
        },
        Qt::QueuedConnection);
}

CRecorderLoaderThread::~CRecorderLoaderThread()
{
    wait();
}

bool CRecorderLoaderThread::Load(const QString& path, qint64 time)
{
    // A second go-to-time during a load would change the file under the running thread.
    if (isRunning())
        return false;
    m_strFile = path;
    m_nTime = time;
    start();
    return true;
}

void CRecorderLoaderThread::OnProgress(int percent)
{
    emit progress(percent);
}

void CRecorderLoaderThread::run()
{
    try
    {
        double tuneFreq = 0.0;
        int bandwidthIndex = 0;
        double freqBegin = 0.0;
        double freqEnd = 0.0;
        m_Loader.Open(m_strFile, &tuneFreq, &bandwidthIndex, &freqBegin, &freqEnd);
        emit dataLoaded(tuneFreq, bandwidthIndex, freqBegin, freqEnd);
        m_Loader.Load(m_nTime);
    }
    catch (const std::exception&)
    {
        emit progress(100);
    }
}
