#include "engine/core/BoundingBox.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Ray.h"

namespace OrrelayEngine {

namespace {

Vector3 ComponentMin(const Vector3& a, const Vector3& b)
{
    return Vector3(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

Vector3 ComponentMax(const Vector3& a, const Vector3& b)
{
    return Vector3(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

} // namespace

BoundingBox::BoundingBox(const Vector3& minCorner, const Vector3& maxCorner) : radius(0.0f)
{
    Set(minCorner, maxCorner);
}

void BoundingBox::Set(const Vector3& minCorner, const Vector3& maxCorner)
{
    localMin = minCorner;
    localMax = maxCorner;
    Recompute(false);
}

void BoundingBox::SetTransform(const Matrix4& matrix)
{
    transform = matrix;
    Recompute(true);
}

void BoundingBox::Merge(const BoundingBox& other)
{
    // Read the other box before writing: it may be this box.
    const Vector3 newMin = ComponentMin(localMin, other.worldMin);
    const Vector3 newMax = ComponentMax(localMax, other.worldMax);
    localMin = newMin;
    localMax = newMax;
    Recompute(false);
}

void BoundingBox::Recompute(bool transformed)
{
    if (transformed) {
        const Vector3 corners[8] = {
            Vector3(localMin.x, localMin.y, localMin.z), Vector3(localMax.x, localMin.y, localMin.z),
            Vector3(localMax.x, localMax.y, localMin.z), Vector3(localMax.x, localMin.y, localMax.z),
            Vector3(localMax.x, localMax.y, localMax.z), Vector3(localMin.x, localMax.y, localMin.z),
            Vector3(localMin.x, localMax.y, localMax.z), Vector3(localMin.x, localMin.y, localMax.z),
        };
        // Start from the first corner rather than from a large fixed value, so
        // that boxes far from the origin are not clipped.
        worldMin = transform.TransformPoint(corners[0]);
        worldMax = worldMin;
        for (unsigned int i = 1; i < 8; ++i) {
            const Vector3 corner = transform.TransformPoint(corners[i]);
            worldMin = ComponentMin(worldMin, corner);
            worldMax = ComponentMax(worldMax, corner);
        }
    } else {
        MatrixSetIdentity(transform);
        MatrixSetIdentity(secondMatrix);
        worldMin = localMin;
        worldMax = localMax;
    }
    halfSize = (worldMax - worldMin) * 0.5f;
    centre = worldMin + halfSize;
    radius = halfSize.Length();
}

bool BoundingBox::IntersectsSegment(const Ray& ray) const
{
    // Separating axes: the three box axes, then the segment's direction
    // crossed with each box axis. Every comparison is strict, so a segment
    // that only touches the box still meets it.
    const Vector3 middle = ray.origin + ray.direction * 0.5f;
    const Vector3 w = ray.direction.Normalized();
    const float h = ray.direction.Length() * 0.5f;
    const Vector3 d = centre - middle;
    const Vector3& e = halfSize;
    const float wx = std::fabs(w.x);
    const float wy = std::fabs(w.y);
    const float wz = std::fabs(w.z);

    if (std::fabs(d.x) > h * wx + e.x) {
        return false;
    }
    if (std::fabs(d.y) > h * wy + e.y) {
        return false;
    }
    if (std::fabs(d.z) > h * wz + e.z) {
        return false;
    }
    if (std::fabs(d.y * w.z - d.z * w.y) > e.y * wz + e.z * wy) {
        return false;
    }
    if (std::fabs(d.z * w.x - d.x * w.z) > e.x * wz + e.z * wx) {
        return false;
    }
    if (std::fabs(d.x * w.y - d.y * w.x) > e.x * wy + e.y * wx) {
        return false;
    }
    return true;
}

} // namespace OrrelayEngine
