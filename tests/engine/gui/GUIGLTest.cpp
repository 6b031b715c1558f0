// The GUI on a real OpenGL context under the offscreen video driver: windows,
// fonts and their batches go through the GUI manager and the model manager's
// render pass, and pixels are read back from the back buffer. One GUI unit is
// one pixel.
#include "support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "content/FontRasterizer.h"
#include "content/TgaFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "platform/GraphicsDriverGL.h"
#include "support/AllocationCounter.h"
#include "support/LeakCheckPause.h"

namespace OrrelayEngine {
namespace {

// The render system gives the back buffer its configured mode's size.
constexpr std::uint32_t kScreenWidth = 800;
constexpr std::uint32_t kScreenHeight = 600;
constexpr const char* kBlockFont = "ui\\fonts\\block.fnt";

class GUIGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::unique_ptr<Platform::GraphicsDriverGL> made;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(kScreenWidth, kScreenHeight, made))) {
            GTEST_SKIP() << "no OpenGL context under this video driver";
        }
        driver_ = made.get();
        system_ = std::make_unique<RenderSystem_D3D7>(&log_, &config_, nullptr, true, false, std::move(made));
        system_->Refresh();
        system_->SetClearColor(Color(0, 0, 0, 1));
        files_ = std::make_unique<FileManager>(&log_, folder_.string(), "");
        cameras_ = std::make_unique<CameraManager>(&log_, nullptr, system_.get());
        shaders_ = std::make_unique<ShaderManager>(&log_, files_.get(), &timers_, &config_, system_.get());
        models_ = std::make_unique<ModelManager>(&log_, files_.get(), &timers_, system_.get(), cameras_.get(), nullptr,
                                                 shaders_.get());
        // No input and no sound: the mouse rests at the origin.
        gui_ = std::make_unique<GUIManager>(&log_, files_.get(), nullptr, &timers_, cameras_.get(), shaders_.get(),
                                            models_.get(), nullptr, nullptr);
        gui_->SetScreenSize(static_cast<float>(Width()), static_cast<float>(Height()));
    }

    void TearDown() override
    {
        gui_.reset();
        models_.reset();
        shaders_.reset();
        cameras_.reset();
        files_.reset();
        system_.reset();
    }

    std::uint32_t Width() const { return system_->GetCurrentMode()->width; }
    std::uint32_t Height() const { return system_->GetCurrentMode()->height; }

    void SaveFile(const std::string& dataName, const Content::ByteBuffer& bytes)
    {
        std::string name = dataName;
        std::replace(name.begin(), name.end(), '\\', '/');
        const std::filesystem::path path = folder_ / "data" / name;
        std::filesystem::create_directories(path.parent_path());
        bytes.Save(path.string());
    }

    // A 2 x 2 32-bit picture, rows top first.
    void SavePicture(const std::string& name, const std::vector<std::uint8_t>& rgba)
    {
        Content::FixturePicture picture;
        picture.width = 2;
        picture.height = 2;
        picture.channels = 4;
        picture.pixels = rgba;
        SaveFile(name, Content::TgaFileWriter(picture).Build());
    }

    static std::vector<std::uint8_t> Plain(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    }

    // A font whose 'X' is a solid white square as high as the font.
    void LoadBlockFont(float size)
    {
        SavePicture("ui\\fonts\\block.tga", Plain(255, 255, 255));
        FontFile::Glyph block;
        block.character = L'X';
        block.u = 0.0f;
        block.v = 0.0f;
        block.du = 1.0f;
        block.dv = 1.0f;
        block.width = 1.0f;
        SaveFile(kBlockFont, Content::FontFileWriter().Build({block}));
        GUIFont* font = gui_->GetFontManager()->LoadFont(
            0, MakeSingleTextureShaderDescriptor("ui\\fonts\\block.tga", "32bit", true), kBlockFont);
        font->SetSize(size);
    }

    void DrawFrame()
    {
        gui_->Update();
        gui_->Render();
        shaders_->UpdateShaderUsers();
        cameras_->Update();
        models_->RenderAll();
    }

    // x from the left, y from the bottom; red, green, blue. A failed read fails
    // the test and leaves black: an ASSERT would only leave this helper.
    void ReadPixel(std::uint32_t x, std::uint32_t y, std::uint8_t rgb[3])
    {
        std::uint8_t bgra[4] = {};
        EXPECT_EQ(Platform::kGraphicsOk, driver_->ReadBackBuffer(x, Height() - 1 - y, 1, 1, bgra));
        rgb[0] = bgra[2];
        rgb[1] = bgra[1];
        rgb[2] = bgra[0];
    }

    // The mean row (from the bottom) of the lit pixels in the given box.
    double MeanInkRow(std::uint32_t left, std::uint32_t bottom, std::uint32_t width, std::uint32_t height)
    {
        std::vector<std::uint8_t> bgra(static_cast<std::size_t>(width) * height * 4);
        EXPECT_EQ(Platform::kGraphicsOk,
                  driver_->ReadBackBuffer(left, Height() - (bottom + height), width, height, bgra.data()));
        double sum = 0.0;
        std::uint32_t count = 0;
        for (std::uint32_t rowFromTop = 0; rowFromTop < height; ++rowFromTop) {
            for (std::uint32_t x = 0; x < width; ++x) {
                if (bgra[(static_cast<std::size_t>(rowFromTop) * width + x) * 4 + 2] > 128) {
                    sum += bottom + height - 1 - rowFromTop;
                    ++count;
                }
            }
        }
        return count > 0 ? sum / count : -1.0;
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
    std::unique_ptr<GUIManager> gui_;
};

TEST_F(GUIGLTest, AQuadWindowShowsItsPictureUpright)
{
    // Red and green on top, blue and white below.
    SavePicture("ui\\quarters.tga", {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    gui_->CreateQuadWindow(
        GUIWindow::kFlagShown, Vector2(), Vector2(static_cast<float>(Width()), static_cast<float>(Height())),
        MakeSingleTextureShaderDescriptor("ui\\quarters.tga", "", true), nullptr, Vector2(1.0f, 1.0f));
    DrawFrame();
    struct Case
    {
        const char* name;
        std::uint32_t x, y;
        bool r, g, b;
    };
    const std::uint32_t left = Width() / 4;
    const std::uint32_t right = Width() * 3 / 4;
    const std::uint32_t bottom = Height() / 4;
    const std::uint32_t top = Height() * 3 / 4;
    const Case cases[] = {{"top left", left, top, true, false, false},
                          {"top right", right, top, false, true, false},
                          {"bottom left", left, bottom, false, false, true},
                          {"bottom right", right, bottom, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint8_t rgb[3] = {};
        ReadPixel(c.x, c.y, rgb);
        EXPECT_EQ(rgb[0] > 200, c.r);
        EXPECT_EQ(rgb[1] > 200, c.g);
        EXPECT_EQ(rgb[2] > 200, c.b);
    }
}

TEST_F(GUIGLTest, AnUnderscoreInksTheLowerPartOfItsQuadAndAMacronTheUpper)
{
    Content::FontRasterizer::Result raster;
    try {
        raster = Content::FontRasterizer::Rasterize(Content::FontRasterizer::DejaVuSansPath(),
                                                    {{0x5F, 0x5F}, {0xAF, 0xAF}}, 32);
    } catch (const FileError& error) {
        GTEST_SKIP() << error.GetMessage();
    }
    SaveFile("ui\\fonts\\sans.tga", Content::TgaFileWriter(raster.atlas).Build());
    SaveFile("ui\\fonts\\sans.fnt", Content::FontFileWriter().Build(raster.glyphs));
    GUIFont* font = gui_->GetFontManager()->LoadFont(
        0, MakeSingleTextureShaderDescriptor("ui\\fonts\\sans.tga", "32bit", true), "ui\\fonts\\sans.fnt");
    const float size = 64.0f;
    font->SetSize(size);
    GUIWindow* window =
        gui_->CreateWindowFromModel(GUIWindow::kFlagShown, Vector2(), Vector2(128.0f, 128.0f), nullptr, nullptr);
    const std::uint32_t bottom = 32;
    for (const wchar_t character : {L'_', L'\x00AF'}) {
        SCOPED_TRACE(static_cast<int>(character));
        ASSERT_NE(font->FindGlyph(character), nullptr);
        const auto width = static_cast<std::uint32_t>(font->FindGlyph(character)->width * size);
        window->PrintText(0, 0, Vector2(16.0f, static_cast<float>(bottom)), Color(1, 1, 1, 1),
                          std::wstring(1, character));
        DrawFrame();
        const double row = MeanInkRow(16, bottom, width, static_cast<std::uint32_t>(size));
        ASSERT_GE(row, 0.0) << "the glyph left no ink";
        const double middle = bottom + size / 2.0;
        if (character == L'_') {
            EXPECT_LT(row, middle);
        } else {
            EXPECT_GT(row, middle);
        }
    }
}

TEST_F(GUIGLTest, TextLiesInFrontOfItsWindow)
{
    LoadBlockFont(32.0f);
    SavePicture("ui\\red.tga", Plain(255, 0, 0));
    const ShaderDescriptor red = MakeSingleTextureShaderDescriptor("ui\\red.tga", "", true);
    GUIWindow* panel = gui_->CreateQuadWindow(GUIWindow::kFlagShown | GUIWindow::kFlagLayerHigh, Vector2(),
                                              Vector2(128.0f, 128.0f), red, nullptr, Vector2(1.0f, 1.0f));
    GUIWindow* child = gui_->CreateQuadWindow(GUIWindow::kFlagShown, Vector2(64.0f, 64.0f), Vector2(64.0f, 64.0f), red,
                                              panel, Vector2(1.0f, 1.0f));
    panel->PrintText(0, 0, Vector2(16.0f, 16.0f), Color(1, 1, 1, 1), L"X");
    child->PrintText(0, 0, Vector2(16.0f, 16.0f), Color(0, 1, 0, 1), L"X");
    DrawFrame();
    std::uint8_t rgb[3] = {};
    ReadPixel(32, 32, rgb);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 255) << "the panel's text over the panel";
    ReadPixel(96, 96, rgb);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[1], 255) << "the child's text over the child";
    ReadPixel(8, 8, rgb);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 0);
}

TEST_F(GUIGLTest, ASteadyGUIFrameAllocatesNothing)
{
    LoadBlockFont(10.0f);
    SavePicture("ui\\quarters.tga", Plain(40, 80, 120));
    const ShaderDescriptor quarters = MakeSingleTextureShaderDescriptor("ui\\quarters.tga", "", true);
    gui_->GetTextManager()->SetText("SCORE_3", L"XX X");
    GUIWindow* panel = gui_->CreateQuadWindow(GUIWindow::kFlagShown | GUIWindow::kFlagLayerMiddle, Vector2(),
                                              Vector2(128.0f, 128.0f), quarters, nullptr, Vector2(1.0f, 1.0f));
    std::vector<GUIWindow*> printed = {panel};
    for (int i = 0; i < 4; ++i) {
        const Vector2 corner(static_cast<float>(i * 30), 10.0f);
        printed.push_back(gui_->CreateQuadWindow(GUIWindow::kFlagShown, corner, Vector2(25.0f, 25.0f), quarters, panel,
                                                 Vector2(1.0f, 1.0f)));
        printed.push_back(
            gui_->CreateButton(GUIWindow::kFlagShown, corner, Vector2(25.0f, 25.0f), panel->GetModel(), panel));
    }
    GUIEditBox* box =
        gui_->CreateEditBox(GUIWindow::kFlagShown, Vector2(0.0f, 80.0f), Vector2(128.0f, 20.0f), panel->GetModel(),
                            panel, 0, Color(1, 1, 1, 1), Vector2(4.0f, 4.0f), L'X', 20, 1000.0f, 100.0f);
    box->SetText(L"XXXX");
    gui_->CreateCursor(quarters, 16.0f)->SetVisible(true);

    auto frame = [&] {
        timers_.Update();
        for (GUIWindow* window : printed) {
            window->PrintText(1 | 2, 0, Vector2(), Color(1, 1, 1, 1), L"X X");
            window->PrintTextKey(0, 0, Vector2(2.0f, 2.0f), Color(1, 1, 0, 1), "score_", 3, 0.0f, 8.0f);
        }
        DrawFrame();
        models_->PresentFrame();
    };
    for (int i = 0; i < 3; ++i) {
        frame();
    }
    std::size_t allocations = 0;
    {
        TestSupport::ScopedAllocationCount counter;
        for (int i = 0; i < 60; ++i) {
            frame();
        }
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(gui_->GetFontManager()->GetBatchCount(), 2u) << "one for the panel, one for its children";
}

} // namespace
} // namespace OrrelayEngine
