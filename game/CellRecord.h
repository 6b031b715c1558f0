// One cell of a board as the board file stores it: its layers, its two special
// states, its place in the grid and where its model stands.
#pragma once

#include <cstdint>

#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace Tansywell {

struct CellRecord
{
    // 0, 1 or 2.
    std::uint32_t layerCount = 0;
    std::uint8_t closed = 0;
    std::uint8_t blocked = 0;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    OrrelayEngine::Vector3 firstTranslation;
    OrrelayEngine::Quaternion rotation;
    OrrelayEngine::Vector3 secondTranslation;
    // Carried with the cell but not applied, as the rotation.
    OrrelayEngine::Vector3 furtherVector;
};

} // namespace Tansywell
