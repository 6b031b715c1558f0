#include "game/gui/GUIDeleteProfileWindow.h"

#include "engine/core/StringHelpers.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "DELETE_PROFILE_TITLE";
const std::string kLineKey = "DELETE_PROFILE_TEXT_";
const std::string kYesKey = "YES";
const std::string kNoKey = "NO";
const std::wstring kNamePlaceholder = L"%PROFILE_NAME%";
constexpr float kFirstLineY = 152.0f;
constexpr float kLineStep = 23.0f;

} // namespace

GUIDeleteProfileWindow::GUIDeleteProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                               GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIDeleteProfileWindowBase(engine, profileManager),
      GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    yes_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[0], frameWindow_);
    controls_.push_back(yes_.get());
    no_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[1], frameWindow_);
    controls_.push_back(no_.get());
}

GUIDeleteProfileWindow::~GUIDeleteProfileWindow() = default;

void GUIDeleteProfileWindow::Show(const std::wstring& name)
{
    GUIDeleteProfileWindowBase::Show(name);
    SetShown(true);
    SetTitleKey(kTitleKey);
    const std::wstring quoted = L"\"" + name + L"\"";
    for (std::uint32_t i = 0; i < kLineCount; ++i) {
        // The replacement goes past what it put in: a name holding the
        // placeholder itself is printed as it is.
        lines_[i] = textManager_->GetText(kLineKey, static_cast<std::int32_t>(i));
        OrrelayEngine::ReplaceAllWide(lines_[i], kNamePlaceholder, quoted);
    }
}

void GUIDeleteProfileWindow::Hide()
{
    GUIDeleteProfileWindowBase::Hide();
    SetShown(false);
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*yes_)) {
        DeleteProfile();
        result_ = profileManager_->GetProfileCount() == 0 ? kResultNewProfile : kResultProfiles;
    }
    if (GUIMenuParts::WasClicked(*no_))
        result_ = kResultProfiles;
    for (std::uint32_t i = 0; i < kLineCount; ++i) {
        frameWindow_->PrintText(GUIMenuParts::kAlignLine, GUIMenuParts::kLineFont,
                                OrrelayEngine::Vector2(0.0f, kFirstLineY - static_cast<float>(i) * kLineStep), color_,
                                lines_[i]);
    }
    GUIMenuParts::PrintCaption(*yes_, kYesKey, color_);
    GUIMenuParts::PrintCaption(*no_, kNoKey, color_);
}

} // namespace Tansywell
