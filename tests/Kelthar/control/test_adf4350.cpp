#include <gtest/gtest.h>

#include "adf4350.h"

namespace
{
// A synthesizer whose limits leave the scan range free, so a test sees the span rules alone.
CAdf4350 WideOpen(double minFreq = 0.0, double maxFreq = 20000.0)
{
    CAdf4350 adf;
    adf.SetFreqLimits(minFreq, maxFreq);
    return adf;
}
}  // namespace

TEST(Adf4350, CorrectionRowsKeepAmplitudeFracAndGarmApart)
{
    // Construction values as (amplitude dB, harmonic shift, fractional shift): the table lists the
    // harmonic shift before the fractional one, the row stores them the other way round.
    struct Row
    {
        double ampl;
        uint16_t garm;
        uint16_t frac;
    };
    const Row rows[CAdf4350::kCorrectionRows] = {{0, 0, 0},    {34, 819, 0}, {40, 410, 0},
                                                 {45, 205, 0}, {51, 102, 0}, {57, 51, 0},
                                                 {64, 26, 3},  {71, 13, 4},  {77, 7, 17}};
    CAdf4350 adf;
    for (int i = 0; i < CAdf4350::kCorrectionRows; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(adf.GetCorrAmpl(i), rows[i].ampl);
        EXPECT_EQ(adf.GetShiftGarm(i), rows[i].garm);
        EXPECT_EQ(adf.GetShiftFrac(i), rows[i].frac);
    }
}

TEST(Adf4350, RowMinusOneFollowsTheHarmonicInUseAndBadRowsStayInTheTable)
{
    CAdf4350 adf;
    EXPECT_EQ(adf.GetCorrAmpl(-1), 34.0) << "harmonic row 1 is in use after construction";
    adf.SetGroupBlocks(7);
    EXPECT_EQ(adf.GetCorrAmpl(-1), 71.0);
    EXPECT_EQ(adf.GetShiftGarm(-1), 13);
    EXPECT_EQ(adf.GetShiftFrac(-1), 4);

    // The setters take real rows only; -1 and rows past the table change nothing.
    adf.SetCorrAmpl(-1, 99.0);
    adf.SetShiftGarm(9, 1234);
    adf.SetShiftFrac(-1, 4321);
    for (int i = 0; i < CAdf4350::kCorrectionRows; ++i)
    {
        EXPECT_NE(adf.GetCorrAmpl(i), 99.0);
        EXPECT_NE(adf.GetShiftGarm(i), 1234);
        EXPECT_NE(adf.GetShiftFrac(i), 4321);
    }
    adf.SetCorrAmpl(8, 80.5);
    adf.SetShiftGarm(8, 8);
    adf.SetShiftFrac(0, 2);
    EXPECT_EQ(adf.GetCorrAmpl(8), 80.5);
    EXPECT_EQ(adf.GetShiftGarm(8), 8);
    EXPECT_EQ(adf.GetShiftFrac(0), 2);

    // A harmonic row or index from outside the table reads the nearest row instead of past the array.
    adf.SetGroupBlocks(40);
    EXPECT_EQ(adf.GetCorrAmpl(-1), 80.5);
    EXPECT_EQ(adf.GetCorrAmpl(100), 80.5);
    EXPECT_EQ(adf.GetShiftFrac(-7), 2);
}

TEST(Adf4350, ClampScanRangeTable)
{
    struct Case
    {
        const char* what;
        double minFreq, maxFreq, start, stop;
        double wantStart, wantStop, wantDdc;
        uint16_t wantStartInt;
        int wantSize;
        uint8_t wantBlockSize;
    };
    // The DDC frequency starts at 509.75 in every case.
    const Case cases[] = {
        {"reversed range, limits permitting", 50, 6000, 300, 200, 300, 300, 509.75, 331, 256, 0},
        {"reversed range, stop over the limit", 72, 200, 300, 200, 300, 200, 200, 331, 256, 0},
        {"one capture", 0, 6000, 100, 161, 100, 161, 509.75, 131, 256, 0},
        {"two captures", 0, 6000, 100, 222, 100, 222, 509.75, 131, 128, 128},
        {"just over two captures", 0, 6000, 100, 223, 100, 223, 509.75, 131, 64, 64},
        {"start below the lower limit", 72, 6000, 50, 150, 72, 150, 509.75, 103, 128, 128},
        {"start above the DDC frequency", 0, 6000, 600, 700, 600, 700, 600, 631, 128, 128},
        {"first centre capped at 6000", 0, 10000, 7000, 7050, 7000, 7050, 7000, 6000, 256, 0},
        {"10000 MHz span", 0, 20000, 100, 10100, 100, 10100, 509.75, 131, 1, 1},
        {"no more than eight doublings", 0, 1e7, 100, 1e6, 100, 1e6, 509.75, 131, 1, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CAdf4350 adf = WideOpen(c.minFreq, c.maxFreq);
        double start = c.start;
        double stop = c.stop;
        EXPECT_FALSE(adf.IsFetchFlag());
        EXPECT_EQ(adf.ClampScanRange(&start, &stop), c.wantSize);
        EXPECT_EQ(start, c.wantStart);
        EXPECT_EQ(stop, c.wantStop);
        EXPECT_EQ(adf.GetDdcFreq(), c.wantDdc);
        EXPECT_EQ(adf.GetFreqStartInt(), c.wantStartInt);
        EXPECT_EQ(adf.GetBlockSize(), c.wantBlockSize);
        EXPECT_EQ(adf.GetSize(), c.wantBlockSize);
        EXPECT_TRUE(adf.IsFetchFlag()) << "a new scan plan must be fetched";
        EXPECT_EQ(adf.GetStartFreq(), 100.0) << "the caller sets the clamped range itself";
    }
}

TEST(Adf4350, DdcFrequencyTakesOnlyPositiveValues)
{
    CAdf4350 adf;
    adf.SetDdcFreq(0.0);
    adf.SetDdcFreq(-5.0);
    EXPECT_EQ(adf.GetDdcFreq(), 509.75);
    adf.SetDdcFreq(0.001);
    EXPECT_EQ(adf.GetDdcFreq(), 0.001);
}

TEST(Adf4350, IntegerDdcFrequencyAndTheOffsetLeftToTheOscillator)
{
    struct Case
    {
        double minFreq, ddcFreq;
        int nextSteps;  // NextScanTuneStep calls after setting a 61 MHz reference
        uint16_t wantInt;
        double wantOffset;
    };
    const Case cases[] = {
        {72, 509.75, 0, 517, 7.25},   // one above the whole MHz, plus the first tune step 7
        {72, 500.0, 0, 508, 8.0},     // a whole MHz still moves up by one
        {72, 509.75, 3, 520, 10.25},  // tune step 10
        {72, 50.0, 0, 102, 52.0},     // below the first capture's centre (72 + 30.5): held there
        {72, 101.2, 0, 109, 7.8},     // exactly at that centre: the normal rule
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ddcFreq);
        CAdf4350 adf;
        adf.SetReferenceFreq(61e6);
        adf.SetFreqLimits(c.minFreq, 6000);
        adf.SetDdcFreq(c.ddcFreq);
        for (int i = 0; i < c.nextSteps; ++i)
            adf.NextScanTuneStep();
        EXPECT_NEAR(adf.ApplyDdcFreqInt(), c.wantOffset, 1e-9);
        EXPECT_EQ(adf.GetFreqDdcInt(), c.wantInt);
        EXPECT_EQ(adf.GetDdcFreq(), c.ddcFreq) << "the DDC frequency itself is not moved";
    }
}

TEST(Adf4350, TuneStepWrapsBelowHalfTheReference)
{
    CAdf4350 adf;
    adf.SetReferenceFreq(61e6);
    EXPECT_EQ(adf.GetRegisterWord(), 1030);
    EXPECT_EQ(adf.GetReferenceMHz(), 61.0);
    EXPECT_EQ(adf.GetScanTuneStep(), 7);
    for (int step = 8; step <= 22; ++step)
    {
        adf.NextScanTuneStep();
        EXPECT_EQ(adf.GetScanTuneStep(), step);
    }
    adf.NextScanTuneStep();
    EXPECT_EQ(adf.GetScanTuneStep(), 7) << "23 exceeds 61 / 2 - 8";

    adf.NextScanTuneStep();
    adf.NextScanTuneStep();
    adf.PrevScanTuneStep();
    adf.PrevScanTuneStep();
    adf.PrevScanTuneStep();
    EXPECT_EQ(adf.GetScanTuneStep(), 7) << "never below 7";

    CAdf4350 noReference;
    noReference.NextScanTuneStep();
    EXPECT_EQ(noReference.GetScanTuneStep(), 7);
}

TEST(Adf4350, RegisterWordCarriesBothToggles)
{
    CAdf4350 adf;
    adf.SetReferenceFreq(61e6);
    EXPECT_EQ(adf.BuildRegisterWord(), 0x0406);
    adf.FlipToggleA();
    EXPECT_EQ(adf.BuildRegisterWord(), 0x0446);
    adf.FlipToggleB();
    EXPECT_EQ(adf.BuildRegisterWord(), 0x2446);
    adf.FlipToggleA();
    EXPECT_EQ(adf.BuildRegisterWord(), 0x2406) << "a toggle back to 0 clears its bit";
    EXPECT_EQ(adf.GetRegisterWord(), 0x2406) << "written back";
    adf.SetToggleB(0);
    adf.SetRegisterWord(0xFFFF);
    EXPECT_EQ(adf.BuildRegisterWord(), 0xDFBF);
}
