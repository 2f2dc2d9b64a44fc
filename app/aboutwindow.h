#pragma once

#include <QDialog>

#include "ui_aboutwindow.h"

// The About box: the application name and version over a legal notice. Run modally on the caller's
// stack from the Help menu.
class CAboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutWindow(QWidget* parent = nullptr);

    Ui::CAboutWindowClass ui;
};
