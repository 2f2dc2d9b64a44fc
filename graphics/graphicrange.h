#pragma once

#include <QRect>
#include <QString>

#include <vector>

#include "pixelcolumn.h"

// One frequency range of the multiple-range painters, drawn in its own column of the pane.
struct GraphicRange
{
    QString name;
    // Full span of the range, MHz.
    double from = 0.0;
    double to = 0.0;
    // Visible part of the range, MHz; starts as the full span.
    double windowFrom = 0.0;
    double windowTo = 0.0;
    // The range's column in the pane.
    QRect rect;
    // The range's latest spectrum line.
    std::vector<double> data;
    // The data mapped onto the range's pixel columns at the last paint.
    std::vector<PixelColumn> columns;
};
