#pragma once

#include "recorderwindow.h"

class ISignalRecorder;

// Records the device stream of a band into a recording file, and plays one back: while it plays, the
// device thread takes its blocks from the file instead of the device.
class CSignalRecorderWindow : public CRecorderWindow
{
    Q_OBJECT

public:
    // Free bytes under which a recording is refused, and under which it starts with a warning.
    static constexpr quint64 kRefuseFreeSpace = 1000000;
    static constexpr quint64 kWarnFreeSpace = 1000000000;

    // `recorder` is the device thread's signal recorder when null.
    explicit CSignalRecorderWindow(QWidget* parent = nullptr, ISignalRecorder* recorder = nullptr);
    ~CSignalRecorderWindow() override;

    void StartRecording(const QString& path, double freqBegin, double freqEnd, int stopSeconds) override;
    void StartPlayback(const QString& path, int length) override;
    void Stop() override;
    bool IsFinished() override;
    bool IsBusy() override;

signals:
    void playbackStarted(double tuneFreq, int bandwidthIndex, double freqBegin, double freqEnd);
    void playbackStopped();

private:
    ISignalRecorder* m_pRecorder;
};
