#include "game/gui/GUICollectionOfManaEffect.h"

#include "engine/core/BoundingBox.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/GameData.h"
#include "game/gui/GUIGameLogicProgress.h"

namespace Tansywell {

GUICollectionOfManaEffect::GUICollectionOfManaEffect(OrrelayEngine::Engine* engine, const GameData* data,
                                                     const GUIGameLogicProgress* manaBar,
                                                     const OrrelayEngine::GUIWindow* parent)
    : timerManager_(engine->GetTimerManager()), particleSystemManager_(engine->GetParticleSystemManager()),
      particles_(particleSystemManager_->CreateCopy(data->manaToProgress)), manaBar_(manaBar)
{
    OrrelayEngine::Model* model = particles_->GetModel();
    model->SetFlags(OrrelayEngine::Model::kFlagFixedDepth);
    model->depth = parent->GetDepth() - kDepthInFront;
    particles_->repeat = 1;
    particles_->emitting = 0;
    particles_->SetVisible(true);
}

GUICollectionOfManaEffect::~GUICollectionOfManaEffect()
{
    particleSystemManager_->DeleteParticleSystem(particles_);
}

bool GUICollectionOfManaEffect::IsFree() const
{
    return finished_ && particles_->GetLiveCount() == 0;
}

void GUICollectionOfManaEffect::Start(const OrrelayEngine::Vector2& startPoint)
{
    startPoint_ = startPoint;
    flightTime_ = 0.0f;
    finished_ = false;
    particles_->emitting = 1;
}

void GUICollectionOfManaEffect::Update()
{
    if (finished_)
        return;
    flightTime_ += timerManager_->GetFrameTime();
    if (flightTime_ > kFlightSeconds) {
        flightTime_ = kFlightSeconds;
        particles_->emitting = 0;
        finished_ = true;
    }
    const OrrelayEngine::Vector2 end = GetEndPoint();
    const OrrelayEngine::Vector2 control(end.x + kControlOffsetX, end.y + kControlOffsetY);
    const float t = flightTime_ / kFlightSeconds;
    const float a = (1.0f - t) * (1.0f - t);
    const float b = 2.0f * t * (1.0f - t);
    const float c = t * t;
    particles_->SetPosition(OrrelayEngine::Vector3(a * startPoint_.x + b * control.x + c * end.x,
                                                   a * startPoint_.y + b * control.y + c * end.y, 0.0f));
}

OrrelayEngine::Vector2 GUICollectionOfManaEffect::GetEndPoint() const
{
    const OrrelayEngine::BoundingBox& box = manaBar_->GetBarBox();
    return OrrelayEngine::Vector2(box.centre.x, box.worldMax.y);
}

} // namespace Tansywell
