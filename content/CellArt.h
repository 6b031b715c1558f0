// The board's cells and what is drawn on them: the empty, single and double
// cells (hexagonal slabs of three heights), their six textures (plain, closed
// under a wooden lid, blocked under a web), the web over a blocked cell, the
// selection marker (appear 0-10, loop 10-40, vanish 40-50), the tutorial's
// looping tip, the six border hedges, one on each edge in the board's
// neighbour order (0 +y, then clockwise), and the three bonus models.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/BoardLayout.h"

namespace Content {

class DataSetBuilder;

class CellArt
{
public:
    static constexpr std::uint32_t kSelectFrameCount = 51;
    // A little smaller than the layout's cell, so that a seam of ground shows.
    static constexpr float kCellRadius = BoardLayout::kCircumradius - 0.8f;
    static constexpr float kEmptyHeight = 1.2f;
    // Every cell is picked by the single cell's box, so an item stands on
    // kSingleHeight whatever its cell; the double slab stays low enough for a
    // resting butterfly to clear it.
    static constexpr float kSingleHeight = 4.0f;
    static constexpr float kDoubleHeight = 6.5f;
    // A border hedge, in the frame of its cell: it runs along the edge facing
    // its direction, kBorderGap outside the edge, kBorderDepth thick, reaching
    // kBorderHalfLength either side of the edge's middle and kBorderHeight up.
    static constexpr float kBorderGap = 0.4f;
    static constexpr float kBorderDepth = 4.0f;
    static constexpr float kBorderHalfLength = 11.6f;
    static constexpr float kBorderHeight = 7.2f;

    // The angle (radians, from +x) toward the neighbour in direction 0 to 5.
    static float DirectionAngle(std::uint32_t direction);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
