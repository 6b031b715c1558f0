// The system mouse cursor: its shape, a show counter (the cursor shows while the
// counter is 0 or more, so nested hide and show requests balance), and its
// position in the client area of the window under it.
#pragma once

#include <cstdint>

namespace Platform {

class AppWindow;

using CursorHandle = std::uint32_t;
constexpr CursorHandle kNoCursor = 0;
constexpr CursorHandle kArrowCursor = 1;

CursorHandle LoadArrowCursor();
// The program carries no cursor resources; every id gives the arrow.
CursorHandle LoadCursorResource(std::uint32_t resourceId);
void SetCurrentCursor(CursorHandle cursor);

// Moves the counter one step and answers its new value.
std::int32_t ShowCursor(bool show);
std::int32_t GetCursorShowCount();
// Tests start from a counter of 0 with it.
void ResetCursorShowCount();

// The last position the event pump saw, in client pixels.
void GetCursorClientPosition(std::int32_t& x, std::int32_t& y);
void SetCursorClientPosition(AppWindow& window, std::int32_t x, std::int32_t y);
// Called by the event pump.
void RecordCursorPosition(std::int32_t x, std::int32_t y);

} // namespace Platform
