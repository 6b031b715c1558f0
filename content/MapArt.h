// The stage map's element models under "data\ui\menus\map\models\": the start,
// the finish, the check points, the path pieces and a path piece's look as the
// chosen place. Each is a flat token centred on its origin (the map file's
// matrix places it) with six frames over one picture of six cells: ahead,
// passed, under the pointer, chosen, locked, and the shadow.
#pragma once

#include <cstdint>

namespace Content {

class DataSetBuilder;

class MapArt
{
public:
    // States 0 to 4, then the shadow.
    static constexpr std::uint32_t kFrameCount = 6;

    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
