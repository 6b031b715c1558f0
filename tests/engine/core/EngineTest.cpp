#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/NullEngine.h"
#include "engine/core/Window.h"
#include "support/AllocationCounter.h"
#include "support/ScopedPlatformFailure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

using namespace OrrelayEngine;

constexpr std::uint8_t kPrintScreenCode = 0xB7;

class EngineTest : public ::testing::Test, public EngineTests::NullEngine
{
protected:
    // Every line present, each after the one before; the failing line is named.
    static void ExpectInOrder(const std::string& log, const std::vector<std::string>& lines)
    {
        std::string::size_type from = 0;
        for (const std::string& line : lines) {
            const std::string::size_type at = log.find(line, from);
            ASSERT_NE(std::string::npos, at) << "missing or out of order: " << line;
            from = at + line.size();
        }
    }

    static std::size_t CountOf(const std::string& text, const std::string& what)
    {
        std::size_t count = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
            ++count;
        }
        return count;
    }
};

TEST(EngineSettings, NumbersAndFlagsStartCleared)
{
    const EngineSettings settings;
    EXPECT_EQ(0u, settings.version);
    EXPECT_FALSE(settings.saveConfigOnExit || settings.logEnabled || settings.logReopenPerMessage ||
                 settings.minimizeOnFocusLoss || settings.forceVideoMode || settings.forceFullscreenSetting ||
                 settings.fullscreenDefault || settings.renderOptionA || settings.renderOptionB ||
                 settings.centreWindow || settings.soundOption);
    EXPECT_EQ(nullptr, settings.hostWindow);
    EXPECT_EQ(0u, settings.iconId);
    EXPECT_EQ(0, settings.windowPosition.x);
    EXPECT_EQ(0, settings.windowPosition.y);
}

TEST_F(EngineTest, ServicesStartInOrderAndStopInReverse)
{
    Start();
    EXPECT_NE(nullptr, engine->GetSoundManager());
    EXPECT_FALSE(engine->IsComInitialized());
    Step();
    engine.reset();
    ExpectInOrder(LogText(), {"Window creation:", "Initialization of Direct3D subsystem...",
                              "Initialization of DirectInput devices...", "Initialization of DirectSound Subsystem:",
                              "DirectSound system destroying:", "DirectInput devices destroying:",
                              "Direct3D Subsystem destroying:", "Window destroying:", "Log end:"});
    EXPECT_TRUE(std::filesystem::exists(Native("Quillory.ini")));
}

TEST_F(EngineTest, WithoutAudioTheEngineRunsSilent)
{
    const TestSupport::ScopedPlatformFailure failAudio(Platform::AudioFailure::kOpen);
    Start();
    EXPECT_EQ(nullptr, engine->GetSoundSystem());
    EXPECT_EQ(nullptr, engine->GetSoundManager());
    for (int frame = 0; frame < 3; ++frame) {
        Step();
    }
    engine.reset();
    const std::string log = LogText();
    EXPECT_NE(std::string::npos, log.find("Failed to create a device"));
    EXPECT_EQ(std::string::npos, log.find("PROGRAM ABORTING")) << "no sound is no reason to stop";
    ExpectInOrder(log, {"DirectInput devices destroying:", "Direct3D Subsystem destroying:", "Log end:"});
}

TEST_F(EngineTest, TitleShowsTheVersionAsMajorDotMinor)
{
    const struct
    {
        const char* name;
        std::uint32_t version;
        const char* title;
    } cases[] = {
        {"Quillory", 104, "Quillory 1.04"},
        {"Quillory", 67, "Quillory 0.67"},
        {"Quillory", 1210, "Quillory 12.10"},
        {"", 500, "Orrelay Engine 0.67"},
    };
    settings.configName.clear();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        settings.applicationName = c.name;
        settings.version = c.version;
        Start();
        EXPECT_EQ(c.title, engine->MakeVersionString());
        EXPECT_EQ(c.title, engine->GetWindow()->GetAppWindow()->GetTitle());
        engine.reset();
    }
    EXPECT_TRUE(std::filesystem::exists(Native("Orrelay Engine.ini"))) << "an empty config name is the engine's";
}

TEST_F(EngineTest, ConfigIsNotSavedWhenAskedNotTo)
{
    settings.saveConfigOnExit = false;
    Start();
    engine.reset();
    EXPECT_FALSE(std::filesystem::exists(Native("Quillory.ini")));
}

TEST_F(EngineTest, PrintScreenIsCapturedInTheSameFrame)
{
    Start();
    Step();
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kPrintScreenCode, Platform::kInputDownFlag});
    engine->PreFrame();
    engine->Frame(0);
    EXPECT_TRUE(std::filesystem::exists(Native("ScreenCaptures/picture000.bmp")));
    EXPECT_TRUE(engine->GetConfig()->IsCommandIdle("sc_take_screenshot"));
}

TEST_F(EngineTest, EveryFrameAfterExitWasRequestedSaysSo)
{
    Start();
    Step();
    EXPECT_FALSE(engine->IsExitRequested());
    engine->RequestExit();
    EXPECT_TRUE(engine->IsExitRequested());
    for (int frame = 0; frame < 3; ++frame) {
        Step();
    }
    EXPECT_TRUE(engine->IsExitRequested());
    EXPECT_EQ(3u, CountOf(LogText(), "<BR>Exiting...<BR>"));
}

TEST_F(EngineTest, SteadyFrameAllocatesNothing)
{
    Start();
    for (int frame = 0; frame < 3; ++frame) {
        Step();
    }
    TestSupport::ScopedAllocationCount count;
    Step();
    EXPECT_EQ(0u, count.Count());
}

TEST_F(EngineTest, FailedStartReleasesWhatWasMadeAndClosesTheLog)
{
    const struct
    {
        const char* name;
        std::function<std::unique_ptr<TestSupport::ScopedPlatformFailure>(EngineTest&)> arrange;
        const char* fatal;
        std::vector<std::string> releasedAfter;
    } cases[] = {
        {"window",
         [](EngineTest&) {
             return std::make_unique<TestSupport::ScopedPlatformFailure>(Platform::WindowStep::CreateWindow);
         },
         "Failed to create window",
         {}},
        {"graphics device",
         [](EngineTest& test) {
             test.failDevice = true;
             return std::unique_ptr<TestSupport::ScopedPlatformFailure>();
         },
         "RenderSystem_D3D7: Failed to create Direct3D device",
         {"Window destroying:"}},
        {"input",
         [](EngineTest&) {
             return std::make_unique<TestSupport::ScopedPlatformFailure>(Platform::InputStep::CreateSystem,
                                                                         Platform::InputDeviceKind::Keyboard,
                                                                         Platform::InputResult::Generic);
         },
         "Failed to create a DirectInput object",
         {"Direct3D Subsystem destroying:", "Window destroying:"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            const auto failure = c.arrange(*this);
            EXPECT_THROW(Start(), FatalError);
            EXPECT_EQ(nullptr, engine);
        }
        failDevice = false;

        std::vector<std::string> expected = {std::string("PROGRAM ABORTING: ") + c.fatal};
        expected.insert(expected.end(), c.releasedAfter.begin(), c.releasedAfter.end());
        expected.push_back("Log end:");
        ExpectInOrder(LogText(), expected);
        EXPECT_FALSE(std::filesystem::exists(Native("Quillory.ini"))) << "a failed start saves nothing";
    }
}

} // namespace

// A start that ends fatally before the game registers its settings (no data
// pack, say) must not cost the player them: the save at shutdown writes their
// lines back untouched; only the video mode follows the render system's rule.
TEST_F(EngineTest, FailedStartKeepsTheLinesOfSettingsNotYetRegistered)
{
    const std::vector<std::string> before = {"c_invert_mouse 1",
                                             "g_draw_cursor 0",
                                             "g_music_volume 0.120000",
                                             "g_sound_volume 0.900000",
                                             "r_show_faces_edges 0",
                                             "r_show_faces_normals 0",
                                             "r_show_mip_maps 0",
                                             "r_show_octree_nodes 0",
                                             "r_texture_anisotropy 1",
                                             "r_use_mip_mapping 1",
                                             "sc_take_screenshot_format 2",
                                             "v_brightness 1.000000",
                                             "v_contrast 1.000000",
                                             "v_fullscreen 0",
                                             "v_gamma 1.000000",
                                             "v_mode 1024x768x32",
                                             "v_vsync 1",
                                             "z_unknown_tool some text"};
    {
        std::ofstream out(Native("Quillory.ini"), std::ios::binary);
        for (const std::string& line : before) {
            out << line << "\r\n";
        }
    }
    Start();
    EXPECT_THROW(engine->GetMessageManager()->LogFatal("Failed to open the data pack"), FatalError);
    engine.reset();

    std::ifstream in(Native("Quillory.ini"), std::ios::binary);
    std::vector<std::string> after;
    for (std::string line; std::getline(in, line);) {
        after.push_back(line.substr(0, line.find('\r')));
    }
    // Windowed at the desktop's size, the mode becomes the largest 4:3 window inside it.
    std::vector<std::string> expected = before;
    expected[15] = "v_mode 800x600x32";
    EXPECT_EQ(expected, after);
}
