#pragma once

// One pixel column of a reduced trace: the data points that fall into it and their extremes.
struct PixelColumn
{
    int firstIndex = 0;
    int lastIndex = 0;
    double minValue = 0.0;
    double maxValue = 0.0;
};
