#include "game/logic/CellGroup.h"

namespace Tansywell {

CellGroup::CellGroup() = default;

CellGroup::~CellGroup() = default;

void CellGroup::Truncate(std::uint32_t size)
{
    if (size < cells_.size())
        cells_.resize(size);
}

} // namespace Tansywell
