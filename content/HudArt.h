// The head-up display's models under "data\ui\menus\models\": the frame
// round the board in game_logic (side strips and corners, its middle left
// open), the level and score fields with their caption areas, the mana and
// energy bars with their frames and upright caption areas, the placements of
// the HUD's buttons, and the controls' button_game_logic_* looks (view,
// minimize, window mode, close) with their hit and caption areas. Also adds
// the result screens' recipes (ResultArt).
#pragma once

#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class HudArt
{
public:
    // Every pack path the HUD's recipes make, the result screens' included.
    static std::vector<std::string> GetPaths();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
