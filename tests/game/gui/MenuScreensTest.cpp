// The menu screens on the null graphics device: what each button answers, and
// the rules of the main menu, the profile dialogs, the quit question, the
// help, relax, options, profile list and introduction screens.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
// The harness hands out sound buffers by unique_ptr; GCC wants their whole type.
#include "engine/sound/SoundBuffer.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIDeleteProfileWindow.h"
#include "game/gui/GUIExitWindow.h"
#include "game/gui/GUIHelpWindow.h"
#include "game/gui/GUIIntroductionWindow.h"
#include "game/gui/GUIMainMenuWindow.h"
#include "game/gui/GUINewProfileWindow.h"
#include "game/gui/GUIOptionsWindow.h"
#include "game/gui/GUIProfileNameConflictWindow.h"
#include "game/gui/GUIProfilesWindow.h"
#include "game/gui/GUIRelaxWindow.h"
#include "game/gui/GUIRenameProfileWindow.h"
#include "game/gui/GUIWelcomeWindow.h"
#include "platform/InputDevice.h"
#include "platform/VirtualKeys.h"
#include "tests/game/gui/MenuHarness.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Tansywell;
using MenuTests::MakeQuad;
using OrrelayEngine::GUIButton;
using OrrelayEngine::Vector2;

// Every button look (and its hit area) is this quad at the origin.
constexpr float kLookWidth = 80.0f;
constexpr float kLookHeight = 30.0f;

// A screen whose controls and state the test may read.
template <class Screen>
class Open : public Screen
{
public:
    using Screen::Screen;
    GUIControl* Control(std::size_t index) const { return this->controls_[index]; }
    GUIButton* Button(std::size_t index) const { return this->controls_[index]->button; }
    OrrelayEngine::GUIEditBox* Edit() const { return this->controls_[1]->editBox; }
    OrrelayEngine::GUIWindow* Frame() const { return this->frameWindow_; }
    bool IsOpen() const { return this->IsActive() && this->frameWindow_->IsVisible() && this->color_.a >= 1.0f; }
};

class MenuScreensTest : public testing::Test
{
protected:
    MenuScreensTest()
    {
        GameData& d = h.t.data;
        d.mainMenu.window = d.bigWindow.window = d.smallWindow.window = h.Template("frame", MakeQuad(0, 0, 800, 600));
        d.mainMenu.windowArea = d.bigWindow.windowArea = d.smallWindow.windowArea =
            h.Template("area", MakeQuad(100, 100, 700, 500));
        OrrelayEngine::Model* look = h.Template("look", MakeQuad(0, 0, kLookWidth, kLookHeight));
        OrrelayEngine::Model* menuLook = h.Template("menu_look", MakeQuad(0, 0, kLookWidth, kLookHeight));
        d.controls.buttonMainMenu = {menuLook, menuLook, menuLook};
        d.controls.buttonBig = d.controls.buttonSmall = {look, look, look};
        d.controls.buttonArrowLeft = d.controls.buttonArrowRight = d.controls.buttonArrowUp =
            d.controls.buttonArrowDown = d.controls.checkBox = look;
        d.backgroundTextArea = h.Template("text_area", MakeQuad(0, 0, 450, 40));
        d.smallWindow.edit = h.Template("edit", MakeQuad(200, 300, 540, 330));
        for (GameData::ScrollModels* bar : {&d.controls.scrollH, &d.controls.scrollV}) {
            bar->scroll = h.Template("bar", MakeQuad(0, 0, 200, 20));
            bar->toddler = bar->toddlerMin = h.Template("knob", MakeQuad(0, 0, 20, 20));
            bar->toddlerMax = h.Template("knob_max", MakeQuad(180, 0, 200, 20));
            bar->buttonDecrease = h.Template("decrease", MakeQuad(-30, 0, -10, 20));
            bar->buttonIncrease = h.Template("increase", MakeQuad(210, 0, 230, 20));
        }
        // Every layout a place of its own, so that no two buttons overlap.
        for (OrrelayEngine::Model** layout :
             {&d.smallWindow.button[0], &d.smallWindow.button[1], &d.bigWindow.button[0], &d.bigWindow.button[1],
              &d.bigWindow.button[2], &d.profiles.button[0], &d.profiles.button[1], &d.profiles.button[2],
              &d.profiles.button[3], &d.options.fullscreenCheckBox, &d.options.resolutionButtonLeft,
              &d.options.resolutionButtonRight, &d.options.sliderMusic, &d.options.sliderSound, &d.profiles.scroll})
            *layout = NextLayout(false);
        for (OrrelayEngine::Model*& layout : d.mainMenu.button)
            layout = NextLayout(false);
        d.options.resolutionText = d.options.resolutionTextArea = h.Template("resolution", MakeQuad(300, 40, 400, 60));
        d.profiles.text = h.Template("list", MakeQuad(300, 200, 500, 400));

        h.StartBackground();
        h.manager->free = true;
        profiles = std::make_unique<ProfileManager>(h.t.engine, &h.mixer, h.t.tools.harness.settings.logFolder);
        profiles->SetCurrentProfile(profiles->AddProfile(L"Bea"), true);
        profiles->SetCurrentProfile(profiles->AddProfile(L"Ann"), true);
        Current()->SetFlag(Profile::kFlagIntroductionPending, false);
    }

    ~MenuScreensTest() override { h.screens = nullptr; }

    OrrelayEngine::Model* NextLayout(bool animated)
    {
        const float x = 20.0f + 90.0f * static_cast<float>(layouts_ % 8);
        const float y = 20.0f + 40.0f * static_cast<float>(layouts_ / 8);
        ++layouts_;
        return h.Template("layout" + std::to_string(layouts_),
                          MakeQuad(x, y, x + kLookWidth, y + kLookHeight, animated ? 16 : 1));
    }

    OrrelayEngine::Engine* E() const { return h.t.engine; }
    GUIMenuWindowManager* M() const { return h.manager.get(); }
    OrrelayEngine::GUIWindow* P() const { return h.background->GetMenuParent(); }
    OrrelayEngine::GUITextManager* Texts() const { return E()->GetGUIManager()->GetTextManager(); }
    Profile* Current() const { return static_cast<Profile*>(profiles->GetCurrentProfile()); }

    // Updates the screen each frame, shows it and steps until it has opened.
    template <class Screen>
    void Drive(Open<Screen>& screen, const std::function<void()>& show)
    {
        h.manager->free = true;
        h.screens = [&screen] { screen.Update(); };
        show();
        ASSERT_TRUE(h.StepUntil([&screen] { return screen.IsOpen(); }));
    }

    static Vector2 Inside(const GUIButton* button)
    {
        Vector2 at = button->GetAbsolutePosition();
        const Vector2 half = button->HasHitRectangle()
                                 ? Vector2(kLookWidth * 0.5f, kLookHeight * 0.5f)
                                 : Vector2(button->GetSize().x * 0.5f, button->GetSize().y * 0.5f);
        at += half;
        return at;
    }

    // The mouse pressed and released over the point: the click lands in the
    // second frame, whose result the screen then holds.
    void ClickAt(const Vector2& at)
    {
        MenuTests::MenuHarness::PointAt(at.x, at.y);
        h.Click();
    }
    void Click(const GUIButton* button) { ClickAt(Inside(button)); }

    void PressEnter()
    {
        Platform::InputDevice::Deliver(Platform::InputEvent{Platform::InputDeviceKind::Keyboard,
                                                            Platform::KeyCode::kReturn, Platform::kInputDownFlag});
        h.Step();
        Platform::InputDevice::Deliver(
            Platform::InputEvent{Platform::InputDeviceKind::Keyboard, Platform::KeyCode::kReturn, 0});
    }

    MenuTests::MenuHarness h;
    std::unique_ptr<ProfileManager> profiles;
    std::uint32_t layouts_ = 0;
};

TEST_F(MenuScreensTest, EveryButtonAnswersItsResult)
{
    struct Case
    {
        const char* what;
        std::function<std::uint32_t()> click;
        std::uint32_t expected;
    };
    // Opens a fresh screen, lets prepare show it (and type), clicks one control.
    const auto run = [this](auto screen, std::size_t control, auto prepare) {
        Drive(*screen, [&] { prepare(*screen); });
        Click(screen->Button(control));
        return static_cast<std::uint32_t>(screen->GetResult());
    };
    const auto mainMenu = [this] {
        return std::make_unique<Open<GUIMainMenuWindow>>(E(), &h.mixer, &h.t.data, profiles.get(), M(), P());
    };
    const auto welcome = [this] {
        return std::make_unique<Open<GUIWelcomeWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto newProfile = [this] {
        return std::make_unique<Open<GUINewProfileWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto rename = [this] {
        return std::make_unique<Open<GUIRenameProfileWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto remove = [this] {
        return std::make_unique<Open<GUIDeleteProfileWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto conflict = [this] {
        return std::make_unique<Open<GUIProfileNameConflictWindow>>(E(), &h.mixer, &h.t.data, M(), P());
    };
    const auto quit = [this] { return std::make_unique<Open<GUIExitWindow>>(E(), &h.mixer, &h.t.data, M(), P()); };
    const auto help = [this] { return std::make_unique<Open<GUIHelpWindow>>(E(), &h.mixer, &h.t.data, M(), P()); };
    const auto relax = [this] {
        return std::make_unique<Open<GUIRelaxWindow>>(E(), profiles.get(), &h.mixer, &h.t.data, M(), P());
    };
    const auto options = [this] {
        return std::make_unique<Open<GUIOptionsWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto list = [this] {
        return std::make_unique<Open<GUIProfilesWindow>>(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    };
    const auto intro = [this] {
        return std::make_unique<Open<GUIIntroductionWindow>>(E(), &h.mixer, &h.t.data, M(), P());
    };
    const auto show = [](auto& s) { s.Show(); };
    const auto typed = [](const wchar_t* name) {
        return [name](auto& s) {
            s.Show();
            s.Edit()->SetText(name);
        };
    };
    const auto newTyped = [](const wchar_t* name) {
        return [name](auto& s) {
            s.Show(true);
            s.Edit()->SetText(name);
        };
    };
    const auto renaming = [](const wchar_t* name) {
        return [name](auto& s) {
            s.Show(true, L"Ann");
            s.Edit()->SetText(name);
        };
    };
    const auto opened = [](std::uint32_t opener) { return [opener](auto& s) { s.Show(opener); }; };
    const auto deleting = [](auto& s) { s.Show(L"Cid"); };

    const Case cases[] = {
        {"main menu start", [&] { return run(mainMenu(), 1, show); }, 23},
        {"main menu high scores", [&] { return run(mainMenu(), 2, show); }, 10},
        {"main menu options", [&] { return run(mainMenu(), 3, show); }, 11},
        {"main menu change profile", [&] { return run(mainMenu(), 4, show); }, 5},
        {"main menu show place", [&] { return run(mainMenu(), 5, show); }, 24},
        {"main menu credits", [&] { return run(mainMenu(), 6, show); }, 12},
        {"main menu exit", [&] { return run(mainMenu(), 7, show); }, 4},
        // The welcome dialog takes a name already listed as it is.
        {"welcome ok", [&] { return run(welcome(), 2, typed(L" Ann ")); }, 3},
        {"welcome ok, new name", [&] { return run(welcome(), 2, typed(L"Cid")); }, 3},
        {"welcome exit", [&] { return run(welcome(), 3, typed(L"Dee")); }, 4},
        {"new profile ok", [&] { return run(newProfile(), 2, newTyped(L"Dee")); }, 5},
        {"new profile ok, name taken", [&] { return run(newProfile(), 2, newTyped(L"ann")); }, 9},
        {"new profile cancel", [&] { return run(newProfile(), 3, newTyped(L"Eve")); }, 5},
        {"rename ok, own name", [&] { return run(rename(), 2, renaming(L"Ann")); }, 5},
        {"rename ok, name taken", [&] { return run(rename(), 2, renaming(L"Bea")); }, 9},
        {"rename cancel", [&] { return run(rename(), 3, renaming(L"Fay")); }, 5},
        {"delete yes", [&] { return run(remove(), 1, deleting); }, 5},
        {"delete no", [&] { return run(remove(), 2, deleting); }, 5},
        {"name conflict from new profile", [&] { return run(conflict(), 1, opened(3)); }, 6},
        {"name conflict from rename", [&] { return run(conflict(), 1, opened(4)); }, 7},
        {"quit yes (answers once closed)", [&] { return run(quit(), 1, opened(2)); }, 0},
        {"quit no from welcome", [&] { return run(quit(), 2, opened(1)); }, 2},
        {"quit no from main menu", [&] { return run(quit(), 2, opened(2)); }, 3},
        {"quit no from new profile", [&] { return run(quit(), 2, opened(3)); }, 6},
        {"quit no from elsewhere", [&] { return run(quit(), 2, opened(7)); }, 0},
        {"help back", [&] { return run(help(), 1, show); }, 3},
        {"relax yes", [&] { return run(relax(), 1, show); }, 3},
        {"relax no", [&] { return run(relax(), 2, show); }, 3},
        {"options apply", [&] { return run(options(), 7, show); }, 3},
        {"options defaults", [&] { return run(options(), 8, show); }, 0},
        {"options cancel", [&] { return run(options(), 9, show); }, 3},
        {"profiles new", [&] { return run(list(), 3, show); }, 6},
        {"profiles rename", [&] { return run(list(), 4, show); }, 7},
        {"profiles delete", [&] { return run(list(), 5, show); }, 8},
        {"profiles done", [&] { return run(list(), 6, show); }, 3},
        {"introduction without text", [&] { return run(intro(), 1, show); }, 23},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.click(), c.expected);
        h.screens = nullptr;
    }
    EXPECT_EQ(profiles->GetProfileCount(), 3u) << "Ann, Bea and Dee; Cid deleted";
    EXPECT_EQ(profiles->FindProfile(L"Cid"), nullptr);
    EXPECT_TRUE(Current()->GetFlag(Profile::kFlagRelaxMode)) << "only yes switches relax mode on";
}

TEST_F(MenuScreensTest, MainMenuWaitsForItsAnimationsAndTakesTheLastClickInItsOrder)
{
    // Laid out in the order the clicks are tested, each overlapping the next,
    // and animated as the artists make them: the frame shows while they unfold.
    const std::size_t byRank[] = {GUIMainMenuWindow::kChangeProfile, GUIMainMenuWindow::kStart,
                                  GUIMainMenuWindow::kHighScores,    GUIMainMenuWindow::kOptions,
                                  GUIMainMenuWindow::kExit,          GUIMainMenuWindow::kShowPlace,
                                  GUIMainMenuWindow::kCredits};
    const std::uint32_t results[] = {5, 23, 10, 11, 4, 24, 12};
    h.t.data.mainMenu.window = h.Template("animated_frame", MakeQuad(0, 0, 800, 600, 16));
    for (std::size_t r = 0; r < GUIMainMenuWindow::kButtonCount; ++r) {
        const float x = 100.0f + 40.0f * static_cast<float>(r);
        h.t.data.mainMenu.button[GUIMainMenuWindow::kButtonCount - 1 - byRank[r]] =
            h.Template("menu_button" + std::to_string(r), MakeQuad(x, 300, x + kLookWidth, 300 + kLookHeight, 16));
    }
    Open<GUIMainMenuWindow> menu(E(), &h.mixer, &h.t.data, profiles.get(), M(), P());
    h.screens = [&menu] { menu.Update(); };
    menu.Show();
    ASSERT_TRUE(h.StepUntil([&menu] { return menu.AnyControlAnimating(); }));
    for (std::size_t i = 1; i <= GUIMainMenuWindow::kButtonCount; ++i)
        EXPECT_FALSE(menu.Button(i)->IsEnabled()) << i;
    Click(menu.Button(1));
    EXPECT_EQ(menu.GetResult(), 0u);

    ASSERT_TRUE(h.StepUntil([&menu] { return menu.IsOpen() && !menu.AnyControlAnimating(); }));
    h.Step();
    // A click where two buttons overlap clicks both: the later test wins.
    for (std::size_t r = 0; r + 1 < GUIMainMenuWindow::kButtonCount; ++r) {
        SCOPED_TRACE(r);
        Vector2 between = Inside(menu.Button(1 + byRank[r + 1]));
        between.x -= kLookWidth * 0.25f;
        ClickAt(between);
        EXPECT_EQ(menu.GetResult(), results[r + 1]);
    }
    Current()->SetFlag(Profile::kFlagIntroductionPending, true);
    Click(menu.Button(1));
    EXPECT_EQ(menu.GetResult(), 25u);
}

TEST_F(MenuScreensTest, ASteadyMainMenuFrameAllocatesNothing)
{
    Open<GUIMainMenuWindow> menu(E(), &h.mixer, &h.t.data, profiles.get(), M(), P());
    Drive(menu, [&menu] { menu.Show(); });
    h.Steps(3);
    const TestSupport::ScopedAllocationCount count;
    h.Step();
    EXPECT_EQ(count.Count(), 0u);
}

TEST_F(MenuScreensTest, ABlankNameIsNeverConfirmed)
{
    Open<GUIWelcomeWindow> welcome(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(welcome, [&welcome] {
        welcome.Show();
        welcome.Edit()->SetText(L" \t ");
    });
    PressEnter();
    EXPECT_EQ(welcome.GetResult(), 0u);
    EXPECT_FALSE(welcome.Button(2)->IsEnabled());
    EXPECT_EQ(profiles->GetProfileCount(), 2u);

    welcome.Edit()->SetText(L"  Gil ");
    PressEnter();
    EXPECT_EQ(welcome.GetResult(), 3u);
    ASSERT_NE(profiles->FindProfile(L"Gil"), nullptr);
    EXPECT_EQ(profiles->GetCurrentProfile()->GetName(), L"Gil");
}

TEST_F(MenuScreensTest, DeletingTheLastProfileLeavesScreensThatNeedNone)
{
    profiles->DeleteProfile(L"Bea");
    Open<GUIDeleteProfileWindow> remove(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(remove, [&remove] { remove.Show(L"Ann"); });
    Click(remove.Button(1));
    EXPECT_EQ(remove.GetResult(), 6u) << "on to the new-profile dialog";
    ASSERT_EQ(profiles->GetProfileCount(), 0u);
    ASSERT_EQ(profiles->GetCurrentProfile(), nullptr);

    Open<GUINewProfileWindow> add(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(add, [&add] { add.Show(true); });
    Click(add.Button(3));
    EXPECT_EQ(add.GetResult(), 4u) << "its second button reads EXIT and asks whether to quit";

    Open<GUIMainMenuWindow> menu(E(), &h.mixer, &h.t.data, profiles.get(), M(), P());
    Drive(menu, [&menu] { menu.Show(); });
    h.Step();
    Click(menu.Button(1));
    EXPECT_EQ(menu.GetResult(), 23u);
    Open<GUIRelaxWindow> relax(E(), profiles.get(), &h.mixer, &h.t.data, M(), P());
    Drive(relax, [&relax] { relax.Show(); });
    Click(relax.Button(1));
    EXPECT_EQ(relax.GetResult(), 3u);
    Open<GUIProfilesWindow> list(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(list, [&list] { list.Show(); });
    Click(list.Button(4));
    EXPECT_EQ(list.GetResult(), 0u) << "no profile to rename";
}

TEST_F(MenuScreensTest, ANameHoldingThePlaceholderIsPrintedAsItIs)
{
    Texts()->SetText("DELETE_PROFILE_TEXT_0", L"Delete %PROFILE_NAME%?");
    Texts()->SetText("DELETE_PROFILE_TEXT_1", L"%PROFILE_NAME%, %PROFILE_NAME%");
    Open<GUIDeleteProfileWindow> remove(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    remove.Show(L"%PROFILE_NAME%");
    EXPECT_EQ(remove.GetLine(0), L"Delete \"%PROFILE_NAME%\"?");
    EXPECT_EQ(remove.GetLine(1), L"\"%PROFILE_NAME%\", \"%PROFILE_NAME%\"");
}

TEST_F(MenuScreensTest, QuitAnswersOnlyOnceTheDialogHasClosed)
{
    Open<GUIExitWindow> quit(E(), &h.mixer, &h.t.data, M(), P());
    Drive(quit, [&quit] { quit.Show(2); });
    Click(quit.Button(1));
    int frames = 0;
    while (quit.GetResult() == 0 && frames < 200) {
        ASSERT_TRUE(quit.Control(0)->IsShown()) << "still closing at frame " << frames;
        h.Step();
        ++frames;
    }
    EXPECT_EQ(quit.GetResult(), 22u);
    EXPECT_FALSE(quit.Control(0)->IsShown());
    EXPECT_GT(frames, 4) << "the fade out takes an eighth of a second";
}

TEST(GUIHelpWindowLayout, LinesStepDownByParagraph)
{
    const float expected[GUIHelpWindow::kLineCount] = {250, 231, 213, 195, 171, 152, 128, 109, 85, 66, 42, 23};
    for (std::uint32_t i = 0; i < GUIHelpWindow::kLineCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(GUIHelpWindow::LineY(i), expected[i]);
        EXPECT_EQ(GUIHelpWindow::IsHeading(i), i == 0 || i == 4 || i == 6 || i == 8 || i == 10);
    }
}

TEST_F(MenuScreensTest, RelaxLinesAreANumberUpToALimit)
{
    Open<GUIRelaxWindow> relax(E(), profiles.get(), &h.mixer, &h.t.data, M(), P());
    const struct
    {
        const wchar_t* size;
        std::uint32_t lines;
    } cases[] = {{L"three", 0}, {L"", 0}, {L"-4", 0}, {L"3", 3}, {L"120", 120}, {L"121", 120}, {L"4000000000", 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size \"" << c.size << "\"");
        Texts()->SetText("RELAX_TEXT_SIZE", c.size);
        Drive(relax, [&relax] { relax.Show(); });
        relax.Update();
        EXPECT_EQ(relax.GetLineCount(), c.lines);
        EXPECT_EQ(relax.Frame()->GetQueuedTextCount(), c.lines);
        relax.Hide();
        ASSERT_TRUE(h.StepUntil([this] { return h.manager->free; }));
    }
}

TEST_F(MenuScreensTest, OptionsFollowTheBarsBeyondAThousandthAndStopAtTheEndModes)
{
    h.mixer.SetSoundVolume(0.5f);
    h.mixer.SetMusicVolume(0.25f);
    Open<GUIOptionsWindow> options(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(options, [&options] { options.Show(); });
    OrrelayEngine::GUIScroll* sound = options.Control(1)->scroll;
    OrrelayEngine::GUIScroll* music = options.Control(2)->scroll;
    ASSERT_EQ(sound->GetPositionIndex(), 500u);
    ASSERT_EQ(music->GetPositionIndex(), 250u);
    sound->SetPosition(501u);
    music->SetPosition(249u);
    h.Step();
    EXPECT_EQ(h.mixer.GetSoundVolume(), 0.5f) << "a change of 0.001 is no change";
    EXPECT_EQ(h.mixer.GetMusicVolume(), 0.25f);
    sound->SetPosition(502u);
    music->SetPosition(100u);
    h.Step();
    EXPECT_NEAR(h.mixer.GetSoundVolume(), 0.502f, 1e-6f);
    EXPECT_NEAR(h.mixer.GetMusicVolume(), 0.1f, 1e-6f);

    ASSERT_EQ(options.GetVideoModes().size(), 3u);
    for (int i = 0; i < 4; ++i)
        Click(options.Button(5));
    EXPECT_EQ(options.GetSelectedMode(), 0u);
    for (int i = 0; i < 4; ++i)
        Click(options.Button(6));
    EXPECT_EQ(options.GetSelectedMode(), 2u);
}

// The shipped art models the knob in the middle of its track and marks its
// first and last places apart: the player takes the knob where it is drawn,
// mid-track, and it follows the mouse.
TEST_F(MenuScreensTest, TheOptionsSoundKnobIsTakenWhereItIsDrawnAndFollowsTheMouse)
{
    h.t.data.controls.scrollH.toddler = h.Template("knob_middle", MakeQuad(90, 0, 110, 20));
    h.mixer.SetSoundVolume(0.5f);
    Open<GUIOptionsWindow> options(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(options, [&options] { options.Show(); });
    h.Step();
    const OrrelayEngine::BoundingBox& knob = options.Control(1)->scroll->GetKnob()->GetModel()->box;
    const float y = knob.centre.y;
    const float from = std::floor(knob.centre.x);
    const float to = from + 40.0f; // a quarter of the 160-long track
    MenuTests::MenuHarness::PointAt(from, y);
    h.Step();
    ToolsTests::ToolsTestEngine::MouseButton(true);
    h.Step();
    MenuTests::MenuHarness::PointAt(to, y);
    h.Step();
    ToolsTests::ToolsTestEngine::MouseButton(false);
    h.Step();
    EXPECT_NEAR(h.mixer.GetSoundVolume(), 0.75f, 0.01f);
    EXPECT_NEAR(knob.centre.x, to, 1.0f);
}

TEST_F(MenuScreensTest, TenProfilesScrollThroughFourPositions)
{
    for (const wchar_t* name : {L"Cal", L"Dan", L"Eli", L"Fox", L"Gus", L"Hal", L"Ivy", L"Jon"})
        profiles->AddProfile(name);
    profiles->SetCurrentProfile(profiles->FindProfile(L"Eli"), true);
    Open<GUIProfilesWindow> list(E(), &h.mixer, profiles.get(), &h.t.data, M(), P());
    Drive(list, [&list] { list.Show(); });
    EXPECT_TRUE(list.GetScroll()->IsEnabled());
    EXPECT_EQ(list.GetScroll()->GetPositionCount(), 4u);
    EXPECT_EQ(list.GetRowName(0), L"Eli") << "the current profile stands first";
    EXPECT_FALSE(list.GetRow(0)->IsEnabled());

    list.GetScroll()->SetPosition(3u);
    h.Step();
    const wchar_t* const shown[GUIProfilesWindow::kRowCount] = {L"Cal", L"Dan", L"Fox", L"Gus", L"Hal", L"Ivy", L"Jon"};
    for (std::uint32_t i = 0; i < GUIProfilesWindow::kRowCount; ++i)
        EXPECT_EQ(list.GetRowName(i), shown[i]) << i;
    Click(list.GetRow(2));
    EXPECT_EQ(profiles->GetCurrentProfile()->GetName(), L"Fox");
    h.Step();
    EXPECT_FALSE(list.GetRow(2)->IsEnabled());
    EXPECT_TRUE(list.GetRow(0)->IsEnabled());

    for (const wchar_t* name : {L"Gus", L"Hal", L"Ivy", L"Jon"})
        profiles->DeleteProfile(name);
    list.Show();
    h.Step();
    EXPECT_FALSE(list.GetScroll()->IsEnabled());
    EXPECT_EQ(list.GetScroll()->GetPositionCount(), 2u);
    EXPECT_TRUE(list.GetRow(5)->IsVisible());
    EXPECT_FALSE(list.GetRow(6)->IsVisible());
}

TEST_F(MenuScreensTest, IntroductionTurnsPagesOfTwelveLines)
{
    const struct
    {
        const wchar_t* size;
        std::uint32_t pages;
        std::uint32_t lastPageLines;
    } cases[] = {{L"0", 0, 0}, {L"12", 1, 12}, {L"13", 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size);
        Texts()->SetText("INTRODUCTION_TEXT_SIZE", c.size);
        Open<GUIIntroductionWindow> intro(E(), &h.mixer, &h.t.data, M(), P());
        Drive(intro, [&intro] { intro.Show(); });
        EXPECT_EQ(intro.GetPageCount(), c.pages);
        for (std::uint32_t page = 0; page + 1 < c.pages; ++page) {
            Click(intro.Button(1));
            EXPECT_EQ(intro.GetResult(), 0u);
            ASSERT_TRUE(h.StepUntil([&] { return intro.GetShownPage() == page + 1; }));
        }
        intro.Update();
        EXPECT_EQ(intro.Frame()->GetQueuedTextCount(), c.lastPageLines);
        Click(intro.Button(1));
        EXPECT_EQ(intro.GetResult(), 23u) << "the last page answers at once";
        h.screens = nullptr;
    }
}

} // namespace
