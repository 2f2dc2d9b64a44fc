#include "analysiswindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <exception>
#include <memory>

#include "analysislegenddialog.h"
#include "analysisoptionsdialog.h"
#include "devicethread.h"
#include "doubletreewidgetitem.h"
#include "globals.h"
#include "htmlreport.h"
#include "isimplegraphic.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "prompt.h"
#include "utils.h"

namespace
{
constexpr int kPollMs = 500;
constexpr int kColumnWidth = 100;
constexpr int kDeletedStatus = 255;
constexpr int kNewStatus = 2;
constexpr int kGoneStatus = 3;
// Archive entries filed from here: the source is the full-range analysis, the channel the current
// input type.
constexpr int kArchiveSource = 1;
constexpr int kCurrentChannel = -1;
constexpr double kHzPerMHz = 1000000.0;
const QString kAnalysis = QStringLiteral("Analysis");

enum Column
{
    FrequencyColumn,
    LevelColumn,
    ExcessColumn,
    IdentColumn,
};

QString AppName()
{
    return QCoreApplication::applicationName();
}
}  // namespace

CAnalysisWindow::CAnalysisWindow(IGraphic* spectrumPane, QWidget* parent, IAnalysis* analysis)
    : CQDockWindow(QStringLiteral("AnalysisWindow"), parent),
      m_pSpectrumPane(spectrumPane),
      m_pAnalysis(analysis ? analysis : g_DeviceThread.m_pAnalysis)
{
    qRegisterMetaType<std::vector<ANALYSIS_RESULT_ITEM>>();
    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    ui.m_pTreeWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.m_pTreeWidget, &QWidget::customContextMenuRequested, this,
            &CAnalysisWindow::OnTreeContextMenu);
    connect(ui.m_pTreeWidget, &QTreeWidget::itemSelectionChanged, this,
            &CAnalysisWindow::OnTreeItemSelectionChanged);
    SetHeaderLabels();
    connect(&m_ResultTimer, &QTimer::timeout, this, &CAnalysisWindow::OnCheckResultTimer);
    connect(ui.m_pAnalyzeButton, &QPushButton::clicked, this, &CAnalysisWindow::OnAnalyzeButton);
    connect(ui.m_pOptionsButton, &QPushButton::clicked, this, &CAnalysisWindow::OnOptionsButton);
    connect(ui.m_pSaveButton, &QPushButton::clicked, this, &CAnalysisWindow::OnSaveButton);
    connect(ui.m_pClearButton, &QPushButton::clicked, this, &CAnalysisWindow::OnClearButton);
    connect(ui.m_pLegendButton, &QPushButton::clicked, this, &CAnalysisWindow::OnLegendButton);
    ui.m_pTreeWidget->setStyleSheet(
        QStringLiteral("QTreeWidget { background: rgb(200,200,200); color: black }"));
}

CAnalysisWindow::~CAnalysisWindow() = default;

void CAnalysisWindow::SetHeaderLabels()
{
    const QStringList labels = {tr("Frequency"), tr("Level"), tr("Excess"), tr("Ident")};
    ui.m_pTreeWidget->setColumnCount(labels.size());
    ui.m_pTreeWidget->setHeaderLabels(labels);
    for (int column = 0; column < labels.size(); ++column)
        ui.m_pTreeWidget->setColumnWidth(column, kColumnWidth);
}

void CAnalysisWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        SetHeaderLabels();
        return;
    }
    CQDockWindow::changeEvent(event);
}

void CAnalysisWindow::setVisible(bool visible)
{
    CQDockWindow::setVisible(visible);
    ApplyOptions(visible);
}

std::vector<ANALYSIS_RESULT_ITEM> CAnalysisWindow::Results() const
{
    if (m_bCleared || !m_pAnalysis)
        return {};
    return m_pAnalysis->GetResults();
}

ANALYSIS_RESULT_ITEM* CAnalysisWindow::ResultAt(int index) const
{
    if (m_bCleared || !m_pAnalysis || index < 0)
        return nullptr;
    std::vector<ANALYSIS_RESULT_ITEM>& results = m_pAnalysis->GetResults();
    return static_cast<size_t>(index) < results.size() ? &results[static_cast<size_t>(index)] : nullptr;
}

int CAnalysisWindow::RowIndex(const QTreeWidgetItem* row)
{
    return row ? row->data(IdentColumn, Qt::UserRole).toInt() : -1;
}

std::vector<int> CAnalysisWindow::SelectedIndexes() const
{
    std::vector<int> indexes;
    for (const QTreeWidgetItem* row : ui.m_pTreeWidget->selectedItems())
        indexes.push_back(RowIndex(row));
    return indexes;
}

int CAnalysisWindow::CurrentIndex() const
{
    return RowIndex(ui.m_pTreeWidget->currentItem());
}

void CAnalysisWindow::ClearResults()
{
    m_pAnalysis->ClearResults();
    m_bCleared = true;
    ui.m_pTreeWidget->clear();
}

void CAnalysisWindow::ApplyOptions(bool refresh)
{
    if (!refresh)
        return;
    FillTree();
    emit analysisFinished(Results());

    const int type = g_Parameters.GetInt(kAnalysis, QStringLiteral("TypeSquelch"), 0);
    const double value1 = g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue1"), 0.0);
    const double value2 = g_Parameters.GetDouble(kAnalysis, QStringLiteral("SquelchValue2"), 0.0);
    const int averaging = g_Parameters.GetInt(kAnalysis, QStringLiteral("AverValue"), 0);
    const bool merge = g_Parameters.GetInt(kAnalysis, QStringLiteral("DoMerge"), 0) != 0;
    const bool useHysteresis = g_Parameters.GetInt(kAnalysis, QStringLiteral("UseHysteresis"), 0) != 0;
    const double hysteresis = g_Parameters.GetDouble(kAnalysis, QStringLiteral("Hysteresis"), 0.0);
    m_pAnalysis->SetParameters(type, value1, value2, averaging, useHysteresis ? hysteresis : 0.0, merge,
                               CAnalysisOptionsDialog::StoredRegion());
}

void CAnalysisWindow::FillTree()
{
    ui.m_pTreeWidget->clear();
    try
    {
        FillRows();
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(this, AppName(),
                          tr("Failed to fill the list of results!") + QStringLiteral(" ") +
                              QString::fromLocal8Bit(error.what()));
    }
}

void CAnalysisWindow::FillRows()
{
    const std::vector<ANALYSIS_RESULT_ITEM> results = Results();
    for (size_t i = 0; i < results.size(); ++i)
    {
        if (results[i].endFreq > m_dUpperLimit)
            continue;
        AddResultItem(static_cast<int>(i), results[i]);
    }
    // Whatever order the operator chose last, a refill shows the column ascending.
    ui.m_pTreeWidget->sortByColumn(ui.m_pTreeWidget->sortColumn(), Qt::AscendingOrder);
}

void CAnalysisWindow::AddResultItem(int index, const ANALYSIS_RESULT_ITEM& item)
{
    if (item.peakFreq == 0.0 || item.status == kDeletedStatus || item.startFreq == item.endFreq)
        return;
    auto* row = new CQDoubleTreeWidgetItem;
    const QColor& colour = item.status == kNewStatus
                               ? m_NewColor
                               : (item.status == kGoneStatus ? m_DeleteColor : m_UnchangedColor);
    row->setBackground(FrequencyColumn, colour);
    row->setText(FrequencyColumn, CUtils::FormatValue(item.peakFreq, CUtils::KindFrequency, 4));
    row->setData(FrequencyColumn, Qt::UserRole, item.peakFreq);
    row->setText(LevelColumn, CUtils::FormatValue(item.level, CUtils::KindLevel, 4));
    row->setData(LevelColumn, Qt::UserRole, item.level);
    row->setText(ExcessColumn, CUtils::FormatValue(item.excess, CUtils::KindLevel, 4));
    row->setData(ExcessColumn, Qt::UserRole, item.excess);
    // The index orders the rows by their place in the library's list when sorted by this column.
    row->setText(IdentColumn, QString::fromStdWString(item.ident));
    row->setData(IdentColumn, Qt::UserRole, index);
    for (int column = FrequencyColumn; column <= ExcessColumn; ++column)
        row->setTextAlignment(column, Qt::AlignCenter);
    ui.m_pTreeWidget->addTopLevelItem(row);
}

void CAnalysisWindow::OnAnalyzeButton()
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> knownRanges;
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    for (int i = 0; templates && i < templates->GetCount(); ++i)
    {
        const TEMPLATE_ITEM& item = templates->Get(i);
        if (item.enabled)
            knownRanges.insert(knownRanges.end(), item.entries.begin(), item.entries.end());
    }
    auto* pane = dynamic_cast<ISimpleGraphic*>(m_pSpectrumPane);
    const std::vector<double>* spectrum = pane ? pane->GetData(1) : nullptr;
    if (spectrum)
    {
        m_pAnalysis->Start(*spectrum, knownRanges, false, *spectrum);
        m_bCleared = false;
    }
    m_ResultTimer.start(kPollMs);
}

void CAnalysisWindow::OnCheckResultTimer()
{
    if (!m_pAnalysis->IsFinished())
        return;
    m_ResultTimer.stop();
    FillTree();
    emit analysisFinished(Results());
}

void CAnalysisWindow::OnOptionsButton()
{
    CAnalysisOptionsDialog dialog(0, nullptr, m_pAnalysis);
    connect(&dialog, &CAnalysisOptionsDialog::applyPressed, this, &CAnalysisWindow::OnApplyPressed);
    Prompt().Exec(dialog);
}

void CAnalysisWindow::OnApplyPressed()
{
    emit thresholdVisibilityChanged(g_Parameters.GetInt(kAnalysis, QStringLiteral("ShowAveraging"), 0) != 0);
    FillTree();
}

void CAnalysisWindow::OnLegendButton()
{
    CAnalysisLegendDialog dialog(nullptr);
    dialog.m_UnchangedColor = m_UnchangedColor;
    dialog.m_NewColor = m_NewColor;
    dialog.m_DeleteColor = m_DeleteColor;
    Prompt().Exec(dialog);
}

void CAnalysisWindow::OnSaveButton()
{
    const QString section = QStringLiteral("FilePaths");
    const QString key = QStringLiteral("AnalysisSave");
    const QString path = Prompt().GetSaveFileName(this, tr("Save Results As Web page"),
                                                  g_Parameters.GetString(section, key, QString()),
                                                  tr("Web pages (*.htm *.html)"));
    if (path.isEmpty())
        return;

    // The list as shown: its rows in their present order, the texts with their units.
    const QTreeWidget* tree = ui.m_pTreeWidget;
    CHtmlReport report(tr("Detected frequencies"));
    report.AddRow({tr("Freq"), tr("Level"), tr("Excess"), tr("Ident")});
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = tree->topLevelItem(i);
        report.AddRow({row->text(FrequencyColumn), row->text(LevelColumn), row->text(ExcessColumn),
                       row->text(IdentColumn)},
                      row->background(FrequencyColumn).color().name());
    }
    if (!report.Save(path))
    {
        Prompt().Critical(this, AppName(), tr("Failed open the file for writing!"));
        return;
    }
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    g_Parameters.SetString(section, key, slash >= 0 ? path.left(slash) : QString());
}

void CAnalysisWindow::OnClearButton()
{
    ClearResults();
    emit analysisFinished({});
}

QMenu* CAnalysisWindow::CreateContextMenu()
{
    if (!ResultAt(CurrentIndex()))
        return nullptr;
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add to Archive..."), this, &CAnalysisWindow::OnAddToArchive);
    menu->addAction(tr("Delete Record"), this, &CAnalysisWindow::OnDeleteRecordMenu);
    if (ui.m_pTreeWidget->selectedItems().size() == 1)
    {
        menu->addSeparator();
        menu->addAction(tr("Goto 2nd Harmonic"), this, &CAnalysisWindow::OnGoto2ndHarmMenu);
        menu->addAction(tr("Goto 3rd Harmonic"), this, &CAnalysisWindow::OnGoto3rdHarmMenu);
    }
    return menu;
}

void CAnalysisWindow::OnTreeContextMenu(const QPoint& pos)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    if (menu)
        menu->exec(ui.m_pTreeWidget->mapToGlobal(pos));
}

void CAnalysisWindow::OnTreeItemSelectionChanged()
{
    const QTreeWidgetItem* row = ui.m_pTreeWidget->currentItem();
    if (!row || RowIndex(row) == -1)
        return;
    emit freqChange(row->data(FrequencyColumn, Qt::UserRole).toDouble(), 0.0);
}

void CAnalysisWindow::GotoHarmonic(int harmonic)
{
    if (const ANALYSIS_RESULT_ITEM* result = ResultAt(CurrentIndex()))
        emit freqChange(harmonic * result->peakFreq, 0.0);
}

void CAnalysisWindow::OnGoto2ndHarmMenu()
{
    GotoHarmonic(2);
}

void CAnalysisWindow::OnGoto3rdHarmMenu()
{
    GotoHarmonic(3);
}

// The rows are read before any question: the result poll may refill the list while it is open.
void CAnalysisWindow::OnDeleteRecordMenu()
{
    const std::vector<int> indexes = SelectedIndexes();
    if (Prompt().Question(this, AppName(), tr("Do you really want to delete selected items?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    for (const int index : indexes)
    {
        if (ANALYSIS_RESULT_ITEM* result = ResultAt(index))
            result->status = kDeletedStatus;
    }
    FillTree();
    emit analysisFinished(Results());
}

void CAnalysisWindow::OnAddCommentMenu()
{
    const int index = CurrentIndex();
    const ANALYSIS_RESULT_ITEM* current = ResultAt(index);
    if (!current)
        return;
    bool ok = false;
    const QString comment = Prompt().GetText(this, tr("Set Comment"), tr("Comment:"), QLineEdit::Normal,
                                             QString::fromStdWString(current->ident), &ok);
    if (!ok)
        return;
    if (ANALYSIS_RESULT_ITEM* result = ResultAt(index))
        result->ident = comment.toStdWString();
    FillTree();
}

void CAnalysisWindow::OnAddToArchive()
{
    const std::vector<int> indexes = SelectedIndexes();
    CNewSignalEntryDialog dialog(-1, nullptr);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    // The dialog's recording choices have no use here.
    for (const int index : indexes)
    {
        if (const ANALYSIS_RESULT_ITEM* result = ResultAt(index))
            emit addArchiveEntry(dialog.m_nGroup, dialog.m_strComment, result->startFreq * kHzPerMHz,
                                 result->endFreq * kHzPerMHz, result->peakFreq * kHzPerMHz, result->level,
                                 result->excess, kArchiveSource, kCurrentChannel);
    }
}
