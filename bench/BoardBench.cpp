// The board's rules under play, on the largest board the campaign ships (its
// cells, layers, closed and blocked cells and kinds as the generator makes
// them), with undrawn items:
// (a) the time of one move (a listed move swapped, the groups resolved until
//     the board is quiet, the moves listed again), against a reference that
//     plays the same move with the same random draws and reaches the same
//     board, but keeps no local searches: after every change it labels every
//     connected group of the board afresh and answers each group question
//     from the labels. Each move of the reference is checked against the
//     board's own (kinds, bonuses, layers, cells, counters, the move list);
// (b) a random game of 10,000 moves in moves per second.
// A won board is dealt again outside the timing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "content/CampaignGenerator.h"
#include "engine/core/Random.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "tests/game/BoardHarness.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;
using Tansywell::BoardItem;
using Tansywell::Cell;

constexpr int kGameMoves = 10000;
constexpr int kComparedMoves = 4001;
constexpr std::uint32_t kDealSeed = 2026;

// The campaign's level with the most cells.
const Content::CampaignGenerator::Level& LargestLevel()
{
    static const Content::CampaignGenerator::Level level = [] {
        Content::CampaignGenerator::Level largest;
        for (const Content::CampaignGenerator::Stage& stage : Content::CampaignGenerator::MakeCampaign()) {
            for (const Content::CampaignGenerator::Level& candidate : stage.levels) {
                if (candidate.cells.size() > largest.cells.size())
                    largest = candidate;
            }
        }
        return largest;
    }();
    return level;
}

class BenchBoard
{
public:
    BenchBoard() : h_(LargestLevel().width, LargestLevel().height, LargestLevel().kindCount)
    {
        h_.Records() = LargestLevel().cells;
        Deal(kDealSeed);
    }

    // Relax mode: the board is never lost, only won.
    void Deal(std::uint32_t seed)
    {
        OrrelayEngine::SetRandomSeed(seed);
        h_.board.reset();
        h_.Build(true, 1.0f, false);
    }

    bool IsWon() const { return h_.board->IsWon(); }
    const Board& GetBoard() const { return *h_.board; }
    Tansywell::BonusManager* GetBonuses() { return &h_.bonuses; }

    void PlayMove()
    {
        Board& board = *h_.board;
        if (board.GetMoveCount() == 0)
            board.FillBoard();
        const std::uint32_t move = OrrelayEngine::RandomModulo(board.GetMoveCount());
        board.TrySwap(board.GetMoveFirst(move), board.GetMoveSecond(move));
        while (board.GetQueuedGroupCount() != 0) {
            board.Resolve();
            h_.pool.Update();
        }
    }

private:
    BoardHarness h_;
};

// The same rules over plain arrays, asking every group question of a set of
// component labels that is rebuilt whenever the board changed since the last
// labelling. Items are told apart by a serial number per placement, as the
// board tells them apart by their address. Bonuses are made through the
// board's bonus manager, as the board makes them: their models draw from the
// random generator.
class RelabellingBoard
{
public:
    ~RelabellingBoard() { DeleteBonuses(); }

    void CopyFrom(const Board& board, Tansywell::BonusManager* bonuses)
    {
        DeleteBonuses();
        bonuses_ = bonuses;
        const std::uint32_t count = board.GetCellCount();
        kindCount_ = LargestLevel().kindCount;
        neighbours_.assign(count * Board::kDirectionCount, kNone);
        cells_.assign(count, CellState());
        for (std::uint32_t i = 0; i < count; ++i) {
            const Cell* cell = board.GetCellAt(i);
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                if (const Cell* n = board.GetNeighbour(cell, d))
                    neighbours_[i * Board::kDirectionCount + d] = static_cast<int>(n->GetListIndex());
            }
            CellState& state = cells_[i];
            state.layers = cell->GetLayerCount();
            state.closed = cell->IsClosed();
            state.blocked = cell->IsBlocked();
            if (const BoardItem* item = board.GetItem(cell)) {
                state.kind = static_cast<int>(item->GetKind());
                state.serial = ++serials_;
                const Tansywell::Bonus* bonus = item->GetBonus();
                state.bonus = bonus != nullptr && bonus->IsAlive() ? static_cast<int>(bonus->GetKind()) : kNone;
            }
        }
        totalLayers_ = board.GetTotalLayers();
        clearedLayers_ = board.GetClearedLayers();
        dry_ = board.GetDryStepCount();
        destroyedCount_ = board.GetDestroyedCount();
        won_ = board.IsWon();
        refillDescending_ = false;
        queue_.clear();
        labels_.assign(count, kNone);
        dirty_ = true;
        ListMoves();
    }

    // The move list as indices of first and second cells.
    const std::vector<int>& GetMoves() const { return moves_; }

    void PlayMove()
    {
        if (moves_.empty())
            FillBoard();
        const std::uint32_t move = OrrelayEngine::RandomModulo(static_cast<std::uint32_t>(moves_.size() / 2));
        TrySwap(moves_[2 * move], moves_[2 * move + 1]);
        while (!queue_.empty())
            Resolve();
    }

    // What differs from the board, or empty.
    std::string Differences(const Board& board) const
    {
        for (std::uint32_t i = 0; i < board.GetCellCount(); ++i) {
            const Cell* cell = board.GetCellAt(i);
            const CellState& state = cells_[i];
            const BoardItem* item = board.GetItem(cell);
            const int kind = item != nullptr ? static_cast<int>(item->GetKind()) : kNone;
            const Tansywell::Bonus* bonus = item != nullptr ? item->GetBonus() : nullptr;
            const int bonusKind = bonus != nullptr && bonus->IsAlive() ? static_cast<int>(bonus->GetKind()) : kNone;
            if (kind != state.kind || bonusKind != state.bonus || cell->GetLayerCount() != state.layers ||
                cell->IsClosed() != state.closed || cell->IsBlocked() != state.blocked)
                return "cell " + std::to_string(i) + ": kind " + std::to_string(kind) + " / " +
                       std::to_string(state.kind) + ", bonus " + std::to_string(bonusKind) + " / " +
                       std::to_string(state.bonus) + ", layers " + std::to_string(cell->GetLayerCount()) + " / " +
                       std::to_string(state.layers) + ", closed " + std::to_string(cell->IsClosed()) + " / " +
                       std::to_string(state.closed) + ", blocked " + std::to_string(cell->IsBlocked()) + " / " +
                       std::to_string(state.blocked);
        }
        if (board.GetClearedLayers() != clearedLayers_ || board.GetDryStepCount() != dry_ || board.IsWon() != won_)
            return "counters";
        if (board.GetMoveCount() * 2 != moves_.size())
            return "move count";
        for (std::uint32_t m = 0; m < board.GetMoveCount(); ++m) {
            if (static_cast<int>(board.GetMoveFirst(m)->GetListIndex()) != moves_[2 * m] ||
                static_cast<int>(board.GetMoveSecond(m)->GetListIndex()) != moves_[2 * m + 1])
                return "move list";
        }
        return "";
    }

private:
    static constexpr int kNone = -1;

    struct CellState
    {
        int kind = kNone;
        int bonus = kNone;
        Tansywell::Bonus* bonusObject = nullptr;
        std::uint32_t serial = 0;
        std::uint32_t layers = 0;
        bool closed = false;
        bool blocked = false;
    };

    struct Group
    {
        std::uint32_t componentSize = 0;
        std::uint32_t bonusesTriggered = 0;
        std::uint32_t bonusCounts[3] = {};
        std::vector<int> cells;
        std::vector<std::uint32_t> serials;
    };

    int Neighbour(int cell, std::uint32_t direction) const
    {
        return neighbours_[static_cast<std::size_t>(cell) * Board::kDirectionCount + direction];
    }

    bool Matches(int a, int b) const
    {
        return cells_[a].kind != kNone && cells_[b].kind != kNone && cells_[a].kind == cells_[b].kind;
    }

    void GiveBonus(int cell, int kind)
    {
        cells_[cell].bonus = kind;
        cells_[cell].bonusObject = bonuses_->CreateBonus(static_cast<std::uint32_t>(kind));
    }

    void DeleteBonuses()
    {
        for (CellState& state : cells_) {
            if (state.bonusObject != nullptr)
                bonuses_->DeleteBonus(state.bonusObject);
            state.bonusObject = nullptr;
        }
    }

    void Place(int cell, int kind)
    {
        if (cells_[cell].bonusObject != nullptr)
            bonuses_->DeleteBonus(cells_[cell].bonusObject);
        cells_[cell].bonusObject = nullptr;
        cells_[cell].kind = kind;
        cells_[cell].bonus = kNone;
        cells_[cell].serial = kind == kNone ? 0 : ++serials_;
        dirty_ = true;
    }

    void Swap(int a, int b)
    {
        std::swap(cells_[a], cells_[b]);
        // Only the items move.
        std::swap(cells_[a].layers, cells_[b].layers);
        std::swap(cells_[a].closed, cells_[b].closed);
        std::swap(cells_[a].blocked, cells_[b].blocked);
        dirty_ = true;
    }

    void Relabel()
    {
        if (!dirty_)
            return;
        dirty_ = false;
        std::fill(labels_.begin(), labels_.end(), kNone);
        sizes_.clear();
        for (int start = 0; start < static_cast<int>(cells_.size()); ++start) {
            if (labels_[start] != kNone || cells_[start].kind == kNone)
                continue;
            const int label = static_cast<int>(sizes_.size());
            queueCells_.assign(1, start);
            labels_[start] = label;
            for (std::size_t i = 0; i < queueCells_.size(); ++i) {
                for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                    const int n = Neighbour(queueCells_[i], d);
                    if (n != kNone && labels_[n] == kNone && Matches(queueCells_[i], n)) {
                        labels_[n] = label;
                        queueCells_.push_back(n);
                    }
                }
            }
            sizes_.push_back(static_cast<std::uint32_t>(queueCells_.size()));
        }
    }

    std::uint32_t ComponentSize(int cell)
    {
        Relabel();
        return labels_[cell] == kNone ? 0 : sizes_[labels_[cell]];
    }

    bool InGroupOfThree(int cell) { return ComponentSize(cell) >= 3; }

    // A group search from this cell reaches three cells: in a group of three,
    // and not only the middle of one.
    bool StartsGroup(int cell)
    {
        if (!InGroupOfThree(cell))
            return false;
        for (std::uint32_t first = 0; first < Board::kDirectionCount; ++first) {
            const int next = Neighbour(cell, first);
            if (next == kNone || !Matches(cell, next))
                continue;
            for (std::uint32_t second = 0; second < Board::kDirectionCount; ++second) {
                const int last = Neighbour(next, second);
                if (last != kNone && last != cell && Matches(next, last))
                    return true;
            }
        }
        return false;
    }

    void TrySwap(int a, int b)
    {
        Swap(a, b);
        bool queued = false;
        if (InGroupOfThree(a)) {
            QueueGroup(a);
            queued = true;
        }
        if (InGroupOfThree(b)) {
            QueueGroup(b);
            queued = true;
        }
        if (!queued)
            Swap(a, b);
    }

    void Visit(int cell, std::vector<int>& out)
    {
        for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
            const int n = Neighbour(cell, d);
            if (n == kNone || marks_[n] || !Matches(cell, n))
                continue;
            marks_[n] = true;
            out.push_back(n);
            Visit(n, out);
        }
    }

    void AddToGroup(Group& group, int cell)
    {
        if (marks_[cell])
            return;
        marks_[cell] = true;
        group.cells.push_back(cell);
    }

    void QueueGroup(int cell)
    {
        queue_.emplace_back();
        Group& group = queue_.back();
        marks_.assign(cells_.size(), false);
        // The component listed depth first from its first cell.
        if (ComponentSize(cell) >= 2) {
            const int label = labels_[cell];
            const int first = static_cast<int>(std::find(labels_.begin(), labels_.end(), label) - labels_.begin());
            marks_[first] = true;
            group.cells.push_back(first);
            Visit(first, group.cells);
        }
        group.componentSize = static_cast<std::uint32_t>(group.cells.size());
        for (std::size_t i = 0; i < group.cells.size(); ++i) {
            const int member = group.cells[i];
            const int bonus = cells_[member].bonus;
            if (bonus == kNone)
                continue;
            ++group.bonusesTriggered;
            ++group.bonusCounts[bonus];
            if (bonus == Tansywell::Bonus::kItemDestruction) {
                for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                    if (Neighbour(member, d) != kNone)
                        AddToGroup(group, Neighbour(member, d));
                }
            } else if (bonus == Tansywell::Bonus::kCombinationDestruction) {
                const std::size_t ringOf = group.cells.size();
                for (std::size_t j = 0; j < ringOf; ++j) {
                    for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                        if (Neighbour(group.cells[j], d) != kNone)
                            AddToGroup(group, Neighbour(group.cells[j], d));
                    }
                }
            } else {
                for (int other = 0; other < static_cast<int>(cells_.size()); ++other) {
                    if (cells_[other].kind != kNone && cells_[other].kind == cells_[member].kind)
                        AddToGroup(group, other);
                }
            }
        }
        std::size_t kept = 0;
        for (const int member : group.cells) {
            if (cells_[member].kind == kNone)
                continue;
            group.cells[kept++] = member;
            group.serials.push_back(cells_[member].serial);
        }
        group.cells.resize(kept);
    }

    void Resolve()
    {
        std::uint32_t layersRemoved = 0;
        awards_.clear();
        for (const Group& group : queue_) {
            for (std::size_t i = 0; i < group.cells.size(); ++i) {
                CellState& state = cells_[group.cells[i]];
                if (state.kind == kNone || state.serial != group.serials[i])
                    continue;
                if (state.blocked)
                    state.blocked = false;
                else if (state.layers != 0) {
                    --state.layers;
                    ++layersRemoved;
                }
                Place(group.cells[i], kNone);
                ++destroyedCount_;
            }
            const std::uint32_t size = static_cast<std::uint32_t>(group.cells.size());
            if (group.bonusesTriggered > 1 && group.bonusCounts[Tansywell::Bonus::kColorDestruction] == 0) {
                const std::uint32_t pick = OrrelayEngine::RandomModulo(size);
                if (pick < size)
                    awards_.push_back({group.cells[pick], Tansywell::Bonus::kColorDestruction});
            } else if (group.componentSize == 4) {
                awards_.push_back({group.cells[OrrelayEngine::RandomModulo(4)], Tansywell::Bonus::kItemDestruction});
            } else if (group.componentSize == 5) {
                awards_.push_back(
                    {group.cells[OrrelayEngine::RandomModulo(5)], Tansywell::Bonus::kCombinationDestruction});
            }
        }
        queue_.clear();
        if (destroyedCount_ == 0)
            return;
        OpenClosedCells();
        Refill();
        QueueCascades();
        CreditLayers(layersRemoved);
        if (clearedLayers_ > totalLayers_)
            clearedLayers_ = totalLayers_;
        won_ = queue_.empty() && clearedLayers_ >= totalLayers_;
        if (won_) {
            for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
                cells_[cell].closed = false;
                cells_[cell].blocked = false;
                cells_[cell].layers = 0;
                Place(cell, kNone);
            }
            queue_.clear();
        }
    }

    void OpenClosedCells()
    {
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
            if (!cells_[cell].closed)
                continue;
            bool anyOpen = false;
            bool allCleared = true;
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                const int n = Neighbour(cell, d);
                if (n == kNone || cells_[n].closed)
                    continue;
                anyOpen = true;
                allCleared = allCleared && cells_[n].layers == 0;
            }
            if (anyOpen && allCleared)
                cells_[cell].closed = false;
        }
    }

    void ComputeKindOrder(int cell, bool descending)
    {
        weights_.resize(kindCount_);
        for (std::uint32_t kind = 0; kind < kindCount_; ++kind)
            weights_[kind] = OrrelayEngine::RandomFloatRange(0.0f, 1.0f);
        for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
            const int n = Neighbour(cell, d);
            if (n == kNone)
                continue;
            if (cells_[n].kind != kNone)
                weights_[cells_[n].kind] += 2.5f;
            for (std::uint32_t further = 0; further < Board::kDirectionCount; ++further) {
                const int next = Neighbour(n, further);
                if (next != kNone && cells_[next].kind != kNone)
                    weights_[cells_[next].kind] += 1.0f;
            }
        }
        order_.resize(kindCount_);
        for (std::uint32_t i = 0; i < kindCount_; ++i)
            order_[i] = i;
        std::stable_sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
            return descending ? weights_[a] > weights_[b] : weights_[a] < weights_[b];
        });
    }

    int PlaceFirstKindWithoutGroup(int cell)
    {
        for (std::size_t j = 0; j < order_.size(); ++j) {
            Place(cell, static_cast<int>(order_[j]));
            if (j + 1 == order_.size() || !InGroupOfThree(cell))
                return static_cast<int>(order_[j]);
            Place(cell, kNone);
        }
        return kNone;
    }

    void Refill()
    {
        int colourKind = kNone;
        if (dry_ > Board::kDryStepsBeforeColourBonus) {
            std::vector<std::uint32_t> counts(kindCount_, 0);
            for (const CellState& state : cells_) {
                if (state.kind != kNone && state.layers != 0)
                    ++counts[state.kind];
            }
            colourKind = static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
        }
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
            if (cells_[cell].kind != kNone || cells_[cell].closed)
                continue;
            ComputeKindOrder(cell, refillDescending_);
            refillDescending_ = !refillDescending_;
            const int kind = PlaceFirstKindWithoutGroup(cell);
            if (colourKind != kNone && kind == colourKind) {
                colourKind = kNone;
                GiveBonus(cell, Tansywell::Bonus::kColorDestruction);
            }
            for (const Award& award : awards_) {
                if (award.cell == cell && cells_[cell].bonus == kNone)
                    GiveBonus(cell, static_cast<int>(award.bonusKind));
            }
        }
    }

    void QueueCascades()
    {
        starts_.clear();
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
            if (StartsGroup(cell))
                starts_.push_back(cell);
        }
        for (const int start : starts_)
            QueueGroup(start);
        if (queue_.empty())
            ListMoves();
    }

    void CreditLayers(std::uint32_t layersRemoved)
    {
        const float factor =
            destroyedCount_ > 3 ? std::min(0.15f * static_cast<float>(destroyedCount_ - 3), 0.6f) : 0.0f;
        const auto credited = static_cast<std::uint32_t>(static_cast<float>(layersRemoved) * (1.0f + factor));
        clearedLayers_ += credited;
        dry_ = credited == 0 ? dry_ + 1 : 0;
    }

    void ListMoves()
    {
        moves_.clear();
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
            if (moves_.size() >= Board::kMoveListCellLimit)
                break;
            if (cells_[cell].kind == kNone || cells_[cell].blocked)
                continue;
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                const int partner = Neighbour(cell, d);
                if (partner == kNone || cells_[partner].kind == kNone || cells_[partner].blocked)
                    continue;
                Swap(cell, partner);
                for (std::uint32_t k = 0; k <= Board::kDirectionCount; ++k) {
                    const int start = k < Board::kDirectionCount ? Neighbour(cell, k) : cell;
                    if (start == kNone || start == partner || !StartsGroup(start))
                        continue;
                    moves_.push_back(cell);
                    moves_.push_back(partner);
                    break;
                }
                Swap(cell, partner);
            }
        }
    }

    void FillBoard()
    {
        kindOrder_.resize(kindCount_);
        for (std::uint32_t kind = 0; kind < kindCount_; ++kind)
            kindOrder_[kind] = kind;
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell)
            Place(cell, kNone);
        for (int cell = 0; cell < static_cast<int>(cells_.size()); ++cell) {
            if (cells_[cell].closed)
                continue;
            for (std::uint32_t i = 1; i < kindCount_; ++i)
                std::swap(kindOrder_[i], kindOrder_[OrrelayEngine::RandomModulo(i + 1)]);
            order_ = kindOrder_;
            PlaceFirstKindWithoutGroup(cell);
        }
        ListMoves();
    }

    struct Award
    {
        int cell;
        std::uint32_t bonusKind;
    };

    Tansywell::BonusManager* bonuses_ = nullptr;
    std::uint32_t kindCount_ = 0;
    std::vector<int> neighbours_;
    std::vector<CellState> cells_;
    std::uint32_t serials_ = 0;
    std::vector<Group> queue_;
    std::vector<Award> awards_;
    std::vector<int> moves_;
    std::vector<int> starts_;
    std::vector<int> labels_;
    std::vector<std::uint32_t> sizes_;
    std::vector<int> queueCells_;
    std::vector<bool> marks_;
    std::vector<float> weights_;
    std::vector<std::uint32_t> order_;
    std::vector<std::uint32_t> kindOrder_;
    bool dirty_ = true;
    std::uint32_t totalLayers_ = 0;
    std::uint32_t clearedLayers_ = 0;
    std::uint32_t dry_ = 0;
    std::uint32_t destroyedCount_ = 0;
    bool won_ = false;
    bool refillDescending_ = false;
};

void BM_BoardMove(benchmark::State& state)
{
    BenchBoard board;
    std::uint32_t deals = 0;
    for (auto _ : state) {
        board.PlayMove();
        if (board.IsWon()) {
            state.PauseTiming();
            board.Deal(kDealSeed + ++deals);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_BoardMove)->Unit(benchmark::kMicrosecond);

void BM_RandomGame(benchmark::State& state)
{
    BenchBoard board;
    double seconds = 0.0;
    std::uint32_t deals = 0;
    for (auto _ : state) {
        for (int move = 0; move < kGameMoves; ++move) {
            const auto start = std::chrono::steady_clock::now();
            board.PlayMove();
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (board.IsWon()) {
                state.PauseTiming();
                board.Deal(kDealSeed + ++deals);
                state.ResumeTiming();
            }
        }
    }
    const double moves = static_cast<double>(state.iterations()) * kGameMoves;
    state.counters["moves_per_second"] = seconds > 0.0 ? moves / seconds : 0.0;
    std::printf("random game: %.0f moves per second\n", seconds > 0.0 ? moves / seconds : 0.0);
}
BENCHMARK(BM_RandomGame)->Unit(benchmark::kMillisecond)->Iterations(1);

// Both play the same moves from the same seed, alternating; every move of the
// reference must leave what the board's left.
bool CompareWithReference()
{
    BenchBoard board;
    RelabellingBoard reference;
    reference.CopyFrom(board.GetBoard(), board.GetBonuses());
    std::vector<double> boardTimes;
    std::vector<double> referenceTimes;
    std::uint32_t deals = 0;
    for (int move = 0; move < kComparedMoves; ++move) {
        const std::uint32_t seed = 7919u * static_cast<std::uint32_t>(move) + 1u;
        OrrelayEngine::SetRandomSeed(seed);
        boardTimes.push_back(Bench::SecondsOf([&] { board.PlayMove(); }));
        OrrelayEngine::SetRandomSeed(seed);
        referenceTimes.push_back(Bench::SecondsOf([&] { reference.PlayMove(); }));
        const std::string differences = reference.Differences(board.GetBoard());
        if (!differences.empty()) {
            std::printf("The reference left another board at move %d (%s): no ratio.\n", move, differences.c_str());
            return false;
        }
        if (board.IsWon()) {
            board.Deal(kDealSeed + ++deals);
            reference.CopyFrom(board.GetBoard(), board.GetBonuses());
        }
    }
    const double ours = Bench::Median(boardTimes);
    const double relabelling = Bench::Median(referenceTimes);
    const Content::CampaignGenerator::Level& level = LargestLevel();
    std::printf("board %s (%zu cells, %u kinds), %d moves alike in both, %u boards won: %.1f us per move, "
                "relabelling reference %.1f us, board / reference = %.3f (goals <= 1.0 and <= 100 us)\n",
                level.boardName.c_str(), level.cells.size(), level.kindCount, kComparedMoves, deals, ours * 1e6,
                relabelling * 1e6, ours / relabelling);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return CompareWithReference() ? 0 : 1;
}
