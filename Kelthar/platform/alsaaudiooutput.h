#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audiooutput.h"
#include "platformexport.h"

namespace kplatform
{
// The sound card output over ALSA PCM. A thread of its own plays the queued buffers in short slices, so
// that Reset and Close take effect within a slice, and runs the completion after each buffer; it is the
// only thread the layer starts, and it stands for the system's audio thread. ALSA's own error prints are
// silenced: a missing card is an ordinary, quiet failure of Open.
class KPLATFORM_API CAlsaAudioOutput : public IAudioOutput
{
public:
    CAlsaAudioOutput() = default;
    ~CAlsaAudioOutput() override;
    CAlsaAudioOutput(const CAlsaAudioOutput&) = delete;
    CAlsaAudioOutput& operator=(const CAlsaAudioOutput&) = delete;

    bool Open(const std::string& device, unsigned frameRateHz, Completion onBufferDone) override;
    void Write(std::vector<uint8_t> buffer) override;
    void Reset() override;
    void Close() override;
    bool IsOpen() const override;

    // The playback devices ALSA names in its PCM hints, in ALSA's order (stable from run to run) except
    // that "default" leads; a device index of the program is an index into this list.
    static std::vector<std::string> DeviceNames();

private:
    void Run();
    // Plays one buffer; false when it was cut short by Reset or Close.
    bool Play(const std::vector<uint8_t>& buffer);

    void* m_pcm = nullptr;  // snd_pcm_t*, kept opaque so that users need no ALSA headers
    unsigned m_frameRateHz = 0;
    Completion m_onBufferDone;
    std::thread m_thread;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::vector<uint8_t>> m_queue;
    int m_dropped = 0;
    bool m_cut = false;
    bool m_stop = false;
};
}  // namespace kplatform
