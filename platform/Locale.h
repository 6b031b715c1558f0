// The process locale for the game's language: numbers always in the "C" format
// (a decimal point is '.'), characters and collation from a UTF-8 locale, so
// narrow text is UTF-8 and the runtime's conversions, character classes and
// case follow the language.
#pragma once

#include <string>

namespace Platform {

// languageName is the game's own name of a language ("english", "russian", ...).
// Every category is set to "C", then characters and collation to that
// language's UTF-8 locale when it is installed, else to the user's own UTF-8
// locale, else to "C.UTF-8". Returns false when no UTF-8 locale could be set.
bool SetLanguageLocale(const std::string& languageName);

} // namespace Platform
