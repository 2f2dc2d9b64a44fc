#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ddcbandlist.h"

namespace
{
struct ExpectedBand
{
    std::wstring name;
    uint16_t deciCoeff;
    uint8_t outputScaling;
    uint16_t tapCount;
    int32_t bypassFir;
    int32_t defaultFir;
    double correctAmpl;
};

void ExpectList(const CDdcBandList& list, const std::vector<ExpectedBand>& expected)
{
    ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < list.Count(); ++i)
    {
        const DDC_BAND_ITEM& item = list.Get(i);
        const ExpectedBand& want = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(item.Name, want.name);
        EXPECT_EQ(item.DeciCoeff, want.deciCoeff);
        EXPECT_EQ(item.OutputScaling, want.outputScaling);
        EXPECT_EQ(item.TapCount, want.tapCount);
        EXPECT_EQ(item.BypassFir, want.bypassFir);
        EXPECT_EQ(item.DefaultFir, want.defaultFir);
        EXPECT_EQ(item.CorrectAmpl, want.correctAmpl);
        EXPECT_EQ(item.TrimCount, 0);
        EXPECT_EQ(item.reserved2, 0);
        EXPECT_EQ(item.FirName, L"");
    }
}

DDC_BAND_ITEM Band(const wchar_t* name, uint16_t deciCoeff)
{
    DDC_BAND_ITEM item;
    item.Name = name;
    item.DeciCoeff = deciCoeff;
    item.BypassFir = 1;
    return item;
}

std::vector<std::wstring> Names(const CDdcBandList& list)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Get(i).Name);
    return names;
}
}  // namespace

TEST(DdcBandList, DefaultListsMatchTheDeviceTables)
{
    ExpectList(CDdcBandList::MakeWideList(), {
                                                 {L"60 MHz", 1, 0, 0, 1, 0, 1.0},
                                                 {L"30 MHz", 2, 0, 0, 1, 0, 1.0},
                                                 {L"15 MHz", 4, 0, 0, 1, 0, 1.0},
                                                 {L"7.5 MHz", 8, 0, 0, 1, 0, 1.0},
                                                 {L"3.75 MHz", 16, 0, 0, 1, 0, 1.0},
                                                 {L"1.9 MHz", 32, 0, 0, 1, 0, 1.0},
                                                 {L"950 KHz", 65, 0, 0, 1, 0, 1.0},
                                                 {L"470 KHz", 130, 0, 0, 1, 0, 1.0},
                                                 {L"230 KHz", 260, 0, 0, 1, 0, 1.0},
                                                 {L"120 KHz", 521, 0, 0, 1, 0, 1.0},
                                                 {L"60 KHz", 1033, 0, 0, 1, 0, 1.0},
                                                 {L"30 KHz", 2103, 0, 0, 1, 0, 1.0},
                                                 {L"15 KHz", 4066, 0, 0, 1, 0, 1.0},
                                                 // The fourteenth entry is empty on purpose.
                                                 {L"", 0, 0, 0, 0, 0, 0.0},
                                             });
    ExpectList(CDdcBandList::MakeLineList(), {
                                                 {L"20 KHz", 12, 50, 256, 1, 1, 1.0},
                                                 {L"8 KHz", 32, 61, 256, 1, 1, 1.0},
                                                 {L"4 KHz", 64, 69, 256, 1, 1, 1.0},
                                                 {L"2 KHz", 64, 69, 32, 0, 1, 1.0},
                                                 {L"1 KHz", 128, 77, 64, 0, 1, 1.0},
                                             });
    ExpectList(CDdcBandList::MakeSpareList(), {
                                                  {L"210 KHz", 12, 50, 256, 1, 1, 1.0},
                                                  {L"80 KHz", 32, 61, 256, 1, 1, 1.0},
                                                  {L"20 KHz", 64, 69, 32, 0, 1, 1.0},
                                                  {L"10 KHz", 128, 77, 64, 0, 1, 1.0},
                                                  {L"5 KHz", 256, 85, 128, 0, 1, 1.0},
                                              });
}

TEST(DdcBandList, InsertAppendsBeyondTheEndAndRefusesNegativeIndexes)
{
    CDdcBandList list = CDdcBandList::MakeWideList();
    EXPECT_TRUE(list.Insert(100, Band(L"extra", 9)));
    ASSERT_EQ(list.Count(), 15);
    EXPECT_EQ(list.Get(14).Name, L"extra");
    EXPECT_EQ(list.Get(13).Name, L"") << "the empty entry stays in place";

    EXPECT_TRUE(list.Insert(0, Band(L"first", 3)));
    EXPECT_EQ(list.Get(0).Name, L"first");
    EXPECT_EQ(list.Get(1).Name, L"60 MHz");
    EXPECT_FALSE(list.Insert(-1, Band(L"never", 3)));
    EXPECT_EQ(list.Count(), 16);

    // An entry of the list itself, inserted in front of its own position, arrives whole.
    EXPECT_TRUE(list.Insert(2, list.Get(10)));
    EXPECT_EQ(list.Get(2).Name, L"120 KHz");
    EXPECT_EQ(list.Get(2).DeciCoeff, 521);
    EXPECT_EQ(list.Get(3).Name, L"30 MHz");
    EXPECT_EQ(list.Get(11).Name, L"120 KHz");
}

TEST(DdcBandList, SetAndRemoveTouchOnlyEntriesThatExist)
{
    CDdcBandList list = CDdcBandList::MakeLineList();
    const std::vector<std::wstring> before = Names(list);
    for (int bad : {-1, 5, 99})
    {
        EXPECT_FALSE(list.Set(bad, Band(L"x", 1))) << bad;
        EXPECT_FALSE(list.Remove(bad)) << bad;
        EXPECT_EQ(list.Find(bad), nullptr) << bad;
    }
    EXPECT_EQ(Names(list), before);

    DDC_BAND_ITEM replacement = Band(L"3 KHz", 40);
    replacement.OutputScaling = 7;
    replacement.TapCount = 16;
    replacement.CorrectAmpl = 0.5;
    replacement.BypassFir = 0;
    replacement.DefaultFir = 0;
    replacement.TrimCount = 12;
    replacement.reserved2 = 1;
    replacement.FirName = L"/Data/3k.fir";
    EXPECT_TRUE(list.Set(1, replacement));
    const DDC_BAND_ITEM& stored = list.Get(1);
    EXPECT_EQ(stored.Name, L"3 KHz");
    EXPECT_EQ(stored.DeciCoeff, 40);
    EXPECT_EQ(stored.OutputScaling, 7);
    EXPECT_EQ(stored.TapCount, 16);
    EXPECT_EQ(stored.CorrectAmpl, 0.5);
    EXPECT_EQ(stored.BypassFir, 0);
    EXPECT_EQ(stored.DefaultFir, 0);
    EXPECT_EQ(stored.TrimCount, 12);
    EXPECT_EQ(stored.reserved2, 1);
    EXPECT_EQ(stored.FirName, L"/Data/3k.fir");
    EXPECT_TRUE(list.Set(1, list.Get(1))) << "an entry set onto itself stays whole";
    EXPECT_EQ(list.Get(1).FirName, L"/Data/3k.fir");

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"3 KHz", L"4 KHz", L"2 KHz", L"1 KHz"}));
    while (!list.IsEmpty())
        EXPECT_TRUE(list.Remove(list.Count() - 1));
    EXPECT_FALSE(list.Remove(0));
}

TEST(DdcBandList, GetThrowsBandwidthOutsideTheList)
{
    const CDdcBandList list = CDdcBandList::MakeWideList();
    for (int bad : {-1, 14, 1000})
    {
        try
        {
            list.Get(bad);
            ADD_FAILURE() << "no exception for " << bad;
        }
        catch (const std::out_of_range& e)
        {
            EXPECT_STREQ(e.what(), "Bandwidth");
        }
    }
}

TEST(DdcBandList, FirStageDoublesTheDecimationAndNoDivisorIsBelowOne)
{
    DDC_BAND_ITEM item = Band(L"x", 1033);
    EXPECT_EQ(CDdcBandList::Decimation(item), 1033);
    item.BypassFir = 0;
    EXPECT_EQ(CDdcBandList::Decimation(item), 2066);
    item.BypassFir = -7;
    EXPECT_EQ(CDdcBandList::Decimation(item), 1033) << "any non-zero value bypasses";
    item.DeciCoeff = 65535;
    item.BypassFir = 0;
    EXPECT_EQ(CDdcBandList::Decimation(item), 131070) << "no 16-bit wrap";

    const DDC_BAND_ITEM empty;
    EXPECT_EQ(CDdcBandList::Decimation(empty), 0);
    EXPECT_EQ(CDdcBandList::RateDivisor(0), 1);
    EXPECT_EQ(CDdcBandList::RateDivisor(-4), 1);
    EXPECT_EQ(CDdcBandList::RateDivisor(4066), 4066);
}
