// Decides once, at start, which language the game runs in: the one the
// installer recorded when its font list is installed, else the first
// installed one, else English. Fonts, texts and resource sets follow its code.
//
// Choosing the language also sets the process locale: numbers keep the "C"
// format, while character classes, case and collation follow a UTF-8 locale
// of the language. The keyboard layout is left as the user has it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/LanguageInfo.h"

namespace OrrelayEngine {
class FileManager;
}

namespace GameFramework {

class LanguageManager
{
public:
    static constexpr char kFallbackCode[] = "en";
    static constexpr char kRegistryValueName[] = "Language";

    // registryKey: "SOFTWARE\<maker>\<product>".
    LanguageManager(OrrelayEngine::FileManager* files, const std::string& registryKey);
    virtual ~LanguageManager();

    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    const LanguageInfo& GetCurrentLanguage() const { return *current_; }
    // Codes compare case-insensitively; names are not looked at. Null when none.
    const LanguageInfo* FindLanguage(const std::string& code) const;
    // Its font list "data\ui\fonts\<code>.ini" exists, on disk or in a pack.
    bool IsInstalled(const std::string& code) const;

    const std::vector<std::unique_ptr<LanguageInfo>>& GetLanguages() const { return languages_; }

private:
    OrrelayEngine::FileManager* files_;
    std::vector<std::unique_ptr<LanguageInfo>> languages_;
    const LanguageInfo* current_ = nullptr;
};

} // namespace GameFramework
