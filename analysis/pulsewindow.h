#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

#include "dockwindow.h"
#include "ui_pulsewindow.h"

class CPulseLogWindow;

// The floating "Pulse Detector Window": runs the library's pulse detector over the listed frequency
// ranges with a threshold and a pulse duration range, and shows its progress. The main window feeds
// the detector on its data tick and carries out what the signals ask (clock divider, trigger line,
// shown pulse). The search and the window's tuning apply to the high-frequency inputs (types 0, 3).
// The window owns the pulse log (created beside it, under the same parent) and passes on what the log
// asks of the main window.
class CPulseWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CPulseWindow ui{};

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

    const Ui::CPulseWindow& Form() const { return ui; }
    CPulseLogWindow* LogWindow() const;

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
    void OnViewLogButton();
    void OnStartButton();
    void OnStopButton();
    void OnPrevButton();
    void OnNextButton();
    void OnAddButton();
    void OnDeleteButton();
    void OnMaxTimeCombo(int index);
    void OnFreqSliderMoved(int freqMHz);
    void OnAutoRadioClicked(bool checked);
    void OnManualRadioClicked(bool checked);
    void OnTriggerLevelEdited();
    void OnTimer();
    void OnViewPulse(const std::vector<double>& envelope);
    void OnSavePulse(const QString& path);
    void OnPulseLogVisibilityChanged(bool visible);

protected:
    void changeEvent(QEvent* event) override;

private:
    bool IsHighFrequencyInput() const;
    double TriggerLevelVolts() const;
    void SetSearching(bool searching);
    // Moves the detector, the label and the slider to `freqMHz`.
    void StepTo(double freqMHz);

    QTimer m_Timer;
    bool m_bSavedOnlyDdc = false;
    QPointer<CPulseLogWindow> m_pLogWindow;
};
