// One registered configuration variable or command: where its value lives, how
// it is typed, saved and watched. Owned by Config; nothing else creates one.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {

enum ConfigVariableType : std::uint32_t
{
    kConfigInteger = 0, // storage: std::int32_t
    kConfigFloat = 1,   // storage: float
    kConfigBoolean = 2, // storage: std::uint8_t, 1 or 0
    kConfigString = 3,  // storage: std::string
    kConfigCommand = 4  // no storage
};

struct ConfigVariable
{
    std::uint32_t type = kConfigCommand;
    // Execute cannot set it, ResetAll leaves it, Save skips it.
    bool locked = false;
    bool saved = false;
    // The owner's field; null for commands. Never used once readOnly is set.
    void* storage = nullptr;
    std::string defaultText;
    // Commands: false while issued and not yet handled.
    bool idle = false;
    bool watched = false;
    std::int32_t lastInteger = 0;
    float lastFloat = 0.0f;
    std::uint8_t lastBoolean = 0;
    std::string lastString;
    bool changed = false;
    // Released by its owner; the value lives on as frozenText.
    bool readOnly = false;
    std::string frozenText;
};

} // namespace OrrelayEngine
