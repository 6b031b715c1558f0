#include "game/logic/CellSelectionManager.h"

#include "engine/core/Engine.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/GameData.h"
#include "game/logic/CellSelection.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

struct MarkerRange
{
    std::uint32_t id;
    std::uint32_t first;
    std::uint32_t last;
};

const MarkerRange kMarkerRanges[] = {
    {CellSelection::kAppear, 0, 10}, {CellSelection::kLoop, 10, 40}, {CellSelection::kVanish, 40, 50}};

} // namespace

CellSelectionManager::CellSelectionManager(Engine* engine, const GameData* gameData)
    : engine_(engine), modelManager_(engine->GetModelManager()), gameData_(gameData)
{
    for (std::uint32_t i = 0; i < kMarkersMadeAtStart; ++i)
        CreateMarker();
}

CellSelectionManager::~CellSelectionManager()
{
    selections_.clear();
    for (Model* marker : markers_)
        modelManager_->DeleteModel(marker);
}

Model* CellSelectionManager::CreateMarker()
{
    Model* marker = modelManager_->CreateCopy(gameData_->cellSelect, nullptr, 0);
    marker->SetFlags(Model::kFlagSecondGroup | Model::kFlagFixedDepth);
    marker->ClearFlags(Model::kFlagVisible);
    for (const MarkerRange& range : kMarkerRanges)
        marker->GetAnimationControl()->AddAnimation(range.id, range.first, range.last);
    ShaderDescriptor blended;
    if (marker->GetShaderUser() != nullptr)
        blended = *marker->GetShaderUser();
    blended.AddFlags(ShaderDescriptor::kFlagAlphaBlend);
    blended.SetBlendFactor(0, RenderSystem::kBlendSourceAlpha);
    blended.SetBlendFactor(1, RenderSystem::kBlendInverseSourceAlpha);
    marker->SetShader(blended);
    markers_.push_back(marker);
    freeMarkers_.push_back(marker);
    return marker;
}

void CellSelectionManager::Update(const Cell* selected)
{
    bool found = false;
    for (std::size_t i = 0; i < selections_.size();) {
        CellSelection& selection = *selections_[i];
        if (selection.GetCell() == selected) {
            if (selection.IsWanted())
                found = true;
        } else {
            selection.Release();
        }
        selection.Update();
        if (!selection.IsAlive()) {
            freeMarkers_.push_back(selection.GetModel());
            selections_.erase(selections_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }

    if (selected == nullptr || found)
        return;
    if (freeMarkers_.empty())
        CreateMarker();
    Model* marker = freeMarkers_.back();
    freeMarkers_.pop_back();
    selections_.push_back(std::make_unique<CellSelection>(engine_, selected, marker));
}

} // namespace Tansywell
