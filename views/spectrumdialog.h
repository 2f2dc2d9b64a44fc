#pragma once

#include <QString>
#include <QTimer>

#include <array>
#include <memory>

#include "dockwindow.h"
#include "globals.h"

class QGroupBox;

namespace Ui
{
class CSpectrumDialog;
}

// The "Spectrum" window of the microwave converter sweep: the coarse panorama of 1008 bins as a
// picture, a read-out of the strongest bin and the mean level, the picture's level scale, and the two
// frequency windows F0 and F1 (whole MHz) kept in the application data folder's "settings.ini".
// The main window writes the band, sweep and axis texts and takes F0/F1 when the apply flag is set.
class CSpectrumDialog : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CSpectrumDialog(QWidget* parent = nullptr);
    ~CSpectrumDialog() override;

    // The read-out of a panorama (levels stored plus 130 dB) for the current sweep: the first
    // strongest bin's frequency and level, and the mean of bins 1 .. 1007 over all 1008 bins.
    QString ReadOut(const double* bins, int count) const;

    // F0 and F1, MHz; read by the main window.
    int m_nF0_Start = 0;
    int m_nF0_End = 0;
    int m_nF1_Start = 0;
    int m_nF1_End = 0;
    // Frequency axis texts of the picture and the squelch text; written by the main window.
    QString m_strBegin;
    QString m_strEnd;
    QString m_strStep;
    QString m_strSquelch;
    // Set when F0/F1 are new; the main window takes them and clears it.
    int m_nApply = 1;
    // The converter band (0 or 1) and its sweep, MHz; written by the main window's band buttons.
    int m_nBandMode = 0;
    int m_nSweepStart = 0;
    int m_nSweepEnd = 0;
    // The F0/F1 editing group, hidden until the service key sequence shows it.
    QGroupBox* m_pDebugGroupBox = nullptr;

public slots:
    void OnTimer();
    void OnAdaptButton();
    void OnSendButton();

private:
    static QString SettingsPath();
    void ReadWindows();

    QTimer m_Timer;
    // The device thread's two panoramas as the last tick found them; the picture draws these, so it
    // never reads arrays the device thread is writing.
    std::array<double, kLmxPanoramaSize> m_Current{};
    std::array<double, kLmxPanoramaSize> m_Second{};
    std::unique_ptr<Ui::CSpectrumDialog> m_ui;
};
