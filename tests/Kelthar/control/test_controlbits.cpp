#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

#include "controlbits.h"

namespace
{
constexpr double kRateHz = 61000000.0;

// The program's single channel: type 0, 61 MHz stream, 40 to 6030 MHz.
IChannel* AddProgramChannel(CControlBits& bits)
{
    IChannel* channel = bits.AddChannel(0, L"HRF", L"Radio Channel (40-6030 MHz)", kRateHz);
    channel->SetStartFreq(40.0);
    channel->SetStopFreq(6030.0);
    return channel;
}

// One channel per input type, so the current channel number always has a channel behind it.
void AddChannelPerType(CControlBits& bits, double startMHz = 40.0, double stopMHz = 6030.0)
{
    for (int type = 0; type <= 6; ++type)
    {
        IChannel* channel = bits.AddChannel(type, L"C", L"Channel", kRateHz);
        channel->SetStartFreq(startMHz);
        channel->SetStopFreq(stopMHz);
    }
}

void ExpectOutOfRange(const std::function<void()>& call, const char* text)
{
    try
    {
        call();
        ADD_FAILURE() << "no exception";
    }
    catch (const std::out_of_range& e)
    {
        EXPECT_STREQ(e.what(), text);
    }
}

constexpr const char* kWrongBandwidth = "CControlBits::GetDecimCommon: wrong bandwidth";
}  // namespace

TEST(ControlBits, HandsOutItsFrontEndModelsByIdAndTheSamePointerEachTime)
{
    CControlBits bits;
    IControlBits& asInterface = bits;
    struct Case
    {
        int id;
        void* member;
    };
    const Case cases[] = {
        {1, static_cast<IAdf4350*>(&bits.Adf())},
        {2, static_cast<ISkyControl*>(&bits.Sky())},
        {3, static_cast<IDlaControl*>(&bits.Dla())},
        {4, static_cast<IAcousticControl*>(&bits.Acoustic())},
        {20, static_cast<IMultiAdf4350*>(&bits.MultiAdf())},
    };
    for (const Case& c : cases)
    {
        void* first = nullptr;
        void* second = nullptr;
        ASSERT_TRUE(asInterface.GetInterface(c.id, &first)) << c.id;
        ASSERT_TRUE(asInterface.GetInterface(c.id, &second)) << c.id;
        EXPECT_EQ(first, c.member) << c.id;
        EXPECT_EQ(second, first) << c.id;
        EXPECT_FALSE(asInterface.GetInterface(c.id, nullptr)) << c.id;
    }
    // The pointer is usable as the interface it names.
    void* out = nullptr;
    ASSERT_TRUE(asInterface.GetInterface(1, &out));
    static_cast<IAdf4350*>(out)->SetDdcFreq(777.0);
    EXPECT_EQ(bits.Adf().GetDdcFreq(), 777.0);

    for (int id : {-1, 0, 5, 17, 19, 21, 100})
    {
        int sentinel = 0;
        void* untouched = &sentinel;
        EXPECT_FALSE(asInterface.GetInterface(id, &untouched)) << id;
        EXPECT_EQ(untouched, &sentinel) << id;
    }
}

TEST(ControlBits, StartsWithTheConstructionValues)
{
    CControlBits bits;
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 2);
    EXPECT_EQ(bits.GetBandwidthIndex(), -1);
    EXPECT_EQ(bits.GetTuneFreq(), 5e6);
    EXPECT_EQ(bits.GetPacketSizeCode(), 6);
    EXPECT_EQ(bits.GetGainPwm(), 30);
    EXPECT_EQ(bits.GetDemodType(), 0);
    EXPECT_EQ(bits.GetReserved(), 0);
    EXPECT_EQ(bits.GetDdcBandCount(), 0) << "the lists exist only after Init";
    EXPECT_EQ(bits.GetChannelCount(), 0);
    EXPECT_EQ(bits.GetHeaderCode(), 0xD2D2);
    EXPECT_FALSE(bits.IsSkipPending());
    LMX2595_STRUCT lmx{7, 7, 7};
    bits.GetLMX2595_Struct(&lmx);
    EXPECT_EQ(lmx.count, 0);
    EXPECT_EQ(lmx.lmx1, 0);
    EXPECT_EQ(lmx.lmx2, 1);
    for (uint32_t word : bits.GetControlBlock())
        EXPECT_EQ(word, 0u);
}

TEST(ControlBits, PlainValuesAndDemodulationType)
{
    CControlBits bits;
    EXPECT_EQ(bits.SetUserByte(200), 200);
    EXPECT_EQ(bits.SetUserInt2(-3), -3);
    EXPECT_EQ(bits.SetUserDouble(2.5), 2.5);
    EXPECT_EQ(bits.SetUserInt(42), 42);
    EXPECT_EQ(bits.GetUserByte(), 200);
    EXPECT_EQ(bits.GetUserInt2(), -3);
    EXPECT_EQ(bits.GetUserDouble(), 2.5);
    EXPECT_EQ(bits.GetUserInt(), 42);

    const struct
    {
        int given;
        int stored;
    } demod[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {7, 0}, {-1, 0}, {INT_MIN, 0}};
    for (const auto& c : demod)
    {
        bits.SetDemodType(3);
        bits.SetDemodType(c.given);
        EXPECT_EQ(bits.GetDemodType(), c.stored) << c.given;
    }

    bits.SetLMX2595_Struct(2, 9);
    bits.LmxState().lmx1 = 5;
    bits.SetLMX2595_Struct(2, 9);
    LMX2595_STRUCT lmx;
    bits.GetLMX2595_Struct(&lmx);
    EXPECT_EQ(lmx.count, 2);
    EXPECT_EQ(lmx.lmx1, 0) << "setting the sweep restarts it";
    EXPECT_EQ(lmx.lmx2, 9);
}

TEST(ControlBits, ChannelSwitchSetsSynthesizerLineInputAndWiredLineMode)
{
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits);
    for (int channel : {0, 1, 3, 4, 5, 6, 2})
    {
        SCOPED_TRACE(channel);
        bits.SetTuneFreqAndBandwidth(1000e6, -1);
        bits.SetCurrentChannel(channel);
        EXPECT_EQ(bits.GetCurrentChannelIndex(), channel);
        EXPECT_EQ(bits.Adf().IsEnabled(), channel == 0 || channel == 3);
        EXPECT_EQ(bits.IsLineInput(), channel == 4 || channel == 6);
        EXPECT_EQ(bits.Dla().IsLineMode(), channel == 4);
        EXPECT_EQ(bits.GetBandwidthIndex(), 0);
        EXPECT_EQ(bits.GetDdcBandCount(), channel == 4 || channel == 6 ? 5 : 14);
    }
    // Selecting the channel already current changes nothing.
    bits.SetBandwidthIndex(5);
    bits.Adf().SetEnabled(true);
    bits.SetCurrentChannel(2);
    EXPECT_EQ(bits.GetBandwidthIndex(), 5);
    EXPECT_TRUE(bits.Adf().IsEnabled());
}

// The current channel number is the input type; the program adds a single channel. Every type must then
// read that channel, never past the list.
TEST(ControlBits, ChannelTypesWithoutAChannelOfTheirOwnReadTheFirstChannel)
{
    CControlBits bits;
    bits.Init();
    IChannel* only = AddProgramChannel(bits);
    only->SetOscCorrection(1, 0.75);
    for (int type : {2, 0, 1, 3, 4, 5, 6, 7, -3, INT_MAX})
    {
        SCOPED_TRACE(type);
        bits.SetCurrentChannel(type);
        bits.SetTuneFreqAndBandwidth(433e6, 0);
        EXPECT_EQ(bits.GetChannel(-1), only);
        EXPECT_EQ(bits.GetChannel(type), only);
        EXPECT_EQ(bits.GetChannelSampleRate(-1), kRateHz);
        EXPECT_EQ(bits.GetChannel(-1)->GetOscCorrection(1), 0.75);
        EXPECT_GT(bits.GetBinWidth(), 0.0);
        EXPECT_EQ(bits.GetSampleRate(-1), kRateHz / CDdcBandList::Decimation(*bits.GetCurrentDdcBand()));
        EXPECT_EQ(bits.LoadFir(), 0);
        EXPECT_GE(bits.GetTuneFreq(), 0.0);
    }
}

TEST(ControlBits, WithoutAnyChannelAPlaceholderOfRateZeroIsRead)
{
    CControlBits bits;
    bits.Init();
    for (int index : {-1, 0, 2, 6})
    {
        IChannel* placeholder = bits.GetChannel(index);
        ASSERT_NE(placeholder, nullptr);
        EXPECT_EQ(placeholder->GetSampleRate(), 0.0);
    }
    EXPECT_EQ(bits.GetBinWidth(), 0.0);
    bits.SetCurrentChannel(1);
    EXPECT_EQ(bits.GetSampleRate(-1), 0.0);
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetControlBlock()[2], 0u) << "no oscillator word from a zero rate";
}

TEST(ControlBits, ChannelsKeepTheirAddressWhenMoreAreAddedAndGoWithClear)
{
    CControlBits bits;
    IChannel* first = AddProgramChannel(bits);
    for (int i = 0; i < 40; ++i)
        bits.AddChannel(5, L"OPT", L"Optical", 1e6);
    EXPECT_EQ(bits.GetChannelCount(), 41);
    EXPECT_EQ(bits.GetChannel(0), first);
    EXPECT_EQ(first->GetName(), L"Radio Channel (40-6030 MHz)");
    EXPECT_EQ(bits.GetChannel(40)->GetType(), 5);
    bits.ClearChannels();
    EXPECT_EQ(bits.GetChannelCount(), 0);
}

TEST(ControlBits, BinWidthIsFixedForTheSweptChannelsOnly)
{
    CControlBits bits;
    AddChannelPerType(bits);
    bits.GetChannel(5)->SetSampleRate(32768e6);
    const struct
    {
        int channel;
        double widthMHz;
    } cases[] = {{0, 0.00372314453125}, {3, 0.00372314453125}, {2, 61.0 / 32768.0}, {5, 1.0}};
    for (const auto& c : cases)
    {
        bits.SetCurrentChannel(c.channel);
        EXPECT_EQ(bits.GetBinWidth(), c.widthMHz) << c.channel;
    }
}

TEST(ControlBits, KnownRangesCountWholeCapturesOf61MHz)
{
    CControlBits bits;
    const struct
    {
        double start;
        double end;
        int count;
        double coveredEnd;
    } cases[] = {
        {100.0, 222.0, 2, 222.0}, {100.0, 223.0, 3, 283.0}, {100.0, 161.0, 1, 161.0},
        {100.0, 100.5, 1, 161.0}, {100.0, 100.0, 0, 100.0}, {2400.0, 2483.5, 2, 2522.0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        bits.AddKnownRange("range " + std::to_string(i), cases[i].start, cases[i].end,
                           static_cast<int>(i % 5));
    EXPECT_TRUE(bits.IsKnownRangesSet());
    const std::vector<KNOWN_RANGE_ITEM> ranges = bits.GetKnownRanges();
    ASSERT_EQ(ranges.size(), std::size(cases));
    ASSERT_EQ(bits.GetKnownRangeCount(), static_cast<int>(std::size(cases)));
    for (size_t i = 0; i < ranges.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(ranges[i].name, "range " + std::to_string(i));
        EXPECT_EQ(ranges[i].start, cases[i].start);
        EXPECT_EQ(ranges[i].end, cases[i].end);
        EXPECT_EQ(ranges[i].count, cases[i].count);
        EXPECT_EQ(ranges[i].coveredEnd, cases[i].coveredEnd);
        EXPECT_EQ(ranges[i].firstCentre, cases[i].start + 30.5);
        EXPECT_EQ(ranges[i].switchCode, static_cast<int>(i % 5));
    }
    bits.ClearKnownRanges();
    EXPECT_FALSE(bits.IsKnownRangesSet());
    EXPECT_EQ(bits.GetKnownRangeCount(), 0);
}

TEST(ControlBits, SampleRateDecimationAndBandwidthFollowTheListOfTheChannel)
{
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits);
    bits.SetCurrentChannel(0);
    const struct
    {
        int channel;
        int index;
        int decimation;
        double rateHz;
    } cases[] = {
        {0, 0, 1, 61000000.0},
        {0, 6, 65, 61000000.0 / 65},
        {0, 12, 4066, 61000000.0 / 4066},
        // The empty fourteenth entry: decimation 0, taken as 1 so nothing divides by zero.
        {0, 13, 0, 61000000.0},
        {4, 0, 12, 61000000.0 / 12},
        {6, 2, 64, 61000000.0 / 64},
        // The FIR stage in use halves the rate once more.
        {4, 3, 128, 61000000.0 / 128},
        {6, 4, 256, 61000000.0 / 256},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.channel) + "/" + std::to_string(c.index));
        EXPECT_EQ(bits.GetDecimCommon(c.channel, c.index), c.decimation);
        EXPECT_EQ(bits.GetBandwidth(c.channel, c.index), c.rateHz + 1.0);
        bits.SetCurrentChannel(c.channel);
        bits.SetTuneFreqAndBandwidth(3000e6, c.index);
        EXPECT_EQ(bits.GetSampleRate(-1), c.rateHz);
        EXPECT_EQ(bits.GetSampleRate(c.channel), c.rateHz);
        EXPECT_EQ(bits.GetDecimCommon(-1, c.index), c.decimation);
    }

    // The first list's entries switch to the FIR stage when edited so.
    bits.SetCurrentChannel(1);
    DDC_BAND_ITEM withFir = bits.GetDdcBand(5);
    withFir.BypassFir = 0;
    ASSERT_TRUE(bits.SetDdcBand(5, withFir));
    EXPECT_EQ(bits.GetDecimCommon(-1, 5), 64);
    EXPECT_EQ(bits.GetBandwidth(-1, 5), 61000000.0 / 64 + 1.0);
}

TEST(ControlBits, NoBandwidthChosenIsNoEntryEverywhere)
{
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits);
    ASSERT_EQ(bits.GetBandwidthIndex(), -1);
    EXPECT_EQ(bits.GetCurrentDdcBand(), nullptr);
    ExpectOutOfRange([&] { bits.GetSampleRate(-1); }, kWrongBandwidth);
    ExpectOutOfRange([&] { bits.GetBandwidth(-1, -1); }, kWrongBandwidth);
    ExpectOutOfRange([&] { bits.GetBandwidth(-1, 14); }, kWrongBandwidth);
    ExpectOutOfRange([&] { bits.GetDecimCommon(4, 5); }, kWrongBandwidth);
    ExpectOutOfRange([&] { bits.GetDdcBand(14); }, "Bandwidth");

    // Tuning without a band keeps the frequency inside the channel and chooses no band.
    bits.SetTuneFreq(10e6);
    EXPECT_EQ(bits.GetTuneFreq(), 40e6);
    EXPECT_EQ(bits.GetBandwidthIndex(), -1);
    bits.SetTuneFreq(7000e6);
    EXPECT_EQ(bits.GetTuneFreq(), 6030e6);

    // An index left behind by a removal is no entry either.
    bits.SetBandwidthIndex(13);
    ASSERT_EQ(bits.GetBandwidthIndex(), 13);
    ASSERT_TRUE(bits.RemoveDdcBand(13));
    EXPECT_EQ(bits.GetCurrentDdcBand(), nullptr);
    ExpectOutOfRange([&] { bits.GetSampleRate(-1); }, kWrongBandwidth);
}

TEST(ControlBits, TuneFrequencyKeepsTheWholeBandInsideTheChannel)
{
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits);
    bits.GetChannel(2)->SetUpperLimit(3000.0);
    const double half0 = (61e6 + 1.0) / 2;
    const double half12 = (61e6 / 4066 + 1.0) / 2;
    const struct
    {
        double freqHz;
        int index;
        double tunedHz;
    } cases[] = {
        {1000e6, 0, 1000e6},
        {10e6, 0, 40e6 + half0},
        {10e6, 12, 40e6 + half12},
        {50e6, 0, 40e6 + half0},
        {2990e6, 0, 3000e6 - half0},
        {9000e6, 12, 3000e6 - half12},
        {-1e9, 3, 40e6 + (61e6 / 8 + 1.0) / 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.freqHz);
        bits.SetTuneFreqAndBandwidth(c.freqHz, c.index);
        EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), c.tunedHz);
        EXPECT_EQ(bits.GetBandwidthIndex(), c.index);
        EXPECT_DOUBLE_EQ(bits.Adf().GetDdcFreq(), c.tunedHz / 1e6);
    }
    // SetTuneFreq keeps the band.
    bits.SetTuneFreqAndBandwidth(1000e6, 12);
    bits.SetTuneFreq(20e6);
    EXPECT_EQ(bits.GetBandwidthIndex(), 12);
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 40e6 + half12);
    // A band index outside the list is refused before anything changes.
    ExpectOutOfRange([&] { bits.SetTuneFreqAndBandwidth(500e6, 14); }, kWrongBandwidth);
    EXPECT_EQ(bits.GetBandwidthIndex(), 12);
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 40e6 + half12);
}

// Channel 2 (its tune frequency is its own) between startMHz and stopMHz, tuned to tuneHz with no band.
struct WalkCase
{
    const char* what;
    double startMHz;
    double stopMHz;
    double tuneHz;
    int asked;
    int taken;
    double tunedHz;
};

TEST(ControlBits, BandwidthIndexWalksToTheNearestBandThatFits)
{
    const double half0 = (61e6 + 1.0) / 2;
    const WalkCase cases[] = {
        {"fits as asked", 40, 6030, 1000e6, 3, 3, 1000e6},
        {"outside the list starts from 0", 40, 6030, 1000e6, 99, 0, 1000e6},
        {"negative starts from 0", 40, 6030, 1000e6, -5, 0, 1000e6},
        // 110 MHz in a channel from 100: 60 and 30 MHz stick out below, 15 MHz is the first that fits.
        {"sticks out below: narrower entries", 100, 6030, 110e6, 0, 2, 110e6},
        {"sticks out below from 1", 100, 6030, 110e6, 1, 2, 110e6},
        // Nothing fits a 10 kHz channel: the last entry, and the tune frequency moves down by half of it.
        {"nothing fits: last entry", 40, 40.01, 40.005e6, 0, 13, 40.005e6 - half0},
        {"sticks out below only, nothing fits", 40, 6030, 40.001e6, 0, 13, 40.001e6 - half0},
    };
    for (const WalkCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        CControlBits bits;
        bits.Init();
        AddChannelPerType(bits, c.startMHz, c.stopMHz);
        bits.SetTuneFreqAndBandwidth(c.tuneHz, -1);
        ASSERT_EQ(bits.GetTuneFreq(), c.tuneHz);
        bits.SetBandwidthIndex(c.asked);
        EXPECT_EQ(bits.GetBandwidthIndex(), c.taken);
        EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), c.tunedHz);
    }
}

TEST(ControlBits, BandwidthIndexSearchesWiderEntriesWhenTheBandSticksOutAbove)
{
    // A list ordered narrow to wide, so the entries before an index are the narrower ones.
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits, 40, 200);
    bits.SetCurrentChannel(1);
    while (bits.GetDdcBandCount() > 0)
        bits.RemoveDdcBand(0);
    for (uint16_t deci : {4066, 16, 4, 1})
    {
        DDC_BAND_ITEM item;
        item.DeciCoeff = deci;
        item.BypassFir = 1;
        bits.InsertDdcBand(100, item);
    }
    // At 195 MHz the 15.25 MHz band (61/4) reaches past 200; the 3.8 MHz one (61/16) fits.
    bits.SetTuneFreqAndBandwidth(195e6, -1);
    bits.SetBandwidthIndex(2);
    EXPECT_EQ(bits.GetBandwidthIndex(), 1);
    EXPECT_EQ(bits.GetTuneFreq(), 195e6);
    // From the widest entry the walk goes down to the first that fits.
    bits.SetBandwidthIndex(3);
    EXPECT_EQ(bits.GetBandwidthIndex(), 1);
    // Nothing fits above: the last (widest) entry, the tune frequency lowered by half its band.
    bits.SetTuneFreqAndBandwidth(199.999e6, -1);
    bits.SetBandwidthIndex(3);
    EXPECT_EQ(bits.GetBandwidthIndex(), 3);
    EXPECT_DOUBLE_EQ(bits.GetTuneFreq(), 199.999e6 - (61e6 + 1.0) / 2);
}

TEST(ControlBits, BandwidthIndexOfAnEmptyListIsNoEntry)
{
    CControlBits bits;
    AddChannelPerType(bits);
    bits.SetBandwidthIndex(0);
    EXPECT_EQ(bits.GetBandwidthIndex(), -1) << "before Init";
    bits.Init();
    bits.SetCurrentChannel(4);
    while (bits.GetDdcBandCount() > 0)
        bits.RemoveDdcBand(0);
    bits.SetBandwidthIndex(2);
    EXPECT_EQ(bits.GetBandwidthIndex(), -1);
    EXPECT_EQ(bits.LoadFir(), 0);
}

TEST(ControlBits, ResetRestoresTheControlStateButKeepsListsChannelsAndSynthesizer)
{
    CControlBits bits;
    bits.Init();
    AddChannelPerType(bits);
    bits.SetCurrentChannel(4);
    bits.SetTuneFreqAndBandwidth(100e6, 1);
    bits.SetPacketSizeCode(3);
    bits.SetDemodType(2);
    bits.SetLMX2595_Struct(2, 5);
    bits.SetAuxSwitch(true);
    bits.SetRangeSoundOn(true);
    bits.SetAuxMode(true);
    bits.SetGainPwm(99);
    bits.SetUserInt(5);
    bits.Sky().SetAmpl(20);
    bits.Sky().SetStrob(1);
    bits.Adf().SetScanSpeed(9);
    bits.AddKnownRange("r", 100, 200, 1);
    ASSERT_EQ(bits.LoadFir(), 0);
    ASSERT_TRUE(bits.IsSkipPending());
    ASSERT_TRUE(bits.Dla().IsLineMode());

    bits.Reset();
    EXPECT_EQ(bits.GetCurrentChannelIndex(), 2);
    EXPECT_EQ(bits.GetBandwidthIndex(), -1);
    EXPECT_EQ(bits.GetTuneFreq(), 5e6);
    EXPECT_EQ(bits.GetPacketSizeCode(), 6);
    EXPECT_EQ(bits.GetDemodType(), 0);
    LMX2595_STRUCT lmx;
    bits.GetLMX2595_Struct(&lmx);
    EXPECT_EQ(lmx.count, 0);
    EXPECT_EQ(lmx.lmx2, 1);
    EXPECT_FALSE(bits.IsLineInput());
    EXPECT_FALSE(bits.GetAuxSwitch());
    EXPECT_FALSE(bits.IsRangeSoundOn());
    EXPECT_FALSE(bits.GetAuxMode());
    EXPECT_FALSE(bits.IsSkipPending());
    EXPECT_EQ(bits.GetGainPwm(), 30);
    EXPECT_EQ(bits.Sky().GetStrob(), 0xFF);
    EXPECT_EQ(bits.Sky().GetAmpl(), 1);
    EXPECT_FALSE(bits.Dla().IsLineMode());
    for (uint32_t word : bits.GetControlBlock())
        EXPECT_EQ(word, 0u);
    // Kept: the user values, lists, channels, known ranges and the synthesizer.
    EXPECT_EQ(bits.GetUserInt(), 5);
    EXPECT_EQ(bits.GetChannelCount(), 7);
    EXPECT_EQ(bits.GetDdcBandCount(), 14);
    EXPECT_EQ(bits.GetKnownRangeCount(), 1);
    EXPECT_EQ(bits.Adf().GetScanSpeed(), 9);
}
