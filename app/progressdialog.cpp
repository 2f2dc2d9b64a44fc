#include "progressdialog.h"

#include <QCoreApplication>

CProgressDialog::CProgressDialog(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    setWindowTitle(QCoreApplication::applicationName());
}

void CProgressDialog::SetText(const QString& text)
{
    ui.m_pLabel->setText(text);
}

void CProgressDialog::SetValue(int value)
{
    ui.m_pProgressBar->setValue(value);
}
