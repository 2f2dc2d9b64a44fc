#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fakeiiod.h"
#include "frontendlink.h"
#include "inprocessiiobackend.h"
#include "kelthar_core.h"
#include "messagecapture.h"
#include "recordingfrontend.h"
#include "sdrlink.h"

// ReadData against an SDR: the real libiio client talking to the test's own daemon on loopback (the
// configured address is the refused loopback port, and only the override leads to the daemon), and the
// in-process transceiver where the test needs to script many steps. The front-end unit is replaced by
// a recording of the commands the core gives it, with the process-wide status set to operational.

using testing::Each;
using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
int Int16At(const std::vector<uint8_t>& block, size_t at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(block[at] | (block[at + 1] << 8)));
}

int Int24At(const std::vector<uint8_t>& block, size_t at)
{
    const uint32_t bits = block[at] | (block[at + 1] << 8) | (static_cast<uint32_t>(block[at + 2]) << 16);
    return static_cast<int>(bits ^ 0x800000u) - 0x800000;
}

// Sets the core up as the program does for the radio input swept by the synthesizer: bandwidth lists,
// one channel of 61 MHz from 40 to 6030 MHz, the scan range from startMHz.
void SetUpSweptChannel(CKelthar& core, double startMHz)
{
    CControlBits& bits = core.ControlBits();
    bits.Init();
    IChannel* channel = bits.AddChannel(0, L"HF", L"HF", 61e6);
    channel->SetStartFreq(40);
    channel->SetStopFreq(6030);
    bits.SetCurrentChannel(0);
    bits.Adf().SetFreqLimits(40, 6030);
    bits.Adf().SetScanRange(startMHz, startMHz + 122);
}

class DataPathDaemonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedUri = std::getenv("KELTHAR_SDR_URI");
        setenv("KELTHAR_SDR_URI", m_daemon.Uri().c_str(), 1);
        CSdrLink::Instance().ResetForTesting();
        CSdrLink::Instance().SetClock([this] { return m_nowMs; });
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
        m_core = MakeCore();
    }
    void TearDown() override
    {
        // The cores leave while the daemon still answers.
        m_core.reset();
        CSdrLink::Instance().ResetForTesting();
        setenv("KELTHAR_SDR_URI", m_savedUri.c_str(), 1);
    }

    std::unique_ptr<CKelthar> MakeCore()
    {
        auto core = std::make_unique<CKelthar>();
        core->SetFrontEndCommands(std::make_unique<CRecordingFrontEnd>(
            [this](const std::string& line)
            {
                TakeWrites();
                m_timeline.push_back(line);
            }));
        return core;
    }

    // Daemon writes as "<channel> <attr>=<value>", merged in order with the front-end commands.
    void TakeWrites()
    {
        const std::vector<CFakeIiod::Write> writes = m_daemon.Writes();
        for (; m_writesTaken < writes.size(); ++m_writesTaken)
        {
            const CFakeIiod::Write& w = writes[m_writesTaken];
            m_timeline.push_back(w.channel + " " + w.attr + "=" + w.value);
        }
    }
    std::vector<std::string> Timeline()
    {
        TakeWrites();
        return m_timeline;
    }
    void ClearRecord()
    {
        m_daemon.ClearRecord();
        m_writesTaken = 0;
        m_timeline.clear();
    }
    std::vector<size_t> OpenedSizes() const
    {
        std::vector<size_t> sizes;
        for (const auto& open : m_daemon.Opens())
            sizes.push_back(open.samples);
        return sizes;
    }

    CFakeIiod m_daemon;
    std::string m_savedUri;
    uint64_t m_nowMs = 1000;
    size_t m_writesTaken = 0;
    std::vector<std::string> m_timeline;
    std::unique_ptr<CKelthar> m_core;
};

// The receive settings as Configure writes them, in order.
std::vector<std::string> ReceiveSettings(int64_t bandwidthHz, int gainDb, int64_t rateHz, int64_t loHz)
{
    return {"voltage0 rf_port_select=A_BALANCED",
            "voltage0 gain_control_mode=manual",
            "voltage0 rf_bandwidth=" + std::to_string(bandwidthHz),
            "voltage0 hardwaregain=" + std::to_string(gainDb),
            "voltage0 sampling_frequency=" + std::to_string(rateHz),
            "altvoltage0 frequency=" + std::to_string(loHz)};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST_F(DataPathDaemonTest, OneReadSetsTheFrontEndAndTunesEachLoStepThenTheDdc)
{
    SetUpSweptChannel(*m_core, 100);
    CSkyControl& sky = m_core->ControlBits().Sky();
    sky.SetFilter(2);  // 50 MHz analogue bandwidth
    sky.SetAmpl(22);   // 63 dB asked, 62 dB the most the transceiver takes
    sky.SetAttenuator(10);
    std::vector<int16_t> script;
    for (int n = 0; n < 1000; ++n)
    {
        script.push_back(static_cast<int16_t>(n - 500));
        script.push_back(static_cast<int16_t>(3 * n));
    }
    m_daemon.SetRxSamples(script);

    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    EXPECT_EQ(m_core->GetState(), 3);
    ClearRecord();

    std::vector<uint8_t> block;
    int bytes = 0;
    ASSERT_TRUE(m_core->ReadData(block, 0, &bytes));

    // The scan starts at the first capture's centre, 100 + 30.5 MHz rounded, and steps 61 MHz.
    const int64_t ddcLoHz = static_cast<int64_t>(m_core->ControlBits().Adf().GetDdcFreq() * 1e6);
    EXPECT_THAT(Timeline(),
                ElementsAreArray(
                    std::vector<std::string>{"sw(1)"} + ReceiveSettings(50000000, 62, 61000000, 131000000) +
                    std::vector<std::string>{"Set(5,5,0,10,8)", "altvoltage0 frequency=131000000",
                                             "Set(4,5,0,10,8)", "altvoltage0 frequency=192000000"} +
                    ReceiveSettings(30500000, 62, 61000000, ddcLoHz)))
        << "the DDC's analogue bandwidth is half its rate";
    EXPECT_THAT(OpenedSizes(), ElementsAre(16384u, 16384u, 4096u));
    EXPECT_EQ(bytes, 4 * (2 * 16384 + 4096));

    // The sweep holds the samples as served, step after step; the DDC part the next 4096 at decimation 1.
    ASSERT_EQ(block.size(), 131072u + 24576u);
    for (size_t k = 0; k < 32768; k += 1111)
    {
        EXPECT_EQ(Int16At(block, 4 * k), static_cast<int>(k % 1000) - 500) << k;
        EXPECT_EQ(Int16At(block, 4 * k + 2), static_cast<int16_t>(3 * (k % 1000))) << k;
    }
    for (size_t k = 0; k < 4096; k += 333)
        EXPECT_EQ(Int24At(block, 131072 + 6 * k), static_cast<int>((32768 + k) % 1000) - 500) << k;
    EXPECT_EQ(m_core->GetSweepCounter(), 2u);
}

TEST_F(DataPathDaemonTest, LoStepsClimbBy61MHzAndStopAt6GHzWithTheRestOfTheSweepSilent)
{
    const struct
    {
        double startMHz;
        int groupBlocks;
        std::vector<std::string> lo;
        size_t stepSamples;
    } kCases[] = {
        {100, 2, {"131000000", "192000000", "253000000", "314000000"}, 8192},
        // The first capture above 6000 - 61 MHz: its next step would pass 6 GHz.
        {5950, 1, {"5981000000"}, 16384},
        {5800, 3, {"5831000000", "5892000000", "5953000000"}, 4096},
    };
    m_daemon.SetRxSamples({1234, -4321});
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.startMHz);
        m_core = MakeCore();
        SetUpSweptChannel(*m_core, c.startMHz);
        m_core->ControlBits().Adf().SetGroupBlocks(c.groupBlocks);
        m_core->SetFlags(true, CKelthar::kFlagDdcOff);
        ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
        ClearRecord();

        std::vector<uint8_t> block(200000, 0x77);
        ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
        std::vector<std::string> lo;
        for (const auto& write : m_daemon.WritesOf("ad9361-phy", "frequency"))
            lo.push_back(write.second);
        lo.erase(lo.begin());  // the receive settings tune the first capture before the sweep
        EXPECT_EQ(lo, c.lo);
        EXPECT_EQ(OpenedSizes(), std::vector<size_t>(c.lo.size(), c.stepSamples));

        ASSERT_EQ(block.size(), 131072u + 24576u);
        const size_t filled = 4 * c.stepSamples * c.lo.size();
        EXPECT_EQ(Int16At(block, filled - 4), 1234);
        EXPECT_EQ(Int16At(block, filled - 2), -4321);
        EXPECT_THAT(std::vector<uint8_t>(block.begin() + static_cast<long>(filled), block.begin() + 131072),
                    Each(0))
            << "no step, no samples, and nothing of the previous block";
        EXPECT_EQ(m_core->ReceiveConfig().loHz, 0) << "DDC off";
    }
}

TEST_F(DataPathDaemonTest, DdcAveragesEachRunOfTheDecimation)
{
    SetUpSweptChannel(*m_core, 100);
    CControlBits& bits = m_core->ControlBits();
    bits.SetBandwidthIndex(6);  // "950 KHz": decimation 65
    ASSERT_EQ(bits.GetBandwidthIndex(), 6);
    m_core->SetFlags(true, CKelthar::kFlagSweepOff);
    // Run one: I 0..64 and Q -2I (averages 32 and -64); run two: 12-bit full scale.
    std::vector<int16_t> script;
    for (int n = 0; n < 65; ++n)
    {
        script.push_back(static_cast<int16_t>(n));
        script.push_back(static_cast<int16_t>(-2 * n));
    }
    for (int n = 0; n < 65; ++n)
    {
        script.push_back(2047);
        script.push_back(-2048);
    }
    m_daemon.SetRxSamples(script);
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    ClearRecord();

    std::vector<uint8_t> block;
    int bytes = 0;
    ASSERT_TRUE(m_core->ReadData(block, 0, &bytes));
    EXPECT_THAT(OpenedSizes(), ElementsAre(4096u * 65u)) << "the sweep is off";
    EXPECT_EQ(bytes, 4 * 4096 * 65);
    for (size_t k = 0; k < 4096; ++k)
    {
        const bool first = k % 2 == 0;
        ASSERT_EQ(Int24At(block, 131072 + 6 * k), first ? 32 : 2047) << k;
        ASSERT_EQ(Int24At(block, 131072 + 6 * k + 3), first ? -64 : -2048) << k;
    }

    // The same size next time: the buffer stays.
    ASSERT_TRUE(m_core->ReadData(block, 0, &bytes));
    EXPECT_EQ(m_daemon.Opens().size(), 1u);
    EXPECT_EQ(m_core->GetDdcBufferRecreations(), 1u);
}

TEST_F(DataPathDaemonTest, AFailedReadOrAFailedFrontEndReturnsFalse)
{
    SetUpSweptChannel(*m_core, 100);
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    std::vector<uint8_t> block;
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));

    m_daemon.SetReadError(EIO);
    EXPECT_FALSE(m_core->ReadData(block, 0, nullptr)) << "no samples are not old samples";
    m_daemon.SetReadError(0);
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));

    ClearRecord();
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    EXPECT_FALSE(m_core->ReadData(block, 0, nullptr));
    EXPECT_TRUE(m_daemon.Commands().empty()) << "the SDR is not touched";
}

TEST_F(DataPathDaemonTest, ASecondCoreComesAndGoesWhileTheFirstKeepsStreaming)
{
    SetUpSweptChannel(*m_core, 100);
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    std::vector<uint8_t> block;
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));

    {
        std::unique_ptr<CKelthar> viewer = MakeCore();
        EXPECT_EQ(CSdrLink::Instance().CoreCount(), 2);
    }
    EXPECT_EQ(CSdrLink::Instance().CoreCount(), 1);
    ASSERT_TRUE(CSdrLink::Instance().IsUsable());

    ClearRecord();
    m_daemon.SetRxSamples({77, -77});
    int bytes = 0;
    ASSERT_TRUE(m_core->ReadData(block, 0, &bytes));
    EXPECT_EQ(bytes, 4 * (2 * 16384 + 4096));
    EXPECT_EQ(Int16At(block, 0), 77);
    EXPECT_EQ(Int24At(block, 131072 + 3), -77);
    EXPECT_EQ(OpenedSizes().size(), 3u);
}

namespace
{
// The in-process transceiver, for sweeps whose many steps the daemon would only slow down.
class DataPathInProcessTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CSdrLink::Instance().ResetForTesting();
        CSdrLink::Instance().SetBackend(m_backend);
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
        m_core = std::make_unique<CKelthar>();
        auto frontEnd = std::make_unique<CRecordingFrontEnd>();
        m_frontEnd = frontEnd.get();
        m_core->SetFrontEndCommands(std::move(frontEnd));
        SetUpSweptChannel(*m_core, 100);
    }
    void TearDown() override
    {
        m_core.reset();
        CSdrLink::Instance().ResetForTesting();
    }

    std::vector<std::string> LoWrites() const
    {
        std::vector<std::string> lo;
        for (const auto& w : m_backend->Writes())
        {
            if (w.attr == "frequency")
                lo.push_back(w.value);
        }
        return lo;
    }

    std::shared_ptr<CInProcessIioBackend> m_backend = std::make_shared<CInProcessIioBackend>();
    std::unique_ptr<CKelthar> m_core;
    CRecordingFrontEnd* m_frontEnd = nullptr;
};
}  // namespace

TEST_F(DataPathInProcessTest, KnownRangesSweepEachRangeFromItsFirstCentreWithItsSwitch)
{
    CControlBits& bits = m_core->ControlBits();
    bits.AddKnownRange("A", 100, 200, 2);    // two captures, centres 130.5 and 191.5 MHz, input 2
    bits.AddKnownRange("B", 3000, 3050, 0);  // one capture, the input left as it is
    bits.Sky().SetAmplSwitch(1);
    m_core->SetFlags(true, CKelthar::kFlagDdcOff);
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    m_backend->ClearLog();
    m_frontEnd->Clear();

    std::vector<uint8_t> block;
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    // Three captures share the sweep as four steps of 8192 samples; the last quarter stays silent.
    EXPECT_THAT(m_frontEnd->Commands(),
                ElementsAre("sw(-1)", "Set(5,4,1,0,9)", "Set(4,4,1,0,9)", "Set(0,4,-1,0,9)"));
    EXPECT_THAT(LoWrites(), ElementsAre("131000000", "130500000", "191500000", "3030500000"));
    // One receive buffer per capture (the transmit buffer of Connect was made before the log was cleared).
    const auto log = m_backend->Log();
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(),
                      [](const std::string& line) { return line.rfind("create cf-ad9361-lpc ", 0) == 0; }),
        3);
    EXPECT_EQ(m_core->GetRangeBufferRecreations(), 3u);
}

TEST_F(DataPathInProcessTest, TheMicrowaveSynthesizerStepsThroughItsBandAndDropsUnknownSelections)
{
    CControlBits& bits = m_core->ControlBits();
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    std::vector<uint8_t> block;

    // The operator's one-off selection is loaded once, and only when the synthesizer has it.
    bits.Sky().SetLMX(85);
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    bits.Sky().SetLMX(87);
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    EXPECT_EQ(bits.Sky().GetLMX(), 0);

    // A sweep over four positions of the 11 GHz band (count 2), then of the 7 GHz band (count 1).
    bits.SetLMX2595_Struct(2, 4);
    for (int n = 0; n < 5; ++n)
        ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    bits.SetLMX2595_Struct(1, 30);
    for (int n = 0; n < 27; ++n)
        ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));

    std::vector<std::string> loads;
    for (const auto& command : m_frontEnd->Commands())
    {
        if (command.rfind("LMX", 0) == 0)
            loads.push_back(command);
    }
    std::vector<std::string> expected = {"LMX(85)",  "LMX(115)", "LMX(120)",
                                         "LMX(125)", "LMX(110)", "LMX(115)"};
    for (int n = 1; n <= 27; ++n)
        expected.push_back("LMX(" + std::to_string(std::min(70 + 5 * n, 200)) + ")");
    EXPECT_EQ(loads, expected);
}
