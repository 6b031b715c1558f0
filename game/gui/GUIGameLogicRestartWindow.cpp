#include "game/gui/GUIGameLogicRestartWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLogicQuestion.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kSmallWindowFrame = 2;

} // namespace

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                     const GameData* data, GUIMenuWindowManager* manager,
                                                     OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicRestartWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kSmallWindowFrame, parent),
      question_(std::make_unique<GUIGameLogicQuestion>(engine, data, frameWindow_, controls_))
{
    SetTitleKey("GAME_LOGIC_EXIT_TITLE");
}

GUIGameLogicRestartWindow::~GUIGameLogicRestartWindow() = default;

void GUIGameLogicRestartWindow::Show()
{
    GUIGameLogicRestartWindowBase::Show();
    leaving_ = false;
    RequestTitleArea();
    SetShown(true);
}

void GUIGameLogicRestartWindow::Hide()
{
    GUIGameLogicRestartWindowBase::Hide();
    ReleaseTitleArea();
    // A yes has already closed the frame.
    if (leaving_) {
        leaving_ = false;
        return;
    }
    SetShown(false);
}

void GUIGameLogicRestartWindow::Update()
{
    GUIGameLogicRestartWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow_->IsVisible()) {
        question_->PrintTexts(color_);
        if (question_->IsYesClicked()) {
            SetShown(false);
            ReleaseTitleArea();
            manager_->ShowBackground();
            leaving_ = true;
        }
        if (question_->IsNoClicked())
            result_ = kResultNo;
        return;
    }
    if (leaving_ && manager_->IsTransitionDone())
        result_ = kResultYes;
}

} // namespace Tansywell
