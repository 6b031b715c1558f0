#include "engine/core/Quaternion.h"

#include <cmath>

#include <gtest/gtest.h>

#include "MathTestHelpers.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {
namespace {

const float kHalfRoot2 = std::sqrt(0.5f);

TEST(Quaternion, ProductIsTheHamiltonProductOfArgumentTimesObject)
{
    const Quaternion p(0.1f, -0.7f, 0.3f, 0.5f);
    const Quaternion q(-0.4f, 0.2f, 0.9f, -0.3f);
    const Quaternion expected(
        q.w * p.x + q.x * p.w + q.y * p.z - q.z * p.y, q.w * p.y - q.x * p.z + q.y * p.w + q.z * p.x,
        q.w * p.z + q.x * p.y - q.y * p.x + q.z * p.w, q.w * p.w - q.x * p.x - q.y * p.y - q.z * p.z);
    ExpectNear(p * q, expected);
}

TEST(Quaternion, RotateZAfterRotateXAppliesTheXRotationFirst)
{
    Quaternion q;
    q.RotateX(kTestPi / 2.0f);
    q.RotateZ(kTestPi / 2.0f);
    // Rz (x) Rx; the other order would give (0.5, -0.5, 0.5, 0.5).
    ExpectNear(q, Quaternion(0.5f, 0.5f, 0.5f, 0.5f));
    Matrix4 m;
    q.ToMatrix(m);
    // +z turns to -y about x, then -y turns to +x about z.
    ExpectNear(m.TransformPoint(Vector3(0.0f, 0.0f, 1.0f)), Vector3(1.0f, 0.0f, 0.0f));
}

TEST(Quaternion, ToMatrixAgreesWithMatrixRotationsForAnyLength)
{
    const float angle = 0.7f;
    Matrix4 expected;
    MatrixSetRotationAxis(expected, Vector3(1.0f, 2.0f, -2.0f), angle);
    const Quaternion q = QuaternionFromAxisAngle(Vector3(1.0f, 2.0f, -2.0f), angle);
    Matrix4 m;
    q.ToMatrix(m);
    ExpectNear(m, expected);
    Quaternion(q.x * 3.0f, q.y * 3.0f, q.z * 3.0f, q.w * 3.0f).ToMatrix(m);
    ExpectNear(m, expected);

    MatrixSetRotationZ(expected, angle);
    QuaternionFromAxisAngle(Vector3(0.0f, 0.0f, 1.0f), angle).ToMatrix(m);
    ExpectNear(m, expected);

    Quaternion().ToMatrix(m);
    EXPECT_TRUE(m.IsIdentity());
    // A zero quaternion has no rotation; it must not fill the matrix with NaNs.
    Quaternion(0.0f, 0.0f, 0.0f, 0.0f).ToMatrix(m);
    EXPECT_TRUE(m.IsIdentity());
}

TEST(Quaternion, FromAxisAngleNormalisesTheAxisAndIgnoresATinyOne)
{
    const struct
    {
        Vector3 axis;
        float angle;
        Quaternion expected;
    } cases[] = {
        {{0.0f, 0.0f, 2.0f}, kTestPi, {0.0f, 0.0f, 1.0f, 0.0f}},
        {{3.0f, 0.0f, 0.0f}, kTestPi / 2.0f, {kHalfRoot2, 0.0f, 0.0f, kHalfRoot2}},
        {{0.0002f, 0.0f, 0.0f}, kTestPi, {1.0f, 0.0f, 0.0f, 0.0f}},
        {{0.0001f, 0.0f, 0.0f}, kTestPi, {0.0f, 0.0f, 0.0f, 1.0f}},
        {{0.0f, 0.0f, 0.0f}, 1.0f, {0.0f, 0.0f, 0.0f, 1.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.axis.x);
        ExpectNear(QuaternionFromAxisAngle(c.axis, c.angle), c.expected);
    }
}

TEST(Quaternion, SlerpHitsItsEndsAndTakesTheShorterArc)
{
    const Quaternion a;
    ExpectNear(a, Quaternion(0.0f, 0.0f, 0.0f, 1.0f));
    const Quaternion b = QuaternionFromAxisAngle(Vector3(0.0f, 0.0f, 1.0f), kTestPi / 2.0f);
    const Quaternion half = QuaternionFromAxisAngle(Vector3(0.0f, 0.0f, 1.0f), kTestPi / 4.0f);
    ExpectNear(QuaternionSlerp(a, b, 0.0f), a);
    ExpectNear(QuaternionSlerp(a, b, 1.0f), b);
    ExpectNear(QuaternionSlerp(a, b, 0.5f), half);

    // -b is the same rotation on the far side: the result ends at b, not -b.
    const Quaternion farB(-b.x, -b.y, -b.z, -b.w);
    ExpectNear(QuaternionSlerp(a, farB, 1.0f), b);
    ExpectNear(QuaternionSlerp(a, farB, 0.5f), half);

    // Equal ends blend linearly instead of dividing by sin(0).
    ExpectNear(QuaternionSlerp(b, b, 0.3f), b);
}

} // namespace
} // namespace OrrelayEngine
