// The values the installer would have written to the registry, read from text
// files of name=value lines:
//   machine: /etc/xdg/<maker>/<product>/registry.ini
//   user:    $XDG_CONFIG_HOME (default ~/.config)/<maker>/<product>/registry.ini
// An absent file or name is an absent value. Names compare case-insensitively;
// blanks around names and values are dropped; lines starting with ';' or '#' are comments.
#pragma once

#include <optional>
#include <string>

namespace Platform {

enum class RegistryRoot
{
    Machine,
    User
};

std::optional<std::string> ReadRegistryValue(RegistryRoot root, const std::string& maker, const std::string& product,
                                             const std::string& name);

// The folder holding the machine's files ("/etc/xdg" unless tests move it).
void SetMachineConfigRoot(const std::string& folder);

} // namespace Platform
