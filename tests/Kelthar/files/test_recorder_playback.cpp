#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frontendlink.h"
#include "kelthar_core.h"
#include "signalrecorder.h"
#include "tempdir.h"
#include "textcodec.h"

// The recorder inside the data path: ReadData writes what it acquires while recording, a second core
// (as the program's recording viewer makes one) plays it back through ReadData at the recorded pace,
// and paused playback gives silent blocks that the processing steps skip.

namespace
{
constexpr int64_t kStartMs = 1700000000000;

// The interface, as the core's own recorder object for its pacing query.
CSignalRecorder* Recorder(CKelthar& core)
{
    void* out = nullptr;
    if (!core.GetInterface(12, &out))
        return nullptr;
    return static_cast<CSignalRecorder*>(static_cast<ISignalRecorder*>(out));
}

// A demo core tuned to one bandwidth entry of the first input.
void TuneDemoCore(CKelthar& core, int bandwidthIndex)
{
    core.ControlBits().Init();
    core.ControlBits().SetCurrentChannel(0);
    core.ControlBits().SetTuneFreqAndBandwidth(3000e6, bandwidthIndex);
    core.SetDemoMode(true);
}

struct RecordedBlock
{
    std::vector<uint8_t> bytes;
    int64_t timeMs;
};

// Records demo blocks at the given times and stops at stopMs.
std::vector<RecordedBlock> RecordDemo(CKelthar& core, const std::wstring& path,
                                      const std::vector<int64_t>& timesMs, int64_t stopMs, bool append)
{
    CSignalRecorder* recorder = Recorder(core);
    std::vector<RecordedBlock> blocks;
    if (recorder == nullptr || !recorder->StartRecording(path, timesMs.front(), 2950.0, 3050.0, append))
        return blocks;
    std::vector<uint8_t> block;
    for (int64_t timeMs : timesMs)
    {
        if (!core.ReadData(block, static_cast<uint64_t>(timeMs), nullptr))
            break;
        blocks.push_back({block, timeMs});
    }
    recorder->StopRecording(stopMs);
    return blocks;
}
}  // namespace

class RecorderPlayback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No unit and no SDR: only demo mode and playback give blocks.
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    }

    CTempDir m_dir;
};

TEST_F(RecorderPlayback, TheCoreHandsOutItsRecorderAsInterface12)
{
    CKelthar core;
    CSignalRecorder* recorder = Recorder(core);
    ASSERT_NE(recorder, nullptr);
    EXPECT_TRUE(recorder->IsIdle());
    EXPECT_EQ(recorder, Recorder(core)) << "a member, not a new object";
    EXPECT_EQ(recorder->GetName(), L"adf1");
}

// Raw (bandwidth index 0 and 1) and packed (above 1) blocks come back byte for byte, with the tuning
// and DDC rate they were recorded at, each once its recorded time has come.
TEST_F(RecorderPlayback, DemoBlocksPlayBackAsRecordedAtTheirPace)
{
    for (int bandwidthIndex : {0, 1, 6})
    {
        SCOPED_TRACE(bandwidthIndex);
        const std::wstring path =
            kplatform::Utf8ToWide(m_dir.File("demo" + std::to_string(bandwidthIndex) + ".rec"));
        CKelthar live;
        TuneDemoCore(live, bandwidthIndex);
        ASSERT_EQ(live.ControlBits().GetBandwidthIndex(), bandwidthIndex);
        const double rateHz = live.ControlBits().GetSampleRate(-1);
        const std::vector<RecordedBlock> recorded =
            RecordDemo(live, path, {kStartMs, kStartMs + 120, kStartMs + 370}, kStartMs + 2500, false);
        // The synthesizer input's tuning is where the filter refresh of each block put it.
        const double tuneHz = live.ControlBits().GetTuneFreq();
        ASSERT_EQ(recorded.size(), 3u);
        EXPECT_NE(recorded[0].bytes, recorded[1].bytes) << "the demo signal moves on between blocks";

        CKelthar viewer;
        CSignalRecorder* player = Recorder(viewer);
        RECORDING_FILE_INFO info;
        ASSERT_TRUE(player->CheckRecordingFile(path, info));
        EXPECT_EQ(info.duration, 2);
        const int64_t playMs = kStartMs + 3600000;
        ASSERT_TRUE(player->OpenRecording(path, playMs, false));
        EXPECT_EQ(player->GetFreqBegin(), 2950.0);
        EXPECT_EQ(player->GetFreqEnd(), 3050.0);

        std::vector<uint8_t> block;
        EXPECT_FALSE(viewer.ReadData(block, static_cast<uint64_t>(playMs - 1), nullptr)) << "not due yet";
        for (const RecordedBlock& expected : recorded)
        {
            // A block is due once the time between the previous one and the first has passed.
            const int64_t dueMs = player->GetPlaybackDueMs();
            if (dueMs > playMs)
            {
                EXPECT_FALSE(viewer.ReadData(block, static_cast<uint64_t>(dueMs - 1), nullptr));
            }
            ASSERT_TRUE(viewer.ReadData(block, static_cast<uint64_t>(dueMs), nullptr));
            EXPECT_TRUE(block == expected.bytes)
                << block.size() << " bytes against " << expected.bytes.size();
            EXPECT_EQ(player->GetBlockTime(), expected.timeMs);
            EXPECT_EQ(player->GetBandwidthIndex(), bandwidthIndex);
            EXPECT_EQ(player->GetTuneFreq(), tuneHz);
            EXPECT_EQ(player->GetSampleRate(), rateHz);
        }
        EXPECT_EQ(player->GetPlaybackDueMs(), playMs + 370);
        EXPECT_FALSE(viewer.ReadData(block, static_cast<uint64_t>(playMs + 100000), nullptr)) << "the end";
    }
}

TEST_F(RecorderPlayback, AppendedRecordingPlaysWholeWithTheSummedDuration)
{
    const std::wstring path = kplatform::Utf8ToWide(m_dir.File("append.rec"));
    CKelthar live;
    TuneDemoCore(live, 4);
    std::vector<RecordedBlock> recorded =
        RecordDemo(live, path, {kStartMs, kStartMs + 50}, kStartMs + 4200, false);
    const std::vector<RecordedBlock> more = RecordDemo(
        live, path, {kStartMs + 60000, kStartMs + 60050, kStartMs + 60100}, kStartMs + 63000, true);
    ASSERT_EQ(recorded.size(), 2u);
    ASSERT_EQ(more.size(), 3u);
    recorded.insert(recorded.end(), more.begin(), more.end());

    CKelthar viewer;
    CSignalRecorder* player = Recorder(viewer);
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(player->CheckRecordingFile(path, info));
    EXPECT_EQ(info.duration, 4 + 3);
    ASSERT_TRUE(player->OpenRecording(path, 0, false));
    std::vector<uint8_t> block;
    for (const RecordedBlock& expected : recorded)
    {
        ASSERT_TRUE(viewer.ReadData(block, UINT64_MAX / 2, nullptr));
        EXPECT_TRUE(block == expected.bytes);
        EXPECT_EQ(player->GetBlockTime(), expected.timeMs);
    }
    EXPECT_FALSE(viewer.ReadData(block, UINT64_MAX / 2, nullptr));
}

// Paused playback: ReadData zeroes the block it is given, and the processing steps skip it.
TEST_F(RecorderPlayback, StoppedRecorderGivesZeroedBlocksThatAreNotProcessed)
{
    CKelthar core;
    CSignalRecorder* recorder = Recorder(core);
    std::vector<uint8_t> block(CKelthar::kSweepBytes + CKelthar::kDdcBlockBytes, 0x7F);
    EXPECT_FALSE(core.ReadData(block, 0, nullptr)) << "idle and no hardware: nothing acquired";
    EXPECT_EQ(block.front(), 0x7F);

    recorder->SetStopped();
    ASSERT_TRUE(core.ReadData(block, 0, nullptr));
    EXPECT_EQ(block.size(), CKelthar::kSweepBytes + CKelthar::kDdcBlockBytes);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0; }));

    std::fill(block.begin(), block.end(), uint8_t{0x10});
    std::vector<double> out1{1.0};
    std::vector<double> out2{1.0};
    EXPECT_FALSE(core.ProcessBlock(block, out1, out2));
    EXPECT_TRUE(out1.empty());
    EXPECT_TRUE(out2.empty());
    std::vector<std::vector<double>> i{{1.0}};
    std::vector<std::vector<double>> q{{1.0}};
    std::vector<std::vector<double>> audio{{1.0}};
    EXPECT_FALSE(core.ProcessDemod(block, i, q, audio));
    EXPECT_TRUE(i.empty() && q.empty() && audio.empty());

    recorder->SetIdle();
    EXPECT_TRUE(core.ProcessBlock(block, out1, out2)) << "the same block is processed once playback is idle";
}
