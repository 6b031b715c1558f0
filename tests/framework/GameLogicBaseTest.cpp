#include <gtest/gtest.h>

#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"
#include "platform/Clock.h"
#include "support/ScopedManualClock.h"

namespace {

using GameFramework::GameLogicBase;

class CountingLogic : public GameLogicBase
{
public:
    using GameLogicBase::GameLogicBase;
    void SetState(std::uint32_t state) override
    {
        ++setStateCalls;
        GameLogicBase::SetState(state);
    }
    int setStateCalls = 0;
};

class GameLogicBaseTest : public testing::Test
{
protected:
    GameLogicBaseTest()
    {
        level.stageIndex = 0;
        level.levelIndex = 2;
    }

    // On before the level's clock first reads it.
    TestSupport::ScopedManualClock clock;
    OrrelayEngine::MessageManager log{"Quillory", false, false, "", ""};
    OrrelayEngine::TimerManager timers;
    GameFramework::StageRecord stage;
    GameFramework::LevelRecord level;
};

void SleepMilliseconds(int milliseconds)
{
    Platform::AdvanceManualClock(static_cast<std::uint64_t>(milliseconds) * 1000u);
}

TEST_F(GameLogicBaseTest, AnnouncesTheLevelOneBasedAndStartsWithAStoppedClock)
{
    GameLogicBase logic(&log, &timers, nullptr, &stage, &level, 7);

    ASSERT_GE(log.GetMessageCount(), 1u);
    EXPECT_EQ(log.GetMessageAt(log.GetMessageCount() - 1).text.rfind("\nLoading level 1-3...", 0), 0u);
    EXPECT_EQ(logic.GetState(), GameLogicBase::kStateRunning);
    EXPECT_FALSE(logic.IsStateChanged());
    EXPECT_EQ(logic.GetValue(), 7u);
    EXPECT_EQ(logic.GetScore(), 0u);
    EXPECT_TRUE(logic.IsClockPaused());
    const float atStart = logic.GetElapsedTime();
    EXPECT_LT(atStart, 0.001f);
    SleepMilliseconds(30);
    EXPECT_EQ(logic.GetElapsedTime(), atStart);
}

TEST_F(GameLogicBaseTest, SettingTheCurrentStateAgainTouchesNeitherClockNorFlag)
{
    GameLogicBase logic(&log, &timers, nullptr, &stage, &level, 0);
    logic.PauseClock(false);

    logic.SetState(GameLogicBase::kStateRunning);
    EXPECT_FALSE(logic.IsStateChanged());
    EXPECT_FALSE(logic.IsClockPaused());

    logic.SetState(GameLogicBase::kStatePaused);
    EXPECT_TRUE(logic.IsStateChanged());
    EXPECT_TRUE(logic.IsClockPaused());

    logic.ClearStateChanged();
    logic.SetState(GameLogicBase::kStateRunning);
    EXPECT_TRUE(logic.IsStateChanged());
    EXPECT_FALSE(logic.IsClockPaused());
}

TEST_F(GameLogicBaseTest, PauseGoesThroughTheVirtualSlotButLeavesEndedLevelsAlone)
{
    struct Case
    {
        std::uint32_t state;
        bool pause;
        std::uint32_t expected;
        int calls;
    };
    const Case cases[] = {
        {GameLogicBase::kStateRunning, true, GameLogicBase::kStatePaused, 1},
        {GameLogicBase::kStatePaused, false, GameLogicBase::kStateRunning, 1},
        {GameLogicBase::kStateWon, true, GameLogicBase::kStateWon, 0},
        {GameLogicBase::kStateLost, false, GameLogicBase::kStateLost, 0},
    };
    for (const Case& c : cases) {
        CountingLogic logic(&log, &timers, nullptr, &stage, &level, 0);
        logic.GameLogicBase::SetState(c.state);
        const bool clockPaused = logic.IsClockPaused();
        logic.Pause(c.pause);
        EXPECT_EQ(logic.GetState(), c.expected) << c.state;
        EXPECT_EQ(logic.setStateCalls, c.calls) << c.state;
        if (c.calls == 0) {
            EXPECT_EQ(logic.IsClockPaused(), clockPaused) << c.state;
        }
    }
}

TEST_F(GameLogicBaseTest, ClockCountsOnlyWhileRunning)
{
    GameLogicBase logic(&log, &timers, nullptr, &stage, &level, 0);
    logic.PauseClock(false);
    SleepMilliseconds(60);
    logic.Pause(true);
    const float atPause = logic.GetElapsedTime();
    EXPECT_GT(atPause, 0.04f);
    SleepMilliseconds(60);
    EXPECT_FLOAT_EQ(logic.GetElapsedTime(), atPause);
}

TEST_F(GameLogicBaseTest, ReleasesItsClockToTheTimerManager)
{
    const std::uint32_t before = timers.GetSlotCount();
    {
        GameLogicBase logic(&log, &timers, nullptr, &stage, &level, 0);
        EXPECT_NE(timers.GetTimerAt(timers.GetSlotCount() - 1), nullptr);
    }
    for (std::uint32_t slot = before; slot < timers.GetSlotCount(); ++slot)
        EXPECT_EQ(timers.GetTimerAt(slot), nullptr);
}

} // namespace
