#pragma once

#include <condition_variable>
#include <mutex>

#include "platformexport.h"

namespace kplatform
{
// A counting semaphore with an upper bound, as the system semaphore it replaces has.
class KPLATFORM_API CCountingSemaphore
{
public:
    // Throws std::invalid_argument unless 0 <= initial <= maximum and maximum > 0.
    CCountingSemaphore(int initial, int maximum);
    CCountingSemaphore(const CCountingSemaphore&) = delete;
    CCountingSemaphore& operator=(const CCountingSemaphore&) = delete;

    // Adds count; false, and nothing changes, when count is not positive or the sum would pass the
    // maximum.
    bool Release(int count = 1);
    void Acquire();
    // Waits at most timeoutMs (0: only looks; negative: waits for ever). True when a unit was taken.
    bool TryAcquire(int timeoutMs);
    int Count() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_available;
    int m_count;
    const int m_maximum;
};
}  // namespace kplatform
