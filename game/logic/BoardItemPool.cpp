#include "game/logic/BoardItemPool.h"

namespace Tansywell {

BoardItemPool::BoardItemPool() = default;

BoardItemPool::~BoardItemPool() = default;

} // namespace Tansywell
