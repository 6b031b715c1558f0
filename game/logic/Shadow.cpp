#include "game/logic/Shadow.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Engine.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/GameData.h"
#include "game/logic/Item.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

constexpr float kHalfPi = 1.5707963267948966f;
// Fully dark up to this height above the ground, gone this far beyond it.
constexpr float kOpaqueHeight = 1.0f;
constexpr float kFadeHeight = 50.0f;
constexpr float kHiddenAlpha = 0.0001f;

} // namespace

Shadow::Shadow(Engine* engine, const GameData* gameData, float groundHeight)
    : modelManager_(engine->GetModelManager()), gameData_(gameData), groundZ_(groundHeight)
{
    model_ = modelManager_->CreateCopy(gameData_->shadow, nullptr, 0);
    if (model_ == nullptr)
        return;
    model_->SetFlags(Model::kFlagSecondGroup);
    model_->ClearFlags(Model::kFlagLit);
    model_->ClearFlags(Model::kFlagVisible);
    animation_ = model_->GetAnimationControl();
    // The template's own centre is lifted onto the ground.
    groundZ_ = groundHeight - gameData_->shadow->box.centre.z;
}

Shadow::~Shadow()
{
    modelManager_->DeleteModel(model_);
}

void Shadow::Update()
{
    if (model_ == nullptr)
        return;
    if (item_ == nullptr) {
        model_->ClearFlags(Model::kFlagVisible);
        return;
    }
    Follow();
    lastItem_ = item_;
}

void Shadow::Follow()
{
    const Model* itemModel = item_->GetModel();
    const AnimationControl* itemAnimation = itemModel != nullptr ? itemModel->GetAnimationControl() : nullptr;
    // Frames of another model would point past this one's data: such a
    // shadow lies still.
    if (itemAnimation != nullptr && animation_ != nullptr &&
        itemAnimation->GetFrameCount() != animation_->GetFrameCount())
        itemAnimation = nullptr;
    if (item_ != lastItem_) {
        const std::vector<ShaderUser*>& textures = gameData_->shadowTextures;
        const std::uint32_t kind = item_->GetKind();
        if (kind < textures.size() && textures[kind] != nullptr)
            model_->SetShader(*textures[kind]);
        if (animation_ != nullptr && itemAnimation != nullptr)
            animation_->CopyFrom(*itemAnimation);
    } else if (animation_ != nullptr && itemAnimation != nullptr) {
        animation_->AssignState(*itemAnimation);
    }

    model_->SetFlags(Model::kFlagVisible);
    const Vector3& position = item_->GetPosition();
    const float height = std::fabs(position.z - groundZ_);
    Matrix4 translation;
    MatrixSetTranslation(translation, Vector3(position.x, position.y, groundZ_));
    Matrix4 rotation;
    MatrixSetRotationZ(rotation, item_->GetHeading() + kHalfPi);
    model_->matrix = translation * rotation;
    model_->box.SetTransform(model_->matrix);

    const float alpha = std::clamp(1.0f - (height - kOpaqueHeight) / kFadeHeight, 0.0f, 1.0f);
    SetAlpha(alpha);
    if (alpha <= kHiddenAlpha)
        model_->ClearFlags(Model::kFlagVisible);
}

void Shadow::SetAlpha(float alpha)
{
    if (alpha == alpha_)
        return;
    alpha_ = alpha;
    model_->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
}

} // namespace Tansywell
