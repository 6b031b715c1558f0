// An adapter as the platform's graphics driver reports it: its index there,
// whether it is the primary display, and its display modes (at least 640 x 400,
// sorted by width, height and depth, each descending).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/render/AdapterInfo.h"
#include "platform/GraphicsTypes.h"

namespace OrrelayEngine {

class AdapterInfo_D3D7 : public AdapterInfo
{
public:
    std::uint32_t adapterIndex = 0;
    bool primary = false;
    std::vector<Platform::DisplayMode> displayModes;
};

} // namespace OrrelayEngine
