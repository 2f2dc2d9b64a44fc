#include <QAction>

#include <cmath>

#include "igraphic.h"
#include "inputrangedialog.h"
#include "oscillogramgraphic.h"
#include "prompt.h"
#include "viewbase.h"

// The oscillogram level trigger: the first block whose I samples reach the level asks the main
// window (by pause()) to freeze the view, so the block that crossed is the last one shown.

void CViewBase::EnableTrigger(bool on, bool suppressPause)
{
    m_bTrigger = on;
    m_bTriggerNoPause = suppressPause;
    // A trigger needs a still level scale: the line would wander with auto-scale.
    if (on)
    {
        if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(GetGraphic(QStringLiteral("Osc"))))
            osc->SetAutoScale(false, false);
    }
}

void CViewBase::CheckTrigger(const std::vector<double>& samples)
{
    if (!m_bTrigger || m_bTriggerNoPause)
        return;
    for (double sample : samples)
    {
        if (sample >= m_dTriggerLevel)
        {
            emit pause();
            return;
        }
    }
}

void CViewBase::OnEnableTrigger()
{
    if (auto* action = qobject_cast<QAction*>(sender()))
        EnableTrigger(action->isChecked(), false);
}

void CViewBase::OnSetTriggerLevel()
{
    CInputRangeDialog dialog(QStringLiteral("SetTriggerLevel"), nullptr);
    dialog.SetTexts(tr("Set Trigger Level"), tr("Trigger level:"), QString());
    dialog.AddUnit(tr("mV"), 1000.0);
    dialog.AddUnit(tr("uV"), 1000000.0);
    dialog.SetFirstValue(m_dTriggerLevel, 2);
    if (Prompt().Exec(dialog) != 1)
        return;
    const double level = dialog.GetFirstValue();
    // "nan" and "inf" parse as numbers; such a level could never be drawn or crossed.
    if (!std::isfinite(level))
        return;
    EnableTrigger(true, m_bPulseMode);
    m_dTriggerLevel = level;
    emit changedTriggerLevel(level);
}

void CViewBase::OnSetTriggerLevelHere()
{
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(GetGraphicAtPoint(m_PressPoint));
    if (osc == nullptr)
        return;
    // A click on the axis band arms the trigger and keeps the old level.
    EnableTrigger(true, m_bPulseMode);
    if (!osc->IsInPlot(m_PressPoint))
        return;
    // The row is mapped over the pane's whole area, not only its plot.
    const QRect r = osc->GetRect();
    if (r.top() == r.bottom())
        return;
    const double yFrom = osc->GetYFrom();
    const double yTo = osc->GetYTo();
    const double level = yFrom + (m_PressPoint.y() - r.bottom()) * (yTo - yFrom) / (r.top() - r.bottom()) -
                         osc->GetTraceOffset(0);
    m_dTriggerLevel = level;
    emit changedTriggerLevel(level);
}

void CViewBase::OnEnableAutoScale()
{
    const QVector<IGraphic*> shown = m_Shown;
    for (IGraphic* pane : shown)
    {
        auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
        if (osc == nullptr)
            continue;
        osc->SetAutoScale(!osc->IsAutoScale(), false);
        // Auto-scale moves the level scale, so the trigger goes off whichever way it was toggled.
        m_bTrigger = false;
        m_bTriggerNoPause = false;
    }
}
