// The program's application window: creates the platform window in full-screen
// or windowed form, answers the window messages that matter to the engine,
// turns closing the window into the configuration command "exit", turns
// Alt+Enter and the maximise button into a switch between window and full
// screen, keeps the last key event for the input layer, and re-styles and
// places the window when the render system applies a video mode.
//
// A host window, when given, is another window of this program; the engine
// window is then sized to it and ends the program when it goes away. Nothing
// nests one platform window inside another, so the host chain stays empty and a
// hosted window never reports the focus.
#pragma once

#include "platform/Cursor.h"
#include "platform/WindowMessage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform {
class AppWindow;
}

namespace OrrelayEngine {

class Config;
class MessageManager;

class Window : private Platform::WindowMessageHandler
{
public:
    // Throws FatalError (through the log) when the window cannot be made.
    Window(MessageManager* log, Config* config, const std::string& title, Platform::AppWindow* hostWindow,
           std::uint32_t iconId, bool minimizeOnFocusLoss, std::int32_t width, std::int32_t height, bool fullscreen,
           bool centreWindow, std::int32_t windowX, std::int32_t windowY);
    ~Window() override;

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void Update();
    void SetMode(std::int32_t width, std::int32_t height, bool fullscreen, std::int32_t desktopWidth,
                 std::int32_t desktopHeight);
    bool HasFocus() const;
    void Minimize();
    void PostSetFocus();
    void SetTitle(const std::string& text);
    Platform::CursorHandle LoadCursor(std::uint32_t resourceId);
    void SetCursor(Platform::CursorHandle cursor);
    void ApplyGamma();

    // The window message table; the event pump calls it, tests may too.
    Platform::MessageDisposition HandleMessage(const Platform::WindowMessage& message);

    Platform::AppWindow* GetAppWindow() const { return appWindow_.get(); }
    Platform::AppWindow* GetHostWindow() const { return hostWindow_; }
    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }
    bool IsFullscreen() const { return fullscreen_; }
    bool IsMinimized() const { return minimized_; }

    // The frame's key event: a character (Unicode, 16-bit) or a virtual-key
    // code. Key events wait in arrival order and the frame sees the oldest,
    // so that keys typed faster than frames, or a text event carrying several
    // characters, all arrive; a flood beyond the queue's room is dropped.
    bool IsKeyPending() const { return keyCount_ != 0; }
    bool IsKeyCharacter() const { return keyCount_ != 0 && keys_[keyFirst_].isCharacter; }
    std::uint16_t GetKeyCode() const { return keyCount_ != 0 ? keys_[keyFirst_].code : 0; }
    // The frame is done with its key: the next waiting one becomes the frame's.
    void ClearKeyPending();

private:
    Platform::MessageDisposition HandleWindowMessage(const Platform::WindowMessage& message) override;
    Platform::MessageDisposition HandleSystemCommand(Platform::SystemCommand command);
    void SwitchFullscreen(bool fullscreen);
    bool IsHosted() const { return hostWindow_ != nullptr; }
    bool HostExists() const;

    MessageManager* log_;
    Config* config_;
    bool minimizeOnFocusLoss_;
    bool minimized_ = false;
    bool centreWindow_;
    std::int32_t windowX_;
    std::int32_t windowY_;
    std::int32_t width_;
    std::int32_t height_;
    bool fullscreen_;
    std::vector<Platform::AppWindow*> hostChain_;
    Platform::AppWindow* hostWindow_;
    std::uint32_t hostWindowId_ = 0;
    std::unique_ptr<Platform::AppWindow> appWindow_;
    bool classRegistered_ = false;
    bool drawingContext_ = false;
    Platform::CursorHandle cursor_ = Platform::kNoCursor;
    struct PendingKey
    {
        std::uint16_t code = 0;
        bool isCharacter = false;
    };
    static constexpr std::size_t kKeyQueueSize = 32;
    void QueueKey(std::uint16_t code, bool isCharacter);
    // A ring: no allocation when keys come.
    std::array<PendingKey, kKeyQueueSize> keys_{};
    std::size_t keyFirst_ = 0;
    std::size_t keyCount_ = 0;
    // Set while Return is held after an Alt+Return switch, so that holding the
    // keys switches once, not once per frame.
    bool altReturnHandled_ = false;
};

} // namespace OrrelayEngine
