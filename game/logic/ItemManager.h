// The drawn items of the level in play: every item made for it, a free list
// from which the board takes items by kind, the per-frame step of every item
// with the shadows that follow them, and whether any item is still in play
// (a level ends only when none is).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/logic/BoardItemPool.h"

namespace OrrelayEngine {
class Engine;
}

namespace Tansywell {

class BonusManager;
class GameData;
class Item;
class ShadowManager;
struct GameLevelRecord;

class ItemManager : public BoardItemPool
{
public:
    // All borrowed; the level's kind count sizes the pool.
    ItemManager(OrrelayEngine::Engine* engine, const GameLevelRecord* level, const GameData* gameData,
                BonusManager* bonuses);
    // The shadows go first, then the items they follow.
    ~ItemManager() override;

    std::uint32_t GetKindCount() const override;
    // cellCount x 2 / kinds items of each kind; nothing without kinds.
    void CreatePool(std::uint32_t cellCount) override;
    void SetShadowHeight(float height) override;
    BoardItem* GetItem(std::uint32_t kind) override;
    void Update() override;
    bool IsAnyItemActive() const override;

    // Every item made, in the order made.
    std::uint32_t GetItemCount() const { return static_cast<std::uint32_t>(items_.size()); }
    Item* GetItemAt(std::uint32_t index) const { return items_[index].get(); }
    // Entries of the free list, empty ones included.
    std::uint32_t GetFreeEntryCount() const { return static_cast<std::uint32_t>(free_.size()); }
    ShadowManager* GetShadowManager() const { return shadows_.get(); }

private:
    void Recycle(Item* item);

    OrrelayEngine::Engine* engine_;
    const GameLevelRecord* level_;
    const GameData* gameData_;
    BonusManager* bonuses_;
    std::vector<std::unique_ptr<Item>> items_;
    // Borrowed from items_; an entry is null once its item was handed out.
    std::vector<Item*> free_;
    // Declared after the items so that it is destroyed before them.
    std::unique_ptr<ShadowManager> shadows_;
};

} // namespace Tansywell
