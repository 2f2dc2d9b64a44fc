#pragma once

#include <QDialog>

#include "ui_splashwindow.h"

// "Starting up, please wait...": shown by the main window while it builds itself, centred on the
// desktop so that it is seen before the main window exists.
class CSplashWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CSplashWindow(QWidget* parent = nullptr);

    // Top-left corner that centres a window of `size` on `desktop` (halves truncated).
    static QPoint CentredPosition(const QRect& desktop, const QSize& size);

    Ui::CSplashWindow ui;
};
