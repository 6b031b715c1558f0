#include "game/logic/Environment.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/GameData.h"
#include "game/GameLogicData.h"
#include "game/logic/Board.h"
#include "game/logic/Cell.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

// The three flags of a scenery model in the environment description.
constexpr std::uint32_t kFlagShownAsIs = 0;
constexpr std::uint32_t kFlagSorted = 1;
constexpr std::uint32_t kFlagRandomPhase = 2;

} // namespace

Environment::Environment(Engine* engine, const GameLevelRecord* level, const GameData* gameData,
                         const GameLogicData* data, const Board* board)
    : engine_(engine), log_(engine->GetMessageManager()), lightManager_(engine->GetLightManager()),
      modelManager_(engine->GetModelManager()), level_(level), gameData_(gameData), data_(data), board_(board)
{
    BuildBorders();
    BuildScenery();
    BuildLights();
}

Environment::~Environment()
{
    for (Light* light : lights_)
        lightManager_->DeleteLight(light);
    for (Model* model : models_)
        modelManager_->DeleteModel(model);
}

void Environment::Update()
{}

void Environment::BuildBorders()
{
    const std::vector<Model*>& borders = gameData_->borders;
    for (std::uint32_t i = 0; i < board_->GetCellCount(); ++i) {
        const Cell* cell = board_->GetCellAt(i);
        for (std::uint32_t direction = 0; direction < Board::kDirectionCount; ++direction) {
            if (board_->GetNeighbour(cell, direction) != nullptr || direction >= borders.size())
                continue;
            Model* border = modelManager_->CreateCopy(borders[direction], nullptr, 0);
            if (border == nullptr)
                continue;
            border->SetFlags(Model::kFlagSecondGroup);
            border->matrix = cell->GetModelMatrix();
            border->box.SetTransform(border->matrix);
            models_.push_back(border);
        }
    }
    borderCount_ = static_cast<std::uint32_t>(models_.size());
}

void Environment::BuildScenery()
{
    const std::vector<Model*>& templates = data_->GetEnvironmentModels();
    const std::vector<std::uint8_t>& flags = data_->GetEnvironmentFlags();
    for (std::size_t i = 0; i < templates.size(); ++i) {
        Model* model = modelManager_->CreateCopy(templates[i], nullptr, 0);
        if (model == nullptr)
            continue;
        const auto flag = [&](std::uint32_t which) {
            const std::size_t at = i * GameLogicData::kEnvironmentFlagCount + which;
            return at < flags.size() && flags[at] != 0;
        };
        if (AnimationControl* animation = model->GetAnimationControl()) {
            animation->position = 0.0f;
            if (flag(kFlagRandomPhase))
                animation->RandomizePhase();
            animation->loop = 1;
            animation->Play();
        }
        if (!flag(kFlagShownAsIs))
            model->ClearFlags(Model::kFlagLit);
        if (flag(kFlagSorted)) {
            model->SetFlags(Model::kFlagSecondGroup | Model::kFlagNoDepthWrite | Model::kFlagFixedDepth);
            model->depth = kSortDepth - kSortDepthStep * static_cast<float>(i);
        }
        models_.push_back(model);
    }
}

void Environment::BuildLights()
{
    lightManager_->SetAmbientColor(Color(kAmbient, kAmbient, kAmbient, kAmbient));
    Light* light = lightManager_->CreateLight();
    if (light == nullptr)
        return;
    light->enabled = 1;
    light->type = Light::kPoint;
    light->position = board_->GetBoundingBox().centre + Vector3(0.0f, 0.0f, kLightHeight);
    light->direction = Vector3(0.0f, 0.0f, -1.0f);
    light->attenuation0 = kLightAttenuation;
    light->attenuation1 = 0.0f;
    light->attenuation2 = 0.0f;
    lights_.push_back(light);
}

} // namespace Tansywell
