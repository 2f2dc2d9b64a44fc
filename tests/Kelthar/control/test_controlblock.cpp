#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "controlbits.h"
#include "tempdir.h"

// Control blocks derived by hand from the word table. The block carries state from one build to the next
// (the strobe countdown, the step strobe, the wired line's toggle), so each configuration is replayed as
// a sequence. Words 4, 6, 7 and 8 are always 0.

namespace
{
using Words = CControlBits::ControlBlock;

Words With(Words words, std::initializer_list<std::pair<int, uint32_t>> changes)
{
    for (const auto& change : changes)
        words[change.first] = change.second;
    return words;
}

std::string Hex(uint32_t word)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", word);
    return text;
}

struct Step
{
    const char* what;
    std::function<void(CControlBits&)> before;
    Words words;
    // A strobe-1 block raises the skip flag; the program lowers it after dropping the block's data.
    bool skip;
};

void Replay(CControlBits& bits, const std::vector<Step>& steps)
{
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        if (step.before)
            step.before(bits);
        ASSERT_EQ(bits.LoadFir(), 0);
        for (int n = 0; n < CControlBits::kControlWords; ++n)
            EXPECT_EQ(Hex(bits.GetControlBlock()[n]), Hex(step.words[n])) << "word " << n;
        EXPECT_EQ(bits.IsSkipPending(), step.skip);
        bits.SetSkipPending(false);
    }
}

// One 61 MHz channel per input type, 40 to 6030 MHz, and the default bandwidth lists.
void SetUpChannels(CControlBits& bits)
{
    bits.Init();
    for (int type = 0; type <= 6; ++type)
    {
        IChannel* channel = bits.AddChannel(type, L"C", L"Channel", 61e6);
        channel->SetStartFreq(40.0);
        channel->SetStopFreq(6030.0);
    }
}
}  // namespace

// Channel 0 scanning 100-200 MHz (synthesizer defaults: limits 72-200, DDC 509.75, tune step 7, speed 4).
// Clamping moves the DDC frequency down to the 200 MHz limit and gives block size 128 and a first centre
// of 131; the DDC integer frequency becomes 201 + 7 = 208 and the oscillator covers 8 MHz:
// NCO = round(8e6 x 2^32 / 61e6) = 563274399 = 0x2192E29F.
TEST(ControlBlock, SweptChannelScanningCountsTheStrobeDown)
{
    const Words base = {
        0x00F08016,  // packet code 6, acoustic gain index 1 << 4, bit 15, not line input, bits 21-23
        0x081E0000,  // gain PWM 30 << 16, bit 27
        0x2192E29F,  // NCO
        0x00000800,
        0,
        0x1800BE8E,  // scanning header, input code 3
        0,
        0,
        0,
        0x00030080,  // 0x80, aux mode off, bit 17
        0x2192E29F,  // NCO again
        0x007900D0,  // step strobe 1: (60 x 2 + 1) << 16, DDC integer frequency 208
        0x00010000,  // tap count 0, block size 128 << 9
        0x82000001,  // decimation 1, bypass, scan flag
        0x00000083,  // first centre 131
        // enabled 1, speed 4 -> 8; sum 0xD0 + 0x79 + 0x83 = 0x1CC -> 0x4C << 5; swept, radio unit.
        0xD13DE989,
    };
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetCurrentChannel(0);
    Replay(bits,
           {
               {"strobe 0xFF restarts at 2", nullptr, base, false},
               // Word 11 goes to 0; the step strobe was spent on the first block.
               // 0x1B0 | ampl 1 = 0x1B1; sum 0xB1 + 0x01 = 0xB2, bit 7 set -> 0xB2 << 5.
               {"strobe 1 makes the unit apply its settings", nullptr,
                With(base, {{11, 0}, {14, 0x1B1}, {15, 0xD13DF640}}), true},
               // Register word 0 now; clock divider 0xAB and gain PWM 0xCD overlap in bits 16-19 of
               // word 1; speed 0xFF -> 0xFC << 1 = 0x1F8 under the checksum 0x53 << 5 = 0xA60.
               {"strobe 0, fields that overlap",
                [](CControlBits& b)
                {
                    b.SetClkDivCnt(0xAB);
                    b.SetGainPwm(0xCD);
                    b.Adf().SetScanSpeed(0xFF);
                },
                With(base, {{1, 0x08CFB000}, {11, 0x000000D0}, {14, 0x83}, {15, 0xD13DEBF9}}), false},
           });
    EXPECT_TRUE(bits.Adf().IsFlag3()) << "a 100 MHz span is a long scan";
    EXPECT_EQ(bits.Adf().GetFreqDdcInt(), 208);
    EXPECT_EQ(bits.GetHeaderCode(), 0xBE8E);
    EXPECT_EQ(bits.GetTuneFreq(), 200e6) << "the synthesizer's DDC frequency, in Hz";
    EXPECT_EQ(bits.Sky().GetStrob(), 0);
    EXPECT_EQ(bits.Sky().GetStepStrob(), 0);
}

// Channel 2 at 45 MHz with the 7.5 MHz band (decimation 8): NCO = round(45e6 x 2^32 / 61e6) = 3168418497
// = 0xBCDA3AC1. Channel 2 takes words 11 and 14 from the wired line: line word A = pins of pair 0
// (0x08 << 8 | 0x10) = 0x0810, word B = R(2 x 9 + 1) = R(0x13) = 0xC8. After a change the toggle bit
// (word 14 bit 22) alternates for six blocks, then rests at 1.
TEST(ControlBlock, WiredLineWordsToggleForSixBlocksAfterAChange)
{
    const Words base = {
        0x00F08016, 0x081E0000, 0xBCDA3AC1, 0x00000800, 0,          0x0800D29B,
        0,          0,          0,          0x00030080, 0xBCDA3AC1, 0x000000C8,
        0x00002000,  // block size 16 << 9
        0x02000008,  // decimation 8, bypass
        0x00400810,  // line word A, toggle 1
        0xD13DC408,  // speed -> 8; sum 0xC8 + 0x10 + 0x08 + 0x40 = 0x120 -> 0x20 << 5; radio unit
    };
    // Toggle 0: sum 0xC8 + 0x18 = 0xE0 -> 0x60 << 5.
    const Words toggleOff = With(base, {{0, 0x80F08016}, {14, 0x00000810}, {15, 0xD13DCC08}});
    // From strobe 0 on, word 0 bit 31 marks a channel the synthesizer does not sweep.
    const Words toggleOn = With(base, {{0, 0x80F08016}});
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetTuneFreqAndBandwidth(45e6, 3);
    Replay(bits,
           {
               {"change seen: toggle 1", nullptr, base, false},
               {"strobe 1 overrides the line words (toggle 0)", nullptr,
                With(base, {{11, 0}, {14, 0x1B1}, {15, 0xD13DD640}}), true},
               {"toggle 1", nullptr, toggleOn, false},
               {"toggle 0", nullptr, toggleOff, false},
               {"toggle 1 again", nullptr, toggleOn, false},
               {"sixth block: toggle 0", nullptr, toggleOff, false},
               {"rests at 1", nullptr, toggleOn, false},
               {"still 1", nullptr, toggleOn, false},
               // Gain 7 selects row 15: amplifier A 7 (word A bits 16-18), B 2 -> g 1, R(3) = 0xC0,
               // and acoustic gain index 4 in word 0. Toggle flips from 1 to 0.
               // Sum 0xC0 + 0x10 + 0x08 + 0x07 = 0xDF -> 0x5F << 5 = 0xBE0.
               {"gain change starts a new round", [](CControlBits& b) { b.Dla().SetGain(7); },
                With(base, {{0, 0x80F08046}, {11, 0xC0}, {14, 0x00070810}, {15, 0xD13DCBE8}}), false},
           });
}

// Channel 4, the wired-line unit: its own list ("20 KHz": decimation 12, scaling 50, 256 taps on the
// built-in FIR), line input, line mode in word A bit 23, no gain PWM, no input code, and no amplitude in
// a strobe-1 block. Tune frequency 5 MHz: NCO = round(5e6 x 2^32 / 61e6) = 352046500 = 0x14FBCDA4.
TEST(ControlBlock, WiredLineUnitUsesItsOwnListAndLineMode)
{
    const Words base = {
        0x00E0801E,  // code 6, line input bit 3, gain index 1 << 4, bit 15, bits 21-23
        0,          0x14FBCDA4, 0x00000800, 0, 0x0000D29B, 0, 0, 0, 0x00030080, 0x14FBCDA4, 0x000000C8,
        0x00002100,  // 256 taps, block size 16 << 9
        0x0232000C,  // decimation 12, scaling 50, bypass
        0x00C00810,  // word A with line mode, toggle 1
        0xD13D8408,  // sum 0xC8 + 0x10 + 0x08 + 0xC0 = 0x1A0 -> 0x20 << 5
    };
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetCurrentChannel(4);
    Replay(bits, {
                     {"first block", nullptr, base, false},
                     // 0x1B0 only; sum 0xB0 + 0x01 = 0xB1 -> 0xB1 << 5 = 0x1620.
                     {"strobe 1 without amplitude", nullptr,
                      With(base, {{11, 0}, {14, 0x1B0}, {15, 0xD13D9620}}), true},
                     {"strobe 0", nullptr, With(base, {{0, 0x80E0801E}}), false},
                 });
}

// Channel 6, acoustic: line input, bit 27 alone in word 1, no wired-line words. Amplitude 25 (not sent on
// this channel), attenuator 20 dB, acoustic gain index 5.
TEST(ControlBlock, StrobeOneBlockCarriesTheAttenuatorAndThenTheRegisterWordReturns)
{
    const Words base = {
        0x00E0805E, 0x08000000, 0x14FBCDA4, 0x00000800, 0, 0x0000D29B, 0, 0, 0, 0x00030080, 0x14FBCDA4,
        0x00790224,  // step strobe: (60 x 2 + 1) << 16, DDC integer frequency 548
        0x00002100, 0x0232000C,
        0x00000224,  // first centre 548
        0xD13D88A8,  // sum 0x24 + 0x02 + 0x79 + 0x24 + 0x02 = 0xC5 -> 0x45 << 5
    };
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetCurrentChannel(6);
    bits.Sky().SetAmpl(25);
    bits.Sky().SetAttenuator(20);
    bits.Acoustic().SetGain(5);
    Replay(bits,
           {
               {"strobe 2", nullptr, base, false},
               // 0x1B0 | 20 << 12 = 0x141B0; sum 0xB0 + 0x41 + 0x01 = 0xF2, bit 7 set.
               {"strobe 1", nullptr, With(base, {{11, 0}, {14, 0x000141B0}, {15, 0xD13D9E40}}), true},
               // Register word 0x406 with toggle A in bit 6 and toggle B in bit 13 = 0x2446.
               // Sum 0x24 + 0x02 + 0x46 + 0x24 + 0x24 + 0x02 = 0xB6 -> 0x36 << 5.
               {"strobe 0: the register word",
                [](CControlBits& b)
                {
                    b.Adf().SetRegisterWord(0x406);
                    b.Adf().SetToggleA(1);
                    b.Adf().SetToggleB(1);
                },
                With(base, {{0, 0x80E0805E}, {11, 0x24460224}, {15, 0xD13D86C8}}), false},
           });
    EXPECT_EQ(bits.Adf().GetRegisterWord(), 0x2446) << "the word is written back";
}

TEST(ControlBlock, AcousticGainIndexFromDamagedSettingsStaysInItsFiveBits)
{
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetCurrentChannel(6);
    bits.Acoustic().SetGainIndex(0xFF);
    ASSERT_EQ(bits.LoadFir(), 0);
    const uint32_t word0 = bits.GetControlBlock()[0];
    EXPECT_EQ((word0 >> 4) & 0x1F, 0x1Fu);
    EXPECT_EQ(word0 & 0xE00, 0u) << "bits 9-11 (aux switch, range sound) stay clear";
}

TEST(ControlBlock, MultiRangeSweepMovesTheSynthesizerOnEveryBlock)
{
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetCurrentChannel(0);
    bits.Adf().SetFreqLimits(72.0, 6000.0);
    bits.MultiAdf().AddRange(300.0, 400.0);
    bits.MultiAdf().AddRange(1000.0, 1200.0);
    bits.MultiAdf().SetEnabled(true);
    // First centres: round(1000 + 30.5) = 1031, round(300 + 30.5) = 331. The second block is a
    // strobe-1 block, whose word 14 carries the front-end settings instead.
    const struct
    {
        double start;
        uint32_t word14;
    } blocks[] = {{1000.0, 1031}, {300.0, 0x1B1}, {1000.0, 1031}, {300.0, 331}};
    for (const auto& block : blocks)
    {
        ASSERT_EQ(bits.LoadFir(), 0);
        EXPECT_EQ(bits.Adf().GetStartFreq(), block.start);
        EXPECT_EQ(bits.GetControlBlock()[14] & 0xFFFF, block.word14);
        EXPECT_EQ(bits.GetControlBlock()[5] & 0xFFFF, 0xBE8Eu);
    }
    // With the sweep on but its list empty, the synthesizer keeps its own range (now 300-400).
    bits.MultiAdf().ClearRanges();
    ASSERT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.Adf().GetStartFreq(), 300.0);
    EXPECT_EQ(bits.GetControlBlock()[14] & 0xFFFF, 331u);
}

TEST(ControlBlock, NothingIsBuiltWithoutABandwidthEntry)
{
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetTuneFreqAndBandwidth(45e6, 3);
    ASSERT_EQ(bits.LoadFir(), 0);
    const Words built = bits.GetControlBlock();
    const uint8_t strob = bits.Sky().GetStrob();

    bits.SetTuneFreqAndBandwidth(45e6, -1);
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetControlBlock(), built);
    EXPECT_EQ(bits.Sky().GetStrob(), strob) << "no strobe step without a block";

    bits.SetCurrentChannel(4);
    while (bits.GetDdcBandCount() > 0)
        bits.RemoveDdcBand(0);
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetControlBlock(), built);
}

TEST(ControlBlock, RequestedFirFileIsLoadedOnceAndAFailureSwitchesToBypass)
{
    CTempDir dir;
    const std::string path = dir.File("64.fir");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        for (int index = 63; index >= 0; --index)
            std::fprintf(file, "%d %d\n", index, index == 63 ? 2 : 1);
        std::fclose(file);
    }
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetTuneFreqAndBandwidth(45e6, 3);
    DDC_BAND_ITEM band = bits.GetDdcBand(3);
    band.BypassFir = 0;
    band.DefaultFir = 0;
    band.TapCount = 64;
    band.FirName = std::wstring(path.begin(), path.end());
    ASSERT_TRUE(bits.SetDdcBand(3, band));

    bits.SetAuxFlag(true);
    ASSERT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetFirCoefficientCount(), 447);
    EXPECT_EQ(bits.GetFirCoefficients()[384], CFirFile::kFullScale);
    EXPECT_EQ(bits.GetFirCoefficients()[385], (CFirFile::kFullScale + 1) / 2);
    EXPECT_EQ(bits.GetControlBlock()[12], 0x2000u | 64u);
    EXPECT_EQ(bits.GetControlBlock()[13], 8u) << "decimation 8 on the FIR stage: no bypass bit";

    // One request, one read: the file is not needed for the next blocks.
    std::remove(path.c_str());
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetFirCoefficientCount(), 447);

    bits.SetAuxFlag(true);
    EXPECT_EQ(bits.LoadFir(), 1);
    EXPECT_EQ(bits.GetDdcBand(3).BypassFir, 1);
    EXPECT_EQ(bits.GetFirCoefficientCount(), 0);
    EXPECT_EQ(bits.GetFirCoefficients()[384], 0);
    EXPECT_EQ(bits.GetControlBlock()[13], 0u) << "the failed build leaves the block cleared";
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetControlBlock()[13], 0x02000008u);

    // An entry on the built-in FIR never reads a file.
    band.DefaultFir = 1;
    ASSERT_TRUE(bits.SetDdcBand(3, band));
    bits.SetAuxFlag(true);
    EXPECT_EQ(bits.LoadFir(), 0);
    EXPECT_EQ(bits.GetDdcBand(3).BypassFir, 0);
}

TEST(ControlBlock, BytesAreTheWordsLittleEndian)
{
    CControlBits bits;
    SetUpChannels(bits);
    bits.SetTuneFreqAndBandwidth(45e6, 3);
    ASSERT_EQ(bits.LoadFir(), 0);
    const auto bytes = bits.GetControlBlockBytes();
    // Word 2 is 0xBCDA3AC1, word 5 0x0800D29B.
    EXPECT_EQ(bytes[8], 0xC1);
    EXPECT_EQ(bytes[9], 0x3A);
    EXPECT_EQ(bytes[10], 0xDA);
    EXPECT_EQ(bytes[11], 0xBC);
    EXPECT_EQ(bytes[20], 0x9B);
    EXPECT_EQ(bytes[23], 0x08);
}
