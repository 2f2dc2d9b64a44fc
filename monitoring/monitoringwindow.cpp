#include "monitoringwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTreeWidget>

#include <exception>
#include <vector>

#include "analysisoptionsdialog.h"
#include "devicethread.h"
#include "globals.h"
#include "ianalysis.h"
#include "ichannel.h"
#include "imonitoring.h"
#include "isignalrecorder.h"
#include "itemplates.h"
#include "monitoringlogwindow.h"
#include "monitoringtaskdialog.h"
#include "monitoringtasksfile.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_monitoringwindow.h"

namespace
{
const QString kSection = QStringLiteral("MonitoringWindow");
const QString kScheduleSection = QStringLiteral("MonitoringWindowSchedule");
const QString kRangeSpectrum = QStringLiteral("RangeSpectrum");
const char* const kDayKeys[7] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
constexpr int kProgressMs = 100;
constexpr int kScheduleMs = 1000;
// The older window's log is instance 1; this one keeps its own dock state.
constexpr int kLogInstance = 2;
constexpr int kDefaultAverMode = 3;
constexpr int kDefaultWindow = 6;
constexpr int kAverageThresholdMode = 1;
constexpr double kDefaultAbsThreshold = -50.0;
constexpr double kDefaultAverThreshold = 20.0;
constexpr int kDefaultAverCoef = 5000;
constexpr double kDefaultHysteresisDb = 10.0;
constexpr int kDefaultWaitCycles = 5;

enum Column
{
    NameColumn,
    ChannelColumn,
    EventsColumn,
    StatusColumn,
};

QString AppName()
{
    return QCoreApplication::applicationName();
}

QString ExceptionText(const QString& message, const std::exception& error)
{
    return message + QStringLiteral(" ") + QString::fromLocal8Bit(error.what());
}

// Times of day are stored as that time on 1 January 2000, dates as their local midnight, both as
// seconds since 1970.
unsigned int TimeToSeconds(const QTime& time)
{
    return static_cast<unsigned int>(QDateTime(QDate(2000, 1, 1), time, Qt::LocalTime).toSecsSinceEpoch());
}

unsigned int DateToSeconds(const QDate& date)
{
    return static_cast<unsigned int>(QDateTime(date, QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch());
}

QDateTime FromSeconds(unsigned int seconds)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds), Qt::LocalTime);
}
}  // namespace

CMonitoringWindow::CMonitoringWindow(QWidget* parent, IMonitoring* monitoring, IAnalysis* analysis,
                                     Clock clock)
    : CQDockWindow(kSection, parent),
      m_ui(std::make_unique<Ui::CMonitoringWindow>()),
      m_pMonitoring(monitoring ? monitoring : g_DeviceThread.m_pMonitoring),
      m_pAnalysis(analysis ? analysis : g_DeviceThread.m_pAnalysis),
      m_Clock(std::move(clock))
{
    m_ui->setupUi(this);

    connect(m_ui->m_pAddButton, &QPushButton::clicked, this, &CMonitoringWindow::OnAddButton);
    connect(m_ui->m_pEditButton, &QPushButton::clicked, this, &CMonitoringWindow::OnEditButton);
    connect(m_ui->m_pRemoveButton, &QPushButton::clicked, this, &CMonitoringWindow::OnRemoveButton);
    connect(m_ui->m_pStartButton, &QPushButton::clicked, this, &CMonitoringWindow::OnStartButton);
    connect(m_ui->m_pStopButton, &QPushButton::clicked, this, &CMonitoringWindow::OnStopButton);
    connect(m_ui->m_pScheduleButton, &QPushButton::clicked, this, &CMonitoringWindow::OnScheduleButton);
    connect(m_ui->m_pViewLogButton, &QPushButton::clicked, this, &CMonitoringWindow::OnViewLogButton);
    connect(m_ui->m_pTasksTree, &QTreeWidget::itemClicked, this, &CMonitoringWindow::OnItemClicked);
    connect(m_ui->m_pTasksTree, &QTreeWidget::itemDoubleClicked, this,
            &CMonitoringWindow::OnItemDoubleClicked);
    connect(&m_ProgressTimer, &QTimer::timeout, this, &CMonitoringWindow::OnTimer);
    connect(&m_ScheduleTimer, &QTimer::timeout, this, &CMonitoringWindow::OnScheduleTimer);

    m_pLogWindow = new CMonitoringLogWindow(parent, kLogInstance, m_pMonitoring);
    m_pLogWindow->RestoreState();

    m_strTasksPath = QStandardPaths::writableLocation(QStandardPaths::DataLocation) +
                     QStringLiteral("/monitoring_tasks.xml");

    // New tasks start over the range the range view showed last.
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    m_dStartFreq = g_Parameters.GetDouble(kRangeSpectrum, prefix + QStringLiteral("StartXValue"), 0.0);
    m_dEndFreq = g_Parameters.GetDouble(kRangeSpectrum, prefix + QStringLiteral("EndXValue"), 0.0);

    // The schedule stored last goes on after a restart.
    LoadSchedule();
    if (m_Schedule.enable)
        UpdateScheduleState();
}

CMonitoringWindow::~CMonitoringWindow()
{
    m_pLogWindow->SaveState();
    delete m_pLogWindow;
}

void CMonitoringWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        const QString status = m_ui->m_pStatusLabel->text();
        m_ui->retranslateUi(this);
        m_ui->m_pStatusLabel->setText(status);
    }
    CQDockWindow::changeEvent(event);
}

QDateTime CMonitoringWindow::Now() const
{
    return m_Clock ? m_Clock() : QDateTime::currentDateTime();
}

bool CMonitoringWindow::IsRunning() const
{
    return m_pMonitoring && m_pMonitoring->IsRunning();
}

int CMonitoringWindow::TaskId(const QTreeWidgetItem* item)
{
    return item->data(NameColumn, Qt::UserRole).toInt();
}

void CMonitoringWindow::SetFreqRange(double start, double end)
{
    m_dStartFreq = start;
    m_dEndFreq = end;
}

bool CMonitoringWindow::IsInSchedule(const SCHEDULE_PARAMS& schedule, const QDateTime& now)
{
    bool today = false;
    switch (schedule.mode)
    {
        case 0:
            today = true;
            break;
        case 1:
            today = now.date() == schedule.date;
            break;
        case 2:
            today = schedule.days[static_cast<size_t>(now.date().dayOfWeek() - 1)];
            break;
        default:
            break;
    }
    const QTime time = now.time();
    return today && schedule.start <= time && time < schedule.end;
}

void CMonitoringWindow::FillTaskItem(QTreeWidgetItem* item, const MONITORING_TASK& task)
{
    item->setCheckState(NameColumn, task.Enabled ? Qt::Checked : Qt::Unchecked);
    item->setText(NameColumn, QString::fromStdWString(task.Name));
    IChannel* channel = g_DeviceThread.GetChannel(task.Channel);
    item->setText(ChannelColumn, channel ? QString::fromStdWString(channel->GetName()) : QString());
}

void CMonitoringWindow::CheckOnlyItem(QTreeWidgetItem* item)
{
    QTreeWidget* tree = m_ui->m_pTasksTree;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tree->topLevelItem(i)->setCheckState(NameColumn, Qt::Unchecked);
    if (item)
        item->setCheckState(NameColumn, Qt::Checked);
}

void CMonitoringWindow::ApplyTaskToAnalysis(QTreeWidgetItem* item)
{
    if (!item || !m_pMonitoring || !m_pAnalysis)
        return;
    const MONITORING_TASK task = m_pMonitoring->GetTask(TaskId(item));
    m_pAnalysis->SetParameters(task.ThresholdMode, task.AbsThreshold, task.AverThreshold, task.AverCoef, 0.0,
                               task.DoMerge, CAnalysisOptionsDialog::StoredRegion());
}

void CMonitoringWindow::FillTaskTree()
{
    if (!m_pMonitoring)
        return;
    const bool running = m_pMonitoring->IsRunning();
    QTreeWidget* tree = m_ui->m_pTasksTree;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        item->setText(EventsColumn, QString::number(m_pMonitoring->GetTaskEventsCount(TaskId(item))));
        const bool checked = item->checkState(NameColumn) == Qt::Checked;
        QString state;
        if (checked && running)
            state = tr("Working");
        else if (checked && m_Schedule.enable)
            state = tr("Scheduled");
        item->setText(StatusColumn, state);
    }
}

void CMonitoringWindow::SaveTasks()
{
    if (!m_pMonitoring)
        return;
    std::vector<MONITORING_TASK> tasks;
    QTreeWidget* tree = m_ui->m_pTasksTree;
    try
    {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            tasks.push_back(m_pMonitoring->GetTask(TaskId(tree->topLevelItem(i))));
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), ExceptionText(tr("Failed to save tasks!"), error));
        return;
    }
    // The older window's format under a root of its own, written whole or not at all; a file that
    // cannot be written goes to the debug output only.
    QDir().mkpath(QFileInfo(m_strTasksPath).absolutePath());
    CMonitoringTasksFile::Save(m_strTasksPath, tasks, QStringLiteral("MonitoringTask"));
}

void CMonitoringWindow::OnAddButton()
{
    if (!m_pMonitoring)
        return;
    try
    {
        MONITORING_TASK task;
        task.Enabled = false;
        task.Name = tr("New task").toStdWString();
        task.Channel = g_DeviceThread.GetChannelType();
        task.Ranges.push_back({m_dStartFreq, m_dEndFreq});
        task.SetAverMode = true;
        task.AverMode = kDefaultAverMode;
        task.SetWindow = true;
        task.Window = kDefaultWindow;
        task.ThresholdMode = kAverageThresholdMode;
        task.AbsThreshold = kDefaultAbsThreshold;
        task.AverThreshold = kDefaultAverThreshold;
        task.AverCoef = kDefaultAverCoef;
        task.RecordSignal = false;
        task.UseHysteresis = true;
        task.HysteresisValue = kDefaultHysteresisDb;
        task.WaitCycles = kDefaultWaitCycles;
        task.DoMerge = true;

        CMonitoringTaskDialog dialog(task, nullptr, m_pAnalysis);
        connect(&dialog, &CMonitoringTaskDialog::channelChanged, this, &CMonitoringWindow::OnChannelChanged);
        connect(&dialog, &CMonitoringTaskDialog::adfRangeChanged, this,
                &CMonitoringWindow::OnMonitoringAdfRangeChanged);
        // A name in use is refused and the dialog shown again with what was typed.
        for (;;)
        {
            if (Prompt().Exec(dialog) != QDialog::Accepted)
                return;
            if (!m_pMonitoring->TaskNameExists(dialog.m_Task.Name))
                break;
            Prompt().Warning(
                this, AppName(),
                tr("Task named '") + QString::fromStdWString(dialog.m_Task.Name) + tr("' already exists!"));
        }
        const int id = m_pMonitoring->AddTask(dialog.m_Task);
        auto* item = new QTreeWidgetItem();
        FillTaskItem(item, dialog.m_Task);
        item->setData(NameColumn, Qt::UserRole, id);
        m_ui->m_pTasksTree->addTopLevelItem(item);
        CheckOnlyItem(item);
        SaveTasks();
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), ExceptionText(tr("Failed to add new task!"), error));
    }
}

void CMonitoringWindow::OnEditButton()
{
    QTreeWidgetItem* item = m_ui->m_pTasksTree->currentItem();
    if (!item || !m_pMonitoring)
        return;
    try
    {
        CMonitoringTaskDialog dialog(m_pMonitoring->GetTask(TaskId(item)), nullptr, m_pAnalysis);
        connect(&dialog, &CMonitoringTaskDialog::channelChanged, this, &CMonitoringWindow::OnChannelChanged);
        connect(&dialog, &CMonitoringTaskDialog::adfRangeChanged, this,
                &CMonitoringWindow::OnMonitoringAdfRangeChanged);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        m_pMonitoring->SetTask(TaskId(item), dialog.m_Task);
        FillTaskItem(item, dialog.m_Task);
        SaveTasks();
        ApplyTaskToAnalysis(item);
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), ExceptionText(tr("Failed to edit the task!"), error));
    }
}

void CMonitoringWindow::OnRemoveButton()
{
    QTreeWidgetItem* item = m_ui->m_pTasksTree->currentItem();
    if (!item || !m_pMonitoring || TaskId(item) == -1)
        return;
    try
    {
        m_pMonitoring->RemoveTask(TaskId(item));
        delete item;
        SaveTasks();
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), ExceptionText(tr("Failed to remove the task!"), error));
    }
}

void CMonitoringWindow::OnItemClicked(QTreeWidgetItem* item, int /*column*/)
{
    ApplyTaskToAnalysis(item);
    CheckOnlyItem(item);
}

void CMonitoringWindow::OnItemDoubleClicked(QTreeWidgetItem* /*item*/, int /*column*/)
{
    if (m_ui->m_pEditButton->isEnabled())
        OnEditButton();
}

void CMonitoringWindow::OnViewLogButton()
{
    m_pLogWindow->setEnabled(true);
    m_pLogWindow->setVisible(true);
}

void CMonitoringWindow::OnChannelChanged(int type)
{
    emit channelChanged(type);
}

void CMonitoringWindow::OnMonitoringAdfRangeChanged(double start, double end)
{
    emit adfRangeChanged(start, end);
}

void CMonitoringWindow::OnStartButton()
{
    StartMonitoring(false);
}

void CMonitoringWindow::Warn(const QString& text, bool fromSchedule)
{
    if (fromSchedule)
    {
        const QDate today = Now().date();
        if (m_WarnedDay == today)
            return;
        m_WarnedDay = today;
    }
    Prompt().Warning(this, AppName(), text);
}

void CMonitoringWindow::StartMonitoring(bool fromSchedule)
{
    if (!m_pMonitoring)
        return;
    try
    {
        if (ISignalRecorder* recorder = g_DeviceThread.m_pRecorder)
            recorder->SetIdle();
        QTreeWidget* tree = m_ui->m_pTasksTree;
        int checkedCount = 0;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
        {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            const bool checked = item->checkState(NameColumn) == Qt::Checked;
            if (checked)
            {
                ++checkedCount;
                ApplyTaskToAnalysis(item);
            }
            MONITORING_TASK task = m_pMonitoring->GetTask(TaskId(item));
            task.Enabled = checked;
            m_pMonitoring->SetTask(TaskId(item), task);
        }
        SaveTasks();
        if (tree->topLevelItemCount() == 0)
        {
            Warn(tr("No tasks in the list!"), fromSchedule);
            return;
        }
        if (checkedCount == 0)
        {
            Warn(tr("No tasks selected!"), fromSchedule);
            return;
        }
        tree->setEnabled(false);
        m_ui->m_pAddButton->setEnabled(false);
        m_ui->m_pEditButton->setEnabled(false);
        m_ui->m_pRemoveButton->setEnabled(false);
        m_ui->m_pStartButton->setEnabled(false);
        // With the schedule on, the schedule stops monitoring.
        m_ui->m_pStopButton->setEnabled(!m_Schedule.enable);

        std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
        if (ITemplates* templates = g_DeviceThread.m_pTemplates)
        {
            for (int i = 0; i < templates->GetCount(); ++i)
            {
                const TEMPLATE_ITEM& item = templates->Get(i);
                if (item.enabled)
                    entries.insert(entries.end(), item.entries.begin(), item.entries.end());
            }
        }
        m_pMonitoring->Start(entries, QDateTime::currentMSecsSinceEpoch());
        m_ui->m_pStatusLabel->setText(tr("Starting monitoring..."));
        m_ProgressTimer.start(kProgressMs);
    }
    catch (const std::exception& error)
    {
        // The schedule tries again every second: told like its warnings, once a period, rather than a
        // box stacked on the last one each second.
        const QString text = ExceptionText(tr("Failed to start monitoring!"), error);
        if (fromSchedule)
            Warn(text, true);
        else
            Prompt().Critical(this, AppName(), text);
    }
}

void CMonitoringWindow::OnStopButton()
{
    if (ISignalRecorder* recorder = g_DeviceThread.m_pRecorder)
        recorder->SetIdle();
    m_ProgressTimer.stop();
    if (m_pMonitoring)
        m_pMonitoring->Stop(QDateTime::currentMSecsSinceEpoch());
    m_ui->m_pStatusLabel->setText(tr("Monitoring stopped"));
    FillTaskTree();
    m_ui->m_pTasksTree->setEnabled(true);
    m_ui->m_pAddButton->setEnabled(true);
    m_ui->m_pEditButton->setEnabled(true);
    m_ui->m_pRemoveButton->setEnabled(true);
    m_ui->m_pStartButton->setEnabled(!m_Schedule.enable);
    m_ui->m_pStopButton->setEnabled(false);
}

void CMonitoringWindow::OnTimer()
{
    FillTaskTree();
    if (!IsRunning())
    {
        OnStopButton();
        return;
    }
    try
    {
        QTreeWidget* tree = m_ui->m_pTasksTree;
        int row = -1;
        for (int i = 0; i < tree->topLevelItemCount() && row < 0; ++i)
            if (tree->topLevelItem(i)->checkState(NameColumn) == Qt::Checked)
                row = i;
        const MONITORING_TASK& task = m_pMonitoring->GetTaskByOrder(row);
        m_ui->m_pStatusLabel->setText(
            tr("Monitoring in progress. Executing '%1'").arg(QString::fromStdWString(task.Name)));
    }
    catch (const std::exception& error)
    {
        m_ui->m_pStatusLabel->setText(ExceptionText(tr("Task status retrieval error!"), error));
    }
}

void CMonitoringWindow::OnScheduleButton()
{
    CScheduleDialog dialog(&m_Schedule, nullptr);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    m_Schedule = dialog.m_Schedule;
    UpdateScheduleState();
    FillTaskTree();
    StoreSchedule();
}

void CMonitoringWindow::UpdateScheduleState()
{
    if (m_Schedule.enable)
    {
        m_ui->m_pStatusLabel->setText(tr("Start scheduled"));
        m_ui->m_pStartButton->setEnabled(false);
        m_ScheduleTimer.start(kScheduleMs);
        return;
    }
    m_ui->m_pStatusLabel->setText(tr("Schedule turned off"));
    m_ui->m_pStartButton->setEnabled(true);
    m_ScheduleTimer.stop();
    if (IsRunning())
        OnStopButton();
}

void CMonitoringWindow::OnScheduleTimer()
{
    const QDateTime now = Now();
    if (IsRunning())
    {
        if (now.time() >= m_Schedule.end)
            OnStopButton();
        return;
    }
    if (IsInSchedule(m_Schedule, now))
        StartMonitoring(true);
    FillTaskTree();
}

void CMonitoringWindow::StoreSchedule()
{
    g_Parameters.SetInt(kScheduleSection, QStringLiteral("Enable"), m_Schedule.enable ? 1 : 0);
    g_Parameters.SetInt(kScheduleSection, QStringLiteral("Mode"), m_Schedule.mode);
    g_Parameters.SetUInt(kScheduleSection, QStringLiteral("Date"), DateToSeconds(m_Schedule.date));
    for (size_t day = 0; day < m_Schedule.days.size(); ++day)
        g_Parameters.SetInt(kScheduleSection, QLatin1String(kDayKeys[day]), m_Schedule.days[day] ? 1 : 0);
    g_Parameters.SetUInt(kScheduleSection, QStringLiteral("StartTime"), TimeToSeconds(m_Schedule.start));
    g_Parameters.SetUInt(kScheduleSection, QStringLiteral("EndTime"), TimeToSeconds(m_Schedule.end));
}

void CMonitoringWindow::LoadSchedule()
{
    if (!g_Parameters.HasSection(kScheduleSection))
        return;
    m_Schedule.enable = g_Parameters.GetInt(kScheduleSection, QStringLiteral("Enable"), 0) != 0;
    m_Schedule.mode = g_Parameters.GetInt(kScheduleSection, QStringLiteral("Mode"), 0);
    if (g_Parameters.HasKey(kScheduleSection, QStringLiteral("Date")))
        m_Schedule.date =
            FromSeconds(g_Parameters.GetUInt(kScheduleSection, QStringLiteral("Date"), 0)).date();
    for (size_t day = 0; day < m_Schedule.days.size(); ++day)
        m_Schedule.days[day] = g_Parameters.GetInt(kScheduleSection, QLatin1String(kDayKeys[day]), 0) != 0;
    m_Schedule.start = FromSeconds(g_Parameters.GetUInt(kScheduleSection, QStringLiteral("StartTime"),
                                                        TimeToSeconds(QTime(0, 0))))
                           .time();
    m_Schedule.end = FromSeconds(g_Parameters.GetUInt(kScheduleSection, QStringLiteral("EndTime"),
                                                      TimeToSeconds(QTime(0, 0))))
                         .time();
}
