#include "platform/Locale.h"

#include <clocale>
#include <string_view>

namespace Platform {

bool SetProcessLocale()
{
    // Prefer the user's own UTF-8 locale; fall back to the one every glibc has.
    bool utf8 = false;
    for (const char* name : {"", "C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        const char* set = std::setlocale(LC_CTYPE, name);
        if (set != nullptr) {
            const std::string_view chosen(set);
            if (chosen.find("UTF-8") != std::string_view::npos || chosen.find("utf8") != std::string_view::npos ||
                chosen.find("UTF8") != std::string_view::npos || chosen.find("utf-8") != std::string_view::npos) {
                utf8 = true;
                break;
            }
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    return utf8;
}

} // namespace Platform
