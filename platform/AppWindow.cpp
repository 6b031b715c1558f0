#include "platform/AppWindow.h"

#include "platform/Cursor.h"
#include "platform/EventPump.h"
#include "platform/GraphicsDriverGL.h"
#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace Platform {

namespace {

bool gFailRegisterClass = false;
bool gFailCreateWindow = false;
bool gFailDrawingContext = false;
bool gOpenGlWindows = true;
bool gScaledFullscreen = false;

struct IconResource
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

std::map<std::uint32_t, IconResource>& IconResources()
{
    static std::map<std::uint32_t, IconResource> icons;
    return icons;
}

std::vector<AppWindow*>& LiveWindows()
{
    static std::vector<AppWindow*> windows;
    return windows;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool HasFlag(SDL_Window* window, std::uint32_t flag)
{
    return (SDL_GetWindowFlags(window) & flag) != 0;
}

// The offscreen video driver gives a GL window its drawing surface once, at the
// window's first size, and never resizes it.
bool SurfaceKeepsFirstSize(SDL_Window* window)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return HasFlag(window, SDL_WINDOW_OPENGL) && driver != nullptr && std::strcmp(driver, "offscreen") == 0;
}

// The desktop's rectangle on the display the window is on (the first one
// before there is a window).
SDL_Rect DesktopBounds(SDL_Window* window)
{
    SDL_Rect bounds{0, 0, 0, 0};
    const int display = window != nullptr ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0;
    if (SDL_GetDisplayBounds(display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
        bounds = SDL_Rect{0, 0, 0, 0};
    }
    return bounds;
}

bool IsOffscreenDriver()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") == 0;
}

} // namespace

void SetScaledFullscreenForTesting(bool scaled)
{
    gScaledFullscreen = scaled;
}

void SetWindowFailureForTesting(WindowStep step, bool fail)
{
    switch (step) {
    case WindowStep::RegisterClass:
        gFailRegisterClass = fail;
        break;
    case WindowStep::CreateWindow:
        gFailCreateWindow = fail;
        break;
    case WindowStep::AcquireDrawingContext:
        gFailDrawingContext = fail;
        break;
    }
}

void SetOpenGlWindows(bool enabled)
{
    gOpenGlWindows = enabled;
}

void RegisterIconResource(std::uint32_t id, std::int32_t width, std::int32_t height,
                          const std::vector<std::uint8_t>& rgba)
{
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u) {
        return;
    }
    IconResources()[id] = IconResource{width, height, rgba};
}

std::string Utf8FromWide(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t character : text) {
        auto codePoint = static_cast<std::uint32_t>(character);
        if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            codePoint = 0xFFFD;
        }
        AppendUtf8(out, codePoint);
    }
    return out;
}

WindowResult AppWindow::RegisterClass()
{
    if (gFailRegisterClass || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return WindowResult::VideoUnavailable;
    }
    return WindowResult::Ok;
}

void AppWindow::UnregisterClass()
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    NoteVideoReleased();
}

WindowResult AppWindow::Create(const std::string& titleUtf8, const WindowPlacement& placement,
                               WindowMessageHandler* handler, std::unique_ptr<AppWindow>& window)
{
    window.reset();
    if (gFailCreateWindow || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return WindowResult::CreationFailed;
    }
    std::uint32_t flags = SDL_WINDOW_HIDDEN;
    if (gOpenGlWindows) {
        flags |= SDL_WINDOW_OPENGL;
        // The depth and stencil bits are fixed when the window is made.
        GraphicsDriverGL::PrepareWindowAttributes();
    }
    const bool fullscreen = placement.form == WindowForm::Fullscreen;
    const bool scaled = fullscreen && ScalesFullscreenPicture(placement.width, placement.height);
    SDL_Rect rectangle{fullscreen ? 0 : placement.x, fullscreen ? 0 : placement.y, std::max(placement.width, 1),
                       std::max(placement.height, 1)};
    const SDL_Rect desktop = DesktopBounds(nullptr);
    if (scaled && desktop.w > 0) {
        rectangle = desktop;
        flags |= SDL_WINDOW_BORDERLESS;
    } else if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN;
    }
    if (placement.topmost) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    SDL_Window* sdlWindow =
        SDL_CreateWindow(titleUtf8.c_str(), rectangle.x, rectangle.y, rectangle.w, rectangle.h, flags);
    if (sdlWindow == nullptr) {
        return WindowResult::CreationFailed;
    }
    window.reset(new AppWindow(sdlWindow, handler, placement));
    window->pictureScaled_ = scaled;
    SDL_StartTextInput();
    // The screen saver stays off only while the window refuses it.
    window->Dispatch(
        WindowMessage{WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::ScreenSave)});
    return WindowResult::Ok;
}

AppWindow::AppWindow(SDL_Window* window, WindowMessageHandler* handler, const WindowPlacement& placement)
    : window_(window), id_(SDL_GetWindowID(window)), handler_(handler), placement_(placement)
{
    LiveWindows().push_back(this);
}

AppWindow::~AppWindow()
{
    auto& windows = LiveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    SDL_DestroyWindow(window_);
}

WindowResult AppWindow::AcquireDrawingContext()
{
    return gFailDrawingContext ? WindowResult::NoDrawingContext : WindowResult::Ok;
}

void AppWindow::ReleaseDrawingContext()
{}

void AppWindow::Show()
{
    SDL_ShowWindow(window_);
}

void AppWindow::BringToFront()
{
    SDL_RaiseWindow(window_);
    focused_ = true;
}

void AppWindow::TakeFocus()
{
    SDL_SetWindowInputFocus(window_);
    focused_ = true;
}

bool AppWindow::HasFocus() const
{
    return focused_;
}

void AppWindow::Minimize()
{
    SDL_MinimizeWindow(window_);
}

bool AppWindow::IsMinimized() const
{
    return HasFlag(window_, SDL_WINDOW_MINIMIZED);
}

void AppWindow::Place(const WindowPlacement& placement)
{
    placement_ = placement;
    const std::int32_t width = std::max(placement.width, 1);
    const std::int32_t height = std::max(placement.height, 1);
    const bool fullscreen = placement.form == WindowForm::Fullscreen;
    const SDL_Rect desktop = DesktopBounds(window_);
    const bool scaled = fullscreen && desktop.w > 0 && ScalesFullscreenPicture(width, height);
    // A scaled picture's surface covers the desktop.
    const int surfaceWidth = scaled ? desktop.w : width;
    const int surfaceHeight = scaled ? desktop.h : height;
    int currentWidth = 0;
    int currentHeight = 0;
    SDL_GetWindowSize(window_, &currentWidth, &currentHeight);
    if ((currentWidth != surfaceWidth || currentHeight != surfaceHeight) && SurfaceKeepsFirstSize(window_)) {
        RemakeAtSize(surfaceWidth, surfaceHeight);
    }
    pictureScaled_ = scaled;
    SDL_SetWindowBordered(window_, scaled ? SDL_FALSE : SDL_TRUE);
    if (scaled) {
        // A borderless window over the whole desktop rather than SDL's desktop
        // full screen: that one is a request to the window manager, and
        // without one the window keeps its size while SDL reports the
        // desktop's.
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, desktop.w, desktop.h);
        SDL_SetWindowPosition(window_, desktop.x, desktop.y);
    } else if (fullscreen) {
        // The size first: full screen takes the display mode closest to it.
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN);
    } else {
        // Leaving full screen gives the desktop its own display mode back.
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, placement.x, placement.y);
    }
    SDL_SetWindowAlwaysOnTop(window_, placement.topmost ? SDL_TRUE : SDL_FALSE);
    SDL_ShowWindow(window_);
}

void AppWindow::RemakeAtSize(std::int32_t width, std::int32_t height)
{
    GraphicsDriverGL::PrepareWindowAttributes();
    SDL_Window* remade = SDL_CreateWindow(SDL_GetWindowTitle(window_), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (remade == nullptr) {
        return;
    }
    // A context drawing into the old surface goes on drawing into the new one;
    // contexts outlive the windows they were made on.
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    if (context != nullptr && SDL_GL_GetCurrentWindow() == window_ && SDL_GL_MakeCurrent(remade, context) != 0) {
        SDL_DestroyWindow(remade);
        return;
    }
    SDL_DestroyWindow(window_);
    window_ = remade;
}

WindowPlacement AppWindow::GetPlacement() const
{
    return placement_;
}

bool AppWindow::ScalesFullscreenPicture(std::int32_t width, std::int32_t height)
{
    if (gScaledFullscreen) {
        return true;
    }
    // The offscreen driver has no display modes: its surface simply takes the
    // window's size.
    if (IsOffscreenDriver()) {
        return false;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int index = 0; index < count; ++index) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, index, &mode) == 0 && mode.w == width && mode.h == height) {
            return false;
        }
    }
    return true;
}

PictureArea AppWindow::GetPictureArea(std::int32_t surfaceWidth, std::int32_t surfaceHeight) const
{
    if (!pictureScaled_) {
        PictureArea whole;
        whole.width = surfaceWidth;
        whole.height = surfaceHeight;
        return whole;
    }
    return PictureArea::Fit(surfaceWidth, surfaceHeight, placement_.width, placement_.height);
}

PictureArea AppWindow::ClientPictureArea() const
{
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    return GetPictureArea(width, height);
}

void AppWindow::ClientToPicture(std::int32_t& x, std::int32_t& y) const
{
    if (pictureScaled_) {
        ClientPictureArea().SurfaceToPicture(placement_.width, placement_.height, x, y);
    }
}

void AppWindow::PictureToClient(std::int32_t& x, std::int32_t& y) const
{
    if (pictureScaled_) {
        ClientPictureArea().PictureToSurface(placement_.width, placement_.height, x, y);
    }
}

void AppWindow::SetTitle(const std::string& titleUtf8)
{
    SDL_SetWindowTitle(window_, titleUtf8.c_str());
}

void AppWindow::SetTitle(const std::wstring& title)
{
    SetTitle(Utf8FromWide(title));
}

std::string AppWindow::GetTitle() const
{
    const char* title = SDL_GetWindowTitle(window_);
    return title != nullptr ? std::string(title) : std::string();
}

bool AppWindow::SetIconResource(std::uint32_t id)
{
    const auto found = IconResources().find(id);
    if (found == IconResources().end()) {
        return false;
    }
    IconResource& icon = found->second;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.rgba.data(), icon.width, icon.height, 32,
                                                              icon.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return false;
    }
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
    return true;
}

MessageDisposition AppWindow::Dispatch(const WindowMessage& message)
{
    if (message.type == WindowMessageType::SetFocus) {
        focused_ = true;
    } else if (message.type == WindowMessageType::KillFocus) {
        focused_ = false;
    }
    const MessageDisposition disposition =
        handler_ != nullptr ? handler_->HandleWindowMessage(message) : MessageDisposition::Default;
    if (disposition == MessageDisposition::Default) {
        DoDefault(message);
    } else {
        AfterHandled(message);
    }
    return disposition;
}

void AppWindow::DoDefault(const WindowMessage& message)
{
    if (message.type == WindowMessageType::SysKeyDown && message.code == VirtualKey::kF1 + 3) {
        PostWindowMessage(
            *this, WindowMessage{WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::Close)});
        return;
    }
    if (message.type != WindowMessageType::SystemCommand) {
        return;
    }
    switch (static_cast<SystemCommand>(message.code)) {
    case SystemCommand::Close:
        PostWindowMessage(*this, WindowMessage{WindowMessageType::Close, 0});
        break;
    case SystemCommand::Minimize:
        if (!HasFlag(window_, SDL_WINDOW_MINIMIZED)) {
            SDL_MinimizeWindow(window_);
        }
        break;
    case SystemCommand::Maximize:
        if (!HasFlag(window_, SDL_WINDOW_MAXIMIZED)) {
            SDL_MaximizeWindow(window_);
        }
        break;
    case SystemCommand::Restore:
        if (HasFlag(window_, SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)) {
            SDL_RestoreWindow(window_);
        }
        break;
    case SystemCommand::ScreenSave:
    case SystemCommand::MonitorPower:
        SDL_EnableScreenSaver();
        break;
    default:
        break;
    }
}

void AppWindow::AfterHandled(const WindowMessage& message)
{
    if (message.type != WindowMessageType::SystemCommand) {
        return;
    }
    switch (static_cast<SystemCommand>(message.code)) {
    case SystemCommand::Maximize:
        // The window manager has already maximised the window by the time we hear
        // of it; a refused maximise is undone.
        if (HasFlag(window_, SDL_WINDOW_MAXIMIZED)) {
            SDL_RestoreWindow(window_);
        }
        break;
    case SystemCommand::ScreenSave:
    case SystemCommand::MonitorPower:
        SDL_DisableScreenSaver();
        break;
    default:
        break;
    }
}

std::uint32_t AppWindow::GetId() const
{
    return id_;
}

SDL_Window* AppWindow::GetSdlWindow() const
{
    return window_;
}

AppWindow* AppWindow::FindById(std::uint32_t id)
{
    for (AppWindow* window : LiveWindows()) {
        if (window->id_ == id || SDL_GetWindowID(window->window_) == id) {
            return window;
        }
    }
    return nullptr;
}

const std::vector<AppWindow*>& AppWindow::GetLiveWindows()
{
    return LiveWindows();
}

} // namespace Platform
