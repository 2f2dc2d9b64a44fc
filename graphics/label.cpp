#include "label.h"

#include <QPainter>

#include <algorithm>

CLabel::CLabel(QWidget* parent) : QLabel(parent)
{
}

void CLabel::SetData(bool wide, const short* samples, int byteCount)
{
    m_bHasData = samples != nullptr;
    const int sampleCount = samples != nullptr ? std::max(0, byteCount / 2) : 0;

    m_Trace.assign(wide ? kWidePoints : kNarrowPoints, kNoSample);
    if (wide)
    {
        for (int j = 0; j < kWidePoints; ++j)
        {
            const int first = j * kSamplesPerWidePoint;
            const int end = std::min(first + kSamplesPerWidePoint, sampleCount);
            if (first < end)
                m_Trace[static_cast<size_t>(j)] = *std::max_element(samples + first, samples + end);
        }
    }
    else
    {
        // Callers are meant to give a full 256 samples here; a shorter buffer is read only as far as
        // it goes.
        const int count = std::min(kNarrowPoints, sampleCount);
        std::copy(samples, samples + count, m_Trace.begin());
    }

    m_nMinimum = 10000;
    m_nMaximum = -10000;
    for (int point : m_Trace)
    {
        m_nMinimum = std::min(m_nMinimum, point);
        m_nMaximum = std::max(m_nMaximum, point);
    }
    m_nTop = std::max(m_nMaximum, m_nMinimum + kMinimumSpan);
}

void CLabel::paintEvent(QPaintEvent* event)
{
    if (!m_bHasData)
        return;
    QLabel::paintEvent(event);

    const QRect area = rect();
    const int w = area.width();
    const int h = area.height();
    QPainter painter(this);
    painter.setPen(Qt::red);
    painter.drawRect(area.x(), area.y(), w - 1, h - 1);

    painter.setPen(Qt::green);
    // Each point takes the columns its share of the inner width covers, as a bar up from the bottom
    // line h - 2. top is at least 600 above the minimum, so the scale never divides by zero.
    const double step = static_cast<double>(w - 3) / static_cast<double>(m_Trace.size());
    const qint64 scale = m_nTop - m_nMinimum;
    double covered = 0.0;
    int column = 1;
    for (int point : m_Trace)
    {
        const int bar = static_cast<int>(static_cast<qint64>(point - m_nMinimum) * (h - 2) / scale);
        covered += step;
        while (covered > column)
        {
            painter.drawLine(column, h - 2, column, h - 2 - bar);
            ++column;
        }
    }
}
