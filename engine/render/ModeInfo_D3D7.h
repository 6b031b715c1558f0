// A device's display mode with the adapter's mode description it came from.
#pragma once

#include "engine/render/ModeInfo.h"
#include "platform/GraphicsTypes.h"

namespace OrrelayEngine {

class ModeInfo_D3D7 : public ModeInfo
{
public:
    ModeInfo_D3D7(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                  const Platform::DisplayMode& displayMode)
        : ModeInfo(width, height, bitsPerPixel), displayMode(displayMode)
    {}

    Platform::DisplayMode displayMode;
};

} // namespace OrrelayEngine
