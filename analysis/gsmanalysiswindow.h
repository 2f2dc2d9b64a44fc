#pragma once

#include <QTimer>

#include <vector>

#include "dockwindow.h"
#include "ui_gsmanalysiswindow.h"

// The floating "GSM Analysis" window: measures the level of each channel of the GSM 900 or GSM 1800
// band with the library's GSM analysis and shows them as a histogram. Choosing a band asks the main
// window to tune the receiver there; while the analysis runs the synthesiser stops scanning. The
// library's analysis is fed on the GUI thread's data fetch, the thread that polls it here, so the
// levels are copied without a lock.
class CGsmAnalysisWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CGsmAnalysisWindowClass ui{};

public:
    static constexpr double kGsm900FreqMHz = 948.0;
    static constexpr double kGsm1800FreqMHz = 1844.0;

    // `spectrumWidthMHz`: the width of the spectrum the analysis receives (0 without a channel).
    explicit CGsmAnalysisWindow(double spectrumWidthMHz, QWidget* parent = nullptr);
    // Hides the window first: a running analysis stops and the synthesiser scans again.
    ~CGsmAnalysisWindow() override;

    const Ui::CGsmAnalysisWindowClass& Form() const { return ui; }

signals:
    void ddcFreqChanged(double freqMHz);

public slots:
    void setVisible(bool visible) override;
    void OnStartStopButton();
    void OnSettingsChanged();
    void OnG900Radio();
    void OnG1800Radio();
    void OnTimer();

protected:
    void changeEvent(QEvent* event) override;

private:
    void UpdateButtonText();

    double m_dSpectrumWidth;
    QTimer m_Timer;
    bool m_bConstructed = false;
    std::vector<double> m_Levels;
};
