#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ifpgainterface.h"

// What CheckRecordingFile finds out about a recording file.
struct RECORDING_FILE_INFO
{
    int64_t size = 0;          // bytes
    int64_t duration = 0;      // seconds, from the file's trailer
    int64_t creationTime = 0;  // seconds since 1970
};

// Records the device stream into recording files (*.rec) and plays them back block by block, so that
// the core can feed recorded blocks through the normal processing path instead of the device.
// States: 0 idle, 1 stopped (playback paused or ended), 2 playing, 4 recording. Times given by the
// caller are milliseconds since 1970.
class ISignalRecorder : public IFPGAInterface
{
public:
    virtual void SetStopped() = 0;
    // Checks the file and reads its header; unless headerOnly, also the first block header, and starts
    // playing.
    virtual bool OpenRecording(const std::wstring& path, int64_t nowMs, bool headerOnly) = 0;
    virtual void StopPlayback() = 0;
    // freqBegin and freqEnd describe the recorded band and are stored in the header. With append the
    // file must already be a recording, and playback then runs through both parts.
    virtual bool StartRecording(const std::wstring& path, int64_t nowMs, double freqBegin, double freqEnd,
                                bool append) = 0;
    // Writes the duration in whole seconds and closes the file; back to the state before recording.
    virtual void StopRecording(int64_t nowMs) = 0;
    virtual void SetIdle() = 0;
    // False when the file cannot be opened or is not a recording. Closes any file the recorder had open.
    virtual bool CheckRecordingFile(const std::wstring& path, RECORDING_FILE_INFO& info) = 0;
    virtual bool IsStopped() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsRecording() = 0;
    virtual bool IsIdle() = 0;
    // The next recorded block; false at the end of the recording or on a damaged block.
    virtual bool ReadBlock(std::vector<uint8_t>& out) = 0;
    virtual double GetFreqBegin() = 0;
    virtual double GetFreqEnd() = 0;
    // The values below belong to the last block header read.
    // Milliseconds since 1970.
    virtual int64_t GetBlockTime() = 0;
    // Hz.
    virtual double GetTuneFreq() = 0;
    virtual int32_t GetBandwidthIndex() = 0;
    // The DDC sample rate the block was recorded at, Hz.
    virtual double GetSampleRate() = 0;
    // Position in the open file, bytes.
    virtual int64_t GetFilePosition() = 0;
    // Length of the open file, bytes.
    virtual int64_t GetFileSize() = 0;
};
