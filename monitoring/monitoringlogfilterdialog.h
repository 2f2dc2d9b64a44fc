#pragma once

#include <QDateTime>
#include <QDialog>

#include <memory>

namespace Ui
{
class CMonitoringLogFilterDialog;
}

// What the monitoring event log lists: with `Enabled`, an event must start no earlier than `From` and
// end no later than `To` (whole seconds) when `PeriodEnabled`, and lie within FreqFrom..FreqTo (MHz,
// both inclusive) when `RangeEnabled`.
struct MONITORING_LOG_FILTER
{
    bool Enabled = false;
    bool PeriodEnabled = false;
    QDateTime From;
    QDateTime To;
    bool RangeEnabled = false;
    double FreqFrom = 0.0;
    double FreqTo = 0.0;
};

// "Monitoring Log Filter": edits a copy of the log's filter; the log takes it over when the dialog is
// accepted. Nothing is validated: a bound that is no number reads 0.0. A frequency bound the operator
// did not edit keeps its exact value, although it is shown with six significant digits.
class CMonitoringLogFilterDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CMonitoringLogFilterDialog(const MONITORING_LOG_FILTER& filter, QWidget* parent = nullptr);
    ~CMonitoringLogFilterDialog() override;

    MONITORING_LOG_FILTER& GetFilter() { return m_Filter; }
    Ui::CMonitoringLogFilterDialog& Form() { return *m_ui; }

public slots:
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CMonitoringLogFilterDialog> m_ui;
    MONITORING_LOG_FILTER m_Filter;
};
