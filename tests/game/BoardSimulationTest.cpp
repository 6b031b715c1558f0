// Random play through the board's frame step: clicks on random cells and
// their neighbours, frames until the board is quiet, and after every move the
// rules that must hold whatever the player does.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "engine/core/Random.h"
#include "tests/game/BoardHarness.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;
using Tansywell::BoardItem;
using Tansywell::Cell;

constexpr std::uint32_t kWidth = 11;
constexpr std::uint32_t kHeight = 14;
constexpr std::uint32_t kKinds = 5;
constexpr int kMovesPerSeed = 2000;
constexpr int kFramesUntilQuiet = 200;

// A board with every feature: double layers, closed and blocked cells.
void LayOut(BoardHarness& h)
{
    for (Tansywell::CellRecord& record : h.Records()) {
        const std::uint32_t pattern = (record.x * 7 + record.y * 3) % 13;
        record.layerCount = pattern < 4 ? 2 : (pattern < 11 ? 1 : 0);
        record.closed = pattern == 5 ? 1 : 0;
        record.blocked = pattern == 8 || pattern == 12 ? 1 : 0;
    }
}

class Simulation
{
public:
    Simulation(std::uint32_t seed, bool relax) : relax_(relax), h_(kWidth, kHeight, kKinds)
    {
        OrrelayEngine::SetRandomSeed(seed);
        LayOut(h_);
        StartLevel();
    }

    void Play(int moves)
    {
        for (int move = 0; move < moves && !::testing::Test::HasFatalFailure(); ++move) {
            SCOPED_TRACE(testing::Message() << "move " << move << " of level " << levels_);
            if (board().IsWon() || board().IsLost()) {
                Frame(nullptr, false, false);
                ASSERT_FALSE(h_.pool.IsAnyItemActive()) << "every item left the ended level";
                StartLevel();
            }
            RandomClicks();
            for (int frame = 0; frame < kFramesUntilQuiet && board().GetQueuedGroupCount() != 0; ++frame)
                Frame(nullptr, false, false);
            ASSERT_EQ(0u, board().GetQueuedGroupCount()) << "the board came to rest";
            CheckQuietBoard();
        }
    }

    int Levels() const { return levels_; }
    int Swaps() const { return totalSwaps_; }

private:
    Board& board() { return *h_.board; }

    void StartLevel()
    {
        h_.board.reset();
        h_.Build(relax_, 1.0f, true);
        h_.TakeSounds();
        swaps_ = 0;
        layers_.assign(board().GetCellCount(), 0);
        for (std::uint32_t i = 0; i < board().GetCellCount(); ++i)
            layers_[i] = board().GetCellAt(i)->GetLayerCount();
        ++levels_;
    }

    Cell* RandomCell() { return board().GetCellAt(OrrelayEngine::RandomModulo(board().GetCellCount())); }

    void RandomClicks()
    {
        Cell* first = RandomCell();
        Frame(first, true, true);
        Cell* second = board().GetNeighbour(first, OrrelayEngine::RandomModulo(Board::kDirectionCount));
        if (second == nullptr)
            second = RandomCell();
        // Now a click, now a drag with the button held.
        const bool drag = OrrelayEngine::RandomModulo(2) == 0;
        Frame(second, !drag, true);
    }

    // One frame as the level runs it, with the items checked while some of
    // them may still be flying away.
    void Frame(Cell* hovered, bool buttonWentDown, bool buttonHeld)
    {
        h_.game.Frame(BoardHarness::kFrameMicroseconds);
        board().Step(hovered, buttonWentDown, buttonHeld);
        CheckItemsInPlay();
        h_.pool.Update();
        h_.bonuses.Update();
        h_.sounds.Update(true);
        for (std::uint32_t sound : h_.TakeSounds()) {
            if (sound == Board::kSoundSwap) {
                ++swaps_;
                ++totalSwaps_;
            }
        }
    }

    void CheckItemsInPlay()
    {
        std::uint32_t onBoard = 0;
        for (std::uint32_t i = 0; i < board().GetCellCount(); ++i) {
            const BoardItem* item = board().GetItem(board().GetCellAt(i));
            if (item == nullptr)
                continue;
            ++onBoard;
            ASSERT_TRUE(item->IsActive() && item->IsAlive()) << "cell " << i;
        }
        std::uint32_t active = 0;
        std::uint32_t flying = 0;
        for (std::uint32_t i = 0; i < h_.pool.GetItemCount(); ++i) {
            const BoardItem* item = h_.pool.GetItemAt(i);
            active += item->IsActive() ? 1 : 0;
            flying += item->IsActive() && !item->IsAlive() ? 1 : 0;
        }
        ASSERT_EQ(onBoard + flying, active) << "items in play are on the board or flying away";
    }

    void CheckQuietBoard()
    {
        const bool ended = board().IsWon() || board().IsLost();
        std::set<const BoardItem*> seen;
        for (std::uint32_t i = 0; i < board().GetCellCount(); ++i) {
            const Cell* cell = board().GetCellAt(i);
            const BoardItem* item = board().GetItem(cell);
            if (ended || cell->IsClosed()) {
                ASSERT_EQ(nullptr, item) << "cell " << i;
            } else {
                ASSERT_NE(nullptr, item) << "cell " << i;
                ASSERT_TRUE(seen.insert(item).second) << "an item on two cells";
            }
            ASSERT_LE(cell->GetLayerCount(), layers_[i]) << "layers never come back";
            layers_[i] = cell->GetLayerCount();
            if (!ended) {
                ASSERT_FALSE(board().IsInGroupOfThree(cell)) << "a group of three left standing at cell " << i;
            }
        }
        const std::uint32_t start = board().GetStartingEnergy();
        const std::uint32_t expected = relax_ ? start : (swaps_ >= start ? 0 : start - swaps_);
        ASSERT_EQ(expected, board().GetEnergy());
        ASSERT_LE(board().GetClearedLayers(), board().GetTotalLayers());
    }

    bool relax_;
    BoardHarness h_;
    std::vector<std::uint32_t> layers_;
    std::uint32_t swaps_ = 0;
    int totalSwaps_ = 0;
    int levels_ = 0;
};

TEST(BoardSimulation, RandomPlayKeepsTheBoardsRules)
{
    const struct
    {
        std::uint32_t seed;
        bool relax;
    } cases[] = {{1, false}, {2, false}, {3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed << (c.relax ? " relax" : ""));
        Simulation simulation(c.seed, c.relax);
        simulation.Play(kMovesPerSeed);
        EXPECT_GT(simulation.Swaps(), kMovesPerSeed / 20) << "the random player made swaps";
        RecordProperty("levels_seed_" + std::to_string(c.seed), simulation.Levels());
    }
}

} // namespace
