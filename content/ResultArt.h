// The models of the screens shown over a level: the level-complete screen's
// level_complete\ parts (its sunk panel with the round mount of the stage's
// picture, the mana bar running full to empty toward its left end, its frame
// and line area, and the picture's placement), controls\upgrade.mlf with two
// key frames per stage (the stage's picture in bloom, then faded, which the
// screen lays over it and fades out as the bar fills), controls\upgrade_notice.mlf
// (the walnut plate under the upgrade notice's line), and the in-game menu's
// game_logic_menu\ placements of its sliders and check boxes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class ResultArt
{
public:
    static constexpr std::uint32_t kStageCount = 4;
    static constexpr std::uint32_t kPicturesPerStage = 2;

    static std::vector<std::string> GetPaths();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
