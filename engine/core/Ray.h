// A ray from an origin along a direction; also a segment from origin to
// origin + direction, so the direction is not normalised.
#pragma once

#include "engine/core/Vector3.h"

namespace OrrelayEngine {

struct Ray
{
    Vector3 origin;
    Vector3 direction;

    Ray() = default;
    Ray(const Vector3& rayOrigin, const Vector3& rayDirection) : origin(rayOrigin), direction(rayDirection) {}

    void Set(const Vector3& rayOrigin, const Vector3& rayDirection)
    {
        origin = rayOrigin;
        direction = rayDirection;
    }
};

} // namespace OrrelayEngine
