#include "game/logic/ItemManager.h"

#include "game/GameLevelRecord.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "game/logic/Item.h"
#include "game/logic/ShadowManager.h"

namespace Tansywell {

ItemManager::ItemManager(OrrelayEngine::Engine* engine, const GameLevelRecord* level, const GameData* gameData,
                         BonusManager* bonuses)
    : engine_(engine), level_(level), gameData_(gameData), bonuses_(bonuses),
      shadows_(std::make_unique<ShadowManager>(engine, gameData))
{}

ItemManager::~ItemManager()
{
    shadows_.reset();
    items_.clear();
}

std::uint32_t ItemManager::GetKindCount() const
{
    return level_->kindCount;
}

void ItemManager::CreatePool(std::uint32_t cellCount)
{
    const std::uint32_t kinds = GetKindCount();
    // A level without kinds has nothing to place; the pool stays empty.
    if (kinds == 0)
        return;
    const std::uint32_t perKind = cellCount * 2 / kinds;
    for (std::uint32_t kind = 0; kind < kinds; ++kind) {
        for (std::uint32_t i = 0; i < perKind; ++i) {
            items_.push_back(std::make_unique<Item>(engine_, gameData_, kind));
            free_.push_back(items_.back().get());
        }
    }
}

void ItemManager::SetShadowHeight(float height)
{
    shadows_->SetGroundHeight(height);
}

BoardItem* ItemManager::GetItem(std::uint32_t kind)
{
    for (Item*& entry : free_) {
        if (entry != nullptr && entry->GetKind() == kind) {
            Item* item = entry;
            entry = nullptr;
            return item;
        }
    }
    items_.push_back(std::make_unique<Item>(engine_, gameData_, kind));
    return items_.back().get();
}

void ItemManager::Update()
{
    for (const std::unique_ptr<Item>& owned : items_) {
        Item* item = owned.get();
        if (item->NeedsShadow())
            shadows_->Attach(item);
        item->Update();
        if (!KeepAfterFrame(*item, bonuses_))
            Recycle(item);
    }
    shadows_->UpdateAll();
}

bool ItemManager::IsAnyItemActive() const
{
    for (const std::unique_ptr<Item>& item : items_) {
        if (item->IsActive())
            return true;
    }
    return false;
}

void ItemManager::Recycle(Item* item)
{
    if (bonuses_ != nullptr)
        bonuses_->DeleteBonus(item->GetBonus());
    item->SetBonus(nullptr);
    shadows_->Release(item);
    item->Reset();
    for (Item*& entry : free_) {
        if (entry == nullptr) {
            entry = item;
            return;
        }
    }
    free_.push_back(item);
}

} // namespace Tansywell
