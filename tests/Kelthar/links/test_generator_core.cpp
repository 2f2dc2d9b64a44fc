#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fakeiiod.h"
#include "frontendlink.h"
#include "generatortestblock.h"
#include "inprocessiiobackend.h"
#include "kelthar_core.h"
#include "messagecapture.h"
#include "recordingfrontend.h"
#include "sdrlink.h"

// The generator through the core: the in-process transceiver records every write and keeps what is
// pushed; the test's own daemon on loopback carries the same through the real libiio client.

using testing::Contains;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace
{
// The transmit settings as Configure writes them, in order.
std::vector<std::string> TransmitSettings(int gainDb, int64_t rateHz, int64_t loHz, int powerDown)
{
    return {"write ad9361-phy out voltage0 rf_port_select=A",
            "write ad9361-phy out voltage0 rf_bandwidth=8000000",
            "write ad9361-phy out voltage0 hardwaregain=" + std::to_string(gainDb),
            "write ad9361-phy out voltage0 sampling_frequency=" + std::to_string(rateHz),
            "write ad9361-phy out altvoltage1 frequency=" + std::to_string(loHz),
            "write ad9361-phy out altvoltage1 powerdown=" + std::to_string(powerDown)};
}

int Stored(int value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value << 4));
}

// Type 0 on preset 1 at 433.92 MHz, I and Q sent as computed.
GeneratorTestBlock ToneBlock(int level)
{
    return GeneratorTestBlock().Waveform(1, 0).OutputKHz(1, 433920).Set(212, 1).Level(level);
}

class GeneratorCoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Link().ResetForTesting();
        Link().SetBackend(m_backend);
        Link().SetClock([this] { return m_nowMs; });
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
        m_core = MakeCore();
    }
    void TearDown() override
    {
        m_core.reset();
        Link().ResetForTesting();
    }

    static CSdrLink& Link() { return CSdrLink::Instance(); }
    static std::unique_ptr<CKelthar> MakeCore()
    {
        auto core = std::make_unique<CKelthar>();
        core->SetFrontEndCommands(std::make_unique<CRecordingFrontEnd>());
        return core;
    }
    void ConnectAndClear()
    {
        ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
        m_backend->ClearLog();
    }
    std::vector<std::string> TransmitLog() const
    {
        std::vector<std::string> lines;
        for (const std::string& line : m_backend->Log())
        {
            // The receive LO (altvoltage0) is an output channel too; it is left out.
            if (line.find("cf-ad9361-dds-core-lpc") != std::string::npos ||
                line.rfind("write ad9361-phy out voltage0", 0) == 0 ||
                line.rfind("write ad9361-phy out altvoltage1", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }
    std::vector<uint8_t> BlockCopy() const
    {
        return std::vector<uint8_t>(m_core->GeneratorBlock(), m_core->GeneratorBlock() + 224);
    }

    std::shared_ptr<CInProcessIioBackend> m_backend = std::make_shared<CInProcessIioBackend>();
    std::unique_ptr<CKelthar> m_core;
    uint64_t m_nowMs = 5000;
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST_F(GeneratorCoreTest, ConnectStartsTheTransmitterPoweredDownWithItsLoParked)
{
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));

    const std::vector<std::string> expected =
        TransmitSettings(-89, 2500000, 6000000000LL, 1) +
        std::vector<std::string>{
            "enable cf-ad9361-dds-core-lpc out voltage0", "enable cf-ad9361-dds-core-lpc out voltage1",
            "create cf-ad9361-dds-core-lpc 1048576 cyclic", "push cf-ad9361-dds-core-lpc"} +
        TransmitSettings(-89, 200000, 6000000000LL, 1);
    EXPECT_EQ(TransmitLog(), expected);
    const std::vector<int16_t> pushed = m_backend->LastPushed();
    EXPECT_EQ(pushed.size(), 2u * 1048576);
    EXPECT_EQ(std::count(pushed.begin(), pushed.end(), 0), static_cast<long>(pushed.size()));
    ASSERT_NE(m_core->PlainFft(), nullptr);
    EXPECT_EQ(m_core->PlainFft()->Size(), 64);

    // A second core shares the link and leaves the transmitter alone.
    m_backend->ClearLog();
    auto second = MakeCore();
    EXPECT_TRUE(second->Connect("Board", 2, 65536));
    EXPECT_THAT(TransmitLog(), IsEmpty());
    EXPECT_EQ(second->PlainFft(), nullptr);
}

TEST_F(GeneratorCoreTest, LevelsSetGainAmplitudeAndLo)
{
    ConnectAndClear();
    struct Case
    {
        int level;
        int gainDb;
        int amplitude;
        int64_t loHz;
        int powerDown;
    };
    const Case cases[] = {
        {7, -83, 2047, 433920000, 0},
        {3, -89, 255, 433920000, 0},
        {0, -89, 0, 6000000000LL, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.level);
        m_backend->ClearLog();
        ASSERT_TRUE(m_core->SendGeneratorParams(ToneBlock(c.level).data()));
        EXPECT_EQ(TransmitLog(), std::vector<std::string>({"destroy cf-ad9361-dds-core-lpc",
                                                           "create cf-ad9361-dds-core-lpc 1048576 cyclic",
                                                           "push cf-ad9361-dds-core-lpc"}) +
                                     TransmitSettings(c.gainDb, 200000, c.loHz, c.powerDown));
        const std::vector<uint8_t> copy = BlockCopy();
        EXPECT_EQ(copy[220] | (copy[221] << 8), c.amplitude);
        EXPECT_EQ(copy[216] | (copy[217] << 8) | (copy[218] << 16), 200000);
        // The tone starts at (0, A) and reaches (A, 0) a quarter period on.
        const std::vector<int16_t> pushed = m_backend->LastPushed();
        ASSERT_EQ(pushed.size(), 2u * 1048576);
        EXPECT_THAT(std::vector<int16_t>(pushed.begin(), pushed.begin() + 2),
                    ElementsAre(0, Stored(c.amplitude)));
        EXPECT_EQ(pushed[2 * 262144], Stored(c.amplitude));
    }
}

TEST_F(GeneratorCoreTest, OffLowersTheGainUntilTheNextSendAppliesTheLevelAgain)
{
    ConnectAndClear();
    ASSERT_TRUE(m_core->SendGeneratorParams(ToneBlock(9).data()));
    EXPECT_EQ(m_core->TransmitConfig().hardwareGainDb, -71);
    m_backend->ClearLog();

    EXPECT_TRUE(m_core->SetGeneratorOn(false));
    EXPECT_EQ(m_core->TransmitConfig().hardwareGainDb, -89);
    EXPECT_THAT(m_backend->Log(), IsEmpty());
    EXPECT_TRUE(m_core->SetGeneratorOn(true));
    EXPECT_EQ(m_core->TransmitConfig().hardwareGainDb, -71);

    EXPECT_TRUE(m_core->SetGeneratorOn(false));
    ASSERT_TRUE(m_core->SendGeneratorParams(nullptr));
    EXPECT_THAT(TransmitLog(), Contains("write ad9361-phy out voltage0 hardwaregain=-71"));
}

TEST_F(GeneratorCoreTest, RateComesFromTheTypeOrTheFixedRateFlag)
{
    ConnectAndClear();
    // Type 17 at sub-setting 2 transmits at 4 MHz and writes that into the block copy.
    ASSERT_TRUE(m_core->SendGeneratorParams(
        GeneratorTestBlock().Waveform(0, 17, 2).OutputKHz(0, 100000).Level(5).RateHz(123).data()));
    EXPECT_THAT(TransmitLog(), Contains("write ad9361-phy out voltage0 sampling_frequency=4000000"));
    GeneratorTestBlock copy;
    std::memcpy(copy.bytes.data(), m_core->GeneratorBlock(), 224);
    EXPECT_EQ(copy.RateHzField(), 4000000u);

    // Type 7 keeps the block's rate; the fixed-rate flag overrides it.
    m_backend->ClearLog();
    ASSERT_TRUE(
        m_core->SendGeneratorParams(GeneratorTestBlock().Waveform(0, 7).Level(5).RateHz(2500000).data()));
    EXPECT_THAT(TransmitLog(), Contains("write ad9361-phy out voltage0 sampling_frequency=2500000"));
    m_backend->ClearLog();
    ASSERT_TRUE(m_core->SendGeneratorParams(
        GeneratorTestBlock().Waveform(0, 7).Level(5).RateHz(2500000).Set(214, 1).data()));
    EXPECT_THAT(TransmitLog(), Contains("write ad9361-phy out voltage0 sampling_frequency=60000000"));
}

TEST_F(GeneratorCoreTest, InvalidBlocksAreRefusedWithNothingSentAndTheCopyKept)
{
    ConnectAndClear();
    ASSERT_TRUE(m_core->SendGeneratorParams(ToneBlock(7).data()));
    m_backend->ClearLog();
    const std::vector<uint8_t> before = BlockCopy();
    const GeneratorTestBlock invalid[] = {
        ToneBlock(7).Set(199, 7),
        ToneBlock(7).Set(201, 20),
        GeneratorTestBlock().Waveform(0, 4, 1).Set(174, 2).Level(7),
        GeneratorTestBlock().Waveform(0, 17, 9).Level(7),
        GeneratorTestBlock().Waveform(0, 3).Set(173, 200).Level(7),
        GeneratorTestBlock().Waveform(0, 6).Set(5, 255).Set(6, 255).Set(9, 255).Set(10, 255).Level(7),
    };
    for (const GeneratorTestBlock& block : invalid)
        EXPECT_FALSE(m_core->SendGeneratorParams(block.data()));
    EXPECT_THAT(m_backend->Log(), IsEmpty());
    EXPECT_EQ(BlockCopy(), before);
}

TEST_F(GeneratorCoreTest, WithoutALinkNothingIsSent)
{
    EXPECT_FALSE(m_core->SendGeneratorParams(ToneBlock(7).data()));
    EXPECT_FALSE(m_core->SetGeneratorOn(true));
    EXPECT_FALSE(m_core->SetGeneratorOn(false));
    EXPECT_THAT(m_backend->Log(), IsEmpty());
    EXPECT_EQ(BlockCopy(), std::vector<uint8_t>(224, 0));
}

TEST_F(GeneratorCoreTest, AFailedTransmitBufferTakesTheLinkDownAndTheReceivePathReconnects)
{
    CMessageCapture capture;
    ConnectAndClear();
    m_backend->SetBufferError(ENOMEM);
    EXPECT_FALSE(m_core->SendGeneratorParams(ToneBlock(7).data()));
    EXPECT_THAT(capture.Texts(), ElementsAre("shutdown: 3", CSdrLink::kDeviceNotFoundText));
    EXPECT_FALSE(Link().IsUsable());
    EXPECT_EQ(m_backend->LiveContexts(), 0);
    EXPECT_EQ(m_backend->LiveBuffers(), 0);

    // The receive path sees no link, and the generator neither.
    std::vector<uint8_t> block;
    int bytes = 0;
    EXPECT_FALSE(m_core->ReadData(block, 0, &bytes));
    EXPECT_FALSE(m_core->SendGeneratorParams(nullptr));

    // The next Connect builds the link again, the transmitter powered down.
    m_backend->SetBufferError(0);
    m_nowMs += CSdrLink::kRetryIntervalMs;
    m_backend->ClearLog();
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    EXPECT_THAT(TransmitLog(), Contains("create cf-ad9361-dds-core-lpc 1048576 cyclic"));
    EXPECT_TRUE(m_core->SendGeneratorParams(nullptr));
    EXPECT_EQ(capture.Texts().size(), 2u);
}

TEST_F(GeneratorCoreTest, MultiCarrierSymbolsComeFromTheCoresFft)
{
    ConnectAndClear();
    ASSERT_FALSE(m_core->PlainFft()->HasResult());
    ASSERT_TRUE(
        m_core->SendGeneratorParams(GeneratorTestBlock().Waveform(0, 19, 5).Set(212, 1).Level(6).data()));
    ASSERT_TRUE(m_core->PlainFft()->HasResult());
    const std::vector<int16_t> pushed = m_backend->LastPushed();
    // Four samples a symbol; symbol 4 is carrier sum 94.177 + 94.177i, scaled by 2047 / 156.25.
    const int expected = static_cast<int>(m_core->PlainFft()->RealResult()[4] * 2047 / 156.25);
    EXPECT_NEAR(expected, 1233, 1);
    EXPECT_EQ(pushed[2 * 16], Stored(expected));
    EXPECT_EQ(pushed[2 * 16 + 1],
              Stored(static_cast<int>(m_core->PlainFft()->ImaginaryResult()[4] * 2047 / 156.25)));
}

namespace
{
class GeneratorDaemonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedUri = std::getenv("KELTHAR_SDR_URI");
        setenv("KELTHAR_SDR_URI", m_daemon.Uri().c_str(), 1);
        CSdrLink::Instance().ResetForTesting();
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
        m_core = std::make_unique<CKelthar>();
        m_core->SetFrontEndCommands(std::make_unique<CRecordingFrontEnd>());
    }
    void TearDown() override
    {
        m_core.reset();
        CSdrLink::Instance().ResetForTesting();
        setenv("KELTHAR_SDR_URI", m_savedUri.c_str(), 1);
    }

    CFakeIiod m_daemon;
    std::string m_savedUri;
    std::unique_ptr<CKelthar> m_core;
};
}  // namespace

TEST_F(GeneratorDaemonTest, LevelsReachTheTransceiverWithTheirTone)
{
    ASSERT_TRUE(m_core->Connect("Board", 2, 65536));
    struct Case
    {
        int level;
        const char* gainDb;
        const char* loHz;
        const char* powerDown;
        int amplitude;
    };
    const Case cases[] = {
        {7, "-83", "433920000", "0", 2047},
        {3, "-89", "433920000", "0", 255},
        {0, "-89", "6000000000", "1", 0},
    };
    using Writes = std::vector<std::pair<std::string, std::string>>;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.level);
        m_daemon.ClearRecord();
        ASSERT_TRUE(m_core->SendGeneratorParams(ToneBlock(c.level).data()));

        EXPECT_EQ(m_daemon.WritesOf("ad9361-phy", "hardwaregain"), (Writes{{"voltage0", c.gainDb}}));
        EXPECT_EQ(m_daemon.WritesOf("ad9361-phy", "frequency"), (Writes{{"altvoltage1", c.loHz}}));
        EXPECT_EQ(m_daemon.WritesOf("ad9361-phy", "powerdown"), (Writes{{"altvoltage1", c.powerDown}}));
        const std::vector<CFakeIiod::Open> opens = m_daemon.Opens();
        ASSERT_EQ(opens.size(), 1u);
        EXPECT_EQ(opens[0].device, "cf-ad9361-dds-core-lpc");
        EXPECT_EQ(opens[0].samples, 1048576u);
        EXPECT_TRUE(opens[0].cyclic);
        // The tone starts at (0, A) and reaches (A, 0) a quarter period on.
        const std::vector<int16_t> written = m_daemon.LastWritten();
        ASSERT_EQ(written.size(), 2u * 1048576);
        EXPECT_THAT(std::vector<int16_t>(written.begin(), written.begin() + 2),
                    ElementsAre(0, Stored(c.amplitude)));
        EXPECT_THAT(std::vector<int16_t>(written.begin() + 2 * 262144, written.begin() + 2 * 262144 + 2),
                    ElementsAre(Stored(c.amplitude), 0));
    }
}
