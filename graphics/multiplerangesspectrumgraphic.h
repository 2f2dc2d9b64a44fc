#pragma once

#include <QDataStream>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

#include "analysisspectrumgraphic.h"
#include "multirangesgraphicbase.h"

class IMultiAdf4350;
class QPainter;

// The range view's "MultiSpec" pane: one spectrum per range of the multi-range sweep, the ranges side
// by side, each with its own frequency axis, zoom window and name. Zoom and scroll act on the range
// under the hover point and re-tune that range of the sweep: index i of the pane is index i of the
// multi-range synthesizer. A window that is not a proper part of the range is refused and nothing
// reaches the synthesizer.
class CQMultipleRangesSpectrumGraphic : public CQAnalysisSpectrumGraphic, public CQMultiRangesGraphicBase
{
    Q_OBJECT

public:
    CQMultipleRangesSpectrumGraphic();
    ~CQMultipleRangesSpectrumGraphic() override;

    // Per-range X window of the range under the hover point; nothing without one.
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    // Both ends at once, clamped to the range's span (ignored while the X axis is fixed), so that a
    // window moved past the current one is not refused half-way.
    void SetXWindow(double from, double to) override;
    // Refused as a whole when the moved window would leave the range.
    void ScrollX(double delta) override;
    // The hovered range's window; the frame's window without one.
    double GetXFrom() override;
    double GetXTo() override;
    bool IsXZoomed() override;
    // Label cell i under the hovered range's column; an empty rectangle without one.
    QRect GetXLabelRect(int i) override;
    // Values of the column under the point in the range there: -1.0 over no range, 0.0 beyond the
    // columns of the last paint.
    double GetMinAtPoint(int trace, const QPoint& point) override;
    double GetMaxAtPoint(int trace, const QPoint& point) override;
    void SetRect(QRect rect) override;
    int GetTraceCount() override;
    // Points of range 0's data; 0 without ranges.
    int GetPointCount() override;
    void Paint(QPainter* painter, int mode) override;
    // The pane's data file holds only its tag: nothing is written or read.
    QDataStream& Save(QDataStream& stream) override;
    QDataStream& Load(QDataStream& stream) override;

    // Every range back to its full span; the range being swept now is re-tuned to it.
    void ResetXWindows();

    void SetLinePen(const QPen& pen) { m_linePen = pen; }
    void SetFillPen(const QPen& pen) { m_fillPen = pen; }
    const QPen& GetLinePen() const { return m_linePen; }
    const QPen& GetFillPen() const { return m_fillPen; }

    // The channel labels of a range named "GSM 900..." use the E-GSM numbering.
    static bool UsesOtherNumbering(const QString& rangeName);

private:
    void PaintPane(QPainter* painter, int mode);
    bool PaintRange(QPainter* painter, int mode, int index);

    QPen m_linePen;
    QPen m_fillPen;
};
