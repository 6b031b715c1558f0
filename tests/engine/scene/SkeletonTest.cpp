#include <gtest/gtest.h>

#include <cmath>

#include "engine/scene/Skeleton.h"

namespace OrrelayEngine {
namespace {

TEST(Skeleton, BoneMatricesPlaceTheBoxWhereThePoseSaysAndCopiesAreDeep)
{
    Skeleton skeleton(nullptr, 2);
    ASSERT_EQ(skeleton.GetBoneCount(), 2u);
    Skeleton::Bone& bone = skeleton.GetBone(1);
    bone.name = "arm";
    bone.box.Set(Vector3(0, 0, 0), Vector3(1, 1, 1));
    bone.pivot = Vector3(-1, 0, 0);
    bone.scale = Vector3(2, 2, 2);
    // A quarter turn about z: x goes to y.
    const float half = 0.70710678f;
    bone.rotation = Quaternion(0, 0, half, half);
    bone.position = Vector3(10, 0, 0);
    skeleton.Update();

    // Pivot first (x - 1), then scale 2, then the turn, then the move.
    const Vector3 moved = bone.positionMatrix.TransformPoint(Vector3(1, 0, 0));
    EXPECT_NEAR(moved.x, 10.0f, 0.0001f);
    EXPECT_NEAR(moved.y, 0.0f, 0.0001f);
    const Vector3 tip = bone.positionMatrix.TransformPoint(Vector3(2, 0, 0));
    EXPECT_NEAR(tip.x, 10.0f, 0.0001f);
    EXPECT_NEAR(tip.y, 2.0f, 0.0001f);
    // Normals turn but neither move nor stretch.
    const Vector3 normal = bone.normalMatrix.TransformPoint(Vector3(1, 0, 0));
    EXPECT_NEAR(normal.y, 1.0f, 0.0001f);
    EXPECT_NEAR(bone.box.worldMin.x, 8.0f, 0.0001f);
    EXPECT_NEAR(bone.box.worldMax.x, 10.0f, 0.0001f);
    EXPECT_NEAR(bone.box.worldMin.y, -2.0f, 0.0001f);
    EXPECT_NEAR(bone.box.worldMax.y, 0.0f, 0.0001f);

    Skeleton copy(skeleton);
    EXPECT_EQ(copy.GetBone(1).name, "arm");
    EXPECT_NEAR(copy.GetBone(1).box.worldMin.x, 8.0f, 0.0001f);
    copy.GetBone(1).name = "leg";
    EXPECT_EQ(skeleton.GetBone(1).name, "arm");
    // A bone made without a source starts empty.
    EXPECT_TRUE(skeleton.GetBone(0).name.empty());
    EXPECT_FLOAT_EQ(skeleton.GetBone(0).scale.x, 0.0f);
}

} // namespace
} // namespace OrrelayEngine
