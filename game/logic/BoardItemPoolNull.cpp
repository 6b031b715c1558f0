#include "game/logic/BoardItemPoolNull.h"

#include "game/logic/BoardItemNull.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"

namespace Tansywell {

BoardItemPoolNull::BoardItemPoolNull(std::uint32_t kindCount, BonusManager* bonuses)
    : kindCount_(kindCount), bonuses_(bonuses)
{}

BoardItemPoolNull::~BoardItemPoolNull() = default;

void BoardItemPoolNull::CreatePool(std::uint32_t cellCount)
{
    if (kindCount_ == 0)
        return;
    const std::uint32_t perKind = cellCount * 2 / kindCount_;
    free_.resize(kindCount_);
    for (std::uint32_t kind = 0; kind < kindCount_; ++kind) {
        // Room for every item there will be: recycling never allocates.
        free_[kind].reserve(free_[kind].size() + perKind + cellCount);
        for (std::uint32_t i = 0; i < perKind; ++i) {
            items_.push_back(std::make_unique<BoardItemNull>(kind));
            free_[kind].push_back(items_.back().get());
        }
    }
}

BoardItem* BoardItemPoolNull::GetItem(std::uint32_t kind)
{
    if (kind < free_.size() && !free_[kind].empty()) {
        BoardItemNull* item = free_[kind].back();
        free_[kind].pop_back();
        return item;
    }
    items_.push_back(std::make_unique<BoardItemNull>(kind));
    return items_.back().get();
}

std::uint32_t BoardItemPoolNull::GetFreeEntryCount() const
{
    std::size_t count = 0;
    for (const std::vector<BoardItemNull*>& kind : free_)
        count += kind.size();
    return static_cast<std::uint32_t>(count);
}

void BoardItemPoolNull::Update()
{
    for (const std::unique_ptr<BoardItemNull>& owned : items_) {
        BoardItemNull* item = owned.get();
        if (!KeepAfterFrame(*item, bonuses_))
            Recycle(item);
    }
}

bool BoardItemPoolNull::IsAnyItemActive() const
{
    for (const std::unique_ptr<BoardItemNull>& item : items_) {
        if (item->IsActive())
            return true;
    }
    return false;
}

void BoardItemPoolNull::Recycle(BoardItemNull* item)
{
    if (bonuses_ != nullptr)
        bonuses_->DeleteBonus(item->GetBonus());
    item->Reset();
    const std::uint32_t kind = item->GetKind();
    if (kind >= free_.size())
        free_.resize(kind + 1);
    free_[kind].push_back(item);
}

} // namespace Tansywell
