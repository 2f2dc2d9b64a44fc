#pragma once

#include <QString>
#include <QTimer>

#include <vector>

#include "dockwindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeWidget;

// The floating "Pulse Detector Window": runs the library's pulse detector over the listed frequency
// ranges with a threshold and a pulse duration range, and shows its progress. The main window feeds
// the detector on its data tick and carries out what the signals ask (clock divider, trigger line,
// shown pulse). The search and the window's tuning apply to the high-frequency inputs (types 0, 3).
class CPulseWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CPulseWindow(QWidget* parent = nullptr);
    ~CPulseWindow() override;

    // The state of "Show Envelope", read on every data tick.
    bool IsShowEnvelope() const;
    // Hands the threshold choice (automatic, or the edit's mV as volts) to the detector.
    void ApplyTriggerSettings();
    // Moves the frequency slider (and, while no search runs, the detector) to the frequency, MHz.
    void SetCurrentFreq(double freqMHz);
    // Checks the range rows against the channel and hands them to the detector; false (with a
    // warning) when there are none or one is outside the channel or reversed.
    bool ApplyRanges();

    void setVisible(bool visible) override;

    // Frequency limits, MHz, that the main window sets from the synthesiser before showing the
    // window; a new range starts from them.
    double m_dStartFreq = 0.0;
    double m_dEndFreq = 0.0;

signals:
    void started();
    void stopped();
    void clkDivCntChanged(int divider);
    void enableTrigger(bool enable);
    void triggerLevelChanged(double levelVolts);
    void viewPulse(const std::vector<double>& envelope);
    void closeViewPulse();
    void savePulse(const QString& path);

public slots:
    void setTriggerLevel(double levelVolts);
    void OnStartButton();
    void OnStopButton();
    void OnTimer();
    void OnFreqSliderMoved(int freqMHz);
    void OnMaxTimeCombo(int index);
    void OnTriggerLevelEdited();

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
    bool IsHighFrequencyInput() const;
    double TriggerLevelVolts() const;
    void SetSearching(bool searching);

    QTreeWidget* m_pRangesTree = nullptr;
    QComboBox* m_pMaxTimeCombo = nullptr;
    QCheckBox* m_pEnvelopeCheck = nullptr;
    QLineEdit* m_pTriggerLevelEdit = nullptr;
    QRadioButton* m_pAutoRadio = nullptr;
    QRadioButton* m_pManualRadio = nullptr;
    QSlider* m_pFreqSlider = nullptr;
    QLabel* m_pStartFreqLabel = nullptr;
    QLabel* m_pCurrentFreqLabel = nullptr;
    QLabel* m_pEndFreqLabel = nullptr;
    QPushButton* m_pStartButton = nullptr;
    QPushButton* m_pStopButton = nullptr;
    QLabel* m_pStatusLabel = nullptr;
    QTimer m_Timer;
    bool m_bSavedOnlyDdc = false;
};
