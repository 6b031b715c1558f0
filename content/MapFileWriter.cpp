#include "content/MapFileWriter.h"

#include <cmath>
#include <cstddef>

namespace Content {

namespace {

using Point = MapFileWriter::RoadPoint;

// The road the places lie on, in menu coordinates inside the stage map's
// frame and above its two buttons: it sets out at the lower left and
// meanders in four bends, one a stage, to the finish at the lower right.
constexpr Point kRoad[] = {{120, 152}, {165, 257}, {148, 356}, {221, 411}, {299, 367}, {294, 262},
                           {310, 163}, {394, 127}, {478, 174}, {490, 279}, {478, 372}, {551, 416},
                           {630, 378}, {646, 273}, {630, 180}, {680, 136}};
constexpr std::size_t kRoadPoints = sizeof(kRoad) / sizeof(kRoad[0]);
constexpr std::size_t kStepsPerSpan = 32;

// Catmull-Rom through the road's points, the ends repeated.
Point RoadAt(std::size_t span, float t)
{
    const auto at = [](std::ptrdiff_t i) {
        return kRoad[i < 0 ? 0 : (i >= static_cast<std::ptrdiff_t>(kRoadPoints) ? kRoadPoints - 1 : i)];
    };
    const std::ptrdiff_t i = static_cast<std::ptrdiff_t>(span);
    const Point p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    const float t2 = t * t;
    const float t3 = t2 * t;
    const auto blend = [&](float a, float b, float c, float d) {
        return 0.5f * (2.0f * b + (c - a) * t + (2.0f * a - 5.0f * b + 4.0f * c - d) * t2 +
                       (3.0f * b - a - 3.0f * c + d) * t3);
    };
    return Point{blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)};
}

} // namespace

std::vector<MapFileWriter::RoadPoint> MapFileWriter::MakeRoad()
{
    std::vector<Point> points;
    for (std::size_t span = 0; span + 1 < kRoadPoints; ++span) {
        for (std::size_t step = 0; step < kStepsPerSpan; ++step) {
            points.push_back(RoadAt(span, static_cast<float>(step) / static_cast<float>(kStepsPerSpan)));
        }
    }
    points.push_back(kRoad[kRoadPoints - 1]);
    return points;
}

ByteBuffer MapFileWriter::Build(const std::vector<Element>& elements) const
{
    ByteBuffer out;
    out.PutU32(0);
    out.PutBytes("PHGMF", 5);
    out.PutU32(kVersion);
    out.PutU32(static_cast<std::uint32_t>(static_cast<std::int64_t>(elements.size()) + countError_));
    for (const Element& element : elements) {
        out.PutU32(static_cast<std::uint32_t>(element.kind));
        for (float value : element.matrix) {
            out.PutF32(value);
        }
    }
    out.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(out.GetSize()) + sizeFieldError_));
    return out;
}

std::vector<MapFileWriter::Element> MapFileWriter::MakeCampaign(const std::vector<std::uint32_t>& levelCounts)
{
    std::vector<Element> elements;
    for (std::size_t stage = 0; stage < levelCounts.size(); ++stage) {
        for (std::uint32_t level = 0; level < levelCounts[stage]; ++level) {
            Element element;
            element.kind = level > 0 ? kPath : (stage == 0 ? kStart : kCheckPoint);
            elements.push_back(element);
        }
    }
    // A last stage of one level ends on its check point, which must stay one
    // to open that stage.
    if (!elements.empty() && elements.back().kind == kPath) {
        elements.back().kind = kFinish;
    }
    // Places at even steps along the road, the first at its start and the last
    // at its end, however many levels there are.
    const std::vector<Point> road = MakeRoad();
    std::vector<float> along(road.size(), 0.0f);
    for (std::size_t i = 1; i < road.size(); ++i) {
        along[i] = along[i - 1] + std::hypot(road[i].x - road[i - 1].x, road[i].y - road[i - 1].y);
    }
    std::size_t segment = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const float share = elements.size() > 1 ? static_cast<float>(i) / static_cast<float>(elements.size() - 1) : 0;
        const float wanted = along.back() * share;
        while (segment + 2 < road.size() && along[segment + 1] < wanted) {
            ++segment;
        }
        const float length = along[segment + 1] - along[segment];
        const float t = length > 0.0f ? std::fmin(std::fmax((wanted - along[segment]) / length, 0.0f), 1.0f) : 0.0f;
        elements[i].matrix[3] = road[segment].x + (road[segment + 1].x - road[segment].x) * t;
        elements[i].matrix[7] = road[segment].y + (road[segment + 1].y - road[segment].y) * t;
    }
    return elements;
}

} // namespace Content
