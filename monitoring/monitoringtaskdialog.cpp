#include "monitoringtaskdialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <QStandardPaths>

#include "analysisoptionsdialog.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "ianalysis.h"
#include "ichannel.h"
#include "inputrangedialog.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_monitoringtaskdialog.h"
#include "utils.h"

namespace
{
constexpr quint64 kRecordingBytesPerSecond = 460800;
constexpr double kKhzPerMHz = 1000.0;
constexpr int kAverageThresholdMode = 1;
constexpr int kRangeColumnWidth = 50;
const QString kFolderKey = QStringLiteral("MonitoringTaskDialog/SignalFolder");

QString AppName()
{
    return QCoreApplication::applicationName();
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

// The edit's number when the operator typed in it, else the value it was filled with.
double EditedDouble(const QLineEdit& edit, double filled)
{
    return edit.isModified() ? edit.text().toDouble() : filled;
}

// The current input's frequency limits, MHz.
void ChannelLimits(double* min, double* max)
{
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    *min = channel ? channel->GetStartFreq() : 0.0;
    *max = channel ? channel->GetStopFreq() : 0.0;
}
}  // namespace

CMonitoringTaskDialog::CMonitoringTaskDialog(MONITORING_TASK task, QWidget* parent, IAnalysis* analysis)
    : QDialog(parent),
      m_Task(std::move(task)),
      m_ui(std::make_unique<Ui::CMonitoringTaskDialog>()),
      m_pAnalysis(analysis ? analysis : g_DeviceThread.m_pAnalysis)
{
    m_ui->setupUi(this);
    for (int column = 0; column < m_ui->m_pRangesTree->columnCount(); ++column)
        m_ui->m_pRangesTree->setColumnWidth(column, kRangeColumnWidth);
    for (int index = 0; index < g_DeviceThread.GetChannelCount(); ++index)
    {
        IChannel* channel = g_DeviceThread.GetChannel(index);
        m_ui->m_pChannelCombo->addItem(channel ? QString::fromStdWString(channel->GetName()) : QString());
    }
    g_FftOptions.FillAveragingCombo(m_ui->m_pAverCombo);
    g_FftOptions.FillWindowCombo(m_ui->m_pWindowCombo);

    m_ui->m_pNameEdit->setText(QString::fromStdWString(m_Task.Name));
    m_ui->m_pChannelCombo->setCurrentIndex(m_Task.Channel);
    m_ui->m_pAverCheck->setChecked(m_Task.SetAverMode);
    m_ui->m_pAverCombo->setCurrentIndex(m_Task.AverMode);
    m_ui->m_pWindowCheck->setChecked(m_Task.SetWindow);
    m_ui->m_pWindowCombo->setCurrentIndex(m_Task.Window);
    m_ui->m_pSquelchRadio1->setChecked(m_Task.ThresholdMode == 0);
    m_ui->m_pSquelchRadio2->setChecked(m_Task.ThresholdMode != 0);
    m_ui->m_pSquelchEdit1->setText(Number(m_Task.AbsThreshold));
    m_ui->m_pSquelchEdit2->setText(Number(m_Task.AverThreshold));
    m_ui->m_pAverEdit->setText(QString::number(m_Task.AverCoef));
    m_ui->m_pHysteresisCheck->setChecked(m_Task.UseHysteresis);
    m_ui->m_pHysteresisEdit->setText(Number(m_Task.HysteresisValue));
    m_ui->m_pSkipEdit->setText(QString::number(m_Task.WaitCycles));
    m_ui->m_pRecordSignalCheck->setChecked(m_Task.RecordSignal);
    m_ui->m_pRecordingPathEdit->setText(QString::fromStdWString(m_Task.SignalFileName));
    m_ui->m_pMergeCheck->setChecked(m_Task.DoMerge);
    FillRangesTree();

    connect(m_ui->m_pShowButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::OnShowButton);
    connect(m_ui->m_pAddButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::OnAddButton);
    connect(m_ui->m_pDeleteButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::OnDeleteButton);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::accept);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::reject);
    connect(m_ui->m_pBrowseButton, &QPushButton::clicked, this, &CMonitoringTaskDialog::OnBrowseButton);
    connect(m_ui->m_pChannelCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CMonitoringTaskDialog::OnChannelCombo);

    m_ui->label_2->hide();
    m_ui->m_pChannelCombo->hide();
    m_ui->m_pSquelchRadio1->hide();
    m_ui->m_pSquelchEdit1->hide();
    m_ui->label_7->hide();
    m_ui->m_pHysteresisCheck->hide();
    m_ui->m_pHysteresisEdit->hide();
    m_ui->m_pSkipEdit->hide();
}

CMonitoringTaskDialog::~CMonitoringTaskDialog() = default;

bool CMonitoringTaskDialog::IsKhzChannel(int type)
{
    return type == 4 || type == 6;
}

int CMonitoringTaskDialog::UnitChannel() const
{
    const int row = m_ui->m_pChannelCombo->currentIndex();
    return row >= 0 ? row : m_Task.Channel;
}

int CMonitoringTaskDialog::exec()
{
    const int row = m_ui->m_pChannelCombo->currentIndex();
    if (row >= 0 && row != g_DeviceThread.GetChannelType())
        emit channelChanged(row);
    FillRangesTree();
    OnShowButton();
    return QDialog::exec();
}

void CMonitoringTaskDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void CMonitoringTaskDialog::AddRangeRow(double startMHz, double endMHz)
{
    const bool khz = IsKhzChannel(UnitChannel());
    const double scale = khz ? kKhzPerMHz : 1.0;
    auto* row = new QTreeWidgetItem(m_ui->m_pRangesTree);
    row->setText(0, Number(startMHz * scale));
    row->setText(1, Number(endMHz * scale));
    row->setText(2, khz ? tr("kHz") : tr("MHz"));
    // The values as they were entered; the text shows six digits only.
    row->setData(0, Qt::UserRole, startMHz);
    row->setData(1, Qt::UserRole, endMHz);
}

void CMonitoringTaskDialog::FillRangesTree()
{
    m_ui->m_pRangesTree->clear();
    for (const MONITORING_RANGE& range : m_Task.Ranges)
        AddRangeRow(range.StartFreq, range.EndFreq);
}

void CMonitoringTaskDialog::OnChannelCombo(int row)
{
    // -1 comes while the combo is emptied or refilled; there is no choice to follow then.
    if (row < 0)
        return;
    if (row != g_DeviceThread.GetChannelType())
        emit channelChanged(row);
    FillRangesTree();
}

void CMonitoringTaskDialog::OnShowButton()
{
    if (!m_pAnalysis)
        return;
    m_pAnalysis->SetParameters(
        m_ui->m_pSquelchRadio1->isChecked() ? 0 : 1, m_ui->m_pSquelchEdit1->text().toDouble(),
        m_ui->m_pSquelchEdit2->text().toDouble(), m_ui->m_pAverEdit->text().toInt(nullptr, 10), 0.0,
        m_ui->m_pMergeCheck->isChecked(), CAnalysisOptionsDialog::StoredRegion());
}

void CMonitoringTaskDialog::OnAddButton()
{
    const bool khz = IsKhzChannel(UnitChannel());
    double start = 0.0;
    double end = 0.0;
    for (;;)
    {
        CInputRangeDialog dialog(QStringLiteral("FrequencyRange"));
        dialog.SetTexts(tr("Frequency Range"), tr("Start frequency:"), tr("End frequency:"));
        if (khz)
            dialog.AddUnit(tr("kHz"), kKhzPerMHz);
        else
            dialog.AddUnit(tr("MHz"), 1.0);
        dialog.SetFirstValue(start, 5);
        dialog.SetSecondValue(end, 5);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        start = dialog.GetFirstValue();
        end = dialog.GetSecondValue();
        double min = 0.0;
        double max = 0.0;
        ChannelLimits(&min, &max);
        QString failure;
        if (min > start)
            failure = tr("Wrong start frequency!");
        else if (end > max)
            failure = tr("Wrong end frequency!");
        else if (start > end)
            failure = tr("Wrong range!");
        if (failure.isEmpty())
            break;
        Prompt().Warning(this, AppName(), failure);
    }
    AddRangeRow(start, end);
}

void CMonitoringTaskDialog::OnDeleteButton()
{
    delete m_ui->m_pRangesTree->currentItem();
}

void CMonitoringTaskDialog::OnBrowseButton()
{
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    const QString folder =
        settings.value(kFolderKey, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .toString();
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save Recording As"), folder, tr("Recording files (*.rec)"));
    if (path.isEmpty())
        return;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        settings.setValue(kFolderKey, path.left(slash + 1));
    m_ui->m_pRecordingPathEdit->setText(path);
    UpdateTimeAvailable();
    m_ui->m_pRecordSignalCheck->setChecked(true);
}

void CMonitoringTaskDialog::UpdateTimeAvailable()
{
    const QString path = m_ui->m_pRecordingPathEdit->text();
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
    {
        m_ui->m_pTimeAvailableLabel->setText(tr("Recording time available: n/a"));
        return;
    }
    const quint64 seconds = CUtils::GetDiskFreeSpace(path.left(slash + 1)) / kRecordingBytesPerSecond;
    m_ui->m_pTimeAvailableLabel->setText(
        CUtils::FormatCountedDays(tr("'Recording time available: 'd 'days' hh:mm:ss"), seconds));
}

void CMonitoringTaskDialog::accept()
{
    QTreeWidget* tree = m_ui->m_pRangesTree;
    if (tree->topLevelItemCount() == 0)
    {
        Prompt().Warning(this, AppName(), tr("No one frequency range specified!"));
        return;
    }
    double min = 0.0;
    double max = 0.0;
    ChannelLimits(&min, &max);
    std::vector<MONITORING_RANGE> ranges;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = tree->topLevelItem(i);
        const double start = row->data(0, Qt::UserRole).toDouble();
        const double end = row->data(1, Qt::UserRole).toDouble();
        if (!(min <= start && start <= max && min <= end && end <= max && start <= end))
        {
            Prompt().Warning(this, AppName(), tr("Wrong frequency ranges specified!"));
            return;
        }
        ranges.push_back({start, end});
    }
    m_Task.Name = m_ui->m_pNameEdit->text().toStdWString();
    m_Task.Channel = UnitChannel();
    m_Task.Ranges = ranges;
    m_Task.SetAverMode = m_ui->m_pAverCheck->isChecked();
    m_Task.AverMode = m_ui->m_pAverCombo->currentIndex();
    m_Task.SetWindow = m_ui->m_pWindowCheck->isChecked();
    m_Task.Window = m_ui->m_pWindowCombo->currentIndex();
    m_Task.ThresholdMode = kAverageThresholdMode;
    // The edits show six digits: a value nobody typed over stays as the task had it.
    m_Task.AbsThreshold = EditedDouble(*m_ui->m_pSquelchEdit1, m_Task.AbsThreshold);
    m_Task.AverThreshold = EditedDouble(*m_ui->m_pSquelchEdit2, m_Task.AverThreshold);
    m_Task.AverCoef = m_ui->m_pAverEdit->text().toInt(nullptr, 10);
    m_Task.UseHysteresis = m_ui->m_pHysteresisCheck->isChecked();
    m_Task.HysteresisValue = EditedDouble(*m_ui->m_pHysteresisEdit, m_Task.HysteresisValue);
    m_Task.WaitCycles = m_ui->m_pSkipEdit->text().toInt(nullptr, 10);
    m_Task.RecordSignal = m_ui->m_pRecordSignalCheck->isChecked();
    m_Task.SignalFileName = m_ui->m_pRecordingPathEdit->text().toStdWString();
    m_Task.DoMerge = m_ui->m_pMergeCheck->isChecked();
    QDialog::accept();
}
