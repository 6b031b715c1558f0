#include <gtest/gtest.h>

#include <string>

#include "engine/core/FatalError.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"

namespace OrrelayEngine {
namespace {

void ExpectColor(const Color& color, float r, float g, float b, float a)
{
    EXPECT_FLOAT_EQ(color.r, r);
    EXPECT_FLOAT_EQ(color.g, g);
    EXPECT_FLOAT_EQ(color.b, b);
    EXPECT_FLOAT_EQ(color.a, a);
}

TEST(ShaderDescriptor, PlainDescriptorHasWhiteColoursAndNoStages)
{
    const ShaderDescriptor descriptor(6);
    EXPECT_EQ(descriptor.GetFlags(), 6u);
    ExpectColor(descriptor.GetColor1(), 1, 1, 1, 1);
    ExpectColor(descriptor.GetColor3(), 1, 1, 1, 1);
    ExpectColor(descriptor.GetColor4(), 0, 0, 0, 1);
    EXPECT_EQ(descriptor.GetBlendFactor(0), 0u);
    EXPECT_EQ(descriptor.GetBlendFactor(1), 0u);
    EXPECT_EQ(descriptor.GetStageCount(), 0u);
    EXPECT_EQ(descriptor.GetKey(), 0u);
}

TEST(ShaderDescriptor, AddStageStoresLowerCaseNamesAndSumsThemIntoTheKey)
{
    ShaderDescriptor descriptor;
    EXPECT_EQ(descriptor.AddStage(1, 2, 1, 1, 12, 8.0f, "Fire00.TGA", "Mask.tga", 1), 0u);
    const ShaderStage& stage = descriptor.GetStage(0);
    EXPECT_EQ(stage.diffuseFileName, "fire00.tga");
    EXPECT_EQ(stage.opacityFileName, "mask.tga");
    EXPECT_EQ(stage.frameCount, 12u);
    EXPECT_EQ(stage.addressU, 1u);
    EXPECT_EQ(stage.addressV, 1u);
    EXPECT_FLOAT_EQ(stage.textureTransform[0], 1.0f);
    EXPECT_FLOAT_EQ(stage.textureTransform[2], 0.0f);

    std::uint32_t sum = 0;
    for (char c : std::string("fire00.tgamask.tga"))
        sum += static_cast<std::uint32_t>(c);
    EXPECT_EQ(descriptor.GetKey(), sum);

    // Characters above 127 count as negative bytes.
    ShaderDescriptor accented;
    accented.AddTextureStage(0, "\xE9", "", 0);
    EXPECT_EQ(accented.GetKey(), static_cast<std::uint32_t>(-23));

    ShaderDescriptor still;
    still.AddStage(0, 0, 1, 1, 12, 0.0f, "wood.jpg", "", 0);
    EXPECT_EQ(still.GetStage(0).frameCount, 0u) << "a still stage has no frames";
}

TEST(ShaderDescriptor, AThirdStageIsFatal)
{
    ShaderDescriptor descriptor;
    descriptor.AddTextureStage(0, "a.tga", "", 0);
    EXPECT_EQ(descriptor.AddTextureStage(0, "b.tga", "", 0), 1u);
    try {
        descriptor.AddTextureStage(0, "c.tga", "", 0);
        FAIL() << "no FatalError";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetMessage(), "Shader Stages: buffer is overflowed");
    }
    EXPECT_EQ(descriptor.GetStageCount(), 2u);
}

TEST(ShaderDescriptor, OutOfRangeAnimationValuesAreClamped)
{
    struct Case
    {
        std::uint32_t mode, columns, rows, frames;
        std::uint32_t wantMode, wantColumns, wantRows, wantFrames;
    };
    const Case cases[] = {
        {7, 1, 1, 3, 4, 1, 1, 3},
        {2, 1, 1, 0, 2, 1, 1, 1},
        {1, 0, 0, 4, 1, 1, 1, 4},
        {3, 1, 1, 0xFFFFFFFF, 3, 1, 1, ShaderStage::kMaxFrameCount},
        {1, 100000, 3, 6, 1, ShaderStage::kMaxFrameCount, 3, 6},
    };
    for (const Case& c : cases) {
        ShaderDescriptor descriptor;
        descriptor.AddStage(0, c.mode, c.columns, c.rows, c.frames, 1.0f, "a.tga", "", 0);
        const ShaderStage& stage = descriptor.GetStage(0);
        EXPECT_EQ(stage.animationMode, c.wantMode) << c.mode;
        EXPECT_EQ(stage.columns, c.wantColumns) << c.mode;
        EXPECT_EQ(stage.rows, c.wantRows) << c.mode;
        EXPECT_EQ(stage.frameCount, c.wantFrames) << c.mode;
    }
}

TEST(ShaderDescriptor, EqualityComparesOnlyWhatTheSharedTexturesDependOn)
{
    auto make = [](std::uint32_t flags, std::uint32_t stageFlags, std::uint32_t mode, std::uint32_t frames,
                   const std::string& diffuse, const std::string& opacity) {
        ShaderDescriptor descriptor(flags);
        descriptor.AddStage(stageFlags, mode, 2, 2, frames, 1.0f, diffuse, opacity, 0);
        return descriptor;
    };
    struct Case
    {
        const char* what;
        ShaderDescriptor a;
        ShaderDescriptor b;
        bool equal;
    };
    ShaderDescriptor blended = make(1, 0, 0, 0, "wood.jpg", "");
    blended.SetBlendFactor(0, 4);
    blended.SetColor1(Color(0.5f, 0.5f, 0.5f, 1.0f));
    const Case cases[] = {
        {"same names in other case", make(0, 0, 0, 0, "Wood.JPG", ""), make(0, 0, 0, 0, "wood.jpg", ""), true},
        {"grid and still picture", make(0, 0, 1, 4, "sheet.tga", ""), make(0, 0, 0, 0, "sheet.tga", ""), true},
        {"numbered files, other counts", make(0, 0, 2, 8, "f0.tga", ""), make(0, 0, 2, 9, "f0.tga", ""), false},
        {"numbered files and grid", make(0, 0, 2, 4, "f0.tga", ""), make(0, 0, 1, 4, "f0.tga", ""), false},
        {"blending, factors and colours", blended, make(0, 0, 0, 0, "wood.jpg", ""), true},
        {"other descriptor flag", make(2, 0, 0, 0, "wood.jpg", ""), make(0, 0, 0, 0, "wood.jpg", ""), false},
        {"mip and random start", make(0, 3, 0, 0, "wood.jpg", ""), make(0, 0, 0, 0, "wood.jpg", ""), true},
        {"no-texture stage flag", make(0, 4, 0, 0, "wood.jpg", ""), make(0, 0, 0, 0, "wood.jpg", ""), false},
        {"opacity name", make(0, 0, 0, 0, "wood.jpg", "a.tga"), make(0, 0, 0, 0, "wood.jpg", ""), false},
        // Same characters, same key, different names.
        {"anagram", make(0, 0, 0, 0, "ab.tga", ""), make(0, 0, 0, 0, "ba.tga", ""), false},
        {"stage count", make(0, 0, 0, 0, "wood.jpg", ""), ShaderDescriptor(0), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.IsEqual(c.b), c.equal) << c.what;
        EXPECT_EQ(c.b.IsEqual(c.a), c.equal) << c.what;
    }
}

TEST(ShaderDescriptor, CopiesKeepEveryFieldAndTheKey)
{
    ShaderDescriptor descriptor(1);
    descriptor.SetBlendFactor(1, 5);
    descriptor.SetColor2(Color(0.1f, 0.2f, 0.3f, 0.4f));
    descriptor.SetScalar2(3.5f);
    descriptor.AddStage(1, 1, 4, 2, 8, 2.0f, "sheet.tga", "", 0);
    descriptor.GetStage(0).textureTransform[3] = 0.25f;

    const ShaderDescriptor copy(descriptor);
    EXPECT_TRUE(copy.IsEqual(descriptor));
    EXPECT_EQ(copy.GetKey(), descriptor.GetKey());
    EXPECT_EQ(copy.GetBlendFactor(1), 5u);
    ExpectColor(copy.GetColor2(), 0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_FLOAT_EQ(copy.GetScalar2(), 3.5f);
    EXPECT_EQ(copy.GetStage(0).columns, 4u);
    EXPECT_FLOAT_EQ(copy.GetStage(0).textureTransform[3], 0.25f);

    ShaderDescriptor assigned;
    assigned.AddTextureStage(0, "x.tga", "", 0);
    assigned.AddTextureStage(0, "y.tga", "", 0);
    assigned = descriptor;
    EXPECT_EQ(assigned.GetStageCount(), 1u);
    EXPECT_EQ(assigned.GetKey(), descriptor.GetKey());
}

TEST(ShaderDescriptor, OpacityMarkerMeansAlphaInTheDiffusePicture)
{
    struct Case
    {
        const char* what;
        ShaderDescriptor descriptor;
        std::uint32_t flags;
        std::uint32_t stages;
        const char* opacity;
    };
    auto animated = [](const std::string& opacity) {
        ShaderDescriptor d;
        d.ConstructForAnimatedTexture(true, 1, 4, 2, 8, 2.0f, "Sheet.tga", opacity, true);
        return d;
    };
    auto texture = [](const std::string& diffuse, const std::string& opacity) {
        ShaderDescriptor d;
        d.ConstructForTexture(false, diffuse, opacity, false);
        return d;
    };
    const Case cases[] = {
        {"animated, marker", animated("32bit"), 1, 1, ""},
        {"animated, marker in capitals", animated("32BIT"), 1, 1, ""},
        {"animated, opacity file", animated("Mask.tga"), 1, 1, "mask.tga"},
        {"animated, no opacity", animated(""), 0, 1, ""},
        {"texture, marker", texture("a.tga", "32bit"), 1, 1, ""},
        {"texture, capitals are a file name", texture("a.tga", "32BIT"), 1, 1, "32bit"},
        {"texture, no diffuse", texture("", "mask.tga"), 1, 0, ""},
        {"made, marker inside a name", MakeTextureShaderDescriptor(1, 1, "tree.tga", "tree_32bit.tga", true), 1, 1, ""},
        {"made, opacity file", MakeTextureShaderDescriptor(1, 1, "tree.tga", "tree_a.tga", true), 1, 1, "tree_a.tga"},
        {"made, no diffuse", MakeSingleTextureShaderDescriptor("", "a.tga", true), 1, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.descriptor.GetFlags(), c.flags) << c.what;
        EXPECT_EQ(c.descriptor.GetBlendFactor(0), c.flags ? 4u : 0u) << c.what;
        EXPECT_EQ(c.descriptor.GetBlendFactor(1), c.flags ? 5u : 0u) << c.what;
        ASSERT_EQ(c.descriptor.GetStageCount(), c.stages) << c.what;
        if (c.stages != 0) {
            EXPECT_EQ(c.descriptor.GetStage(0).opacityFileName, c.opacity) << c.what;
        }
    }

    const ShaderDescriptor sheet = animated("");
    EXPECT_EQ(sheet.GetStage(0).flags, ShaderStage::kFlagMipMapped);
    EXPECT_EQ(sheet.GetStage(0).addressU, RenderSystem::kAddressClamp);
    EXPECT_EQ(texture("a.tga", "").GetStage(0).addressU, RenderSystem::kAddressWrap);
}

TEST(ShaderDescriptor, MadeTextureDescriptorIsAGridWhenItHasFrames)
{
    SetTextureMipMapping(false);
    const ShaderDescriptor grid = MakeTextureShaderDescriptor(4, 2, "font.tga", "", false);
    EXPECT_EQ(grid.GetStage(0).animationMode, ShaderStage::kAnimationGrid);
    EXPECT_EQ(grid.GetStage(0).frameCount, 8u);
    EXPECT_FLOAT_EQ(grid.GetStage(0).animationSpeed, 0.0f);
    EXPECT_EQ(grid.GetStage(0).flags, 0u);

    SetTextureMipMapping(true);
    const ShaderDescriptor single = MakeTextureShaderDescriptor(1, 1, "font.tga", "", false);
    SetTextureMipMapping(false);
    EXPECT_EQ(single.GetStage(0).animationMode, ShaderStage::kAnimationNone);
    EXPECT_EQ(single.GetStage(0).frameCount, 0u);
    EXPECT_EQ(single.GetStage(0).flags, ShaderStage::kFlagMipMapped);
}

} // namespace
} // namespace OrrelayEngine
