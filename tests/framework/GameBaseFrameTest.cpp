#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/input/Controls.h"
#include "engine/render/RenderSystem.h"
#include "framework/FadingSound.h"
#include "framework/GameLoaderBase.h"
#include "framework/Mixer.h"
#include "platform/AppWindow.h"
#include "platform/InputDevice.h"
#include "platform/VirtualKeys.h"
#include "support/AllocationCounter.h"
#include "tests/framework/StubGame.h"

namespace {

using FrameworkTests::StubGame;
using FrameworkTests::StubGameRun;
using GameFramework::FadingSound;
using GameFramework::GameBase;
using GameFramework::GameLogicBase;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kTrack = 0;
constexpr std::uint32_t kPlaying = 0;
constexpr std::uint32_t kPaused = 1;

class GameBaseFrame : public testing::Test
{
protected:
    // Booted to the main menu with the menu music playing.
    void Boot()
    {
        run.Boot(true);
        game().mixer_->AddMusicTrack(kTrack, "audio\\music\\menu.ogg", true);
        game().mixer_->PlayMusic(0, kTrack, false, 0.0f);
        run.Frames(1);
        run.log.Clear();
    }

    void EnterLevel()
    {
        game().startGame->Show(GameBase::kStartFromMainMenu);
        run.PlayLevel();
    }

    StubGame& game() { return *run.game; }

    void Post(Platform::WindowMessageType type)
    {
        Platform::DiscardPendingEvents();
        Platform::PostWindowMessage(*game().GetEngine()->GetWindow()->GetAppWindow(), Platform::WindowMessage{type, 0});
        ASSERT_EQ(GameFramework::GameLoaderBase::LoopPass::kMessage,
                  GameFramework::GameLoaderBase::RunLoopPass(game()));
        ASSERT_EQ(0u, game().frames) << "the message went before any frame";
    }

    // A frame with the log and the count of presents and microseconds it took.
    struct FrameRecord
    {
        Lines log;
        std::uint32_t presents;
        std::uint64_t microseconds;
    };
    FrameRecord Frame()
    {
        run.log.Clear();
        const std::uint32_t presents = game().driver->GetPresentCount();
        const std::uint64_t before = Platform::GetPerformanceCounter();
        game().Frame();
        return {run.log.Lines(), game().driver->GetPresentCount() - presents,
                Platform::GetPerformanceCounter() - before};
    }

    const FadingSound& Track() { return *game().mixer_->FindTrack(kTrack); }
    std::uint32_t MusicState() { return game().mixer_->GetMusicState(0); }

    StubGameRun run;
};

TEST_F(GameBaseFrame, WithoutFocusInTheMenusTheMusicPausesAndFramesIdle)
{
    Boot();
    game().frames = 0;
    Post(Platform::WindowMessageType::KillFocus);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FrameRecord frame = Frame();
        EXPECT_EQ(kPaused, MusicState());
        EXPECT_EQ(0u, frame.presents);
        EXPECT_EQ(100000u, frame.microseconds);
        EXPECT_EQ(Lines{}, frame.log);
    }
    game().frames = 0;
    Post(Platform::WindowMessageType::SetFocus);
    EXPECT_EQ(1u, Frame().presents);
    EXPECT_EQ(kPlaying, MusicState());
    EXPECT_EQ(FadingSound::kFadeIn, Track().GetFadeState());
    EXPECT_FLOAT_EQ(GameBase::kMusicFadeSpeed, Track().GetFadeSpeed());
}

TEST_F(GameBaseFrame, ALevelRunningWhenFocusGoesIsPausedBehindThePauseScreenAndStaysPaused)
{
    Boot();
    EnterLevel();
    GameLogicBase& level = *game().GetGameLogic();
    game().frames = 0;
    Post(Platform::WindowMessageType::KillFocus);
    const FrameRecord first = Frame();
    EXPECT_EQ((Lines{"in_game inactive", "pause show"}), first.log);
    EXPECT_EQ(1u, first.presents) << "the pause screen is drawn";
    EXPECT_EQ(GameLogicBase::kStatePaused, level.GetState());
    EXPECT_EQ(kPaused, MusicState());
    EXPECT_EQ(0u, Frame().presents);

    game().frames = 0;
    Post(Platform::WindowMessageType::SetFocus);
    EXPECT_EQ(Lines{}, Frame().log);
    EXPECT_EQ(GameLogicBase::kStatePaused, level.GetState());
    EXPECT_TRUE(level.IsClockPaused());
    EXPECT_EQ(FadingSound::kFadeIn, Track().GetFadeState());
}

TEST_F(GameBaseFrame, FocusLostBehindAnEndedLevelStopsItsClockAndGivesItBack)
{
    Boot();
    EnterLevel();
    GameLogicBase& level = *game().GetGameLogic();
    level.SetState(GameLogicBase::kStateWon);
    run.Frames(1);
    level.PauseClock(false);
    game().frames = 0;
    Post(Platform::WindowMessageType::KillFocus);
    EXPECT_EQ(0u, Frame().presents);
    EXPECT_TRUE(level.IsClockPaused());
    EXPECT_EQ(GameLogicBase::kStateWon, level.GetState());
    game().frames = 0;
    Post(Platform::WindowMessageType::SetFocus);
    Frame();
    EXPECT_FALSE(level.IsClockPaused());
    EXPECT_EQ(GameLogicBase::kStateWon, level.GetState());
}

TEST_F(GameBaseFrame, WithoutTheFocusSwitchTheGameKeepsItsFullRate)
{
    run.game = std::make_unique<StubGame>(run.log);
    game().adjustSettings = [](OrrelayEngine::EngineSettings& settings) { settings.minimizeOnFocusLoss = false; };
    game().Init();
    Post(Platform::WindowMessageType::KillFocus);
    const FrameRecord frame = Frame();
    EXPECT_EQ(1u, frame.presents);
    EXPECT_LT(frame.microseconds, 100000u);
}

TEST_F(GameBaseFrame, AWindowModeToggleChangesTheVideoModeTwoFramesLater)
{
    Boot();
    OrrelayEngine::Config& config = *game().GetEngine()->GetConfig();
    config.SetValue("v_mode", "640x480x32");
    config.SetCommandIdle("v_window_change_mode", false);
    EXPECT_EQ(Lines{}, Frame().log);
    EXPECT_EQ(Lines{}, Frame().log);
    EXPECT_FALSE(config.IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(Lines{"reset device"}, Frame().log);
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode"));
    EXPECT_TRUE(config.IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(Lines{}, Frame().log);
}

TEST_F(GameBaseFrame, ALostDeviceIsResetBetweenPausedAndFadingMusicAndBlocksInput)
{
    Boot();
    OrrelayEngine::RenderSystem& render = *game().GetEngine()->GetRenderSystem();
    const OrrelayEngine::Controls& controls = *game().GetEngine()->GetControls();
    game().driver->SimulateDeviceLoss(Platform::kGraphicsErrWrongMode);
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Keyboard, Platform::KeyCode::kA, Platform::kInputDownFlag});
    EXPECT_EQ(Lines{}, Frame().log);
    ASSERT_TRUE(render.IsResetRequired());
    ASSERT_TRUE(controls.IsKeyDown("A"));

    EXPECT_EQ(Lines{"reset device"}, Frame().log);
    EXPECT_EQ(2u, game().driver->GetCreateDeviceCount()) << "bit 1: the device made again";
    EXPECT_FALSE(render.IsResetRequired());
    EXPECT_FALSE(render.AreSurfacesLost()) << "bit 2: the surfaces restored";
    EXPECT_EQ(kPlaying, MusicState());
    EXPECT_EQ(FadingSound::kFadeIn, Track().GetFadeState());
    EXPECT_TRUE(controls.IsInputBlocked());
    EXPECT_FALSE(controls.IsKeyDown("A")) << "a key held through the reset is not seen";

    Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Keyboard, Platform::KeyCode::kA, 0});
    EXPECT_EQ(Lines{}, Frame().log);
    EXPECT_FALSE(controls.IsInputBlocked());
}

TEST_F(GameBaseFrame, TheOccupationLinesLeaveOutSoundsWithoutASoundDevice)
{
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent);
        Platform::AudioDevice::SetFailureForTests(silent ? Platform::AudioFailure::kOpen
                                                         : Platform::AudioFailure::kNone);
        StubGameRun local;
        StubGame& game = local.Start();
        Platform::AudioDevice::SetFailureForTests(Platform::AudioFailure::kNone);
        game.GetEngine()->GetConfig()->SetCommandIdle("d_get_manages_occupation", false);
        game.Frame();
        const OrrelayEngine::MessageManager& log = *game.GetEngine()->GetMessageManager();
        Lines names;
        for (std::uint32_t i = 0; i < log.GetMessageCount(); ++i) {
            const std::string text = log.GetMessageAt(i).text;
            names.push_back(text.substr(0, text.find(": ") + 2));
        }
        Lines expected = {"Shader users count: ", "Shaders count: ", "Textures count: ", "Models count: "};
        if (!silent)
            expected.push_back("Sounds count: ");
        EXPECT_EQ(expected, names);
    }
}

TEST_F(GameBaseFrame, SteadyFramesAllocateNothing)
{
    Boot();
    for (bool inLevel : {false, true}) {
        SCOPED_TRACE(inLevel);
        if (inLevel)
            EnterLevel();
        run.Frames(3);
        TestSupport::ScopedAllocationCount allocations;
        run.Frames(3);
        EXPECT_EQ(0u, allocations.Count()) << "QUILLORY_TRACE_ALLOCATIONS=1 shows where";
    }
}

} // namespace
