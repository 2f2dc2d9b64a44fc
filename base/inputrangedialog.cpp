#include "inputrangedialog.h"

#include <cmath>

#include "parameters.h"
#include "ui_inputrangedialog.h"

CInputRangeDialog::CInputRangeDialog(const QString& name, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CInputRangeDialogClass>()), m_name(name)
{
    setObjectName(name);
    m_ui->setupUi(this);

    connect(m_ui->m_pFirstEdit, &QLineEdit::textEdited, this, &CInputRangeDialog::OnFirstEditTextEdited);
    connect(m_ui->m_pSecondEdit, &QLineEdit::textEdited, this, &CInputRangeDialog::OnSecondEditTextEdited);
    connect(m_ui->m_pFirstCombo, QOverload<int>::of(&QComboBox::activated), this,
            &CInputRangeDialog::OnFirstComboActivated);
    connect(m_ui->m_pSecondCombo, QOverload<int>::of(&QComboBox::activated), this,
            &CInputRangeDialog::OnSecondComboActivated);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CInputRangeDialog::OnOkButtonClicked);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &CInputRangeDialog::OnCancelButtonClicked);
}

CInputRangeDialog::~CInputRangeDialog() = default;

QString CInputRangeDialog::SettingsSection()
{
    return QStringLiteral("InputRangeDialog");
}

QString CInputRangeDialog::UnitKey(int row) const
{
    return m_name + QString::number(row);
}

void CInputRangeDialog::SetTexts(const QString& title, const QString& firstLabel, const QString& secondLabel)
{
    setWindowTitle(title);
    m_ui->m_pFirstLabel->setText(firstLabel);
    const bool twoValues = !secondLabel.isEmpty();
    m_ui->m_pSecondLabel->setVisible(twoValues);
    m_ui->m_pSecondEdit->setVisible(twoValues);
    m_ui->m_pSecondCombo->setVisible(twoValues);
    if (twoValues)
        m_ui->m_pSecondLabel->setText(secondLabel);
}

void CInputRangeDialog::AddUnit(const QString& name, double multiplier)
{
    m_ui->m_pFirstCombo->addItem(name);
    m_ui->m_pSecondCombo->addItem(name);
    m_multipliers.append(multiplier);
}

void CInputRangeDialog::SetFirstValue(double value, int decimals)
{
    SetValue(1, value, decimals);
}

void CInputRangeDialog::SetSecondValue(double value, int decimals)
{
    SetValue(2, value, decimals);
}

int CInputRangeDialog::exec()
{
    m_ui->m_pFirstEdit->selectAll();
    m_ui->m_pFirstEdit->setFocus(Qt::OtherFocusReason);
    m_ui->m_pFirstCombo->setEnabled(m_ui->m_pFirstCombo->count() >= 2);
    m_ui->m_pSecondCombo->setEnabled(m_ui->m_pSecondCombo->count() >= 2);
    return QDialog::exec();
}

void CInputRangeDialog::OnFirstEditTextEdited(const QString& text)
{
    TakeTypedText(1, text);
}

void CInputRangeDialog::OnSecondEditTextEdited(const QString& text)
{
    TakeTypedText(2, text);
}

void CInputRangeDialog::OnFirstComboActivated(int index)
{
    ShowValue(1, index);
    m_ui->m_pFirstEdit->setFocus(Qt::OtherFocusReason);
}

void CInputRangeDialog::OnSecondComboActivated(int index)
{
    ShowValue(2, index);
    m_ui->m_pSecondEdit->setFocus(Qt::OtherFocusReason);
}

void CInputRangeDialog::OnOkButtonClicked()
{
    // Both rows are stored, also the hidden second one of a one-value dialog.
    g_Parameters.SetDouble(SettingsSection(), UnitKey(1), m_ui->m_pFirstCombo->currentIndex());
    g_Parameters.SetDouble(SettingsSection(), UnitKey(2), m_ui->m_pSecondCombo->currentIndex());
    accept();
}

void CInputRangeDialog::OnCancelButtonClicked()
{
    reject();
}

CInputRangeDialog::Row CInputRangeDialog::GetRow(int row)
{
    if (row == 1)
        return {m_ui->m_pFirstEdit, m_ui->m_pFirstCombo, &m_firstValue, &m_firstDecimals};
    return {m_ui->m_pSecondEdit, m_ui->m_pSecondCombo, &m_secondValue, &m_secondDecimals};
}

void CInputRangeDialog::SetValue(int row, double value, int decimals)
{
    const int unit = StoredUnitIndex(row);
    Row r = GetRow(row);
    *r.decimals = decimals;
    *r.value = value;
    ShowValue(row, unit);
    r.combo->setCurrentIndex(unit);
}

void CInputRangeDialog::ShowValue(int row, int unitIndex)
{
    Row r = GetRow(row);
    r.edit->setText(QString::number(*r.value * Multiplier(unitIndex), 'f', *r.decimals));
}

void CInputRangeDialog::TakeTypedText(int row, const QString& text)
{
    Row r = GetRow(row);
    bool ok = false;
    const double typed = text.toDouble(&ok);
    // Text that is no finite number counts as 0: "inf" or "nan" would reach the callers' range checks
    // and their pixel arithmetic otherwise.
    const double value = typed / Multiplier(r.combo->currentIndex());
    *r.value = (ok && std::isfinite(value)) ? value : 0.0;
}

double CInputRangeDialog::Multiplier(int index) const
{
    if (index < 0 || index >= m_multipliers.size())
        return 1.0;
    return m_multipliers[index];
}

int CInputRangeDialog::StoredUnitIndex(int row) const
{
    // A hand-edited file may hold anything; only an existing unit is used.
    const double stored = g_Parameters.GetDouble(SettingsSection(), UnitKey(row), 0.0);
    if (!(stored >= 0.0 && stored < m_multipliers.size()))
        return 0;
    return static_cast<int>(stored);
}
