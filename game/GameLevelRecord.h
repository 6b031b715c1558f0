// One level of the game's campaign: the board it is played on, how many item
// kinds it uses, the scenery around it, how much energy it gives and how much
// it weighs in its stage's progress.
#pragma once

#include <cstdint>
#include <string>

#include "framework/LevelRecord.h"

namespace Tansywell {

struct GameLevelRecord : public GameFramework::LevelRecord
{
    // Names "data\boards\<board>.blf" and "data\boards\<board>.ini".
    std::string boardName;
    // The board name followed by "_camera".
    std::string cameraName;
    // 1 to 5.
    std::uint32_t kindCount = 0;
    // Names "data\environments\<environment>\".
    std::string environmentName;
    // Finite and not negative.
    float energyFactor = 0.0f;
    std::uint32_t progressValue = 0;
};

} // namespace Tansywell
