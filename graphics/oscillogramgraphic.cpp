#include "oscillogramgraphic.h"

#include <QIODevice>
#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <exception>

namespace
{
bool Ordered(double from, double to)
{
    return std::isfinite(from) && std::isfinite(to) && from <= to;
}

bool AllFinite(const std::vector<double>& values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Pixels one sample may spread over before the zoom stops; the spectrum painters stop at 4.
constexpr double kMaxPixelsPerSample = 16.0;
}  // namespace

CQOscillogramGraphic::CQOscillogramGraphic() : m_traces(2)
{
}

CQOscillogramGraphic::~CQOscillogramGraphic() = default;

void CQOscillogramGraphic::SetTraceCount(int n)
{
    m_traces.resize(std::max(n, 1));
    for (OscTrace& trace : m_traces)
    {
        trace.offset = 0.0;
        trace.visible = true;
    }
}

void CQOscillogramGraphic::SetAutoScale(bool autoScale, bool growOnly)
{
    m_autoScale = autoScale;
    m_growOnly = growOnly;
}

bool CQOscillogramGraphic::IsAutoScale() const
{
    return m_autoScale;
}

bool CQOscillogramGraphic::IsGrowOnly() const
{
    return m_growOnly;
}

void CQOscillogramGraphic::MoveTrace(int i, double delta)
{
    m_autoScale = false;
    if (!IsValidTrace(i) || !std::isfinite(delta))
        return;
    m_traces[i].offset += delta;
}

double CQOscillogramGraphic::GetTraceOffset(int i) const
{
    return IsValidTrace(i) ? m_traces[i].offset : 0.0;
}

int CQOscillogramGraphic::LevelToRow(double level)
{
    const QRect plot = GetPlotRect();
    const double span = m_yTo - m_yFrom;
    const double value = GetTraceOffset(0) + level - m_yFrom;
    if (!(span > 0.0) || !std::isfinite(value))
        return plot.bottom();
    const double row = plot.bottom() + value * (plot.top() - plot.bottom()) / span;
    return static_cast<int>(std::min<double>(std::max<double>(row, plot.top()), plot.bottom()));
}

void CQOscillogramGraphic::SetTraceVisible(int i, bool visible)
{
    if (IsValidTrace(i))
        m_traces[i].visible = visible;
}

bool CQOscillogramGraphic::IsTraceVisible(int i) const
{
    return IsValidTrace(i) && m_traces[i].visible;
}

bool CQOscillogramGraphic::IsValidTrace(int i) const
{
    return i >= 0 && i < m_traces.size();
}

void CQOscillogramGraphic::SetPen(int i, const QPen& pen)
{
    if (IsValidTrace(i))
        m_traces[i].pen = pen;
}

void CQOscillogramGraphic::SetData(int i, const std::vector<double>& data)
{
    if (m_pauseState == 1 || !IsValidTrace(i))
        return;
    m_traces[i].samples = data;
    const int count = m_traces.size();
    if ((count == 2 && i == 0) || (count == 4 && (i == 0 || i == 2)))
    {
        // The derived trace shows the held or combined result only under those operations.
        m_traces[i + 1].visible = m_dataOperation == 1 || m_dataOperation == 2;
        ApplyDataOperation(m_traces[i].samples, m_traces[i + 1].samples);
    }
    if (m_pauseState == 2)
        m_pauseState = 1;
}

std::vector<double>* CQOscillogramGraphic::GetData(int i)
{
    return IsValidTrace(i) ? &m_traces[i].samples : nullptr;
}

void CQOscillogramGraphic::ClearData(int i)
{
    if (IsValidTrace(i))
        m_traces[i].samples.clear();
}

void CQOscillogramGraphic::SetXAxisBand(int height, int divisions)
{
    m_xAxisHeight = height;
    m_xDivisions = std::max(divisions, 1);
}

void CQOscillogramGraphic::SetXAxisColors(const QBrush& brush, const QPen& pen)
{
    m_xAxisBrush = brush;
    m_xAxisPen = pen;
}

void CQOscillogramGraphic::SetYAxisBand(int width, int divisions)
{
    m_yAxisWidth = width;
    m_yDivisions = std::max(divisions, 1);
}

void CQOscillogramGraphic::SetYAxisColors(const QBrush& brush, const QPen& pen)
{
    m_yAxisBrush = brush;
    m_yAxisPen = pen;
}

void CQOscillogramGraphic::SetBackground(const QBrush& brush)
{
    m_background = brush;
}

void CQOscillogramGraphic::SetGridPen(const QPen& pen)
{
    m_gridPen = pen;
}

void CQOscillogramGraphic::SetRect(QRect rect)
{
    m_rect = rect;
}

int CQOscillogramGraphic::GetTraceCount()
{
    return m_traces.size();
}

bool CQOscillogramGraphic::ZoomAllowedAt(double from, double to)
{
    // A sample may spread over at most 16 pixels; an empty or inverted window is no zoom at all.
    if (!(to > from))
        return false;
    const QRect plot = GetPlotRect();
    const QRect oldRect = m_columnMap.rect;
    const double oldFrom = m_columnMap.viewFrom;
    const double oldTo = m_columnMap.viewTo;
    m_columnMap.rect = plot;
    m_columnMap.viewFrom = from;
    m_columnMap.viewTo = to;
    const int n = GetPointCount();
    if (n == 0 || plot.width() <= 0)
        return true;
    const double pixelsPerSample = ((m_xMax - m_xMin) / n) / ((to - from) / plot.width());
    if (pixelsPerSample > 0.0 && pixelsPerSample <= kMaxPixelsPerSample)
        return true;
    m_columnMap.rect = oldRect;
    m_columnMap.viewFrom = oldFrom;
    m_columnMap.viewTo = oldTo;
    return false;
}

void CQOscillogramGraphic::SetXFrom(double value)
{
    if (m_xFixed || !std::isfinite(value))
        return;
    value = std::max(value, m_xMin);
    if (ZoomAllowedAt(value, m_xTo))
        m_xFrom = value;
}

void CQOscillogramGraphic::SetXTo(double value)
{
    if (m_xFixed || !std::isfinite(value))
        return;
    value = std::min(value, m_xMax);
    if (ZoomAllowedAt(m_xFrom, value))
        m_xTo = std::min(value, m_xLimit);
}

void CQOscillogramGraphic::SetXWindow(double from, double to)
{
    if (IsXFixed() || !std::isfinite(from) || !std::isfinite(to) || !(to > from))
        return;
    const double span = to - from;
    const int n = GetPointCount();
    if (n != 0 && span < (m_xMax - m_xMin) / n)
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
    // The whole window is checked first, so that a refused window keeps the old one instead of half
    // moving it; the halves then go through the slots, the widening half first so that neither
    // intermediate window is narrower than the old or the new one.
    const double oldTo = m_xTo;
    if (!ZoomAllowedAt(newFrom, newTo))
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

bool CQOscillogramGraphic::IsYZoomed()
{
    return false;
}

void CQOscillogramGraphic::SetYWindow(double from, double to)
{
    m_autoScale = false;
    if (!std::isfinite(from) || !std::isfinite(to))
        return;
    double lower = from;
    double upper = to;
    if (from == m_yFrom)
    {
        if (to != m_yTo)
            lower = -std::abs(to);
    }
    else
    {
        upper = std::abs(from);
    }
    if (lower >= m_yMin && upper <= m_yMax && upper > lower)
    {
        m_yFrom = lower;
        m_yTo = upper;
    }
}

void CQOscillogramGraphic::SetYFrom(double value)
{
    m_autoScale = false;
    if (m_yFixed || !std::isfinite(value))
        return;
    CQGraphicBase::SetYFrom(value);
    m_yTo = std::abs(m_yFrom);
}

void CQOscillogramGraphic::SetYTo(double value)
{
    m_autoScale = false;
    if (m_yFixed || !std::isfinite(value))
        return;
    CQGraphicBase::SetYTo(value);
    m_yFrom = -std::abs(m_yTo);
}

QRect CQOscillogramGraphic::GetXLabelRect(int i)
{
    const QRect plot = GetPlotRect();
    const int cell = plot.width() / m_xDivisions;
    return QRect(m_rect.left() + m_yAxisWidth + i * cell, plot.bottom(), cell, m_xAxisHeight);
}

QRect CQOscillogramGraphic::GetYLabelRect(int i)
{
    const QRect plot = GetPlotRect();
    const int cell = plot.height() / m_yDivisions;
    return QRect(m_rect.left(), plot.bottom() - (i + 1) * cell, m_yAxisWidth, cell);
}

double CQOscillogramGraphic::GetXPerPixel()
{
    const int width = m_columnMap.rect.width();
    return width > 0 ? (m_columnMap.viewTo - m_columnMap.viewFrom) / width : 0.0;
}

double CQOscillogramGraphic::GetYPerPixel()
{
    const int height = m_columnMap.rect.height();
    return height > 0 ? (m_columnMap.yTo - m_columnMap.yFrom) / height : 0.0;
}

double CQOscillogramGraphic::GetMinAtPoint(int trace, const QPoint& point)
{
    if (!IsValidTrace(trace))
        return 0.0;
    const std::vector<PixelColumn>& columns = m_traces[trace].columns;
    const int column = point.x() - GetPlotRect().left();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return 0.0;
    return columns[static_cast<size_t>(column)].minValue;
}

double CQOscillogramGraphic::GetMaxAtPoint(int trace, const QPoint& point)
{
    if (!IsValidTrace(trace))
        return 0.0;
    const std::vector<PixelColumn>& columns = m_traces[trace].columns;
    const int column = point.x() - GetPlotRect().left();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return 0.0;
    return columns[static_cast<size_t>(column)].maxValue;
}

int CQOscillogramGraphic::GetPointCount()
{
    return static_cast<int>(m_traces[0].samples.size());
}

int CQOscillogramGraphic::GetXDecimalsCode()
{
    return 1;
}

int CQOscillogramGraphic::GetYDecimalsCode()
{
    return 3;
}

QString CQOscillogramGraphic::GetXUnit(double magnitude, double& scale)
{
    // Time bounds are inclusive (1e-6 s still reads "ns"), unlike the voltage bounds below.
    if (magnitude <= 1e-6)
    {
        scale = 1e9;
        return tr("ns");
    }
    if (magnitude <= 0.001)
    {
        scale = 1e6;
        return tr("us");
    }
    if (magnitude <= 1.0)
    {
        scale = 1000.0;
        return tr("ms");
    }
    return tr("s");
}

QString CQOscillogramGraphic::GetYUnit(double magnitude, double& scale)
{
    if (magnitude < 1e-6)
    {
        scale = 1e9;
        return tr("nV");
    }
    if (magnitude < 0.001)
    {
        scale = 1e6;
        return tr("uV");
    }
    if (magnitude < 1.0)
    {
        scale = 1000.0;
        return tr("mV");
    }
    scale = 1.0;
    return tr("V");
}

void CQOscillogramGraphic::AutoScale()
{
    if (!m_autoScale || m_traces[0].samples.empty())
        return;
    if (!m_growOnly)
    {
        // Non-finite samples (a broken block) would poison the window; they are left out.
        bool found = false;
        double lo = 0.0;
        double hi = 0.0;
        for (const OscTrace& trace : m_traces)
        {
            for (double v : trace.samples)
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
        }
        if (!found)
            return;
        m_yFrom = lo - std::abs(hi - lo) * 0.3;
        // The upper margin is measured from the already lowered lower end, so it is the larger one.
        m_yTo = hi + std::abs(hi - m_yFrom) * 0.3;
    }
    else
    {
        for (const OscTrace& trace : m_traces)
        {
            for (double v : trace.samples)
            {
                if (std::isfinite(v) && v > m_yTo)
                    m_yTo = v * 1.3;
            }
        }
    }
    m_yMin = std::min(m_yMin, m_yFrom);
    m_yMax = std::max(m_yMax, m_yTo);
}

void CQOscillogramGraphic::DrawNoData(QPainter* painter)
{
    painter->setClipRect(m_rect);
    painter->fillRect(m_rect, m_background);
    painter->setPen(Qt::white);
    painter->drawText(m_rect, Qt::AlignCenter, tr("No data"));
}

void CQOscillogramGraphic::PaintTrace(QPainter* painter, const OscTrace& trace, const QRect& plot)
{
    const double span = m_yTo - m_yFrom;
    const double top = plot.top();
    const double bottom = plot.bottom();
    // Rows far outside the plot are cut by the clip anyway; the clamp keeps the int conversion safe.
    const double lowest = top - 4.0 * plot.height() - 16.0;
    const double highest = bottom + 4.0 * plot.height() + 16.0;
    const bool flat = !(span > 0.0) || !std::isfinite(span);
    auto rowOf = [&](double v)
    {
        if (flat)
            return (plot.top() + plot.bottom()) / 2;  // constant data: a line through the middle
        const double row = bottom + (trace.offset + v - m_yFrom) * (top - bottom) / span;
        if (std::isnan(row))
            return (plot.top() + plot.bottom()) / 2;
        return static_cast<int>(std::min(std::max(row, lowest), highest));
    };

    std::vector<QLine>& lines = m_lines;
    lines.clear();
    int x = plot.left();
    bool havePrevious = false;
    int prevMin = 0;
    int prevMax = 0;
    for (const PixelColumn& column : trace.columns)
    {
        if (std::isfinite(column.minValue) && std::isfinite(column.maxValue))
        {
            const int yMin = rowOf(column.minValue);
            const int yMax = rowOf(column.maxValue);
            lines.emplace_back(x, yMax, x, yMin);
            if (havePrevious)
            {
                // The join starts one column back, so steep edges stay connected.
                if (prevMax < yMin)
                    lines.emplace_back(x - 1, prevMax, x, yMin);
                else if (prevMin > yMax)
                    lines.emplace_back(x - 1, prevMin, x, yMax);
            }
            havePrevious = true;
            prevMin = yMin;
            prevMax = yMax;
        }
        else
        {
            havePrevious = false;
        }
        ++x;
    }
    painter->setClipRect(plot);
    painter->setPen(trace.pen);
    painter->drawLines(lines.data(), static_cast<int>(lines.size()));
}

void CQOscillogramGraphic::Paint(QPainter* painter, int mode)
{
    if (painter == nullptr)
        return;
    try
    {
        painter->save();
        FlushCorrection();
        const QRect plot = GetPlotRect();
        painter->fillRect(plot, m_background);
        AutoScale();

        m_columnMap.rect = plot;
        m_columnMap.dataFrom = m_xMin;
        m_columnMap.dataTo = m_xMax;
        m_columnMap.viewFrom = m_xFrom;
        m_columnMap.viewTo = m_xTo;
        m_columnMap.yFrom = m_yFrom;
        m_columnMap.yTo = m_yTo;
        if (plot.width() > 0 && plot.height() > 0)
            DrawFrame(painter, mode, plot, false, true);

        bool anyDrawn = false;
        for (int i = 0; i < m_traces.size(); ++i)
        {
            OscTrace& trace = m_traces[i];
            const bool built = plot.width() > 0 && m_columnMap.Build(trace.samples, trace.columns, true);
            if (!built)
                trace.columns.clear();
            if (trace.visible && built)
            {
                PaintTrace(painter, trace, plot);
                anyDrawn = true;
            }
            else if (i == m_traces.size() - 1 && !built && !anyDrawn)
            {
                DrawNoData(painter);
                painter->restore();
                return;
            }
        }

        painter->setClipRect(m_rect);
        if (!IsXFixed())
            DrawXScrollBar(painter);
        if (!IsYFixed())
            DrawYScrollBar(painter);
        painter->restore();
    }
    catch (const std::exception&)
    {
        // A failed allocation while building columns leaves the pane as far as it was drawn.
        painter->restore();
    }
}

void CQOscillogramGraphic::WritePayload(QDataStream& stream, std::initializer_list<int> traces)
{
    stream << m_xMin << m_xMax << m_xFrom << m_xTo << m_yFrom << m_yTo;
    static const std::vector<double> kNone;
    for (int i : traces)
        WriteDoubleVector(stream, IsValidTrace(i) ? m_traces[i].samples : kNone);
}

QDataStream& CQOscillogramGraphic::Save(QDataStream& stream)
{
    stream << m_xMin << m_xMax << m_xFrom << m_xTo << m_yFrom << m_yTo;
    const int count = m_traces.size();
    if (count != 2 && count != 4)
        return stream;
    for (int input = 0; input < count; input += 2)
    {
        // Holding empties the input on every block, so what is shown then is the derived trace.
        const bool held = m_dataOperation == 1 && m_traces[input].samples.empty();
        WriteDoubleVector(stream, m_traces[held ? input + 1 : input].samples);
    }
    return stream;
}

QDataStream& CQOscillogramGraphic::ReadPayload(QDataStream& stream, std::initializer_list<int> derived)
{
    double window[6] = {};
    for (double& value : window)
        stream >> value;
    if (stream.status() != QDataStream::Ok)
        return stream;
    if (!Ordered(window[0], window[1]) || !Ordered(window[2], window[3]) || !Ordered(window[4], window[5]) ||
        window[0] > window[2])
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return stream;
    }
    // Everything is read into copies first; a count of 0 keeps a trace as it was.
    std::vector<std::vector<double>> loaded;
    for (int i : derived)
    {
        loaded.push_back(m_traces[i].samples);
        ReadDoubleVector(stream, loaded.back());
        if (stream.status() != QDataStream::Ok)
            return stream;
        if (!AllFinite(loaded.back()))
        {
            stream.setStatus(QDataStream::ReadCorruptData);
            return stream;
        }
    }

    m_xMin = window[0];
    m_xMax = window[1];
    m_xFrom = window[2];
    m_xTo = window[3];
    m_yFrom = window[4];
    m_yTo = window[5];
    SetDataOperation(1);
    size_t k = 0;
    for (int i : derived)
    {
        m_traces[i].samples = std::move(loaded[k++]);
        // Shown at once: while paused or offline no live block would make the held trace visible.
        m_traces[i].visible = true;
        ApplyDataOperation(m_traces[i - 1].samples, m_traces[i].samples);
    }
    return stream;
}

QDataStream& CQOscillogramGraphic::Load(QDataStream& stream)
{
    const int count = m_traces.size();
    if (count == 2)
        return ReadPayload(stream, {1});
    if (count == 4)
        return ReadPayload(stream, {1, 3});
    return ReadPayload(stream, {});
}

QDataStream& CQOscillogramGraphic::SaveShownData(QDataStream& stream)
{
    const int count = m_traces.size();
    if (count == 2)
        WritePayload(stream, {1});
    else if (count == 4)
        WritePayload(stream, {1, 3});
    else
        WritePayload(stream, {});
    return stream;
}

QDataStream& CQOscillogramGraphic::SaveInputData(QDataStream& stream)
{
    WritePayload(stream, {0, 2});
    return stream;
}

QDataStream& CQOscillogramGraphic::LoadData(QDataStream& stream)
{
    // Only four-trace panes have a Q pair to receive the second vector.
    if (m_traces.size() < 4)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return stream;
    }
    return ReadPayload(stream, {1, 3});
}
