#include "aboutwindow.h"

#include <QCoreApplication>

CAboutWindow::CAboutWindow(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    // The form carries placeholders; the name and version are the ones the settings document set.
    ui.m_pTitleLabel->setText(QCoreApplication::applicationName());
    ui.m_pVersionLabel->setText(tr("Version ") + QCoreApplication::applicationVersion());
    connect(ui.m_pCloseButton, &QPushButton::clicked, this, &QDialog::close);
}
