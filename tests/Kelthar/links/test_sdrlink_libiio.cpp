#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "fakeiiod.h"
#include "frontendlink.h"
#include "kelthar_core.h"
#include "messagecapture.h"
#include "sdrlink.h"

using testing::ElementsAre;
using testing::IsEmpty;
using testing::Pair;

namespace
{
// The real libiio client against the test's own daemon on loopback. The configured URI is the refused
// loopback port: only the override can lead the link to the daemon, and nothing can lead it off this
// machine.
class SdrLinkDaemonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedUri = std::getenv("KELTHAR_SDR_URI");
        setenv("KELTHAR_SDR_URI", m_daemon.Uri().c_str(), 1);
        Link().ResetForTesting();
        Link().SetClock([this] { return m_nowMs; });
    }
    void TearDown() override
    {
        // Released while the daemon still answers.
        Link().ResetForTesting();
        setenv("KELTHAR_SDR_URI", m_savedUri.c_str(), 1);
    }

    static CSdrLink& Link() { return CSdrLink::Instance(); }
    int Start() { return Link().Start("ip:127.0.0.1:1", m_rx, m_tx); }

    CFakeIiod m_daemon;
    CMessageCapture m_capture;
    std::string m_savedUri;
    SDR_STREAM_CONFIG m_rx;
    SDR_STREAM_CONFIG m_tx;
    uint64_t m_nowMs = 0;
};

using W = CFakeIiod::Write;
}  // namespace

TEST_F(SdrLinkDaemonTest, StartWritesTheReceiveSettingsToThePhyInOrder)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    EXPECT_THAT(m_daemon.Writes(),
                ElementsAre(W{"ad9361-phy", "INPUT", "voltage0", "rf_port_select", "A_BALANCED"},
                            W{"ad9361-phy", "INPUT", "voltage0", "gain_control_mode", "manual"},
                            W{"ad9361-phy", "INPUT", "voltage0", "rf_bandwidth", "61000000"},
                            W{"ad9361-phy", "INPUT", "voltage0", "hardwaregain", "45"},
                            W{"ad9361-phy", "INPUT", "voltage0", "sampling_frequency", "61000000"},
                            W{"ad9361-phy", "OUTPUT", "altvoltage0", "frequency", "100000000"}));
    EXPECT_THAT(m_capture.Messages(), IsEmpty());

    const int connections = m_daemon.Connections();
    EXPECT_EQ(Start(), CSdrLink::kAlreadyStarted);
    EXPECT_EQ(m_daemon.Connections(), connections) << "a second start opens nothing";
}

TEST_F(SdrLinkDaemonTest, TransmitConfigurationWritesPowerdownAndNoGainMode)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_daemon.ClearRecord();
    ASSERT_TRUE(Link().StartTransmitter(m_tx));
    EXPECT_THAT(m_daemon.Writes(),
                ElementsAre(W{"ad9361-phy", "OUTPUT", "voltage0", "rf_port_select", "A"},
                            W{"ad9361-phy", "OUTPUT", "voltage0", "rf_bandwidth", "8000000"},
                            W{"ad9361-phy", "OUTPUT", "voltage0", "hardwaregain", "-89"},
                            W{"ad9361-phy", "OUTPUT", "voltage0", "sampling_frequency", "2500000"},
                            W{"ad9361-phy", "OUTPUT", "altvoltage1", "frequency", "6000000000"},
                            W{"ad9361-phy", "OUTPUT", "altvoltage1", "powerdown", "1"}));
}

TEST_F(SdrLinkDaemonTest, LoStepsReachTheReceiveLoOneWriteEach)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_daemon.ClearRecord();
    for (int64_t loHz = 5878000000LL; loHz <= CSdrLink::kMaxLoHz; loHz += 61000000)
        EXPECT_TRUE(Link().WriteLo(CSdrLink::kReceive, loHz));
    EXPECT_THAT(m_daemon.WritesOf("ad9361-phy", "frequency"),
                ElementsAre(Pair("altvoltage0", "5878000000"), Pair("altvoltage0", "5939000000"),
                            Pair("altvoltage0", "6000000000")));
}

TEST_F(SdrLinkDaemonTest, ReceiveBuffersStreamTheDaemonsSamples)
{
    std::vector<int16_t> script;
    for (int n = 0; n < 64; ++n)
    {
        script.push_back(static_cast<int16_t>(n * 32 - 1000));
        script.push_back(static_cast<int16_t>(-n * 16));
    }
    m_daemon.SetRxSamples(script);
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    ASSERT_TRUE(Link().RecreateRxBuffer(48));
    ASSERT_EQ(m_daemon.Opens().size(), 1u);
    EXPECT_EQ(m_daemon.Opens()[0].device, "cf-ad9361-lpc");
    EXPECT_EQ(m_daemon.Opens()[0].samples, 48u);
    EXPECT_EQ(m_daemon.Opens()[0].mask, "00000003") << "both receive channels enabled";
    EXPECT_FALSE(m_daemon.Opens()[0].cyclic);

    // Two refills of 48 samples walk through the 64-sample script and wrap.
    std::vector<int16_t> received(2 * 96);
    for (int refill = 0; refill < 2; ++refill)
    {
        ASSERT_EQ(Link().RefillRx(), 48 * 4);
        ASSERT_EQ(Link().CopyRxSamples(reinterpret_cast<uint8_t*>(received.data() + refill * 96), 48), 48u);
    }
    for (size_t n = 0; n < 96; ++n)
    {
        EXPECT_EQ(received[2 * n], script[(2 * n) % script.size()]) << n;
        EXPECT_EQ(received[2 * n + 1], script[(2 * n + 1) % script.size()]) << n;
    }

    m_daemon.SetReadError(EIO);
    EXPECT_LT(Link().RefillRx(), 0) << "a failed read is not passed off as samples";
}

TEST_F(SdrLinkDaemonTest, ARefusedValueIsReportedOnceAndTheRestIsStillWritten)
{
    m_daemon.SetAttrError("hardwaregain", EINVAL);
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    EXPECT_EQ(m_daemon.Writes().size(), 6u);
    EXPECT_THAT(m_capture.Texts(), ElementsAre("wr_ch_lli: 45", CSdrLink::kDeviceNotFoundText));
    EXPECT_TRUE(Link().Configure(m_rx, CSdrLink::kReceive));
    EXPECT_EQ(m_capture.Messages().size(), 2u);
}

TEST_F(SdrLinkDaemonTest, ADaemonWithoutTheReceiveDeviceIsDroppedAndRetriedQuietly)
{
    m_daemon.RemoveDevice("cf-ad9361-lpc");
    EXPECT_EQ(Start(), CSdrLink::kIncomplete);
    EXPECT_FALSE(Link().IsUsable());
    EXPECT_EQ(Start(), CSdrLink::kRetryLater);
    m_nowMs += CSdrLink::kRetryIntervalMs;
    const int connections = m_daemon.Connections();
    EXPECT_EQ(Start(), CSdrLink::kIncomplete);
    EXPECT_EQ(m_daemon.Connections(), connections + 1) << "a new context each permitted attempt";
    EXPECT_THAT(m_capture.Messages(), IsEmpty());
}

TEST_F(SdrLinkDaemonTest, ASecondCoreLeavingKeepsTheFirstCoresLinkStreaming)
{
    Link().AttachCore();
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    ASSERT_TRUE(Link().RecreateRxBuffer(256));
    ASSERT_EQ(Link().RefillRx(), 1024);

    // The recording viewer's core comes and goes.
    Link().AttachCore();
    Link().DetachCore();

    EXPECT_TRUE(Link().IsUsable());
    for (int refill = 0; refill < 3; ++refill)
        EXPECT_EQ(Link().RefillRx(), 1024);
    EXPECT_TRUE(Link().WriteLo(CSdrLink::kReceive, 161000000));

    Link().DetachCore();
    EXPECT_FALSE(Link().IsUsable());
}

TEST_F(SdrLinkDaemonTest, TheTransmitBufferIsCyclicAndPushesItsSamples)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    ASSERT_TRUE(Link().StartTransmitter(m_tx));
    ASSERT_TRUE(Link().RecreateTxBuffer(128));
    const auto view = Link().TxSamples();
    ASSERT_EQ(view.Count(), 128u);
    for (size_t n = 0; n < 128; ++n)
    {
        const int16_t i = static_cast<int16_t>(n << 4);
        const int16_t q = static_cast<int16_t>(-static_cast<int>(n << 4));
        std::memcpy(view.first + n * view.step, &i, 2);
        std::memcpy(view.first + n * view.step + view.qOffset, &q, 2);
    }
    EXPECT_EQ(Link().PushTx(), 512);

    const auto opens = m_daemon.Opens();
    ASSERT_FALSE(opens.empty());
    EXPECT_EQ(opens.back().device, "cf-ad9361-dds-core-lpc");
    EXPECT_TRUE(opens.back().cyclic);
    const auto written = m_daemon.LastWritten();
    ASSERT_EQ(written.size(), 256u);
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(written[2], 16);
    EXPECT_EQ(written[3], -16);
    EXPECT_EQ(written[254], 127 << 4);
    EXPECT_EQ(written[255], -(127 << 4));
}

TEST_F(SdrLinkDaemonTest, DestroyingASecondCoreLeavesTheFirstCoresLinkUp)
{
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
    auto live = std::make_unique<CKelthar>();
    ASSERT_TRUE(live->Connect("live", 0, 0));
    ASSERT_TRUE(Link().IsUsable());
    const int connections = m_daemon.Connections();

    // The recording viewer makes a private core for one load and deletes it.
    {
        CKelthar viewer;
        EXPECT_TRUE(viewer.Connect("viewer", 0, 0)) << "it shares the running link";
    }
    EXPECT_EQ(Link().CoreCount(), 1);
    EXPECT_TRUE(Link().IsUsable());
    ASSERT_TRUE(Link().RecreateRxBuffer(1024));
    EXPECT_EQ(Link().RefillRx(), 4096);
    EXPECT_EQ(m_daemon.Connections(), connections + 1) << "only the buffer's own connection is new";
    EXPECT_EQ(live->GetState(), 3);

    live.reset();
    EXPECT_FALSE(Link().IsUsable()) << "the last core takes the link down";
}
