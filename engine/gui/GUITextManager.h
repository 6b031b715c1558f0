// The texts the player sees, in the current language, under upper-case text
// keys. Text files hold entries of a key line ("[KEY]", white space around it
// ignored) followed by the key's text on the next non-empty line; a later
// entry of the same key replaces the earlier one. A missing key answers
// "UNKNOWN", so that a missing translation shows on screen.
//
// GetText builds the key it looks up in a buffer kept between calls, so that
// asking for the same texts every frame allocates nothing.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace OrrelayEngine {

class FileManager;
class MessageManager;

class GUITextManager
{
public:
    static constexpr std::int32_t kNoNumber = -1;

    GUITextManager(MessageManager* log, FileManager* fileManager);
    GUITextManager(const GUITextManager&) = delete;
    GUITextManager& operator=(const GUITextManager&) = delete;
    virtual ~GUITextManager();

    // Reads FileManager::GetDataPath(fileName); the file layer's FileError propagates.
    void Load(const std::string& fileName);
    void SetText(const std::string& key, const std::wstring& text);
    // number, unless kNoNumber, is appended to the key in decimal. The
    // reference stays valid until the entry is replaced.
    const std::wstring& GetText(const std::string& key, std::int32_t number = kNoNumber);
    std::uint32_t GetTextCount() const { return static_cast<std::uint32_t>(texts_.size()); }

private:
    [[maybe_unused]] MessageManager* log_;
    FileManager* fileManager_;
    std::map<std::string, std::wstring> texts_;
    std::string lookupKey_;
};

} // namespace OrrelayEngine
