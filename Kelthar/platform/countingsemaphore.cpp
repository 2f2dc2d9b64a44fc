#include "countingsemaphore.h"

#include <chrono>
#include <stdexcept>

namespace kplatform
{
CCountingSemaphore::CCountingSemaphore(int initial, int maximum) : m_count(initial), m_maximum(maximum)
{
    if (maximum <= 0 || initial < 0 || initial > maximum)
        throw std::invalid_argument("semaphore count out of range");
}

bool CCountingSemaphore::Release(int count)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (count <= 0 || count > m_maximum - m_count)
            return false;
        m_count += count;
    }
    if (count == 1)
        m_available.notify_one();
    else
        m_available.notify_all();
    return true;
}

void CCountingSemaphore::Acquire()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_available.wait(lock, [this] { return m_count > 0; });
    --m_count;
}

bool CCountingSemaphore::TryAcquire(int timeoutMs)
{
    if (timeoutMs < 0)
    {
        Acquire();
        return true;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_available.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_count > 0; }))
        return false;
    --m_count;
    return true;
}

int CCountingSemaphore::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_count;
}
}  // namespace kplatform
