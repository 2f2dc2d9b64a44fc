#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "imonitoring.h"

class IAnalysis;

namespace Ui
{
class CMonitoringTaskDialog;
}

// "Monitoring Task": edits a copy of one monitoring task (name, frequency ranges, averaging and
// window, the average-value threshold, the recording file, merging). The owner reads `m_Task` after
// exec returned Accepted and hands it to the monitoring object itself. The channel, the absolute
// threshold, the hysteresis and the wait cycles are carried through unseen.
//
// Ranges are held in MHz and shown in kHz on input types 4 and 6. Filling, adding and reading back
// use one type, the channel row of the dialog (the task's channel), so no range changes its unit on
// the way; each row keeps its exact MHz values, the text is only for display. Opening the dialog and
// "Show" hand the threshold to the full-range analysis, also when the dialog is then cancelled.
class CMonitoringTaskDialog : public QDialog
{
    Q_OBJECT

public:
    // `analysis` receives the threshold; the device thread's analysis when null.
    explicit CMonitoringTaskDialog(MONITORING_TASK task, QWidget* parent = nullptr,
                                   IAnalysis* analysis = nullptr);
    ~CMonitoringTaskDialog() override;

    // Asks the owner for the task's channel, refills the ranges and applies the threshold, then runs
    // the dialog modally. Run it through the prompt facade.
    int exec() override;

    // The ranges of `m_Task` as rows of the tree, in the dialog's unit.
    void FillRangesTree();
    // The recording time left on the volume of the recording path, at 460800 bytes a second.
    void UpdateTimeAvailable();
    // The unit the ranges are shown in for an input type: kHz for types 4 and 6, else MHz.
    static bool IsKhzChannel(int type);

    Ui::CMonitoringTaskDialog& Form() { return *m_ui; }

    // The dialog's copy of the task; accept writes what the dialog edits into it.
    MONITORING_TASK m_Task;

signals:
    // The owner is asked to switch the device to this input type.
    void channelChanged(int type);
    void adfRangeChanged(double start, double end);

public slots:
    void OnChannelCombo(int row);
    void OnShowButton();
    void OnAddButton();
    void OnDeleteButton();
    void OnBrowseButton();
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The input type whose unit the ranges are shown and read in.
    int UnitChannel() const;
    void AddRangeRow(double startMHz, double endMHz);

    std::unique_ptr<Ui::CMonitoringTaskDialog> m_ui;
    IAnalysis* m_pAnalysis = nullptr;
};
