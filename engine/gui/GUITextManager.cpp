#include "engine/gui/GUITextManager.h"

#include <cctype>
#include <memory>

#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"

namespace OrrelayEngine {

namespace {

const std::wstring kUnknownText = L"UNKNOWN";
// Longest decimal text of an i32, with its sign.
constexpr std::size_t kMaxNumberChars = 11;

bool IsKeyLine(const std::wstring& trimmed)
{
    return trimmed.size() >= 2 && trimmed.front() == L'[' && trimmed.back() == L']';
}

void AppendDecimal(std::string& text, std::int32_t number)
{
    char digits[kMaxNumberChars];
    std::size_t count = 0;
    // Through the unsigned magnitude, so that the most negative value works.
    std::uint32_t magnitude = number < 0 ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) {
        text.push_back('-');
    }
    while (count > 0) {
        text.push_back(digits[--count]);
    }
}

} // namespace

GUITextManager::GUITextManager(MessageManager* log, FileManager* fileManager) : log_(log), fileManager_(fileManager)
{}

GUITextManager::~GUITextManager() = default;

void GUITextManager::Load(const std::string& fileName)
{
    std::unique_ptr<FileTextual> file =
        fileManager_->OpenTextFile(FileManager::GetDataPath(fileName), FileTextual::kModeRead, 0);
    std::wstring line;
    std::string key;
    bool keyPending = false;
    while (file->ReadWideString(line, false, false)) {
        if (keyPending) {
            // Empty lines between a key and its text are skipped; a line of
            // blanks is a text.
            if (line.empty()) {
                continue;
            }
            SetText(key, line);
            keyPending = false;
            continue;
        }
        const std::wstring trimmed = TrimWide(line);
        if (IsKeyLine(trimmed)) {
            WideToString(trimmed.substr(1, trimmed.size() - 2), key);
            keyPending = true;
        }
    }
}

void GUITextManager::SetText(const std::string& key, const std::wstring& text)
{
    texts_[ToUpper(key)] = text;
}

const std::wstring& GUITextManager::GetText(const std::string& key, std::int32_t number)
{
    lookupKey_.assign(key);
    ToUpperInPlace(lookupKey_);
    if (number != kNoNumber) {
        AppendDecimal(lookupKey_, number);
    }
    const auto found = texts_.find(lookupKey_);
    return found != texts_.end() ? found->second : kUnknownText;
}

} // namespace OrrelayEngine
