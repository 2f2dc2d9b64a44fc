#pragma once

#include <QString>

// One marked span of the range spectrum drawn by the analysis and template overlays. Positions are
// range-spectrum point indexes; the span runs from lowIndex to highIndex inclusive.
struct SPECTRUM_MARKER_ITEM
{
    int lowIndex = 0;
    int peakIndex = 0;
    int highIndex = 0;
    // Level at the peak, dBm.
    double level = 0.0;
    // 255 hides the marker: it is never found, highlighted, labelled or coloured. For analysis
    // markers any other value is the result's status.
    int state = 0;
    QString label;
    // Template markers: index into the template colour table.
    int colorIndex = 0;
};

// The state value that hides a marker.
constexpr int kMarkerHidden = 255;
