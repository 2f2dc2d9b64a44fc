#include "analysisspectrumgraphic.h"

#include <QColor>
#include <QLine>
#include <QPainter>

#include "globals.h"

namespace
{
QPen Dimmed(const QPen& pen)
{
    QPen dim(pen);
    QColor colour = dim.color();
    colour.setAlpha(CQAnalysisSpectrumGraphic::kDimAlpha);
    dim.setColor(colour);
    return dim;
}

void DrawBatch(QPainter* painter, const QPen& pen, const std::vector<QLine>& lines)
{
    if (lines.empty())
        return;
    painter->setPen(pen);
    painter->drawLines(lines.data(), static_cast<int>(lines.size()));
}
}  // namespace

CQAnalysisSpectrumGraphic::CQAnalysisSpectrumGraphic()
{
    // Labels are placed column by column and drawn together over the finished trace.
    m_analysis.SetDeferred(true);
    m_knownFreq.SetDeferred(true);
}

CQAnalysisSpectrumGraphic::~CQAnalysisSpectrumGraphic() = default;

bool CQAnalysisSpectrumGraphic::IsXFixed()
{
    if (m_analysis.HasResults() && !m_templates.IsShown())
        return true;
    return CQGraphicBase::IsXFixed();
}

bool CQAnalysisSpectrumGraphic::IsXZoomed()
{
    if (m_analysis.HasResults())
        return true;
    return CQGraphicBase::IsXZoomed();
}

void CQAnalysisSpectrumGraphic::DrawTrace(QPainter* painter, int unprocessed, bool visible, const QPen& pen,
                                          const QPen& fillPen, const QRect& plot,
                                          const std::vector<PixelColumn>& columns)
{
    DrawAnalysisTrace(painter, unprocessed, visible, pen, fillPen, plot, columns, kSingleRangeKey, false);
}

void CQAnalysisSpectrumGraphic::DrawAnalysisTrace(QPainter* painter, int unprocessed, bool visible,
                                                  const QPen& pen, const QPen& fillPen, const QRect& plot,
                                                  const std::vector<PixelColumn>& columns, int rangeIndex,
                                                  bool otherNumbering)
{
    if (!visible)
        return;
    painter->save();
    painter->setClipRect(plot);
    m_analysis.ResetLabels();
    m_knownFreq.ResetLabels();

    const bool dimming = m_analysis.HasResults();
    const QPen dimPen = dimming ? Dimmed(pen) : pen;
    const QPen dimFillPen = dimming ? Dimmed(fillPen) : fillPen;

    m_fullLines.clear();
    m_dimLines.clear();
    m_fullFills.clear();
    m_dimFills.clear();
    const bool labels = unprocessed == 0 && (m_knownFreq.IsShown() || !m_templates.IsShown());
    if (unprocessed == 0)
    {
        m_analysis.FindColumnItems(columns, m_columnItems);
        if (m_knownFreq.IsShown())
            m_knownFreq.FindColumnItems(rangeIndex, columns, m_knownItems);
    }

    int prevMax = 0;
    int prevMin = 0;
    for (size_t c = 0; c < columns.size(); ++c)
    {
        const int x = plot.left() + static_cast<int>(c);
        const int maxRow = RowOf(columns[c].maxValue, plot);
        const int minRow = RowOf(columns[c].minValue, plot);
        if (c == 0)
        {
            prevMax = maxRow;
            prevMin = minRow;
        }
        if (unprocessed != 0)
        {
            // The threshold line stays opaque and carries no marks.
            m_fullLines.emplace_back(c == 0 ? plot.left() : x - 1, maxRow, x, maxRow);
        }
        else
        {
            const bool full = m_columnItems[c] >= 0;
            std::vector<QLine>& lines = full ? m_fullLines : m_dimLines;
            lines.emplace_back(x, maxRow, x, minRow);
            if (m_envelope)
            {
                // Rows grow downwards: a previous column wholly below has its top under our bottom.
                if (prevMax > minRow)
                    lines.emplace_back(x, prevMax, x, minRow);
                else if (prevMin < maxRow)
                    lines.emplace_back(x, prevMin, x, maxRow);
            }
            else
            {
                (full ? m_fullFills : m_dimFills).emplace_back(x, minRow, x, plot.bottom());
            }
        }
        prevMax = maxRow;
        prevMin = minRow;
    }
    // Each x belongs to one pen pair, so batching per pen draws the pixels of line-then-fill per
    // column. Without results both pairs are the trace's own pens, in the spectrum painter's order.
    if (dimming)
    {
        DrawBatch(painter, pen, m_fullLines);
        DrawBatch(painter, dimPen, m_dimLines);
        DrawBatch(painter, fillPen, m_fullFills);
        DrawBatch(painter, dimFillPen, m_dimFills);
    }
    else
    {
        m_fullLines.insert(m_fullLines.end(), m_dimLines.begin(), m_dimLines.end());
        m_fullFills.insert(m_fullFills.end(), m_dimFills.begin(), m_dimFills.end());
        DrawBatch(painter, pen, m_fullLines);
        DrawBatch(painter, fillPen, m_fullFills);
    }

    // Labels go over the whole trace, left to right, so that later labels climb over earlier ones.
    if (labels)
    {
        for (size_t c = 0; c < columns.size(); ++c)
        {
            const int x = plot.left() + static_cast<int>(c);
            if (m_knownFreq.IsShown())
                m_knownFreq.PaintItemLabel(painter, rangeIndex, m_knownItems[c], x, m_yFrom, m_yTo, plot,
                                           columns[c], otherNumbering);
            else
                m_analysis.PaintLabel(painter, x, m_yFrom, m_yTo, plot, m_columnItems[c], columns[c]);
        }
        if (m_knownFreq.IsShown())
            m_knownFreq.PaintLabels(painter);
        else
            m_analysis.PaintLabels(painter);
    }

    if (g_FreqOffset == 0.0 && m_templates.IsShown())
        m_templates.Paint(painter, unprocessed, plot, columns);
    painter->restore();
}
