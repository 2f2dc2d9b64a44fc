#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QStaticText>
#include <QString>
#include <QVector>

#include <utility>
#include <vector>

#include "pixelcolumn.h"
#include "spectrummarkeritem.h"

class QPainter;

// Common base of the spectrum overlays: finding the marker of a pixel column and drawing labels as
// small dark boxes that never overlap. During one trace drawing it remembers every box and text it
// has drawn; a new box climbs until it meets no earlier box, and a text already drawn is skipped.
class CAnalysisSpectrumBase
{
public:
    CAnalysisSpectrumBase();
    virtual ~CAnalysisSpectrumBase();

    // Forgets the boxes and texts drawn so far (the painter calls it before each trace).
    void ResetLabels();
    // Draws one boxed label centred on (x, y), kept between the left and right limits. While
    // deferred, the label is placed and remembered but drawn only by PaintLabels.
    void DrawLabel(QPainter* painter, int left, int right, int x, int y, const QString& text);
    // Deferred drawing lets a painter draw all labels of a trace at once, over the whole trace.
    void SetDeferred(bool deferred) { m_deferred = deferred; }
    // Draws the labels placed since ResetLabels. They are rendered into a layer that is reused as
    // long as the same labels land on the same places, which is every paint while the results stay.
    void PaintLabels(QPainter* painter);
    // The first marker (lowest list index) that is not hidden and covers a point of the column,
    // scanning the column's points upwards; -1 when none or when the column is empty (first > last).
    static int FindItem(const QVector<SPECTRUM_MARKER_ITEM>& items, const PixelColumn& column);
    bool Intersects(const QRect& rect) const;
    bool ContainsText(const QString& text) const;

    // Pixel row of a level in the plot for a Y window [yMin, yMax]; false when the window is empty
    // or not finite, or the level is not a number (nothing can be placed then). Rows far outside
    // the plot are clamped to a band around it, which keeps the conversion to int defined.
    static bool LevelToRow(double level, double yMin, double yMax, const QRect& plot, int& row);

    // The FindItem answer of every column at once, for spans given as inclusive point ranges
    // {first, last} in list order (a span with first > last never matches). Costs one pass over
    // the points the columns cover plus one over the spans, whatever their number, instead of
    // points x spans; the results equal a FindItem per column.
    void FindColumnItems(const std::vector<std::pair<int, int>>& spans,
                         const std::vector<PixelColumn>& columns, std::vector<int>& out);

    // The boxes and texts drawn since the last ResetLabels, in drawing order.
    const QVector<QRect>& GetLabelBoxes() const { return m_boxes; }
    const QVector<QString>& GetLabelTexts() const { return m_texts; }

protected:
    QVector<QRect> m_boxes;
    QVector<QRect> m_textRects;
    QVector<QString> m_texts;
    // The same texts, for the lookup that every label makes.
    QSet<QString> m_textSet;

private:
    // A label text laid out once: its bounding rectangle when centred on (0, 0), and the glyphs.
    struct LaidOutText
    {
        QRect bounds;
        QStaticText text;
    };
    const LaidOutText& LayOut(QPainter* painter, const QString& text);

    // Labels are redrawn on every paint with mostly the same texts; laying them out once per font
    // keeps a paint with hundreds of labels within the data tick.
    QHash<QString, LaidOutText> m_layouts;
    QFont m_layoutFont;

    void DrawLabelAt(QPainter* painter, const QRect& box, const QRect& textRect, const QString& text);

    bool m_deferred = false;
    // A rendered set of labels and what it shows.
    struct LabelLayer
    {
        QImage image;
        QRect area;
        QFont font;
        QVector<QRect> boxes;
        QVector<QRect> textRects;
        QVector<QString> texts;
    };
    // One layer per label set drawn in a paint: the multi-range painter draws one set per range.
    static constexpr int kMaxLayers = 4;
    QVector<LabelLayer> m_layers;
    int m_nextLayer = 0;

    // Scratch of DrawLabel: the drawn boxes that share a new box's columns.
    QVector<QRect> m_blockers;
    // Scratch of FindColumnItems, kept to avoid allocating on every paint.
    std::vector<int> m_cover;
    std::vector<int> m_next;
};
