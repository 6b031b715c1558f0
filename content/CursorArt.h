// The game's pointer: "data\ui\cursors\cursor.jpg" and its opacity
// "cursor_alpha.jpg", 64 x 64, an arrow whose tip is the picture's top-left
// pixel (the engine's cursor quad hangs from its hot spot there).
#pragma once

#include <cstdint>

namespace Content {

class ArtCanvas;
class DataSetBuilder;

class CursorArt
{
public:
    static constexpr std::uint32_t kSide = 64;

    static ArtCanvas PaintPointer();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
