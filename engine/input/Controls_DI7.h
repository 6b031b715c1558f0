// Keyboard and mouse read through the platform's input devices: buffered event
// streams of up to eight events per device and frame, with the immediate device
// state as the fallback when a device refuses buffering or a buffered read fails.
#pragma once

#include "engine/input/Controls.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace Platform {
class InputDevice;
class InputSystem;
} // namespace Platform

namespace OrrelayEngine {

class Controls_DI7 : public Controls
{
public:
    // A failure to open input is fatal (through the log).
    Controls_DI7(MessageManager* messageManager, TimerManager* timerManager, Config* config, Window* window,
                 bool buffered);
    ~Controls_DI7() override;

    void Update() override;
    void ClearFrameState() override;

    bool IsKeyboardBuffered() const { return keyboardBuffered_ != 0; }
    bool IsMouseBuffered() const { return mouseBuffered_ != 0; }
    // Device key code of a keyboard key name; 0 for names without one.
    std::uint32_t GetKeyCode(const std::string& name) const;

private:
    std::unique_ptr<Platform::InputDevice> OpenDevice(bool mouse, std::uint8_t& buffered);
    void ReadKeyboard();
    void ReadKeyboardImmediate();
    void ReadMouse();
    void ReadMouseImmediate();
    void BuildKeyTables();

    std::unique_ptr<Platform::InputSystem> directInput_;
    std::unique_ptr<Platform::InputDevice> keyboard_;
    std::unique_ptr<Platform::InputDevice> mouse_;
    std::map<std::string, std::uint32_t> keyCodes_;
    std::map<std::uint32_t, std::string> keyNames_;
    std::uint8_t keyboardBuffered_;
    std::uint8_t mouseBuffered_;
};

} // namespace OrrelayEngine
