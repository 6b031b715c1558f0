// A profile's best time on one level, filed under a score category.
#pragma once

#include <cstdint>

namespace GameFramework {

struct LevelResult
{
    std::uint32_t scoreCategory = 0;
    std::uint32_t stageIndex = 0;
    std::uint32_t levelIndex = 0;
    float timeSeconds = 0.0f;
};

} // namespace GameFramework
