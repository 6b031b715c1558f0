// Turns one SDL event into what the rest of the platform layer consumes: window
// messages for the window's handler, key and mouse events for the input
// devices, and the cursor position. A pure function of the event, so that the
// mapping is testable with events made up in a test.
//
// Key-downs carry virtual-key codes (platform/KeyTables.h); auto-repeated
// key-downs give messages again but no device events, as a keyboard device
// reports a key going down once. Typed text gives one Character message per
// code point. Mouse wheel notches become kWheelUnitsPerNotch each.
#pragma once

#include "platform/InputDevice.h"
#include "platform/WindowMessage.h"

#include <cstdint>

union SDL_Event;

namespace Platform {

struct TranslatedEvent
{
    // SDL's typed text holds at most 31 bytes, so at most 31 characters.
    static constexpr std::uint32_t kMaxMessages = 32;
    static constexpr std::uint32_t kMaxInputs = 2;

    // The window the event belongs to; 0 addresses every window (quit).
    std::uint32_t windowId = 0;
    WindowMessage messages[kMaxMessages];
    std::uint32_t messageCount = 0;
    InputEvent inputs[kMaxInputs];
    std::uint32_t inputCount = 0;
    bool cursorMoved = false;
    std::int32_t cursorX = 0;
    std::int32_t cursorY = 0;
};

void TranslateEvent(const SDL_Event& event, TranslatedEvent& out);

// Decodes the next code point of UTF-8 text at `position` and moves past it;
// malformed bytes give U+FFFD and are skipped one at a time. 0 at the end.
std::uint32_t NextUtf8CodePoint(const char* text, std::uint32_t length, std::uint32_t& position);

} // namespace Platform
