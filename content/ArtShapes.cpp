#include "content/ArtShapes.h"

#include <algorithm>
#include <cmath>

namespace Content {

float ArtShapes::SegmentDistance(float x, float y, const Point& a, const Point& b)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length = dx * dx + dy * dy;
    const float t = length > 0.0f ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length, 0.0f, 1.0f) : 0.0f;
    return std::hypot(x - (a.x + dx * t), y - (a.y + dy * t));
}

float ArtShapes::PolygonDistance(float x, float y, const std::vector<Point>& polygon)
{
    if (polygon.empty()) {
        return 1e9f;
    }
    float nearest = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        nearest = std::min(nearest, SegmentDistance(x, y, a, b));
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside ? -nearest : nearest;
}

std::vector<ArtShapes::Point> ArtShapes::Star(int points, float outer, float inner)
{
    std::vector<Point> star;
    const float step = 3.14159265f / static_cast<float>(points);
    for (int i = 0; i < points * 2; ++i) {
        const float radius = i % 2 == 0 ? outer : inner;
        const float angle = 1.5707963f + step * static_cast<float>(i);
        star.push_back(Point{radius * std::cos(angle), radius * std::sin(angle)});
    }
    return star;
}

float ArtShapes::Coverage(float d, float pixel)
{
    return ArtCanvas::Clamp01(0.5f - d / pixel);
}

} // namespace Content
