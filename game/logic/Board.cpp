#include "game/logic/Board.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/render/CameraManager.h"
#include "framework/Mixer.h"
#include "framework/ScoreKeeper.h"
#include "game/GameLogicData.h"
#include "game/logic/BoardCharacter.h"
#include "game/logic/BoardItem.h"
#include "game/logic/BoardItemPool.h"
#include "game/logic/BoardScoreTexts.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "game/logic/Cell.h"
#include "game/logic/CellSelectionManager.h"
#include "game/logic/QueuedGroup.h"

namespace Tansywell {

namespace {

constexpr char kMouseButton[] = "MOUSE1";
// How far an item's shadow lies above the board's top.
constexpr float kShadowHeightAboveBoard = 0.25f;
// Kind weights of the refill: a neighbour's kind, and a kind next to that neighbour.
constexpr float kNeighbourKindWeight = 2.5f;
constexpr float kSecondRingKindWeight = 1.0f;
// Layer credit: each destroyed item beyond three adds 15 %, up to 60 %.
constexpr std::uint32_t kItemsWithoutCombination = 3;
constexpr float kCombinationFactorPerItem = 0.15f;
constexpr float kCombinationFactorLimit = 0.6f;

} // namespace

Board::Board(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* gameData,
             const GameLogicData* data, BoardCharacter* character, GameFramework::ScoreKeeper* scoreKeeper,
             BonusManager* bonuses, BoardItemPool* items, BoardScoreTexts* scoreTexts, bool relaxMode,
             float energyFactor)
    : window_(engine->GetWindow()), cameraManager_(engine->GetCameraManager()), controls_(engine->GetControls()),
      guiManager_(engine->GetGUIManager()), character_(character), mixer_(mixer), scoreKeeper_(scoreKeeper),
      bonuses_(bonuses), itemPool_(items), scoreTexts_(scoreTexts), relaxMode_(relaxMode ? 1 : 0)
{
    selectionManager_ = std::make_unique<CellSelectionManager>(engine, gameData);

    width_ = data->GetWidth();
    height_ = data->GetHeight();
    const std::vector<CellRecord>& records = data->GetCellRecords();
    cells_.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        cells_.push_back(std::make_unique<Cell>(engine, gameData, records[i], static_cast<std::uint32_t>(i)));

    if (!cells_.empty()) {
        boundingBox_ = cells_.front()->GetBoundingBox();
        for (const std::unique_ptr<Cell>& cell : cells_)
            boundingBox_.Merge(cell->GetBoundingBox());
    }
    BuildGrid();

    const std::size_t cellCount = cells_.size();
    groups_.resize(cellCount);
    for (CellGroup& group : groups_)
        group.Reserve(static_cast<std::uint32_t>(cellCount));
    componentGroup_.Reserve(static_cast<std::uint32_t>(cellCount));
    floodStack_.reserve(cellCount + 1);
    searchQueue_.reserve(cellCount);
    cascadeStarts_.reserve(cellCount);
    floodMarks_.assign(cellCount, 0);
    searchMarks_.assign(cellCount, 0);
    groupMarks_.assign(cellCount, 0);
    destroyedCells_.reserve(2 * cellCount);
    awards_.Reserve(static_cast<std::uint32_t>(cellCount));
    layerPositions_.reserve(cellCount);
    // A trial move can add six moves after the limit's test.
    moves_.reserve(kMoveListCellLimit + 2 * kDirectionCount + 2);
    const std::uint32_t kindCount = itemPool_->GetKindCount();
    kindOrder_.resize(kindCount);
    kindWeights_.resize(kindCount);
    kindCounts_.resize(kindCount);

    itemPool_->SetShadowHeight(boundingBox_.worldMax.z + kShadowHeightAboveBoard);
    itemPool_->CreatePool(static_cast<std::uint32_t>(cellCount));
    FillBoard();

    selected_ = nullptr;
    destroyedCount_ = 0;
    refillDescending_ = 0;
    ComputeLevelCounters(energyFactor);
    dryResolveSteps_ = 0;
    PlaySound(kSoundLevelBegin);
}

Board::~Board() = default;

void Board::BuildGrid()
{
    grid_.assign(static_cast<std::size_t>(width_) * height_, nullptr);
    for (const std::unique_ptr<Cell>& cell : cells_) {
        // The board reader refuses cells outside the grid; such a cell is
        // still played but has no neighbours.
        if (cell->GetX() < width_ && cell->GetY() < height_)
            grid_[static_cast<std::size_t>(cell->GetY()) * width_ + cell->GetX()] = cell.get();
    }
    neighbours_.assign(cells_.size() * kDirectionCount, nullptr);
    for (const std::unique_ptr<Cell>& cell : cells_) {
        for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction)
            neighbours_[cell->GetListIndex() * kDirectionCount + direction] = GetNeighbour(cell.get(), direction);
    }
}

void Board::ComputeLevelCounters(float energyFactor)
{
    totalLayers_ = 0;
    scorePotential_ = 0;
    for (const std::unique_ptr<Cell>& cell : cells_) {
        const std::uint32_t layers = cell->GetLayerCount() <= 2 ? cell->GetLayerCount() : 0;
        totalLayers_ += layers;
        if (scoreKeeper_ == nullptr)
            continue;
        scorePotential_ += layers * scoreKeeper_->GetPoints(kScoreLayerRemoved);
        if (cell->IsClosed())
            scorePotential_ += scoreKeeper_->GetPoints(kScoreClosedCellOpened);
        if (cell->IsBlocked())
            scorePotential_ += scoreKeeper_->GetPoints(kScoreCellUnblocked);
    }
    // In double precision with the per-layer constant as the float it is
    // stored as, so that 25 layers give 18, not 19. A factor the level reader
    // would refuse (negative, not a number) gives no energy rather than an
    // undefined conversion.
    const double energy =
        static_cast<double>(totalLayers_) * static_cast<double>(kEnergyPerLayer) * static_cast<double>(energyFactor);
    if (!(energy > 0.0))
        startingEnergy_ = 0;
    else if (energy >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        startingEnergy_ = std::numeric_limits<std::uint32_t>::max();
    else
        startingEnergy_ = static_cast<std::uint32_t>(energy);
    clearedLayers_ = 0;
    energy_ = startingEnergy_;
    won_ = 0;
    lost_ = 0;
}

bool Board::Owns(const Cell* cell) const
{
    return cell != nullptr && cell->GetListIndex() < cells_.size() && cells_[cell->GetListIndex()].get() == cell;
}

Cell* Board::GetCell(std::uint32_t x, std::uint32_t y) const
{
    if (x >= width_ || y >= height_)
        return nullptr;
    return grid_[static_cast<std::size_t>(y) * width_ + x];
}

Cell* Board::GetNeighbour(const Cell* cell, std::uint32_t direction) const
{
    if (cell == nullptr)
        return nullptr;
    const std::uint32_t x = cell->GetX();
    const std::uint32_t y = cell->GetY();
    switch (direction) {
    case 0:
        return y + 2 > y ? GetCell(x, y + 2) : nullptr;
    case 1:
        return x + 1 > x && y + 1 > y ? GetCell(x + 1, y + 1) : nullptr;
    case 2:
        return y > 0 && x + 1 > x ? GetCell(x + 1, y - 1) : nullptr;
    case 3:
        return y > 1 ? GetCell(x, y - 2) : nullptr;
    case 4:
        return x > 0 && y > 0 ? GetCell(x - 1, y - 1) : nullptr;
    case 5:
        return x > 0 && y + 1 > y ? GetCell(x - 1, y + 1) : nullptr;
    default:
        return nullptr;
    }
}

Cell* Board::Neighbour(const Cell* cell, std::uint32_t direction) const
{
    return neighbours_[cell->GetListIndex() * kDirectionCount + direction];
}

BoardItem* Board::GetItem(const Cell* cell) const
{
    return Owns(cell) ? cellItems_[cell->GetListIndex()] : nullptr;
}

void Board::SetItem(const Cell* cell, BoardItem* item)
{
    if (Owns(cell))
        cellItems_[cell->GetListIndex()] = item;
}

void Board::SwapItems(const Cell* a, const Cell* b)
{
    if (Owns(a) && Owns(b))
        std::swap(cellItems_[a->GetListIndex()], cellItems_[b->GetListIndex()]);
}

OrrelayEngine::Vector2 Board::GetCellScreenPosition(const Cell* cell) const
{
    const OrrelayEngine::Camera* camera = cameraManager_->GetCurrentCamera();
    if (camera == nullptr || cell == nullptr || window_->GetWidth() <= 0 || window_->GetHeight() <= 0)
        return OrrelayEngine::Vector2();
    const OrrelayEngine::Vector2 pixel = cameraManager_->ProjectPoint(*camera, cell->GetCentre());
    return OrrelayEngine::Vector2(pixel.x / static_cast<float>(window_->GetWidth()) * guiManager_->GetScreenWidth(),
                                  pixel.y / static_cast<float>(window_->GetHeight()) * guiManager_->GetScreenHeight());
}

bool Board::Matches(const Cell* a, const Cell* b) const
{
    const BoardItem* first = cellItems_[a->GetListIndex()];
    const BoardItem* second = cellItems_[b->GetListIndex()];
    return first != nullptr && second != nullptr && first->GetKind() == second->GetKind();
}

bool Board::AreNeighbours(const Cell* a, const Cell* b)
{
    const std::uint32_t dx = a->GetX() > b->GetX() ? a->GetX() - b->GetX() : b->GetX() - a->GetX();
    const std::uint32_t dy = a->GetY() > b->GetY() ? a->GetY() - b->GetY() : b->GetY() - a->GetY();
    return (dx == 0 && dy == 2) || (dx == 1 && dy == 1);
}

Bonus* Board::LiveBonus(const BoardItem* item)
{
    if (item == nullptr)
        return nullptr;
    Bonus* bonus = item->GetBonus();
    return bonus != nullptr && bonus->IsAlive() ? bonus : nullptr;
}

void Board::PlaySound(std::uint32_t soundId) const
{
    if (mixer_ != nullptr)
        mixer_->PlaySound(soundId);
}

std::uint32_t Board::NextStamp(std::vector<std::uint32_t>& marks, std::uint32_t& stamp)
{
    if (++stamp == 0) {
        std::fill(marks.begin(), marks.end(), 0);
        stamp = 1;
    }
    return stamp;
}

// ---------------------------------------------------------------------------
// The frame

void Board::Update()
{
    Step(PickHoveredCell(), controls_->WasKeyPressed(kMouseButton), controls_->IsKeyDown(kMouseButton));
}

Cell* Board::PickHoveredCell() const
{
    const OrrelayEngine::Camera* camera = cameraManager_->GetCurrentCamera();
    const float screenWidth = guiManager_->GetScreenWidth();
    const float screenHeight = guiManager_->GetScreenHeight();
    if (camera == nullptr || screenWidth <= 0.0f || screenHeight <= 0.0f)
        return nullptr;
    OrrelayEngine::Vector2 cursor;
    guiManager_->GetCursorPosition(cursor);
    const float x = cursor.x / screenWidth * static_cast<float>(window_->GetWidth());
    const float y = cursor.y / screenHeight * static_cast<float>(window_->GetHeight());
    const OrrelayEngine::Vector3 nearPoint =
        cameraManager_->UnprojectPoint(*camera, OrrelayEngine::Vector3(x, y, 0.0f));
    const OrrelayEngine::Vector3 farPoint = cameraManager_->UnprojectPoint(*camera, OrrelayEngine::Vector3(x, y, 1.0f));
    return PickCell(nearPoint, farPoint - nearPoint);
}

Cell* Board::PickCell(const OrrelayEngine::Vector3& origin, const OrrelayEngine::Vector3& direction) const
{
    Cell* nearest = nullptr;
    float nearestDistance = 0.0f;
    for (const std::unique_ptr<Cell>& cell : cells_) {
        float distance = 0.0f;
        if (!cell->IntersectRay(origin, direction, &distance))
            continue;
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = cell.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}

void Board::Step(Cell* hovered, bool buttonWentDown, bool buttonHeld)
{
    destroyedCount_ = 0;
    layerPositions_.clear();

    // A board without a possible move gets all new items; not once the level
    // has ended, or a lost level would be dealt a new board for ever.
    if (queue_.empty() && moves_.empty() && won_ == 0 && lost_ == 0)
        FillBoard();

    Resolve();

    if (hovered != nullptr && Owns(hovered)) {
        const BoardItem* item = cellItems_[hovered->GetListIndex()];
        if (item == nullptr || item->IsLocked() || hovered->IsBlocked())
            hovered = nullptr;
    } else {
        hovered = nullptr;
    }

    if (hovered != nullptr) {
        // With a cell selected, a held button drags over the neighbours.
        const bool active = (selected_ != nullptr && buttonHeld) || buttonWentDown;
        if (active)
            Click(hovered, buttonWentDown);
    }

    for (const std::unique_ptr<Cell>& cell : cells_)
        cell->SetHighlight(cell.get() == hovered, cell.get() == selected_);
    selectionManager_->Update(selected_);
}

void Board::Click(Cell* hovered, bool buttonWentDown)
{
    if (selected_ == nullptr) {
        selected_ = hovered;
        PlaySound(kSoundSelect);
        return;
    }
    const BoardItem* selectedItem = cellItems_[selected_->GetListIndex()];
    const BoardItem* hoveredItem = cellItems_[hovered->GetListIndex()];
    if (hovered == selected_ || selectedItem == nullptr || selectedItem->IsLocked() || hoveredItem == nullptr ||
        hoveredItem->IsLocked()) {
        if (buttonWentDown) {
            selected_ = nullptr;
            PlaySound(kSoundDeselect);
        }
        return;
    }
    if (AreNeighbours(selected_, hovered) && selectedItem->GetKind() != hoveredItem->GetKind()) {
        TrySwap(selected_, hovered);
        selected_ = nullptr;
        return;
    }
    if (buttonWentDown) {
        selected_ = hovered;
        PlaySound(kSoundSelect);
    }
}

void Board::TrySwap(Cell* selected, Cell* hovered)
{
    SwapItems(selected, hovered);
    bool queued = false;
    if (IsInGroupOfThree(selected)) {
        QueueGroup(selected);
        queued = true;
    }
    if (IsInGroupOfThree(hovered)) {
        QueueGroup(hovered);
        queued = true;
    }
    BoardItem* selectedItem = cellItems_[selected->GetListIndex()];
    BoardItem* hoveredItem = cellItems_[hovered->GetListIndex()];
    if (queued) {
        selectedItem->MoveTo(selected->GetTopPosition());
        hoveredItem->MoveTo(hovered->GetTopPosition());
        // A swap at energy 0 still plays; the loss comes when the queue empties.
        if (relaxMode_ == 0 && energy_ > 0)
            --energy_;
        PlaySound(kSoundSwap);
        return;
    }
    selectedItem->Jump();
    hoveredItem->Jump();
    SwapItems(selected, hovered);
    PlaySound(kSoundBadSwap);
}

// ---------------------------------------------------------------------------
// Groups

void Board::FloodFill(CellGroup& group, std::uint32_t minimum)
{
    if (group.IsEmpty())
        return;
    // Depth first with its own stack, so that a component as large as the
    // biggest board cannot overflow the call stack; the visiting order is
    // that of the recursive search: directions in order, each branch to its
    // end before the next.
    const std::uint32_t stamp = NextStamp(floodMarks_, floodStamp_);
    for (const Cell* cell : group.GetCells())
        floodMarks_[cell->GetListIndex()] = stamp;
    floodStack_.clear();
    floodStack_.push_back(FloodFrame{group.GetLast(), 0, group.GetSize() - 1});
    while (!floodStack_.empty()) {
        FloodFrame& top = floodStack_.back();
        if (top.nextDirection == kDirectionCount) {
            const std::uint32_t sizeBefore = top.sizeBefore;
            floodStack_.pop_back();
            // Back in the caller's frame: drop the branch unless it reached
            // the minimum.
            if (!floodStack_.empty() && group.GetSize() < minimum) {
                for (std::uint32_t i = sizeBefore; i < group.GetSize(); ++i)
                    floodMarks_[group.GetCell(i)->GetListIndex()] = 0;
                group.Truncate(sizeBefore);
            }
            continue;
        }
        Cell* cell = top.cell;
        const std::uint32_t direction = top.nextDirection++;
        Cell* neighbour = Neighbour(cell, direction);
        if (neighbour == nullptr || !Matches(cell, neighbour) || floodMarks_[neighbour->GetListIndex()] == stamp)
            continue;
        const std::uint32_t sizeBefore = group.GetSize();
        group.Add(neighbour);
        floodMarks_[neighbour->GetListIndex()] = stamp;
        floodStack_.push_back(FloodFrame{neighbour, 0, sizeBefore});
    }
}

void Board::FindGroups(std::uint32_t minimum)
{
    groupCount_ = 0;
    for (const std::unique_ptr<Cell>& cell : cells_) {
        CellGroup& group = groups_[groupCount_];
        group.Clear();
        group.Add(cell.get());
        FloodFill(group, minimum);
        if (group.GetSize() >= minimum)
            ++groupCount_;
        if (groupCount_ == groups_.size())
            break;
    }
}

bool Board::IsInGroupOfThree(const Cell* cell)
{
    // Some search from a start cell reaches three cells and takes this cell
    // in exactly when the cell's connected group has three cells: a start at
    // the cell itself finds a path of three unless the cell is the middle of
    // a star, and then a start at one of its ends does.
    return Owns(cell) && ReachesComponentOfThree(cell);
}

std::size_t Board::SearchComponent(Cell* cell, std::size_t limit)
{
    if (cellItems_[cell->GetListIndex()] == nullptr)
        return 0;
    const std::uint32_t stamp = NextStamp(searchMarks_, searchStamp_);
    searchQueue_.clear();
    searchQueue_.push_back(cell);
    searchMarks_[cell->GetListIndex()] = stamp;
    for (std::size_t i = 0; i < searchQueue_.size(); ++i) {
        const Cell* current = searchQueue_[i];
        for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
            Cell* neighbour = Neighbour(current, direction);
            if (neighbour == nullptr || searchMarks_[neighbour->GetListIndex()] == stamp ||
                !Matches(current, neighbour))
                continue;
            searchMarks_[neighbour->GetListIndex()] = stamp;
            searchQueue_.push_back(neighbour);
            if (searchQueue_.size() >= limit)
                return limit;
        }
    }
    return searchQueue_.size();
}

bool Board::ReachesComponentOfThree(const Cell* cell)
{
    return SearchComponent(const_cast<Cell*>(cell), 3) == 3;
}

bool Board::StartsPathOfThree(const Cell* cell) const
{
    for (std::uint32_t first = 0; first < kDirectionCount; ++first) {
        const Cell* next = Neighbour(cell, first);
        if (next == nullptr || !Matches(cell, next))
            continue;
        for (std::uint32_t second = 0; second < kDirectionCount; ++second) {
            const Cell* last = Neighbour(next, second);
            if (last != nullptr && last != cell && Matches(next, last))
                return true;
        }
    }
    return false;
}

void Board::CollectComponent(Cell* cell, std::vector<Cell*>& out)
{
    // The component as the first of its cells (in cell order) lists it when
    // every cell is searched for a partner: that search takes in the whole
    // component, and the later ones add nothing new.
    if (SearchComponent(cell) < 2)
        return;
    Cell* first = cell;
    for (Cell* member : searchQueue_) {
        if (member->GetListIndex() < first->GetListIndex())
            first = member;
    }
    componentGroup_.Clear();
    componentGroup_.Add(first);
    FloodFill(componentGroup_, 2);
    out.insert(out.end(), componentGroup_.GetCells().begin(), componentGroup_.GetCells().end());
}

QueuedGroup* Board::NewQueuedGroup()
{
    std::unique_ptr<QueuedGroup> group;
    if (spareGroups_.empty()) {
        group = std::make_unique<QueuedGroup>();
        group->cells.reserve(cells_.size());
        group->items.reserve(cells_.size());
    } else {
        group = std::move(spareGroups_.back());
        spareGroups_.pop_back();
        group->Reset();
    }
    queue_.push_back(std::move(group));
    return queue_.back().get();
}

void Board::RetireQueuedGroup(std::uint32_t queueIndex)
{
    spareGroups_.push_back(std::move(queue_[queueIndex]));
    queue_.erase(queue_.begin() + queueIndex);
}

void Board::AddToGroup(QueuedGroup& group, Cell* cell)
{
    std::uint32_t& mark = groupMarks_[cell->GetListIndex()];
    if (mark == groupStamp_)
        return;
    mark = groupStamp_;
    group.cells.push_back(cell);
}

void Board::QueueGroup(Cell* cell)
{
    if (!Owns(cell))
        return;
    QueuedGroup& group = *NewQueuedGroup();
    NextStamp(groupMarks_, groupStamp_);
    CollectComponent(cell, group.cells);
    for (Cell* member : group.cells)
        groupMarks_[member->GetListIndex()] = groupStamp_;
    group.componentSize = static_cast<std::uint32_t>(group.cells.size());

    AddBonusCells(group);

    // Closed and empty cells that a bonus reached hold nothing to destroy.
    std::size_t kept = 0;
    for (Cell* member : group.cells) {
        BoardItem* item = cellItems_[member->GetListIndex()];
        if (item == nullptr)
            continue;
        item->SetLocked(true);
        group.cells[kept++] = member;
        group.items.push_back(item);
    }
    group.cells.resize(kept);
}

void Board::AddBonusCells(QueuedGroup& group)
{
    // The list grows while it is walked, so that bonuses on added cells
    // trigger in turn.
    for (std::size_t i = 0; i < group.cells.size(); ++i) {
        Cell* cell = group.cells[i];
        const BoardItem* item = cellItems_[cell->GetListIndex()];
        const Bonus* bonus = LiveBonus(item);
        if (bonus == nullptr)
            continue;
        ++group.bonusesTriggered;
        switch (bonus->GetKind()) {
        case Bonus::kItemDestruction:
            ++group.bonusCounts[Bonus::kItemDestruction];
            for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
                if (Cell* neighbour = Neighbour(cell, direction))
                    AddToGroup(group, neighbour);
            }
            break;
        case Bonus::kCombinationDestruction: {
            ++group.bonusCounts[Bonus::kCombinationDestruction];
            const std::size_t ringOf = group.cells.size();
            for (std::size_t j = 0; j < ringOf; ++j) {
                for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
                    if (Cell* neighbour = Neighbour(group.cells[j], direction))
                        AddToGroup(group, neighbour);
                }
            }
            break;
        }
        case Bonus::kColorDestruction:
            ++group.bonusCounts[Bonus::kColorDestruction];
            for (const std::unique_ptr<Cell>& other : cells_) {
                const BoardItem* otherItem = cellItems_[other->GetListIndex()];
                if (otherItem != nullptr && otherItem->GetKind() == item->GetKind())
                    AddToGroup(group, other.get());
            }
            break;
        default:
            break;
        }
    }
}

void Board::ComputeKindOrder(const Cell* cell, std::vector<std::uint32_t>& order, bool descending)
{
    const std::uint32_t kindCount = static_cast<std::uint32_t>(kindWeights_.size());
    for (std::uint32_t kind = 0; kind < kindCount; ++kind)
        kindWeights_[kind] = OrrelayEngine::RandomFloatRange(0.0f, 1.0f);
    if (Owns(cell)) {
        for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
            const Cell* neighbour = Neighbour(cell, direction);
            if (neighbour == nullptr)
                continue;
            const BoardItem* item = cellItems_[neighbour->GetListIndex()];
            if (item != nullptr && item->GetKind() < kindCount)
                kindWeights_[item->GetKind()] += kNeighbourKindWeight;
            // The cell itself and the neighbours beside this one count too,
            // each time they are reached.
            for (std::uint32_t further = 0; further < kDirectionCount; ++further) {
                const Cell* next = Neighbour(neighbour, further);
                if (next == nullptr)
                    continue;
                const BoardItem* nextItem = cellItems_[next->GetListIndex()];
                if (nextItem != nullptr && nextItem->GetKind() < kindCount)
                    kindWeights_[nextItem->GetKind()] += kSecondRingKindWeight;
            }
        }
    }
    // Insertion sort: stable, so equal weights keep the kind order, and it
    // needs no memory for a handful of kinds.
    order.resize(kindCount);
    for (std::uint32_t i = 0; i < kindCount; ++i) {
        const std::uint32_t kind = i;
        std::uint32_t j = i;
        while (j > 0) {
            const float before = kindWeights_[order[j - 1]];
            const float weight = kindWeights_[kind];
            const bool goesFirst = descending ? weight > before : weight < before;
            if (!goesFirst)
                break;
            order[j] = order[j - 1];
            --j;
        }
        order[j] = kind;
    }
}

void Board::ListMoves()
{
    moves_.clear();
    for (const std::unique_ptr<Cell>& owned : cells_) {
        if (moves_.size() >= kMoveListCellLimit)
            break;
        Cell* cell = owned.get();
        if (cellItems_[cell->GetListIndex()] == nullptr || cell->IsBlocked())
            continue;
        for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
            Cell* partner = Neighbour(cell, direction);
            if (partner == nullptr || cellItems_[partner->GetListIndex()] == nullptr || partner->IsBlocked())
                continue;
            SwapItems(cell, partner);
            // A search from the cell or one of its neighbours (not the
            // partner) that reaches three cells makes the swap a move; such
            // a search succeeds exactly when a path of three starts there.
            for (std::uint32_t k = 0; k <= kDirectionCount; ++k) {
                const Cell* start = k < kDirectionCount ? Neighbour(cell, k) : cell;
                if (start == nullptr || start == partner || !StartsPathOfThree(start))
                    continue;
                moves_.push_back(cell);
                moves_.push_back(partner);
                break;
            }
            SwapItems(cell, partner);
        }
    }
}

void Board::ShowHint(std::uint32_t moveIndex)
{
    if (moveIndex >= GetMoveCount())
        return;
    BoardItem* first = GetItem(GetMoveFirst(moveIndex));
    BoardItem* second = GetItem(GetMoveSecond(moveIndex));
    if (first != nullptr && second != nullptr) {
        first->Jump();
        second->Jump();
    }
}

BoardItem* Board::PlaceFirstKindWithoutGroup(Cell* cell, const std::vector<std::uint32_t>& kinds)
{
    const std::size_t index = cell->GetListIndex();
    for (std::size_t j = 0; j < kinds.size(); ++j) {
        BoardItem* item = itemPool_->GetItem(kinds[j]);
        cellItems_[index] = item;
        // When every kind would complete a group the last one stays, and the
        // cascade destroys the group.
        if (j + 1 == kinds.size() || !ReachesComponentOfThree(cell))
            return item;
        itemPool_->DestroyItem(item);
        cellItems_[index] = nullptr;
    }
    return nullptr;
}

void Board::FillBoard()
{
    const std::uint32_t kindCount = static_cast<std::uint32_t>(kindOrder_.size());
    for (std::uint32_t kind = 0; kind < kindCount; ++kind)
        kindOrder_[kind] = kind;
    if (cellItems_.size() == cells_.size()) {
        for (BoardItem*& item : cellItems_) {
            itemPool_->DestroyItem(item);
            item = nullptr;
        }
    } else {
        cellItems_.assign(cells_.size(), nullptr);
    }
    for (const std::unique_ptr<Cell>& owned : cells_) {
        Cell* cell = owned.get();
        if (cell->IsClosed())
            continue;
        for (std::uint32_t i = 1; i < kindCount; ++i)
            std::swap(kindOrder_[i], kindOrder_[OrrelayEngine::RandomModulo(i + 1)]);
        BoardItem* item = PlaceFirstKindWithoutGroup(cell, kindOrder_);
        if (item == nullptr)
            continue;
        item->SetHome(cell->GetTopPosition());
        item->Spawn();
        if (cell->IsBlocked())
            item->SetWebbed(true);
    }
    ListMoves();
}

// ---------------------------------------------------------------------------
// The resolve step

void Board::Resolve()
{
    if (queue_.empty())
        return;
    destroyedCells_.clear();
    awards_.Clear();
    for (std::uint32_t i = 0; i < queue_.size();) {
        QueuedGroup& group = *queue_[i];
        if (!IsQueuedGroupReady(group)) {
            ++i;
            continue;
        }
        DestroyQueuedGroup(group);
        // A group whose items were all gone already still awards.
        AwardBonus(group);
        RetireQueuedGroup(i);
    }
    if (destroyedCount_ == 0)
        return;

    OpenClosedCells();
    Refill();
    QueueCascades();
    const std::uint32_t credited = CreditLayers();
    TestLevelEnd();
    if (won_ != 0) {
        if (character_ != nullptr)
            character_->SayLevelEnd();
        FinishWonBoard();
    } else if (lost_ != 0 && character_ != nullptr) {
        character_->Dismiss();
    }
    std::uint32_t bonusesDestroyed[QueuedGroup::kBonusKindCount] = {};
    ScoreDestroyedCells(bonusesDestroyed);
    if (won_ != 0 || lost_ != 0)
        ClearBoardAtLevelEnd();
    PlayStepSounds(bonusesDestroyed);
    // Praise after the character said goodbye would pop up in the next level.
    if (won_ == 0 && lost_ == 0)
        Praise(credited);
}

bool Board::IsQueuedGroupReady(const QueuedGroup& group) const
{
    for (std::size_t i = 0; i < group.cells.size(); ++i) {
        const BoardItem* item = group.items[i];
        if (item != nullptr && cellItems_[group.cells[i]->GetListIndex()] == item && !item->IsResting())
            return false;
    }
    return true;
}

void Board::DestroyQueuedGroup(QueuedGroup& group)
{
    for (std::size_t i = 0; i < group.cells.size(); ++i) {
        Cell* cell = group.cells[i];
        BoardItem* item = group.items[i];
        if (item == nullptr || cellItems_[cell->GetListIndex()] != item)
            continue;
        DestroyedCellRecord record(cell);
        if (const Bonus* bonus = LiveBonus(item)) {
            if (bonus->GetKind() < QueuedGroup::kBonusKindCount)
                record.bonusDestroyed[bonus->GetKind()] = 1;
        }
        // A blocked cell loses its web, not a layer.
        if (cell->IsBlocked())
            record.blockRemoved = cell->Unblock() ? 1 : 0;
        else
            record.layerRemoved = cell->RemoveLayer() ? 1 : 0;
        destroyedCells_.push_back(record);
        itemPool_->DestroyItem(item);
        cellItems_[cell->GetListIndex()] = nullptr;
        ++destroyedCount_;
        // Another waiting group that shares the cell must not take the item
        // that the refill will put there.
        for (const std::unique_ptr<QueuedGroup>& other : queue_) {
            if (other.get() != &group)
                other->ForgetItem(item);
        }
    }
}

void Board::AwardBonus(const QueuedGroup& group)
{
    const std::uint32_t size = static_cast<std::uint32_t>(group.cells.size());
    if (group.bonusesTriggered > 1 && group.bonusCounts[Bonus::kColorDestruction] == 0) {
        const std::uint32_t pick = OrrelayEngine::RandomModulo(size);
        if (pick < size)
            awards_.Add(group.cells[pick], Bonus::kColorDestruction);
    } else if (group.componentSize == 4) {
        awards_.Add(group.cells[OrrelayEngine::RandomModulo(4)], Bonus::kItemDestruction);
    } else if (group.componentSize == 5) {
        awards_.Add(group.cells[OrrelayEngine::RandomModulo(5)], Bonus::kCombinationDestruction);
    }
}

void Board::OpenClosedCells()
{
    // A closed cell opens once everything open around it is cleared.
    for (const std::unique_ptr<Cell>& owned : cells_) {
        Cell* cell = owned.get();
        if (!cell->IsClosed())
            continue;
        bool anyOpen = false;
        bool allCleared = true;
        for (std::uint32_t direction = 0; direction < kDirectionCount; ++direction) {
            const Cell* neighbour = Neighbour(cell, direction);
            if (neighbour == nullptr || neighbour->IsClosed())
                continue;
            anyOpen = true;
            if (neighbour->GetLayerCount() != 0)
                allCleared = false;
        }
        if (!anyOpen || !allCleared)
            continue;
        DestroyedCellRecord record(cell);
        record.closedCellOpened = cell->OpenClosed() ? 1 : 0;
        destroyedCells_.push_back(record);
    }
}

bool Board::ChooseColourBonusKind(std::uint32_t& kind)
{
    if (dryResolveSteps_ <= kDryStepsBeforeColourBonus)
        return false;
    // The kind most common where layers are left; the lowest on a tie.
    std::vector<std::uint32_t>& counts = kindCounts_;
    std::fill(counts.begin(), counts.end(), 0);
    for (const std::unique_ptr<Cell>& cell : cells_) {
        const BoardItem* item = cellItems_[cell->GetListIndex()];
        if (item != nullptr && cell->GetLayerCount() != 0 && item->GetKind() < counts.size())
            ++counts[item->GetKind()];
    }
    kind = 0;
    for (std::uint32_t candidate = 1; candidate < counts.size(); ++candidate) {
        if (counts[candidate] > counts[kind])
            kind = candidate;
    }
    return true;
}

void Board::GiveBonus(BoardItem* item, std::uint32_t bonusKind)
{
    if (bonuses_ != nullptr)
        item->SetBonus(bonuses_->CreateBonus(bonusKind));
}

void Board::Refill()
{
    std::uint32_t colourKind = 0;
    bool colourBonusDue = ChooseColourBonusKind(colourKind);
    for (const std::unique_ptr<Cell>& owned : cells_) {
        Cell* cell = owned.get();
        if (cellItems_[cell->GetListIndex()] != nullptr || cell->IsClosed())
            continue;
        // Successive cells alternate between favouring the kinds around them
        // (near matches, more moves) and the rare ones.
        ComputeKindOrder(cell, kindOrder_, refillDescending_ != 0);
        refillDescending_ = refillDescending_ != 0 ? 0 : 1;
        BoardItem* item = PlaceFirstKindWithoutGroup(cell, kindOrder_);
        if (item == nullptr)
            continue;
        item->SetHome(cell->GetTopPosition());
        item->Spawn();
        if (colourBonusDue && item->GetKind() == colourKind) {
            colourBonusDue = false;
            GiveBonus(item, Bonus::kColorDestruction);
        }
        for (std::uint32_t i = 0; i < awards_.GetSize(); ++i) {
            const AwardList::Award& award = awards_.GetAward(i);
            if (award.cell == cell && item->GetBonus() == nullptr)
                GiveBonus(item, award.bonusKind);
        }
    }
}

void Board::QueueCascades()
{
    FindGroups(3);
    // The start cells first: queuing overwrites the group lists. A component
    // found from several start cells is queued once per start; the extra
    // groups find their items gone and only award their bonus.
    cascadeStarts_.clear();
    for (std::uint32_t i = 0; i < groupCount_; ++i)
        cascadeStarts_.push_back(groups_[i].GetFirst());
    for (Cell* start : cascadeStarts_)
        QueueGroup(start);
    if (queue_.empty())
        ListMoves();
}

std::uint32_t Board::CreditLayers()
{
    std::uint32_t layersRemoved = 0;
    for (const DestroyedCellRecord& record : destroyedCells_)
        layersRemoved += record.layerRemoved;
    // No bonus below four items (also when overlapping groups destroyed
    // fewer than three in one step).
    const float factor =
        destroyedCount_ > kItemsWithoutCombination
            ? std::min(kCombinationFactorPerItem * static_cast<float>(destroyedCount_ - kItemsWithoutCombination),
                       kCombinationFactorLimit)
            : 0.0f;
    const float credit = static_cast<float>(layersRemoved) * (1.0f + factor);
    const std::uint32_t credited = static_cast<std::uint32_t>(credit);
    clearedLayers_ += credited;
    dryResolveSteps_ = credited == 0 ? dryResolveSteps_ + 1 : 0;
    return credited;
}

void Board::TestLevelEnd()
{
    won_ = 0;
    if (clearedLayers_ > totalLayers_)
        clearedLayers_ = totalLayers_;
    if (!queue_.empty())
        return;
    if (clearedLayers_ >= totalLayers_)
        won_ = 1;
    // In relax mode the energy never runs out.
    lost_ = energy_ == 0 && relaxMode_ == 0 ? 1 : 0;
}

void Board::FinishWonBoard()
{
    for (const std::unique_ptr<Cell>& cell : cells_) {
        cell->OpenClosed();
        cell->Unblock();
        while (cell->RemoveLayer()) {
        }
    }
}

void Board::ScoreDestroyedCells(std::uint32_t bonusesDestroyed[3])
{
    for (const DestroyedCellRecord& record : destroyedCells_) {
        const auto points = [this](std::uint32_t kind) {
            return scoreKeeper_ != nullptr ? scoreKeeper_->GetPoints(kind) : 0;
        };
        std::uint32_t score = points(kScoreItemDestroyed);
        if (record.layerRemoved != 0) {
            score += points(kScoreLayerRemoved);
            layerPositions_.push_back(GetCellScreenPosition(record.cell));
        }
        if (record.closedCellOpened != 0)
            score += points(kScoreClosedCellOpened);
        if (record.blockRemoved != 0)
            score += points(kScoreCellUnblocked);
        for (std::uint32_t kind = 0; kind < QueuedGroup::kBonusKindCount; ++kind) {
            if (record.bonusDestroyed[kind] != 0) {
                score += points(kScoreBonusItemDestruction + kind);
                ++bonusesDestroyed[kind];
            }
        }
        if (scoreKeeper_ != nullptr)
            scoreKeeper_->AddScore(score);
        if (scoreTexts_ != nullptr)
            scoreTexts_->AddText(score, GetCellScreenPosition(record.cell));
    }
}

void Board::ClearBoardAtLevelEnd()
{
    for (BoardItem*& item : cellItems_) {
        itemPool_->DestroyItem(item);
        item = nullptr;
    }
    while (!queue_.empty())
        RetireQueuedGroup(static_cast<std::uint32_t>(queue_.size() - 1));
    PlaySound(won_ != 0 ? kSoundLevelEnd : kSoundLevelFailed);
}

void Board::PlayStepSounds(const std::uint32_t bonusesDestroyed[3])
{
    const std::uint32_t combination = destroyedCount_ >= 3 && destroyedCount_ <= 6
                                          ? kSoundCombination0 + (destroyedCount_ - 3)
                                          : static_cast<std::uint32_t>(kSoundCombination4);
    PlaySound(combination);
    if (bonusesDestroyed[Bonus::kItemDestruction] != 0)
        PlaySound(kSoundBonusItemDestruction);
    if (bonusesDestroyed[Bonus::kCombinationDestruction] != 0)
        PlaySound(kSoundBonusCombinationDestruction);
    if (bonusesDestroyed[Bonus::kColorDestruction] != 0)
        PlaySound(kSoundBonusColorDestruction);
}

void Board::Praise(std::uint32_t credited)
{
    if (character_ == nullptr)
        return;
    const std::uint32_t destroyed = destroyedCount_;
    if (credited >= 7 && destroyed >= 7)
        character_->RequestPraise(3);
    else if (credited >= 5)
        character_->RequestPraise(2);
    else if (credited >= 3)
        character_->RequestPraise(1);
    else if (destroyed >= 7)
        character_->RequestPraise(2);
    else if (destroyed >= 6)
        character_->RequestPraise(1);
    else if (destroyed >= 4)
        character_->RequestPraise(0);
}

} // namespace Tansywell
