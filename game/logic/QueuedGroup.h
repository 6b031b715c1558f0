// A matched group waiting to be destroyed: the cells of its connected
// component first, then the cells its bonuses added, each with the item it
// held when queued, and the counts that decide which bonus its destruction
// awards.
//
// The item is kept per cell because groups can overlap (bonus areas reach
// into other queued groups): a cell whose item was destroyed and replaced
// while this group waited must not lose its fresh item to this group.
#pragma once

#include <cstdint>
#include <vector>

namespace Tansywell {

class BoardItem;
class Cell;

struct QueuedGroup
{
    static constexpr std::uint32_t kBonusKindCount = 3;

    QueuedGroup();
    ~QueuedGroup();

    // Empty, all counts 0, storage kept.
    void Reset();
    // The item destroyed elsewhere: the entry holding it is skipped from now on.
    void ForgetItem(const BoardItem* item);

    // Cells of the matched connected component.
    std::uint32_t componentSize = 0;
    std::uint32_t bonusesTriggered = 0;
    // By bonus kind 0, 1, 2.
    std::uint32_t bonusCounts[kBonusKindCount] = {};
    std::vector<Cell*> cells;
    // Parallel to cells: the item each held when queued, null once forgotten.
    std::vector<BoardItem*> items;
};

} // namespace Tansywell
