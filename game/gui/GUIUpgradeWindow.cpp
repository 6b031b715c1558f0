#include "game/gui/GUIUpgradeWindow.h"

#include <algorithm>
#include <string>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "game/gui/CharacterSpeech.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

const std::string kTextNotice = "HIT_MOUSE_BUTTON_TO_CONTINUE";
const OrrelayEngine::Vector2 kNoticeSize(800.0f, 0.0f);
const OrrelayEngine::Vector2 kTextOffset(0.0f, 12.0f);
// The meadow of the upgrade scene is too light under white ink: the line
// stands on a plate of its own, authored where it appears.
const std::string kPlateModel = "ui\\menus\\models\\controls\\upgrade_notice.mlf";

} // namespace

GUIUpgradeWindow::GUIUpgradeWindow(OrrelayEngine::Engine* engine, const CharacterSpeech* character,
                                   GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : timerManager_(engine->GetTimerManager()), controls_(engine->GetControls()), guiManager_(engine->GetGUIManager()),
      manager_(manager), character_(character),
      notice_(guiManager_->CreateWindowFromModel(0, OrrelayEngine::Vector2(), kNoticeSize, nullptr, parent)),
      plate_(guiManager_->CreateWindowFromFile(
          OrrelayEngine::GUIWindow::kFlagShown | OrrelayEngine::GUIWindow::kFlagColoredVertices,
          OrrelayEngine::Vector2(), OrrelayEngine::Vector2(1.0f, 1.0f), kPlateModel, notice_))
{
    // At the notice's own depth, so that the line it prints lies in front.
    plate_->SetDepthOrder(0);
    plate_->SetColor(OrrelayEngine::Color(1.0f, 1.0f, 1.0f, 0.0f));
}

GUIUpgradeWindow::~GUIUpgradeWindow()
{
    guiManager_->DeleteWindow(plate_);
    guiManager_->DeleteWindow(notice_);
}

void GUIUpgradeWindow::Activate(std::uint32_t kind)
{
    active_ = true;
    sceneRequested_ = false;
    timer_ = 0.0f;
    result_ = 0;
    kind_ = kind;
}

void GUIUpgradeWindow::Deactivate()
{
    notice_->ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
    active_ = false;
    timer_ = 0.0f;
}

void GUIUpgradeWindow::Update()
{
    result_ = 0;
    if (!notice_->IsVisible() && active_) {
        // From the main menu the scene is not showing yet; after a level the
        // level-complete screen has asked for it.
        if (kind_ == kKindFromMainMenu && !sceneRequested_) {
            manager_->ShowUpgradeScene();
            sceneRequested_ = true;
        }
        if (manager_->IsTransitionDone())
            notice_->SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
    }
    if (!notice_->IsVisible())
        return;
    if (!active_ && manager_->IsTransitionDone())
        result_ = kind_ == kKindFromMainMenu ? kResultMainMenu : kResultStageComplete;

    if (character_ == nullptr || !character_->IsWindowVisible())
        timer_ += timerManager_->GetFrameTime();
    if (active_) {
        alpha_ = std::clamp(timer_ - kTextDelaySeconds, 0.0f, 1.0f);
        if (manager_->IsTransitionDone())
            manager_->ClearText();
        if (controls_->AnyKeyPressed() && timer_ > kKeyDelaySeconds) {
            manager_->ShowBackground();
            active_ = false;
            // The fade-out runs from full strength, whatever the timer stood at.
            timer_ = 0.0f;
        }
    } else {
        alpha_ = std::clamp(1.0f - kFadeOutPerSecond * timer_, 0.0f, 1.0f);
    }
    plate_->SetColor(OrrelayEngine::Color(1.0f, 1.0f, 1.0f, alpha_));
    notice_->PrintTextKey(1, 1, kTextOffset, OrrelayEngine::Color(1.0f, 1.0f, 1.0f, alpha_), kTextNotice);
}

} // namespace Tansywell
