// The garden panorama behind the menus: the sky with its far hills (loaded at
// start-up, behind the introduction), drifting clouds, the near meadow and a
// swaying flower border, and one landmark per stage of the campaign (a
// windmill, a cottage, a pond with its bridge, a gazebo) that appears once the
// player has reached it. The list the game reads, background.ini, is written
// from the same table, so it names exactly these models.
#pragma once

#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class BackgroundArt
{
public:
    // The models in background.ini's order, with their start-up flag and
    // place threshold as the list holds them.
    struct Layer
    {
        const char* name;
        bool startUp;
        int placeThreshold;
    };
    static const std::vector<Layer>& GetLayers();

    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
