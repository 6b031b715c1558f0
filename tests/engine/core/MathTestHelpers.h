// Near-equality checks for the math tests: the types' own comparisons are
// approximate at 0.0001, so a test states its own, looser tolerance.
#pragma once

#include <gtest/gtest.h>

#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

constexpr float kTestPi = 3.14159265358979f;
constexpr float kTestTolerance = 0.0005f;

inline void ExpectNear(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTestTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTestTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTestTolerance);
}

inline void ExpectNear(const Quaternion& actual, const Quaternion& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTestTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTestTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTestTolerance);
    EXPECT_NEAR(actual.w, expected.w, kTestTolerance);
}

inline void ExpectNear(const Matrix4& actual, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual.m[i], expected.m[i], kTestTolerance) << "element " << i;
    }
}

} // namespace OrrelayEngine
