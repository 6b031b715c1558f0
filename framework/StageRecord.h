// One stage of the campaign. The game derives from it to add its own fields.
#pragma once

#include <cstdint>

namespace GameFramework {

struct StageRecord
{
    virtual ~StageRecord() = default;

    std::uint32_t stageIndex = 0;
    std::uint32_t levelCount = 0;
};

} // namespace GameFramework
