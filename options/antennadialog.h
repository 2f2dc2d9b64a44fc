#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui
{
class CAntennaDialogClass;
}

// "Auto Antenna Switch Settings": the three frequencies, in steps of 25 MHz, at which the automatic
// antenna switch passes from antenna 1 to 2, 2 to 3 and 3 to 4. The caller sets and reads the three
// sliders directly; every 200 ms the dialog names each antenna's span and keeps the points in order.
class CAntennaDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAntennaDialog(QWidget* parent = nullptr);
    ~CAntennaDialog() override;

    Ui::CAntennaDialogClass& Form() { return *m_ui; }

public slots:
    // Labels the four spans from the sliders, then pushes a later point up to an earlier one that
    // passed it: points never cross, and an earlier point is never pulled down.
    void OnTimer();

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CAntennaDialogClass> m_ui;
    QTimer m_Timer;
};
