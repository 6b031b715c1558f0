// One hardware light with the parameters of a device light. Its owner sets
// the fields directly; a change reaches the device at the light manager's next
// ApplyAll. The base sends nothing; Light_D3D7 does.
#pragma once

#include <cstdint>

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class MessageManager;

class Light
{
public:
    enum Type : std::uint32_t
    {
        kDirectional = 0,
        kSpot = 1,
        kPoint = 2
    };

    // The largest range a device light takes: the square root of the largest float.
    static constexpr float kMaxRange = 1.8446743e19f;

    Light(MessageManager* log, std::uint32_t deviceIndex);
    virtual ~Light();

    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Sends the light to the device.
    virtual void Refresh() {}

    std::uint32_t GetDeviceIndex() const { return deviceIndex_; }

    std::uint8_t enabled = 1;
    std::uint32_t type = kPoint;
    Vector3 position;
    // The way the light travels.
    Vector3 direction{0.0f, 0.0f, -1.0f};
    float range = kMaxRange;
    Color ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    float attenuation0 = 1.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    // Spot lights only, in radians.
    float innerConeAngle = 0.0f;
    float outerConeAngle = 0.0f;

protected:
    MessageManager* log_;
    std::uint32_t deviceIndex_;
};

} // namespace OrrelayEngine
