// Where a board's cells lie in the world, shared by the campaign generator
// and by every model drawn on a cell (cells, borders, items, shadows): flat-
// topped hexagons of circumradius 20 in the x-y plane, z up; a cell (x, y)
// exists only where x + y is even and sits at (30 x, 10 sqrt(3) y, 0).
#pragma once

#include <cmath>

namespace Content {
namespace BoardLayout {

constexpr float kCircumradius = 20.0f;
constexpr float kColumnStep = 30.0f;            // 1.5 circumradii
constexpr float kRowStep = 17.320508075688772f; // half the hexagon's height
constexpr float kInradius = kRowStep;           // centre to edge midpoint

inline bool IsCellPlace(int x, int y)
{
    return ((x + y) % 2) == 0;
}
inline float CellX(int x)
{
    return kColumnStep * static_cast<float>(x);
}
inline float CellY(int y)
{
    return kRowStep * static_cast<float>(y);
}

// Corner k (0..5) of a cell centred on the origin, counter-clockwise from +x.
inline float CornerX(int k)
{
    return kCircumradius * std::cos(static_cast<float>(k) * 1.0471975511965976f);
}
inline float CornerY(int k)
{
    return kCircumradius * std::sin(static_cast<float>(k) * 1.0471975511965976f);
}

} // namespace BoardLayout
} // namespace Content
