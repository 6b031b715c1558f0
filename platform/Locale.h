// The process locale: UTF-8 for characters (so narrow text is UTF-8 and the
// runtime's multibyte conversions speak it) and "C" for numbers (so a decimal
// point is always '.').
#pragma once

namespace Platform {

// Returns false when no UTF-8 character locale could be set.
bool SetProcessLocale();

} // namespace Platform
