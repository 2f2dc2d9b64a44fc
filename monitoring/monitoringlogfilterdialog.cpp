#include "monitoringlogfilterdialog.h"

#include <QEvent>

#include "ui_monitoringlogfilterdialog.h"

CMonitoringLogFilterDialog::CMonitoringLogFilterDialog(const MONITORING_LOG_FILTER& filter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CMonitoringLogFilterDialog>()), m_Filter(filter)
{
    m_ui->setupUi(this);
    m_ui->m_pFilterCheck->setChecked(m_Filter.Enabled);
    m_ui->m_pPeriodCheck->setChecked(m_Filter.PeriodEnabled);
    m_ui->m_pStartDateTimeEdit->setDateTime(m_Filter.From);
    m_ui->m_pEndDateTimeEdit->setDateTime(m_Filter.To);
    m_ui->m_pRangeCheck->setChecked(m_Filter.RangeEnabled);
    m_ui->m_pFreqFromEdit->setText(QString::number(m_Filter.FreqFrom, 'g', 6));
    m_ui->m_pFreqToEdit->setText(QString::number(m_Filter.FreqTo, 'g', 6));
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CMonitoringLogFilterDialog::accept);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &CMonitoringLogFilterDialog::reject);
}

CMonitoringLogFilterDialog::~CMonitoringLogFilterDialog() = default;

void CMonitoringLogFilterDialog::accept()
{
    m_Filter.Enabled = m_ui->m_pFilterCheck->isChecked();
    m_Filter.PeriodEnabled = m_ui->m_pPeriodCheck->isChecked();
    m_Filter.From = m_ui->m_pStartDateTimeEdit->dateTime();
    m_Filter.To = m_ui->m_pEndDateTimeEdit->dateTime();
    m_Filter.RangeEnabled = m_ui->m_pRangeCheck->isChecked();
    // The edits show six significant digits; only a bound the operator typed replaces the stored one.
    if (m_ui->m_pFreqFromEdit->isModified())
        m_Filter.FreqFrom = m_ui->m_pFreqFromEdit->text().toDouble();
    if (m_ui->m_pFreqToEdit->isModified())
        m_Filter.FreqTo = m_ui->m_pFreqToEdit->text().toDouble();
    QDialog::accept();
}

void CMonitoringLogFilterDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
