#include "game/gui/GUIRelaxWindow.h"

#include <string>

#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"
#include "game/gui/MenuTextCount.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 1;
const std::string kTitleKey = "RELAX_TITLE";
const std::string kSizeKey = "RELAX_TEXT_SIZE";
const std::string kLineKey = "RELAX_TEXT_";
const std::string kYesKey = "YES";
const std::string kNoKey = "NO";
constexpr float kFirstLineY = 247.0f;
constexpr float kLineStep = 20.0f;

} // namespace

GUIRelaxWindow::GUIRelaxWindow(OrrelayEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                               GameFramework::Mixer* mixer, const GameData* data, GUIMenuWindowManager* manager,
                               OrrelayEngine::GUIWindow* parent)
    : GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent), profiles_(profileManager)
{
    yes_ = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[1], frameWindow_);
    controls_.push_back(yes_.get());
    no_ = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[0], frameWindow_);
    controls_.push_back(no_.get());
}

GUIRelaxWindow::~GUIRelaxWindow() = default;

void GUIRelaxWindow::Show()
{
    SetShown(true);
    SetTitleKey(kTitleKey);
    lineCount_ = MenuTextCount::Read(textManager_->GetText(kSizeKey));
}

void GUIRelaxWindow::Hide()
{
    SetShown(false);
}

void GUIRelaxWindow::Update()
{
    result_ = 0;
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*yes_)) {
        // A damaged profile list can leave no current profile: nothing to switch then.
        if (auto* profile = dynamic_cast<Profile*>(profiles_->GetCurrentProfile())) {
            profile->SetFlag(Profile::kFlagRelaxMode, true);
            profile->Save();
        }
        result_ = kResultDone;
    }
    if (GUIMenuParts::WasClicked(*no_))
        result_ = kResultDone;
    for (std::uint32_t i = 0; i < lineCount_; ++i) {
        GUIMenuParts::PrintLine(frameWindow_, kLineKey, static_cast<std::int32_t>(i),
                                kFirstLineY - static_cast<float>(i) * kLineStep, color_);
    }
    GUIMenuParts::PrintCaption(*yes_, kYesKey, color_);
    GUIMenuParts::PrintCaption(*no_, kNoKey, color_);
}

} // namespace Tansywell
