// The whole game's steady frames allocate nothing: the main menu, the stage
// map and a level in play, each left alone for two seconds of frames once it
// has settled; in the level the character has spoken once and speaks again.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/GameLogicBase.h"
#include "game/logic/Character.h"
#include "support/AllocationCounter.h"
#include "tests/game/GamePlayer.h"

namespace {

using PlayTests::GamePlayer;

constexpr std::uint32_t kSteadyFrames = 60;
// Openings, fades and the first uses of pooled records settle in this time.
constexpr std::uint32_t kSettleFrames = 90;

// Allocations over the steady frames after the settling ones;
// QUILLORY_TRACE_ALLOCATIONS=1 prints where.
std::size_t AllocationsOverSteadyFrames(GamePlayer& player, std::uint32_t settleFrames = kSettleFrames)
{
    player.Frames(settleFrames);
    TestSupport::ScopedAllocationCount allocations;
    player.Frames(kSteadyFrames);
    return allocations.Count();
}

// Each test starts as a new player, Ada, on the main menu.
class SteadyFrameAllocation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(player.Start());
        if (!PlayTests::AssetsLoaded(player))
            GTEST_SKIP() << "the data set has no introduction yet: " << player.Screen();
        ASSERT_TRUE(PlayTests::EnterAsNewPlayer(player, "Ada"));
    }

    PlayTests::PlayMachine machine;
    GamePlayer player;
};

TEST_F(SteadyFrameAllocation, TheMainMenuAndTheStageMapAllocateNothing)
{
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player)) << "the main menu; " << player.Screen();

    int pages = 0;
    ASSERT_TRUE(PlayTests::OpenStageMap(player, pages));
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player)) << "the stage map; " << player.Screen();

    ASSERT_TRUE(player.Stop());
}

TEST_F(SteadyFrameAllocation, ALevelInPlayAllocatesNothingWhileTheCharacterSpeaks)
{
    int pages = 0;
    ASSERT_TRUE(PlayTests::OpenStageMap(player, pages));
    ASSERT_TRUE(player.Click("START_GAME_START"));

    const Tansywell::Character& character = *player.GetGame().GetCharacter();
    const auto running = [this] {
        const GameFramework::GameLogicBase* level = player.GetGame().GetGameLogic();
        return level != nullptr && level->GetState() == GameFramework::GameLogicBase::kStateRunning;
    };
    ASSERT_TRUE(player.WaitFor(running, 60.0f, "level 1 in play"));
    // The greeting, then the first lesson a new player hears.
    ASSERT_TRUE(player.WaitFor([&] { return !character.IsSpeechHidden(); }, 20.0f, "the greeting"));
    ASSERT_TRUE(player.WaitFor([&] { return character.IsSpeechHidden(); }, 20.0f, "the greeting's end"));
    ASSERT_TRUE(player.WaitFor([&] { return !character.IsSpeechHidden(); }, 20.0f, "the first lesson"));
    const std::string lesson = character.GetTextKey();

    // At once: the lesson has to last through all of the steady frames.
    EXPECT_EQ(0u, AllocationsOverSteadyFrames(player, 0))
        << "a level while the character says " << lesson << "; " << player.Screen();
    EXPECT_TRUE(running()) << player.Screen();
    EXPECT_EQ(lesson, character.GetTextKey()) << "one speech throughout";

    ASSERT_TRUE(player.Stop());
}

} // namespace
