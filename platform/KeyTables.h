// Pure translations between SDL's key and button numbering and ours
// (platform/VirtualKeys.h). Used by the event pump; the parameters are SDL's
// own values passed as plain integers so that this header needs no SDL header.
#pragma once

#include <cstdint>

namespace Platform {

// The virtual-key code a key-down message carries. Only the keys text entry and
// the engine act on are translated (editing keys, navigation keys, digits,
// letters, function keys); every other key gives VirtualKey::kNone. Letters and
// digits follow the keyboard layout, as the key's label does.
std::uint8_t VirtualKeyFromSdlKeycode(std::int32_t sdlKeycode);

// The physical key's code in our key-code numbering; KeyCode::kNone for keys
// outside the engine's key table, keypad Enter apart.
std::uint8_t KeyCodeFromSdlScancode(std::int32_t sdlScancode);

// The virtual-key code of a physical key (US layout, the sided code for
// modifiers); VirtualKey::kNone for codes outside the key table.
std::uint8_t VirtualKeyFromKeyCode(std::uint8_t keyCode);

// Button index 0..7 of an SDL mouse button: left 0, right 1, middle 2, then the
// extra buttons; -1 for buttons beyond the eighth.
int MouseButtonIndexFromSdlButton(std::uint8_t sdlButton);

} // namespace Platform
