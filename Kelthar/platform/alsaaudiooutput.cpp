#include "alsaaudiooutput.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace kplatform
{
namespace
{
constexpr size_t kFrameBytes = 4;
// Slices of a twentieth of a second keep Reset and Close prompt without starving the card.
constexpr unsigned kSlicesPerSecond = 20;
constexpr unsigned kLatencyUs = 200000;

void QuietAlsa(const char*, int, const char*, int, const char*, ...)
{
}

void SilenceAlsaOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(QuietAlsa); });
}

snd_pcm_t* Pcm(void* handle)
{
    return static_cast<snd_pcm_t*>(handle);
}
}  // namespace

CAlsaAudioOutput::~CAlsaAudioOutput()
{
    Close();
}

bool CAlsaAudioOutput::Open(const std::string& device, unsigned frameRateHz, Completion onBufferDone)
{
    Close();
    if (frameRateHz == 0)
        return false;
    SilenceAlsaOnce();
    snd_pcm_t* pcm = nullptr;
    // Opened without blocking so that a busy device fails at once instead of waiting for its owner.
    if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    if (snd_pcm_nonblock(pcm, 0) < 0 ||
        snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, frameRateHz, 1,
                           kLatencyUs) < 0)
    {
        snd_pcm_close(pcm);
        return false;
    }
    m_pcm = pcm;
    m_frameRateHz = frameRateHz;
    m_onBufferDone = std::move(onBufferDone);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.clear();
        m_dropped = 0;
        m_cut = false;
        m_stop = false;
    }
    m_thread = std::thread(&CAlsaAudioOutput::Run, this);
    return true;
}

void CAlsaAudioOutput::Write(std::vector<uint8_t> buffer)
{
    if (!IsOpen())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(buffer));
    }
    m_wake.notify_one();
}

void CAlsaAudioOutput::Reset()
{
    if (!IsOpen())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_dropped += static_cast<int>(m_queue.size());
        m_queue.clear();
        m_cut = true;
    }
    m_wake.notify_one();
}

void CAlsaAudioOutput::Close()
{
    if (!m_thread.joinable())
        return;
    Reset();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
    // What the device still holds (at most the configured latency, a fifth of a second) belongs to
    // buffers already reported as done: it sounds out, and plugins that write files get all of it.
    snd_pcm_drain(Pcm(m_pcm));
    snd_pcm_close(Pcm(m_pcm));
    m_pcm = nullptr;
    m_onBufferDone = nullptr;
}

bool CAlsaAudioOutput::IsOpen() const
{
    return m_pcm != nullptr;
}

std::vector<std::string> CAlsaAudioOutput::DeviceNames()
{
    SilenceAlsaOnce();
    std::vector<std::string> names;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || hints == nullptr)
        return names;
    for (void** hint = hints; *hint != nullptr; ++hint)
    {
        char* name = snd_device_name_get_hint(*hint, "NAME");
        char* direction = snd_device_name_get_hint(*hint, "IOID");
        // No IOID means the device plays and records.
        const bool plays = direction == nullptr || std::strcmp(direction, "Output") == 0;
        if (name != nullptr && plays)
            names.emplace_back(name);
        std::free(name);
        std::free(direction);
    }
    snd_device_name_free_hint(hints);
    // The system's default device comes first, so that the program's default index 0 sounds on it.
    const auto found = std::find(names.begin(), names.end(), "default");
    if (found != names.end())
        std::rotate(names.begin(), found, found + 1);
    return names;
}

void CAlsaAudioOutput::Run()
{
    for (;;)
    {
        std::vector<uint8_t> buffer;
        int dropped = 0;
        bool stop = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_dropped > 0 || !m_queue.empty(); });
            dropped = m_dropped;
            m_dropped = 0;
            if (!m_queue.empty())
            {
                buffer = std::move(m_queue.front());
                m_queue.pop_front();
                m_cut = false;
            }
            stop = m_stop && m_queue.empty() && buffer.empty();
        }
        for (int n = 0; n < dropped; ++n)
            m_onBufferDone();
        if (!buffer.empty())
        {
            Play(buffer);
            m_onBufferDone();
        }
        if (stop)
            return;
    }
}

bool CAlsaAudioOutput::Play(const std::vector<uint8_t>& buffer)
{
    const size_t totalFrames = buffer.size() / kFrameBytes;
    const size_t sliceFrames = std::max<size_t>(m_frameRateHz / kSlicesPerSecond, 64);
    size_t at = 0;
    while (at < totalFrames)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_cut || m_stop)
                return false;
        }
        const size_t frames = std::min(sliceFrames, totalFrames - at);
        snd_pcm_sframes_t written = snd_pcm_writei(Pcm(m_pcm), &buffer[at * kFrameBytes], frames);
        if (written < 0)
            written = snd_pcm_recover(Pcm(m_pcm), static_cast<int>(written), 1);
        if (written < 0)
            return false;  // the device is gone; the rest of the buffer is lost, not the caller
        at += static_cast<size_t>(written);
    }
    return true;
}
}  // namespace kplatform
