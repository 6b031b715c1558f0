// The game's shared assets: the model templates, textures and particle
// systems that the board's cells, selection markers and bonuses copy or show.
// Loaded once at start on the keeper's thread; read-only afterwards. A model
// file that cannot be read gives a box in its place, so the set always loads.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/DataKeeper.h"

namespace OrrelayEngine {
class GUIManager;
}

namespace Tansywell {

class GameData : public GameFramework::DataKeeper
{
public:
    static constexpr std::uint32_t kBonusKindCount = 3;

    GameData(OrrelayEngine::Engine* engine, const GameFramework::LanguageInfo& language);
    ~GameData() override;

    void LoadResources() override;

    // Cells.
    OrrelayEngine::Model* cellEmpty = nullptr;
    OrrelayEngine::Model* cellSingle = nullptr;
    OrrelayEngine::Model* cellDouble = nullptr;
    OrrelayEngine::Model* cellSelect = nullptr;
    OrrelayEngine::Model* cellBlock = nullptr;
    OrrelayEngine::Model* cellTip = nullptr;
    OrrelayEngine::ShaderUser* cell1 = nullptr;
    OrrelayEngine::ShaderUser* cell1Closed = nullptr;
    OrrelayEngine::ShaderUser* cell1Blocked = nullptr;
    OrrelayEngine::ShaderUser* cell2 = nullptr;
    OrrelayEngine::ShaderUser* cell2Closed = nullptr;
    OrrelayEngine::ShaderUser* cell2Blocked = nullptr;

    // Bonuses, by bonus kind: item destruction, combination destruction,
    // colour destruction.
    OrrelayEngine::Model* bonuses[kBonusKindCount] = {};

    // The particle effect a cell plays when it loses a layer.
    OrrelayEngine::ParticleSystem* manaCell = nullptr;

protected:
    OrrelayEngine::GUIManager* guiManager_;
};

} // namespace Tansywell
