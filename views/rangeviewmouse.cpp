// The range view's gates in front of the view base's mouse handling and its click-to-tune.

#include <QMouseEvent>
#include <QWheelEvent>

#include <exception>

#include "globals.h"
#include "igraphic.h"
#include "multiplerangesspectrumgraphic.h"
#include "rangeview.h"
#include "spectrumgraphic.h"

namespace
{
// The converter band shifts every shown frequency; the view then takes no zoom or drag.
bool FrequenciesShifted()
{
    return g_FreqOffset.load() > 0.0;
}
}  // namespace

void CRangeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_Shown.isEmpty())
        return;
    CViewBase::mouseReleaseEvent(event);
    // Only a click tunes: a press and release at different points was a drag.
    if (!m_bTuningEnabled || event->button() != Qt::LeftButton || event->pos() != m_PressPoint)
        return;
    try
    {
        IGraphic* pane = GetGraphicAtPoint(event->pos());
        // The ranges of "MultiSpec" lie side by side, so its pixels map to no single window.
        if (pane == nullptr || dynamic_cast<CQMultipleRangesSpectrumGraphic*>(pane) != nullptr ||
            dynamic_cast<CQSpectrumGraphic*>(pane) == nullptr)
            return;
        const QRect plot = pane->GetPlotRect();
        emit changeDdcFreq(FreqAtPixel(pane, plot, event->pos().x() - plot.left()));
    }
    catch (const std::exception&)
    {
        // A retune the device refused; the view stays as it was.
    }
}

void CRangeView::mouseMoveEvent(QMouseEvent* event)
{
    if (IsNoScreen())
    {
        setCursor(Qt::ArrowCursor);
        return;
    }
    if (FrequenciesShifted())
        return;
    if (!m_Shown.isEmpty())
    {
        // The per-range zoom and readouts act on the range under the pointer.
        if (auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(m_Shown.first()))
            multi->SetHoverPoint(event->pos());
    }
    CViewBase::mouseMoveEvent(event);
}

void CRangeView::wheelEvent(QWheelEvent* event)
{
    if (FrequenciesShifted())
        return;
    CViewBase::wheelEvent(event);
}
