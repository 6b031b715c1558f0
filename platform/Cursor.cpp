#include "platform/Cursor.h"

#include "platform/AppWindow.h"

#include <SDL2/SDL.h>

namespace Platform {

namespace {

std::int32_t gShowCount = 0;
std::int32_t gCursorX = 0;
std::int32_t gCursorY = 0;

void ApplyShowCount()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(gShowCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
}

} // namespace

CursorHandle LoadArrowCursor()
{
    return kArrowCursor;
}

CursorHandle LoadCursorResource(std::uint32_t)
{
    return kArrowCursor;
}

void SetCurrentCursor(CursorHandle cursor)
{
    if (cursor != kNoCursor && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_Cursor* arrow = SDL_GetDefaultCursor();
        if (arrow != nullptr) {
            SDL_SetCursor(arrow);
        }
    }
}

std::int32_t ShowCursor(bool show)
{
    gShowCount += show ? 1 : -1;
    ApplyShowCount();
    return gShowCount;
}

std::int32_t GetCursorShowCount()
{
    return gShowCount;
}

void ResetCursorShowCount()
{
    gShowCount = 0;
    ApplyShowCount();
}

void GetCursorClientPosition(std::int32_t& x, std::int32_t& y)
{
    x = gCursorX;
    y = gCursorY;
}

void SetCursorClientPosition(AppWindow& window, std::int32_t x, std::int32_t y)
{
    SDL_WarpMouseInWindow(window.GetSdlWindow(), x, y);
    RecordCursorPosition(x, y);
}

void RecordCursorPosition(std::int32_t x, std::int32_t y)
{
    gCursorX = x;
    gCursorY = y;
}

} // namespace Platform
