// The band view's context menu and the commands behind it: pane data files, data operations, the
// harmonics and the waterfall's spectrum switch.

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include <memory>

#include "ddcview.h"
#include "globals.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "spectrumgraphic.h"
#include "vectorgraphic.h"
#include "waterfallgraphic.h"

namespace
{
const QString kPathKey = QStringLiteral("SaveDdcData");

// The file type of each pane, first match. A vector file is written as the pane shows it (held data
// too, so a loaded file saves again whole) and read back as the pane's input block (kind 2).
std::vector<CViewBase::PaneFileType> FileTypes(bool load)
{
    return {{&CViewBase::IsPaneOf<CQWaterfallGraphic>, CDdcView::tr("Data files (*.dwd)"),
             QStringLiteral("dwd"), 0},
            {&CViewBase::IsPaneOf<CQSpectrumGraphic>, CDdcView::tr("Data files (*.dsd)"),
             QStringLiteral("dsd"), 0},
            {&CViewBase::IsPaneOf<CQVectorGraphic>, CDdcView::tr("Data files (*.dvd)"), QStringLiteral("dvd"),
             load ? 2 : 0},
            {&CViewBase::IsPaneOf<CQOscillogramGraphic>, CDdcView::tr("Data files (*.dod)"),
             QStringLiteral("dod"), 0}};
}
}  // namespace

QMenu* CDdcView::CreateContextMenu(QPoint pos)
{
    IGraphic* pane = GetGraphicAtPoint(pos);
    if (pane == nullptr)
        return nullptr;
    // The vector painter is an oscillogram painter too, without the trigger and the delta cursor.
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
    const bool vector = dynamic_cast<CQVectorGraphic*>(pane) != nullptr;

    auto* menu = new QMenu(this);
    if (dynamic_cast<CQWaterfallGraphic*>(pane) != nullptr)
        connect(AddCheckableAction(menu, tr("Show Spectrum"), m_nPaneMode == 2), &QAction::triggered, this,
                &CDdcView::OnWaterfallSpectrum);
    if (osc != nullptr)
        connect(AddCheckableAction(menu, tr("Enable autoscale"), osc->IsAutoScale()), &QAction::triggered,
                this, &CViewBase::OnEnableAutoScale);
    if (osc != nullptr && !vector)
    {
        connect(AddCheckableAction(menu, tr("Enable trigger"), IsTriggerEnabled()), &QAction::triggered, this,
                &CViewBase::OnEnableTrigger);
        connect(menu->addAction(tr("Set trigger level here")), &QAction::triggered, this,
                &CViewBase::OnSetTriggerLevelHere);
    }
    if (!vector)
        connect(AddCheckableAction(menu, tr("Enable Delta Cursor"), IsDeltaCursorOn()), &QAction::triggered,
                this, &CViewBase::OnEnableDeltaCursor);
    menu->addSeparator();
    connect(menu->addAction(tr("View measurements...")), &QAction::triggered, this,
            &CViewBase::OnViewMeasures);
    menu->addSeparator();
    connect(menu->addAction(tr("Add to Archive...")), &QAction::triggered, this, &CViewBase::OnAddToArchive);
    connect(menu->addAction(tr("Export as Text...")), &QAction::triggered, this, &CViewBase::OnExportText);
    connect(menu->addAction(tr("Export as Image...")), &QAction::triggered, this, &CViewBase::OnExportImage);
    menu->addSeparator();
    connect(menu->addAction(tr("Save Data...")), &QAction::triggered, this, &CDdcView::OnSaveData);
    connect(menu->addAction(tr("Load Data...")), &QAction::triggered, this, &CDdcView::OnLoadData);

    // Held data are compared with live spectra only; this view offers no "data - signal".
    const int operation = pane->GetDataOperation();
    QMenu* operations = menu->addMenu(tr("Data Operation"));
    operations->setEnabled(m_bLoadedData && osc == nullptr);
    connect(AddCheckableAction(operations, tr("Pause"), operation == 1), &QAction::triggered, this,
            &CDdcView::OnDataOpPause);
    connect(AddCheckableAction(operations, tr("Combination"), operation == 2), &QAction::triggered, this,
            &CDdcView::OnDataOpCombination);
    connect(AddCheckableAction(operations, tr("Difference: signal-data"), operation == 4),
            &QAction::triggered, this, &CDdcView::OnDataOpSignalData);
    QAction* cancel = menu->addAction(tr("Cancel Data Operation"));
    cancel->setEnabled(m_bLoadedData);
    connect(cancel, &QAction::triggered, this, &CDdcView::OnCancelOp);
    return menu;
}

void CDdcView::contextMenuEvent(QContextMenuEvent* event)
{
    // The base accepts the event on an axis band, where the view offers no menu.
    CViewBase::contextMenuEvent(event);
    if (event->isAccepted())
        return;
    event->accept();
    std::unique_ptr<QMenu> menu(CreateContextMenu(event->pos()));
    if (menu)
        menu->exec(event->globalPos());
}

void CDdcView::OnSaveData()
{
    SavePressedPane(FileTypes(false), kPathKey, tr("Save data"),
                    tr("Unexpected error occurred!") + QLatin1Char(' '));
}

void CDdcView::OnLoadData()
{
    LoadPressedPane(FileTypes(true), kPathKey, tr("Open saved data"), tr("Unexpected error occurred:"));
}

void CDdcView::OnDataOpPause()
{
    SetPressedDataOperation(1);
}

void CDdcView::OnDataOpCombination()
{
    SetPressedDataOperation(2);
}

void CDdcView::OnDataOpSignalData()
{
    SetPressedDataOperation(4);
}

void CDdcView::OnDataOpDataSignal()
{
    SetPressedDataOperation(3);
}

void CDdcView::OnAddToArchiveGoto2Harmonic()
{
    Goto2Harmonic();
}

void CDdcView::OnAddToArchiveGoto3Harmonic()
{
    Goto3Harmonic();
}

void CDdcView::OnWaterfallSpectrum()
{
    // The choice is the band page's, so the waterfall button brings back the same layout.
    const int mode = m_nPaneMode == 1 ? 2 : 1;
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), QStringLiteral("WaterfallSpectrum"), mode == 2 ? 1 : 0);
    SetPaneMode(mode);
}
