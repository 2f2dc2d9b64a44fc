#include <gtest/gtest.h>

#include <climits>

#include "channel.h"

TEST(Channel, NewChannelTakesItsNameAndNeutralCorrections)
{
    CChannel named(0, L"HRF", L"Radio Channel (40-6030 MHz)", 61000000.0);
    EXPECT_EQ(named.GetType(), 0);
    EXPECT_EQ(named.GetShortName(), L"HRF");
    EXPECT_EQ(named.GetName(), L"Radio Channel (40-6030 MHz)");
    EXPECT_EQ(named.GetSampleRate(), 61000000.0);
    EXPECT_EQ(named.GetStartFreq(), 0.0);
    // Half the rate, as given (Hz in an MHz field): the program sets the real limits at once.
    EXPECT_EQ(named.GetStopFreq(), 30500000.0);
    EXPECT_EQ(named.GetViewStopFreq(), 30500000.0);
    EXPECT_EQ(named.GetUpperLimit(), 30500000.0);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(named.GetOscCorrection(i), 1.0) << i;
        EXPECT_EQ(named.GetDbmCorrection(i), 0.0) << i;
    }
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(named.GetDbmCorrection2(i), 0.0) << i;

    CChannel unnamed(4, L"DLA", L"", 192000.0);
    EXPECT_EQ(unnamed.GetName(), L"") << "the placeholder name never survives creation";
}

TEST(Channel, StopFrequencyDragsViewStopAndUpperLimitAlong)
{
    CChannel channel(0, L"HRF", L"Radio", 61000000.0);
    channel.SetStartFreq(40.0);
    channel.SetStopFreq(6030.0);
    channel.SetViewStopFreq(3000.0);
    EXPECT_EQ(channel.GetStartFreq(), 40.0);
    EXPECT_EQ(channel.GetStopFreq(), 6030.0);
    EXPECT_EQ(channel.GetViewStopFreq(), 3000.0);
    EXPECT_EQ(channel.GetUpperLimit(), 6030.0);

    channel.SetUpperLimit(2000.0);
    EXPECT_EQ(channel.GetStopFreq(), 6030.0);
    channel.SetStopFreq(5000.0);
    EXPECT_EQ(channel.GetViewStopFreq(), 5000.0);
    EXPECT_EQ(channel.GetUpperLimit(), 5000.0);
}

TEST(Channel, CorrectionRowsKeepTheirOwnIndexing)
{
    CChannel channel(0, L"HRF", L"Radio", 61000000.0);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(channel.SetOscCorrection(i, 1.5 + i), i);
        EXPECT_EQ(channel.SetDbmCorrection(i, -2.0 - i), i);
    }
    // The band row is addressed 1..8 like the "/dbm_corr.dat" line.
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(channel.SetDbmCorrection2(i, 10.0 * i), i);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(channel.GetOscCorrection(i), 1.5 + i);
        EXPECT_EQ(channel.GetDbmCorrection(i), -2.0 - i);
    }
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(channel.GetDbmCorrection2(i), 10.0 * i);
    // Harmonic row 0 (outside the long scan) asks for band 0, which has no value of its own.
    EXPECT_EQ(channel.SetDbmCorrection2(0, 99.0), 0);
    EXPECT_EQ(channel.GetDbmCorrection2(0), 0.0);
}

TEST(Channel, IndexesOutsideTheRowsNeitherWriteNorReadPastThem)
{
    CChannel channel(0, L"HRF", L"Radio", 61000000.0);
    for (int bad : {-1, 3, 1000, INT_MIN, INT_MAX})
    {
        EXPECT_EQ(channel.SetOscCorrection(bad, 7.0), bad);
        EXPECT_EQ(channel.SetDbmCorrection(bad, 7.0), bad);
        EXPECT_EQ(channel.GetOscCorrection(bad), 1.0) << bad;
        EXPECT_EQ(channel.GetDbmCorrection(bad), 0.0) << bad;
    }
    for (int bad : {-1, 9, 1000, INT_MIN, INT_MAX})
    {
        EXPECT_EQ(channel.SetDbmCorrection2(bad, 7.0), bad);
        EXPECT_EQ(channel.GetDbmCorrection2(bad), 0.0) << bad;
    }
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(channel.GetOscCorrection(i), 1.0);
        EXPECT_EQ(channel.GetDbmCorrection(i), 0.0);
    }
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(channel.GetDbmCorrection2(i), 0.0);
}

TEST(Channel, DcOffsetsAreThreeIndependentSignedWords)
{
    CChannel channel(0, L"HRF", L"Radio", 61000000.0);
    channel.SetDcOffset(CChannel::DcOffset::I, -5);
    channel.SetDcOffset(CChannel::DcOffset::Q, 7);
    channel.SetDcOffset(CChannel::DcOffset::Audio, INT32_MIN);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::I), -5);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::Q), 7);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::Audio), INT32_MIN);

    // Channels are kept by value: a copy carries every field.
    channel.SetStopFreq(6030.0);
    channel.SetDbmCorrection2(8, 3.25);
    CChannel copy = channel;
    EXPECT_EQ(copy.GetName(), L"Radio");
    EXPECT_EQ(copy.GetDcOffset(CChannel::DcOffset::Q), 7);
    EXPECT_EQ(copy.GetUpperLimit(), 6030.0);
    EXPECT_EQ(copy.GetDbmCorrection2(8), 3.25);
}
