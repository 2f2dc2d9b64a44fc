// The device-memory window's views: the listing of the image, the spectrogram and pattern traces, the
// signal list, the three deletes and the hand-over of signals to the archive.

#include <QCoreApplication>
#include <QMenu>

#include <cmath>
#include <exception>
#include <functional>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "memoryimage.h"
#include "memorywindow.h"
#include "newsignalentrydialog.h"
#include "prompt.h"

namespace
{
constexpr int kIndexRole = Qt::UserRole;
constexpr int kIndexColumn = 4;
constexpr int kNoIndex = -1;

QString MHzText(int valueMHz)
{
    return QStringLiteral("%1 MHz").arg(valueMHz);
}

// The item's record or analysis index; false for the "NO DATA" items, which carry none or -1.
bool ItemIndex(const QTreeWidgetItem* item, int& index)
{
    const QVariant data = item->data(0, kIndexRole);
    if (!data.isValid())
        return false;
    index = data.toInt();
    return index >= 0;
}
}  // namespace

double CMemoryWindow::LevelToDbm(double raw) const
{
    double dbm = 0.0;
    if (!CMemoryImage::LevelToDbm(m_RecordHeader, raw, dbm))
        return std::numeric_limits<double>::quiet_NaN();
    return dbm;
}

QString CMemoryWindow::LevelText(double raw) const
{
    const double dbm = LevelToDbm(raw);
    return std::isfinite(dbm) ? QString::number(dbm, 'f', 1) + QStringLiteral(" dBm") : QString();
}

void CMemoryWindow::ShowLevels(const CLabel& trace, QLabel* top, QLabel* maxCaption, QLabel* max,
                               QLabel* bottom)
{
    top->setText(LevelText(trace.GetTop()));
    maxCaption->setText(tr("Maximum:"));
    max->setText(LevelText(trace.GetMaximum()));
    bottom->setText(LevelText(trace.GetMinimum()));
}

void CMemoryWindow::ReportFailure(const QString& message, const std::exception& e)
{
    Prompt().Critical(this, QCoreApplication::applicationName(),
                      message + QLatin1Char(' ') + QString::fromLocal8Bit(e.what()));
}

void CMemoryWindow::ParseMemoryImage()
{
    try
    {
        ui.m_pContentTree->clear();
        ui.m_pGroupsTree->clear();
        ui.m_pDataTree->clear();
        m_nCurrentAnalysis = -1;
        m_nEntriesInImage = 0;
        m_Directory = CMemoryDirectory::Decode(g_DeviceThread.m_MemoryImage);
        g_DeviceThread.m_nSpectrogramCount = m_Directory.spectrogramCount;
        g_DeviceThread.m_nAnalysisCount = m_Directory.analysisCount;
        g_DeviceThread.m_nSpectrogramOffset = m_Directory.spectrogramOffset;
        g_DeviceThread.m_nAnalysisOffset = m_Directory.analysisOffset;
        g_DeviceThread.m_nPatternOffset = m_Directory.patternOffset;
        FillSpectrograms();
        FillAnalyses();
        FillPattern();
        ShowCount();
    }
    catch (const std::exception& e)
    {
        ReportFailure(tr("Failed to fill the tree of groups!"), e);
    }
}

void CMemoryWindow::FillSpectrograms()
{
    const std::vector<MEMORY_RECORD_ITEM> records =
        CMemoryImage::Spectrograms(g_DeviceThread.m_MemoryImage, m_Directory);
    if (records.empty())
    {
        auto* item = new QTreeWidgetItem(ui.m_pDataTree, {tr("NO DATA")});
        item->setData(0, kIndexRole, kNoIndex);
        return;
    }
    for (const MEMORY_RECORD_ITEM& record : records)
    {
        auto* item = new QTreeWidgetItem(ui.m_pDataTree, {record.text});
        item->setData(0, kIndexRole, record.index);
    }
    // Shows the first record and makes its header the one the levels are read with.
    ui.m_pDataTree->setCurrentItem(ui.m_pDataTree->topLevelItem(0));
}

void CMemoryWindow::FillAnalyses()
{
    if (m_Directory.analysisOffset == 0)
    {
        new QTreeWidgetItem(ui.m_pGroupsTree, {tr("NO DATA")});
        return;
    }
    const std::vector<MEMORY_RECORD_ITEM> analyses =
        CMemoryImage::Analyses(g_DeviceThread.m_MemoryImage, m_Directory, tr("MANUAL"));
    for (const MEMORY_RECORD_ITEM& analysis : analyses)
    {
        auto* item = new QTreeWidgetItem(ui.m_pGroupsTree, {analysis.text});
        item->setData(0, kIndexRole, analysis.index);
    }
    // The listing reads the analyses' headers last: the pattern's levels are converted with the last.
    if (!analyses.empty())
    {
        m_RecordHeader = CMemoryImage::Header(g_DeviceThread.m_MemoryImage, analyses.back().offset);
        ui.m_pGroupsTree->setCurrentItem(ui.m_pGroupsTree->topLevelItem(0));
    }
}

void CMemoryWindow::FillPattern()
{
    m_PatternSamples = CMemoryImage::PatternSamples(g_DeviceThread.m_MemoryImage, m_Directory);
    QLabel* const labels[] = {ui.m_pPatternLabelT, ui.m_pPatternLabelMAX_2, ui.m_pPatternLabelMAX,
                              ui.m_pPatternLabelB, ui.m_pPatternLabelR};
    if (m_PatternSamples.empty())
    {
        // No trace is left standing from an image shown before.
        ui.m_pPatternLabel->SetData(true, nullptr, 0);
        for (QLabel* label : labels)
            label->clear();
        ui.m_pPatternLabelL->setText(tr("NO DATA"));
        ui.m_pPatternLabel->update();
        return;
    }
    ui.m_pPatternLabel->SetData(true, m_PatternSamples.data(), static_cast<int>(m_PatternSamples.size() * 2));
    ui.m_pPatternLabelL->setText(MHzText(30));
    ui.m_pPatternLabelR->setText(MHzText(4400));
    ShowLevels(*ui.m_pPatternLabel, ui.m_pPatternLabelT, ui.m_pPatternLabelMAX_2, ui.m_pPatternLabelMAX,
               ui.m_pPatternLabelB);
    ui.m_pPatternLabel->update();
}

void CMemoryWindow::OnDataTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    int index = 0;
    if (g_DeviceThread.m_nSpectrogramCount == 0 || current == nullptr || !ItemIndex(current, index))
        return;
    const QByteArray& image = g_DeviceThread.m_MemoryImage;
    const qint64 offset = CMemoryImage::SpectrogramOffset(m_Directory, index);
    m_RecordHeader = CMemoryImage::Header(image, offset);
    m_GraphSamples = CMemoryImage::RecordSamples(image, offset);
    ui.m_pGraphLabel->SetData(false, m_GraphSamples.data(), static_cast<int>(m_GraphSamples.size() * 2));

    const MEMORY_FREQ_RANGE range = CMemoryImage::NameRange(m_RecordHeader);
    ui.m_pGraphLabelL->setText(MHzText(range.lowMHz));
    ui.m_pGraphLabelR->setText(MHzText(range.highMHz));
    double bandHz = 0.0;
    ui.m_pGraphLabelBand->setText(CMemoryImage::BandHz(m_RecordHeader, bandHz)
                                      ? tr("Band: %1 MHz").arg(bandHz / 1e6, 0, 'f', 3)
                                      : QString());
    ShowLevels(*ui.m_pGraphLabel, ui.m_pGraphLabelT, ui.m_pGraphLabelMAX_2, ui.m_pGraphLabelMAX,
               ui.m_pGraphLabelB);
    ui.m_pGraphLabel->update();
}

void CMemoryWindow::OnGroupsTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (current == nullptr)
        return;
    try
    {
        FillSignals(current);
    }
    catch (const std::exception& e)
    {
        ReportFailure(tr("Failed to fill the list!"), e);
    }
}

void CMemoryWindow::FillSignals(QTreeWidgetItem* current)
{
    ui.m_pContentTree->clear();
    int unit = 0;
    if (!ItemIndex(current, unit))
    {
        m_nCurrentAnalysis = -1;
        m_nEntriesInImage = 0;
        ShowCount();
        return;
    }
    const QByteArray& image = g_DeviceThread.m_MemoryImage;
    m_nCurrentAnalysis = unit;
    m_EntryTable = CMemoryImage::SignalTable(image, m_Directory, unit);
    m_nEntriesInImage = CMemoryImage::EntriesInImage(image, m_Directory, unit);
    const bool manual = unit == 0;
    for (const MEMORY_SIGNAL_ITEM& entry : CMemoryImage::Signals(m_EntryTable, m_nEntriesInImage, manual))
    {
        auto* item = new QTreeWidgetItem(ui.m_pContentTree);
        item->setText(0, QString::number(entry.freqMHz, 'f', 1));
        item->setData(0, kIndexRole, entry.freqMHz);
        item->setText(1, entry.bandText);
        item->setData(1, kIndexRole, entry.bandwidthMHz);
        item->setText(2, QString::number(entry.levelDbm, 'f', 1));
        item->setData(2, kIndexRole, entry.levelDbm);
        item->setText(3, manual ? QString() : QString::number(entry.excessDbm, 'f', 1));
        item->setData(3, kIndexRole, entry.excessDbm);
        item->setData(kIndexColumn, kIndexRole, entry.index);
        for (int column = 0; column < 3; ++column)
            item->setTextAlignment(column, Qt::AlignCenter);
        if (entry.green || entry.red)
        {
            const QBrush brush(entry.green ? Qt::green : Qt::red);
            const int columns = manual ? 3 : 4;
            for (int column = 0; column < columns; ++column)
                item->setBackground(column, brush);
        }
    }
    ShowCount();
}

void CMemoryWindow::ShowCount()
{
    ui.m_pCountLabel->setText(tr("%1 signals").arg(ui.m_pContentTree->topLevelItemCount()));
}

QMenu* CMemoryWindow::CreateContentMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add to Archive..."), this, &CMemoryWindow::OnAddToArchive);
    menu->addAction(tr("Delete..."), this, &CMemoryWindow::OnDeleteAction);
    return menu;
}

QMenu* CMemoryWindow::CreateGroupsMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(tr("Delete..."), this, &CMemoryWindow::OnGroupDeleteAction);
    return menu;
}

QMenu* CMemoryWindow::CreateDataMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(tr("Delete..."), this, &CMemoryWindow::OnDataDeleteAction);
    return menu;
}

void CMemoryWindow::OnTreeContextMenu(const QPoint& pos)
{
    QMenu* menu = CreateContentMenu();
    menu->exec(ui.m_pContentTree->viewport()->mapToGlobal(pos));
    menu->deleteLater();
}

void CMemoryWindow::OnGroupTreeContextMenu(const QPoint& pos)
{
    QMenu* menu = CreateGroupsMenu();
    menu->exec(ui.m_pGroupsTree->viewport()->mapToGlobal(pos));
    menu->deleteLater();
}

void CMemoryWindow::OnDataTreeContextMenu(const QPoint& pos)
{
    QMenu* menu = CreateDataMenu();
    menu->exec(ui.m_pDataTree->viewport()->mapToGlobal(pos));
    menu->deleteLater();
}

void CMemoryWindow::DeleteSelectedRecords(const QTreeWidget* tree, const std::function<qint64(int)>& offsetOf)
{
    if (IsTransferRunning())
        return;
    try
    {
        bool deleted = false;
        for (QTreeWidgetItem* item : tree->selectedItems())
        {
            int index = 0;
            const qint64 offset = ItemIndex(item, index) ? offsetOf(index) : -1;
            if (offset >= 0)
                deleted = CMemoryImage::DeleteRecord(g_DeviceThread.m_MemoryImage, offset) || deleted;
        }
        if (!deleted)
            return;
        m_bChanged = true;
        ParseMemoryImage();
    }
    catch (const std::exception& e)
    {
        ReportFailure(tr("Failed to delete!"), e);
    }
}

void CMemoryWindow::OnDataDeleteAction()
{
    DeleteSelectedRecords(ui.m_pDataTree,
                          [this](int index)
                          {
                              return index < m_Directory.spectrogramCount
                                         ? CMemoryImage::SpectrogramOffset(m_Directory, index)
                                         : qint64{-1};
                          });
}

void CMemoryWindow::OnGroupDeleteAction()
{
    DeleteSelectedRecords(ui.m_pGroupsTree,
                          [this](int unit)
                          {
                              return m_Directory.analysisOffset != 0 && unit <= m_Directory.analysisCount
                                         ? CMemoryImage::AnalysisOffset(m_Directory, unit)
                                         : qint64{-1};
                          });
}

void CMemoryWindow::OnDeleteAction()
{
    if (IsTransferRunning() || m_nCurrentAnalysis < 0)
        return;
    try
    {
        QByteArray table = m_EntryTable;
        bool flagged = false;
        for (QTreeWidgetItem* item : ui.m_pContentTree->selectedItems())
        {
            const int index = item->data(kIndexColumn, kIndexRole).toInt();
            if (index < m_nEntriesInImage)
                flagged = CMemoryImage::FlagSignalDeleted(table, index) || flagged;
        }
        // A table the image does not hold whole is never written back: the entries stay as they are.
        if (!flagged || !CMemoryImage::WriteSignalTable(
                            g_DeviceThread.m_MemoryImage,
                            CMemoryImage::SignalTableOffset(m_Directory, m_nCurrentAnalysis), table))
            return;
        m_EntryTable = table;
        m_bChanged = true;
        FillSignals(ui.m_pGroupsTree->currentItem());
    }
    catch (const std::exception& e)
    {
        ReportFailure(tr("Failed to delete!"), e);
    }
}

void CMemoryWindow::OnAddToArchive()
{
    try
    {
        CNewSignalEntryDialog dialog(-1, this);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        for (QTreeWidgetItem* item : ui.m_pContentTree->selectedItems())
        {
            // The items' numbers, not their one-decimal texts: the manual analysis has no excess text
            // and files -1.
            const double freqMHz = item->data(0, kIndexRole).toDouble();
            const double bandwidthMHz = item->data(1, kIndexRole).toDouble();
            const double level = item->data(2, kIndexRole).toDouble();
            const double excess = item->data(3, kIndexRole).toDouble();
            emit addArchiveEntry(dialog.m_nGroup, dialog.m_strComment, (freqMHz - bandwidthMHz * 0.5) * 1e6,
                                 (freqMHz + bandwidthMHz * 0.5) * 1e6, freqMHz * 1e6, level, excess,
                                 kArchiveSource, kArchiveChannel);
        }
    }
    catch (const std::exception& e)
    {
        ReportFailure(tr("Failed to add entry to the archive!"), e);
    }
}
