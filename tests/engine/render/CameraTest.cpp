#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Camera_D3D7.h"
#include "support/AllocationCounter.h"
#include "tests/engine/render/RenderSystemTestSupport.h"

namespace OrrelayEngine {
namespace {

class CameraFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        render_.Start();
        cameras_ = std::make_unique<CameraManager>(&render_.log, nullptr, render_.system.get());
    }

    void TearDown() override
    {
        cameras_.reset();
        render_.system.reset();
    }

    Camera_D3D7& Current() { return *static_cast<Camera_D3D7*>(cameras_->GetCurrentCamera()); }

    RenderTest::NullRenderSystem render_;
    std::unique_ptr<CameraManager> cameras_;
};

TEST_F(CameraFixture, ANewManagerHoldsOnePerspectiveCurrentCamera)
{
    EXPECT_EQ(1u, cameras_->GetCameraCount());
    ASSERT_NE(nullptr, cameras_->GetCurrentCamera());
    EXPECT_EQ(cameras_->GetCurrentCamera(), cameras_->GetCamera(0));
    EXPECT_FALSE(cameras_->GetCurrentCamera()->IsOrthographic());
    EXPECT_NE(nullptr, dynamic_cast<Camera_D3D7*>(cameras_->GetCurrentCamera()));
}

TEST_F(CameraFixture, FreedIdsAreReusedLastFreedFirst)
{
    Camera* one = cameras_->CreateCamera(0);
    Camera* two = cameras_->CreateCamera(1);
    Camera* three = cameras_->CreateCamera(0);
    EXPECT_EQ(one, cameras_->GetCamera(1));
    EXPECT_EQ(three, cameras_->GetCamera(3));
    cameras_->DeleteCamera(one);
    cameras_->DeleteCamera(two);
    EXPECT_EQ(nullptr, cameras_->GetCamera(1));
    EXPECT_EQ(2u, cameras_->GetCameraCount());

    Camera* reused = cameras_->CreateCamera(0);
    EXPECT_EQ(reused, cameras_->GetCamera(2)) << "id 2 was freed last";
    Camera* next = cameras_->CreateCamera(0);
    EXPECT_EQ(next, cameras_->GetCamera(1));
    Camera* appended = cameras_->CreateCamera(0);
    EXPECT_EQ(appended, cameras_->GetCamera(4));

    cameras_->DeleteCamera(nullptr);
    Camera stranger(0);
    cameras_->DeleteCamera(&stranger);
    EXPECT_EQ(5u, cameras_->GetCameraCount());
}

TEST_F(CameraFixture, DefaultPerspectiveMatrices)
{
    cameras_->Update();
    const Camera_D3D7& camera = Current();
    const Matrix4& engine = camera.GetProjection();
    EXPECT_NEAR(1.2990381f, engine.m[0], 1e-5f);
    EXPECT_NEAR(1.7320508f, engine.m[5], 1e-5f);
    EXPECT_NEAR(-1.002002f, engine.m[10], 1e-5f);
    EXPECT_NEAR(-2.002002f, engine.m[14], 1e-5f);
    EXPECT_EQ(-1.0f, engine.m[11]);
    EXPECT_EQ(0.0f, engine.m[15]);

    const Matrix4& device = camera.GetDeviceProjection();
    EXPECT_NEAR(1.2990381f, device.m[0], 1e-5f);
    EXPECT_NEAR(1.001001f, device.m[10], 1e-5f);
    EXPECT_NEAR(-1.001001f, device.m[14], 1e-5f);
    EXPECT_EQ(1.0f, device.m[11]);

    const Matrix4& biased = camera.GetDeviceBiasedProjection();
    EXPECT_NEAR(1.001f, biased.m[10], 1e-5f);
    EXPECT_NEAR(-1.001f, biased.m[14], 1e-5f);
    EXPECT_TRUE(biased == camera.GetBiasedProjection());
}

TEST_F(CameraFixture, ThePerspectiveIgnoresTheWindowShape)
{
    Camera_D3D7& camera = Current();
    camera.Update(1280.0f / 720.0f);
    const Matrix4 wide = camera.GetProjection();
    camera.Update(0.5f);
    EXPECT_TRUE(wide == camera.GetProjection());
    EXPECT_NEAR(1.2990381f, wide.m[0], 1e-5f);
}

TEST_F(CameraFixture, TheViewTurnsAndMovesTheWorldIntoTheCamera)
{
    Camera_D3D7& camera = Current();
    // Turned a quarter about y: the camera's back axis is world +x.
    const float half = 0.70710678f;
    camera.rotation = Quaternion(0.0f, half, 0.0f, half);
    camera.SetPosition(Vector3(5.0f, 2.0f, 1.0f));
    camera.Update(1.0f);

    const Vector3& back = camera.GetBackAxis();
    EXPECT_NEAR(1.0f, back.x, 1e-5f);
    EXPECT_NEAR(0.0f, back.z, 1e-5f);
    EXPECT_NEAR(1.0f, camera.GetUpAxis().y, 1e-5f);
    EXPECT_NEAR(-1.0f, camera.GetRightAxis().z, 1e-5f);

    // The position lands at the view's origin.
    const Matrix4& view = camera.GetView();
    const Vector3 p = camera.GetPosition();
    for (int column = 0; column < 3; ++column) {
        const float v =
            p.x * view.m[column] + p.y * view.m[4 + column] + p.z * view.m[8 + column] + view.m[12 + column];
        EXPECT_NEAR(0.0f, v, 1e-5f) << "column " << column;
    }
    EXPECT_EQ(1.0f, view.m[15]);
}

TEST_F(CameraFixture, OrthographicPointsMapToScreenPixels)
{
    Camera* gui = cameras_->CreateCamera(1);
    gui->width = 1024.0f;
    gui->height = 768.0f;
    cameras_->Update();
    cameras_->SetViewport(CameraManager::Viewport{0, 0, 1024, 768});

    const Vector2 centre = cameras_->ProjectPoint(*gui, Vector3(512.0f, 384.0f, 0.0f));
    EXPECT_NEAR(512.0f, centre.x, 1e-3f);
    EXPECT_NEAR(384.0f, centre.y, 1e-3f);
    const Vector2 corner = cameras_->ProjectPoint(*gui, Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(0.0f, corner.x, 1e-3f);
    EXPECT_NEAR(0.0f, corner.y, 1e-3f);

    const Vector3 world = cameras_->UnprojectPoint(*gui, Vector3(256.0f, 100.0f, 0.5f));
    EXPECT_NEAR(256.0f, world.x, 1e-2f);
    EXPECT_NEAR(100.0f, world.y, 1e-2f);
}

TEST_F(CameraFixture, ThePickRayRunsFromTheNearToTheFarDistance)
{
    cameras_->Update();
    ASSERT_EQ(800u, cameras_->GetViewport().width) << "the viewport is the video mode";
    ASSERT_EQ(600u, cameras_->GetViewport().height);
    const Camera& camera = *cameras_->GetCurrentCamera();
    const Vector3 nearPoint = cameras_->UnprojectPoint(camera, Vector3(400.0f, 300.0f, 0.0f));
    const Vector3 farPoint = cameras_->UnprojectPoint(camera, Vector3(400.0f, 300.0f, 1.0f));
    EXPECT_NEAR(-1.0f, nearPoint.z, 1e-3f);
    EXPECT_NEAR(-1000.0f, farPoint.z, 1.0f);
    EXPECT_NEAR(0.0f, farPoint.x, 1e-2f);

    const Vector2 back = cameras_->ProjectPoint(camera, Vector3(0.0f, 0.0f, -50.0f));
    EXPECT_NEAR(400.0f, back.x, 1e-3f);
    EXPECT_NEAR(300.0f, back.y, 1e-3f);
}

TEST_F(CameraFixture, AnOffCentrePointUnprojectsOntoItsOwnLineOfSight)
{
    cameras_->Update();
    const Camera& camera = *cameras_->GetCurrentCamera();
    // Three quarters across and up an 800 x 600 window: half-way to the edge in
    // device units, so x = 0.5 d / 1.2990381 and y = 0.5 d / 1.7320508 at depth d.
    struct Case
    {
        float depth;
        Vector3 expected;
        float tolerance;
    };
    const Case cases[] = {
        {0.0f, Vector3(0.3849002f, 0.2886751f, -1.0f), 1e-3f},
        {1.0f, Vector3(384.9002f, 288.6751f, -1000.0f), 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "depth " << c.depth);
        const Vector3 world = cameras_->UnprojectPoint(camera, Vector3(600.0f, 450.0f, c.depth));
        EXPECT_NEAR(c.expected.x, world.x, c.tolerance);
        EXPECT_NEAR(c.expected.y, world.y, c.tolerance);
        EXPECT_NEAR(c.expected.z, world.z, c.tolerance);
        const Vector2 back = cameras_->ProjectPoint(camera, world);
        EXPECT_NEAR(600.0f, back.x, 0.05f);
        EXPECT_NEAR(450.0f, back.y, 0.05f);
    }
}

TEST_F(CameraFixture, PointsWithoutAScreenPositionGiveZero)
{
    cameras_->Update();
    const Camera& camera = *cameras_->GetCurrentCamera();
    // In the eye plane the perspective w is 0.
    const Vector2 projected = cameras_->ProjectPoint(camera, Vector3(3.0f, 2.0f, 0.0f));
    EXPECT_EQ(0.0f, projected.x);
    EXPECT_EQ(0.0f, projected.y);

    // The depth whose point lies at infinity: far / (far - near).
    const Vector3 infinite = cameras_->UnprojectPoint(camera, Vector3(400.0f, 300.0f, 1000.0f / 999.0f));
    EXPECT_EQ(0.0f, infinite.x);
    EXPECT_EQ(0.0f, infinite.y);
    EXPECT_EQ(0.0f, infinite.z);

    // A near distance of 0 leaves no inverse to take.
    Camera_D3D7& flat = Current();
    flat.nearDistance = 0.0f;
    cameras_->Update();
    const Vector3 collapsed = cameras_->UnprojectPoint(flat, Vector3(400.0f, 300.0f, 0.5f));
    EXPECT_EQ(0.0f, collapsed.x);
    EXPECT_EQ(0.0f, collapsed.z);
}

TEST_F(CameraFixture, ApplyingTheSameCameraTwiceSendsTheProjectionOnce)
{
    cameras_->Update();
    Platform::GraphicsDeviceNull& device = render_.Device();
    const std::uint32_t before = device.GetTransformCount(Platform::TransformState::Projection);
    Camera* camera = cameras_->GetCurrentCamera();
    cameras_->ApplyCamera(camera, false);
    cameras_->ApplyCamera(camera, false);
    EXPECT_EQ(before + 1, device.GetTransformCount(Platform::TransformState::Projection));
    EXPECT_NEAR(1.001001f, device.GetTransform(Platform::TransformState::Projection)[10], 1e-5f);
    cameras_->ApplyCamera(camera, true);
    EXPECT_EQ(before + 2, device.GetTransformCount(Platform::TransformState::Projection));
    EXPECT_NEAR(1.001f, device.GetTransform(Platform::TransformState::Projection)[10], 1e-5f);

    cameras_->Update();
    cameras_->ApplyCamera(camera, true);
    EXPECT_EQ(before + 3, device.GetTransformCount(Platform::TransformState::Projection))
        << "each frame applies its first camera afresh";
    EXPECT_TRUE(render_.system->GetViewMatrix() == camera->GetView());
}

TEST_F(CameraFixture, TheGuiCameraPutsItsNearestDepthFirst)
{
    Camera_D3D7* gui = static_cast<Camera_D3D7*>(cameras_->CreateCamera(1));
    gui->nearDistance = 500.0f;
    gui->farDistance = -500.0f;
    gui->width = 800.0f;
    gui->height = 600.0f;
    cameras_->Update();
    const Matrix4& device = gui->GetDeviceProjection();
    // The device view negates z, so view z = +500 arrives as -500.
    EXPECT_NEAR(0.0f, -500.0f * device.m[10] + device.m[14], 1e-6f);
    EXPECT_NEAR(1.0f, 500.0f * device.m[10] + device.m[14], 1e-6f);
    EXPECT_NEAR(-1.0f, device.m[12], 1e-6f);
    EXPECT_NEAR(2.0f / 600.0f, device.m[5], 1e-6f);
}

TEST_F(CameraFixture, AnAttachmentAwayFromIdentityMarksTheCamera)
{
    Camera& camera = *cameras_->GetCurrentCamera();
    EXPECT_FALSE(camera.IsAttached());
    Matrix4 moved;
    moved.Translate(Vector3(0.0f, 0.0f, 0.001f));
    camera.SetSecondMatrix(moved);
    EXPECT_TRUE(camera.IsAttached());
    Matrix4 nearlyIdentity;
    nearlyIdentity.m[3] = 0.00005f;
    camera.SetSecondMatrix(nearlyIdentity);
    EXPECT_FALSE(camera.IsAttached());
}

TEST_F(CameraFixture, SteadyUpdatesAllocateNothing)
{
    Camera* gui = cameras_->CreateCamera(1);
    Camera* side = cameras_->CreateCamera(0);
    const auto frame = [&](int number) {
        const float step = static_cast<float>(number);
        side->SetPosition(Vector3(step, 2.0f, -5.0f));
        side->rotation = Quaternion(0.0f, std::sin(0.05f * step), 0.0f, std::cos(0.05f * step));
        cameras_->Update();
        cameras_->ApplyCamera(side, number % 2 == 0);
        cameras_->ApplyCamera(gui, false);
    };
    for (int number = 0; number < 3; ++number) {
        frame(number);
    }
    TestSupport::ScopedAllocationCount allocations;
    for (int number = 0; number < 50; ++number) {
        frame(number);
    }
    EXPECT_EQ(allocations.Count(), 0u);
}

} // namespace
} // namespace OrrelayEngine
