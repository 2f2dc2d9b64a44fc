#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "countingsemaphore.h"
#include "soundlock.h"

using kplatform::CCountingSemaphore;

namespace
{
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}
}  // namespace

TEST(Semaphore, ReleaseNeverPassesTheMaximum)
{
    CCountingSemaphore semaphore(1, 3);
    EXPECT_EQ(semaphore.Count(), 1);
    EXPECT_TRUE(semaphore.Release(2));
    EXPECT_EQ(semaphore.Count(), 3);
    for (int count : {1, 0, -1})
    {
        SCOPED_TRACE(count);
        EXPECT_FALSE(semaphore.Release(count));
        EXPECT_EQ(semaphore.Count(), 3);
    }
    EXPECT_TRUE(semaphore.TryAcquire(0));
    EXPECT_FALSE(semaphore.Release(2));
    EXPECT_TRUE(semaphore.Release(1));
    EXPECT_EQ(semaphore.Count(), 3);
}

TEST(Semaphore, RejectsImpossibleCounts)
{
    const std::vector<std::pair<int, int>> cases = {{-1, 3}, {4, 3}, {0, 0}, {0, -2}};
    for (const auto& [initial, maximum] : cases)
    {
        SCOPED_TRACE(std::to_string(initial) + "/" + std::to_string(maximum));
        EXPECT_THROW(CCountingSemaphore(initial, maximum), std::invalid_argument);
    }
}

TEST(Semaphore, TryAcquireTakesAUnitOrWaitsTheTimeOut)
{
    CCountingSemaphore semaphore(2, 2);
    EXPECT_TRUE(semaphore.TryAcquire(0));
    EXPECT_TRUE(semaphore.TryAcquire(100));
    EXPECT_EQ(semaphore.Count(), 0);

    auto start = Clock::now();
    EXPECT_FALSE(semaphore.TryAcquire(0));
    EXPECT_LT(MsSince(start), 50);

    start = Clock::now();
    EXPECT_FALSE(semaphore.TryAcquire(150));
    const long long waitedMs = MsSince(start);
    EXPECT_GE(waitedMs, 145);
    EXPECT_LT(waitedMs, 1000);
    EXPECT_EQ(semaphore.Count(), 0);
}

TEST(Semaphore, ReleaseFromAnotherThreadWakesEveryWaiterItPaysFor)
{
    CCountingSemaphore semaphore(0, 3);
    std::atomic<int> acquired{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back(
            [&]
            {
                semaphore.Acquire();
                ++acquired;
            });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(acquired, 0);

    EXPECT_TRUE(semaphore.Release(2));
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (acquired < 2 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(acquired, 2);
    EXPECT_EQ(semaphore.Count(), 0);

    EXPECT_TRUE(semaphore.Release(1));
    for (std::thread& waiter : waiters)
        waiter.join();
    EXPECT_EQ(acquired, 3);
}

TEST(SoundOutputLock, IsOneRecursiveLockForTheProcess)
{
    std::recursive_mutex& lock = kplatform::SoundOutputLock();
    EXPECT_EQ(&lock, &kplatform::SoundOutputLock());

    std::lock_guard<std::recursive_mutex> outer(lock);
    {
        // The sound path re-enters the lock from the same thread.
        std::lock_guard<std::recursive_mutex> inner(kplatform::SoundOutputLock());
        EXPECT_FALSE(
            std::async(std::launch::async, [] { return kplatform::SoundOutputLock().try_lock(); }).get());
    }
    EXPECT_FALSE(
        std::async(std::launch::async, [] { return kplatform::SoundOutputLock().try_lock(); }).get());
}
