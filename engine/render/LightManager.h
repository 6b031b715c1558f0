// Creates, owns and deletes lights, giving each the lowest device light index
// no other live light holds, keeps the scene's ambient colour, and once per
// frame sends the ambient colour and every light to the device. Also switches
// lighting on and off for the models, through the render system's cache.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/Color.h"

namespace OrrelayEngine {

class Light;
class MessageManager;
class RenderSystem;

class LightManager
{
public:
    LightManager(MessageManager* log, RenderSystem* renderSystem);
    virtual ~LightManager();

    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // The manager owns the light.
    Light* CreateLight();
    // Null, and a light this manager does not hold, are ignored.
    void DeleteLight(Light* light);
    // Reaches the device at the next ApplyAll.
    void SetAmbientColor(const Color& color) { ambient_ = color; }
    const Color& GetAmbientColor() const { return ambient_; }
    // Once per frame, before the models are drawn.
    void ApplyAll();
    void SetLighting(bool on);

    std::uint32_t GetLightCount() const { return static_cast<std::uint32_t>(usedIds_.size()); }
    // Null for a free or unknown id.
    Light* GetLight(std::uint32_t id) const;

private:
    std::unique_ptr<Light> MakeLight(std::uint32_t deviceIndex) const;
    std::uint32_t FindFreeDeviceIndex() const;

    // Kept for the constructor's callers; the lights take the render system's log.
    [[maybe_unused]] MessageManager* log_;
    RenderSystem* renderSystem_;
    std::vector<std::uint32_t> freeIds_;
    std::vector<std::uint32_t> usedIds_;
    std::vector<std::unique_ptr<Light>> lights_;
    Color ambient_{0.0f, 0.0f, 0.0f, 1.0f};
};

} // namespace OrrelayEngine
