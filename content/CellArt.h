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

namespace Content {

class DataSetBuilder;

class CellArt
{
public:
    static constexpr std::uint32_t kSelectFrameCount = 51;
    static constexpr float kSingleHeight = 4.0f;
    static constexpr float kDoubleHeight = 8.0f;

    // The angle (radians, from +x) toward the neighbour in direction 0 to 5.
    static float DirectionAngle(std::uint32_t direction);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
