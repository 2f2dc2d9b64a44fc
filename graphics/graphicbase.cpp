#include "graphicbase.h"

#include <algorithm>
#include <cmath>

namespace
{
bool Finite(double a, double b = 0.0, double c = 0.0)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}
}  // namespace

CQGraphicBase::CQGraphicBase()
    : m_xAxisBrush(Qt::black, Qt::SolidPattern),
      m_xAxisPen(Qt::white),
      m_yAxisBrush(Qt::black, Qt::SolidPattern),
      m_yAxisPen(Qt::white),
      m_gridPen(QBrush(QColor(50, 60, 60, 255)), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin)
{
}

CQGraphicBase::~CQGraphicBase() = default;

void CQGraphicBase::ShowXAxis(bool show)
{
    m_showXAxis = show;
}

void CQGraphicBase::ShowYAxis(bool show)
{
    m_showYAxis = show;
}

void CQGraphicBase::ShowXScrollBar(bool show)
{
    m_showXScrollBar = show;
}

int CQGraphicBase::GetXPrecision()
{
    return m_xPrecision;
}

int CQGraphicBase::GetYPrecision()
{
    return m_yPrecision;
}

void CQGraphicBase::SetXPrecision(int precision)
{
    m_xPrecision = precision;
}

void CQGraphicBase::SetYPrecision(int precision)
{
    m_yPrecision = precision;
}

void CQGraphicBase::SetXRange(double min, double max)
{
    SetXLimits(min, max, max);
}

void CQGraphicBase::SetXLimits(double min, double max, double limit)
{
    if (!Finite(min, max, limit) || !(max > min))
        return;
    m_xMax = max;
    m_xFixed = false;
    m_xMin = min;
    m_xLimit = limit;
    m_xFrom = min;
    m_xTo = limit;
}

void CQGraphicBase::SetFixedXRange(double min, double max)
{
    if (!Finite(min, max) || !(max > min))
        return;
    m_xFixed = true;
    m_xMin = min;
    m_xMax = m_xLimit = max;
    m_xFrom = min;
    m_xTo = max;
}

bool CQGraphicBase::ZoomAllowed(double from, double to)
{
    // The map takes the candidate window so that the pixel step follows the current plot; a refused
    // window puts the old one back, so the per-pixel values stay those of the shown window.
    const QRect oldRect = m_columnMap.rect;
    const double oldFrom = m_columnMap.viewFrom;
    const double oldTo = m_columnMap.viewTo;
    const QRect plot = GetPlotRect();
    m_columnMap.rect = plot;
    m_columnMap.viewFrom = from;
    m_columnMap.viewTo = to;
    const int n = GetPointCount();
    if (n == 0 || plot.width() <= 0)
        return true;
    const double dataStep = (m_columnMap.dataTo - m_columnMap.dataFrom) / n;
    const double pixelStep = (to - from) / plot.width();
    if (dataStep / pixelStep > 4.0)
    {
        m_columnMap.rect = oldRect;
        m_columnMap.viewFrom = oldFrom;
        m_columnMap.viewTo = oldTo;
        return false;
    }
    return true;
}

void CQGraphicBase::SetXFrom(double value)
{
    if (m_xFixed || !Finite(value))
        return;
    value = std::min(std::max(value, m_xMin), m_xMax);
    if (!ZoomAllowed(value, m_xTo))
        return;
    m_xFrom = std::max(value, m_xMin);
}

void CQGraphicBase::SetXTo(double value)
{
    if (m_xFixed || !Finite(value))
        return;
    value = std::min(std::max(value, m_xMin), m_xMax);
    if (!ZoomAllowed(m_xFrom, value))
        return;
    m_xTo = std::min(value, m_xLimit);
}

double CQGraphicBase::GetXMin()
{
    return m_xMin;
}

double CQGraphicBase::GetXMax()
{
    return m_xMax;
}

double CQGraphicBase::GetXLimit()
{
    return m_xLimit;
}

double CQGraphicBase::GetXFrom()
{
    return m_xFrom;
}

double CQGraphicBase::GetXTo()
{
    return m_xTo;
}

void CQGraphicBase::SetXWindow(double from, double to)
{
    if (IsXFixed() || !Finite(from, to) || !(to > from))
        return;
    const double span = to - from;
    const int n = GetPointCount();
    if (n != 0 && span < (m_columnMap.dataTo - m_columnMap.dataFrom) / n)
        return;
    double newFrom = from;
    double newTo = to;
    if (from < m_xMin)
    {
        newFrom = m_xMin;
        newTo = std::min(m_xMin + span, m_xMax);
    }
    else if (to > m_xMax)
    {
        newTo = m_xMax;
        newFrom = std::max(m_xMax - span, m_xMin);
    }
    newTo = std::min(newTo, m_xLimit);
    // The whole window is checked first, so a refused window keeps the old one instead of half
    // moving it. The two halves then go through the virtual slots (painters may override them),
    // the widening half first so that neither intermediate window is narrower than the old or the
    // new one.
    const double oldFrom = m_xFrom;
    const double oldTo = m_xTo;
    const bool allowed = ZoomAllowed(newFrom, newTo);
    m_columnMap.viewFrom = oldFrom;
    m_columnMap.viewTo = oldTo;
    if (!allowed)
        return;
    if (newTo > oldTo)
    {
        SetXTo(newTo);
        SetXFrom(newFrom);
    }
    else
    {
        SetXFrom(newFrom);
        SetXTo(newTo);
    }
}

bool CQGraphicBase::IsXFixed()
{
    return m_xFixed;
}

bool CQGraphicBase::IsXZoomed()
{
    return m_xFrom > m_xMin || m_xMax > m_xTo;
}

bool CQGraphicBase::IsYZoomed()
{
    return m_yFrom > m_yMin || m_yMax > m_yTo;
}

void CQGraphicBase::ScrollX(double delta)
{
    if (!Finite(delta))
        return;
    const double from = m_xFrom + delta;
    const double to = m_xTo + delta;
    if (from < m_xMin || to > m_xLimit)
        return;
    m_xFrom = from;
    m_xTo = to;
}

void CQGraphicBase::ScrollY(double delta)
{
    // The difference operations draw relative to the Y start, so the window stays put meanwhile.
    if (m_dataOperation == 3 || m_dataOperation == 4 || !Finite(delta))
        return;
    const double from = m_yFrom + delta;
    const double to = m_yTo + delta;
    if (from < m_yMin)
        m_yFrom = m_yMin;
    else if (to > m_yMax)
        m_yTo = m_yMax;
    else
    {
        m_yFrom = from;
        m_yTo = to;
    }
}

void CQGraphicBase::SetYLimits(double min, double max)
{
    if (!Finite(min, max) || !(max > min))
        return;
    m_yFixed = false;
    m_yMin = min;
    m_yMax = max;
    if (min > m_yFrom)
        m_yFrom = min;
    if (m_yTo > max)
        m_yTo = max;
}

void CQGraphicBase::SetFixedYRange(double min, double max)
{
    if (!Finite(min, max) || !(max > min))
        return;
    m_yFixed = true;
    m_yMin = m_yFrom = min;
    m_yMax = m_yTo = max;
}

void CQGraphicBase::SetYWindow(double from, double to)
{
    if (m_yFixed || !Finite(from, to) || !(to > from))
        return;
    m_yFrom = std::max(from, m_yMin);
    m_yTo = std::min(to, m_yMax);
}

void CQGraphicBase::SetYFrom(double value)
{
    if (m_yFixed || !Finite(value))
        return;
    m_yFrom = std::max(value, m_yMin);
}

void CQGraphicBase::SetYTo(double value)
{
    if (m_yFixed || !Finite(value))
        return;
    m_yTo = std::min(value, m_yMax);
}

double CQGraphicBase::GetYMin()
{
    return m_yMin;
}

double CQGraphicBase::GetYMax()
{
    return m_yMax;
}

double CQGraphicBase::GetYFrom()
{
    return m_yFrom;
}

double CQGraphicBase::GetYTo()
{
    return m_yTo;
}

bool CQGraphicBase::IsYFixed()
{
    return m_yFixed;
}

const QRect& CQGraphicBase::GetRect()
{
    return m_rect;
}

QRect CQGraphicBase::GetPlotRect()
{
    // A hidden band still leaves a small gap: 2 pixels under the plot, 1 left of it.
    const int xBand = m_showXAxis ? m_xAxisHeight : 2;
    const int yBand = m_showYAxis ? m_yAxisWidth : 1;
    return QRect(m_rect.left() + yBand, m_rect.top(), m_rect.width() - m_margin - yBand,
                 m_rect.height() - m_margin - xBand);
}

bool CQGraphicBase::IsInPlot(const QPoint& point)
{
    return GetPlotRect().contains(point, false);
}

QRect CQGraphicBase::GetXAxisRect()
{
    // The configured sizes, whether the band is shown or not; the band starts on the plot's last row.
    const QRect plot = GetPlotRect();
    return QRect(m_rect.left() + m_yAxisWidth, plot.bottom(), plot.width(), m_xAxisHeight);
}

bool CQGraphicBase::IsInXLabel(const QPoint& point, int i)
{
    return GetXLabelRect(i).contains(point, false);
}

bool CQGraphicBase::IsInXAxis(const QPoint& point)
{
    return GetXAxisRect().contains(point, false);
}

QRect CQGraphicBase::GetYAxisRect()
{
    const QRect plot = GetPlotRect();
    return QRect(m_rect.left(), plot.bottom() - plot.height(), m_yAxisWidth, plot.height());
}

bool CQGraphicBase::IsInYLabel(const QPoint& point, int i)
{
    return GetYLabelRect(i).contains(point, false);
}

bool CQGraphicBase::IsInYAxis(const QPoint& point)
{
    return GetYAxisRect().contains(point, false);
}

void CQGraphicBase::SetPauseState(int state)
{
    m_pauseState = state;
}

int CQGraphicBase::GetPauseState()
{
    return m_pauseState;
}

void CQGraphicBase::SetDataOperation(int operation)
{
    m_dataOperation = operation;
}

int CQGraphicBase::GetDataOperation()
{
    return m_dataOperation;
}
