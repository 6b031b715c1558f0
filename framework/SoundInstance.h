// One member of a sound effect's pool: several instances let one effect
// overlap itself.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Sound;
}

namespace GameFramework {

struct SoundInstance
{
    std::uint32_t soundId = 0;
    std::string soundName;
    // Owned through the sound manager.
    OrrelayEngine::Sound* sound = nullptr;
    std::uint8_t loop = 0;
    // Seconds on the timer manager's frame clock. Kept in double: after a day
    // of play a float no longer resolves the minimum interval between starts.
    double lastStartSeconds = 0.0;
};

} // namespace GameFramework
