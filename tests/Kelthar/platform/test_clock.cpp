#include <gtest/gtest.h>

#include <chrono>

#include "clock.h"

namespace
{
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}
}  // namespace

TEST(Clock, CountsMillisecondsAcrossASleep)
{
    const uint64_t before = kplatform::SteadyMs();
    const uint32_t tickBefore = kplatform::TickCountMs();
    const auto start = Clock::now();
    kplatform::SleepMs(120);
    const long long sleptMs = MsSince(start);
    const uint64_t elapsedMs = kplatform::SteadyMs() - before;
    const uint32_t tickElapsedMs = kplatform::TickCountMs() - tickBefore;

    EXPECT_GE(sleptMs, 120);
    EXPECT_LT(sleptMs, 1000);
    EXPECT_GE(elapsedMs, 120u);
    EXPECT_LE(elapsedMs, static_cast<uint64_t>(sleptMs) + 5);
    EXPECT_GE(tickElapsedMs, 120u);
    EXPECT_LE(tickElapsedMs, static_cast<uint32_t>(sleptMs) + 5);
}

TEST(Clock, TickCountIsTheLowWordOfTheSteadyClock)
{
    const uint64_t before = kplatform::SteadyMs();
    const uint32_t tick = kplatform::TickCountMs();
    const uint64_t after = kplatform::SteadyMs();
    EXPECT_LE(static_cast<uint32_t>(tick - static_cast<uint32_t>(before)),
              static_cast<uint32_t>(after - before));
}

TEST(Clock, SleepOfNothingReturnsAtOnce)
{
    for (int ms : {0, -1, -1000})
    {
        SCOPED_TRACE(ms);
        const auto start = Clock::now();
        kplatform::SleepMs(ms);
        EXPECT_LT(MsSince(start), 20);
    }
}
