// The item pool of a level that is not drawn: items that arrive, swap and
// leave at once, kept and recycled exactly as the drawn pool keeps them (a
// free list per kind, expired bonuses taken from their items, destroyed items
// recycled by the next update). Used by tests, benchmarks and the level check.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/logic/BoardItemPool.h"

namespace Tansywell {

class BoardItemNull;
class BonusManager;

class BoardItemPoolNull : public BoardItemPool
{
public:
    // bonuses may be null when no item ever carries a bonus.
    BoardItemPoolNull(std::uint32_t kindCount, BonusManager* bonuses);
    ~BoardItemPoolNull() override;

    std::uint32_t GetKindCount() const override { return kindCount_; }
    // cellCount x 2 / kinds items of each kind; nothing without kinds.
    void CreatePool(std::uint32_t cellCount) override;
    void SetShadowHeight(float height) override { shadowHeight_ = height; }
    BoardItem* GetItem(std::uint32_t kind) override;
    void Update() override;
    bool IsAnyItemActive() const override;

    float GetShadowHeight() const { return shadowHeight_; }
    // Every item made, in the order made.
    std::uint32_t GetItemCount() const { return static_cast<std::uint32_t>(items_.size()); }
    BoardItemNull* GetItemAt(std::uint32_t index) const { return items_[index].get(); }
    // Items waiting to be handed out, of every kind.
    std::uint32_t GetFreeEntryCount() const;

private:
    void Recycle(BoardItemNull* item);

    std::uint32_t kindCount_;
    BonusManager* bonuses_;
    float shadowHeight_ = 0.0f;
    std::vector<std::unique_ptr<BoardItemNull>> items_;
    // Borrowed from items_: per kind, the items not handed out, so that
    // taking one costs the same on the largest board as on the smallest.
    std::vector<std::vector<BoardItemNull*>> free_;
};

} // namespace Tansywell
