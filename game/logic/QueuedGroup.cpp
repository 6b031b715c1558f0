#include "game/logic/QueuedGroup.h"

namespace Tansywell {

QueuedGroup::QueuedGroup() = default;

QueuedGroup::~QueuedGroup() = default;

void QueuedGroup::Reset()
{
    componentSize = 0;
    bonusesTriggered = 0;
    for (std::uint32_t& count : bonusCounts)
        count = 0;
    cells.clear();
    items.clear();
}

void QueuedGroup::ForgetItem(const BoardItem* item)
{
    for (BoardItem*& held : items) {
        if (held == item)
            held = nullptr;
    }
}

} // namespace Tansywell
