#include "kelthar_core.h"

#include <algorithm>
#include <cmath>

#include "ddcdecimator.h"

// The processing half of the data path: the sweep part of a block into sample vectors (with the
// overload check), the DDC part into I, Q and audio chunks, which feed the sound engine, the DDC WAV
// writer and the video engine on the way.

namespace
{
int GetInt16(const uint8_t* at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

int GetInt24(const uint8_t* at)
{
    const uint32_t bits = static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                          (static_cast<uint32_t>(at[2]) << 16);
    // Sign-extend bit 23.
    return static_cast<int>(bits ^ 0x800000u) - 0x800000;
}

// The current channel as the demodulator step keeps its offsets in it.
CChannel& CurrentChannel(CControlBits& bits)
{
    // The control bits hold every channel, the placeholder included, as a CChannel.
    return static_cast<CChannel&>(*bits.GetChannel(-1));
}
}  // namespace

bool CKelthar::ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                            std::vector<double>& out2)
{
    if (block.empty() || m_controlBits.GetAuxMode() || m_recorder.IsStopped())
    {
        out1.clear();
        out2.clear();
        return false;
    }

    // While the synthesizer scans, I and Q go to their own outputs. Otherwise out1 takes I and Q
    // interleaved, so both outputs hold two values per sample.
    const bool separate = m_controlBits.Adf().IsScanActive();
    const size_t samples = SweepPartBytes() / 4;
    const size_t values = separate ? samples : 2 * samples;
    out1.assign(values, 0.0);
    out2.assign(values, 0.0);

    const size_t n = std::min(block.size() / 4, samples);
    int maximum = n > 0 ? -32768 : 0;
    int minimum = n > 0 ? 32767 : 0;
    const uint8_t* at = block.data();
    for (size_t k = 0; k < n; ++k, at += 4)
    {
        const int i = GetInt16(at);
        const int q = GetInt16(at + 2);
        maximum = std::max(maximum, std::max(i, q));
        minimum = std::min(minimum, std::min(i, q));
        if (separate)
        {
            out1[k] = i;
            out2[k] = q;
        }
        else
        {
            out1[2 * k] = i;
            out1[2 * k + 1] = q;
        }
    }

    m_overload.Update(m_controlBits.GetCurrentChannelIndex(), maximum, minimum, m_controlBits);
    return true;
}

void CKelthar::SetDcOffsetCorrection(bool applyOffsets, bool automatic)
{
    m_applyDcOffsets = applyOffsets;
    m_automaticDc = automatic;
}

bool CKelthar::ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                            std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio)
{
    m_ddcChunkSample = 0;
    m_ddcChunkCount = 0;
    if ((!m_demoMode && block.empty()) || m_recorder.IsStopped())
    {
        i.clear();
        q.clear();
        audio.clear();
        return false;
    }
    if ((m_flags & kFlagDdcOff) != 0)
    {
        i = m_accumulators[0];
        q = m_accumulators[1];
        audio = m_accumulators[2];
        return false;
    }
    // Demo mode runs without Connect, and so without a demodulator made by it.
    if (!m_demodulator)
        m_demodulator = std::make_unique<CDemodulator>();

    const int type = m_controlBits.GetDemodType();
    const size_t storedChunks = m_accumulators[0].size();
    const DDC_BAND_ITEM* band = m_controlBits.GetCurrentDdcBand();
    // No bandwidth chosen yet: the values keep their raw scale.
    const double scale = 10.0 * (band != nullptr ? band->CorrectAmpl : 1.0);

    if (!m_demoMode)
        FollowSampleRate();
    // Range sound, or a sound recording, takes every second audio value; the file being played back has
    // the output to itself.
    const bool feedSound =
        (m_soundEngine.IsRangeSoundOn() || m_soundEngine.IsRecording()) && !m_soundEngine.IsPlaying();

    int64_t sumI = 0;
    int64_t sumQ = 0;
    for (size_t at = SweepPartBytes(); at + CDdcDecimator::kSampleBytes <= block.size();
         at += CDdcDecimator::kSampleBytes)
    {
        const int sampleI = GetInt24(&block[at]);
        const int sampleQ = GetInt24(&block[at + 3]);
        // The DDC file and the picture take the receiver's samples, never the demo signal.
        if (!m_demoMode)
            m_ddcWavWriter.WriteSample(sampleI, sampleQ);
        const double value = m_demodulator->Demodulate(type, sampleI, sampleQ);
        if (feedSound && (m_audioValueCount++ & 1) == 0)
            FeedSound(value);
        if (!m_demoMode && m_videoEngine.IsEnabled())
            m_videoEngine.ProcessSample(value);
        sumI += sampleI;
        sumQ += sampleQ;

        const auto chunk = static_cast<size_t>(m_ddcChunkCount);
        if (chunk < storedChunks)
        {
            m_accumulators[0][chunk][m_ddcChunkSample] = sampleI;
            m_accumulators[1][chunk][m_ddcChunkSample] = sampleQ;
            m_accumulators[2][chunk][m_ddcChunkSample] = value;
        }
        if (++m_ddcChunkSample == kAccumulatorLength)
        {
            m_demodSumI = sumI;
            m_demodSumQ = sumQ;
            if (m_applyDcOffsets)
            {
                const CChannel& channel = CurrentChannel(m_controlBits);
                m_demodSumI +=
                    static_cast<int64_t>(channel.GetDcOffset(CChannel::DcOffset::I)) * kAccumulatorLength;
                m_demodSumQ +=
                    static_cast<int64_t>(channel.GetDcOffset(CChannel::DcOffset::Q)) * kAccumulatorLength;
            }
            if (chunk < storedChunks)
                FinishChunk(chunk, scale);
            sumI = 0;
            sumQ = 0;
            m_ddcChunkSample = 0;
            ++m_ddcChunkCount;
        }
    }
    if (m_ddcChunkCount == 0)
        return false;

    if (m_automaticDc)
    {
        // Walk each offset one step against the sign of its chunk's sum.
        CChannel& channel = CurrentChannel(m_controlBits);
        const auto walk = [&channel](CChannel::DcOffset which, int64_t sum)
        { channel.SetDcOffset(which, channel.GetDcOffset(which) + (sum < 0 ? 1 : -1)); };
        walk(CChannel::DcOffset::Q, m_demodSumQ);
        walk(CChannel::DcOffset::I, m_demodSumI);
    }
    i = m_accumulators[0];
    q = m_accumulators[1];
    audio = m_accumulators[2];
    return true;
}

void CKelthar::FollowSampleRate()
{
    double rateHz = 0.0;
    if (m_recorder.IsPlaying())
        rateHz = m_recorder.GetSampleRate();
    else if (m_controlBits.GetCurrentDdcBand() != nullptr)
        rateHz = m_controlBits.GetSampleRate(-1);
    else
        return;  // no bandwidth chosen yet: nothing to follow
    if (rateHz == m_lastSampleRate)
        return;
    m_lastSampleRate = rateHz;
    m_soundEngine.Reopen();
    if (m_soundEngine.IsRangeSoundOn())
        m_soundEngine.ResetBuffers();
}

void CKelthar::FeedSound(double value)
{
    if (!m_demoMode)
    {
        m_soundEngine.PlaySample(value);
        return;
    }
    // Two tones a fifth apart on the two channels, from phases that wrap at kDemoToneCycle.
    constexpr int32_t kDemoToneCycle = 60000;
    constexpr int32_t kDemoToneSteps[2] = {150, 250};
    constexpr double kDemoToneAmplitude = 1000.0;
    constexpr double kTwoPi = 6.283185307179586;
    double tones[2];
    for (int n = 0; n < 2; ++n)
    {
        m_demoTonePhase[n] = (m_demoTonePhase[n] + kDemoToneSteps[n]) % kDemoToneCycle;
        tones[n] = kDemoToneAmplitude * std::sin(kTwoPi * m_demoTonePhase[n] / kDemoToneCycle);
    }
    m_soundEngine.PlayStereo(tones[0], tones[1]);
}

void CKelthar::FinishChunk(size_t chunk, double scale)
{
    std::vector<double>& valuesI = m_accumulators[0][chunk];
    std::vector<double>& valuesQ = m_accumulators[1][chunk];
    std::vector<double>& valuesAudio = m_accumulators[2][chunk];
    if (m_applyDcOffsets)
    {
        CChannel& channel = CurrentChannel(m_controlBits);
        const int offsetI = channel.GetDcOffset(CChannel::DcOffset::I);
        const int offsetQ = channel.GetDcOffset(CChannel::DcOffset::Q);
        const int offsetAudio = channel.GetDcOffset(CChannel::DcOffset::Audio);
        for (size_t n = 0; n < kDdcChunkSamples; ++n)
        {
            valuesI[n] += offsetI;
            valuesQ[n] += offsetQ;
            valuesAudio[n] += offsetAudio;
        }
    }
    for (size_t n = 0; n < kDdcChunkSamples; ++n)
    {
        valuesI[n] *= scale;
        valuesQ[n] *= scale;
        valuesAudio[n] *= scale;
    }
}
