#pragma once

#include <QBrush>
#include <QDataStream>
#include <QLine>
#include <QPen>
#include <QRect>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <vector>

#include "graphicbase.h"
#include "isimplegraphicex.h"
#include "osctrace.h"

class QPainter;

// The time-domain pane ("Osc") of every signal view: sample vectors in volts against the sample time,
// with automatic vertical scale and a draggable offset per trace. Traces come in pairs (input, derived):
// trace 0 takes the live block and trace 1 shows the held or combined result; with four traces 0/1 are
// the I pair and 2/3 the Q pair.
class CQOscillogramGraphic : public CQGraphicBase, public ISimpleGraphicEx
{
    Q_OBJECT

public:
    CQOscillogramGraphic();
    ~CQOscillogramGraphic() override;

    // Resizes the trace list (at least 1); every trace, old or new, then has offset 0 and is visible.
    void SetTraceCount(int n);
    // growOnly: the window only widens upwards while auto-scale is on.
    void SetAutoScale(bool autoScale, bool growOnly);
    bool IsAutoScale() const;
    bool IsGrowOnly() const;
    // Switches auto-scale off and moves trace i by delta volts; ignored for a bad index.
    void MoveTrace(int i, double delta);
    // 0.0 for a bad index.
    double GetTraceOffset(int i) const;
    // Row of a level on trace 0 (its offset included) in the current plot and Y window, clamped into
    // the plot: where the view draws its trigger line. The plot's bottom row when the window is empty.
    int LevelToRow(double level);
    // Ignored (false) for a bad index.
    void SetTraceVisible(int i, bool visible);
    bool IsTraceVisible(int i) const;
    // i must be below GetTraceCount().
    const OscTrace& GetTrace(int i) const { return m_traces[i]; }

    // Payload of the shown (derived) traces: 1 with two traces, 1 and 3 with four.
    QDataStream& SaveShownData(QDataStream& stream);
    // Payload of the input traces 0 and 2, for four-trace panes; a missing trace is written empty.
    QDataStream& SaveInputData(QDataStream& stream);
    // Reads what SaveInputData wrote into the derived traces 1 and 3 and shows it held. Refused
    // (ReadCorruptData, nothing changed) on damage or on a pane with fewer than four traces.
    QDataStream& LoadData(QDataStream& stream);

    // ISimpleGraphicEx; bad trace indices are ignored (GetData returns null).
    void SetPen(int i, const QPen& pen) override;
    void SetData(int i, const std::vector<double>& data) override;
    std::vector<double>* GetData(int i) override;
    void ClearData(int i) override;

    // IGraphic
    void SetXAxisBand(int height, int divisions) override;
    void SetXAxisColors(const QBrush& brush, const QPen& pen) override;
    void SetYAxisBand(int width, int divisions) override;
    void SetYAxisColors(const QBrush& brush, const QPen& pen) override;
    void SetBackground(const QBrush& brush) override;
    void SetGridPen(const QPen& pen) override;
    void SetRect(QRect rect) override;
    int GetTraceCount() override;
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    // The frame's window rule, with this painter's 16-pixel limit checked on the whole window first.
    void SetXWindow(double from, double to) override;
    bool IsYZoomed() override;
    // The Y window stays symmetric about 0.
    void SetYWindow(double from, double to) override;
    void SetYFrom(double value) override;
    void SetYTo(double value) override;
    QRect GetXLabelRect(int i) override;
    QRect GetYLabelRect(int i) override;
    double GetXPerPixel() override;
    double GetYPerPixel() override;
    double GetMinAtPoint(int trace, const QPoint& point) override;
    double GetMaxAtPoint(int trace, const QPoint& point) override;
    void Paint(QPainter* painter, int mode) override;
    // Windows, then the input traces (0, or 0 and 2); under hold, when an input is empty, its derived
    // trace is written in its place so that a hold-mode save keeps what is shown.
    QDataStream& Save(QDataStream& stream) override;
    // Reads a Save payload into the derived traces and shows it held; on damage sets ReadCorruptData
    // and changes nothing.
    QDataStream& Load(QDataStream& stream) override;

    // CQGraphicBase
    int GetPointCount() override;
    int GetXDecimalsCode() override;
    int GetYDecimalsCode() override;
    QString GetXUnit(double magnitude, double& scale) override;
    QString GetYUnit(double magnitude, double& scale) override;

    int GetXDivisions() const { return m_xDivisions; }
    int GetYDivisions() const { return m_yDivisions; }
    const QBrush& GetBackground() const { return m_background; }

protected:
    // Auto-scale of the Y window over all traces (nothing when trace 0 is empty or auto-scale off).
    void AutoScale();
    // Writes the six window doubles, then the given traces (a missing index is written empty).
    void WritePayload(QDataStream& stream, std::initializer_list<int> traces);
    // Reads the six window doubles and one vector per derived trace into locals; commits, sets hold
    // and applies the data operation to each pair only when everything is sound.
    QDataStream& ReadPayload(QDataStream& stream, std::initializer_list<int> derived);
    void DrawNoData(QPainter* painter);
    bool IsValidTrace(int i) const;

    int m_xDivisions = 1;
    int m_yDivisions = 1;
    QBrush m_background{Qt::black, Qt::SolidPattern};
    QVector<OscTrace> m_traces;
    bool m_autoScale = true;
    bool m_growOnly = false;

private:
    bool ZoomAllowedAt(double from, double to);
    void PaintTrace(QPainter* painter, const OscTrace& trace, const QRect& plot);

    // Reused between paints so that drawing a trace allocates nothing in steady state.
    std::vector<QLine> m_lines;
};
