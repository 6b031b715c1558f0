#include "game/gui/GUIGameLogicPauseWindow.h"

#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kSmallWindowFrame = 2;
const std::string kTextBody = "GAME_LOGIC_PAUSED_TEXT";
const std::string kTextResume = "GAME_LOGIC_PAUSED_RESUME";
const OrrelayEngine::Vector2 kBodyOffset(0.0f, 110.0f);

} // namespace

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                 const GameData* data, GUIMenuWindowManager* manager,
                                                 OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicPauseWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kSmallWindowFrame, parent),
      resume_(CreateBigButton(engine, data, data->smallWindow.button[0], frameWindow_))
{
    controls_.push_back(resume_);
    SetTitleKey("GAME_LOGIC_PAUSED_TITLE");
}

GUIGameLogicPauseWindow::~GUIGameLogicPauseWindow()
{
    delete resume_;
}

void GUIGameLogicPauseWindow::Show()
{
    GUIGameLogicPauseWindowBase::Show();
    RequestTitleArea();
    SetShown(true);
}

void GUIGameLogicPauseWindow::Hide()
{
    GUIGameLogicPauseWindowBase::Hide();
    ReleaseTitleArea();
    SetShown(false);
}

void GUIGameLogicPauseWindow::Update()
{
    GUIGameLogicPauseWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    frameWindow_->PrintTextKey(1, 2, kBodyOffset, color_, kTextBody);
    resume_->button->PrintTextKey(3, 1, OrrelayEngine::Vector2(), color_, kTextResume);
    if (resume_->button->IsClicked())
        result_ = kResultResume;
}

} // namespace Tansywell
