// The game's campaign, made in code: four stages of six levels, each level a
// board drawn as a symmetric shape on the hexagonal grid (discs, rings,
// hearts, flowers...) with its item kinds and energy factor. Difficulty rises
// through the campaign: bigger boards, more kinds, and one new feature per
// stage (double layers, then closed cells, then blocked cells, then all of
// them). Writes "data\levels\stages_info.ini", "data\levels\stage<i>.ini",
// "data\boards\<board>.blf", "_camera.ini" (the board camera fitted to the
// board's shape) and ".ini" (the progress value), and an empty
// "data\environments\<environment>\environment.ini" per stage, and the
// stage map "data\ui\menus\map\map.gmf" with one place per level.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/CellRecord.h"

namespace Content {

class DataSetBuilder;

class CampaignGenerator
{
public:
    static constexpr std::uint32_t kStageCount = 4;
    static constexpr std::uint32_t kLevelsPerStage = 6;

    struct Level
    {
        std::string boardName;
        std::uint32_t kindCount = 0;
        float energyFactor = 0.0f;
        std::uint32_t progressValue = 0;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        // In board order: rows from the bottom, each from the left.
        std::vector<Tansywell::CellRecord> cells;
    };

    struct Stage
    {
        std::string environmentName;
        std::vector<Level> levels;
    };

    static std::vector<Stage> MakeCampaign();

    // The data set's files, as (pack path, bytes), in a fixed order.
    static std::vector<std::pair<std::string, std::vector<std::uint8_t>>> MakeFiles();
    static void AddRecipes(DataSetBuilder& builder);

private:
    // Without fitted cameras the camera files are empty.
    static std::vector<std::pair<std::string, std::vector<std::uint8_t>>> MakeFiles(bool fitCameras);
};

} // namespace Content
