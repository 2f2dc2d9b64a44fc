#include "pulselogfilterdialog.h"

#include <QEvent>
#include <QPushButton>

namespace
{
QString NumberText(double value)
{
    return QString::number(value, 'g', 6);
}

double EditValue(const QLineEdit* edit)
{
    // QString::toDouble gives 0 for a text that is no number.
    return edit->text().toDouble();
}
}  // namespace

CPulseLogFilterDialog::CPulseLogFilterDialog(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    connect(ui.m_pOkButton, &QPushButton::clicked, this, &CPulseLogFilterDialog::OnOkButton);
    connect(ui.m_pCancelButton, &QPushButton::clicked, this, &CPulseLogFilterDialog::reject);
    connect(ui.m_pApplyButton, &QPushButton::clicked, this, &CPulseLogFilterDialog::OnApplyButton);
}

CPulseLogFilterDialog::~CPulseLogFilterDialog() = default;

int CPulseLogFilterDialog::exec()
{
    WriteFilter();
    return QDialog::exec();
}

void CPulseLogFilterDialog::WriteFilter()
{
    ui.m_pEnableFilterCheck->setChecked(m_Filter.enabled);
    ui.m_pDurationCheck->setChecked(m_Filter.byDuration);
    ui.m_pStartDurationEdit->setText(NumberText(m_Filter.minDuration));
    ui.m_pEndDurationEdit->setText(NumberText(m_Filter.maxDuration));
    ui.m_pFreqCheck->setChecked(m_Filter.byFreq);
    ui.m_pStartFreqEdit->setText(NumberText(m_Filter.minFreq));
    ui.m_pEndFreqEdit->setText(NumberText(m_Filter.maxFreq));
    ui.m_pAmplCheck->setChecked(m_Filter.byAmpl);
    ui.m_pStartAmplEdit->setText(NumberText(m_Filter.minAmpl));
    ui.m_pEndAmplEdit->setText(NumberText(m_Filter.maxAmpl));
}

void CPulseLogFilterDialog::ReadFilter()
{
    m_Filter.enabled = ui.m_pEnableFilterCheck->isChecked();
    m_Filter.byDuration = ui.m_pDurationCheck->isChecked();
    m_Filter.minDuration = EditValue(ui.m_pStartDurationEdit);
    m_Filter.maxDuration = EditValue(ui.m_pEndDurationEdit);
    m_Filter.byFreq = ui.m_pFreqCheck->isChecked();
    m_Filter.minFreq = EditValue(ui.m_pStartFreqEdit);
    m_Filter.maxFreq = EditValue(ui.m_pEndFreqEdit);
    m_Filter.byAmpl = ui.m_pAmplCheck->isChecked();
    m_Filter.minAmpl = EditValue(ui.m_pStartAmplEdit);
    m_Filter.maxAmpl = EditValue(ui.m_pEndAmplEdit);
}

void CPulseLogFilterDialog::OnApplyButton()
{
    ReadFilter();
    emit applyFilter(this);
}

void CPulseLogFilterDialog::OnOkButton()
{
    ReadFilter();
    accept();
}

void CPulseLogFilterDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui.retranslateUi(this);
    QDialog::changeEvent(event);
}
