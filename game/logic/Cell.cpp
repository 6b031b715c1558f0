#include "game/logic/Cell.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/CellRecord.h"
#include "game/GameData.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

// The block overlay is drawn after the cell, over it.
constexpr float kBlockDepthBias = -13.0f;

} // namespace

Cell::Cell(Engine* engine, const GameData* gameData, const CellRecord& record, std::uint32_t listIndex)
    : timerManager_(engine->GetTimerManager()), modelManager_(engine->GetModelManager()),
      particleSystemManager_(engine->GetParticleSystemManager()), gameData_(gameData), layerCount_(record.layerCount),
      closed_(record.closed != 0 ? 1 : 0), blocked_(record.blocked != 0 ? 1 : 0), x_(record.x), y_(record.y),
      firstTranslation_(record.firstTranslation), rotation_(record.rotation),
      secondTranslation_(record.secondTranslation), furtherVector_(record.furtherVector), listIndex_(listIndex)
{
    MatrixSetTranslation(worldMatrix_, secondTranslation_ + firstTranslation_);
    centre_ = worldMatrix_.TransformPoint(Vector3());

    // The pick box has the single-layer cell's shape whatever the cell shows,
    // so that the cell answers the mouse the same way all level long.
    const BoundingBox& shape = gameData_->cellSingle->box;
    pickModel_ = modelManager_->CreateBox(shape.localMin, shape.localMax, nullptr, nullptr, 0);
    pickModel_->matrix = worldMatrix_;
    pickModel_->box.SetTransform(worldMatrix_);

    particles_ = particleSystemManager_->CreateCopy(gameData_->manaCell);
    if (particles_ != nullptr) {
        particles_->SetPosition(GetTopPosition());
        particles_->repeat = 0;
        particles_->SetVisible(true);
    }

    RebuildModel();
}

Cell::~Cell()
{
    delete pickModel_;
    modelManager_->DeleteModel(model_);
    modelManager_->DeleteModel(blockModel_);
    particleSystemManager_->DeleteParticleSystem(particles_);
}

const BoundingBox& Cell::GetBoundingBox() const
{
    return pickModel_->box;
}

const Matrix4& Cell::GetModelMatrix() const
{
    return model_->matrix;
}

Vector3 Cell::GetTopPosition() const
{
    const BoundingBox& box = pickModel_->box;
    return box.centre + Vector3(0.0f, 0.0f, box.halfSize.z);
}

Vector3 Cell::GetCentre() const
{
    // Through the world matrix: a board camera that carries the board (turned
    // and centred) moves the cell on the screen, not in the model's matrix.
    const BoundingBox& box = pickModel_->box;
    return pickModel_->GetWorldMatrix().TransformPoint((box.localMin + box.localMax) * 0.5f);
}

bool Cell::IntersectRay(const Vector3& origin, const Vector3& direction, float* distance) const
{
    return pickModel_->IntersectRay(origin, direction, distance);
}

void Cell::SetHighlight(bool hovered, bool selected)
{
    hovered_ = hovered ? 1 : 0;
    selected_ = selected ? 1 : 0;
    const Color before = color_;
    const float step = kHighlightSpeed * timerManager_->GetFrameTime();
    if (!hovered && !selected)
        color_.b = std::min(color_.b + step, 1.0f);
    else
        color_.b = std::max(color_.b - step, 0.0f);
    if (color_ != before)
        model_->SetColor(color_);
}

void Cell::RebuildModel()
{
    modelManager_->DeleteModel(model_);
    model_ = nullptr;

    // Closed shows over blocked: the web only matters once the cell is open.
    const ShaderUser* texture = nullptr;
    const Model* source = gameData_->cellEmpty;
    if (layerCount_ == 1) {
        source = gameData_->cellSingle;
        texture = closed_ != 0 ? gameData_->cell1Closed : (blocked_ != 0 ? gameData_->cell1Blocked : gameData_->cell1);
    } else if (layerCount_ == 2) {
        source = gameData_->cellDouble;
        texture = closed_ != 0 ? gameData_->cell2Closed : (blocked_ != 0 ? gameData_->cell2Blocked : gameData_->cell2);
    }
    model_ = modelManager_->CreateCopy(source, nullptr, 0);
    if (texture != nullptr)
        model_->SetShader(*texture);
    model_->matrix = worldMatrix_;
    model_->box.SetTransform(worldMatrix_);
    model_->SetColor(color_);

    if (blocked_ == 0) {
        modelManager_->DeleteModel(blockModel_);
        blockModel_ = nullptr;
    } else if (blockModel_ == nullptr) {
        blockModel_ = modelManager_->CreateCopy(gameData_->cellBlock, nullptr, 0);
        blockModel_->matrix = worldMatrix_;
        blockModel_->box.SetTransform(worldMatrix_);
        blockModel_->SetFlags(Model::kFlagSecondGroup);
        blockModel_->ClearFlags(Model::kFlagDepthTest);
        blockModel_->depthBias = kBlockDepthBias;
    }
}

bool Cell::RemoveLayer()
{
    if (layerCount_ == 0)
        return false;
    // A count outside the data model never reaches here: the reader refuses it.
    --layerCount_;
    RebuildModel();
    if (particles_ != nullptr) {
        particles_->elapsedTime = 0.0f;
        particles_->emitting = 1;
    }
    return true;
}

bool Cell::Unblock()
{
    if (blocked_ == 0)
        return false;
    blocked_ = 0;
    RebuildModel();
    return true;
}

bool Cell::OpenClosed()
{
    if (closed_ == 0)
        return false;
    closed_ = 0;
    RebuildModel();
    return true;
}

} // namespace Tansywell
