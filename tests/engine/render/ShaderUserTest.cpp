#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "engine/core/FatalError.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "support/AllocationCounter.h"
#include "tests/engine/render/TextureTestSupport.h"

namespace OrrelayEngine {
namespace {

TEST(Shader, NumberedFramesTakeTheWidthOfTheFrameCount)
{
    struct Case
    {
        const char* name;
        std::uint32_t frames;
        std::uint32_t frame;
        const char* expected;
    };
    const Case cases[] = {
        {"fire00.tga", 12, 0, "fire00.tga"},
        {"fire00.tga", 12, 11, "fire11.tga"},
        {"fire0.tga", 8, 7, "fire7.tga"},
        {"data\\fx\\smoke000.bmp", 100, 42, "data\\fx\\smoke042.bmp"},
        // Too short to hold the digits: what stands before the extension stays.
        {"a.tga", 100, 5, "a005.tga"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Shader::MakeFrameFileName(c.name, c.frames, c.frame)) << c.name << " " << c.frame;
    }
}

class ShaderManagerFiles : public TextureFixture
{
protected:
    void SetUp() override
    {
        TextureFixture::SetUp();
        shaders_ =
            std::make_unique<ShaderManager>(log_.get(), files_.get(), nullptr, &render_.config, render_.system.get());
    }

    void TearDown() override
    {
        shaders_.reset();
        TextureFixture::TearDown();
    }

    TextureManager& Textures() { return *shaders_->GetTextureManager(); }

    std::unique_ptr<ShaderManager> shaders_;
};

TEST_F(ShaderManagerFiles, EqualDescriptorsShareOneShaderUntilTheLastUserGoes)
{
    SaveBmp("data\\wood.bmp", Plain(4, 4, 3, 100));
    ShaderDescriptor blended = MakeSingleTextureShaderDescriptor("Wood.BMP", "", false);
    blended.AddFlags(ShaderDescriptor::kFlagAlphaBlend);
    blended.SetBlendFactor(0, 1);
    const ShaderDescriptor plain = MakeSingleTextureShaderDescriptor("wood.bmp", "", true);

    ShaderUser* first = shaders_->CreateShaderUser(blended);
    ShaderUser* second = shaders_->CreateShaderUser(plain);
    ASSERT_NE(nullptr, first->GetShader());
    EXPECT_EQ(first->GetShader(), second->GetShader());
    EXPECT_EQ(1u, first->GetBlendFactor(0)) << "each user keeps its own blending";
    EXPECT_EQ(0u, second->GetBlendFactor(0));
    EXPECT_EQ(2u, shaders_->GetShaderUserCount());
    EXPECT_EQ(1u, shaders_->GetShaderCount());
    EXPECT_EQ(1u, Textures().GetTextureCount());

    ShaderUser* clone = shaders_->CloneShaderUser(*second);
    EXPECT_EQ(second->GetShader(), clone->GetShader());
    EXPECT_EQ(3u, first->GetShader()->GetUserCount());

    ShaderUser* other = shaders_->CreateShaderUser(MakeSingleTextureShaderDescriptor("stone.bmp", "", false));
    EXPECT_NE(first->GetShader(), other->GetShader());
    EXPECT_EQ(2u, shaders_->GetShaderCount());

    shaders_->DeleteShaderUser(first);
    shaders_->DeleteShaderUser(clone);
    EXPECT_EQ(2u, shaders_->GetShaderCount());
    EXPECT_EQ(2u, Textures().GetTextureCount()) << "the textures stay while a user is left";
    shaders_->DeleteShaderUser(second);
    EXPECT_EQ(1u, shaders_->GetShaderCount());
    EXPECT_EQ(1u, Textures().GetTextureCount());
    shaders_->DeleteShaderUser(nullptr);
    EXPECT_EQ(1u, shaders_->GetShaderUserCount());
}

TEST_F(ShaderManagerFiles, AUserTheManagerDoesNotHoldIsFatal)
{
    ShaderManager elsewhere(log_.get(), files_.get(), nullptr, &render_.config, render_.system.get());
    ShaderUser* stranger = elsewhere.CreateShaderUser(ShaderDescriptor(0));
    EXPECT_THROW(shaders_->DeleteShaderUser(stranger), FatalError);
    EXPECT_EQ(1u, elsewhere.GetShaderUserCount());
}

TEST_F(ShaderManagerFiles, NumberedFilesLoadOneTexturePerFrame)
{
    for (int frame = 0; frame < 3; ++frame) {
        SaveBmp("data\\fx\\spark" + std::to_string(frame) + ".bmp", Plain(2, 2, 3, 10));
    }
    ShaderDescriptor descriptor(0);
    descriptor.ConstructForAnimatedTexture(false, ShaderStage::kAnimationDiffuseFiles, 1, 1, 3, 1.0f, "fx\\spark0.bmp",
                                           "", false);
    ShaderUser* user = shaders_->CreateShaderUser(descriptor);
    const Shader& shader = *user->GetShader();
    ASSERT_EQ(1u, shader.GetStageCount());
    ASSERT_EQ(3u, shader.GetTextureCount(0));
    for (std::uint32_t frame = 0; frame < 3; ++frame) {
        ASSERT_NE(nullptr, shader.GetTexture(0, frame));
        EXPECT_EQ("diffuse_data\\fx\\spark" + std::to_string(frame) + ".bmp", shader.GetTexture(0, frame)->GetKey());
        EXPECT_EQ(2u, shader.GetTexture(0, frame)->GetWidth()) << "read from its file";
    }
}

TEST_F(ShaderManagerFiles, AMissingJpegIsLookedForAsJp2ThenBmp)
{
    SaveBmp("data\\photo.bmp", Plain(2, 2, 3, 10));
    ShaderUser* found = shaders_->CreateShaderUser(MakeSingleTextureShaderDescriptor("photo.jpg", "", false));
    EXPECT_EQ("diffuse_data\\photo.bmp", found->GetShader()->GetTexture(0, 0)->GetKey());

    ShaderUser* missing = shaders_->CreateShaderUser(MakeSingleTextureShaderDescriptor("nowhere.jpg", "", false));
    EXPECT_EQ("diffuse_data\\nowhere.jpg", missing->GetShader()->GetTexture(0, 0)->GetKey());
}

TEST_F(ShaderManagerFiles, AStageWithoutFileLoadsNoTexture)
{
    ShaderDescriptor descriptor(0);
    descriptor.AddStage(ShaderStage::kFlagNoTexture, ShaderStage::kAnimationDiffuseFiles, 1, 1, 4, 1.0f, "a0.bmp", "",
                        1);
    ShaderUser* user = shaders_->CreateShaderUser(descriptor);
    EXPECT_EQ(4u, user->GetShader()->GetTextureCount(0));
    EXPECT_EQ(nullptr, user->GetShader()->GetTexture(0, 3));
    EXPECT_EQ(0u, Textures().GetTextureCount());
}

TEST_F(ShaderManagerFiles, AnUnreadableShaderFileGivesAUserWithoutStages)
{
    ShaderUser* user = shaders_->CreateShaderUserFromFile("models\\missing.srf");
    ASSERT_NE(nullptr, user);
    EXPECT_EQ(0u, user->GetStageCount());
    EXPECT_EQ(0u, user->GetFlags());
    EXPECT_FALSE(LoggedErrors().empty());
}

TEST_F(ShaderManagerFiles, ApplyReachesTheDeviceOnlyWhenAStateChanges)
{
    SaveBmp("data\\leaf.bmp", Plain(4, 4, 3, 100));
    ShaderDescriptor descriptor = MakeSingleTextureShaderDescriptor("leaf.bmp", "32bit", true);
    descriptor.GetStage(0).flags |= ShaderStage::kFlagMipMapped;
    descriptor.GetStage(0).textureTransform[2] = 0.25f;
    ShaderUser* user = shaders_->CreateShaderUser(descriptor);
    Platform::GraphicsDeviceNull& device = render_.Device();

    user->Apply();
    EXPECT_EQ(1u, device.GetRenderState(Platform::RenderState::AlphaBlendEnable));
    EXPECT_EQ(Platform::kBlendSourceAlpha, device.GetRenderState(Platform::RenderState::SourceBlend));
    EXPECT_EQ(Platform::kBlendInverseSourceAlpha, device.GetRenderState(Platform::RenderState::DestinationBlend));
    EXPECT_EQ(user->GetShader()->GetTexture(0, 0)->GetSurface(), device.GetTexture(0));
    EXPECT_EQ(Platform::kMipFilterLinear, device.GetStageState(0, Platform::StageState::MipFilter));
    EXPECT_EQ(Platform::kAddressClamp, device.GetStageState(0, Platform::StageState::AddressU));
    EXPECT_FLOAT_EQ(0.25f, device.GetTextureTransform(0)[8]);

    const std::uint64_t calls = device.GetTotalCallCount();
    user->Apply();
    EXPECT_EQ(calls, device.GetTotalCallCount()) << "a second apply changes nothing";

    ShaderUser* bare = shaders_->CreateShaderUser(ShaderDescriptor(0));
    bare->Apply();
    EXPECT_EQ(0u, device.GetRenderState(Platform::RenderState::AlphaBlendEnable));
    EXPECT_EQ(Platform::kBlendSourceAlpha, device.GetRenderState(Platform::RenderState::SourceBlend))
        << "the blend factors stay as they were";
    for (std::uint32_t stage = 0; stage < render_.system->GetStageCount(); ++stage) {
        EXPECT_EQ(nullptr, device.GetTexture(stage)) << "stage " << stage;
    }
}

TEST_F(ShaderManagerFiles, TheAnimationChoosesTheFileOrTheGridCellToDraw)
{
    for (int frame = 0; frame < 10; ++frame) {
        SaveBmp("data\\run" + std::to_string(frame) + ".bmp", Plain(2, 2, 3, static_cast<std::uint8_t>(frame)));
    }
    ShaderDescriptor files(0);
    files.ConstructForAnimatedTexture(false, ShaderStage::kAnimationDiffuseFiles, 1, 1, 10, 10.0f, "run0.bmp", "",
                                      false);
    ShaderUser* runner = shaders_->CreateShaderUser(files);
    runner->Update(0.55f);
    EXPECT_EQ(5u, runner->GetStage(0).frameIndex);
    runner->Apply();
    EXPECT_EQ(runner->GetShader()->GetTexture(0, 5)->GetSurface(), render_.Device().GetTexture(0));
    runner->Update(0.5f);
    EXPECT_EQ(0u, runner->GetStage(0).frameIndex) << "past the last frame it wraps";
    shaders_->DeleteShaderUser(runner);
    EXPECT_EQ(nullptr, render_.Device().GetTexture(0)) << "a texture that goes leaves no stage showing it";
    EXPECT_EQ(nullptr, render_.system->GetTexture(0));

    // A grid at speed 0 stays on the frame its owner writes.
    ShaderUser* grid = shaders_->CreateShaderUser(MakeTextureShaderDescriptor(4, 2, "run0.bmp", "", false));
    grid->SetFramePosition(0, 5.0f);
    grid->Update(0.1f);
    EXPECT_FLOAT_EQ(5.0f, grid->GetFramePosition(0));
    grid->Apply();
    const float* transform = render_.Device().GetTextureTransform(0);
    EXPECT_FLOAT_EQ(0.2475f, transform[0]);
    EXPECT_FLOAT_EQ(0.495f, transform[5]);
    EXPECT_FLOAT_EQ(0.25125f, transform[8]);
    EXPECT_FLOAT_EQ(0.0025f, transform[9]);
}

TEST_F(ShaderManagerFiles, ARandomStartPutsEachUserSomewhereInItsFrames)
{
    SetRandomSeed(7);
    ShaderDescriptor descriptor(0);
    descriptor.AddStage(ShaderStage::kFlagRandomStart | ShaderStage::kFlagNoTexture, ShaderStage::kAnimationGrid, 4, 2,
                        8, 0.0f, "grid.bmp", "", 1);
    std::set<float> starts;
    for (int i = 0; i < 20; ++i) {
        const float position = shaders_->CreateShaderUser(descriptor)->GetFramePosition(0);
        EXPECT_GE(position, 0.0f);
        EXPECT_LT(position, 8.0f);
        starts.insert(position);
    }
    EXPECT_GT(starts.size(), 10u);
    EXPECT_EQ(0.0f,
              shaders_->CreateShaderUser(MakeTextureShaderDescriptor(4, 2, "g.bmp", "", false))->GetFramePosition(0));
}

TEST_F(ShaderManagerFiles, UpdatingAnimatedUsersAllocatesNothing)
{
    for (int frame = 0; frame < 4; ++frame) {
        SaveBmp("data\\walk" + std::to_string(frame) + ".bmp", Plain(2, 2, 3, 10));
    }
    TimerManager timers;
    ShaderManager shaders(log_.get(), files_.get(), &timers, &render_.config, render_.system.get());
    ShaderDescriptor files(0);
    files.ConstructForAnimatedTexture(false, ShaderStage::kAnimationDiffuseFiles, 1, 1, 4, 12.0f, "walk0.bmp", "",
                                      false);
    ShaderDescriptor grid(0);
    grid.AddStage(ShaderStage::kFlagRandomStart | ShaderStage::kFlagNoTexture, ShaderStage::kAnimationGrid, 4, 2, 8,
                  6.0f, "grid.bmp", "", 1);
    for (int i = 0; i < 10; ++i) {
        shaders.CreateShaderUser(files);
        shaders.CreateShaderUser(grid);
        shaders.CreateShaderUser(MakeSingleTextureShaderDescriptor("walk1.bmp", "", false));
    }
    for (int frame = 0; frame < 3; ++frame) {
        timers.Update();
        shaders.UpdateShaderUsers();
    }

    std::size_t allocations = 0;
    for (int frame = 0; frame < 50; ++frame) {
        timers.Update();
        TestSupport::ScopedAllocationCount count;
        shaders.UpdateShaderUsers();
        allocations += count.Count();
    }
    EXPECT_EQ(allocations, 0u);
}

} // namespace
} // namespace OrrelayEngine
