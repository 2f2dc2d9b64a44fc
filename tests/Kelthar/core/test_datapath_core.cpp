#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frontendlink.h"
#include "kelthar_core.h"
#include "messagecapture.h"
#include "sdrlink.h"

// The core's state machine and block handling without an SDR: Connect and ReadData against the refused
// loopback address, demo mode on a bare core, the block sizes, and the board's command exchange.

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
constexpr const char* kDeviceNotFound = CSdrLink::kDeviceNotFoundText;

int Count(const std::vector<std::string>& texts, const std::string& text)
{
    int n = 0;
    for (const auto& t : texts)
        n += t == text ? 1 : 0;
    return n;
}

// The board connection as the command exchange uses it: records the calls, answers with a script.
class CScriptedConnection : public IConnection
{
public:
    bool Open(std::string, int, int) override { return true; }
    void Close() override { m_state = 0; }
    int GetState() override { return m_state; }
    void SetState(int state) override { m_state = state; }
    void Purge() override { m_calls.push_back("purge"); }
    int Read(std::vector<uint8_t>& buffer, uint32_t count) override
    {
        m_calls.push_back("read " + std::to_string(count));
        buffer = m_reply;
        buffer.resize(count);
        return m_readResult;
    }
    int Write(const std::vector<uint8_t>& buffer) override
    {
        m_calls.push_back("write " + std::to_string(buffer.size()));
        m_written = buffer;
        return 0;
    }

    std::vector<std::string> m_calls;
    std::vector<uint8_t> m_written;
    std::vector<uint8_t> m_reply;
    int m_readResult = 0;
    int m_state = 1;
};

// A reply with a frame at `offset`: 0xB6, length L, then 4L + 8 payload bytes and the checksum.
std::vector<uint8_t> Reply(size_t offset, uint8_t length, bool goodChecksum)
{
    std::vector<uint8_t> reply(1024, 0);
    reply[offset] = 0xB6;
    reply[offset + 1] = length;
    uint8_t sum = 0;
    const size_t frame = 4 * static_cast<size_t>(length) + 10;
    for (size_t n = 2; n < frame; ++n)
        reply[offset + n] = static_cast<uint8_t>(n * 7);
    for (size_t n = 0; n < frame; ++n)
        sum = static_cast<uint8_t>(sum + reply[offset + n]);
    reply[offset + frame] = goodChecksum ? sum : static_cast<uint8_t>(sum + 1);
    return reply;
}

// A frame at 8 whose length byte (255) makes it run past the 1024-byte reply.
std::vector<uint8_t> Overlong()
{
    std::vector<uint8_t> reply = Reply(8, 3, true);
    reply[9] = 255;
    return reply;
}

class DataPathWithoutSdrTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // No front-end unit on this machine: skip the port search, the status stays "not found".
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
        CSdrLink::Instance().SetClock([this] { return m_nowMs; });
    }
    void TearDown() override { CSdrLink::Instance().ResetForTesting(); }

    uint64_t m_nowMs = 1000;
};
}  // namespace

TEST_F(DataPathWithoutSdrTest, ConnectFailsAndStaysInitialisingWithOneMessageAcrossRetries)
{
    CMessageCapture capture;
    CKelthar core;
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
    std::vector<uint8_t> block;
    int bytes = -1;

    for (int attempt = 0; attempt < 4; ++attempt)
    {
        SCOPED_TRACE(attempt);
        EXPECT_FALSE(core.Connect("Board", 2, 65536));
        EXPECT_EQ(core.GetState(), 1) << "the program keeps connecting";
        EXPECT_FALSE(core.ReadData(block, 0, &bytes));
        EXPECT_EQ(bytes, 0);
        EXPECT_THAT(block, IsEmpty()) << "nothing was acquired, nothing is claimed";
        m_nowMs += attempt % 2 == 0 ? CSdrLink::kRetryIntervalMs : 10;
    }
    EXPECT_EQ(Count(capture.Texts(), kDeviceNotFound), 1);

    // Connect did what it does even without an SDR.
    EXPECT_TRUE(core.IsConnected());
    EXPECT_NE(core.Demodulator(), nullptr);
    int max = -1;
    int lost = -1;
    core.TakeDdcSampleCounters(&max, &lost);
    EXPECT_EQ(max, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(core.GetProbeStatus(), 0);
    EXPECT_EQ(core.GetProbeStatus2(), 0);

    core.Disconnect();
    EXPECT_EQ(core.GetState(), 0);
    EXPECT_EQ(core.Demodulator(), nullptr);
}

TEST_F(DataPathWithoutSdrTest, DemoRunsOnABareCoreWithoutAnyHardware)
{
    CMessageCapture capture;
    CKelthar core;
    core.SetDemoMode(true);
    EXPECT_TRUE(core.IsProbeCheckOff());

    std::vector<uint8_t> block;
    std::vector<double> rangeI;
    std::vector<double> rangeQ;
    std::vector<std::vector<double>> ddcI;
    std::vector<std::vector<double>> ddcQ;
    std::vector<std::vector<double>> audio;
    for (int step = 0; step < 3; ++step)
    {
        int bytes = -1;
        ASSERT_TRUE(core.ReadData(block, 0, &bytes)) << "the front-end status is 1 and no SDR exists";
        EXPECT_EQ(bytes, 0) << "nothing came from the SDR";
        EXPECT_EQ(block.size(), CKelthar::kSweepBytes + CKelthar::kDdcBlockBytes);
        ASSERT_TRUE(core.ProcessBlock(block, rangeI, rangeQ));
        ASSERT_TRUE(core.ProcessDemod(block, ddcI, ddcQ, audio));
    }
    EXPECT_EQ(core.DemoSignal().GetCallCount(), 3.0);
    ASSERT_EQ(ddcI.size(), 1u);
    EXPECT_EQ(ddcI[0].size(), 4096u);
    EXPECT_EQ(core.GetState(), 1) << "demo mode leaves the device state alone";
    for (const auto& text : capture.Texts())
        EXPECT_NE(text, kDeviceNotFound) << "demo mode never reaches for the SDR";

    // The demo signal is the core's member, reached by its identifier.
    void* out = nullptr;
    ASSERT_TRUE(core.GetInterface(24, &out));
    auto* demo = static_cast<IDemoSignal*>(out);
    EXPECT_EQ(demo, static_cast<IDemoSignal*>(&core.DemoSignal()));
    EXPECT_EQ(demo->GetParams()[0], 3.0);
    void* again = nullptr;
    ASSERT_TRUE(core.GetInterface(24, &again));
    EXPECT_EQ(again, out);
}

TEST_F(DataPathWithoutSdrTest, WithoutDemoTheFrontEndStatusStopsEveryRead)
{
    CKelthar core;
    std::vector<uint8_t> block(16, 0x5A);
    int bytes = -1;
    EXPECT_FALSE(core.ReadData(block, 0, &bytes));
    EXPECT_EQ(bytes, 0);
    EXPECT_EQ(block, std::vector<uint8_t>(16, 0x5A));
}

TEST_F(DataPathWithoutSdrTest, BlockSizesFollowTheFhssTiming)
{
    // Sweep part: 4 bytes x block size x refill count while FHSS capture is on; then one DDC block.
    const struct
    {
        int mode;
        size_t sweepBytes;
    } kCases[] = {{0, 4u * 32768 * 37},  {1, 4u * 65536 * 19},  {2, 4u * 131072 * 9},  {3, 4u * 32768 * 74},
                  {4, 4u * 65536 * 38},  {5, 4u * 131072 * 18}, {6, 4u * 32768 * 148}, {7, 4u * 65536 * 76},
                  {8, 4u * 131072 * 36}, {9, 4u * 32768 * 37},  {-1, 4u * 32768 * 37}};
    CKelthar core;
    core.SetDemoMode(true);
    std::vector<uint8_t> block;
    ASSERT_TRUE(core.ReadData(block, 0, nullptr));
    EXPECT_EQ(block.size(), 131072u + 24576u) << "FHSS capture off";

    core.SetFlags(true, CKelthar::kFlagFhss | CKelthar::kFlagSweepOff);
    for (const auto& c : kCases)
    {
        core.SetFhssMode(c.mode);
        EXPECT_EQ(core.SweepPartBytes(), c.sweepBytes) << "mode " << c.mode;
    }
    core.SetFhssMode(0);
    ASSERT_TRUE(core.ReadData(block, 0, nullptr));
    EXPECT_EQ(block.size(), 4u * 32768 * 37 + 24576u);

    core.SetFlags(false, CKelthar::kFlagFhss);
    EXPECT_EQ(core.SweepPartBytes(), 131072u) << "only the FHSS bit was cleared";
}

TEST(DataPathLayout, DdcBlockCountAndBlockLength)
{
    const struct
    {
        int decimation;
        bool rangeSound;
        int blocks;
    } kBlocks[] = {{1, false, 1},  {5000, false, 1}, {1, true, 700}, {70, true, 10},
                   {700, true, 1}, {701, true, 0},   {0, true, 700}};
    for (const auto& c : kBlocks)
        EXPECT_EQ(CKelthar::DdcBlockCount(c.decimation, c.rangeSound), c.blocks)
            << c.decimation << (c.rangeSound ? " with range sound" : "");

    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    CKelthar core;
    const std::pair<int, uint32_t> kLengths[] = {{0, 63448u}, {6, 63448u << 6}, {37, 63448u << 5}, {31, 0u}};
    for (const auto& c : kLengths)
    {
        core.ControlBits().SetPacketSizeCode(c.first);
        EXPECT_EQ(core.GetBlockLength(), c.second) << "code " << c.first;
    }
}

TEST(SendBlock, ChecksumsTheCommandAndChecksTheReplyFrame)
{
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    const struct
    {
        const char* what;
        std::vector<uint8_t> reply;
        int readResult;
        int offsetIn;
        bool result;
        int offsetOut;
    } kCases[] = {
        {"frame at 8", Reply(8, 3, true), 0, 0, true, 8},
        {"frame at 10", Reply(10, 200, true), 0, 0, true, 10},
        {"offset kept from before", Reply(10, 1, true), 0, 10, true, 10},
        {"bad checksum", Reply(8, 3, false), 0, 0, false, 8},
        {"no frame header", std::vector<uint8_t>(1024, 0), 0, 0, false, 0},
        {"length beyond the reply", Overlong(), 0, 0, false, 8},
        {"short read", Reply(8, 3, true), 1, 0, false, 0},
        {"failed read", Reply(8, 3, true), 2, 0, false, 0},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.what);
        CKelthar core;
        auto connection = std::make_unique<CScriptedConnection>();
        CScriptedConnection& board = *connection;
        core.SetConnection(std::move(connection));
        board.m_reply = c.reply;
        board.m_readResult = c.readResult;

        std::vector<uint8_t> command(1095, 0);
        for (size_t n = 0; n < command.size(); ++n)
            command[n] = static_cast<uint8_t>(n);
        std::vector<uint8_t> reply;
        int offset = c.offsetIn;
        EXPECT_EQ(core.SendBlock(command, reply, offset), c.result);
        EXPECT_EQ(offset, c.offsetOut);
        EXPECT_THAT(board.m_calls, ElementsAre("purge", "write 1095", "read 1024"));
        // Bytes 64..585 sum to 0xAD modulo 256 (each byte is its index's low byte).
        EXPECT_EQ(board.m_written[586], 0xAD);
    }
}

TEST(SendBlock, DemoModeAndShortCommandsNeverReachTheBoard)
{
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    CKelthar core;
    auto connection = std::make_unique<CScriptedConnection>();
    CScriptedConnection& board = *connection;
    core.SetConnection(std::move(connection));
    board.m_reply = Reply(8, 3, true);

    std::vector<uint8_t> shortCommand(586, 1);
    std::vector<uint8_t> reply;
    int offset = 0;
    EXPECT_FALSE(core.SendBlock(shortCommand, reply, offset));
    EXPECT_EQ(shortCommand, std::vector<uint8_t>(586, 1)) << "no byte 586 to write the checksum into";

    core.SetDemoMode(true);
    std::vector<uint8_t> command(1095, 1);
    EXPECT_FALSE(core.SendBlock(command, reply, offset));
    EXPECT_THAT(board.m_calls, IsEmpty());
}
