#include "game/gui/GUIStageCompleteWindow.h"

#include "framework/LevelManagerBase.h"

namespace Tansywell {

GUIStageCompleteWindow::GUIStageCompleteWindow(OrrelayEngine::Engine* engine,
                                               GameFramework::LevelManagerBase* levelManager)
    : GUIStageCompleteWindowBase(engine), levelManager_(levelManager)
{}

GUIStageCompleteWindow::~GUIStageCompleteWindow() = default;

void GUIStageCompleteWindow::Show(const GameFramework::LevelPosition& completed)
{
    GUIStageCompleteWindowBase::Show(completed);
    answerPending_ = true;
}

void GUIStageCompleteWindow::Update()
{
    GUIStageCompleteWindowBase::Update();
    if (!answerPending_)
        return;
    answerPending_ = false;
    result_ = levelManager_->IsLastLevel(completed_) ? kResultGameComplete : kResultNextStage;
}

} // namespace Tansywell
