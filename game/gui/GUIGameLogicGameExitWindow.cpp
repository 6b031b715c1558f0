#include "game/gui/GUIGameLogicGameExitWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLogicQuestion.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kSmallWindowFrame = 2;

} // namespace

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                       const GameData* data, GUIMenuWindowManager* manager,
                                                       OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicGameExitWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kSmallWindowFrame, parent),
      question_(std::make_unique<GUIGameLogicQuestion>(engine, data, frameWindow_, controls_))
{
    SetTitleKey("GAME_LOGIC_EXIT_TITLE");
}

GUIGameLogicGameExitWindow::~GUIGameLogicGameExitWindow() = default;

void GUIGameLogicGameExitWindow::Show()
{
    GUIGameLogicGameExitWindowBase::Show();
    RequestTitleArea();
    SetShown(true);
}

void GUIGameLogicGameExitWindow::Hide()
{
    GUIGameLogicGameExitWindowBase::Hide();
    ReleaseTitleArea();
    SetShown(false);
}

void GUIGameLogicGameExitWindow::Update()
{
    GUIGameLogicGameExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    question_->PrintTexts(color_);
    if (question_->IsYesClicked())
        result_ = kResultYes;
    if (question_->IsNoClicked())
        result_ = kResultNo;
}

} // namespace Tansywell
