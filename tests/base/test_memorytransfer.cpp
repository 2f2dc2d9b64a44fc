// The device-memory transfer through a core whose board exchange is played by a fake analyser: it reads
// the command packets as the board would and answers with framed pages. Everything else is the real
// library core, so the device thread binds as it does in the program.

#include <gtest/gtest.h>

#include <QByteArray>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "devicethread.h"

namespace
{
constexpr int kPage = 512;
constexpr int kFrameOffset = 10;

// Forwards every operation to a real core, except the board exchange and the sample reads, which are
// counted so that a test sees whether the device was touched at all.
class CAnalyserCore : public IKelthar
{
public:
    using Exchange = std::function<bool(const std::vector<uint8_t>& command, std::vector<uint8_t>& reply)>;

    CAnalyserCore()
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        m_core.reset(core);
    }

    Exchange exchange;
    int sendCount = 0;
    int readCount = 0;

    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override
    {
        ++sendCount;
        if (frameOffset == 0)
            frameOffset = kFrameOffset;
        return exchange && exchange(command, reply);
    }
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override
    {
        ++readCount;
        return m_core->ReadData(block, time, byteCount);
    }

    bool GetInterface(int id, void** out) override { return m_core->GetInterface(id, out); }
    bool Connect(const std::string& name, int a, int b) override { return m_core->Connect(name, a, b); }
    void Disconnect() override { m_core->Disconnect(); }
    int GetState() override { return m_core->GetState(); }
    void SetState(int state) override { m_core->SetState(state); }
    bool SendGeneratorParams(const uint8_t* block) override { return m_core->SendGeneratorParams(block); }
    bool SetGeneratorOn(bool on) override { return m_core->SetGeneratorOn(on); }
    void SetFlags(bool set, uint32_t mask) override { m_core->SetFlags(set, mask); }
    void SetFhssMode(int mode) override { m_core->SetFhssMode(mode); }
    uint32_t GetBlockLength() override { return m_core->GetBlockLength(); }
    bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                      std::vector<double>& out2) override
    {
        return m_core->ProcessBlock(block, out1, out2);
    }
    bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                      std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio) override
    {
        return m_core->ProcessDemod(block, i, q, audio);
    }
    double GetChannelOscCorr0() override { return m_core->GetChannelOscCorr0(); }
    double GetChannelOscCorr1() override { return m_core->GetChannelOscCorr1(); }
    double GetChannelOscCorr2() override { return m_core->GetChannelOscCorr2(); }
    bool IsDemoMode() override { return m_core->IsDemoMode(); }
    void SetDemoMode(bool on) override { m_core->SetDemoMode(on); }
    void RequestRange(double v1, double v2, double v3, int code) override
    {
        m_core->RequestRange(v1, v2, v3, code);
    }
    bool IsSkipPending() override { return m_core->IsSkipPending(); }
    void SetSkipPending(bool pending) override { m_core->SetSkipPending(pending); }
    int GetRangeFftSize() override { return m_core->GetRangeFftSize(); }
    int GetDdcFftSize() override { return m_core->GetDdcFftSize(); }
    int GetOverloadState() override { return m_core->GetOverloadState(); }
    const KELTHAR_COUNTERS* GetCounters() override { return m_core->GetCounters(); }
    void TakeDdcSampleCounters(int* max, int* lost) override { m_core->TakeDdcSampleCounters(max, lost); }
    bool IsProbeCheckOff() override { return m_core->IsProbeCheckOff(); }
    void SetIgnoreProbeIdent(bool ignore) override { m_core->SetIgnoreProbeIdent(ignore); }
    bool IsConnected() override { return m_core->IsConnected(); }
    uint8_t GetProbeStatus() override { return m_core->GetProbeStatus(); }
    uint8_t GetProbeStatus2() override { return m_core->GetProbeStatus2(); }
    const KELTHAR_COUNTERS2* GetCounters2() override { return m_core->GetCounters2(); }

private:
    std::unique_ptr<IKelthar> m_core;
};

int BigEndian16(const std::vector<uint8_t>& bytes, size_t at)
{
    return (bytes[at] << 8) | bytes[at + 1];
}

// The analyser's content of a page: distinct per page and position.
uint8_t PageByte(int page, int i)
{
    return static_cast<uint8_t>(page * 7 + i * 3 + 1);
}

// A reply as the analyser frames it: marker, length in 4-byte units, page (from 1), count, payload.
void Answer(std::vector<uint8_t>& reply, int page, int count)
{
    std::fill(reply.begin(), reply.end(), uint8_t{0});
    uint8_t* frame = reply.data() + kFrameOffset;
    frame[0] = 0xB6;
    frame[1] = kPage / 4;
    frame[2] = static_cast<uint8_t>(page >> 8);
    frame[3] = static_cast<uint8_t>(page);
    frame[4] = static_cast<uint8_t>(count >> 8);
    frame[5] = static_cast<uint8_t>(count);
    for (int i = 0; i < kPage; ++i)
        frame[10 + i] = PageByte(page, i);
}

class MemoryTransferTest : public testing::Test
{
protected:
    MemoryTransferTest() : m_core(new CAnalyserCore), m_thread(m_core) {}

    // As the memory window starts a download.
    void StartDownload()
    {
        m_thread.m_bPatternFileLoaded = 0;
        m_thread.m_nMemoryOrigin = 0;
        m_thread.m_bMemoryUpload = false;
        m_thread.m_nMemoryDone = 0;
        m_thread.m_nMemoryTotal = 0;
        m_thread.m_nTransferMode = 2;
    }

    // The analyser answers the given pages in order, each with the announced count; a page of -1 is a
    // reply whose checksum the core rejects.
    void Script(std::deque<int> pages, int count)
    {
        m_core->exchange =
            [pages, count](const std::vector<uint8_t>& command, std::vector<uint8_t>& reply) mutable
        {
            EXPECT_EQ(command[66], 0) << "a download asks without the write code";
            if (pages.empty())
                return false;
            const int page = pages.front();
            pages.pop_front();
            if (page < 0)
                return false;
            Answer(reply, page, count);
            return true;
        };
    }

    CAnalyserCore* m_core;  // owned by the thread
    CDeviceThread m_thread;
};

TEST_F(MemoryTransferTest, UploadSendsEveryPageAndStopsAfterTheLast)
{
    constexpr int kPages = 5991;
    constexpr int kOrigin = 100;  // the block sent starts here in the image
    QByteArray image(kPages * kPage, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 13) >> 3);
    m_thread.m_MemoryImage = image;
    m_thread.m_nPatternOffset = kOrigin;

    std::vector<int> pagesSeen;
    bool packetsGood = true;
    m_core->exchange = [&](const std::vector<uint8_t>& command, std::vector<uint8_t>&)
    {
        const int page = BigEndian16(command, 68);
        pagesSeen.push_back(page);
        bool good = command.size() == 1095 && command[63] == 0x6F && command[64] == 0x67 &&
                    command[65] == 0x80 && command[66] == 0xA2 &&
                    command[67] == static_cast<uint8_t>(image[14]) && BigEndian16(command, 70) == kPages &&
                    command[72] == 0 && command[73] == 0;
        for (int i = 0; i < kPage; ++i)
        {
            const int at = page * kPage + kOrigin + i;
            const uint8_t expected = at < image.size() ? static_cast<uint8_t>(image[at]) : 0;
            good = good && command[74 + static_cast<size_t>(i)] == expected;
        }
        packetsGood = packetsGood && good;
        return true;
    };

    m_thread.m_bMemoryUpload = true;
    m_thread.m_nMemoryDone = 0;
    m_thread.m_nMemoryTotal = kPages;
    m_thread.m_nTransferMode = 2;
    int exchanges = 0;
    while (m_thread.m_nTransferMode == 2 && exchanges < kPages + 10)
    {
        ASSERT_TRUE(m_thread.Step());
        ++exchanges;
    }

    EXPECT_EQ(exchanges, kPages);
    EXPECT_EQ(m_thread.m_nMemoryDone.load(), kPages);
    EXPECT_EQ(m_thread.m_nTransferMode.load(), 1);
    EXPECT_TRUE(packetsGood) << "a packet differed from the image";
    ASSERT_EQ(pagesSeen.size(), static_cast<size_t>(kPages));
    for (int page = 0; page < kPages; ++page)
        ASSERT_EQ(pagesSeen[static_cast<size_t>(page)], page);
    EXPECT_EQ(m_core->readCount, 0);
}

struct DOWNLOAD_CASE
{
    const char* name;
    std::deque<int> pages;  // answered in this order; -1 fails the exchange (bad checksum)
    std::vector<bool> stepResults;
    int finalPage;
    int finalTotal;
    int finalMode;
    std::vector<int> storedPages;  // pages of the image that must hold the analyser's content
    int imageSize;
};

TEST_F(MemoryTransferTest, DownloadStoresPagesAsTheBoardNumbersThem)
{
    const DOWNLOAD_CASE cases[] = {
        {"three pages", {1, 2, 3}, {true, true, true}, 3, 3, 1, {1, 2, 3}, 3 * kPage},
        {"page 2 before page 1", {2}, {true}, 2, 0, 2, {}, kPage},
        {"page 2 before page 1, then the rest",
         {2, 1, 2, 3},
         {true, true, true, true},
         3,
         3,
         1,
         {1, 2, 3},
         3 * kPage},
        {"checksum error retried", {1, -1, 2, 3}, {true, false, true, true}, 3, 3, 1, {1, 2, 3}, 3 * kPage},
        {"page beyond the count", {1, 5}, {true, true}, 5, 3, 2, {1}, 3 * kPage},
    };
    for (const DOWNLOAD_CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_thread.m_MemoryImage = QByteArray(kPage, '\0');
        Script(c.pages, 3);
        StartDownload();
        for (size_t s = 0; s < c.stepResults.size(); ++s)
        {
            const int before = m_thread.m_nMemoryDone;
            EXPECT_EQ(m_thread.Step(), c.stepResults[s]) << "step " << s;
            if (!c.stepResults[s])
            {
                EXPECT_EQ(m_thread.m_nMemoryDone.load(), before) << "a failed exchange advanced the page";
            }
        }
        EXPECT_EQ(m_thread.m_nMemoryDone.load(), c.finalPage);
        EXPECT_EQ(m_thread.m_nMemoryTotal.load(), c.finalTotal);
        EXPECT_EQ(m_thread.m_nTransferMode.load(), c.finalMode);
        ASSERT_EQ(m_thread.m_MemoryImage.size(), c.imageSize);
        for (int page = 1; page * kPage <= c.imageSize; ++page)
        {
            const bool stored =
                std::find(c.storedPages.begin(), c.storedPages.end(), page) != c.storedPages.end();
            int mismatches = 0;
            for (int i = 0; i < kPage; ++i)
            {
                const uint8_t expected = stored ? PageByte(page, i) : 0;
                mismatches +=
                    static_cast<uint8_t>(m_thread.m_MemoryImage[(page - 1) * kPage + i]) != expected;
            }
            EXPECT_EQ(mismatches, 0) << "page " << page;
        }
    }
}

TEST_F(MemoryTransferTest, HoldTouchesNothing)
{
    m_core->exchange = [](const std::vector<uint8_t>&, std::vector<uint8_t>&) { return true; };
    m_thread.m_nTransferMode = 1;
    EXPECT_TRUE(m_thread.Step());
    EXPECT_TRUE(m_thread.Step());
    EXPECT_EQ(m_core->sendCount, 0);
    EXPECT_EQ(m_core->readCount, 0);
    EXPECT_EQ(m_thread.m_nTransferMode.load(), 1);
}

TEST_F(MemoryTransferTest, DemoCoreCannotTransfer)
{
    // Without the fake board the exchange is the library's own, which refuses in demo mode.
    CDeviceThread thread;
    thread.m_pKelthar->SetDemoMode(true);
    thread.m_bMemoryUpload = true;
    thread.m_nMemoryDone = 0;
    thread.m_nMemoryTotal = 1;
    thread.m_nTransferMode = 2;
    EXPECT_FALSE(thread.Step());
    EXPECT_EQ(thread.m_nMemoryDone.load(), 0);
    EXPECT_EQ(thread.m_nTransferMode.load(), 2);
    thread.m_pKelthar->SetDemoMode(false);
}
}  // namespace
