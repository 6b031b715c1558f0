// The messages the event pump delivers to a window's handler, in the shape the
// engine's window code was designed around: what happened, one code, and the
// answer "handled" or "do the default".
#pragma once

#include <cstdint>

namespace Platform {

enum class WindowMessageType : std::uint32_t
{
    Close,      // the close button, or the window manager asks the window to close
    Quit,       // the application is asked to quit
    KeyDown,    // code: virtual-key code (0 for keys without one)
    SysKeyDown, // a key-down while Alt is held, or F10
    KeyUp,
    SysKeyUp,
    Character,     // code: a typed character (Unicode code point)
    SystemCommand, // code: a SystemCommand
    SetFocus,
    KillFocus
};

enum class SystemCommand : std::uint32_t
{
    Close,
    Minimize,
    Maximize,
    Restore,
    TaskList,
    ScreenSave,
    HotKey,
    MonitorPower
};

struct WindowMessage
{
    WindowMessageType type = WindowMessageType::Close;
    std::uint32_t code = 0;
};

enum class MessageDisposition
{
    Handled,
    Default // the platform does what a window does with the message by default
};

class WindowMessageHandler
{
public:
    virtual ~WindowMessageHandler() = default;
    virtual MessageDisposition HandleWindowMessage(const WindowMessage& message) = 0;
};

} // namespace Platform
