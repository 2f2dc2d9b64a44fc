#pragma once

#include <cstdint>

#include "platformexport.h"

namespace kplatform
{
// Milliseconds of the monotonic clock, cut to 32 bits: wraps after about 49.7 days, so compare two
// readings by their unsigned difference, never by their order.
KPLATFORM_API uint32_t TickCountMs();
// Milliseconds of the monotonic clock, unaffected by changes of the wall-clock time.
KPLATFORM_API uint64_t SteadyMs();
// Sleeps the calling thread; zero or a negative time returns at once.
KPLATFORM_API void SleepMs(int ms);
}  // namespace kplatform
