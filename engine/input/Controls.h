// The engine's input: the keyboard and the mouse as everything above the engine
// reads them, by key name ("MOUSE1", "SPACE", "ESCAPE", "PRINTSCRN", ...), never
// by a device's key code. It keeps, per name, whether the key is held and
// whether it went down this frame; the mouse movement and wheel of this frame;
// the last key event of the window for text entry; the system cursor's
// visibility; and an input block that answers every key query with false until
// no key is held any more.
//
// Abstract: a platform class reads the devices into the maps and the movement
// fields and then runs Controls::Update. Main thread only.
#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace OrrelayEngine {

class Config;
struct ConfigValues;
class MessageManager;
class TimerManager;
class Window;

class Controls
{
public:
    static constexpr std::uint32_t kMouseButtonCount = 8;

    Controls(MessageManager* messageManager, TimerManager* timerManager, Config* config, Window* window);
    virtual ~Controls();

    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    virtual void Update();
    virtual void ClearFrameState();

    // Names are exact and case-sensitive; any other name is no key.
    bool IsKeyDown(const std::string& name) const;
    bool WasKeyPressed(const std::string& name) const;
    bool AnyKeyDown() const;
    bool AnyKeyPressed() const;
    bool GetTypedKey(std::uint16_t& code, std::uint8_t& isCharacter) const;

    std::int32_t GetMouseWheel() const { return mouseWheel_; }
    Vector2 GetMouseMove() const { return mouseMove_; }
    // In the window's client pixels.
    Vector2 GetCursorPosition() const;
    void SetCursorPosition(const Vector2& client);

    void ShowCursor(bool visible);
    bool IsCursorVisible() const { return cursorVisible_ != 0; }

    void BlockInput();
    bool IsInputBlocked() const { return inputBlocked_ != 0; }

    // The key names in table order: mouse buttons first, punctuation last.
    static const std::vector<std::string>& GetKeyNames();

protected:
    // "Down" on a key not yet held also marks it as gone down this frame; a
    // repeated "down" changes nothing. Names outside the table are ignored.
    void SetKey(const std::string& name, bool down);
    void ApplyCursorVisibility();

    MessageManager* messageManager_;
    TimerManager* timerManager_;
    Config* config_;
    Window* window_;
    ConfigValues* configValues_;
    std::uint8_t cursorVisible_ = 1;
    std::map<std::string, bool> keyStates_;
    std::map<std::string, bool> keyPressed_;
    std::vector<std::string> mouseButtonNames_;
    std::int32_t mouseWheel_ = 0;
    std::uint8_t mouseWheelShown_ = 0;
    Vector2 mouseMove_;
    std::int32_t lastCursorX_ = 0;
    std::int32_t lastCursorY_ = 0;
    std::uint8_t inputBlocked_ = 0;
    float blockTime_ = 0.0f;
};

} // namespace OrrelayEngine
