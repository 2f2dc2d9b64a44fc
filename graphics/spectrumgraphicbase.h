#pragma once

#include <QBrush>
#include <QPen>
#include <QRect>
#include <QString>

#include <vector>

#include "graphicbase.h"
#include "pixelcolumnmap.h"

class QPainter;

// What every spectrum-like painter shares: MHz and dBm units, the label cells, the plot background,
// the trace drawing from pixel columns and the index-axis mode (traces laid over data indices rather
// than frequencies, used while the converter sweeps harmonics).
class CQSpectrumGraphicBase : public virtual CQGraphicBase
{
    Q_OBJECT

public:
    CQSpectrumGraphicBase();
    ~CQSpectrumGraphicBase() override;

    void SetXAxisBand(int height, int divisions) override;
    void SetXAxisColors(const QBrush& brush, const QPen& pen) override;
    void SetYAxisBand(int width, int divisions) override;
    void SetYAxisColors(const QBrush& brush, const QPen& pen) override;
    void SetBackground(const QBrush& brush) override;
    void SetGridPen(const QPen& pen) override;
    void SetRect(QRect rect) override;
    QRect GetXLabelRect(int i) override;
    QRect GetYLabelRect(int i) override;
    double GetXPerPixel() override;
    double GetYPerPixel() override;
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    double GetMinAtPoint(int trace, const QPoint& point) override;
    double GetMaxAtPoint(int trace, const QPoint& point) override;

    int GetXDecimalsCode() override;
    int GetYDecimalsCode() override;
    QString GetXUnit(double magnitude, double& scale) override;
    QString GetYUnit(double magnitude, double& scale) override;

    // Draws one trace from its pixel columns, one column per plot pixel from plot.left. Rows are
    // computed from the current Y window; values outside it are left to the plot clip.
    virtual void DrawTrace(QPainter* painter, int unprocessed, bool visible, const QPen& pen,
                           const QPen& fillPen, const QRect& plot, const std::vector<PixelColumn>& columns);

    // Public: the views switch these modes directly.
    bool m_envelope = false;
    bool m_indexAxis = false;
    int m_indexCount = 0;
    int m_pixelsPerPoint = 1;
    QBrush m_background{Qt::black, Qt::SolidPattern};
    int m_xDivisions = 1;
    int m_yDivisions = 1;
    CPixelColumnMap m_indexMap;

protected:
    // Row of a level in the plot, clamped to a band around it so that -inf, NaN and huge levels
    // convert to int safely; anything outside the plot is cut by the clip anyway.
    int RowOf(double value, const QRect& plot) const;

private:
    // Reused between paints so that drawing a trace allocates nothing in steady state.
    std::vector<QLine> m_lines;
    std::vector<QLine> m_fills;
};
