// The automated player's way through a level: it waits for the board to
// settle, follows the tutorial's tip when it shows, and otherwise takes the
// listed move that clears the most remaining layers (to win) or the fewest
// (to spend the energy), aiming at the cells where the screen shows them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/scene/Model.h"
#include "game/gui/GUIGameLogicText.h"
#include "game/gui/GUIGameLogicTextManager.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "game/logic/Tutorial.h"
#include "tests/game/GamePlayer.h"

namespace PlayTests {

using OrrelayEngine::Vector2;
using Tansywell::Board;
using Tansywell::Cell;

// Far more than any level of the campaign takes.
constexpr int kMoveLimit = 400;
constexpr float kMoveSeconds = 30.0f;
constexpr std::size_t kUntakenLimit = 8;
constexpr float kSpeechSeconds = 60.0f;

inline Tansywell::GameLogic* Level(const GamePlayer& player)
{
    return dynamic_cast<Tansywell::GameLogic*>(player.GetGame().GetGameLogic());
}

inline std::uint32_t KindAfterSwap(const Board& board, const Cell* cell, const Cell* a, const Cell* b)
{
    const Cell* source = cell == a ? b : cell == b ? a : cell;
    const Tansywell::BoardItem* item = board.GetItem(source);
    return item != nullptr ? item->GetKind() : ~0u;
}

// Cells with a layer or a web left in the groups of three the swap would
// make, read from the board without touching it.
inline std::uint32_t LayersTheSwapClears(const Board& board, const Cell* a, const Cell* b)
{
    std::vector<const Cell*> counted;
    std::uint32_t layers = 0;
    for (const Cell* start : {a, b}) {
        const std::uint32_t kind = KindAfterSwap(board, start, a, b);
        if (kind == ~0u || std::find(counted.begin(), counted.end(), start) != counted.end())
            continue;
        std::vector<const Cell*> group{start};
        for (std::size_t i = 0; i < group.size(); ++i) {
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                const Cell* next = board.GetNeighbour(group[i], d);
                if (next != nullptr && KindAfterSwap(board, next, a, b) == kind &&
                    std::find(group.begin(), group.end(), next) == group.end())
                    group.push_back(next);
            }
        }
        if (group.size() < 3)
            continue;
        for (const Cell* cell : group) {
            counted.push_back(cell);
            layers += cell->GetLayerCount() != 0 || cell->IsBlocked() ? 1 : 0;
        }
    }
    return layers;
}

// The move whose first cell carries the tutorial's tip, when the tip shows.
inline bool FindTippedMove(const Tansywell::GameLogic& level, std::uint32_t& move)
{
    const Tansywell::Tutorial* tutorial = level.GetTutorial();
    const OrrelayEngine::Model* tip = tutorial != nullptr ? tutorial->GetTipModel() : nullptr;
    if (tip == nullptr || (tip->GetFlags() & OrrelayEngine::Model::kFlagVisible) == 0)
        return false;
    const Board& board = *level.GetBoard();
    for (std::uint32_t m = board.GetMoveCount(); m-- > 0;) {
        const OrrelayEngine::Matrix4& at = board.GetMoveFirst(m)->GetModelMatrix();
        if (at.m[3] == tip->matrix.m[3] && at.m[7] == tip->matrix.m[7] && at.m[11] == tip->matrix.m[11]) {
            move = m;
            return true;
        }
    }
    return false;
}

// The board waits for a move: nothing falls or burns, and a move is listed.
inline bool BoardAwaitsMove(const GamePlayer& player)
{
    const Tansywell::GameLogic* level = Level(player);
    if (level == nullptr || level->GetState() != GameFramework::GameLogicBase::kStateRunning)
        return false;
    const Board* board = level->GetBoard();
    return board->GetQueuedGroupCount() == 0 && board->GetMoveCount() != 0 && board->GetSelectedCell() == nullptr;
}

inline bool LevelOver(const GamePlayer& player)
{
    const Tansywell::GameLogic* level = Level(player);
    return level == nullptr || level->GetState() == GameFramework::GameLogicBase::kStateWon ||
           level->GetState() == GameFramework::GameLogicBase::kStateLost;
}

struct LevelPlayed
{
    std::uint32_t moves = 0;
    // The swap lesson was still being taught when the board came to its end.
    bool swapLessonCutShort = false;
    // After the first swap taken, a score above 0 floated up at one of its two cells.
    bool scoreFloated = false;
};

// A floating score above 0 within a cell of one of the two points.
inline bool ScoreFloatsAt(const GamePlayer& player, const Vector2& a, const Vector2& b)
{
    const Tansywell::GameLogic* level = Level(player);
    if (level == nullptr)
        return false;
    const Tansywell::GUIGameLogicTextManager& texts = *level->GetTextManager();
    for (std::uint32_t i = 0; i < texts.GetTextCount(); ++i) {
        const Tansywell::GUIGameLogicText& text = texts.GetText(i);
        const Vector2& at = text.GetPosition();
        const bool near = std::hypot(at.x - a.x, at.y - a.y) < 45.0f || std::hypot(at.x - b.x, at.y - b.y) < 45.0f;
        if (near && text.GetText().size() > 1 && text.GetText()[0] == L'+' && text.GetText() != L"+0")
            return true;
    }
    return false;
}

// Plays the level to its end: the tutorial's swap when its tip shows, else
// the listed move that clears the most remaining layers (to win) or the
// fewest (to spend the energy). The character's speech runs its course.
inline bool PlayLevel(GamePlayer& player, bool toWin, LevelPlayed& played, std::uint32_t moveCap = kMoveLimit)
{
    std::uint32_t& moves = played.moves;
    const auto watchLesson = [&] {
        const Tansywell::GameLogic* level = Level(player);
        if (level == nullptr || level->GetTutorial() == nullptr)
            return;
        const Board& board = *level->GetBoard();
        if (board.GetClearedLayers() < board.GetTotalLayers() && board.GetEnergy() != 0)
            played.swapLessonCutShort = level->GetTutorial()->IsTopicActive(Tansywell::Tutorial::kTopicSwap);
    };
    if (!player.WaitFor([&] { return BoardAwaitsMove(player); }, 60.0f, "a level in play"))
        return false;
    // Moves the game did not take (a cell under the character, say), skipped
    // until a move is taken; a player would try another.
    std::vector<std::pair<const Cell*, const Cell*>> untaken;
    // Where the first swap taken stood on the screen.
    Vector2 firstSwap[2];
    for (int turn = 0; turn < kMoveLimit; ++turn) {
        if (!player.WaitFor(
                [&] {
                    watchLesson();
                    if (moves == 1 && !played.scoreFloated)
                        played.scoreFloated = ScoreFloatsAt(player, firstSwap[0], firstSwap[1]);
                    return BoardAwaitsMove(player) || LevelOver(player);
                },
                kMoveSeconds, "the board settled after move " + std::to_string(moves)))
            return false;
        if (LevelOver(player) || moves >= moveCap)
            return true;
        const Tansywell::GameLogic& level = *Level(player);
        const Board& board = *level.GetBoard();
        std::uint32_t move = 0;
        if (!FindTippedMove(level, move)) {
            // The player out to win listens to the character before moving;
            // the one spending the energy plays on while it speaks.
            const Tansywell::Character* character = player.GetGame().GetCharacter();
            if (toWin && character != nullptr && !character->IsSpeechHidden()) {
                if (!player.WaitFor([&] { return character->IsSpeechHidden() || FindTippedMove(*Level(player), move); },
                                    kSpeechSeconds, "the character's speech over"))
                    return false;
                --turn;
                continue;
            }
            std::uint32_t best = toWin ? 0 : ~0u;
            for (std::uint32_t m = 0; m < board.GetMoveCount(); ++m) {
                const std::pair<const Cell*, const Cell*> pair(board.GetMoveFirst(m), board.GetMoveSecond(m));
                if (std::find(untaken.begin(), untaken.end(), pair) != untaken.end())
                    continue;
                const std::uint32_t layers = LayersTheSwapClears(board, board.GetMoveFirst(m), board.GetMoveSecond(m));
                if (toWin ? layers > best : layers < best) {
                    best = layers;
                    move = m;
                }
            }
        }
        const Cell* first = board.GetMoveFirst(move);
        const Cell* second = board.GetMoveSecond(move);
        // A player aims once the board stands still on the screen (the camera
        // swings in as the level starts).
        const Vector2 before = board.GetCellScreenPosition(first);
        player.Frame();
        const Vector2 after = board.GetCellScreenPosition(first);
        if (std::fabs(before.x - after.x) > 0.5f || std::fabs(before.y - after.y) > 0.5f) {
            --turn;
            continue;
        }
        const std::uint32_t energy = board.GetEnergy();
        const Vector2 firstAt = board.GetCellScreenPosition(first);
        const Vector2 secondAt = board.GetCellScreenPosition(second);
        player.ClickAt(firstAt);
        player.ClickAt(secondAt);
        if (!player.WaitFor(
                [&] {
                    watchLesson();
                    return LevelOver(player) || Level(player)->GetBoard()->GetEnergy() < energy;
                },
                2.0f, "the swap of move " + std::to_string(moves + 1) + " taken", false)) {
            untaken.emplace_back(first, second);
            if (untaken.size() > kUntakenLimit) {
                ADD_FAILURE() << untaken.size() << " swaps in a row not taken; " << player.Screen();
                return false;
            }
            // A cell left selected is let go with a click on it.
            if (board.GetSelectedCell() != nullptr)
                player.ClickAt(board.GetCellScreenPosition(board.GetSelectedCell()));
            continue;
        }
        untaken.clear();
        if (moves == 0) {
            firstSwap[0] = firstAt;
            firstSwap[1] = secondAt;
        }
        ++moves;
    }
    ADD_FAILURE() << "the level did not end in " << kMoveLimit << " moves; " << player.Screen();
    return false;
}

} // namespace PlayTests
