#include "multirangesgraphicbase.h"

#include <algorithm>
#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "imultiadf4350.h"

CQMultiRangesGraphicBase::CQMultiRangesGraphicBase() = default;

CQMultiRangesGraphicBase::~CQMultiRangesGraphicBase() = default;

void CQMultiRangesGraphicBase::SetRangeData(int index, const std::vector<double>& data)
{
    if (index < 0 || index >= m_ranges.size() || m_pauseState == 1)
        return;
    m_ranges[index].data = data;
    if (m_pauseState == 2)
        m_pauseState = 1;
}

void CQMultiRangesGraphicBase::AddRange(const QString& name, double from, double to)
{
    // Every range is kept, even one without span: index i here is index i of the device's sweep list.
    GraphicRange range;
    range.name = name;
    range.from = from;
    range.to = to;
    range.windowFrom = from;
    range.windowTo = to;
    m_ranges.append(range);
    LayoutRanges();
}

void CQMultiRangesGraphicBase::ClearRanges()
{
    m_ranges.clear();
}

void CQMultiRangesGraphicBase::SetRangeRect(int, const QRect&)
{
}

void CQMultiRangesGraphicBase::LayoutRanges()
{
    if (m_ranges.isEmpty())
        return;
    // A range without a usable span gets an empty column instead of dividing the layout by zero.
    auto spanOf = [](const GraphicRange& range)
    {
        const double span = range.windowTo - range.windowFrom;
        return std::isfinite(span) && span > 0.0 ? span : 0.0;
    };
    double total = 0.0;
    for (const GraphicRange& range : m_ranges)
        total += spanOf(range);
    const int areaWidth = m_rect.width() - m_yAxisWidth;
    const int height = m_rect.height() - m_margin - m_xAxisHeight;
    int x = m_rect.left() + m_yAxisWidth;
    for (int i = 0; i < m_ranges.size(); ++i)
    {
        GraphicRange& range = m_ranges[i];
        int w = 0;
        if (std::isfinite(total) && total > 0.0 && areaWidth > 0)
            w = static_cast<int>(spanOf(range) * areaWidth / total);
        // A pane too small for the bands gets empty columns rather than negative ones.
        range.rect = QRect(x, m_rect.top(), std::max(w - m_margin, 0), std::max(height, 0));
        SetRangeRect(i, range.rect);
        x += w;
    }
}

int CQMultiRangesGraphicBase::RangeAt(const QPoint& point) const
{
    for (int i = 0; i < m_ranges.size(); ++i)
    {
        if (m_ranges[i].rect.adjusted(0, 0, 0, m_xAxisHeight).contains(point))
            return i;
    }
    return -1;
}

int CQMultiRangesGraphicBase::HoverRange() const
{
    return RangeAt(m_hoverPoint);
}

bool CQMultiRangesGraphicBase::SetRangeWindow(int index, double from, double to)
{
    if (index < 0 || index >= m_ranges.size() || !std::isfinite(from) || !std::isfinite(to) || !(to > from))
        return false;
    GraphicRange& range = m_ranges[index];
    if (from < range.from || to > range.to)
        return false;
    range.windowFrom = from;
    range.windowTo = to;
    return true;
}

int CQMultiRangesGraphicBase::RangeOfFreq(double freq) const
{
    for (int i = 0; i < m_ranges.size(); ++i)
    {
        if (m_ranges[i].windowFrom <= freq && freq <= m_ranges[i].windowTo)
            return i;
    }
    return -1;
}

int CQMultiRangesGraphicBase::ColumnOfFreq(int index, double freq) const
{
    if (index < 0 || index >= m_ranges.size())
        return -1;
    const GraphicRange& range = m_ranges[index];
    const int width = range.rect.width();
    const double span = range.windowTo - range.windowFrom;
    if (width <= 0 || !(span > 0.0) || !(range.windowFrom <= freq && freq <= range.windowTo))
        return -1;
    // The window's upper end belongs to the last column.
    const int column = static_cast<int>((freq - range.windowFrom) * width / span);
    return range.rect.left() + std::min(column, width - 1);
}

void CQMultiRangesGraphicBase::SetSynthesizer(IMultiAdf4350* synthesizer)
{
    m_pSynthesizer = synthesizer;
    m_synthesizerSet = true;
}

IMultiAdf4350* CQMultiRangesGraphicBase::Synthesizer() const
{
    return m_synthesizerSet ? m_pSynthesizer : g_DeviceThread.m_pMultiAdf;
}

bool CQMultiRangesGraphicBase::ApplyRangeWindow(int index, double from, double to)
{
    // SetRangeWindow refuses an empty, inverted or non-finite window and one outside the range; such
    // a window must never become the sweep of the device.
    if (!SetRangeWindow(index, from, to))
        return false;
    // The synthesizer does not test the index: only ranges it holds are re-tuned.
    IMultiAdf4350* synthesizer = Synthesizer();
    if (synthesizer != nullptr && index < synthesizer->GetRangeCount())
        synthesizer->SetRange(index, from, to);
    RangeWindowApplied(index);
    return true;
}

void CQMultiRangesGraphicBase::RangeWindowApplied(int)
{
}

void CQMultiRangesGraphicBase::SetHoverRangeFrom(double value)
{
    const int index = HoverRange();
    if (index < 0 || std::isnan(value))
        return;
    const GraphicRange& range = m_ranges[index];
    ApplyRangeWindow(index, std::max(value, range.from), range.windowTo);
}

void CQMultiRangesGraphicBase::SetHoverRangeTo(double value)
{
    const int index = HoverRange();
    if (index < 0 || std::isnan(value))
        return;
    const GraphicRange& range = m_ranges[index];
    ApplyRangeWindow(index, range.windowFrom, std::min(value, range.to));
}
