#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/ConfigValues.h"
#include "engine/core/ConfigVariable.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/gui/GUICollectionOfManaEffect.h"
#include "game/gui/GUIGameLogicProgress.h"
#include "game/gui/GUIGameLogicWindow.h"
#include "game/gui/HudCamera.h"
#include "platform/InputDevice.h"
#include "tests/game/gui/HudHarness.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Tansywell;
using HudTests::HudHarness;
using OrrelayEngine::Vector2;

constexpr std::uint16_t kKeyEscape = 0x01;
constexpr std::uint16_t kKeyP = 0x19;
constexpr std::uint16_t kKeySpace = 0x39;

class RecordingCamera : public HudCamera
{
public:
    std::uint32_t GetCameraState() const override { return state; }
    float GetCameraBlend() const override { return blend; }
    void SetCameraType(bool threeDimensional) override { asked.push_back(threeDimensional); }

    std::uint32_t state = kStateTilted;
    float blend = 1.0f;
    std::vector<bool> asked;
};

class HudTest : public ::testing::Test
{
protected:
    HudTest()
    {
        h.SetReached(0, 0);
        hud = std::make_unique<GUIGameLogicWindow>(h.t.engine, h.profiles.get(), &h.t.data);
        h.screens = [this] { hud->Update(); };
    }

    // Shows the HUD over the level and lets it fade in.
    void ShowOver(GameLogic& logic)
    {
        hud->Show(&logic);
        h.Steps(30);
        ASSERT_FLOAT_EQ(1.0f, hud->GetAlpha());
    }

    void Keys(std::initializer_list<std::uint16_t> codes)
    {
        for (std::uint16_t code : codes)
            Deliver(code, true);
        h.t.tools.ReadInput();
        h.Step();
        for (std::uint16_t code : codes)
            Deliver(code, false);
        h.t.tools.ReadInput();
    }

    static void Deliver(std::uint16_t code, bool down)
    {
        Platform::InputDevice::Deliver(
            Platform::InputEvent{Platform::InputDeviceKind::Keyboard, code, down ? Platform::kInputDownFlag : 0});
    }

    HudHarness h;
    std::unique_ptr<GUIGameLogicWindow> hud;
};

TEST_F(HudTest, KeysAndButtonsAnswerOnlyWhileActive)
{
    ShowOver(h.StartLevel());
    const auto& layout = h.t.data.gameLogic;

    Keys({kKeyP, kKeyEscape});
    EXPECT_EQ(16u, hud->GetResult()) << "the menu wins over the pause";
    Keys({kKeySpace});
    EXPECT_EQ(15u, hud->GetResult());
    h.ClickAt(HudHarness::Centre(layout.closeButton));
    EXPECT_EQ(4u, hud->GetResult());
    h.ClickAt(HudHarness::Centre(layout.menuButton));
    EXPECT_EQ(16u, hud->GetResult());

    hud->SetActive(false);
    EXPECT_FALSE(hud->GetMenuControl()->button->IsEnabled());
    Keys({kKeyP, kKeyEscape});
    EXPECT_EQ(0u, hud->GetResult());
    h.ClickAt(HudHarness::Centre(layout.minimizeButton));
    EXPECT_EQ(0u, hud->GetResult());
}

TEST_F(HudTest, ManaFlightsStartOnlyWhileActiveAndMoveOnRegardless)
{
    GameLogic& logic = h.StartLevel();
    ShowOver(logic);
    h.Swap();
    h.screens = [this, &logic] {
        hud->Update();
        logic.Update();
    };
    h.StepUntil([&logic] { return !logic.GetBoard()->GetLayerPositions().empty(); }, 100);
    const std::size_t cleared = logic.GetBoard()->GetLayerPositions().size();
    h.Step();
    ASSERT_EQ(cleared, hud->GetManaEffects().size()) << "a flight for each cleared layer";
    const GUICollectionOfManaEffect& flight = *hud->GetManaEffects()[0];
    const float flown = flight.GetFlightTime();

    // The board still lists this frame's cleared layers, but no new flight starts.
    hud->SetActive(false);
    h.screens = [this] { hud->Update(); };
    h.Steps(3);
    EXPECT_GT(flight.GetFlightTime(), flown) << "a flight under way moves on while inactive";
    EXPECT_EQ(cleared, hud->GetManaEffects().size());
}

TEST_F(HudTest, ManaShowsTheClearedFractionLateAndEmptiesAfterAWin)
{
    GameLogic& logic = h.StartLevel(2);
    ShowOver(logic);
    EXPECT_FLOAT_EQ(0.0f, hud->GetManaTarget());
    h.Swap();
    // The swapped items fly before the group goes.
    for (int frame = 0; frame < 600 && logic.GetBoard()->GetClearedLayers() == 0; ++frame) {
        h.t.Frame();
        logic.Update();
    }
    ASSERT_GT(logic.GetBoard()->GetClearedLayers(), 0u);
    const float cleared = static_cast<float>(logic.GetBoard()->GetClearedLayers()) /
                          static_cast<float>(logic.GetBoard()->GetTotalLayers());
    // Sixtieths of a second: the target follows after 1.1 s, not before.
    h.Steps(63);
    EXPECT_FLOAT_EQ(0.0f, hud->GetManaTarget());
    h.Steps(6);
    EXPECT_FLOAT_EQ(cleared, hud->GetManaTarget());

    logic.SetState(GameFramework::GameLogicBase::kStateWon);
    h.Step();
    EXPECT_FLOAT_EQ(1.0f, hud->GetManaBar()->GetValue()) << "a won level fills the bar at once";
    hud->GetLevelBonusRecord()->manaTaken = true;
    h.Step(100000);
    EXPECT_NEAR(1.0f - 0.045f, hud->GetManaBar()->GetValue(), 1e-4f) << "0.45 per second toward empty";
}

TEST_F(HudTest, RelaxModeHidesTheEnergyBarAndItsFrame)
{
    h.SetReached(0, 0)->SetFlag(Profile::kFlagRelaxMode, true);
    ShowOver(h.StartLevel());
    EXPECT_FALSE(hud->GetEnergyBar()->GetBarWindow()->IsVisible());
    EXPECT_FALSE(hud->GetEnergyBar()->GetFrame()->IsShown());
    EXPECT_TRUE(hud->GetManaBar()->GetFrame()->IsShown());
}

TEST_F(HudTest, HideFadesOutTwiceAsFastThenHidesTheRoot)
{
    ShowOver(h.StartLevel());
    hud->Hide();
    h.Step(100000);
    EXPECT_NEAR(0.2f, hud->GetAlpha(), 1e-4f) << "8 per second";
    EXPECT_TRUE(hud->GetRootWindow()->IsVisible());
    h.Step(100000);
    h.Step(100000);
    EXPECT_FLOAT_EQ(0.0f, hud->GetAlpha());
    EXPECT_FALSE(hud->GetMenuControl()->IsShown());
    EXPECT_FALSE(hud->GetRootWindow()->IsVisible());
}

TEST_F(HudTest, ViewButtonOffersTheOtherView)
{
    RecordingCamera camera;
    ShowOver(h.StartLevel());
    hud->SetCamera(&camera);
    struct Case
    {
        std::uint32_t state;
        float blend;
        const char* caption;
    };
    const Case cases[] = {
        {HudCamera::kStateTilted, 1.0f, "GAME_LOGIC_2D"},
        {HudCamera::kStateFlat, 0.0f, "GAME_LOGIC_3D"},
        {HudCamera::kStateMoving, 0.00005f, "GAME_LOGIC_3D"},
        {HudCamera::kStateMoving, 0.5f, "GAME_LOGIC_2D"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.caption);
        camera.state = test.state;
        camera.blend = test.blend;
        camera.asked.clear();
        EXPECT_STREQ(test.caption, hud->GetViewCaptionKey());
        h.ClickAt(HudHarness::Centre(h.t.data.gameLogic.modeButton));
        ASSERT_EQ(1u, camera.asked.size());
        EXPECT_EQ(std::string(test.caption) == "GAME_LOGIC_3D", camera.asked[0]);
    }
}

TEST_F(HudTest, WindowModeBoxIsCheckedInFullScreenAndAClickSwitches)
{
    OrrelayEngine::Config* config = h.t.engine->GetConfig();
    for (bool fullscreen : {true, false}) {
        SCOPED_TRACE(fullscreen);
        config->GetValues()->fullscreen = fullscreen ? 1 : 0;
        config->SetCommandIdle("v_window_change_mode", true);
        hud->Show(&h.StartLevel());
        h.Steps(30);
        GUIControl* box = hud->GetWindowModeControl();
        ASSERT_EQ(fullscreen ? hud->GetToWindowControl() : hud->GetToFullscreenControl(), box);
        EXPECT_EQ(fullscreen, box->checkBox->IsChecked());
        const auto& layout = h.t.data.gameLogic;
        h.ClickAt(HudHarness::Centre(fullscreen ? layout.maximizeWindowButton : layout.maximizeFullscreenButton));
        EXPECT_EQ(fullscreen ? 0 : 1, config->GetValues()->fullscreen);
        EXPECT_FALSE(config->IsCommandIdle("v_window_change_mode"));
        hud->Hide();
        h.Steps(10);
    }
}

TEST_F(HudTest, StatisticsLinesFollowTheVariable)
{
    // The configuration outlives the test body and saves the variable as it goes.
    static std::uint8_t show;
    show = 0;
    OrrelayEngine::Config* config = h.t.engine->GetConfig();
    config->AddVariable("d_show_statistics", OrrelayEngine::kConfigBoolean, false, true, &show, "0", false);
    h.t.engine->GetGUIManager()->GetTextManager()->SetText("FPS", L"Frames");
    ShowOver(h.StartLevel());
    EXPECT_TRUE(hud->GetStatisticsLine(0).empty());
    config->SetValue("d_show_statistics", "1");
    h.Step();
    EXPECT_EQ(0u, hud->GetStatisticsLine(0).find(L"Frames: "));
    EXPECT_EQ(0u, hud->GetStatisticsLine(2).find(L"UNKNOWN: "));
}

TEST_F(HudTest, SteadyFrameAllocatesNothing)
{
    ShowOver(h.StartLevel());
    h.Steps(5);
    TestSupport::ScopedAllocationCount counter;
    h.Steps(3);
    EXPECT_EQ(0u, counter.Count());
}

} // namespace
