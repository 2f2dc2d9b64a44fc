#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cfft.h"
#include "controlbits.h"
#include "fftdevicelink.h"

namespace
{
constexpr double kRateHz = 61e6;

// The control state as the program sets it up for a swept channel: channels 0..3 (the current one
// chosen by the test), the synthesizer's reference at the channel rate and wide limits.
class CfftDevice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bits.Init();
        for (int type = 0; type < 4; ++type)
        {
            bits.AddChannel(type, L"C", L"Channel", kRateHz);
        }
        bits.SetCurrentChannel(0);
        adf().SetReferenceFreq(kRateHz);
        adf().SetFreqLimits(25.0, 6000.0);
    }

    CAdf4350& adf() { return bits.Adf(); }

    // Plans the scan range as the program does and marks the long scan when it spans several captures.
    void Scan(double start, double stop)
    {
        adf().ClampScanRange(&start, &stop);
        adf().SetScanRange(start, stop);
        adf().SetFlag3(stop - start > 61.0);
    }

    CControlBits bits;
};
}  // namespace

TEST_F(CfftDevice, LongScanOfFourBlocksSetsTheSynthesizerGeometry)
{
    Scan(100.0, 300.0);  // 200 MHz: four captures of 8192 points
    bits.GetChannel(0)->SetDbmCorrection2(2, 4.5);
    CFftDeviceLink link(&bits);
    const FftDeviceState state = link.Prepare(CCfft::kRangeMode, 32768, 32768, false);

    EXPECT_EQ(state.longScanBlockLength, 8192);
    EXPECT_EQ(adf().GetValue37(), 4);
    EXPECT_EQ(adf().GetGroupBlocks(), 2);
    EXPECT_EQ(adf().GetFreqOnGarm(), 7446.0) << "61 MHz over 8192 points, truncated";
    EXPECT_EQ(state.scanSpanMHz, 200);
    EXPECT_EQ(state.shiftPoints, 410) << "harmonic row 2";
    EXPECT_DOUBLE_EQ(state.gatherStep, 61e6 / 7446.0);
    EXPECT_EQ(state.gatherOffset, 0) << "the reference equals the capture width";
    EXPECT_EQ(state.levelCorrectionDb, 4.5) << "the first channel's correction of harmonic row 2";

    adf().SetHalfBandEnable(true);
    adf().SetQuasiIQ(true);
    adf().SetReferenceFreq(122e6);
    const FftDeviceState half = link.Prepare(CCfft::kRangeMode, 32768, 32768, false);
    EXPECT_TRUE(half.quasiIq);
    EXPECT_FALSE(half.quasiIqDiff);
    EXPECT_DOUBLE_EQ(half.gatherStep, 28e6 / 7446.0);
    EXPECT_EQ(half.gatherOffset, static_cast<int>(61e6 / (7446.0 * 2.0)));
}

TEST_F(CfftDevice, TheEngineStoresThePointCountOfALongScan)
{
    Scan(100.0, 222.0);  // 122 MHz: two captures of 16384 points
    CCfft engine(&bits);
    engine.SetRateIndex(1);
    engine.SetAveragingMode(0);
    engine.Reset(true);
    const std::vector<double> zero(32768, 0.0);
    EXPECT_EQ(engine.Transform(zero, zero), CCfft::Outcome::kPublished);
    EXPECT_EQ(adf().GetValue37(), 2);
    EXPECT_EQ(adf().GetGroupBlocks(), 1);
    EXPECT_EQ(adf().GetNumberGarms(), 32768);
    EXPECT_EQ(engine.GetPublished(), std::vector<double>(32768, -170.0));
}

TEST_F(CfftDevice, OutsideTheLongScanTheRangeSpectrumIsZoomedOntoTheScanRange)
{
    Scan(100.6, 130.0);  // inside one capture centred on 131 MHz
    adf().SetGroupBlocks(3);
    adf().SetValue37(9);
    bits.GetChannel(0)->SetDbmCorrection2(1, 7.0);
    CFftDeviceLink link(&bits);
    const FftDeviceState state = link.Prepare(CCfft::kRangeMode, 32768, 32768, false);

    EXPECT_EQ(state.longScanBlockLength, 0);
    EXPECT_EQ(adf().GetGroupBlocks(), 0);
    EXPECT_EQ(adf().GetValue37(), 1);
    EXPECT_EQ(state.levelCorrectionDb, 0.0) << "harmonic row 0 has no correction";
    // Point 0 lies at 131 - 30.5 MHz, 61/32768 MHz apart.
    EXPECT_EQ(state.rangeFirst, static_cast<int>((100.6 - 100.5) * 32768 / 61.0));
    EXPECT_EQ(state.rangeEnd, static_cast<int>((130.0 - 100.5) * 32768 / 61.0));

    CCfft engine(&bits);
    engine.SetRateIndex(1);
    engine.Reset(true);
    const std::vector<double> zero(32768, 0.0);
    engine.Transform(zero, zero);
    EXPECT_EQ(adf().GetNumberGarms(), 32768);
}

TEST_F(CfftDevice, KnownRangesModeLeavesTheSynthesizerAlone)
{
    Scan(100.0, 300.0);
    adf().SetGroupBlocks(5);
    adf().SetValue37(9);
    const double widthHz = adf().GetFreqOnGarm();
    CFftDeviceLink link(&bits);
    const FftDeviceState state = link.Prepare(CCfft::kRangeMode, 32768, 32768, true);
    EXPECT_EQ(state.longScanBlockLength, 0);
    EXPECT_EQ(adf().GetGroupBlocks(), 5);
    EXPECT_EQ(adf().GetValue37(), 9);
    EXPECT_EQ(adf().GetFreqOnGarm(), widthHz);
}

TEST_F(CfftDevice, LevelCorrectionFollowsChannelAndSpectrum)
{
    for (int c = 0; c < 4; ++c)
    {
        for (int mode = 0; mode < 3; ++mode)
        {
            bits.GetChannel(c)->SetDbmCorrection(mode, 10.0 * c + mode);
        }
        bits.GetChannel(c)->SetDbmCorrection2(1, 100.0 + c);
    }
    adf().SetFlag3(false);
    struct Case
    {
        int channel;
        int mode;
        double correctionDb;
    };
    const Case cases[] = {
        // Swept channels: the range spectrum takes the first channel's row at the harmonic in use
        // (0 outside a long scan); DDC and demodulator spectra their own channel's value.
        {0, CCfft::kRangeMode, 0.0},  {3, CCfft::kRangeMode, 0.0},  {3, CCfft::kDdcMode, 31.0},
        {0, CCfft::kDemodMode, 2.0},  {2, CCfft::kRangeMode, 20.0}, {2, CCfft::kDdcMode, 21.0},
        {1, CCfft::kDemodMode, 12.0},
    };
    CFftDeviceLink link(&bits);
    for (const Case& c : cases)
    {
        bits.SetCurrentChannel(c.channel);
        EXPECT_EQ(link.Prepare(c.mode, 4096, 2048, false).levelCorrectionDb, c.correctionDb)
            << "channel " << c.channel << " mode " << c.mode;
    }

    // In a long scan of two blocks the harmonic row is 1.
    bits.SetCurrentChannel(3);
    Scan(100.0, 222.0);
    EXPECT_EQ(link.Prepare(CCfft::kRangeMode, 32768, 16384, false).levelCorrectionDb, 100.0);
}

TEST_F(CfftDevice, TheDdcSpectrumIsTrimmedByTheCurrentBandwidth)
{
    bits.SetCurrentChannel(2);
    ASSERT_EQ(bits.GetBandwidthIndex(), 0);
    DDC_BAND_ITEM band = bits.GetDdcBand(0);
    band.TrimCount = 1024;
    ASSERT_TRUE(bits.SetDdcBand(0, band));
    CFftDeviceLink link(&bits);
    EXPECT_EQ(link.Prepare(CCfft::kDdcMode, 4096, 4096, false).trimCount, 1024);
    EXPECT_EQ(link.Prepare(CCfft::kDdcMode, 4096, 2048, false).trimCount, 0) << "only centred spectra";

    // No bandwidth chosen: nothing to trim, and no lookup outside the list.
    CControlBits empty;
    empty.AddChannel(2, L"W", L"Wired", kRateHz);
    empty.SetCurrentChannel(2);
    empty.SetBandwidthIndex(0);
    ASSERT_EQ(empty.GetBandwidthIndex(), -1);
    EXPECT_EQ(CFftDeviceLink(&empty).Prepare(CCfft::kDdcMode, 4096, 4096, false).trimCount, 0);
}

TEST_F(CfftDevice, WithKnownRangesARangeSpectrumIsLeftToTheKnownRangeLayout)
{
    bits.AddKnownRange("A", 100.0, 222.0, 0);
    CCfft engine(&bits);
    engine.SetAveragingMode(0);
    engine.Reset(true);
    engine.SetKnownRangesMode(true);
    std::vector<double> i(32768, 0.0);
    i[3] = 1000.0;
    EXPECT_EQ(engine.Transform(i, i), CCfft::Outcome::kKnownRanges);
    EXPECT_EQ(engine.GetPublished(), std::vector<double>(32768, -170.0));
    EXPECT_GT(engine.GetResult()[100], -170.0);

    CCfft ddc(&bits);
    ddc.SetSize(4096, 4096);
    ddc.SetMode(CCfft::kDdcMode);
    ddc.SetAveragingMode(0);
    ddc.Reset(true);
    EXPECT_EQ(ddc.Transform(i, i), CCfft::Outcome::kPublished) << "other sizes publish as always";
}
