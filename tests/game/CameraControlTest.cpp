#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/FatalError.h"
#include "game/logic/CameraControl.h"
#include "tests/game/PresentationHarness.h"
#include "tools/GameCamera.h"

namespace {

using Tansywell::CameraControl;

class CameraControlTest : public ::testing::Test
{
protected:
    CameraControlTest() { p.h.Build(); }

    std::unique_ptr<CameraControl> Make(const std::string& type, const std::string& value)
    {
        p.h.engine->GetConfig()->SetValue("g_camera_type", type);
        p.h.engine->GetConfig()->SetValue("g_camera_value", value);
        return std::make_unique<CameraControl>(p.h.engine, &p.level, p.h.board.get());
    }

    // A tenth of a second of the level.
    void Frame(CameraControl& camera)
    {
        p.h.game.Frame(100000);
        p.ReadInput();
        camera.Update();
        p.EndInputFrame();
    }

    PresentationTests::PresentationHarness p{3, 3};
};

TEST_F(CameraControlTest, FlatViewLooksStraightDownWithoutNaN)
{
    auto camera = Make("0", "1");
    Frame(*camera);
    EXPECT_EQ(0.0f, camera->GetBlend());
    EXPECT_EQ(0.0f, camera->GetViewDistance());
    EXPECT_FLOAT_EQ(100.0f, camera->GetViewHeight());
    const OrrelayEngine::Vector3& position = camera->GetGameCamera()->GetPosition();
    EXPECT_EQ(0.0f, position.x);
    EXPECT_FLOAT_EQ(100.0f, position.z) << "the viewpoint stands above the board, not in its plane";
    const OrrelayEngine::Quaternion& rotation = camera->GetGameCamera()->GetRotation();
    for (float component : {rotation.x, rotation.y, rotation.z, rotation.w})
        EXPECT_TRUE(std::isfinite(component));
}

TEST_F(CameraControlTest, StoredViewIsRestored)
{
    const struct
    {
        const char* type;
        const char* value;
        std::uint32_t expectedType;
        float blend;
    } cases[] = {{"0", "0.5", 0, 0.0f}, {"1", "0.5", 1, 1.0f}, {"2", "0.35", 2, 0.35f},
                 {"2", "x", 2, 0.0f},   {"2", "nan", 2, 0.0f}, {"2", "inf", 2, 0.0f}};
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.type) + " " + test.value);
        auto camera = Make(test.type, test.value);
        EXPECT_EQ(test.expectedType, camera->GetCameraType());
        EXPECT_FLOAT_EQ(test.blend, camera->GetBlend());
        EXPECT_FLOAT_EQ(test.blend, camera->GetWheelTarget());
        const float angle = camera->GetStartAngle() / 1.5707964f;
        EXPECT_FLOAT_EQ(std::round(angle), angle);
    }
}

TEST_F(CameraControlTest, WheelNotchesMoveTheTargetAndTheTwoDButtonReturnsToFlat)
{
    auto camera = Make("1", "1");
    p.Wheel(1);
    Frame(*camera);
    EXPECT_EQ(static_cast<std::uint32_t>(CameraControl::kTypeFree), camera->GetCameraType());
    EXPECT_EQ("2", p.cameraType);
    EXPECT_FLOAT_EQ(0.85f, camera->GetWheelTarget());
    EXPECT_NEAR(0.9f, camera->GetBlend(), 1e-5f);
    Frame(*camera);
    Frame(*camera);
    EXPECT_FLOAT_EQ(0.85f, camera->GetBlend()) << "the view stops at the target";
    EXPECT_EQ("0.850000", p.cameraValue);

    p.Wheel(-1);
    Frame(*camera);
    EXPECT_FLOAT_EQ(1.0f, camera->GetWheelTarget());

    camera->SetCameraType(CameraControl::kTypeFlat);
    EXPECT_EQ("0", p.cameraType);
    for (int i = 0; i < 5; ++i)
        Frame(*camera);
    EXPECT_NEAR(0.0f, camera->GetBlend(), 1e-6f);
}

TEST_F(CameraControlTest, SwingInLastsOneOverZeroPointFortyFiveSeconds)
{
    auto camera = Make("1", "1");
    camera->StartSwingIn();
    for (int i = 0; i < 22; ++i)
        Frame(*camera);
    EXPECT_TRUE(camera->IsSwingInRunning());
    EXPECT_LT(camera->GetViewHeight(), 300.0f);
    Frame(*camera);
    EXPECT_FALSE(camera->IsSwingInRunning());
    EXPECT_FLOAT_EQ(300.0f, camera->GetViewHeight());

    camera->StartSwingOut();
    for (int i = 0; i < 30; ++i)
        Frame(*camera);
    EXPECT_TRUE(camera->IsSwingOutRunning()) << "the end pose holds";
    EXPECT_FLOAT_EQ(1.0f, camera->GetSwingProgress());
    EXPECT_FLOAT_EQ(200.0f + 75.0f, camera->GetViewHeight());
}

TEST_F(CameraControlTest, MissingCameraFileIsFatalWithTheFileError)
{
    p.level.cameraName = "absent_camera";
    try {
        Make("1", "1");
        FAIL() << "no error";
    } catch (const OrrelayEngine::FatalError& error) {
        EXPECT_NE(std::string::npos, error.GetMessage().find("absent_camera")) << error.GetMessage();
    }
    p.h.game.Write("data/boards/short_camera.ini", "1 2 3 4\n");
    p.level.cameraName = "short_camera";
    EXPECT_THROW(Make("1", "1"), OrrelayEngine::FatalError);
}

} // namespace
