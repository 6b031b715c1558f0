#include "engine/core/Frustum.h"

#include "engine/core/BoundingBox.h"
#include "engine/core/Matrix4.h"

namespace OrrelayEngine {

Frustum::Frustum() = default;

Frustum::~Frustum() = default;

void Frustum::Update(const Matrix4& projection, const Matrix4& view)
{
    // With row vectors the clip coordinate j of a point is its dot product
    // with column j of view x projection, so each side is a sum or difference
    // of the w column (3) and one of the x, y, z columns.
    const Matrix4 combined = view * projection;
    const float* p = combined.m;
    auto column = [p](unsigned int j, unsigned int row) { return p[4 * row + j]; };
    auto setSide = [&](Plane& plane, unsigned int j, float sign) {
        plane.Set(column(3, 0) + sign * column(j, 0), column(3, 1) + sign * column(j, 1),
                  column(3, 2) + sign * column(j, 2), column(3, 3) + sign * column(j, 3));
    };
    // Order: right, left, bottom, top, far, near.
    setSide(planes_[0], 0, -1.0f);
    setSide(planes_[1], 0, 1.0f);
    setSide(planes_[2], 1, 1.0f);
    setSide(planes_[3], 1, -1.0f);
    setSide(planes_[4], 2, -1.0f);
    setSide(planes_[5], 2, 1.0f);
}

bool Frustum::IsSphereInside(const BoundingBox& box) const
{
    for (const Plane& plane : planes_) {
        if (plane.Distance(box.centre) <= -box.radius) {
            return false;
        }
    }
    return true;
}

} // namespace OrrelayEngine
