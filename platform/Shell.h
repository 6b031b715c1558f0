// Opening a web address in the user's browser. xdg-open is started detached
// and never waited on; when it is not installed nothing happens. Tests switch
// launching off, or record the addresses instead.
#pragma once

#include <string>
#include <vector>

namespace Platform {

enum class WebOpenMode
{
    Launch,
    Disabled,
    Record
};

void SetWebOpenMode(WebOpenMode mode);
// True when the address was handed on (launched or recorded).
bool OpenWebAddress(const std::string& address);
// The addresses recorded since the mode was last set to Record.
std::vector<std::string> GetRecordedWebAddresses();

} // namespace Platform
