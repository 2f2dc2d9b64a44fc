#include <gtest/gtest.h>

#include <functional>

#include "acousticcontrol.h"
#include "dlacontrol.h"
#include "skycontrol.h"

// ---- Radio front end ----

TEST(SkyControl, GainModelOfAmplitudeAndGainCodes)
{
    struct Case
    {
        uint8_t ampl, gain;
        int db, scale;
    };
    const Case cases[] = {
        {0, 0, -3, 6},
        {1, 0, 0, 8},
        {15, 0, 42, 1000},
        {16, 0, 45, 1100},
        {25, 0, 71, 2000},
        {25, 1, 81, 6000},
        {0, 1, 7, 18},
        {9, 1, 34, 378},
        // Codes from stored settings beyond the tables read the last rows.
        {26, 0, 71, 2000},
        {255, 7, 81, 6000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "ampl " << int(c.ampl) << " gain " << int(c.gain));
        CSkyControl sky;
        sky.SetAmpl(c.ampl);
        sky.SetGain(c.gain);
        EXPECT_EQ(sky.GetGainDb(), c.db);
        EXPECT_EQ(sky.GetGainScale(), c.scale);
    }
}

TEST(SkyControl, GainIndexPicksTheAmplitudeCode)
{
    const uint8_t wantAmpl[] = {0, 2, 5, 8, 11, 13, 16, 18, 21, 25};
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        CSkyControl sky;
        sky.SetGain(1);
        sky.SetGainIndex(i);
        EXPECT_EQ(sky.GetAmpl(), wantAmpl[i]);
        EXPECT_EQ(sky.GetGain(), 0);
        EXPECT_EQ(sky.GetGainIndex(), i);
    }

    // Automatic gain climbs past the table; it stays on the top row.
    CSkyControl sky;
    sky.SetGainIndex(25);
    EXPECT_EQ(sky.GetGainIndex(), 9);
    EXPECT_EQ(sky.GetAmpl(), 25);
    EXPECT_EQ(sky.GetGainDb(), 71);

    sky.SetGainIndex(4);
    sky.SetGainIndex(-1);
    EXPECT_EQ(sky.GetGainIndex(), 4);
    EXPECT_EQ(sky.GetAmpl(), 11);
}

TEST(SkyControl, WhichSettersAskForAResend)
{
    enum Rule
    {
        kAlways,
        kOnlyWhenIdle,
        kNever
    };
    struct Case
    {
        const char* setter;
        std::function<void(CSkyControl&)> apply;
        Rule rule;
    };
    const int levels[3] = {1, 2, 3};
    const Case cases[] = {
        {"SetAmpl", [](CSkyControl& s) { s.SetAmpl(3); }, kAlways},
        {"SetGain", [](CSkyControl& s) { s.SetGain(1); }, kAlways},
        {"SetFreq", [](CSkyControl& s) { s.SetFreq(5); }, kAlways},
        {"SetStep", [](CSkyControl& s) { s.SetStep(7); }, kAlways},
        {"SetStepStrob", [](CSkyControl& s) { s.SetStepStrob(2); }, kAlways},
        {"SetAttenuator", [](CSkyControl& s) { s.SetAttenuator(10); }, kOnlyWhenIdle},
        {"SetAttSwitch", [](CSkyControl& s) { s.SetAttSwitch(1); }, kOnlyWhenIdle},
        {"SetAmplSwitch", [](CSkyControl& s) { s.SetAmplSwitch(1); }, kOnlyWhenIdle},
        {"SetCommutator", [](CSkyControl& s) { s.SetCommutator(3); }, kOnlyWhenIdle},
        {"SetGainIndex", [](CSkyControl& s) { s.SetGainIndex(3); }, kOnlyWhenIdle},
        {"StepAttenuatorUp", [](CSkyControl& s) { s.StepAttenuatorUp(); }, kOnlyWhenIdle},
        {"StepAttenuatorDown", [](CSkyControl& s) { s.StepAttenuatorDown(); }, kOnlyWhenIdle},
        {"SetAuxByte", [](CSkyControl& s) { s.SetAuxByte(1); }, kNever},
        {"SetValue28", [](CSkyControl& s) { s.SetValue28(1); }, kNever},
        {"SetFilter", [](CSkyControl& s) { s.SetFilter(4); }, kNever},
        {"SetLMX", [](CSkyControl& s) { s.SetLMX(70); }, kNever},
        {"SetUri", [](CSkyControl& s) { s.SetUri("ip:127.0.0.1"); }, kNever},
        {"SetCommutatorLevel", [&levels](CSkyControl& s) { s.SetCommutatorLevel(levels); }, kNever},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.setter);
        for (uint8_t before : {uint8_t{0}, uint8_t{3}})
        {
            CSkyControl sky;
            sky.SetStrob(before);
            c.apply(sky);
            const uint8_t want =
                c.rule == kAlways || (c.rule == kOnlyWhenIdle && before == 0) ? 0xFF : before;
            EXPECT_EQ(sky.GetStrob(), want) << "strob before " << int(before);
        }
    }
}

TEST(SkyControl, AttenuatorStepsAtMostOnceInFiveCalls)
{
    CSkyControl sky;
    sky.SetStrob(0);
    const uint8_t wantUp[] = {5, 5, 5, 5, 5, 10, 10, 10, 10};
    for (uint8_t want : wantUp)
    {
        EXPECT_TRUE(sky.StepAttenuatorUp());
        EXPECT_EQ(sky.GetAttenuator(), want);
    }
    EXPECT_EQ(sky.GetStrob(), 0xFF);

    sky.SetAttenuator(29);
    while (sky.GetAttStepHold() > 0)
        sky.StepAttenuatorUp();
    EXPECT_TRUE(sky.StepAttenuatorUp());
    EXPECT_EQ(sky.GetAttenuator(), 31) << "held at the top";
    EXPECT_FALSE(sky.StepAttenuatorUp()) << "at the top there is nothing to hold off";
    EXPECT_EQ(sky.GetAttStepHold(), 4);

    CSkyControl down;
    down.SetAttenuator(12);
    const uint8_t wantDown[] = {7, 7, 7, 7, 7, 2, 2, 2, 2, 2, 0};
    for (uint8_t want : wantDown)
    {
        down.StepAttenuatorDown();
        EXPECT_EQ(down.GetAttenuator(), want);
    }
}

TEST(SkyControl, StrobeCountersCountDownPerBlock)
{
    CSkyControl sky;
    sky.CountDownStrob();
    EXPECT_EQ(sky.GetStrob(), 0xFF) << "a resend request waits for the block that sends it";
    sky.SetStrob(2);
    sky.CountDownStrob();
    EXPECT_EQ(sky.GetStrob(), 1);
    sky.CountDownStrob();
    sky.CountDownStrob();
    EXPECT_EQ(sky.GetStrob(), 0);

    sky.SetStepStrob(2);
    sky.SetStrob(0);
    sky.CountDownStepStrob();
    sky.CountDownStepStrob();
    sky.CountDownStepStrob();
    EXPECT_EQ(sky.GetStepStrob(), 0);
    EXPECT_EQ(sky.GetStrob(), 0) << "counting the step strobe down sends nothing again";
}

TEST(SkyControl, ResetDefaultsRestoresTheLinkSettingsOnly)
{
    CSkyControl sky;
    const int levels[3] = {4, 8, 12};
    sky.SetCommutatorLevel(levels);
    sky.SetAmpl(20);
    sky.SetGain(1);
    sky.SetFreq(3);
    sky.SetStep(9);
    sky.SetStepStrob(0);
    sky.SetGainIndex(7);
    sky.SetGain(1);
    sky.SetCommutator(4);
    sky.SetAttenuator(15);
    sky.SetFilter(6);
    sky.SetUri("ip:127.0.0.1");
    sky.SetStrob(0);
    EXPECT_EQ(sky.GetCommutatorLevel()[2], 12);

    sky.ResetDefaults();
    EXPECT_EQ(sky.GetStrob(), 0xFF);
    EXPECT_EQ(sky.GetAmpl(), 1);
    EXPECT_EQ(sky.GetFreq(), 27);
    EXPECT_EQ(sky.GetStep(), 60);
    EXPECT_EQ(sky.GetStepStrob(), 1);
    EXPECT_EQ(sky.GetGainIndex(), 2);
    EXPECT_EQ(sky.GetCommutator(), 1);
    EXPECT_EQ(sky.GetCommutatorLevel()[0], 0);
    EXPECT_EQ(sky.GetCommutatorLevel()[2], 0);
    EXPECT_EQ(sky.GetUri(), "");
    EXPECT_EQ(sky.GetGain(), 1);
    EXPECT_EQ(sky.GetAttenuator(), 15);
    EXPECT_EQ(sky.GetFilter(), 6);
}

// ---- Wired-line unit ----

TEST(DlaControl, GainsSelectRowsOfBothStagesAndTheAcousticStage)
{
    struct Case
    {
        int gain, row, gainA, gainB, acousticIndex, db, scale;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1, -14, 80},
        {1, 0, 0, 0, 1, -14, 80},
        {2, 2, 0, 1, 1, 0, 400},
        {3, 4, 2, 1, 1, 12, 1600},
        {4, 6, 4, 1, 1, 24, 6400},
        {5, 9, 7, 1, 1, 42, 51200},
        {6, 12, 7, 2, 1, 62, 512000},
        {7, 15, 7, 2, 4, 62, 512000},
        // A gain from stored settings beyond the table takes the top gain.
        {12, 15, 7, 2, 4, 62, 512000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.gain);
        CAcousticControl acoustic;
        CDlaControl dla(&acoustic);
        dla.SetGain(c.gain);
        EXPECT_EQ(dla.GetGain(), std::min(c.gain, 7));
        EXPECT_EQ(dla.GetGainRow(), c.row);
        EXPECT_EQ(dla.GetGainA(), c.gainA);
        EXPECT_EQ(dla.GetGainB(), c.gainB);
        EXPECT_EQ(acoustic.GetGainIndex(), c.acousticIndex);
        EXPECT_EQ(dla.GetGainDb(), c.db);
        EXPECT_EQ(dla.GetGainScale(), c.scale);
    }

    CAcousticControl acoustic;
    CDlaControl dla(&acoustic);
    dla.SetGainRow(13);
    EXPECT_EQ(acoustic.GetGainIndex(), 2);
    dla.SetGain(-1);
    dla.SetGainRow(-1);
    EXPECT_EQ(dla.GetGainRow(), 13);
    dla.SetGainRow(99);
    EXPECT_EQ(dla.GetGainRow(), 15);
    EXPECT_EQ(acoustic.GetGainIndex(), 4);
}

TEST(DlaControl, InputPairsAndPins)
{
    struct Case
    {
        int comm;
        uint8_t pin1, pin2;
        uint8_t wantComm, code0, code1;
        bool comm8;
    };
    const Case cases[] = {
        {0, 1, 3, 0, 0x08, 0x10, false}, {1, 1, 3, 1, 0x04, 0x20, false},
        {2, 1, 3, 2, 0x01, 0x02, false}, {3, 1, 3, 3, 0x40, 0x80, false},
        {4, 2, 7, 4, 0x02, 0x40, false}, {5, 8, 1, 5, 0x80, 0x01, false},
        {4, 0, 9, 4, 0x00, 0x00, false},  // unwired pins send nothing
        {7, 1, 3, 7, 0x00, 0x00, false}, {8, 1, 3, 8, 0x08, 0x10, true},
        {9, 1, 3, 9, 0x08, 0x10, false},  // unknown pair: stored, pins kept
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.comm);
        CDlaControl dla;
        dla.SetPins(c.pin1, c.pin2);
        dla.SetComm(c.comm);
        EXPECT_EQ(dla.GetComm(), c.wantComm);
        EXPECT_EQ(dla.GetPinCode(0), c.code0);
        EXPECT_EQ(dla.GetPinCode(1), c.code1);
        EXPECT_EQ(dla.IsComm8(), c.comm8);
        EXPECT_EQ(dla.LineWordA() & 0xFFFF, (uint32_t(c.code0) << 8) | c.code1);
        EXPECT_EQ((dla.LineWordA() >> 20) & 1, c.comm8 ? 1u : 0u);
    }
}

TEST(DlaControl, SwapTwiceRestoresThePairOrder)
{
    CDlaControl dla;
    dla.SetComm(3);
    EXPECT_EQ(dla.LineWordA() & 0xFFFF, 0x4080u);
    dla.SetComm(6);
    EXPECT_EQ(dla.GetComm(), 3) << "the swap is not a pair of its own";
    EXPECT_EQ(dla.LineWordA() & 0xFFFF, 0x8040u);
    dla.SetComm(6);
    EXPECT_EQ(dla.LineWordA() & 0xFFFF, 0x4080u);
    dla.SetComm(-1);
    EXPECT_EQ(dla.GetComm(), 3);
}

TEST(DlaControl, LineWordsCarryGainsModesAndTheReversedStageBCode)
{
    // Stage B code g = gainB - 1 (9 for gainB 0); the unit reads 2g + 1 with its bits reversed.
    const uint8_t wantCode[10] = {0xC8, 0x80, 0xC0, 0xA0, 0xE0, 0x90, 0xD0, 0xB0, 0xF0, 0x88};
    for (int row : {0, 2, 10})
    {
        CDlaControl dla;
        dla.SetGainRow(row);
        EXPECT_EQ(dla.LineWordB(), wantCode[dla.GetGainB()]) << "row " << row;
    }

    CAcousticControl acoustic;
    CDlaControl dla(&acoustic);
    dla.Reinit(true);
    dla.SetGainRow(9);  // gainA 7, gainB 1
    dla.SetDebugMode(true);
    dla.SetComm(8);
    // pins 0x08/0x10 from the reinitialisation, gainA << 16, debug << 19, comm8 << 20, line mode << 23
    EXPECT_EQ(dla.LineWordA(), 0x009F0810u);
    EXPECT_EQ(dla.LineWordB(), 0x4080u);
}

TEST(DlaControl, ToggleAlternatesSixBlocksAfterEachChangeThenRestsAtOne)
{
    CAcousticControl acoustic;
    CDlaControl dla(&acoustic);
    dla.Reinit(true);

    auto toggles = [&dla](int blocks, uint32_t* lastWord14 = nullptr)
    {
        std::string seen;
        for (int i = 0; i < blocks; ++i)
        {
            uint32_t word14 = 0;
            uint32_t word11 = 0;
            dla.BuildLineWords(&word14, &word11);
            EXPECT_EQ(word11, dla.LineWordB());
            EXPECT_EQ(word14 & ~(3u << 21), dla.LineWordA());
            seen += (word14 >> 22) & 1 ? '1' : '0';
            if (lastWord14)
                *lastWord14 = word14;
        }
        return seen;
    };
    EXPECT_EQ(toggles(8), "10101011") << "the first block after a reinitialisation is a change";
    EXPECT_EQ(dla.GetRepeat(), 0);

    dla.SetGain(5);
    EXPECT_EQ(toggles(8), "01010111") << "alternation starts from the resting 1";

    dla.SetDebugMode(true);  // changes both words
    dla.SetOption(1);
    uint32_t word14 = 0;
    EXPECT_EQ(toggles(3, &word14), "010");
    EXPECT_EQ((word14 >> 21) & 1, 1u) << "option bit";
    EXPECT_EQ(dla.GetRepeat(), 3);

    // A channel change reinitialises the unit: a fresh change even with the same words as before.
    dla.Reinit(false);
    EXPECT_FALSE(dla.IsLineMode());
    EXPECT_EQ(dla.GetGainRow(), 0);
    EXPECT_EQ(dla.GetPin1(), 1);
    EXPECT_EQ(dla.GetPin2(), 3);
    EXPECT_EQ(dla.GetPinCode(0), 0x08);
    EXPECT_EQ(toggles(2), "10");
    dla.SetGain(7);
    EXPECT_EQ(acoustic.GetGainIndex(), 4) << "the acoustic stage stays attached";
}

// ---- Acoustic input ----

TEST(AcousticControl, GainTable)
{
    struct Case
    {
        int index, db, scale;
    };
    const Case cases[] = {{0, 0, 1},
                          {1, 0, 1},
                          {2, 6, 2},
                          {5, 24, 16},
                          {7, 36, 64},
                          // indexes from stored settings beyond the table
                          {-3, 0, 1},
                          {12, 36, 64}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.index);
        CAcousticControl acoustic;
        acoustic.SetGain(c.index);
        EXPECT_EQ(acoustic.GetGain(), c.index);
        EXPECT_EQ(acoustic.GetGainIndex(), c.index);
        EXPECT_EQ(acoustic.GetGainDb(), c.db);
        EXPECT_EQ(acoustic.GetGainScale(), c.scale);
    }

    CAcousticControl acoustic;
    EXPECT_EQ(acoustic.GetGainDb(), 0);
    acoustic.SetGainIndex(6);
    EXPECT_EQ(acoustic.GetGain(), 1) << "the wired-line rows move the index only";
    EXPECT_EQ(acoustic.GetGainDb(), 30);
}
