// One language the game can run in.
#pragma once

#include <cstdint>
#include <string>

namespace GameFramework {

struct LanguageInfo
{
    // Two letters; names the font list and the text folders.
    std::string code;
    // The Windows language identifier, kept for the keyboard-layout name.
    std::uint32_t identifier = 0;
    // Lower case.
    std::string name;
};

} // namespace GameFramework
