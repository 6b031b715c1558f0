#include "engine/render/Camera_D3D7.h"

#include <cmath>

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/GraphicsDevice.h"

namespace OrrelayEngine {

namespace {

Matrix4 ZeroMatrix()
{
    return Matrix4(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
}

} // namespace

Camera_D3D7::Camera_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t orthographic)
    : Camera(orthographic), renderSystem_(renderSystem)
{}

Camera_D3D7::~Camera_D3D7() = default;

void Camera_D3D7::Update(float aspect)
{
    if (orthographic_ == 0) {
        BuildPerspective();
    } else {
        BuildOrthographic();
    }
    BuildView();
    Camera::Update(aspect);
}

void Camera_D3D7::BuildPerspective()
{
    const float n = nearDistance;
    const float f = farDistance;
    const float biasedFar = farDistance + kBiasFarDistance;
    const float a = kPerspectiveAspect;
    const float t = std::tan(a * fieldOfView * 0.25f);
    const float top = n * t;
    const float bottom = -top;
    const float right = top * a;
    const float left = -right;

    // The device form maps view depths near .. far (positive, as the device's
    // view looks down +z) onto 0 .. 1.
    Matrix4 device = ZeroMatrix();
    device.m[0] = 2.0f * n / (right - left);
    device.m[5] = 2.0f * n / (top - bottom);
    device.m[8] = (right + left) / (left - right);
    device.m[9] = (top + bottom) / (bottom - top);
    device.m[10] = f / (f - n);
    device.m[11] = 1.0f;
    device.m[14] = f * n / (n - f);
    deviceProjection_ = device;

    device.m[10] = biasedFar / (biasedFar - n);
    device.m[14] = biasedFar * n / (n - biasedFar);
    deviceBiasedProjection_ = device;
    biasedProjection_ = device;

    Matrix4 engine = ZeroMatrix();
    engine.m[0] = 2.0f * n / (right - left);
    engine.m[5] = 2.0f * n / (top - bottom);
    engine.m[8] = (right + left) / (right - left);
    engine.m[9] = (top + bottom) / (top - bottom);
    engine.m[10] = -(f + n) / (f - n);
    engine.m[11] = -1.0f;
    engine.m[14] = -(2.0f * f * n) / (f - n);
    projection_ = engine;
}

void Camera_D3D7::BuildOrthographic()
{
    const float n = nearDistance;
    const float f = farDistance;
    const float biasedFar = farDistance + kBiasFarDistance;
    const float left = 0.0f;
    const float right = width;
    const float bottom = 0.0f;
    const float top = height;

    Matrix4 device = ZeroMatrix();
    device.m[0] = 2.0f / (right - left);
    device.m[5] = 2.0f / (top - bottom);
    device.m[10] = 1.0f / (n - f);
    device.m[12] = -(right + left) / (right - left);
    device.m[13] = -(top + bottom) / (top - bottom);
    device.m[14] = n / (n - f);
    device.m[15] = 1.0f;
    deviceProjection_ = device;

    device.m[10] = 1.0f / (n - biasedFar);
    device.m[14] = n / (n - biasedFar);
    deviceBiasedProjection_ = device;
    biasedProjection_ = device;

    Matrix4 engine = ZeroMatrix();
    engine.m[0] = 2.0f / (right - left);
    engine.m[5] = 2.0f / (top - bottom);
    engine.m[10] = -2.0f / (f - n);
    engine.m[12] = -(right + left) / (right - left);
    engine.m[13] = -(top + bottom) / (top - bottom);
    engine.m[14] = -(f + n) / (f - n);
    engine.m[15] = 1.0f;
    projection_ = engine;
}

void Camera_D3D7::BuildView()
{
    const Quaternion& q = rotation;
    // A zero quaternion is no rotation at all rather than a view of infinities.
    const float lengthSquared = q.LengthSquared();
    const float s = lengthSquared > 0.0f ? 2.0f / lengthSquared : 0.0f;
    Matrix4 r = ZeroMatrix();
    r.m[0] = 1.0f - s * (q.y * q.y + q.z * q.z);
    r.m[1] = s * (q.x * q.y - q.w * q.z);
    r.m[2] = s * (q.x * q.z + q.w * q.y);
    r.m[4] = s * (q.x * q.y + q.w * q.z);
    r.m[5] = 1.0f - s * (q.x * q.x + q.z * q.z);
    r.m[6] = s * (q.y * q.z - q.w * q.x);
    r.m[8] = s * (q.x * q.z - q.w * q.y);
    r.m[9] = s * (q.y * q.z + q.w * q.x);
    r.m[10] = 1.0f - s * (q.x * q.x + q.y * q.y);

    // transpose(transpose(R) x translation(-position)): R's upper 3 x 3 with the
    // position taken against R's columns in the bottom row.
    view_ = r;
    for (int column = 0; column < 3; ++column) {
        view_.m[12 + column] =
            -(position_.x * r.m[column] + position_.y * r.m[4 + column] + position_.z * r.m[8 + column]);
    }
    view_.m[15] = 1.0f;
}

void Camera_D3D7::Apply()
{
    ApplyProjection(deviceProjection_, "Camera_D3D7::Apply");
}

void Camera_D3D7::ApplyZBiased()
{
    ApplyProjection(deviceBiasedProjection_, "Camera_D3D7::ApplyZBiased");
}

void Camera_D3D7::ApplyProjection(const Matrix4& projection, const char* operation)
{
    if (Platform::GraphicsDevice* device = renderSystem_->GetDevice()) {
        renderSystem_->CheckResult(operation, device->SetTransform(Platform::TransformState::Projection, projection.m));
    }
    renderSystem_->SetViewMatrix(view_);
}

} // namespace OrrelayEngine
