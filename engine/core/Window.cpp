#include "engine/core/Window.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"

#include "platform/AppWindow.h"
#include "platform/Display.h"
#include "platform/EventPump.h"
#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"

#include <algorithm>

namespace OrrelayEngine {

namespace {

constexpr float kMinimumGammaSetting = 0.0f;
constexpr float kMaximumGammaSetting = 2.0f;
constexpr std::uint32_t kFirstTypedCharacter = 32;
// A typed character beyond 16 bits has no key code; it reads as this letter.
constexpr std::uint16_t kUnconvertibleCharacter = L'A';

Platform::WindowMessage SystemCommandMessage(Platform::SystemCommand command)
{
    return Platform::WindowMessage{Platform::WindowMessageType::SystemCommand, static_cast<std::uint32_t>(command)};
}

} // namespace

Window::Window(MessageManager* log, Config* config, const std::string& title, Platform::AppWindow* hostWindow,
               std::uint32_t iconId, bool minimizeOnFocusLoss, std::int32_t width, std::int32_t height, bool fullscreen,
               bool centreWindow, std::int32_t windowX, std::int32_t windowY)
    : log_(log), config_(config), minimizeOnFocusLoss_(minimizeOnFocusLoss), centreWindow_(centreWindow),
      windowX_(windowX), windowY_(windowY), width_(width), height_(height), fullscreen_(fullscreen),
      hostWindow_(hostWindow)
{
    log_->LogInfo(" ");
    log_->LogInfo("Window creation:");
    cursor_ = Platform::LoadArrowCursor();

    log_->LogInfo("...Registering the window class...");
    if (Platform::AppWindow::RegisterClass() != Platform::WindowResult::Ok) {
        log_->LogFatal("Failed to register the window class");
    }
    classRegistered_ = true;

    Platform::WindowPlacement placement;
    placement.topmost = fullscreen;
    if (IsHosted()) {
        fullscreen_ = false;
        hostWindowId_ = hostWindow_->GetId();
        const Platform::WindowPlacement host = hostWindow_->GetPlacement();
        width_ = host.width;
        height_ = host.height;
        placement.x = host.x;
        placement.y = host.y;
    } else if (fullscreen_) {
        placement.form = Platform::WindowForm::Fullscreen;
    } else if (centreWindow_) {
        Platform::DisplayMode desktop;
        if (Platform::GetDesktopDisplayMode(desktop)) {
            placement.x = (static_cast<std::int32_t>(desktop.width) - width_) / 2;
            placement.y = (static_cast<std::int32_t>(desktop.height) - height_) / 2;
        }
    } else {
        placement.x = windowX_;
        placement.y = windowY_;
    }
    placement.width = width_;
    placement.height = height_;

    if (Platform::AppWindow::Create(title, placement, this, appWindow_) != Platform::WindowResult::Ok) {
        Platform::AppWindow::UnregisterClass();
        classRegistered_ = false;
        log_->LogFatal("Failed to create window");
    }
    if (iconId != 0) {
        appWindow_->SetIconResource(iconId);
    }

    log_->LogInfo("...Creating a device context...");
    if (appWindow_->AcquireDrawingContext() != Platform::WindowResult::Ok) {
        appWindow_.reset();
        Platform::AppWindow::UnregisterClass();
        classRegistered_ = false;
        log_->LogFatal("Failed to create a device context");
    }
    drawingContext_ = true;

    appWindow_->Show();
    appWindow_->BringToFront();
    if (!IsHosted()) {
        appWindow_->TakeFocus();
    }
    if (fullscreen_ && !IsHosted()) {
        ApplyGamma();
    }
    keyCount_ = 0;
}

Window::~Window()
{
    log_->LogInfo("\nWindow destroying:");
    log_->LogInfo("...Releasing device context...");
    if (drawingContext_) {
        appWindow_->ReleaseDrawingContext();
    }
    log_->LogInfo("...Releasing window...");
    appWindow_.reset();
    log_->LogInfo("...Unregistering class...");
    if (classRegistered_) {
        Platform::AppWindow::UnregisterClass();
    }
    hostChain_.clear();
}

bool Window::HostExists() const
{
    return Platform::AppWindow::FindById(hostWindowId_) == hostWindow_;
}

void Window::Update()
{
    if (minimizeOnFocusLoss_ && !IsHosted() && !minimized_ && !HasFocus()) {
        Minimize();
    }
    if (IsHosted() && !HostExists()) {
        config_->Execute("exit");
    }
    const bool returnHeld = Platform::IsVirtualKeyHeld(Platform::VirtualKey::kReturn);
    if (!returnHeld) {
        altReturnHandled_ = false;
    }
    if (!IsHosted() && !minimized_ && HasFocus()) {
        const bool altHeld = Platform::IsVirtualKeyHeld(Platform::VirtualKey::kAlt) ||
                             Platform::IsVirtualKeyHeld(Platform::VirtualKey::kLeftAlt) ||
                             Platform::IsVirtualKeyHeld(Platform::VirtualKey::kRightAlt);
        // Once per press of Return: holding both keys would otherwise switch
        // every frame.
        if (altHeld && returnHeld && !altReturnHandled_) {
            altReturnHandled_ = true;
            SwitchFullscreen(config_->GetValue("v_fullscreen") != "1");
        }
    }
}

void Window::SwitchFullscreen(bool fullscreen)
{
    config_->SetValue("v_fullscreen", fullscreen ? "1" : "0");
    config_->Save();
    config_->SetCommandIdle("v_window_change_mode", false);
}

void Window::SetMode(std::int32_t width, std::int32_t height, bool fullscreen, std::int32_t desktopWidth,
                     std::int32_t desktopHeight)
{
    if (IsHosted()) {
        return;
    }
    width_ = width;
    height_ = height;
    fullscreen_ = fullscreen;
    Platform::WindowPlacement placement;
    placement.form = fullscreen ? Platform::WindowForm::Fullscreen : Platform::WindowForm::Windowed;
    placement.width = width;
    placement.height = height;
    placement.topmost = fullscreen;
    if (!fullscreen) {
        if (centreWindow_) {
            placement.x = (desktopWidth - width) / 2;
            placement.y = (desktopHeight - height) / 2;
        } else {
            placement.x = windowX_;
            placement.y = windowY_;
        }
    }
    appWindow_->Place(placement);
    appWindow_->TakeFocus();
    if (fullscreen) {
        ApplyGamma();
    }
}

bool Window::HasFocus() const
{
    if (IsHosted()) {
        // The focus would have to lie with one of the host's ancestors, and there are none.
        return false;
    }
    return appWindow_->HasFocus();
}

void Window::Minimize()
{
    Platform::PostWindowMessage(*appWindow_, SystemCommandMessage(Platform::SystemCommand::Minimize));
}

void Window::PostSetFocus()
{
    Platform::PostWindowMessage(*appWindow_, Platform::WindowMessage{Platform::WindowMessageType::SetFocus, 0});
}

void Window::SetTitle(const std::string& text)
{
    appWindow_->SetTitle(text);
}

Platform::CursorHandle Window::LoadCursor(std::uint32_t resourceId)
{
    return Platform::LoadCursorResource(resourceId);
}

void Window::SetCursor(Platform::CursorHandle cursor)
{
    cursor_ = cursor;
    Platform::SetCurrentCursor(cursor_);
}

void Window::ApplyGamma()
{
    ConfigValues* values = config_->GetValues();
    for (float* setting : {&values->brightness, &values->contrast, &values->gamma}) {
        *setting = std::min(std::max(*setting, kMinimumGammaSetting), kMaximumGammaSetting);
    }
}

Platform::MessageDisposition Window::HandleWindowMessage(const Platform::WindowMessage& message)
{
    return HandleMessage(message);
}

Platform::MessageDisposition Window::HandleMessage(const Platform::WindowMessage& message)
{
    using Platform::MessageDisposition;
    using Platform::WindowMessageType;
    switch (message.type) {
    case WindowMessageType::Close:
    case WindowMessageType::Quit:
        config_->Execute("exit");
        return MessageDisposition::Handled;
    case WindowMessageType::KeyDown:
    case WindowMessageType::SysKeyDown:
        QueueKey(static_cast<std::uint16_t>(message.code), false);
        return MessageDisposition::Default;
    case WindowMessageType::SysKeyUp:
        // Nothing, so that releasing Alt does not open the window menu.
        return MessageDisposition::Handled;
    case WindowMessageType::Character:
        if (message.code >= kFirstTypedCharacter) {
            QueueKey(message.code <= 0xFFFF ? static_cast<std::uint16_t>(message.code) : kUnconvertibleCharacter, true);
        }
        return MessageDisposition::Default;
    case WindowMessageType::SystemCommand:
        return HandleSystemCommand(static_cast<Platform::SystemCommand>(message.code));
    default:
        return MessageDisposition::Default;
    }
}

void Window::QueueKey(std::uint16_t code, bool isCharacter)
{
    if (keyCount_ == kKeyQueueSize) {
        return;
    }
    keys_[(keyFirst_ + keyCount_) % kKeyQueueSize] = PendingKey{code, isCharacter};
    ++keyCount_;
}

void Window::ClearKeyPending()
{
    if (keyCount_ == 0) {
        return;
    }
    keyFirst_ = (keyFirst_ + 1) % kKeyQueueSize;
    --keyCount_;
}

Platform::MessageDisposition Window::HandleSystemCommand(Platform::SystemCommand command)
{
    using Platform::MessageDisposition;
    using Platform::SystemCommand;
    switch (command) {
    case SystemCommand::Close:
        config_->Execute("exit");
        return MessageDisposition::Handled;
    case SystemCommand::Maximize:
        if (!IsHosted() && !fullscreen_) {
            SwitchFullscreen(true);
        }
        return MessageDisposition::Handled;
    case SystemCommand::Minimize:
        if (IsHosted()) {
            return MessageDisposition::Handled;
        }
        minimized_ = true;
        return MessageDisposition::Default;
    case SystemCommand::Restore:
        if (appWindow_) {
            minimized_ = false;
            if (fullscreen_ && !IsHosted()) {
                ApplyGamma();
            }
        }
        return MessageDisposition::Default;
    case SystemCommand::TaskList:
    case SystemCommand::ScreenSave:
    case SystemCommand::HotKey:
    case SystemCommand::MonitorPower:
        return MessageDisposition::Handled;
    default:
        return MessageDisposition::Default;
    }
}

} // namespace OrrelayEngine
