#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "recordingfile.h"
#include "signalrecorder.h"
#include "tempdir.h"
#include "textcodec.h"

// The recorder and its files on their own: the exact bytes of a recording, the payload packing, the
// trailer kept whole while a recording grows, and damaged files refused without reading beyond them.

namespace
{
std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::wstring Wide(const std::string& path)
{
    return kplatform::Utf8ToWide(path);
}

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int width)
{
    for (int k = 0; k < width; ++k)
        bytes[at + static_cast<size_t>(k)] = static_cast<uint8_t>(value >> (8 * k));
}

std::vector<uint8_t> Le(uint64_t value, int width)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(width));
    PutLe(bytes, 0, value, width);
    return bytes;
}

std::vector<uint8_t> LeDouble(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Le(bits, 8);
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<uint8_t> RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

// Plays a recording to its end and returns the blocks; empty when it does not open.
std::vector<std::vector<uint8_t>> PlayAll(CSignalRecorder& recorder, const std::string& path)
{
    std::vector<std::vector<uint8_t>> blocks;
    if (!recorder.OpenRecording(Wide(path), 0, false))
        return blocks;
    std::vector<uint8_t> block;
    while (blocks.size() < 100 && recorder.ReadBlock(block))
        blocks.push_back(block);
    recorder.StopPlayback();
    return blocks;
}
}  // namespace

TEST(RecordingFile, StoppedAtOnceHoldsHeaderAndZeroDurationOnly)
{
    CTempDir dir;
    // The path goes to the file system as UTF-8.
    const std::string path = dir.File("\xD0\xB7\xD0\xB0\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C.rec");
    CSignalRecorder recorder(L"adf1");
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 1700000000000, 433.92e6, 434.5e6, false));
    EXPECT_TRUE(recorder.IsRecording());
    recorder.StopRecording(1700000000999);
    EXPECT_TRUE(recorder.IsIdle()) << "back to the state before recording";

    const std::vector<uint8_t> expected = Concat({
        {0x04, 0x00, 0x00, 0x00, 'a', 0x00, 'd', 0x00, 'f', 0x00, '1', 0x00},
        LeDouble(433.92e6),
        LeDouble(434.5e6),
        Le(0, 8),
    });
    EXPECT_EQ(ReadBytes(path), expected);

    RECORDING_FILE_INFO info;
    info.duration = -1;
    ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
    EXPECT_EQ(info.size, 36);
    EXPECT_EQ(info.duration, 0);
    EXPECT_GT(info.creationTime, 1600000000);

    // An empty recording opens and ends at once.
    ASSERT_TRUE(recorder.OpenRecording(Wide(path), 5, false));
    EXPECT_TRUE(recorder.IsPlaying());
    EXPECT_EQ(recorder.GetFreqBegin(), 433.92e6);
    EXPECT_EQ(recorder.GetFreqEnd(), 434.5e6);
    std::vector<uint8_t> block{1, 2, 3};
    EXPECT_FALSE(recorder.ReadBlock(block));
    EXPECT_EQ(block, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RecordingFile, DurationIsWholeSecondsFromStartToStop)
{
    CTempDir dir;
    CSignalRecorder recorder(L"adf1");
    struct
    {
        int64_t lengthMs;
        int64_t durationS;
    } cases[] = {{999, 0}, {1000, 1}, {61999, 61}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lengthMs);
        const std::string path = dir.File("d.rec");
        ASSERT_TRUE(recorder.StartRecording(Wide(path), 5000, 1.0, 2.0, false));
        recorder.StopRecording(5000 + c.lengthMs);
        RECORDING_FILE_INFO info;
        ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
        EXPECT_EQ(info.duration, c.durationS);
    }
}

TEST(RecordingFile, BlocksKeepTheirHeaderValuesAndBytes)
{
    CTempDir dir;
    const std::string path = dir.File("blocks.rec");
    CSignalRecorder recorder(L"adf1");
    // A raw block, then a packed one (bandwidth index above 1) that is mostly repeated bytes.
    const std::vector<uint8_t> raw = RandomBytes(1000, 1);
    std::vector<uint8_t> packed = RandomBytes(155648, 2);
    std::fill(packed.begin() + 70000, packed.end(), uint8_t{0x5A});
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 10000, 0.5, 6000.0, false));
    ASSERT_TRUE(recorder.WriteBlock(raw, 10020, 433.92e6, 1, 61e6 / 65));
    ASSERT_TRUE(recorder.WriteBlock(packed, 10140, 868.3e6, 6, 61e6 / 130));
    recorder.StopRecording(12500);

    // Header, two block headers, the raw payload, the packed payload and the trailer. Packed: 65537 bytes
    // as they are, a run for each of the 744 groups holding random bytes, one run for the 0x5A groups
    // and one for the last group, which ends in 3 fill bytes.
    const int64_t size = static_cast<int64_t>(ReadBytes(path).size());
    EXPECT_EQ(size, 28 + 32 + 1000 + 32 + 65537 + 8 * (744 + 2) + 8);

    ASSERT_TRUE(recorder.OpenRecording(Wide(path), 777, false));
    // The first block's header is known before it is read.
    EXPECT_EQ(recorder.GetBlockTime(), 10020);
    EXPECT_EQ(recorder.GetFilePosition(), 36 - 8);
    EXPECT_EQ(recorder.GetFileSize(), size);
    EXPECT_EQ(recorder.GetPlaybackDueMs(), 777);

    struct
    {
        const std::vector<uint8_t>* bytes;
        int64_t timeMs;
        double tuneHz;
        int32_t bandwidthIndex;
        double rateHz;
    } expected[] = {{&raw, 10020, 433.92e6, 1, 61e6 / 65}, {&packed, 10140, 868.3e6, 6, 61e6 / 130}};
    for (const auto& e : expected)
    {
        std::vector<uint8_t> block;
        ASSERT_TRUE(recorder.ReadBlock(block));
        EXPECT_TRUE(block == *e.bytes)
            << "block of " << e.bytes->size() << " bytes read back as " << block.size();
        EXPECT_EQ(recorder.GetBlockTime(), e.timeMs);
        EXPECT_EQ(recorder.GetTuneFreq(), e.tuneHz);
        EXPECT_EQ(recorder.GetBandwidthIndex(), e.bandwidthIndex);
        EXPECT_EQ(recorder.GetSampleRate(), e.rateHz);
        EXPECT_EQ(recorder.GetPlaybackDueMs(), 777 + e.timeMs - 10020);
    }
    std::vector<uint8_t> block;
    EXPECT_FALSE(recorder.ReadBlock(block)) << "the trailer is not a block";
    EXPECT_EQ(recorder.GetFilePosition(), size - 8);
    recorder.StopPlayback();
    EXPECT_TRUE(recorder.IsStopped());
    EXPECT_EQ(recorder.GetFilePosition(), -1) << "the file is closed";
}

// Packing keeps every block byte-exact, whatever its length and content; runs longer than a uint16
// count are split.
TEST(RecordingFile, PackedPayloadsUnpackToTheSameBlock)
{
    struct
    {
        size_t size;
        size_t repeatedFrom;  // bytes from here on are all 0x00
        size_t payloadBytes;  // 0: not checked
    } cases[] = {
        {155648, 155648, 0},                        // demo layout, no repetition; the tail needs 3 fill bytes
        {155648, 65537, 65537 + 8},                 // one run of 15019 groups, 3 fill bytes
        {65536 + 8 * 60000, 65537, 65537 + 2 * 8},  // 80000 equal groups: two runs
        {65544, 65536, 65537 + 8},                  // the fill equals the data: one run
        {131072 + 24576 * 7, 100000, 0},            // range-sound layout
        {1000, 0, 1000},                            // too short to pack: stored as it is
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.size) + " from " + std::to_string(c.repeatedFrom));
        std::vector<uint8_t> block = RandomBytes(c.size, static_cast<unsigned>(c.size));
        std::fill(block.begin() + static_cast<std::ptrdiff_t>(c.repeatedFrom), block.end(), uint8_t{0});
        const std::vector<uint8_t> payload = CRecordingFile::MakePayload(block, 2);
        if (c.payloadBytes != 0)
        {
            EXPECT_EQ(payload.size(), c.payloadBytes);
        }
        EXPECT_TRUE(std::equal(block.begin(),
                               block.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(65537, c.size)),
                               payload.begin()))
            << "the first 65537 bytes are stored as they are";
        std::vector<uint8_t> unpacked;
        ASSERT_TRUE(CRecordingFile::Unpack(payload.data(), payload.size(), unpacked));
        EXPECT_TRUE(unpacked == block) << unpacked.size() << " bytes";
        EXPECT_EQ(CRecordingFile::MakePayload(block, 1), block) << "index 0 and 1 store the block as it is";
    }
}

// Appending adds the new blocks behind the earlier ones, and the file plays whole with the summed
// duration; a file that is not a recording is not appended to.
TEST(RecordingFile, AppendingPlaysWholeWithTheSummedDuration)
{
    CTempDir dir;
    const std::string path = dir.File("append.rec");
    CSignalRecorder recorder(L"adf1");
    const std::vector<std::vector<uint8_t>> blocks = {RandomBytes(300, 3), RandomBytes(70000, 4),
                                                      RandomBytes(40, 5), RandomBytes(500, 6)};
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 0, 10.0, 20.0, false));
    ASSERT_TRUE(recorder.WriteBlock(blocks[0], 100, 1e6, 0, 1e5));
    ASSERT_TRUE(recorder.WriteBlock(blocks[1], 200, 1e6, 3, 1e5));
    recorder.StopRecording(3400);

    ASSERT_TRUE(recorder.StartRecording(Wide(path), 100000, 99.0, 99.0, true));
    ASSERT_TRUE(recorder.WriteBlock(blocks[2], 100100, 2e6, 1, 2e5));
    ASSERT_TRUE(recorder.WriteBlock(blocks[3], 100200, 2e6, 0, 2e5));
    recorder.StopRecording(102000);

    RECORDING_FILE_INFO info;
    ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
    EXPECT_EQ(info.duration, 3 + 2);
    EXPECT_EQ(PlayAll(recorder, path), blocks);
    EXPECT_EQ(recorder.GetFreqBegin(), 10.0) << "the earlier header stays";
    EXPECT_EQ(recorder.GetFreqEnd(), 20.0);

    const std::string other = dir.File("other.bin");
    const std::vector<uint8_t> notARecording = {3, 0, 0, 0, 'x', 0, 'y', 0, 'z', 0,
                                                1, 2, 3, 4, 5,   6, 7,   8, 9,   10};
    WriteBytes(other, notARecording);
    recorder.SetIdle();
    EXPECT_FALSE(recorder.StartRecording(Wide(other), 0, 1.0, 2.0, true));
    EXPECT_TRUE(recorder.IsIdle());
    EXPECT_EQ(ReadBytes(other), notARecording);
    EXPECT_FALSE(recorder.StartRecording(Wide(dir.File("missing.rec")), 0, 1.0, 2.0, true));
    EXPECT_FALSE(recorder.StartRecording(L"", 0, 1.0, 2.0, false));
    EXPECT_TRUE(recorder.IsIdle());
}

// While a recording grows, the file on disk is always a complete recording; a write that fails (the
// file size limit here) leaves everything written before it playable.
TEST(RecordingFile, AFailedWriteLeavesTheEarlierRecordingPlayable)
{
    CTempDir dir;
    const std::string path = dir.File("limit.rec");
    CSignalRecorder recorder(L"adf1");
    const std::vector<std::vector<uint8_t>> blocks = {RandomBytes(4000, 7), RandomBytes(4000, 8),
                                                      RandomBytes(4000, 9)};
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 0, 1.0, 2.0, false));
    ASSERT_TRUE(recorder.WriteBlock(blocks[0], 1000, 1e6, 0, 1e5));
    recorder.StopRecording(2000);
    EXPECT_EQ(PlayAll(recorder, path), std::vector<std::vector<uint8_t>>(blocks.begin(), blocks.begin() + 1));

    // Room for one more block and a little: the third write stops part-way.
    const auto sizeBefore = static_cast<rlim_t>(ReadBytes(path).size());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limit = old;
    limit.rlim_cur = sizeBefore + 4032 + 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);

    recorder.SetIdle();
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 50000, 1.0, 2.0, true));
    EXPECT_TRUE(recorder.WriteBlock(blocks[1], 51000, 1e6, 0, 1e5));
    EXPECT_FALSE(recorder.WriteBlock(blocks[2], 52000, 1e6, 0, 1e5));
    EXPECT_FALSE(recorder.WriteBlock(blocks[2], 53000, 1e6, 0, 1e5)) << "later blocks are dropped";
    // The recording is intact on disk before it is stopped, too.
    CSignalRecorder reader(L"adf1");
    EXPECT_EQ(PlayAll(reader, path), std::vector<std::vector<uint8_t>>(blocks.begin(), blocks.begin() + 2));
    recorder.StopRecording(54000);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);

    EXPECT_EQ(PlayAll(recorder, path), std::vector<std::vector<uint8_t>>(blocks.begin(), blocks.begin() + 2));
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
    EXPECT_EQ(info.duration, 2 + 4);
}

TEST(RecordingFile, CheckingAFileClosesTheRecordingKeepingItComplete)
{
    CTempDir dir;
    const std::string path = dir.File("open.rec");
    CSignalRecorder recorder(L"adf1");
    const std::vector<uint8_t> block = RandomBytes(64, 10);
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 0, 1.0, 2.0, false));
    ASSERT_TRUE(recorder.WriteBlock(block, 2500, 1e6, 0, 1e5));
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
    EXPECT_EQ(info.duration, 2) << "the trailer written behind the last block";
    EXPECT_FALSE(recorder.WriteBlock(block, 3000, 1e6, 0, 1e5)) << "the file was closed";
    recorder.StopRecording(9000);
    EXPECT_EQ(PlayAll(recorder, path), std::vector<std::vector<uint8_t>>{block});

    // The same during playback: the check ends the reading.
    ASSERT_TRUE(recorder.OpenRecording(Wide(path), 0, false));
    ASSERT_TRUE(recorder.CheckRecordingFile(Wide(path), info));
    std::vector<uint8_t> read;
    EXPECT_FALSE(recorder.ReadBlock(read));
    EXPECT_EQ(recorder.GetFilePosition(), -1);
}

// The GUI thread stops and restarts playback while the device thread reads blocks: the file is never
// closed under a read (the sanitizer build sees any use of a closed stream).
TEST(RecordingFile, StoppingPlaybackWhileTheDeviceThreadReads)
{
    CTempDir dir;
    const std::string path = dir.File("busy.rec");
    CSignalRecorder recorder(L"adf1");
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 0, 1.0, 2.0, false));
    for (int k = 0; k < 20; ++k)
        ASSERT_TRUE(
            recorder.WriteBlock(RandomBytes(70000, static_cast<unsigned>(k)), k, 1e6, 2 + k % 2, 1e5));
    recorder.StopRecording(1000);

    std::atomic<bool> done{false};
    std::atomic<int> blocks{0};
    std::thread device(
        [&]
        {
            std::vector<uint8_t> block;
            while (!done)
            {
                if (recorder.ReadBlock(block))
                {
                    EXPECT_EQ(block.size(), 70000u);
                    ++blocks;
                }
            }
        });
    for (int round = 0; round < 200; ++round)
    {
        ASSERT_TRUE(recorder.OpenRecording(Wide(path), 0, false));
        std::this_thread::yield();
        recorder.StopPlayback();
    }
    done = true;
    device.join();
    EXPECT_TRUE(recorder.IsStopped());
}

// Damaged recordings: each is refused by the check, or plays only the blocks it holds whole. The
// recorder's state is unchanged after a refusal, and nothing reads beyond the file (ASan build).
TEST(RecordingFile, CorruptRecordingsAreRefused)
{
    const std::vector<uint8_t> header =
        Concat({Le(4, 4), {'a', 0, 'd', 0, 'f', 0, '1', 0}, LeDouble(1.0), LeDouble(2.0)});
    auto blockHeader = [](int32_t bandwidthIndex, uint32_t payloadBytes)
    {
        return Concat({Le(1000, 8), LeDouble(1e6), Le(static_cast<uint32_t>(bandwidthIndex), 4),
                       LeDouble(1e5), Le(payloadBytes, 4)});
    };
    const std::vector<uint8_t> trailer = Le(7, 8);
    const std::vector<uint8_t> payload(16, 0xAB);
    // A packed payload whose runs unpack to more than any acquisition block.
    std::vector<uint8_t> hugeRuns(CRecordingFile::kPackedRawBytes, 1);
    for (int r = 0; r < 200; ++r)
        hugeRuns.insert(hugeRuns.end(), {1, 2, 3, 4, 5, 6, 0xFF, 0xFF});

    struct
    {
        const char* what;
        std::vector<uint8_t> bytes;
        bool recording;
        size_t blocks;
    } cases[] = {
        {"empty file", {}, false, 0},
        {"name length only", Le(4, 4), false, 0},
        {"other signature",
         Concat({Le(4, 4), {'a', 0, 'd', 0, 'f', 0, '2', 0}, LeDouble(1.0), LeDouble(2.0), trailer}), false,
         0},
        {"signature in 8-bit text",
         Concat({Le(4, 4), {'a', 'd', 'f', '1'}, LeDouble(1.0), LeDouble(2.0), trailer}), false, 0},
        {"name length 0", Concat({Le(0, 4), LeDouble(1.0), LeDouble(2.0), trailer}), false, 0},
        {"name length beyond the file", Concat({Le(0xFFFFFFFF, 4), header, trailer}), false, 0},
        {"name length above the bound", Concat({Le(65, 4), std::vector<uint8_t>(130, 'a'), header, trailer}),
         false, 0},
        {"header without trailer", header, false, 0},
        {"header cut in the band", std::vector<uint8_t>(header.begin(), header.end() - 3), false, 0},
        {"valid", Concat({header, blockHeader(0, 16), payload, trailer}), true, 1},
        {"payload length beyond the file", Concat({header, blockHeader(0, 0xFFFFFFFF), payload, trailer}),
         true, 0},
        {"payload running into the trailer", Concat({header, blockHeader(0, 20), payload, trailer}), true, 0},
        {"block header cut", Concat({header, std::vector<uint8_t>(20, 0), trailer}), true, 0},
        {"zero-length payload ends playback",
         Concat({header, blockHeader(0, 0), blockHeader(0, 16), payload, trailer}), true, 0},
        {"second block cut", Concat({header, blockHeader(0, 16), payload, blockHeader(0, 16), trailer}), true,
         1},
        {"runs beyond the largest block",
         Concat({header, blockHeader(2, static_cast<uint32_t>(hugeRuns.size())), hugeRuns, trailer}), true,
         0},
        {"negative bandwidth index is raw", Concat({header, blockHeader(-5, 16), payload, trailer}), true, 1},
    };
    CTempDir dir;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("damaged.rec");
        WriteBytes(path, c.bytes);
        CSignalRecorder recorder(L"adf1");
        RECORDING_FILE_INFO info;
        info.duration = -1;
        EXPECT_EQ(recorder.CheckRecordingFile(Wide(path), info), c.recording);
        EXPECT_EQ(info.size, static_cast<int64_t>(c.bytes.size()));
        EXPECT_EQ(info.duration, c.recording ? 7 : -1) << "the duration is read from recordings only";
        EXPECT_EQ(recorder.OpenRecording(Wide(path), 0, false), c.recording);
        EXPECT_EQ(recorder.IsPlaying(), c.recording) << "a refused file leaves the state as it was";
        std::vector<uint8_t> block;
        size_t played = 0;
        while (played < 10 && recorder.ReadBlock(block))
        {
            EXPECT_EQ(block, payload);
            ++played;
        }
        EXPECT_EQ(played, c.blocks);
    }
}

// A file cut anywhere is refused or plays the blocks before the cut, never a damaged one.
TEST(RecordingFile, TruncatedRecordingsPlayOnlyWholeBlocks)
{
    CTempDir dir;
    const std::string path = dir.File("whole.rec");
    CSignalRecorder recorder(L"adf1");
    const std::vector<std::vector<uint8_t>> blocks = {RandomBytes(24, 11), RandomBytes(66000, 12),
                                                      RandomBytes(40, 13)};
    ASSERT_TRUE(recorder.StartRecording(Wide(path), 0, 1.0, 2.0, false));
    ASSERT_TRUE(recorder.WriteBlock(blocks[0], 10, 1e6, 0, 1e5));
    ASSERT_TRUE(recorder.WriteBlock(blocks[1], 20, 1e6, 4, 1e5));
    ASSERT_TRUE(recorder.WriteBlock(blocks[2], 30, 1e6, 1, 1e5));
    recorder.StopRecording(1000);
    const std::vector<uint8_t> whole = ReadBytes(path);

    const std::string cut = dir.File("cut.rec");
    size_t refused = 0;
    for (size_t length = 0; length < whole.size();
         length += length < 200 || length > whole.size() - 200 ? 1 : 997)
    {
        SCOPED_TRACE(length);
        recorder.SetIdle();
        WriteBytes(cut,
                   std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        const std::vector<std::vector<uint8_t>> played = PlayAll(recorder, cut);
        ASSERT_LT(played.size(), blocks.size());
        EXPECT_TRUE(std::equal(played.begin(), played.end(), blocks.begin()));
        refused += recorder.IsIdle() ? 1 : 0;
    }
    EXPECT_GE(refused, 36u) << "files shorter than a header and a trailer are refused";
}
