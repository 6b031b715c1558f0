#include <gtest/gtest.h>

#include <functional>

#include "engine/core/FatalError.h"
#include "engine/render/RenderSystemTestSupport.h"

using namespace OrrelayEngine;
using Platform::RenderState;
using Platform::StageState;
using Platform::TransformState;
using RenderTest::NullRenderSystem;

namespace {

Matrix4 Offset(float delta)
{
    Matrix4 matrix;
    for (float& element : matrix.m) {
        element += delta;
    }
    return matrix;
}

} // namespace

TEST(RenderSystemCache, EqualValuesWithinToleranceReachTheDeviceOnce)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    Platform::GraphicsDeviceNull& device = fixture.Device();
    struct Case
    {
        const char* name;
        std::function<void(float)> set;
        std::function<std::uint32_t()> count;
    };
    const Case cases[] = {
        {"world", [&](float d) { rs.SetWorldMatrix(Offset(0.25f + d)); },
         [&] { return device.GetTransformCount(TransformState::World); }},
        {"view", [&](float d) { rs.SetViewMatrix(Offset(0.25f + d)); },
         [&] { return device.GetTransformCount(TransformState::View); }},
        {"projection", [&](float d) { rs.SetProjectionMatrix(Offset(0.25f + d)); },
         [&] { return device.GetTransformCount(TransformState::Projection); }},
        {"ambient", [&](float d) { rs.SetAmbientColor(Color(0.5f + d, 0.25f, 0.125f + d, 1.0f)); },
         [&] { return device.GetRenderStateCount(RenderState::Ambient); }},
        {"texture matrix", [&](float d) { rs.SetTextureMatrix(1, 2.0f, 2.0f + d, 0.5f, 0.5f + d); },
         [&] { return device.GetTextureTransformCount(1); }},
    };
    for (const Case& c : cases) {
        device.ResetCounts();
        c.set(0.0f);
        c.set(0.0f);
        c.set(0.00005f);
        EXPECT_EQ(1u, c.count()) << c.name << ": equal within the tolerance";
        c.set(0.0002f);
        EXPECT_EQ(2u, c.count()) << c.name << ": beyond the tolerance";
    }
}

TEST(RenderSystemCache, ExactStatesReachTheDeviceOnlyWhenChanged)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    Platform::GraphicsDeviceNull& device = fixture.Device();
    RenderTest::CountingTexture texture;
    struct Case
    {
        const char* name;
        std::function<void()> setA;
        std::function<void()> setB;
        std::function<std::uint32_t()> count;
    };
    const Case cases[] = {
        {"cull", [&] { rs.SetCullMode(2); }, [&] { rs.SetCullMode(1); },
         [&] { return device.GetRenderStateCount(RenderState::CullMode); }},
        {"lighting", [&] { rs.SetLighting(true); }, [&] { rs.SetLighting(false); },
         [&] { return device.GetRenderStateCount(RenderState::Lighting); }},
        {"depth", [&] { rs.SetZ(true); }, [&] { rs.SetZ(false); },
         [&] { return device.GetRenderStateCount(RenderState::ZEnable); }},
        {"depth write", [&] { rs.SetZWrite(false); }, [&] { rs.SetZWrite(true); },
         [&] { return device.GetRenderStateCount(RenderState::ZWriteEnable); }},
        {"stencil", [&] { rs.SetStencil(true); }, [&] { rs.SetStencil(false); },
         [&] { return device.GetRenderStateCount(RenderState::StencilEnable); }},
        {"normalize", [&] { rs.SetNormalizeNormals(true); }, [&] { rs.SetNormalizeNormals(false); },
         [&] { return device.GetRenderStateCount(RenderState::NormalizeNormals); }},
        {"alpha blend", [&] { rs.SetAlphaBlend(true); }, [&] { rs.SetAlphaBlend(false); },
         [&] { return device.GetRenderStateCount(RenderState::AlphaBlendEnable); }},
        {"blend pair", [&] { rs.SetBlend(4, 5); }, [&] { rs.SetBlend(4, 1); },
         [&] { return device.GetRenderStateCount(RenderState::SourceBlend); }},
        {"texture", [&] { rs.SetTexture(0, &texture); }, [&] { rs.SetTexture(0, nullptr); },
         [&] { return device.GetTextureCount(0); }},
        {"filter", [&] { rs.SetTextureFilter(0, 0); }, [&] { rs.SetTextureFilter(0, 2); },
         [&] { return device.GetStageStateCount(0, StageState::MagFilter); }},
        {"address u", [&] { rs.SetTextureAdressU(2, 0); }, [&] { rs.SetTextureAdressU(2, 1); },
         [&] { return device.GetStageStateCount(2, StageState::AddressU); }},
        {"address v", [&] { rs.SetTextureAdressV(2, 0); }, [&] { rs.SetTextureAdressV(2, 1); },
         [&] { return device.GetStageStateCount(2, StageState::AddressV); }},
        {"anisotropy", [&] { rs.SetMaxTextureAnisotropy(1, 4); }, [&] { rs.SetMaxTextureAnisotropy(1, 2); },
         [&] { return device.GetStageStateCount(1, StageState::MaxAnisotropy); }},
    };
    for (const Case& c : cases) {
        device.ResetCounts();
        c.setA();
        c.setA();
        EXPECT_EQ(1u, c.count()) << c.name;
        c.setB();
        EXPECT_EQ(2u, c.count()) << c.name;
    }
}

TEST(RenderSystemCache, DefaultsReachTheDeviceEvenWhenTheCacheHoldsThem)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    Platform::GraphicsDeviceNull& device = fixture.Device();
    rs.SetDefaultStates();
    device.ResetCounts();
    rs.SetDefaultStates();
    EXPECT_EQ(1u, device.GetMaterialCount());
    EXPECT_EQ(1u, device.GetTransformCount(TransformState::View));
    EXPECT_EQ(1u, device.GetTransformCount(TransformState::World));
    EXPECT_EQ(0u, device.GetTransformCount(TransformState::Projection));
    EXPECT_EQ(1u, device.GetRenderStateCount(RenderState::Ambient));
    EXPECT_EQ(1u, device.GetRenderStateCount(RenderState::CullMode));
    EXPECT_EQ(1u, device.GetRenderStateCount(RenderState::ZWriteEnable));
    for (std::uint32_t stage = 0; stage < rs.GetStageCount(); ++stage) {
        EXPECT_EQ(1u, device.GetTextureCount(stage)) << stage;
        EXPECT_EQ(1u, device.GetTextureTransformCount(stage)) << stage;
    }
    // The force ends with the defaults.
    device.ResetCounts();
    rs.SetCullMode(RenderSystem::kCullNone);
    EXPECT_EQ(0u, device.GetRenderStateCount(RenderState::CullMode));

    const Platform::Material& material = device.GetMaterial();
    EXPECT_FLOAT_EQ(0.6f, material.ambient.r);
    EXPECT_FLOAT_EQ(1.0f, material.diffuse.g);
    EXPECT_FLOAT_EQ(1.0f, material.emissive.a);
    EXPECT_EQ(Platform::kTextureOpModulate, device.GetStageState(0, StageState::AlphaOperation));
    EXPECT_EQ(Platform::kTextureOpDisable, device.GetStageState(1, StageState::AlphaOperation));
    EXPECT_EQ(Platform::kTextureArgDiffuse, device.GetStageState(1, StageState::ColorArgument2));
    EXPECT_EQ(Platform::kCompareLess, device.GetRenderState(RenderState::ZFunction));
    EXPECT_EQ(Platform::kMaterialSourceColor1, device.GetRenderState(RenderState::AmbientMaterialSource));
    EXPECT_EQ(Platform::kStencilIncrement, device.GetRenderState(RenderState::StencilPass));
    EXPECT_EQ(Platform::kCompareEqual, device.GetRenderState(RenderState::StencilFunction));
}

TEST(RenderSystemCache, RefreshLimitsAnisotropyToTheDeviceAndWritesItBack)
{
    const struct
    {
        std::int32_t requested;
        std::uint32_t deviceMaximum;
        std::int32_t expected;
    } cases[] = {{0, 16, 1}, {1, 16, 1}, {-5, 16, 1}, {16, 4, 4}, {8, 16, 8}, {3, 1, 1}};
    for (const auto& c : cases) {
        NullRenderSystem fixture;
        auto adapters = fixture.driver->EnumerateAdapters();
        for (auto& device : adapters[0].devices) {
            device.maxAnisotropy = c.deviceMaximum;
        }
        fixture.driver->SetAdapters(adapters);
        RenderSystem& rs = fixture.Start();
        fixture.config.GetValues()->textureAnisotropy = c.requested;
        fixture.Device().ResetCounts();
        rs.Refresh();
        EXPECT_EQ(c.expected, fixture.config.GetValues()->textureAnisotropy)
            << c.requested << " on " << c.deviceMaximum;
        const std::uint32_t sent = fixture.Device().GetStageStateCount(0, StageState::MaxAnisotropy);
        EXPECT_EQ(c.expected == 1 ? 0u : 1u, sent) << "stage 0 already held 1 from the defaults";
        EXPECT_EQ(static_cast<std::uint32_t>(c.expected), fixture.Device().GetStageState(0, StageState::MaxAnisotropy));
    }
}

TEST(RenderSystemCache, UpdatesCarryTheDeviceForm)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    Platform::GraphicsDeviceNull& device = fixture.Device();

    Matrix4 matrix(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    rs.SetViewMatrix(matrix);
    const float* view = device.GetTransform(TransformState::View);
    const float expectedView[16] = {1, 2, -3, 4, 5, 6, -7, 8, 9, 10, -11, 12, 13, 14, -15, 16};
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(expectedView[i], view[i]) << "view element " << i;
    }
    rs.SetWorldMatrix(matrix);
    const float* world = device.GetTransform(TransformState::World);
    EXPECT_FLOAT_EQ(5.0f, world[1]);
    EXPECT_FLOAT_EQ(4.0f, world[12]);
    rs.SetProjectionMatrix(matrix);
    EXPECT_FLOAT_EQ(4.0f, device.GetTransform(TransformState::Projection)[3]);

    rs.SetTextureMatrix(0, 2.0f, 3.0f, 0.25f, 0.5f);
    const float* texture = device.GetTextureTransform(0);
    EXPECT_FLOAT_EQ(2.0f, texture[0]);
    EXPECT_FLOAT_EQ(3.0f, texture[5]);
    EXPECT_FLOAT_EQ(0.25f, texture[8]);
    EXPECT_FLOAT_EQ(0.5f, texture[9]);
    EXPECT_FLOAT_EQ(1.0f, texture[10]);
    EXPECT_FLOAT_EQ(1.0f, texture[15]);

    const struct
    {
        Color color;
        std::uint32_t packed;
    } ambients[] = {{{1.0f, 0.5f, 0.0f, 1.0f}, 0xFFFF7F00u}, {{2.0f, -1.0f, 0.25f, 0.0f}, 0x00FF003Fu}};
    for (const auto& c : ambients) {
        rs.SetAmbientColor(c.color);
        EXPECT_EQ(c.packed, device.GetRenderState(RenderState::Ambient));
    }
}

TEST(RenderSystemCache, CodesMapToDeviceValues)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    Platform::GraphicsDeviceNull& device = fixture.Device();
    const std::uint32_t blends[][2] = {{0, Platform::kBlendZero},
                                       {1, Platform::kBlendOne},
                                       {2, Platform::kBlendDestinationColor},
                                       {3, Platform::kBlendInverseDestinationColor},
                                       {4, Platform::kBlendSourceAlpha},
                                       {5, Platform::kBlendInverseSourceAlpha},
                                       {6, Platform::kBlendDestinationAlpha},
                                       {7, Platform::kBlendInverseDestinationAlpha},
                                       {8, Platform::kBlendSourceAlphaSaturated},
                                       {9, Platform::kBlendSourceColor},
                                       {10, Platform::kBlendInverseSourceColor},
                                       {11, Platform::kBlendZero},
                                       {0xFFFFFFFFu, Platform::kBlendZero}};
    for (const auto& b : blends) {
        rs.SetBlend(b[0], 1);
        EXPECT_EQ(b[1], device.GetRenderState(RenderState::SourceBlend)) << "code " << b[0];
        rs.SetBlend(1, b[0]);
        EXPECT_EQ(b[1], device.GetRenderState(RenderState::DestinationBlend)) << "code " << b[0];
    }
    const std::uint32_t culls[][2] = {{1, Platform::kCullClockwise},
                                      {2, Platform::kCullCounterClockwise},
                                      {0, Platform::kCullNone},
                                      {3, Platform::kCullNone}};
    for (const auto& c : culls) {
        rs.SetCullMode(c[0]);
        EXPECT_EQ(c[1], device.GetRenderState(RenderState::CullMode)) << "cull " << c[0];
    }
    const std::uint32_t addresses[][2] = {
        {0, Platform::kAddressClamp}, {1, Platform::kAddressWrap}, {7, Platform::kAddressWrap}};
    for (const auto& a : addresses) {
        rs.SetTextureAdressU(0, a[0]);
        rs.SetTextureAdressV(0, a[0]);
        EXPECT_EQ(a[1], device.GetStageState(0, StageState::AddressU)) << "address " << a[0];
        EXPECT_EQ(a[1], device.GetStageState(0, StageState::AddressV)) << "address " << a[0];
    }
    const struct
    {
        std::uint32_t filter;
        std::int32_t anisotropy;
        std::uint32_t mag, min, mip;
    } filters[] = {
        {0, 1, Platform::kFilterPoint, Platform::kFilterPoint, Platform::kMipFilterNone},
        {1, 1, Platform::kFilterLinear, Platform::kFilterLinear, Platform::kMipFilterNone},
        {2, 1, Platform::kFilterLinear, Platform::kFilterLinear, Platform::kMipFilterLinear},
        {2, 4, Platform::kFilterAnisotropic, Platform::kFilterAnisotropic, Platform::kMipFilterLinear},
    };
    for (const auto& f : filters) {
        fixture.config.GetValues()->textureAnisotropy = f.anisotropy;
        rs.SetTextureFilter(0, 0xFFu);
        rs.SetTextureFilter(0, f.filter);
        EXPECT_EQ(f.mag, device.GetStageState(0, StageState::MagFilter)) << f.filter << "/" << f.anisotropy;
        EXPECT_EQ(f.min, device.GetStageState(0, StageState::MinFilter)) << f.filter << "/" << f.anisotropy;
        EXPECT_EQ(f.mip, device.GetStageState(0, StageState::MipFilter)) << f.filter << "/" << f.anisotropy;
    }
}

TEST(RenderSystemCache, StagesBeyondTheDeviceAreIgnored)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    const std::uint32_t beyond = rs.GetStageCount();
    fixture.Device().ResetCounts();
    rs.SetTextureFilter(beyond, 0);
    rs.SetTextureMatrix(beyond, 2.0f, 2.0f, 0.0f, 0.0f);
    rs.SetTexture(beyond + 100, nullptr);
    EXPECT_EQ(0u, fixture.Device().GetTotalCallCount());
}
