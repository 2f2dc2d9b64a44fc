// The band view's own painting and mouse: the tune label at the top of the first pane (a click on it
// asks for a frequency, the wheel over one of its digits turns that digit), re-tuning by dragging the
// whole-band spectrum sideways, moving the I and Q traces apart, and "BND" in the axis corner. The
// view never tunes the device itself: every new frequency leaves through changeDdcFreq.

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <exception>

#include "ddcview.h"
#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "inputrangedialog.h"
#include "oscillogramgraphic.h"
#include "prompt.h"
#include "spectrumgraphic.h"
#include "utils.h"
#include "waterfallgraphic.h"

namespace
{
// The channel type whose band is not tuned from the view (no label there).
constexpr int kUntunedType = 4;

bool IsSpectrumPane(IGraphic* pane)
{
    return dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr;
}

// A rectangle from `left`, `top` whose width and height are the right and bottom coordinates of the
// number's box: wide enough for whatever is drawn into it left-aligned.
QRect TextCell(int left, const QRect& number)
{
    return QRect(left, number.top(), number.right(), number.bottom());
}
}  // namespace

std::optional<double> CDdcView::TuneMHz()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits == nullptr)
        return std::nullopt;
    try
    {
        return bits->GetTuneFreq() / 1e6;
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

QString CDdcView::TuneLabelText(double mhz)
{
    if (mhz <= 1.0)
        return tr("%1 kHz").arg(mhz * 1000.0, 0, 'f', 2, QLatin1Char(' '));
    return tr("%1 MHz").arg(mhz, 0, 'f', 5, QLatin1Char(' '));
}

void CDdcView::paintEvent(QPaintEvent* event)
{
    if (m_Shown.isEmpty())
        return;
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    CViewBase::paintEvent(event);
    try
    {
        QPainter painter(this);
        if (!IsNoScreen())
        {
            // Where a drag or the wheel would move the I or the Q pair.
            painter.setPen(
                QPen(QBrush(QColor(127, 127, 127)), 1.0, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
            for (IGraphic* pane : m_Shown)
            {
                if (dynamic_cast<CQOscillogramGraphic*>(pane) == nullptr || !pane->IsInYLabel(pointer, 1))
                    continue;
                const QRect cell = pane->GetYLabelRect(1);
                painter.drawLine(cell.left(), cell.center().y(), cell.right(), cell.center().y());
            }
            if (g_DeviceThread.GetChannelType() != kUntunedType && !m_bLoadedData)
                DrawTuneLabel(&painter, pointer);
        }
        DrawCornerMark(&painter, m_Shown.first(), tr("BND"));
    }
    catch (const std::exception&)
    {
        // Nothing may leave a paint event; the panes are drawn already.
    }
}

void CDdcView::DrawTuneLabel(QPainter* painter, QPoint pointer)
{
    const std::optional<double> mhz = TuneMHz();
    if (!mhz)
        return;
    const QString text = TuneLabelText(*mhz);
    const int blank = text.indexOf(QLatin1Char(' '));
    const QString number = blank < 0 ? text : text.left(blank);
    const QString unit = blank < 0 ? QString() : text.mid(blank + 1);

    m_DigitBoxes.clear();
    const QFont savedFont = painter->font();
    painter->setPen(Qt::green);
    painter->setBrush(QBrush(Qt::black, Qt::SolidPattern));
    painter->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Normal, false));
    const QRect plot = m_Shown.first()->GetPlotRect();
    QRect box;
    painter->drawText(QRect(plot.center().x(), plot.top() + 30, 0, 0), Qt::AlignHCenter | Qt::AlignVCenter,
                      number, &box);
    // On the converter band the label only shows the frequency: it cannot be tuned there.
    if (g_FreqOffset.load() > 0.0)
    {
        painter->setFont(savedFont);
        return;
    }
    m_TuneBox = box.adjusted(-10, -10, 10, 10);
    painter->drawRoundedRect(m_TuneBox, 10.0, 10.0, Qt::AbsoluteSize);
    const bool active = isActiveWindow();
    int x = 0;
    for (const QChar c : number)
    {
        QRect digit;
        painter->setPen(Qt::green);
        painter->drawText(TextCell(box.left() + x, box), Qt::AlignLeft, QString(c), &digit);
        if (c != QLatin1Char('.'))
            m_DigitBoxes.append(digit);
        x += digit.width();
        // The digit the wheel would turn stands out.
        painter->setPen(active && digit.contains(pointer) ? Qt::yellow : Qt::green);
        painter->drawText(digit, Qt::AlignLeft, QString(c));
    }
    painter->setPen(Qt::green);
    painter->drawText(TextCell(box.left() + x, box), Qt::AlignLeft, QLatin1Char(' ') + unit);
    painter->setFont(savedFont);
}

void CDdcView::mousePressEvent(QMouseEvent* event)
{
    CViewBase::mousePressEvent(event);
    if (!m_bTuningEnabled || !m_TuneBox.contains(event->pos()))
        return;
    try
    {
        RunTuningDialog();
    }
    catch (const std::exception&)
    {
        // The device could not tell its frequency or channel; nothing was asked for.
    }
}

void CDdcView::RunTuningDialog()
{
    const std::optional<double> tune = TuneMHz();
    if (!tune)
        return;
    double f = *tune;
    for (;;)
    {
        CInputRangeDialog dialog(QStringLiteral("ChangeBandFrequency"));
        dialog.SetTexts(tr("Change Tune Frequency"), tr("Tune frequency:"), QString());
        switch (g_DeviceThread.GetChannelType())
        {
            case 0:
            case 3:
                dialog.AddUnit(tr("MHz"), 1.0);
                break;
            case 1:
            case 2:
                dialog.AddUnit(tr("MHz"), 1.0);
                dialog.AddUnit(tr("kHz"), 1000.0);
                break;
            case 6:
                dialog.AddUnit(tr("kHz"), 1000.0);
                break;
            default:
                // The value is typed in MHz without a unit to choose.
                break;
        }
        dialog.SetFirstValue(f, 5);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        const double v = dialog.GetFirstValue();
        if (v > 0.0 && v <= g_DeviceThread.GetMaxFreq(-1))
        {
            emit changeDdcFreq(v);
            return;
        }
        IChannel* channel = g_DeviceThread.GetChannel(-1);
        if (channel == nullptr)
            return;
        const double lo = channel->GetStartFreq();
        const double hi = channel->GetStopFreq();
        Prompt().Warning(this, QApplication::applicationName(),
                         tr("Frequency must be within the range (%1 - %2)!")
                             .arg(CUtils::FormatValue(lo, 2, 4), CUtils::FormatValue(hi, 2, 4)),
                         QMessageBox::Ok);
        f = std::min(std::max(v, lo), hi);
    }
}

void CDdcView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    if (IsNoScreen() || m_TuneBox.contains(pos))
    {
        setCursor(Qt::ArrowCursor);
        return;
    }
    IGraphic* pane = GetGraphicAtPoint(pos);
    if (pane == nullptr)
        return;
    bool dragRegion = false;
    try
    {
        const bool leftHeld = (event->buttons() & Qt::LeftButton) != 0;
        const int dx = pos.x() - m_LastPoint.x();
        const double dy = (m_LastPoint.y() - pos.y()) * pane->GetYPerPixel();
        // The band follows the pointer only while the whole band is shown; a zoomed spectrum pans.
        dragRegion = IsSpectrumPane(pane) && !m_bLoadedData && m_bTuningEnabled && pane->IsInPlot(pos) &&
                     std::abs(pane->GetXFrom() - pane->GetXMin()) < 0.001 &&
                     std::abs(pane->GetXTo() - pane->GetXMax()) < 0.001;
        if (dragRegion)
        {
            setCursor(Qt::SplitHCursor);
            if (leftHeld)
            {
                if (const std::optional<double> tune = TuneMHz())
                    emit changeDdcFreq(*tune - dx * pane->GetXPerPixel());
            }
        }
        auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
        if (osc != nullptr && leftHeld && pane->IsInYLabel(m_PressPoint, 1) && !pane->IsYFixed() &&
            m_PressPoint.y() > pane->GetYLabelRect(1).center().y())
        {
            // Pressed in the lower half: the Q pair moves. The base handler below moves the I pair
            // by dy, which this cancels.
            osc->MoveTrace(2, dy);
            osc->MoveTrace(3, dy);
            osc->MoveTrace(0, -dy);
            osc->MoveTrace(1, -dy);
        }
    }
    catch (const std::exception&)
    {
        // No frequency to follow; the pointer moves on.
    }
    if (dragRegion)
    {
        m_LastPoint = pos;
        repaint();
        return;
    }
    CViewBase::mouseMoveEvent(event);
}

void CDdcView::TuneDigit(int digit, int delta, IGraphic* pane)
{
    const std::optional<double> tune = TuneMHz();
    if (!tune)
        return;
    const double f = *tune;
    const bool kHz = f <= 1.0;
    const QString number = tr("%1").arg(kHz ? f * 1000.0 : f, 0, 'f', pane->GetXPrecision());
    const int point = number.indexOf(QLatin1Char('.'));
    // The digit's place relative to the point: 100 for the first of "433.92000", 0.1 for the "9".
    const int k = digit - point + 1;
    double weight = std::pow(10.0, -k);
    if (kHz)
        weight /= 1000.0;
    // One notch (120) turns the digit by one; carries run into its neighbours.
    emit changeDdcFreq(f + (delta * 10 / 1200) * weight);
}

void CDdcView::wheelEvent(QWheelEvent* event)
{
    const QPoint pos = event->position().toPoint();
    IGraphic* pane = GetGraphicAtPoint(pos);
    if (pane == nullptr)
        return;
    try
    {
        const int delta = event->angleDelta().y();
        for (int i = 0; i < m_DigitBoxes.size(); ++i)
        {
            if (m_DigitBoxes[i].contains(pos))
            {
                TuneDigit(i, delta, pane);
                return;
            }
        }
        if (m_TuneBox.contains(pos))
            return;
        auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane);
        if (osc != nullptr && pane->IsInYLabel(pos, 1) && !pane->IsYFixed())
        {
            // The base handler moves trace 0; above the cell's centre the I pair moves together,
            // below it the Q pair moves and the I pair stays.
            const double step = delta * 10 * pane->GetYPerPixel() / 25.0;
            osc->MoveTrace(1, step);
            if (pos.y() > pane->GetYLabelRect(1).center().y())
            {
                osc->MoveTrace(2, step);
                osc->MoveTrace(0, -step);
                osc->MoveTrace(3, step);
                osc->MoveTrace(1, -step);
            }
        }
    }
    catch (const std::exception&)
    {
        // No frequency to turn; the base handler still zooms.
    }
    CViewBase::wheelEvent(event);
}
