#include "engine/core/Vector3.h"

#include <gtest/gtest.h>

#include "MathTestHelpers.h"
#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {
namespace {

TEST(Vector3, InequalityAllowsTheToleranceOnEachComponent)
{
    const struct
    {
        Vector3 other;
        bool differs;
    } cases[] = {
        {{1.00005f, 2.0f, 3.0f}, false}, {{1.0f, 2.00005f, 2.99995f}, false}, {{1.0002f, 2.0f, 3.0f}, true},
        {{1.0f, 1.9998f, 3.0f}, true},   {{1.0f, 2.0f, 3.0002f}, true},
    };
    for (const auto& c : cases) {
        const Vector3& o = c.other;
        EXPECT_EQ(Vector3(1.0f, 2.0f, 3.0f) != o, c.differs) << o.x << " " << o.y << " " << o.z;
        // Vector2 and Color share the rule.
        EXPECT_EQ(Vector2(1.0f, 2.0f) != Vector2(o.x, o.y), c.differs && o.z == 3.0f);
        EXPECT_EQ(Color(1.0f, 2.0f, 3.0f, 0.5f) != Color(o.x, o.y, o.z, 0.5f), c.differs);
    }
    EXPECT_TRUE(Color(0.5f, 0.5f, 0.5f, 0.5f) != Color(0.5f, 0.5f, 0.5f, 0.5002f));
}

TEST(Vector3, CrossFollowsTheRightHandRule)
{
    const Vector3 x(1.0f, 0.0f, 0.0f), y(0.0f, 1.0f, 0.0f), z(0.0f, 0.0f, 1.0f);
    ExpectNear(x.Cross(y), z);
    ExpectNear(y.Cross(z), x);
    ExpectNear(z.Cross(x), y);
    ExpectNear(Vector3(1.0f, 2.0f, 3.0f).Cross(Vector3(4.0f, 5.0f, 6.0f)), Vector3(-3.0f, 6.0f, -3.0f));
}

TEST(Vector3, SetLengthScalesAndLeavesAZeroVectorAlone)
{
    Vector3 v(3.0f, 4.0f, 0.0f);
    v.SetLength(10.0f);
    ExpectNear(v, Vector3(6.0f, 8.0f, 0.0f));
    ExpectNear(Vector3(0.0f, 0.0f, -7.0f).Normalized(), Vector3(0.0f, 0.0f, -1.0f));

    Vector3 zero;
    zero.SetLength(1.0f);
    EXPECT_EQ(zero.Length(), 0.0f);
    EXPECT_EQ(Vector3().Normalized().Length(), 0.0f);
    Vector3 tiny(0.00005f, 0.0f, 0.0f);
    tiny.SetLength(1.0f);
    EXPECT_EQ(tiny.x, 0.00005f);

    // A target length of 0 must not turn the vector into NaNs.
    Vector3 shrunk(1.0f, 2.0f, 3.0f);
    shrunk.SetLength(0.0f);
    EXPECT_EQ(shrunk.Length(), 0.0f);
}

TEST(Vector3, IsBetweenHoldsOnTheSphereOverTheSegment)
{
    const Vector3 a(0.0f, 0.0f, 0.0f), b(2.0f, 0.0f, 0.0f);
    const struct
    {
        Vector3 point;
        bool between;
    } cases[] = {
        {a, true},
        {b, true},
        {{1.0f, 1.0f, 0.0f}, true}, // on the sphere
        {{1.0f, 0.0f, 0.9f}, true},
        {{1.0f, 1.01f, 0.0f}, false},
        {{-0.01f, 0.0f, 0.0f}, false},
        {{2.01f, 0.0f, 0.0f}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.point.IsBetween(a, b), c.between) << c.point.x << " " << c.point.y << " " << c.point.z;
    }
}

} // namespace
} // namespace OrrelayEngine
