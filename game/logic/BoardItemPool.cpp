#include "game/logic/BoardItemPool.h"

#include "game/logic/BoardItem.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"

namespace Tansywell {

BoardItemPool::BoardItemPool() = default;

BoardItemPool::~BoardItemPool() = default;

void BoardItemPool::DestroyItem(BoardItem* item)
{
    if (item != nullptr)
        item->Destroy();
}

bool BoardItemPool::KeepAfterFrame(BoardItem& item, BonusManager* bonuses)
{
    if (!item.IsAlive())
        return false;
    Bonus* bonus = item.GetBonus();
    if (bonus != nullptr && !bonus->IsAlive()) {
        if (bonuses != nullptr)
            bonuses->DeleteBonus(bonus);
        item.SetBonus(nullptr);
    }
    return true;
}

} // namespace Tansywell
