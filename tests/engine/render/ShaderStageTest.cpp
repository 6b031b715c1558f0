#include <gtest/gtest.h>

#include <limits>

#include "engine/render/ShaderStage.h"

namespace OrrelayEngine {
namespace {

ShaderStage MakeStage(std::uint32_t mode, std::uint32_t frames, float speed, std::uint32_t columns = 1,
                      std::uint32_t rows = 1)
{
    ShaderStage stage;
    stage.animationMode = mode;
    stage.frameCount = frames;
    stage.animationSpeed = speed;
    stage.columns = columns;
    stage.rows = rows;
    return stage;
}

TEST(ShaderStage, GridAnimationShowsTheCellOfTheCurrentFrame)
{
    ShaderStage stage = MakeStage(ShaderStage::kAnimationGrid, 8, 2.0f, 4, 2);
    float position = 5.1f;
    stage.UpdateAnimation(position, 0.1f);
    EXPECT_FLOAT_EQ(position, 5.3f);
    // Frame 5: column 1 of grid row 1, the bottom row of the picture; each cell
    // inset by half a percent on every side.
    EXPECT_FLOAT_EQ(stage.textureTransform[0], 0.2475f);
    EXPECT_FLOAT_EQ(stage.textureTransform[1], 0.495f);
    EXPECT_FLOAT_EQ(stage.textureTransform[2], 0.25125f);
    EXPECT_FLOAT_EQ(stage.textureTransform[3], 0.0025f);
    EXPECT_EQ(stage.frameIndex, 0u);

    position = 0.0f;
    stage.UpdateAnimation(position, 0.0f);
    EXPECT_FLOAT_EQ(stage.textureTransform[2], 0.00125f);
    EXPECT_FLOAT_EQ(stage.textureTransform[3], 0.5025f) << "grid row 0 lies at the top";
}

TEST(ShaderStage, NumberedFilesWrapAfterTheLastFrame)
{
    struct Case
    {
        float start;
        float step;
        float position;
        std::uint32_t frame;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f, 0},
        {9.0f, 0.99f, 9.99f, 9},
        // Exactly the count stays, and names the first frame.
        {9.5f, 0.5f, 10.0f, 0},
        {9.5f, 1.0f, 0.5f, 0},
        {3.0f, 25.5f, 8.5f, 8},
    };
    for (const Case& c : cases) {
        ShaderStage stage = MakeStage(ShaderStage::kAnimationDiffuseFiles, 10, 1.0f);
        float position = c.start;
        stage.UpdateAnimation(position, c.step);
        EXPECT_NEAR(position, c.position, 1e-4f) << c.start << " + " << c.step;
        EXPECT_EQ(stage.frameIndex, c.frame) << c.start << " + " << c.step;
    }
}

TEST(ShaderStage, StillStageAlwaysShowsItsOnlyPicture)
{
    ShaderStage stage = MakeStage(ShaderStage::kAnimationNone, 0, 5.0f);
    stage.frameIndex = 3;
    float position = 2.0f;
    stage.UpdateAnimation(position, 1.0f);
    EXPECT_EQ(stage.frameIndex, 0u);
    EXPECT_FLOAT_EQ(position, 2.0f);
}

TEST(ShaderStage, HostileValuesNeitherHangNorLeaveTheFrameRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    struct Case
    {
        const char* what;
        ShaderStage stage;
        float position;
        float step;
    };
    const Case cases[] = {
        {"no frames", MakeStage(ShaderStage::kAnimationDiffuseFiles, 0, 1.0f), 0.0f, 1.0f},
        {"huge step", MakeStage(ShaderStage::kAnimationDiffuseFiles, 3, huge), 1.0f, 1.0f},
        {"step too small to change a huge position", MakeStage(ShaderStage::kAnimationOpacityFiles, 3, 1.0f), 1e30f,
         1.0f},
        {"infinite step", MakeStage(ShaderStage::kAnimationDiffuseFiles, 3, huge), 1.0f, 10.0f},
        {"not a number", MakeStage(ShaderStage::kAnimationDiffuseFiles, 3, nan), 1.0f, 1.0f},
        {"running backwards", MakeStage(ShaderStage::kAnimationDiffuseFiles, 4, -1.0f), 0.5f, 2.0f},
        {"grid without cells", MakeStage(ShaderStage::kAnimationGrid, 0, 1.0f, 0, 0), 0.0f, 1.0f},
        {"grid with more frames than cells", MakeStage(ShaderStage::kAnimationGrid, 12, 1.0f, 2, 2), 9.0f, 1.0f},
    };
    for (const Case& c : cases) {
        ShaderStage stage = c.stage;
        float position = c.position;
        stage.UpdateAnimation(position, c.step);
        const float count = static_cast<float>(stage.frameCount == 0 ? 1 : stage.frameCount);
        EXPECT_GE(position, 0.0f) << c.what;
        EXPECT_LE(position, count) << c.what;
        EXPECT_LT(stage.frameIndex, stage.frameCount == 0 ? 1u : stage.frameCount) << c.what;
        for (float value : stage.textureTransform) {
            EXPECT_GE(value, 0.0f) << c.what;
            EXPECT_LE(value, 1.0f) << c.what;
        }
    }
}

} // namespace
} // namespace OrrelayEngine
