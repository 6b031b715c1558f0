// One line of the high-score table.
#pragma once

#include <cstdint>
#include <string>

namespace GameFramework {

struct HighScoreEntry
{
    std::wstring name;
    std::uint32_t scoreCategory = 0;
    std::uint32_t score = 0;
    // Order of insertion: of two equal scores the older stands above.
    std::uint32_t serial = 0;
};

} // namespace GameFramework
