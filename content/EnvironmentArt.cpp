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

constexpr const char* kRecipeVersion = "environment art 1";
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

struct Look
{
    const char* name;
    std::uint32_t groundLow;
    std::uint32_t groundHigh;
    std::uint32_t speck;
    Plant plant;
    std::uint32_t plantMain;
    std::uint32_t plantAccent;
    Stone stone;
    std::uint32_t stoneColor;
};

const Look kLooks[] = {
    {"meadow", 0x5f8f3a, 0x8cbc52, 0xf6f0c8, Plant::kFlower, 0x4f8a2e, 0xf08a5a, Stone::kPebble, 0xa8a294},
    {"lake", 0x3e7f9e, 0x6fb2c8, 0xd8f0f4, Plant::kReed, 0x6a8a3a, 0x7a4a2a, Stone::kPebble, 0x9a9484},
    {"forest", 0x3d5a2a, 0x5e7a36, 0x9a7a44, Plant::kFern, 0x3f7a2a, 0x8ac050, Stone::kMushroom, 0xd84a3a},
    {"cave", 0x3a3430, 0x5a524a, 0x8a8070, Plant::kCrystal, 0x8ad0f0, 0xe0b0ff, Stone::kBoulder, 0x6e665c},
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
            mesh.AddVertex(Vector3(x, y, -0.6f), x / 96.0f, y / 96.0f, up);
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

ArtCanvas PaintGround(const Look& look)
{
    ArtCanvas canvas(128, 128);
    const ArtColor low = ArtCanvas::Rgb(look.groundLow);
    const ArtColor high = ArtCanvas::Rgb(look.groundHigh);
    const ArtColor speck = ArtCanvas::Rgb(look.speck);
    // Noise cells that divide the picture's side, so that the picture tiles.
    canvas.Paint([&](float u, float v) {
        const auto tiled = [&](float scale, std::uint32_t seed) {
            const float x = u * scale;
            const float y = v * scale;
            const float a = ArtCanvas::Noise(x, y, seed);
            const float b = ArtCanvas::Noise(x - scale, y, seed);
            const float c = ArtCanvas::Noise(x, y - scale, seed);
            const float d = ArtCanvas::Noise(x - scale, y - scale, seed);
            return (a * (1.0f - u) + b * u) * (1.0f - v) + (c * (1.0f - u) + d * u) * v;
        };
        const float n = 0.6f * tiled(4.0f, 11) + 0.4f * tiled(16.0f, 12);
        ArtColor color = ArtCanvas::Mix(low, high, ArtCanvas::SmoothStep(0.3f, 0.7f, n));
        // Small blossoms or pebbles, one at most in each of 16 x 16 squares.
        const float cx = std::floor(u * 16.0f);
        const float cy = std::floor(v * 16.0f);
        if (ArtCanvas::Noise(cx, cy, 31) > 0.55f) {
            const float px = cx + 0.25f + 0.5f * ArtCanvas::Noise(cx, cy, 32);
            const float py = cy + 0.25f + 0.5f * ArtCanvas::Noise(cx, cy, 33);
            const float d = std::hypot(u * 16.0f - px, v * 16.0f - py);
            color = ArtCanvas::Mix(color, speck, 0.8f * (1.0f - ArtCanvas::SmoothStep(0.1f, 0.2f, d)));
        }
        return color;
    });
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
