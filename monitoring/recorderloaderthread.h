#pragma once

#include <QThread>

#include <vector>

#include "recordingloader.h"

class CRangeView;
class CDdcView;
class CDemodView;

// Loads a signal recording on its own thread for the archive's go-to-time: first the recording's
// tuning (dataLoaded), then the spectrum and waterfall lines, then progress up to 100. A recording
// that cannot be opened gives no dataLoaded, only progress 100. Everything it produces reaches the GUI
// thread queued, as copies finished like the live range spectra; the owner hands spectrumLoaded and
// waterfallLineLoaded to the range view. Destroying the thread cancels a running load at its next
// block.
class CRecorderLoaderThread : public QThread
{
    Q_OBJECT

public:
    CRecorderLoaderThread();
    ~CRecorderLoaderThread() override;

    // Set before Start; the views the recording is shown in.
    CRangeView* m_pRangeView = nullptr;
    CDdcView* m_pDdcView = nullptr;
    CDemodView* m_pDemodView = nullptr;
    // The recording, and the time (s since 1970, as filed in the archive) of the block whose spectrum
    // is shown.
    QString m_strFile;
    qint64 m_nTime = 0;

    // Starts a load; false (and nothing changes) while a load is still running.
    bool Load(const QString& path, qint64 time);

    // The worker; for tests that watch it from its own thread.
    CRecordingLoader& Loader() { return m_Loader; }

signals:
    void progress(int percent);
    void dataLoaded(double tuneFreq, int bandwidthIndex, double freqBegin, double freqEnd);
    void spectrumLoaded(const std::vector<double>& spectrum);
    void waterfallLineLoaded(qint64 time, const std::vector<double>& line);

public slots:
    void OnProgress(int percent);

protected:
    void run() override;

private:
    CRecordingLoader m_Loader;
};
