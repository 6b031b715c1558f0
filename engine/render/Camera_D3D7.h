// The device form of a camera: Update also builds the two projection
// matrices that go to the device (plain, and depth-biased with the far
// distance one unit larger, so that what is drawn with it wins the depth test
// against coincident surfaces), and Apply sends one of them with the view.
// The device is looked up at every call, as a reset replaces it.
#pragma once

#include "engine/render/Camera.h"

namespace OrrelayEngine {

class RenderSystem_D3D7;

class Camera_D3D7 : public Camera
{
public:
    // The perspective projection always takes a 4:3 frame, whatever the window.
    static constexpr float kPerspectiveAspect = 1.3333334f;
    static constexpr float kBiasFarDistance = 1.0f;

    Camera_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t orthographic);
    ~Camera_D3D7() override;

    void Update(float aspect) override;
    // The projection goes to the device at every call; the view through the
    // render system's state cache.
    void Apply() override;
    void ApplyZBiased() override;

    const Matrix4& GetDeviceProjection() const { return deviceProjection_; }
    const Matrix4& GetDeviceBiasedProjection() const { return deviceBiasedProjection_; }

private:
    void ApplyProjection(const Matrix4& projection, const char* operation);
    void BuildPerspective();
    void BuildOrthographic();
    void BuildView();

    RenderSystem_D3D7* renderSystem_;
    Matrix4 deviceProjection_;
    Matrix4 deviceBiasedProjection_;
};

} // namespace OrrelayEngine
