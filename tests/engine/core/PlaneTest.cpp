#include "engine/core/Plane.h"

#include <gtest/gtest.h>

#include "MathTestHelpers.h"
#include "engine/core/Ray.h"

namespace OrrelayEngine {
namespace {

TEST(Plane, SetAndSetFromPointsNormaliseNormalAndOffsetTogether)
{
    Plane plane;
    EXPECT_EQ(plane.Distance(Vector3(5.0f, 6.0f, 7.0f)), 0.0f);
    plane.Set(0.0f, 0.0f, 2.0f, -4.0f);
    ExpectNear(plane.GetNormal(), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(plane.Distance(Vector3(1.0f, 1.0f, 5.0f)), 3.0f);

    // The normal follows the right-hand rule over the three points.
    plane.SetFromPoints(Vector3(0.0f, 0.0f, 2.0f), Vector3(3.0f, 0.0f, 2.0f), Vector3(0.0f, 3.0f, 2.0f));
    ExpectNear(plane.GetNormal(), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(plane.Distance(Vector3(7.0f, -1.0f, 0.0f)), -2.0f);
    plane.SetFromPoints(Vector3(0.0f, 0.0f, 2.0f), Vector3(0.0f, 3.0f, 2.0f), Vector3(3.0f, 0.0f, 2.0f));
    ExpectNear(plane.GetNormal(), Vector3(0.0f, 0.0f, -1.0f));
}

TEST(Plane, SetFromCollinearPointsLeavesNoPlane)
{
    Plane plane;
    plane.SetFromPoints(Vector3(1.0f, 1.0f, 1.0f), Vector3(2.0f, 2.0f, 2.0f), Vector3(4.0f, 4.0f, 4.0f));
    ExpectNear(plane.GetNormal(), Vector3());
    EXPECT_EQ(plane.Distance(Vector3(9.0f, -3.0f, 2.0f)), 0.0f);
}

TEST(Plane, IntersectRayHitsOnlyAheadOfTheOrigin)
{
    Plane ground;
    ground.Set(0.0f, 0.0f, 1.0f, 0.0f);
    const float kUntouched = -99.0f;
    const struct
    {
        const char* name;
        Ray ray;
        bool hit;
        float t;
    } cases[] = {
        {"straight down", {{0.0f, 0.0f, 4.0f}, {0.0f, 0.0f, -1.0f}}, true, 4.0f},
        {"long direction", {{1.0f, 2.0f, 4.0f}, {0.0f, 0.0f, -2.0f}}, true, 2.0f},
        {"pointing away", {{0.0f, 0.0f, 4.0f}, {0.0f, 0.0f, 1.0f}}, false, -4.0f},
        {"origin on plane", {{3.0f, 0.0f, 0.0f}, {0.0f, 1.0f, -1.0f}}, false, 0.0f},
        {"parallel", {{0.0f, 0.0f, 4.0f}, {1.0f, 0.0f, 0.00005f}}, false, kUntouched},
    };
    for (const auto& c : cases) {
        float t = kUntouched;
        EXPECT_EQ(ground.IntersectRay(c.ray, t), c.hit) << c.name;
        EXPECT_FLOAT_EQ(t, c.t) << c.name;
    }
}

} // namespace
} // namespace OrrelayEngine
