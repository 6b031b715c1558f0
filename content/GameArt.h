// The recipes of the board's presentation: items and shadows, cells, borders
// and bonuses, the particle systems, the tutorial character, the stages'
// scenery and the game's sound effects.
#pragma once

namespace Content {

class DataSetBuilder;

class GameArt
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
