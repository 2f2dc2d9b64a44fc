#include "clock.h"

#include <chrono>
#include <thread>

namespace kplatform
{
uint32_t TickCountMs()
{
    return static_cast<uint32_t>(SteadyMs());
}

uint64_t SteadyMs()
{
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

void SleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
}  // namespace kplatform
