// The application's top-level window, on SDL2 with an OpenGL-capable surface:
// windowed (caption, close, minimise and maximise buttons; not resizable) or
// full screen, placed at a client-area position, topmost or not. It tracks its
// own keyboard focus: a window that asked for the focus counts as focused until
// the system reports otherwise, because focus arrives asynchronously under a
// window manager and not at all under the offscreen video driver.
//
// Window messages reach the handler given at creation through the event pump
// (platform/EventPump.h); Dispatch also carries out a window's default
// behaviour for a message the handler leaves to it (Alt+F4 becomes the close
// command, minimise and maximise take effect, the screen saver is allowed).
//
// Full screen takes the display mode of the window's size where the display
// has one. Where it has not, a borderless window covers the desktop in its own
// mode and the picture, still drawn at the window's size, shows scaled into the largest
// centred area of the same shape (platform/PictureArea.h); the pointer's
// position is then reported in the picture's pixels.
//
// There is no counterpart of a child window hosted in another program's window.
#pragma once

#include "platform/PictureArea.h"
#include "platform/WindowMessage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace Platform {

enum class WindowResult : std::uint32_t
{
    Ok,
    VideoUnavailable,
    CreationFailed,
    NoDrawingContext
};

enum class WindowForm
{
    Windowed,
    Fullscreen
};

struct WindowPlacement
{
    WindowForm form = WindowForm::Windowed;
    std::int32_t x = 0; // client area origin
    std::int32_t y = 0;
    std::int32_t width = 0; // client area size
    std::int32_t height = 0;
    bool topmost = false;
};

enum class WindowStep
{
    RegisterClass,
    CreateWindow,
    AcquireDrawingContext
};

// While set, the step fails (tests use it to reach the callers' error paths).
void SetWindowFailureForTesting(WindowStep step, bool fail);

// Windows made from now on get an OpenGL surface (the default). Tests that draw
// nothing switch it off, which keeps the GL driver out of their process.
void SetOpenGlWindows(bool enabled);

// While set, full-screen windows show their picture scaled over the desktop's
// mode as though the display had no mode of their size.
void SetScaledFullscreenForTesting(bool scaled);

// The program's icons, by resource id, as RGBA rows top to bottom.
void RegisterIconResource(std::uint32_t id, std::int32_t width, std::int32_t height,
                          const std::vector<std::uint8_t>& rgba);

class AppWindow
{
public:
    // Opens the video system for windows; each success needs one UnregisterClass.
    static WindowResult RegisterClass();
    static void UnregisterClass();

    // The window starts hidden; the handler is borrowed and must outlive it.
    static WindowResult Create(const std::string& titleUtf8, const WindowPlacement& placement,
                               WindowMessageHandler* handler, std::unique_ptr<AppWindow>& window);
    ~AppWindow();

    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    WindowResult AcquireDrawingContext();
    void ReleaseDrawingContext();

    void Show();
    void BringToFront();
    void TakeFocus();
    bool HasFocus() const;
    void Minimize();
    bool IsMinimized() const;

    void Place(const WindowPlacement& placement);
    WindowPlacement GetPlacement() const;

    // Whether the picture shows scaled: full screen over the desktop's own mode.
    bool ShowsPictureScaled() const { return pictureScaled_; }
    // Where the picture shows on a drawing surface of that size.
    PictureArea GetPictureArea(std::int32_t surfaceWidth, std::int32_t surfaceHeight) const;
    // A point of the window's client area into the picture's pixels, and back.
    void ClientToPicture(std::int32_t& x, std::int32_t& y) const;
    void PictureToClient(std::int32_t& x, std::int32_t& y) const;

    void SetTitle(const std::string& titleUtf8);
    void SetTitle(const std::wstring& title);
    std::string GetTitle() const;
    // False (and the system's default icon stays) when no icon has that id.
    bool SetIconResource(std::uint32_t id);

    // Handler first; then, when it answers Default, the window's default behaviour.
    MessageDisposition Dispatch(const WindowMessage& message);

    // The id stays for the window's life; the SDL window changes with a Place
    // that remakes it, so ask for it again after one.
    std::uint32_t GetId() const;
    SDL_Window* GetSdlWindow() const;

    // The live window with that id; null when there is none.
    static AppWindow* FindById(std::uint32_t id);
    // Every live window (the quit request goes to each).
    static const std::vector<AppWindow*>& GetLiveWindows();

private:
    AppWindow(SDL_Window* window, WindowMessageHandler* handler, const WindowPlacement& placement);
    // The offscreen video driver never resizes a GL window's drawing surface, so
    // such a window is made anew at its new size.
    void RemakeAtSize(std::int32_t width, std::int32_t height);
    // Full screen at that size shows the picture scaled.
    static bool ScalesFullscreenPicture(std::int32_t width, std::int32_t height);
    PictureArea ClientPictureArea() const;
    void DoDefault(const WindowMessage& message);
    void AfterHandled(const WindowMessage& message);

    SDL_Window* window_;
    // The first SDL window's id, kept when the window is remade: posted messages
    // carry it, while SDL's events carry the current SDL window's.
    std::uint32_t id_;
    WindowMessageHandler* handler_;
    WindowPlacement placement_;
    bool focused_ = false;
    bool pictureScaled_ = false;
};

// UTF-8 of wide text, one code point per wide character; values that are not
// code points become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);

} // namespace Platform
