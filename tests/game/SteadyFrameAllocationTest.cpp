// The whole game's steady frames allocate nothing: the main menu, the stage
// map and a level in play, each left alone for two seconds of frames once it
// has settled.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "framework/GameLogicBase.h"
#include "game/logic/Board.h"
#include "game/logic/GameLogic.h"
#include "support/AllocationCounter.h"
#include "tests/game/GamePlayer.h"

namespace {

using PlayTests::GamePlayer;

constexpr std::uint32_t kSteadyFrames = 60;
// Openings, fades and the first uses of pooled records settle in this time.
constexpr std::uint32_t kSettleFrames = 90;

// Allocations over the steady frames; QUILLORY_TRACE_ALLOCATIONS=1 prints where.
std::size_t AllocationsOverSteadyFrames(GamePlayer& player)
{
    player.Frames(kSettleFrames);
    TestSupport::ScopedAllocationCount allocations;
    player.Frames(kSteadyFrames);
    return allocations.Count();
}

bool LevelIdle(const GamePlayer& player)
{
    const auto* level = dynamic_cast<const Tansywell::GameLogic*>(player.GetGame().GetGameLogic());
    return level != nullptr && level->GetState() == GameFramework::GameLogicBase::kStateRunning &&
           level->GetBoard()->GetQueuedGroupCount() == 0;
}

TEST(SteadyFrameAllocation, TheMainMenuTheStageMapAndALevelInPlayAllocateNothing)
{
    PlayTests::PlayMachine machine;
    GamePlayer player;
    ASSERT_TRUE(player.Start());
    if (!PlayTests::AssetsLoaded(player))
        GTEST_SKIP() << "the data set has no introduction yet: " << player.Screen();

    ASSERT_TRUE(PlayTests::EnterAsNewPlayer(player, "Ada"));
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player)) << "the main menu; " << player.Screen();

    int pages = 0;
    ASSERT_TRUE(PlayTests::OpenStageMap(player, pages));
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player)) << "the stage map; " << player.Screen();

    ASSERT_TRUE(player.Click("START_GAME_START"));
    ASSERT_TRUE(player.WaitFor([&] { return LevelIdle(player); }, 60.0f, "a level in play"));
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player)) << "a level in play; " << player.Screen();
    ASSERT_TRUE(LevelIdle(player)) << "the board stayed idle; " << player.Screen();
    ASSERT_TRUE(player.Stop());
}

} // namespace
