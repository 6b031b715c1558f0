#include "game/gui/GUINewProfileWindow.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "NEW_PROFILE_TITLE";
const std::string kCancelCaptionKey = "CANCEL";
const std::string kExitCaptionKey = "EXIT";

} // namespace

GUINewProfileWindow::GUINewProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                         GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                         GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUINewProfileWindowBase(engine, profileManager), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent),
      form_(engine, data, frameWindow_, controls_)
{}

GUINewProfileWindow::~GUINewProfileWindow() = default;

void GUINewProfileWindow::Show(bool clearName)
{
    GUINewProfileWindowBase::Show(clearName);
    SetShown(true);
    SetTitleKey(kTitleKey);
    if (clearName)
        form_.SetText(std::wstring());
    noProfiles_ = profileManager_->GetProfileCount() == 0;
}

void GUINewProfileWindow::Hide()
{
    GUINewProfileWindowBase::Hide();
    SetShown(false);
}

void GUINewProfileWindow::Update()
{
    GUINewProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (form_.UpdateConfirm())
        result_ = CreateProfile(form_.GetName()) ? kResultProfiles : kResultNameConflict;
    if (form_.WasOtherClicked())
        result_ = noProfiles_ ? kResultExit : kResultProfiles;
    form_.PrintTexts(frameWindow_, noProfiles_ ? kExitCaptionKey : kCancelCaptionKey, color_);
}

} // namespace Tansywell
