#include "engine/render/Light_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/GraphicsDevice.h"

namespace OrrelayEngine {

namespace {

Platform::ColorValue ToColorValue(const Color& color)
{
    Platform::ColorValue value;
    value.r = color.r;
    value.g = color.g;
    value.b = color.b;
    value.a = color.a;
    return value;
}

void CopyVector(const Vector3& vector, float out[3])
{
    out[0] = vector.x;
    out[1] = vector.y;
    out[2] = vector.z;
}

} // namespace

Light_D3D7::Light_D3D7(MessageManager* log, RenderSystem_D3D7* renderSystem, std::uint32_t deviceIndex)
    : Light(log, deviceIndex), renderSystem_(renderSystem)
{}

Light_D3D7::~Light_D3D7()
{
    DisableLight();
}

void Light_D3D7::Refresh()
{
    Platform::GraphicsDevice* device = renderSystem_->GetDevice();
    if (device == nullptr) {
        return;
    }
    // A type the device does not know would light the scene in some made-up
    // way; such a light is kept off instead.
    if (enabled == 0 || type > kPoint) {
        DisableLight();
        return;
    }

    Platform::LightDescription record;
    record.diffuse = ToColorValue(diffuse);
    record.specular = ToColorValue(specular);
    record.ambient = ToColorValue(ambient);
    record.range = range;
    for (float& value : record.direction) {
        value = 0.0f;
    }
    switch (type) {
    case kDirectional:
        record.type = Platform::LightType::Directional;
        CopyVector(direction, record.direction);
        break;
    case kSpot:
        record.type = Platform::LightType::Spot;
        CopyVector(position, record.position);
        CopyVector(direction, record.direction);
        record.attenuation0 = attenuation0;
        record.attenuation1 = attenuation1;
        record.attenuation2 = attenuation2;
        record.theta = innerConeAngle;
        record.phi = outerConeAngle;
        record.falloff = kSpotFalloff;
        break;
    default:
        record.type = Platform::LightType::Point;
        CopyVector(position, record.position);
        record.attenuation0 = attenuation0;
        record.attenuation1 = attenuation1;
        record.attenuation2 = attenuation2;
        break;
    }
    renderSystem_->CheckResult("Light_D3D7::Refresh", device->SetLight(deviceIndex_, record));
    renderSystem_->CheckResult("Light_D3D7::Refresh", device->LightEnable(deviceIndex_, true));
}

void Light_D3D7::DisableLight()
{
    if (Platform::GraphicsDevice* device = renderSystem_->GetDevice()) {
        renderSystem_->CheckResult("Light_D3D7::DisableLight", device->LightEnable(deviceIndex_, false));
    }
}

} // namespace OrrelayEngine
