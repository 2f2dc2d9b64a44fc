#pragma once

#include <QRect>

#include <vector>

#include "pixelcolumn.h"

// Reduces a trace to one PixelColumn per pixel column of the plot, so that drawing cost follows the
// plot width, not the number of points. The painter fills the public fields before each build; the
// windows also serve the grid and label spacing of the frame.
class CPixelColumnMap
{
public:
    // Fills columns from data; true when columns were produced (possibly fewer than the width when
    // the data end inside the window), false when nothing could be mapped (empty data, zero data
    // span or view window, a non-positive width, non-finite windows, a window starting before the
    // data). Never yields more than rect.width() columns, and the last point inside the window
    // always lands in a column. Reuses the columns vector without allocating when it already holds
    // rect.width() entries. interpolate: when one point spans several columns, step linearly
    // towards the next point.
    bool Build(const std::vector<double>& data, std::vector<PixelColumn>& columns, bool interpolate);

    QRect rect;             // the plot rectangle; its width is the number of columns
    double dataFrom = 0.0;  // X of the first point; n points spread evenly up to dataTo
    double dataTo = 0.0;
    double viewFrom = 0.0;  // visible X window
    double viewTo = 0.0;
    double yFrom = 0.0;  // visible Y window, carried for the grid and labels
    double yTo = 0.0;
    int pixelsPerPoint = 1;  // columns one data point spans in the last build; 0 when points share
    // The last build gathered the points of each column (extremes folded from ±2147483648), rather
    // than letting one point span several columns (extremes are that point's level).
    bool pointsShareColumns = true;
};
