// The range view's context menu and the actions behind it: pane data files, data operations,
// tuning to the spectrum maximum and archive entries.

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

#include <memory>

#include "archiveentryfactory.h"
#include "globals.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "rangeview.h"
#include "spectrumgraphic.h"
#include "waterfallgraphic.h"

namespace
{
const QString kPathKey = QStringLiteral("SaveRangeData");
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
        connect(AddCheckableAction(menu, tr("Show Spectrum"), m_nPaneMode == 2), &QAction::triggered, this,
                &CRangeView::OnWaterfallSpectrum);
    if (osc != nullptr)
    {
        connect(AddCheckableAction(menu, tr("Enable autoscale"), osc->IsAutoScale()), &QAction::triggered,
                this, &CViewBase::OnEnableAutoScale);
        // Once the pulse detector has been shown the trigger belongs to it.
        if (!m_bPulseMode)
            connect(AddCheckableAction(menu, tr("Enable trigger"), IsTriggerEnabled()), &QAction::triggered,
                    this, &CViewBase::OnEnableTrigger);
        connect(menu->addAction(tr("Set trigger level here")), &QAction::triggered, this,
                &CViewBase::OnSetTriggerLevelHere);
    }
    connect(AddCheckableAction(menu, tr("Enable Delta Cursor"), IsDeltaCursorOn()), &QAction::triggered, this,
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
    connect(AddCheckableAction(operations, tr("Pause"), operation == 1), &QAction::triggered, this,
            &CRangeView::OnDataOpPause);
    connect(AddCheckableAction(operations, tr("Combination"), operation == 2), &QAction::triggered, this,
            &CRangeView::OnDataOpCombination);
    connect(AddCheckableAction(operations, tr("Difference: signal-data"), operation == 4),
            &QAction::triggered, this, &CRangeView::OnDataOpSignalData);
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
    // The waterfall's history is not saved, only panes with traces of their own.
    const std::vector<PaneFileType> types = {
        {&IsPaneOf<CQSpectrumGraphic>, tr("Data files (*.rsd)"), QStringLiteral("rsd"), 0},
        {&IsPaneOf<CQOscillogramGraphic>, tr("Data files (*.rod)"), QStringLiteral("rod"), 0}};
    SavePressedPane(types, kPathKey, tr("Save data"), tr("Unexpected error occurred!") + QLatin1Char(' '));
}

void CRangeView::OnLoadData()
{
    const std::vector<PaneFileType> types = {
        {&IsPaneOf<CQWaterfallGraphic>, tr("Data files (*.rwd)"), QStringLiteral("rwd"), 0},
        {&IsPaneOf<CQSpectrumGraphic>, tr("Data files (*.rsd)"), QStringLiteral("rsd"), 0},
        {&IsPaneOf<CQOscillogramGraphic>, tr("Data files (*.rod)"), QStringLiteral("rod"), 0}};
    // The operator is told why a file was refused.
    LoadPressedPane(types, kPathKey, tr("Open saved data"),
                    tr("Unexpected error occurred!") + QLatin1Char(' '));
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
