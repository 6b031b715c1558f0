// The shipped campaign, read from the built data/pack0.pak, played over 50
// deals a level by two bots: a greedy one that takes the listed move whose
// groups hold the most cells with a layer or a web left (ties broken by the
// deal's seed), and one that takes any listed move. Every level must deal a
// board with a move; the greedy bot must win nearly every game of the first
// 20 deals (every one on a stage's first level); and the campaign must get
// harder: the first stage leaves the greedy bot half its energy or more, the
// last two levels leave it under a fifth and beat the random bot more often.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "engine/core/Random.h"
#include "tests/game/BoardHarness.h"
#include "tests/game/ShippedCampaign.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;
using Tansywell::Cell;

constexpr std::uint32_t kStages = 4;
constexpr std::uint32_t kDeals = 50;
// The win rule counts the first 20 deals.
constexpr std::uint32_t kRuleDeals = 20;
constexpr std::uint32_t kWinsNeeded = 18;
constexpr std::uint32_t kFirstStageLeftPercent = 50;
constexpr std::uint32_t kLastLevelsLeftPercent = 20;
// Far beyond any level's energy: a game that runs into it is a fault.
constexpr int kMoveLimit = 2000;
constexpr int kFramesPerMoveLimit = 500;

using LevelData = GameTests::ShippedCampaign::Level;

// Read with the pack's engine gone before any board is built.
std::vector<LevelData> LoadStage(std::uint32_t stage)
{
    return GameTests::ShippedCampaign().LoadStage(stage);
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

enum class Bot
{
    kGreedy,
    kRandom
};

// The move the bot takes from the board's move list.
std::uint32_t ChooseMove(Board& board, Bot bot, std::mt19937& choices, std::vector<const Cell*>& seen,
                         std::vector<std::uint32_t>& best)
{
    if (bot == Bot::kRandom)
        return std::uniform_int_distribution<std::uint32_t>(0, board.GetMoveCount() - 1)(choices);
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
    return best[std::uniform_int_distribution<std::size_t>(0, best.size() - 1)(choices)];
}

GameResult PlayGame(BoardHarness& h, const LevelData& level, std::uint32_t seed, Bot bot)
{
    OrrelayEngine::SetRandomSeed(seed);
    std::mt19937 choices(seed);
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
        const std::uint32_t m = ChooseMove(board, bot, choices, seen, best);
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
    std::uint32_t ruleWins = 0;
    std::uint32_t greedyWins = 0;
    std::uint32_t randomWins = 0;
    std::uint32_t startingEnergy = 0;
    // Over all deals, a lost game leaving none.
    std::uint32_t medianEnergyLeft = 0;
};

LevelSummary CheckLevel(const LevelData& level)
{
    SCOPED_TRACE(level.record.boardName);
    BoardHarness h(level.board.width, level.board.height, level.record.kindCount);
    h.Records() = level.board.cells;
    LevelSummary summary;
    std::vector<std::uint32_t> energyLeft;
    for (std::uint32_t seed = 1; seed <= kDeals; ++seed) {
        const GameResult game = PlayGame(h, level, seed, Bot::kGreedy);
        EXPECT_TRUE(game.dealtMove) << "seed " << seed;
        summary.startingEnergy = game.startingEnergy;
        summary.greedyWins += game.won ? 1 : 0;
        summary.ruleWins += game.won && seed <= kRuleDeals ? 1 : 0;
        energyLeft.push_back(game.won ? game.energyLeft : 0);
        summary.randomWins += PlayGame(h, level, seed, Bot::kRandom).won ? 1 : 0;
    }
    std::sort(energyLeft.begin(), energyLeft.end());
    summary.medianEnergyLeft = energyLeft[energyLeft.size() / 2];
    std::printf("%-16s cells %3zu kinds %u factor %.2f energy %3u: greedy %2u/%u won, median energy left %3u (%3u%%), "
                "random %2u/%u won\n",
                level.record.boardName.c_str(), level.board.cells.size(), level.record.kindCount,
                static_cast<double>(level.record.energyFactor), summary.startingEnergy, summary.greedyWins, kDeals,
                summary.medianEnergyLeft, summary.medianEnergyLeft * 100 / std::max(1u, summary.startingEnergy),
                summary.randomWins, kDeals);
    return summary;
}

class LevelCheck : public ::testing::TestWithParam<std::uint32_t>
{};

TEST_P(LevelCheck, TheGreedyBotWinsEveryLevelAndTheCampaignGetsHarder)
{
    const std::uint32_t stage = GetParam();
    const std::vector<LevelData> levels = LoadStage(stage);
    ASSERT_FALSE(levels.empty()) << "stage " << stage;
    std::vector<LevelSummary> summaries;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE(levels[i].record.boardName);
        const LevelSummary s = CheckLevel(levels[i]);
        EXPECT_GE(s.ruleWins, i == 0 ? kRuleDeals : kWinsNeeded);
        if (stage == 0) {
            EXPECT_GE(s.medianEnergyLeft * 100, s.startingEnergy * kFirstStageLeftPercent);
        }
        if (stage + 1 == kStages && i + 2 >= levels.size()) {
            EXPECT_LT(s.medianEnergyLeft * 100, s.startingEnergy * kLastLevelsLeftPercent);
            EXPECT_LT(s.randomWins, s.greedyWins);
        }
        summaries.push_back(s);
    }
    EXPECT_LT(summaries.back().medianEnergyLeft * summaries.front().startingEnergy,
              summaries.front().medianEnergyLeft * summaries.back().startingEnergy)
        << "a stage's last level leaves a smaller share of its energy than its first";
}

INSTANTIATE_TEST_SUITE_P(Campaign, LevelCheck, ::testing::Range<std::uint32_t>(0, kStages));

} // namespace
