#include "pulselogwindow.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <memory>

#include "devicethread.h"
#include "doubletreewidgetitem.h"
#include "globals.h"
#include "htmlreport.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "prompt.h"
#include "pulselogfilterdialog.h"
#include "utils.h"

namespace
{
const QString kDockName = QStringLiteral("PulseLog");
const QString kWindowSection = QStringLiteral("PulseLogWindow");
const QString kAutorefresh = QStringLiteral("Autorefresh");
constexpr int kColumnCount = 5;
constexpr int kFirstStartWidth = 120;
constexpr int kLeastWidth = 70;
constexpr int kRefreshMs = 10000;
constexpr int kEnvelopeRole = Qt::UserRole + 1;
constexpr double kHzPerMHz = 1000000.0;
// Archive entries filed from here come from the pulse detector; their level and excess are not
// measured against a threshold.
constexpr int kArchiveSource = 3;
constexpr double kNotMeasured = -1.0;

enum Column
{
    TimeColumn,
    FrequencyColumn,
    PulseDurationColumn,
    SignalDurationColumn,
    LevelColumn,
};

QString ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}

QString AppName()
{
    return QCoreApplication::applicationName();
}
}  // namespace

CPulseLogWindow::CPulseLogWindow(QWidget* parent, IPulseDetect* detector)
    : CQDockWindow(kDockName, parent), m_pDetector(detector)
{
    // The window always starts hidden, whatever was stored.
    g_Parameters.SetInt(kDockName, QStringLiteral("Visible"), 0);
    ui.setupUi(this);

    if (!g_Parameters.HasKey(kWindowSection, ColumnKey(0)))
    {
        for (int column = 0; column < kColumnCount; ++column)
            g_Parameters.SetInt(kWindowSection, ColumnKey(column), kFirstStartWidth);
        g_Parameters.SetInt(kWindowSection, kAutorefresh, 1);
    }
    for (int column = 0; column < kColumnCount; ++column)
        ui.m_pPulseLogTree->setColumnWidth(
            column, std::max(kLeastWidth, g_Parameters.GetInt(kWindowSection, ColumnKey(column), 0)));

    connect(ui.m_pFilterButton, &QPushButton::clicked, this, &CPulseLogWindow::OnFilterButton);
    connect(ui.m_pClearButton, &QPushButton::clicked, this, &CPulseLogWindow::OnClearButton);
    connect(ui.m_pSaveButton, &QPushButton::clicked, this, &CPulseLogWindow::OnSaveButton);
    connect(ui.m_pRefreshButton, &QPushButton::clicked, this, &CPulseLogWindow::OnRefreshButton);
    connect(ui.m_pRefreshCheck, &QCheckBox::toggled, this, &CPulseLogWindow::OnRefreshCheck);
    connect(ui.m_pPulseLogTree, &QTreeWidget::itemClicked, this, &CPulseLogWindow::OnItemClicked);
    connect(&m_RefreshTimer, &QTimer::timeout, this, &CPulseLogWindow::FillList);

    // Connected already: checking it starts the refresh.
    ui.m_pRefreshCheck->setChecked(g_Parameters.GetInt(kWindowSection, kAutorefresh, 0) != 0);
    m_Filter = LoadPulseLogFilter(kDockName);
    ui.m_pPulseLogTree->sortByColumn(TimeColumn, Qt::AscendingOrder);
}

CPulseLogWindow::~CPulseLogWindow()
{
    for (int column = 0; column < kColumnCount; ++column)
        g_Parameters.SetInt(kWindowSection, ColumnKey(column), ui.m_pPulseLogTree->columnWidth(column));
    g_Parameters.SetInt(kWindowSection, kAutorefresh, ui.m_pRefreshCheck->isChecked() ? 1 : 0);
    SavePulseLogFilter(kDockName, m_Filter);
}

void CPulseLogWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        // The form's label text is the empty list's; the count stays the list's.
        ShowCount();
        return;
    }
    CQDockWindow::changeEvent(event);
}

void CPulseLogWindow::setVisible(bool visible)
{
    if (visible)
        FillList();
    CQDockWindow::setVisible(visible);
}

IPulseDetect* CPulseLogWindow::Detector() const
{
    return m_pDetector ? m_pDetector : g_DeviceThread.m_pPulseDetect;
}

bool CPulseLogWindow::PassesFilter(const PULSE_ITEM& pulse) const
{
    return PassesPulseLogFilter(m_Filter, pulse);
}

QString CPulseLogWindow::SignalDurationText(int64_t seconds)
{
    return CUtils::FormatDuration(seconds);
}

void CPulseLogWindow::AddPulseRow(const PULSE_ITEM& pulse)
{
    auto* row = new CQDoubleTreeWidgetItem;
    const int64_t length = pulse.endTime - pulse.startTime;
    row->setText(
        TimeColumn,
        QDateTime::fromSecsSinceEpoch(pulse.startTime).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    row->setData(TimeColumn, Qt::UserRole, static_cast<qlonglong>(pulse.startTime));
    QVariantList envelope;
    envelope.reserve(static_cast<int>(pulse.envelope.size()));
    for (const double value : pulse.envelope)
        envelope.append(value);
    row->setData(TimeColumn, kEnvelopeRole, envelope);
    row->setText(FrequencyColumn, CUtils::FormatValue(pulse.frequency, CUtils::KindFrequency, 4));
    row->setData(FrequencyColumn, Qt::UserRole, pulse.frequency);
    row->setText(PulseDurationColumn, CUtils::FormatValue(pulse.duration / 1000.0, CUtils::KindTime, 3));
    row->setData(PulseDurationColumn, Qt::UserRole, pulse.duration);
    row->setText(SignalDurationColumn, SignalDurationText(length));
    row->setData(SignalDurationColumn, Qt::UserRole, static_cast<qlonglong>(length));
    row->setText(LevelColumn, CUtils::FormatValue(pulse.level, CUtils::KindVoltage, 3));
    row->setData(LevelColumn, Qt::UserRole, pulse.level);
    for (int column = 0; column < kColumnCount; ++column)
        row->setTextAlignment(column, Qt::AlignCenter);
    ui.m_pPulseLogTree->addTopLevelItem(row);
}

void CPulseLogWindow::ShowCount()
{
    const int shown = ui.m_pPulseLogTree->topLevelItemCount();
    ui.m_pEventsLabel->setText(m_Filter.enabled ? tr("%1 events filtered").arg(shown)
                                                : tr("%1 events").arg(shown));
}

void CPulseLogWindow::FillList()
{
    QTreeWidget* tree = ui.m_pPulseLogTree;
    tree->clear();
    std::vector<PULSE_ITEM> pulses;
    if (IPulseDetect* detector = Detector())
        detector->GetPulses(pulses);
    for (const PULSE_ITEM& pulse : pulses)
    {
        if (PassesFilter(pulse))
            AddPulseRow(pulse);
    }
    // The tree sorts new rows only on its next event; the list is in order at once.
    tree->sortItems(tree->sortColumn(), tree->header()->sortIndicatorOrder());
    ShowCount();
}

void CPulseLogWindow::OnRefreshButton()
{
    FillList();
}

void CPulseLogWindow::OnRefreshCheck(bool checked)
{
    if (checked)
        m_RefreshTimer.start(kRefreshMs);
    else
        m_RefreshTimer.stop();
}

void CPulseLogWindow::OnItemClicked(QTreeWidgetItem* item, int /*column*/)
{
    if (!item)
        return;
    std::vector<double> envelope;
    for (const QVariant& value : item->data(TimeColumn, kEnvelopeRole).toList())
    {
        bool ok = false;
        const double sample = value.toDouble(&ok);
        if (ok)
            envelope.push_back(sample);
    }
    if (!envelope.empty())
        emit viewPulse(envelope);
}

void CPulseLogWindow::OnClearButton()
{
    if (IPulseDetect* detector = Detector())
        detector->ClearPulses();
    ui.m_pPulseLogTree->clear();
    ui.m_pEventsLabel->setText(tr("%1 events").arg(0));
}

void CPulseLogWindow::OnFilterButton()
{
    CPulseLogFilterDialog dialog(nullptr);
    connect(&dialog, &CPulseLogFilterDialog::applyFilter, this, &CPulseLogWindow::OnApplyFilter);
    dialog.m_Filter = m_Filter;
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    m_Filter = dialog.m_Filter;
    FillList();
}

void CPulseLogWindow::OnApplyFilter(CPulseLogFilterDialog* dialog)
{
    m_Filter = dialog->m_Filter;
    FillList();
}

QMenu* CPulseLogWindow::CreateContextMenu()
{
    ui.m_pRefreshCheck->setChecked(false);
    if (ui.m_pPulseLogTree->selectedItems().isEmpty())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add to Archive..."), this, &CPulseLogWindow::OnAddToArchive);
    menu->addSeparator();
    menu->addAction(tr("Clear..."), this, &CPulseLogWindow::OnClearButton);
    menu->addAction(tr("Save..."), this, &CPulseLogWindow::OnSaveButton);
    return menu;
}

void CPulseLogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    if (menu)
        menu->exec(event->globalPos());
    event->accept();
}

QString CPulseLogWindow::ImagePath(const QString& folder, int64_t startTime)
{
    const QString stem =
        folder + QLatin1Char('/') +
        QDateTime::fromSecsSinceEpoch(startTime).toString(QStringLiteral("yyyyMMddhhmmsszzz")) +
        QStringLiteral("_rod");
    QString path = stem + QStringLiteral(".img");
    for (int counter = 2; QFileInfo::exists(path); ++counter)
        path = stem + QStringLiteral("_%1.img").arg(counter);
    return path;
}

void CPulseLogWindow::OnAddToArchive()
{
    // The row is read before the dialog: a refresh while it is open would take the row away.
    const QTreeWidgetItem* row = ui.m_pPulseLogTree->currentItem();
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    if (!row || !archive)
        return;
    const int64_t startTime = row->data(TimeColumn, Qt::UserRole).toLongLong();
    const double freqMHz = row->data(FrequencyColumn, Qt::UserRole).toDouble();
    const double level = row->data(LevelColumn, Qt::UserRole).toDouble();

    CNewSignalEntryDialog dialog(-1, nullptr);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    // The dialog's recording choices have no use here.
    const QString imagePath = ImagePath(QString::fromStdWString(archive->GetFolder()), startTime);
    // The receiver writes the oscillogram to the file before the emit returns.
    emit savePulse(imagePath);

    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Index = -1;
    entry.GroupIndex = dialog.m_nGroup;
    entry.Timestamp = startTime;
    entry.FreqBegin = freqMHz * kHzPerMHz;
    entry.FreqEnd = freqMHz * kHzPerMHz;
    entry.FreqPeak = freqMHz * kHzPerMHz;
    entry.Level = level;
    entry.Excess = kNotMeasured;
    entry.Comment = dialog.m_strComment.toStdWString();
    entry.RangeImageFile = imagePath.toStdWString();
    entry.SignalRecordingNo = -1;
    entry.Channel = g_DeviceThread.GetChannelType();
    entry.Source = kArchiveSource;
    try
    {
        archive->AddSignal(entry);
    }
    catch (const std::exception& error)
    {
        // A slot: the archive's refusal must not reach the event loop.
        Prompt().Warning(this, AppName(), QString::fromLocal8Bit(error.what()));
        return;
    }
    // Kept only in memory, the entry would be gone if the program ended before the next save.
    emit saveArchive();
}

void CPulseLogWindow::OnSaveButton()
{
    const QString section = QStringLiteral("FilePaths");
    const QString key = QStringLiteral("PulseLogSave");
    const QString path = Prompt().GetSaveFileName(this, tr("Save Log As Web page"),
                                                  g_Parameters.GetString(section, key, QString()),
                                                  tr("Web pages (*.htm *.html)"));
    if (path.isEmpty())
        return;

    // The list as shown: the rows that passed the filter, in their present order.
    const QTreeWidget* tree = ui.m_pPulseLogTree;
    const QTreeWidgetItem* header = tree->headerItem();
    QStringList titles;
    for (int column = 0; column < kColumnCount; ++column)
        titles.append(header->text(column));
    CHtmlReport report(tr("Discovered signals"));
    report.AddRow(titles);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = tree->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < kColumnCount; ++column)
            cells.append(row->text(column));
        report.AddRow(cells);
    }
    if (!report.Save(path))
    {
        Prompt().Warning(this, AppName(), tr("Error saving pulse detection results!"));
        return;
    }
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    g_Parameters.SetString(section, key, slash >= 0 ? path.left(slash) : path);
}
