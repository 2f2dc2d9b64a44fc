#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audiooutput.h"
#include "platformexport.h"

namespace kplatform
{
// An output without a card, for checks that need the timing of one: in the paced mode its own thread
// "plays" each buffer for as long as it would sound and then completes it; in the held mode buffers
// complete only when CompleteOne is called. Every frame that finished playing is kept for inspection.
class KPLATFORM_API CPacedAudioOutput : public IAudioOutput
{
public:
    enum class Mode
    {
        Paced,
        Held
    };

    explicit CPacedAudioOutput(Mode mode = Mode::Paced);
    ~CPacedAudioOutput() override;
    CPacedAudioOutput(const CPacedAudioOutput&) = delete;
    CPacedAudioOutput& operator=(const CPacedAudioOutput&) = delete;

    // The device name is kept (DeviceName) and never refused.
    bool Open(const std::string& device, unsigned frameRateHz, Completion onBufferDone) override;
    void Write(std::vector<uint8_t> buffer) override;
    void Reset() override;
    void Close() override;
    bool IsOpen() const override;

    // Held mode: plays the oldest queued buffer and completes it; false when none is queued.
    bool CompleteOne();
    int QueuedCount() const;
    int CompletedCount() const;
    std::vector<uint8_t> Played() const;
    std::string DeviceName() const;
    unsigned FrameRateHz() const;

private:
    void Run();

    const Mode m_mode;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::vector<uint8_t>> m_queue;
    std::vector<uint8_t> m_played;
    Completion m_onBufferDone;
    std::string m_device;
    unsigned m_frameRateHz = 0;
    int m_completed = 0;
    // Counts resets, so the playing thread sees its buffer dropped.
    unsigned m_resets = 0;
    bool m_open = false;
    bool m_stop = false;
    std::thread m_thread;
};
}  // namespace kplatform
