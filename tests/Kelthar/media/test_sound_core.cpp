#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "frontendlink.h"
#include "inprocessiiobackend.h"
#include "kelthar_core.h"
#include "pacedaudiooutput.h"
#include "recordingfrontend.h"
#include "sdrlink.h"
#include "tempdir.h"
#include "textcodec.h"

// The core's data path and its sound engine: which audio values reach the engine, when the output is
// reopened, and how many DDC blocks a block carries with range sound on.

using kplatform::CPacedAudioOutput;

namespace
{
constexpr size_t kSweepBytes = 131072;
constexpr size_t kDdcSamples = 4096;

// A live block (outside demo mode) whose DDC part holds I = iOf(k), Q = 0.
template <typename F>
std::vector<uint8_t> LiveBlock(F iOf)
{
    std::vector<uint8_t> block(kSweepBytes + 6 * kDdcSamples, 0);
    for (size_t k = 0; k < kDdcSamples; ++k)
    {
        const auto bits = static_cast<uint32_t>(iOf(k)) & 0xFFFFFFu;
        for (int b = 0; b < 3; ++b)
            block[kSweepBytes + 6 * k + b] = static_cast<uint8_t>(bits >> (8 * b));
    }
    return block;
}

std::vector<int16_t> RecordedSamples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples;
    for (size_t at = 44; at + 1 < bytes.size(); at += 2)
        samples.push_back(static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8)));
    return samples;
}

// The engine's gain applied to one value, as a fresh engine with the same fixed gain gives it.
int16_t Scaled(double value, int level)
{
    CSoundEngine reference;
    reference.SetUseAgc(false);
    reference.SetSoundLevel(level);
    return reference.ToOutputSample(value);
}

class SoundCoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
        m_core = std::make_unique<CKelthar>();
        CSoundEngine& engine = m_core->SoundEngine();
        engine.SetDeviceName("no_such_pcm_device");  // nothing sounds, everything else runs
        engine.SetUseAgc(false);
        engine.SetSoundLevel(0);
        ASSERT_TRUE(engine.Open(0, 16000));
        m_core->ControlBits().SetDemodType(0);  // the audio value is I
    }

    bool Demod(const std::vector<uint8_t>& block)
    {
        std::vector<std::vector<double>> i, q, audio;
        return m_core->ProcessDemod(block, i, q, audio);
    }

    CTempDir m_folder;
    std::unique_ptr<CKelthar> m_core;
};
}  // namespace

TEST_F(SoundCoreTest, TheEngineIsTheCoresOwnUnderId10)
{
    void* out = nullptr;
    ASSERT_TRUE(m_core->GetInterface(10, &out));
    EXPECT_EQ(out, static_cast<ISoundEngine*>(&m_core->SoundEngine()));
    void* again = nullptr;
    ASSERT_TRUE(m_core->GetInterface(10, &again));
    EXPECT_EQ(again, out);
    void* declicker = nullptr;
    EXPECT_FALSE(m_core->GetInterface(17, &declicker)) << "the declicker is the engine's to give";
    EXPECT_TRUE(static_cast<ISoundEngine*>(out)->GetInterface(17, &declicker));
}

TEST_F(SoundCoreTest, ARecordingTakesEverySecondAudioValue)
{
    const std::string path = m_folder.File("demod.wav");
    CSoundEngine& engine = m_core->SoundEngine();
    engine.StartRecording(kplatform::Utf8ToWide(path));
    auto iOf = [](size_t k) { return static_cast<int>(k % 301) * 37 - 5000; };
    ASSERT_TRUE(Demod(LiveBlock(iOf)));
    engine.StopRecording();

    const std::vector<int16_t> samples = RecordedSamples(path);
    ASSERT_EQ(samples.size(), 2 * kDdcSamples / 2) << "two channels of every second value";
    for (size_t n = 0; n < kDdcSamples / 2; ++n)
    {
        const int16_t expected = Scaled(iOf(2 * n), 0);
        ASSERT_EQ(samples[2 * n], expected) << n;
        ASSERT_EQ(samples[2 * n + 1], expected) << n;
    }
}

TEST_F(SoundCoreTest, NothingReachesTheEngineWithoutRangeSoundOrRecordingOrDuringPlayback)
{
    CSoundEngine& engine = m_core->SoundEngine();
    engine.SetUseAgc(true);  // the automatic gain moves only when values arrive
    // The values that sound are those at even places: they swing too.
    const std::vector<uint8_t> block = LiveBlock([](size_t k) { return (k % 4 == 0) ? 4000 : -4000; });
    engine.ResetBuffers();  // the demodulator sound button alone feeds nothing here
    ASSERT_TRUE(Demod(block));
    EXPECT_EQ(engine.GetAgcGain(), 0.0);

    // A file played back has the output to itself.
    const std::string path = m_folder.File("tune.wav");
    {
        CSoundEngine writer;
        writer.SetDeviceName("no_such_pcm_device");
        ASSERT_TRUE(writer.Open(0, 16000));
        writer.StartRecording(kplatform::Utf8ToWide(path));
        for (int n = 0; n < 100; ++n)
            writer.PlaySample(n);
        writer.StopRecording();
    }
    engine.SetRangeSoundOn(true);
    ASSERT_TRUE(engine.OpenPlayback(kplatform::Utf8ToWide(path)));
    ASSERT_TRUE(Demod(block));
    EXPECT_EQ(engine.GetAgcGain(), 0.0);

    engine.StopPlayback();
    ASSERT_TRUE(Demod(block));
    EXPECT_GT(engine.GetAgcGain(), 0.0) << "range sound feeds once playback stops";
}

TEST_F(SoundCoreTest, DemoModePlaysTwoTonesInsteadOfTheAudio)
{
    const std::string path = m_folder.File("demo.wav");
    CSoundEngine& engine = m_core->SoundEngine();
    m_core->SetDemoMode(true);
    std::vector<uint8_t> block;
    ASSERT_TRUE(m_core->ReadData(block, 0, nullptr));
    engine.StartRecording(kplatform::Utf8ToWide(path));
    ASSERT_TRUE(Demod(block));
    engine.StopRecording();

    const std::vector<int16_t> samples = RecordedSamples(path);
    ASSERT_EQ(samples.size(), kDdcSamples);
    const double twoPi = 6.283185307179586;
    for (size_t n = 0; n < kDdcSamples / 2; ++n)
    {
        const auto step = static_cast<double>(n + 1);
        // The first tone (150 per value) in the upper half of the frame, the second (250) in the lower.
        const double first = 1000.0 * std::sin(twoPi * std::fmod(150.0 * step, 60000.0) / 60000.0);
        const double second = 1000.0 * std::sin(twoPi * std::fmod(250.0 * step, 60000.0) / 60000.0);
        ASSERT_EQ(samples[2 * n], Scaled(second, 0)) << n;
        ASSERT_EQ(samples[2 * n + 1], Scaled(first, 0)) << n;
    }
}

TEST_F(SoundCoreTest, ARateChangeReopensTheOutput)
{
    int made = 0;
    CSoundEngine& engine = m_core->SoundEngine();
    engine.SetOutputFactory(
        [&made]
        {
            ++made;
            return std::make_unique<CPacedAudioOutput>(CPacedAudioOutput::Mode::Held);
        });
    ASSERT_TRUE(engine.Open(0, 31250));
    EXPECT_EQ(made, 1);
    engine.SetRangeSoundOn(true);

    CControlBits& bits = m_core->ControlBits();
    bits.Init();
    bits.AddChannel(0, L"HF", L"HF", 61e6);
    bits.SetCurrentChannel(0);
    bits.SetBandwidthIndex(6);
    const std::vector<uint8_t> block = LiveBlock([](size_t) { return 0; });
    ASSERT_TRUE(Demod(block));
    EXPECT_EQ(made, 2) << "the first rate seen";
    EXPECT_EQ(engine.GetOpenedRate(), 31250) << "with the parameters it was opened with";
    EXPECT_TRUE(engine.IsOutputOn()) << "range sound switches it on again";
    ASSERT_TRUE(Demod(block));
    EXPECT_EQ(made, 2) << "the same rate";

    engine.SetRangeSoundOn(false);
    bits.SetBandwidthIndex(5);
    ASSERT_TRUE(Demod(block));
    EXPECT_EQ(made, 3);
    EXPECT_FALSE(engine.IsOutputOn());
}

TEST(SoundCoreBlocks, RangeSoundSetsTheDdcBlockCount)
{
    auto backend = std::make_shared<CInProcessIioBackend>();
    CSdrLink::Instance().ResetForTesting();
    CSdrLink::Instance().SetBackend(backend);
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
    {
        CKelthar core;
        core.SetFrontEndCommands(std::make_unique<CRecordingFrontEnd>());
        CControlBits& bits = core.ControlBits();
        bits.Init();
        IChannel* channel = bits.AddChannel(0, L"HF", L"HF", 61e6);
        channel->SetStartFreq(40);
        channel->SetStopFreq(6030);
        bits.SetCurrentChannel(0);
        core.SetFlags(true, CKelthar::kFlagSweepOff);
        ASSERT_TRUE(core.Connect("Board", 2, 65536));

        // Decimation 65: one DDC block without range sound, 700 / 65 = 10 with it.
        bits.SetBandwidthIndex(6);
        std::vector<uint8_t> block;
        ASSERT_TRUE(core.ReadData(block, 0, nullptr));
        EXPECT_EQ(block.size(), kSweepBytes + 24576u);
        core.SoundEngine().SetRangeSoundOn(true);
        ASSERT_TRUE(core.ReadData(block, 0, nullptr));
        EXPECT_EQ(block.size(), kSweepBytes + 10u * 24576u);

        // An operator's bandwidth of 3050 Hz: the SDR runs at 3 MS/s and decimates by 983, more than
        // 700, so no DDC part at all.
        DDC_BAND_ITEM narrow;
        narrow.Name = L"3 KHz";
        narrow.DeciCoeff = 20000;
        narrow.BypassFir = 1;
        narrow.CorrectAmpl = 1.0;
        ASSERT_TRUE(bits.InsertDdcBand(bits.GetDdcBandCount(), narrow));
        bits.SetBandwidthIndex(bits.GetDdcBandCount() - 1);
        ASSERT_DOUBLE_EQ(bits.GetSampleRate(-1), 3050.0);
        ASSERT_TRUE(core.ReadData(block, 0, nullptr));
        EXPECT_EQ(block.size(), kSweepBytes);
    }
    CSdrLink::Instance().ResetForTesting();
}
