#include "platform/KeyState.h"

#include "platform/KeyTables.h"
#include "platform/VirtualKeys.h"

namespace Platform {

namespace {

bool gKeyHeld[kKeyCodeCount] = {};
bool gButtonHeld[kMouseButtonCount] = {};

constexpr std::uint8_t kButtonVirtualKeys[kMouseButtonCount] = {VirtualKey::kLeftButton,
                                                                VirtualKey::kRightButton,
                                                                VirtualKey::kMiddleButton,
                                                                VirtualKey::kExtraButton1,
                                                                VirtualKey::kExtraButton2,
                                                                0,
                                                                0,
                                                                0};

bool IsEitherSideHeld(std::uint8_t left, std::uint8_t right)
{
    return gKeyHeld[left] || gKeyHeld[right];
}

} // namespace

bool IsKeyCodeHeld(std::uint8_t keyCode)
{
    return gKeyHeld[keyCode];
}

bool IsMouseButtonHeld(std::uint32_t index)
{
    return index < kMouseButtonCount && gButtonHeld[index];
}

bool IsVirtualKeyHeld(std::uint8_t virtualKey)
{
    switch (virtualKey) {
    case VirtualKey::kNone:
        return false;
    case VirtualKey::kShift:
        return IsEitherSideHeld(KeyCode::kLeftShift, KeyCode::kRightShift);
    case VirtualKey::kControl:
        return IsEitherSideHeld(KeyCode::kLeftControl, KeyCode::kRightControl);
    case VirtualKey::kAlt:
        return IsEitherSideHeld(KeyCode::kLeftAlt, KeyCode::kRightAlt);
    default:
        break;
    }
    for (std::uint32_t button = 0; button < kMouseButtonCount; ++button) {
        if (kButtonVirtualKeys[button] == virtualKey && gButtonHeld[button]) {
            return true;
        }
    }
    for (std::uint32_t code = 1; code < kKeyCodeCount; ++code) {
        if (gKeyHeld[code] && VirtualKeyFromKeyCode(static_cast<std::uint8_t>(code)) == virtualKey) {
            return true;
        }
    }
    return false;
}

bool IsAnyVirtualKeyHeld()
{
    for (bool held : gKeyHeld) {
        if (held) {
            return true;
        }
    }
    for (bool held : gButtonHeld) {
        if (held) {
            return true;
        }
    }
    return false;
}

void RecordHeldState(const InputEvent& event)
{
    const bool down = (event.data & kInputDownFlag) != 0;
    if (event.device == InputDeviceKind::Keyboard) {
        if (event.offset > 0 && event.offset < kKeyCodeCount) {
            gKeyHeld[event.offset] = down;
        }
        return;
    }
    if (event.offset >= kMouseOffsetButton0 && event.offset < kMouseOffsetButton0 + kMouseButtonCount) {
        gButtonHeld[event.offset - kMouseOffsetButton0] = down;
    }
}

void ReleaseAllHeldKeys()
{
    for (bool& held : gKeyHeld) {
        held = false;
    }
    for (bool& held : gButtonHeld) {
        held = false;
    }
}

} // namespace Platform
