// A rotation as a quaternion (x, y, z, w), w last. A default quaternion is
// the identity (0, 0, 0, 1).
//
// The product p * q is the Hamilton product q (x) p: the rotation p first,
// then q. So RotateX and RotateZ add the new rotation after the existing one.
#pragma once

namespace OrrelayEngine {

struct Matrix4;
struct Vector3;

struct Quaternion
{
    float x;
    float y;
    float z;
    float w;

    Quaternion() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    Quaternion(float xValue, float yValue, float zValue, float wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}

    void Set(const Quaternion& other) { *this = other; }

    float LengthSquared() const { return x * x + y * y + z * z + w * w; }
    // Divides by the length; a quaternion shorter than the tolerance is left as it is.
    void Normalize();

    Quaternion operator*(const Quaternion& other) const;
    void RotateX(float angle);
    void RotateZ(float angle);

    // Works for a quaternion of any non-zero length.
    void ToMatrix(Matrix4& out) const;
};

// The rotation by angle (radians) about axis; the identity when the axis is
// no longer than the tolerance.
Quaternion QuaternionFromAxisAngle(const Vector3& axis, float angle);

// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc:
// b is negated when it lies on the far side of a. Nearly equal quaternions
// are blended linearly, without renormalising.
Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t);

} // namespace OrrelayEngine
