#include "knownfreqrangeswindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

#include "bandtables.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "inputknownfreqrange.h"
#include "knownfreqregionfile.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
// The regions' names as the form gives them, before translation: the files are named after these, so
// a language change finds the operator's lists again.
const char* const kRegionNames[] = {"Russia", "North America (USA, Canada, Mexico, etc.)", "Other"};
constexpr int kRegionCount = 3;
const char kFormContext[] = "CKnownFreqRangesWindowClass";

QString CountryKey()
{
    return QStringLiteral("KnownFreqRanges/Country");
}

QString AnalysisKey()
{
    return QStringLiteral("KnownFreqRanges/Analysis");
}

QSettings PlainKeys()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat);
}

QString DataFolder()
{
    return QFileInfo(g_Parameters.FilePath()).absolutePath();
}

QString RegionFileOf(const QString& regionName)
{
    return DataFolder() + QStringLiteral("/regionfreq_") + regionName + QStringLiteral(".xml");
}

// A file that does not parse is kept next to itself before anything can overwrite it.
void KeepAside(const QString& path)
{
    const QString aside = path + QStringLiteral(".bad-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::copy(path, aside))
        qWarning("Could not keep the unreadable %s aside", qUtf8Printable(path));
}

KNOWN_FREQ_RANGE RangeOf(const CInputKnownFreqRange& dialog)
{
    KNOWN_FREQ_RANGE range;
    range.Name = dialog.m_Name.toStdWString();
    range.StartFreq = dialog.m_StartFreq;
    range.EndFreq = dialog.m_EndFreq;
    range.Band = dialog.m_Band;
    range.Step = dialog.m_Step;
    range.StartChannel = dialog.m_StartChannel;
    range.EndChannel = dialog.m_EndChannel;
    range.Averaging = dialog.m_Averaging;
    return range;
}

QString Shown(double value)
{
    return QString::number(value, 'g', 6);
}
}  // namespace

CKnownFreqRangesWindow::CKnownFreqRangesWindow(QWidget* parent, IKnownFreqDetect* detector)
    : CQDockWindow(QStringLiteral("KnownFreqRangesWindow"), parent),
      m_pDetector(detector ? detector : g_DeviceThread.m_pKnownFreq1)
{
    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    ui.m_pTreeWidget->setColumnWidth(0, 20);
    ui.m_pTreeWidget->setColumnWidth(1, 150);

    connect(ui.m_pMobileButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnMobileButton);
    connect(ui.m_pBaseButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnBaseButton);
    connect(ui.m_pAddButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnAddButton);
    connect(ui.m_pEditButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnEditButton);
    connect(ui.m_pDeleteButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnDeleteButton);
    connect(ui.m_pClearButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnClearButton);
    connect(ui.m_pDefaultsButton, &QPushButton::clicked, this, [this] { OnDefaultsButton(); });
    connect(ui.m_pTreeWidget, &QTreeWidget::itemActivated, this,
            &CKnownFreqRangesWindow::OnTreeItemActivated);
    connect(ui.m_pTreeWidget, &QTreeWidget::itemClicked, this, &CKnownFreqRangesWindow::OnTreeItemClicked);
    connect(ui.m_pCountryCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CKnownFreqRangesWindow::OnCountryComboChanged);
    connect(ui.m_pAnalysisCheckBox, &QCheckBox::clicked, this, &CKnownFreqRangesWindow::OnAnalysisCheckBox);

    {
        QSettings keys = PlainKeys();
        if (!keys.contains(CountryKey()))
            keys.setValue(CountryKey(), 0);
        const int stored = keys.value(CountryKey(), 0).toInt();
        // A stored region outside the list counts as the first one.
        m_nRegion = stored >= 0 && stored < kRegionCount ? stored : 0;
        ui.m_pAnalysisCheckBox->setChecked(keys.value(AnalysisKey(), false).toBool());
    }
    // A region other than the first loads through the combo's signal.
    ui.m_pCountryCombo->setCurrentIndex(m_nRegion);
    if (m_nRegion == 0)
        LoadRegion();
    ui.label->hide();
    ui.m_pAnalysisCheckBox->hide();
}

CKnownFreqRangesWindow::~CKnownFreqRangesWindow()
{
    PlainKeys().setValue(CountryKey(), ui.m_pCountryCombo->currentIndex());
}

QString CKnownFreqRangesWindow::RegionFilePath(int region)
{
    return RegionFileOf(QLatin1String(kRegionNames[std::clamp(region, 0, kRegionCount - 1)]));
}

void CKnownFreqRangesWindow::changeEvent(QEvent* event)
{
    // Only the texts change: the list, its checked rows and the selection sent stay as they are.
    if (event->type() == QEvent::LanguageChange)
        ui.retranslateUi(this);
    CQDockWindow::changeEvent(event);
}

void CKnownFreqRangesWindow::FillTree()
{
    ui.m_pTreeWidget->clear();
    if (!m_pDetector)
        return;
    for (int i = 0; i < m_pDetector->GetRangeCount(); ++i)
    {
        const KNOWN_FREQ_RANGE* range = m_pDetector->GetRange(i);
        if (!range)
            continue;
        auto* row = new QTreeWidgetItem(ui.m_pTreeWidget);
        row->setCheckState(0, Qt::Unchecked);
        row->setData(0, Qt::UserRole, i);
        row->setText(1, QString::fromStdWString(range->Name));
        row->setText(2, Shown(range->StartFreq));
        row->setText(3, Shown(range->EndFreq));
        row->setText(4, Shown(range->Band));
        row->setText(5, Shown(range->Step));
        row->setText(6, QString::number(range->StartChannel));
        row->setText(7, QString::number(range->EndChannel));
        // A stored averaging outside the list shows as its number.
        const QString averaging = g_FftOptions.GetAveragingName(range->Averaging);
        row->setText(8, averaging.isEmpty() ? QString::number(range->Averaging) : averaging);
        row->setData(8, Qt::UserRole, range->Averaging);
    }
}

void CKnownFreqRangesWindow::LoadRegion()
{
    if (!m_pDetector)
        return;
    m_pDetector->ClearRanges();
    QString path = RegionFilePath(m_nRegion);
    if (!QFile::exists(path))
    {
        // Lists saved under the region's translated name are read once; saves go to the fixed name.
        const QString translated = RegionFileOf(QCoreApplication::translate(
            kFormContext, kRegionNames[std::clamp(m_nRegion, 0, kRegionCount - 1)]));
        if (QFile::exists(translated))
            path = translated;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
    {
        std::vector<KNOWN_FREQ_RANGE> ranges;
        if (!KnownFreqRegionFile::Parse(file.readAll(), &ranges))
            KeepAside(path);
        for (const KNOWN_FREQ_RANGE& range : ranges)
            m_pDetector->AddRange(range);
        FillTree();
        return;
    }
    AddDefaults();
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::SaveRegion()
{
    if (!m_pDetector)
        return;
    std::vector<KNOWN_FREQ_RANGE> ranges;
    for (int i = 0; i < m_pDetector->GetRangeCount(); ++i)
    {
        if (const KNOWN_FREQ_RANGE* range = m_pDetector->GetRange(i))
            ranges.push_back(*range);
    }
    // A failed write is not reported; the old file stays whole.
    if (!KnownFreqRegionFile::Save(RegionFilePath(m_nRegion), ranges))
        qWarning("Could not write %s", qUtf8Printable(RegionFilePath(m_nRegion)));
}

void CKnownFreqRangesWindow::AddDefaults()
{
    auto add = [this](const auto& table)
    {
        for (const FREQ_BAND_ITEM& row : table)
        {
            KNOWN_FREQ_RANGE range;
            static_cast<FREQ_BAND_ITEM&>(range) = row;
            m_pDetector->AddRange(range);
        }
    };
    if (m_nRegion == 0)
        add(BandTableB);
    else if (m_nRegion == 1)
        add(BandTableC);
}

void CKnownFreqRangesWindow::OnCountryComboChanged(int index)
{
    if (index < 0 || index >= kRegionCount || !m_pDetector)
        return;
    if (index != m_nRegion)
        SaveRegion();
    m_nRegion = index;
    m_pDetector->ClearRanges();
    LoadRegion();
}

void CKnownFreqRangesWindow::OnAddButton()
{
    if (!m_pDetector)
        return;
    CInputKnownFreqRange dialog(0);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    m_pDetector->AddRange(RangeOf(dialog));
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::OnEditButton()
{
    const QTreeWidgetItem* row = ui.m_pTreeWidget->currentItem();
    if (!row || !m_pDetector)
        return;
    const int position = row->data(0, Qt::UserRole).toInt();
    const KNOWN_FREQ_RANGE* range = m_pDetector->GetRange(position);
    if (!range)
        return;
    // Filled from the stored values, so fields the operator leaves alone keep their exact values.
    CInputKnownFreqRange dialog(0);
    dialog.m_Name = QString::fromStdWString(range->Name);
    dialog.m_StartFreq = range->StartFreq;
    dialog.m_EndFreq = range->EndFreq;
    dialog.m_Band = range->Band;
    dialog.m_Step = range->Step;
    dialog.m_StartChannel = range->StartChannel;
    dialog.m_EndChannel = range->EndChannel;
    dialog.m_Averaging = range->Averaging;
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    m_pDetector->SetRange(position, RangeOf(dialog));
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::OnDeleteButton()
{
    const QTreeWidgetItem* row = ui.m_pTreeWidget->currentItem();
    if (!row || !m_pDetector)
        return;
    // The detector renumbers its selection, so the main window keeps scanning the same ranges.
    m_pDetector->RemoveRange(row->data(0, Qt::UserRole).toInt());
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::OnClearButton()
{
    if (!m_pDetector || Prompt().Question(this, QCoreApplication::applicationName(),
                                          tr("Do you really want to clear the list?"),
                                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_pDetector->ClearRanges();
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::OnDefaultsButton(int force)
{
    if (!m_pDetector)
        return;
    if (force != 1 && ui.m_pTreeWidget->topLevelItemCount() > 0 &&
        Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to reset the list to default?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_pDetector->ClearRanges();
    AddDefaults();
    FillTree();
    SaveRegion();
}

void CKnownFreqRangesWindow::EmitSelection()
{
    QVector<int> positions;
    for (int i = 0; i < ui.m_pTreeWidget->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = ui.m_pTreeWidget->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            positions.push_back(row->data(0, Qt::UserRole).toInt());
    }
    std::sort(positions.begin(), positions.end());
    if (!positions.isEmpty())
        emit multipleFreqRangesSelected(positions);
}

void CKnownFreqRangesWindow::SelectByNameEnd(const QString& ending)
{
    for (int i = 0; i < ui.m_pTreeWidget->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* row = ui.m_pTreeWidget->topLevelItem(i);
        row->setCheckState(0, row->text(1).endsWith(ending, Qt::CaseSensitive) ? Qt::Checked : Qt::Unchecked);
    }
    EmitSelection();
}

void CKnownFreqRangesWindow::OnMobileButton()
{
    SelectByNameEnd(QStringLiteral("mobile"));
}

void CKnownFreqRangesWindow::OnBaseButton()
{
    SelectByNameEnd(QStringLiteral("base"));
}

void CKnownFreqRangesWindow::OnTreeItemActivated(QTreeWidgetItem* /*item*/, int /*column*/)
{
    for (int i = 0; i < ui.m_pTreeWidget->topLevelItemCount(); ++i)
        ui.m_pTreeWidget->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

void CKnownFreqRangesWindow::OnTreeItemClicked(QTreeWidgetItem* item, int column)
{
    if (item && column == 0)
        EmitSelection();
}

void CKnownFreqRangesWindow::OnAnalysisCheckBox()
{
    PlainKeys().setValue(AnalysisKey(), ui.m_pAnalysisCheckBox->isChecked());
}
