#pragma once

#include <QDialog>
#include <QString>

#include "ui_inputknownfreqrange.h"

// "Frequency Range Edit": one named frequency range. The full form (type 0) adds the channel plan
// and the averaging, the short form (any other type) the switch value. The caller sets the value
// fields, runs the dialog and reads them back when it was accepted; the end channel is always derived
// from the others. The edges must lie inside the current input's limits.
class CInputKnownFreqRange : public QDialog
{
    Q_OBJECT

    Ui::CInputKnownFreqRange ui{};

public:
    explicit CInputKnownFreqRange(int type, QWidget* parent = nullptr);
    ~CInputKnownFreqRange() override;

    // Copies the value fields into the inputs, then runs the modal loop.
    int exec() override;

    const Ui::CInputKnownFreqRange& Form() const { return ui; }

    QString m_Name;
    double m_StartFreq = 0.0;  // MHz
    double m_EndFreq = 0.0;    // MHz
    double m_Band = 0.0;       // channel width, MHz
    double m_Step = 0.0;       // channel spacing, MHz
    int m_StartChannel = 0;
    int m_EndChannel = 0;  // derived on OK, never typed
    int m_Averaging = 0;   // index into the FFT averaging modes
    int m_Switch = 0;      // 0 "do nothing", 1 to 4 channels

public slots:
    // Reads the inputs, checks them (a failed check warns and keeps the dialog open) and accepts.
    void OnOkButton();

private:
    // Puts the value fields into the inputs; an input the operator then leaves alone keeps its field.
    void CopyFieldsToInputs();
};
