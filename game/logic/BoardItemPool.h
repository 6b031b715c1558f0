// What the board and the level's logic ask of the items of a level: a pool of
// items per kind, made once for the board's size, handed out and taken back,
// stepped once per frame, and whether any item is still in play (a level ends
// only when none is). The drawn item manager derives from it;
// BoardItemPoolNull serves when nothing is drawn.
#pragma once

#include <cstdint>

namespace Tansywell {

class BoardItem;
class BonusManager;

class BoardItemPool
{
public:
    BoardItemPool();
    virtual ~BoardItemPool();

    BoardItemPool(const BoardItemPool&) = delete;
    BoardItemPool& operator=(const BoardItemPool&) = delete;

    // The level's number of item kinds; kinds are 0 to this count - 1.
    virtual std::uint32_t GetKindCount() const = 0;
    // Once, by the board, with its number of cells.
    virtual void CreatePool(std::uint32_t cellCount) = 0;
    // The ground height of the item shadows made from now on.
    virtual void SetShadowHeight(float height) = 0;
    // An item of that kind that is not in play; made when the pool has none.
    virtual BoardItem* GetItem(std::uint32_t kind) = 0;
    // Null is ignored; otherwise the item flies away.
    virtual void DestroyItem(BoardItem* item);
    // Once per frame after the board: steps the items, takes expired bonuses
    // from them and recycles those no longer alive.
    virtual void Update() = 0;
    virtual bool IsAnyItemActive() const = 0;

protected:
    // After an item's frame: a living item lets go of a bonus that has run
    // out and is kept (true); one no longer alive is to be recycled (false).
    static bool KeepAfterFrame(BoardItem& item, BonusManager* bonuses);
};

} // namespace Tansywell
