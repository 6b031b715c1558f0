#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class ClockTest : public testing::Test
{
protected:
    void TearDown() override { Platform::SetManualClock(false); }
};

TEST_F(ClockTest, ManualClockMovesOnlyWhenAdvancedOrSlept)
{
    Platform::SetManualClock(true);
    EXPECT_EQ(Platform::GetTickCount(), 0u);
    EXPECT_EQ(Platform::GetPerformanceCounter(), 0u);
    EXPECT_EQ(Platform::GetPerformanceFrequency(), 1000000u);

    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(Platform::GetPerformanceCounter(), 0u);

    Platform::AdvanceManualClock(1999);
    EXPECT_EQ(Platform::GetTickCount(), 1u) << "milliseconds are truncated";
    EXPECT_EQ(Platform::GetPerformanceCounter(), 1999u);

    const auto before = std::chrono::steady_clock::now();
    Platform::SleepMilliseconds(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1)) << "sleeping must not wait";
    EXPECT_EQ(Platform::GetTickCount(), 60001u);
    EXPECT_EQ(Platform::GetPerformanceCounter(), 60001999u);

    // Switching on again while on keeps the time already advanced.
    Platform::SetManualClock(true);
    EXPECT_EQ(Platform::GetTickCount(), 60001u);
}

TEST_F(ClockTest, TickWrapsAfter32BitsWhileCounterKeepsCounting)
{
    Platform::SetManualClock(true);
    const std::uint64_t lastTickMicroseconds = 0xFFFFFFFFull * 1000;
    Platform::AdvanceManualClock(lastTickMicroseconds);
    const std::uint32_t beforeWrap = Platform::GetTickCount();
    EXPECT_EQ(beforeWrap, 0xFFFFFFFFu);

    Platform::AdvanceManualClock(3000);
    const std::uint32_t afterWrap = Platform::GetTickCount();
    EXPECT_EQ(afterWrap, 2u);
    EXPECT_EQ(static_cast<std::uint32_t>(afterWrap - beforeWrap), 3u);
    EXPECT_EQ(Platform::GetPerformanceCounter(), lastTickMicroseconds + 3000);
}

TEST_F(ClockTest, AdvancesFromSeveralThreadsAreAllCounted)
{
    Platform::SetManualClock(true);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 10000; ++i) {
                Platform::AdvanceManualClock(1);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(Platform::GetPerformanceCounter(), 40000u);
}

TEST_F(ClockTest, RealClockFollowsSleeping)
{
    const std::uint32_t tickBefore = Platform::GetTickCount();
    const std::uint64_t counterBefore = Platform::GetPerformanceCounter();
    Platform::SleepMilliseconds(20);
    const std::uint64_t counterAfter = Platform::GetPerformanceCounter();
    const std::uint32_t tickAfter = Platform::GetTickCount();

    EXPECT_GE(counterAfter - counterBefore, 20000u);
    EXPECT_GE(static_cast<std::uint32_t>(tickAfter - tickBefore), 20u);
    EXPECT_LT(counterAfter - counterBefore, 5000000u);
}

} // namespace
