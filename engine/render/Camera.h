// A viewpoint (position and rotation) with a perspective or orthographic
// projection, turned into a view matrix, a projection matrix, three unit axes
// and a view frustum. The view and projection are stored in the device's
// row-vector layout: a world point p reaches clip space as (x, y, z, 1) x view
// x projection, the view's translation in elements 12, 13 and 14. The camera
// looks along its negative back axis; the engine projection maps view depths
// -near .. -far onto -1 .. 1.
//
// The base computes only the axes and the frustum; Camera_D3D7 builds the
// matrices and applies them to the device.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class Frustum;

class Camera
{
public:
    static constexpr float kDefaultNear = 1.0f;
    static constexpr float kDefaultFar = 1000.0f;
    static constexpr float kDefaultFieldOfViewRadians = 1.5707964f;

    // orthographic 0 gives a perspective camera.
    explicit Camera(std::uint32_t orthographic);
    virtual ~Camera();

    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    virtual void Update(float aspect);
    virtual void Apply() {}
    virtual void ApplyZBiased() {}

    void SetPosition(const Vector3& position) { position_ = position; }
    const Vector3& GetPosition() const { return position_; }
    // Places everything drawn with this camera: second x model x first.
    void SetSecondMatrix(const Matrix4& matrix);
    const Matrix4& GetFirstMatrix() const { return firstMatrix_; }
    const Matrix4& GetSecondMatrix() const { return secondMatrix_; }
    bool IsAttached() const { return attached_ != 0; }

    bool IsOrthographic() const { return orthographic_ != 0; }
    const Matrix4& GetProjection() const { return projection_; }
    const Matrix4& GetBiasedProjection() const { return biasedProjection_; }
    const Matrix4& GetView() const { return view_; }
    const Vector3& GetRightAxis() const { return rightAxis_; }
    const Vector3& GetUpAxis() const { return upAxis_; }
    const Vector3& GetBackAxis() const { return backAxis_; }
    const Frustum& GetFrustum() const { return *frustum_; }

    // Set directly by their users; a change takes effect at the next Update.
    float nearDistance = kDefaultNear;
    float farDistance = kDefaultFar;
    float fieldOfView = kDefaultFieldOfViewRadians;
    // The orthographic extent.
    float width = 1.0f;
    float height = 1.0f;
    Quaternion rotation;

protected:
    std::uint32_t orthographic_;
    Vector3 position_;
    Matrix4 projection_;
    Matrix4 biasedProjection_;
    Matrix4 view_;
    Matrix4 firstMatrix_;
    Matrix4 secondMatrix_;
    std::uint8_t attached_ = 0;
    Vector3 rightAxis_;
    Vector3 upAxis_;
    Vector3 backAxis_;
    std::unique_ptr<Frustum> frustum_;
};

} // namespace OrrelayEngine
