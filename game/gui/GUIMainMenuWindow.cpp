#include "game/gui/GUIMainMenuWindow.h"

#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 0;
constexpr float kButtonFramesPerSecond = 42.0f;
constexpr std::uint32_t kFontNormal = 7;
constexpr std::uint32_t kFontMouseOver = 8;
constexpr std::uint32_t kFontPressed = 9;

// Keys are made once: a frame prints them and must not allocate.
const std::string kWelcomeKey = "MAIN_MENU_WELCOME";
const std::string kCaptionKeys[GUIMainMenuWindow::kButtonCount] = {
    "MAIN_MENU_START",      "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_CHANGE_PROFILE",
    "MAIN_MENU_SHOW_PLACE", "MAIN_MENU_CREDITS",     "MAIN_MENU_EXIT"};

// The button's layout model is main_menu\button_<6 - button>.
constexpr std::uint32_t kLastLayout = 6;

constexpr std::uint32_t kResults[GUIMainMenuWindow::kButtonCount] = {
    GUIMainMenuWindow::kResultStart,         GUIMainMenuWindow::kResultHighScores, GUIMainMenuWindow::kResultOptions,
    GUIMainMenuWindow::kResultChangeProfile, GUIMainMenuWindow::kResultShowPlace,  GUIMainMenuWindow::kResultCredits,
    GUIMainMenuWindow::kResultExit};

// Tested in this order; a later click overwrites an earlier one.
constexpr GUIMainMenuWindow::Button kClickOrder[] = {GUIMainMenuWindow::kChangeProfile, GUIMainMenuWindow::kStart,
                                                     GUIMainMenuWindow::kHighScores,    GUIMainMenuWindow::kOptions,
                                                     GUIMainMenuWindow::kExit,          GUIMainMenuWindow::kShowPlace,
                                                     GUIMainMenuWindow::kCredits};

// Disabled at Show until the menu has opened; show place and credits are not.
constexpr GUIMainMenuWindow::Button kHeldAtShow[] = {GUIMainMenuWindow::kStart, GUIMainMenuWindow::kHighScores,
                                                     GUIMainMenuWindow::kOptions, GUIMainMenuWindow::kChangeProfile,
                                                     GUIMainMenuWindow::kExit};

std::uint32_t FontForState(std::uint32_t state)
{
    switch (state) {
    case OrrelayEngine::GUIButton::kStateMouseOver:
        return kFontMouseOver;
    case OrrelayEngine::GUIButton::kStatePressed:
        return kFontPressed;
    default:
        return kFontNormal;
    }
}

} // namespace

GUIMainMenuWindow::GUIMainMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                                     GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* manager,
                                     OrrelayEngine::GUIWindow* parent)
    : GUIMainMenuWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent),
      profiles_(profileManager)
{
    for (std::uint32_t i = 0; i < kButtonCount; ++i) {
        buttons_[i] = GUIMenuParts::MakeButton(engine, data, data->mainMenu.button[kLastLayout - i],
                                               data->controls.buttonMainMenu, frameWindow_);
        buttons_[i]->SetAnimationSpeed(kButtonFramesPerSecond);
        buttons_[i]->button->SetDepthOrder(static_cast<std::int32_t>(i + 1));
        controls_.push_back(buttons_[i].get());
    }
}

GUIMainMenuWindow::~GUIMainMenuWindow() = default;

void GUIMainMenuWindow::Show()
{
    GUIMainMenuWindowBase::Show();
    SetShown(true);
    std::wstring title = textManager_->GetText(kWelcomeKey);
    // A damaged profile list can leave no current profile: greet no one then.
    if (const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile())
        title += L" " + profile->GetName();
    SetTitle(title + L"!");
    for (Button held : kHeldAtShow)
        buttons_[held]->button->SetEnabled(false);
}

void GUIMainMenuWindow::Hide()
{
    GUIMainMenuWindowBase::Hide();
    SetShown(false);
}

void GUIMainMenuWindow::Update()
{
    GUIMainMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;

    const bool ready = IsActive() && !AnyControlAnimating();
    const OrrelayEngine::Color white(1.0f, 1.0f, 1.0f, 1.0f);
    for (std::uint32_t i = 0; i < kButtonCount; ++i) {
        OrrelayEngine::GUIButton* button = buttons_[i]->button;
        button->PrintTextKey(GUIMenuParts::kAlignCentred, FontForState(button->GetState()),
                             OrrelayEngine::Vector2(0.0f, 0.0f), white, kCaptionKeys[i]);
        button->SetEnabled(ready);
    }

    for (Button clicked : kClickOrder) {
        if (buttons_[clicked]->button->IsClicked())
            result_ = clicked == kStart ? StartResult() : kResults[clicked];
    }
}

std::uint32_t GUIMainMenuWindow::StartResult() const
{
    const auto* profile = dynamic_cast<const Profile*>(profiles_->GetCurrentProfile());
    if (profile != nullptr && profile->GetFlag(Profile::kFlagIntroductionPending))
        return kResultIntroduction;
    return kResultStart;
}

} // namespace Tansywell
