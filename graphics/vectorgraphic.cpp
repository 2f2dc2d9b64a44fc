#include "vectorgraphic.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <exception>

CQVectorGraphic::CQVectorGraphic()
{
    SetTraceCount(4);
}

CQVectorGraphic::~CQVectorGraphic() = default;

void CQVectorGraphic::SetIQData(const std::vector<double>& i, const std::vector<double>& q)
{
    SetData(0, i);
    SetData(2, q);
}

void CQVectorGraphic::SetSamples(int n)
{
    m_samples = std::max(n, 0);
}

void CQVectorGraphic::SetShowLines(bool lines)
{
    m_showLines = lines;
}

QRect CQVectorGraphic::VectorPlotRect() const
{
    return QRect(m_rect.left() + m_yAxisWidth, m_rect.top(), m_rect.width() - m_yAxisWidth - m_margin,
                 m_rect.height() - m_xAxisHeight - m_margin);
}

QRect CQVectorGraphic::VectorXBandRect() const
{
    const QRect plot = VectorPlotRect();
    return QRect(m_rect.left() + m_yAxisWidth, plot.bottom(), plot.width(), m_xAxisHeight);
}

QRect CQVectorGraphic::VectorYBandRect() const
{
    const QRect plot = VectorPlotRect();
    return QRect(m_rect.left(), plot.top(), m_yAxisWidth, plot.height());
}

int CQVectorGraphic::GetXDecimalsCode()
{
    return GetYDecimalsCode();
}

QString CQVectorGraphic::GetXUnit(double magnitude, double& scale)
{
    // Both axes are volts.
    return GetYUnit(magnitude, scale);
}

bool CQVectorGraphic::IsXFixed()
{
    return true;
}

bool CQVectorGraphic::IsYFixed()
{
    return true;
}

void CQVectorGraphic::SymmetricWindow(const std::vector<double>& data, double& from, double& to)
{
    bool found = false;
    double lo = 0.0;
    double hi = 0.0;
    for (double v : data)
    {
        if (!std::isfinite(v))
            continue;
        if (!found)
        {
            lo = hi = v;
            found = true;
        }
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (!found)
        return;
    if (std::abs(lo) <= std::abs(hi))
        lo = -hi;
    else
        hi = -lo;
    from = 1.1 * lo;
    to = 1.1 * hi;
}

void CQVectorGraphic::Paint(QPainter* painter, int mode)
{
    if (painter == nullptr)
        return;
    painter->save();
    try
    {
        PaintPane(painter, mode);
    }
    catch (const std::exception&)
    {
        // Out of memory for the point list: the pane stays as far as it was drawn.
    }
    painter->restore();
}

void CQVectorGraphic::PaintPane(QPainter* painter, int mode)
{
    const size_t n = static_cast<size_t>(std::max(m_samples, 0));
    auto holds = [&](int i) { return i < m_traces.size() && m_traces[i].samples.size() >= n; };
    int xTrace = -1;
    if (holds(0) && holds(2))
        xTrace = 0;
    else if (holds(1) && holds(3))
        xTrace = 1;
    if (xTrace < 0)
    {
        DrawNoData(painter);
        return;
    }
    const std::vector<double>& iSamples = m_traces[xTrace].samples;
    const std::vector<double>& qSamples = m_traces[xTrace + 2].samples;

    const QRect plot = VectorPlotRect();
    const QRect xBand = VectorXBandRect();
    const QRect yBand = VectorYBandRect();
    painter->fillRect(plot, m_background);
    painter->fillRect(xBand, m_xAxisBrush);
    painter->fillRect(yBand, m_yAxisBrush);

    if (m_autoScale && !iSamples.empty())
    {
        SymmetricWindow(iSamples, m_xFrom, m_xTo);
        SymmetricWindow(qSamples, m_yFrom, m_yTo);
    }

    painter->setPen(Qt::gray);
    const QFontMetrics metrics = painter->fontMetrics();
    double scale = 1.0;
    const QString xUnit = GetXUnit(std::max(std::abs(m_xTo), std::abs(m_xFrom)), scale);
    const int xUnitWidth = metrics.horizontalAdvance(xUnit);
    painter->drawText(QRect(xBand.right() - xUnitWidth, xBand.top(), xUnitWidth, xBand.height()),
                      Qt::AlignRight, xUnit);
    scale = 1.0;
    const QString yUnit = GetYUnit(std::max(std::abs(m_yTo), std::abs(m_yFrom)), scale);
    painter->drawText(QRect(yBand.left(), yBand.top(), yBand.width(), metrics.height()),
                      Qt::AlignRight | Qt::AlignTop, yUnit);

    m_columnMap.rect = plot;
    m_columnMap.dataFrom = m_xMin;
    m_columnMap.dataTo = m_xMax;
    m_columnMap.viewFrom = m_xFrom;
    m_columnMap.viewTo = m_xTo;
    m_columnMap.yFrom = m_yFrom;
    m_columnMap.yTo = m_yTo;
    if (plot.width() > 0 && plot.height() > 0)
        DrawFrame(painter, mode, plot, false, true);

    // The column span is right - left (one less than the width), unlike the other painters.
    const double xSpan = m_xTo - m_xFrom;
    const double ySpan = m_yTo - m_yFrom;
    const bool xFlat = !(xSpan > 0.0) || !std::isfinite(xSpan);
    const bool yFlat = !(ySpan > 0.0) || !std::isfinite(ySpan);
    const double margin = 4.0 * (plot.width() + plot.height()) + 16.0;
    auto clampPixel = [&](double v, double lo, double hi)
    {
        if (std::isnan(v))
            return static_cast<int>((lo + hi) / 2);
        return static_cast<int>(std::min(std::max(v, lo - margin), hi + margin));
    };
    m_points.clear();
    m_points.reserve(n);
    for (size_t k = 0; k < n; ++k)
    {
        const double iv = iSamples[k];
        const double qv = qSamples[k];
        if (!std::isfinite(iv) || !std::isfinite(qv))
            continue;
        // A zero-width window (all samples equal) puts the points on the plot's centre line.
        const int px = xFlat ? (plot.left() + plot.right()) / 2
                             : clampPixel(plot.left() + (iv - m_xFrom) * (plot.right() - plot.left()) / xSpan,
                                          plot.left(), plot.right());
        const int py = yFlat
                           ? (plot.top() + plot.bottom()) / 2
                           : clampPixel(plot.bottom() + (qv - m_yFrom) * (plot.top() - plot.bottom()) / ySpan,
                                        plot.top(), plot.bottom());
        m_points.emplace_back(px, py);
    }

    painter->setClipRect(plot);
    painter->setPen(m_traces[xTrace].pen);
    if (!m_showLines)
    {
        painter->drawPoints(m_points.data(), static_cast<int>(m_points.size()));
    }
    else
    {
        std::vector<QLine>& lines = m_lines;
        lines.clear();
        for (size_t k = 0; k < m_points.size(); ++k)
            lines.emplace_back(m_points[k == 0 ? 0 : k - 1], m_points[k]);
        painter->drawLines(lines.data(), static_cast<int>(lines.size()));
    }
}
