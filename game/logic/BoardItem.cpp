#include "game/logic/BoardItem.h"

namespace Tansywell {

BoardItem::BoardItem(std::uint32_t kind) : kind_(kind)
{}

BoardItem::~BoardItem() = default;

} // namespace Tansywell
