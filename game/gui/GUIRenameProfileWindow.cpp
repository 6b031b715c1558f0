#include "game/gui/GUIRenameProfileWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "RENAME_PROFILE_TITLE";
const std::string kCancelCaptionKey = "CANCEL";

} // namespace

GUIRenameProfileWindow::GUIRenameProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                               GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIRenameProfileWindowBase(engine, profileManager),
      GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent), form_(engine, data, frameWindow_, controls_)
{}

GUIRenameProfileWindow::~GUIRenameProfileWindow() = default;

void GUIRenameProfileWindow::Show(bool takeName, const std::wstring& name)
{
    GUIRenameProfileWindowBase::Show(takeName, name);
    SetShown(true);
    SetTitleKey(kTitleKey);
    if (takeName)
        form_.SetText(name);
}

void GUIRenameProfileWindow::Hide()
{
    GUIRenameProfileWindowBase::Hide();
    SetShown(false);
}

void GUIRenameProfileWindow::Update()
{
    GUIRenameProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (form_.UpdateConfirm())
        result_ = RenameProfile(form_.GetName()) ? kResultProfiles : kResultNameConflict;
    if (form_.WasOtherClicked())
        result_ = kResultProfiles;
    form_.PrintTexts(frameWindow_, kCancelCaptionKey, color_);
}

} // namespace Tansywell
