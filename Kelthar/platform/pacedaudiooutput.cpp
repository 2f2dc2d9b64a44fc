#include "pacedaudiooutput.h"

#include <chrono>

namespace kplatform
{
namespace
{
constexpr size_t kFrameBytes = 4;
}

CPacedAudioOutput::CPacedAudioOutput(Mode mode) : m_mode(mode)
{
}

CPacedAudioOutput::~CPacedAudioOutput()
{
    Close();
}

bool CPacedAudioOutput::Open(const std::string& device, unsigned frameRateHz, Completion onBufferDone)
{
    Close();
    if (frameRateHz == 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_device = device;
        m_frameRateHz = frameRateHz;
        m_onBufferDone = std::move(onBufferDone);
        m_open = true;
        m_stop = false;
    }
    if (m_mode == Mode::Paced)
        m_thread = std::thread(&CPacedAudioOutput::Run, this);
    return true;
}

void CPacedAudioOutput::Write(std::vector<uint8_t> buffer)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open)
            return;
        m_queue.push_back(std::move(buffer));
    }
    m_wake.notify_one();
}

void CPacedAudioOutput::Reset()
{
    Completion done;
    size_t dropped = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        dropped = m_queue.size();
        m_queue.clear();
        m_completed += static_cast<int>(dropped);
        ++m_resets;
        done = m_onBufferDone;
    }
    m_wake.notify_one();
    for (size_t n = 0; n < dropped && done; ++n)
        done();
}

void CPacedAudioOutput::Close()
{
    Reset();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_open = false;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

bool CPacedAudioOutput::IsOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

bool CPacedAudioOutput::CompleteOne()
{
    Completion done;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.empty())
            return false;
        m_played.insert(m_played.end(), m_queue.front().begin(), m_queue.front().end());
        m_queue.pop_front();
        ++m_completed;
        done = m_onBufferDone;
    }
    if (done)
        done();
    return true;
}

int CPacedAudioOutput::QueuedCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_queue.size());
}

int CPacedAudioOutput::CompletedCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_completed;
}

std::vector<uint8_t> CPacedAudioOutput::Played() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_played;
}

std::string CPacedAudioOutput::DeviceName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_device;
}

unsigned CPacedAudioOutput::FrameRateHz() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frameRateHz;
}

void CPacedAudioOutput::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop)
            return;
        // Sound out the buffer: the wait ends early only for Close; a Reset empties the queue, and the
        // buffer then counts as dropped.
        const auto frames = static_cast<long long>(m_queue.front().size() / kFrameBytes);
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(frames * 1000000 / m_frameRateHz);
        const unsigned resets = m_resets;
        m_wake.wait_until(lock, until, [this, resets] { return m_stop || m_resets != resets; });
        if (m_stop)
            return;
        if (m_resets != resets)
            continue;
        m_played.insert(m_played.end(), m_queue.front().begin(), m_queue.front().end());
        m_queue.pop_front();
        ++m_completed;
        Completion done = m_onBufferDone;
        lock.unlock();
        done();
        lock.lock();
    }
}
}  // namespace kplatform
