#include "engine/render/Camera.h"

#include "engine/core/Frustum.h"

namespace OrrelayEngine {

Camera::Camera(std::uint32_t orthographic) : orthographic_(orthographic), frustum_(std::make_unique<Frustum>())
{}

Camera::~Camera() = default;

void Camera::SetSecondMatrix(const Matrix4& matrix)
{
    secondMatrix_ = matrix;
    attached_ = (firstMatrix_.IsIdentity() && secondMatrix_.IsIdentity()) ? 0 : 1;
}

void Camera::Update(float /*aspect*/)
{
    rightAxis_ = Vector3(view_.m[0], view_.m[4], view_.m[8]);
    upAxis_ = Vector3(view_.m[1], view_.m[5], view_.m[9]);
    backAxis_ = Vector3(view_.m[2], view_.m[6], view_.m[10]);
    rightAxis_.SetLength(1.0f);
    upAxis_.SetLength(1.0f);
    backAxis_.SetLength(1.0f);
    frustum_->Update(projection_, view_);
}

} // namespace OrrelayEngine
