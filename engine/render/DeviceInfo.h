// A rendering device of an adapter with the display modes it renders.
// Owns its modes; the current mode is borrowed from them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/render/ModeInfo.h"

namespace OrrelayEngine {

class DeviceInfo
{
public:
    virtual ~DeviceInfo() = default;

    std::vector<std::unique_ptr<ModeInfo>> modes;
    ModeInfo* currentMode = nullptr;
    bool fullScreen = false;
    std::string name;
    std::string description;
    bool hardware = false;
};

} // namespace OrrelayEngine
