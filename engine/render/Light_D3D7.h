// The device form of a light: Refresh sends the whole light record and
// switches the light on (or only switches it off while it is disabled), every
// frame, changed or not. The device is looked up at every call, as a reset
// replaces it; the light goes off on the device when the object goes.
#pragma once

#include "engine/render/Light.h"

namespace OrrelayEngine {

class RenderSystem_D3D7;

class Light_D3D7 : public Light
{
public:
    // Spot lights fall off evenly between the inner and the outer cone.
    static constexpr float kSpotFalloff = 1.0f;

    Light_D3D7(MessageManager* log, RenderSystem_D3D7* renderSystem, std::uint32_t deviceIndex);
    ~Light_D3D7() override;

    void Refresh() override;
    void DisableLight();

private:
    RenderSystem_D3D7* renderSystem_;
};

} // namespace OrrelayEngine
