// Gives a test the process locale that the game's language manager sets (UTF-8
// characters and collation, "C" numbers) and puts the previous one back when
// it goes. Tests of text conversion and case need it; the test entry leaves
// the process in the "C" locale it starts with.
#pragma once

#include <string>

namespace TestSupport {

class ScopedLanguageLocale
{
public:
    explicit ScopedLanguageLocale(const std::string& language = "english");
    ~ScopedLanguageLocale();
    ScopedLanguageLocale(const ScopedLanguageLocale&) = delete;
    ScopedLanguageLocale& operator=(const ScopedLanguageLocale&) = delete;

private:
    std::string previous_;
};

} // namespace TestSupport
