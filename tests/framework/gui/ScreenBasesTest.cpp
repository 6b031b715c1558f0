#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/DataKeeper.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageInfo.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/StageRecord.h"
#include "framework/gui/GUIDeleteProfileWindowBase.h"
#include "framework/gui/GUIGameLogicMenuWindowBase.h"
#include "framework/gui/GUIGameLogicWindowBase.h"
#include "framework/gui/GUIHighScoresWindowBase.h"
#include "framework/gui/GUILoadingWindowBase.h"
#include "framework/gui/GUINewProfileWindowBase.h"
#include "framework/gui/GUIOptionsWindowBase.h"
#include "framework/gui/GUIRenameProfileWindowBase.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/GraphicsDevice.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"
#include "tests/engine/core/NullEngine.h"
#include "tests/framework/TestProfiles.h"

namespace {

using namespace GameFramework;
using OrrelayEngine::Engine;

constexpr char kUpdateVideoMode[] = "g_update_video_mode";
constexpr char kWindowChangeMode[] = "v_window_change_mode";

// A keeper whose load throws what it is given, or does nothing.
class InstantKeeper : public DataKeeper
{
public:
    explicit InstantKeeper(Engine* engine, bool threaded = true, std::string error = "")
        : DataKeeper(engine, LanguageInfo{}, threaded), error_(std::move(error))
    {}
    ~InstantKeeper() override { StopLoading(); }
    void LoadResources() override
    {
        if (!error_.empty())
            throw OrrelayEngine::Error(error_);
    }

private:
    std::string error_;
};

// An engine over the null driver with a profile list, a mixer and the game's
// video-mode command, as the screens find them in the game.
class ScreenBasesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine_ = &harness_.Start();
        config_ = engine_->GetConfig();
        config_->AddVariable(kUpdateVideoMode, OrrelayEngine::kConfigCommand, false, false, nullptr, "", false);
        mixer_ = std::make_unique<Mixer>(engine_, 0.5f, 0.5f);
        profiles_ = std::make_unique<FrameworkTests::TestProfileManager>(
            engine_->GetMessageManager(), engine_->GetFileManager(), mixer_.get(), harness_.settings.logFolder);
    }

    bool Issued(const char* command) const { return !config_->IsCommandIdle(command); }
    std::filesystem::path IniFile() const { return harness_.Native("Quillory.ini"); }

    EngineTests::NullEngine harness_;
    Engine* engine_ = nullptr;
    OrrelayEngine::Config* config_ = nullptr;
    std::unique_ptr<Mixer> mixer_;
    std::unique_ptr<FrameworkTests::TestProfileManager> profiles_;
};

std::vector<std::string> ModeTexts(const GUIOptionsWindowBase& options)
{
    std::vector<std::string> texts;
    for (const auto& mode : options.GetVideoModes())
        texts.push_back(mode->text);
    return texts;
}

TEST_F(ScreenBasesTest, VideoModesAreListedOnceInOrderAndShowFallsBackToTheDefault)
{
    GUIOptionsWindowBase options(engine_, mixer_.get(), profiles_.get());
    options.AddVideoMode(1024, 768);
    options.AddVideoMode(800, 600);
    options.AddVideoMode(800, 600);
    options.AddVideoMode(1024, 600);
    EXPECT_EQ((std::vector<std::string>{"800x600", "1024x600", "1024x768"}), ModeTexts(options));

    // The default v_mode is 800x600x32.
    struct Case
    {
        const char* current;
        bool listDefault;
        std::uint32_t selected;
        std::uint32_t bits;
    };
    // Listed: 640x480, the default when asked for, 1024x768.
    for (const Case& c : {Case{"1024x768x16", true, 2, 16}, Case{"1280x1024x32", true, 1, 32},
                          Case{"1280x1024x32", false, 0, 32}, Case{"1024x768x16", false, 1, 16}}) {
        SCOPED_TRACE(c.current);
        GUIOptionsWindowBase screen(engine_, mixer_.get(), profiles_.get());
        if (c.listDefault)
            screen.AddVideoMode(800, 600);
        screen.AddVideoMode(1024, 768);
        screen.AddVideoMode(640, 480);
        config_->GetValues()->videoMode = c.current;
        screen.SetSelectedMode(7);
        screen.Show();
        EXPECT_EQ(c.selected, screen.GetSelectedMode());
        EXPECT_EQ(c.bits, screen.GetBitsPerPixel());
    }
}

TEST_F(ScreenBasesTest, ApplySavesAlwaysAndAsksForAModeChangeOnlyWhenSomethingChanged)
{
    profiles_->SetCurrentProfile(profiles_->AddProfile(L"Ann"), true);
    ProfileBase* ann = profiles_->GetCurrentProfile();
    config_->GetValues()->videoMode = "800X600x32";
    config_->GetValues()->fullscreen = 1;

    GUIOptionsWindowBase options(engine_, mixer_.get(), profiles_.get());
    options.AddVideoMode(800, 600);
    options.AddVideoMode(1024, 768);
    options.Show();

    std::filesystem::remove(IniFile());
    mixer_->SetMusicVolume(0.25f);
    options.Apply();
    EXPECT_FALSE(Issued(kUpdateVideoMode)) << "the mode differs from v_mode in letter case only";
    EXPECT_TRUE(std::filesystem::exists(IniFile())) << "the configuration is saved all the same";
    EXPECT_FLOAT_EQ(0.25f, ann->GetSettings().musicVolume);

    options.SetSelectedMode(1);
    options.Apply();
    EXPECT_TRUE(Issued(kUpdateVideoMode));
    EXPECT_EQ("1024x768x32", config_->GetValues()->videoMode);

    config_->SetCommandIdle(kUpdateVideoMode, true);
    options.SetFullscreen(false);
    options.Apply();
    EXPECT_TRUE(Issued(kUpdateVideoMode));
    EXPECT_EQ(0, config_->GetValues()->fullscreen);
}

TEST_F(ScreenBasesTest, WithoutACurrentProfileOnlyTheConfigurationIsSaved)
{
    GUIOptionsWindowBase options(engine_, mixer_.get(), profiles_.get());
    GUIGameLogicMenuWindowBase menu(engine_, mixer_.get(), profiles_.get());
    std::filesystem::remove(IniFile());
    options.Apply();
    EXPECT_TRUE(std::filesystem::exists(IniFile()));
    std::filesystem::remove(IniFile());
    menu.Hide();
    EXPECT_TRUE(std::filesystem::exists(IniFile()));
}

TEST_F(ScreenBasesTest, TheWindowedFlagIsAppliedOnlyWhenItChanged)
{
    config_->GetValues()->fullscreen = 1;
    GUIGameLogicMenuWindowBase menu(engine_, mixer_.get(), profiles_.get());
    menu.Show();
    std::filesystem::remove(IniFile());
    menu.ApplyWindowedFlag();
    EXPECT_FALSE(Issued(kWindowChangeMode));
    EXPECT_FALSE(std::filesystem::exists(IniFile()));

    menu.SetFullscreen(false);
    menu.ApplyWindowedFlag();
    EXPECT_TRUE(Issued(kWindowChangeMode));
    EXPECT_EQ(0, config_->GetValues()->fullscreen);
    EXPECT_TRUE(std::filesystem::exists(IniFile()));

    // Alt+Enter flips the mode while the menu is open: the menu follows.
    config_->GetValues()->fullscreen = 1;
    menu.Update();
    EXPECT_TRUE(menu.IsFullscreen());
}

TEST_F(ScreenBasesTest, RenameAcceptsTheSameNameInOtherCaseAndRefusesATakenOne)
{
    profiles_->AddProfile(L"Ann");
    profiles_->AddProfile(L"Bob");
    GUIRenameProfileWindowBase rename(engine_, profiles_.get());
    rename.Show(true, L"Ann");

    EXPECT_TRUE(rename.RenameProfile(L"ANN"));
    EXPECT_NE(nullptr, profiles_->FindProfile(L"Ann"));
    EXPECT_EQ(L"Ann", profiles_->FindProfile(L"ann")->GetName()) << "nothing renamed";

    EXPECT_FALSE(rename.RenameProfile(L"bob"));
    EXPECT_EQ(L"Ann", profiles_->FindProfile(L"ann")->GetName());

    rename.Show(false, L"ignored");
    EXPECT_TRUE(rename.RenameProfile(L"Cid"));
    EXPECT_EQ(nullptr, profiles_->FindProfile(L"Ann"));
    EXPECT_NE(nullptr, profiles_->FindProfile(L"Cid"));
}

TEST_F(ScreenBasesTest, ProfileScreensCreateAndDeleteProfilesAndMoveTheCurrentOne)
{
    GUIWelcomeWindowBase welcome(engine_, profiles_.get());
    welcome.CreateProfile(L"Ann");
    welcome.CreateProfile(L"ANN");
    EXPECT_EQ(1u, profiles_->GetProfileCount()) << "the welcome screen takes the listed profile";
    EXPECT_EQ(L"Ann", profiles_->GetCurrentProfile()->GetName());

    GUINewProfileWindowBase newProfile(engine_, profiles_.get());
    EXPECT_FALSE(newProfile.CreateProfile(L"ann"));
    EXPECT_EQ(L"Ann", profiles_->GetCurrentProfile()->GetName());
    EXPECT_TRUE(newProfile.CreateProfile(L"Bob"));
    EXPECT_EQ(L"Bob", profiles_->GetCurrentProfile()->GetName());

    FrameworkTests::TestProfileManager reread(engine_->GetMessageManager(), engine_->GetFileManager(), mixer_.get(),
                                              harness_.settings.logFolder);
    reread.Load();
    ASSERT_NE(nullptr, reread.GetCurrentProfile()) << "the list was saved with its current profile";
    EXPECT_EQ(L"Bob", reread.GetCurrentProfile()->GetName());

    GUIDeleteProfileWindowBase remove(engine_, profiles_.get());
    remove.Show(L"Bob");
    remove.DeleteProfile();
    EXPECT_EQ(nullptr, profiles_->FindProfile(L"Bob"));
    EXPECT_EQ(L"Ann", profiles_->GetCurrentProfile()->GetName());
}

TEST_F(ScreenBasesTest, TheInGameScreenAddsTheLevelScoreToTheProfilesAndForgetsBothOnHide)
{
    profiles_->SetCurrentProfile(profiles_->AddProfile(L"Ann"), true);
    profiles_->GetCurrentProfile()->SetTotalScore(500);
    StageRecord stage;
    LevelRecord level;
    GameLogicBase logic(engine_, mixer_.get(), &stage, &level, 3);
    logic.SetScore(120);
    GUIGameLogicWindowBase screen(engine_, profiles_.get());
    screen.Show(&logic);
    EXPECT_EQ(620u, screen.GetTotalScore());
    screen.Hide();
    EXPECT_EQ(nullptr, screen.GetGameLogic());
    EXPECT_EQ(nullptr, screen.GetProfile());
}

TEST_F(ScreenBasesTest, DefaultsResetTheMixerButNotTheScreensVolumes)
{
    GUIOptionsWindowBase options(engine_, mixer_.get(), profiles_.get());
    options.AddVideoMode(640, 480);
    options.AddVideoMode(800, 600);
    options.Show();
    options.SetSoundVolume(0.2f);
    options.SetMusicVolume(1.7f);
    options.ApplyVolumes();
    EXPECT_FLOAT_EQ(0.2f, mixer_->GetSoundVolume());
    EXPECT_FLOAT_EQ(1.0f, mixer_->GetMusicVolume()) << "the mixer clamps";

    options.SetSelectedMode(0);
    options.SetFullscreen(false);
    options.SetDefaults();
    EXPECT_EQ(1u, options.GetSelectedMode());
    EXPECT_EQ(32u, options.GetBitsPerPixel());
    EXPECT_TRUE(options.IsFullscreen());
    EXPECT_FLOAT_EQ(0.5f, mixer_->GetSoundVolume());
    EXPECT_FLOAT_EQ(0.5f, mixer_->GetMusicVolume());
    EXPECT_FLOAT_EQ(0.2f, options.GetSoundVolume());
}

TEST_F(ScreenBasesTest, TheHighScoreScreenKeepsThePointerToTheNewEntry)
{
    HighScoresTable table(engine_, 10, harness_.settings.logFolder);
    const HighScoreEntry* entry = table.Insert(L"Ann", 0, 620);
    ASSERT_NE(nullptr, entry);
    GUIHighScoresWindowBase scores(engine_, &table);
    scores.Show(11, entry);
    EXPECT_EQ(entry, scores.GetNewEntry());
    EXPECT_EQ(620u, scores.GetNewEntry()->score);
    scores.Show(2, nullptr);
    EXPECT_EQ(nullptr, scores.GetNewEntry());
}

// Microseconds of the manual clock that Run took.
std::uint64_t TimedRun(GUILoadingWindowBase& loading)
{
    const std::uint64_t before = Platform::GetPerformanceCounter();
    loading.Run();
    return Platform::GetPerformanceCounter() - before;
}

TEST(LoadingWindowBase, AnInstantLoadTakesOnePollAfterEveryPendingMessageWithoutSound)
{
    EngineTests::NullEngine harness;
    Platform::AudioDevice::SetFailureForTests(Platform::AudioFailure::kOpen);
    Engine& engine = harness.Start();
    ASSERT_EQ(nullptr, engine.GetSoundManager());
    Platform::SetManualClock(true);

    for (bool threadedKeeper : {true, false}) {
        SCOPED_TRACE(threadedKeeper ? "keeper with a thread of its own" : "keeper loading in place");
        for (int i = 0; i < 200; ++i)
            Platform::PostWindowMessage(*engine.GetWindow()->GetAppWindow(), {Platform::WindowMessageType::KeyUp, 0});
        InstantKeeper keeper(&engine, threadedKeeper);
        GUILoadingWindowBase loading(&engine);
        loading.Show(&keeper);
        EXPECT_LE(TimedRun(loading), GUILoadingWindowBase::kPollMilliseconds * 1000u);
        EXPECT_TRUE(loading.IsDone());
        EXPECT_FALSE(Platform::DispatchNextEvent()) << "a message was left pending";
    }
    Platform::SetManualClock(false);
}

TEST(LoadingWindowBase, ALoadingErrorLeavesRunOnTheMainThread)
{
    EngineTests::NullEngine harness;
    Engine& engine = harness.Start();
    InstantKeeper keeper(&engine, true, "broken list");
    GUILoadingWindowBase loading(&engine);
    loading.Show(&keeper);
    try {
        loading.Run();
        FAIL() << "the error was lost";
    } catch (const OrrelayEngine::Error& error) {
        EXPECT_EQ("broken list", error.GetMessage());
    }
}

// GL leaves the back buffer undefined after a swap; here it is overwritten on
// purpose, and the loading loop's present must still show the last frame.
TEST(LoadingWindowBaseGL, ThePicturePresentedWhileLoadingIsTheLastFrame)
{
    TestSupport::PinGraphicsLibraries();
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<Platform::GraphicsDriverGL> made;
    if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(800, 600, made)))
        GTEST_SKIP() << "no OpenGL context under this video driver";
    Platform::GraphicsDriverGL* driver = made.get();
    // The offscreen surface keeps its back buffer; the copy is what is tested.
    driver->SetFrameCopyForced(true);
    EngineTests::NullEngine harness;
    harness.factories.graphicsDriver = [&made](OrrelayEngine::Window&) {
        return std::unique_ptr<Platform::GraphicsDriver>(std::move(made));
    };
    Engine& engine = harness.Start();
    engine.GetGUIManager()->CreateQuadWindow(OrrelayEngine::GUIWindow::kFlagShown, {100.0f, 100.0f}, {200.0f, 150.0f},
                                             OrrelayEngine::ShaderDescriptor(), nullptr, {1.0f, 1.0f});
    engine.PreFrame();
    engine.Frame(0);
    std::vector<std::uint8_t> lastFrame(800 * 600 * 4);
    ASSERT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(0, 0, 800, 600, lastFrame.data()));

    auto* renderSystem = static_cast<OrrelayEngine::RenderSystem_D3D7*>(engine.GetRenderSystem());
    renderSystem->GetDevice()->Clear(Platform::kClearTarget, 0xFF00FF00u, 1.0f, 0);
    std::vector<std::uint8_t> shown(lastFrame.size());
    ASSERT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(0, 0, 800, 600, shown.data()));
    ASSERT_NE(lastFrame, shown) << "the picture to be replaced";

    InstantKeeper keeper(&engine, true);
    GUILoadingWindowBase loading(&engine);
    loading.Show(&keeper);
    loading.Run();
    ASSERT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(0, 0, 800, 600, shown.data()));
    EXPECT_TRUE(lastFrame == shown);
}

} // namespace
