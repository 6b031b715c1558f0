// One display mode a device renders: 16 bits for 16-bit modes, 32 for 24- and 32-bit ones.
#pragma once

#include <cstdint>

namespace OrrelayEngine {

class ModeInfo
{
public:
    ModeInfo(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel)
        : width(width), height(height), bitsPerPixel(bitsPerPixel)
    {}
    virtual ~ModeInfo() = default;

    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitsPerPixel;
};

} // namespace OrrelayEngine
