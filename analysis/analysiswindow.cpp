#include "analysiswindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"
#include "isimplegraphic.h"
#include "parameters.h"
#include "utils.h"

namespace
{
constexpr int kPollMs = 500;
constexpr int kColumnWidth = 100;
constexpr int kDeletedStatus = 255;
constexpr int kNewStatus = 2;
constexpr int kGoneStatus = 3;
const QString kAnalysis = QStringLiteral("Analysis");

enum Column
{
    FrequencyColumn,
    LevelColumn,
    ExcessColumn,
    IdentColumn,
};
}  // namespace

CAnalysisWindow::CAnalysisWindow(IGraphic* spectrumPane, QWidget* parent)
    : CQDockWindow(QStringLiteral("AnalysisWindow"), parent), m_pSpectrumPane(spectrumPane)
{
    qRegisterMetaType<std::vector<ANALYSIS_RESULT_ITEM>>();
    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    resize(530, 500);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    m_pAnalyzeButton = new QPushButton(content);
    m_pAnalyzeButton->setObjectName(QStringLiteral("m_pAnalyzeButton"));
    m_pClearButton = new QPushButton(content);
    m_pClearButton->setObjectName(QStringLiteral("m_pClearButton"));
    buttons->addWidget(m_pAnalyzeButton);
    buttons->addWidget(m_pClearButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_pTreeWidget = new QTreeWidget(content);
    m_pTreeWidget->setObjectName(QStringLiteral("m_pTreeWidget"));
    m_pTreeWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTreeWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTreeWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTreeWidget->setRootIsDecorated(false);
    m_pTreeWidget->setItemsExpandable(false);
    m_pTreeWidget->setStyleSheet(
        QStringLiteral("QTreeWidget { background: rgb(200,200,200); color: black }"));
    layout->addWidget(m_pTreeWidget, 1);
    setWidget(content);
    RetranslateUi();

    connect(m_pTreeWidget, &QTreeWidget::itemSelectionChanged, this,
            &CAnalysisWindow::OnTreeItemSelectionChanged);
    connect(&m_ResultTimer, &QTimer::timeout, this, &CAnalysisWindow::OnCheckResultTimer);
    connect(m_pAnalyzeButton, &QPushButton::clicked, this, &CAnalysisWindow::OnAnalyzeButton);
    connect(m_pClearButton, &QPushButton::clicked, this, &CAnalysisWindow::OnClearButton);
}

CAnalysisWindow::~CAnalysisWindow() = default;

void CAnalysisWindow::RetranslateUi()
{
    setWindowTitle(tr("Full Range Analysis"));
    m_pAnalyzeButton->setText(tr("Analyze"));
    m_pClearButton->setText(tr("Clear"));
    const QStringList labels = {tr("Frequency"), tr("Level"), tr("Excess"), tr("Ident")};
    m_pTreeWidget->setColumnCount(labels.size());
    m_pTreeWidget->setHeaderLabels(labels);
    for (int column = 0; column < labels.size(); ++column)
        m_pTreeWidget->setColumnWidth(column, kColumnWidth);
}

void CAnalysisWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    CQDockWindow::changeEvent(event);
}

void CAnalysisWindow::setVisible(bool visible)
{
    CQDockWindow::setVisible(visible);
    ApplyOptions(visible);
}

std::vector<ANALYSIS_RESULT_ITEM> CAnalysisWindow::Results() const
{
    if (m_bCleared || !g_DeviceThread.m_pAnalysis)
        return {};
    return g_DeviceThread.m_pAnalysis->GetResults();
}

void CAnalysisWindow::ClearResults()
{
    g_DeviceThread.m_pAnalysis->ClearResults();
    m_bCleared = true;
    m_pTreeWidget->clear();
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
    // The region belongs to the known-frequency ranges window, which keeps it as a plain key.
    const int region = QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                           .value(QStringLiteral("KnownFreqRanges2/Country"), 0)
                           .toInt();
    g_DeviceThread.m_pAnalysis->SetParameters(type, value1, value2, averaging,
                                              useHysteresis ? hysteresis : 0.0, merge, region);
}

void CAnalysisWindow::FillTree()
{
    m_pTreeWidget->clear();
    const std::vector<ANALYSIS_RESULT_ITEM> results = Results();
    for (size_t i = 0; i < results.size(); ++i)
    {
        if (results[i].endFreq > m_dUpperLimit)
            continue;
        AddResultItem(static_cast<int>(i), results[i]);
    }
}

void CAnalysisWindow::AddResultItem(int index, const ANALYSIS_RESULT_ITEM& item)
{
    if (item.peakFreq == 0.0 || item.status == kDeletedStatus || item.startFreq == item.endFreq)
        return;
    auto* row = new QTreeWidgetItem;
    row->setText(FrequencyColumn, CUtils::FormatValue(item.peakFreq, CUtils::KindFrequency, 4));
    row->setData(FrequencyColumn, Qt::UserRole, item.peakFreq);
    const QColor& colour = item.status == kNewStatus
                               ? m_NewColor
                               : (item.status == kGoneStatus ? m_DeleteColor : m_UnchangedColor);
    row->setBackground(FrequencyColumn, colour);
    row->setText(LevelColumn, CUtils::FormatValue(item.level, CUtils::KindLevel, 4));
    row->setData(LevelColumn, Qt::UserRole, item.level);
    row->setText(ExcessColumn, CUtils::FormatValue(item.excess, CUtils::KindLevel, 4));
    row->setText(IdentColumn, QString::fromStdWString(item.ident));
    row->setData(IdentColumn, Qt::UserRole, index);
    for (int column = FrequencyColumn; column <= ExcessColumn; ++column)
        row->setTextAlignment(column, Qt::AlignCenter);
    m_pTreeWidget->addTopLevelItem(row);
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
        g_DeviceThread.m_pAnalysis->Start(*spectrum, knownRanges, false, *spectrum);
        m_bCleared = false;
    }
    m_ResultTimer.start(kPollMs);
}

void CAnalysisWindow::OnCheckResultTimer()
{
    if (!g_DeviceThread.m_pAnalysis->IsFinished())
        return;
    m_ResultTimer.stop();
    FillTree();
    emit analysisFinished(Results());
}

void CAnalysisWindow::OnClearButton()
{
    ClearResults();
    emit analysisFinished({});
}

void CAnalysisWindow::OnTreeItemSelectionChanged()
{
    const QTreeWidgetItem* row = m_pTreeWidget->currentItem();
    if (!row || row->data(IdentColumn, Qt::UserRole).toInt() == -1)
        return;
    emit freqChange(row->data(FrequencyColumn, Qt::UserRole).toDouble(), 0.0);
}
