#include "platform/Display.h"

#include "platform/Cursor.h"

#include <SDL2/SDL.h>

namespace Platform {

namespace {

// Keeps the video system open for the length of one query.
class VideoSession
{
public:
    VideoSession() : open_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
    ~VideoSession()
    {
        if (open_) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            NoteVideoReleased();
        }
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_;
};

DisplayMode FromSdl(const SDL_DisplayMode& mode)
{
    DisplayMode out;
    out.width = mode.w > 0 ? static_cast<std::uint32_t>(mode.w) : 0;
    out.height = mode.h > 0 ? static_cast<std::uint32_t>(mode.h) : 0;
    // Bytes, not significant bits: 8-bit channels with a padding byte count as 32.
    out.bitsPerPixel = SDL_BYTESPERPIXEL(mode.format) * 8u;
    out.refreshRate = mode.refresh_rate > 0 ? static_cast<std::uint32_t>(mode.refresh_rate) : 0;
    return out;
}

} // namespace

bool GetDesktopDisplayMode(DisplayMode& mode)
{
    VideoSession session;
    SDL_DisplayMode sdlMode;
    if (!session.IsOpen() || SDL_GetDesktopDisplayMode(0, &sdlMode) != 0) {
        return false;
    }
    mode = FromSdl(sdlMode);
    return true;
}

std::vector<DisplayMode> GetDisplayModes()
{
    std::vector<DisplayMode> modes;
    VideoSession session;
    if (!session.IsOpen()) {
        return modes;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int index = 0; index < count; ++index) {
        SDL_DisplayMode sdlMode;
        if (SDL_GetDisplayMode(0, index, &sdlMode) == 0) {
            modes.push_back(FromSdl(sdlMode));
        }
    }
    return modes;
}

} // namespace Platform
