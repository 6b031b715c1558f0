// Three floats: positions, directions, sizes and scales in 3D. A plain value;
// the inequality is approximate, and lengths below the tolerance are treated
// as zero so that normalising a zero vector leaves it alone.
#pragma once

#include <cmath>

#include "engine/core/MathTolerance.h"

namespace OrrelayEngine {

struct Vector3
{
    float x;
    float y;
    float z;

    Vector3() : x(0.0f), y(0.0f), z(0.0f) {}
    Vector3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    Vector3 operator+(const Vector3& other) const { return Vector3(x + other.x, y + other.y, z + other.z); }

    Vector3 operator-(const Vector3& other) const { return Vector3(x - other.x, y - other.y, z - other.z); }

    Vector3& operator+=(const Vector3& other)
    {
        *this = *this + other;
        return *this;
    }

    Vector3 Multiply(const Vector3& other) const { return Vector3(x * other.x, y * other.y, z * other.z); }

    Vector3 Divide(const Vector3& other) const { return Vector3(x / other.x, y / other.y, z / other.z); }

    Vector3& operator*=(const Vector3& other)
    {
        *this = Multiply(other);
        return *this;
    }

    Vector3& operator/=(const Vector3& other)
    {
        *this = Divide(other);
        return *this;
    }

    Vector3 operator*(float scale) const { return Vector3(x * scale, y * scale, z * scale); }
    Vector3 operator/(float divisor) const { return Vector3(x / divisor, y / divisor, z / divisor); }

    Vector3& operator/=(float divisor)
    {
        x /= divisor;
        y /= divisor;
        z /= divisor;
        return *this;
    }

    float Dot(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }

    Vector3 Cross(const Vector3& other) const
    {
        return Vector3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
    }

    float Length() const { return std::sqrt(x * x + y * y + z * z); }

    void SetLength(float length)
    {
        // A target length of 0 would make the ratio infinite; the result the
        // ratio would give is the zero vector, so say so directly.
        if (length == 0.0f) {
            *this = Vector3();
            return;
        }
        const float ratio = Length() / length;
        if (std::fabs(ratio) >= kMathTolerance) {
            *this /= ratio;
        }
    }

    Vector3 Normalized() const
    {
        Vector3 copy = *this;
        copy.SetLength(1.0f);
        return copy;
    }

    bool operator!=(const Vector3& other) const
    {
        return std::fabs(x - other.x) > kMathTolerance || std::fabs(y - other.y) > kMathTolerance ||
               std::fabs(z - other.z) > kMathTolerance;
    }

    // Whether this point lies on or inside the sphere whose diameter is the
    // segment a-b; true at both ends.
    bool IsBetween(const Vector3& a, const Vector3& b) const { return (a - *this).Dot(b - *this) <= 0.0f; }
};

} // namespace OrrelayEngine
