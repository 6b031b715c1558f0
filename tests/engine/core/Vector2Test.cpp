#include "engine/core/Vector2.h"

#include <gtest/gtest.h>

namespace OrrelayEngine {
namespace {

TEST(Vector2, QuadraticBezierRunsFromFirstToLastPoint)
{
    const Vector2 p0(0.0f, 0.0f), p1(1.0f, 2.0f), p2(2.0f, 0.0f);
    const struct
    {
        float t;
        Vector2 expected;
    } cases[] = {{0.0f, {0.0f, 0.0f}}, {0.25f, {0.5f, 0.75f}}, {0.5f, {1.0f, 1.0f}}, {1.0f, {2.0f, 0.0f}}};
    for (const auto& c : cases) {
        const Vector2 point = QuadraticBezier(p0, p1, p2, c.t);
        EXPECT_FALSE(point != c.expected) << "t " << c.t << ": " << point.x << ", " << point.y;
    }
}

} // namespace
} // namespace OrrelayEngine
