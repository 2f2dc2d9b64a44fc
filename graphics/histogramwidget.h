#pragma once

#include <QRect>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

class QMouseEvent;
class QPainter;
class QPaintEvent;
class QResizeEvent;

// One bar of the histogram: its label under the bar and its level, dB(m).
struct HISTOGRAM_BAR
{
    QString label;
    double level = 0.0;
};

inline bool operator==(const HISTOGRAM_BAR& a, const HISTOGRAM_BAR& b)
{
    return a.label == b.label && a.level == b.level;
}

// A bar chart of named levels with LED-like segmented bars, scrolled sideways by dragging when the
// bars are wider than the widget; a strip along the bottom shows which stretch is in view. Levels at or
// below -170 dB mean "no level" and get no bar. The GSM analysis and octave filter windows fill the
// public fields and repaint.
class CQHistogramWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr double kNoLevel = -170.0;

    explicit CQHistogramWidget(QWidget* parent = nullptr);

    // Keeps the span and puts the lower level 1 dB below the lowest real bar (29 dB without one).
    void AutoFit();

    // The thumb of the scroll strip for a widget widgetWidth wide showing contentWidth pixels of bars
    // from scrollOffset on: the visible share of the strip, kept inside the strip's outline.
    static QRectF ScrollThumb(const QRect& strip, int widgetWidth, int contentWidth, int scrollOffset);

    double m_dLowerLevel = -120.0;  // level at the base length of a bar
    double m_dUpperLevel = -60.0;   // level at the full widget height
    int m_nScrollOffset = 0;        // pixels the bars are shifted left
    int m_nContentWidth = 0;        // pixels the bars took at the last paint
    std::vector<HISTOGRAM_BAR> m_Bars;
    int m_nMargin = 10;
    int m_nMinBarWidth = 35;
    bool m_bShowValues = true;

public slots:
    // Back to the first bar.
    void Reset();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintScrollStrip(QPainter& painter) const;

    int m_nLastMouseX = 0;
    int m_nLastMouseY = 0;
};
