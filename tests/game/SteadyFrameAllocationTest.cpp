// The whole game's steady frames allocate nothing: the main menu and the
// stage map, each left alone for two seconds of frames once it has settled.
#include <gtest/gtest.h>

#include <cstdint>

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

TEST(SteadyFrameAllocation, TheMainMenuAndTheStageMapAllocateNothing)
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

    ASSERT_TRUE(player.Stop());
}

} // namespace
