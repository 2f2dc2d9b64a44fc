#include "soundengine.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "alsaaudiooutput.h"
#include "soundlock.h"

namespace
{
constexpr size_t kFrameBytes = 4;
constexpr double kAgcStep = 0.25;
constexpr double kAgcScale = 10000.0;
constexpr double kTrackerStart = 8388608.0;
constexpr double kLoudestGain = 0.001;
constexpr double kGainPerLevel = 0.299 / 100.0;

void PutFrame(uint8_t* frame, int16_t left, int16_t right)
{
    const auto l = static_cast<uint16_t>(left);
    const auto r = static_cast<uint16_t>(right);
    frame[0] = static_cast<uint8_t>(l);
    frame[1] = static_cast<uint8_t>(l >> 8);
    frame[2] = static_cast<uint8_t>(r);
    frame[3] = static_cast<uint8_t>(r >> 8);
}
}  // namespace

CSoundEngine::CSoundEngine() : m_outputFactory([] { return std::make_unique<kplatform::CAlsaAudioOutput>(); })
{
    m_format.channels = 2;
    m_format.bitsPerSample = 16;
    m_format.blockAlign = kFrameBytes;
}

CSoundEngine::~CSoundEngine()
{
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        m_recordFile.Close();
        m_playFile.Close();
    }
    CloseOutput();
}

bool CSoundEngine::GetInterface(int id, void** out)
{
    if (out == nullptr || id != kDeclickerId)
        return false;
    *out = static_cast<IDeclicker*>(&m_declicker);
    return true;
}

bool CSoundEngine::Open(int deviceId, int rate)
{
    // The device thread reopens on a rate change while the GUI thread may open: one at a time, and
    // never in the middle of a sample.
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    m_deviceId = deviceId;
    if (deviceId == -1 || rate <= 0)
        return false;
    if (rate == m_rate)
        return true;
    m_outputOn = false;
    m_playing = false;
    m_recording = false;
    CloseOutput();
    if (rate > kMaxRate)
        return false;

    const auto framesPerSec = static_cast<uint32_t>(rate / 2);
    m_format.samplesPerSecond = framesPerSec;
    m_format.bytesPerSecond = framesPerSec * kFrameBytes;

    m_semaphore = std::make_unique<kplatform::CCountingSemaphore>(kBufferCount, kBufferCount);
    std::unique_ptr<kplatform::IAudioOutput> output = m_outputFactory();
    kplatform::CCountingSemaphore* semaphore = m_semaphore.get();
    // Each buffer that the card is done with frees a place for the next one.
    if (output &&
        output->Open(ResolveDeviceName(deviceId), framesPerSec, [semaphore] { semaphore->Release(); }))
        m_output = std::move(output);
    // One second per buffer, in whole frames.
    for (auto& buffer : m_buffers)
        buffer.assign(static_cast<size_t>(framesPerSec) * kFrameBytes, 0);
    m_bufferIndex = 0;
    m_bufferFill = 0;
    m_waitBeforeFill = true;
    m_agcPeriod = std::max<int32_t>(rate / 2 / 10, 1);
    m_agcCounter = 0;
    m_rate = rate;
    // Without a device nothing sounds, yet recording and the level display go on.
    return true;
}

void CSoundEngine::CloseOutput()
{
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    if (m_output)
    {
        m_output->Reset();
        m_output->Close();
        m_output.reset();
    }
    for (auto& buffer : m_buffers)
        std::vector<uint8_t>().swap(buffer);
    m_semaphore.reset();
    // Nothing is open any more, so opening again at the old rate must really open.
    m_rate = 0;
}

bool CSoundEngine::Reopen()
{
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    const int rate = m_rate;
    if (m_deviceId == -1 || rate == 0)
        return false;
    const bool recording = m_recording;
    const bool playing = m_playing;
    CloseOutput();
    const bool opened = Open(m_deviceId, rate);
    m_recording = recording;
    m_playing = playing;
    return opened;
}

bool CSoundEngine::HasOutput() const
{
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    return m_output != nullptr;
}

bool CSoundEngine::AllBuffersReturned() const
{
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    if (!m_semaphore)
        return true;
    // The buffer being filled took its place when its first frame came in.
    return m_semaphore->Count() == kBufferCount - (m_waitBeforeFill ? 0 : 1);
}

std::string CSoundEngine::ResolveDeviceName(int deviceId) const
{
    if (!m_deviceName.empty())
        return m_deviceName;
    const std::vector<std::string> names = kplatform::CAlsaAudioOutput::DeviceNames();
    if (deviceId < 0 || static_cast<size_t>(deviceId) >= names.size())
        return std::string();
    return names[static_cast<size_t>(deviceId)];
}

void CSoundEngine::ResetBuffers()
{
    m_outputOn = true;
}

void CSoundEngine::Close()
{
    m_outputOn = false;
}

double CSoundEngine::Gain(double sample)
{
    if (!m_useAgc)
        return m_fixedGain;
    m_runMax = std::max(m_runMax, sample);
    m_runMin = std::min(m_runMin, sample);
    if (++m_agcCounter < m_agcPeriod)
        return m_agcGain;
    // Every tenth of a second the gain moves a quarter of the way towards a hundredth of a percent of the
    // peak-to-peak range seen.
    m_agcCounter = 0;
    const double gain = m_agcGain + ((m_runMax - m_runMin) / kAgcScale - m_agcGain) * kAgcStep;
    m_agcGain = gain;
    m_runMax = -kTrackerStart;
    m_runMin = kTrackerStart;
    return gain;
}

int16_t CSoundEngine::ToOutputSample(double sample)
{
    const double gain = Gain(sample);
    // No gain yet (the first tenth of a second under AGC, or silence) plays silence, and loud values are
    // held at full scale instead of wrapping into noise.
    if (!(gain > 0.0))
        return 0;
    const double value = std::trunc(sample / gain);
    if (std::isnan(value))
        return 0;
    return static_cast<int16_t>(
        std::clamp(value, static_cast<double>(INT16_MIN), static_cast<double>(INT16_MAX)));
}

void CSoundEngine::WriteFrame(const uint8_t* frame)
{
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    if (!m_output)
        return;
    std::vector<uint8_t>& buffer = m_buffers[m_bufferIndex];
    if (m_waitBeforeFill)
    {
        // At most three buffers are with the card: a fourth waits for one to come back.
        m_semaphore->Acquire();
        m_waitBeforeFill = false;
    }
    std::copy(frame, frame + kFrameBytes, buffer.begin() + static_cast<ptrdiff_t>(m_bufferFill));
    m_bufferFill += kFrameBytes;
    if (m_bufferFill >= buffer.size())
    {
        m_bufferFill = 0;
        m_output->Write(buffer);
        m_bufferIndex = (m_bufferIndex + 1) % kBufferCount;
        m_waitBeforeFill = true;
    }
}

void CSoundEngine::PlaySample(double sample)
{
    if (!m_outputOn && !m_playing && !m_recording)
        return;
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    const int16_t value = ToOutputSample(sample);
    uint8_t frame[kFrameBytes];
    PutFrame(frame, value, value);
    WriteFrame(frame);
    if (m_recording)
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        if (m_recordFile.IsOpen())
            m_recordFile.WriteFrame(frame);
    }
}

void CSoundEngine::PlayStereo(double a, double b)
{
    if (!m_outputOn && !m_playing && !m_recording)
        return;
    std::lock_guard<std::recursive_mutex> lock(kplatform::SoundOutputLock());
    const int16_t upper = ToOutputSample(a);
    const int16_t lower = ToOutputSample(b);
    uint8_t frame[kFrameBytes];
    PutFrame(frame, lower, upper);
    WriteFrame(frame);
    if (m_recording)
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        if (m_recordFile.IsOpen())
            m_recordFile.WriteFrame(frame);
    }
}

void CSoundEngine::StartRecording(const std::wstring& path)
{
    m_recording = true;
    std::lock_guard<std::recursive_mutex> outputLock(kplatform::SoundOutputLock());
    std::lock_guard<std::mutex> lock(m_wavMutex);
    if (!m_recordFile.IsOpen() && !m_playFile.IsOpen())
        m_recordFile.Open(path, m_format);
}

void CSoundEngine::StopRecording()
{
    m_recording = false;
    std::lock_guard<std::mutex> lock(m_wavMutex);
    m_recordFile.Close();
}

bool CSoundEngine::OpenPlayback(const std::wstring& path)
{
    m_savedRate = m_rate;
    uint32_t framesPerSec = 0;
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        m_recordFile.Close();
        if (!m_playFile.Open(path))
            return false;
        framesPerSec = m_playFile.GetFormat().samplesPerSecond;
    }
    // The output takes two values per frame, so twice the file's rate makes the card run at the file's
    // own rate.
    Open(m_deviceId, static_cast<int>(2 * framesPerSec));
    m_playing = true;
    return true;
}

void CSoundEngine::StopPlayback()
{
    m_playing = false;
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        m_playFile.Close();
    }
    Open(m_deviceId, m_savedRate);
}

bool CSoundEngine::PlayNextBlock()
{
    std::vector<uint8_t> frames;
    {
        std::lock_guard<std::mutex> lock(m_wavMutex);
        if (!m_playFile.IsOpen() || m_recordFile.IsOpen())
            return false;
        if (m_playFile.ReadFrames(m_playFile.GetFormat().samplesPerSecond, frames) == 0)
            return false;
    }
    // The file holds what was played, already past the gain: it goes out as it is.
    for (size_t at = 0; at + kFrameBytes <= frames.size(); at += kFrameBytes)
        WriteFrame(&frames[at]);
    return true;
}

int CSoundEngine::GetPlaybackLength()
{
    std::lock_guard<std::mutex> lock(m_wavMutex);
    if (!m_playFile.IsOpen())
        return 0;
    const CWavReader::Format& format = m_playFile.GetFormat();
    return static_cast<int>(m_playFile.GetSampleCount() / format.samplesPerSecond / format.channels);
}

void CSoundEngine::SetRangeSoundOn(bool on)
{
    m_rangeSoundOn = on;
}

bool CSoundEngine::IsRangeSoundOn()
{
    return m_rangeSoundOn;
}

void CSoundEngine::SetUseAgc(bool on)
{
    m_useAgc = on;
}

void CSoundEngine::SetSoundLevel(int level)
{
    // Beyond 0..100 the gain would reach zero or turn negative.
    level = std::clamp(level, 0, 100);
    m_fixedGain = kLoudestGain - (level - 100) * kGainPerLevel;
}

int CSoundEngine::GetAgcLevel()
{
    const double level = std::trunc((m_agcGain - kLoudestGain) / kGainPerLevel);
    return static_cast<int>(std::clamp(level, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

bool CSoundEngine::IsOutputOn()
{
    return m_outputOn;
}

bool CSoundEngine::IsPlaying()
{
    return m_playing;
}

bool CSoundEngine::IsRecording()
{
    return m_recording;
}
