#include "game/gui/GUIWelcomeWindow.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "WELCOME_TITLE";
const std::string kExitCaptionKey = "EXIT";

} // namespace

GUIWelcomeWindow::GUIWelcomeWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                   GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                   GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIWelcomeWindowBase(engine, profileManager), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent),
      form_(engine, data, frameWindow_, controls_)
{}

GUIWelcomeWindow::~GUIWelcomeWindow() = default;

void GUIWelcomeWindow::Show()
{
    GUIWelcomeWindowBase::Show();
    SetShown(true);
    SetTitleKey(kTitleKey);
    form_.SetText(std::wstring());
}

void GUIWelcomeWindow::Hide()
{
    GUIWelcomeWindowBase::Hide();
    SetShown(false);
}

void GUIWelcomeWindow::Update()
{
    GUIWelcomeWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (form_.UpdateConfirm()) {
        CreateProfile(form_.GetName());
        result_ = kResultMainMenu;
    }
    if (form_.WasOtherClicked())
        result_ = kResultExit;
    form_.PrintTexts(frameWindow_, kExitCaptionKey, color_);
}

} // namespace Tansywell
