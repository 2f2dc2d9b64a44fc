#pragma once

#include <QString>
#include <QTimer>

#include <memory>

#include "dockwindow.h"

namespace Ui
{
class CRecorderWindow;
}

// What the signal and the sound recorder share: the elapsed and length clocks, the status line, play
// and stop, and the one-second tick that counts the time, ends a finished run and stops a run whose
// disk is full. Subclasses decide what is recorded or played, through which library interface.
class CRecorderWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // Free bytes under which a running recording or playback is stopped.
    static constexpr quint64 kTickFreeSpaceLimit = 1000000;

    explicit CRecorderWindow(QWidget* parent = nullptr);
    ~CRecorderWindow() override;

    // Starts recording into path; stops after stopSeconds (0 = no limit). The frequencies describe the
    // recorded band (MHz); the sound recorder ignores them.
    virtual void StartRecording(const QString& path, double freqBegin, double freqEnd, int stopSeconds) = 0;
    // Plays path; length is its length in seconds where the caller knows it.
    virtual void StartPlayback(const QString& path, int length) = 0;
    virtual void Stop() = 0;
    virtual bool IsFinished() = 0;
    virtual bool IsBusy() = 0;

    // Hiding is refused while a run is on.
    void setVisible(bool visible) override;

    // "hh:mm:ss" of a second count, wrapping after a day as a clock does.
    static QString FormatClock(int seconds);

    QString GetStatus() const;
    int GetElapsed() const { return m_nElapsed; }
    bool IsTicking() const { return m_Timer.isActive(); }

public slots:
    void OnTimer();
    void OnPlayButton();
    void OnStopButton();

protected:
    // A language change translates the form and the status line again; it goes no further, so the
    // subclasses put back what they set in place of the form's texts.
    void changeEvent(QEvent* event) override;

    // The folder part of a path (up to and including the last separator), empty without one.
    static QString FolderOf(const QString& path);
    // The free bytes of the folder that holds path; a folder that cannot be asked has none. A bare
    // file name names no folder and is never short of space.
    static quint64 FolderFreeSpace(const QString& path);
    // Below limit: "No free disk space!", the status to match, and false.
    bool RefuseBelow(quint64 freeBytes, quint64 limit);
    // The status line shows source translated in context; it is kept untranslated so that a language
    // change can translate it again. Subclasses pass their own class name with QT_TR_NOOP texts.
    void SetStatus(const char* context, const char* source);
    // The tick and both clocks from zero, the file remembered, the window shown.
    void BeginRun(const QString& path, const char* context, const char* status, int lengthSeconds,
                  bool showSlider);

    QTimer m_Timer;
    QString m_strFile;
    int m_nStopTime = 0;
    int m_nElapsed = 0;
    int m_nLength = 0;

private:
    void ShowStatus();

    std::unique_ptr<Ui::CRecorderWindow> m_ui;
    const char* m_statusContext = nullptr;
    const char* m_statusSource = nullptr;
};
