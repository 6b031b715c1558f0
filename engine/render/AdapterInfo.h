// A display adapter with its devices. Owns its devices (and through them their
// modes); the current device is borrowed from them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/DeviceInfo.h"

namespace OrrelayEngine {

class AdapterInfo
{
public:
    virtual ~AdapterInfo() = default;

    std::vector<std::unique_ptr<DeviceInfo>> devices;
    DeviceInfo* currentDevice = nullptr;
    std::string description;
    bool usable = false;
    std::uint32_t desktopWidth = 0;
    std::uint32_t desktopHeight = 0;
    std::uint32_t desktopBitsPerPixel = 0;
};

} // namespace OrrelayEngine
