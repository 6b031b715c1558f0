// The board's rules under play, on a board of the largest size the campaign
// uses (84 cells, two layers each, some closed and blocked, five kinds), with
// undrawn items: the time of one move (a listed move swapped, the groups
// resolved until the board is quiet, the moves listed again), and a random
// game of 10,000 moves reported in moves per second. A won board is dealt
// again outside the timing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "engine/core/Random.h"
#include "tests/game/BoardHarness.h"

namespace {

using BoardTests::BoardHarness;
using Tansywell::Board;

constexpr std::uint32_t kWidth = 12;
constexpr std::uint32_t kHeight = 14;
constexpr std::uint32_t kKinds = 5;
constexpr int kGameMoves = 10000;

class BenchBoard
{
public:
    BenchBoard() : h_(kWidth, kHeight, kKinds)
    {
        OrrelayEngine::SetRandomSeed(2026);
        for (Tansywell::CellRecord& record : h_.Records()) {
            const std::uint32_t pattern = (record.x * 7 + record.y * 3) % 17;
            record.layerCount = 2;
            record.closed = pattern == 5 ? 1 : 0;
            record.blocked = pattern == 9 ? 1 : 0;
        }
        Deal();
    }

    // Relax mode: the board is never lost, only won.
    void Deal()
    {
        h_.board.reset();
        h_.Build(true, 1.0f, false);
    }

    bool IsWon() const { return h_.board->IsWon(); }

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

void BM_BoardMove(benchmark::State& state)
{
    BenchBoard board;
    for (auto _ : state) {
        board.PlayMove();
        if (board.IsWon()) {
            state.PauseTiming();
            board.Deal();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_BoardMove)->Unit(benchmark::kMicrosecond);

void BM_RandomGame(benchmark::State& state)
{
    BenchBoard board;
    double seconds = 0.0;
    for (auto _ : state) {
        for (int move = 0; move < kGameMoves; ++move) {
            const auto start = std::chrono::steady_clock::now();
            board.PlayMove();
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (board.IsWon()) {
                state.PauseTiming();
                board.Deal();
                state.ResumeTiming();
            }
        }
    }
    const double moves = static_cast<double>(state.iterations()) * kGameMoves;
    state.counters["moves_per_second"] = seconds > 0.0 ? moves / seconds : 0.0;
    std::printf("random game: %.0f moves per second\n", seconds > 0.0 ? moves / seconds : 0.0);
}
BENCHMARK(BM_RandomGame)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
