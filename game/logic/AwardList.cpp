#include "game/logic/AwardList.h"

namespace Tansywell {

AwardList::AwardList() = default;

AwardList::~AwardList() = default;

void AwardList::Add(Cell* cell, std::uint32_t bonusKind)
{
    awards_.push_back(Award{cell, bonusKind});
}

} // namespace Tansywell
