#pragma once

#include "playfilethread.h"
#include "recorderwindow.h"

class ISoundEngine;

// Records the demodulated sound into a WAV file and plays one back on the sound output.
class CSoundRecorderWindow : public CRecorderWindow
{
    Q_OBJECT

public:
    static constexpr quint64 kRefuseFreeSpace = 10000;

    // `engine` is the device thread's sound engine when null.
    explicit CSoundRecorderWindow(QWidget* parent = nullptr, ISoundEngine* engine = nullptr);
    ~CSoundRecorderWindow() override;

    void StartRecording(const QString& path, double freqBegin, double freqEnd, int stopSeconds) override;
    void StartPlayback(const QString& path, int length) override;
    void Stop() override;
    bool IsFinished() override;
    bool IsBusy() override;

    // The loop that hands the file being played to the output; it ends at the end of the file or at
    // Stop, which waits for it.
    CPlayFileThread& PlayThread() { return m_PlayThread; }

signals:
    // Emitted before the engine starts, so the main window's reaction comes first.
    void recordingStarted();
    void recordingStopped();

protected:
    void changeEvent(QEvent* event) override;

private:
    ISoundEngine* m_pEngine;
    CPlayFileThread m_PlayThread;
};
