// The range view's context menu and the actions behind it: pane data files, data operations,
// tuning to the spectrum maximum and archive entries.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

#include <exception>
#include <memory>

#include "archiveentryfactory.h"
#include "globals.h"
#include "igraphic.h"
#include "isimplegraphicex.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "prompt.h"
#include "rangeview.h"
#include "spectrumgraphic.h"
#include "waterfallgraphic.h"

namespace
{
const QString kPathsGroup = QStringLiteral("FilePaths");
const QString kPathKey = QStringLiteral("SaveRangeData");

// The folder part of a chosen file, as the next dialog starts in it.
QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

QAction* AddCheckable(QMenu* menu, const QString& text, bool checked)
{
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}
}  // namespace

QMenu* CRangeView::CreateContextMenu()
{
    if (m_Shown.isEmpty())
        return nullptr;
    IGraphic* pane = m_Shown.last();
    auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(pane);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
    auto* spectrum = dynamic_cast<CQSpectrumGraphic*>(pane);

    auto* menu = new QMenu(this);
    if (waterfall != nullptr)
        connect(AddCheckable(menu, tr("Show Spectrum"), m_nPaneMode == 2), &QAction::triggered, this,
                &CRangeView::OnWaterfallSpectrum);
    if (osc != nullptr)
    {
        connect(AddCheckable(menu, tr("Enable autoscale"), osc->IsAutoScale()), &QAction::triggered, this,
                &CViewBase::OnEnableAutoScale);
        // Once the pulse detector has been shown the trigger belongs to it.
        if (!m_bPulseMode)
            connect(AddCheckable(menu, tr("Enable trigger"), IsTriggerEnabled()), &QAction::triggered, this,
                    &CViewBase::OnEnableTrigger);
        connect(menu->addAction(tr("Set trigger level here")), &QAction::triggered, this,
                &CViewBase::OnSetTriggerLevelHere);
    }
    connect(AddCheckable(menu, tr("Enable Delta Cursor"), IsDeltaCursorOn()), &QAction::triggered, this,
            &CViewBase::OnEnableDeltaCursor);
    if (spectrum != nullptr)
        connect(menu->addAction(tr("Set Max Freq As Band Window Center")), &QAction::triggered, this,
                &CRangeView::OnMaxFreqToDdc);
    menu->addSeparator();
    connect(menu->addAction(tr("View measurements...")), &QAction::triggered, this,
            &CViewBase::OnViewMeasures);
    menu->addSeparator();
    menu->addAction(tr("Add to Archive..."), this, &CViewBase::OnAddToArchive, QKeySequence());
    connect(menu->addAction(tr("Export as Text...")), &QAction::triggered, this, &CViewBase::OnExportText);
    connect(menu->addAction(tr("Export as Image...")), &QAction::triggered, this, &CViewBase::OnExportImage);
    menu->addSeparator();
    connect(menu->addAction(tr("Save Data...")), &QAction::triggered, this, &CRangeView::OnSaveData);
    connect(menu->addAction(tr("Load Data...")), &QAction::triggered, this, &CRangeView::OnLoadData);

    const int operation = pane->GetDataOperation();
    QMenu* operations = menu->addMenu(tr("Data Operation"));
    operations->setEnabled(m_bLoadedData);
    connect(AddCheckable(operations, tr("Pause"), operation == 1), &QAction::triggered, this,
            &CRangeView::OnDataOpPause);
    connect(AddCheckable(operations, tr("Combination"), operation == 2), &QAction::triggered, this,
            &CRangeView::OnDataOpCombination);
    connect(AddCheckable(operations, tr("Difference: signal-data"), operation == 4), &QAction::triggered,
            this, &CRangeView::OnDataOpSignalData);
    QAction* cancel = menu->addAction(tr("Cancel Data Operation"));
    cancel->setEnabled(m_bLoadedData);
    connect(cancel, &QAction::triggered, this, &CRangeView::OnCancelOp);
    return menu;
}

void CRangeView::contextMenuEvent(QContextMenuEvent* event)
{
    // The base accepts the event on an axis band, where the view offers no menu.
    CViewBase::contextMenuEvent(event);
    if (event->isAccepted())
        return;
    event->accept();
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    if (menu)
        menu->exec(event->globalPos());
}

void CRangeView::SetPressedDataOperation(int operation)
{
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    if (pane == nullptr)
        return;
    try
    {
        pane->SetDataOperation(operation);
        m_bLoadedData = true;
    }
    catch (const std::exception&)
    {
        // The painter refused the operation; the pane keeps showing what it showed.
    }
    update();
}

void CRangeView::OnDataOpPause()
{
    SetPressedDataOperation(1);
}

void CRangeView::OnDataOpCombination()
{
    SetPressedDataOperation(2);
}

void CRangeView::OnDataOpDataSignal()
{
    SetPressedDataOperation(3);
}

void CRangeView::OnDataOpSignalData()
{
    SetPressedDataOperation(4);
}

void CRangeView::OnSaveData()
{
    // Only panes with traces of their own are saved; the waterfalls are not.
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    if (dynamic_cast<ISimpleGraphicEx*>(pane) == nullptr)
        return;
    QString filter;
    QString tag;
    if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr)
    {
        filter = tr("Data files (*.rsd)");
        tag = QStringLiteral("rsd");
    }
    else if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
    {
        filter = tr("Data files (*.rod)");
        tag = QStringLiteral("rod");
    }
    else
    {
        return;
    }
    const QString folder = g_Parameters.GetString(kPathsGroup, kPathKey, QString());
    const QString path = Prompt().GetSaveFileName(this, tr("Save data"), folder, filter);
    if (path.isEmpty())
        return;
    try
    {
        SavePaneData(path, tag, pane, 0);
    }
    catch (const std::exception& e)
    {
        Prompt().Warning(this, QApplication::applicationName(),
                         tr("Unexpected error occurred!") + QLatin1Char(' ') + QString::fromUtf8(e.what()),
                         QMessageBox::Ok);
        return;
    }
    g_Parameters.SetString(kPathsGroup, kPathKey, FolderOf(path));
}

void CRangeView::OnLoadData()
{
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    if (pane == nullptr)
        return;
    QString filter;
    QString tag;
    if (dynamic_cast<CQWaterfallGraphic*>(pane) != nullptr)
    {
        filter = tr("Data files (*.rwd)");
        tag = QStringLiteral("rwd");
    }
    else if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr)
    {
        filter = tr("Data files (*.rsd)");
        tag = QStringLiteral("rsd");
    }
    else if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
    {
        filter = tr("Data files (*.rod)");
        tag = QStringLiteral("rod");
    }
    else
    {
        return;
    }
    const QString folder = g_Parameters.GetString(kPathsGroup, kPathKey, QString());
    const QString path = Prompt().GetOpenFileName(this, tr("Open saved data"), folder, filter);
    if (path.isEmpty())
        return;
    try
    {
        LoadPaneData(path, tag, pane, 0);
        g_Parameters.SetString(kPathsGroup, kPathKey, FolderOf(path));
        // Loaded data are held against the live data until the operator picks another operation.
        pane->SetDataOperation(1);
        m_bLoadedData = true;
    }
    catch (const std::exception& e)
    {
        // The operator is told why the file was refused; the pane was left as it was.
        Prompt().Warning(this, QApplication::applicationName(),
                         tr("Unexpected error occurred!") + QLatin1Char(' ') + QString::fromUtf8(e.what()),
                         QMessageBox::Ok);
        return;
    }
    update();
}

void CRangeView::OnMaxFreqToDdc()
{
    if (m_bTuningEnabled)
        emit changeDdcFreq(m_dMaxFreq);
}

void CRangeView::OnAddToArchive()
{
    // The band receiver's band, filed from the full-range pane.
    CArchiveEntryFactory::AddBandEntry(this, 0);
}
