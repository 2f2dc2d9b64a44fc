#include "dlan1n2inputdialog.h"

#include <QEvent>

#include "ui_dlan1n2inputdialog.h"

CDlaN1N2InputDialog::CDlaN1N2InputDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CDlaN1N2InputDialogClass>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CDlaN1N2InputDialog::OnOkButton);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CDlaN1N2InputDialog::~CDlaN1N2InputDialog() = default;

void CDlaN1N2InputDialog::OnOkButton()
{
    m_n1stPin = m_ui->m_p1stPinSpin->value();
    m_n2ndPin = m_ui->m_p2ndPinSpin->value();
    accept();
}

void CDlaN1N2InputDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
