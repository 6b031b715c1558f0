// The introduction that plays over the garden before the game loads: a vine
// garland drops along the top of the screen while the studio's emblem pops up
// in the lower right corner, where it stays behind the menus. The game's
// title and its text panel follow (TitleArt). Lengths are key-frame counts at
// the 25 frames per second the background plays them at; the whole
// introduction is kept short because the load waits for it and the main menu
// must be up within a second and a half of the start.
#pragma once

#include <cstdint>

namespace Content {

class DataSetBuilder;

class IntroArt
{
public:
    // The emblem and the garland play together: 0.12 s.
    static constexpr std::uint32_t kOpeningFrames = 4;

    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
