// The demodulation view's context menu and the commands behind it (pane data files, data operations,
// the waterfall's spectrum switch), its wheel and its corner mark.

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>

#include <memory>

#include "demodview.h"
#include "globals.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "spectrumgraphic.h"
#include "waterfallgraphic.h"

namespace
{
const QString kPathKey = QStringLiteral("SaveDemodData");

// The file type of each pane, first match. The waterfall keeps no traces of its own, so only a load
// offers its type.
std::vector<CViewBase::PaneFileType> FileTypes(bool load)
{
    std::vector<CViewBase::PaneFileType> types;
    if (load)
        types.push_back({&CViewBase::IsPaneOf<CQWaterfallGraphic>, CDemodView::tr("Data files (*.mwd)"),
                         QStringLiteral("mwd"), 0});
    types.push_back({&CViewBase::IsPaneOf<CQSpectrumGraphic>, CDemodView::tr("Data files (*.msd)"),
                     QStringLiteral("msd"), 0});
    types.push_back({&CViewBase::IsPaneOf<CQOscillogramGraphic>, CDemodView::tr("Data files (*.mod)"),
                     QStringLiteral("mod"), 0});
    return types;
}
}  // namespace

QMenu* CDemodView::CreateContextMenu()
{
    if (m_Shown.isEmpty())
        return nullptr;
    // The entries follow the lower pane, the one whose kind the layout is named after.
    IGraphic* pane = m_Shown.last();
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);

    auto* menu = new QMenu(this);
    if (dynamic_cast<CQWaterfallGraphic*>(pane) != nullptr)
        connect(AddCheckableAction(menu, tr("Show Spectrum"), m_nPaneMode == 2), &QAction::triggered, this,
                &CDemodView::OnWaterfallSpectrum);
    if (osc != nullptr)
    {
        connect(AddCheckableAction(menu, tr("Enable autoscale"), osc->IsAutoScale()), &QAction::triggered,
                this, &CViewBase::OnEnableAutoScale);
        connect(AddCheckableAction(menu, tr("Enable trigger"), IsTriggerEnabled()), &QAction::triggered, this,
                &CViewBase::OnEnableTrigger);
        connect(menu->addAction(tr("Set trigger level here")), &QAction::triggered, this,
                &CViewBase::OnSetTriggerLevelHere);
    }
    connect(AddCheckableAction(menu, tr("Enable Delta Cursor"), IsDeltaCursorOn()), &QAction::triggered, this,
            &CViewBase::OnEnableDeltaCursor);
    menu->addSeparator();
    connect(menu->addAction(tr("View measurements...")), &QAction::triggered, this,
            &CViewBase::OnViewMeasures);
    menu->addSeparator();
    menu->addAction(tr("Add to Archive..."), this, &CViewBase::OnAddToArchive, QKeySequence());
    connect(menu->addAction(tr("Export as Text...")), &QAction::triggered, this, &CViewBase::OnExportText);
    connect(menu->addAction(tr("Export as Image...")), &QAction::triggered, this, &CViewBase::OnExportImage);
    menu->addSeparator();
    connect(menu->addAction(tr("Save Data...")), &QAction::triggered, this, &CDemodView::OnSaveData);
    connect(menu->addAction(tr("Load Data...")), &QAction::triggered, this, &CDemodView::OnLoadData);

    const int operation = pane->GetDataOperation();
    QMenu* operations = menu->addMenu(tr("Data Operation"));
    operations->setEnabled(m_bLoadedData);
    connect(AddCheckableAction(operations, tr("Pause"), operation == 1), &QAction::triggered, this,
            &CDemodView::OnDataOpPause);
    connect(AddCheckableAction(operations, tr("Combination"), operation == 2), &QAction::triggered, this,
            &CDemodView::OnDataOpCombination);
    connect(AddCheckableAction(operations, tr("Difference: signal-data"), operation == 4),
            &QAction::triggered, this, &CDemodView::OnDataOpSignalData);
    QAction* cancel = menu->addAction(tr("Cancel Data Operation"));
    cancel->setEnabled(m_bLoadedData);
    connect(cancel, &QAction::triggered, this, &CDemodView::OnCancelOp);
    return menu;
}

void CDemodView::contextMenuEvent(QContextMenuEvent* event)
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

void CDemodView::OnSaveData()
{
    SavePressedPane(FileTypes(false), kPathKey, tr("Save data"),
                    tr("Unexpected error occurred!") + QLatin1Char(' '));
}

void CDemodView::OnLoadData()
{
    // The operator is told why a file was refused.
    LoadPressedPane(FileTypes(true), kPathKey, tr("Open saved data"),
                    tr("Unexpected error occurred!") + QLatin1Char(' '));
}

void CDemodView::OnDataOpPause()
{
    SetPressedDataOperation(1);
}

void CDemodView::OnDataOpCombination()
{
    SetPressedDataOperation(2);
}

void CDemodView::OnDataOpSignalData()
{
    SetPressedDataOperation(4);
}

void CDemodView::OnWaterfallSpectrum()
{
    // The choice is the demodulator page's, so the waterfall button brings back the same layout.
    const int mode = m_nPaneMode == 1 ? 2 : 1;
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("WaterfallSpectrum"),
                        mode == 2 ? 1 : 0);
    SetPaneMode(mode);
}

void CDemodView::wheelEvent(QWheelEvent* event)
{
    const QPoint pos = event->position().toPoint();
    IGraphic* pane = GetGraphicAtPoint(pos);
    if (pane == nullptr)
        return;
    // The base handler moves trace 0 in this cell; trace 1 follows, so the pair moves together.
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
    if (osc != nullptr && pane->IsInYLabel(pos, 1) && !pane->IsYFixed())
        osc->MoveTrace(1, event->angleDelta().y() * 10 * pane->GetYPerPixel() / 25.0);
    CViewBase::wheelEvent(event);
}

void CDemodView::paintEvent(QPaintEvent* event)
{
    CViewBase::paintEvent(event);
    if (m_Shown.isEmpty())
        return;
    QPainter painter(this);
    DrawCornerMark(&painter, m_Shown.last(), tr("DMD"));
}
