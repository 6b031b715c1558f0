// A device as the platform's graphics driver reports it, with its index there.
#pragma once

#include <cstdint>

#include "engine/render/DeviceInfo.h"
#include "platform/GraphicsTypes.h"

namespace OrrelayEngine {

class DeviceInfo_D3D7 : public DeviceInfo
{
public:
    std::uint32_t deviceIndex = 0;
    Platform::DeviceDescription deviceDescription;
};

} // namespace OrrelayEngine
