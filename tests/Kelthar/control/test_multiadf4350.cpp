#include <gtest/gtest.h>

#include "adf4350.h"
#include "multiadf4350.h"

TEST(MultiAdf4350, NextRangeCyclesAndSetsEachRangeOnTheSynthesizer)
{
    CAdf4350 adf;
    adf.SetFreqLimits(50, 3000);
    CMultiAdf4350 multi(&adf);
    EXPECT_EQ(multi.GetCurrentRange(), -1);
    multi.AddRange(100, 161);
    multi.AddRange(400, 522);
    multi.AddRange(1000, 1244);
    EXPECT_EQ(multi.GetCurrentRange(), 0);
    EXPECT_EQ(multi.GetRangeCount(), 3);

    struct Step
    {
        int range;
        double start, stop;
        uint8_t blockSize;
    };
    // Starting from range 0, so the first step goes to range 1; range 2 wraps back to 0.
    const Step steps[] = {{1, 400, 522, 128}, {2, 1000, 1244, 64}, {0, 100, 161, 0}, {1, 400, 522, 128}};
    for (const auto& s : steps)
    {
        multi.NextRange();
        EXPECT_EQ(multi.GetCurrentRange(), s.range);
        EXPECT_EQ(adf.GetStartFreq(), s.start);
        EXPECT_EQ(adf.GetStopFreq(), s.stop);
        EXPECT_EQ(adf.GetBlockSize(), s.blockSize);
    }

    multi.AddRange(2000, 2100);
    EXPECT_EQ(multi.GetCurrentRange(), 0) << "a new range restarts the sweep";
}

TEST(MultiAdf4350, RangesAreClampedInPlace)
{
    CAdf4350 adf;  // limits 72..200
    CMultiAdf4350 multi(&adf);
    multi.AddRange(150, 100);
    multi.AddRange(20, 500);
    multi.NextRange();
    multi.NextRange();
    double start = 0;
    double stop = 0;
    ASSERT_TRUE(multi.GetRange(0, &start, &stop));
    EXPECT_EQ(start, 150.0);
    EXPECT_EQ(stop, 150.0);
    ASSERT_TRUE(multi.GetRange(1, &start, &stop));
    EXPECT_EQ(start, 72.0);
    EXPECT_EQ(stop, 200.0);
    EXPECT_EQ(adf.GetStartFreq(), 150.0);
    EXPECT_EQ(adf.GetStopFreq(), 150.0);
    EXPECT_FALSE(multi.GetRange(2, &start, &stop));
}

TEST(MultiAdf4350, WithoutRangesTheSynthesizerKeepsItsOwnClampedRange)
{
    CAdf4350 adf;
    adf.SetScanRange(50, 300);
    CMultiAdf4350 multi(&adf);
    multi.SetEnabled(true);
    multi.NextRange();
    EXPECT_EQ(multi.GetCurrentRange(), -1);
    EXPECT_EQ(adf.GetStartFreq(), 72.0);
    EXPECT_EQ(adf.GetStopFreq(), 200.0);
    EXPECT_EQ(adf.GetBlockSize(), 64);
    EXPECT_TRUE(adf.IsFetchFlag());

    // Emptying a running sweep behaves the same and leaves no stale index behind.
    multi.AddRange(100, 110);
    multi.AddRange(120, 130);
    multi.NextRange();
    EXPECT_EQ(multi.GetCurrentRange(), 1);
    multi.ClearRanges();
    EXPECT_EQ(multi.GetCurrentRange(), -1);
    EXPECT_EQ(multi.GetRangeCount(), 0);
    multi.NextRange();
    EXPECT_EQ(adf.GetStartFreq(), 120.0);
    EXPECT_EQ(adf.GetStopFreq(), 130.0);

    CMultiAdf4350 detached;
    detached.AddRange(1, 2);
    detached.NextRange();
    EXPECT_EQ(detached.GetCurrentRange(), 0);
}

TEST(MultiAdf4350, SetRangeIgnoresIndexesOutsideTheList)
{
    CAdf4350 adf;
    CMultiAdf4350 multi(&adf);
    multi.SetRange(0, 1, 2);
    EXPECT_EQ(multi.GetRangeCount(), 0);
    multi.AddRange(100, 110);
    multi.SetRange(1, 1, 2);
    multi.SetRange(-1, 1, 2);
    multi.SetRange(0, 120, 140);
    double start = 0;
    double stop = 0;
    ASSERT_TRUE(multi.GetRange(0, &start, &stop));
    EXPECT_EQ(start, 120.0);
    EXPECT_EQ(stop, 140.0);
    EXPECT_EQ(multi.GetRangeCount(), 1);

    multi.SetSelected(true);
    EXPECT_TRUE(multi.IsSelected());
    EXPECT_FALSE(multi.IsEnabled());
}
