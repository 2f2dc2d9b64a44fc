#include "signalrecorder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "messagesink.h"
#include "textcodec.h"

namespace
{
// The file's birth time where the file system keeps one, else its last modification, seconds.
bool FileStatus(const std::wstring& path, int64_t& size, int64_t& creationTime)
{
    const std::string utf8 = kplatform::WideToUtf8(path);
    struct statx extended;
    if (statx(AT_FDCWD, utf8.c_str(), 0, STATX_SIZE | STATX_BTIME | STATX_MTIME, &extended) == 0)
    {
        size = static_cast<int64_t>(extended.stx_size);
        creationTime =
            (extended.stx_mask & STATX_BTIME) != 0 ? extended.stx_btime.tv_sec : extended.stx_mtime.tv_sec;
        return true;
    }
    // Kernels without statx.
    struct stat plain;
    if (stat(utf8.c_str(), &plain) != 0)
        return false;
    size = static_cast<int64_t>(plain.st_size);
    creationTime = static_cast<int64_t>(plain.st_mtime);
    return true;
}
}  // namespace

CSignalRecorder::CSignalRecorder(const std::wstring& name) : m_name(name)
{
}

CSignalRecorder::~CSignalRecorder()
{
    std::lock_guard<std::mutex> lock(m_busy);
    CloseLocked();
}

void CSignalRecorder::SetStopped()
{
    m_state = kStateStopped;
}

void CSignalRecorder::SetIdle()
{
    m_state = kStateIdle;
}

bool CSignalRecorder::IsStopped()
{
    return m_state == kStateStopped;
}

bool CSignalRecorder::IsPlaying()
{
    return m_state == kStatePlaying;
}

bool CSignalRecorder::IsRecording()
{
    return m_state == kStateRecording;
}

bool CSignalRecorder::IsIdle()
{
    return m_state == kStateIdle;
}

void CSignalRecorder::CloseLocked()
{
    // A recording file needs nothing more: its blocks and a trailer are already on disk.
    m_file.Close();
    m_writing = false;
}

bool CSignalRecorder::PutTrailerLocked(int64_t durationS)
{
    return m_file.Seek(m_dataEnd) && m_file.WriteTrailer(durationS);
}

bool CSignalRecorder::CheckRecordingFile(const std::wstring& path, RECORDING_FILE_INFO& info)
{
    std::lock_guard<std::mutex> lock(m_busy);
    return CheckLocked(path, info);
}

bool CSignalRecorder::CheckLocked(const std::wstring& path, RECORDING_FILE_INFO& info)
{
    CloseLocked();
    if (path.empty() || !FileStatus(path, info.size, info.creationTime))
        return false;
    if (!m_file.Open(path, CRecordingFile::Mode::Read))
        return false;
    CRecordingFile::Header header;
    bool recording = m_file.ReadHeader(header) && header.name == m_name;
    // A file too short to hold the trailer behind its header is cut off, not a recording.
    int64_t duration = 0;
    recording = recording &&
                m_file.Position() + static_cast<int64_t>(CRecordingFile::kTrailerBytes) <= m_file.Size() &&
                m_file.ReadTrailer(duration);
    if (recording)
        info.duration = duration;
    m_file.Close();
    return recording;
}

bool CSignalRecorder::StartRecording(const std::wstring& path, int64_t nowMs, double freqBegin,
                                     double freqEnd, bool append)
{
    std::lock_guard<std::mutex> lock(m_busy);
    m_previousState = m_state;
    CRecordingFile::Header header;
    header.name = m_name;
    header.freqBegin = freqBegin;
    header.freqEnd = freqEnd;
    const bool opened = append ? OpenForAppendLocked(path, header) : CreateLocked(path, header);
    if (!opened)
    {
        m_file.Close();
        return false;
    }
    m_freqBegin = header.freqBegin;
    m_freqEnd = header.freqEnd;
    m_path = path;
    m_writing = true;
    m_writeFailed = false;
    m_startMs = nowMs;
    m_state = kStateRecording;
    return true;
}

bool CSignalRecorder::CreateLocked(const std::wstring& path, const CRecordingFile::Header& header)
{
    m_earlierDurationS = 0;
    if (!m_file.Open(path, CRecordingFile::Mode::Create) || !m_file.WriteHeader(header))
        return false;
    // A recording with no block yet is already complete.
    m_dataEnd = m_file.Position();
    return m_dataEnd > 0 && m_file.WriteTrailer(0) && m_file.Flush();
}

bool CSignalRecorder::OpenForAppendLocked(const std::wstring& path, CRecordingFile::Header& header)
{
    RECORDING_FILE_INFO info;
    if (!CheckLocked(path, info))
        return false;
    // The earlier recording keeps its header and band. Its trailer is overwritten by the first new
    // block, and the trailers written from then on hold the summed duration.
    if (!m_file.Open(path, CRecordingFile::Mode::Update) || !m_file.ReadHeader(header))
        return false;
    m_earlierDurationS = info.duration;
    m_dataEnd = m_file.Size() - static_cast<int64_t>(CRecordingFile::kTrailerBytes);
    return m_file.Seek(m_dataEnd);
}

bool CSignalRecorder::WriteBlock(const std::vector<uint8_t>& block, int64_t timeMs, double tuneFreqHz,
                                 int32_t bandwidthIndex, double sampleRateHz)
{
    std::lock_guard<std::mutex> lock(m_busy);
    if (m_state != kStateRecording || !m_writing || m_writeFailed || block.empty())
        return false;
    CRecordingFile::BlockHeader header;
    header.timeMs = timeMs;
    header.tuneFreqHz = tuneFreqHz;
    header.bandwidthIndex = bandwidthIndex;
    header.sampleRateHz = sampleRateHz;
    const int64_t durationS = m_earlierDurationS + (timeMs - m_startMs) / 1000;
    // The flush makes a failed write show here rather than at some later call.
    if (m_file.Seek(m_dataEnd) && m_file.WriteBlock(header, block))
    {
        const int64_t blockEnd = m_file.Position();
        if (blockEnd > m_dataEnd && m_file.WriteTrailer(durationS) && m_file.Flush())
        {
            m_dataEnd = blockEnd;
            return true;
        }
    }
    // The stream may still hold part of the block; whatever of it reaches the disk lies behind the last
    // whole block, and is cut off there. The file stays open for the final duration.
    m_writeFailed = true;
    m_file.Close();
    if (m_file.Open(m_path, CRecordingFile::Mode::Update) && m_file.Truncate(m_dataEnd) &&
        m_file.WriteTrailer(durationS) && m_file.Flush())
        kplatform::Trace("CSignalRecorder: a block could not be written; the recording ends before it");
    else
        kplatform::Trace("CSignalRecorder: the recording could not be repaired after a failed write");
    return false;
}

void CSignalRecorder::StopRecording(int64_t nowMs)
{
    std::lock_guard<std::mutex> lock(m_busy);
    m_state = m_previousState;
    if (!m_file.IsOpen())
        return;
    if (m_writing)
    {
        const int64_t durationS = m_earlierDurationS + (nowMs - m_startMs) / 1000;
        if (!PutTrailerLocked(durationS) || !m_file.Flush())
            kplatform::Trace("CSignalRecorder: the recording's duration could not be written");
    }
    if (!m_file.Close())
        kplatform::Trace("CSignalRecorder: the recording could not be closed");
    m_writing = false;
}

bool CSignalRecorder::OpenRecording(const std::wstring& path, int64_t nowMs, bool headerOnly)
{
    std::lock_guard<std::mutex> lock(m_busy);
    RECORDING_FILE_INFO info;
    if (!CheckLocked(path, info))
        return false;
    CRecordingFile::Header header;
    if (!m_file.Open(path, CRecordingFile::Mode::Read) || !m_file.ReadHeader(header))
    {
        m_file.Close();
        return false;
    }
    m_freqBegin = header.freqBegin;
    m_freqEnd = header.freqEnd;
    if (headerOnly)
        return true;
    m_startMs = nowMs;
    m_block.timeMs = 0;
    m_previousState = m_state;
    m_state = kStatePlaying;
    // The first block's values are known before it is read; an empty recording keeps time 0.
    const int64_t firstBlock = m_file.Position();
    CRecordingFile::BlockHeader first;
    if (m_file.ReadBlockHeader(first))
        m_block = first;
    m_firstBlockTimeMs = m_block.timeMs;
    (void)m_file.Seek(firstBlock);
    return true;
}

bool CSignalRecorder::ReadBlock(std::vector<uint8_t>& out)
{
    std::lock_guard<std::mutex> lock(m_busy);
    if (!m_file.IsOpen() || m_writing)
        return false;
    CRecordingFile::BlockHeader header;
    if (!m_file.ReadBlockHeader(header))
        return false;
    m_block = header;
    // A zero-length payload marks the end of the recorded blocks.
    if (header.payloadBytes < 1)
        return false;
    return m_file.ReadPayload(header, out);
}

void CSignalRecorder::StopPlayback()
{
    std::lock_guard<std::mutex> lock(m_busy);
    m_state = kStateStopped;
    CloseLocked();
}

int64_t CSignalRecorder::GetPlaybackDueMs()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_startMs + (m_block.timeMs - m_firstBlockTimeMs);
}

double CSignalRecorder::GetFreqBegin()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_freqBegin;
}

double CSignalRecorder::GetFreqEnd()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_freqEnd;
}

int64_t CSignalRecorder::GetBlockTime()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_block.timeMs;
}

double CSignalRecorder::GetTuneFreq()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_block.tuneFreqHz;
}

int32_t CSignalRecorder::GetBandwidthIndex()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_block.bandwidthIndex;
}

double CSignalRecorder::GetSampleRate()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_block.sampleRateHz;
}

int64_t CSignalRecorder::GetFilePosition()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_file.Position();
}

int64_t CSignalRecorder::GetFileSize()
{
    std::lock_guard<std::mutex> lock(m_busy);
    return m_file.Size();
}
