#include "monitoringlogwindow.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTreeWidget>

#include <exception>

#include "devicethread.h"
#include "doubletreewidgetitem.h"
#include "globals.h"
#include "htmlreport.h"
#include "imonitoring.h"
#include "isignalsarchive.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_monitoringlogwindow.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("MonitoringLogWindow");
constexpr int kRefreshMs = 10000;
constexpr int kDefaultColumnWidth = 120;
constexpr int kMinColumnWidth = 50;
constexpr int kMonitoringSource = 2;
constexpr double kHzPerMHz = 1000000.0;

enum Column
{
    StartColumn,
    DurationColumn,
    FrequencyColumn,
    LevelColumn,
    SectorColumn,
    IdentColumn,
    ColumnCount
};

// Column 0 carries, besides the start time and the event's identifier, what an archive entry of the
// event needs and the list does not show.
constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kRecordingRole = Qt::UserRole + 2;
constexpr int kChannelRole = Qt::UserRole + 3;
constexpr int kBandEndRole = Qt::UserRole + 1;

QString AppName()
{
    return QCoreApplication::applicationName();
}

QString ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}
}  // namespace

CMonitoringLogWindow::CMonitoringLogWindow(QWidget* parent, int instance, IMonitoring* monitoring,
                                           ISignalsArchive* archive)
    : CQDockWindow(QStringLiteral("MonitoringLog"), parent, instance),
      m_ui(std::make_unique<Ui::CMonitoringLogWindow>()),
      m_pMonitoring(monitoring ? monitoring : g_DeviceThread.m_pMonitoring),
      m_pArchive(archive ? archive : g_DeviceThread.m_pArchive)
{
    const QDateTime now = QDateTime::currentDateTime();
    m_Filter.From = now;
    m_Filter.To = now;
    if (instance == 0)
        g_Parameters.SetInt(GetSettingsName(), QStringLiteral("Visible"), 0);
    m_ui->setupUi(this);

    QTreeWidget* tree = m_ui->m_pLogTree;
    if (!g_Parameters.HasKey(kSection, ColumnKey(0)))
    {
        for (int column = 0; column < ColumnCount; ++column)
            g_Parameters.SetInt(kSection, ColumnKey(column), kDefaultColumnWidth);
        g_Parameters.SetInt(kSection, QStringLiteral("Autorefresh"), 1);
    }
    for (int column = 0; column < ColumnCount; ++column)
        tree->setColumnWidth(column,
                             qMax(g_Parameters.GetInt(kSection, ColumnKey(column), 0), kMinColumnWidth));

    connect(m_ui->m_pFilterButton, &QPushButton::clicked, this, &CMonitoringLogWindow::OnFilterButton);
    connect(m_ui->m_pClearButton, &QPushButton::clicked, this, &CMonitoringLogWindow::OnClearButton);
    connect(m_ui->m_pSaveButton, &QPushButton::clicked, this, &CMonitoringLogWindow::OnSaveButton);
    connect(m_ui->m_pRefreshButton, &QPushButton::clicked, this, &CMonitoringLogWindow::OnRefreshButton);
    connect(m_ui->m_pRefreshCheck, &QCheckBox::toggled, this, &CMonitoringLogWindow::OnRefreshCheck);
    connect(&m_RefreshTimer, &QTimer::timeout, this, &CMonitoringLogWindow::FillList);

    m_ui->m_pRefreshCheck->setChecked(g_Parameters.GetInt(kSection, QStringLiteral("Autorefresh"), 0) != 0);
    tree->sortByColumn(DurationColumn, Qt::AscendingOrder);
}

CMonitoringLogWindow::~CMonitoringLogWindow()
{
    for (int column = 0; column < ColumnCount; ++column)
        g_Parameters.SetInt(kSection, ColumnKey(column), m_ui->m_pLogTree->columnWidth(column));
    g_Parameters.SetInt(kSection, QStringLiteral("Autorefresh"), m_ui->m_pRefreshCheck->isChecked() ? 1 : 0);
}

QString CMonitoringLogWindow::FormatDuration(qint64 seconds)
{
    return CUtils::FormatDuration(seconds);
}

bool CMonitoringLogWindow::Passes(const MONITORING_EVENT& event) const
{
    if (!m_Filter.Enabled)
        return true;
    if (m_Filter.PeriodEnabled && (event.startTime < m_Filter.From.toSecsSinceEpoch() ||
                                   event.lastTime > m_Filter.To.toSecsSinceEpoch()))
        return false;
    // Written so that a frequency that is no number passes.
    if (m_Filter.RangeEnabled && (m_Filter.FreqFrom > event.peakFreq || event.peakFreq > m_Filter.FreqTo))
        return false;
    return true;
}

QTreeWidgetItem* CMonitoringLogWindow::MakeRow(const MONITORING_EVENT& event) const
{
    auto* row = new CQDoubleTreeWidgetItem();
    const qint64 start = event.startTime;
    row->setText(StartColumn,
                 QDateTime::fromSecsSinceEpoch(start).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    row->setData(StartColumn, Qt::UserRole, start);
    row->setData(StartColumn, kIdRole, event.id);
    row->setData(StartColumn, kRecordingRole, QString::fromStdWString(event.signalFileName));
    row->setData(StartColumn, kChannelRole, event.channel);

    const qint64 seconds = event.lastTime - event.startTime;
    row->setText(DurationColumn, FormatDuration(seconds));
    row->setTextAlignment(DurationColumn, Qt::AlignRight);
    row->setData(DurationColumn, Qt::UserRole, static_cast<int>(seconds));

    row->setText(FrequencyColumn, CUtils::FormatValue(event.peakFreq, CUtils::KindFrequency, 4));
    row->setTextAlignment(FrequencyColumn, Qt::AlignRight);
    row->setData(FrequencyColumn, Qt::UserRole, event.peakFreq);

    double level = event.level;
    g_DeviceThread.CorrectLevel(&level);
    row->setText(LevelColumn, CUtils::FormatValue(level, CUtils::KindLevel, 4));
    row->setTextAlignment(LevelColumn, Qt::AlignRight);
    row->setData(LevelColumn, Qt::UserRole, level);

    // The sector stores no number: the column sorts by its text.
    row->setText(SectorColumn, QString::number(event.iSwitch));
    row->setTextAlignment(SectorColumn, Qt::AlignCenter);

    row->setText(IdentColumn, QString::fromStdWString(event.ident));
    row->setTextAlignment(IdentColumn, Qt::AlignLeft);
    row->setData(IdentColumn, Qt::UserRole, event.startFreq);
    row->setData(IdentColumn, kBandEndRole, event.endFreq);
    return row;
}

void CMonitoringLogWindow::FillList()
{
    QTreeWidget* tree = m_ui->m_pLogTree;
    tree->clear();
    std::vector<MONITORING_EVENT> events;
    if (m_pMonitoring)
        m_pMonitoring->GetEvents(events);

    // The rows are all in before the box is shown: a refresh that runs while the box is open then
    // rebuilds a complete list instead of racing this pass.
    QList<QTreeWidgetItem*> rows;
    std::optional<int> announce;
    bool coreStatusClear = true;
    for (const MONITORING_EVENT& event : events)
    {
        if (!Passes(event))
            continue;
        rows.append(MakeRow(event));
        if (!m_bPopupShown && !announce)
        {
            coreStatusClear = m_pMonitoring->IsCoreStatusClear();
            if (event.iSwitch != 0 || !coreStatusClear)
                announce = event.iSwitch;
        }
    }
    tree->addTopLevelItems(rows);
    UpdateEventsLabel();

    if (announce)
    {
        m_bPopupShown = true;
        ShowNewEventBox(*announce, coreStatusClear);
    }
}

void CMonitoringLogWindow::UpdateEventsLabel()
{
    QString label = tr("%1 events").arg(m_ui->m_pLogTree->topLevelItemCount());
    if (m_Filter.Enabled)
        label += tr(" [filtered]");
    m_ui->m_pEventsLabel->setText(label);
}

void CMonitoringLogWindow::ShowNewEventBox(int sector, bool coreStatusClear)
{
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setStyleSheet(QStringLiteral(
        "QLabel{min-width:500 px; font-size: 48px;} QPushButton{ width:100px; font-size: 18px; }"));
    box.setText(coreStatusClear ? tr("You've got an event in the sector %1 !!!").arg(sector)
                                : tr("You've got an event!!!"));
    Prompt().Exec(box);
}

void CMonitoringLogWindow::setVisible(bool visible)
{
    if (visible)
        FillList();
    CQDockWindow::setVisible(visible);
}

void CMonitoringLogWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form's texts come back in the new language; the count is the list's, not the form's.
        m_ui->retranslateUi(this);
        UpdateEventsLabel();
    }
    CQDockWindow::changeEvent(event);
}

void CMonitoringLogWindow::OnRefreshButton()
{
    FillList();
}

void CMonitoringLogWindow::OnRefreshCheck(bool on)
{
    if (on)
        m_RefreshTimer.start(kRefreshMs);
    else
        m_RefreshTimer.stop();
}

void CMonitoringLogWindow::OnClearButton()
{
    if (m_pMonitoring)
        m_pMonitoring->ClearEvents();
    m_ui->m_pLogTree->clear();
    m_ui->m_pEventsLabel->setText(tr("0 events"));
    m_bPopupShown = false;
}

void CMonitoringLogWindow::OnFilterButton()
{
    CMonitoringLogFilterDialog dialog(m_Filter, nullptr);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    m_Filter = dialog.GetFilter();
    FillList();
}

CMonitoringLogWindow::RowValues CMonitoringLogWindow::ValuesOf(const QTreeWidgetItem& row)
{
    RowValues values;
    values.id = row.data(StartColumn, kIdRole).toUInt();
    values.startTime = row.data(StartColumn, Qt::UserRole).toLongLong();
    values.recordingPath = row.data(StartColumn, kRecordingRole).toString();
    values.channel = row.data(StartColumn, kChannelRole).toInt();
    values.frequency = row.data(FrequencyColumn, Qt::UserRole).toDouble();
    values.level = row.data(LevelColumn, Qt::UserRole).toDouble();
    values.bandStart = row.data(IdentColumn, Qt::UserRole).toDouble();
    values.bandEnd = row.data(IdentColumn, kBandEndRole).toDouble();
    return values;
}

QMenu* CMonitoringLogWindow::CreateContextMenu()
{
    // Whatever the operator does next, the list must not change under the menu.
    m_ui->m_pRefreshCheck->setChecked(false);
    m_Selection.clear();
    m_MenuCurrent.reset();
    for (const QTreeWidgetItem* row : m_ui->m_pLogTree->selectedItems())
        m_Selection.push_back(ValuesOf(*row));
    if (m_Selection.empty())
        return nullptr;
    if (const QTreeWidgetItem* current = m_ui->m_pLogTree->currentItem())
        m_MenuCurrent = ValuesOf(*current);
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add to Archive..."), this, &CMonitoringLogWindow::OnAddToArchiveAction);
    menu->addAction(tr("Delete..."), this, &CMonitoringLogWindow::OnDeleteAction);
    return menu;
}

void CMonitoringLogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    if (menu)
        menu->exec(event->globalPos());
}

void CMonitoringLogWindow::OnDeleteAction()
{
    if (!m_MenuCurrent || !m_pMonitoring)
        return;
    m_pMonitoring->RemoveEvent(m_MenuCurrent->id);
    m_MenuCurrent.reset();
    FillList();
}

void CMonitoringLogWindow::OnAddToArchiveAction()
{
    if (!m_pArchive || m_Selection.empty())
        return;
    CNewSignalEntryDialog dialog(-1, nullptr, m_pArchive);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    bool added = false;
    try
    {
        for (const RowValues& values : m_Selection)
        {
            ARCHIVE_SIGNAL_ENTRY entry;
            entry.Index = -1;
            entry.GroupIndex = dialog.m_nGroup;
            entry.Timestamp = values.startTime;
            entry.FreqBegin = values.bandStart * kHzPerMHz;
            entry.FreqEnd = values.bandEnd * kHzPerMHz;
            entry.FreqPeak = values.frequency * kHzPerMHz;
            entry.Level = values.level;
            entry.Excess = -1.0;
            entry.Comment = dialog.m_strComment.toStdWString();
            // The recording the event's task wrote, if any: the archive owns the files it registers and
            // deletes them with their last entry.
            entry.SignalRecordingNo = m_pArchive->AddRecording(values.recordingPath.toStdWString());
            entry.Channel = values.channel;
            entry.Source = kMonitoringSource;
            m_pArchive->AddSignal(entry);
            added = true;
        }
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(nullptr, AppName(), QString::fromLocal8Bit(error.what()));
    }
    if (added)
        emit saveArchive();
}

void CMonitoringLogWindow::OnSaveButton()
{
    const QString section = QStringLiteral("FilePaths");
    const QString key = QStringLiteral("MonitoringSave");
    const QString path = Prompt().GetSaveFileName(this, tr("Save Log As Web page"),
                                                  g_Parameters.GetString(section, key, QString()),
                                                  tr("Web pages (*.htm *.html)"));
    if (path.isEmpty())
        return;

    // The list as shown, under its own six headings.
    const QTreeWidget* tree = m_ui->m_pLogTree;
    CHtmlReport report(tr("Discovered signals"));
    QStringList headings;
    for (int column = 0; column < ColumnCount; ++column)
        headings << tree->headerItem()->text(column);
    report.AddRow(headings);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = tree->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << row->text(column);
        report.AddRow(cells);
    }
    if (!report.Save(path))
    {
        Prompt().Warning(this, AppName(), tr("Error saving monitoring results! "));
        return;
    }
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    g_Parameters.SetString(section, key, slash >= 0 ? path.left(slash) : QString());
}
