// A place in the campaign: 0-based stage and level indices.
#pragma once

#include <cstdint>

namespace GameFramework {

struct LevelPosition
{
    std::uint32_t stage = 0;
    std::uint32_t level = 0;

    bool operator==(const LevelPosition& other) const { return stage == other.stage && level == other.level; }
    bool operator!=(const LevelPosition& other) const { return !(*this == other); }
};

} // namespace GameFramework
