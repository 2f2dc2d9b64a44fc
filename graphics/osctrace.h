#pragma once

#include <QPen>

#include <vector>

#include "pixelcolumn.h"

// One trace of the oscillogram painter: samples in volts spread evenly over the painter's X range.
struct OscTrace
{
    QPen pen;
    // Volts added to every sample when the trace is drawn; the user drags traces apart with it.
    double offset = 0.0;
    // Rebuilt from the samples at every paint, one record per plot pixel column.
    std::vector<PixelColumn> columns;
    std::vector<double> samples;
    bool visible = true;
};
