#include "spectrumgraphicbase.h"

#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>

CQSpectrumGraphicBase::CQSpectrumGraphicBase() = default;

CQSpectrumGraphicBase::~CQSpectrumGraphicBase() = default;

void CQSpectrumGraphicBase::SetXAxisBand(int height, int divisions)
{
    m_xAxisHeight = height;
    m_xDivisions = std::max(divisions, 1);
}

void CQSpectrumGraphicBase::SetXAxisColors(const QBrush& brush, const QPen& pen)
{
    m_xAxisBrush = brush;
    m_xAxisPen = pen;
}

void CQSpectrumGraphicBase::SetYAxisBand(int width, int divisions)
{
    m_yAxisWidth = width;
    m_yDivisions = std::max(divisions, 1);
}

void CQSpectrumGraphicBase::SetYAxisColors(const QBrush& brush, const QPen& pen)
{
    m_yAxisBrush = brush;
    m_yAxisPen = pen;
}

void CQSpectrumGraphicBase::SetBackground(const QBrush& brush)
{
    m_background = brush;
}

void CQSpectrumGraphicBase::SetGridPen(const QPen& pen)
{
    m_gridPen = pen;
}

void CQSpectrumGraphicBase::SetRect(QRect rect)
{
    m_rect = rect;
}

QRect CQSpectrumGraphicBase::GetXLabelRect(int i)
{
    const QRect plot = GetPlotRect();
    const int w = plot.width() / m_xDivisions;
    return QRect(m_rect.left() + m_yAxisWidth + w * i, plot.bottom() + 2, w, m_xAxisHeight);
}

QRect CQSpectrumGraphicBase::GetYLabelRect(int i)
{
    // Cell 0 is the lowest; the cells overlap by one row so that the band has no gaps.
    const QRect plot = GetPlotRect();
    const int h = plot.height() / m_yDivisions;
    return QRect(m_rect.left(), plot.bottom() - (i + 1) * h, m_yAxisWidth, h + 1);
}

double CQSpectrumGraphicBase::GetXPerPixel()
{
    const int width = m_columnMap.rect.width();
    return width > 0 ? (m_columnMap.viewTo - m_columnMap.viewFrom) / width : 0.0;
}

double CQSpectrumGraphicBase::GetYPerPixel()
{
    const int height = m_columnMap.rect.height();
    return height > 0 ? (m_columnMap.yTo - m_columnMap.yFrom) / height : 0.0;
}

void CQSpectrumGraphicBase::SetXFrom(double value)
{
    // Index-axis mode has no frequency steps to protect: the window follows the request.
    if (m_indexAxis)
        m_xFrom = std::max(value, m_xMin);
    else
        CQGraphicBase::SetXFrom(value);
}

void CQSpectrumGraphicBase::SetXTo(double value)
{
    if (m_indexAxis)
        m_xTo = std::min(value, m_xLimit);
    else
        CQGraphicBase::SetXTo(value);
}

double CQSpectrumGraphicBase::GetMinAtPoint(int, const QPoint&)
{
    return 0.0;
}

double CQSpectrumGraphicBase::GetMaxAtPoint(int, const QPoint&)
{
    return 0.0;
}

int CQSpectrumGraphicBase::GetXDecimalsCode()
{
    return 2;
}

int CQSpectrumGraphicBase::GetYDecimalsCode()
{
    return 0;
}

QString CQSpectrumGraphicBase::GetXUnit(double magnitude, double& scale)
{
    // Magnitudes are MHz.
    if (magnitude < 0.001)
    {
        scale = 1000000.0;
        return tr("Hz");
    }
    if (magnitude < 1.0)
    {
        scale = 1000.0;
        return tr("kHz");
    }
    scale = 1.0;
    return tr("MHz");
}

QString CQSpectrumGraphicBase::GetYUnit(double, double& scale)
{
    scale = 1.0;
    return tr("dBm");
}

int CQSpectrumGraphicBase::RowOf(double value, const QRect& plot) const
{
    const double row = plot.bottom() + (value - m_yFrom) * (plot.top() - plot.bottom()) / (m_yTo - m_yFrom);
    const double low = plot.top() - plot.height() - 16.0;
    const double high = plot.bottom() + plot.height() + 16.0;
    if (!(row >= low))  // also NaN: a level of no meaning lands under the plot, out of sight
        return std::isnan(row) ? static_cast<int>(high) : static_cast<int>(low);
    if (row > high)
        return static_cast<int>(high);
    return static_cast<int>(std::trunc(row));
}

void CQSpectrumGraphicBase::DrawTrace(QPainter* painter, int unprocessed, bool visible, const QPen& pen,
                                      const QPen& fillPen, const QRect& plot,
                                      const std::vector<PixelColumn>& columns)
{
    if (!visible || columns.empty())
        return;
    painter->save();
    painter->setClipRect(plot);
    m_lines.clear();
    m_fills.clear();
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
            m_lines.emplace_back(c == 0 ? plot.left() : x - 1, maxRow, x, maxRow);
        }
        else
        {
            m_lines.emplace_back(x, maxRow, x, minRow);
            if (m_envelope)
            {
                // Rows grow downwards: a previous column wholly below has its top under our bottom.
                if (prevMax > minRow)
                    m_lines.emplace_back(x, prevMax, x, minRow);
                else if (prevMin < maxRow)
                    m_lines.emplace_back(x, prevMin, x, maxRow);
            }
            else
            {
                m_fills.emplace_back(x, minRow, x, plot.bottom());
            }
        }
        prevMax = maxRow;
        prevMin = minRow;
    }
    // One batch per pen draws the same pixels as line-then-fill per column: each fill starts on its
    // own column's line end and no other column touches that x.
    painter->setPen(pen);
    painter->drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
    if (!m_fills.empty())
    {
        painter->setPen(fillPen);
        painter->drawLines(m_fills.data(), static_cast<int>(m_fills.size()));
    }
    painter->restore();
}
