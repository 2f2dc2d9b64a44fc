// The scheduled monitoring window and its schedule dialog, with the library's own monitoring object
// on a core of the test's and an injected clock: the schedule decision for every mode, start and stop
// by the schedule timer, the schedule switched off while running, one warning per period when nothing
// can start, the refused overnight period, the schedule kept across a restart, and the tasks file.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QDomDocument>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTreeWidget>

#include <memory>
#include <ostream>
#include <vector>

#include "ianalysis.h"
#include "imonitoring.h"
#include "monitoringlogwindow.h"
#include "monitoringtaskdialog.h"
#include "monitoringwindow.h"
#include "parameters.h"
#include "privatecore.h"
#include "recordinganalysis.h"
#include "scheduledialog.h"
#include "scriptedprompt.h"
#include "ui_monitoringwindow.h"
#include "ui_scheduledialog.h"

// Failing comparisons show texts as text.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace
{
const QString kEndBeforeStart = QStringLiteral("The end time must be later than the start time!");
const QString kScheduleSection = QStringLiteral("MonitoringWindowSchedule");
// 7 December 2026 is a Monday.
const QDate kMonday(2026, 12, 7);

SCHEDULE_PARAMS Schedule(int mode, QTime start, QTime end, bool enable = true)
{
    SCHEDULE_PARAMS schedule;
    schedule.enable = enable;
    schedule.mode = mode;
    schedule.date = kMonday;
    schedule.start = start;
    schedule.end = end;
    return schedule;
}

// The window on a monitoring object of its own, its clock in the test's hand, its tasks file in a
// folder of the test's.
class ScheduledMonitoring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Every test starts without a stored schedule (a schedule that is off reads as none).
        g_Parameters.SetInt(kScheduleSection, QStringLiteral("Enable"), 0);
        m_monitoring.reset(m_core.Get<IMonitoring>(16));
        ASSERT_TRUE(m_monitoring);
        m_window = MakeWindow();
    }
    void TearDown() override
    {
        m_window.reset();
        g_Parameters.SetInt(kScheduleSection, QStringLiteral("Enable"), 0);
    }

    std::unique_ptr<CMonitoringWindow> MakeWindow()
    {
        auto window = std::make_unique<CMonitoringWindow>(nullptr, m_monitoring.get(), &m_analysis,
                                                          [this] { return m_now; });
        window->SetTasksPath(m_dir.filePath(QStringLiteral("monitoring_tasks.xml")));
        window->SetFreqRange(100.0, 200.0);
        return window;
    }

    // Adds a task through the task dialog under this name.
    void AddTask(const QString& name)
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [name](QDialog& dialog)
            {
                static_cast<CMonitoringTaskDialog&>(dialog).m_Task.Name = name.toStdWString();
                return int(QDialog::Accepted);
            });
        m_window->OnAddButton();
    }

    // The schedule dialog, its controls set by `edit`, then OK.
    void SetScheduleThroughTheDialog(const std::function<void(Ui::CScheduleDialog&)>& edit)
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [edit](QDialog& dialog)
            {
                auto& schedule = static_cast<CScheduleDialog&>(dialog);
                edit(schedule.Form());
                schedule.Form().m_pOkButton->click();
                return int(QDialog::Rejected);
            },
            QStringLiteral("CScheduleDialog"));
        m_window->OnScheduleButton();
    }

    Ui::CMonitoringWindow& Form() { return m_window->Form(); }
    QString Status() { return Form().m_pStatusLabel->text(); }

    CPrivateCore m_core;
    std::unique_ptr<IMonitoring> m_monitoring;
    CRecordingAnalysis m_analysis;
    QTemporaryDir m_dir;
    QDateTime m_now{kMonday, QTime(9, 0)};
    std::unique_ptr<CMonitoringWindow> m_window;
};

TEST(ScheduleDecision, EachModeMatchesItsDaysWithinThePeriodOnly)
{
    ASSERT_EQ(kMonday.dayOfWeek(), 1);
    SCHEDULE_PARAMS onlyMonday = Schedule(2, QTime(10, 0), QTime(11, 0));
    onlyMonday.days[0] = true;
    const SCHEDULE_PARAMS everyDay = Schedule(0, QTime(10, 0), QTime(11, 0));
    const SCHEDULE_PARAMS onDate = Schedule(1, QTime(10, 0), QTime(11, 0));
    const SCHEDULE_PARAMS otherMode = Schedule(7, QTime(10, 0), QTime(11, 0));
    const SCHEDULE_PARAMS overnight = Schedule(0, QTime(22, 0), QTime(6, 0));
    const QDate tuesday = kMonday.addDays(1);
    struct CASE
    {
        const char* name;
        const SCHEDULE_PARAMS& schedule;
        QDateTime now;
        bool expected;
    };
    const CASE cases[] = {
        {"every day, inside", everyDay, {tuesday, QTime(10, 30)}, true},
        {"every day, at the start", everyDay, {tuesday, QTime(10, 0)}, true},
        {"every day, at the end", everyDay, {tuesday, QTime(11, 0)}, false},
        {"every day, a millisecond before the end", everyDay, {tuesday, QTime(10, 59, 59, 999)}, true},
        {"every day, before", everyDay, {tuesday, QTime(9, 59, 59, 999)}, false},
        {"on the date", onDate, {kMonday, QTime(10, 30)}, true},
        {"another date", onDate, {tuesday, QTime(10, 30)}, false},
        {"only Monday, a Monday inside", onlyMonday, {kMonday, QTime(10, 30)}, true},
        {"only Monday, a Monday outside", onlyMonday, {kMonday, QTime(12, 0)}, false},
        {"only Monday, a Tuesday inside", onlyMonday, {tuesday, QTime(10, 30)}, false},
        {"only Monday, the next Monday", onlyMonday, {kMonday.addDays(7), QTime(10, 30)}, true},
        {"a mode of no meaning", otherMode, {kMonday, QTime(10, 30)}, false},
        {"overnight, late", overnight, {kMonday, QTime(23, 0)}, false},
        {"overnight, early", overnight, {kMonday, QTime(5, 0)}, false},
    };
    for (const CASE& c : cases)
        EXPECT_EQ(CMonitoringWindow::IsInSchedule(c.schedule, c.now), c.expected) << c.name;
}

TEST(ScheduleDialog, FormShowsTheRecordAndOkWritesItBack)
{
    SCHEDULE_PARAMS record = Schedule(1, QTime(8, 15), QTime(17, 45));
    record.days = {true, false, true, false, false, false, true};
    CScheduleDialog dialog(&record, nullptr);
    auto& ui = dialog.Form();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Schedule"));
    EXPECT_EQ(dialog.size(), QSize(361, 244));
    EXPECT_EQ(ui.grp->title(), QStringLiteral("Enable Schedule"));
    EXPECT_TRUE(ui.m_pEnableCheck->isChecked());
    EXPECT_TRUE(ui.m_pOnDateRadio->isChecked());
    EXPECT_EQ(ui.m_pDateEdit->date(), kMonday);
    EXPECT_TRUE(ui.m_pDateEdit->calendarPopup());
    EXPECT_TRUE(ui.m_pMoCheck->isChecked());
    EXPECT_FALSE(ui.m_pTuCheck->isChecked());
    EXPECT_TRUE(ui.m_pSuCheck->isChecked());
    EXPECT_LE(ui.m_pSaCheck->maximumWidth(), 40);
    EXPECT_EQ(ui.m_pTimeFromEdit->time(), QTime(8, 15));
    EXPECT_EQ(ui.label->text(), QStringLiteral("Time period: from"));
    EXPECT_EQ(ui.label_2->text(), QStringLiteral("to"));

    ui.m_pOnDaysRadio->setChecked(true);
    ui.m_pTuCheck->setChecked(true);
    ui.m_pTimeToEdit->setTime(QTime(18, 0));
    ui.m_pOkButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_Schedule.mode, 2);
    EXPECT_TRUE(dialog.m_Schedule.days[1]);
    EXPECT_TRUE(dialog.m_Schedule.days[6]);
    EXPECT_EQ(dialog.m_Schedule.end, QTime(18, 0));
    EXPECT_EQ(dialog.m_Schedule.start, QTime(8, 15));
}

TEST(ScheduleDialog, NoWeekdayIsAcceptedAndAModeWithoutRadioIsKept)
{
    for (int mode : {2, 7})
    {
        SCOPED_TRACE(mode);
        const SCHEDULE_PARAMS record = Schedule(mode, QTime(8, 0), QTime(9, 0));
        CScheduleDialog dialog(&record, nullptr);
        auto& ui = dialog.Form();
        EXPECT_EQ(ui.m_pOnDaysRadio->isChecked(), mode == 2);
        EXPECT_FALSE(ui.m_pEverydayRadio->isChecked());
        EXPECT_FALSE(ui.m_pOnDateRadio->isChecked());
        ui.m_pOkButton->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.m_Schedule.mode, mode);
        EXPECT_EQ(dialog.m_Schedule.days, record.days);
    }
}

TEST(ScheduleDialog, AnEndNotAfterTheStartIsRefusedAndTheDialogStaysOpen)
{
    const SCHEDULE_PARAMS record = Schedule(0, QTime(8, 0), QTime(9, 0));
    CScheduleDialog dialog(&record, nullptr);
    CScriptedPrompt prompt;
    prompt
        .RunDialog(
            [](QDialog& shown)
            {
                auto& ui = static_cast<CScheduleDialog&>(shown).Form();
                for (const QTime& start : {QTime(22, 0), QTime(6, 0)})
                {
                    ui.m_pTimeFromEdit->setTime(start);
                    ui.m_pTimeToEdit->setTime(QTime(6, 0));
                    ui.m_pOkButton->click();
                    EXPECT_TRUE(shown.isVisible());
                }
                ui.m_pTimeFromEdit->setTime(QTime(5, 0));
                ui.m_pOkButton->click();
                EXPECT_FALSE(shown.isVisible());
                return int(QDialog::Rejected);
            })
        .Answer(QMessageBox::Ok, kEndBeforeStart)
        .Answer(QMessageBox::Ok, kEndBeforeStart);
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_EQ(dialog.m_Schedule.start, QTime(5, 0));
    EXPECT_EQ(dialog.m_Schedule.end, QTime(6, 0));
}

TEST_F(ScheduledMonitoring, FormHasTheButtonsAndAClickedRowIsTheOnlyCheckedOneWithItsThresholds)
{
    EXPECT_EQ(Form().m_pAddButton->text(), QStringLiteral("Add..."));
    EXPECT_EQ(Form().m_pScheduleButton->text(), QStringLiteral("Schedule..."));
    EXPECT_EQ(Form().m_pViewLogButton->text(), QStringLiteral("View Log..."));
    EXPECT_TRUE(Form().m_pScheduleButton->isVisibleTo(m_window.get()));

    AddTask(QStringLiteral("First"));
    AddTask(QStringLiteral("Second"));
    QTreeWidget* tree = Form().m_pTasksTree;
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    // Rows keep the library's order: the running task is found by its row.
    EXPECT_FALSE(tree->isSortingEnabled());
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("First"));
    // The task added last is the checked one, with the default task's settings.
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(tree->topLevelItem(1)->checkState(0), Qt::Checked);
    const MONITORING_TASK& task = m_monitoring->GetTaskByOrder(1);
    EXPECT_EQ(task.AverMode, 3);
    EXPECT_EQ(task.Window, 6);
    EXPECT_EQ(task.AbsThreshold, -50.0);
    EXPECT_EQ(task.AverThreshold, 20.0);
    EXPECT_EQ(task.AverCoef, 5000);
    ASSERT_EQ(task.Ranges.size(), 1u);
    EXPECT_EQ(task.Ranges[0].StartFreq, 100.0);

    MONITORING_TASK first = m_monitoring->GetTaskByOrder(0);
    first.AverThreshold = 12.5;
    first.AverCoef = 300;
    m_monitoring->SetTask(tree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), first);
    m_analysis.m_calls.clear();
    m_window->OnItemClicked(tree->topLevelItem(0), 0);
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(tree->topLevelItem(1)->checkState(0), Qt::Unchecked);
    ASSERT_EQ(m_analysis.m_calls.size(), 1u);
    EXPECT_EQ(m_analysis.m_calls[0].value2, 12.5);
    EXPECT_EQ(m_analysis.m_calls[0].averaging, 300);
}

TEST_F(ScheduledMonitoring, ByHandStartStopsEditRemoveAndTheLog)
{
    AddTask(QStringLiteral("First"));
    AddTask(QStringLiteral("Second"));
    QTreeWidget* tree = Form().m_pTasksTree;
    const int secondId = tree->topLevelItem(1)->data(0, Qt::UserRole).toInt();

    Form().m_pStartButton->click();
    ASSERT_TRUE(m_monitoring->IsRunning());
    // Only the checked task is enabled in the library; without a schedule the operator stops.
    EXPECT_FALSE(m_monitoring->GetTaskByOrder(0).Enabled);
    EXPECT_TRUE(m_monitoring->GetTaskByOrder(1).Enabled);
    EXPECT_TRUE(Form().m_pStopButton->isEnabled());
    EXPECT_FALSE(tree->isEnabled());
    m_window->OnTimer();
    EXPECT_EQ(Status(), QStringLiteral("Monitoring in progress. Executing 'Second'"));
    Form().m_pStopButton->click();
    EXPECT_FALSE(m_monitoring->IsRunning());
    EXPECT_FALSE(m_window->IsProgressTimerActive());
    EXPECT_TRUE(Form().m_pStartButton->isEnabled());
    EXPECT_TRUE(tree->isEnabled());

    // Edit takes the dialog's task and hands its thresholds to the analysis.
    tree->setCurrentItem(tree->topLevelItem(1));
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                static_cast<CMonitoringTaskDialog&>(dialog).m_Task.AverThreshold = 7.0;
                return int(QDialog::Accepted);
            });
        m_analysis.m_calls.clear();
        Form().m_pEditButton->click();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    EXPECT_EQ(m_monitoring->GetTask(secondId).AverThreshold, 7.0);
    // The task dialog hands the old thresholds over as it opens; the edited ones come last.
    ASSERT_FALSE(m_analysis.m_calls.empty());
    EXPECT_EQ(m_analysis.m_calls.back().value2, 7.0);

    // Remove takes the current row from the library, the list and the file.
    Form().m_pRemoveButton->click();
    EXPECT_EQ(m_monitoring->GetTasksCount(), 1);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("First"));
    QFile file(m_window->GetTasksPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QDomDocument document;
    ASSERT_TRUE(document.setContent(&file));
    EXPECT_EQ(document.documentElement().elementsByTagName(QStringLiteral("Task")).count(), 1);

    EXPECT_FALSE(m_window->LogWindow()->isVisible());
    Form().m_pViewLogButton->click();
    EXPECT_TRUE(m_window->LogWindow()->isVisible());
    EXPECT_TRUE(m_window->LogWindow()->isEnabled());
    m_window->LogWindow()->hide();
}

TEST_F(ScheduledMonitoring, ANameInUseIsRefusedAndTheDialogShownAgain)
{
    AddTask(QStringLiteral("Watch"));
    CScriptedPrompt prompt;
    prompt
        .RunDialog(
            [](QDialog& dialog)
            {
                static_cast<CMonitoringTaskDialog&>(dialog).m_Task.Name = L"Watch";
                return int(QDialog::Accepted);
            })
        .Answer(QMessageBox::Ok, QStringLiteral("Task named 'Watch' already exists!"))
        .RunDialog(
            [](QDialog& dialog)
            {
                // Shown again with what was typed.
                EXPECT_EQ(static_cast<CMonitoringTaskDialog&>(dialog).m_Task.Name, L"Watch");
                return int(QDialog::Rejected);
            });
    m_window->OnAddButton();
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_EQ(m_monitoring->GetTasksCount(), 1);
}

TEST_F(ScheduledMonitoring, TheTasksFileHoldsOneTaskElementPerRowUnderItsOwnRoot)
{
    AddTask(QStringLiteral("First"));
    AddTask(QStringLiteral("Second <&>"));
    QFile file(m_window->GetTasksPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QDomDocument document;
    ASSERT_TRUE(document.setContent(&file));
    const QDomElement root = document.documentElement();
    EXPECT_EQ(root.tagName(), QStringLiteral("MonitoringTask"));
    const QDomNodeList tasks = root.elementsByTagName(QStringLiteral("Task"));
    ASSERT_EQ(tasks.count(), 2);
    EXPECT_EQ(tasks.at(0).toElement().attribute(QStringLiteral("Name")), QStringLiteral("First"));
    EXPECT_EQ(tasks.at(1).toElement().attribute(QStringLiteral("Name")), QStringLiteral("Second <&>"));
    EXPECT_EQ(tasks.at(1).toElement().attribute(QStringLiteral("AverCoef")), QStringLiteral("5000"));
}

TEST_F(ScheduledMonitoring, OnlyMondayStartsOnAMondayInsideThePeriodAndStopsAtItsEnd)
{
    AddTask(QStringLiteral("Watch"));
    SetScheduleThroughTheDialog(
        [](Ui::CScheduleDialog& ui)
        {
            ui.m_pEnableCheck->setChecked(true);
            ui.m_pOnDaysRadio->setChecked(true);
            ui.m_pMoCheck->setChecked(true);
            ui.m_pTimeFromEdit->setTime(QTime(10, 0));
            ui.m_pTimeToEdit->setTime(QTime(11, 0));
        });
    EXPECT_EQ(Status(), QStringLiteral("Start scheduled"));
    EXPECT_TRUE(m_window->IsScheduleTimerActive());
    EXPECT_FALSE(Form().m_pStartButton->isEnabled());
    EXPECT_EQ(Form().m_pTasksTree->topLevelItem(0)->text(3), QStringLiteral("Scheduled"));

    // A Tuesday inside the period, and a Monday before it, start nothing.
    m_now = QDateTime(kMonday.addDays(1), QTime(10, 30));
    m_window->OnScheduleTimer();
    m_now = QDateTime(kMonday, QTime(9, 59, 59));
    m_window->OnScheduleTimer();
    EXPECT_FALSE(m_monitoring->IsRunning());

    m_now = QDateTime(kMonday, QTime(10, 0));
    m_window->OnScheduleTimer();
    ASSERT_TRUE(m_monitoring->IsRunning());
    EXPECT_EQ(Status(), QStringLiteral("Starting monitoring..."));
    EXPECT_TRUE(m_window->IsProgressTimerActive());
    // The schedule stops it, not the operator.
    EXPECT_FALSE(Form().m_pStopButton->isEnabled());
    EXPECT_FALSE(Form().m_pAddButton->isEnabled());
    m_window->OnTimer();
    EXPECT_EQ(Status(), QStringLiteral("Monitoring in progress. Executing 'Watch'"));
    EXPECT_EQ(Form().m_pTasksTree->topLevelItem(0)->text(3), QStringLiteral("Working"));

    m_now = QDateTime(kMonday, QTime(10, 59, 59, 999));
    m_window->OnScheduleTimer();
    EXPECT_TRUE(m_monitoring->IsRunning());
    m_now = QDateTime(kMonday, QTime(11, 0));
    m_window->OnScheduleTimer();
    EXPECT_FALSE(m_monitoring->IsRunning());
    EXPECT_EQ(Status(), QStringLiteral("Monitoring stopped"));
    EXPECT_FALSE(Form().m_pStartButton->isEnabled());
    EXPECT_TRUE(Form().m_pAddButton->isEnabled());
    m_window->OnScheduleTimer();
    EXPECT_FALSE(m_monitoring->IsRunning());
}

TEST_F(ScheduledMonitoring, TurningTheScheduleOffWhileRunningStopsAndCancelChangesNothing)
{
    AddTask(QStringLiteral("Watch"));
    SetScheduleThroughTheDialog(
        [](Ui::CScheduleDialog& ui)
        {
            ui.m_pEnableCheck->setChecked(true);
            ui.m_pEverydayRadio->setChecked(true);
            ui.m_pTimeFromEdit->setTime(QTime(8, 0));
            ui.m_pTimeToEdit->setTime(QTime(18, 0));
        });
    m_window->OnScheduleTimer();
    ASSERT_TRUE(m_monitoring->IsRunning());

    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                static_cast<CScheduleDialog&>(dialog).Form().m_pEnableCheck->setChecked(false);
                static_cast<CScheduleDialog&>(dialog).Form().m_pCancelButton->click();
                return int(QDialog::Rejected);
            });
        m_window->OnScheduleButton();
    }
    EXPECT_TRUE(m_window->GetSchedule().enable);
    EXPECT_TRUE(m_monitoring->IsRunning());

    SetScheduleThroughTheDialog([](Ui::CScheduleDialog& ui) { ui.m_pEnableCheck->setChecked(false); });
    EXPECT_FALSE(m_monitoring->IsRunning());
    EXPECT_FALSE(m_window->IsScheduleTimerActive());
    // The stop that follows tells the last word.
    EXPECT_EQ(Status(), QStringLiteral("Monitoring stopped"));
    EXPECT_TRUE(Form().m_pStartButton->isEnabled());
    EXPECT_FALSE(Form().m_pStopButton->isEnabled());
}

TEST_F(ScheduledMonitoring, NothingToStartWarnsOncePerPeriod)
{
    SetScheduleThroughTheDialog(
        [](Ui::CScheduleDialog& ui)
        {
            ui.m_pEnableCheck->setChecked(true);
            ui.m_pEverydayRadio->setChecked(true);
            ui.m_pTimeFromEdit->setTime(QTime(8, 0));
            ui.m_pTimeToEdit->setTime(QTime(18, 0));
        });
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No tasks in the list!"));
    for (int tick = 0; tick < 5; ++tick)
    {
        m_now = m_now.addSecs(1);
        m_window->OnScheduleTimer();
    }
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_FALSE(m_monitoring->IsRunning());

    // The next day's period warns again; a click always does.
    AddTask(QStringLiteral("Unchecked"));
    Form().m_pTasksTree->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No tasks selected!"));
    m_now = m_now.addDays(1);
    m_window->OnScheduleTimer();
    m_window->OnScheduleTimer();
    EXPECT_EQ(prompt.Pending(), 0u);
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No tasks selected!"));
    m_window->OnStartButton();
    EXPECT_EQ(prompt.Pending(), 0u);
}

TEST_F(ScheduledMonitoring, TheScheduleSurvivesARestart)
{
    SetScheduleThroughTheDialog(
        [](Ui::CScheduleDialog& ui)
        {
            ui.m_pEnableCheck->setChecked(true);
            ui.m_pOnDaysRadio->setChecked(true);
            ui.m_pMoCheck->setChecked(true);
            ui.m_pFrCheck->setChecked(true);
            ui.m_pDateEdit->setDate(QDate(2027, 3, 14));
            ui.m_pTimeFromEdit->setTime(QTime(8, 15, 30));
            ui.m_pTimeToEdit->setTime(QTime(17, 45));
        });
    EXPECT_EQ(g_Parameters.GetInt(kScheduleSection, QStringLiteral("Enable"), -1), 1);
    EXPECT_EQ(g_Parameters.GetInt(kScheduleSection, QStringLiteral("Mode"), -1), 2);
    EXPECT_EQ(g_Parameters.GetInt(kScheduleSection, QStringLiteral("Fr"), -1), 1);
    EXPECT_EQ(g_Parameters.GetInt(kScheduleSection, QStringLiteral("Tu"), -1), 0);
    EXPECT_EQ(g_Parameters.GetUInt(kScheduleSection, QStringLiteral("StartTime"), 0),
              QDateTime(QDate(2000, 1, 1), QTime(8, 15, 30)).toSecsSinceEpoch());
    EXPECT_EQ(g_Parameters.GetUInt(kScheduleSection, QStringLiteral("Date"), 0),
              QDateTime(QDate(2027, 3, 14), QTime(0, 0)).toSecsSinceEpoch());

    const SCHEDULE_PARAMS written = m_window->GetSchedule();
    m_window.reset();
    m_window = MakeWindow();
    const SCHEDULE_PARAMS& read = m_window->GetSchedule();
    EXPECT_TRUE(read.enable);
    EXPECT_EQ(read.mode, written.mode);
    EXPECT_EQ(read.date, QDate(2027, 3, 14));
    EXPECT_EQ(read.days, written.days);
    EXPECT_EQ(read.start, QTime(8, 15, 30));
    EXPECT_EQ(read.end, QTime(17, 45));
    EXPECT_TRUE(m_window->IsScheduleTimerActive());
    EXPECT_EQ(Status(), QStringLiteral("Start scheduled"));
}

// A period stored before the dialog refused it (or written by hand) still never starts.
TEST_F(ScheduledMonitoring, AStoredOvernightPeriodNeverStarts)
{
    g_Parameters.SetInt(kScheduleSection, QStringLiteral("Enable"), 1);
    g_Parameters.SetInt(kScheduleSection, QStringLiteral("Mode"), 0);
    g_Parameters.SetUInt(
        kScheduleSection, QStringLiteral("StartTime"),
        static_cast<unsigned>(QDateTime(QDate(2000, 1, 1), QTime(22, 0)).toSecsSinceEpoch()));
    g_Parameters.SetUInt(kScheduleSection, QStringLiteral("EndTime"),
                         static_cast<unsigned>(QDateTime(QDate(2000, 1, 1), QTime(6, 0)).toSecsSinceEpoch()));
    m_window = MakeWindow();
    AddTask(QStringLiteral("Night"));
    for (const QTime& time : {QTime(23, 0), QTime(2, 0), QTime(5, 59)})
    {
        m_now = QDateTime(kMonday, time);
        m_window->OnScheduleTimer();
        EXPECT_FALSE(m_monitoring->IsRunning()) << time.toString().toStdString();
    }
}
}  // namespace
