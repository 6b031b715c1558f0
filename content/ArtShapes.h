// Signed distances to the flat shapes the menu's small pictures are drawn
// from (segments, polygons, stars), their anti-aliased coverage, and the
// painter's "over" for laying one colour on another.
#pragma once

#include <vector>

#include "content/ArtCanvas.h"

namespace Content {

class ArtShapes
{
public:
    struct Point
    {
        float x;
        float y;
    };

    // Distance from (x, y) to the segment a-b.
    static float SegmentDistance(float x, float y, const Point& a, const Point& b);
    // Signed distance to the polygon's edge, negative inside (any winding).
    static float PolygonDistance(float x, float y, const std::vector<Point>& polygon);
    // A star of the given points round the origin, the first point straight up.
    static std::vector<Point> Star(int points, float outer, float inner);
    // How much of a pixel of the given size an edge at distance d covers.
    static float Coverage(float d, float pixel);
};

} // namespace Content
