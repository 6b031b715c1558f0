#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

namespace OrrelayEngine {
namespace {

// GL and the device it stands in for may round a channel differently.
constexpr int kChannelTolerance = 1;

// A render system on an offscreen GL context with the GUI's orthographic
// projection, drawing textured quads into the default 800 x 600 back buffer.
class TextureGL : public testing::Test
{
protected:
    static constexpr float kWidth = 800.0f;
    static constexpr float kHeight = 600.0f;

    TextureGL() : log_("Test", false, false, "", ""), config_(&log_, nullptr, "folder", "", false, "", false, false) {}

    void SetUp() override
    {
        TestSupport::PinGraphicsLibraries();
        std::unique_ptr<Platform::GraphicsDriverGL> made;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(64, 64, made))) {
            GTEST_SKIP() << "no OpenGL context under this video driver";
        }
        driver_ = made.get();
        config_.GetValues()->useMipMapping = 1;
        system_ = std::make_unique<RenderSystem_D3D7>(&log_, &config_, nullptr, true, false, std::move(made));
        textures_ = std::make_unique<TextureManager>(&log_, nullptr, &config_, nullptr, system_.get());
        system_->Refresh();
        ASSERT_TRUE(system_->IsDeviceReady());
        ASSERT_EQ(800u, system_->GetCurrentMode()->width);
        Project();
    }

    // x from 0 at the left, y from 0 at the bottom, z = 0 halfway in depth.
    void Project()
    {
        system_->SetProjectionMatrix(Matrix4(2.0f / kWidth, 0, 0, 0, 0, 2.0f / kHeight, 0, 0, 0, 0, 1.0f / 1000.0f, 0,
                                             -1.0f, -1.0f, 0.5f, 1.0f));
        system_->SetClearColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    }

    void TearDown() override
    {
        textures_.reset();
        system_.reset();
    }

    // A picture of width x height whose every pixel is colour, 24-bit.
    std::unique_ptr<Image> Plain(std::uint32_t width, std::uint32_t height, std::array<std::uint8_t, 3> colour)
    {
        auto image = std::make_unique<Image>();
        image->Create(&log_, width, height, 24);
        for (std::uint32_t i = 0; i < width * height; ++i) {
            std::copy(colour.begin(), colour.end(), image->GetData() + i * 3);
        }
        return image;
    }

    // Draws the texture on a quad from (left, bottom) to (right, top) in
    // pixels; the top-left corner takes texture coordinates (0, 0).
    void DrawQuad(Texture2D* texture, float left, float bottom, float right, float top)
    {
        auto vertices = system_->CreateVertexBuffer(0, 4);
        PlainVertex* quad = vertices->LockVertices(0, 4);
        quad[0] = PlainVertex{left, top, 0, 0, 0, 1, 0, 0};
        quad[1] = PlainVertex{right, top, 0, 0, 0, 1, 1, 0};
        quad[2] = PlainVertex{right, bottom, 0, 0, 0, 1, 1, 1};
        quad[3] = PlainVertex{left, bottom, 0, 0, 0, 1, 0, 1};
        vertices->Unlock();
        auto indices = system_->CreateIndexBuffer(6);
        const std::uint32_t triangles[] = {0, 1, 2, 0, 2, 3};
        indices->SetIndices(0, 6, triangles);

        system_->SetTexture(0, texture);
        system_->BeginScene();
        system_->DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
        system_->EndScene();
    }

    // R, G, B at x from the left and y from the bottom.
    std::array<int, 3> Pixel(std::uint32_t x, std::uint32_t y)
    {
        std::uint8_t bgra[4] = {};
        EXPECT_EQ(Platform::kGraphicsOk,
                  driver_->ReadBackBuffer(x, static_cast<std::uint32_t>(kHeight) - 1 - y, 1, 1, bgra));
        return {bgra[2], bgra[1], bgra[0]};
    }

    static void ExpectColour(const std::array<int, 3>& expected, const std::array<int, 3>& actual, const char* where)
    {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(expected[channel], actual[channel], kChannelTolerance) << where << " channel " << channel;
        }
    }

    // First in, last out: the GL driver keeps what it allocates on this thread.
    TestSupport::ScopedLeakCheckPause pause_;
    MessageManager log_;
    Config config_;
    Platform::GraphicsDriverGL* driver_ = nullptr;
    std::unique_ptr<RenderSystem_D3D7> system_;
    std::unique_ptr<TextureManager> textures_;
};

// The picture's bottom row is surface row 0, which texture coordinate v = 0 reads.
std::unique_ptr<Image> FourColours(MessageManager* log)
{
    auto image = std::make_unique<Image>();
    image->Create(log, 2, 2, 24);
    const std::uint8_t pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    std::copy(pixels, pixels + 12, image->GetData());
    return image;
}

TEST_F(TextureGL, SurfaceRowZeroIsReadAtTheTopOfTheTexture)
{
    Texture2D* texture = textures_->AddTexture(true, false, "four", "", FourColours(&log_), nullptr);
    system_->SetTextureFilter(0, RenderSystem::kFilterPoint);
    DrawQuad(texture, 0.0f, 0.0f, kWidth, kHeight);
    ExpectColour({255, 0, 0}, Pixel(200, 450), "top left");
    ExpectColour({0, 255, 0}, Pixel(600, 450), "top right");
    ExpectColour({0, 0, 255}, Pixel(200, 150), "bottom left");
    ExpectColour({255, 255, 255}, Pixel(600, 150), "bottom right");
}

TEST_F(TextureGL, TheTextureOffsetShiftsWhatAStageReads)
{
    Texture2D* texture = textures_->AddTexture(true, false, "four", "", FourColours(&log_), nullptr);
    system_->SetTextureFilter(0, RenderSystem::kFilterPoint);
    system_->SetTextureMatrix(0, 1.0f, 1.0f, 0.5f, 0.0f);
    DrawQuad(texture, 0.0f, 0.0f, kWidth, kHeight);
    ExpectColour({0, 255, 0}, Pixel(200, 450), "top left reads the right column");
    ExpectColour({255, 0, 0}, Pixel(600, 450), "top right wraps round to the left column");
    ExpectColour({255, 255, 255}, Pixel(200, 150), "bottom left");
}

TEST_F(TextureGL, AMipMappedTextureDrawnSmallKeepsItsColour)
{
    Texture2D* texture = textures_->AddTexture(true, true, "strip", "", Plain(256, 64, {200, 50, 50}), nullptr);
    ASSERT_TRUE(texture->IsMipMapped());
    system_->SetTextureFilter(0, RenderSystem::kFilterMipMapped);
    // 256 x 64 texels on 16 x 4 pixels: only the small levels are read.
    DrawQuad(texture, 100.0f, 100.0f, 116.0f, 104.0f);
    ExpectColour({200, 50, 50}, Pixel(108, 102), "minified");
    ExpectColour({0, 0, 0}, Pixel(300, 300), "cleared");

    DrawQuad(texture, 0.0f, 0.0f, 512.0f, 128.0f);
    ExpectColour({200, 50, 50}, Pixel(256, 64), "magnified");
}

TEST_F(TextureGL, DrawnTexelsLiveOnlyInGLAndALostDeviceRebuildsThem)
{
    // Loaded from no file: a rebuild has only the kept pictures to go on.
    Texture2D* texture = textures_->AddTexture(true, true, "strip", "", Plain(64, 16, {30, 160, 90}), nullptr);
    ASSERT_NE(nullptr, texture->GetSurface()->GetLevelBits(0)) << "kept until the device holds them";
    DrawQuad(texture, 0.0f, 0.0f, 128.0f, 32.0f);
    ExpectColour({30, 160, 90}, Pixel(64, 16), "first draw");
    EXPECT_EQ(nullptr, texture->GetSurface()->GetLevelBits(0)) << "released once uploaded";
    DrawQuad(texture, 200.0f, 0.0f, 328.0f, 32.0f);
    ExpectColour({30, 160, 90}, Pixel(264, 16), "drawn again from GL's copy");

    driver_->SimulateDeviceLoss(Platform::kGraphicsErrWrongMode);
    system_->Refresh();
    ASSERT_TRUE(system_->IsResetRequired());
    driver_->EndDeviceLossSimulation();
    system_->ResetDevice(3);
    system_->Refresh();
    ASSERT_TRUE(system_->IsDeviceReady());
    ASSERT_NE(nullptr, texture->GetSurface()->GetLevelBits(0)) << "filled again from the kept pictures";
    // The device made again has no projection, and the render system's cache
    // still holds this one (cameras set theirs on the device every frame).
    system_->SetProjectionMatrix(Matrix4());
    Project();
    DrawQuad(texture, 0.0f, 100.0f, 128.0f, 132.0f);
    ExpectColour({30, 160, 90}, Pixel(64, 116), "rebuilt after the loss");
}

} // namespace
} // namespace OrrelayEngine
