#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class IKelthar;

// Runs a signal recording through a private device core: every block gives one waterfall line, the
// block recorded at the requested time also gives the shown spectrum. The file is read through the
// private core's own recorder, so a recording or playback of the live recorder is never disturbed,
// and the spectra come from two private calculators set up like the live pair. Results leave as
// signals carrying copies, before the level corrections; the loader never touches a view.
class CRecordingLoader : public QObject
{
    Q_OBJECT

public:
    CRecordingLoader();
    ~CRecordingLoader() override;

    // Opens the recording on a fresh private core and gives back the tuning of its first block (tune
    // frequency, bandwidth index) and its band edges (MHz); false when the file cannot be opened (the
    // values are then 0 and no core is kept).
    bool Open(const QString& path, double* tuneFreq, int* bandwidthIndex, double* freqBegin, double* freqEnd);
    // Processes every block of the recording opened last, then releases the private core. The blocks
    // recorded within timeSeconds (s since 1970) give the spectrum. Ends with progress(100) in every
    // case, also when cancelled.
    void Load(qint64 timeSeconds);

    // Checked before every block: a cancelled load stops at the next one. Cleared by the owner before
    // each load.
    void SetCancelled(bool cancelled) { m_bCancelled = cancelled; }
    bool IsCancelled() const { return m_bCancelled; }

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
    std::atomic<bool> m_bCancelled{false};
};
