#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "isignalrecorder.h"
#include "recordingfile.h"

// The core's recorder of the device stream. The GUI thread starts and stops recording and playback; the
// device thread writes the acquired blocks while recording and reads the recorded ones while playing.
// One lock guards the file and the block values, so the GUI thread never closes the file in the middle
// of a block; the state itself is read without it.
//
// A recording is streamed: every block is followed at once by a trailer holding the duration so far,
// and the next block overwrites that trailer. The file on disk is therefore a complete recording at
// any moment, and appending to an earlier one never leaves its old trailer between the blocks. A write
// that fails cuts the file back to its last complete block and rewrites the trailer there; later blocks
// of that recording are dropped.
class CSignalRecorder : public ISignalRecorder
{
public:
    static constexpr int32_t kStateIdle = 0;
    static constexpr int32_t kStateStopped = 1;
    static constexpr int32_t kStatePlaying = 2;
    static constexpr int32_t kStateRecording = 4;

    // name: the signature that starts every recording ("adf1" in the core).
    explicit CSignalRecorder(const std::wstring& name);
    ~CSignalRecorder() override;
    CSignalRecorder(const CSignalRecorder&) = delete;
    CSignalRecorder& operator=(const CSignalRecorder&) = delete;

    void SetStopped() override;
    bool OpenRecording(const std::wstring& path, int64_t nowMs, bool headerOnly) override;
    void StopPlayback() override;
    bool StartRecording(const std::wstring& path, int64_t nowMs, double freqBegin, double freqEnd,
                        bool append) override;
    void StopRecording(int64_t nowMs) override;
    void SetIdle() override;
    bool CheckRecordingFile(const std::wstring& path, RECORDING_FILE_INFO& info) override;
    bool IsStopped() override;
    bool IsPlaying() override;
    bool IsRecording() override;
    bool IsIdle() override;
    bool ReadBlock(std::vector<uint8_t>& out) override;
    double GetFreqBegin() override;
    double GetFreqEnd() override;
    int64_t GetBlockTime() override;
    double GetTuneFreq() override;
    int32_t GetBandwidthIndex() override;
    double GetSampleRate() override;
    int64_t GetFilePosition() override;
    int64_t GetFileSize() override;

    // --- Internal operations of the library ---

    // Appends one acquired block while recording (the device thread); false in any other state, without
    // a recording file, or when the write failed. timeMs is the block's acquisition time.
    bool WriteBlock(const std::vector<uint8_t>& block, int64_t timeMs, double tuneFreqHz,
                    int32_t bandwidthIndex, double sampleRateHz);
    // Playback pacing: the earliest time (ms since 1970) at which the next block is due. The playback
    // start plus how far the last block read lies behind the first one of the recording.
    int64_t GetPlaybackDueMs();
    int32_t GetState() const { return m_state.load(); }
    const std::wstring& GetName() const { return m_name; }

private:
    bool CheckLocked(const std::wstring& path, RECORDING_FILE_INFO& info);
    // Open the recording file for StartRecording, with the header written or read.
    bool CreateLocked(const std::wstring& path, const CRecordingFile::Header& header);
    bool OpenForAppendLocked(const std::wstring& path, CRecordingFile::Header& header);
    // Closes the file; a recording file gets its final trailer first.
    void CloseLocked();
    // The trailer at the end of the recorded blocks, holding durationS.
    bool PutTrailerLocked(int64_t durationS);

    const std::wstring m_name;
    std::mutex m_busy;
    std::atomic<int32_t> m_state{kStateIdle};
    int32_t m_previousState = kStateIdle;

    CRecordingFile m_file;
    std::wstring m_path;
    // Set while the open file is being recorded into.
    bool m_writing = false;
    bool m_writeFailed = false;
    // Where the next block goes: the trailer sits there.
    int64_t m_dataEnd = 0;
    // The duration an appended-to recording already had, seconds.
    int64_t m_earlierDurationS = 0;

    CRecordingFile::BlockHeader m_block;
    int64_t m_startMs = 0;
    int64_t m_firstBlockTimeMs = 0;
    double m_freqBegin = 0.0;
    double m_freqEnd = 0.0;
};
