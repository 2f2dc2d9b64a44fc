#include <gtest/gtest.h>

#include "bandtable.h"

TEST(BandTable, HoldsTheFortyTwoRowsInOrder)
{
    const auto& table = LibraryBandTable();
    ASSERT_EQ(table.size(), 42u);

    struct Row
    {
        size_t index;
        const wchar_t* name;
        double startMHz, endMHz, channelBandMHz, channelStepMHz;
        int firstChannel, lastChannel, averaging, regionMask;
    };
    // Chosen to cover: the first and last rows, a channel plan beside a row without one, a mobile and a
    // base row of one band, fractional edges, and a channel step that differs from the channel band.
    const Row rows[] = {
        {0, L"B1-2100-3G mobile", 1920, 1980, 5, 5, 1, 12, 3, 15},
        {6, L"B3-1800-2G mobile", 1710, 1785, 0.2, 0.2, 512, 885, 8, 15},
        {7, L"B3-1800-4G mobile", 1710, 1785, 0, 0, 0, 0, 3, 15},
        {8, L"B3-1800-2G base", 1805, 1880, 0.2, 0.2, 512, 885, 8, 15},
        {18, L"B8-900-2G mobile", 880, 915, 0.2, 0.2, 0, 174, 8, 7},
        {23, L"B20-800-4G base", 791, 821, 7.5, 7.5, 1, 4, 3, 7},
        {29, L"B31-450-3G base", 463, 467.5, 0, 0, 0, 0, 3, 1},
        {37, L"DECT", 1880, 1900, 1.728, 1.728, 0, 11, 8, 15},
        {39, L"2.4GHz", 2400, 2485, 22, 5, 1, 13, 8, 31},
        {40, L"5.0GHz", 5150, 5835, 0, 0, 0, 0, 3, 31},
        {41, L"ISM 433", 433, 434.8, 0, 0, 0, 0, 10, 31},
    };
    for (const Row& r : rows)
    {
        const FREQ_BAND_ITEM& item = table[r.index];
        SCOPED_TRACE(r.index);
        EXPECT_EQ(item.Name, r.name);
        EXPECT_DOUBLE_EQ(item.StartFreq, r.startMHz);
        EXPECT_DOUBLE_EQ(item.EndFreq, r.endMHz);
        EXPECT_DOUBLE_EQ(item.Band, r.channelBandMHz);
        EXPECT_DOUBLE_EQ(item.Step, r.channelStepMHz);
        EXPECT_EQ(item.StartChannel, r.firstChannel);
        EXPECT_EQ(item.EndChannel, r.lastChannel);
        EXPECT_EQ(item.Averaging, r.averaging);
        EXPECT_EQ(item.regionMask, r.regionMask);
    }
}

TEST(BandTable, EveryRowIsAWellFormedBand)
{
    for (const FREQ_BAND_ITEM& item : LibraryBandTable())
    {
        SCOPED_TRACE(std::string(item.Name.begin(), item.Name.end()));
        EXPECT_FALSE(item.Name.empty());
        EXPECT_LT(item.StartFreq, item.EndFreq);
        EXPECT_LE(item.StartChannel, item.EndChannel);
        EXPECT_TRUE(item.Averaging == 3 || item.Averaging == 8 || item.Averaging == 10);
        EXPECT_GT(item.regionMask, 0);
        EXPECT_LT(item.regionMask, 32) << "five regions";
    }
}
