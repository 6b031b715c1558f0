// The game's mouse cursor: a set of cursors by id, each both a GUI cursor drawn
// by the engine and a system cursor shape, with the configuration variable
// ui_custom_cursor choosing which of the two is used. Switching the variable
// while a cursor shows moves it to the other kind; while none shows, only the
// kind changes. The game derives its cursor from this class.
#pragma once

#include <cstdint>
#include <map>

#include "platform/Cursor.h"

namespace OrrelayEngine {
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class MessageManager;
class Window;
} // namespace OrrelayEngine

namespace GameTools {

class GUIGameCursorBase
{
public:
    static constexpr char kCustomCursorVariable[] = "ui_custom_cursor";
    static constexpr std::uint32_t kNoCursorId = 0xFFFFFFFFu;

    // Registers ui_custom_cursor (saved, default "1") and hides the cursor.
    explicit GUIGameCursorBase(OrrelayEngine::Engine* engine);
    // Deletes the GUI cursors and freezes ui_custom_cursor at its value.
    virtual ~GUIGameCursorBase();

    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // Once per frame; false when no cursor shows.
    virtual bool Update();
    virtual void SetVisible(bool visible);

    // Takes the GUI cursor (owned through the GUI manager) and hides it; null is ignored.
    void AddCursor(std::uint32_t id, std::uint32_t cursorResourceId, OrrelayEngine::GUICursor* cursor);
    void SetCursor(std::uint32_t id);
    bool IsVisible() const;

    bool IsCustomCursorInUse() const { return customCursorInUse_ != 0; }
    std::uint32_t GetCursorId() const { return currentId_; }
    // Null before a known id was set.
    OrrelayEngine::GUICursor* GetCurrentGUICursor() const;

protected:
    struct CursorEntry
    {
        Platform::CursorHandle systemCursor = Platform::kNoCursor;
        OrrelayEngine::GUICursor* guiCursor = nullptr;
    };

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    [[maybe_unused]] OrrelayEngine::MessageManager* log_;
    OrrelayEngine::Window* window_;
    OrrelayEngine::Config* config_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::Controls* controls_;
    // The variable's storage.
    std::uint8_t customCursorSetting_ = 1;
    std::uint8_t customCursorInUse_ = 1;
    std::map<std::uint32_t, CursorEntry> cursors_;
    std::uint32_t currentId_ = kNoCursorId;
    CursorEntry* current_ = nullptr;
};

} // namespace GameTools
