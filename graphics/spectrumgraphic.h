#pragma once

#include <QDataStream>
#include <QPen>

#include <vector>

#include "isimplegraphicex.h"
#include "pixelcolumnmap.h"
#include "spectrumgraphicbase.h"
#include "spectrumtrace.h"

// The single-range spectrum painter of every "Spec" pane: trace 1 is the live spectrum, trace 2 the
// held one, trace 0 shows the difference operations and the loaded spectrum; further traces belong to
// the view. Its payload is the pane's windows and the spectrum shown.
class CQSpectrumGraphic : public CQSpectrumGraphicBase, public ISimpleGraphicEx
{
    Q_OBJECT

public:
    CQSpectrumGraphic();
    ~CQSpectrumGraphic() override;

    // Trace indices must be below GetTraceCount().
    void SetPen(int i, const QPen& pen) override;
    void SetData(int i, const std::vector<double>& values) override;
    std::vector<double>* GetData(int i) override;
    void ClearData(int i) override;

    int GetTraceCount() override;
    int GetPointCount() override;
    // The values of the column under the point from the trace built last by the last paint; 0.0
    // outside the columns. The trace argument is ignored on purpose: the readouts rely on it.
    double GetMinAtPoint(int trace, const QPoint& point) override;
    double GetMaxAtPoint(int trace, const QPoint& point) override;

    void Paint(QPainter* painter, int mode) override;
    // Writes the windows, the index-axis flag and the spectrum shown: trace 1, or the held trace 2
    // while holding (holding empties trace 1 on every block).
    QDataStream& Save(QDataStream& stream) override;
    // Reads what Save wrote into locals and commits only a complete, finite, ordered payload; on any
    // damage the stream's status becomes ReadCorruptData (or stays past-end) and the painter is
    // unchanged. A loaded spectrum becomes the held trace and is shown at once.
    QDataStream& Load(QDataStream& stream) override;

    void SetTracePen(int i, const QPen& pen);
    void SetTraceUnprocessed(int i, int value);
    void SetTraceVisible(int i, bool visible);
    // Resizes the trace list; every trace, old or new, is then visible and processed.
    void SetTraceCount(int n);
    const SpectrumTrace& GetTrace(int i) const { return m_traces[static_cast<size_t>(i)]; }

private:
    void PaintPane(QPainter* painter, int mode);
    void ApplyVisibility();

    std::vector<SpectrumTrace> m_traces;
    std::vector<PixelColumn> m_columns;
};
