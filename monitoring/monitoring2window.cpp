#include "monitoring2window.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTreeWidget>

#include <cmath>
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
#include "ui_monitoring2window.h"

namespace
{
const QString kSection = QStringLiteral("Monitoring2Window");
const QString kAnalysis = QStringLiteral("Analysis");
const QString kRangeOptions = QStringLiteral("RangeOptions");
const QString kRangeSpectrum = QStringLiteral("RangeSpectrum");
constexpr int kColumnCount = 4;
constexpr int kDefaultColumnWidth = 150;
constexpr int kEventsColumnWidth = 70;
constexpr int kMinColumnWidth = 50;
constexpr int kPollMs = 1000;
constexpr int kLogInstance = 1;
constexpr int kAutoWindow = 6;
constexpr int kAverageThresholdMode = 1;
constexpr double kAutoHysteresisDb = 10.0;
constexpr int kAutoWaitCycles = 5;

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

QString ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}

// Equality for the change test: a value that is no number is the same as another one, so a stored
// NaN does not count as a change on every tick.
bool Same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool IsRange(double start, double end)
{
    return !std::isnan(start) && !std::isnan(end) && end > start;
}

int SpecAverMode()
{
    return g_Parameters.GetInt(kRangeOptions, QStringLiteral("SpecAverMode"), 0);
}

double SquelchValue2()
{
    return g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue2"), 0.0);
}

int AverValue()
{
    return g_Parameters.GetInt(kAnalysis, QStringLiteral("AverValue"), 0);
}
}  // namespace

CMonitoring2Window::CMonitoring2Window(QWidget* parent, IMonitoring* monitoring)
    : CQDockWindow(kSection, parent),
      m_ui(std::make_unique<Ui::CMonitoring2Window>()),
      m_pMonitoring(monitoring ? monitoring : g_DeviceThread.m_pMonitoring)
{
    m_ui->setupUi(this);

    QTreeWidget* tree = m_ui->m_pTasksTree;
    if (!g_Parameters.HasKey(kSection, ColumnKey(0)))
    {
        for (int column = 0; column < kColumnCount; ++column)
            g_Parameters.SetInt(kSection, ColumnKey(column), kDefaultColumnWidth);
        g_Parameters.SetInt(kSection, ColumnKey(EventsColumn), kEventsColumnWidth);
    }
    for (int column = 0; column < kColumnCount; ++column)
        tree->setColumnWidth(column,
                             qMax(g_Parameters.GetInt(kSection, ColumnKey(column), 0), kMinColumnWidth));

    connect(m_ui->m_pStartButton, &QPushButton::clicked, this, &CMonitoring2Window::OnStartButton);
    connect(m_ui->m_pStopButton, &QPushButton::clicked, this, &CMonitoring2Window::OnStopButton);
    connect(m_ui->m_pOptionsButton, &QPushButton::clicked, this, &CMonitoring2Window::OnOptionsButton);
    connect(m_ui->m_pViewLogButton, &QPushButton::clicked, this, &CMonitoring2Window::OnViewLogButton);
    connect(&m_Timer, &QTimer::timeout, this, &CMonitoring2Window::OnTimer);
    connect(m_ui->m_pAddButton, &QPushButton::clicked, this, [this] { OnAddButton(0); });
    connect(m_ui->m_pEditButton, &QPushButton::clicked, this, &CMonitoring2Window::OnEditButton);
    connect(m_ui->m_pRemoveButton, &QPushButton::clicked, this, &CMonitoring2Window::OnRemoveButton);

    m_pLogWindow = new CMonitoringLogWindow(parent, kLogInstance, m_pMonitoring);
    m_pLogWindow->RestoreState();

    m_strTasksPath = QStandardPaths::writableLocation(QStandardPaths::DataLocation) +
                     QStringLiteral("/monitoring2_tasks.xml");

    tree->hide();
    m_ui->label->hide();
    m_ui->m_pAddButton->hide();
    m_ui->m_pEditButton->hide();
    m_ui->m_pRemoveButton->hide();
    m_ui->m_pScheduleButton->hide();
}

CMonitoring2Window::~CMonitoring2Window()
{
    for (int column = 0; column < kColumnCount; ++column)
        g_Parameters.SetInt(kSection, ColumnKey(column), m_ui->m_pTasksTree->columnWidth(column));
    m_pLogWindow->SaveState();
    // The log lives exactly as long as this window, whoever the parent of both is.
    delete m_pLogWindow;
}

void CMonitoring2Window::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The status line tells the state, not the form's first text; the next status is translated.
        const QString status = m_ui->m_pStatusLabel->text();
        m_ui->retranslateUi(this);
        m_ui->m_pStatusLabel->setText(status);
    }
    CQDockWindow::changeEvent(event);
}

bool CMonitoring2Window::IsRunning() const
{
    return m_pMonitoring && m_pMonitoring->IsRunning();
}

int CMonitoring2Window::TaskId(const QTreeWidgetItem* item)
{
    return item->data(NameColumn, Qt::UserRole).toInt();
}

void CMonitoring2Window::StartForRange(double start, double end)
{
    if (!IsRange(start, end))
    {
        m_ui->m_pStatusLabel->setText(tr("Wrong frequency range!"));
        return;
    }
    const bool sameRange =
        Same(start, m_dStartFreq) && Same(end, m_dEndFreq) && m_ui->m_pTasksTree->topLevelItemCount() > 0;
    m_dStartFreq = start;
    m_dEndFreq = end;
    if (IsRunning())
    {
        // A running object keeps its task, events and detector history unless the range moved; a
        // moved range is watched by a new task, started as the operator's Start would.
        if (sameRange)
            setVisible(true);
        else
            Restart();
        return;
    }
    NewTaskForRange();
}

void CMonitoring2Window::NewTaskForRange()
{
    if (m_pMonitoring)
        m_pMonitoring->RemoveAllTasks();
    m_ui->m_pTasksTree->clear();
    OnAddButton(1);
    setVisible(true);
}

void CMonitoring2Window::OnAddButton(int bAuto)
{
    if (!m_pMonitoring)
        return;
    MONITORING_TASK task;
    task.Enabled = false;
    task.Name = tr("New task").toStdWString();
    task.Channel = g_DeviceThread.GetChannelType();
    task.Ranges.push_back({m_dStartFreq, m_dEndFreq});
    task.SetAverMode = true;
    task.AverMode = 0;
    task.SetWindow = true;
    task.Window = kAutoWindow;
    task.ThresholdMode = kAverageThresholdMode;
    task.AbsThreshold = g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue1"), 0.0);
    task.AverThreshold = SquelchValue2();
    task.AverCoef = AverValue();
    task.RecordSignal = false;
    task.UseHysteresis = true;
    task.HysteresisValue = kAutoHysteresisDb;
    task.WaitCycles = kAutoWaitCycles;
    task.DoMerge = true;

    CMonitoringTaskDialog dialog(task, nullptr);
    // The automatic task follows a removal of every task, so its name is free; only an operator's
    // name is checked (and asked again).
    while (!bAuto)
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
    if (bAuto)
        item->setCheckState(NameColumn, Qt::Checked);
    m_ui->m_pTasksTree->addTopLevelItem(item);
    if (!bAuto)
        SaveTasks();
}

void CMonitoring2Window::FillTaskItem(QTreeWidgetItem* item, const MONITORING_TASK& task)
{
    item->setCheckState(NameColumn, task.Enabled ? Qt::Checked : Qt::Unchecked);
    item->setText(NameColumn, QString::fromStdWString(task.Name));
    IChannel* channel = g_DeviceThread.GetChannel(task.Channel);
    item->setText(ChannelColumn, channel ? QString::fromStdWString(channel->GetName()) : QString());
}

void CMonitoring2Window::FillTaskTree()
{
    if (!m_pMonitoring)
        return;
    const bool running = m_pMonitoring->IsRunning();
    QTreeWidget* tree = m_ui->m_pTasksTree;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        const bool checked = item->checkState(NameColumn) == Qt::Checked;
        item->setText(StatusColumn, checked && running ? tr("Working") : QString());
        item->setText(EventsColumn, QString::number(m_pMonitoring->GetTaskEventsCount(TaskId(item))));
    }
}

void CMonitoring2Window::LoadOptions(QTreeWidgetItem* /*item*/)
{
    IAnalysis* analysis = g_DeviceThread.m_pAnalysis;
    if (!analysis)
        return;
    analysis->SetParameters(g_Parameters.GetInt(kAnalysis, QStringLiteral("TypeSquelch"), 0),
                            g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue1"), 0.0),
                            SquelchValue2(), AverValue(), 0.0,
                            g_Parameters.GetInt(kAnalysis, QStringLiteral("DoMerge"), 0) != 0,
                            CAnalysisOptionsDialog::StoredRegion());
}

void CMonitoring2Window::SaveTasks()
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
        qDebug() << "Monitoring tasks not saved:" << error.what();
        return;
    }
    // The data folder exists only once something was saved there.
    QDir().mkpath(QFileInfo(m_strTasksPath).absolutePath());
    CMonitoringTasksFile::Save(m_strTasksPath, tasks);
}

void CMonitoring2Window::SetRunningControls(bool running)
{
    m_ui->m_pTasksTree->setEnabled(!running);
    m_ui->m_pAddButton->setEnabled(!running);
    m_ui->m_pEditButton->setEnabled(!running);
    m_ui->m_pRemoveButton->setEnabled(!running);
    m_ui->m_pStartButton->setEnabled(!running);
    m_ui->m_pStopButton->setEnabled(running);
}

void CMonitoring2Window::OnStartButton()
{
    if (!m_pMonitoring)
        return;
    // Nothing can be watched over no range (a stored range may be NaN or reversed).
    if (!IsRange(m_dStartFreq, m_dEndFreq))
    {
        m_ui->m_pStatusLabel->setText(tr("Wrong frequency range!"));
        return;
    }
    NewTaskForRange();
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
                LoadOptions(item);
            }
            MONITORING_TASK task = m_pMonitoring->GetTask(TaskId(item));
            task.Enabled = checked;
            task.AverMode = SpecAverMode();
            m_pMonitoring->SetTask(TaskId(item), task);
        }
        SaveTasks();
        if (tree->topLevelItemCount() == 0)
        {
            Prompt().Warning(this, AppName(), tr("No tasks in the list!"));
            return;
        }
        if (checkedCount == 0)
        {
            Prompt().Warning(this, AppName(), tr("No tasks selected!"));
            return;
        }
        SetRunningControls(true);

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
        // The poll compares with what this start used.
        m_nAverMode = SpecAverMode();
        m_dSquelchValue = SquelchValue2();
        m_nAverValue = AverValue();
        m_pMonitoring->Start(entries, QDateTime::currentMSecsSinceEpoch());
        m_ui->m_pStatusLabel->setText(tr("Starting monitoring..."));
        m_Timer.start(kPollMs);
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(
            this, AppName(),
            tr("Failed to start monitoring!") + QStringLiteral(" ") + QString::fromLocal8Bit(error.what()));
    }
}

void CMonitoring2Window::OnStopButton()
{
    if (ISignalRecorder* recorder = g_DeviceThread.m_pRecorder)
        recorder->SetIdle();
    m_Timer.stop();
    if (m_pMonitoring)
        m_pMonitoring->Stop(QDateTime::currentMSecsSinceEpoch());
    m_ui->m_pStatusLabel->setText(tr("Monitoring stopped"));
    FillTaskTree();
    SetRunningControls(false);
}

void CMonitoring2Window::Restart()
{
    OnStopButton();
    OnStartButton();
}

void CMonitoring2Window::OnTimer()
{
    int code = 0;
    const int averMode = SpecAverMode();
    if (averMode != m_nAverMode)
    {
        m_nAverMode = averMode;
        code = 1;
    }
    const double squelch = SquelchValue2();
    if (!Same(squelch, m_dSquelchValue))
    {
        m_dSquelchValue = squelch;
        code = 2;
    }
    const int averValue = AverValue();
    if (averValue != m_nAverValue)
    {
        m_nAverValue = averValue;
        code = 3;
    }
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    const double start = g_Parameters.GetDouble(kRangeSpectrum, prefix + QStringLiteral("StartXValue"), 0.0);
    const double end = g_Parameters.GetDouble(kRangeSpectrum, prefix + QStringLiteral("EndXValue"), 0.0);
    bool wrongRange = false;
    if (!Same(start, m_dStartFreq) || !Same(end, m_dEndFreq))
    {
        // A stored range that is no range is not taken: monitoring goes on over the last good one
        // instead of restarting on every tick.
        if (!IsRange(start, end))
        {
            wrongRange = true;
        }
        else
        {
            if (!Same(start, m_dStartFreq))
                code = 4;
            if (!Same(end, m_dEndFreq))
                code = 5;
            m_dStartFreq = start;
            m_dEndFreq = end;
        }
    }

    if (code != 0)
    {
        Restart();
        qDebug().noquote() << QStringLiteral("OnStartButton %1").arg(code);
    }
    FillTaskTree();
    if (!IsRunning())
    {
        OnStopButton();
        return;
    }
    if (wrongRange)
    {
        m_ui->m_pStatusLabel->setText(tr("Wrong frequency range!"));
        return;
    }
    QTreeWidget* tree = m_ui->m_pTasksTree;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        if (tree->topLevelItem(i)->checkState(NameColumn) == Qt::Checked)
        {
            m_ui->m_pStatusLabel->setText(tr("Monitoring in progress."));
            break;
        }
    }
}

void CMonitoring2Window::setVisible(bool visible)
{
    if (!visible && IsRunning())
        OnStopButton();
    if (visible)
    {
        QTreeWidget* tree = m_ui->m_pTasksTree;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->checkState(NameColumn) == Qt::Checked)
                LoadOptions(tree->topLevelItem(i));
    }
    CQDockWindow::setVisible(visible);
}

void CMonitoring2Window::OnOptionsButton()
{
    CAnalysisOptionsDialog dialog(1, nullptr);
    Prompt().Exec(dialog);
}

void CMonitoring2Window::OnViewLogButton()
{
    m_pLogWindow->setEnabled(true);
    m_pLogWindow->setVisible(true);
}

void CMonitoring2Window::OnEditButton()
{
    QTreeWidgetItem* item = m_ui->m_pTasksTree->currentItem();
    if (!item || !m_pMonitoring)
        return;
    try
    {
        CMonitoringTaskDialog dialog(m_pMonitoring->GetTask(TaskId(item)), nullptr);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        m_pMonitoring->SetTask(TaskId(item), dialog.m_Task);
        FillTaskItem(item, dialog.m_Task);
        SaveTasks();
        LoadOptions(item);
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), QString::fromLocal8Bit(error.what()));
    }
}

void CMonitoring2Window::OnRemoveButton()
{
    QTreeWidgetItem* item = m_ui->m_pTasksTree->currentItem();
    if (!item || !m_pMonitoring || TaskId(item) == -1)
        return;
    try
    {
        m_pMonitoring->RemoveTask(TaskId(item));
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(), QString::fromLocal8Bit(error.what()));
        return;
    }
    delete item;
    SaveTasks();
}

void CMonitoring2Window::OnItemDoubleClicked(QTreeWidgetItem* /*item*/, int /*column*/)
{
    if (m_ui->m_pEditButton->isEnabled())
        OnEditButton();
}
