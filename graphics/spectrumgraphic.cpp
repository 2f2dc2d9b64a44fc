#include "spectrumgraphic.h"

#include <QColor>
#include <QIODevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "globals.h"

namespace
{
SpectrumTrace MakeTrace(Qt::GlobalColor colour, bool visible)
{
    SpectrumTrace trace;
    trace.pen = QPen(QColor(colour));
    trace.fillPen = QPen(QColor(colour).darker(200));
    trace.visible = visible;
    return trace;
}

bool Ordered(double from, double to)
{
    return std::isfinite(from) && std::isfinite(to) && from <= to;
}
}  // namespace

CQSpectrumGraphic::CQSpectrumGraphic()
{
    m_traces.push_back(MakeTrace(Qt::darkGray, false));
    m_traces.push_back(MakeTrace(Qt::cyan, true));
    m_traces.push_back(MakeTrace(Qt::green, false));
}

CQSpectrumGraphic::~CQSpectrumGraphic() = default;

void CQSpectrumGraphic::SetPen(int i, const QPen& pen)
{
    m_traces[static_cast<size_t>(i)].pen = pen;
}

void CQSpectrumGraphic::SetData(int i, const std::vector<double>& values)
{
    if (m_pauseState == 1)
        return;
    m_traces[static_cast<size_t>(i)].data = values;
    if (i == 1 && m_traces.size() > 2 && m_traces[1].unprocessed == 0)
    {
        ApplyVisibility();
        ApplyDataOperation(m_traces[1].data, m_traces[2].data);
    }
    if (m_pauseState == 2)
        m_pauseState = 1;
}

std::vector<double>* CQSpectrumGraphic::GetData(int i)
{
    return &m_traces[static_cast<size_t>(i)].data;
}

void CQSpectrumGraphic::ClearData(int i)
{
    m_traces[static_cast<size_t>(i)].data.clear();
}

int CQSpectrumGraphic::GetTraceCount()
{
    return static_cast<int>(m_traces.size());
}

int CQSpectrumGraphic::GetPointCount()
{
    return m_traces.empty() ? 0 : static_cast<int>(m_traces[0].data.size());
}

double CQSpectrumGraphic::GetMinAtPoint(int, const QPoint& point)
{
    const int c = point.x() - GetPlotRect().left();
    return c >= 0 && c < static_cast<int>(m_columns.size()) ? m_columns[static_cast<size_t>(c)].minValue
                                                            : 0.0;
}

double CQSpectrumGraphic::GetMaxAtPoint(int, const QPoint& point)
{
    const int c = point.x() - GetPlotRect().left();
    return c >= 0 && c < static_cast<int>(m_columns.size()) ? m_columns[static_cast<size_t>(c)].maxValue
                                                            : 0.0;
}

void CQSpectrumGraphic::Paint(QPainter* painter, int mode)
{
    // A correction row the device thread kept locked at the last data operation goes out now.
    if (HasPendingCorrection())
        FlushCorrection();
    painter->save();
    PaintPane(painter, mode);
    painter->restore();
}

void CQSpectrumGraphic::PaintPane(QPainter* painter, int mode)
{
    const QRect plot = GetPlotRect();
    painter->fillRect(plot, m_background);

    if (m_indexAxis)
    {
        m_indexMap.rect = plot;
        m_indexMap.dataFrom = m_indexMap.viewFrom = 0.0;
        m_indexMap.dataTo = m_indexMap.viewTo = m_indexCount;
        m_indexMap.yFrom = m_yFrom;
        m_indexMap.yTo = m_yTo;
    }
    m_columnMap.rect = plot;
    m_columnMap.dataFrom = m_xMin;
    m_columnMap.dataTo = m_xMax;
    m_columnMap.viewFrom = m_xFrom;
    m_columnMap.viewTo = m_xTo;
    m_columnMap.yFrom = m_yFrom;
    m_columnMap.yTo = m_yTo;
    CPixelColumnMap& map = m_indexAxis ? m_indexMap : m_columnMap;

    // Grid and labels come with the first trace that has columns, hidden or not.
    bool drawn = false;
    for (size_t i = 0; i < m_traces.size(); ++i)
    {
        const SpectrumTrace& trace = m_traces[i];
        const bool built = map.Build(trace.data, m_columns, false);
        m_pixelsPerPoint = map.pixelsPerPoint;
        if (!built)
        {
            if (i + 1 == m_traces.size() && !drawn)
            {
                painter->save();
                painter->setClipRect(m_rect);
                painter->fillRect(m_rect, m_background);
                painter->setPen(Qt::white);
                painter->drawText(m_rect, Qt::AlignCenter, tr("No data"));
                painter->restore();
                return;
            }
            continue;
        }
        if (!drawn)
        {
            drawn = true;
            // The cached frame layer labels plain frequencies; a converter band's offset is drawn
            // directly.
            if (g_FreqOffset == 0.0)
            {
                DrawFrame(painter, mode, plot, false, true);
            }
            else
            {
                DrawGrid(painter, plot, m_xFrom, m_xTo, false);
                DrawXAxisLabels(painter, mode, plot, m_xFrom + g_FreqOffset, m_xTo + g_FreqOffset, false,
                                true);
                DrawYAxisLabels(painter, plot, false);
            }
        }
        DrawTrace(painter, trace.unprocessed, trace.visible, trace.pen, trace.fillPen, plot, m_columns);
    }

    painter->save();
    painter->setClipRect(m_rect);
    if (!IsXFixed())
        DrawXScrollBar(painter);
    if (!IsYFixed())
        DrawYScrollBar(painter);
    painter->restore();
}

QDataStream& CQSpectrumGraphic::Save(QDataStream& stream)
{
    stream << m_xMin << m_xMax << m_xFrom << m_xTo << m_yFrom << m_yTo << m_indexAxis;
    // Holding empties the live trace on every block; the spectrum on screen is then the held one.
    const bool holding = m_dataOperation == 1 && m_traces.size() > 2 && m_traces[1].data.empty();
    const size_t shown = holding ? 2 : 1;
    static const std::vector<double> kNone;
    WriteDoubleVector(stream, m_traces.size() > shown ? m_traces[shown].data : kNone);
    return stream;
}

QDataStream& CQSpectrumGraphic::Load(QDataStream& stream)
{
    double window[6] = {};
    bool indexAxis = false;
    qint32 count = 0;
    for (double& value : window)
        stream >> value;
    stream >> indexAxis >> count;
    if (stream.status() != QDataStream::Ok)
        return stream;
    const bool windowsValid = Ordered(window[0], window[1]) && Ordered(window[2], window[3]) &&
                              Ordered(window[4], window[5]) && window[0] <= window[2];
    // A count the stream cannot hold is refused before anything is allocated for it.
    const QIODevice* device = stream.device();
    const qint64 available = device != nullptr && !device->isSequential() ? device->bytesAvailable() : -1;
    const bool countValid = count >= 0 && (available < 0 || static_cast<qint64>(count) * 8 <= available);
    if (!windowsValid || !countValid || m_traces.size() < 3)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return stream;
    }
    std::vector<double> levels;
    levels.reserve(static_cast<size_t>(count));
    for (qint32 k = 0; k < count && stream.status() == QDataStream::Ok; ++k)
    {
        double level = 0.0;
        stream >> level;
        levels.push_back(level);
    }
    if (stream.status() != QDataStream::Ok)
        return stream;
    // Levels of -inf (log of zero) are what the device delivers for silence and save as such; NaN is
    // never written by the program.
    if (std::any_of(levels.begin(), levels.end(), [](double v) { return std::isnan(v); }))
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return stream;
    }

    m_xMin = window[0];
    m_xMax = window[1];
    m_xFrom = window[2];
    m_xTo = window[3];
    m_yFrom = window[4];
    m_yTo = window[5];
    m_indexAxis = indexAxis;
    // A count of zero keeps the held trace as it was, like every pane payload.
    if (count > 0)
        m_traces[2].data = std::move(levels);
    m_traces[0].data = m_traces[2].data;
    SetDataOperation(1);
    // Show the loaded spectrum now: while paused or offline no live block would apply the hold row.
    ApplyVisibility();
    ApplyDataOperation(m_traces[1].data, m_traces[2].data);
    return stream;
}

void CQSpectrumGraphic::SetTracePen(int i, const QPen& pen)
{
    m_traces[static_cast<size_t>(i)].fillPen = pen;
}

void CQSpectrumGraphic::SetTraceUnprocessed(int i, int value)
{
    m_traces[static_cast<size_t>(i)].unprocessed = value;
}

void CQSpectrumGraphic::SetTraceVisible(int i, bool visible)
{
    m_traces[static_cast<size_t>(i)].visible = visible;
}

void CQSpectrumGraphic::SetTraceCount(int n)
{
    m_traces.resize(static_cast<size_t>(std::max(n, 0)));
    for (SpectrumTrace& trace : m_traces)
    {
        trace.visible = true;
        trace.unprocessed = 0;
    }
}

void CQSpectrumGraphic::ApplyVisibility()
{
    // Which of live (1), held (2) and difference (0) the data operation shows.
    static const bool kShown[5][3] = {{false, true, false},
                                      {false, false, true},
                                      {false, true, true},
                                      {true, true, false},
                                      {true, true, false}};
    const int op = m_dataOperation >= 0 && m_dataOperation <= 4 ? m_dataOperation : 0;
    for (size_t i = 0; i < 3 && i < m_traces.size(); ++i)
        m_traces[i].visible = kShown[op][i];
}
