#include "monitoring2window.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "imonitoring.h"
#include "parameters.h"

namespace
{
const QString kSection = QStringLiteral("Monitoring2Window");
const QString kAnalysis = QStringLiteral("Analysis");
constexpr int kAutoWindow = 6;
constexpr int kAverageThresholdMode = 1;
constexpr double kAutoHysteresisDb = 10.0;
constexpr int kAutoWaitCycles = 5;
}  // namespace

CMonitoring2Window::CMonitoring2Window(QWidget* parent, IMonitoring* monitoring)
    : CQDockWindow(kSection, parent), m_pMonitoring(monitoring ? monitoring : g_DeviceThread.m_pMonitoring)
{
    setWindowTitle(tr("Monitoring Window"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_pStatusLabel = new QLabel(content);
    m_pTasksTree = new QTreeWidget(content);
    m_pTasksTree->setHeaderLabels({tr("Name"), tr("Channel"), tr("Events"), tr("Status")});
    m_pTasksTree->setRootIsDecorated(false);
    // The task list is kept for the automatic task only; the operator sees the status.
    m_pTasksTree->hide();
    layout->addWidget(m_pStatusLabel);
    layout->addWidget(m_pTasksTree);
    setWidget(content);
}

CMonitoring2Window::~CMonitoring2Window() = default;

void CMonitoring2Window::StartForRange(double start, double end)
{
    if (std::isnan(start) || std::isnan(end) || !(end > start))
    {
        m_pStatusLabel->setText(tr("Wrong frequency range!"));
        return;
    }
    const bool sameRange =
        start == m_dStartFreq && end == m_dEndFreq && m_pTasksTree->topLevelItemCount() > 0;
    m_dStartFreq = start;
    m_dEndFreq = end;
    if (sameRange && m_pMonitoring && m_pMonitoring->IsRunning())
    {
        setVisible(true);
        return;
    }
    NewTaskForRange();
}

void CMonitoring2Window::NewTaskForRange()
{
    if (m_pMonitoring)
        m_pMonitoring->RemoveAllTasks();
    m_pTasksTree->clear();
    AddAutomaticTask();
    m_pStatusLabel->setText(
        tr("Range: %1 - %2 MHz")
            .arg(QString::number(m_dStartFreq, 'f', 3), QString::number(m_dEndFreq, 'f', 3)));
    setVisible(true);
}

void CMonitoring2Window::AddAutomaticTask()
{
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
    task.AverThreshold = g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue2"), 0.0);
    task.AverCoef = g_Parameters.GetInt(kAnalysis, QStringLiteral("AverValue"), 0);
    task.RecordSignal = false;
    task.UseHysteresis = true;
    task.HysteresisValue = kAutoHysteresisDb;
    task.WaitCycles = kAutoWaitCycles;
    task.DoMerge = true;
    if (!m_pMonitoring)
        return;
    const int id = m_pMonitoring->AddTask(task);
    auto* item = new QTreeWidgetItem();
    item->setText(0, QString::fromStdWString(task.Name));
    item->setData(0, Qt::UserRole, id);
    IChannel* channel = g_DeviceThread.GetChannel(task.Channel);
    if (channel)
        item->setText(1, QString::fromStdWString(channel->GetName()));
    item->setText(2, QStringLiteral("0"));
    item->setCheckState(0, Qt::Checked);
    m_pTasksTree->addTopLevelItem(item);
}
