#include "platform/Cursor.h"

#include "platform/AppWindow.h"

#include <SDL2/SDL.h>

namespace Platform {

namespace {

std::int32_t gShowCount = 0;
std::int32_t gCursorX = 0;
std::int32_t gCursorY = 0;

struct CursorResource
{
    std::uint32_t id = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;
    std::vector<std::uint8_t> rgba;
    SDL_Cursor* shape = nullptr; // made at first use, while video is open
};

// Handles above the arrow index this list; a registered id keeps its handle
// when it is registered again.
std::vector<CursorResource>& CursorResources()
{
    static std::vector<CursorResource> resources;
    return resources;
}

constexpr CursorHandle kFirstResourceCursor = kArrowCursor + 1;

CursorResource* FindResource(CursorHandle cursor)
{
    std::vector<CursorResource>& resources = CursorResources();
    if (cursor < kFirstResourceCursor || cursor - kFirstResourceCursor >= resources.size()) {
        return nullptr;
    }
    return &resources[cursor - kFirstResourceCursor];
}

SDL_Cursor* MakeShape(CursorResource& resource)
{
    if (resource.shape != nullptr) {
        return resource.shape;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(resource.rgba.data(), resource.width, resource.height, 32,
                                                              resource.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return nullptr;
    }
    resource.shape = SDL_CreateColorCursor(surface, resource.hotX, resource.hotY);
    SDL_FreeSurface(surface);
    return resource.shape;
}

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

bool RegisterCursorResource(std::uint32_t id, std::int32_t width, std::int32_t height, std::int32_t hotX,
                            std::int32_t hotY, const std::vector<std::uint8_t>& rgba)
{
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u || hotX < 0 ||
        hotX >= width || hotY < 0 || hotY >= height) {
        return false;
    }
    std::vector<CursorResource>& resources = CursorResources();
    CursorResource* resource = nullptr;
    for (CursorResource& existing : resources) {
        if (existing.id == id) {
            resource = &existing;
        }
    }
    if (resource == nullptr) {
        resources.emplace_back();
        resource = &resources.back();
    } else if (resource->shape != nullptr) {
        if (SDL_GetCursor() == resource->shape) {
            SDL_SetCursor(SDL_GetDefaultCursor());
        }
        SDL_FreeCursor(resource->shape);
    }
    *resource = CursorResource{id, width, height, hotX, hotY, rgba, nullptr};
    return true;
}

CursorHandle LoadCursorResource(std::uint32_t resourceId)
{
    const std::vector<CursorResource>& resources = CursorResources();
    for (std::size_t i = 0; i < resources.size(); ++i) {
        if (resources[i].id == resourceId) {
            return kFirstResourceCursor + static_cast<CursorHandle>(i);
        }
    }
    return kArrowCursor;
}

bool SetCurrentCursor(CursorHandle cursor)
{
    if (cursor == kNoCursor || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return false;
    }
    SDL_Cursor* shape = nullptr;
    if (CursorResource* resource = FindResource(cursor)) {
        shape = MakeShape(*resource);
    }
    const bool made = shape != nullptr || cursor == kArrowCursor;
    if (shape == nullptr) {
        shape = SDL_GetDefaultCursor();
    }
    if (shape != nullptr) {
        SDL_SetCursor(shape);
    }
    return made && shape != nullptr;
}

void NoteVideoReleased()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return;
    }
    // SDL frees every cursor it made when its video system closes.
    for (CursorResource& resource : CursorResources()) {
        resource.shape = nullptr;
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
    std::int32_t clientX = x;
    std::int32_t clientY = y;
    window.PictureToClient(clientX, clientY);
    SDL_WarpMouseInWindow(window.GetSdlWindow(), clientX, clientY);
    RecordCursorPosition(x, y);
}

void RecordCursorPosition(std::int32_t x, std::int32_t y)
{
    gCursorX = x;
    gCursorY = y;
}

} // namespace Platform
