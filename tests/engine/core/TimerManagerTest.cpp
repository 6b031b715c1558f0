#include <gtest/gtest.h>

#include "engine/core/TimerManager.h"
#include "platform/Clock.h"
#include "support/AllocationCounter.h"
#include "support/ScopedManualClock.h"

namespace OrrelayEngine {
namespace {

// Switched on before the manager reads the clock, off after it is gone.
using ManualClock = TestSupport::ScopedManualClock;

class TimerManagerTest : public testing::Test
{
protected:
    // Runs one frame of the given length and returns the measured frame time.
    float Frame(double milliseconds)
    {
        Platform::AdvanceManualClock(static_cast<std::uint64_t>(milliseconds * 1000.0));
        manager_.Update();
        return manager_.GetFrameTime();
    }

    ManualClock clock_;
    TimerManager manager_;
};

TEST_F(TimerManagerTest, FrameTimeIsClampedToTheAllowedRange)
{
    const std::pair<double, float> cases[] = {
        {5000.0, 0.1f}, // the first frame after a long start
        {0.4, 0.001f},  // faster than a millisecond
        {16.0, 0.016f}, {100.0, 0.1f}, {250.0, 0.1f},
    };
    for (const auto& [milliseconds, expected] : cases) {
        EXPECT_NEAR(Frame(milliseconds), expected, 1e-6f) << milliseconds << " ms";
    }
}

TEST_F(TimerManagerTest, FrameStillMeasuresMillisecondsAfterTenHours)
{
    Frame(10.0 * 3600.0 * 1000.0);
    EXPECT_NEAR(Frame(16.0), 0.016f, 0.0005f);
    EXPECT_NEAR(Frame(17.0), 0.017f, 0.0005f);
}

TEST_F(TimerManagerTest, FramesPerSecondChangeOncePerGatheredSecondOfUnclampedTime)
{
    for (int frame = 0; frame < 49; ++frame) {
        Frame(20.0);
    }
    EXPECT_EQ(manager_.GetFramesPerSecond(), 0u) << "49 frames of 20 ms are less than a second";
    Frame(30.0);
    EXPECT_EQ(manager_.GetFramesPerSecond(), 50u);
    // 0.01 s carried over; two frames of 600 ms count far more than their clamped 0.1 s.
    Frame(600.0);
    EXPECT_EQ(manager_.GetFramesPerSecond(), 50u);
    Frame(600.0);
    EXPECT_EQ(manager_.GetFramesPerSecond(), 2u);
}

TEST_F(TimerManagerTest, SmoothingFollowsSuddenFramesSlowly)
{
    manager_.SetSmoothing(true);
    for (int frame = 0; frame < 20; ++frame) {
        EXPECT_NEAR(Frame(16.0), 0.016f, 1e-5f);
    }
    EXPECT_NEAR(Frame(56.0), 0.016f + 0.1f * 0.040f, 1e-5f) << "a long frame adds a tenth of the difference";
    for (int frame = 0; frame < 100; ++frame) {
        Frame(16.0);
    }
    EXPECT_NEAR(Frame(4.0), 1.25f * 0.004f, 1e-5f) << "a short frame is capped at 1.25 times its raw value";
}

TEST_F(TimerManagerTest, DeletedSlotIsTheNextHandedOut)
{
    ASSERT_EQ(manager_.GetTimerAt(0), manager_.GetFrameTimer());
    Timer* first = manager_.CreateTimer(0.0f, false);
    Timer* second = manager_.CreateTimer(0.0f, true);
    manager_.CreateTimer(0.0f, false);
    manager_.DeleteTimer(first);
    manager_.DeleteTimer(second);
    EXPECT_EQ(manager_.GetTimerAt(2), nullptr);

    Timer* reused = manager_.CreateTimer(1.0f, false);
    EXPECT_EQ(manager_.GetTimerAt(2), reused) << "the slot freed last comes first";
    Timer* reusedAgain = manager_.CreateTimer(1.0f, false);
    EXPECT_EQ(manager_.GetTimerAt(1), reusedAgain);
    Timer* fresh = manager_.CreateTimer(1.0f, false);
    EXPECT_EQ(manager_.GetTimerAt(4), fresh);
}

TEST_F(TimerManagerTest, DeletingForeignOrNullTimerChangesNothing)
{
    Timer* own = manager_.CreateTimer(0.0f, false);
    TimerManager other;
    Timer* foreign = other.CreateTimer(0.0f, false);
    manager_.DeleteTimer(nullptr);
    manager_.DeleteTimer(foreign);
    EXPECT_EQ(manager_.GetTimerAt(1), own);
    EXPECT_EQ(other.GetTimerAt(1), foreign);

    manager_.DeleteTimer(own);
    manager_.DeleteTimer(own); // a second delete of the same pointer is ignored
    manager_.CreateTimer(0.0f, false);
    manager_.CreateTimer(0.0f, false);
    EXPECT_EQ(manager_.GetSlotCount(), 3u) << "the freed slot was on the stack only once";
}

TEST_F(TimerManagerTest, SteadyFramesAllocateNothing)
{
    manager_.SetSmoothing(true);
    manager_.CreateTimer(0.0f, false);
    for (int frame = 0; frame < 3; ++frame) {
        Frame(16.0);
    }
    TestSupport::ScopedAllocationCount allocations;
    for (int frame = 0; frame < 100; ++frame) {
        Frame(16.0);
    }
    EXPECT_EQ(allocations.Count(), 0u);
}

} // namespace
} // namespace OrrelayEngine
