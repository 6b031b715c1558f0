// A plane as a normal (a, b, c) and d: the signed distance of a point p is
// Dot(normal, p) + d. Used to pick model triangles with rays and as the
// frustum's sides.
#pragma once

#include "engine/core/Vector3.h"

namespace OrrelayEngine {

struct Ray;

class Plane
{
public:
    // A zero normal and d = 0: no plane until Set or SetFromPoints.
    Plane();
    virtual ~Plane();

    const Vector3& GetNormal() const;
    float Distance(const Vector3& point) const;

    // Stores the four values, then normalises.
    void Set(float a, float b, float c, float d);
    // Divides normal and d by the normal's length; a normal shorter than the
    // tolerance is left as it is.
    void Normalize();
    // The normal follows the right-hand rule over p1, p2, p3. Collinear
    // points leave a zero normal and d = 0.
    void SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3);

    // Where the ray meets the plane, in units of the ray's direction. A ray
    // parallel to the plane, or one meeting it at t <= 0 (behind or at its
    // origin), is no hit; t is written whenever the ray is not parallel.
    bool IntersectRay(const Ray& ray, float& t) const;

private:
    Vector3 normal_;
    float d_;
};

} // namespace OrrelayEngine
