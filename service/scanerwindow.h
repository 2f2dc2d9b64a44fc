#pragma once

#include <memory>

#include "dockwindow.h"

class IScaner;

namespace Ui
{
class CScanerWindowClass;
}

// Control of an external scanning receiver used as a tunable front end: no control, a fixed frequency
// (typed, or turned on an endless dial), or a scan in a range. Everything reaches the receiver through
// IScaner; the main window follows the chosen frequency through freqChanged.
class CScanerWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // The receiver is the device thread's unless one is given. Not owned.
    explicit CScanerWindow(QWidget* parent = nullptr, IScaner* scaner = nullptr);
    ~CScanerWindow() override;

    // Stores and shows the frequency (MHz), tells the main window when a fixed frequency is in force and
    // passes it to the receiver unclamped.
    void SetFrequency(double freqMHz);
    // Shows the model of the window's index with the window's mode, flags and range; nothing when the
    // receiver has no such model.
    void ApplyModel();
    // The first word of the frequency edit as MHz; 0.0, and *ok false, when it is no number.
    double GetEditFrequency(bool* ok = nullptr) const;

    double GetFrequency() const { return m_dFrequency; }
    int GetModelIndex() const { return m_nModelIndex; }
    bool IsReceiverEnabled() const { return m_bReceiverEnabled; }
    const Ui::CScanerWindowClass& Form() const { return *m_ui; }

signals:
    // -1.0 and 0 when no fixed frequency is set.
    void freqChanged(double freqMHz, int modelIndex);
    void modelChanged();

public slots:
    void OnNoControlButton();
    void OnFixedFreqButton();
    void OnScanRangeButton();
    void OnOptimizeCheck();
    void OnOptionsButton();
    void OnFreqEdit();
    void OnFreqDial(int position);
    void OnEnableButton();
    void OnApplyButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    QString FrequencyText(double freqMHz) const;
    // The frequency in force: the typed one when the edit holds a number other than the shown
    // frequency, else the stored one.
    double CurrentFrequency() const;
    void CheckModeButton(int mode);

    std::unique_ptr<Ui::CScanerWindowClass> m_ui;
    IScaner* m_pScaner;
    int m_nModelIndex = 0;
    // The mode follows the mode buttons' slots, so ApplyModel shows the mode in force; nothing sets the
    // scan range and its flags yet.
    int m_nMode = 0;
    double m_dFrequency = 0.0;
    double m_dRangeStart = 0.0;
    double m_dRangeStop = 0.0;
    bool m_bMaxRange = false;
    bool m_bSubstractBypass = false;
    bool m_bOptimize = false;
    int m_nLastDialPosition = 0;
    bool m_bReceiverEnabled = false;
};
