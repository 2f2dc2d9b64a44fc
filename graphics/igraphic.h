#pragma once

#include <QBrush>
#include <QDataStream>
#include <QObject>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>

// The one interface through which a view drives any plot pane. Painters are plain QObjects owned
// by their view and drawn onto the view's QPainter; every other painter interface and the frame
// CQGraphicBase derive from this class virtually, so a painter object holds exactly one IGraphic
// (one QObject). Views keep panes as IGraphic* and reach the other interfaces with dynamic_cast
// (qobject_cast does not work through a virtual base).
//
// Pause state: 0 running, 1 paused (new data dropped), 2 single step (the next data are taken,
// then the state becomes 1). Data operation: 0 none, 1 hold, 2 combination, 3 data-signal,
// 4 signal-data.
class IGraphic : public QObject
{
    Q_OBJECT

public:
    IGraphic() = default;
    ~IGraphic() override = default;

    // Bands and colours. A division count cuts the band into label cells (at least 1).
    virtual void SetXAxisBand(int height, int divisions) = 0;
    virtual void SetXAxisColors(const QBrush& brush, const QPen& pen) = 0;
    virtual void SetYAxisBand(int width, int divisions) = 0;
    virtual void SetYAxisColors(const QBrush& brush, const QPen& pen) = 0;
    virtual void SetBackground(const QBrush& brush) = 0;
    virtual void SetGridPen(const QPen& pen) = 0;
    // Pane area in view coordinates.
    virtual void SetRect(QRect rect) = 0;
    virtual int GetTraceCount() = 0;
    virtual void ShowXAxis(bool show) = 0;
    virtual void ShowYAxis(bool show) = 0;
    virtual void ShowXScrollBar(bool show) = 0;
    virtual int GetXPrecision() = 0;
    virtual int GetYPrecision() = 0;

    // X range and window (zoom and scroll). Bad requests are ignored without a report.
    virtual void SetXLimits(double min, double max, double limit) = 0;
    virtual void SetFixedXRange(double min, double max) = 0;
    virtual void SetXFrom(double value) = 0;
    virtual void SetXTo(double value) = 0;
    virtual double GetXMin() = 0;
    virtual double GetXMax() = 0;
    virtual double GetXLimit() = 0;
    virtual double GetXFrom() = 0;
    virtual double GetXTo() = 0;
    virtual void SetXWindow(double from, double to) = 0;
    virtual bool IsXFixed() = 0;
    virtual bool IsXZoomed() = 0;
    virtual bool IsYZoomed() = 0;
    virtual void ScrollX(double delta) = 0;
    virtual void ScrollY(double delta) = 0;

    // Y range and window.
    virtual void SetYLimits(double min, double max) = 0;
    virtual void SetFixedYRange(double min, double max) = 0;
    virtual void SetYWindow(double from, double to) = 0;
    virtual void SetYFrom(double value) = 0;
    virtual void SetYTo(double value) = 0;
    virtual double GetYMin() = 0;
    virtual double GetYMax() = 0;
    virtual double GetYFrom() = 0;
    virtual double GetYTo() = 0;
    virtual bool IsYFixed() = 0;

    // Geometry and hit tests.
    virtual const QRect& GetRect() = 0;
    virtual QRect GetPlotRect() = 0;
    virtual bool IsInPlot(const QPoint& point) = 0;
    virtual QRect GetXLabelRect(int i) = 0;
    virtual QRect GetXAxisRect() = 0;
    virtual bool IsInXLabel(const QPoint& point, int i) = 0;
    virtual bool IsInXAxis(const QPoint& point) = 0;
    virtual QRect GetYLabelRect(int i) = 0;
    virtual QRect GetYAxisRect() = 0;
    virtual bool IsInYLabel(const QPoint& point, int i) = 0;
    virtual bool IsInYAxis(const QPoint& point) = 0;
    // Units per pixel of the plot; 0.0 before the first paint.
    virtual double GetXPerPixel() = 0;
    virtual double GetYPerPixel() = 0;

    virtual void SetPauseState(int state) = 0;
    virtual int GetPauseState() = 0;
    virtual void SetDataOperation(int operation) = 0;
    virtual int GetDataOperation() = 0;

    // Smallest and largest value of trace `trace` in the pixel column under the point.
    virtual double GetMinAtPoint(int trace, const QPoint& point) = 0;
    virtual double GetMaxAtPoint(int trace, const QPoint& point) = 0;

    // mode 0: value labels; any other value: the device core's known ranges label the X band.
    virtual void Paint(QPainter* painter, int mode) = 0;
    // The pane payload of pane data files and archive images. Load validates everything before it
    // changes the painter; on damaged input it sets QDataStream::ReadCorruptData and changes nothing.
    virtual QDataStream& Save(QDataStream& stream) = 0;
    virtual QDataStream& Load(QDataStream& stream) = 0;
};
