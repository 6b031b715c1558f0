#include "game/gui/GUIGameLogicProgress.h"

#include <algorithm>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

GUIGameLogicProgress::GUIGameLogicProgress(OrrelayEngine::Engine* engine, const GameData* data, float speed,
                                           const OrrelayEngine::Model* background, const OrrelayEngine::Model* bar,
                                           const OrrelayEngine::Model* textArea, OrrelayEngine::GUIWindow* parent)
    : guiManager_(engine->GetGUIManager()), timerManager_(engine->GetTimerManager()), speed_(speed), parent_(parent)
{
    using OrrelayEngine::Vector2;
    frame_ = new GUIControl(engine, data, GUIControl::kWindow, background, background, nullptr, nullptr, parent);
    frame_->SetAnimationSpeed(kFrameAnimationSpeed);

    barWindow_ = guiManager_->CreateWindowFromModel(kBarWindowFlags, Vector2(), Vector2(1.0f, 1.0f), bar, parent);
    barWindow_->SetDepthOrder(kBarDepthOrder);
    barModel_ = barWindow_->GetModel();
    barAnimation_ = barModel_ != nullptr ? barModel_->GetAnimationControl() : nullptr;
    if (barAnimation_ != nullptr) {
        barAnimation_->Stop();
        barAnimation_->position = 0.0f;
    }

    const Vector2 size = GUIControl::ModelSize(textArea);
    const Vector2 centre = GUIControl::ModelPosition(textArea);
    textWindow_ = guiManager_->CreateWindowFromModel(OrrelayEngine::GUIWindow::kFlagShown,
                                                     Vector2(centre.x - 0.5f * size.x, centre.y - 0.5f * size.y), size,
                                                     nullptr, parent);
    textWindow_->SetDepthOrder(kTextDepthOrder);
}

GUIGameLogicProgress::~GUIGameLogicProgress()
{
    guiManager_->DeleteWindow(textWindow_);
    guiManager_->DeleteWindow(barWindow_);
    delete frame_;
}

void GUIGameLogicProgress::SetValue(float value)
{
    value_ = value;
    barWindow_->SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
    textWindow_->SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
    ShowValueOnBar();
}

void GUIGameLogicProgress::Hide()
{
    barWindow_->ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
    textWindow_->ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
}

void GUIGameLogicProgress::Update(const OrrelayEngine::Color& colour, float target)
{
    if (parent_ != nullptr && !parent_->IsVisible())
        return;
    barWindow_->SetColor(colour);
    const float step = speed_ * timerManager_->GetFrameTime();
    if (target > value_)
        value_ = std::min(value_ + step, target);
    else
        value_ = std::max(value_ - step, target);
    ShowValueOnBar();
}

const OrrelayEngine::BoundingBox& GUIGameLogicProgress::GetBarBox() const
{
    return barModel_->box;
}

void GUIGameLogicProgress::ShowValueOnBar()
{
    if (barAnimation_ != nullptr)
        barAnimation_->position = 1.0f - std::clamp(value_, 0.0f, 1.0f);
}

} // namespace Tansywell
