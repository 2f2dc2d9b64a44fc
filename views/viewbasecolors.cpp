#include <QPen>

#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "spectrumgraphic.h"
#include "viewbase.h"

namespace
{
// A custom colour counts only when its switch is exactly 1. The stored value is 0xRRGGBB; an alpha
// byte above it is ignored, so the colour is always opaque.
QColor CustomColor(const char* key, const QColor& defaultColor)
{
    const QString section = QStringLiteral("Colors");
    if (g_Parameters.GetUInt(section, QLatin1String(key), 0) != 1)
        return defaultColor;
    const unsigned rgb = g_Parameters.GetUInt(section, QLatin1String(key) + QStringLiteral("Color"), 0);
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}
}  // namespace

void CViewBase::ApplyColors()
{
    // Every registered pane, shown or not; the keys are read again per pane so that a change made
    // meanwhile reaches the panes after it.
    const QList<IGraphic*> panes = m_Graphics.values();
    for (IGraphic* pane : panes)
    {
        pane->SetBackground(QBrush(CustomColor("CustomBackground", Qt::black), Qt::SolidPattern));

        if (auto* spectrum = dynamic_cast<CQSpectrumGraphic*>(pane))
        {
            // The painter indexes its traces unchecked; a pane trimmed to fewer traces keeps the rest.
            const QColor live = CustomColor("CustomSpectrum", Qt::cyan);
            const QColor second(Qt::green);
            if (spectrum->GetTraceCount() > 1)
            {
                spectrum->SetPen(1, QPen(live));
                spectrum->SetTracePen(1, QPen(live.darker(150)));
            }
            if (spectrum->GetTraceCount() > 2)
            {
                spectrum->SetPen(2, QPen(second));
                spectrum->SetTracePen(2, QPen(second.darker(150)));
            }
        }

        if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane))
        {
            osc->SetPen(0, QPen(CustomColor("CustomOsc1", Qt::green)));
            osc->SetPen(2, QPen(CustomColor("CustomOsc2", Qt::blue)));
        }

        m_DeltaCursorColor = CustomColor("CustomDeltaCursor", Qt::lightGray);
        m_PositionLinesColor = CustomColor("CustomPositionLines", Qt::lightGray);
    }
}
