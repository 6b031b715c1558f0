#include <gtest/gtest.h>

#include "engine/core/Timer.h"
#include "platform/Clock.h"

namespace OrrelayEngine {
namespace {

class TimerTest : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override { Platform::SetManualClock(true); }
    void TearDown() override { Platform::SetManualClock(false); }

    static void AdvanceSeconds(double seconds)
    {
        Platform::AdvanceManualClock(static_cast<std::uint64_t>(seconds * 1000000.0));
    }
};

// Each case runs on the millisecond tick and on the performance counter.
INSTANTIATE_TEST_SUITE_P(BothClocks, TimerTest, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
    return info.param ? "PerformanceCounter" : "MillisecondTick";
});

TEST_P(TimerTest, PausedSpanDoesNotCount)
{
    Timer paused(2.5f, GetParam());
    Timer running(2.5f, GetParam());
    AdvanceSeconds(1.0);
    paused.SetPaused(true);
    AdvanceSeconds(3.0);
    paused.SetPaused(true); // a second pause keeps the first moment
    EXPECT_NEAR(paused.GetTime(), 3.5f, 1e-6f);
    paused.SetPaused(false);
    AdvanceSeconds(2.0);
    EXPECT_NEAR(paused.GetTime(), 5.5f, 1e-6f);
    EXPECT_NEAR(running.GetTime() - paused.GetTime(), 3.0f, 1e-6f);
}

TEST_P(TimerTest, SetTimeOnPausedTimerRunsFromThatTime)
{
    Timer timer(0.0f, GetParam());
    timer.SetPaused(true);
    AdvanceSeconds(5.0);
    timer.SetTime(10.0f);
    EXPECT_FALSE(timer.IsPaused());
    AdvanceSeconds(0.5);
    EXPECT_NEAR(timer.GetTime(), 10.5f, 1e-6f);
}

TEST_F(TimerTest, MillisecondTimerSpansTheTickWrap)
{
    // Bring the 32-bit millisecond tick half a second short of its wrap.
    constexpr std::uint64_t kTicksBeforeWrap = (std::uint64_t{1} << 32) - 500;
    Platform::AdvanceManualClock(kTicksBeforeWrap * 1000);
    Timer timer(0.0f, false);
    AdvanceSeconds(0.25);
    timer.SetPaused(true);
    AdvanceSeconds(0.5);
    timer.SetPaused(false);
    AdvanceSeconds(0.5);
    EXPECT_NEAR(timer.GetTime(), 0.75f, 1e-6f) << "paused before the wrap, resumed and read after it";
}

} // namespace
} // namespace OrrelayEngine
