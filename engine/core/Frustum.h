// The camera's view volume as six planes, for the visibility test of models.
// Update takes the projection and view matrices in the render device's
// row-vector layout, the form the camera hands to the device.
#pragma once

#include "engine/core/Plane.h"

namespace OrrelayEngine {

struct BoundingBox;
struct Matrix4;

class Frustum
{
public:
    Frustum();
    virtual ~Frustum();

    void Update(const Matrix4& projection, const Matrix4& view);
    // Whether the box's bounding sphere (world centre, radius) is at least
    // partly inside. A sphere that only touches a side from outside is outside.
    bool IsSphereInside(const BoundingBox& box) const;

private:
    static constexpr unsigned int kPlaneCount = 6;
    Plane planes_[kPlaneCount];
};

} // namespace OrrelayEngine
