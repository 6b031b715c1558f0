// The recipes of the menus and the head-up display: the menu background and
// its introduction, window frames and controls, the stage map, the game
// cursor and the HUD with its result screens, all in one menu style.
#pragma once

namespace Content {

class DataSetBuilder;

class MenuArt
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
