#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/Camera.h"
#include "engine/scene/AnimationControl.h"
#include "tests/tools/ToolsTestEngine.h"
#include "tools/GameCamera.h"

namespace {

using GameTools::GameCamera;
using OrrelayEngine::Quaternion;
using OrrelayEngine::Vector3;

// The longest frame the timers measure.
constexpr std::uint64_t kTenthOfASecond = 100000;
constexpr std::uint32_t kSweep = 1;

class GameCameraTest : public ::testing::Test
{
protected:
    GameCameraTest() : camera_(tools_.engine)
    {
        // A quarter turn about z while moving 8 units along x, one key per second.
        const float half = std::sqrt(0.5f);
        camera_.GetRotationKeys() = {Quaternion(0, 0, 0, 1), Quaternion(0, 0, half, half)};
        camera_.GetPositionKeys() = {Vector3(0, 0, 0), Vector3(8, 0, 0)};
        camera_.GetAnimationControl()->speed = 1.0f;
    }

    void Play(std::uint32_t first, std::uint32_t last)
    {
        OrrelayEngine::AnimationControl* animation = camera_.GetAnimationControl();
        animation->AddAnimation(kSweep + first * 100 + last, first, last);
        animation->SetAnimation(kSweep + first * 100 + last);
        animation->Play();
    }

    void Step()
    {
        tools_.Frame(kTenthOfASecond);
        camera_.Update();
    }

    ToolsTests::ToolsTestEngine tools_;
    GameCamera camera_;
};

TEST_F(GameCameraTest, KeysAreBlendedAndWrittenToTheCamera)
{
    ASSERT_NE(nullptr, camera_.GetCamera());
    Play(0, 1);
    for (int frame = 0; frame < 5; ++frame)
        Step();
    const OrrelayEngine::AnimationControl* animation = camera_.GetAnimationControl();
    const float t = animation->blend;
    ASSERT_EQ(0u, animation->currentFrame);
    ASSERT_EQ(1u, animation->nextFrame);
    EXPECT_NEAR(0.5f, t, 1e-4f);
    EXPECT_NEAR(8.0f * t, camera_.GetCamera()->GetPosition().x, 1e-4f);
    // Halfway through a quarter turn about z.
    EXPECT_NEAR(std::sin(0.25f * 3.14159265f * t), camera_.GetCamera()->rotation.z, 1e-4f);
    EXPECT_NEAR(std::cos(0.25f * 3.14159265f * t), camera_.GetCamera()->rotation.w, 1e-4f);
}

TEST_F(GameCameraTest, FramesPastTheKeysTakeTheLastKey)
{
    Play(2, 5);
    for (int frame = 0; frame < 6; ++frame) {
        SCOPED_TRACE(frame);
        Step();
        EXPECT_FLOAT_EQ(8.0f, camera_.GetPosition().x);
        EXPECT_NEAR(std::sqrt(0.5f), camera_.GetRotation().w, 1e-5f);
    }
}

TEST_F(GameCameraTest, AfterAResetTheBasePoseHoldsUntilAnAnimationPlays)
{
    const Quaternion baseRotation(0, 0, 1, 0);
    camera_.SetBasePose(baseRotation, Vector3(1, 2, 3));
    Play(0, 1);
    Step();
    camera_.GetAnimationControl()->Stop();
    camera_.ResetToBasePose();
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        Step();
        EXPECT_TRUE(camera_.IsHolding());
        EXPECT_FLOAT_EQ(2.0f, camera_.GetCamera()->GetPosition().y);
        EXPECT_FLOAT_EQ(1.0f, camera_.GetCamera()->rotation.z);
    }
    camera_.GetAnimationControl()->Play();
    Step();
    EXPECT_FALSE(camera_.IsHolding());
    EXPECT_FLOAT_EQ(0.0f, camera_.GetCamera()->GetPosition().y);
}

} // namespace
