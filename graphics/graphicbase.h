#pragma once

#include <QBrush>
#include <QDataStream>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

#include "icontrolbits.h"
#include "igraphic.h"
#include "pixelcolumnmap.h"

class ICommonFft;

// The part of IGraphic that is the same for every painter: the range and zoom model, the plot
// geometry inside the pane, the axis bands with grid, labels and scroll strips, the pause and
// data-operation state and the data-operation arithmetic. Concrete painters add traces, units,
// label cells and Paint. Derived from IGraphic virtually, so painter bases may be combined.
class CQGraphicBase : public virtual IGraphic
{
public:
    // Where the known ranges of the paint mode other than 0 come from; by default the device
    // thread's control bits (nothing when the library did not bind them).
    using KnownRangesSource = std::function<std::vector<KNOWN_RANGE_ITEM>()>;

    CQGraphicBase();
    ~CQGraphicBase() override;

    // IGraphic: the operations the frame implements.
    void ShowXAxis(bool show) override;
    void ShowYAxis(bool show) override;
    void ShowXScrollBar(bool show) override;
    int GetXPrecision() override;
    int GetYPrecision() override;
    void SetXLimits(double min, double max, double limit) override;
    void SetFixedXRange(double min, double max) override;
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    double GetXMin() override;
    double GetXMax() override;
    double GetXLimit() override;
    double GetXFrom() override;
    double GetXTo() override;
    void SetXWindow(double from, double to) override;
    bool IsXFixed() override;
    bool IsXZoomed() override;
    bool IsYZoomed() override;
    void ScrollX(double delta) override;
    void ScrollY(double delta) override;
    void SetYLimits(double min, double max) override;
    void SetFixedYRange(double min, double max) override;
    void SetYWindow(double from, double to) override;
    void SetYFrom(double value) override;
    void SetYTo(double value) override;
    double GetYMin() override;
    double GetYMax() override;
    double GetYFrom() override;
    double GetYTo() override;
    bool IsYFixed() override;
    const QRect& GetRect() override;
    QRect GetPlotRect() override;
    bool IsInPlot(const QPoint& point) override;
    QRect GetXAxisRect() override;
    bool IsInXLabel(const QPoint& point, int i) override;
    bool IsInXAxis(const QPoint& point) override;
    QRect GetYAxisRect() override;
    bool IsInYLabel(const QPoint& point, int i) override;
    bool IsInYAxis(const QPoint& point) override;
    void SetPauseState(int state) override;
    int GetPauseState() override;
    void SetDataOperation(int operation) override;
    int GetDataOperation() override;

    // Every painter supplies these.
    // Number of points of the reference data; divides the X range into data steps for the zoom limit.
    virtual int GetPointCount() = 0;
    // Format codes for X and Y values that the views read.
    virtual int GetXDecimalsCode() = 0;
    virtual int GetYDecimalsCode() = 0;
    // Unit text for labels when the largest absolute value shown is magnitude; scale (1.0 on entry)
    // receives the factor by which label values are multiplied.
    virtual QString GetXUnit(double magnitude, double& scale) = 0;
    virtual QString GetYUnit(double magnitude, double& scale) = 0;

    void SetXPrecision(int precision);
    void SetYPrecision(int precision);
    // SetXLimits(min, max, max).
    void SetXRange(double min, double max);

    // Drawing helpers for the painters' Paint, in the order Paint uses them. The grid and both label
    // bands use the column map's current windows, so call them after the first trace's build.
    void DrawGrid(QPainter* painter, const QRect& plot, double from, double to, bool centred);
    void DrawXAxisLabels(QPainter* painter, int mode, const QRect& plot, double from, double to, bool centred,
                         bool showUnit);
    void DrawYAxisLabels(QPainter* painter, const QRect& plot, bool centred);
    // Grid and both label bands as one layer, cached between paints and redrawn only when the
    // geometry, windows, colours, font or units change (mode 0; other modes draw directly). Leaves
    // the clip on the plot.
    void DrawFrame(QPainter* painter, int mode, const QRect& plot, bool centred, bool showUnit);
    void DrawXScrollBar(QPainter* painter);
    void DrawXScrollBar(QPainter* painter, QRect plot, double min, double from, double to, double max);
    void DrawYScrollBar(QPainter* painter);
    void DrawYScrollBar(QPainter* painter, double min, double from, double to, double max);

    // The data-operation arithmetic, run whenever the live trace receives data and after a load.
    // Operation 1 empties live; 3 and 4 rewrite it from held (same length only). Only a painter
    // with a correction target (the range view's spectrum pane) hands the correction row to the
    // range FFT object; every other painter leaves the device alone.
    void ApplyDataOperation(std::vector<double>& live, const std::vector<double>& held);

    // The range FFT object that receives the data-operation correction; null (the default) for
    // every pane but the range view's "Spec".
    void SetCorrectionTarget(ICommonFft* fft);
    ICommonFft* GetCorrectionTarget() const { return m_pCorrectionTarget; }
    // The correction is written under a try-lock of g_DataMutex, which the device thread holds
    // while it processes a block; when the lock is busy the correction waits here and the next
    // paint (or data operation) writes it. Painters call FlushCorrection from Paint.
    bool HasPendingCorrection() const { return m_correctionPending; }
    void FlushCorrection();

    void SetKnownRangesSource(KnownRangesSource source);

    // The column map of the current plot and X window.
    CPixelColumnMap& GetColumnMap() { return m_columnMap; }

protected:
    // Forget the cached frame layer; for painters that change what the labels show in a way the
    // frame cannot see (fonts and units are seen).
    void InvalidateFrame();

    QRect m_rect;
    int m_xAxisHeight = 20;
    int m_yAxisWidth = 20;
    QBrush m_xAxisBrush;
    QPen m_xAxisPen;
    QBrush m_yAxisBrush;
    QPen m_yAxisPen;
    QPen m_gridPen;
    bool m_showXAxis = true;
    bool m_showYAxis = true;
    bool m_showXScrollBar = false;
    int m_margin = 7;
    int m_xPrecision = 3;
    int m_yPrecision = 3;
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    double m_xLimit = 0.0;
    double m_xFrom = 0.0;
    double m_xTo = 0.0;
    bool m_xFixed = true;
    double m_yMin = 0.0;
    double m_yMax = 0.0;
    double m_yFrom = 0.0;
    double m_yTo = 0.0;
    bool m_yFixed = true;
    int m_pauseState = 0;
    CPixelColumnMap m_columnMap;
    int m_dataOperation = 0;

private:
    // Column of the base X value: the plot's left edge, or the column of 0 when the window crosses
    // zero on a range that goes negative.
    double BaseColumn(const QRect& plot, double from, double to) const;
    double XPerPixel() const;
    double YStep() const;
    bool ZoomAllowed(double from, double to);
    std::vector<KNOWN_RANGE_ITEM> KnownRanges() const;

    ICommonFft* m_pCorrectionTarget = nullptr;
    bool m_correctionPending = false;
    double m_pendingShift = 0.0;
    std::vector<double> m_pendingCorrection;
    KnownRangesSource m_knownRanges;

    QImage m_frameLayer;
    QString m_frameKey;
};

// Pane payload vectors: a signed 32-bit count, then that many doubles, in the stream's settings.
void WriteDoubleVector(QDataStream& stream, const std::vector<double>& data);
// A count below 1 leaves data unchanged. A count the stream cannot hold (more doubles than bytes
// left, or a truncated vector) sets ReadCorruptData and leaves data unchanged as well.
void ReadDoubleVector(QDataStream& stream, std::vector<double>& data);
