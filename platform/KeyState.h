// Which keys and mouse buttons are held right now, by virtual-key code, as the
// event pump has seen them (SDL releases every key when the window loses the
// keyboard, so nothing stays held behind the program's back). The generic
// modifier codes (Shift, Control, Alt) answer for either side.
#pragma once

#include "platform/InputDevice.h"

#include <cstdint>

namespace Platform {

bool IsVirtualKeyHeld(std::uint8_t virtualKey);
// True when any key of the engine's key table or any mouse button is held.
bool IsAnyVirtualKeyHeld();
// Key code numbering (platform/VirtualKeys.h KeyCode).
bool IsKeyCodeHeld(std::uint8_t keyCode);
bool IsMouseButtonHeld(std::uint32_t index);

// Called by the event pump for every key and mouse event.
void RecordHeldState(const InputEvent& event);
// Releases every key and button (tests start from a clean state with it).
void ReleaseAllHeldKeys();

} // namespace Platform
