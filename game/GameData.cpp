#include "game/GameData.h"

#include <string>

#include "engine/core/Engine.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

const char kCellFolder[] = "game_objects\\cell\\";
const char kCellTextureFolder[] = "game_objects\\cell\\textures\\";
const char* const kBonusFiles[GameData::kBonusKindCount] = {"game_objects\\bonuses\\item_destruction.mlf",
                                                            "game_objects\\bonuses\\combination_destruction.mlf",
                                                            "game_objects\\bonuses\\color_destruction.mlf"};
const char kManaCellParticles[] = "ui\\menus\\particles\\mana_cell.psf";

} // namespace

GameData::GameData(Engine* engine, const GameFramework::LanguageInfo& language)
    : DataKeeper(engine, language, true), guiManager_(engine->GetGUIManager())
{
}

GameData::~GameData()
{
    StopLoading();
}

void GameData::LoadResources()
{
    const auto model = [this](const std::string& fileName) {
        Model* loaded = modelManager_->LoadModelTemplate(fileName, nullptr, Model::kFlagVertexColor);
        AddUnnamedModel(loaded);
        return loaded;
    };
    const auto texture = [this](const std::string& name) {
        ShaderDescriptor descriptor;
        descriptor.ConstructForTexture(true, kCellTextureFolder + name + ".jpg", "", true);
        ShaderUser* user = shaderManager_->CreateShaderUser(descriptor);
        AddUnnamedShaderUser(user);
        return user;
    };

    cellEmpty = model(std::string(kCellFolder) + "cell_empty.mlf");
    cellSingle = model(std::string(kCellFolder) + "cell_single.mlf");
    cellDouble = model(std::string(kCellFolder) + "cell_double.mlf");
    cellSelect = model(std::string(kCellFolder) + "cell_select.mlf");
    cellBlock = model(std::string(kCellFolder) + "cell_block.mlf");
    cellTip = model(std::string(kCellFolder) + "cell_tip.mlf");
    cell1 = texture("cell_1");
    cell1Closed = texture("cell_1_closed");
    cell1Blocked = texture("cell_1_blocked");
    cell2 = texture("cell_2");
    cell2Closed = texture("cell_2_closed");
    cell2Blocked = texture("cell_2_blocked");

    for (std::uint32_t kind = 0; kind < kBonusKindCount; ++kind)
        bonuses[kind] = model(kBonusFiles[kind]);

    manaCell = particleSystemManager_->LoadParticleSystem(kManaCellParticles, nullptr);
    AddUnnamedParticleSystem(manaCell);
}

} // namespace Tansywell
