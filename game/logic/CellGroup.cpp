#include "game/logic/CellGroup.h"

#include <algorithm>

namespace Tansywell {

CellGroup::CellGroup() = default;

CellGroup::~CellGroup() = default;

void CellGroup::Truncate(std::uint32_t size)
{
    if (size < cells_.size())
        cells_.resize(size);
}

bool CellGroup::Contains(const Cell* cell) const
{
    return std::find(cells_.begin(), cells_.end(), cell) != cells_.end();
}

} // namespace Tansywell
