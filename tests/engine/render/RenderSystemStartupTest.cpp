#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/core/FatalError.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/RenderSystemTestSupport.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer.h"

using namespace OrrelayEngine;
using RenderTest::NullRenderSystem;

namespace {

Platform::AdapterDescription AdapterWith(std::uint32_t desktopWidth, std::uint32_t desktopHeight,
                                         std::vector<Platform::DisplayMode> modes)
{
    Platform::GraphicsDriverNull defaults;
    Platform::AdapterDescription adapter = defaults.EnumerateAdapters()[0];
    adapter.desktopMode = Platform::DisplayMode{desktopWidth, desktopHeight, 32, 60};
    adapter.displayModes = std::move(modes);
    return adapter;
}

std::string CurrentMode(RenderSystem& rs)
{
    const ModeInfo* mode = rs.GetCurrentMode();
    return std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" + std::to_string(mode->bitsPerPixel);
}

} // namespace

TEST(RenderSystemStartup, LogsItsStepsAndCapabilities)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    const char* const lines[] = {"\nInitialization of Direct3D subsystem...",
                                 "...Level device list...",
                                 "...Creating DirectDraw...",
                                 "......Setting cooperative level...",
                                 "......Creating screen buffers...",
                                 "...Creating Direct3D...",
                                 "...Creating Direct3D device...",
                                 "......Setting viewport...",
                                 "......Creating Z Buffer...",
                                 "........................................................",
                                 "......Capabilities:",
                                 ".........Maximal texture units: 8",
                                 ".........Maximal texture size: 2048x2048",
                                 ".........Maximal texture anisotropy: 16",
                                 ""};
    std::uint32_t previous = 0;
    for (const char* line : lines) {
        const std::uint32_t index = fixture.IndexOfMessage(line);
        ASSERT_NE(0xFFFFFFFFu, index) << "missing: " << line;
        EXPECT_GE(index, previous) << "out of order: " << line;
        previous = index;
    }
    EXPECT_EQ(8u, rs.GetStageCount());
    EXPECT_TRUE(rs.IsStencilInUse());
    EXPECT_EQ("Null hardware device", rs.GetCurrentDevice()->name);
    fixture.system.reset();
    EXPECT_NE(0xFFFFFFFFu, fixture.IndexOfMessage("\nDirect3D Subsystem destroying:"));
    EXPECT_NE(0xFFFFFFFFu, fixture.IndexOfMessage("...Releasing DirectDraw..."));
}

TEST(RenderSystemStartup, ChoosesTheVideoMode)
{
    const std::vector<Platform::DisplayMode> fourThree = {{1024, 768, 32, 60}, {800, 600, 32, 60}, {800, 600, 16, 60},
                                                          {640, 480, 32, 60},  {640, 480, 16, 60}, {1280, 720, 32, 60},
                                                          {320, 240, 32, 60}};
    const struct
    {
        const char* name;
        std::uint32_t desktopWidth, desktopHeight;
        std::vector<Platform::DisplayMode> modes;
        const char* requested;
        bool fullScreen;
        const char* chosen;
        const char* rewritten;
        bool fullScreenAfter;
    } cases[] = {
        {"windowed at desktop size takes the largest 4:3 below it", 1024, 768, fourThree, "1024x768x32", false,
         "800x600x32", "800x600x32", false},
        {"windowed default below the desktop", 1024, 768, fourThree, "800x600x32", false, "800x600x32", "800x600x32",
         false},
        {"full screen takes the exact mode", 1024, 768, fourThree, "1024x768x32", true, "1024x768x32", "1024x768x32",
         true},
        {"desktop switches to full screen at the desktop's mode", 1024, 768, fourThree, "desktop", false, "1024x768x32",
         "desktop", true},
        {"unsupported falls back to the default", 1024, 768, fourThree, "1000x700x32", true, "800x600x32", "800x600x32",
         true},
        {"unsupported default falls back to 640x480x16",
         1024,
         768,
         {{1024, 768, 32, 60}, {640, 480, 16, 60}},
         "1000x700x32",
         true,
         "640x480x16",
         "640x480x16",
         true},
        {"no 4:3 mode fits the desktop: 640x480 windowed", 800, 600, fourThree, "800x600x32", false, "640x480x32",
         "640x480x32", false},
        {"modes under 640x400 are never offered",
         1024,
         768,
         {{320, 240, 32, 60}, {1024, 768, 32, 60}},
         "1024x768x32",
         true,
         "1024x768x32",
         "1024x768x32",
         true},
    };
    for (const auto& c : cases) {
        NullRenderSystem fixture;
        fixture.driver->SetAdapters({AdapterWith(c.desktopWidth, c.desktopHeight, c.modes)});
        fixture.config.GetValues()->videoMode = c.requested;
        fixture.config.GetValues()->fullscreen = c.fullScreen ? 1 : 0;
        RenderSystem& rs = fixture.Start();
        EXPECT_EQ(c.chosen, CurrentMode(rs)) << c.name;
        EXPECT_EQ(c.rewritten, fixture.config.GetValues()->videoMode) << c.name;
        EXPECT_EQ(c.fullScreenAfter, rs.GetCurrentDevice()->fullScreen) << c.name;
        EXPECT_EQ(c.fullScreenAfter, fixture.driver->IsFullScreen()) << c.name;
    }
}

TEST(RenderSystemStartup, NoCompatibleModeIsFatal)
{
    NullRenderSystem fixture;
    fixture.driver->SetAdapters({AdapterWith(1024, 768, {{1024, 768, 32, 60}})});
    fixture.config.GetValues()->videoMode = "1000x700x32";
    fixture.config.GetValues()->fullscreen = 1;
    try {
        fixture.Start();
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ("RenderSystem_D3D7: Failed to find compatible video mode", error.GetMessage());
    }
    EXPECT_TRUE(fixture.Logged("PROGRAM ABORTING: RenderSystem_D3D7: Failed to find compatible video mode"));
    EXPECT_FALSE(fixture.Logged("Switching to the software rasterizer")) << "a missing mode is no device failure";
}

TEST(RenderSystemStartup, NoDeviceIsFatal)
{
    NullRenderSystem fixture;
    Platform::AdapterDescription adapter = AdapterWith(1024, 768, {{800, 600, 32, 60}});
    adapter.devices.clear();
    fixture.driver->SetAdapters({adapter});
    EXPECT_THROW(fixture.Start(), FatalError);
    EXPECT_TRUE(fixture.Logged("RenderSystem_D3D7: Failed to find any compatible Direct3D devices"));
}

TEST(RenderSystemStartup, FailingHardwareFallsBackToSoftware)
{
    NullRenderSystem fixture;
    fixture.driver->SetDeviceCreationResult(0, Platform::kGraphicsErrOutOfVideoMemory);
    RenderSystem& rs = fixture.Start();
    EXPECT_EQ("Null software device", rs.GetCurrentDevice()->name);
    EXPECT_TRUE(fixture.Logged("Error: RenderSystem_D3D7: Failed to create Direct3D device!"));
    EXPECT_TRUE(fixture.Logged("Warning: ......RenderSystem_D3D7: Switching to the software rasterizer!"));
    EXPECT_EQ(2u, fixture.driver->GetCreateDeviceCount());
    ASSERT_NE(nullptr, fixture.driver->GetDevice());
}

TEST(RenderSystemStartup, FailingSoftwareDeviceIsFatal)
{
    NullRenderSystem fixture;
    fixture.driver->SetDeviceCreationResult(0, Platform::kGraphicsErrOutOfVideoMemory);
    fixture.driver->SetDeviceCreationResult(1, Platform::kGraphicsErrOutOfVideoMemory);
    EXPECT_THROW(fixture.Start(), FatalError);
    EXPECT_TRUE(fixture.Logged("PROGRAM ABORTING: RenderSystem_D3D7: Failed to create Direct3D device"));
}

TEST(RenderSystemStartup, StepFailuresNameTheStep)
{
    const struct
    {
        Platform::GraphicsDriverNull::Step step;
        const char* text;
    } cases[] = {
        {Platform::GraphicsDriverNull::Step::OpenAdapter, "Failed to create DirectDraw"},
        {Platform::GraphicsDriverNull::Step::SetCooperativeLevel, "Failed to set DirectDraw cooperative level"},
        {Platform::GraphicsDriverNull::Step::GetDisplayMode, "Invalid DirectDraw display mode"},
        {Platform::GraphicsDriverNull::Step::CreateScreenBuffers, "Failed to create primary surface"},
    };
    for (const auto& c : cases) {
        NullRenderSystem fixture;
        fixture.driver->SetStepResult(c.step, Platform::kGraphicsErrGeneric);
        EXPECT_THROW(fixture.Start(), FatalError) << c.text;
        EXPECT_TRUE(fixture.Logged(std::string("Error: RenderSystem_D3D7: ") + c.text + "!")) << c.text;
    }
}

TEST(RenderSystemStartup, DepthFormatSearchDropsStencilOnlyWhenItMust)
{
    const struct
    {
        std::vector<Platform::ZBufferFormat> formats;
        bool stencilRequested;
        std::uint32_t depthBits;
        bool stencilInUse;
    } cases[] = {
        {{{16, 0}, {32, 0}, {32, 8}}, true, 32, true},
        {{{16, 0}, {32, 0}, {32, 8}}, false, 32, false},
        {{{16, 0}, {16, 1}}, true, 16, true},
        {{{16, 0}, {24, 0}}, true, 16, false},
    };
    for (const auto& c : cases) {
        NullRenderSystem fixture;
        fixture.driver->SetZBufferFormats(c.formats);
        RenderSystem& rs = fixture.Start(c.stencilRequested);
        EXPECT_EQ(c.stencilInUse, rs.IsStencilInUse());
        EXPECT_EQ(c.depthBits, fixture.Device().GetZBufferFormat().depthBits);
    }
    NullRenderSystem none;
    none.driver->SetZBufferFormats({{24, 8}});
    EXPECT_THROW(none.Start(), FatalError);
    EXPECT_TRUE(none.Logged("Error: RenderSystem_D3D7: Failed to create Z Buffer!"));
}

TEST(RenderSystemFrame, RefreshMakesTheDeviceReadyAndSwapWaitsForIt)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    EXPECT_FALSE(rs.IsDeviceReady());
    rs.SwapBuffers();
    EXPECT_EQ(0u, fixture.driver->GetPresentCount());
    rs.Refresh();
    EXPECT_TRUE(rs.IsDeviceReady());
    fixture.config.GetValues()->vsync = 1;
    rs.SwapBuffers();
    EXPECT_EQ(1u, fixture.driver->GetPresentCount());
    EXPECT_TRUE(fixture.driver->GetLastPresentWaited());
}

TEST(RenderSystemFrame, BeginSceneClearsByItsFlags)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    rs.SetClearColor(Color(1.0f, 0.5f, 0.0f, 1.0f));
    rs.BeginScene();
    EXPECT_EQ(1u, fixture.Device().GetClearCount());
    EXPECT_EQ(Platform::kClearTarget | Platform::kClearZBuffer | Platform::kClearStencil,
              fixture.Device().GetLastClear().flags);
    EXPECT_EQ(0xFFFF7F00u, fixture.Device().GetLastClear().color);
    EXPECT_EQ(1u, fixture.Device().GetBeginSceneCount());
    rs.SetClearFlags(0);
    rs.BeginScene();
    EXPECT_EQ(1u, fixture.Device().GetClearCount());
    EXPECT_EQ(2u, fixture.Device().GetBeginSceneCount());
}

TEST(RenderSystemFrame, LostWindowedModeAsksForResetWhichRebuildsEverything)
{
    NullRenderSystem fixture;
    RenderSystem_D3D7& rs = fixture.Start();
    RenderTest::CountingTexture texture;
    rs.RegisterTexture(&texture);
    rs.Refresh();
    ASSERT_TRUE(rs.IsDeviceReady());

    fixture.driver->SimulateDeviceLoss(Platform::kGraphicsErrWrongMode);
    rs.Refresh();
    EXPECT_FALSE(rs.IsDeviceReady());
    EXPECT_TRUE(rs.IsResetRequired());
    EXPECT_TRUE(rs.AreSurfacesLost());
    rs.BeginScene();
    EXPECT_TRUE(fixture.Logged("Error: Direct3D Subsystem (RenderSystem_D3D7::BeginScene): This surface cannot be "
                               "restored because it was created in a different mode.!"));

    rs.ResetDevice(RenderSystem::kResetRecreateDevice | RenderSystem::kResetRestoreSurfaces);
    EXPECT_EQ(1, texture.releases);
    EXPECT_EQ(1, texture.restores);
    EXPECT_FALSE(rs.IsResetRequired());
    EXPECT_FALSE(rs.AreSurfacesLost());
    EXPECT_TRUE(rs.IsDeviceReady());
    EXPECT_EQ(2u, fixture.driver->GetCreateDeviceCount());
    EXPECT_EQ(1u, fixture.Device().GetMaterialCount()) << "defaults reach the new device";
    EXPECT_TRUE(fixture.Logged("\nReseting Direct3D device:"));
}

TEST(RenderSystemFrame, ATextureThatGoesLeavesEveryStage)
{
    NullRenderSystem fixture;
    RenderSystem_D3D7& rs = fixture.Start();
    RenderTest::CountingTexture texture;
    RenderTest::CountingTexture other;
    rs.RegisterTexture(&texture);
    rs.RegisterTexture(&other);
    rs.SetTexture(0, &texture);
    rs.SetTexture(1, &other);
    rs.SetTexture(2, &texture);
    const std::uint32_t sentBefore = fixture.Device().GetTextureCount(0);
    rs.UnregisterTexture(&texture);
    EXPECT_EQ(nullptr, rs.GetTexture(0));
    EXPECT_EQ(&other, rs.GetTexture(1));
    EXPECT_EQ(nullptr, rs.GetTexture(2));
    EXPECT_EQ(sentBefore + 1, fixture.Device().GetTextureCount(0));
    EXPECT_FALSE(fixture.Logged("Failed to remove texture"));
    rs.UnregisterTexture(&other);
}

TEST(RenderSystemFrame, TexturesComeAndGoOnAnotherThreadDuringResets)
{
    NullRenderSystem fixture;
    RenderSystem_D3D7& rs = fixture.Start();
    std::atomic<bool> resetting{true};
    std::thread loader([&] {
        // Enough live textures that the list grows and shrinks under the walk.
        while (resetting) {
            std::vector<RenderTest::CountingTexture> batch(64);
            for (auto& texture : batch) {
                rs.RegisterTexture(&texture);
            }
            for (auto& texture : batch) {
                rs.UnregisterTexture(&texture);
            }
        }
    });
    for (int reset = 0; reset < 200; ++reset) {
        rs.CheckVideoMode();
        rs.ResetDevice(RenderSystem::kResetRecreateDevice | RenderSystem::kResetRestoreSurfaces);
    }
    resetting = false;
    loader.join();
    EXPECT_FALSE(fixture.Logged("Failed to remove texture"));
}

TEST(RenderSystemFrame, FactoriesMakeTheDeviceFormsWithTheCallersArguments)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();

    const std::unique_ptr<Camera> camera = rs.CreateCamera(1);
    ASSERT_NE(nullptr, dynamic_cast<Camera_D3D7*>(camera.get()));
    EXPECT_TRUE(camera->IsOrthographic());
    EXPECT_FALSE(rs.CreateCamera(0)->IsOrthographic());

    const std::unique_ptr<Light> light = rs.CreateLight(3);
    ASSERT_NE(nullptr, dynamic_cast<Light_D3D7*>(light.get()));
    EXPECT_EQ(3u, light->GetDeviceIndex());

    Image picture;
    picture.Create(&fixture.log, 4, 4, 32);
    std::unique_ptr<Texture2D> texture = rs.CreateTexture(nullptr, "diffuse_wood.bmp", picture, nullptr, false);
    ASSERT_NE(nullptr, dynamic_cast<Texture2D_D3D7*>(texture.get()));
    EXPECT_EQ("diffuse_wood.bmp", texture->GetKey());
    EXPECT_NE(nullptr, texture->GetSurface());
    texture.reset();
    EXPECT_FALSE(fixture.Logged("Failed to remove texture")) << "the texture registered itself";
}

TEST(RenderSystemFrame, LostSurfacesAreRestoredByRefresh)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    rs.Refresh();
    fixture.driver->SimulateDeviceLoss(Platform::kGraphicsErrNoExclusiveMode);
    rs.Refresh();
    EXPECT_FALSE(rs.IsDeviceReady());
    EXPECT_FALSE(rs.IsResetRequired()) << "only a wrong mode while windowed needs a reset";
    fixture.driver->EndDeviceLossSimulation();
    rs.Refresh();
    EXPECT_TRUE(rs.IsDeviceReady());
    EXPECT_FALSE(fixture.driver->AreSurfacesLost());
}

TEST(RenderSystemFrame, CheckVideoModeComparesWithTheConfiguration)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    rs.CheckVideoMode();
    EXPECT_FALSE(rs.IsResetRequired());
    EXPECT_TRUE(rs.AreSurfacesLost());
    fixture.config.GetValues()->fullscreen = 1;
    rs.CheckVideoMode();
    EXPECT_TRUE(rs.IsResetRequired());
}

TEST(RenderSystemFrame, UnregisteringAnUnknownTextureIsLogged)
{
    NullRenderSystem fixture;
    RenderSystem_D3D7& rs = fixture.Start();
    RenderTest::CountingTexture texture;
    rs.UnregisterTexture(&texture);
    EXPECT_TRUE(fixture.Logged("Error: RenderSystem_D3D7: Failed to remove texture \"wood.bmp\"!"));
}

TEST(RenderSystemFrame, DrawSendsTheBuffersAsTheyStand)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    auto colored = rs.CreateVertexBuffer(1, 10);
    auto plain = rs.CreateVertexBuffer(0, 10);
    auto indices = rs.CreateIndexBuffer(6);
    const std::uint32_t values[] = {2, 3, 4, 4, 3, 5};
    indices->SetIndices(0, 6, values);
    const struct
    {
        VertexBuffer* vertices;
        bool strip;
        std::uint32_t primitives;
        Platform::PrimitiveType type;
        std::uint32_t format;
        std::uint32_t indexCount;
    } cases[] = {
        {colored.get(), false, 2, Platform::PrimitiveType::TriangleList, 0x152, 6},
        {plain.get(), false, 2, Platform::PrimitiveType::TriangleList, 0x112, 6},
        {plain.get(), true, 4, Platform::PrimitiveType::TriangleStrip, 0x112, 6},
    };
    for (const auto& c : cases) {
        rs.DrawIndexedPrimitive(c.strip, indices.get(), c.vertices, c.primitives);
        const auto& draw = fixture.Device().GetLastDraw();
        EXPECT_EQ(c.type, draw.type);
        EXPECT_EQ(c.format, draw.vertexFormat);
        EXPECT_EQ(c.indexCount, draw.indexCount);
        EXPECT_EQ(6u, draw.vertexCount) << "lowest index 2 plus span 4";
        EXPECT_EQ(2u, draw.indexSize);
    }
}

TEST(RenderSystemFrame, DrawRefusesIndicesPastTheBuffers)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    auto vertices = rs.CreateVertexBuffer(0, 4);
    auto indices = rs.CreateIndexBuffer(6);
    const std::uint32_t values[] = {0, 1, 2, 2, 1, 4};
    indices->SetIndices(0, 6, values);
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    EXPECT_EQ(0u, fixture.Device().GetDrawCount()) << "index 4 of a 4-vertex buffer";
    EXPECT_TRUE(fixture.Logged("indices reach past the buffers"));
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 3);
    EXPECT_EQ(0u, fixture.Device().GetDrawCount()) << "9 indices of a 6-index buffer";
    indices->SetUsedCount(3);
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 1);
    EXPECT_EQ(1u, fixture.Device().GetDrawCount());
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    EXPECT_EQ(1u, fixture.Device().GetDrawCount()) << "indices past the used count are measured too";
}
