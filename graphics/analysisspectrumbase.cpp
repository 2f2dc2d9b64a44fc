#include "analysisspectrumbase.h"

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

CAnalysisSpectrumBase::CAnalysisSpectrumBase() = default;

CAnalysisSpectrumBase::~CAnalysisSpectrumBase() = default;

void CAnalysisSpectrumBase::ResetLabels()
{
    // resize(0) keeps the capacity: labels are redrawn on every paint.
    m_boxes.resize(0);
    m_textRects.resize(0);
    m_texts.resize(0);
    m_textSet.clear();
}

void CAnalysisSpectrumBase::DrawLabel(QPainter* painter, int left, int right, int x, int y,
                                      const QString& text)
{
    const LaidOutText& laidOut = LayOut(painter, text);
    QRect textRect = laidOut.bounds.translated(x, y);
    if (textRect.left() < left)
        textRect.moveLeft(left + 5);
    if (textRect.right() > right)
        textRect.moveLeft(right - textRect.width() - 5);
    if (ContainsText(text))
        return;

    QRect box(textRect.left() - 5, textRect.top() - 5, textRect.width() + 10, textRect.height() + 10);
    // Moving up never changes the box's columns, so only boxes sharing them can ever block it.
    m_blockers.resize(0);
    for (const QRect& drawn : m_boxes)
    {
        if (drawn.left() <= box.right() && box.left() <= drawn.right())
            m_blockers.push_back(drawn);
    }
    // Those share the box's columns already, so overlapping rows decide (QRect::intersects).
    const auto blocked = [this](const QRect& r)
    {
        return std::any_of(m_blockers.begin(), m_blockers.end(),
                           [&r](const QRect& b) { return b.top() <= r.bottom() && r.top() <= b.bottom(); });
    };
    while (blocked(box))
    {
        const int step = box.height() + 1;
        box.translate(0, -step);
        textRect.translate(0, -step);
    }
    m_boxes.push_back(box);
    m_textRects.push_back(textRect);
    m_texts.push_back(text);
    m_textSet.insert(text);
    if (!m_deferred)
        DrawLabelAt(painter, box, textRect, text);
}

void CAnalysisSpectrumBase::DrawLabelAt(QPainter* painter, const QRect& box, const QRect& textRect,
                                        const QString& text)
{
    // Boxes that climbed out of the clip cost nothing to draw. The outline reaches one pixel past
    // the box's right and bottom.
    if (painter->hasClipping() && !painter->clipBoundingRect().intersects(QRectF(box.adjusted(0, 0, 1, 1))))
        return;
    painter->setPen(QColor(Qt::lightGray));
    painter->setBrush(QColor(0, 0, 0, 200));
    painter->drawRects(&box, 1);
    painter->drawStaticText(textRect.topLeft(), LayOut(painter, text).text);
}

void CAnalysisSpectrumBase::PaintLabels(QPainter* painter)
{
    if (m_boxes.isEmpty())
        return;
    // The layer is drawn at one device pixel per unit; any other mapping draws directly.
    const bool layered = painter->device() != nullptr && painter->device()->devicePixelRatioF() == 1.0 &&
                         painter->transform().type() <= QTransform::TxTranslate;
    if (!layered)
    {
        for (int k = 0; k < m_boxes.size(); ++k)
            DrawLabelAt(painter, m_boxes[k], m_textRects[k], m_texts[k]);
        return;
    }

    QRect area;
    for (const QRect& box : m_boxes)
        area |= box.adjusted(0, 0, 1, 1);
    // Only what can show is rendered: boxes may climb far above the plot.
    const QPaintDevice* device = painter->device();
    area &= painter->transform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (painter->hasClipping())
        area &= painter->clipBoundingRect().toAlignedRect();
    if (area.isEmpty())
        return;

    const QFont font = painter->font();
    for (const LabelLayer& layer : m_layers)
    {
        if (layer.area == area && layer.font == font && layer.boxes == m_boxes &&
            layer.textRects == m_textRects && layer.texts == m_texts)
        {
            painter->drawImage(area.topLeft(), layer.image);
            return;
        }
    }

    // A new label set replaces the oldest layer.
    if (m_layers.size() < kMaxLayers)
        m_layers.resize(m_layers.size() + 1);
    LabelLayer& layer = m_layers[m_nextLayer % m_layers.size()];
    m_nextLayer = (m_nextLayer + 1) % kMaxLayers;
    if (layer.image.size() != area.size())
        layer.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.image.fill(Qt::transparent);
    QPainter layerPainter(&layer.image);
    layerPainter.setRenderHints(painter->renderHints());
    layerPainter.setFont(font);
    layerPainter.translate(-area.topLeft());
    layerPainter.setClipRect(area);
    for (int k = 0; k < m_boxes.size(); ++k)
        DrawLabelAt(&layerPainter, m_boxes[k], m_textRects[k], m_texts[k]);
    layerPainter.end();
    layer.area = area;
    layer.font = font;
    layer.boxes = m_boxes;
    layer.textRects = m_textRects;
    layer.texts = m_texts;
    painter->drawImage(area.topLeft(), layer.image);
}

const CAnalysisSpectrumBase::LaidOutText& CAnalysisSpectrumBase::LayOut(QPainter* painter,
                                                                        const QString& text)
{
    // Kept for as many texts as a paint can show; results with new frequencies replace the rest.
    constexpr int kMaxLayouts = 4096;
    if (painter->font() != m_layoutFont || m_layouts.size() >= kMaxLayouts)
    {
        m_layouts.clear();
        m_layoutFont = painter->font();
    }
    auto it = m_layouts.find(text);
    if (it == m_layouts.end())
    {
        LaidOutText laidOut;
        laidOut.bounds = painter->boundingRect(QRect(0, 0, 0, 0), Qt::AlignCenter, text);
        laidOut.text.setText(text);
        laidOut.text.setTextFormat(Qt::PlainText);
        laidOut.text.setPerformanceHint(QStaticText::AggressiveCaching);
        laidOut.text.prepare(QTransform(), painter->font());
        it = m_layouts.insert(text, laidOut);
    }
    return it.value();
}

int CAnalysisSpectrumBase::FindItem(const QVector<SPECTRUM_MARKER_ITEM>& items, const PixelColumn& column)
{
    for (int p = column.firstIndex; p <= column.lastIndex; ++p)
    {
        for (int k = 0; k < items.size(); ++k)
        {
            const SPECTRUM_MARKER_ITEM& item = items[k];
            if (item.state != kMarkerHidden && item.lowIndex <= p && p <= item.highIndex)
                return k;
        }
        if (p == column.lastIndex)  // no overflow past INT_MAX
            break;
    }
    return -1;
}

bool CAnalysisSpectrumBase::Intersects(const QRect& rect) const
{
    return std::any_of(m_boxes.begin(), m_boxes.end(),
                       [&rect](const QRect& b) { return b.intersects(rect); });
}

bool CAnalysisSpectrumBase::ContainsText(const QString& text) const
{
    return m_textSet.contains(text);
}

bool CAnalysisSpectrumBase::LevelToRow(double level, double yMin, double yMax, const QRect& plot, int& row)
{
    if (!std::isfinite(yMin) || !std::isfinite(yMax) || yMax == yMin || std::isnan(level))
        return false;
    const double y = plot.bottom() + (level - yMin) * (plot.top() - plot.bottom()) / (yMax - yMin);
    // Far outside the plot a label is out of sight anyway; the band keeps int conversion defined.
    const double band = 4.0 * plot.height() + 1000.0;
    const double clamped = std::min(std::max(y, plot.top() - band), plot.bottom() + band);
    row = static_cast<int>(std::trunc(clamped));
    return true;
}

void CAnalysisSpectrumBase::FindColumnItems(const std::vector<std::pair<int, int>>& spans,
                                            const std::vector<PixelColumn>& columns, std::vector<int>& out)
{
    out.assign(columns.size(), -1);
    if (columns.empty() || spans.empty())
        return;
    // The points the columns can ask about.
    int from = 0;
    int to = -1;
    bool any = false;
    for (const PixelColumn& c : columns)
    {
        if (c.firstIndex > c.lastIndex)
            continue;
        from = any ? std::min(from, c.firstIndex) : c.firstIndex;
        to = any ? std::max(to, c.lastIndex) : c.lastIndex;
        any = true;
    }
    if (!any)
        return;
    const long long width = static_cast<long long>(to) - from + 1;
    const size_t n = static_cast<size_t>(width);

    // cover[p - from] = lowest span index covering p. Spans are laid in list order and each point is
    // written once: m_next links every written point to the next point not yet written.
    m_cover.assign(n, -1);
    m_next.resize(n + 1);
    for (size_t i = 0; i <= n; ++i)
        m_next[i] = static_cast<int>(i);
    const auto findFree = [this](int i)
    {
        int root = i;
        while (m_next[static_cast<size_t>(root)] != root)
            root = m_next[static_cast<size_t>(root)];
        while (m_next[static_cast<size_t>(i)] != root)
        {
            const int up = m_next[static_cast<size_t>(i)];
            m_next[static_cast<size_t>(i)] = root;
            i = up;
        }
        return root;
    };
    for (size_t k = 0; k < spans.size(); ++k)
    {
        const long long low = std::max<long long>(spans[k].first, from);
        const long long high = std::min<long long>(spans[k].second, to);
        if (low > high)
            continue;
        int i = findFree(static_cast<int>(low - from));
        while (i <= high - from)
        {
            m_cover[static_cast<size_t>(i)] = static_cast<int>(k);
            m_next[static_cast<size_t>(i)] = i + 1;
            i = findFree(i + 1);
        }
    }

    // m_next now becomes: the first covered point at or after each point (n when none).
    m_next[n] = static_cast<int>(n);
    for (size_t i = n; i-- > 0;)
        m_next[i] = m_cover[i] >= 0 ? static_cast<int>(i) : m_next[i + 1];

    for (size_t c = 0; c < columns.size(); ++c)
    {
        const PixelColumn& column = columns[c];
        if (column.firstIndex > column.lastIndex)
            continue;
        const int first = m_next[static_cast<size_t>(column.firstIndex - from)];
        if (first <= column.lastIndex - from)
            out[c] = m_cover[static_cast<size_t>(first)];
    }
}
