// Painting of a signal view: the panes draw themselves, and the view draws the instrument overlays
// on top of them - the trigger line, the delta cursor, the highlight of the axis cell a drag would
// act on, the position lines with the readout box at the pointer, the information box at the plot's
// top right and the blinking caption. Or, on the wired channels without a probe, only a message.

#include <QCursor>
#include <QFont>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <exception>

#include "devicethread.h"
#include "globals.h"
#include "igraphic.h"
#include "ikelthar.h"
#include "oscillogramgraphic.h"
#include "spectrumgraphic.h"
#include "utils.h"
#include "vectorgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

namespace
{
const QColor kBoxBrush(0, 0, 0, 200);
const QColor kCellHighlight(127, 127, 127, 80);
const QColor kDeltaShade(0, 0, 0, 50);

// The value right-aligned in a field of 12 characters, as the level box lines them up.
QString LevelField(double volts)
{
    return QStringLiteral("%1").arg(CUtils::FormatValue(volts, 3, 3), 12, QLatin1Char(' '));
}

// A double in the range a qint64 holds, truncated; 0 for what is not a number.
qint64 TruncateMs(double ms)
{
    if (!std::isfinite(ms))
        return 0;
    const double limit = 9.0e18;
    return static_cast<qint64>(std::clamp(ms, -limit, limit));
}
}  // namespace

void CViewBase::paintEvent(QPaintEvent* /*event*/)
{
    if (m_Shown.isEmpty())
        return;
    try
    {
        const QPoint pointer = mapFromGlobal(QCursor::pos());
        QPainter painter(this);
        if (IsNoScreen())
        {
            DrawProbeScreen(&painter);
            return;
        }
        const QFont savedFont = painter.font();
        const bool active = isActiveWindow();
        // A copy: a pane reacting to its paint must not disturb the iteration.
        const QVector<IGraphic*> shown = m_Shown;
        for (IGraphic* pane : shown)
            PaintPane(&painter, pane, pointer, active);
        if (m_bLoadedData)
            DrawCaption(&painter, tr("Loaded data"));
        else if (!m_InfoText.isEmpty())
            DrawCaption(&painter, m_InfoText);
        painter.setFont(savedFont);
    }
    catch (const std::exception&)
    {
        // Nothing may leave a paint event; what was drawn so far stays.
    }
}

void CViewBase::DrawProbeScreen(QPainter* painter)
{
    QString text = QStringLiteral("No probe");
    const int type = g_DeviceThread.GetChannelType();
    IKelthar* core = g_DeviceThread.m_pKelthar;
    if ((type == 2 || type == 4) && core != nullptr)
    {
        switch (core->GetProbeStatus())
        {
            case 0:
            case 2:
                text = tr("Plug in the probe of the WIRE-channel");
                break;
            case 1:
                text = tr("Checking of the probe of WIRE-channel");
                break;
            case 3:
                text = tr("The wrong probe is plugged");
                break;
            default:
                break;
        }
    }
    const QFont savedFont = painter->font();
    painter->setFont(QFont(QStringLiteral("Arial"), 17));
    painter->setClipRect(rect());
    painter->fillRect(rect(), Qt::black);
    painter->setPen(Qt::white);
    painter->drawText(rect(), Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->setFont(savedFont);
}

void CViewBase::PaintPane(QPainter* painter, IGraphic* pane, QPoint pointer, bool active)
{
    painter->setFont(QFont(QStringLiteral("Arial"), 7));
    try
    {
        pane->Paint(painter, m_nPaintMode);
    }
    catch (const std::exception&)
    {
        // A waterfall whose history is out of order: the pane stays blank this time.
    }
    painter->setFont(QFont(QStringLiteral("Arial"), 9));
    painter->setClipRect(rect(), Qt::ReplaceClip);
    const QRect plot = pane->GetPlotRect();

    if (m_bTrigger)
    {
        if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane))
        {
            const double yFrom = pane->GetYFrom();
            const double span = pane->GetYTo() - yFrom;
            const double row =
                plot.bottom() +
                ((osc->GetTraceOffset(0) + m_dTriggerLevel - yFrom) * (plot.top() - plot.bottom())) / span;
            // No line for a flat Y window or a level that is not a number.
            if (span != 0.0 && !std::isnan(row))
            {
                const int y = static_cast<int>(std::trunc(
                    std::clamp(row, static_cast<double>(plot.top()), static_cast<double>(plot.bottom()))));
                painter->setPen(Qt::red);
                painter->drawLine(plot.left(), y, plot.right(), y);
            }
        }
    }

    if (m_bDeltaCursor)
    {
        painter->setPen(QPen(QBrush(m_DeltaCursorColor), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
        const QPoint a = m_DeltaAnchor;
        painter->drawLine(a.x(), plot.bottom(), a.x(), plot.top());
        painter->drawLine(plot.left(), a.y(), plot.right(), a.y());
        if (active)
        {
            painter->drawLine(pointer.x(), plot.bottom(), pointer.x(), plot.top());
            painter->drawLine(plot.left(), pointer.y(), plot.right(), pointer.y());
        }
        painter->fillRect(QRect(a, pointer).normalized(), kDeltaShade);
    }

    if (!active)
        return;

    // While a button is held the highlight stays on the cell the drag started in.
    const QPoint reference = m_bButtonDown ? m_PressPoint : pointer;
    if (!pane->IsXFixed())
    {
        for (int i = 0; i < 2; ++i)
        {
            if (pane->IsInXLabel(reference, i))
            {
                painter->fillRect(pane->GetXLabelRect(i), kCellHighlight);
                break;
            }
        }
    }
    if (!pane->IsYFixed())
    {
        // The cell that holds the point, as for X (a test of the whole band would always light
        // the bottom cell).
        for (int i = 0; i < 3; ++i)
        {
            if (pane->IsInYLabel(reference, i))
            {
                painter->fillRect(pane->GetYLabelRect(i), kCellHighlight);
                break;
            }
        }
    }

    QString readout;
    if (pane->IsInPlot(pointer))
    {
        m_PositionLinesColor.setAlpha(200);
        painter->setPen(QPen(QBrush(m_PositionLinesColor), 1.0, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawLine(plot.left(), pointer.y(), plot.right(), pointer.y());
        painter->drawLine(pointer.x(), plot.bottom(), pointer.x(), plot.top());
        readout = CursorReadoutText(pane, pointer.x(), pointer.y());
    }

    const QString information = InformationText(pane, pointer);

    if (!readout.isEmpty())
    {
        const QRect size =
            painter->boundingRect(QRect(pointer, QSize(0, 0)), Qt::AlignHCenter | Qt::AlignVCenter, readout);
        const int w = size.width();
        const int h = size.height();
        // Above right of the pointer; left of it near the plot's right edge, below it near the top.
        QRect r(pointer.x() + 10, pointer.y() - h - 10, w, h);
        if (r.right() + 10 > plot.right())
            r.translate(-(20 + w), 0);
        if (r.top() - 10 < plot.top())
            r.translate(0, h + 20);
        DrawTextBox(painter, r, readout);
    }

    if (!information.isEmpty())
    {
        const QRect r = painter->boundingRect(QRect(plot.right() - 10, plot.top() + 10, 0, 0),
                                              Qt::AlignRight | Qt::AlignTop, information);
        DrawTextBox(painter, r, information);
    }
}

QString CViewBase::InformationText(IGraphic* pane, QPoint pointer)
{
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(pane))
    {
        const qint64 total = waterfall->GetRangeEnd() - waterfall->GetRangeStart();
        const qint64 visible = waterfall->GetWindowEnd() - waterfall->GetWindowStart();
        if (total == visible)
            return tr("Total time: %1").arg(CUtils::FormatValue(total, 4, 4));
        return tr("Total time: %1\nVisible time: %2")
            .arg(CUtils::FormatValue(total, 4, 4), CUtils::FormatValue(visible, 4, 4));
    }
    const bool inPlot = pane->IsInPlot(pointer);
    if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr)
    {
        if (!inPlot)
            return QString();
        return tr("Levels in current position\nMin Level: %1 dBm\nMax Level: %2 dBm")
            .arg(pane->GetMinAtPoint(1, pointer), 0, 'f', 1)
            .arg(pane->GetMaxAtPoint(1, pointer), 0, 'f', 1);
    }
    if (dynamic_cast<CQVectorGraphic*>(pane) != nullptr)
        return QString();
    if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr && inPlot)
    {
        const double minQ = pane->GetMinAtPoint(2, pointer);
        const QString minI = LevelField(pane->GetMinAtPoint(0, pointer));
        const QString maxI = LevelField(pane->GetMaxAtPoint(0, pointer));
        // No Q channel: its minimum reads exactly 0.
        if (minQ == 0.0)
            return tr("Levels in current position\n Level min: %1\n Level max: %2").arg(minI, maxI);
        return tr("Levels in current position\nChannel I\n Level min: %1\n Level max: %2").arg(minI, maxI) +
               tr("\nChannel Q\n Level min: %1\n Level max: %2")
                   .arg(LevelField(minQ), LevelField(pane->GetMaxAtPoint(2, pointer)));
    }
    return QString();
}

void CViewBase::DrawTextBox(QPainter* painter, const QRect& textRect, const QString& text)
{
    painter->setPen(Qt::lightGray);
    painter->setBrush(QBrush(kBoxBrush, Qt::SolidPattern));
    painter->drawRect(textRect.adjusted(-5, -5, 5, 5));
    painter->drawText(textRect, Qt::AlignLeft, text);
}

void CViewBase::DrawCaption(QPainter* painter, const QString& text)
{
    int& c = m_nInfoBlink;
    if (c > 0)
    {
        --c;
        return;
    }
    if (c < -5)
        c = 2;
    const QRect size = painter->boundingRect(QRect(40, 0, 0, 0), Qt::AlignHCenter | Qt::AlignVCenter, text);
    const int w = size.width();
    const int h = size.height();
    QRect r(50, -10 - h, w, h);
    if (r.right() + 10 > rect().right())
        r.translate(-(20 + w), 0);
    // Always true from the start above the widget: the caption's top lands at y = 10.
    if (r.top() - 10 < rect().top())
        r.translate(0, h + 20);
    DrawTextBox(painter, r, text);
    --c;
}

double CViewBase::WaterfallMsPerPixel(CQWaterfallGraphicBase* waterfall)
{
    const int height = waterfall->GetRect().height();
    if (height <= 0)
        return 0.0;
    return static_cast<double>(waterfall->GetWindowEnd() - waterfall->GetWindowStart()) / height;
}

double CViewBase::FreqAtPixel(IGraphic* pane, QRect plot, int px)
{
    const double offset = g_FreqOffset.load();
    const std::vector<double>& table = g_DeviceThread.m_FreqTable;
    const auto n = static_cast<qint64>(table.size());
    if (n > 0 && plot.width() > 0)
    {
        // While scanning the sweep covers exactly the visible window, so the table spreads over
        // the plot width; entries of 0.0 are points of no known frequency.
        const double index = std::trunc(static_cast<double>(px) * n / plot.width());
        if (index >= 0.0 && index < static_cast<double>(n))
        {
            const double freqMHz = table[static_cast<size_t>(index)];
            if (freqMHz != 0.0)
                return freqMHz + offset;
        }
    }
    return pane->GetXFrom() + px * pane->GetXPerPixel() + offset;
}

QString CViewBase::CursorReadoutText(IGraphic* pane, int x, int y)
{
    if (pane == nullptr || !pane->IsInPlot(QPoint(x, y)))
        return QString();
    const QRect plot = pane->GetPlotRect();
    const int ax = m_DeltaAnchor.x();
    const int ay = m_DeltaAnchor.y();
    const bool delta = m_bDeltaCursor;
    const double xFrom = pane->GetXFrom();
    const double yFrom = pane->GetYFrom();
    const double xPerPixel = pane->GetXPerPixel();
    const double yPerPixel = pane->GetYPerPixel();
    auto level = [&](int row) { return yFrom + (plot.bottom() - row) * yPerPixel; };
    auto time = [&](int column) { return xFrom + (column - plot.left()) * xPerPixel; };
    auto freq = [&](int column) { return FreqAtPixel(pane, plot, column - plot.left()); };

    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(pane))
    {
        const double msPerPixel = WaterfallMsPerPixel(waterfall);
        const qint64 start = waterfall->GetWindowStart();
        auto stamp = [&](int row) { return start + TruncateMs((plot.bottom() - row) * msPerPixel); };
        if (!delta)
            return tr("Cursor position\nFrequency: %1\nTime: %2")
                .arg(CUtils::FormatValue(freq(x), 2, 2), CUtils::FormatValue(stamp(y), 4, 4));
        const qint64 t0 = stamp(ay);
        const qint64 t1 = stamp(y);
        return tr("Delta cursor:\n from %1 to %2 = %3\n from %4 to %5 = %6")
            .arg(CUtils::FormatValue(freq(ax), 2, 2), CUtils::FormatValue(freq(x), 2, 2),
                 CUtils::FormatValue(freq(x) - freq(ax), 2, 2), CUtils::FormatValue(t0, 4, 4),
                 CUtils::FormatValue(t1, 4, 4), CUtils::FormatValue(std::llabs(t1 - t0), 5, 4));
    }
    if (dynamic_cast<CQSpectrumGraphic*>(pane) != nullptr)
    {
        const int decimals = pane->GetXPrecision();
        if (!delta)
            return tr("Cursor position\nFrequency: %1\nLevel: %2")
                .arg(CUtils::FormatValue(freq(x), 2, decimals), CUtils::FormatValue(level(y), 0, 2));
        return tr("Delta cursor:\n from %1 to %2 = %3\n from %4 to %5 = %6")
            .arg(CUtils::FormatValue(freq(ax), 2, decimals), CUtils::FormatValue(freq(x), 2, decimals),
                 CUtils::FormatValue(freq(x) - freq(ax), 2, decimals), CUtils::FormatValue(level(ay), 0, 2),
                 CUtils::FormatValue(level(y), 0, 2),
                 CUtils::FormatValue(std::abs(level(y) - level(ay)), 0, 2));
    }
    if (dynamic_cast<CQVectorGraphic*>(pane) != nullptr)
        return QString();
    if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
    {
        if (!delta)
            return tr("Time: %1\nLevel: %2")
                .arg(CUtils::FormatValue(time(x), 1, 3), CUtils::FormatValue(level(y), 3, 3));
        const double period = std::abs(time(x) - time(ax));
        // The frequency whose period is the time difference; none for one column.
        const QString frequency =
            period > 0.0 ? CUtils::FormatValue((1.0 / period) / 1000000.0, 2, 2) : QString();
        return tr("Delta cursor:\n from %1 to %2 = %3 (%4)\n from %5 to %6 = %7")
            .arg(CUtils::FormatValue(time(ax), 1, 3), CUtils::FormatValue(time(x), 1, 3),
                 CUtils::FormatValue(time(x) - time(ax), 1, 3), frequency,
                 CUtils::FormatValue(level(ay), 3, 3), CUtils::FormatValue(level(y), 3, 3),
                 CUtils::FormatValue(std::abs(level(y) - level(ay)), 3, 3));
    }
    return QString();
}

void CViewBase::DrawCornerMark(QPainter* painter, IGraphic* pane, const QString& text)
{
    const QRect yAxis = pane->GetYAxisRect();
    const QRect xAxis = pane->GetXAxisRect();
    const QRect corner(yAxis.left(), xAxis.top(), yAxis.width(), xAxis.height());
    painter->setClipRect(corner);
    painter->setPen(Qt::white);
    painter->drawText(corner, Qt::AlignHCenter | Qt::AlignVCenter, text);
}
