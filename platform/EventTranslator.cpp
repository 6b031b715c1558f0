#include "platform/EventTranslator.h"

#include "platform/KeyTables.h"
#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <cstring>

namespace Platform {

namespace {

constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

void AddMessage(TranslatedEvent& out, WindowMessageType type, std::uint32_t code)
{
    if (out.messageCount < TranslatedEvent::kMaxMessages) {
        out.messages[out.messageCount++] = WindowMessage{type, code};
    }
}

void AddInput(TranslatedEvent& out, InputDeviceKind device, std::uint32_t offset, std::int32_t data)
{
    if (out.inputCount < TranslatedEvent::kMaxInputs) {
        InputEvent& input = out.inputs[out.inputCount++];
        input.device = device;
        input.offset = offset;
        input.data = data;
    }
}

// A key pressed while Alt is held, Alt itself and F10 are system keys: they
// drive the window's menu and commands rather than the application.
bool IsSystemKey(const SDL_KeyboardEvent& key)
{
    return (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.scancode == SDL_SCANCODE_LALT ||
           key.keysym.scancode == SDL_SCANCODE_RALT || key.keysym.sym == SDLK_F10;
}

void TranslateKey(const SDL_KeyboardEvent& key, bool down, TranslatedEvent& out)
{
    out.windowId = key.windowID;
    const bool system = IsSystemKey(key);
    WindowMessageType type;
    if (down) {
        type = system ? WindowMessageType::SysKeyDown : WindowMessageType::KeyDown;
    } else {
        type = system ? WindowMessageType::SysKeyUp : WindowMessageType::KeyUp;
    }
    AddMessage(out, type, VirtualKeyFromSdlKeycode(key.keysym.sym));
    if (key.repeat != 0) {
        return;
    }
    const std::uint8_t code = KeyCodeFromSdlScancode(key.keysym.scancode);
    if (code != KeyCode::kNone) {
        AddInput(out, InputDeviceKind::Keyboard, code, down ? kInputDownFlag : 0);
    }
}

void TranslateText(const SDL_TextInputEvent& text, TranslatedEvent& out)
{
    out.windowId = text.windowID;
    const std::uint32_t length = static_cast<std::uint32_t>(strnlen(text.text, SDL_TEXTINPUTEVENT_TEXT_SIZE));
    std::uint32_t position = 0;
    while (position < length) {
        const std::uint32_t codePoint = NextUtf8CodePoint(text.text, length, position);
        AddMessage(out, WindowMessageType::Character, codePoint);
    }
}

void TranslateWindowEvent(const SDL_WindowEvent& window, TranslatedEvent& out)
{
    out.windowId = window.windowID;
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        AddMessage(out, WindowMessageType::Close, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        AddMessage(out, WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::Minimize));
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        AddMessage(out, WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::Maximize));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        AddMessage(out, WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::Restore));
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        AddMessage(out, WindowMessageType::SetFocus, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        AddMessage(out, WindowMessageType::KillFocus, 0);
        break;
    default:
        break;
    }
}

void TranslateMouseButton(const SDL_MouseButtonEvent& button, bool down, TranslatedEvent& out)
{
    out.windowId = button.windowID;
    if (button.which == SDL_TOUCH_MOUSEID) {
        return;
    }
    const int index = MouseButtonIndexFromSdlButton(button.button);
    if (index >= 0) {
        AddInput(out, InputDeviceKind::Mouse, kMouseOffsetButton0 + static_cast<std::uint32_t>(index),
                 down ? kInputDownFlag : 0);
    }
}

} // namespace

std::uint32_t NextUtf8CodePoint(const char* text, std::uint32_t length, std::uint32_t& position)
{
    if (position >= length) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text[position]);
    std::uint32_t extra;
    std::uint32_t codePoint;
    std::uint32_t smallest;
    if (lead < 0x80) {
        ++position;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        ++position;
        return kReplacementCharacter;
    }
    if (length - position <= extra) {
        ++position;
        return kReplacementCharacter;
    }
    for (std::uint32_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if ((next & 0xC0) != 0x80) {
            ++position;
            return kReplacementCharacter;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        ++position;
        return kReplacementCharacter;
    }
    position += extra + 1;
    return codePoint;
}

void TranslateEvent(const SDL_Event& event, TranslatedEvent& out)
{
    out = TranslatedEvent();
    switch (event.type) {
    case SDL_QUIT:
        AddMessage(out, WindowMessageType::Quit, 0);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window, out);
        break;
    case SDL_KEYDOWN:
        TranslateKey(event.key, true, out);
        break;
    case SDL_KEYUP:
        TranslateKey(event.key, false, out);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text, out);
        break;
    case SDL_MOUSEMOTION:
        out.windowId = event.motion.windowID;
        if (event.motion.which == SDL_TOUCH_MOUSEID) {
            break;
        }
        out.cursorMoved = true;
        out.cursorX = event.motion.x;
        out.cursorY = event.motion.y;
        if (event.motion.xrel != 0) {
            AddInput(out, InputDeviceKind::Mouse, kMouseOffsetX, event.motion.xrel);
        }
        if (event.motion.yrel != 0) {
            AddInput(out, InputDeviceKind::Mouse, kMouseOffsetY, event.motion.yrel);
        }
        break;
    case SDL_MOUSEWHEEL: {
        out.windowId = event.wheel.windowID;
        if (event.wheel.which == SDL_TOUCH_MOUSEID) {
            break;
        }
        // Bounded first, so that neither the sign change nor the scaling can
        // overflow on a made-up event.
        constexpr std::int32_t kMaxNotches = INT32_MAX / kWheelUnitsPerNotch;
        std::int32_t notches = event.wheel.y;
        notches = notches > kMaxNotches ? kMaxNotches : (notches < -kMaxNotches ? -kMaxNotches : notches);
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            notches = -notches;
        }
        if (notches != 0) {
            AddInput(out, InputDeviceKind::Mouse, kMouseOffsetWheel, notches * kWheelUnitsPerNotch);
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        TranslateMouseButton(event.button, true, out);
        break;
    case SDL_MOUSEBUTTONUP:
        TranslateMouseButton(event.button, false, out);
        break;
    default:
        break;
    }
}

} // namespace Platform
