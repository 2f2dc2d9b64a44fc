#pragma once

#include <QDateTime>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "dockwindow.h"
#include "scheduledialog.h"

class CMonitoringLogWindow;
class IAnalysis;
class IMonitoring;
class QTreeWidgetItem;
struct MONITORING_TASK;

namespace Ui
{
class CMonitoringWindow;
}

// The scheduled monitoring window: an editable list of monitoring tasks of which at most one is
// checked, started and stopped by hand or by a daily schedule. A 100 ms timer follows the running
// task; a one-second timer starts monitoring inside the scheduled period and stops it at its end. The
// task list is written to "monitoring_tasks.xml" in the data folder; the schedule is stored in the
// settings section "MonitoringWindowSchedule" and read back at the next construction.
//
// Nothing in the program creates this window. The clock is injected so that the schedule can be
// driven from a test.
class CMonitoringWindow : public CQDockWindow
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // `monitoring` and `analysis` are the device thread's when null; `clock` is the local time when
    // empty.
    explicit CMonitoringWindow(QWidget* parent = nullptr, IMonitoring* monitoring = nullptr,
                               IAnalysis* analysis = nullptr, Clock clock = Clock());
    ~CMonitoringWindow() override;

    // Whether the schedule lets monitoring start at `now`: today matches the mode and the time of day
    // lies in [start, end). A period whose end is not after its start never matches.
    static bool IsInSchedule(const SCHEDULE_PARAMS& schedule, const QDateTime& now);

    // The range (MHz) new tasks are created over.
    void SetFreqRange(double start, double end);
    const SCHEDULE_PARAMS& GetSchedule() const { return m_Schedule; }
    const QString& GetTasksPath() const { return m_strTasksPath; }
    void SetTasksPath(const QString& path) { m_strTasksPath = path; }
    CMonitoringLogWindow* LogWindow() const { return m_pLogWindow; }
    bool IsScheduleTimerActive() const { return m_ScheduleTimer.isActive(); }
    bool IsProgressTimerActive() const { return m_ProgressTimer.isActive(); }
    Ui::CMonitoringWindow& Form() { return *m_ui; }

    // Uncheck every row, then check `item`.
    void CheckOnlyItem(QTreeWidgetItem* item);
    // Hands the row's threshold settings to the full-range analysis.
    void ApplyTaskToAnalysis(QTreeWidgetItem* item);
    void FillTaskTree();
    void SaveTasks();
    void UpdateScheduleState();

signals:
    void channelChanged(int type);
    void adfRangeChanged(double start, double end);
    void showMainWindow(bool show);

public slots:
    void OnAddButton();
    void OnEditButton();
    void OnRemoveButton();
    void OnStartButton();
    void OnStopButton();
    void OnScheduleButton();
    void OnViewLogButton();
    void OnTimer();
    void OnScheduleTimer();
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void OnItemDoubleClicked(QTreeWidgetItem* item, int column);
    void OnChannelChanged(int type);
    void OnMonitoringAdfRangeChanged(double start, double end);

protected:
    void changeEvent(QEvent* event) override;

private:
    // A start from the schedule warns about a missing task once per scheduled period, not every tick.
    void StartMonitoring(bool fromSchedule);
    void Warn(const QString& text, bool fromSchedule);
    void FillTaskItem(QTreeWidgetItem* item, const MONITORING_TASK& task);
    void StoreSchedule();
    void LoadSchedule();
    bool IsRunning() const;
    QDateTime Now() const;
    static int TaskId(const QTreeWidgetItem* item);

    std::unique_ptr<Ui::CMonitoringWindow> m_ui;
    IMonitoring* m_pMonitoring = nullptr;
    IAnalysis* m_pAnalysis = nullptr;
    Clock m_Clock;
    CMonitoringLogWindow* m_pLogWindow = nullptr;
    QTimer m_ProgressTimer;
    QTimer m_ScheduleTimer;
    SCHEDULE_PARAMS m_Schedule;
    QString m_strTasksPath;
    double m_dStartFreq = 0.0;
    double m_dEndFreq = 0.0;
    // The day whose scheduled period has already shown a warning.
    QDate m_WarnedDay;
};
