#include "engine/input/Controls.h"

#include "engine/core/Config.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"

#include "platform/Cursor.h"
#include "platform/KeyState.h"

namespace OrrelayEngine {

namespace {

// A block outlives held keys by this much before the system's own key state decides.
constexpr float kBlockReleaseCheckSeconds = 2.0f;
// The system cursor's show counter settles at plus or minus this.
constexpr std::int32_t kCursorCounterLimit = 10;

std::vector<std::string> MakeKeyNames()
{
    std::vector<std::string> names;
    for (int button = 1; button <= 8; ++button) {
        names.push_back("MOUSE" + std::to_string(button));
    }
    for (const char* name : {"CAPS_LOCK", "NUM_LOCK", "SCROLL_LOCK"}) {
        names.push_back(name);
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        names.push_back(std::string(1, digit));
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        names.push_back(std::string(1, letter));
    }
    for (const char* name :
         {"BACKSPACE", "TAB",    "SPACE", "ENTER",     "ESCAPE",   "RSHIFT",     "LSHIFT",   "RCTRL",
          "LCTRL",     "RALT",   "LALT",  "PAGEUP",    "PAGEDOWN", "END",        "HOME",     "PRINTSCRN",
          "INSERT",    "DELETE", "PAUSE", "LEFTARROW", "UPARROW",  "RIGHTARROW", "DOWNARROW"}) {
        names.push_back(name);
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        names.push_back(std::string("NUMPAD_") + digit);
    }
    for (const char* name : {"NUMPAD_MULTIPLY", "NUMPAD_PLUS", "NUMPAD_MINUS", "NUMPAD_DELETE", "NUMPAD_DIVIDE"}) {
        names.push_back(name);
    }
    for (int key = 1; key <= 12; ++key) {
        names.push_back("F" + std::to_string(key));
    }
    for (const char* name : {"~", ";", "=", ",", "-", ".", "/", "[", "\\", "]", "'"}) {
        names.push_back(name);
    }
    return names;
}

} // namespace

const std::vector<std::string>& Controls::GetKeyNames()
{
    static const std::vector<std::string> names = MakeKeyNames();
    return names;
}

Controls::Controls(MessageManager* messageManager, TimerManager* timerManager, Config* config, Window* window)
    : messageManager_(messageManager), timerManager_(timerManager), config_(config), window_(window),
      configValues_(config->GetValues())
{
    for (const std::string& name : GetKeyNames()) {
        keyStates_[name] = false;
    }
    keyPressed_ = keyStates_;
    for (std::uint32_t button = 0; button < kMouseButtonCount; ++button) {
        mouseButtonNames_.push_back(GetKeyNames()[button]);
    }
    Platform::GetCursorClientPosition(lastCursorX_, lastCursorY_);
}

Controls::~Controls()
{
    Platform::ShowCursor(true);
}

void Controls::SetKey(const std::string& name, bool down)
{
    const auto held = keyStates_.find(name);
    if (held == keyStates_.end()) {
        return;
    }
    if (!down) {
        held->second = false;
    } else if (!held->second) {
        held->second = true;
        keyPressed_[name] = true;
    }
}

bool Controls::IsKeyDown(const std::string& name) const
{
    if (inputBlocked_ != 0) {
        return false;
    }
    const auto held = keyStates_.find(name);
    if (held == keyStates_.end()) {
        return false;
    }
    return held->second || keyPressed_.at(name);
}

bool Controls::WasKeyPressed(const std::string& name) const
{
    if (inputBlocked_ != 0) {
        return false;
    }
    const auto pressed = keyPressed_.find(name);
    return pressed != keyPressed_.end() && pressed->second;
}

bool Controls::AnyKeyDown() const
{
    if (inputBlocked_ != 0) {
        return false;
    }
    for (const auto& entry : keyStates_) {
        if (entry.second) {
            return true;
        }
    }
    return AnyKeyPressed();
}

bool Controls::AnyKeyPressed() const
{
    if (inputBlocked_ != 0) {
        return false;
    }
    for (const auto& entry : keyPressed_) {
        if (entry.second) {
            return true;
        }
    }
    return false;
}

bool Controls::GetTypedKey(std::uint16_t& code, std::uint8_t& isCharacter) const
{
    if (inputBlocked_ != 0 || !window_->IsKeyPending()) {
        return false;
    }
    code = window_->GetKeyCode();
    isCharacter = window_->IsKeyCharacter() ? 1 : 0;
    return true;
}

Vector2 Controls::GetCursorPosition() const
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    Platform::GetCursorClientPosition(x, y);
    return Vector2(static_cast<float>(x), static_cast<float>(y));
}

void Controls::SetCursorPosition(const Vector2& client)
{
    Platform::SetCursorClientPosition(*window_->GetAppWindow(), static_cast<std::int32_t>(client.x),
                                      static_cast<std::int32_t>(client.y));
}

void Controls::ShowCursor(bool visible)
{
    cursorVisible_ = visible ? 1 : 0;
    ApplyCursorVisibility();
}

void Controls::BlockInput()
{
    inputBlocked_ = 1;
}

void Controls::ApplyCursorVisibility()
{
    std::int32_t counter = 0;
    if (cursorVisible_ != 0) {
        do {
            counter = Platform::ShowCursor(true);
        } while (counter < 0);
        if (counter > kCursorCounterLimit) {
            Platform::ShowCursor(false);
        }
    } else {
        do {
            counter = Platform::ShowCursor(false);
        } while (counter >= 0);
        if (counter < -kCursorCounterLimit) {
            Platform::ShowCursor(true);
        }
    }
}

void Controls::Update()
{
    Platform::GetCursorClientPosition(lastCursorX_, lastCursorY_);

    // Devices report y growing towards the player; the engine wants it growing away.
    if (configValues_->invertMouse == 0) {
        mouseMove_.y = -mouseMove_.y;
    }

    // A frame that reported wheel movement is always followed by one that reports none.
    if (mouseWheelShown_ != 0) {
        mouseWheel_ = 0;
        mouseWheelShown_ = 0;
    } else {
        mouseWheelShown_ = mouseWheel_ != 0 ? 1 : 0;
    }

    if (inputBlocked_ != 0) {
        inputBlocked_ = 0;
        if (window_->IsKeyPending() || AnyKeyDown()) {
            inputBlocked_ = 1;
        }
    }
    if (inputBlocked_ == 0) {
        blockTime_ = 0.0f;
    } else {
        blockTime_ += timerManager_->GetFrameTime();
        // Stale "held" entries (a release the devices never saw) would keep the
        // block for ever; after a while the system's own key state decides.
        if (blockTime_ > kBlockReleaseCheckSeconds && !Platform::IsAnyVirtualKeyHeld()) {
            inputBlocked_ = 0;
            blockTime_ = 0.0f;
        }
    }

    ApplyCursorVisibility();
}

void Controls::ClearFrameState()
{
    for (auto& entry : keyPressed_) {
        entry.second = false;
    }
    window_->ClearKeyPending();
}

} // namespace OrrelayEngine
