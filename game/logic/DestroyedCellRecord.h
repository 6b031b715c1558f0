// What happened to one cell in a resolve step (its item destroyed, or the cell
// opened): kept only for that step, which scores, credits and sounds it.
#pragma once

#include <cstdint>

namespace Tansywell {

class Cell;

struct DestroyedCellRecord
{
    explicit DestroyedCellRecord(Cell* destroyedCell);

    Cell* cell;
    std::uint8_t layerRemoved = 0;
    std::uint8_t closedCellOpened = 0;
    std::uint8_t blockRemoved = 0;
    // A bonus of kind 0, 1, 2 rode on the destroyed item.
    std::uint8_t bonusDestroyed[3] = {};
};

} // namespace Tansywell
