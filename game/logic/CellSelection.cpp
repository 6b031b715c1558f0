#include "game/logic/CellSelection.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/logic/Cell.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

void Start(AnimationControl& animation, std::uint32_t id, bool looping)
{
    animation.SetAnimation(id);
    animation.loop = looping ? 1 : 0;
    animation.Play();
}

} // namespace

CellSelection::CellSelection(Engine*, const Cell* cell, Model* model)
    : cell_(cell), model_(model), animation_(model->GetAnimationControl())
{
    model_->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    model_->matrix = cell_->GetModelMatrix();
    model_->box.SetTransform(model_->matrix);
    model_->SetFlags(Model::kFlagVisible);
    Start(*animation_, kAppear, false);
}

CellSelection::~CellSelection() = default;

void CellSelection::Release()
{
    wanted_ = 0;
}

void CellSelection::Update()
{
    const std::uint32_t current = animation_->currentId;
    if (current == kAppear && animation_->playing == 0) {
        if (wanted_ != 0) {
            model_->SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
            Start(*animation_, kLoop, true);
        } else {
            Start(*animation_, kVanish, false);
        }
    } else if (current == kLoop && wanted_ == 0) {
        Start(*animation_, kVanish, false);
    } else if (current == kVanish && animation_->playing == 0) {
        alive_ = 0;
        model_->ClearFlags(Model::kFlagVisible);
    }

    const std::uint32_t now = animation_->currentId;
    if (now != kAppear && now != kVanish)
        return;
    AnimationControl::Range range;
    animation_->GetRange(now, range);
    const float length = static_cast<float>(range.last - range.first);
    const float through = length > 0.0f ? animation_->position / length : 1.0f;
    const float alpha = now == kAppear ? through : 1.0f - through;
    model_->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
}

} // namespace Tansywell
