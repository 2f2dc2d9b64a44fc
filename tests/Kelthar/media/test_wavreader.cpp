#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "soundengine.h"
#include "tempdir.h"
#include "textcodec.h"
#include "wavreader.h"

// WAV files as operators hand them over: decoded by their own format, or refused whole.

namespace
{
struct WavSpec
{
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t rate = 8000;
    uint16_t bits = 16;
    int blockAlign = -1;  // -1: channels x bits / 8
    int dataSize = -1;    // -1: the payload's size
};

void Put16(std::vector<uint8_t>& bytes, uint32_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int n = 0; n < 4; ++n)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * n)));
}

// A file with an extra "LIST" chunk ahead of "fmt ", as many editors write.
std::vector<uint8_t> MakeWav(const WavSpec& spec, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> bytes{'R', 'I', 'F', 'F'};
    Put32(bytes, 0);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'L', 'I', 'S', 'T'});
    Put32(bytes, 4);
    bytes.insert(bytes.end(), {'I', 'N', 'F', 'O', 'f', 'm', 't', ' '});
    Put32(bytes, 16);
    Put16(bytes, spec.formatTag);
    Put16(bytes, spec.channels);
    Put32(bytes, spec.rate);
    const uint32_t align = spec.blockAlign >= 0 ? static_cast<uint32_t>(spec.blockAlign)
                                                : static_cast<uint32_t>(spec.channels * spec.bits / 8);
    Put32(bytes, spec.rate * align);
    Put16(bytes, align);
    Put16(bytes, spec.bits);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    Put32(bytes,
          spec.dataSize >= 0 ? static_cast<uint32_t>(spec.dataSize) : static_cast<uint32_t>(payload.size()));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

std::wstring Write(const CTempDir& folder, const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = folder.File(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return kplatform::Utf8ToWide(path);
}

std::vector<int16_t> Frames(const std::vector<uint8_t>& bytes)
{
    std::vector<int16_t> values;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2)
        values.push_back(static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8)));
    return values;
}
}  // namespace

TEST(WavReader, DecodesEachFormatIntoSixteenBitStereo)
{
    CTempDir folder;
    const struct
    {
        const char* name;
        uint16_t channels;
        uint16_t bits;
        std::vector<uint8_t> payload;
        std::vector<int16_t> frames;  // left, right, ...
    } kCases[] = {
        {"8-bit mono is unsigned", 1, 8, {0x80, 0xFF, 0x00}, {0, 0, 32512, 32512, -32768, -32768}},
        {"16-bit stereo as stored",
         2,
         16,
         {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F},
         {1, -1, -32768, 32767}},
        {"24-bit mono keeps the top",
         1,
         24,
         {0xAA, 0x34, 0x12, 0x00, 0x00, 0x80},
         {0x1234, 0x1234, -32768, -32768}},
        {"32-bit stereo keeps the top", 2, 32, {0, 0, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, {2, -1}},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        WavSpec spec;
        spec.channels = c.channels;
        spec.bits = c.bits;
        CWavReader reader;
        ASSERT_TRUE(reader.Open(Write(folder, "case.wav", MakeWav(spec, c.payload))));
        EXPECT_EQ(reader.GetSampleCount(), c.payload.size() / (c.bits / 8));
        std::vector<uint8_t> out;
        EXPECT_EQ(reader.ReadFrames(100, out), c.frames.size() / 2);
        EXPECT_EQ(Frames(out), c.frames);
        EXPECT_EQ(reader.ReadFrames(100, out), 0u) << "the end of the data";
    }
}

TEST(WavReader, ADataSizeBeyondTheFileReadsWhatIsThere)
{
    CTempDir folder;
    WavSpec spec;
    spec.dataSize = 4000000;
    CWavReader reader;
    ASSERT_TRUE(reader.Open(Write(folder, "cut.wav", MakeWav(spec, std::vector<uint8_t>(4 * 10 + 3, 0x11)))));
    std::vector<uint8_t> out;
    EXPECT_EQ(reader.ReadFrames(1000, out), 10u) << "whole frames only";
    EXPECT_EQ(reader.GetSampleCount(), 20u);
}

TEST(WavReader, MalformedFilesAreRefusedAndPlaybackStaysOff)
{
    CTempDir folder;
    const std::vector<uint8_t> payload(4 * 8000 * 3, 0);
    auto with = [&](auto change)
    {
        WavSpec spec;
        change(spec);
        return MakeWav(spec, payload);
    };
    std::vector<uint8_t> notRiff = with([](WavSpec&) {});
    notRiff[0] = 'X';
    std::vector<uint8_t> noData = with([](WavSpec&) {});
    noData.resize(52);
    std::vector<uint8_t> noFmt{'R', 'I', 'F', 'F', 0,   0,   0, 0, 'W', 'A',
                               'V', 'E', 'd', 'a', 't', 'a', 0, 0, 0,   0};
    const struct
    {
        const char* name;
        std::vector<uint8_t> bytes;
    } kCases[] = {
        {"empty", {}},
        {"not RIFF", notRiff},
        {"no fmt chunk", noFmt},
        {"cut inside the format", std::vector<uint8_t>(notRiff.begin() + 4, notRiff.begin() + 40)},
        {"no data chunk", noData},
        {"float samples", with([](WavSpec& s) { s.formatTag = 3; })},
        {"extensible format", with([](WavSpec& s) { s.formatTag = 0xFFFE; })},
        {"no channels", with([](WavSpec& s) { s.channels = 0; })},
        {"three channels", with([](WavSpec& s) { s.channels = 3; })},
        {"rate 0", with([](WavSpec& s) { s.rate = 0; })},
        {"rate too high", with([](WavSpec& s) { s.rate = 384001; })},
        {"4-bit samples", with([](WavSpec& s) { s.bits = 4; })},
        {"12-bit samples", with([](WavSpec& s) { s.bits = 12; })},
        {"block align 0", with([](WavSpec& s) { s.blockAlign = 0; })},
        {"block align off", with([](WavSpec& s) { s.blockAlign = 6; })},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        CSoundEngine engine;
        engine.SetDeviceName("null");
        ASSERT_TRUE(engine.Open(0, 16000));
        EXPECT_FALSE(engine.OpenPlayback(Write(folder, "bad.wav", c.bytes)));
        EXPECT_FALSE(engine.IsPlaying());
        EXPECT_FALSE(engine.PlayNextBlock());
        EXPECT_EQ(engine.GetPlaybackLength(), 0);
        EXPECT_EQ(engine.GetOpenedRate(), 16000);
    }
    CSoundEngine engine;
    EXPECT_FALSE(engine.OpenPlayback(kplatform::Utf8ToWide(folder.File("missing.wav"))));

    // The same table's good row plays, so the refusals above are the fields' doing.
    engine.SetDeviceName("null");
    ASSERT_TRUE(engine.Open(0, 16000));
    ASSERT_TRUE(engine.OpenPlayback(Write(folder, "good.wav", with([](WavSpec&) {}))));
    EXPECT_EQ(engine.GetPlaybackLength(), 3);
}
