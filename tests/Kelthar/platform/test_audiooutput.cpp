#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>
#include <vector>

#include "alsaaudiooutput.h"
#include "pacedaudiooutput.h"
#include "tempdir.h"

using kplatform::CAlsaAudioOutput;
using kplatform::CPacedAudioOutput;

namespace
{
using Clock = std::chrono::steady_clock;

// Counts completions as the output's own thread reports them.
class CCompletions
{
public:
    kplatform::IAudioOutput::Completion Callback()
    {
        return [this]
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_count;
            m_changed.notify_all();
        };
    }
    bool WaitFor(int count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_count >= count; });
    }
    int Count()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};

// frames 16-bit stereo frames counting up from first, so that a lost or repeated frame shows.
std::vector<uint8_t> Ramp(size_t frames, int first)
{
    std::vector<uint8_t> bytes;
    for (size_t n = 0; n < frames; ++n)
    {
        const auto value = static_cast<uint16_t>(first + static_cast<int>(n));
        for (int channel = 0; channel < 2; ++channel)
        {
            bytes.push_back(static_cast<uint8_t>(value));
            bytes.push_back(static_cast<uint8_t>(value >> 8));
        }
    }
    return bytes;
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(AlsaAudioOutput, MissingDevicesFailQuietlyAndStayClosed)
{
    for (const char* device : {"", "no_such_pcm_device", "hw:97,0", "plughw:CARD=NoSuchCard"})
    {
        SCOPED_TRACE(device);
        CAlsaAudioOutput output;
        CCompletions done;
        EXPECT_FALSE(output.Open(device, 24000, done.Callback()));
        EXPECT_FALSE(output.IsOpen());
        output.Write(Ramp(10, 0));  // ignored while closed
        output.Close();
        EXPECT_EQ(done.Count(), 0);
    }
    CAlsaAudioOutput output;
    EXPECT_FALSE(output.Open("null", 0, nullptr));
}

TEST(AlsaAudioOutput, EveryBufferCompletesOnceOnTheNullDevice)
{
    CAlsaAudioOutput output;
    CCompletions done;
    ASSERT_TRUE(output.Open("null", 24000, done.Callback()));
    for (int n = 0; n < 5; ++n)
        output.Write(Ramp(24000, n));
    EXPECT_TRUE(done.WaitFor(5));
    output.Close();
    EXPECT_EQ(done.Count(), 5);
    EXPECT_FALSE(output.IsOpen());
}

TEST(AlsaAudioOutput, FileDeviceReceivesExactlyTheFramesPlayed)
{
    CTempDir folder;
    const std::string path = folder.File("played.raw");
    CAlsaAudioOutput output;
    CCompletions done;
    ASSERT_TRUE(output.Open("file:FILE=" + path + ",FORMAT=raw", 8000, done.Callback()));
    const std::vector<uint8_t> first = Ramp(4000, 0);
    const std::vector<uint8_t> second = Ramp(3000, 4000);
    output.Write(first);
    output.Write(second);
    ASSERT_TRUE(done.WaitFor(2));
    output.Close();

    std::vector<uint8_t> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(ReadAll(path), expected);
}

TEST(AlsaAudioOutput, ReopeningStartsAFreshQueue)
{
    CAlsaAudioOutput output;
    CCompletions first;
    CCompletions second;
    ASSERT_TRUE(output.Open("null", 48000, first.Callback()));
    output.Write(Ramp(100, 0));
    ASSERT_TRUE(output.Open("null", 8000, second.Callback()));
    output.Write(Ramp(100, 0));
    EXPECT_TRUE(second.WaitFor(1));
    output.Close();
    // The first queue was dropped or played under its own completion, never under the second.
    EXPECT_EQ(first.Count(), 1);
    EXPECT_EQ(second.Count(), 1);
}

TEST(AlsaAudioOutput, DeviceListIsStableAndOpens)
{
    const std::vector<std::string> names = CAlsaAudioOutput::DeviceNames();
    EXPECT_EQ(CAlsaAudioOutput::DeviceNames(), names);
    ASSERT_NE(std::find(names.begin(), names.end(), "null"), names.end());
    CAlsaAudioOutput output;
    EXPECT_TRUE(output.Open("null", 8000, [] {}));
}

TEST(PacedAudioOutput, BuffersTakeTheirPlayingTime)
{
    CPacedAudioOutput output;
    CCompletions done;
    ASSERT_TRUE(output.Open("paced", 8000, done.Callback()));
    const auto start = Clock::now();
    output.Write(Ramp(800, 0));   // 100 ms
    output.Write(Ramp(1600, 0));  // 200 ms
    ASSERT_TRUE(done.WaitFor(1));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(95));
    EXPECT_EQ(output.CompletedCount(), 1);
    ASSERT_TRUE(done.WaitFor(2));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(295));
    EXPECT_EQ(output.Played().size(), (800u + 1600u) * 4u);
}

TEST(PacedAudioOutput, ResetAndCloseCompleteWhatIsQueuedWithoutPlayingIt)
{
    CPacedAudioOutput output;
    CCompletions done;
    ASSERT_TRUE(output.Open("paced", 8000, done.Callback()));
    for (int n = 0; n < 3; ++n)
        output.Write(Ramp(8000, 0));  // a second each
    const auto start = Clock::now();
    output.Reset();
    EXPECT_TRUE(done.WaitFor(3, std::chrono::milliseconds(500)));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(output.Played().empty());

    output.Write(Ramp(8000, 0));
    output.Close();
    EXPECT_EQ(done.Count(), 4);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(900));
}

TEST(PacedAudioOutput, HeldBuffersCompleteOnlyOnRequest)
{
    CPacedAudioOutput output(CPacedAudioOutput::Mode::Held);
    CCompletions done;
    ASSERT_TRUE(output.Open("held", 8000, done.Callback()));
    EXPECT_FALSE(output.CompleteOne());
    output.Write(Ramp(2, 0));
    output.Write(Ramp(2, 2));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(done.Count(), 0);
    EXPECT_EQ(output.QueuedCount(), 2);
    EXPECT_TRUE(output.CompleteOne());
    EXPECT_EQ(done.Count(), 1);
    EXPECT_EQ(output.Played(), Ramp(2, 0));
    EXPECT_EQ(output.DeviceName(), "held");
    EXPECT_EQ(output.FrameRateHz(), 8000u);
}
