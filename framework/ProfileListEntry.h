// An entry of the profile list file. The game makes none of its own; those a
// file holds are kept and written back unchanged.
#pragma once

#include <cstdint>
#include <string>

namespace GameFramework {

struct ProfileListEntry
{
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::wstring text;
    float value = 0.0f;
};

} // namespace GameFramework
