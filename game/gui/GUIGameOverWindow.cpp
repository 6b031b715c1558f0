#include "game/gui/GUIGameOverWindow.h"

#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

const std::string kTextLine = "GAME_OVER_TEXT_";
const std::string kTextContinue = "CONTINUE";
constexpr float kFirstLineY = 134.0f;
constexpr float kLineStepY = 23.0f;

} // namespace

GUIGameOverWindow::GUIGameOverWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                                     GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIGameOverWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameSmall, parent),
      button_(CreateBigButton(engine, data, data->smallWindow.button[0], frameWindow_))
{
    controls_.push_back(button_);
    SetTitleKey("GAME_OVER_TITLE");
}

GUIGameOverWindow::~GUIGameOverWindow()
{
    delete button_;
}

void GUIGameOverWindow::Show()
{
    GUIGameOverWindowBase::Show();
    RequestTitleArea();
    SetShown(true);
    // A leaving flag left from an earlier game over would answer at once.
    leaving_ = false;
}

void GUIGameOverWindow::Hide()
{
    GUIGameOverWindowBase::Hide();
    ReleaseTitleArea();
    SetShown(false);
}

void GUIGameOverWindow::Update()
{
    GUIGameOverWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow_->IsVisible()) {
        for (std::int32_t line = 0; line < 2; ++line) {
            const OrrelayEngine::Vector2 offset(0.0f, kFirstLineY - kLineStepY * static_cast<float>(line));
            frameWindow_->PrintTextKey(1, 2, offset, color_, kTextLine, line);
        }
        button_->button->PrintTextKey(3, 1, OrrelayEngine::Vector2(), color_, kTextContinue);
        if (button_->button->IsClicked()) {
            SetShown(false);
            ReleaseTitleArea();
            manager_->ShowBackground();
            leaving_ = true;
        }
        return;
    }
    // Answered once: the screen keeps being updated while hidden, and a second
    // answer would put the score in the high-score table again.
    if (leaving_ && manager_->IsTransitionDone()) {
        result_ = kResultDone;
        leaving_ = false;
    }
}

} // namespace Tansywell
