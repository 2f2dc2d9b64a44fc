#include "templatespectrum.h"

#include <QPainter>

CTemplateSpectrum::CTemplateSpectrum() = default;

CTemplateSpectrum::~CTemplateSpectrum() = default;

void CTemplateSpectrum::Add(const SPECTRUM_MARKER_ITEM& item)
{
    m_items.push_back(item);
}

void CTemplateSpectrum::Clear()
{
    m_items.resize(0);
}

QColor CTemplateSpectrum::ColorOf(int colorIndex)
{
    static const Qt::GlobalColor kColors[kColorCount] = {
        Qt::red,        Qt::green,     Qt::blue,     Qt::magenta,  Qt::yellow,
        Qt::darkRed,    Qt::darkGreen, Qt::darkBlue, Qt::darkCyan, Qt::darkMagenta,
        Qt::darkYellow, Qt::darkGray,  Qt::gray,     Qt::lightGray};
    const int index = ((colorIndex % kColorCount) + kColorCount) % kColorCount;
    QColor colour(kColors[index]);
    colour.setAlpha(150);
    return colour;
}

void CTemplateSpectrum::Paint(QPainter* painter, int skip, const QRect& plot,
                              const std::vector<PixelColumn>& columns)
{
    if (skip != 0 || m_items.isEmpty())
        return;
    m_spans.clear();
    for (const SPECTRUM_MARKER_ITEM& item : m_items)
    {
        if (item.state == kMarkerHidden)
            m_spans.emplace_back(1, 0);
        else
            m_spans.emplace_back(item.lowIndex, item.highIndex);
    }
    FindColumnItems(m_spans, columns, m_columnItems);
    for (size_t c = 0; c < columns.size(); ++c)
    {
        const int k = m_columnItems[c];
        if (k < 0)
            continue;
        const int x = plot.left() + static_cast<int>(c);
        painter->fillRect(QRect(x, plot.top(), 1, plot.height()), ColorOf(m_items[k].colorIndex));
    }
}
