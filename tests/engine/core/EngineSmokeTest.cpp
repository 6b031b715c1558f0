#include "engine/core/Engine.h"

#include "content/FontFileWriter.h"
#include "content/PackWriter.h"
#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/NullEngine.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/BmpCodec.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ModelManager.h"
#include "engine/sound/SoundManager.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace OrrelayEngine;

constexpr std::uint32_t kFontId = 1;
constexpr std::uint8_t kPrintScreenCode = 0xB7;

// The data set of the smoke test: one font, in the first pack.
void WritePack(const std::string& path)
{
    std::vector<FontFile::Glyph> glyphs;
    for (wchar_t character = L'A'; character <= L'Z'; ++character) {
        FontFile::Glyph glyph;
        glyph.character = character;
        glyph.du = 0.03f;
        glyph.dv = 0.03f;
        glyph.width = 0.6f;
        glyphs.push_back(glyph);
    }
    Content::PackWriter pack;
    pack.AddEntry("data\\ui\\fonts\\smoke.fnt", Content::FontFileWriter().Build(glyphs).GetBytes());
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    pack.Write(path);
}

// The real engine, headless: OpenGL through the offscreen video driver and
// SDL's dummy audio device, started from a scratch installation.
TEST(EngineSmoke, StartsDrawsCapturesAndShutsDown)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    EngineTests::NullEngine harness;
    Platform::SetOpenGlWindows(true);
    Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
    harness.factories = EngineFactories();
    TestSupport::PinGraphicsLibraries();
    // First in, last out: the GL driver keeps what it allocates on this thread.
    TestSupport::ScopedLeakCheckPause pause;
    {
        std::unique_ptr<Platform::GraphicsDriverGL> probe;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(16, 16, probe))) {
            GTEST_SKIP() << "no OpenGL context under this video driver";
        }
    }
    WritePack(harness.Native("Data/pack0.pak"));

    Engine& engine = harness.Start();
    ASSERT_NE(nullptr, engine.GetSoundManager()) << "the dummy audio device is a device";
    GUIManager* gui = engine.GetGUIManager();
    gui->SetScreenSize(800.0f, 600.0f);
    ASSERT_NE(nullptr, gui->GetFontManager()->LoadFont(kFontId, ShaderDescriptor(), "ui\\fonts\\smoke.fnt"));
    gui->GetFontManager()->FindFont(kFontId)->SetSize(20.0f);
    GUIWindow* window =
        gui->CreateQuadWindow(GUIWindow::kFlagShown | GUIWindow::kFlagColoredVertices, Vector2(100.0f, 100.0f),
                              Vector2(300.0f, 200.0f), ShaderDescriptor(), nullptr, Vector2(1.0f, 1.0f));
    window->SetColor(Color(1.0f, 0.0f, 0.0f, 1.0f));

    for (int frame = 0; frame < 4; ++frame) {
        if (frame == 3) {
            Platform::InputDevice::Deliver(
                Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kPrintScreenCode, Platform::kInputDownFlag});
        }
        engine.PreFrame();
        window->PrintText(0, kFontId, Vector2(10.0f, 10.0f), Color(0.0f, 0.0f, 1.0f, 1.0f), L"SMOKE");
        engine.Frame(0);
    }
    EXPECT_GT(engine.GetModelManager()->GetStatistics().drawnModels, 0u);

    Image picture;
    {
        std::unique_ptr<FileBinary> file =
            engine.GetFileManager()->OpenFile(harness.settings.logFolder + "\\ScreenCaptures\\picture000.bmp", false);
        BmpCodec::Read(engine.GetMessageManager(), *file, "picture000.bmp", picture);
    }
    ASSERT_EQ(800u, picture.GetWidth());
    ASSERT_EQ(600u, picture.GetHeight());
    const std::uint32_t bytes = picture.GetBitsPerPixel() / 8;
    const auto pixel = [&](std::uint32_t x, std::uint32_t y) {
        return picture.GetData() + (static_cast<std::size_t>(y) * picture.GetWidth() + x) * bytes;
    };
    const std::uint8_t* inside = pixel(300, 250);
    EXPECT_GT(inside[0], 200) << "the window's red";
    EXPECT_LT(inside[1], 50);
    EXPECT_LT(inside[2], 50);
    EXPECT_LT(pixel(600, 450)[0], 50) << "the cleared screen beside it";

    engine.RequestExit();
    harness.Step();
    EXPECT_TRUE(engine.IsExitRequested());
    harness.engine.reset();

    const std::string log = harness.LogText();
    const char* const lines[] = {"Window creation:",
                                 "Initialization of Direct3D subsystem...",
                                 "Initialization of DirectInput devices...",
                                 "Initialization of DirectSound Subsystem:",
                                 "Exiting...",
                                 "DirectSound system destroying:",
                                 "DirectInput devices destroying:",
                                 "Direct3D Subsystem destroying:",
                                 "Window destroying:",
                                 "Log end:"};
    std::string::size_type from = 0;
    for (const char* line : lines) {
        const std::string::size_type at = log.find(line, from);
        ASSERT_NE(std::string::npos, at) << "missing or out of order: " << line;
        from = at;
    }
    EXPECT_EQ(std::string::npos, log.find("PROGRAM ABORTING"));
    EXPECT_TRUE(std::filesystem::exists(harness.Native("Quillory.ini")));
}

} // namespace
