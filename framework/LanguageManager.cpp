#include "framework/LanguageManager.h"

#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "platform/Locale.h"
#include "tools/RegistryReader.h"

namespace GameFramework {

namespace {

struct LanguageRow
{
    const char* code;
    std::uint32_t identifier;
    const char* name;
};

// The order decides which installed language is taken when the registry names none.
const LanguageRow kLanguages[] = {
    {"en", 1033, "english"}, {"ru", 1049, "russian"}, {"ge", 1031, "german"}, {"fr", 1036, "french"},
    {"it", 1040, "italian"}, {"sp", 1034, "spanish"}, {"cz", 1029, "czech"},
};

} // namespace

LanguageManager::LanguageManager(OrrelayEngine::FileManager* files, const std::string& registryKey) : files_(files)
{
    for (const LanguageRow& row : kLanguages) {
        auto info = std::make_unique<LanguageInfo>();
        info->code = row.code;
        info->identifier = row.identifier;
        info->name = row.name;
        languages_.push_back(std::move(info));
    }

    std::string code;
    if (!GameTools::ReadRegistryStringAnyRoot(registryKey, kRegistryValueName, code) || !IsInstalled(code))
        code.clear();
    if (code.empty()) {
        for (const std::unique_ptr<LanguageInfo>& language : languages_) {
            if (IsInstalled(language->code)) {
                code = language->code;
                break;
            }
        }
    }
    if (code.empty())
        code = kFallbackCode;

    current_ = FindLanguage(code);
    if (current_ == nullptr)
        current_ = FindLanguage(kFallbackCode);
    Platform::SetLanguageLocale(current_->name);
}

LanguageManager::~LanguageManager() = default;

bool LanguageManager::IsInstalled(const std::string& code) const
{
    // A code that is no plain name must not reach outside the fonts folder.
    if (code.empty() || code.find_first_of("\\/.:") != std::string::npos)
        return false;
    return files_->Exists("data\\ui\\fonts\\" + code + ".ini");
}

const LanguageInfo* LanguageManager::FindLanguage(const std::string& code) const
{
    const std::string lowered = OrrelayEngine::ToLower(code);
    for (const std::unique_ptr<LanguageInfo>& language : languages_) {
        if (language->code == lowered)
            return language.get();
    }
    return nullptr;
}

} // namespace GameFramework
