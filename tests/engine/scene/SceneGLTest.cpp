// The render pass and the screen capture on a real OpenGL context under the
// offscreen video driver: pixels are read back from the back buffer.
#include "support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ScreenCapture.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelManager.h"
#include "platform/AviTestReader.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

namespace OrrelayEngine {
namespace {

class SceneGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        log_.SetSpacing(false);
        std::unique_ptr<Platform::GraphicsDriverGL> made;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(64, 64, made))) {
            GTEST_SKIP() << "no OpenGL context under this video driver";
        }
        driver_ = made.get();
        system_ = std::make_unique<RenderSystem_D3D7>(&log_, &config_, nullptr, true, false, std::move(made));
        system_->Refresh();
        files_ = std::make_unique<FileManager>(&log_, folder_.string(), "");
        cameras_ = std::make_unique<CameraManager>(&log_, nullptr, system_.get());
        shaders_ = std::make_unique<ShaderManager>(&log_, files_.get(), &timers_, &config_, system_.get());
        models_ = std::make_unique<ModelManager>(&log_, files_.get(), &timers_, system_.get(), cameras_.get(), nullptr,
                                                 shaders_.get());
    }

    void TearDown() override
    {
        models_.reset();
        shaders_.reset();
        cameras_.reset();
        files_.reset();
        system_.reset();
    }

    // A cube 5 units in front of the camera whose face towards the camera is
    // red and whose far face is green; the other faces are blue.
    Model* AddCube()
    {
        std::unique_ptr<Model> source(
            models_->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), nullptr, nullptr, Model::kFlagVertexColor));
        Model* cube = models_->CreateCopy(source.get(), nullptr, 0);
        cube->ClearFlags(Model::kFlagLit);
        MatrixSetTranslation(cube->matrix, Vector3(0, 0, -5));
        VertexBuffer* buffer = cube->GetVertexBuffer();
        ColoredVertex* vertices = buffer->LockColoredVertices(0, 24);
        for (std::uint32_t i = 0; i < 24; ++i) {
            const float nz = vertices[i].nz;
            vertices[i].color = nz > 0.5f    ? buffer->PackColor(1, 0, 0, 1)
                                : nz < -0.5f ? buffer->PackColor(0, 1, 0, 1)
                                             : buffer->PackColor(0, 0, 1, 1);
        }
        buffer->Unlock();
        return cube;
    }

    void DrawFrame()
    {
        cameras_->Update();
        models_->RenderAll();
    }

    // x from the left, y from the bottom; red, green, blue. A failed read still
    // fills rgb (with black), since an assertion here would return only from
    // this helper and leave the caller reading garbage.
    void ReadPixel(std::uint32_t x, std::uint32_t y, std::uint8_t rgb[3])
    {
        std::uint8_t bgra[4] = {};
        const std::uint32_t height = system_->GetCurrentMode()->height;
        EXPECT_EQ(Platform::kGraphicsOk, driver_->ReadBackBuffer(x, height - 1 - y, 1, 1, bgra));
        rgb[0] = bgra[2];
        rgb[1] = bgra[1];
        rgb[2] = bgra[0];
    }

    TestSupport::ScratchFolder scratch_;
    std::filesystem::path folder_ = scratch_.Root();
    TestSupport::ScopedLeakCheckPause pause_;
    MessageManager log_{"Test", false, false, "", ""};
    Config config_{&log_, nullptr, "folder", "", false, "", false, false};
    TimerManager timers_;
    Platform::GraphicsDriverGL* driver_ = nullptr;
    std::unique_ptr<RenderSystem_D3D7> system_;
    std::unique_ptr<FileManager> files_;
    std::unique_ptr<CameraManager> cameras_;
    std::unique_ptr<ShaderManager> shaders_;
    std::unique_ptr<ModelManager> models_;
};

TEST_F(SceneGLTest, ABoxIsDrawnByItsFrontFacesInTheMiddleOfTheScreen)
{
    ASSERT_TRUE(system_->IsDeviceReady());
    AddCube();
    system_->SetClearColor(Color(0, 0, 0, 1));
    DrawFrame();
    const std::uint32_t width = system_->GetCurrentMode()->width;
    const std::uint32_t height = system_->GetCurrentMode()->height;
    std::uint8_t centre[3];
    ReadPixel(width / 2, height / 2, centre);
    EXPECT_EQ(centre[0], 255) << "the near face is drawn, not culled";
    EXPECT_EQ(centre[1], 0) << "the far face is culled or hidden";
    std::uint8_t corner[3];
    ReadPixel(2, 2, corner);
    EXPECT_EQ(corner[0] + corner[1] + corner[2], 0);
    EXPECT_EQ(models_->GetStatistics().drawnModels, 1u);
}

TEST_F(SceneGLTest, ScreenshotsAndMovieFramesHoldTheBackBuffer)
{
    AddCube();
    ScreenCapture capture(&log_, files_.get(), &config_, system_.get(), (folder_ / "ScreenCaptures").string());
    DrawFrame();
    Image screen;
    system_->CopyScreenToImage(screen);
    screen.ConvertBitDepth(24);
    config_.SetCommandIdle("sc_take_screenshot", false);
    capture.Update();
    Image saved;
    ASSERT_TRUE(saved.Load(&log_, files_.get(), (folder_ / "ScreenCaptures").string() + "\\picture000.bmp"));
    ASSERT_EQ(saved.GetWidth(), screen.GetWidth());
    ASSERT_EQ(saved.GetBitsPerPixel(), 24u);
    EXPECT_EQ(0, std::memcmp(saved.GetData(), screen.GetData(), static_cast<std::size_t>(screen.GetDataSize())));

    // Three frames, each cleared to another colour.
    config_.SetCommandIdle("sc_start_movie_record", false);
    const Color clears[] = {Color(1, 0, 0, 1), Color(0, 1, 0, 1), Color(0, 0, 1, 1)};
    std::vector<std::array<std::uint8_t, 3>> corners;
    for (const Color& clear : clears) {
        system_->SetClearColor(clear);
        DrawFrame();
        capture.Update();
        std::uint8_t rgb[3];
        ReadPixel(0, 0, rgb);
        corners.push_back({rgb[0], rgb[1], rgb[2]});
        system_->SwapBuffers();
    }
    config_.SetCommandIdle("sc_stop_movie_record", false);
    capture.Update();
    const PlatformTests::AviTestReader movie((folder_ / "ScreenCaptures" / "movie000.avi").string());
    ASSERT_TRUE(movie.valid) << movie.error;
    ASSERT_EQ(movie.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        // The bottom-left pixel is the frame's first, stored blue first.
        EXPECT_EQ(movie.frames[i][0], corners[i][2]);
        EXPECT_EQ(movie.frames[i][1], corners[i][1]);
        EXPECT_EQ(movie.frames[i][2], corners[i][0]);
    }
    EXPECT_EQ(movie.frames[0][2], 255);
    EXPECT_EQ(movie.frames[2][0], 255);
}

} // namespace
} // namespace OrrelayEngine
