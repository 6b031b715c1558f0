#include "platform/Locale.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace Platform {

namespace {

struct LanguageLocale
{
    const char* language;
    const char* locale;
};

const LanguageLocale kLanguageLocales[] = {
    {"english", "en_US"}, {"russian", "ru_RU"}, {"german", "de_DE"}, {"french", "fr_FR"},
    {"italian", "it_IT"}, {"spanish", "es_ES"}, {"czech", "cs_CZ"},
};

// Sets the character locale and keeps it only when it speaks UTF-8.
bool TryCharacterLocale(const std::string& name)
{
    if (std::setlocale(LC_CTYPE, name.c_str()) == nullptr) {
        return false;
    }
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) {
        return true;
    }
    std::setlocale(LC_CTYPE, "C");
    return false;
}

} // namespace

bool SetLanguageLocale(const std::string& languageName)
{
    std::setlocale(LC_ALL, "C");
    std::string candidates[4];
    std::size_t count = 0;
    for (const LanguageLocale& entry : kLanguageLocales) {
        if (languageName == entry.language) {
            candidates[count++] = std::string(entry.locale) + ".UTF-8";
            candidates[count++] = std::string(entry.locale) + ".utf8";
            break;
        }
    }
    // The user's own locale, from the environment, then the one every glibc has.
    candidates[count++] = "";
    candidates[count++] = "C.UTF-8";
    for (std::size_t i = 0; i < count; ++i) {
        if (TryCharacterLocale(candidates[i])) {
            // The name the runtime chose, so that "" gives collation the same locale.
            const std::string chosen = std::setlocale(LC_CTYPE, nullptr);
            std::setlocale(LC_COLLATE, chosen.c_str());
            return true;
        }
    }
    return false;
}

} // namespace Platform
