#pragma once

#include <QDialog>

#include "pulselogfilter.h"
#include "ui_pulselogfilterdialog.h"

// "Pulse Log Filter": edits a copy of the pulse log's filter. The log hands its filter over in
// `m_Filter` before running the dialog and takes it back after OK or when Apply is pressed; Apply
// leaves the dialog open.
class CPulseLogFilterDialog : public QDialog
{
    Q_OBJECT

    Ui::CPulseLogFilterDialog ui{};

public:
    explicit CPulseLogFilterDialog(QWidget* parent = nullptr);
    ~CPulseLogFilterDialog() override;

    // Shows `m_Filter` in the controls, then runs the dialog (through the prompt facade).
    int exec() override;

    const Ui::CPulseLogFilterDialog& Form() const { return ui; }

    PULSE_LOG_FILTER m_Filter;

signals:
    void applyFilter(CPulseLogFilterDialog* dialog);

public slots:
    void OnApplyButton();
    void OnOkButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    void WriteFilter();
    // The controls into `m_Filter`; an edit that holds no number gives 0.
    void ReadFilter();
};
