#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

using namespace OrrelayEngine;

namespace {

// The orthographic device-form projection of the GUI camera (near 500, far -500).
Matrix4 GuiProjection(float width, float height)
{
    Matrix4 projection(2.0f / width, 0, 0, 0, 0, 2.0f / height, 0, 0, 0, 0, 1.0f / 1000.0f, 0, -1.0f, -1.0f, 0.5f,
                       1.0f);
    return projection;
}

struct GLRenderSystem
{
    GLRenderSystem() : log("Test", false, false, "", ""), config(&log, nullptr, "folder", "", false, "", false, false)
    {
        log.SetSpacing(false);
    }

    bool Start()
    {
        TestSupport::PinGraphicsLibraries();
        std::unique_ptr<Platform::GraphicsDriverGL> made;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(64, 64, made))) {
            return false;
        }
        driver = made.get();
        system = std::make_unique<RenderSystem_D3D7>(&log, &config, nullptr, true, false, std::move(made));
        return true;
    }

    // Reads x from the left, y from the bottom.
    std::uint32_t ReadRed(std::uint32_t x, std::uint32_t y)
    {
        std::uint8_t bgra[4] = {};
        const std::uint32_t height = system->GetCurrentMode()->height;
        EXPECT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(x, height - 1 - y, 1, 1, bgra));
        return bgra[2];
    }

    // First in, last out: the GL driver keeps what it allocates on this thread.
    TestSupport::ScopedLeakCheckPause pause;
    MessageManager log;
    Config config;
    Platform::GraphicsDriverGL* driver = nullptr;
    std::unique_ptr<RenderSystem_D3D7> system;
};

} // namespace

TEST(RenderSystemGL, DefaultWindowedModeStartsHeadless)
{
    GLRenderSystem fixture;
    if (!fixture.Start()) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    const ModeInfo* mode = fixture.system->GetCurrentMode();
    ASSERT_NE(nullptr, mode);
    EXPECT_EQ("800x600x32", fixture.config.GetValues()->videoMode);
    EXPECT_EQ(800u, mode->width);
    EXPECT_EQ(600u, mode->height);
    EXPECT_FALSE(fixture.system->GetCurrentDevice()->fullScreen);
    EXPECT_TRUE(fixture.system->IsStencilInUse());
    EXPECT_GE(fixture.system->GetStageCount(), 2u);
}

TEST(RenderSystemGL, FrameClearsAndDrawsLitAndUnlitQuads)
{
    GLRenderSystem fixture;
    if (!fixture.Start()) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    RenderSystem& rs = *fixture.system;
    rs.Refresh();
    ASSERT_TRUE(rs.IsDeviceReady());
    rs.SetProjectionMatrix(GuiProjection(800.0f, 600.0f));
    rs.SetClearColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
    auto vertices = rs.CreateVertexBuffer(0, 4);
    PlainVertex* quad = vertices->LockVertices(0, 4);
    quad[0] = PlainVertex{0, 600, 0, 0, 0, 1, 0, 0};
    quad[1] = PlainVertex{400, 600, 0, 0, 0, 1, 1, 0};
    quad[2] = PlainVertex{400, 0, 0, 0, 0, 1, 1, 1};
    quad[3] = PlainVertex{0, 0, 0, 0, 0, 1, 0, 1};
    vertices->Unlock();
    auto indices = rs.CreateIndexBuffer(6);
    const std::uint32_t triangles[] = {0, 1, 2, 0, 2, 3};
    indices->SetIndices(0, 6, triangles);

    rs.BeginScene();
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    rs.EndScene();
    EXPECT_EQ(255u, fixture.ReadRed(100, 300)) << "unlit colourless vertices draw white";
    EXPECT_EQ(0u, fixture.ReadRed(600, 300)) << "cleared to blue";

    rs.SetLighting(true);
    rs.SetAmbientColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
    rs.BeginScene();
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    rs.EndScene();
    EXPECT_NEAR(153.0, fixture.ReadRed(100, 300), 1.0) << "the default material's ambient 0.6";
    rs.SwapBuffers();
}

TEST(RenderSystemGL, CopyScreenToImageGivesBottomUpOpaqueRgb)
{
    GLRenderSystem fixture;
    if (!fixture.Start()) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    // Through the interface: every render system can copy its screen.
    RenderSystem& rs = *fixture.system;
    rs.Refresh();
    rs.SetProjectionMatrix(GuiProjection(800.0f, 600.0f));
    rs.SetClearColor(Color(1.0f, 0.0f, 0.0f, 0.5f));
    auto vertices = rs.CreateVertexBuffer(1, 4);
    ColoredVertex* quad = vertices->LockColoredVertices(0, 4);
    // A green strip along the bottom edge, 10 pixels high.
    quad[0] = ColoredVertex{0, 10, 0, 0, 0, 1, 0xFF00FF00u, 0, 0};
    quad[1] = ColoredVertex{800, 10, 0, 0, 0, 1, 0xFF00FF00u, 1, 0};
    quad[2] = ColoredVertex{800, 0, 0, 0, 0, 1, 0xFF00FF00u, 1, 1};
    quad[3] = ColoredVertex{0, 0, 0, 0, 0, 1, 0xFF00FF00u, 0, 1};
    vertices->Unlock();
    auto indices = rs.CreateIndexBuffer(6);
    const std::uint32_t triangles[] = {0, 1, 2, 0, 2, 3};
    indices->SetIndices(0, 6, triangles);
    rs.BeginScene();
    rs.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    rs.EndScene();

    Image image;
    rs.CopyScreenToImage(image);
    ASSERT_EQ(800u, image.GetWidth());
    ASSERT_EQ(600u, image.GetHeight());
    ASSERT_EQ(32u, image.GetBitsPerPixel());
    const std::uint8_t* bottom = image.GetData();
    EXPECT_EQ(0, bottom[0]);
    EXPECT_EQ(255, bottom[1]) << "row 0 of the image is the bottom of the screen";
    EXPECT_EQ(255, bottom[3]);
    const std::uint8_t* top = image.GetData() + static_cast<std::size_t>(599) * 800 * 4;
    EXPECT_EQ(255, top[0]);
    EXPECT_EQ(0, top[1]);
    EXPECT_EQ(0, top[2]);
    EXPECT_EQ(255, top[3]) << "the screen has no alpha of its own";
}

TEST(RenderSystemGL, OnTheGameWindowItHasStencilAndDrawsAtTheModeSize)
{
    TestSupport::ScopedLeakCheckPause pause;
    TestSupport::PinGraphicsLibraries();
    MessageManager log("Test", false, false, "", "");
    Config config(&log, nullptr, "folder", "", false, "", false, false);
    // A window smaller than the mode, so that the mode change must resize its surface.
    Window window(&log, &config, "Quillory", nullptr, 0, false, 320, 240, false, true, 0, 0);
    config.GetValues()->videoMode = "800x600x32";
    config.GetValues()->fullscreen = 0;
    std::unique_ptr<RenderSystem_D3D7> system;
    try {
        system = std::make_unique<RenderSystem_D3D7>(&log, &config, &window, true, true);
    } catch (const Error&) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    EXPECT_TRUE(system->IsStencilInUse());
    ASSERT_EQ("800x600",
              std::to_string(system->GetCurrentMode()->width) + "x" + std::to_string(system->GetCurrentMode()->height));
    system->Refresh();
    system->SetClearColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
    system->BeginScene();
    system->EndScene();
    for (const auto& corner : {std::pair<std::uint32_t, std::uint32_t>{0, 0}, {799, 599}}) {
        std::uint8_t bgra[4] = {};
        ASSERT_EQ(Platform::kGraphicsOk, system->GetDriver()->ReadBackBuffer(corner.first, corner.second, 1, 1, bgra));
        EXPECT_EQ(255, bgra[0]) << corner.first << ", " << corner.second;
        EXPECT_EQ(0, bgra[2]) << corner.first << ", " << corner.second;
    }
    system.reset();
}
