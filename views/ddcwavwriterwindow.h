#pragma once

#include <QTimer>

#include <memory>

#include "dockwindow.h"

class QEvent;

namespace Ui
{
class CDdcWavWriterWindowClass;
}

// A small floating dock that records the DDC stream (the band's I/Q samples) into a two-channel WAV
// file through the library's writer: the operator picks the file, 24 or 16 bits and, for 16 bits,
// normalisation; once a second the window shows how long it has been writing and the share of DDC
// samples lost. Settings name "DdcWavWriterWindow".
class CDdcWavWriterWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CDdcWavWriterWindow(QWidget* parent = nullptr);
    // A file still being written is closed, so its header holds the sizes of what was written.
    ~CDdcWavWriterWindow() override;

    // Hiding the window while the library writes stops the writing and closes the file.
    void setVisible(bool visible) override;
    // As the Stop button, while the library writes; otherwise nothing. The main window calls it as
    // the program closes.
    void StopWriting();

    // The share of DDC samples lost, "0.52% lost" for 52 of 10000; empty when none were counted.
    static QString LostText(int total, int lost);

    bool IsTimerActive() const { return m_Timer.isActive(); }
    int GetSeconds() const { return m_nSeconds; }

public slots:
    void OnBrowseButton();
    void OnStartButton();
    void OnStopButton();
    void On24BitRadio();
    void On16BitRadio();
    void OnTimer();

protected:
    void changeEvent(QEvent* event) override;

private:
    QTimer m_Timer;
    int m_nSeconds = 0;
    std::unique_ptr<Ui::CDdcWavWriterWindowClass> m_ui;
};
