// Mouse, wheel and resize handling of every signal view: dragging an axis cell moves one edge of the
// visible range, dragging inside a zoomed plot pans it, the wheel zooms around the pointer, and a
// double-click on an axis band asks for the range in a dialog. X changes go through the view's range
// operations (so every shown pane follows and the range view can re-tune its scan); the Y edits of
// a drag touch only the pane under the pointer.

#include <QApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "inputrangedialog.h"
#include "oscillogramgraphic.h"
#include "prompt.h"
#include "spectrumgraphic.h"
#include "utils.h"
#include "vectorgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

namespace
{
bool SweepIsOn()
{
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    return adf != nullptr && adf->IsEnabled();
}

bool IsWaterfall(IGraphic* pane)
{
    return dynamic_cast<CQWaterfallGraphic*>(pane) != nullptr;
}

// A waterfall's new time scale; the painter clamps it, this only keeps the conversion defined.
int TimeScale(double msPerRow)
{
    if (!std::isfinite(msPerRow))
        return 0;
    const double limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(msPerRow, -limit, limit)));
}

// Share of the plot extent between `from` and `to` pixels; 0 for a plot without extent.
double Fraction(int from, int to, int extent)
{
    return extent > 0 ? static_cast<double>(to - from) / extent : 0.0;
}

bool ConverterBandInUse()
{
    if (g_FreqOffset.load() > 0.0)
        return true;
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits == nullptr)
        return false;
    LMX2595_STRUCT lmx;
    bits->GetLMX2595_Struct(&lmx);
    return lmx.count != 0;
}

// The units a range dialog offers and how its limits are formatted (CUtils::FormatValue kinds).
struct RangeDialogSetup
{
    QString title;
    QString firstLabel;
    QString secondLabel;
    QVector<QPair<QString, double>> units;
    int valueKind = 0;
};
}  // namespace

bool CViewBase::CanZoomPane(IGraphic* pane)
{
    if (pane == nullptr || pane->IsXFixed())
        return false;
    const bool sweep = SweepIsOn();
    if (pane->GetPauseState() == 1 && sweep && !CanZoomWhilePaused())
        return false;
    if (m_bLoadedData && sweep)
        return false;
    return true;
}

bool CViewBase::ConfirmWaterfallReset()
{
    if (!m_bAskBeforeReset)
        return true;
    const QMessageBox::StandardButton answer = Prompt().Question(
        this, QApplication::applicationName(), tr("The waterfall will be reset. Do you want to continue?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    m_bAskBeforeReset = false;
    return true;
}

double CViewBase::XDragFactor(int x, QRect cell, bool fromRight)
{
    const int span = cell.right() - cell.left();
    if (span == 0)
        return 0.01;
    double factor = 0.0;
    if (fromRight)
        factor = std::abs((x - cell.right()) * 9.0 / (cell.left() - cell.right())) + 0.01;
    else
        factor = (x - cell.left()) * 9.0 / span + 0.01;
    // Left of the cell the plain formula turns negative and the drag would run backwards.
    return std::max(factor, 0.01);
}

double CViewBase::YDragFactor(int y, QRect cell)
{
    const int span = cell.top() - cell.bottom();
    if (span == 0)
        return 0.01;
    return std::abs((y - cell.bottom()) * 0.9 / span) + 0.01;
}

bool CViewBase::IsOnePlainPane() const
{
    return m_Shown.size() == 1 && !IsWaterfall(m_Shown.first());
}

void CViewBase::mousePressEvent(QMouseEvent* event)
{
    m_PressPoint = event->pos();
    m_DeltaAnchor = m_PressPoint;
    m_bButtonDown = true;
}

void CViewBase::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    m_bButtonDown = false;
}

void CViewBase::mouseMoveEvent(QMouseEvent* event)
{
    bool finished = false;
    try
    {
        finished = HandleMove(event);
    }
    catch (const std::exception&)
    {
        // A painter or the device refused mid-drag; the view keeps what was already applied.
    }
    // One synchronous paint per move, after the drag took effect: the position lines and readouts
    // read the pointer when they are drawn, so a second paint would show nothing new.
    repaint();
    if (finished)
        m_LastPoint = event->pos();
}

bool CViewBase::HandleMove(QMouseEvent* event)
{
    if (IsNoScreen())
    {
        setCursor(Qt::ArrowCursor);
        return false;
    }
    const QPoint pos = event->pos();
    IGraphic* pane = GetGraphicAtPoint(pos);
    if (pane == nullptr)
        return false;

    const double xFrom = pane->GetXFrom();
    const double xTo = pane->GetXTo();
    const double yFrom = pane->GetYFrom();
    const double yTo = pane->GetYTo();
    // Both positive when the pointer moved left or up.
    const double dx = (m_LastPoint.x() - pos.x()) * pane->GetXPerPixel();
    const double dy = (m_LastPoint.y() - pos.y()) * pane->GetYPerPixel();
    const bool paused = pane->GetPauseState() == 1;
    const bool leftHeld = (event->buttons() & Qt::LeftButton) != 0;
    const bool zoomed = pane->IsXZoomed() || pane->IsYZoomed();
    auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(pane);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);

    const bool canZoom = CanZoomPane(pane);
    const bool yFixed = pane->IsYFixed();
    if ((pane->IsInXLabel(pos, 0) || pane->IsInXLabel(pos, 1)) && canZoom)
        setCursor(Qt::SizeHorCursor);
    else if ((pane->IsInYLabel(pos, 0) || pane->IsInYLabel(pos, 1) || pane->IsInYLabel(pos, 2)) && !yFixed)
        setCursor(Qt::SizeVerCursor);
    else if (pane->IsInPlot(pos) && zoomed)
        setCursor(leftHeld ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    else
        setCursor(Qt::ArrowCursor);

    if (leftHeld)
    {
        const QPoint press = m_PressPoint;
        if (pane->IsInXLabel(press, 0) && canZoom)
        {
            const double k = XDragFactor(pos.x(), pane->GetXLabelRect(0), false);
            if (IsOnePlainPane() || ConfirmWaterfallReset())
                SetXFrom(xFrom - k * dx);
        }
        else if (pane->IsInXLabel(press, 1) && !pane->IsXFixed() && canZoom)
        {
            const double k = XDragFactor(pos.x(), pane->GetXLabelRect(1), true);
            if (IsOnePlainPane() || ConfirmWaterfallReset())
                SetXTo(xTo - k * dx);
        }
        else if (pane->IsInYLabel(press, 0) && !yFixed)
        {
            if (waterfall != nullptr)
                waterfall->SetTimeScale(TimeScale(waterfall->GetMsPerRow() + dy * 10.0));
            else
                pane->SetYWindow(yFrom + YDragFactor(pos.y(), pane->GetYLabelRect(0)) * dy, yTo);
        }
        else if (pane->IsInYLabel(press, 1) && !yFixed)
        {
            if (osc != nullptr)
            {
                osc->MoveTrace(0, dy);
                osc->MoveTrace(1, dy);
            }
            else
            {
                pane->ScrollY(dy);
            }
        }
        else if (pane->IsInYLabel(press, 2) && !yFixed)
        {
            if (waterfall != nullptr)
                waterfall->SetTimeScale(TimeScale(waterfall->GetMsPerRow() + dy * 10.0));
            else
                pane->SetYWindow(yFrom, yTo + YDragFactor(pos.y(), pane->GetYLabelRect(2)) * dy);
        }
        else if (pane->IsInPlot(pos) && zoomed)
        {
            // The content follows the pointer.
            if (waterfall == nullptr && pane->IsXZoomed() && !(paused && SweepIsOn()) &&
                (m_Shown.size() == 1 || ConfirmWaterfallReset()))
                ScrollX(dx);
            if (pane->IsYZoomed() && waterfall == nullptr)
                pane->ScrollY(-dy);
        }
        SyncPanes();
    }
    return true;
}

void CViewBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    try
    {
        const QPoint pos = event->pos();
        IGraphic* pane = GetGraphicAtPoint(pos);
        if (pane == nullptr)
            return;
        if (pane->IsInXAxis(pos))
        {
            if (!CanZoomPane(pane) || !(IsOnePlainPane() || ConfirmWaterfallReset()))
                return;
            // The converter band's frequencies are not the pane's: no typed range there, whatever
            // the axis shows.
            if (ConverterBandInUse())
            {
                Prompt().Warning(this, QApplication::applicationName(),
                                 tr("Not available in the '6-18 GHz' mode!"), QMessageBox::Ok);
                return;
            }
            RunXRangeDialog(pane);
        }
        else if (pane->IsInYAxis(pos) && !IsWaterfall(pane))
        {
            RunYRangeDialog(pane);
        }
    }
    catch (const std::exception&)
    {
        // A painter refused the range; the view keeps its old one.
    }
}

void CViewBase::RunXRangeDialog(IGraphic* pane)
{
    RangeDialogSetup setup;
    if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr || IsWaterfall(pane))
        setup = {tr("Frequency Range Input"),
                 tr("Start frequency:"),
                 tr("End frequency:"),
                 {{tr("MHz"), 1.0}, {tr("kHz"), 1000.0}},
                 2};
    else if (dynamic_cast<CQVectorGraphic*>(pane) != nullptr)
        setup = {tr("Amplitude Range Input"),
                 tr("Min amplitude:"),
                 tr("Max amplitude:"),
                 {{tr("mV"), 1000.0}, {tr("uV"), 1000000.0}},
                 3};
    else if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
        setup = {tr("Time Range Input"),
                 tr("Start moment:"),
                 tr("End moment:"),
                 {{tr("ms"), 1000.0}, {tr("us"), 1000000.0}},
                 1};
    else
        return;

    for (;;)
    {
        CInputRangeDialog dialog(QStringLiteral("FrequencyRangeInput"), this);
        dialog.SetTexts(setup.title, setup.firstLabel, setup.secondLabel);
        for (const auto& unit : setup.units)
            dialog.AddUnit(unit.first, unit.second);
        dialog.SetFirstValue(pane->GetXFrom(), 2);
        dialog.SetSecondValue(pane->GetXTo(), 2);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        const double a = dialog.GetFirstValue();
        const double b = dialog.GetSecondValue();
        const double xMin = pane->GetXMin();
        const double xMax = pane->GetXMax();
        if (xMin <= a && a < b && b <= xMax)
        {
            SetXFrom(a);
            SetXTo(b);
            return;
        }
        Prompt().Warning(this, QApplication::applicationName(),
                         tr("Wrong range specified! Acceptable range is %1 to %2")
                             .arg(CUtils::FormatValue(xMin, setup.valueKind, 4),
                                  CUtils::FormatValue(xMax, setup.valueKind, 4)),
                         QMessageBox::Ok);
    }
}

void CViewBase::RunYRangeDialog(IGraphic* pane)
{
    QVector<QPair<QString, double>> units;
    int valueKind = 0;
    if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr)
    {
        units = {{tr("dBm"), 1.0}};
        valueKind = 0;
    }
    else if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
    {
        units = {{tr("mV"), 1000.0}, {tr("uV"), 1000000.0}};
        valueKind = 3;
    }
    else
    {
        return;
    }

    for (;;)
    {
        CInputRangeDialog dialog(QStringLiteral("AmplitudeRangeInput"), this);
        dialog.SetTexts(tr("Amplitude Range Input"), tr("Min value:"), tr("Max value:"));
        for (const auto& unit : units)
            dialog.AddUnit(unit.first, unit.second);
        dialog.SetFirstValue(pane->GetYFrom(), 2);
        dialog.SetSecondValue(pane->GetYTo(), 2);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        const double a = dialog.GetFirstValue();
        const double b = dialog.GetSecondValue();
        const double yMin = pane->GetYMin();
        const double yMax = pane->GetYMax();
        if (yMin <= a && a < b && b <= yMax)
        {
            SetYWindow(a, b);
            return;
        }
        Prompt().Warning(
            this, QApplication::applicationName(),
            tr("Wrong range specified! Acceptable range is %1 to %2")
                .arg(CUtils::FormatValue(yMin, valueKind, 4), CUtils::FormatValue(yMax, valueKind, 4)),
            QMessageBox::Ok);
    }
}

void CViewBase::wheelEvent(QWheelEvent* event)
{
    try
    {
        const QPoint pos = event->position().toPoint();
        IGraphic* pane = GetGraphicAtPoint(pos);
        if (pane == nullptr)
            return;
        auto* wfb = dynamic_cast<CQWaterfallGraphicBase*>(pane);
        auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
        const QRect plot = pane->GetPlotRect();
        // 120 per notch of a standard wheel, positive away from the user.
        const int delta = event->angleDelta().y();
        const int d = delta * 10;
        const double dx = d * pane->GetXPerPixel();
        const double dy = d * pane->GetYPerPixel() / 25.0;
        const double fl = Fraction(plot.left(), pos.x(), plot.width()) / 10.0;
        const double fr = Fraction(pos.x(), plot.right(), plot.width()) / 10.0;
        const double ft = Fraction(plot.top(), pos.y(), plot.height());
        const double xFrom = pane->GetXFrom();
        const double xTo = pane->GetXTo();
        const double yFrom = pane->GetYFrom();
        const double yTo = pane->GetYTo();
        // The X pair keeps the value under the pointer in place; away from the user widens.
        const double newXFrom = xFrom - fl * dx;
        const double newXTo = xTo + fr * dx;
        const double newYFrom = yFrom - ft * dy;
        const double newYTo = yTo + (1.0 - ft) * dy;
        const bool yFixed = pane->IsYFixed();

        if (pane->IsInXLabel(pos, 0) && CanZoomPane(pane))
        {
            if ((m_Shown.size() == 1 && wfb == nullptr) || ConfirmWaterfallReset())
                SetXFrom(newXFrom);
        }
        else if (pane->IsInXLabel(pos, 1) && CanZoomPane(pane))
        {
            if ((m_Shown.size() == 1 && wfb == nullptr) || ConfirmWaterfallReset())
                SetXTo(newXTo);
        }
        else if (pane->IsInYLabel(pos, 0) && !yFixed)
        {
            if (wfb != nullptr)
                wfb->SetTimeScale(wfb->GetMsPerRow() + d / 50);
            else
                SetYWindow(newYFrom, yTo);
        }
        else if (pane->IsInYLabel(pos, 1) && !yFixed)
        {
            if (osc != nullptr)
                osc->MoveTrace(0, dy);
            else if (wfb != nullptr)
                pane->ScrollY(static_cast<double>(delta / 10));
            else
                pane->ScrollY(dy);
        }
        else if (pane->IsInYLabel(pos, 2) && !yFixed)
        {
            if (wfb == nullptr)
                SetYWindow(yFrom, newYTo);
        }
        else if (plot.contains(pos))
        {
            if (wfb != nullptr)
                pane->ScrollY(static_cast<double>(delta / 10));
            else if (CanZoomPane(pane) && (m_Shown.size() == 1 || ConfirmWaterfallReset()))
                SetXWindow(newXFrom, newXTo);
        }
        SyncPanes();
        update();
    }
    catch (const std::exception&)
    {
        // A painter refused the change; nothing else to undo.
    }
}

void CViewBase::resizeEvent(QResizeEvent* /*event*/)
{
    const int n = m_Shown.size();
    if (n == 0)
        return;
    const QRect whole = rect();
    try
    {
        if (n == 1)
        {
            m_Shown.first()->SetRect(whole);
            return;
        }
        // Rows left over at the bottom belong to no pane.
        const int h = whole.height() / n;
        for (int i = 0; i < n; ++i)
            m_Shown[i]->SetRect(QRect(whole.left(), whole.top() + i * h, whole.width(), h));
    }
    catch (const std::exception&)
    {
        // A waterfall that could not rebuild its image for the new size stays blank until the next.
    }
}
