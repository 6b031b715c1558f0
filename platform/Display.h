// The desktop's display mode and the modes the display offers. Both open the
// video system for the call when no window has it open.
#pragma once

#include <cstdint>
#include <vector>

namespace Platform {

struct DisplayMode
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0; // 32 for 8-bit channels with padding
    std::uint32_t refreshRate = 0;  // hertz; 0 when unknown
};

// False when there is no display.
bool GetDesktopDisplayMode(DisplayMode& mode);
// Largest first, as the system lists them; may be empty or hold a single 0 x 0 mode
// under virtual displays.
std::vector<DisplayMode> GetDisplayModes();

} // namespace Platform
