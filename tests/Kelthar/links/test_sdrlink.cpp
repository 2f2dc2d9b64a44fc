#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "inprocessiiobackend.h"
#include "messagecapture.h"
#include "sdrlink.h"

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace
{
// The link with the in-process transceiver and a hand-driven clock; the link is process-wide, so every
// test starts from a reset one and leaves it reset.
class SdrLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Link().ResetForTesting();
        Link().SetBackend(m_backend);
        Link().SetClock([this] { return m_nowMs; });
    }
    void TearDown() override { Link().ResetForTesting(); }

    static CSdrLink& Link() { return CSdrLink::Instance(); }
    int Start() { return Link().Start("ip:127.0.0.1:1", m_rx, m_tx); }
    void AdvanceMs(uint64_t ms) { m_nowMs += ms; }

    std::shared_ptr<CInProcessIioBackend> m_backend = std::make_shared<CInProcessIioBackend>();
    CMessageCapture m_capture;
    SDR_STREAM_CONFIG m_rx;
    SDR_STREAM_CONFIG m_tx;
    uint64_t m_nowMs = 5000;
};

const std::vector<std::string> kReceiveSettingWrites = {
    "write ad9361-phy in voltage0 rf_port_select=A_BALANCED",
    "write ad9361-phy in voltage0 gain_control_mode=manual",
    "write ad9361-phy in voltage0 rf_bandwidth=61000000",
    "write ad9361-phy in voltage0 hardwaregain=45",
    "write ad9361-phy in voltage0 sampling_frequency=61000000",
    "write ad9361-phy out altvoltage0 frequency=100000000",
};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST_F(SdrLinkTest, StartConfiguresTheReceiverThenEnablesItsStreamAndASecondStartCreatesNothing)
{
    m_tx.powerDown = 0;
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    EXPECT_TRUE(Link().IsUsable());

    EXPECT_EQ(m_rx.hardwareGainDb, 45);
    EXPECT_EQ(m_rx.bandwidthHz, 61000000);
    EXPECT_EQ(m_rx.sampleRateHz, 61000000);
    EXPECT_EQ(m_rx.loHz, 100000000);
    EXPECT_EQ(m_rx.rfPort, "A_BALANCED");
    EXPECT_EQ(m_rx.gainControlMode, "manual");
    EXPECT_EQ(m_rx.flag, 1);
    EXPECT_EQ(m_tx.powerDown, 1) << "the transmitter starts powered down";

    const auto expected = Concat(Concat({"context"}, kReceiveSettingWrites),
                                 {"enable cf-ad9361-lpc in voltage0", "enable cf-ad9361-lpc in voltage1"});
    EXPECT_THAT(m_backend->Log(), ElementsAreArray(expected));

    AdvanceMs(10000);
    EXPECT_EQ(Start(), CSdrLink::kAlreadyStarted);
    EXPECT_THAT(m_backend->Log(), ElementsAreArray(expected)) << "a started link is left as it is";
    EXPECT_EQ(m_backend->LiveContexts(), 1);
    EXPECT_THAT(m_capture.Messages(), IsEmpty());
}

TEST_F(SdrLinkTest, EachDirectionWritesItsOwnSettingsInOrder)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    struct Case
    {
        int direction;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {CSdrLink::kReceive,
         {"write ad9361-phy in voltage0 rf_port_select=B_BALANCED",
          "write ad9361-phy in voltage0 gain_control_mode=slow_attack",
          "write ad9361-phy in voltage0 rf_bandwidth=5000000", "write ad9361-phy in voltage0 hardwaregain=-3",
          "write ad9361-phy in voltage0 sampling_frequency=3000000",
          "write ad9361-phy out altvoltage0 frequency=2400000000"}},
        {CSdrLink::kTransmit,
         {"write ad9361-phy out voltage0 rf_port_select=B_BALANCED",
          "write ad9361-phy out voltage0 rf_bandwidth=5000000",
          "write ad9361-phy out voltage0 hardwaregain=-3",
          "write ad9361-phy out voltage0 sampling_frequency=3000000",
          "write ad9361-phy out altvoltage1 frequency=2400000000",
          "write ad9361-phy out altvoltage1 powerdown=1"}},
    };
    SDR_STREAM_CONFIG config;
    config.rfPort = "B_BALANCED";
    config.gainControlMode = "slow_attack";
    config.bandwidthHz = 5000000;
    config.hardwareGainDb = -3;
    config.sampleRateHz = 3000000;
    config.loHz = 2400000000LL;
    config.powerDown = 1;
    for (const auto& c : cases)
    {
        m_backend->ClearLog();
        EXPECT_TRUE(Link().Configure(config, c.direction));
        EXPECT_THAT(m_backend->Log(), ElementsAreArray(c.writes)) << "direction " << c.direction;
    }
}

TEST_F(SdrLinkTest, LoStepsGoToTheDirectionsLoChannel)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_backend->ClearLog();
    EXPECT_TRUE(Link().WriteLo(CSdrLink::kReceive, 100000000));
    EXPECT_TRUE(Link().WriteLo(CSdrLink::kReceive, 161000000));
    EXPECT_TRUE(Link().WriteLo(CSdrLink::kTransmit, 6000000000LL));
    EXPECT_THAT(m_backend->Log(), ElementsAre("write ad9361-phy out altvoltage0 frequency=100000000",
                                              "write ad9361-phy out altvoltage0 frequency=161000000",
                                              "write ad9361-phy out altvoltage1 frequency=6000000000"));
}

TEST_F(SdrLinkTest, ARefusedContextIsReportedOnceAndRetriedAtMostOnceASecond)
{
    m_backend->SetContextError(ECONNREFUSED);
    EXPECT_EQ(Start(), CSdrLink::kContextFailed);
    ASSERT_EQ(m_capture.Messages().size(), 1u);
    EXPECT_EQ(m_capture.Messages()[0].caption, "Delvane Veltrano");
    EXPECT_EQ(
        m_capture.Messages()[0].text,
        "The Delvane device not found!!!\nCheck teh USB connection and (or) the 'IP Address' section in "
        "the Tools->Preference of the Main Menu!");
    EXPECT_EQ(m_capture.Messages()[0].icon, kplatform::MessageIcon::Error);

    // The program retries every 200 ms; the link lets one attempt through per second.
    for (uint64_t stepMs : {200, 200, 200, 200})
    {
        AdvanceMs(stepMs);
        EXPECT_EQ(Start(), CSdrLink::kRetryLater);
    }
    AdvanceMs(200);
    EXPECT_EQ(Start(), CSdrLink::kContextFailed);
    EXPECT_THAT(m_backend->Log(), ElementsAre("context refused", "context refused"));
    EXPECT_EQ(m_capture.Messages().size(), 1u) << "the message appears once per process";

    // The device comes back: the next permitted attempt brings the link up.
    m_backend->SetContextError(0);
    AdvanceMs(999);
    EXPECT_EQ(Start(), CSdrLink::kRetryLater);
    AdvanceMs(1);
    EXPECT_EQ(Start(), CSdrLink::kStarted);
    EXPECT_TRUE(Link().IsUsable());
}

TEST_F(SdrLinkTest, AStartThatStopsHalfWayDropsTheContextSilentlyAndIsRetried)
{
    struct Case
    {
        const char* what;
        void (*breakIt)(CInProcessIioBackend&);
    };
    const Case cases[] = {
        {"no devices",
         [](CInProcessIioBackend& b)
         {
             for (const char* name : {"ad9361-phy", "cf-ad9361-lpc", "cf-ad9361-dds-core-lpc"})
                 b.RemoveDevice(name);
         }},
        {"no receive streaming device", [](CInProcessIioBackend& b) { b.RemoveDevice("cf-ad9361-lpc"); }},
        {"no PHY to configure", [](CInProcessIioBackend& b) { b.RemoveDevice("ad9361-phy"); }},
        {"no receive LO",
         [](CInProcessIioBackend& b) { b.RemoveChannel("ad9361-phy", "altvoltage0", true); }},
        {"no receive Q channel",
         [](CInProcessIioBackend& b) { b.RemoveChannel("cf-ad9361-lpc", "voltage1", false); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Link().ResetForTesting();
        auto backend = std::make_shared<CInProcessIioBackend>();
        c.breakIt(*backend);
        Link().SetBackend(backend);
        Link().SetClock([this] { return m_nowMs; });

        EXPECT_EQ(Start(), CSdrLink::kIncomplete);
        EXPECT_FALSE(Link().IsUsable());
        EXPECT_EQ(backend->LiveContexts(), 0) << "the half-built link is dropped";
        EXPECT_FALSE(Link().RecreateRxBuffer(4096)) << "an unusable link creates no buffer";
        EXPECT_EQ(backend->BuffersCreated(), 0);

        AdvanceMs(1000);
        EXPECT_EQ(Start(), CSdrLink::kIncomplete) << "the next start tries again";
        const auto log = backend->Log();
        EXPECT_EQ(std::count(log.begin(), log.end(), "context"), 2);
        EXPECT_EQ(std::count(log.begin(), log.end(), "context destroyed"), 2);
    }
    EXPECT_THAT(m_capture.Messages(), IsEmpty()) << "a device that answers is not 'not found'";
}

TEST_F(SdrLinkTest, AFailedValueWriteIsReportedOnceAndTheOtherWritesGoOn)
{
    m_backend->SetAttrError("rf_bandwidth", EINVAL);
    m_backend->SetAttrError("rf_port_select", EINVAL);
    ASSERT_EQ(Start(), CSdrLink::kStarted) << "refused values do not stop the start-up";

    std::vector<std::string> written;
    for (const auto& w : m_backend->Writes())
        written.push_back(w.attr);
    EXPECT_THAT(written, ElementsAre("rf_port_select", "gain_control_mode", "rf_bandwidth", "hardwaregain",
                                     "sampling_frequency", "frequency"));
    ASSERT_EQ(m_capture.Messages().size(), 2u) << "text writes are not reported, value writes are";
    EXPECT_EQ(m_capture.Messages()[0].text, "wr_ch_lli: 61000000");
    EXPECT_EQ(m_capture.Messages()[0].caption, "Delvane Veltrano");
    EXPECT_EQ(m_capture.Messages()[1].text, CSdrLink::kDeviceNotFoundText);

    m_backend->SetAttrError("frequency", EINVAL);
    EXPECT_FALSE(Link().WriteLo(CSdrLink::kReceive, 161000000));
    EXPECT_TRUE(Link().Configure(m_rx, CSdrLink::kReceive));
    EXPECT_EQ(m_capture.Messages().size(), 2u) << "nothing more once the device-not-found text was shown";
}

TEST_F(SdrLinkTest, ShutdownReleasesEverythingInOrderAndForgetsTheHandles)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    ASSERT_TRUE(Link().StartTransmitter(m_tx));
    ASSERT_TRUE(Link().RecreateRxBuffer(1024));
    ASSERT_TRUE(Link().RecreateTxBuffer(64));
    m_backend->ClearLog();

    Link().Shutdown(0);
    EXPECT_THAT(m_backend->Log(),
                ElementsAre("destroy cf-ad9361-lpc", "destroy cf-ad9361-dds-core-lpc",
                            "disable cf-ad9361-lpc in voltage0", "disable cf-ad9361-lpc in voltage1",
                            "disable cf-ad9361-dds-core-lpc out voltage0",
                            "disable cf-ad9361-dds-core-lpc out voltage1", "context destroyed"));
    EXPECT_THAT(m_capture.Messages(), IsEmpty()) << "code 0 is silent";

    // Nothing is left to touch: every stream call fails cleanly instead of using a freed handle.
    EXPECT_FALSE(Link().IsUsable());
    EXPECT_FALSE(Link().IsTransmitterStarted());
    EXPECT_EQ(Link().RxBufferSamples(), 0u);
    EXPECT_EQ(Link().RefillRx(), -ENOENT);
    EXPECT_EQ(Link().PushTx(), -ENOENT);
    EXPECT_EQ(Link().RxSamples().Count(), 0u);
    EXPECT_FALSE(Link().RecreateRxBuffer(1024));
    EXPECT_FALSE(Link().WriteLo(CSdrLink::kReceive, 100000000));
    m_backend->ClearLog();
    Link().Shutdown(0);
    EXPECT_THAT(m_backend->Log(), IsEmpty()) << "a second shutdown has nothing to release";

    AdvanceMs(1000);
    EXPECT_EQ(Start(), CSdrLink::kStarted) << "the link can be built again";
}

TEST_F(SdrLinkTest, AShutdownWithACodeIsReportedOnce)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    Link().Shutdown(3);
    EXPECT_THAT(m_capture.Texts(), ElementsAre("shutdown: 3", CSdrLink::kDeviceNotFoundText));
    AdvanceMs(1000);
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    Link().Shutdown(3);
    EXPECT_EQ(m_capture.Messages().size(), 2u);
}

TEST_F(SdrLinkTest, TheLastCoreToLeaveShutsTheLinkDownAndEarlierOnesLeaveItStreaming)
{
    Link().AttachCore();
    Link().AttachCore();
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_backend->SetRxSamples({1, 2, 3, 4});
    ASSERT_TRUE(Link().RecreateRxBuffer(2));

    Link().DetachCore();
    EXPECT_EQ(Link().CoreCount(), 1);
    EXPECT_TRUE(Link().IsUsable());
    EXPECT_EQ(Link().RefillRx(), 8) << "the remaining core keeps streaming";
    EXPECT_EQ(m_backend->LiveContexts(), 1);

    Link().DetachCore();
    EXPECT_EQ(Link().CoreCount(), 0);
    EXPECT_FALSE(Link().IsUsable());
    EXPECT_EQ(m_backend->LiveContexts(), 0);
    EXPECT_EQ(m_backend->LiveBuffers(), 0);

    Link().DetachCore();
    EXPECT_EQ(Link().CoreCount(), 0) << "an extra detach does not go negative";
}

TEST_F(SdrLinkTest, ReceiveSamplesAreCopiedAsLittleEndianPairsAndContinueAcrossRefills)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_backend->SetRxSamples({1, -1, 300, -300, 2047, -2048});
    ASSERT_TRUE(Link().RecreateRxBuffer(2));
    EXPECT_EQ(Link().RxBufferSamples(), 2u);

    ASSERT_EQ(Link().RefillRx(), 8);
    const auto view = Link().RxSamples();
    EXPECT_EQ(view.Count(), 2u);
    EXPECT_EQ(view.step, 4);
    EXPECT_EQ(view.qOffset, 2);

    std::vector<uint8_t> block(12, 0xEE);
    EXPECT_EQ(Link().CopyRxSamples(block.data(), 3), 2u) << "never more than the buffer holds";
    EXPECT_THAT(block, ElementsAre(0x01, 0x00, 0xFF, 0xFF, 0x2C, 0x01, 0xD4, 0xFE, 0xEE, 0xEE, 0xEE, 0xEE));

    ASSERT_EQ(Link().RefillRx(), 8);
    std::fill(block.begin(), block.end(), 0xEE);
    EXPECT_EQ(Link().CopyRxSamples(block.data(), 1), 1u) << "never more than the caller has room for";
    EXPECT_THAT(block, ElementsAre(0xFF, 0x07, 0x00, 0xF8, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE))
        << "the script wraps into the next refill";

    int visited = 0;
    Link().VisitRxSamples(
        [&](const CSdrLink::SampleView& v)
        {
            int16_t q = 0;
            std::memcpy(&q, v.first + v.step + v.qOffset, 2);
            EXPECT_EQ(q, -1);
            ++visited;
        });
    EXPECT_EQ(visited, 1);
}

TEST_F(SdrLinkTest, ReceiveFailuresAreReturnedNotHidden)
{
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    ASSERT_TRUE(Link().RecreateRxBuffer(16));
    m_backend->SetRefillError(ETIMEDOUT);
    EXPECT_EQ(Link().RefillRx(), -ETIMEDOUT);

    m_backend->SetBufferError(ENOMEM);
    EXPECT_FALSE(Link().RecreateRxBuffer(32));
    EXPECT_EQ(Link().RxBufferSamples(), 0u);
    EXPECT_EQ(Link().RefillRx(), -ENOENT) << "the old buffer is gone, not reused";
    EXPECT_EQ(m_backend->LiveBuffers(), 0);
}

TEST_F(SdrLinkTest, TheTransmitterStartsOncePerLinkWithTheGeneratorsStartValues)
{
    EXPECT_FALSE(Link().StartTransmitter(m_tx)) << "no context, no transmitter";
    EXPECT_FALSE(Link().IsTransmitterStarted());

    ASSERT_EQ(Start(), CSdrLink::kStarted);
    m_backend->ClearLog();
    ASSERT_TRUE(Link().StartTransmitter(m_tx));
    EXPECT_THAT(m_backend->Log(), ElementsAre("write ad9361-phy out voltage0 rf_port_select=A",
                                              "write ad9361-phy out voltage0 rf_bandwidth=8000000",
                                              "write ad9361-phy out voltage0 hardwaregain=-89",
                                              "write ad9361-phy out voltage0 sampling_frequency=2500000",
                                              "write ad9361-phy out altvoltage1 frequency=6000000000",
                                              "write ad9361-phy out altvoltage1 powerdown=1",
                                              "enable cf-ad9361-dds-core-lpc out voltage0",
                                              "enable cf-ad9361-dds-core-lpc out voltage1"));
    m_backend->ClearLog();
    EXPECT_TRUE(Link().StartTransmitter(m_tx));
    EXPECT_THAT(m_backend->Log(), IsEmpty());

    ASSERT_TRUE(Link().RecreateTxBuffer(3));
    const auto view = Link().TxSamples();
    ASSERT_EQ(view.Count(), 3u);
    for (size_t n = 0; n < 3; ++n)
    {
        const int16_t i = static_cast<int16_t>(16 * (n + 1));
        const int16_t q = static_cast<int16_t>(-16 * (n + 1));
        std::memcpy(view.first + n * view.step, &i, 2);
        std::memcpy(view.first + n * view.step + view.qOffset, &q, 2);
    }
    EXPECT_EQ(Link().PushTx(), 12);
    EXPECT_THAT(m_backend->LastPushed(), ElementsAre(16, -16, 32, -32, 48, -48));
    EXPECT_THAT(m_backend->Log(),
                ElementsAre("create cf-ad9361-dds-core-lpc 3 cyclic", "push cf-ad9361-dds-core-lpc"));
}

TEST_F(SdrLinkTest, AMissingTransmitDeviceLeavesTheReceiverAlone)
{
    m_backend->RemoveDevice("cf-ad9361-dds-core-lpc");
    ASSERT_EQ(Start(), CSdrLink::kStarted);
    EXPECT_FALSE(Link().StartTransmitter(m_tx));
    EXPECT_FALSE(Link().StartTransmitter(m_tx)) << "the first result stands";
    errno = 0;
    EXPECT_FALSE(Link().RecreateTxBuffer(1024));
    EXPECT_EQ(errno, ENODEV);
    EXPECT_TRUE(Link().IsUsable());
    EXPECT_TRUE(Link().RecreateRxBuffer(16));
}

TEST(SdrLinkUri, TheEnvironmentOverridesTheConfiguredUri)
{
    const std::string pinned = std::getenv("KELTHAR_SDR_URI");
    EXPECT_EQ(CSdrLink::ResolveUri("ip:192.168.2.1"), pinned);

    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:2", 1);
    EXPECT_EQ(CSdrLink::ResolveUri("ip:192.168.2.1"), "ip:127.0.0.1:2");
    // Without the variable the configured URI is used. Only the text is checked: nothing connects here.
    unsetenv("KELTHAR_SDR_URI");
    EXPECT_EQ(CSdrLink::ResolveUri("ip:192.168.2.1"), "ip:192.168.2.1");
    setenv("KELTHAR_SDR_URI", pinned.c_str(), 1);
}

TEST(SdrLinkLibIio, ARefusedAddressFailsAtOnceWithOneMessageAcrossReconnects)
{
    // The real libiio backend on the pinned loopback port, where nothing listens.
    CSdrLink& link = CSdrLink::Instance();
    link.ResetForTesting();
    uint64_t nowMs = 0;
    link.SetClock([&nowMs] { return nowMs; });
    CMessageCapture capture;
    SDR_STREAM_CONFIG rx;
    SDR_STREAM_CONFIG tx;
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        EXPECT_EQ(link.Start("ip:127.0.0.1:1", rx, tx), CSdrLink::kContextFailed);
        nowMs += CSdrLink::kRetryIntervalMs;
    }
    EXPECT_FALSE(link.IsUsable());
    EXPECT_THAT(capture.Texts(), ElementsAre(CSdrLink::kDeviceNotFoundText));
    link.ResetForTesting();
}
