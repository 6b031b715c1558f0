// An axis-aligned box in an owner's local space, its transform, and the
// axis-aligned box, centre and bounding sphere that the transformed corners
// span in world space. Models, cells and GUI elements use it for culling and
// ray picking.
//
// The second matrix is reset to the identity with the transform when the box
// is recomputed without one, and copied with the box; nothing here reads it.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

struct Ray;

struct BoundingBox
{
    Vector3 localMin;
    Vector3 localMax;
    Matrix4 transform;
    Matrix4 secondMatrix;
    Vector3 worldMin;
    Vector3 worldMax;
    Vector3 centre;
    Vector3 halfSize;
    float radius;

    // All corners at the origin, both matrices the identity.
    BoundingBox() : radius(0.0f) {}
    BoundingBox(const Vector3& minCorner, const Vector3& maxCorner);

    // The local corners; the world box becomes the same box, untransformed.
    void Set(const Vector3& minCorner, const Vector3& maxCorner);
    void SetTransform(const Matrix4& matrix);
    // Grows the local box to hold the other box's world box, then drops the
    // transform. Merging a box with itself is safe.
    void Merge(const BoundingBox& other);
    void Recompute(bool transformed);

    // Whether the segment from ray.origin to ray.origin + ray.direction meets
    // the world box; touching a face counts.
    bool IntersectsSegment(const Ray& ray) const;
};

} // namespace OrrelayEngine
