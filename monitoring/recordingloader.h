#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class IKelthar;

// Runs a signal recording through a private device core: every block gives one waterfall line, the
// block recorded at the requested time also gives the shown spectrum. The file is read through the
// private core's own recorder, so a recording or playback of the live recorder is never disturbed,
// and the spectra come from the private core's own calculator. Results leave as signals carrying
// copies; the loader never touches a view.
class CRecordingLoader : public QObject
{
    Q_OBJECT

public:
    CRecordingLoader();
    ~CRecordingLoader() override;

    // Opens the recording on a fresh private core and gives back its tuning (tune frequency MHz,
    // bandwidth index, band edges MHz); false when the file cannot be opened (the values are then 0).
    bool Open(const QString& path, double* tuneFreq, int* bandwidthIndex, double* freqBegin, double* freqEnd);
    // Processes every block of the recording opened last, then releases the private core. The blocks
    // recorded within timeSeconds (s since 1970) give the spectrum. Ends with progress(100) in every case.
    void Load(qint64 timeSeconds);

signals:
    void progress(int percent);
    // The range spectrum of a block recorded at the requested time.
    void spectrumLoaded(const std::vector<double>& spectrum);
    // One waterfall line per block, at the block's time (ms since 1970).
    void waterfallLineLoaded(qint64 time, const std::vector<double>& line);

private:
    struct CoreDeleter
    {
        void operator()(IKelthar* core) const;
    };
    std::unique_ptr<IKelthar, CoreDeleter> m_pCore;
};
