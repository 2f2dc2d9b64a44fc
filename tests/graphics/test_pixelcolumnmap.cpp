// Reduction of traces to pixel columns: column contents for dense, sparse and interpolated traces,
// windows that start inside or run past the data, the exact column count when the width does not
// divide the point count, and the inputs that must map nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "pixelcolumnmap.h"

namespace
{
CPixelColumnMap MakeMap(int width, double dataFrom, double dataTo, double viewFrom, double viewTo)
{
    CPixelColumnMap map;
    map.rect = QRect(10, 0, width, 100);
    map.dataFrom = dataFrom;
    map.dataTo = dataTo;
    map.viewFrom = viewFrom;
    map.viewTo = viewTo;
    return map;
}

std::vector<double> Ramp(int n)
{
    std::vector<double> data(n);
    for (int i = 0; i < n; ++i)
        data[i] = (i % 7) * 3.0 - i * 0.01;
    return data;
}

// Every point of the window lands in exactly one column, columns in index order.
void ExpectContiguous(const std::vector<PixelColumn>& columns, int first, int last)
{
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns.front().firstIndex, first);
    EXPECT_EQ(columns.back().lastIndex, last);
    for (size_t k = 1; k < columns.size(); ++k)
        EXPECT_EQ(columns[k].firstIndex, columns[k - 1].lastIndex + 1) << "column " << k;
}
}  // namespace

TEST(PixelColumnMap, DenseColumnsHoldTheirPointsAndExtremes)
{
    const std::vector<double> data = Ramp(1000);
    CPixelColumnMap map = MakeMap(500, 0, 1000, 0, 1000);
    std::vector<PixelColumn> columns;
    ASSERT_TRUE(map.Build(data, columns, false));
    ASSERT_EQ(columns.size(), 500u);
    EXPECT_EQ(map.pixelsPerPoint, 0);
    for (int k = 0; k < 500; ++k)
    {
        EXPECT_EQ(columns[k].firstIndex, 2 * k);
        EXPECT_EQ(columns[k].lastIndex, 2 * k + 1);
        EXPECT_EQ(columns[k].minValue, std::min(data[2 * k], data[2 * k + 1]));
        EXPECT_EQ(columns[k].maxValue, std::max(data[2 * k], data[2 * k + 1]));
    }
}

TEST(PixelColumnMap, SparsePointsSpanColumnsAndInterpolateInSteps)
{
    std::vector<double> data(100);
    for (int i = 0; i < 100; ++i)
        data[i] = (i % 2) ? 8.0 : 0.0;
    CPixelColumnMap map = MakeMap(400, 0, 100, 0, 100);
    std::vector<PixelColumn> plain;
    ASSERT_TRUE(map.Build(data, plain, false));
    EXPECT_EQ(map.pixelsPerPoint, 4);
    ASSERT_EQ(plain.size(), 400u);
    std::vector<PixelColumn> smooth;
    ASSERT_TRUE(map.Build(data, smooth, true));
    ASSERT_EQ(smooth.size(), 400u);
    for (int c = 0; c < 400; ++c)
    {
        const int i = c / 4;
        EXPECT_EQ(plain[c].firstIndex, i);
        EXPECT_EQ(plain[c].lastIndex, i);
        EXPECT_EQ(plain[c].maxValue, data[i]);
        // Quarter steps towards the next point; the last point has none to go to.
        const double next = i + 1 < 100 ? data[i + 1] : data[i];
        EXPECT_DOUBLE_EQ(smooth[c].minValue, data[i] + (c % 4) * (next - data[i]) / 4.0) << "column " << c;
    }
}

TEST(PixelColumnMap, WindowsInsideAndPastTheData)
{
    const std::vector<double> data = Ramp(1000);
    std::vector<PixelColumn> columns;

    CPixelColumnMap inside = MakeMap(500, 0, 1000, 250, 750);
    ASSERT_TRUE(inside.Build(data, columns, false));
    EXPECT_EQ(inside.pixelsPerPoint, 1);
    EXPECT_EQ(columns.size(), 500u);
    EXPECT_EQ(columns.front().firstIndex, 250);
    EXPECT_EQ(columns.back().lastIndex, 749);

    // The window runs 500 units past the data end: only half the width gets columns.
    CPixelColumnMap past = MakeMap(500, 0, 1000, 500, 1500);
    ASSERT_TRUE(past.Build(data, columns, false));
    EXPECT_EQ(columns.size(), 250u);
    ExpectContiguous(columns, 500, 999);
}

TEST(PixelColumnMap, WidthsThatDoNotDivideGiveOneColumnPerPixel)
{
    struct Case
    {
        int points;
        double from;
        double to;
        int width;
    };
    const Case cases[] = {{32768, 30, 3616, 500},
                          {32768, 30, 3616, 1893},
                          {32768, 30, 3616, 1876},
                          {4096, -1.5, 1.5, 997},
                          {1000, 0, 1000, 333}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.points << " points into " << c.width);
        std::vector<double> data(c.points, -100.0);
        data.back() = 5.0;  // a signal at the right edge must not vanish
        CPixelColumnMap map = MakeMap(c.width, c.from, c.to, c.from, c.to);
        std::vector<PixelColumn> columns;
        ASSERT_TRUE(map.Build(data, columns, false));
        EXPECT_EQ(columns.size(), static_cast<size_t>(c.width));
        ExpectContiguous(columns, 0, c.points - 1);
        EXPECT_EQ(columns.back().maxValue, 5.0);
    }

    // Fewer points than pixels, width not a multiple: never more columns than pixels, every
    // point shown, in order.
    const std::vector<double> data = Ramp(1000);
    CPixelColumnMap map = MakeMap(1893, 0, 1000, 0, 1000);
    std::vector<PixelColumn> columns;
    ASSERT_TRUE(map.Build(data, columns, true));
    ASSERT_LE(columns.size(), 1893u);
    EXPECT_GE(columns.size(), 1892u);
    EXPECT_EQ(columns.front().firstIndex, 0);
    EXPECT_EQ(columns.back().lastIndex, 999);
    for (size_t k = 1; k < columns.size(); ++k)
        EXPECT_LE(columns[k].firstIndex - columns[k - 1].firstIndex, 1);
}

TEST(PixelColumnMap, ReusesTheColumnVector)
{
    const std::vector<double> data = Ramp(32768);
    CPixelColumnMap map = MakeMap(1876, 0, 3000, 0, 3000);
    std::vector<PixelColumn> columns;
    ASSERT_TRUE(map.Build(data, columns, false));
    const PixelColumn* storage = columns.data();
    map.viewFrom = 1000;
    ASSERT_TRUE(map.Build(data, columns, false));
    EXPECT_EQ(columns.data(), storage);
}

TEST(PixelColumnMap, RefusesWhatCannotBeMapped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* name;
        int width;
        double dataFrom, dataTo, viewFrom, viewTo;
        size_t points;
    };
    const Case cases[] = {
        {"empty data", 100, 0, 10, 0, 10, 0},      {"zero data span", 100, 5, 5, 0, 10, 10},
        {"zero window", 100, 0, 10, 3, 3, 10},     {"zero width", 0, 0, 10, 0, 10, 10},
        {"negative width", -20, 0, 10, 0, 10, 10}, {"reversed data span", 100, 10, 0, 0, 10, 10},
        {"reversed window", 100, 0, 10, 8, 2, 10}, {"window before the data", 100, 0, 10, -5, 5, 10},
        {"NaN window", 100, 0, 10, nan, 10, 10},   {"infinite span", 100, 0, HUGE_VAL, 0, 10, 10},
    };
    for (const Case& c : cases)
    {
        CPixelColumnMap map = MakeMap(c.width, c.dataFrom, c.dataTo, c.viewFrom, c.viewTo);
        std::vector<PixelColumn> columns(3);
        EXPECT_FALSE(map.Build(std::vector<double>(c.points, 1.0), columns, true)) << c.name;
    }
    // A window far finer than a point is bounded by the columns, not the float resolution.
    CPixelColumnMap deep = MakeMap(800, 0, 1e6, 1000, 1000 + 1e-11);
    std::vector<PixelColumn> columns;
    ASSERT_TRUE(deep.Build(std::vector<double>(1000, 2.0), columns, true));
    EXPECT_EQ(columns.size(), 800u);
    EXPECT_EQ(columns.back().firstIndex, 1);
}
