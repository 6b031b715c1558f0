#include "engine/core/Matrix4.h"

#include <cstring>

#include <gtest/gtest.h>

#include "MathTestHelpers.h"

namespace OrrelayEngine {
namespace {

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m;
    MatrixSetTranslation(m, Vector3(x, y, z));
    return m;
}

Matrix4 RotationZ(float angle)
{
    Matrix4 m;
    MatrixSetRotationZ(m, angle);
    return m;
}

TEST(Matrix4, IsIdentityAndEqualityAcceptExactlyTheTolerance)
{
    EXPECT_TRUE(Matrix4().IsIdentity());
    const struct
    {
        int element;
        float value;
        bool accepted;
    } cases[] = {
        {1, 0.0001f, true},     {1, 0.00011f, false}, {14, -0.0001f, true},
        {14, -0.00011f, false}, {15, 1.00005f, true}, {0, 1.001f, false},
    };
    for (const auto& c : cases) {
        Matrix4 m;
        m.m[c.element] = c.value;
        EXPECT_EQ(m.IsIdentity(), c.accepted) << "element " << c.element << " = " << c.value;
        EXPECT_EQ(m == Matrix4(), c.accepted) << "element " << c.element << " = " << c.value;
    }
}

TEST(Matrix4, RotationsTurnCounterClockwiseAboutAnyAxisLength)
{
    const Matrix4 z = RotationZ(kTestPi / 2.0f);
    ExpectNear(z.TransformPoint(Vector3(1.0f, 0.0f, 0.0f)), Vector3(0.0f, 1.0f, 0.0f));
    ExpectNear(z.TransformPoint(Vector3(0.0f, 1.0f, 0.0f)), Vector3(-1.0f, 0.0f, 0.0f));

    Matrix4 axis;
    MatrixSetRotationAxis(axis, Vector3(0.0f, 0.0f, 5.0f), 0.9f);
    ExpectNear(axis, RotationZ(0.9f));
    MatrixSetRotationAxis(axis, Vector3(2.0f, 0.0f, 0.0f), kTestPi / 2.0f);
    ExpectNear(axis.TransformPoint(Vector3(0.0f, 1.0f, 0.0f)), Vector3(0.0f, 0.0f, 1.0f));
    // A zero axis has no direction: no rotation rather than a scale by cos.
    MatrixSetRotationAxis(axis, Vector3(0.0f, 0.0f, 0.0f), 1.0f);
    EXPECT_TRUE(axis.IsIdentity());
}

TEST(Matrix4, ProductAppliesTheRightOperandFirst)
{
    const Matrix4 m = Translation(1.0f, 0.0f, 0.0f) * RotationZ(kTestPi / 2.0f);
    ExpectNear(m.TransformPoint(Vector3(1.0f, 0.0f, 0.0f)), Vector3(1.0f, 1.0f, 0.0f));

    Matrix4 translated = RotationZ(kTestPi / 2.0f);
    translated.Translate(Vector3(1.0f, 0.0f, 0.0f));
    ExpectNear(translated.TransformPoint(Vector3(0.0f, 0.0f, 0.0f)), Vector3(0.0f, 1.0f, 0.0f));
}

TEST(Matrix4, TransformPointIgnoresTheBottomRowAndRaysKeepTheirDirection)
{
    Matrix4 m = Translation(1.0f, 2.0f, 3.0f);
    m.m[12] = 5.0f;
    m.m[15] = 4.0f;
    ExpectNear(m.TransformPoint(Vector3(1.0f, 1.0f, 1.0f)), Vector3(2.0f, 3.0f, 4.0f));
    const Vector4 full = m.Transform(Vector4(1.0f, 1.0f, 1.0f, 2.0f));
    ExpectNear(Vector3(full.x, full.y, full.z), Vector3(3.0f, 5.0f, 7.0f));
    EXPECT_FLOAT_EQ(full.w, 13.0f);

    const Matrix4 moved = Translation(10.0f, 0.0f, 0.0f) * RotationZ(kTestPi / 2.0f);
    const Ray ray = moved.TransformRay(Ray(Vector3(1.0f, 0.0f, 0.0f), Vector3(2.0f, 0.0f, 0.0f)));
    ExpectNear(ray.origin, Vector3(10.0f, 1.0f, 0.0f));
    ExpectNear(ray.direction, Vector3(0.0f, 2.0f, 0.0f));
}

TEST(Matrix4, InvertTimesOriginalGivesIdentity)
{
    Matrix4 axis;
    MatrixSetRotationAxis(axis, Vector3(1.0f, -2.0f, 0.5f), 1.1f);
    Matrix4 skewed(2.0f, 0.5f, 0.0f, 1.0f, 0.0f, 3.0f, 1.0f, -2.0f, 1.0f, 0.0f, 0.5f, 4.0f, 0.1f, 0.2f, 0.0f, 1.0f);
    // No element zero, the bottom row least of all: every cofactor term counts.
    Matrix4 dense(1.5f, 0.2f, -0.3f, 0.7f, 0.4f, 2.0f, 0.6f, -1.1f, -0.5f, 0.3f, 1.8f, 0.9f, 0.25f, -0.6f, 0.45f, 1.3f);
    const Matrix4 cases[] = {
        Translation(3.0f, -4.0f, 5.0f) * RotationZ(0.6f),
        Translation(-1.0f, 2.0f, 7.0f) * axis,
        skewed,
        dense,
    };
    for (const Matrix4& original : cases) {
        Matrix4 inverse = original;
        EXPECT_TRUE(inverse.Invert());
        EXPECT_TRUE((inverse * original).IsIdentity());
        EXPECT_TRUE((original * inverse).IsIdentity());
    }
}

TEST(Matrix4, InvertLeavesASingularMatrixUnchanged)
{
    Matrix4 flat = RotationZ(0.3f);
    flat.m[10] = 0.0f;
    const Matrix4 before = flat;
    EXPECT_FALSE(flat.Invert());
    EXPECT_EQ(std::memcmp(flat.m, before.m, sizeof flat.m), 0);
}

TEST(Matrix4, TransposeSwapsEveryOffDiagonalPair)
{
    Matrix4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    m.Transpose();
    const Matrix4 expected(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    EXPECT_EQ(std::memcmp(m.m, expected.m, sizeof m.m), 0);
    m.SwapElements(4, 0);
    EXPECT_EQ(std::memcmp(m.m, expected.m, sizeof m.m), 0);
}

} // namespace
} // namespace OrrelayEngine
