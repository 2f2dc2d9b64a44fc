#pragma once

#include <QDialog>

#include "ui_progressdialog.h"

// A label over a progress bar, shown while a recording is loaded.
class CProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CProgressDialog(QWidget* parent = nullptr);

    void SetText(const QString& text);
    // Percent done, 0 to 100.
    void SetValue(int value);

    Ui::CProgressDialog ui;
};
