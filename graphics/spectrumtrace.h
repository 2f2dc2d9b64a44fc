#pragma once

#include <QPen>

#include <vector>

// One trace of the spectrum painter: levels in dBm spread evenly over the painter's full X range.
struct SpectrumTrace
{
    QPen pen;
    // Pen of the fill drawn under the trace when the painter is not in envelope mode.
    QPen fillPen;
    // Non-zero: a threshold-like trace, exempt from the data operation and drawn as horizontal steps.
    int unprocessed = 0;
    std::vector<double> data;
    bool visible = false;
};
