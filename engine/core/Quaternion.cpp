#include "engine/core/Quaternion.h"

#include <cmath>

#include "engine/core/MathTolerance.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

namespace {

// Below this distance from 1 of the dot product, sin(theta) is too small to divide by.
constexpr float kSlerpLinearThreshold = 0.000001f;

} // namespace

void Quaternion::Normalize()
{
    const float length = std::sqrt(LengthSquared());
    if (length > kMathTolerance) {
        x /= length;
        y /= length;
        z /= length;
        w /= length;
    }
}

Quaternion Quaternion::operator*(const Quaternion& q) const
{
    // The eight-multiplication form of q (x) p; its rounding differs slightly
    // from the sixteen-multiplication one.
    const Quaternion& p = *this;
    const float t1 = (q.w + q.x) * (p.w + p.x);
    const float t2 = (q.z - q.y) * (p.y - p.z);
    const float t3 = (q.w - q.x) * (p.y + p.z);
    const float t4 = (q.y + q.z) * (p.w - p.x);
    const float t5 = (q.x + q.z) * (p.x + p.y);
    const float t6 = (q.x - q.z) * (p.x - p.y);
    const float t7 = (q.w + q.y) * (p.w - p.z);
    const float t8 = (q.w - q.y) * (p.w + p.z);
    return Quaternion(t1 - (t5 + t6 + t7 + t8) * 0.5f, t3 + (t5 - t6 + t7 - t8) * 0.5f, t4 + (t5 - t6 - t7 + t8) * 0.5f,
                      t2 + (-t5 - t6 + t7 + t8) * 0.5f);
}

void Quaternion::RotateX(float angle)
{
    *this = *this * QuaternionFromAxisAngle(Vector3(1.0f, 0.0f, 0.0f), angle);
}

void Quaternion::RotateZ(float angle)
{
    *this = *this * QuaternionFromAxisAngle(Vector3(0.0f, 0.0f, 1.0f), angle);
}

void Quaternion::ToMatrix(Matrix4& out) const
{
    MatrixSetIdentity(out);
    const float lengthSquared = LengthSquared();
    if (lengthSquared == 0.0f) {
        return;
    }
    const float s = 2.0f / lengthSquared;
    const float xs = x * s;
    const float ys = y * s;
    const float zs = z * s;
    out.m[0] = 1.0f - (y * ys + z * zs);
    out.m[1] = x * ys - w * zs;
    out.m[2] = x * zs + w * ys;
    out.m[4] = x * ys + w * zs;
    out.m[5] = 1.0f - (x * xs + z * zs);
    out.m[6] = y * zs - w * xs;
    out.m[8] = x * zs - w * ys;
    out.m[9] = y * zs + w * xs;
    out.m[10] = 1.0f - (x * xs + y * ys);
}

Quaternion QuaternionFromAxisAngle(const Vector3& axis, float angle)
{
    const float length = axis.Length();
    if (length <= kMathTolerance) {
        return Quaternion();
    }
    const float scale = std::sin(angle * 0.5f) / length;
    return Quaternion(axis.x * scale, axis.y * scale, axis.z * scale, std::cos(angle * 0.5f));
}

Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t)
{
    Quaternion end = b;
    float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (d < 0.0f) {
        d = -d;
        end = Quaternion(-b.x, -b.y, -b.z, -b.w);
    }
    float k0 = 1.0f - t;
    float k1 = t;
    if (1.0f - d > kSlerpLinearThreshold) {
        const float theta = std::acos(d);
        const float sinTheta = std::sin(theta);
        k0 = std::sin((1.0f - t) * theta) / sinTheta;
        k1 = std::sin(t * theta) / sinTheta;
    }
    return Quaternion(k0 * a.x + k1 * end.x, k0 * a.y + k1 * end.y, k0 * a.z + k1 * end.z, k0 * a.w + k1 * end.w);
}

} // namespace OrrelayEngine
