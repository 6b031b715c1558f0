// The shipped campaign, read from the built data/pack0.pak, played by a
// greedy bot: each turn it takes the listed move whose groups hold the most
// cells with a layer or a web left (ties broken by the game's seed). Every
// level must deal a board with a move, the bot must win within the energy in
// nearly every game (every game on a stage's first level), and a stage's last
// level must leave less energy to spare than its first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "engine/core/NullEngine.h"
#include "engine/core/Random.h"
#include "framework/HeaderedFile.h"
#include "framework/LevelManagerBase.h"
#include "game/GameLevelRecord.h"
#include "game/LevelManager.h"
#include "tests/game/BoardHarness.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;
using Tansywell::Cell;

constexpr std::uint32_t kSeeds = 20;
constexpr std::uint32_t kWinsNeeded = 18;
// Far beyond any level's energy: a game that runs into it is a fault.
constexpr int kMoveLimit = 2000;
constexpr int kFramesPerMoveLimit = 500;

struct LevelData
{
    Tansywell::GameLevelRecord record;
    Tansywell::GameLogicData::Board board;
};

// The levels of one stage as the game reads them from the pack.
std::vector<LevelData> LoadStage(std::uint32_t stage)
{
    EngineTests::NullEngine nullEngine;
    nullEngine.settings.installFolder = QUILLORY_BUILD_DIR;
    OrrelayEngine::Engine& engine = nullEngine.Start();
    Tansywell::LevelManager campaign(&engine);
    std::vector<LevelData> levels;
    if (stage >= campaign.GetStageCount())
        return levels;
    for (std::uint32_t i = 0; i < campaign.GetLevelCount(stage); ++i) {
        LevelData level;
        level.record = *static_cast<const Tansywell::GameLevelRecord*>(campaign.GetLevel(stage, i));
        const std::string path = "data\\boards\\" + level.record.boardName + ".blf";
        GameFramework::HeaderedFile file(engine.GetFileManager(), Tansywell::GameLogicData::kBoardMagic,
                                         Tansywell::GameLogicData::kBoardVersion);
        file.Open(path, GameFramework::HeaderedFile::kModeRead);
        Tansywell::GameLogicData::ReadBoard(*file.GetFile(), path, level.board);
        levels.push_back(std::move(level));
    }
    return levels;
}

std::uint32_t Kind(const Board& board, const Cell* cell)
{
    const Tansywell::BoardItem* item = board.GetItem(cell);
    return item != nullptr ? item->GetKind() : ~0u;
}

// Cells with a layer or a web left in the groups the swap of the move's two
// cells would make.
std::uint32_t ScoreMove(Board& board, Cell* a, Cell* b, std::vector<const Cell*>& seen)
{
    board.SwapItems(a, b);
    seen.clear();
    std::uint32_t score = 0;
    for (Cell* start : {a, b}) {
        if (!board.IsInGroupOfThree(start) || std::find(seen.begin(), seen.end(), start) != seen.end())
            continue;
        const std::size_t first = seen.size();
        seen.push_back(start);
        for (std::size_t i = first; i < seen.size(); ++i) {
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                const Cell* next = board.GetNeighbour(seen[i], d);
                if (next != nullptr && Kind(board, next) == Kind(board, start) &&
                    std::find(seen.begin(), seen.end(), next) == seen.end())
                    seen.push_back(next);
            }
        }
        for (std::size_t i = first; i < seen.size(); ++i)
            score += seen[i]->GetLayerCount() != 0 || seen[i]->IsBlocked() ? 1 : 0;
    }
    board.SwapItems(a, b);
    return score;
}

struct GameResult
{
    bool dealtMove = false;
    bool won = false;
    std::uint32_t energyLeft = 0;
    std::uint32_t startingEnergy = 0;
};

GameResult PlayGame(BoardHarness& h, const LevelData& level, std::uint32_t seed)
{
    OrrelayEngine::SetRandomSeed(seed);
    std::mt19937 ties(seed);
    h.board.reset();
    h.Build(false, level.record.energyFactor, false);
    Board& board = *h.board;
    GameResult result;
    result.dealtMove = board.GetMoveCount() != 0;
    result.startingEnergy = board.GetStartingEnergy();
    std::vector<const Cell*> seen;
    std::vector<std::uint32_t> best;
    for (int move = 0; move < kMoveLimit && !board.IsWon() && !board.IsLost(); ++move) {
        if (board.GetMoveCount() == 0) {
            // The next step deals new items.
            h.Frame();
            continue;
        }
        best.clear();
        std::uint32_t bestScore = 0;
        for (std::uint32_t m = 0; m < board.GetMoveCount(); ++m) {
            const std::uint32_t score = ScoreMove(board, board.GetMoveFirst(m), board.GetMoveSecond(m), seen);
            if (best.empty() || score > bestScore) {
                best.assign(1, m);
                bestScore = score;
            } else if (score == bestScore) {
                best.push_back(m);
            }
        }
        const std::uint32_t m = best[std::uniform_int_distribution<std::size_t>(0, best.size() - 1)(ties)];
        board.TrySwap(board.GetMoveFirst(m), board.GetMoveSecond(m));
        for (int frame = 0; frame < kFramesPerMoveLimit && board.GetQueuedGroupCount() != 0; ++frame)
            h.Frame();
    }
    result.won = board.IsWon();
    result.energyLeft = board.GetEnergy();
    return result;
}

struct LevelSummary
{
    std::uint32_t wins = 0;
    std::uint32_t medianEnergyLeft = 0;
};

LevelSummary CheckLevel(const LevelData& level, bool everyGame)
{
    SCOPED_TRACE(level.record.boardName);
    BoardHarness h(level.board.width, level.board.height, level.record.kindCount);
    h.Records() = level.board.cells;
    std::vector<std::uint32_t> energyLeft;
    std::uint32_t startingEnergy = 0;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const GameResult game = PlayGame(h, level, seed);
        EXPECT_TRUE(game.dealtMove) << "seed " << seed;
        startingEnergy = game.startingEnergy;
        if (game.won)
            energyLeft.push_back(game.energyLeft);
    }
    LevelSummary summary;
    summary.wins = static_cast<std::uint32_t>(energyLeft.size());
    std::sort(energyLeft.begin(), energyLeft.end());
    if (!energyLeft.empty())
        summary.medianEnergyLeft = energyLeft[energyLeft.size() / 2];
    std::printf("%-16s cells %3zu kinds %u factor %.2f energy %3u: %2u of %u won, median energy left %u\n",
                level.record.boardName.c_str(), level.board.cells.size(), level.record.kindCount,
                static_cast<double>(level.record.energyFactor), startingEnergy, summary.wins, kSeeds,
                summary.medianEnergyLeft);
    EXPECT_GE(summary.wins, everyGame ? kSeeds : kWinsNeeded);
    return summary;
}

class LevelCheck : public ::testing::TestWithParam<std::uint32_t>
{};

TEST_P(LevelCheck, TheGreedyBotWinsEveryLevelWithLessToSpareAtTheStagesEnd)
{
    const std::vector<LevelData> levels = LoadStage(GetParam());
    ASSERT_FALSE(levels.empty()) << "stage " << GetParam();
    std::vector<LevelSummary> summaries;
    for (std::size_t i = 0; i < levels.size(); ++i)
        summaries.push_back(CheckLevel(levels[i], i == 0));
    EXPECT_LT(summaries.back().medianEnergyLeft, summaries.front().medianEnergyLeft);
}

INSTANTIATE_TEST_SUITE_P(Campaign, LevelCheck, ::testing::Range<std::uint32_t>(0, 4));

} // namespace
