#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/GraphicsTestScene.h"
#include "platform/TextureSurface.h"

using namespace Platform;
using GraphicsTest::Pixel;
using GraphicsTest::PixelNear;
using GraphicsTest::Scene;

namespace {

const PixelFormat kArgb8888{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true, false, false, 0};
const PixelFormat kRgb565{16, 0xF800, 0x07E0, 0x001F, 0, false, false, false, 0};

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLORY_TEST_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUILLORY_TEST_UNDER_ASAN 1
#endif

#define OPEN_SCENE_OR_SKIP(scene)                                                                                      \
    Scene scene;                                                                                                       \
    if (!scene.Open()) {                                                                                               \
        GTEST_SKIP() << "no OpenGL context under this video driver";                                                   \
    }

// A white material under lighting, and a white light of the type (not yet set).
LightDescription LightWhiteQuads(Scene& scene, LightType type)
{
    Material material;
    material.diffuse = ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    scene.device->SetMaterial(material);
    scene.device->SetRenderState(RenderState::Lighting, 1);
    LightDescription light;
    light.type = type;
    light.diffuse = ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    return light;
}

// Fills every level of a 32-bit surface with one colour per level.
std::unique_ptr<TextureSurface> MakeTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                            const std::vector<std::uint32_t>& texelsOfLevel0,
                                            std::uint32_t smallerLevelsColor = 0)
{
    std::unique_ptr<TextureSurface> surface;
    EXPECT_EQ(kGraphicsOk,
              TextureSurface::Create(TextureSurfaceDescription{width, height, levels, kArgb8888}, surface));
    for (std::uint32_t level = 0; level < levels; ++level) {
        void* bits = nullptr;
        std::uint32_t pitch = 0;
        EXPECT_EQ(kGraphicsOk, surface->Lock(level, bits, pitch));
        auto* texels = static_cast<std::uint32_t*>(bits);
        const std::uint32_t count = surface->GetLevelWidth(level) * surface->GetLevelHeight(level);
        for (std::uint32_t i = 0; i < count; ++i) {
            texels[i] = level == 0 ? texelsOfLevel0[i] : smallerLevelsColor;
        }
        EXPECT_EQ(kGraphicsOk, surface->Unlock(level));
    }
    return surface;
}

void UsePointSampledTexture(GraphicsDevice& device, TextureSurface* surface)
{
    device.SetTexture(0, surface);
    device.SetTextureStageState(0, StageState::MagFilter, kFilterPoint);
    device.SetTextureStageState(0, StageState::MinFilter, kFilterPoint);
    device.SetTextureStageState(0, StageState::ColorOperation, kTextureOpSelectArg1);
    device.SetTextureStageState(0, StageState::ColorArgument1, kTextureArgTexture);
}

} // namespace

TEST(GraphicsDeviceGL, ClearFillsTargetWithPackedColor)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.device->Clear(kClearTarget, 0xFF336699u, 1.0f, 0);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(10, 10), Pixel{0x33, 0x66, 0x99, 255}, 0));
    EXPECT_TRUE(PixelNear(scene.ReadPixel(63, 0), Pixel{0x33, 0x66, 0x99, 255}, 0));
}

TEST(GraphicsDeviceGL, ClearReachesDepthEvenWithDepthWriteOff)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.device->SetRenderState(RenderState::ZEnable, 1);
    scene.device->SetRenderState(RenderState::ZFunction, kCompareLess);
    scene.device->SetRenderState(RenderState::ZWriteEnable, 0);
    // Depth 0 everywhere: nothing can pass "less" afterwards.
    scene.device->Clear(kClearTarget | kClearZBuffer, kBlack, 0.0f, 0);
    scene.DrawQuad(0, 0, 64, 64, 400.0f, kRed);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 0, 0, 255}));
}

TEST(GraphicsDeviceGL, ClearLeavesDepthWritesOffWhenTheyWereOff)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.device->SetRenderState(RenderState::ZEnable, 1);
    scene.device->SetRenderState(RenderState::ZFunction, kCompareLess);
    scene.device->SetRenderState(RenderState::ZWriteEnable, 0);
    scene.Clear(kBlack);
    // The near quad leaves no depth behind, so the farther one still passes.
    scene.DrawQuad(0, 0, 64, 64, 100.0f, kGreen);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 255, 0, 255}));
    scene.DrawQuad(0, 0, 64, 64, -100.0f, kRed);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{255, 0, 0, 255}));
}

TEST(GraphicsDeviceGL, GuiDepthPutsPositiveZNearest)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.device->SetRenderState(RenderState::ZEnable, 1);
    scene.device->SetRenderState(RenderState::ZFunction, kCompareLessEqual);
    for (bool nearFirst : {false, true}) {
        scene.Clear(kBlack);
        if (nearFirst) {
            scene.DrawQuad(0, 0, 64, 64, 100.0f, kGreen);
            scene.DrawQuad(0, 0, 64, 64, -100.0f, kRed);
        } else {
            scene.DrawQuad(0, 0, 64, 64, -100.0f, kRed);
            scene.DrawQuad(0, 0, 64, 64, 100.0f, kGreen);
        }
        EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 255, 0, 255})) << "near drawn first: " << nearFirst;
    }
}

TEST(GraphicsDeviceGL, QuadCoversExactlyItsPixels)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.Clear(kBlack);
    scene.DrawQuad(16, 16, 32, 32, 0.0f, kWhite);
    const struct
    {
        std::uint32_t x, y;
        bool inside;
    } cases[] = {{16, 16, true}, {31, 31, true}, {15, 16, false}, {32, 16, false}, {16, 15, false}, {16, 32, false}};
    for (const auto& c : cases) {
        const Pixel pixel = scene.ReadPixel(c.x, c.y);
        EXPECT_EQ(c.inside ? 255 : 0, pixel.r) << c.x << ", " << c.y;
    }
}

TEST(GraphicsDeviceGL, AlphaBlendMixesByFactors)
{
    OPEN_SCENE_OR_SKIP(scene);
    const struct
    {
        std::uint32_t source, destination;
        Pixel expected;
    } cases[] = {
        {kBlendSourceAlpha, kBlendInverseSourceAlpha, {128, 0, 128, -1}},
        {kBlendOne, kBlendOne, {255, 0, 255, -1}},
        {kBlendZero, kBlendOne, {0, 0, 255, -1}},
        {kBlendDestinationColor, kBlendZero, {0, 0, 0, -1}},
    };
    scene.device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    for (const auto& c : cases) {
        scene.Clear(kBlue);
        scene.device->SetRenderState(RenderState::SourceBlend, c.source);
        scene.device->SetRenderState(RenderState::DestinationBlend, c.destination);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, 0x80FF0000u);
        EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), c.expected)) << c.source << " " << c.destination;
    }
}

TEST(GraphicsDeviceGL, CullModeRemovesTheNamedScreenWinding)
{
    OPEN_SCENE_OR_SKIP(scene);
    // DrawQuad winds clockwise as seen on the screen.
    const struct
    {
        std::uint32_t mode;
        bool drawn;
    } cases[] = {{kCullNone, true}, {kCullCounterClockwise, true}, {kCullClockwise, false}};
    for (const auto& c : cases) {
        scene.Clear(kBlack);
        scene.device->SetRenderState(RenderState::CullMode, c.mode);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
        EXPECT_EQ(c.drawn ? 255 : 0, scene.ReadPixel(32, 32).g) << "cull mode " << c.mode;
    }
}

TEST(GraphicsDeviceGL, ColourlessVerticesAreWhiteUnlitAndMaterialLit)
{
    OPEN_SCENE_OR_SKIP(scene);
    Material material;
    material.ambient = ColorValue{0.6f, 0.6f, 0.6f, 1.0f};
    material.diffuse = ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    scene.device->SetMaterial(material);
    scene.device->SetRenderState(RenderState::Ambient, kWhite);

    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{255, 255, 255, -1})) << "unlit";

    scene.device->SetRenderState(RenderState::Lighting, 1);
    scene.device->SetRenderState(RenderState::ColorVertex, 1);
    scene.device->SetRenderState(RenderState::DiffuseMaterialSource, kMaterialSourceColor1);
    scene.device->SetRenderState(RenderState::AmbientMaterialSource, kMaterialSourceColor1);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{153, 153, 153, -1})) << "lit through the material";

    // With colour the vertex takes the ambient role; afterwards the material is intact.
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0xFF804020u, true);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0x80, 0x40, 0x20, -1})) << "lit vertex colour";
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{153, 153, 153, -1})) << "material restored";
}

TEST(GraphicsDeviceGL, LightsStayInWorldSpaceWhenTheViewMoves)
{
    OPEN_SCENE_OR_SKIP(scene);
    LightDescription light = LightWhiteQuads(scene, LightType::Point);
    light.position[2] = 100.0f;
    light.attenuation1 = 0.01f; // intensity 1 / distance x 0.01: 1.0 at 100 units
    light.range = 1000.0f;
    ASSERT_EQ(kGraphicsOk, scene.device->SetLight(0, light));
    ASSERT_EQ(kGraphicsOk, scene.device->LightEnable(0, true));
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    const Pixel before = scene.ReadPixel(32, 32);
    EXPECT_GT(before.r, 100);

    // Moving the view along z changes nothing on screen under this projection,
    // and nothing in the light's distance to the quad.
    float view[16];
    GraphicsTest::GuiView(view);
    view[14] = 50.0f;
    scene.device->SetTransform(TransformState::View, view);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), before));

    scene.device->LightEnable(0, false);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 0, 0, -1})) << "light switched off";
}

TEST(GraphicsDeviceGL, LightGivesNothingToAMeshBeyondItsRange)
{
    OPEN_SCENE_OR_SKIP(scene);
    LightDescription light = LightWhiteQuads(scene, LightType::Point);
    light.position[0] = 32.0f;
    light.position[1] = 32.0f;
    light.position[2] = 100.0f;
    light.attenuation0 = 1.0f;
    // The quad's corners lie 45 units off the light's axis; its centre 100 or
    // (world moved up by 80) 20 below the light.
    const struct
    {
        const char* name;
        float range;
        float worldZ;
        bool lit;
    } cases[] = {
        {"no range given", kUnlimitedLightRange, 0.0f, true},   {"range past the quad", 1000.0f, 0.0f, true},
        {"range reaching only part of it", 101.0f, 0.0f, true}, {"range short of every vertex", 50.0f, 0.0f, false},
        {"quad moved up into range", 50.0f, 80.0f, true},       {"range short again", 50.0f, 0.0f, false},
    };
    float world[16];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        light.range = c.range;
        scene.device->SetLight(0, light);
        scene.device->LightEnable(0, true);
        for (int i = 0; i < 16; ++i) {
            world[i] = (i % 5 == 0) ? 1.0f : 0.0f;
        }
        world[14] = c.worldZ;
        scene.device->SetTransform(TransformState::World, world);
        scene.Clear(kBlack);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
        EXPECT_EQ(c.lit, scene.ReadPixel(32, 32).r > 50) << int(scene.ReadPixel(32, 32).r);
    }
    // Without the light sent again, each draw finds it as its own range asks:
    // out of range, then back in, then out.
    for (const float worldZ : {80.0f, 0.0f}) {
        world[14] = worldZ;
        scene.device->SetTransform(TransformState::World, world);
        scene.Clear(kBlack);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
        EXPECT_EQ(worldZ != 0.0f, scene.ReadPixel(32, 32).r > 50) << worldZ;
    }
    scene.device->LightEnable(0, false);
}

TEST(GraphicsDeviceGL, DirectionalLightShinesAlongItsDirection)
{
    OPEN_SCENE_OR_SKIP(scene);
    LightDescription light = LightWhiteQuads(scene, LightType::Directional);
    const struct
    {
        float direction[3];
        int expected;
    } cases[] = {{{0, 0, -1}, 255}, {{0, 0, 1}, 0}, {{0.0f, -0.8660254f, -0.5f}, 128}};
    for (const auto& c : cases) {
        std::memcpy(light.direction, c.direction, sizeof(light.direction));
        scene.device->SetLight(0, light);
        scene.device->LightEnable(0, true);
        scene.Clear(kBlack);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, 0, false);
        EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{c.expected, c.expected, c.expected, -1}))
            << c.direction[0] << " " << c.direction[1] << " " << c.direction[2];
    }
}

TEST(GraphicsDeviceGL, SpotLightLightsOnlyInsideItsCone)
{
    OPEN_SCENE_OR_SKIP(scene);
    LightDescription light = LightWhiteQuads(scene, LightType::Spot);
    light.position[0] = 32.0f;
    light.position[1] = 32.0f;
    light.position[2] = 100.0f;
    light.direction[2] = -1.0f;
    light.attenuation0 = 1.0f;
    light.theta = 0.2f;
    light.phi = 0.4f; // the cone meets the quad about 20 pixels from its centre
    light.falloff = 1.0f;
    scene.device->SetLight(0, light);
    scene.device->LightEnable(0, true);
    // Lighting is worked out per vertex: a grid of 4-pixel cells.
    constexpr int kCells = 16;
    std::vector<GraphicsTest::PlainVertex> vertices;
    std::vector<std::uint16_t> indices;
    for (int y = 0; y <= kCells; ++y) {
        for (int x = 0; x <= kCells; ++x) {
            vertices.push_back({x * 4.0f, y * 4.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f});
        }
    }
    for (int y = 0; y < kCells; ++y) {
        for (int x = 0; x < kCells; ++x) {
            const auto corner = static_cast<std::uint16_t>(y * (kCells + 1) + x);
            const std::uint16_t quad[6] = {corner,
                                           static_cast<std::uint16_t>(corner + 1),
                                           static_cast<std::uint16_t>(corner + kCells + 2),
                                           corner,
                                           static_cast<std::uint16_t>(corner + kCells + 2),
                                           static_cast<std::uint16_t>(corner + kCells + 1)};
            indices.insert(indices.end(), quad, quad + 6);
        }
    }
    scene.Clear(kBlack);
    ASSERT_EQ(kGraphicsOk, scene.device->DrawIndexedPrimitive(
                               PrimitiveType::TriangleList, kVertexPosition | kVertexNormal | kVertexTexture1,
                               vertices.data(), static_cast<std::uint32_t>(vertices.size()), indices.data(), 2,
                               static_cast<std::uint32_t>(indices.size())));
    EXPECT_GT(scene.ReadPixel(32, 32).r, 200) << "on the axis";
    EXPECT_EQ(0, scene.ReadPixel(2, 2).r) << "far outside the cone";
    EXPECT_EQ(0, scene.ReadPixel(62, 32).r) << "outside the cone";
}

TEST(GraphicsDeviceGL, StencilIncrementWraps)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.device->Clear(kClearTarget | kClearZBuffer | kClearStencil, kBlack, 1.0f, 255);
    scene.device->SetRenderState(RenderState::StencilEnable, 1);
    scene.device->SetRenderState(RenderState::StencilFunction, kCompareAlways);
    scene.device->SetRenderState(RenderState::StencilPass, kStencilIncrement);
    scene.DrawQuad(0, 0, 32, 64, 0.0f, kBlack);
    // Only where 255 wrapped to 0 does the red quad pass "equal 0".
    scene.device->SetRenderState(RenderState::StencilFunction, kCompareEqual);
    scene.device->SetRenderState(RenderState::StencilReference, 0);
    scene.device->SetRenderState(RenderState::StencilPass, kStencilKeep);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kRed);
    EXPECT_EQ(255, scene.ReadPixel(10, 32).r);
    EXPECT_EQ(0, scene.ReadPixel(50, 32).r);
}

TEST(GraphicsDeviceGL, TextureRowZeroIsTheTopAndColumnZeroTheLeft)
{
    OPEN_SCENE_OR_SKIP(scene);
    auto texture = MakeTexture(2, 2, 1, {kRed, kGreen, kBlue, kWhite});
    UsePointSampledTexture(*scene.device, texture.get());
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(10, 50), Pixel{255, 0, 0, 255})) << "top left";
    EXPECT_TRUE(PixelNear(scene.ReadPixel(50, 50), Pixel{0, 255, 0, 255})) << "top right";
    EXPECT_TRUE(PixelNear(scene.ReadPixel(10, 10), Pixel{0, 0, 255, 255})) << "bottom left";
    EXPECT_TRUE(PixelNear(scene.ReadPixel(50, 10), Pixel{255, 255, 255, 255})) << "bottom right";
}

TEST(GraphicsDeviceGL, ModulateMultipliesTextureByVertexColour)
{
    OPEN_SCENE_OR_SKIP(scene);
    auto texture = MakeTexture(1, 1, 1, {0xFF80FF40u});
    scene.device->SetTexture(0, texture.get());
    scene.device->SetTextureStageState(0, StageState::ColorOperation, kTextureOpModulate);
    scene.device->SetTextureStageState(0, StageState::ColorArgument2, kTextureArgDiffuse);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, 0xFF8080FFu);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{64, 128, 64, -1}));
}

TEST(GraphicsDeviceGL, AlphaOperationsCombineTextureAndVertexAlpha)
{
    OPEN_SCENE_OR_SKIP(scene);
    auto texture = MakeTexture(1, 1, 1, {0x80FFFFFFu});
    scene.device->SetTexture(0, texture.get());
    scene.device->SetTextureStageState(0, StageState::ColorOperation, kTextureOpSelectArg1);
    scene.device->SetTextureStageState(0, StageState::AlphaArgument1, kTextureArgTexture);
    scene.device->SetTextureStageState(0, StageState::AlphaArgument2, kTextureArgDiffuse);
    scene.device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    scene.device->SetRenderState(RenderState::SourceBlend, kBlendSourceAlpha);
    scene.device->SetRenderState(RenderState::DestinationBlend, kBlendInverseSourceAlpha);
    const struct
    {
        std::uint32_t operation;
        std::uint32_t vertexColor;
        int red;
    } cases[] = {
        {kTextureOpModulate, 0xFFFFFFFFu, 128}, // texture alpha 0.5 x vertex alpha 1
        {kTextureOpModulate, 0x80FFFFFFu, 64},  // 0.5 x 0.5
        {kTextureOpSelectArg2, 0xFFFFFFFFu, 255},
        {kTextureOpSelectArg1, 0x00FFFFFFu, 128},
    };
    for (const auto& c : cases) {
        scene.device->SetTextureStageState(0, StageState::AlphaOperation, c.operation);
        scene.Clear(kBlack);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, c.vertexColor);
        EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{c.red, c.red, c.red, -1}))
            << "operation " << c.operation << " vertex " << std::hex << c.vertexColor;
    }
}

TEST(GraphicsDeviceGL, TextureTransformOffsetsCoordinates)
{
    OPEN_SCENE_OR_SKIP(scene);
    auto texture = MakeTexture(2, 1, 1, {kRed, kGreen});
    UsePointSampledTexture(*scene.device, texture.get());
    const float offsetHalf[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0.5f, 0, 1, 0, 0, 0, 0, 1};
    scene.device->SetTextureTransform(0, offsetHalf);
    scene.device->SetTextureStageState(0, StageState::TextureTransformFlags, kTextureTransformCount2);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(10, 32), Pixel{0, 255, 0, 255})) << "left half shows the right texel";
    EXPECT_TRUE(PixelNear(scene.ReadPixel(50, 32), Pixel{255, 0, 0, 255})) << "right half wrapped round";

    scene.device->SetTextureStageState(0, StageState::TextureTransformFlags, kTextureTransformDisable);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(10, 32), Pixel{255, 0, 0, 255})) << "transform off";
}

TEST(GraphicsDeviceGL, ClampAddressingRepeatsTheEdgeTexel)
{
    OPEN_SCENE_OR_SKIP(scene);
    auto texture = MakeTexture(2, 1, 1, {kRed, kGreen});
    UsePointSampledTexture(*scene.device, texture.get());
    scene.device->SetTextureStageState(0, StageState::AddressU, kAddressClamp);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite, true, 0.0f, 0.0f, 2.0f, 1.0f);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(60, 32), Pixel{0, 255, 0, 255}));
    scene.device->SetTextureStageState(0, StageState::AddressU, kAddressWrap);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite, true, 0.0f, 0.0f, 2.0f, 1.0f);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(40, 32), Pixel{255, 0, 0, 255}));
}

TEST(GraphicsDeviceGL, ShortMipChainIsDrawnNotWhite)
{
    OPEN_SCENE_OR_SKIP(scene);
    const std::uint32_t levels = TextureSurface::CountMipLevels(256, 64);
    ASSERT_EQ(7u, levels);
    auto texture = MakeTexture(256, 64, levels, std::vector<std::uint32_t>(256 * 64, kBlue), kBlue);
    scene.device->SetTexture(0, texture.get());
    scene.device->SetTextureStageState(0, StageState::MagFilter, kFilterLinear);
    scene.device->SetTextureStageState(0, StageState::MinFilter, kFilterLinear);
    scene.device->SetTextureStageState(0, StageState::MipFilter, kMipFilterLinear);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 8, 2, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(4, 1), Pixel{0, 0, 255, 255}));
}

TEST(GraphicsDeviceGL, SixteenBitTexturesExpandToFullRange)
{
    OPEN_SCENE_OR_SKIP(scene);
    std::unique_ptr<TextureSurface> texture;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create(TextureSurfaceDescription{1, 1, 1, kRgb565}, texture));
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    ASSERT_EQ(kGraphicsOk, texture->Lock(0, bits, pitch));
    const std::uint16_t yellow = 0xFFE0;
    std::memcpy(bits, &yellow, sizeof(yellow));
    texture->Unlock(0);
    UsePointSampledTexture(*scene.device, texture.get());
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{255, 255, 0, 255}));
}

TEST(GraphicsDeviceGL, SurfaceFilledOnAnotherThreadUploadsAtFirstUse)
{
    OPEN_SCENE_OR_SKIP(scene);
    std::unique_ptr<TextureSurface> texture;
    std::thread loader([&texture] { texture = MakeTexture(1, 1, 1, {kGreen}); });
    loader.join();
    UsePointSampledTexture(*scene.device, texture.get());
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 255, 0, 255}));

    // A later fill reaches the screen at the next use.
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    ASSERT_EQ(kGraphicsOk, texture->Lock(0, bits, pitch));
    *static_cast<std::uint32_t*>(bits) = kRed;
    texture->Unlock(0);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{255, 0, 0, 255}));
}

TEST(GraphicsDeviceGL, SurfaceUnchangedSinceItsUploadIsNotUploadedAgain)
{
    OPEN_SCENE_OR_SKIP(scene);
    std::unique_ptr<TextureSurface> texture = MakeTexture(1, 1, 1, {kGreen});
    UsePointSampledTexture(*scene.device, texture.get());
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    ASSERT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 255, 0, 255}));

    // Texels changed behind the surface's back, without a lock, stay unseen:
    // every later frame draws from the copy GL already holds.
    std::uint32_t red = kRed;
    std::memcpy(const_cast<std::uint8_t*>(texture->GetLevelBits(0)), &red, sizeof(red));
    for (int frame = 0; frame < 3; ++frame) {
        scene.device->SetTexture(0, nullptr);
        scene.device->SetTexture(0, texture.get());
        scene.Clear(kBlack);
        scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
        EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{0, 255, 0, 255})) << "frame " << frame;
    }

    void* bits = nullptr;
    std::uint32_t pitch = 0;
    ASSERT_EQ(kGraphicsOk, texture->Lock(0, bits, pitch));
    texture->Unlock(0);
    scene.Clear(kBlack);
    scene.DrawQuad(0, 0, 64, 64, 0.0f, kWhite);
    EXPECT_TRUE(PixelNear(scene.ReadPixel(32, 32), Pixel{255, 0, 0, 255}));
}

TEST(GraphicsDeviceGL, GridOfQuadsLandsOnItsCells)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.Clear(kBlack);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const std::uint32_t color = 0xFF000000u | (static_cast<std::uint32_t>(row * 64) << 16) |
                                        (static_cast<std::uint32_t>(column * 64) << 8);
            scene.DrawQuad(column * 16.0f, row * 16.0f, column * 16.0f + 15.0f, row * 16.0f + 15.0f, 0.0f, color);
        }
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const Pixel inside = scene.ReadPixel(column * 16 + 7, row * 16 + 7);
            EXPECT_TRUE(PixelNear(inside, Pixel{row * 64, column * 64, 0, 255})) << row << ", " << column;
            EXPECT_TRUE(PixelNear(scene.ReadPixel(column * 16 + 15, row * 16 + 15), Pixel{0, 0, 0, 255}))
                << "gap after " << row << ", " << column;
        }
    }
}

TEST(GraphicsDeviceGL, LostSurfacesRefuseSceneAndPresentUntilRestored)
{
    OPEN_SCENE_OR_SKIP(scene);
    scene.driver->SimulateDeviceLoss(kGraphicsErrNoExclusiveMode);
    EXPECT_EQ(kGraphicsErrNoExclusiveMode, scene.driver->TestCooperativeLevel());
    EXPECT_EQ(kGraphicsErrSurfaceLost, scene.device->BeginScene());
    EXPECT_EQ(kGraphicsErrSurfaceLost, scene.driver->Present(false));
    EXPECT_EQ(kGraphicsErrNoExclusiveMode, scene.driver->RestoreAllSurfaces());
    scene.driver->EndDeviceLossSimulation();
    EXPECT_EQ(kGraphicsOk, scene.driver->TestCooperativeLevel());
    EXPECT_EQ(kGraphicsOk, scene.driver->RestoreAllSurfaces());
    EXPECT_EQ(kGraphicsOk, scene.device->BeginScene());
    EXPECT_EQ(kGraphicsOk, scene.device->EndScene());
    EXPECT_EQ(kGraphicsOk, scene.driver->Present(false));
}

TEST(GraphicsDriverGL, OffersWindowedSizesUpToTheDesktop)
{
    Scene scene;
    if (!scene.Open()) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    const auto adapters = scene.driver->EnumerateAdapters();
    ASSERT_EQ(1u, adapters.size());
    const AdapterDescription& adapter = adapters[0];
    ASSERT_GT(adapter.desktopMode.width, 0u);
    bool has640 = false;
    for (const DisplayMode& mode : adapter.displayModes) {
        EXPECT_LE(mode.width, adapter.desktopMode.width);
        EXPECT_LE(mode.height, adapter.desktopMode.height);
        has640 = has640 || (mode.width == 640 && mode.height == 480 && mode.bitsPerPixel == 32);
    }
    EXPECT_TRUE(has640);
    ASSERT_FALSE(adapter.devices.empty());
    EXPECT_EQ(DeviceKind::Software, adapter.devices.back().kind);
    EXPECT_GE(adapter.devices.back().maxSimultaneousTextures, 2u);
    const auto formats = scene.driver->EnumerateZBufferFormats(0);
    bool stencil = false;
    for (const auto& format : formats) {
        stencil = stencil || (format.depthBits == 32 && format.stencilBits > 0);
    }
    EXPECT_TRUE(stencil);
}

// The software rasteriser frees a frame's binning blocks (64 KiB each, tens of
// megabytes a frame) when the next frame starts; handed back to the system,
// every page of them faults in again on the next frame.
TEST(GraphicsDriverGL, SoftwareRendererKeepsFreedFrameMemoryForReuse)
{
#if defined(QUILLORY_TEST_UNDER_ASAN) || !defined(__GLIBC__)
    GTEST_SKIP() << "the heap under test is glibc's own";
#else
    OPEN_SCENE_OR_SKIP(scene);
    const auto adapters = scene.driver->EnumerateAdapters();
    ASSERT_EQ(1u, adapters.size());
    if (adapters[0].devices.front().kind != DeviceKind::Software) {
        GTEST_SKIP() << "a hardware renderer keeps no frame in the heap";
    }
    constexpr std::size_t kBlockBytes = 64 * 1024;
    constexpr std::size_t kFrameBytes = 32 * 1024 * 1024;
    std::vector<void*> blocks;
    blocks.reserve(kFrameBytes / kBlockBytes);
    const auto* before = static_cast<const char*>(sbrk(0));
    for (std::size_t index = 0; index < kFrameBytes / kBlockBytes; ++index) {
        void* block = std::malloc(kBlockBytes);
        ASSERT_NE(nullptr, block);
        std::memset(block, 1, kBlockBytes);
        blocks.push_back(block);
    }
    const auto* peak = static_cast<const char*>(sbrk(0));
    ASSERT_GE(static_cast<std::size_t>(peak - before), kFrameBytes / 2) << "the blocks did not come from the heap";
    for (void* block : blocks) {
        std::free(block);
    }
    EXPECT_EQ(peak, static_cast<const char*>(sbrk(0)));
#endif
}
