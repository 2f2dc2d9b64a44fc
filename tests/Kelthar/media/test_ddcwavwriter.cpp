#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ddcwavwriter.h"
#include "tempdir.h"
#include "textcodec.h"
#include "wavwriter.h"

// The DDC's WAV files as another program reads them: the header's fields, the frames' byte layout, the
// shifts of the 16-bit modes, saturation, and what is left on disk when writing fails or stops.

namespace
{
std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path)
{
    return std::ifstream(path).good();
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t Get16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Sample `channel` of frame `frame` of a 16- or 24-bit stereo file, sign-extended.
int32_t Sample(const std::vector<uint8_t>& file, bool bits16, size_t frame, int channel)
{
    const size_t width = bits16 ? 2 : 3;
    const size_t at = 44 + frame * 2 * width + static_cast<size_t>(channel) * width;
    if (bits16)
        return static_cast<int16_t>(Get16(file, at));
    const uint32_t bits = file[at] | (file[at + 1] << 8) | (static_cast<uint32_t>(file[at + 2]) << 16);
    return static_cast<int32_t>(bits ^ 0x800000u) - 0x800000;
}

std::wstring Wide(const std::string& path)
{
    return kplatform::Utf8ToWide(path);
}
}  // namespace

TEST(DdcWavWriter, HeaderDescribesTheFramesWritten)
{
    struct Case
    {
        bool bits16;
        int rate;
        uint32_t pairs;
        uint16_t blockAlign;
    };
    const Case cases[] = {{false, 48000, 5, 6}, {true, 96000, 7, 4}, {false, 2000000, 0, 6}, {true, 1, 1, 4}};
    CTempDir dir;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (c.bits16 ? "16" : "24") << " bit, " << c.pairs << " pairs");
        const std::string path = dir.File("iq.wav");
        CDdcWavWriter writer;
        ASSERT_TRUE(writer.Start(Wide(path), c.rate, c.bits16, false));
        EXPECT_TRUE(writer.IsWriting());
        for (uint32_t n = 0; n < c.pairs; ++n)
            writer.WriteSample(static_cast<int32_t>(n), -static_cast<int32_t>(n));
        writer.Stop();
        EXPECT_FALSE(writer.IsWriting());

        const std::vector<uint8_t> file = ReadFile(path);
        const uint32_t dataBytes = c.blockAlign * c.pairs;
        ASSERT_EQ(file.size(), 44u + dataBytes);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
        EXPECT_EQ(Get32(file, 4), dataBytes + 36);
        EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(Get32(file, 16), 16u);
        EXPECT_EQ(Get16(file, 20), 1u) << "PCM";
        EXPECT_EQ(Get16(file, 22), 2u) << "I and Q";
        EXPECT_EQ(Get32(file, 24), static_cast<uint32_t>(c.rate));
        EXPECT_EQ(Get32(file, 28), static_cast<uint32_t>(c.rate) * c.blockAlign);
        EXPECT_EQ(Get16(file, 32), c.blockAlign);
        EXPECT_EQ(Get16(file, 34), c.bits16 ? 16u : 24u);
        EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
        EXPECT_EQ(Get32(file, 40), dataBytes);
    }
}

TEST(DdcWavWriter, SamplesAreStoredShiftedAndSaturatedPerMode)
{
    struct Case
    {
        bool bits16;
        int32_t in;
        int32_t stored;
    };
    const Case cases[] = {
        // 24 bits: as they come, little-endian in three bytes.
        {false, 0x7FFFFF, 0x7FFFFF},
        {false, -0x800000, -0x800000},
        {false, -1, -1},
        {false, 0x123456, 0x123456},
        // Beyond 24 bits: the nearest value the field holds.
        {false, 0x1000000, 0x7FFFFF},
        {false, -0x1000001, -0x800000},
        // 16 bits: the low 8 bits dropped, negative values rounding down.
        {true, 0x7FFFFF, 0x7FFF},
        {true, -0x800000, -0x8000},
        {true, 0x1234FF, 0x1234},
        {true, 255, 0},
        {true, -1, -1},
        {true, -256, -1},
        {true, -257, -2},
        {true, 0x1000000, 0x7FFF},
        {true, INT32_MIN, -0x8000},
    };
    CTempDir dir;
    for (bool bits16 : {false, true})
    {
        const std::string path = dir.File(bits16 ? "16.wav" : "24.wav");
        CDdcWavWriter writer;
        ASSERT_TRUE(writer.Start(Wide(path), 8000, bits16, false));
        std::vector<Case> written;
        for (const Case& c : cases)
        {
            if (c.bits16 != bits16)
                continue;
            // I carries the value and Q its negation (where that is a number), so both channels are seen.
            writer.WriteSample(c.in, c.in == INT32_MIN ? 0 : -c.in);
            written.push_back(c);
        }
        writer.Stop();
        const std::vector<uint8_t> file = ReadFile(path);
        ASSERT_EQ(file.size(), 44 + written.size() * (bits16 ? 4 : 6));
        for (size_t n = 0; n < written.size(); ++n)
        {
            SCOPED_TRACE(testing::Message() << (bits16 ? "16" : "24") << " bit, in " << written[n].in);
            EXPECT_EQ(Sample(file, bits16, n, 0), written[n].stored);
        }
    }
    // The byte order of a 24-bit frame.
    const std::string path = dir.File("bytes.wav");
    CDdcWavWriter writer;
    ASSERT_TRUE(writer.Start(Wide(path), 8000, false, false));
    writer.WriteSample(0x123456, -2);
    writer.Stop();
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 50u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 44, file.end()),
              (std::vector<uint8_t>{0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF}));
}

TEST(DdcWavWriter, NormalisationFollowsThePeakOfThePreviousThreeSeconds)
{
    // At 10 pairs a second a peak period is 30 pairs.
    constexpr int kRate = 10;
    constexpr size_t kPeriod = 30;
    CTempDir dir;
    const std::string path = dir.File("norm.wav");
    CDdcWavWriter writer;
    ASSERT_TRUE(writer.Start(Wide(path), kRate, true, true));
    // First period: a peak of 2^20, otherwise 5000.
    writer.WriteSample(1 << 20, -(1 << 20));
    for (size_t n = 1; n < kPeriod; ++n)
        writer.WriteSample(5000, -5000);
    EXPECT_EQ(writer.GetHeldPeak(), 1 << 20);
    // Second period: nothing above 1000.
    for (size_t n = 0; n < kPeriod; ++n)
        writer.WriteSample(1000, -1000);
    EXPECT_EQ(writer.GetHeldPeak(), 1000);
    writer.WriteSample(1000, -1000);
    writer.Stop();

    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 44 + 4 * (2 * kPeriod + 1));
    // The first three seconds pass unscaled, saturated where 16 bits cannot hold them.
    EXPECT_EQ(Sample(file, true, 0, 0), 32767);
    EXPECT_EQ(Sample(file, true, 0, 1), -32768);
    EXPECT_EQ(Sample(file, true, 28, 0), 5000);
    // The pair that completes the period is the first one scaled: 2^20 has its top bit at 20, 6 above 14.
    EXPECT_EQ(Sample(file, true, 29, 0), 5000 >> 6);
    EXPECT_EQ(Sample(file, true, 29, 1), -79) << "arithmetic shift of -5000";
    EXPECT_EQ(Sample(file, true, 30, 0), 1000 >> 6);
    EXPECT_EQ(Sample(file, true, 58, 1), -16);
    // A held peak of 1000 fits 15 bits: no shift.
    EXPECT_EQ(Sample(file, true, 59, 0), 1000);
    EXPECT_EQ(Sample(file, true, 60, 1), -1000);
}

TEST(DdcWavWriter, ShiftPutsTheHeldPeaksTopBitOnBit14)
{
    struct Case
    {
        int32_t peak;
        int shift;
    };
    const Case cases[] = {{1, 0},       {(1 << 15) - 1, 0}, {1 << 15, 1},
                          {1 << 20, 6}, {(1 << 23) - 1, 8}, {-(1 << 23), 9}};
    constexpr size_t kPeriod = 3;  // one pair a second
    // A probe that lands on 12288 after the expected shift, and on another value after any other.
    constexpr int32_t kScaled = 3 << 12;
    CTempDir dir;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "peak " << c.peak);
        const std::string path = dir.File("shift.wav");
        CDdcWavWriter writer;
        ASSERT_TRUE(writer.Start(Wide(path), 1, true, true));
        writer.WriteSample(0, c.peak);
        for (size_t n = 1; n < kPeriod; ++n)
            writer.WriteSample(0, 0);
        const int32_t probe = kScaled * (1 << c.shift);
        writer.WriteSample(probe, -probe);
        writer.Stop();
        const std::vector<uint8_t> file = ReadFile(path);
        ASSERT_EQ(file.size(), 44u + 4 * (kPeriod + 1));
        EXPECT_EQ(Sample(file, true, kPeriod, 0), kScaled);
        EXPECT_EQ(Sample(file, true, kPeriod, 1), -kScaled);
    }
}

TEST(DdcWavWriter, RefusedStartsLeaveNoFileAndWriteNothing)
{
    CTempDir dir;
    CDdcWavWriter writer;
    const std::string missingFolder = dir.File("no-such-folder/iq.wav");
    EXPECT_FALSE(writer.Start(Wide(missingFolder), 48000, false, false));
    EXPECT_FALSE(writer.IsWriting());
    writer.WriteSample(1, 2);
    writer.Stop();
    EXPECT_FALSE(Exists(missingFolder));

    // A started file is closed by a refused start; a rate of 0 creates nothing.
    const std::string first = dir.File("first.wav");
    const std::string noRate = dir.File("norate.wav");
    ASSERT_TRUE(writer.Start(Wide(first), 48000, false, false));
    writer.WriteSample(1, 2);
    EXPECT_FALSE(writer.Start(Wide(noRate), 0, true, false));
    EXPECT_FALSE(writer.IsWriting());
    writer.WriteSample(3, 4);
    EXPECT_FALSE(Exists(noRate));
    const std::vector<uint8_t> file = ReadFile(first);
    ASSERT_EQ(file.size(), 50u);
    EXPECT_EQ(Get32(file, 40), 6u) << "the first file was finished with its one pair";
}

TEST(DdcWavWriter, RestartTruncatesAndDestructionFinishesTheFile)
{
    CTempDir dir;
    // A name outside ASCII reaches the file system as UTF-8.
    const std::string path = dir.File("iq-\xD0\x96.wav");
    {
        CDdcWavWriter writer;
        ASSERT_TRUE(writer.Start(Wide(path), 1000, false, false));
        for (int n = 0; n < 10; ++n)
            writer.WriteSample(n, n);
        ASSERT_TRUE(writer.Start(Wide(path), 1000, true, false));
        for (int n = 0; n < 3; ++n)
            writer.WriteSample(n << 8, n << 8);
        // Never stopped: the program may exit while a file is open.
    }
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 44u + 12u);
    EXPECT_EQ(Get32(file, 4), 48u);
    EXPECT_EQ(Get32(file, 40), 12u);
    EXPECT_EQ(Sample(file, true, 2, 1), 2);
}

TEST(DdcWavWriter, StopFromAnotherThreadWhileSamplesArrive)
{
    CTempDir dir;
    const std::string path = dir.File("race.wav");
    CDdcWavWriter writer;
    std::atomic<bool> done{false};
    std::thread device(
        [&writer, &done]
        {
            int32_t n = 0;
            while (!done.load())
            {
                ++n;
                writer.WriteSample(n, -n);
            }
        });
    for (int round = 0; round < 50; ++round)
    {
        ASSERT_TRUE(writer.Start(Wide(path), 48000, round % 2 == 0, round % 3 == 0));
        std::this_thread::yield();
        writer.Stop();
        // Every file closed under the device thread's feet is whole: its header counts its frames.
        const std::vector<uint8_t> file = ReadFile(path);
        ASSERT_GE(file.size(), 44u);
        EXPECT_EQ(Get32(file, 40), file.size() - 44) << "round " << round;
        EXPECT_EQ((file.size() - 44) % (round % 2 == 0 ? 4 : 6), 0u);
    }
    done.store(true);
    device.join();
}

TEST(WavWriter, SizesThatOutgrowTheFieldsCountWholeFramesOnly)
{
    struct Case
    {
        uint16_t blockAlign;
        uint64_t frames;
        uint32_t dataBytes;
    };
    // The RIFF size (data + 36) must fit 32 bits: at most 0xFFFFFFDB data bytes, whole frames.
    const Case cases[] = {
        {4, 0, 0},
        {4, 1000, 4000},
        {6, 715827876, 0xFFFFFFD8u},  // the last whole 6-byte frame that fits
        {6, 715827877, 0xFFFFFFD8u},
        {4, 1073741814, 0xFFFFFFD8u},
        {4, uint64_t{1} << 40, 0xFFFFFFD8u},
        {1, uint64_t{1} << 33, 0xFFFFFFDBu},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.frames << " frames of " << c.blockAlign);
        CWavWriter::Format format;
        format.channels = 2;
        format.samplesPerSecond = 1000;
        format.blockAlign = c.blockAlign;
        format.bytesPerSecond = 1000u * c.blockAlign;
        format.bitsPerSample = static_cast<uint16_t>(4 * c.blockAlign);
        const CWavWriter::Header header = CWavWriter::MakeHeader(format, c.frames);
        const std::vector<uint8_t> bytes(header.begin(), header.end());
        EXPECT_EQ(Get32(bytes, 40), c.dataBytes);
        EXPECT_EQ(Get32(bytes, 4), c.dataBytes + 36);
        EXPECT_EQ(Get32(bytes, 24), 1000u);
        EXPECT_EQ(Get16(bytes, 32), c.blockAlign);
    }
}
