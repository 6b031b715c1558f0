#include "content/EnvironmentArt.h"

#include <cmath>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "engine/core/Error.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "environment art 2";
constexpr float kPi = 3.14159265358979f;
constexpr std::uint32_t kSwayFrames = 31;
constexpr std::uint32_t kPlantCount = 44;
constexpr std::uint32_t kStoneCount = 18;

enum class Plant
{
    kFlower,
    kReed,
    kFern,
    kCrystal
};

enum class Stone
{
    kPebble,
    kMushroom,
    kBoulder
};

ArtColor PaintMeadowGround(float u, float v);
ArtColor PaintLakeGround(float u, float v);
ArtColor PaintForestGround(float u, float v);
ArtColor PaintCaveGround(float u, float v);

struct Look
{
    const char* name;
    // The ground's picture, u and v 0 to 1 over one tile of it.
    ArtColor (*ground)(float u, float v);
    Plant plant;
    std::uint32_t plantMain;
    std::uint32_t plantAccent;
    Stone stone;
    std::uint32_t stoneColor;
};

const Look kLooks[] = {
    {"meadow", PaintMeadowGround, Plant::kFlower, 0x4f8a2e, 0xf08a5a, Stone::kPebble, 0xa8a294},
    {"lake", PaintLakeGround, Plant::kReed, 0x6a8a3a, 0x7a4a2a, Stone::kPebble, 0x9a9484},
    {"forest", PaintForestGround, Plant::kFern, 0x3f7a2a, 0x8ac050, Stone::kMushroom, 0xd84a3a},
    {"cave", PaintCaveGround, Plant::kCrystal, 0x8ad0f0, 0xe0b0ff, Stone::kBoulder, 0x6e665c},
};

const Look& LookOf(const std::string& environment)
{
    for (const Look& look : kLooks) {
        if (environment == look.name) {
            return look;
        }
    }
    throw OrrelayEngine::Error("No scenery is made for the environment \"" + environment + "\"");
}

float Random(std::uint32_t index, std::uint32_t salt)
{
    return ArtCanvas::Noise(static_cast<float>(index) * 7.31f + 0.5f, static_cast<float>(salt) * 3.17f + 0.5f, 4242);
}

// A place in the band along the board's left (x < 0) and front (y < 0)
// edges, clear of any board and its border.
Vector3 PlaceOf(std::uint32_t index, std::uint32_t salt)
{
    const float along =
        -100.0f + 460.0f * std::fmod(static_cast<float>(index) * 0.618034f + Random(index, salt) * 0.1f, 1.0f);
    const float depth = -45.0f - 70.0f * Random(index, salt + 1);
    return index % 2 == 0 ? Vector3(depth, along, 0.0f) : Vector3(along, depth, 0.0f);
}

std::string Folder(const Look& look)
{
    return std::string("environments\\") + look.name + "\\";
}

// The ground's picture repeats every kGroundTileUnits across the ground.
constexpr float kGroundTileUnits = 192.0f;
constexpr std::uint32_t kGroundTexels = 256;

ArtMesh MakeGround()
{
    ArtMesh mesh;
    const Vector3 up(0.0f, 0.0f, 1.0f);
    const float low = -480.0f;
    const float high = 880.0f;
    const std::uint32_t steps = 8;
    const std::uint32_t first = 0;
    for (std::uint32_t j = 0; j <= steps; ++j) {
        for (std::uint32_t i = 0; i <= steps; ++i) {
            const float x = low + (high - low) * static_cast<float>(i) / steps;
            const float y = low + (high - low) * static_cast<float>(j) / steps;
            mesh.AddVertex(Vector3(x, y, -0.6f), x / kGroundTileUnits, y / kGroundTileUnits, up);
        }
    }
    for (std::uint32_t j = 0; j < steps; ++j) {
        for (std::uint32_t i = 0; i < steps; ++i) {
            const std::uint32_t a = first + j * (steps + 1) + i;
            mesh.AddQuad(a, a + 1, a + steps + 2, a + steps + 1);
        }
    }
    return mesh;
}

// The ground's pictures tile: every pattern below repeats over the picture.
// Value noise on a lattice of period cells a side, 0 to 1.
float TiledNoise(float u, float v, int period, std::uint32_t seed)
{
    const float x = u * static_cast<float>(period);
    const float y = v * static_cast<float>(period);
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto at = [&](float cx, float cy) {
        const int ix = ((static_cast<int>(cx) % period) + period) % period;
        const int iy = ((static_cast<int>(cy) % period) + period) % period;
        return ArtCanvas::Noise(static_cast<float>(ix), static_cast<float>(iy), seed);
    };
    const float tx = ArtCanvas::SmoothStep(0.0f, 1.0f, x - fx);
    const float ty = ArtCanvas::SmoothStep(0.0f, 1.0f, y - fy);
    const float a = at(fx, fy) + (at(fx + 1.0f, fy) - at(fx, fy)) * tx;
    const float b = at(fx, fy + 1.0f) + (at(fx + 1.0f, fy + 1.0f) - at(fx, fy + 1.0f)) * tx;
    return a + (b - a) * ty;
}

float TiledFbm(float u, float v, int period, std::uint32_t seed, int octaves)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * TiledNoise(u, v, period << i, seed + static_cast<std::uint32_t>(i));
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

// Scattered things, one at most per cell of a period x period grid: the
// offset from the nearest one's centre, in cells, and its cell's hash.
struct Scatter
{
    float dx = 0.0f;
    float dy = 0.0f;
    float distance = 1e9f;
    float second = 1e9f;
    std::uint32_t cell = 0;
};

Scatter NearestOf(float u, float v, int period, std::uint32_t seed, float jitter)
{
    const float x = u * static_cast<float>(period);
    const float y = v * static_cast<float>(period);
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    Scatter nearest;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int ix = ((cx + i) % period + period) % period;
            const int iy = ((cy + j) % period + period) % period;
            const float hx = ArtCanvas::Noise(static_cast<float>(ix), static_cast<float>(iy), seed);
            const float hy = ArtCanvas::Noise(static_cast<float>(ix), static_cast<float>(iy), seed + 1);
            const float px = static_cast<float>(cx + i) + 0.5f + jitter * (hx - 0.5f);
            const float py = static_cast<float>(cy + j) + 0.5f + jitter * (hy - 0.5f);
            const float d = std::hypot(x - px, y - py);
            if (d < nearest.distance) {
                nearest.second = nearest.distance;
                nearest.distance = d;
                nearest.dx = x - px;
                nearest.dy = y - py;
                nearest.cell = static_cast<std::uint32_t>(iy * period + ix);
            } else if (d < nearest.second) {
                nearest.second = d;
            }
        }
    }
    return nearest;
}

float CellHash(std::uint32_t cell, std::uint32_t salt)
{
    return Random(cell, salt + 50);
}

// A soft edge a texel or so wide: 1 inside (distance below 0), 0 outside.
float Inside(float distance, float edge)
{
    return 1.0f - ArtCanvas::SmoothStep(-edge, edge, distance);
}

// A lawn: grass in two greens with fine blades, clover patches and a few
// daisies.
ArtColor PaintMeadowGround(float u, float v)
{
    const float patch = TiledFbm(u, v, 4, 11, 3);
    ArtColor color = ArtCanvas::Mix(ArtCanvas::Rgb(0x4f8a2c), ArtCanvas::Rgb(0x7cb544), patch);
    // Blades: fine streaks, lighter tips on darker roots.
    const float blades = TiledNoise(u + 0.02f * TiledNoise(u, v, 8, 13), v, 96, 14);
    color = ArtCanvas::Scale(color, 0.82f + 0.3f * blades);
    // Clover: darker round leaves in clusters where the patch noise is high.
    const float clover = TiledFbm(u, v, 6, 15, 2);
    if (clover > 0.58f) {
        const Scatter leaf = NearestOf(u, v, 48, 16, 0.6f);
        const float r = 0.32f;
        const float amount = Inside(leaf.distance - r, 0.08f) * ArtCanvas::SmoothStep(0.58f, 0.64f, clover);
        color =
            ArtCanvas::Mix(color, ArtCanvas::Scale(ArtCanvas::Rgb(0x3f7a26), 0.9f + 0.3f * (leaf.dy + 0.5f)), amount);
    }
    // Daisies: five white petals round a yellow heart, sparse.
    const Scatter flower = NearestOf(u, v, 10, 17, 0.5f);
    if (CellHash(flower.cell, 1) > 0.68f) {
        const float size = 0.2f + 0.08f * CellHash(flower.cell, 2);
        const float angle = std::atan2(flower.dy, flower.dx) + CellHash(flower.cell, 3) * 6.28f;
        const float petals = size * (0.6f + 0.4f * std::fabs(std::cos(angle * 2.5f)));
        const float shade = ArtCanvas::SmoothStep(-0.2f, 0.3f, flower.dy);
        color = ArtCanvas::Mix(color, ArtCanvas::Scale(ArtCanvas::Rgb(0x2f5a1c), 0.9f),
                               0.5f * Inside(flower.distance - size * 1.15f, 0.05f));
        color = ArtCanvas::Mix(color, ArtCanvas::Mix(ArtCanvas::Rgb(0xe6e8dc), ArtCanvas::Rgb(0xffffff), shade),
                               Inside(flower.distance - petals, 0.03f));
        color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0xf2c230), Inside(flower.distance - size * 0.3f, 0.03f));
    }
    return color;
}

// Open water: deep and shallow blues, bright rippling light on the surface
// and a few lily pads.
ArtColor PaintLakeGround(float u, float v)
{
    const float depth = TiledFbm(u, v, 3, 21, 3);
    ArtColor color = ArtCanvas::Mix(ArtCanvas::Rgb(0x1f5f82), ArtCanvas::Rgb(0x3f90b0), depth);
    // Caustics: the ridges of warped noise make a net of light lines.
    const float wu = u + 0.06f * TiledNoise(u, v, 4, 22);
    const float wv = v + 0.06f * TiledNoise(u, v, 4, 23);
    const float ridge = 1.0f - std::fabs(2.0f * TiledFbm(wu, wv, 8, 24, 2) - 1.0f);
    color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x9ad8ea), 0.55f * ArtCanvas::SmoothStep(0.86f, 0.97f, ridge));
    // Lily pads, a notch cut from each, with a pale rim and a flower on some.
    const Scatter pad = NearestOf(u, v, 6, 25, 0.5f);
    if (CellHash(pad.cell, 1) > 0.45f) {
        const float r = 0.22f + 0.08f * CellHash(pad.cell, 2);
        const float notchAngle = CellHash(pad.cell, 3) * 6.28f;
        const float angle = std::atan2(pad.dy, pad.dx);
        const float notch = std::fabs(std::remainder(angle - notchAngle, 6.2831853f)) < 0.3f ? 1.0f : 0.0f;
        const float body = Inside(pad.distance - r, 0.02f) * (1.0f - notch);
        // Its shadow on the water first.
        const float shadow = Inside(std::hypot(pad.dx - 0.04f, pad.dy + 0.05f) - r, 0.06f);
        color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x153f58), 0.45f * shadow);
        const float veins = std::fabs(std::sin(angle * 7.0f)) < 0.12f ? 0.85f : 1.0f;
        const ArtColor leaf = ArtCanvas::Scale(
            ArtCanvas::Mix(ArtCanvas::Rgb(0x3f7a2e), ArtCanvas::Rgb(0x6aa848), pad.distance / r), veins);
        color = ArtCanvas::Mix(color, leaf, body);
        if (CellHash(pad.cell, 4) > 0.6f) {
            const float bloom = std::hypot(pad.dx + r * 0.3f, pad.dy - r * 0.2f);
            const float petals = 0.09f * (0.7f + 0.3f * std::fabs(std::cos(std::atan2(pad.dy, pad.dx) * 4.0f)));
            color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0xf4a6c4), Inside(bloom - petals, 0.02f));
            color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0xf8e070), Inside(bloom - 0.03f, 0.015f));
        }
    }
    return color;
}

// The forest floor: dark earth under moss, fallen leaves in autumn colours
// and needles.
ArtColor PaintForestGround(float u, float v)
{
    const float soil = TiledFbm(u, v, 8, 31, 3);
    ArtColor color = ArtCanvas::Mix(ArtCanvas::Rgb(0x3a2a1c), ArtCanvas::Rgb(0x5a4028), soil);
    // Moss in soft patches.
    const float moss = TiledFbm(u, v, 3, 32, 3);
    color = ArtCanvas::Mix(color, ArtCanvas::Scale(ArtCanvas::Rgb(0x4a6a26), 0.8f + 0.4f * soil),
                           ArtCanvas::SmoothStep(0.5f, 0.62f, moss));
    // Needles: short dark and light strokes in many directions.
    const Scatter needle = NearestOf(u, v, 40, 33, 0.8f);
    {
        const float a = CellHash(needle.cell, 1) * 3.1416f;
        const float along = needle.dx * std::cos(a) + needle.dy * std::sin(a);
        const float across = -needle.dx * std::sin(a) + needle.dy * std::cos(a);
        const float stroke = std::max(std::fabs(along) - 0.42f, std::fabs(across) - 0.04f);
        color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x8a6a3a), 0.8f * Inside(stroke, 0.03f));
    }
    // Leaves: pointed ovals with a midrib, lying every way, two layers.
    const ArtColor leafColors[] = {ArtCanvas::Rgb(0xb8642a), ArtCanvas::Rgb(0xd89a3a), ArtCanvas::Rgb(0x8a3a22),
                                   ArtCanvas::Rgb(0x7a8a34)};
    for (std::uint32_t layer = 0; layer < 2; ++layer) {
        const Scatter leaf = NearestOf(u, v, 9 + static_cast<int>(layer) * 4, 34 + layer * 7, 0.7f);
        if (CellHash(leaf.cell, 10 + layer) < 0.35f) {
            continue;
        }
        const float a = CellHash(leaf.cell, 1 + layer) * 6.2832f;
        const float along = leaf.dx * std::cos(a) + leaf.dy * std::sin(a);
        const float across = -leaf.dx * std::sin(a) + leaf.dy * std::cos(a);
        const float length = 0.34f;
        const float t = ArtCanvas::Clamp01(1.0f - (along / length) * (along / length));
        const float half = 0.16f * std::pow(t, 0.8f);
        const float edge = std::fabs(across) - half;
        const float inside = std::fabs(along) < length ? Inside(edge, 0.02f) : 0.0f;
        const ArtColor base = leafColors[static_cast<std::uint32_t>(CellHash(leaf.cell, 4 + layer) * 3.99f)];
        // Lit from one side of the rib, a shadow under its far edge.
        color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x241810),
                               0.5f * (std::fabs(along) < length ? Inside(edge - 0.04f, 0.04f) : 0.0f));
        ArtColor leafColor = ArtCanvas::Scale(base, across > 0.0f ? 1.08f : 0.9f);
        if (std::fabs(across) < 0.012f) {
            leafColor = ArtCanvas::Scale(base, 0.7f);
        }
        color = ArtCanvas::Mix(color, leafColor, inside);
    }
    return color;
}

// A cave's floor: flagstones of rock in greys and browns split by dark
// cracks, grit between them and a faint blue shimmer from the crystals.
ArtColor PaintCaveGround(float u, float v)
{
    const Scatter stone = NearestOf(u, v, 7, 41, 0.9f);
    const float grain = TiledFbm(u, v, 32, 42, 2);
    const float tone = CellHash(stone.cell, 1);
    ArtColor color = ArtCanvas::Mix(ArtCanvas::Rgb(0x4a4440), ArtCanvas::Rgb(0x6e665c), tone);
    color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x5a4a3c), 0.4f * CellHash(stone.cell, 2));
    color = ArtCanvas::Scale(color, 0.8f + 0.35f * grain);
    // Each stone rounds off toward its edge; the cracks between are dark.
    const float edge = stone.second - stone.distance;
    color = ArtCanvas::Scale(color, 0.75f + 0.25f * ArtCanvas::SmoothStep(0.0f, 0.3f, edge));
    color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x1e1a18), 1.0f - ArtCanvas::SmoothStep(0.03f, 0.09f, edge));
    // Grit in the cracks.
    const Scatter grit = NearestOf(u, v, 64, 43, 0.8f);
    if (edge < 0.2f) {
        color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x8a8070), 0.7f * Inside(grit.distance - 0.22f, 0.1f));
    }
    const float shimmer = TiledFbm(u, v, 4, 44, 2);
    color = ArtCanvas::Mix(color, ArtCanvas::Rgb(0x6a8aa0), 0.18f * ArtCanvas::SmoothStep(0.55f, 0.8f, shimmer));
    return color;
}

ArtCanvas PaintGround(const Look& look)
{
    ArtCanvas canvas(kGroundTexels, kGroundTexels);
    canvas.Paint([&](float u, float v) { return look.ground(u, v); });
    return canvas;
}

// Two crossed cards per plant, their tops swaying; frame 30 is frame 0 again.
ArtMesh MakePlants(const Look& look, std::uint32_t frame)
{
    float width = 15.0f;
    float height = 24.0f;
    float sway = 1.6f;
    switch (look.plant) {
    case Plant::kReed:
        width = 12.0f;
        height = 36.0f;
        sway = 2.5f;
        break;
    case Plant::kFern:
        width = 26.0f;
        height = 17.0f;
        sway = 0.8f;
        break;
    case Plant::kCrystal:
        width = 12.0f;
        height = 24.0f;
        sway = 0.0f;
        break;
    default:
        break;
    }
    ArtMesh mesh;
    const float t = 2.0f * kPi * static_cast<float>(frame) / static_cast<float>(kSwayFrames - 1);
    for (std::uint32_t i = 0; i < kPlantCount; ++i) {
        const Vector3 base = PlaceOf(i, 1);
        const float size = 0.75f + 0.5f * Random(i, 5);
        const float phase = 2.0f * kPi * Random(i, 6);
        const Vector3 lean(sway * std::sin(t + phase), sway * 0.5f * std::cos(t + phase), 0.0f);
        for (int card = 0; card < 2; ++card) {
            const float a = static_cast<float>(card) * kPi * 0.5f + Random(i, 7) * kPi;
            const Vector3 across = Vector3(std::cos(a), std::sin(a), 0.0f) * (width * size * 0.5f);
            const Vector3 up(0.0f, 0.0f, height * size);
            const Vector3 normal(0.0f, 0.0f, 1.0f);
            const std::uint32_t p0 = mesh.AddVertex(base - across, 0.0f, 0.0f, normal);
            const std::uint32_t p1 = mesh.AddVertex(base + across, 1.0f, 0.0f, normal);
            const std::uint32_t p2 = mesh.AddVertex(base + across + up + lean * size, 1.0f, 1.0f, normal);
            const std::uint32_t p3 = mesh.AddVertex(base - across + up + lean * size, 0.0f, 1.0f, normal);
            mesh.AddQuad(p0, p1, p2, p3);
        }
    }
    return mesh;
}

ArtCanvas PaintPlant(const Look& look)
{
    ArtCanvas canvas(64, 128);
    const ArtColor main = ArtCanvas::Rgb(look.plantMain);
    const ArtColor accent = ArtCanvas::Rgb(look.plantAccent);
    canvas.Paint([&](float u, float v) {
        const float x = u * 2.0f - 1.0f;
        ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
        switch (look.plant) {
        case Plant::kFlower: {
            const float stem = std::fabs(x + 0.08f * std::sin(v * 5.0f));
            if (v < 0.75f && stem < 0.06f) {
                color = ArtCanvas::Scale(main, 0.8f + 0.3f * v);
            }
            const float leaf = std::hypot((x - 0.25f) / 0.28f, (v - 0.3f) / 0.08f);
            if (leaf < 1.0f) {
                color = main;
            }
            const float dx = x;
            const float dy = (v - 0.8f) * 2.0f;
            const float r = std::hypot(dx, dy);
            const float petals = 0.55f + 0.25f * std::cos(std::atan2(dy, dx) * 6.0f);
            if (r < petals * 0.75f) {
                color = ArtCanvas::Scale(accent, 1.0f - 0.3f * r);
            }
            if (r < 0.16f) {
                color = ArtCanvas::Rgb(0xf8d040);
            }
            break;
        }
        case Plant::kReed: {
            const float blade = std::fabs(x - 0.3f * v * v);
            if (blade < 0.09f * (1.0f - v)) {
                color = ArtCanvas::Scale(main, 0.7f + 0.4f * v);
            }
            if (std::fabs(x + 0.15f) < 0.05f && v < 0.95f) {
                color = ArtCanvas::Scale(main, 0.8f);
            }
            if (std::hypot((x + 0.15f) / 0.12f, (v - 0.78f) / 0.12f) < 1.0f) {
                color = accent; // the cattail's head
            }
            break;
        }
        case Plant::kFern: {
            // Fronds from the root, leaflets along them.
            for (int frond = -2; frond <= 2; ++frond) {
                const float a = static_cast<float>(frond) * 0.45f;
                const float along = v * std::cos(a) + x * 0.5f * std::sin(a);
                const float off = std::fabs(x * std::cos(a) - v * 0.5f * std::sin(a) -
                                            0.08f * along * along * static_cast<float>(frond));
                const float reach = 0.18f * (1.0f - along) * std::fabs(std::sin(along * 30.0f)) + 0.03f;
                if (along > 0.0f && along < 0.95f && off < reach) {
                    color = ArtCanvas::Mix(main, accent, along);
                }
            }
            break;
        }
        case Plant::kCrystal: {
            const float half = 0.45f * (1.0f - std::pow(v, 3.0f));
            if (std::fabs(x) < half) {
                const float facet = x < 0.0f ? 0.75f : 1.0f;
                color = ArtCanvas::Scale(ArtCanvas::Mix(main, accent, v), facet);
                color.a = 0.9f;
            }
            break;
        }
        }
        return color;
    });
    return canvas;
}

// A dome of rings x segments vertices, squashed by height.
void AddDome(ArtMesh& mesh, const Vector3& centre, float radius, float height, float vLow, float vHigh)
{
    const std::uint32_t segments = 8;
    const std::uint32_t rings = 3;
    const std::uint32_t first = static_cast<std::uint32_t>(mesh.GetVertexCount());
    for (std::uint32_t j = 0; j <= rings; ++j) {
        const float polar = 0.5f * kPi * static_cast<float>(j) / rings;
        for (std::uint32_t i = 0; i <= segments; ++i) {
            const float a = 2.0f * kPi * static_cast<float>(i) / segments;
            const float r = radius * std::cos(polar);
            const Vector3 p = centre + Vector3(r * std::cos(a), r * std::sin(a), height * std::sin(polar));
            mesh.AddVertex(p, static_cast<float>(i) / segments, vLow + (vHigh - vLow) * static_cast<float>(j) / rings);
        }
    }
    for (std::uint32_t j = 0; j < rings; ++j) {
        for (std::uint32_t i = 0; i < segments; ++i) {
            const std::uint32_t a = first + j * (segments + 1) + i;
            mesh.AddQuad(a, a + 1, a + segments + 2, a + segments + 1);
        }
    }
}

ArtMesh MakeStones(const Look& look)
{
    ArtMesh mesh;
    for (std::uint32_t i = 0; i < kStoneCount; ++i) {
        const Vector3 base = PlaceOf(i + 101, 2);
        const float size = 0.7f + 0.6f * Random(i, 9);
        switch (look.stone) {
        case Stone::kMushroom:
            AddDome(mesh, base, 1.6f * size, 7.0f * size, 0.0f, 0.45f);
            AddDome(mesh, base + Vector3(0.0f, 0.0f, 6.0f * size), 6.0f * size, 4.5f * size, 0.55f, 1.0f);
            break;
        case Stone::kBoulder:
            AddDome(mesh, base, 9.0f * size, 8.0f * size, 0.0f, 1.0f);
            break;
        default:
            AddDome(mesh, base, 5.0f * size, 2.8f * size, 0.0f, 1.0f);
            break;
        }
    }
    mesh.ComputeNormals();
    return mesh;
}

ArtCanvas PaintStone(const Look& look)
{
    ArtCanvas canvas(64, 64);
    const ArtColor color = ArtCanvas::Rgb(look.stoneColor);
    canvas.Paint([&](float u, float v) {
        if (look.stone == Stone::kMushroom) {
            if (v < 0.5f) {
                return ArtCanvas::Scale(ArtCanvas::Rgb(0xf0e6cc), 0.75f + 0.5f * v);
            }
            // A red cap with white dots, lighter toward its top.
            const float dots = ArtCanvas::Noise(u * 12.0f, v * 8.0f, 21);
            ArtColor cap = ArtCanvas::Scale(color, 0.75f + 0.35f * (v - 0.5f) * 2.0f);
            return dots > 0.72f ? ArtCanvas::Rgb(0xfaf4ea) : cap;
        }
        const float n =
            ArtCanvas::Noise(u * 10.0f, v * 6.0f, 23) * 0.6f + ArtCanvas::Noise(u * 30.0f, v * 20.0f, 24) * 0.4f;
        return ArtCanvas::Scale(color, 0.7f + 0.35f * n + 0.15f * v);
    });
    return canvas;
}

} // namespace

const std::vector<std::string>& EnvironmentArt::GetEnvironmentNames()
{
    static const std::vector<std::string> kNames = {"meadow", "lake", "forest", "cave"};
    return kNames;
}

std::vector<EnvironmentArt::Model> EnvironmentArt::GetModels(const std::string& environment)
{
    const Look& look = LookOf(environment);
    return {{"ground", true, false, false},
            {"plants", look.plant != Plant::kCrystal, true, true},
            {"stones", true, false, false}};
}

std::string EnvironmentArt::GetEnvironmentIni(const std::string& environment)
{
    const std::vector<Model> models = GetModels(environment);
    std::string text = "// The models around the board: their count, then per model its name, lit,\n"
                       "// drawn back to front and started at a random phase (1 yes, 0 no).\n" +
                       std::to_string(models.size()) + "\n";
    for (const Model& model : models) {
        text += model.name + " " + (model.lit ? "1" : "0") + " " + (model.sorted ? "1" : "0") + " " +
                (model.randomPhase ? "1" : "0") + "\n";
    }
    return text;
}

std::vector<std::string> EnvironmentArt::GetPaths(const std::string& environment)
{
    const std::string folder = "data\\" + Folder(LookOf(environment));
    std::vector<std::string> paths;
    for (const Model& model : GetModels(environment)) {
        paths.push_back(folder + "models\\" + model.name + ".mlf");
        paths.push_back(folder + "models\\" + model.name + ".srf");
    }
    for (const char* picture : {"ground.jpg", "plant.jpg", "plant_alpha.jpg", "stone.jpg"}) {
        paths.push_back(folder + "textures\\" + picture);
    }
    return paths;
}

std::vector<std::vector<std::uint8_t>> EnvironmentArt::Make(const std::string& environment)
{
    const Look& look = LookOf(environment);
    const std::string textures = Folder(look) + "textures\\";
    std::vector<std::vector<std::uint8_t>> outputs;
    outputs.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel({MakeGround()}, ArtMesh::kSceneFlags, 0.0f)));
    outputs.push_back(ArtMesh::BuildTextureShader(textures + "ground.jpg", "", false, true));
    std::vector<ArtMesh> frames;
    for (std::uint32_t f = 0; f < kSwayFrames; ++f) {
        frames.push_back(MakePlants(look, f));
    }
    outputs.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kSceneFlags, 10.0f)));
    outputs.push_back(ArtMesh::BuildTextureShader(textures + "plant.jpg", textures + "plant_alpha.jpg"));
    outputs.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel({MakeStones(look)}, ArtMesh::kSceneFlags, 0.0f)));
    outputs.push_back(ArtMesh::BuildTextureShader(textures + "stone.jpg", ""));
    outputs.push_back(PaintGround(look).BuildColorJpeg());
    const ArtCanvas plant = PaintPlant(look);
    outputs.push_back(plant.BuildColorJpeg());
    outputs.push_back(plant.BuildAlphaJpeg());
    outputs.push_back(PaintStone(look).BuildColorJpeg());
    return outputs;
}

void EnvironmentArt::AddRecipes(DataSetBuilder& builder)
{
    for (const std::string& name : GetEnvironmentNames()) {
        AssetRecipe recipe;
        recipe.origin = "environment art: " + name;
        recipe.packPaths = GetPaths(name);
        recipe.parameters = kRecipeVersion;
        recipe.make = [name]() { return Make(name); };
        builder.Add(std::move(recipe));
    }
}

} // namespace Content
