#pragma once

#include <QDate>
#include <QDialog>
#include <QTime>

#include <array>
#include <memory>

namespace Ui
{
class CScheduleDialog;
}

// The monitoring schedule: on which days (every day, one date, or chosen weekdays) monitoring runs
// during the daily period from start to end.
struct SCHEDULE_PARAMS
{
    bool enable = false;
    int mode = 0;  // 0 every day, 1 on the date, 2 on the days of the week
    QDate date;
    std::array<bool, 7> days{};  // Monday first
    QTime start{0, 0};
    QTime end{0, 0};
};

// "Set Schedule": edits a copy of a schedule. The caller runs it modally and, on Accepted, copies
// `m_Schedule` back. A period whose end is not after its start would never start monitoring, so an
// enabled schedule with such a period is refused with a warning and the dialog stays open.
class CScheduleDialog : public QDialog
{
    Q_OBJECT

public:
    CScheduleDialog(const SCHEDULE_PARAMS* schedule, QWidget* parent = nullptr);
    ~CScheduleDialog() override;

    Ui::CScheduleDialog& Form() { return *m_ui; }

    // The dialog's copy; accept writes the controls into it.
    SCHEDULE_PARAMS m_Schedule;

public slots:
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CScheduleDialog> m_ui;
};
