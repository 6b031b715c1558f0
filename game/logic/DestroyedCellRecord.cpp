#include "game/logic/DestroyedCellRecord.h"

namespace Tansywell {

DestroyedCellRecord::DestroyedCellRecord(Cell* destroyedCell) : cell(destroyedCell)
{}

} // namespace Tansywell
