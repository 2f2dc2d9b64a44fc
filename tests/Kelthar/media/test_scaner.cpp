#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controlbits.h"
#include "ddcfft.h"
#include "rangefft.h"
#include "scaner.h"

// The scanning receivers' model slots, the range calculator they drive, and the requests they leave
// in the control bits for the hardware.

namespace
{
bool SameModel(const SCANER_MODEL& a, const SCANER_MODEL& b)
{
    return a.Name == b.Name && a.Speed == b.Speed && a.TimePLL == b.TimePLL && a.FreqMin == b.FreqMin &&
           a.FreqMax == b.FreqMax && a.FreqBW == b.FreqBW && a.FreqIF == b.FreqIF && a.Ampl == b.Ampl &&
           a.FreqStep == b.FreqStep;
}

SCANER_MODEL Marker()
{
    return SCANER_MODEL{L"marker", 3, 7, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5};
}
}  // namespace

TEST(Scaner, SlotsStartEmptyAndResetToTheFactoryModels)
{
    CControlBits bits;
    CScaner scaner(&bits);
    for (int index = 0; index < IScaner::kModelCount; ++index)
    {
        SCANER_MODEL model = Marker();
        ASSERT_TRUE(scaner.GetModel(index, &model));
        EXPECT_TRUE(SameModel(model, SCANER_MODEL())) << "slot " << index << " starts empty";
    }

    scaner.ResetModels();
    const SCANER_MODEL expected[] = {
        {L"IC-R8500", 2, 64, 0.1, 2000.0, 10.0, 10.7, 19.5, 5.0},
        {L"AR-5000", 1, 64, 0.005, 2600.0, 10.0, 10.7, 19.5, 5.0},
        {L"AR-8600", 2, 64, 0.1, 3000.0, 10.0, 10.7, 20.0, 5.0},
        {L"AR-3000A", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
    };
    for (int index = 0; index < 4; ++index)
    {
        SCANER_MODEL model;
        ASSERT_TRUE(scaner.GetModel(index, &model));
        EXPECT_TRUE(SameModel(model, expected[index])) << "slot " << index;
    }
    // The custom slots are the last named model under their own names.
    for (int index = 4; index < IScaner::kModelCount; ++index)
    {
        SCANER_MODEL model;
        ASSERT_TRUE(scaner.GetModel(index, &model));
        EXPECT_EQ(model.Name, L"Custom" + std::to_wstring(index - 3));
        model.Name = expected[3].Name;
        EXPECT_TRUE(SameModel(model, expected[3])) << "slot " << index;
    }
}

TEST(Scaner, IndexesOutsideTheEightSlotsChangeNothing)
{
    CControlBits bits;
    CScaner scaner(&bits);
    scaner.ResetModels();
    const SCANER_MODEL marker = Marker();
    for (int index : {-1, 8, 9, -2147483647 - 1, 2147483647})
    {
        SCANER_MODEL out = marker;
        EXPECT_FALSE(scaner.GetModel(index, &out)) << index;
        EXPECT_TRUE(SameModel(out, marker)) << "the out record stays as it was, " << index;
        EXPECT_FALSE(scaner.SetModel(index, &marker)) << index;
    }
    EXPECT_FALSE(scaner.SetModel(0, nullptr));
    EXPECT_FALSE(scaner.GetModel(0, nullptr));
    for (int index = 0; index < IScaner::kModelCount; ++index)
    {
        SCANER_MODEL model;
        ASSERT_TRUE(scaner.GetModel(index, &model));
        EXPECT_NE(model.Name, marker.Name) << "slot " << index << " untouched";
    }

    // Within bounds a record is copied in and out whole.
    ASSERT_TRUE(scaner.SetModel(7, &marker));
    SCANER_MODEL back;
    ASSERT_TRUE(scaner.GetModel(7, &back));
    EXPECT_TRUE(SameModel(back, marker));
    ASSERT_TRUE(scaner.GetModel(6, &back));
    EXPECT_EQ(back.Name, L"Custom3");
}

TEST(Scaner, ReceiverModeNeedsAnAttachedRangeCalculator)
{
    CControlBits bits;
    CScaner scaner(&bits);
    scaner.ResetModels();
    SCANER_MODEL model = Marker();
    ASSERT_TRUE(scaner.SetModel(5, &model));

    // Nothing attached: nothing to switch.
    scaner.StartFixed(5);
    EXPECT_FALSE(scaner.GetReceiverMode().on);

    // Only a range calculator is kept.
    CDdcFft ddc(&bits);
    scaner.Attach(&ddc);
    EXPECT_EQ(scaner.GetAttached(), nullptr);
    scaner.StartFixed(5);
    EXPECT_FALSE(scaner.GetReceiverMode().on);

    CRangeFft range(&bits);
    scaner.Attach(&range);
    EXPECT_EQ(scaner.GetAttached(), &range);
    scaner.StartFixed(5);
    EXPECT_TRUE(scaner.GetReceiverMode().on);
    EXPECT_EQ(scaner.GetReceiverMode().freqIfMHz, 4.5);
    EXPECT_EQ(scaner.GetReceiverMode().bandwidthMHz, 3.5);

    // A corrupt stored index leaves the mode as it was.
    scaner.StartFixed(8);
    scaner.StartFixed(-1);
    EXPECT_EQ(scaner.GetReceiverMode().freqIfMHz, 4.5);
    scaner.StartFixed(0);
    EXPECT_EQ(scaner.GetReceiverMode().freqIfMHz, 10.7);
    EXPECT_EQ(scaner.GetReceiverMode().bandwidthMHz, 10.0);

    scaner.StopControl();
    EXPECT_FALSE(scaner.GetReceiverMode().on);
    // Attaching something else lets the range calculator go and ends its mode.
    scaner.StartFixed(0);
    scaner.Attach(nullptr);
    EXPECT_EQ(scaner.GetAttached(), nullptr);
    EXPECT_FALSE(scaner.GetReceiverMode().on);
}

TEST(Scaner, TuningAndSwitchingGoThroughTheControlBits)
{
    CControlBits bits;
    CScaner scaner(&bits);
    scaner.SetFrequency(433.92);
    EXPECT_EQ(bits.GetUserByte(), 1);
    EXPECT_EQ(bits.GetUserDouble(), 433.92);
    scaner.Disable();
    EXPECT_EQ(bits.GetUserInt2(), 1);
    scaner.Enable();
    EXPECT_EQ(bits.GetUserInt2(), 2);
    EXPECT_EQ(bits.GetUserDouble(), 433.92) << "switching leaves the frequency alone";
}
