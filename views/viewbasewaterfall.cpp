#include <QApplication>
#include <QDir>

#include "igraphic.h"
#include "spectrumgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

// The operations that need to know the concrete spectrum and waterfall painters.

void CViewBase::SyncPanes()
{
    // The waterfall's colour scale follows the level window of the spectrum stacked above it.
    if (m_Shown.size() != 2)
        return;
    auto* spectrum = dynamic_cast<CQSpectrumGraphic*>(m_Shown[0]);
    auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(m_Shown[1]);
    if (spectrum == nullptr || waterfall == nullptr)
        return;
    waterfall->SetYWindow(spectrum->GetYFrom(), spectrum->GetYTo());
}

void CViewBase::ResetAxes()
{
    if (m_bLoadedData)
        return;
    ResetSpectrumXRange();
    ResetOscXRange();
    ResetSpectrumYRange();
    ResetOscYRange();
    SyncPanes();
    update();
}

void CViewBase::SetWaterfallBuffer(bool on, QString path)
{
    auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall")));
    if (waterfall == nullptr)
        return;
    const bool wanted = on && !path.isEmpty();
    // The options dock may hand the path in the platform's own form.
    // A file that cannot be created leaves the pane without one; the caption must not claim otherwise.
    const bool recording = waterfall->SetBufferFile(wanted, QDir::fromNativeSeparators(path)) && wanted;
    m_InfoText = recording ? tr("Recording waterfall") : tr("");
}

void CViewBase::ClearWaterfall()
{
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->ResetTimePosition();
}

void CViewBase::ResetWaterfallTime()
{
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->ResetLoadedPage();
}

void CViewBase::CloseLoadedData()
{
    OnCancelOp();
    m_InfoText.clear();
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->ShowLiveData();
}
