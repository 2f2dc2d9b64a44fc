#include "histogramwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kBarGap = 7;
constexpr double kAutoFitStart = 30.0;
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

void CQHistogramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(7);
    painter.setFont(font);
    if (m_nContentWidth > 0)
        painter.translate(-m_nScrollOffset, 0);

    const int shown = static_cast<int>(std::count_if(
        m_Bars.begin(), m_Bars.end(), [](const HISTOGRAM_BAR& bar) { return bar.level > kNoLevel; }));
    if (shown == 0)
        return;

    const int barWidth =
        std::max((width() + kBarGap - kBarGap * shown - 2 * m_nMargin) / shown, m_nMinBarWidth);
    int labelHeight = 0;
    for (const HISTOGRAM_BAR& bar : m_Bars)
        labelHeight =
            std::max(labelHeight, painter.boundingRect(QRect(), Qt::AlignCenter, bar.label).height());

    const int base = 3 * m_nMargin - labelHeight;
    const double span = m_dUpperLevel - m_dLowerLevel;
    int x = m_nMargin;
    for (const HISTOGRAM_BAR& bar : m_Bars)
    {
        if (bar.level <= kNoLevel)
            continue;
        // Equal lower and upper levels leave no scale: such bars stand at the base length.
        const double share = span != 0.0 ? (bar.level - m_dLowerLevel) / span : 0.0;
        const int length = static_cast<int>((height() - base) * share + base);
        const int top = height() - 2 * m_nMargin - length - labelHeight;
        const int bottom = top + length;
        const QColor colour = top < 10 ? QColor(Qt::red) : QColor(Qt::cyan);
        const int brightLimit = std::max(top, barWidth / 3 + m_nMargin);
        for (int y = bottom; y > m_nMargin; y -= 3)
            painter.fillRect(x, y - 2, barWidth, 2, y > brightLimit ? colour : colour.darker(1200));

        QString text = bar.label;
        if (m_bShowValues)
            text += QLatin1Char('\n') + QString::number(bar.level, 'f', 1);
        painter.setPen(Qt::white);
        painter.drawText(QRect(x, bottom, barWidth, m_nMargin + labelHeight), Qt::AlignCenter, text);
        x += barWidth + kBarGap;
    }
    m_nContentWidth = x;
    if (m_nMargin + m_nContentWidth <= width())
        m_nScrollOffset = 0;
}

void CQHistogramWidget::mouseMoveEvent(QMouseEvent* event)
{
    setCursor(width() >= m_nContentWidth ? Qt::ArrowCursor : Qt::OpenHandCursor);
    if (event->buttons() & Qt::LeftButton)
    {
        const int candidate = m_nScrollOffset + (m_nLastMouseX - event->x());
        if (candidate >= 0 && width() <= std::abs(m_nContentWidth - candidate))
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
    const int grown = event->size().width() - event->oldSize().width();
    if (event->oldSize().width() >= 0 && grown > 0)
        m_nScrollOffset = std::max(0, m_nScrollOffset - grown);
    QWidget::resizeEvent(event);
}
