#include "content/CellArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/BoardLayout.h"
#include "content/DataSetBuilder.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "cell art 2";
constexpr float kPi = 3.14159265358979f;
constexpr float kSixth = kPi / 3.0f;
constexpr float kCellRadius = CellArt::kCellRadius;
constexpr std::uint32_t kTextureSize = 128;
constexpr const char* kCellFolder = "game_objects\\cell\\";

using Outputs = AssetRecipe::Outputs;

Vector3 Corner(int k, float radius, float z)
{
    return Vector3(radius * std::cos(static_cast<float>(k) * kSixth), radius * std::sin(static_cast<float>(k) * kSixth),
                   z);
}

std::pair<float, float> PlanarUv(const Vector3& p, float radius)
{
    return {0.5f + 0.5f * p.x / radius, 0.5f + 0.5f * p.y / radius};
}

// A hexagonal slab from z = 0 to height: its top mapped flat over the
// picture, its sides on the picture's rim so that they take the rim's colour.
ArtMesh MakeSlab(float radius, float height, float bevel)
{
    ArtMesh mesh;
    const Vector3 up(0.0f, 0.0f, 1.0f);
    const std::uint32_t centre = mesh.AddVertex(Vector3(0.0f, 0.0f, height), 0.5f, 0.5f, up);
    std::uint32_t top[6];
    for (int k = 0; k < 6; ++k) {
        const Vector3 p = Corner(k, radius - bevel, height);
        const auto uv = PlanarUv(p, radius);
        top[k] = mesh.AddVertex(p, uv.first, uv.second, up);
    }
    for (int k = 0; k < 6; ++k) {
        mesh.AddTriangle(centre, top[k], top[(k + 1) % 6]);
    }
    // Bevel and side per edge, each with its own normals.
    for (int k = 0; k < 6; ++k) {
        const int n = (k + 1) % 6;
        const float mid = (static_cast<float>(k) + 0.5f) * kSixth;
        const Vector3 out(std::cos(mid), std::sin(mid), 0.0f);
        const Vector3 slope = (out + up).Normalized();
        const auto rim = [&](const Vector3& p, float scale) { return PlanarUv(p * scale, radius); };
        const Vector3 a = Corner(k, radius - bevel, height);
        const Vector3 b = Corner(n, radius - bevel, height);
        const Vector3 c = Corner(n, radius, height - bevel);
        const Vector3 d = Corner(k, radius, height - bevel);
        const Vector3 e = Corner(n, radius, 0.0f);
        const Vector3 f = Corner(k, radius, 0.0f);
        const auto ua = rim(a, 1.0f);
        const auto ub = rim(b, 1.0f);
        const auto uc = rim(c, 0.97f);
        const auto ud = rim(d, 0.97f);
        const std::uint32_t ia = mesh.AddVertex(a, ua.first, ua.second, slope);
        const std::uint32_t ib = mesh.AddVertex(b, ub.first, ub.second, slope);
        const std::uint32_t ic = mesh.AddVertex(c, uc.first, uc.second, slope);
        const std::uint32_t id = mesh.AddVertex(d, ud.first, ud.second, slope);
        mesh.AddQuad(id, ic, ib, ia);
        const std::uint32_t sc = mesh.AddVertex(c, uc.first, uc.second, out);
        const std::uint32_t sd = mesh.AddVertex(d, ud.first, ud.second, out);
        const auto ue = rim(e, 0.93f);
        const auto uf = rim(f, 0.93f);
        const std::uint32_t se = mesh.AddVertex(e, ue.first, ue.second, out);
        const std::uint32_t sf = mesh.AddVertex(f, uf.first, uf.second, out);
        mesh.AddQuad(sf, se, sc, sd);
    }
    return mesh;
}

// Distance from the centre in hexagon terms: 1 on the rim of a hexagon of
// the picture's inscribed size.
float HexRadius(float x, float y)
{
    float m = 0.0f;
    for (int k = 0; k < 3; ++k) {
        const float a = (static_cast<float>(k) + 0.5f) * kSixth;
        m = std::max(m, std::fabs(x * std::cos(a) + y * std::sin(a)));
    }
    return m / 0.8660254f;
}

using Painter = std::function<ArtColor(float x, float y)>;

// A cell top: soft soil or moss, with a raised rim; x and y run -1 to 1.
ArtColor CellTop(float x, float y, const ArtColor& inner, const ArtColor& rim, std::uint32_t seed)
{
    const float r = HexRadius(x, y);
    const float grain =
        ArtCanvas::Noise(x * 9.0f, y * 9.0f, seed) * 0.6f + ArtCanvas::Noise(x * 23.0f, y * 23.0f, seed + 7) * 0.4f;
    ArtColor color = ArtCanvas::Scale(inner, 0.86f + 0.22f * grain);
    // Baked light from the upper left, a dip before the rim, the rim lighter on top.
    color = ArtCanvas::Scale(color, 1.0f + 0.08f * (y - x) * 0.5f - 0.12f * ArtCanvas::SmoothStep(0.6f, 0.86f, r));
    const float rimAmount = ArtCanvas::SmoothStep(0.84f, 0.88f, r);
    ArtColor rimColor = ArtCanvas::Scale(rim, 0.9f + 0.2f * grain - 0.25f * ArtCanvas::SmoothStep(0.94f, 1.1f, r));
    return ArtCanvas::Mix(color, rimColor, rimAmount);
}

ArtColor Lid(float x, float y, const ArtColor& under)
{
    const float r = HexRadius(x, y);
    if (r > 0.8f) {
        return under;
    }
    // Planks of warm wood with dark gaps, nailed by a cross bar.
    const float plank = std::fmod(x * 4.0f + 8.0f, 1.0f);
    const float grain = ArtCanvas::Noise(x * 3.0f, y * 30.0f, 31);
    ArtColor wood = ArtCanvas::Scale(ArtCanvas::Rgb(0xb07a44), 0.8f + 0.3f * grain);
    if (plank < 0.06f || plank > 0.94f) {
        wood = ArtCanvas::Rgb(0x4a2e18);
    }
    if (std::fabs(y) < 0.13f) {
        wood = ArtCanvas::Scale(ArtCanvas::Rgb(0x8a5a30), 0.9f + 0.2f * grain);
        if (std::fabs(std::fabs(x) - 0.5f) < 0.05f && std::fabs(y) < 0.05f) {
            wood = ArtCanvas::Rgb(0xd8d0b0);
        }
    }
    return ArtCanvas::Scale(wood, 1.0f - 0.3f * ArtCanvas::SmoothStep(0.7f, 0.8f, r));
}

// Silk threads: spokes and a spiral; 1 on a thread.
float Web(float x, float y)
{
    const float r = std::hypot(x, y);
    const float angle = std::atan2(y, x);
    const float spokes = std::fabs(std::sin(angle * 4.0f)) * r;
    const float spiral = std::fabs(std::fmod(r * 6.0f - angle / (2.0f * kPi) + 20.0f, 1.0f) - 0.5f);
    const float onSpoke = 1.0f - ArtCanvas::SmoothStep(0.03f, 0.07f, spokes);
    const float onSpiral =
        (1.0f - ArtCanvas::SmoothStep(0.03f, 0.08f, spiral)) * ArtCanvas::SmoothStep(0.08f, 0.15f, r);
    return std::max(onSpoke, onSpiral) * (1.0f - ArtCanvas::SmoothStep(0.9f, 1.0f, HexRadius(x, y)));
}

ArtCanvas PaintSquare(std::uint32_t size, const Painter& painter)
{
    ArtCanvas canvas(size, size);
    canvas.Paint([&](float u, float v) { return painter(u * 2.0f - 1.0f, v * 2.0f - 1.0f); });
    return canvas;
}

std::string Texture(const std::string& name)
{
    return std::string(kCellFolder) + "textures\\" + name;
}

std::string Data(const std::string& path)
{
    return "data\\" + path;
}

// The cells: three slabs and six textures.
Outputs MakeCells()
{
    Outputs out;
    out.push_back(ArtMesh::BuildModel(
        ArtMesh::MakeModel({MakeSlab(kCellRadius, CellArt::kEmptyHeight, 0.5f)}, ArtMesh::kSceneFlags, 0.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_empty.jpg"), ""));
    out.push_back(ArtMesh::BuildModel(
        ArtMesh::MakeModel({MakeSlab(kCellRadius, CellArt::kSingleHeight, 1.0f)}, ArtMesh::kSceneFlags, 0.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_1.jpg"), ""));
    out.push_back(ArtMesh::BuildModel(
        ArtMesh::MakeModel({MakeSlab(kCellRadius, CellArt::kDoubleHeight, 1.2f)}, ArtMesh::kSceneFlags, 0.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_2.jpg"), ""));

    const ArtColor soil = ArtCanvas::Rgb(0x6a4a30);
    const ArtColor mossInner = ArtCanvas::Rgb(0x9cc46a);
    const ArtColor mossRim = ArtCanvas::Rgb(0x5e8a3c);
    const ArtColor petalInner = ArtCanvas::Rgb(0xf3c9a0);
    const ArtColor petalRim = ArtCanvas::Rgb(0xc9784a);
    out.push_back(PaintSquare(64, [&](float x, float y) {
                      return CellTop(x, y, ArtCanvas::Rgb(0x5a3f2a), ArtCanvas::Rgb(0x3e2a1c), 3);
                  }).BuildColorJpeg());
    (void)soil;
    const auto single = [&](float x, float y) { return CellTop(x, y, mossInner, mossRim, 5); };
    const auto twice = [&](float x, float y) {
        ArtColor c = CellTop(x, y, petalInner, petalRim, 9);
        // A ring of petals marks the second layer.
        const float r = std::hypot(x, y);
        const float petals = 0.5f + 0.5f * std::cos(std::atan2(y, x) * 6.0f);
        if (r < 0.62f && r > 0.25f + 0.2f * petals) {
            c = ArtCanvas::Mix(c, ArtCanvas::Rgb(0xfff0dc), 0.35f);
        }
        return c;
    };
    for (int layers = 1; layers <= 2; ++layers) {
        const Painter base = layers == 1 ? Painter(single) : Painter(twice);
        out.push_back(PaintSquare(kTextureSize, base).BuildColorJpeg());
        out.push_back(
            PaintSquare(kTextureSize, [&](float x, float y) { return Lid(x, y, base(x, y)); }).BuildColorJpeg());
        out.push_back(PaintSquare(kTextureSize, [&](float x, float y) {
                          return ArtCanvas::Mix(ArtCanvas::Scale(base(x, y), 0.8f), ArtCanvas::Rgb(0xf4f4f0),
                                                0.85f * Web(x, y));
                      }).BuildColorJpeg());
    }
    return out;
}

std::vector<std::string> CellPaths()
{
    std::vector<std::string> paths;
    for (const char* name : {"cell_empty", "cell_single", "cell_double"}) {
        paths.push_back(Data(std::string(kCellFolder) + name + ".mlf"));
        paths.push_back(Data(std::string(kCellFolder) + name + ".srf"));
    }
    paths.push_back(Data(Texture("cell_empty.jpg")));
    for (const char* name :
         {"cell_1", "cell_1_closed", "cell_1_blocked", "cell_2", "cell_2_closed", "cell_2_blocked"}) {
        paths.push_back(Data(Texture(std::string(name) + ".jpg")));
    }
    return paths;
}

// A flat hexagon at height z, mapped over the whole picture.
ArtMesh MakeDisc(float radius, float z)
{
    ArtMesh mesh;
    const Vector3 up(0.0f, 0.0f, 1.0f);
    const std::uint32_t centre = mesh.AddVertex(Vector3(0.0f, 0.0f, z), 0.5f, 0.5f, up);
    for (int k = 0; k <= 6; ++k) {
        const Vector3 p = Corner(k % 6, radius, z);
        const auto uv = PlanarUv(p, radius);
        mesh.AddVertex(p, uv.first, uv.second, up);
    }
    for (std::uint32_t k = 0; k < 6; ++k) {
        mesh.AddTriangle(centre, centre + 1 + k, centre + 2 + k);
    }
    return mesh;
}

// The web over a blocked cell's item, and the selection marker: a glowing
// band standing around the cell.
Outputs MakeOverlays()
{
    Outputs out;
    ArtMesh web = MakeDisc(kCellRadius, CellArt::kDoubleHeight + 12.0f);
    out.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel({web}, ArtMesh::kUnlitSceneFlags, 0.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_web.jpg"), Texture("cell_web_alpha.jpg")));
    ArtCanvas webPicture = PaintSquare(kTextureSize, [](float x, float y) {
        const float w = Web(x * 1.05f, y * 1.05f);
        return ArtColor{0.97f, 0.97f, 0.94f, 0.12f + 0.8f * w};
    });
    out.push_back(webPicture.BuildColorJpeg());
    out.push_back(webPicture.BuildAlphaJpeg());

    // The marker: appear (0-10) rising out of the ground, loop (10-40) turning
    // and breathing, vanish (40-50) widening away.
    std::vector<ArtMesh> frames;
    for (std::uint32_t f = 0; f < CellArt::kSelectFrameCount; ++f) {
        float scale = 1.0f;
        float height = 9.0f;
        if (f < 10) {
            const float t = static_cast<float>(f) / 10.0f;
            height = 9.0f * (0.3f + 0.7f * t);
            scale = 0.85f + 0.15f * t;
        } else if (f <= 40) {
            // Breathing, so that frame 40 is frame 10 again.
            const float t = static_cast<float>(f - 10) / 30.0f;
            const float breath = 0.5f - 0.5f * std::cos(2.0f * kPi * t);
            height = 9.0f + 2.0f * breath;
            scale = 1.0f + 0.05f * breath;
        } else {
            const float t = static_cast<float>(f - 40) / 10.0f;
            height = 9.0f + 6.0f * t;
            scale = 1.0f + 0.25f * t;
        }
        ArtMesh band;
        const float radius = (kCellRadius + 1.8f) * scale;
        for (int k = 0; k <= 12; ++k) {
            const float a = static_cast<float>(k) * kSixth * 0.5f;
            // Corners and edge middles, so that the band follows the hexagon.
            const float r = radius;
            const Vector3 out2(std::cos(a), std::sin(a), 0.0f);
            const float u = static_cast<float>(k) / 12.0f;
            band.AddVertex(Vector3(out2.x * r, out2.y * r, 0.2f), u * 4.0f, 0.0f, out2);
            band.AddVertex(Vector3(out2.x * r, out2.y * r, height), u * 4.0f, 1.0f, out2);
        }
        for (std::uint32_t k = 0; k < 12; ++k) {
            band.AddQuad(2 * k, 2 * k + 2, 2 * k + 3, 2 * k + 1);
        }
        frames.push_back(band);
    }
    out.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kUnlitSceneFlags, 30.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_select.jpg"), Texture("cell_select_alpha.jpg")));
    ArtCanvas glow(64, 64);
    glow.Paint([](float u, float v) {
        const float sparkle = std::pow(std::fabs(std::sin(u * kPi * 3.0f)), 24.0f) * (1.0f - v);
        const float fade = std::pow(1.0f - v, 1.6f);
        return ArtColor{1.0f, 0.92f - 0.2f * v, 0.55f + 0.3f * sparkle,
                        ArtCanvas::Clamp01(0.85f * fade + 0.5f * sparkle)};
    });
    out.push_back(glow.BuildColorJpeg());
    out.push_back(glow.BuildAlphaJpeg());

    // The tip: a leaf-green arrow bobbing and turning over the cell.
    std::vector<ArtMesh> tips;
    for (std::uint32_t f = 0; f <= 30; ++f) {
        const float t = static_cast<float>(f) / 30.0f;
        const float bob = 4.0f * std::sin(2.0f * kPi * t);
        const float turn = 2.0f * kPi * t;
        ArtMesh arrow;
        for (int wing = 0; wing < 2; ++wing) {
            const float a = turn + static_cast<float>(wing) * kPi * 0.5f;
            const Vector3 across(std::cos(a), std::sin(a), 0.0f);
            const Vector3 normal(-std::sin(a), std::cos(a), 0.0f);
            const float base = 36.0f + bob;
            const std::uint32_t tip = arrow.AddVertex(Vector3(0.0f, 0.0f, base - 12.0f), 0.5f, 0.0f, normal);
            const std::uint32_t l = arrow.AddVertex(across * -8.0f + Vector3(0.0f, 0.0f, base), 0.0f, 0.45f, normal);
            const std::uint32_t r = arrow.AddVertex(across * 8.0f + Vector3(0.0f, 0.0f, base), 1.0f, 0.45f, normal);
            const std::uint32_t sl = arrow.AddVertex(across * -3.5f + Vector3(0.0f, 0.0f, base), 0.28f, 0.45f, normal);
            const std::uint32_t sr = arrow.AddVertex(across * 3.5f + Vector3(0.0f, 0.0f, base), 0.72f, 0.45f, normal);
            const std::uint32_t tl =
                arrow.AddVertex(across * -3.5f + Vector3(0.0f, 0.0f, base + 14.0f), 0.28f, 1.0f, normal);
            const std::uint32_t tr =
                arrow.AddVertex(across * 3.5f + Vector3(0.0f, 0.0f, base + 14.0f), 0.72f, 1.0f, normal);
            arrow.AddTriangle(tip, r, l);
            arrow.AddQuad(sl, sr, tr, tl);
        }
        tips.push_back(arrow);
    }
    out.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(tips, ArtMesh::kSceneFlags, 30.0f)));
    out.push_back(ArtMesh::BuildTextureShader(Texture("cell_tip.jpg"), ""));
    ArtCanvas tipPicture(32, 32);
    tipPicture.Paint([](float u, float v) {
        const float edge = std::min({u, 1.0f - u, v}) * 4.0f;
        return ArtCanvas::Mix(ArtCanvas::Rgb(0x2f7a2a), ArtCanvas::Rgb(0xb8f070),
                              ArtCanvas::Clamp01(edge) * (0.5f + 0.5f * v));
    });
    out.push_back(tipPicture.BuildColorJpeg());
    return out;
}

std::vector<std::string> OverlayPaths()
{
    std::vector<std::string> paths;
    for (const char* name : {"cell_block", "cell_select", "cell_tip"}) {
        paths.push_back(Data(std::string(kCellFolder) + name + ".mlf"));
        paths.push_back(Data(std::string(kCellFolder) + name + ".srf"));
        if (std::string(name) == "cell_block") {
            paths.push_back(Data(Texture("cell_web.jpg")));
            paths.push_back(Data(Texture("cell_web_alpha.jpg")));
        } else if (std::string(name) == "cell_select") {
            paths.push_back(Data(Texture("cell_select.jpg")));
            paths.push_back(Data(Texture("cell_select_alpha.jpg")));
        } else {
            paths.push_back(Data(Texture("cell_tip.jpg")));
        }
    }
    return paths;
}

// A low box hedge along the cell edge facing direction d, just outside it.
Outputs MakeBorders()
{
    Outputs out;
    for (std::uint32_t d = 0; d < 6; ++d) {
        const float angle = CellArt::DirectionAngle(d);
        const Vector3 out2(std::cos(angle), std::sin(angle), 0.0f);
        const Vector3 along(-out2.y, out2.x, 0.0f);
        const float inner = BoardLayout::kInradius + CellArt::kBorderGap;
        const float halfLength = CellArt::kBorderHalfLength;
        ArtMesh mesh;
        const float depth = CellArt::kBorderDepth;
        // The rounded top rises 1.2 above the sides.
        const float height = CellArt::kBorderHeight - 1.2f;
        const Vector3 up(0.0f, 0.0f, 1.0f);
        // Top, outer and inner faces and the two ends, rounded by their normals.
        const auto face = [&](const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& e, const Vector3& n,
                              float v0, float v1) {
            const std::uint32_t i0 = mesh.AddVertex(a, 0.0f, v0, n);
            const std::uint32_t i1 = mesh.AddVertex(b, 1.0f, v0, n);
            const std::uint32_t i2 = mesh.AddVertex(c, 1.0f, v1, n);
            const std::uint32_t i3 = mesh.AddVertex(e, 0.0f, v1, n);
            mesh.AddQuad(i0, i1, i2, i3);
        };
        const Vector3 c0 = out2 * inner - along * halfLength;
        const Vector3 c1 = out2 * inner + along * halfLength;
        const Vector3 c2 = out2 * (inner + depth) + along * halfLength;
        const Vector3 c3 = out2 * (inner + depth) - along * halfLength;
        const Vector3 h(0.0f, 0.0f, height);
        const Vector3 top(0.0f, 0.0f, height + 1.2f);
        face(c0 + h, c1 + h, c1 + top + out2 * (depth * 0.5f) - out2 * 0.0f, c0 + top + out2 * (depth * 0.5f),
             (up - out2 * 0.6f).Normalized(), 0.6f, 1.0f);
        face(c3 + top + out2 * (-depth * 0.5f), c2 + top + out2 * (-depth * 0.5f), c2 + h, c3 + h,
             (up + out2 * 0.6f).Normalized(), 1.0f, 0.6f);
        face(c3, c2, c2 + h, c3 + h, out2, 0.0f, 0.6f);
        face(c1, c0, c0 + h, c1 + h, out2 * -1.0f, 0.0f, 0.6f);
        face(c0, c3, c3 + h, c0 + h, along * -1.0f, 0.0f, 0.6f);
        face(c2, c1, c1 + h, c2 + h, along, 0.0f, 0.6f);
        out.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel({mesh}, ArtMesh::kSceneFlags, 0.0f)));
        out.push_back(ArtMesh::BuildTextureShader("game_objects\\board_border\\textures\\hedge.jpg", ""));
    }
    ArtCanvas hedge(64, 64);
    hedge.Paint([](float u, float v) {
        const float leaves =
            ArtCanvas::Noise(u * 14.0f, v * 10.0f, 77) * 0.7f + ArtCanvas::Noise(u * 31.0f, v * 23.0f, 78) * 0.3f;
        ArtColor c = ArtCanvas::Mix(ArtCanvas::Rgb(0x2d5a22), ArtCanvas::Rgb(0x7bb04a), leaves);
        if (leaves > 0.78f) {
            c = ArtCanvas::Rgb(0xf4d8e8); // a few pale blossoms
        }
        return ArtCanvas::Scale(c, 0.6f + 0.45f * v);
    });
    out.push_back(hedge.BuildColorJpeg());
    return out;
}

std::vector<std::string> BorderPaths()
{
    std::vector<std::string> paths;
    for (std::uint32_t d = 0; d < 6; ++d) {
        paths.push_back("data\\game_objects\\board_border\\border_" + std::to_string(d) + ".mlf");
        paths.push_back("data\\game_objects\\board_border\\border_" + std::to_string(d) + ".srf");
    }
    paths.push_back("data\\game_objects\\board_border\\textures\\hedge.jpg");
    return paths;
}

// The bonuses ride with their item, around its centre: a spinning ring of
// flames (item), two crossed orbits (combination) and a rainbow halo (colour).
Outputs MakeBonuses()
{
    Outputs out;
    const char* names[3] = {"item_destruction", "combination_destruction", "color_destruction"};
    for (int kind = 0; kind < 3; ++kind) {
        std::vector<ArtMesh> frames;
        const std::uint32_t count = 31;
        for (std::uint32_t f = 0; f < count; ++f) {
            const float t = static_cast<float>(f) / static_cast<float>(count - 1);
            ArtMesh mesh;
            const std::uint32_t segments = 24;
            if (kind == 0) {
                // Flame tongues standing on a ring under the item, turning.
                const float pulse = 1.0f + 0.15f * std::sin(4.0f * kPi * t);
                mesh.AddGrid(
                    segments, 1,
                    [&](float s, float r) {
                        const float a = 2.0f * kPi * (s + t / 6.0f);
                        const float radius = 15.0f;
                        return Vector3(radius * std::cos(a), radius * std::sin(a), -4.0f + r * 9.0f * pulse);
                    },
                    [&](float s, float r) { return std::make_pair(s * 6.0f, r); });
            } else if (kind == 1) {
                for (int ring = 0; ring < 2; ++ring) {
                    const float tilt = (ring == 0 ? 1.0f : -1.0f) * 0.6f;
                    const float spin = 2.0f * kPi * t * (ring == 0 ? 1.0f : -1.0f);
                    mesh.AddGrid(
                        segments, 1,
                        [&](float s, float r) {
                            const float a = 2.0f * kPi * s + spin;
                            const float radius = 13.0f + r * 3.0f;
                            const Vector3 flat(radius * std::cos(a), radius * std::sin(a), 0.0f);
                            return Vector3(flat.x * std::cos(tilt), flat.y, flat.x * std::sin(tilt));
                        },
                        [&](float s, float r) { return std::make_pair(s * 4.0f, r); });
                }
            } else {
                const float bob = 1.5f * std::sin(2.0f * kPi * t);
                mesh.AddGrid(
                    segments, 1,
                    [&](float s, float r) {
                        const float a = 2.0f * kPi * (s - t);
                        const float radius = 12.0f + r * 5.0f;
                        return Vector3(radius * std::cos(a), radius * std::sin(a), 7.0f + bob + r * 2.0f);
                    },
                    [&](float s, float r) { return std::make_pair(s, r); });
            }
            mesh.ComputeNormals();
            frames.push_back(mesh);
        }
        out.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kUnlitSceneFlags, 30.0f)));
        const std::string texture = std::string("game_objects\\bonuses\\textures\\") + names[kind];
        out.push_back(ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg"));
        ArtCanvas picture(64, 64);
        picture.Paint([kind](float u, float v) {
            if (kind == 0) {
                const float tongue = 0.5f + 0.5f * std::cos(u * 2.0f * kPi);
                const float a = ArtCanvas::Clamp01((tongue * 1.1f - v) * 2.5f);
                return ArtColor{1.0f, 0.85f - 0.55f * v, 0.3f - 0.25f * v, a};
            }
            if (kind == 1) {
                const float band = 1.0f - std::fabs(v - 0.5f) * 2.0f;
                const float dash = 0.6f + 0.4f * std::cos(u * 2.0f * kPi * 3.0f);
                return ArtColor{0.55f + 0.4f * band, 0.9f, 1.0f, ArtCanvas::Clamp01(band * 1.6f) * dash};
            }
            ArtColor c = ArtCanvas::Hsv(u * 2.0f, 0.7f, 1.0f);
            c.a = ArtCanvas::Clamp01((1.0f - std::fabs(v - 0.5f) * 2.0f) * 1.8f);
            return c;
        });
        out.push_back(picture.BuildColorJpeg());
        out.push_back(picture.BuildAlphaJpeg());
    }
    return out;
}

std::vector<std::string> BonusPaths()
{
    std::vector<std::string> paths;
    for (const char* name : {"item_destruction", "combination_destruction", "color_destruction"}) {
        paths.push_back(std::string("data\\game_objects\\bonuses\\") + name + ".mlf");
        paths.push_back(std::string("data\\game_objects\\bonuses\\") + name + ".srf");
        paths.push_back(std::string("data\\game_objects\\bonuses\\textures\\") + name + ".jpg");
        paths.push_back(std::string("data\\game_objects\\bonuses\\textures\\") + name + "_alpha.jpg");
    }
    return paths;
}

void AddRecipe(DataSetBuilder& builder, const std::string& what, std::vector<std::string> paths, Outputs (*make)())
{
    AssetRecipe recipe;
    recipe.origin = "cell art: " + what;
    recipe.packPaths = std::move(paths);
    recipe.parameters = kRecipeVersion;
    recipe.make = make;
    builder.Add(std::move(recipe));
}

} // namespace

float CellArt::DirectionAngle(std::uint32_t direction)
{
    // Direction 0 is (x, y + 2), straight up the board; the others follow clockwise.
    return kPi * 0.5f - static_cast<float>(direction) * kSixth;
}

void CellArt::AddRecipes(DataSetBuilder& builder)
{
    AddRecipe(builder, "cells", CellPaths(), &MakeCells);
    AddRecipe(builder, "overlays", OverlayPaths(), &MakeOverlays);
    AddRecipe(builder, "borders", BorderPaths(), &MakeBorders);
    AddRecipe(builder, "bonuses", BonusPaths(), &MakeBonuses);
}

} // namespace Content
