#include "pixelcolumnmap.h"

#include <algorithm>
#include <climits>
#include <cmath>

bool CPixelColumnMap::Build(const std::vector<double>& data, std::vector<PixelColumn>& columns,
                            bool interpolate)
{
    if (data.empty())
        return false;
    const int width = rect.width();
    if (width <= 0)
        return false;
    if (!std::isfinite(dataFrom) || !std::isfinite(dataTo) || !std::isfinite(viewFrom) ||
        !std::isfinite(viewTo))
        return false;
    if (columns.size() != static_cast<size_t>(width))
        columns.resize(static_cast<size_t>(width));

    const size_t n = data.size();
    const double dataStep = (dataTo - dataFrom) / static_cast<double>(n);
    const double pixelStep = (viewTo - viewFrom) / width;
    // A reversed span or window would walk backwards for ever; a window that starts before the
    // data would index before the first point.
    if (!(dataStep > 0.0) || !(pixelStep > 0.0) || viewFrom < dataFrom)
        return false;

    const double first = std::trunc((viewFrom - dataFrom) / dataStep);
    if (first >= static_cast<double>(n))
    {
        columns.clear();
        return true;
    }
    size_t idx = static_cast<size_t>(first);
    const double ratio = std::trunc(dataStep / pixelStep);
    pixelsPerPoint = ratio > INT_MAX ? INT_MAX : static_cast<int>(ratio);
    double pos = viewFrom;
    int col = 0;

    pointsShareColumns = dataStep <= pixelStep;
    if (pointsShareColumns)
    {
        // Many points per column. The boundaries are accumulated, so rounding can end the window
        // a hair before or after the last boundary: the last column takes every remaining point
        // inside the window and is stored even when unfinished, which keeps exactly one column
        // per pixel and leaves no point out.
        double boundary = viewFrom + pixelStep;
        double lo = 2147483647.0;
        double hi = -2147483648.0;
        bool open = false;
        columns[0].firstIndex = static_cast<int>(idx);
        while (pos < viewTo && idx < n)
        {
            const double v = data[idx];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            open = true;
            columns[col].lastIndex = static_cast<int>(idx);
            ++idx;
            pos += dataStep;
            if (pos >= boundary && col < width - 1)
            {
                columns[col].minValue = lo;
                columns[col].maxValue = hi;
                ++col;
                columns[col].firstIndex = static_cast<int>(idx);
                boundary += pixelStep;
                lo = 2147483647.0;
                hi = -2147483648.0;
                open = false;
            }
        }
        if (open)
        {
            columns[col].minValue = lo;
            columns[col].maxValue = hi;
            ++col;
        }
    }
    else
    {
        // One point spans several columns; bounded by the column count so a pixel step below the
        // resolution of pos cannot loop for ever.
        double boundary = viewFrom + dataStep;
        int k = 0;
        while (pos < viewTo && idx < n && col < width)
        {
            pos += pixelStep;
            double slope = 0.0;
            if (interpolate && idx + 1 < n && pixelsPerPoint > 0)
                slope = (data[idx + 1] - data[idx]) / pixelsPerPoint;
            PixelColumn& c = columns[col++];
            c.firstIndex = c.lastIndex = static_cast<int>(idx);
            c.minValue = c.maxValue = data[idx] + k * slope;
            ++k;
            if (pos >= boundary)
            {
                ++idx;
                k = 0;
                boundary += dataStep;
            }
        }
    }
    columns.resize(static_cast<size_t>(col));
    return true;
}
