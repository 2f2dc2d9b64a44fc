// What the view base asks of the device: the sound-recording rate check, the probe screen and the
// harmonic retuning.

#include <gtest/gtest.h>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "scriptedprompt.h"
#include "testdevice.h"
#include "testview.h"

namespace
{
class ViewBaseDeviceTest : public ::testing::Test
{
protected:
    // Types 2 and 3 put the current band's rate just on and just above the sound-recording limit.
    static void SetUpTestSuite()
    {
        PrepareTestDevice({61e6});
        const double decimation = 61e6 / g_DeviceThread.m_pControlBits->GetSampleRate(-1);
        PrepareTestDevice({61e6, 61e6, 384000.4 * decimation, 384001.0 * decimation});
    }

    void SetUp() override { m_type = g_DeviceThread.GetChannelType(); }
    void TearDown() override { g_DeviceThread.SetChannelType(m_type); }

    int m_type = 0;
};

TEST_F(ViewBaseDeviceTest, SoundRecordingIsRefusedAboveTheLimitWithAWarning)
{
    CTestView view;

    ASSERT_TRUE(g_DeviceThread.SetChannelType(2));
    ASSERT_NEAR(g_DeviceThread.m_pControlBits->GetSampleRate(-1), 384000.4, 1e-3);
    {
        CScriptedPrompt prompt;
        EXPECT_TRUE(view.CanRecordSound());
        EXPECT_TRUE(prompt.Asked().empty());
    }

    ASSERT_TRUE(g_DeviceThread.SetChannelType(3));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("below 192 kHz only!"));
    EXPECT_FALSE(view.CanRecordSound());
    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Warning);
}

TEST_F(ViewBaseDeviceTest, NoProbeScreenWithoutAConnection)
{
    CTestView view;
    for (int type : {0, 1, 2, 3})
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(type));
        ASSERT_FALSE(g_DeviceThread.m_pKelthar->IsConnected());
        EXPECT_FALSE(view.IsNoScreen()) << "type " << type;
    }
}

TEST_F(ViewBaseDeviceTest, HarmonicsMultiplyTheTuneFrequency)
{
    // Type 1 keeps the tune frequency in the control bits themselves.
    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const double old = bits->GetTuneFreq();
    bits->SetTuneFreq(100e6);
    ASSERT_EQ(bits->GetTuneFreq(), 100e6);

    CTestView view;
    view.Goto2Harmonic();
    EXPECT_EQ(bits->GetTuneFreq(), 200e6);
    view.Goto3Harmonic();
    EXPECT_EQ(bits->GetTuneFreq(), 600e6);
    bits->SetTuneFreq(old);
}
}  // namespace
