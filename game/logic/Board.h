// The hexagonal board of a level: its cells in doubled-row coordinates, the
// item on each cell, the player's selection and swaps, the queue of matched
// groups and their destruction with layers, bonuses, score, refill and
// cascades, the list of possible moves with the hint, and the level's layer
// and energy counters that decide a win or a loss.
//
// Update picks the cell under the cursor and hands it to Step, which does the
// rest of the frame; tests and the simulated game drive Step directly. The
// character, the score texts and the mixer may be null: what they would show
// or sound is then skipped.
//
// Grid: cells that share a flat side differ by 2 in y, diagonal neighbours by
// 1 in x and 1 in y. Directions 0 (x, y+2), 1 (x+1, y+1), 2 (x+1, y-1),
// 3 (x, y-2), 4 (x-1, y-1), 5 (x-1, y+1); every loop over neighbours runs
// them in this order, which the refill and the bonus areas depend on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/logic/AwardList.h"
#include "game/logic/CellGroup.h"
#include "game/logic/DestroyedCellRecord.h"

namespace OrrelayEngine {
class CameraManager;
class Controls;
class Engine;
class GUIManager;
class Window;
} // namespace OrrelayEngine

namespace GameFramework {
class Mixer;
class ScoreKeeper;
} // namespace GameFramework

namespace Tansywell {

class BoardCharacter;
class BoardItem;
class BoardItemPool;
class BoardScoreTexts;
class Bonus;
class BonusManager;
class Cell;
class CellSelectionManager;
class GameData;
class GameLogicData;
struct QueuedGroup;

class Board
{
public:
    static constexpr std::uint32_t kDirectionCount = 6;
    // The move list stops growing once it holds this many cells (five moves).
    static constexpr std::uint32_t kMoveListCellLimit = 10;
    // Starting energy per layer, before the level's factor; a float as stored.
    static constexpr float kEnergyPerLayer = 0.76f;
    // Resolve steps in a row without a cleared layer after which the refill
    // gives a colour bonus.
    static constexpr std::uint32_t kDryStepsBeforeColourBonus = 9;

    // Sound ids of the game's sound table.
    enum Sound : std::uint32_t
    {
        kSoundBadSwap = 15,
        kSoundBonusColorDestruction = 16,
        kSoundBonusCombinationDestruction = 17,
        kSoundBonusItemDestruction = 18,
        kSoundCombination0 = 19,
        kSoundCombination4 = 23,
        kSoundDeselect = 24,
        kSoundLevelBegin = 25,
        kSoundLevelEnd = 26,
        kSoundLevelFailed = 27,
        kSoundSelect = 28,
        kSoundSwap = 29
    };

    // Scoring kinds asked from the score keeper.
    enum ScoreKind : std::uint32_t
    {
        kScoreItemDestroyed = 0,
        kScoreLayerRemoved = 1,
        kScoreClosedCellOpened = 2,
        kScoreCellUnblocked = 3,
        // Followed by the bonuses of kind 1 and 2.
        kScoreBonusItemDestruction = 4
    };

    // The board fills itself and plays the level's opening sound. The level's
    // score keeper must already know the points of every scoring kind.
    Board(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* gameData,
          const GameLogicData* data, BoardCharacter* character, GameFramework::ScoreKeeper* scoreKeeper,
          BonusManager* bonuses, BoardItemPool* items, BoardScoreTexts* scoreTexts, bool relaxMode, float energyFactor);
    virtual ~Board();

    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Null outside the grid or where no cell stands.
    Cell* GetCell(std::uint32_t x, std::uint32_t y) const;
    // Null for a null cell, a direction outside 0..5 or no cell there.
    Cell* GetNeighbour(const Cell* cell, std::uint32_t direction) const;
    // Null for a null cell, an empty cell or a cell of another board.
    BoardItem* GetItem(const Cell* cell) const;
    // A cell of another board changes nothing.
    void SetItem(const Cell* cell, BoardItem* item);
    void SwapItems(const Cell* a, const Cell* b);

    // The cell's centre on the screen, in GUI coordinates.
    OrrelayEngine::Vector2 GetCellScreenPosition(const Cell* cell) const;

    // One frame: picks the cell under the cursor and runs Step with MOUSE1.
    void Update();
    // The nearest cell the ray hits; on equal distances the earlier cell.
    Cell* PickCell(const OrrelayEngine::Vector3& origin, const OrrelayEngine::Vector3& direction) const;
    // One frame with the cell under the cursor (or null) and the button's
    // state: the stuck test, the resolve step, then selection and swaps, the
    // highlights and the selection marker.
    void Step(Cell* hovered, bool buttonWentDown, bool buttonHeld);
    // What a click on a neighbour of another kind does: the swap stays when
    // either cell then lies in a group of three (each queued, one energy
    // spent), otherwise it is undone. Step calls it; so do the simulated game
    // and the benchmark, which play moves without the mouse.
    void TrySwap(Cell* selected, Cell* hovered);

    // Grows the group from its last cell, depth first; a branch is kept only
    // when the group holds at least minimum cells on its return.
    void FloodFill(CellGroup& group, std::uint32_t minimum);
    // One group per start cell, in cell order, whose search reaches minimum.
    void FindGroups(std::uint32_t minimum);
    bool IsInGroupOfThree(const Cell* cell);
    // Queues the cell's connected group with what its bonuses add, and locks
    // its items.
    void QueueGroup(Cell* cell);
    // order must hold one entry per kind.
    void ComputeKindOrder(const Cell* cell, std::vector<std::uint32_t>& order, bool descending);
    void ListMoves();
    void Resolve();
    // Puts a new item on every open cell (taking the old ones away), then
    // lists the moves.
    void FillBoard();
    // Move index beyond the list does nothing.
    void ShowHint(std::uint32_t moveIndex);

    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    std::uint32_t GetCellCount() const { return static_cast<std::uint32_t>(cells_.size()); }
    Cell* GetCellAt(std::uint32_t listIndex) const { return cells_[listIndex].get(); }
    const OrrelayEngine::BoundingBox& GetBoundingBox() const { return boundingBox_; }
    Cell* GetSelectedCell() const { return selected_; }
    std::uint32_t GetDestroyedCount() const { return destroyedCount_; }

    std::uint32_t GetGroupCount() const { return groupCount_; }
    const CellGroup& GetGroup(std::uint32_t index) const { return groups_[index]; }
    std::uint32_t GetQueuedGroupCount() const { return static_cast<std::uint32_t>(queue_.size()); }
    const QueuedGroup& GetQueuedGroup(std::uint32_t index) const { return *queue_[index]; }

    std::uint32_t GetMoveCount() const { return static_cast<std::uint32_t>(moves_.size() / 2); }
    Cell* GetMoveFirst(std::uint32_t index) const { return moves_[2 * index]; }
    Cell* GetMoveSecond(std::uint32_t index) const { return moves_[2 * index + 1]; }

    // Where cells lost a layer this frame, in GUI coordinates.
    const std::vector<OrrelayEngine::Vector2>& GetLayerPositions() const { return layerPositions_; }

    std::uint32_t GetTotalLayers() const { return totalLayers_; }
    std::uint32_t GetClearedLayers() const { return clearedLayers_; }
    std::uint32_t GetStartingEnergy() const { return startingEnergy_; }
    std::uint32_t GetEnergy() const { return energy_; }
    bool IsWon() const { return won_ != 0; }
    bool IsLost() const { return lost_ != 0; }
    std::uint32_t GetScorePotential() const { return scorePotential_; }
    bool IsRelaxMode() const { return relaxMode_ != 0; }
    std::uint32_t GetDryStepCount() const { return dryResolveSteps_; }

private:
    struct FloodFrame
    {
        Cell* cell;
        std::uint32_t nextDirection;
        // The group's size before this cell was appended.
        std::uint32_t sizeBefore;
    };

    void BuildGrid();
    void ComputeLevelCounters(float energyFactor);
    Cell* PickHoveredCell() const;
    bool Matches(const Cell* a, const Cell* b) const;
    static bool AreNeighbours(const Cell* a, const Cell* b);
    // A bonus that has expired no longer counts, though its item may still
    // carry it until the pool's next update.
    static Bonus* LiveBonus(const BoardItem* item);
    // GetNeighbour for a cell of this board and a direction below 6.
    Cell* Neighbour(const Cell* cell, std::uint32_t direction) const;
    void Click(Cell* hovered, bool buttonWentDown);
    std::uint32_t NextStamp(std::vector<std::uint32_t>& marks, std::uint32_t& stamp);
    // The cell's connected group of matching items into searchQueue_, breadth
    // first, stopping once it holds limit cells; how many it holds (0 for an
    // empty cell).
    std::size_t SearchComponent(Cell* cell, std::size_t limit = SIZE_MAX);
    // Whether the cell's connected group of matching items has three cells.
    bool ReachesComponentOfThree(const Cell* cell);
    // Whether a search from the cell alone reaches three cells: a path of
    // three matching items starting at it.
    bool StartsPathOfThree(const Cell* cell) const;
    // The connected group in the order a search from its first cell (in cell
    // order) lists it; empty for a cell without a matching neighbour.
    void CollectComponent(Cell* cell, std::vector<Cell*>& out);
    void AddBonusCells(QueuedGroup& group);
    void AddToGroup(QueuedGroup& group, Cell* cell);
    BoardItem* PlaceFirstKindWithoutGroup(Cell* cell, const std::vector<std::uint32_t>& kinds);
    QueuedGroup* NewQueuedGroup();
    void RetireQueuedGroup(std::uint32_t queueIndex);
    bool IsQueuedGroupReady(const QueuedGroup& group) const;
    void DestroyQueuedGroup(QueuedGroup& group);
    void AwardBonus(const QueuedGroup& group);
    void OpenClosedCells();
    bool ChooseColourBonusKind(std::uint32_t& kind);
    void Refill();
    void QueueCascades();
    std::uint32_t CreditLayers();
    void TestLevelEnd();
    void FinishWonBoard();
    void ScoreDestroyedCells(std::uint32_t bonusesDestroyed[3]);
    void ClearBoardAtLevelEnd();
    void PlayStepSounds(const std::uint32_t bonusesDestroyed[3]);
    void Praise(std::uint32_t credited);
    void PlaySound(std::uint32_t soundId) const;
    void GiveBonus(BoardItem* item, std::uint32_t bonusKind);
    bool Owns(const Cell* cell) const;

    OrrelayEngine::Window* window_;
    OrrelayEngine::CameraManager* cameraManager_;
    OrrelayEngine::Controls* controls_;
    OrrelayEngine::GUIManager* guiManager_;
    BoardCharacter* character_;
    GameFramework::Mixer* mixer_;
    GameFramework::ScoreKeeper* scoreKeeper_;
    BonusManager* bonuses_;
    BoardItemPool* itemPool_;
    BoardScoreTexts* scoreTexts_;
    std::unique_ptr<CellSelectionManager> selectionManager_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::vector<std::unique_ptr<Cell>> cells_;
    std::vector<Cell*> grid_;
    // kDirectionCount entries per cell, by list index.
    std::vector<Cell*> neighbours_;
    // Parallel to cells_; the items belong to the pool.
    std::vector<BoardItem*> cellItems_;
    OrrelayEngine::BoundingBox boundingBox_;
    Cell* selected_ = nullptr;
    std::uint32_t destroyedCount_ = 0;
    std::uint32_t groupCount_ = 0;
    std::vector<CellGroup> groups_;
    std::vector<std::unique_ptr<QueuedGroup>> queue_;
    std::uint8_t refillDescending_ = 0;
    // Cell pairs (first, second).
    std::vector<Cell*> moves_;
    std::vector<OrrelayEngine::Vector2> layerPositions_;
    std::uint32_t totalLayers_ = 0;
    std::uint32_t clearedLayers_ = 0;
    std::uint32_t startingEnergy_ = 0;
    std::uint32_t energy_ = 0;
    std::uint8_t won_ = 0;
    std::uint8_t lost_ = 0;
    std::uint32_t scorePotential_ = 0;
    std::uint8_t relaxMode_ = 0;
    std::uint32_t dryResolveSteps_ = 0;

    // Working storage, sized once so that searches and steps allocate nothing.
    std::vector<std::unique_ptr<QueuedGroup>> spareGroups_;
    std::vector<DestroyedCellRecord> destroyedCells_;
    AwardList awards_;
    std::vector<std::uint32_t> kindOrder_;
    std::vector<float> kindWeights_;
    std::vector<std::uint32_t> kindCounts_;
    std::vector<FloodFrame> floodStack_;
    std::vector<Cell*> searchQueue_;
    std::vector<Cell*> cascadeStarts_;
    CellGroup componentGroup_;
    // Per cell: the stamp of the last search or group that took it in.
    std::vector<std::uint32_t> floodMarks_;
    std::uint32_t floodStamp_ = 0;
    std::vector<std::uint32_t> searchMarks_;
    std::uint32_t searchStamp_ = 0;
    std::vector<std::uint32_t> groupMarks_;
    std::uint32_t groupStamp_ = 0;
};

} // namespace Tansywell
