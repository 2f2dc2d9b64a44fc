// The painter frame through a minimal painter: plot and band geometry, the zoom and scroll rules,
// grid and label positions and texts, scroll strips, the cached frame layer, the data operations
// with their hand-over to the range FFT, and the payload vector helpers.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "globals.h"
#include "graphicbase.h"
#include "icommonfft.h"
#include "recordingcommonfft.h"

namespace
{
const QRect kPane(0, 0, 527, 327);  // plot (20, 0, 500, 300) with the default bands

// The smallest painter: one trace drawn as nothing but the frame, as a real painter orders it.
class CFramePainter : public CQGraphicBase
{
public:
    CFramePainter()
    {
        SetRect(kPane);
        m_xPrecision = 0;
        m_yPrecision = 0;
    }
    void SetXAxisBand(int height, int) override { m_xAxisHeight = height; }
    void SetXAxisColors(const QBrush& brush, const QPen& pen) override
    {
        m_xAxisBrush = brush;
        m_xAxisPen = pen;
    }
    void SetYAxisBand(int width, int) override { m_yAxisWidth = width; }
    void SetYAxisColors(const QBrush& brush, const QPen& pen) override
    {
        m_yAxisBrush = brush;
        m_yAxisPen = pen;
    }
    void SetBackground(const QBrush&) override {}
    void SetGridPen(const QPen& pen) override { m_gridPen = pen; }
    void SetRect(QRect rect) override { m_rect = rect; }
    int GetTraceCount() override { return 1; }
    QRect GetXLabelRect(int) override { return GetXAxisRect(); }
    QRect GetYLabelRect(int) override { return GetYAxisRect(); }
    double GetXPerPixel() override { return 0.0; }
    double GetYPerPixel() override { return 0.0; }
    double GetMinAtPoint(int, const QPoint&) override { return 0.0; }
    double GetMaxAtPoint(int, const QPoint&) override { return 0.0; }
    void Paint(QPainter* painter, int mode) override
    {
        painter->fillRect(m_rect, Qt::black);
        const QRect plot = GetPlotRect();
        m_columnMap.rect = plot;
        m_columnMap.dataFrom = m_xMin;
        m_columnMap.dataTo = m_xMax;
        m_columnMap.viewFrom = m_xFrom;
        m_columnMap.viewTo = m_xTo;
        m_columnMap.yFrom = m_yFrom;
        m_columnMap.yTo = m_yTo;
        if (!m_columnMap.Build(data, columns, false))
            return;
        if (direct)
        {
            DrawGrid(painter, plot, m_xFrom, m_xTo, false);
            DrawXAxisLabels(painter, mode, plot, m_xFrom, m_xTo, false, false);
            DrawYAxisLabels(painter, plot, false);
        }
        else
        {
            DrawFrame(painter, mode, plot, false, false);
        }
        painter->setClipRect(m_rect);
        if (!m_xFixed)
            DrawXScrollBar(painter);
        if (!m_yFixed)
            DrawYScrollBar(painter);
    }
    QDataStream& Save(QDataStream& stream) override { return stream; }
    QDataStream& Load(QDataStream& stream) override { return stream; }
    int GetPointCount() override { return static_cast<int>(data.size()); }
    int GetXDecimalsCode() override { return 2; }
    int GetYDecimalsCode() override { return 0; }
    QString GetXUnit(double, double&) override { return "MHz"; }
    QString GetYUnit(double, double&) override { return "dBm"; }

    QImage PaintImage(int mode = 0)
    {
        QImage image(kPane.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        Paint(&painter, mode);
        return image;
    }

    std::vector<double> data = std::vector<double>(1000, -60.0);
    std::vector<PixelColumn> columns;
    bool direct = false;  // draw the frame without its layer cache
};

// A paint device that keeps the texts drawn on it and where, so label tests need no glyph shapes.
class CTextRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QPointF pos;
        QString text;
    };

    QPaintEngine* paintEngine() const override { return &m_engine; }
    std::vector<Text> texts;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric)
        {
            case PdmWidth:
                return kPane.width();
            case PdmHeight:
                return kPane.height();
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDepth:
                return 32;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return int(QPaintDevice::devicePixelRatioFScale());
            default:
                return 0;
        }
    }

private:
    class CEngine : public QPaintEngine
    {
    public:
        explicit CEngine(CTextRecorder* owner) : QPaintEngine(AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawTextItem(const QPointF& pos, const QTextItem& item) override
        {
            m_owner->texts.push_back({pos, item.text()});
        }
        Type type() const override { return User; }

    private:
        CTextRecorder* m_owner;
    };
    mutable CEngine m_engine{this};
};

std::vector<QString> Texts(const CTextRecorder& recorder)
{
    std::vector<QString> texts;
    for (const auto& t : recorder.texts)
        texts.push_back(t.text);
    return texts;
}

bool IsGrid(QRgb pixel)
{
    return qRed(pixel) == 50 && qGreen(pixel) == 60 && qBlue(pixel) == 60;
}

int GridPixelsInColumn(const QImage& image, int x, int top, int bottom)
{
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        count += IsGrid(image.pixel(x, y));
    return count;
}

int GridPixelsInRow(const QImage& image, int y, int left, int right)
{
    int count = 0;
    for (int x = left; x <= right; ++x)
        count += IsGrid(image.pixel(x, y));
    return count;
}

struct Window
{
    double from, to;
};

Window XWindow(CFramePainter& p)
{
    return {p.GetXFrom(), p.GetXTo()};
}
}  // namespace

TEST(GraphicBase, PlotAndBandsFollowThePaneAndTheShownAxes)
{
    struct Case
    {
        QRect pane;
        bool showX, showY;
        QRect plot, xAxis, yAxis;
    };
    const Case cases[] = {
        {kPane, true, true, QRect(20, 0, 500, 300), QRect(20, 299, 500, 20), QRect(0, -1, 20, 300)},
        {kPane, false, true, QRect(20, 0, 500, 318), QRect(20, 317, 500, 20), QRect(0, -1, 20, 318)},
        {kPane, true, false, QRect(1, 0, 519, 300), QRect(20, 299, 519, 20), QRect(0, -1, 20, 300)},
        {QRect(100, 50, 300, 200), true, true, QRect(120, 50, 273, 173), QRect(120, 222, 273, 20),
         QRect(100, 49, 20, 173)},
    };
    for (const Case& c : cases)
    {
        CFramePainter p;
        p.SetRect(c.pane);
        p.ShowXAxis(c.showX);
        p.ShowYAxis(c.showY);
        EXPECT_EQ(p.GetPlotRect(), c.plot);
        EXPECT_EQ(p.GetXAxisRect(), c.xAxis);
        EXPECT_EQ(p.GetYAxisRect(), c.yAxis);
        EXPECT_TRUE(p.IsInPlot(c.plot.bottomRight()));
        EXPECT_FALSE(p.IsInPlot(c.plot.bottomRight() + QPoint(1, 0)));
        EXPECT_TRUE(p.IsInXAxis(c.xAxis.topLeft()));
        EXPECT_TRUE(p.IsInYAxis(c.yAxis.bottomRight()));
    }
}

TEST(GraphicBase, RangeSettersKeepTheirInvariants)
{
    CFramePainter p;
    p.SetXLimits(0, 100, 80);
    EXPECT_EQ(p.GetXMin(), 0);
    EXPECT_EQ(p.GetXMax(), 100);
    EXPECT_EQ(p.GetXLimit(), 80);
    EXPECT_EQ(XWindow(p).from, 0);
    EXPECT_EQ(XWindow(p).to, 80);
    EXPECT_FALSE(p.IsXFixed());
    p.ScrollX(30);  // end 110 beyond the limit
    p.ScrollX(-5);  // start below the range
    EXPECT_EQ(XWindow(p).from, 0);
    EXPECT_EQ(XWindow(p).to, 80);
    p.SetXWindow(0, 40);
    p.ScrollX(20);
    EXPECT_EQ(XWindow(p).from, 20);
    EXPECT_EQ(XWindow(p).to, 60);
    p.SetXLimits(10, 10, 10);
    p.SetXLimits(std::nan(""), 5, 5);
    EXPECT_EQ(p.GetXMax(), 100);
    EXPECT_EQ(p.GetXLimit(), 80);

    p.SetFixedYRange(-120, 0);
    p.SetFixedYRange(5, 1);
    EXPECT_EQ(p.GetYMin(), -120);
    EXPECT_EQ(p.GetYTo(), 0);
    p.SetYWindow(-100, -50);  // fixed axis: no zoom
    EXPECT_EQ(p.GetYFrom(), -120);

    p.SetYLimits(-120, 0);
    p.SetYWindow(-100, -20);
    p.ScrollY(-30);  // past the minimum: only the start moves
    EXPECT_EQ(p.GetYFrom(), -120);
    EXPECT_EQ(p.GetYTo(), -20);
    p.ScrollY(30);  // past the maximum: only the end moves
    EXPECT_EQ(p.GetYFrom(), -120);
    EXPECT_EQ(p.GetYTo(), 0);
    p.SetYWindow(-100, -50);
    p.ScrollY(10);
    EXPECT_EQ(p.GetYFrom(), -90);
    EXPECT_EQ(p.GetYTo(), -40);
    for (int op : {3, 4})
    {
        p.SetDataOperation(op);
        p.ScrollY(10);
        EXPECT_EQ(p.GetYFrom(), -90) << "operation " << op;
    }
}

TEST(GraphicBase, ZoomWindowRules)
{
    // 1000 points over [0, 1000] in a 500-pixel plot; the limit of 4 pixels per point needs the
    // data span that a paint gives the column map.
    struct Case
    {
        const char* name;
        Window request;
        Window expected;
    };
    const Case cases[] = {
        {"2.5 pixels per point is fine", {100, 300}, {100, 300}},
        {"5 pixels per point is refused", {100, 200}, {0, 980}},
        {"10 pixels per point is refused", {100, 150}, {0, 980}},
        {"narrower than one point", {100, 100.5}, {0, 980}},
        {"start below the range", {-100, 100}, {0, 200}},
        {"end above the range, then the limit", {900, 1100}, {800, 980}},
        {"reversed", {300, 200}, {0, 980}},
        {"not a number", {std::nan(""), 200}, {0, 980}},
    };
    for (const Case& c : cases)
    {
        CFramePainter p;
        p.SetXLimits(0, 1000, 980);
        p.PaintImage();
        p.SetXWindow(c.request.from, c.request.to);
        EXPECT_EQ(XWindow(p).from, c.expected.from) << c.name;
        EXPECT_EQ(XWindow(p).to, c.expected.to) << c.name;
    }

    // A refused window keeps the old one whole, even when one half alone would have been fine,
    // and a window moved past the old end is not refused on the way.
    CFramePainter p;
    p.SetXLimits(0, 1000, 1000);
    p.PaintImage();
    p.SetXWindow(0, 130);
    p.SetXWindow(125, 255);
    EXPECT_EQ(XWindow(p).from, 125);
    EXPECT_EQ(XWindow(p).to, 255);
    p.SetXWindow(100, 150);
    EXPECT_EQ(XWindow(p).from, 125);
    EXPECT_EQ(XWindow(p).to, 255);
    p.SetXFrom(240);  // one half alone obeys the same limit
    EXPECT_EQ(XWindow(p).from, 125);
    p.SetXTo(2000);  // clamped to the range
    EXPECT_EQ(XWindow(p).to, 1000);

    // Before any paint the map knows no data span, so there is no limit; a fixed axis never zooms.
    CFramePainter fresh;
    fresh.SetXLimits(0, 1000, 1000);
    fresh.SetXWindow(100, 150);
    EXPECT_EQ(XWindow(fresh).from, 100);
    fresh.SetFixedXRange(0, 1000);
    fresh.SetXWindow(100, 200);
    fresh.SetXFrom(300);
    EXPECT_EQ(XWindow(fresh).from, 0);
    EXPECT_FALSE(fresh.IsXZoomed());
}

TEST(GraphicBase, GridLinesAtFixedPixelSpacing)
{
    struct Case
    {
        const char* name;
        double xMin, xMax;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {"window from the range start", 0, 1000, {94, 169, 244, 319, 394, 469}},
        // The column of 0 carries the white Y axis line over its grid line.
        {"window across zero on a negative range", -500, 500, {119, 194, 344, 419, 494}},
    };
    for (const Case& c : cases)
    {
        CFramePainter p;
        p.SetXLimits(c.xMin, c.xMax, c.xMax);
        p.SetYLimits(-100, 0);
        p.SetYWindow(-100, 0);
        const QImage image = p.PaintImage();
        std::vector<int> found;
        for (int x = 20; x <= 519; ++x)
            if (GridPixelsInColumn(image, x, 0, 298) > 50)
                found.push_back(x);
        EXPECT_EQ(found, c.columns) << c.name;
        const int axis = c.xMin < 0 ? 269 : 19;
        if (axis >= 20)
        {
            EXPECT_EQ(image.pixel(axis, 100), qRgb(255, 255, 255)) << c.name;
        }
        std::vector<int> rows;
        for (int y = 0; y <= 298; ++y)
            if (GridPixelsInRow(image, y, 20, 519) > 100)
                rows.push_back(y);
        EXPECT_EQ(rows, (std::vector<int>{55, 90, 125, 160, 195, 230, 265})) << c.name;
    }
}

TEST(GraphicBase, LabelTextsAndPositions)
{
    CFramePainter p;
    p.SetXLimits(0, 1000, 1000);
    p.SetYLimits(-100, 0);
    p.SetYWindow(-100, 0);
    p.direct = true;
    CTextRecorder recorder;
    {
        QPainter painter(&recorder);
        p.Paint(&painter, 0);
    }
    // The 900 label would run into the right-hand end label, so the intermediate ones stop at 750.
    const std::vector<QString> expected = {"0",    "1000", "150", "300", "450", "600", "750", "dBm", "0",
                                           "-100", "-88",  "-77", "-65", "-53", "-42", "-30", "-18"};
    EXPECT_EQ(Texts(recorder), expected);
    ASSERT_GE(recorder.texts.size(), 7u);
    EXPECT_EQ(recorder.texts[0].pos.x(), 21);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(recorder.texts[2 + k].pos.x(), 99 + 75 * k) << recorder.texts[2 + k].text.toStdString();

    // Across zero: labels anchored at the column of 0 and continued to its left.
    CFramePainter z;
    z.SetXLimits(-500, 500, 500);
    z.direct = true;
    CTextRecorder zero;
    {
        QPainter painter(&zero);
        z.Paint(&painter, 0);
    }
    std::vector<std::pair<int, QString>> xLabels;
    for (const auto& t : zero.texts)
        if (t.text != "dBm" && t.pos.y() > 290)
            xLabels.emplace_back(int(t.pos.x()), t.text);
    const std::vector<std::pair<int, QString>> anchored = {
        {21, "-500"}, {349, "150"}, {274, "0"}, {199, "-150"}, {124, "-300"}};
    for (const auto& label : anchored)
        EXPECT_NE(std::find(xLabels.begin(), xLabels.end(), label), xLabels.end())
            << label.second.toStdString() << " at " << label.first;

    // End labels that overlap: only the start is written.
    CFramePainter narrow;
    narrow.SetRect(QRect(0, 0, 127, 100));
    narrow.SetXPrecision(3);
    narrow.SetXLimits(123456, 123457, 123457);
    narrow.direct = true;
    CTextRecorder overlap;
    {
        QPainter painter(&overlap);
        narrow.Paint(&painter, 0);
    }
    const std::vector<QString> texts = Texts(overlap);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "123456.000"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "123457.000"), texts.end());
}

TEST(GraphicBase, KnownRangeModeLabelsRangesInsteadOfValues)
{
    CFramePainter p;
    p.SetXLimits(0, 1000, 1000);
    KNOWN_RANGE_ITEM a;
    a.name = "Low";
    a.position = 0;
    KNOWN_RANGE_ITEM b;
    b.name = "High";
    b.position = 16384;
    p.SetKnownRangesSource([=] { return std::vector<KNOWN_RANGE_ITEM>{a, b}; });
    CTextRecorder recorder;
    {
        QPainter painter(&recorder);
        p.Paint(&painter, 1);
    }
    std::vector<std::pair<int, QString>> xLabels;
    for (const auto& t : recorder.texts)
        if (t.pos.y() > 290)
            xLabels.emplace_back(int(t.pos.x()), t.text);
    EXPECT_EQ(xLabels, (std::vector<std::pair<int, QString>>{{25, "Low"}, {275, "High"}}));
}

TEST(GraphicBase, CachedFrameMatchesDirectDrawingAndFollowsTheWindow)
{
    CFramePainter p;
    p.SetXLimits(0, 1000, 1000);
    p.SetYLimits(-100, 0);
    p.SetYWindow(-100, 0);
    const QImage cached = p.PaintImage();
    const QImage again = p.PaintImage();
    EXPECT_EQ(cached, again);

    p.direct = true;
    EXPECT_EQ(cached, p.PaintImage());
    p.direct = false;

    p.SetXWindow(0, 500);
    const QImage zoomed = p.PaintImage();
    EXPECT_GT(GridPixelsInColumn(zoomed, 94, 0, 298), 50);  // 75 pixels now
    EXPECT_EQ(GridPixelsInColumn(zoomed, 169, 0, 298) > 50, true);
    EXPECT_NE(zoomed, cached);
    p.SetGridPen(QPen(Qt::red));
    const QImage red = p.PaintImage();
    EXPECT_EQ(red.pixel(94, 150), qRgb(255, 0, 0));
}

TEST(GraphicBase, ScrollStrips)
{
    struct Case
    {
        const char* name;
        double min, from, to, max;
        int left, right;  // white columns of the bar
    };
    // Strip under the X band: columns 20..519, bar rows 321..324.
    const Case cases[] = {
        {"thin window", 0, 0, 1, 1000, 22, 31},
        {"window of the whole range", 0, 0, 1000, 1000, 22, 517},
        {"window wider than the range", 0, -100, 1100, 1000, 22, 517},
        {"second half", 0, 500, 1000, 1000, 272, 517},
        {"negative range", -1000, -500, 0, 0, 272, 517},
    };
    for (const Case& c : cases)
    {
        CFramePainter p;
        p.ShowXScrollBar(true);
        QImage image(kPane.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            p.DrawXScrollBar(&painter, p.GetPlotRect(), c.min, c.from, c.to, c.max);
        }
        std::vector<int> white;
        for (int x = 0; x < kPane.width(); ++x)
            if (image.pixel(x, 322) == qRgb(255, 255, 255))
                white.push_back(x);
        ASSERT_FALSE(white.empty()) << c.name;
        // The outline's corners sit at columns 20 and 520.
        white.erase(std::remove_if(white.begin(), white.end(), [](int x) { return x == 20 || x == 520; }),
                    white.end());
        EXPECT_EQ(white.front(), c.left) << c.name;
        EXPECT_EQ(white.back(), c.right) << c.name;
        EXPECT_EQ(int(white.size()), c.right - c.left + 1) << c.name;
    }

    // Hidden X strip by default; the Y strip marks [-100, 0] of [-120, 0] down to row ~249.
    CFramePainter p;
    p.SetXLimits(0, 1000, 1000);
    p.SetYLimits(-120, 0);
    p.SetYWindow(-100, 0);
    const QImage image = p.PaintImage();
    EXPECT_NE(image.pixel(100, 322), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(522, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(522, 248), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(522, 260), qRgb(255, 255, 255));
}

TEST(GraphicBase, DataOperationsOnTwoTraces)
{
    const std::vector<double> held = {-85, -85, -60};
    const std::vector<double> live = {-90, -80, -60};
    struct Case
    {
        int operation;
        std::vector<double> live;
    };
    const Case cases[] = {
        {0, live}, {1, {}}, {2, live}, {3, {-115, -125, -120}}, {4, {-125, -115, -120}},
    };
    for (const Case& c : cases)
    {
        CFramePainter p;
        p.SetYLimits(-120, 0);
        p.SetYWindow(-120, 0);
        p.SetDataOperation(c.operation);
        std::vector<double> trace = live;
        p.ApplyDataOperation(trace, held);
        EXPECT_EQ(trace, c.live) << "operation " << c.operation;
        std::vector<double> shorter = {-90, -80};
        p.ApplyDataOperation(shorter, held);
        if (c.operation != 1)
        {
            EXPECT_EQ(shorter, (std::vector<double>{-90, -80})) << "operation " << c.operation;
        }
    }
}

TEST(GraphicBase, OnlyTheCorrectionTargetReceivesTheRow)
{
    std::vector<double> held = {-85, -85};
    CRecordingCommonFft sink;

    CFramePainter other;
    other.SetYLimits(-120, 0);
    other.SetYWindow(-120, 0);
    other.SetDataOperation(4);
    std::vector<double> live = {-90, -80};
    other.ApplyDataOperation(live, held);
    EXPECT_EQ(live, (std::vector<double>{-125, -115}));
    EXPECT_FALSE(other.HasPendingCorrection());

    CFramePainter range;
    range.SetYLimits(-120, 0);
    range.SetYWindow(-120, 0);
    range.SetCorrectionTarget(&sink);
    range.SetDataOperation(4);
    live = {-90, -80};
    range.ApplyDataOperation(live, held);
    using Calls = std::vector<std::pair<int, double>>;
    EXPECT_EQ(sink.calls, (Calls{{-1, 1.0}, {0, -120.0}, {1, -115.0}}));

    sink.calls.clear();
    range.SetDataOperation(3);
    live = {-90, -80};
    range.ApplyDataOperation(live, held);
    EXPECT_EQ(sink.calls, (Calls{{-1, 0.0}}));

    // While the device thread holds the data mutex the row waits for the next paint.
    sink.calls.clear();
    range.SetDataOperation(4);
    g_DataMutex.lock();
    live = {-90, -80};
    range.ApplyDataOperation(live, held);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_TRUE(range.HasPendingCorrection());
    range.PaintImage();
    range.FlushCorrection();
    EXPECT_TRUE(sink.calls.empty());
    g_DataMutex.unlock();
    range.FlushCorrection();
    EXPECT_EQ(sink.calls, (Calls{{-1, 1.0}, {0, -120.0}, {1, -115.0}}));
    EXPECT_FALSE(range.HasPendingCorrection());
}

TEST(GraphicBase, DoubleVectorPayloads)
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        WriteDoubleVector(out, {1.5, -2.0});
    }
    ASSERT_EQ(bytes.size(), 4 + 16);
    EXPECT_EQ(bytes.left(4), QByteArray::fromHex("00000002"));  // big-endian count
    EXPECT_EQ(bytes.mid(4, 8), QByteArray::fromHex("3ff8000000000000"));
    {
        QDataStream in(bytes);
        std::vector<double> back = {9};
        ReadDoubleVector(in, back);
        EXPECT_EQ(in.status(), QDataStream::Ok);
        EXPECT_EQ(back, (std::vector<double>{1.5, -2.0}));
    }

    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool corrupt;
    };
    const Case cases[] = {
        {"count 0", QByteArray::fromHex("00000000"), false},
        {"negative count", QByteArray::fromHex("ffffffff"), false},
        {"truncated vector", bytes.left(12), true},
        {"huge count", QByteArray::fromHex("7fffffff") + bytes.mid(4), true},
        {"no count", QByteArray::fromHex("0000"), true},
    };
    for (const Case& c : cases)
    {
        QByteArray copy = c.bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QDataStream in(&buffer);
        std::vector<double> target = {7, 8, 9};
        ReadDoubleVector(in, target);
        EXPECT_EQ(target, (std::vector<double>{7, 8, 9})) << c.name;
        EXPECT_EQ(in.status() != QDataStream::Ok, c.corrupt) << c.name;
    }
}
