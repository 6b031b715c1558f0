// The system mouse cursor: its shape, a show counter (the cursor shows while the
// counter is 0 or more, so nested hide and show requests balance), and its
// position in the client area of the window under it.
//
// Shapes are the standard arrow and the program's own cursor resources, which
// the program registers by id before it loads them (as it does its icons).
#pragma once

#include <cstdint>
#include <vector>

namespace Platform {

class AppWindow;

using CursorHandle = std::uint32_t;
constexpr CursorHandle kNoCursor = 0;
constexpr CursorHandle kArrowCursor = 1;

// RGBA rows top to bottom; the hot spot is the pixel that points. A picture
// that does not fill its size, or a hot spot outside it, is refused (false).
bool RegisterCursorResource(std::uint32_t id, std::int32_t width, std::int32_t height, std::int32_t hotX,
                            std::int32_t hotY, const std::vector<std::uint8_t>& rgba);

CursorHandle LoadArrowCursor();
// The arrow for an id the program has not registered.
CursorHandle LoadCursorResource(std::uint32_t resourceId);
// False when the shape could not be made (a video driver without cursor
// shapes): the arrow stands in for it then.
bool SetCurrentCursor(CursorHandle cursor);
// Called after each release of the video system: when it has closed, the
// shapes made from resources went with it, and are made again at the next
// SetCurrentCursor.
void NoteVideoReleased();

// Moves the counter one step and answers its new value.
std::int32_t ShowCursor(bool show);
std::int32_t GetCursorShowCount();
// Tests start from a counter of 0 with it.
void ResetCursorShowCount();

// The last position the event pump saw, in client pixels; where the window
// shows its picture scaled, in the picture's pixels.
void GetCursorClientPosition(std::int32_t& x, std::int32_t& y);
void SetCursorClientPosition(AppWindow& window, std::int32_t x, std::int32_t y);
// Called by the event pump.
void RecordCursorPosition(std::int32_t x, std::int32_t y);

} // namespace Platform
