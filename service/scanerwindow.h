#pragma once

#include "dockwindow.h"

class IScaner;
class QLineEdit;
class QRadioButton;

// Control of an external scanning receiver used as a tunable front end: no control, a fixed frequency,
// or a scan in a range. The main window follows the chosen frequency through freqChanged.
class CScanerWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CScanerWindow(QWidget* parent = nullptr, IScaner* scaner = nullptr);
    ~CScanerWindow() override;

    // Stores and shows the frequency (MHz), tells the main window when a fixed frequency is in force and
    // passes it to the receiver.
    void SetFrequency(double freqMHz);
    double GetFrequency() const { return m_dFrequency; }
    int GetModelIndex() const { return m_nModelIndex; }

    QRadioButton* m_pNoControlButton = nullptr;
    QRadioButton* m_pFixedFreqButton = nullptr;
    QRadioButton* m_pScanRangeButton = nullptr;
    QLineEdit* m_pFreqEdit = nullptr;

signals:
    // -1.0 and 0 when no fixed frequency is set.
    void freqChanged(double freqMHz, int modelIndex);
    void modelChanged();

public slots:
    void OnNoControlButton();
    void OnFixedFreqButton();
    void OnScanRangeButton();
    void OnFreqEdit();

private:
    QString FrequencyText(double freqMHz) const;

    IScaner* m_pScaner;
    double m_dFrequency = 0.0;
    int m_nModelIndex = 0;
};
