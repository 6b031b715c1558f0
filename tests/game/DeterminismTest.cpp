// The game plays the same every run: the same input at the same clock
// readings deals the same boards and gives the same results, however its
// resource loads are spread over threads and however long they take: here
// once on one thread and slowed down, once as shipped.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "game/logic/Bonus.h"
#include "tests/game/GamePlayer.h"
#include "tests/game/LevelBot.h"

namespace {

using PlayTests::GamePlayer;
using PlayTests::Level;

constexpr std::uint64_t kFramesBetweenPrints = 30;
// Long enough for several polls of the loading screen.
constexpr std::uint32_t kHeldBackMilliseconds = 150;
// Enough of the second level to see the board its load dealt play on.
constexpr std::uint32_t kSecondLevelMoves = 6;

// What a frame of a level shows: every cell's item kind, bonus, layers, block
// and closure, the score, energy, cleared layers, the level's state and the
// captions on the screen.
std::string Fingerprint(const GamePlayer& player)
{
    std::string print;
    if (const Tansywell::GameLogic* level = Level(player)) {
        const Tansywell::Board& board = *level->GetBoard();
        print += "state " + std::to_string(level->GetState()) + " score " + std::to_string(level->GetScore()) +
                 " energy " + std::to_string(board.GetEnergy()) + " cleared " +
                 std::to_string(board.GetClearedLayers()) + "/" + std::to_string(board.GetTotalLayers()) + " cells";
        for (std::uint32_t i = 0; i < board.GetCellCount(); ++i) {
            const Tansywell::Cell* cell = board.GetCellAt(i);
            const Tansywell::BoardItem* item = board.GetItem(cell);
            print += ' ';
            print += item != nullptr ? std::to_string(item->GetKind()) : "-";
            if (item != nullptr && item->GetBonus() != nullptr)
                print += "b" + std::to_string(item->GetBonus()->GetKind());
            print += "l" + std::to_string(cell->GetLayerCount()) + (cell->IsBlocked() ? "x" : "") +
                     (cell->IsClosed() ? "c" : "");
        }
    }
    print += "; shows";
    player.Gui().ForEachWindow([&print](OrrelayEngine::GUIWindow& window) {
        for (std::uint32_t i = 0; i < window.GetDrawnTextCount() && window.IsVisible(); ++i) {
            if (window.GetDrawnText(i).isKey != 0)
                print += " " + window.GetDrawnText(i).key;
        }
    });
    return print;
}

struct Played
{
    std::vector<std::string> prints;
    PlayTests::LevelPlayed won;
    PlayTests::LevelPlayed next;
};

// A new player's way into the first level, the level won, the next begun,
// with a print of the game every 30 frames from the first level on.
void Play(std::uint32_t loadingHelperLimit, std::uint32_t loadingDelayMilliseconds, Played& played)
{
    PlayTests::PlayMachine machine;
    GamePlayer player;
    ASSERT_TRUE(player.Start(loadingHelperLimit, loadingDelayMilliseconds));
    std::uint64_t firstLevelFrame = 0;
    player.SetFrameObserver([&] {
        if (firstLevelFrame == 0 && Level(player) != nullptr)
            firstLevelFrame = player.FrameCount();
        if (firstLevelFrame != 0 && (player.FrameCount() - firstLevelFrame) % kFramesBetweenPrints == 0)
            played.prints.push_back(Fingerprint(player));
    });
    ASSERT_TRUE(PlayTests::AssetsLoaded(player)) << player.Screen();
    ASSERT_TRUE(PlayTests::EnterAsNewPlayer(player, "Ada"));
    int pages = 0;
    ASSERT_TRUE(PlayTests::OpenStageMap(player, pages));
    ASSERT_TRUE(player.Click("START_GAME_START"));
    ASSERT_TRUE(PlayTests::PlayLevel(player, true, played.won));
    ASSERT_TRUE(player.Click("CONTINUE", 60.0f));
    ASSERT_TRUE(PlayTests::PlayLevel(player, false, played.next, kSecondLevelMoves));
    player.SetFrameObserver(nullptr);
    ASSERT_TRUE(player.Stop());
}

TEST(Determinism, TheGamePlaysTheSameWithItsLoadsHeldBackAndAsShipped)
{
    Played oneThread;
    Played shipped;
    ASSERT_NO_FATAL_FAILURE(Play(0, kHeldBackMilliseconds, oneThread));
    ASSERT_NO_FATAL_FAILURE(Play(OrrelayEngine::EngineFactories::kLoadingHelpersAsShipped, 0, shipped));

    EXPECT_EQ(oneThread.won.moves, shipped.won.moves);
    EXPECT_EQ(oneThread.next.moves, shipped.next.moves);
    ASSERT_EQ(oneThread.prints.size(), shipped.prints.size());
    for (std::size_t i = 0; i < oneThread.prints.size(); ++i) {
        ASSERT_EQ(oneThread.prints[i], shipped.prints[i])
            << "the games part " << i * kFramesBetweenPrints << " frames into the first level";
    }
}

} // namespace
