// The game's campaign: the stage files "data\levels\stage<i>.ini", each level
// line naming its board, item kinds, scenery and energy factor, and the
// progress value each level adds to its stage, read from its board's .ini.
// The campaign is the game's own data: anything wrong in it is fatal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/LevelManagerBase.h"

namespace Tansywell {

class LevelManager : public GameFramework::LevelManagerBase
{
public:
    static constexpr std::uint32_t kMinKindCount = 1;
    static constexpr std::uint32_t kMaxKindCount = 5;

    // Loads the campaign.
    explicit LevelManager(OrrelayEngine::Engine* engine);
    ~LevelManager() override;

    std::string GetStageFileName(std::uint32_t stageIndex) override;

    // The progress values of the stage's levels 0 to levelIndex, both included.
    std::uint32_t GetStageValueUpToLevel(std::uint32_t stageIndex, std::uint32_t levelIndex) const;
    std::uint32_t GetStageValueTotal(std::uint32_t stageIndex) const;

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override;
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override;
    void ReadLevel(GameFramework::LevelRecord& level, OrrelayEngine::FileTextual& file) override;
};

} // namespace Tansywell
