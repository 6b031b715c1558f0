// Two floats: screen positions, texture coordinates and the GUI's curves.
// A plain value; the inequality is approximate.
#pragma once

#include <cmath>

#include "engine/core/MathTolerance.h"

namespace OrrelayEngine {

struct Vector2
{
    float x;
    float y;

    Vector2() : x(0.0f), y(0.0f) {}
    Vector2(float xValue, float yValue) : x(xValue), y(yValue) {}

    Vector2& operator+=(const Vector2& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }

    Vector2& operator*=(const Vector2& other)
    {
        x *= other.x;
        y *= other.y;
        return *this;
    }

    Vector2& operator/=(const Vector2& other)
    {
        x /= other.x;
        y /= other.y;
        return *this;
    }

    bool operator!=(const Vector2& other) const
    {
        return std::fabs(x - other.x) > kMathTolerance || std::fabs(y - other.y) > kMathTolerance;
    }
};

// The point at t (0 at p0, 1 at p2) of the quadratic Bezier curve p0, p1, p2.
inline Vector2 QuadraticBezier(const Vector2& p0, const Vector2& p1, const Vector2& p2, float t)
{
    const float u = 1.0f - t;
    const float k0 = u * u;
    const float k1 = 2.0f * t * u;
    const float k2 = t * t;
    return Vector2(k0 * p0.x + k1 * p1.x + k2 * p2.x, k0 * p0.y + k1 * p1.y + k2 * p2.y);
}

} // namespace OrrelayEngine
