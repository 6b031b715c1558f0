#include "content/MapLandscape.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "content/ArtPaint.h"
#include "content/ArtShapes.h"
#include "content/CampaignGenerator.h"
#include "content/MapFileWriter.h"
#include "content/MenuLayout.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr MenuLayout::Box kMap = MenuLayout::kStartGameFrame;
// Beyond this the road's distance is not kept: nothing is drawn by it there.
constexpr float kReach = 24.0f;
constexpr float kRoadHalfWidth = 6.5f;
// Marks keep this clear of the road and of the places' centres.
constexpr float kRoadClearance = 11.0f;
constexpr float kPlaceClearance = 21.0f;
// How far the stages' borders wander, and how wide they blend.
constexpr float kBorderWander = 110.0f;
constexpr float kBorderBlend = 16.0f;
constexpr std::uint32_t kSeed = 7919;

// The lake lies inside the second stage's bend, clear of the road.
constexpr float kLakeX = 392.0f;
constexpr float kLakeY = 282.0f;
constexpr float kLakeRadiusX = 60.0f;
constexpr float kLakeRadiusY = 90.0f;

// The cave's hill stands right of the finish; more hills up the map's edge.
struct Hill
{
    float x;
    float baseY;
    float halfWidth;
    float height;
};
constexpr Hill kCaveHill{696.0f, 190.0f, 28.0f, 44.0f};
constexpr Hill kBackHills[] = {
    {700.0f, 278.0f, 22.0f, 34.0f}, {688.0f, 338.0f, 26.0f, 38.0f}, {704.0f, 392.0f, 19.0f, 28.0f}};

ArtColor Rgb(std::uint32_t hex)
{
    return ArtCanvas::Rgb(hex);
}

// A smooth hash of a lattice point, 0 to 1.
float Hash(float i, float j, std::uint32_t seed)
{
    return ArtCanvas::Noise(i, j, seed);
}

float Cover(float distance)
{
    return ArtPaint::Coverage(distance);
}

ArtColor Lay(const ArtColor& under, const ArtColor& ink, float cover)
{
    return ArtCanvas::Mix(under, ink, ArtCanvas::Clamp01(cover) * ink.a);
}

float Segment(float x, float y, float ax, float ay, float bx, float by)
{
    return ArtShapes::SegmentDistance(x, y, ArtShapes::Point{ax, ay}, ArtShapes::Point{bx, by});
}

// A mark scattered over a grid of cells, one at a jittered point in each.
struct Mark
{
    float x;
    float y;
    float kind;
    float size;
};

Mark MarkIn(float i, float j, float cell, std::uint32_t seed)
{
    return Mark{(i + 0.15f + 0.7f * Hash(i, j, seed)) * cell, (j + 0.15f + 0.7f * Hash(i, j, seed + 1)) * cell,
                Hash(i, j, seed + 2), Hash(i, j, seed + 3)};
}

// The marks of the 3 x 3 cells round the point, back (higher) ones first.
template <class Visit>
void ForMarks(float x, float y, float cell, std::uint32_t seed, Visit visit)
{
    std::array<Mark, 9> marks;
    std::size_t count = 0;
    const float ci = std::floor(x / cell);
    const float cj = std::floor(y / cell);
    for (float j = cj + 1.0f; j >= cj - 1.0f; j -= 1.0f) {
        for (float i = ci - 1.0f; i <= ci + 1.0f; i += 1.0f) {
            marks[count++] = MarkIn(i, j, cell, seed);
        }
    }
    std::sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.y > b.y; });
    for (const Mark& mark : marks) {
        visit(mark);
    }
}

float HillDistance(const Hill& hill, float x, float y)
{
    // A mound: half an ellipse on its base line.
    if (y < hill.baseY) {
        const float dx = std::fmax(std::fabs(x - hill.x) - hill.halfWidth, 0.0f);
        return std::hypot(dx, hill.baseY - y);
    }
    return ArtPaint::EllipseDistance(x - hill.x, y - hill.baseY, hill.halfWidth, hill.height);
}

// A mound lit from the left, inked round its top.
ArtColor PaintHill(const Hill& hill, float x, float y, ArtColor color, const ArtColor& lit, const ArtColor& shade)
{
    const float d = HillDistance(hill, x, y);
    if (d > 1.0f) {
        return color;
    }
    const float side = ArtCanvas::SmoothStep(-0.25f, 0.35f, (x - hill.x) / hill.halfWidth);
    ArtColor face = ArtCanvas::Mix(lit, shade, side);
    // Hatching on the shaded side.
    const float hatch = std::fabs(std::fmod(x + y * 0.6f + 1000.0f, 3.2f) - 1.6f);
    face = Lay(face, ArtCanvas::Scale(shade, 0.75f), 0.45f * side * Cover(hatch - 0.35f));
    color = Lay(color, face, Cover(d));
    const ArtColor ink = Rgb(0x5a4630);
    return y >= hill.baseY - 0.5f ? Lay(color, ink, 0.9f * Cover(std::fabs(d) - 0.45f)) : color;
}

} // namespace

MapLandscape::MapLandscape()
{
    const std::vector<std::uint32_t> levelCounts(CampaignGenerator::kStageCount, CampaignGenerator::kLevelsPerStage);
    std::uint32_t stage = 0;
    for (const MapFileWriter::Element& element : MapFileWriter::MakeCampaign(levelCounts)) {
        if (element.kind == MapFileWriter::kCheckPoint) {
            ++stage;
        }
        places_.push_back(Place{element.matrix[3], element.matrix[7], stage});
    }
    columns_ = static_cast<std::uint32_t>(kMap.width) + 1;
    rows_ = static_cast<std::uint32_t>(kMap.height) + 1;
    road_.assign(static_cast<std::size_t>(columns_) * rows_, kReach);
    const std::vector<MapFileWriter::RoadPoint> road = MapFileWriter::MakeRoad();
    // Each piece of the road marks the cells within reach of it.
    for (std::size_t k = 0; k + 1 < road.size(); ++k) {
        const MapFileWriter::RoadPoint& a = road[k];
        const MapFileWriter::RoadPoint& b = road[k + 1];
        const float left = std::fmax(std::fmin(a.x, b.x) - kReach - kMap.left, 0.0f);
        const float right = std::fmin(std::fmax(a.x, b.x) + kReach - kMap.left, static_cast<float>(columns_ - 1));
        const float bottom = std::fmax(std::fmin(a.y, b.y) - kReach - kMap.bottom, 0.0f);
        const float top = std::fmin(std::fmax(a.y, b.y) + kReach - kMap.bottom, static_cast<float>(rows_ - 1));
        for (auto row = static_cast<std::uint32_t>(bottom); static_cast<float>(row) <= top; ++row) {
            for (auto column = static_cast<std::uint32_t>(left); static_cast<float>(column) <= right; ++column) {
                float& cell = road_[static_cast<std::size_t>(row) * columns_ + column];
                cell = std::fmin(cell, Segment(kMap.left + static_cast<float>(column),
                                               kMap.bottom + static_cast<float>(row), a.x, a.y, b.x, b.y));
            }
        }
    }
}

float MapLandscape::RoadDistance(float x, float y) const
{
    const float fx = x - kMap.left;
    const float fy = y - kMap.bottom;
    if (fx < 0.0f || fy < 0.0f || fx >= static_cast<float>(columns_ - 1) || fy >= static_cast<float>(rows_ - 1)) {
        return kReach;
    }
    const auto column = static_cast<std::uint32_t>(fx);
    const auto row = static_cast<std::uint32_t>(fy);
    const float tx = fx - static_cast<float>(column);
    const float ty = fy - static_cast<float>(row);
    const std::size_t at = static_cast<std::size_t>(row) * columns_ + column;
    const float low = road_[at] + (road_[at + 1] - road_[at]) * tx;
    const float high = road_[at + columns_] + (road_[at + columns_ + 1] - road_[at + columns_]) * tx;
    return low + (high - low) * ty;
}

float MapLandscape::PlaceDistance(float x, float y) const
{
    float nearest = 1e9f;
    for (const Place& place : places_) {
        nearest = std::fmin(nearest, std::hypot(x - place.x, y - place.y));
    }
    return nearest;
}

std::uint32_t MapLandscape::StageAt(float x, float y) const
{
    float nearest = 1e9f;
    std::uint32_t stage = 0;
    for (const Place& place : places_) {
        const float d = std::hypot(x - place.x, y - place.y);
        if (d < nearest) {
            nearest = d;
            stage = place.stage;
        }
    }
    return stage;
}

ArtColor MapLandscape::Paint(float x, float y, const ArtColor& parchment) const
{
    // The stages' borders wander, so that the regions read as land, not as
    // the places' nearest neighbours.
    std::array<float, CampaignGenerator::kStageCount> distance;
    distance.fill(1e9f);
    for (const Place& place : places_) {
        if (place.stage < distance.size()) {
            distance[place.stage] = std::fmin(distance[place.stage], std::hypot(x - place.x, y - place.y));
        }
    }
    for (std::size_t s = 0; s < distance.size(); ++s) {
        distance[s] +=
            kBorderWander * (ArtPaint::Fbm(x * 0.012f, y * 0.012f, kSeed + static_cast<std::uint32_t>(s), 4) - 0.5f);
    }
    std::uint32_t first = 0;
    std::uint32_t second = 1;
    for (std::uint32_t s = 0; s < distance.size(); ++s) {
        if (distance[s] < distance[first]) {
            second = first;
            first = s;
        } else if (s != first && (second == first || distance[s] < distance[second])) {
            second = s;
        }
    }
    const float share = 0.5f + 0.5f * ArtCanvas::SmoothStep(0.0f, kBorderBlend, distance[second] - distance[first]);
    ArtColor color = PaintStage(first, x, y, parchment);
    if (share < 1.0f) {
        color = ArtCanvas::Mix(PaintStage(second, x, y, parchment), color, share);
    }
    color = PaintLake(x, y, color);
    color = PaintCave(x, y, color);
    return PaintRoad(x, y, color);
}

ArtColor MapLandscape::PaintStage(std::uint32_t stage, float x, float y, const ArtColor& parchment) const
{
    static const std::uint32_t kWashes[] = {0xb2d47e, 0xb9d9a8, 0x8fba72, 0xd2bd92};
    const float patch = ArtPaint::Fbm(x * 0.03f, y * 0.03f, kSeed + 10 + stage, 4);
    ArtColor color = ArtCanvas::Mix(parchment, Rgb(kWashes[stage % 4]), 0.5f + 0.35f * patch);
    switch (stage) {
    case 0:
        return PaintMeadow(x, y, color);
    case 1:
        return PaintShore(x, y, color);
    case 2:
        return PaintForest(x, y, color);
    default:
        return PaintHills(x, y, color);
    }
}

ArtColor MapLandscape::PaintMeadow(float x, float y, ArtColor color) const
{
    static const ArtColor kPetals[] = {Rgb(0xf48fb1), Rgb(0xfffaf0), Rgb(0xf6c945), Rgb(0xc9a0f0)};
    const ArtColor grass = Rgb(0x4f7a2a);
    ForMarks(x, y, 12.0f, kSeed + 20, [&](const Mark& m) {
        if (RoadDistance(m.x, m.y) < kRoadClearance || PlaceDistance(m.x, m.y) < kPlaceClearance) {
            return;
        }
        if (m.kind < 0.5f) {
            const float tuft = std::fmin(
                Segment(x, y, m.x, m.y, m.x - 2.4f, m.y + 3.6f),
                std::fmin(Segment(x, y, m.x, m.y, m.x, m.y + 4.8f), Segment(x, y, m.x, m.y, m.x + 2.4f, m.y + 3.4f)));
            color = Lay(color, grass, 0.85f * Cover(tuft - 0.4f));
        } else if (m.kind < 0.82f) {
            float petals = 1e9f;
            for (int k = 0; k < 5; ++k) {
                const float angle = 1.2566371f * static_cast<float>(k) + m.size;
                petals = std::fmin(
                    petals, std::hypot(x - m.x - 1.7f * std::cos(angle), y - m.y - 1.7f * std::sin(angle)) - 1.3f);
            }
            const ArtColor petal = kPetals[static_cast<int>(m.size * 3.99f)];
            color = Lay(color, ArtCanvas::Scale(petal, 0.55f), Cover(petals - 0.35f));
            color = Lay(color, petal, Cover(petals + 0.15f));
            color = Lay(color, MenuStyle::Honey(), Cover(std::hypot(x - m.x, y - m.y) - 0.8f));
        }
    });
    return color;
}

ArtColor MapLandscape::PaintShore(float x, float y, ArtColor color) const
{
    const ArtColor reed = Rgb(0x4a6e2a);
    const ArtColor head = Rgb(0x7a4a26);
    ForMarks(x, y, 13.0f, kSeed + 30, [&](const Mark& m) {
        if (m.kind > 0.55f || RoadDistance(m.x, m.y) < kRoadClearance || PlaceDistance(m.x, m.y) < kPlaceClearance) {
            return;
        }
        const float lean = (m.size - 0.5f) * 2.0f;
        float stems = 1e9f;
        float heads = 1e9f;
        for (int k = -1; k <= 1; ++k) {
            const float bx = m.x + 1.6f * static_cast<float>(k);
            const float tx = bx + lean + 1.2f * static_cast<float>(k);
            const float ty = m.y + 7.5f - 1.5f * std::fabs(static_cast<float>(k));
            stems = std::fmin(stems, Segment(x, y, bx, m.y, tx, ty));
            if (k != 0) {
                heads = std::fmin(heads, ArtPaint::EllipseDistance(x - tx, y - ty + 0.5f, 0.9f, 2.0f));
            }
        }
        color = Lay(color, reed, 0.9f * Cover(stems - 0.35f));
        color = Lay(color, head, Cover(heads));
    });
    return color;
}

ArtColor MapLandscape::PaintForest(float x, float y, ArtColor color) const
{
    const ArtColor ink = Rgb(0x2a4a1a);
    const ArtColor dark = Rgb(0x3c7428);
    const ArtColor light = Rgb(0x74ad48);
    const ArtColor trunk = Rgb(0x6b4a2a);
    ForMarks(x, y, 16.0f, kSeed + 40, [&](const Mark& m) {
        if (m.kind > 0.8f || RoadDistance(m.x, m.y) < kRoadClearance + 2.0f ||
            PlaceDistance(m.x, m.y) < kPlaceClearance + 1.0f) {
            return;
        }
        const float radius = 6.0f + 2.5f * m.size;
        const float cx = m.x;
        const float cy = m.y + radius * 0.8f;
        // Its shadow on the ground, then the trunk, then the crown.
        const float shadow = ArtPaint::EllipseDistance(x - m.x - 2.5f, y - m.y + 0.5f, radius * 0.9f, radius * 0.35f);
        color = Lay(color, ArtColor{0.15f, 0.2f, 0.05f, 0.3f}, Cover(shadow));
        const float stem = Segment(x, y, m.x, m.y - 0.5f, m.x, cy);
        color = Lay(color, trunk, Cover(stem - 1.1f));
        // A crown of three round clumps.
        const float crown =
            std::fmin(std::hypot(x - cx, y - cy - radius * 0.3f) - radius * 0.72f,
                      std::fmin(std::hypot(x - cx + radius * 0.42f, y - cy + radius * 0.2f) - radius * 0.62f,
                                std::hypot(x - cx - radius * 0.42f, y - cy + radius * 0.2f) - radius * 0.62f));
        if (crown < 1.0f) {
            // Lit from the upper left.
            const float lit = ArtCanvas::Clamp01(0.5f + 0.5f * ((y - cy) * 0.6f - (x - cx) * 0.5f) / radius);
            ArtColor face = ArtCanvas::Mix(dark, light, lit);
            color = Lay(color, face, Cover(crown));
            color = Lay(color, ink, 0.85f * Cover(std::fabs(crown) - 0.4f));
        }
    });
    return color;
}

ArtColor MapLandscape::PaintHills(float x, float y, ArtColor color) const
{
    const ArtColor lit = Rgb(0xe2d0a8);
    const ArtColor shade = Rgb(0xa68c68);
    const ArtColor stone = Rgb(0x9a9184);
    ForMarks(x, y, 19.0f, kSeed + 50, [&](const Mark& m) {
        if (RoadDistance(m.x, m.y) < kRoadClearance + 3.0f || PlaceDistance(m.x, m.y) < kPlaceClearance + 2.0f) {
            return;
        }
        if (m.kind < 0.55f) {
            const Hill hill{m.x, m.y - 3.0f, 6.0f + 3.0f * m.size, 6.0f + 4.0f * m.kind};
            color = PaintHill(hill, x, y, color, lit, shade);
        } else if (m.kind < 0.8f) {
            const float rock = ArtPaint::EllipseDistance(x - m.x, y - m.y, 2.6f + m.size, 1.8f);
            color = Lay(color, stone, Cover(rock));
            color = Lay(color, Rgb(0x4e463c), 0.8f * Cover(std::fabs(rock) - 0.35f));
        }
    });
    return color;
}

ArtColor MapLandscape::PaintLake(float x, float y, ArtColor color) const
{
    const float wobble = 7.0f * (ArtPaint::Fbm(x * 0.035f, y * 0.035f, kSeed + 60, 3) - 0.5f);
    const float d = ArtPaint::EllipseDistance(x - kLakeX, y - kLakeY, kLakeRadiusX, kLakeRadiusY) + wobble;
    if (d > 5.0f) {
        return color;
    }
    // A sandy shore, then water deepening toward the middle.
    color = Lay(color, Rgb(0xe8d6a2), Cover(d - 4.0f));
    ArtColor water = ArtCanvas::Mix(Rgb(0x94cde6), Rgb(0x4b8fc2), ArtCanvas::SmoothStep(0.0f, -45.0f, d));
    ForMarks(x, y, 15.0f, kSeed + 61, [&](const Mark& m) {
        if (m.kind > 0.6f) {
            return;
        }
        const float ripple = std::fabs(y - m.y - 1.1f * std::sin((x - m.x) * 0.85f));
        const float along = std::fabs(x - m.x) - 3.5f;
        water = Lay(water, Rgb(0xe4f4fb), 0.8f * Cover(std::fmax(ripple - 0.35f, along)));
    });
    // A few lily pads.
    for (const auto& pad : {std::array<float, 2>{372.0f, 236.0f}, std::array<float, 2>{414.0f, 322.0f},
                            std::array<float, 2>{380.0f, 352.0f}}) {
        const float r = std::hypot(x - pad[0], y - pad[1]) - 3.6f;
        const float notch = Segment(x, y, pad[0], pad[1], pad[0] + 4.0f, pad[1] + 1.5f) - 0.5f;
        const float leaf = std::fmax(r, -notch);
        water = Lay(water, Rgb(0x4f9a3a), Cover(leaf));
        water = Lay(water, Rgb(0x2a5a20), 0.8f * Cover(std::fabs(leaf) - 0.35f));
    }
    color = Lay(color, water, Cover(d));
    return Lay(color, Rgb(0x2f6688), 0.9f * Cover(std::fabs(d) - 0.5f));
}

ArtColor MapLandscape::PaintCave(float x, float y, ArtColor color) const
{
    const ArtColor lit = Rgb(0xd6c29a);
    const ArtColor shade = Rgb(0x8e7656);
    for (const Hill& hill : kBackHills) {
        color = PaintHill(hill, x, y, color, lit, shade);
    }
    color = PaintHill(kCaveHill, x, y, color, lit, shade);
    // The cave's mouth at the hill's foot, dark and deepening inward.
    const Hill mouth{kCaveHill.x - 4.0f, kCaveHill.baseY, 11.0f, 17.0f};
    const float d = HillDistance(mouth, x, y);
    const ArtColor dark = ArtCanvas::Mix(Rgb(0x4a3a2a), Rgb(0x1a120c), ArtCanvas::SmoothStep(0.0f, -7.0f, d));
    color = Lay(color, dark, Cover(d));
    return Lay(color, Rgb(0x2e2216), y >= mouth.baseY - 0.5f ? Cover(std::fabs(d) - 0.6f) : 0.0f);
}

ArtColor MapLandscape::PaintRoad(float x, float y, ArtColor color) const
{
    const float d = RoadDistance(x, y);
    if (d > kRoadHalfWidth + 3.0f) {
        return color;
    }
    // A soft shade either side, the sand, and its inked edges.
    color = Lay(color, ArtColor{0.3f, 0.22f, 0.1f, 0.2f}, Cover(d - kRoadHalfWidth - 2.0f));
    const float grain = ArtCanvas::Noise(x * 0.6f, y * 0.6f, kSeed + 70);
    const ArtColor sand = ArtCanvas::Mix(Rgb(0xeed9a4), Rgb(0xd6b67a), 0.35f * grain + 0.5f * d / kRoadHalfWidth);
    color = Lay(color, sand, Cover(d - kRoadHalfWidth));
    return Lay(color, Rgb(0x8a6438), 0.8f * Cover(std::fabs(d - kRoadHalfWidth) - 0.45f));
}

} // namespace Content
