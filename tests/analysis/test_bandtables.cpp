// The program's band tables, built with the library's internal library and the table source alone:
// the transcription (counts, regions, spot rows), the frequency search, and table A equal to the
// library's own band plan row by row.

#include <gtest/gtest.h>

#include "bandtable.h"
#include "bandtables.h"

namespace
{
struct Spot
{
    const FREQ_BAND_ITEM* row;
    const wchar_t* name;
    double start, end, band, step;
    int startChannel, endChannel, averaging, mask;
};
}  // namespace

TEST(BandTables, CountsAndRowsPerRegion)
{
    EXPECT_EQ(BandTableA.size(), 42u);
    EXPECT_EQ(BandTableB.size(), 15u);
    EXPECT_EQ(BandTableC.size(), 13u);
    const int expected[] = {24, 21, 19, 19, 18};
    for (int region = 0; region < 5; ++region)
    {
        int rows = 0;
        for (const FREQ_BAND_ITEM& item : BandTableA)
            rows += (item.regionMask >> region) & 1;
        EXPECT_EQ(rows, expected[region]) << "region " << region;
    }
    for (const FREQ_BAND_ITEM& item : BandTableB)
        EXPECT_EQ(item.regionMask, 0);
    for (const FREQ_BAND_ITEM& item : BandTableC)
        EXPECT_EQ(item.regionMask, 0);
}

TEST(BandTables, SpotRowsAreAsTheBandPlansGiveThem)
{
    const Spot spots[] = {
        {&BandTableA[0], L"B1-2100-3G mobile", 1920, 1980, 5, 5, 1, 12, 3, 15},
        {&BandTableA[6], L"B3-1800-2G mobile", 1710, 1785, 0.2, 0.2, 512, 885, 8, 15},
        {&BandTableA[8], L"B3-1800-2G base", 1805, 1880, 0.2, 0.2, 512, 885, 8, 15},
        {&BandTableA[22], L"B20-800-4G mobile", 832, 862, 7.5, 7.5, 1, 4, 3, 7},
        {&BandTableA[37], L"DECT", 1880, 1900, 1.728, 1.728, 0, 11, 8, 15},
        {&BandTableA[39], L"2.4GHz", 2400, 2485, 22, 5, 1, 13, 8, 31},
        {&BandTableA[41], L"ISM 433", 433, 434.8, 0, 0, 0, 0, 10, 31},
        {&BandTableB[0], L"CDMA 450 mobile", 453, 457.5, 0, 0, 0, 0, 3, 0},
        {&BandTableB[4], L"GSM 1800 mobile", 1710, 1785, 0.2, 0.2, 512, 885, 8, 0},
        {&BandTableB[5], L"GSM 1800 base", 1805, 1880, 0.2, 0.2, 512, 885, 8, 0},
        {&BandTableB[6], L"3G-2100 (UMTS) mobile", 1920, 1980, 5, 5, 1, 12, 3, 0},
        {&BandTableB[11], L"4G LTE-800 base", 791, 821, 7.5, 7.5, 1, 4, 3, 0},
        {&BandTableB[14], L"ISM 433", 433, 434.8, 0, 0, 0, 0, 10, 0},
        {&BandTableC[0], L"GSM 850 mobile", 824, 849, 0.2, 0.2, 128, 251, 8, 0},
        {&BandTableC[8], L"DECT 6.0", 1910, 1930, 1.728, 1.728, 0, 11, 8, 0},
        {&BandTableC[9], L"ISM 2400", 2400, 2485, 22, 5, 1, 13, 8, 0},
        {&BandTableC[10], L"4G LTE-1700 mobile", 1710, 1755, 7.5, 7.5, 1, 6, 3, 0},
        {&BandTableC[12], L"ISM 915", 902, 928, 0, 0, 0, 0, 10, 0},
    };
    for (const Spot& spot : spots)
    {
        SCOPED_TRACE(testing::Message() << spot.row->StartFreq);
        EXPECT_EQ(spot.row->Name, spot.name);
        EXPECT_EQ(spot.row->StartFreq, spot.start);
        EXPECT_EQ(spot.row->EndFreq, spot.end);
        EXPECT_EQ(spot.row->Band, spot.band);
        EXPECT_EQ(spot.row->Step, spot.step);
        EXPECT_EQ(spot.row->StartChannel, spot.startChannel);
        EXPECT_EQ(spot.row->EndChannel, spot.endChannel);
        EXPECT_EQ(spot.row->Averaging, spot.averaging);
        EXPECT_EQ(spot.row->regionMask, spot.mask);
    }
}

TEST(BandTables, SearchTakesTheFirstRowOfTheRegion)
{
    struct Case
    {
        float mhz;
        int region;
        int row;
    };
    const Case cases[] = {
        {1710, 0, 6}, {1710, 1, 6}, {1710, 2, 6},  {1710, 3, 6}, {1710, 4, 10},  // overlapping rows
        {1920, 0, 0}, {1920, 3, 0}, {1920, 4, 38},                               // touching edges
        {1880, 0, 8}, {1880, 2, 8}, {1880, 4, 2},  {100, 0, -1}, {1920, 5, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindBandTableARow(c.mhz, c.region), c.row) << c.mhz << " MHz, region " << c.region;
}

TEST(BandTables, TableAIsTheLibrarysBandPlan)
{
    const auto& library = LibraryBandTable();
    ASSERT_EQ(library.size(), BandTableA.size());
    for (size_t i = 0; i < library.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(BandTableA[i].Name, library[i].Name);
        EXPECT_EQ(BandTableA[i].StartFreq, library[i].StartFreq);
        EXPECT_EQ(BandTableA[i].EndFreq, library[i].EndFreq);
        EXPECT_EQ(BandTableA[i].Band, library[i].Band);
        EXPECT_EQ(BandTableA[i].Step, library[i].Step);
        EXPECT_EQ(BandTableA[i].StartChannel, library[i].StartChannel);
        EXPECT_EQ(BandTableA[i].EndChannel, library[i].EndChannel);
        EXPECT_EQ(BandTableA[i].Averaging, library[i].Averaging);
        EXPECT_EQ(BandTableA[i].regionMask, library[i].regionMask);
    }
}
