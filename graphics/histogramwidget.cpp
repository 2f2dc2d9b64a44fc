#include "histogramwidget.h"

#include <QColor>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kBarGap = 7;
constexpr int kSegmentStep = 3;
constexpr int kSegmentHeight = 2;
constexpr double kAutoFitStart = 30.0;
// Far beyond any widget, near enough to zero that the pixel arithmetic stays inside int.
constexpr double kLengthLimit = 1.0e6;
}  // namespace

CQHistogramWidget::CQHistogramWidget(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void CQHistogramWidget::AutoFit()
{
    const double span = m_dUpperLevel - m_dLowerLevel;
    double lowest = kAutoFitStart;
    for (const HISTOGRAM_BAR& bar : m_Bars)
    {
        if (bar.level < lowest && bar.level > kNoLevel)
            lowest = bar.level;
    }
    m_dLowerLevel = lowest - 1.0;
    m_dUpperLevel = m_dLowerLevel + span;
}

void CQHistogramWidget::Reset()
{
    m_nScrollOffset = 0;
}

QRectF CQHistogramWidget::ScrollThumb(const QRect& strip, int widgetWidth, int contentWidth, int scrollOffset)
{
    const QRectF area(strip);
    const double scale = contentWidth != 0 ? area.width() / contentWidth : 0.0;
    double width = widgetWidth * scale;
    if (width < 0.0)
        width = 1.0;
    double left = area.left() + scrollOffset * scale + 2.0;
    if (width > area.width())
    {
        // Everything in view.
        width = area.width() - 4.0;
        left = area.left() + 2.0;
    }
    else if (left + width > area.right())
    {
        width = std::max(0.0, area.right() - 1.0 - left);
    }
    return QRectF(left, area.top() + 2.0, width, area.height() - 3.0);
}

void CQHistogramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(7);
    painter.setFont(font);
    if (m_nContentWidth > 0)
        painter.setViewport(-m_nScrollOffset, 0, width(), height());

    const int shown = static_cast<int>(std::count_if(
        m_Bars.begin(), m_Bars.end(), [](const HISTOGRAM_BAR& bar) { return bar.level > kNoLevel; }));
    if (shown == 0)
    {
        // Nothing to scroll: the next bars start at the left edge again.
        m_nContentWidth = m_nMargin;
        m_nScrollOffset = 0;
        return;
    }

    const int barWidth =
        std::max((width() + kBarGap - kBarGap * shown - 2 * m_nMargin) / shown, m_nMinBarWidth);
    int labelHeight = 0;
    for (const HISTOGRAM_BAR& bar : m_Bars)
        labelHeight =
            std::max(labelHeight, painter.boundingRect(QRect(), Qt::AlignCenter, bar.label).height());

    const int widgetHeight = height();
    const int base = 3 * m_nMargin - labelHeight;
    const double span = m_dUpperLevel - m_dLowerLevel;
    const int valueHeight = barWidth / 3;
    const QColor dim = QColor(Qt::cyan).darker(1200);
    int x = m_nMargin;
    for (const HISTOGRAM_BAR& bar : m_Bars)
    {
        if (bar.level <= kNoLevel)
            continue;
        // Equal lower and upper levels leave no scale: such bars stand at the base length. Infinite
        // levels or limits end at the clamp rather than in an out-of-range conversion.
        double exact = span != 0.0 ? (widgetHeight - base) * (bar.level - m_dLowerLevel) / span + base : base;
        if (std::isnan(exact))
            exact = base;
        const int length = static_cast<int>(std::clamp(exact, -kLengthLimit, kLengthLimit));
        const int top = widgetHeight - 2 * m_nMargin - length - labelHeight;
        const int bottom = top + length;

        // LED segments from the bottom up: lit up to the bar's top, but never into the room the value
        // needs under the top margin; unlit up to the margin.
        const QColor lit = top < 10 ? QColor(Qt::red) : QColor(Qt::cyan);
        const int litEdge = std::max(top, valueHeight + m_nMargin);
        int y = bottom;
        for (; y > litEdge; y -= kSegmentStep)
            painter.fillRect(x, y, barWidth, kSegmentHeight, lit);
        for (; y > m_nMargin; y -= kSegmentStep)
            painter.fillRect(x, y, barWidth, kSegmentHeight, dim);

        painter.setPen(Qt::white);
        painter.drawText(QRect(x, bottom, barWidth, m_nMargin + labelHeight), Qt::AlignCenter, bar.label);
        if (m_bShowValues)
            painter.drawText(QRect(x, litEdge - valueHeight, barWidth, valueHeight), Qt::AlignCenter,
                             QString::number(bar.level, 'f', 1));
        x += barWidth + kBarGap;
    }
    m_nContentWidth = x;
    // All content in view: nothing to scroll. Bars laid out to fill the widget end 7 - margin pixels
    // (and the rounding of the bar width) short of its edge, so an offset kept from a longer bar list
    // would leave them shifted out of sight where no drag can bring them back. This paint used the
    // old offset, hence the repaint.
    if (m_nContentWidth <= width() && m_nScrollOffset != 0)
    {
        m_nScrollOffset = 0;
        update();
    }

    painter.setViewTransformEnabled(false);
    PaintScrollStrip(painter);
}

void CQHistogramWidget::PaintScrollStrip(QPainter& painter) const
{
    // The strip fills the bottom margin; its outline runs on its outermost pixels.
    const QRect strip(0, height() - m_nMargin, width(), m_nMargin);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(strip.adjusted(0, 0, -1, -1));
    painter.fillRect(ScrollThumb(strip, width(), m_nContentWidth, m_nScrollOffset), Qt::white);
}

void CQHistogramWidget::mouseMoveEvent(QMouseEvent* event)
{
    setCursor(width() >= m_nContentWidth ? Qt::ArrowCursor : Qt::OpenHandCursor);
    if (event->buttons() & Qt::LeftButton)
    {
        // Refused when it would scroll before the first bar or leave less than a widget width of
        // bars in view, past the last bar included.
        const int candidate = m_nScrollOffset + (m_nLastMouseX - event->x());
        if (candidate >= 0 && width() <= m_nContentWidth - candidate)
        {
            m_nScrollOffset = candidate;
            update();
        }
    }
    m_nLastMouseX = event->x();
    m_nLastMouseY = event->y();
}

void CQHistogramWidget::resizeEvent(QResizeEvent* event)
{
    // The first resize comes from an invalid old size and is no growth.
    const int grown = event->size().width() - event->oldSize().width();
    if (event->oldSize().width() >= 0 && grown > 0)
        m_nScrollOffset = std::max(0, m_nScrollOffset - grown);
    QWidget::resizeEvent(event);
}
