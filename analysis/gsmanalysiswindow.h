#pragma once

#include <QTimer>

#include <vector>

#include "dockwindow.h"

class CQHistogramWidget;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The floating "GSM Analysis" window: measures the level of each channel of the GSM 900 or GSM 1800
// band with the library's GSM analysis and shows them as a histogram. Choosing a band asks the main
// window to tune the receiver there; while the analysis runs the synthesiser stops scanning.
class CGsmAnalysisWindow : public CQDockWindow
{
    Q_OBJECT

public:
    static constexpr double kGsm900FreqMHz = 948.0;
    static constexpr double kGsm1800FreqMHz = 1844.0;

    // `spectrumWidthMHz`: the width of the spectrum the analysis receives (0 without a channel).
    explicit CGsmAnalysisWindow(double spectrumWidthMHz, QWidget* parent = nullptr);
    ~CGsmAnalysisWindow() override;

    void setVisible(bool visible) override;

signals:
    void ddcFreqChanged(double freqMHz);

public slots:
    void OnStartStopButton();
    void OnSettingsChanged();
    void OnG900Radio();
    void OnG1800Radio();
    void OnTimer();

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
    void UpdateButtonText();

    double m_dSpectrumWidth;
    QTimer m_Timer;
    bool m_bConstructed = false;
    std::vector<double> m_Levels;

    CQHistogramWidget* m_pHistogramView = nullptr;
    QRadioButton* m_pG900Radio = nullptr;
    QRadioButton* m_pG1800Radio = nullptr;
    QLineEdit* m_pStartFreqEdit = nullptr;
    QSpinBox* m_pChannelsSpin = nullptr;
    QLineEdit* m_pBandwidthEdit = nullptr;
    QLineEdit* m_pAverCountEdit = nullptr;
    QRadioButton* m_pHistAverOff = nullptr;
    QRadioButton* m_pHistAverPeak = nullptr;
    QRadioButton* m_pHistAver1 = nullptr;
    QRadioButton* m_pHistAver2 = nullptr;
    QRadioButton* m_pChAverPeak = nullptr;
    QRadioButton* m_pChAver1 = nullptr;
    QPushButton* m_pStartStopButton = nullptr;
};
