// Reads the string values the installer left for the game. On this platform
// they live in name=value files (see platform/Registry.h); the key path
// "SOFTWARE\<maker>\<product>" names which file.
#pragma once

#include <cstdint>
#include <string>

namespace GameTools {

enum class RegistryKeyRoot
{
    ClassesRoot,
    CurrentConfig,
    CurrentUser,
    LocalMachine,
    Users
};

// 0 classes root, 1 current config, 2 current user, 3 local machine, 4 users; any other index the current user.
RegistryKeyRoot RegistryRootKey(std::uint32_t index);

// True and out set when the value exists under that root; otherwise out is left unchanged.
bool ReadRegistryString(std::uint32_t rootIndex, const std::string& keyPath, const std::string& valueName,
                        std::string& out);
// The local machine's value, else the current user's.
bool ReadRegistryStringAnyRoot(const std::string& keyPath, const std::string& valueName, std::string& out);

} // namespace GameTools
