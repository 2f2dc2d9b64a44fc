#include "kelthar_core.h"

#include <algorithm>

// The recorder's part of the data path: a playing recording stands in for the hardware, and every
// block acquired while recording goes into the recording.

bool CKelthar::ReadFromRecording(std::vector<uint8_t>& block, uint64_t time, bool* result)
{
    // A recording plays without hardware: each block is handed out once as much time has passed since
    // playback started as lay between the block read last and the first one.
    if (m_recorder.IsPlaying())
    {
        *result = static_cast<int64_t>(time) >= m_recorder.GetPlaybackDueMs() && m_recorder.ReadBlock(block);
        return true;
    }
    // Paused playback shows silence.
    if (m_recorder.IsStopped())
    {
        std::fill(block.begin(), block.end(), uint8_t{0});
        *result = true;
        return true;
    }
    return false;
}

void CKelthar::RecordBlock(const std::vector<uint8_t>& block, uint64_t time)
{
    // The block goes with the tuning it was taken at and the DDC sample rate (0 while no bandwidth is
    // chosen).
    if (!m_recorder.IsRecording())
        return;
    const double sampleRateHz =
        m_controlBits.GetCurrentDdcBand() != nullptr ? m_controlBits.GetSampleRate(-1) : 0.0;
    m_recorder.WriteBlock(block, static_cast<int64_t>(time), m_controlBits.GetTuneFreq(),
                          m_controlBits.GetBandwidthIndex(), sampleRateHz);
}
