#include "game/logic/Bonus.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/GameData.h"

namespace Tansywell {

using namespace OrrelayEngine;

Bonus::Bonus(Engine* engine, const GameData* gameData, std::uint32_t kind)
    : timerManager_(engine->GetTimerManager()), modelManager_(engine->GetModelManager()), gameData_(gameData),
      kind_(kind)
{
    // Kinds outside the three have no model; such a bonus still ages and dies.
    const Model* source = kind < GameData::kBonusKindCount ? gameData_->bonuses[kind] : nullptr;
    model_ = modelManager_->CreateCopy(source, nullptr, 0);
    if (model_ == nullptr)
        return;
    model_->SetFlags(Model::kFlagSecondGroup);
    ShaderDescriptor blended;
    if (model_->GetShaderUser() != nullptr)
        blended = *model_->GetShaderUser();
    blended.AddFlags(ShaderDescriptor::kFlagAlphaBlend);
    blended.SetBlendFactor(0, RenderSystem::kBlendSourceAlpha);
    blended.SetBlendFactor(1, RenderSystem::kBlendInverseSourceAlpha);
    model_->SetShader(blended);
    baseMatrix_ = model_->matrix;
    if (AnimationControl* animation = model_->GetAnimationControl()) {
        animation->loop = 1;
        animation->Play();
    }
}

Bonus::~Bonus()
{
    modelManager_->DeleteModel(model_);
}

void Bonus::Update()
{
    age_ += timerManager_->GetFrameTime();
    float alpha = 1.0f;
    if (age_ > kFadeStart)
        alpha = std::max(kLifetime - age_, 0.0f);
    if (model_ != nullptr) {
        const Color faded = color_ * alpha;
        if (faded != model_->GetColor())
            model_->SetColor(faded);
    }
    if (age_ > kLifetime) {
        alive_ = 0;
        if (model_ != nullptr)
            model_->ClearFlags(Model::kFlagVisible);
    }
}

void Bonus::SetMatrix(const Matrix4& matrix)
{
    if (model_ == nullptr)
        return;
    model_->matrix = matrix * baseMatrix_;
    model_->box.SetTransform(model_->matrix);
}

} // namespace Tansywell
