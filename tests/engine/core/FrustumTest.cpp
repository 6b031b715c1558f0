#include "engine/core/Frustum.h"

#include <gtest/gtest.h>

#include "engine/core/BoundingBox.h"
#include "engine/core/Matrix4.h"

namespace OrrelayEngine {
namespace {

// The frustum reads only a box's world centre and radius.
BoundingBox Sphere(const Vector3& centre, float radius)
{
    BoundingBox box;
    box.centre = centre;
    box.radius = radius;
    return box;
}

TEST(Frustum, TouchingASideFromOutsideIsOutside)
{
    // Identity matrices make the view volume the cube -1..1 on every axis.
    Frustum frustum;
    frustum.Update(Matrix4(), Matrix4());
    const Vector3 axes[] = {
        {1.0f, 0.0f, 0.0f},  {-1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f},
        {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},  {0.0f, 0.0f, -1.0f},
    };
    for (const Vector3& axis : axes) {
        SCOPED_TRACE(testing::Message() << axis.x << " " << axis.y << " " << axis.z);
        EXPECT_FALSE(frustum.IsSphereInside(Sphere(axis * 1.5f, 0.5f)));
        EXPECT_TRUE(frustum.IsSphereInside(Sphere(axis * 1.5f, 0.51f)));
        EXPECT_FALSE(frustum.IsSphereInside(Sphere(axis * 3.0f, 0.5f)));
    }
    EXPECT_TRUE(frustum.IsSphereInside(Sphere(Vector3(), 0.1f)));
    EXPECT_TRUE(frustum.IsSphereInside(Sphere(Vector3(), 10.0f)));
}

TEST(Frustum, ViewActsBeforeProjection)
{
    // Row-vector layout: the view moves points by +3 in x, then the
    // projection halves them, so the visible x range is -5..-1 and y is -2..2.
    const Matrix4 projection(0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1);
    const Matrix4 view(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1);
    Frustum frustum;
    frustum.Update(projection, view);
    EXPECT_TRUE(frustum.IsSphereInside(Sphere(Vector3(-3.0f, 0.0f, 0.0f), 0.1f)));
    EXPECT_FALSE(frustum.IsSphereInside(Sphere(Vector3(-6.0f, 0.0f, 0.0f), 0.5f)));
    EXPECT_FALSE(frustum.IsSphereInside(Sphere(Vector3(0.0f, 0.0f, 0.0f), 0.5f)));
    EXPECT_TRUE(frustum.IsSphereInside(Sphere(Vector3(-3.0f, 2.4f, 0.0f), 0.5f)));
    EXPECT_FALSE(frustum.IsSphereInside(Sphere(Vector3(-3.0f, 2.5f, 0.0f), 0.5f)));
}

} // namespace
} // namespace OrrelayEngine
