#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "pacedaudiooutput.h"
#include "soundengine.h"
#include "tempdir.h"
#include "textcodec.h"

// The sound engine against outputs that run here: ALSA's null and file devices, and the layer's held
// output where a check needs to control when the card hands a buffer back.

using kplatform::CPacedAudioOutput;

namespace
{
std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring Wide(const std::string& path)
{
    return kplatform::Utf8ToWide(path);
}

void Append16(std::vector<uint8_t>& bytes, int value)
{
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Append32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int n = 0; n < 4; ++n)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * n)));
}

// An engine whose outputs are held outputs that the test reaches through Output().
class HeldEngine
{
public:
    HeldEngine()
    {
        m_engine.SetOutputFactory(
            [this]
            {
                ++m_made;
                auto output = std::make_unique<CPacedAudioOutput>(CPacedAudioOutput::Mode::Held);
                m_output = output.get();
                return output;
            });
    }
    CSoundEngine& Engine() { return m_engine; }
    CPacedAudioOutput& Output() { return *m_output; }
    int Made() const { return m_made; }

private:
    CPacedAudioOutput* m_output = nullptr;
    int m_made = 0;
    CSoundEngine m_engine;  // last: it closes its output while the counters still exist
};
}  // namespace

TEST(SoundEngine, OpenRules)
{
    HeldEngine held;
    CSoundEngine& engine = held.Engine();
    EXPECT_FALSE(engine.Open(-1, 48000)) << "the system's default mapper";
    EXPECT_FALSE(engine.Open(0, 0));
    EXPECT_EQ(held.Made(), 0);

    ASSERT_TRUE(engine.Open(0, 48000));
    EXPECT_EQ(held.Made(), 1);
    EXPECT_EQ(held.Output().FrameRateHz(), 24000u) << "two values per frame";
    EXPECT_EQ(engine.OutputFormat().samplesPerSecond, 24000u);
    EXPECT_EQ(engine.OutputFormat().bytesPerSecond, 96000u);

    engine.ResetBuffers();
    EXPECT_TRUE(engine.IsOutputOn());
    EXPECT_TRUE(engine.Open(0, 48000));
    EXPECT_EQ(held.Made(), 1) << "the same rate keeps what is open";
    EXPECT_TRUE(engine.IsOutputOn());

    EXPECT_TRUE(engine.Open(0, 31250));
    EXPECT_EQ(held.Made(), 2);
    EXPECT_FALSE(engine.IsOutputOn()) << "opening anew switches the output off";

    EXPECT_FALSE(engine.Open(0, 384001));
    EXPECT_FALSE(engine.HasOutput());
    EXPECT_TRUE(engine.Open(0, 31250)) << "after a refused rate the old one really opens again";
    EXPECT_EQ(held.Made(), 3);
    EXPECT_TRUE(engine.HasOutput());

    engine.Close();
    EXPECT_FALSE(engine.IsOutputOn());
    EXPECT_TRUE(engine.HasOutput()) << "Close only switches the output off";
}

TEST(SoundEngine, AMissingDeviceOpensSilentlyAndStillRecords)
{
    CTempDir folder;
    CSoundEngine engine;
    engine.SetDeviceName("no_such_pcm_device");
    ASSERT_TRUE(engine.Open(0, 16000));
    EXPECT_FALSE(engine.HasOutput());
    engine.StartRecording(Wide(folder.File("take.wav")));
    for (int n = 0; n < 100; ++n)
        engine.PlaySample(n);
    engine.StopRecording();
    EXPECT_EQ(ReadAll(folder.File("take.wav")).size(), 44u + 400u);
}

TEST(SoundEngine, TheFourthBufferWaitsForTheCardToHandOneBack)
{
    HeldEngine held;
    CSoundEngine& engine = held.Engine();
    ASSERT_TRUE(engine.Open(0, 80));  // buffers of 40 frames
    engine.SetUseAgc(false);
    engine.ResetBuffers();
    for (int n = 0; n < 3 * 40; ++n)
        engine.PlaySample(0.0);
    EXPECT_EQ(held.Output().QueuedCount(), 3);

    std::atomic<bool> returned{false};
    auto fourth = std::async(std::launch::async,
                             [&]
                             {
                                 engine.PlaySample(0.0);
                                 returned = true;
                             });
    EXPECT_EQ(fourth.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_FALSE(returned);
    ASSERT_TRUE(held.Output().CompleteOne());
    EXPECT_EQ(fourth.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(held.Output().QueuedCount(), 2);
}

TEST(SoundEngine, TheNullDeviceNeverHoldsUpTheDeviceThread)
{
    CSoundEngine engine;
    engine.SetDeviceName("null");
    ASSERT_TRUE(engine.Open(0, 96000));
    ASSERT_TRUE(engine.HasOutput());
    engine.ResetBuffers();
    std::atomic<bool> stop{false};
    auto device = std::async(std::launch::async,
                             [&]
                             {
                                 long long frames = 0;
                                 while (!stop)
                                 {
                                     engine.PlaySample(std::sin(frames * 0.01) * 1000.0);
                                     ++frames;
                                 }
                                 return frames;
                             });
    // The GUI thread switches and reopens while the device thread plays.
    for (int round = 0; round < 20; ++round)
    {
        auto gui = std::async(std::launch::async,
                              [&]
                              {
                                  engine.Close();
                                  engine.Open(0, round % 2 == 0 ? 48000 : 96000);
                                  engine.ResetBuffers();
                              });
        ASSERT_EQ(gui.wait_for(std::chrono::seconds(5)), std::future_status::ready) << round;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop = true;
    ASSERT_EQ(device.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_GT(device.get(), 3 * 48000) << "more than three buffers went through";
}

TEST(SoundEngine, FixedGainFollowsTheLevelAndSamplesSaturate)
{
    CSoundEngine engine;
    engine.SetUseAgc(false);
    EXPECT_DOUBLE_EQ(engine.GetFixedGain(), CSoundEngine::kDefaultFixedGain);
    const struct
    {
        int level;
        double gain;
    } kLevels[] = {{100, 0.001}, {0, 0.3}, {50, 0.1505}, {150, 0.001}, {-20, 0.3}};
    for (const auto& c : kLevels)
    {
        engine.SetSoundLevel(c.level);
        EXPECT_NEAR(engine.GetFixedGain(), c.gain, 1e-12) << c.level;
    }

    engine.SetSoundLevel(0);  // gain 0.3
    const struct
    {
        double in;
        int out;
    } kSamples[] = {{0.0, 0},          {3.1, 10},        {-3.1, -10},       {0.59, 1},
                    {-0.59, -1},       {9829.9, 32766},  {9900.0, 32767},   {1e9, 32767},
                    {-9830.7, -32768}, {-1e300, -32768}, {HUGE_VAL, 32767}, {NAN, 0}};
    for (const auto& c : kSamples)
        EXPECT_EQ(engine.ToOutputSample(c.in), c.out) << c.in;
}

TEST(SoundEngine, AutomaticGainStepsEveryTenthOfASecond)
{
    HeldEngine held;
    CSoundEngine& engine = held.Engine();
    ASSERT_TRUE(engine.Open(0, 400));  // 200 frames a second: a step every 20 values
    // Until the first step there is no gain, and silence comes out instead of a division by zero.
    for (int n = 0; n < 19; ++n)
        EXPECT_EQ(engine.ToOutputSample(n % 2 == 0 ? 1000.0 : -1000.0), 0) << n;
    EXPECT_EQ(engine.GetAgcGain(), 0.0);
    // Peak to peak 2000: a quarter of the way from 0 towards 2000 / 10000.
    EXPECT_NEAR(engine.ToOutputSample(-1000.0), -20000, 1);
    EXPECT_DOUBLE_EQ(engine.GetAgcGain(), 0.05);
    EXPECT_EQ(engine.GetAgcLevel(), 16);
    for (int n = 0; n < 19; ++n)
        engine.ToOutputSample(n == 5 ? 4000.0 : 0.0);
    EXPECT_DOUBLE_EQ(engine.GetAgcGain(), 0.05) << "no step before the period is full";
    engine.ToOutputSample(0.0);
    EXPECT_DOUBLE_EQ(engine.GetAgcGain(), 0.05 + (0.4 - 0.05) * 0.25) << "the range restarts each period";
    // Full-scale input under a tiny gain saturates, never wraps.
    for (int n = 0; n < 400; ++n)
        engine.ToOutputSample(n % 2 == 0 ? 1e-3 : -1e-3);
    EXPECT_EQ(engine.ToOutputSample(1e9), 32767);
    EXPECT_EQ(engine.ToOutputSample(-1e9), -32768);
}

TEST(SoundEngine, ARecordingOfNFramesHasTheHeaderBytesForN)
{
    CTempDir folder;
    HeldEngine held;
    CSoundEngine& engine = held.Engine();
    ASSERT_TRUE(engine.Open(0, 16000));
    engine.SetUseAgc(false);
    engine.SetSoundLevel(0);  // gain 0.3
    const std::string path = folder.File("five.wav");
    engine.StartRecording(Wide(path));
    EXPECT_TRUE(engine.IsRecording());
    engine.PlaySample(3.1);
    engine.PlaySample(-3.1);
    engine.PlaySample(30000.0);
    engine.PlayStereo(0.31, -0.65);  // the first value goes to the upper half of the frame
    engine.PlayStereo(0.0, 3.1);
    engine.StopRecording();
    EXPECT_FALSE(engine.IsRecording());
    engine.PlaySample(1.0);  // not recorded any more

    std::vector<uint8_t> expected;
    expected.insert(expected.end(), {'R', 'I', 'F', 'F'});
    Append32(expected, 4 * 5 + 36);
    expected.insert(expected.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Append32(expected, 16);
    Append16(expected, 1);
    Append16(expected, 2);
    Append32(expected, 8000);
    Append32(expected, 32000);
    Append16(expected, 4);
    Append16(expected, 16);
    expected.insert(expected.end(), {'d', 'a', 't', 'a'});
    Append32(expected, 4 * 5);
    for (int value : {10, 10, -10, -10, 32767, 32767, -2, 1, 10, 0})
        Append16(expected, value);
    EXPECT_EQ(ReadAll(path), expected);
}

TEST(SoundEngine, APlayedBackRecordingSoundsTheSameSamples)
{
    CTempDir folder;
    const std::string wav = folder.File("take.wav");
    const std::string played = folder.File("played.raw");
    CSoundEngine engine;
    engine.SetDeviceName("null");
    ASSERT_TRUE(engine.Open(0, 22050));  // 11025 frames a second
    engine.SetUseAgc(false);
    engine.SetSoundLevel(0);
    engine.StartRecording(Wide(wav));
    for (int n = 0; n < 11025 + 500; ++n)
        engine.PlaySample(std::sin(n * 0.05) * 9000.0 + (n % 7));
    engine.StopRecording();
    const std::vector<uint8_t> recorded = ReadAll(wav);
    ASSERT_EQ(recorded.size(), 44u + 4u * 11525u);

    engine.Open(0, 8000);  // elsewhere, so that playback opens the file device
    engine.SetDeviceName("file:FILE=" + played + ",FORMAT=raw");
    ASSERT_TRUE(engine.OpenPlayback(Wide(wav)));
    EXPECT_TRUE(engine.IsPlaying());
    EXPECT_EQ(engine.GetOpenedRate(), 22050) << "the card runs at the file's own rate";
    EXPECT_EQ(engine.GetPlaybackLength(), 1);
    int blocks = 0;
    while (engine.PlayNextBlock())
        ++blocks;
    EXPECT_EQ(blocks, 2);
    // Stopping resets the output, which drops what the device has not taken yet: wait for it first.
    for (int wait = 0; wait < 500 && !engine.AllBuffersReturned(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(engine.AllBuffersReturned());
    // Opening the file device again would start a new file: the rate before playback opens elsewhere.
    engine.SetDeviceName("null");
    engine.StopPlayback();
    EXPECT_FALSE(engine.IsPlaying());
    EXPECT_EQ(engine.GetOpenedRate(), 8000) << "the rate in force before playback";

    // Only whole one-second buffers go to the card: the last 500 frames wait for more.
    const std::vector<uint8_t> sounded = ReadAll(played);
    ASSERT_EQ(sounded.size(), 4u * 11025u);
    EXPECT_TRUE(std::equal(sounded.begin(), sounded.begin() + 4 * 11025, recorded.begin() + 44));
}
