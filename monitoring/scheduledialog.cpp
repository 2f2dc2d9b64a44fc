#include "scheduledialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>

#include "prompt.h"
#include "ui_scheduledialog.h"

namespace
{
std::array<QCheckBox*, 7> DayChecks(Ui::CScheduleDialog& ui)
{
    return {ui.m_pMoCheck, ui.m_pTuCheck, ui.m_pWeCheck, ui.m_pThCheck,
            ui.m_pFrCheck, ui.m_pSaCheck, ui.m_pSuCheck};
}
}  // namespace

CScheduleDialog::CScheduleDialog(const SCHEDULE_PARAMS* schedule, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CScheduleDialog>())
{
    if (schedule)
        m_Schedule = *schedule;
    m_ui->setupUi(this);

    m_ui->m_pEnableCheck->setChecked(m_Schedule.enable);
    // A mode outside the three checks none of the radios, and OK then keeps it.
    m_ui->m_pEverydayRadio->setChecked(m_Schedule.mode == 0);
    m_ui->m_pOnDateRadio->setChecked(m_Schedule.mode == 1);
    m_ui->m_pOnDaysRadio->setChecked(m_Schedule.mode == 2);
    m_ui->m_pDateEdit->setDate(m_Schedule.date.isValid() ? m_Schedule.date : QDate::currentDate());
    const auto checks = DayChecks(*m_ui);
    for (size_t day = 0; day < checks.size(); ++day)
        checks[day]->setChecked(m_Schedule.days[day]);
    m_ui->m_pTimeFromEdit->setTime(m_Schedule.start);
    m_ui->m_pTimeToEdit->setTime(m_Schedule.end);

    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CScheduleDialog::accept);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &CScheduleDialog::reject);
}

CScheduleDialog::~CScheduleDialog() = default;

void CScheduleDialog::accept()
{
    const QTime start = m_ui->m_pTimeFromEdit->time();
    const QTime end = m_ui->m_pTimeToEdit->time();
    if (m_ui->m_pEnableCheck->isChecked() && end <= start)
    {
        Prompt().Warning(this, QCoreApplication::applicationName(),
                         tr("The end time must be later than the start time!"));
        return;
    }
    m_Schedule.enable = m_ui->m_pEnableCheck->isChecked();
    if (m_ui->m_pEverydayRadio->isChecked())
        m_Schedule.mode = 0;
    else if (m_ui->m_pOnDateRadio->isChecked())
        m_Schedule.mode = 1;
    else if (m_ui->m_pOnDaysRadio->isChecked())
        m_Schedule.mode = 2;
    m_Schedule.date = m_ui->m_pDateEdit->date();
    const auto checks = DayChecks(*m_ui);
    for (size_t day = 0; day < checks.size(); ++day)
        m_Schedule.days[day] = checks[day]->isChecked();
    m_Schedule.start = start;
    m_Schedule.end = end;
    QDialog::accept();
}

void CScheduleDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
