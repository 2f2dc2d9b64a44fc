#include "noconnectionwindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStyle>

CNoConnectionWindow::CNoConnectionWindow() : QWidget(nullptr)
{
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QCoreApplication::applicationName());
    ui.m_pIconLabel->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32, QIcon::Normal));

    connect(ui.m_pSwitchDemoButton, &QPushButton::clicked, this, &CNoConnectionWindow::OnSwitchDemoButton);
    connect(ui.m_pKeepWaitingButton, &QPushButton::clicked, this, &CNoConnectionWindow::OnKeepWaitingButton);
    connect(ui.m_pExitButton, &QPushButton::clicked, QCoreApplication::instance(), &QCoreApplication::quit);
}

void CNoConnectionWindow::OnSwitchDemoButton()
{
    emit switchToDemo();
    hide();
}

void CNoConnectionWindow::OnKeepWaitingButton()
{
    emit keepWaiting();
    hide();
}

void CNoConnectionWindow::changeEvent(QEvent* event)
{
    // Translating the form again puts back its own title, "Veltrano", in place of the application name.
    if (event->type() == QEvent::LanguageChange)
        ui.retranslateUi(this);
    QWidget::changeEvent(event);
}
