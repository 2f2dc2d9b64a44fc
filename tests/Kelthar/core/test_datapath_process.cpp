#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controlbits.h"
#include "ddcdecimator.h"
#include "frontendplan.h"
#include "kelthar_core.h"
#include "overloadcontrol.h"

// The processing half of the data path: the sweep part into sample vectors with the overload state and
// the automatic gain, the DDC part into I, Q and audio chunks, and the decimation that fills the DDC
// part. Blocks are built by hand in the live layout.

using testing::Each;
using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
using Chunks = std::vector<std::vector<double>>;

constexpr size_t kSweepBytes = CKelthar::kSweepBytes;

void PutInt16(std::vector<uint8_t>& block, size_t at, int value)
{
    const auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    block[at] = static_cast<uint8_t>(bits);
    block[at + 1] = static_cast<uint8_t>(bits >> 8);
}

void PutInt24(std::vector<uint8_t>& block, size_t at, int value)
{
    const auto bits = static_cast<uint32_t>(value);
    block[at] = static_cast<uint8_t>(bits);
    block[at + 1] = static_cast<uint8_t>(bits >> 8);
    block[at + 2] = static_cast<uint8_t>(bits >> 16);
}

int GetInt24(const uint8_t* at)
{
    const uint32_t bits = at[0] | (at[1] << 8) | (static_cast<uint32_t>(at[2]) << 16);
    return static_cast<int>(bits ^ 0x800000u) - 0x800000;
}

// A live block whose sweep holds the given I/Q samples (the rest 0) and whose DDC part holds `ddc`.
std::vector<uint8_t> Block(const std::vector<std::pair<int, int>>& sweep,
                           const std::vector<std::pair<int, int>>& ddc = {})
{
    std::vector<uint8_t> block(kSweepBytes + 6 * ddc.size());
    for (size_t k = 0; k < sweep.size(); ++k)
    {
        PutInt16(block, 4 * k, sweep[k].first);
        PutInt16(block, 4 * k + 2, sweep[k].second);
    }
    for (size_t k = 0; k < ddc.size(); ++k)
    {
        PutInt24(block, kSweepBytes + 6 * k, ddc[k].first);
        PutInt24(block, kSweepBytes + 6 * k + 3, ddc[k].second);
    }
    return block;
}

// A sweep whose samples swing between -level and +level (level alone when it is negative).
std::vector<uint8_t> LevelBlock(int level)
{
    return level < 0 ? Block({{level, 0}}) : Block({{level, -level}, {0, 0}});
}

std::vector<std::pair<int, int>> DdcRamp(size_t count)
{
    std::vector<std::pair<int, int>> samples;
    for (size_t n = 0; n < count; ++n)
        samples.emplace_back(static_cast<int>(n) - 2000, 3 * static_cast<int>(n % 7) - 9);
    return samples;
}
}  // namespace

// --- ProcessBlock ---

TEST(ProcessBlock, EmptyBlockOrAuxModeEmptiesBothOutputs)
{
    CKelthar core;
    std::vector<double> out1(5, 1.0);
    std::vector<double> out2(7, 2.0);
    EXPECT_FALSE(core.ProcessBlock({}, out1, out2));
    EXPECT_THAT(out1, IsEmpty());
    EXPECT_THAT(out2, IsEmpty());

    core.ControlBits().SetAuxMode(true);
    out1.assign(3, 1.0);
    EXPECT_FALSE(core.ProcessBlock(Block({{1, 2}}), out1, out2));
    EXPECT_THAT(out1, IsEmpty());
}

TEST(ProcessBlock, ScanningGivesIAndQApartOtherwiseInterleavedInTwiceTheLength)
{
    CKelthar core;
    const std::vector<uint8_t> block = Block({{1, -2}, {300, -400}, {-32768, 32767}});
    std::vector<double> out1;
    std::vector<double> out2(3, 9.0);

    core.ControlBits().Adf().SetScanActive(true);
    ASSERT_TRUE(core.ProcessBlock(block, out1, out2));
    ASSERT_EQ(out1.size(), 32768u);
    ASSERT_EQ(out2.size(), 32768u);
    EXPECT_THAT(std::vector<double>(out1.begin(), out1.begin() + 4), ElementsAre(1, 300, -32768, 0));
    EXPECT_THAT(std::vector<double>(out2.begin(), out2.begin() + 4), ElementsAre(-2, -400, 32767, 0));

    core.ControlBits().Adf().SetScanActive(false);
    ASSERT_TRUE(core.ProcessBlock(block, out1, out2));
    ASSERT_EQ(out1.size(), 65536u) << "two values per sample";
    ASSERT_EQ(out2.size(), 65536u);
    EXPECT_THAT(std::vector<double>(out1.begin(), out1.begin() + 7),
                ElementsAre(1, -2, 300, -400, -32768, 32767, 0));
    EXPECT_THAT(out2, Each(0.0));
}

TEST(ProcessBlock, ShortBlockFillsWhatItHasAndZeroesTheRest)
{
    CKelthar core;
    core.ControlBits().Adf().SetScanActive(true);
    std::vector<double> out1(32768, 5.0);
    std::vector<double> out2(32768, 5.0);
    std::vector<uint8_t> block = Block({{10, 20}, {30, 40}});
    block.resize(10);  // two whole samples and half of the third
    ASSERT_TRUE(core.ProcessBlock(block, out1, out2));
    EXPECT_EQ(out1[1], 30);
    EXPECT_EQ(out1[2], 0) << "no sample is made of half a sample";
    EXPECT_EQ(out2[32767], 0) << "nothing of the previous block stays";
}

TEST(ProcessBlock, FhssCaptureSizesTheOutputsToTheWholeCapture)
{
    CKelthar core;
    core.ControlBits().Adf().SetScanActive(true);
    core.SetFlags(true, CKelthar::kFlagFhss);
    core.SetFhssMode(4);
    std::vector<double> out1;
    std::vector<double> out2;
    ASSERT_TRUE(core.ProcessBlock(Block({{1, 1}}), out1, out2));
    EXPECT_EQ(out1.size(), 65536u * 38u);
}

TEST(ProcessBlock, OverloadShowsOnItsBlockAndTheNextOne)
{
    // The radio input (type 2, the construction default) overloads beyond +-2047, the line input
    // (type 4) beyond +-21846.
    const struct
    {
        int channel;
        std::vector<int> levels;
        std::vector<int> states;
    } kCases[] = {
        {2, {100, 2048, 100, 100, 100}, {0, 1, 1, 0, 0}},
        {2, {2047, -2047, -2048, 100, 2100, 100, 100}, {0, 0, 1, 1, 1, 1, 0}},
        {2, {3000, 3000, 3000, 0, 0}, {1, 1, 1, 1, 0}},
        {4, {21846, 21847, 100, 100}, {0, 1, 1, 0}},
        {6, {-21847, 100, 100}, {1, 1, 0}},
    };
    for (const auto& c : kCases)
    {
        CKelthar core;
        core.ControlBits().SetCurrentChannel(c.channel);
        std::vector<double> out1;
        std::vector<double> out2;
        std::vector<int> states;
        for (int level : c.levels)
        {
            ASSERT_TRUE(core.ProcessBlock(LevelBlock(level), out1, out2));
            states.push_back(core.GetOverloadState());
        }
        EXPECT_EQ(states, c.states) << "channel " << c.channel;
    }
}

// --- Automatic gain ---

namespace
{
struct GainWalk
{
    const char* what;
    int channel;
    // Blocks fed, as (maximum, minimum), and the gain read after each.
    std::vector<std::pair<int, int>> blocks;
    std::vector<int> gains;
};

int ReadGain(CControlBits& bits, int channel)
{
    switch (channel)
    {
        case 2:
            return bits.Sky().GetGainIndex();
        case 4:
            return bits.Dla().GetGainRow();
        default:
            return bits.Acoustic().GetGain();
    }
}
}  // namespace

TEST(AutomaticGain, QuietBlocksRaiseAndOverloadsLowerTheCurrentInputsGain)
{
    const std::pair<int, int> quiet{1000, -1000};
    const std::pair<int, int> busy{9000, -9000};
    const std::pair<int, int> radioOverload{2100, -100};
    const std::pair<int, int> lineOverload{30000, -30000};
    const GainWalk kWalks[] = {
        // The radio unit's index (2 at start) moves on every second block that asks, up to the top row.
        // Its 12-bit samples never span 8192, so every block without an overload asks for more.
        {"sky up",
         2,
         std::vector<std::pair<int, int>>(16, quiet),
         {2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 9}},
        {"sky down",
         2,
         {radioOverload, radioOverload, radioOverload, radioOverload, radioOverload, radioOverload},
         {2, 1, 1, 0, 0, 0}},
        // The wired-line row (0 at start) moves on every block, 0..15.
        {"line",
         4,
         {quiet, quiet, quiet, lineOverload, lineOverload, lineOverload, lineOverload, busy},
         {1, 2, 3, 2, 1, 0, 0, 0}},
        // The acoustic gain (1 at start) stays within 1..7.
        {"acoustic",
         6,
         {lineOverload, quiet, quiet, quiet, quiet, quiet, quiet, quiet, lineOverload},
         {1, 2, 3, 4, 5, 6, 7, 7, 6}},
        // Other inputs have no automatic gain.
        {"other", 5, {quiet, quiet}, {1, 1}},
    };
    for (const GainWalk& walk : kWalks)
    {
        CControlBits bits;
        bits.SetCurrentChannel(walk.channel);
        COverloadControl overload;
        std::vector<int> gains;
        for (const auto& block : walk.blocks)
        {
            overload.Update(walk.channel, block.first, block.second, bits);
            gains.push_back(ReadGain(bits, walk.channel));
        }
        EXPECT_EQ(gains, walk.gains) << walk.what;
    }
}

TEST(AutomaticGain, TheRadioIndexSelectsItsRowOfTheGainTable)
{
    CControlBits bits;
    bits.SetCurrentChannel(2);
    bits.Sky().SetStrob(0);
    COverloadControl overload;
    for (int n = 0; n < 40; ++n)
        overload.Update(2, 10, -10, bits);
    EXPECT_EQ(bits.Sky().GetGainIndex(), 9);
    EXPECT_EQ(bits.Sky().GetAmpl(), 25) << "the top row: the highest amplitude code";
    EXPECT_EQ(bits.Sky().GetGain(), 0);
    EXPECT_EQ(bits.Sky().GetStrob(), CSkyControl::kStrobResend) << "the change is sent to the unit";
}

// --- ProcessDemod ---

TEST(ProcessDemod, NeedsAWholeChunkAndLeavesTheOutputsAloneWithout)
{
    CKelthar core;
    core.ControlBits().SetDemodType(CDemodulator::kDifference);
    Chunks i{{1.0}};
    Chunks q{{2.0}};
    Chunks audio{{3.0}};

    EXPECT_FALSE(core.ProcessDemod(Block({}, DdcRamp(4095)), i, q, audio));
    EXPECT_EQ(i, Chunks{{1.0}});
    EXPECT_EQ(audio, Chunks{{3.0}});

    EXPECT_FALSE(core.ProcessDemod(Block({}), i, q, audio)) << "no DDC part at all";
    EXPECT_EQ(q, Chunks{{2.0}});

    EXPECT_FALSE(core.ProcessDemod({}, i, q, audio));
    EXPECT_THAT(i, IsEmpty()) << "an empty block outside demo mode empties the outputs";
    EXPECT_THAT(audio, IsEmpty());
}

TEST(ProcessDemod, OneChunkScaledByTheBandsAmplitudeCorrection)
{
    const std::vector<std::pair<int, int>> ramp = DdcRamp(4096);
    const auto check = [&ramp](CKelthar& core, double scale)
    {
        Chunks i;
        Chunks q;
        Chunks audio;
        ASSERT_TRUE(core.ProcessDemod(Block({}, ramp), i, q, audio));
        ASSERT_EQ(i.size(), 1u);
        ASSERT_EQ(i[0].size(), 4096u);
        for (size_t n = 0; n < ramp.size(); n += 511)
        {
            EXPECT_DOUBLE_EQ(i[0][n], scale * ramp[n].first) << n;
            EXPECT_DOUBLE_EQ(q[0][n], scale * ramp[n].second) << n;
            EXPECT_DOUBLE_EQ(audio[0][n], scale * (ramp[n].first - ramp[n].second)) << n;
        }
    };

    // No bandwidth chosen yet: the raw values times 10.
    CKelthar bare;
    bare.ControlBits().SetDemodType(CDemodulator::kDifference);
    check(bare, 10.0);

    CKelthar core;
    CControlBits& bits = core.ControlBits();
    bits.Init();
    bits.AddChannel(0, L"HF", L"HF", 61e6);
    bits.SetCurrentChannel(0);
    bits.SetDemodType(CDemodulator::kDifference);
    DDC_BAND_ITEM band = bits.GetDdcBand(0);
    band.CorrectAmpl = 0.25;
    ASSERT_TRUE(bits.SetDdcBand(0, band));
    check(core, 2.5);
}

TEST(ProcessDemod, KeepsTheFirstChunkOfSeveralAndTheDdcOffFlagReplaysIt)
{
    CKelthar core;
    core.ControlBits().SetDemodType(CDemodulator::kDirect);
    std::vector<std::pair<int, int>> samples(3 * 4096 + 100, {7, 0});
    samples[0] = {-8388608, 8388607};
    Chunks i;
    Chunks q;
    Chunks audio;
    ASSERT_TRUE(core.ProcessDemod(Block({}, samples), i, q, audio));
    ASSERT_EQ(i.size(), 1u) << "the accumulators hold one chunk";
    EXPECT_EQ(i[0][0], -83886080.0) << "24-bit extremes come through sign-extended";
    EXPECT_EQ(q[0][0], 83886070.0);
    EXPECT_EQ(i[0][1], 70.0);

    core.SetFlags(true, CKelthar::kFlagDdcOff);
    Chunks replayI;
    Chunks replayQ;
    Chunks replayAudio;
    EXPECT_FALSE(core.ProcessDemod(Block({}, DdcRamp(4096)), replayI, replayQ, replayAudio));
    EXPECT_EQ(replayI, i) << "the last chunk, without reading the block";
    EXPECT_EQ(replayAudio, audio);
}

TEST(ProcessDemod, ChannelOffsetsAreAddedAndWalkedTowardsZeroMean)
{
    CKelthar core;
    CControlBits& bits = core.ControlBits();
    bits.AddChannel(0, L"HF", L"HF", 61e6);
    bits.SetCurrentChannel(0);
    bits.SetDemodType(CDemodulator::kDirect);
    auto& channel = static_cast<CChannel&>(*bits.GetChannel(-1));
    channel.SetDcOffset(CChannel::DcOffset::I, 5);
    channel.SetDcOffset(CChannel::DcOffset::Q, -3);
    channel.SetDcOffset(CChannel::DcOffset::Audio, 2);
    // No bandwidth chosen: scale 10.
    const std::vector<std::pair<int, int>> samples(4096, {100, 1});

    Chunks i;
    Chunks q;
    Chunks audio;
    ASSERT_TRUE(core.ProcessDemod(Block({}, samples), i, q, audio));
    EXPECT_EQ(i[0][0], 1000.0) << "offsets stay out unless asked for";

    core.SetDcOffsetCorrection(true, false);
    ASSERT_TRUE(core.ProcessDemod(Block({}, samples), i, q, audio));
    EXPECT_EQ(i[0][7], 1050.0);
    EXPECT_EQ(q[0][7], -20.0);
    EXPECT_EQ(audio[0][7], 1020.0);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::I), 5) << "not walked without the automatic switch";

    // I sums positive and Q (1 - 3) negative: each offset takes one step against its sign per call.
    core.SetDcOffsetCorrection(true, true);
    for (int call = 0; call < 2; ++call)
        ASSERT_TRUE(core.ProcessDemod(Block({}, samples), i, q, audio));
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::I), 3);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::Q), -1);
    EXPECT_EQ(channel.GetDcOffset(CChannel::DcOffset::Audio), 2) << "the audio offset is never walked";
}

TEST(ProcessDemod, FmAudioOfAToneStepHasTheStepsSign)
{
    CKelthar core;
    core.ControlBits().SetDemodType(CDemodulator::kFm);
    // A tone that jumps up by 0.01 cycles per sample half way through the chunk.
    std::vector<std::pair<int, int>> samples;
    double phase = 0.0;
    for (int n = 0; n < 4096; ++n)
    {
        phase += 2 * 3.14159265358979323846 * (n < 2048 ? 0.05 : 0.06);
        samples.emplace_back(static_cast<int>(1e6 * std::cos(phase)),
                             static_cast<int>(1e6 * std::sin(phase)));
    }
    Chunks i;
    Chunks q;
    Chunks audio;
    ASSERT_TRUE(core.ProcessDemod(Block({}, samples), i, q, audio));
    EXPECT_NEAR(audio[0][2047], 0.0, 10.0);
    EXPECT_GT(audio[0][2060], 1000.0) << "a rise in frequency is positive audio";
}

// --- Decimation ---

TEST(DdcDecimator, AveragesRunsExactlyWithoutWrapping)
{
    const struct
    {
        const char* what;
        std::vector<std::pair<int, int>> raw;
        int decimation;
        std::vector<std::pair<int, int>> expected;
    } kCases[] = {
        {"full scale over 65",
         std::vector<std::pair<int, int>>(130, {-32768, 32767}),
         65,
         {{-32768, 32767}, {-32768, 32767}}},
        {"12-bit full scale over 4066",
         std::vector<std::pair<int, int>>(4066, {2047, -2048}),
         4066,
         {{2047, -2048}}},
        {"truncates toward zero", {{-1, 1}, {-2, 2}, {3, -3}, {4, -4}}, 2, {{-1, 1}, {3, -3}}},
        {"drops a partial run", {{1, 1}, {1, 1}, {1, 1}, {9, 9}, {9, 9}}, 3, {{1, 1}}},
        {"decimation 0 counts as 1", {{5, -5}, {6, -6}}, 0, {{5, -5}, {6, -6}}},
    };
    for (const auto& c : kCases)
    {
        std::vector<uint8_t> raw(4 * c.raw.size());
        for (size_t n = 0; n < c.raw.size(); ++n)
        {
            PutInt16(raw, 4 * n, c.raw[n].first);
            PutInt16(raw, 4 * n + 2, c.raw[n].second);
        }
        std::vector<uint8_t> dest(6 * 8);
        const size_t written =
            CDdcDecimator::Decimate(raw.data(), 2, 4, c.raw.size(), c.decimation, dest.data(), dest.size());
        std::vector<std::pair<int, int>> got;
        for (size_t n = 0; n < written; ++n)
            got.emplace_back(GetInt24(&dest[6 * n]), GetInt24(&dest[6 * n + 3]));
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(DdcDecimator, FollowsTheBuffersLayoutAndStopsAtTheDestination)
{
    // 8-byte steps with Q 4 bytes after I, as a buffer with more channels would give.
    std::vector<uint8_t> raw(8 * 6);
    for (int n = 0; n < 6; ++n)
    {
        PutInt16(raw, 8 * n, 100 * n);
        PutInt16(raw, 8 * n + 4, -n);
    }
    std::vector<uint8_t> dest(6 * 2 + 5, 0xEE);
    EXPECT_EQ(CDdcDecimator::Decimate(raw.data(), 4, 8, 6, 1, dest.data(), dest.size()), 2u);
    EXPECT_EQ(GetInt24(&dest[6]), 100);
    EXPECT_EQ(GetInt24(&dest[9]), -1);
    EXPECT_THAT(std::vector<uint8_t>(dest.begin() + 12, dest.end()), Each(0xEE));
}

// --- Front-end settings per LO step ---

TEST(FrontEndPlan, FilterByBand)
{
    const std::pair<int64_t, int> kCases[] = {
        {6000000, 7}, {4000000, 7}, {3999999, 0}, {3000000, 0}, {2999999, 1}, {1500000, 1}, {750000, 2},
        {749999, 3},  {375000, 3},  {187500, 4},  {187499, 5},  {93750, 5},   {93749, 6},   {0, 6}};
    for (const auto& c : kCases)
        EXPECT_EQ(CFrontEndPlan::FilterCode(c.first), c.second) << c.first << " kHz";
}

TEST(FrontEndPlan, AntennaFromTheCommutator)
{
    const int levels[3] = {4, 40, 120};  // 100, 1000 and 3000 MHz
    const int unset[3] = {4, 0, 120};
    const struct
    {
        int commutator;
        int64_t loKHz;
        const int* thresholds;
        int input;
    } kCases[] = {
        {-1, 500000, levels, -1}, {1, 500000, levels, 0},  {4, 10, levels, 3},      {0, 100000, levels, 0},
        {0, 100001, levels, 1},   {0, 1000001, levels, 2}, {0, 3000001, levels, 3}, {0, 3000001, unset, 0},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CFrontEndPlan::AntennaInput(c.commutator, c.loKHz, c.thresholds), c.input)
            << "commutator " << c.commutator << " at " << c.loKHz << " kHz";
}
