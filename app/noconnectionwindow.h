#pragma once

#include <QWidget>

#include "ui_noconnectionwindow.h"

// Offers demo mode when the device does not answer: switch, keep waiting, or leave the program.
// The main window owns one and wires its two signals.
class CNoConnectionWindow : public QWidget
{
    Q_OBJECT

public:
    CNoConnectionWindow();

    Ui::CNoConnectionWindow ui;

signals:
    void switchToDemo();
    void keepWaiting();

public slots:
    void OnSwitchDemoButton();
    void OnKeepWaitingButton();

protected:
    void changeEvent(QEvent* event) override;
};
