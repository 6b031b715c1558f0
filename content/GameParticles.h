// The game's particle systems under "data\ui\menus\particles\": four drawn in
// the board's scene (an item appearing, flying away, swapping, and the one-shot
// burst of mana from a cell losing a layer) and two in GUI units (mana flying
// to the progress bar and its glow there), neither with gravity or a floor.
// Each has a shader file beside it over one soft sparkle picture.
#pragma once

namespace Content {

class DataSetBuilder;

class GameParticles
{
public:
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
