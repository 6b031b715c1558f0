#include "engine/core/BoundingBox.h"

#include <cmath>

#include <gtest/gtest.h>

#include "MathTestHelpers.h"
#include "engine/core/Ray.h"

namespace OrrelayEngine {
namespace {

TEST(BoundingBox, DefaultIsAnEmptyBoxWithIdentityMatrices)
{
    const BoundingBox box;
    EXPECT_EQ(box.localMin.Length() + box.worldMax.Length() + box.centre.Length() + box.radius, 0.0f);
    EXPECT_TRUE(box.transform.IsIdentity());
    EXPECT_TRUE(box.secondMatrix.IsIdentity());
}

TEST(BoundingBox, SetCentresTheBoxAndGivesHalfTheDiagonal)
{
    BoundingBox box;
    box.SetTransform(Matrix4(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1));
    box.secondMatrix.m[3] = 7.0f;
    box.Set(Vector3(1.0f, 2.0f, 3.0f), Vector3(3.0f, 6.0f, 7.0f));
    ExpectNear(box.worldMin, Vector3(1.0f, 2.0f, 3.0f));
    ExpectNear(box.worldMax, Vector3(3.0f, 6.0f, 7.0f));
    ExpectNear(box.centre, Vector3(2.0f, 4.0f, 5.0f));
    ExpectNear(box.halfSize, Vector3(1.0f, 2.0f, 2.0f));
    EXPECT_FLOAT_EQ(box.radius, 3.0f);
    EXPECT_TRUE(box.transform.IsIdentity());
    EXPECT_TRUE(box.secondMatrix.IsIdentity());
}

TEST(BoundingBox, SetTransformSpansTheRotatedCorners)
{
    BoundingBox box(Vector3(0.0f, 0.0f, 0.0f), Vector3(2.0f, 1.0f, 1.0f));
    Matrix4 rotation;
    MatrixSetRotationZ(rotation, kTestPi / 2.0f);
    box.SetTransform(rotation);
    ExpectNear(box.worldMin, Vector3(-1.0f, 0.0f, 0.0f));
    ExpectNear(box.worldMax, Vector3(0.0f, 2.0f, 1.0f));
    ExpectNear(box.centre, Vector3(-0.5f, 1.0f, 0.5f));
    ExpectNear(box.localMax, Vector3(2.0f, 1.0f, 1.0f));
}

TEST(BoundingBox, FarFromTheOriginIsNotClipped)
{
    BoundingBox box(Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 1.0f));
    Matrix4 far;
    MatrixSetTranslation(far, Vector3(200000.0f, -300000.0f, 0.0f));
    box.SetTransform(far);
    EXPECT_FLOAT_EQ(box.worldMin.x, 200000.0f);
    EXPECT_FLOAT_EQ(box.worldMax.x, 200001.0f);
    EXPECT_FLOAT_EQ(box.worldMin.y, -300000.0f);
    EXPECT_FLOAT_EQ(box.worldMax.y, -299999.0f);
}

TEST(BoundingBox, MergeTakesInTheOtherWorldBox)
{
    BoundingBox box(Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 1.0f));
    box.secondMatrix.m[5] = 3.0f;
    box.Merge(box);
    ExpectNear(box.worldMin, Vector3(0.0f, 0.0f, 0.0f));
    ExpectNear(box.worldMax, Vector3(1.0f, 1.0f, 1.0f));
    EXPECT_TRUE(box.secondMatrix.IsIdentity());

    BoundingBox other(Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 1.0f));
    Matrix4 moved;
    MatrixSetTranslation(moved, Vector3(2.0f, -3.0f, 0.5f));
    other.SetTransform(moved);
    box.Merge(other);
    ExpectNear(box.localMin, Vector3(0.0f, -3.0f, 0.0f));
    ExpectNear(box.localMax, Vector3(3.0f, 1.0f, 1.5f));
    ExpectNear(box.worldMax, Vector3(3.0f, 1.0f, 1.5f));
    EXPECT_TRUE(box.transform.IsIdentity());
}

TEST(BoundingBox, IntersectsSegmentCountsTouchingAndFindsDiagonalMisses)
{
    const BoundingBox box(Vector3(-1.0f, -1.0f, -1.0f), Vector3(1.0f, 1.0f, 1.0f));
    struct Case
    {
        const char* name;
        Ray segment;
        bool hits;
    };
    const Case cases[] = {
        {"through", {{-3.0f, 0.0f, 0.0f}, {6.0f, 0.0f, 0.0f}}, true},
        {"ends on a face", {{-3.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}}, true},
        {"ends short of a face", {{-3.0f, 0.0f, 0.0f}, {1.9f, 0.0f, 0.0f}}, false},
        {"starts inside", {{0.5f, 0.5f, 0.5f}, {5.0f, 0.0f, 0.0f}}, true},
        {"beside", {{-3.0f, 1.5f, 0.0f}, {6.0f, 0.0f, 0.0f}}, false},
        {"past a corner", {{0.0f, 3.5f, 0.0f}, {3.5f, -3.5f, 0.0f}}, false},
        {"across a corner", {{0.0f, 1.5f, 0.0f}, {1.5f, -1.5f, 0.0f}}, true},
        {"point inside", {{0.2f, 0.2f, 0.2f}, {0.0f, 0.0f, 0.0f}}, true},
        {"point outside", {{2.0f, 0.2f, 0.2f}, {0.0f, 0.0f, 0.0f}}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(box.IntersectsSegment(c.segment), c.hits) << c.name;
    }
}

} // namespace
} // namespace OrrelayEngine
