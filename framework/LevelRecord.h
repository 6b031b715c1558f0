// One level of the campaign. The game derives from it to add its own fields.
#pragma once

#include <cstdint>

namespace GameFramework {

struct LevelRecord
{
    virtual ~LevelRecord() = default;

    std::uint32_t stageIndex = 0;
    std::uint32_t levelIndex = 0;
};

} // namespace GameFramework
