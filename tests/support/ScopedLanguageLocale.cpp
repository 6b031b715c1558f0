#include "support/ScopedLanguageLocale.h"

#include <gtest/gtest.h>

#include <clocale>

#include "platform/Locale.h"

namespace TestSupport {

ScopedLanguageLocale::ScopedLanguageLocale(const std::string& language) : previous_(std::setlocale(LC_ALL, nullptr))
{
    EXPECT_TRUE(Platform::SetLanguageLocale(language)) << "no UTF-8 locale for " << language;
}

ScopedLanguageLocale::~ScopedLanguageLocale()
{
    std::setlocale(LC_ALL, previous_.c_str());
}

} // namespace TestSupport
