// The range view's own marks over its panes: where the band receiver is tuned and how wide its band
// is, on every shown spectrum pane (per range in the multi-range spectrum), and the "Full" label in
// the axis corner that tells this view from the band views.

#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <exception>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "multiplerangesspectrumgraphic.h"
#include "rangeview.h"

namespace
{
// A pixel position as an int; false for what is not a number or lies far outside any screen, so
// that an odd axis (zero width per pixel) draws nothing instead of overflowing.
bool ToPixel(double value, int& pixel)
{
    constexpr double kLimit = 1.0e7;
    if (!std::isfinite(value) || value < -kLimit || value > kLimit)
        return false;
    pixel = static_cast<int>(value);  // truncation toward zero
    return true;
}
}  // namespace

void CRangeView::paintEvent(QPaintEvent* event)
{
    CViewBase::paintEvent(event);
    try
    {
        QPainter painter(this);
        if (!IsNoScreen() && m_bTuningEnabled && g_DeviceThread.m_pControlBits != nullptr)
        {
            double tune = 0.0;
            double band = 0.0;
            try
            {
                tune = g_DeviceThread.m_pControlBits->GetTuneFreq() / 1000000.0;
                band = g_DeviceThread.m_pControlBits->GetSampleRate(-1) / 1000000.0;
            }
            catch (const std::exception&)
            {
                // No band entry to take the rate from: no lines this time.
                tune = 0.0;
            }
            if (tune > 0.0 && band > 0.0)
            {
                const QVector<IGraphic*> shown = m_Shown;
                for (IGraphic* pane : shown)
                {
                    if (auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(pane))
                    {
                        for (int i = 0; i < multi->GetRangeCount(); ++i)
                        {
                            const GraphicRange& range = multi->GetRange(i);
                            if (!(range.windowFrom <= tune && tune <= range.windowTo) ||
                                range.rect.width() <= 0)
                                continue;
                            // Each range has its own scale; the pane's own one is that of whichever
                            // range it mapped last.
                            const double u = (range.windowTo - range.windowFrom) / range.rect.width();
                            painter.setClipRect(range.rect);
                            DrawTuningLine(&painter, range.rect, tune, u, range.windowFrom,
                                           multi->m_pixelsPerPoint);
                            DrawBandwidthLines(&painter, range.rect, tune, band, u, range.windowFrom);
                        }
                    }
                    else if (auto* spectrum = dynamic_cast<CQSpectrumGraphic*>(pane))
                    {
                        const QRect plot = spectrum->GetPlotRect();
                        const double u = spectrum->GetXPerPixel();
                        const double x0 = spectrum->GetXFrom();
                        painter.setClipRect(plot);
                        DrawTuningLine(&painter, plot, tune, u, x0, spectrum->m_pixelsPerPoint);
                        DrawBandwidthLines(&painter, plot, tune, band, u, x0);
                    }
                }
            }
        }
        painter.setClipping(false);
        DrawOverloadWarning(&painter);
        if (!m_Shown.isEmpty())
            DrawCornerMark(&painter, m_Shown.last(), tr("Full"));
    }
    catch (const std::exception&)
    {
        // Nothing may leave a paint event; the panes are drawn already.
    }
}

void CRangeView::DrawTuningLine(QPainter* painter, const QRect& r, double f, double u, double x0, int width)
{
    int x = 0;
    if (!ToPixel(r.left() + (f - x0) / u, x))
        return;
    QPen pen(m_TuningLineColor);
    pen.setCosmetic(true);
    painter->setPen(pen);
    // Columns past the plot are clipped anyway; the cap keeps a huge width from looping for long.
    const int n = std::min(width == 0 ? 1 : width, r.width() + 1);
    for (int i = 0; i < n; ++i)
        painter->drawLine(x + i, r.top(), x + i, r.bottom());
}

void CRangeView::DrawBandwidthLines(QPainter* painter, const QRect& r, double f, double band, double u,
                                    double x0)
{
    int w = 0;
    int x = 0;
    if (!ToPixel(band / u, w) || !ToPixel(r.left() + (f - x0) / u, x))
        return;
    painter->setPen(
        QPen(QBrush(m_BandwidthColor, Qt::SolidPattern), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    const int h = w / 2;
    painter->drawLine(x - h, r.top(), x - h, r.bottom());
    painter->drawLine(x + h, r.top(), x + h, r.bottom());
}
