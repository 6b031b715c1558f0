#include "content/ItemArt.h"

#include <algorithm>
#include <cmath>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "item art 2";
constexpr float kPi = 3.14159265358979f;
constexpr std::uint32_t kTextureSize = 128;
// The picture covers x and y from -kHalfSpan to kHalfSpan model units.
constexpr float kHalfSpan = 16.0f;
constexpr float kWingRoot = 1.5f;
constexpr float kBodyHalfWidth = 1.6f;
// The model is drawn in picture units and scaled to span about 26 units, so
// that a resting butterfly stays within its cell whichever way it turns.
constexpr float kModelScale = 0.8f;

struct Lobe
{
    float cx, cy, a, b, angleDegrees, power, scallop, scallopCount;
};

struct Kind
{
    ArtColor base;
    ArtColor accent;
    Lobe fore;
    Lobe hind;
    bool tails;
};

// Warm garden colours whose brightness also steps apart, so that the kinds
// read in grey: sunflower, sky, coral, leaf, plum.
const Kind kKinds[ItemArt::kKindCount] = {
    {ArtColor{0.98f, 0.47f, 0.30f},
     ArtColor{0.16f, 0.09f, 0.08f},
     {8.0f, 5.0f, 8.4f, 6.0f, 25.0f, 2.0f, 0.0f, 0.0f},
     {6.2f, -5.0f, 6.6f, 6.0f, -20.0f, 2.0f, 0.0f, 0.0f},
     false},
    {ArtColor{1.00f, 0.87f, 0.32f},
     ArtColor{0.12f, 0.10f, 0.08f},
     {8.2f, 5.2f, 9.0f, 4.9f, 30.0f, 1.6f, 0.0f, 0.0f},
     {5.6f, -4.8f, 5.6f, 5.4f, -15.0f, 2.0f, 0.0f, 0.0f},
     true},
    {ArtColor{0.40f, 0.66f, 0.98f},
     ArtColor{0.08f, 0.14f, 0.35f},
     {8.0f, 4.6f, 8.6f, 7.0f, 15.0f, 2.4f, 0.0f, 0.0f},
     {7.0f, -5.2f, 7.0f, 6.4f, -10.0f, 2.4f, 0.0f, 0.0f},
     false},
    {ArtColor{0.30f, 0.52f, 0.16f},
     ArtColor{0.12f, 0.22f, 0.06f},
     {8.6f, 4.4f, 9.2f, 4.8f, 35.0f, 1.4f, 0.0f, 0.0f},
     {6.0f, -6.0f, 6.6f, 4.8f, -40.0f, 1.5f, 0.0f, 0.0f},
     false},
    {ArtColor{0.40f, 0.17f, 0.56f},
     ArtColor{0.95f, 0.88f, 0.74f},
     {8.0f, 5.0f, 8.0f, 6.0f, 30.0f, 2.0f, 0.07f, 9.0f},
     {6.5f, -5.6f, 6.5f, 6.0f, -25.0f, 2.0f, 0.11f, 8.0f},
     false},
};

// How far a point lies inside a lobe: below 1 inside, with its angle about the
// lobe's centre.
float LobeMetric(const Lobe& lobe, float x, float y, float& angle)
{
    const float c = std::cos(lobe.angleDegrees * kPi / 180.0f);
    const float s = std::sin(lobe.angleDegrees * kPi / 180.0f);
    const float dx = x - lobe.cx;
    const float dy = y - lobe.cy;
    const float u = (dx * c + dy * s) / lobe.a;
    const float v = (-dx * s + dy * c) / lobe.b;
    angle = std::atan2(v, u);
    const float m =
        std::pow(std::pow(std::fabs(u), lobe.power) + std::pow(std::fabs(v), lobe.power), 1.0f / lobe.power);
    return m / (1.0f + lobe.scallop * (0.5f + 0.5f * std::cos(lobe.scallopCount * angle)) - lobe.scallop);
}

float Capsule(float x, float y, float ax, float ay, float bx, float by)
{
    const float px = x - ax;
    const float py = y - ay;
    const float ex = bx - ax;
    const float ey = by - ay;
    const float t = std::clamp((px * ex + py * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
    return std::hypot(px - ex * t, py - ey * t);
}

// Colour and opacity of kind k's wings (and body) seen from above, at model
// point (x, y).
ArtColor PaintButterfly(std::uint32_t k, float x, float y)
{
    const Kind& kind = kKinds[k];
    const float ax = std::fabs(x);
    // The body strip the body and antennae sample.
    if (ax < kBodyHalfWidth) {
        const float stripe = 0.5f + 0.5f * std::cos(y * 2.2f);
        ArtColor body =
            ArtCanvas::Mix(ArtCanvas::Rgb(0x3a2a1e), ArtCanvas::Rgb(0x6b5238), y < 0.0f ? stripe * 0.6f : 0.2f);
        return ArtCanvas::Scale(body, 1.0f - 0.35f * ax / kBodyHalfWidth);
    }
    float foreAngle = 0.0f;
    float hindAngle = 0.0f;
    const float fore = LobeMetric(kind.fore, ax, y, foreAngle);
    const float hind = LobeMetric(kind.hind, ax, y, hindAngle);
    float tail = 10.0f;
    if (kind.tails) {
        // Tapering tails from the hind wings' lower edge.
        const float along = ArtCanvas::Clamp01((-9.0f - y) / 5.0f);
        tail = Capsule(ax, y, 6.2f, -8.5f, 7.2f, -14.0f) / (1.5f - 0.6f * along);
    }
    const float inside = std::min({fore, hind, tail});
    const float alpha = 1.0f - ArtCanvas::SmoothStep(0.96f, 1.03f, inside);
    if (alpha <= 0.0f) {
        return ArtColor{0.35f, 0.45f, 0.25f, 0.0f};
    }
    const bool onFore = fore < hind;
    const float edge = ArtCanvas::SmoothStep(0.80f, 0.97f, inside);
    const float rootShade = 0.72f + 0.28f * ArtCanvas::SmoothStep(kWingRoot, 6.0f, std::hypot(ax, y * 0.8f));
    ArtColor color = kind.base;
    // Each kind's markings.
    switch (k) {
    case 0: { // coral: eyespots on the hind wings, a dark tip with pale dots
        const float eye = std::hypot(ax - 6.8f, y + 6.0f);
        if (eye < 2.6f) {
            color = eye < 1.0f ? ArtCanvas::Rgb(0xfff4d8)
                               : (eye < 1.9f ? ArtCanvas::Rgb(0x2a1410) : ArtCanvas::Rgb(0xffc94a));
        }
        if (onFore && fore > 0.72f) {
            color = ArtCanvas::Mix(color, kind.accent, 0.85f);
            if (std::fmod(std::fabs(foreAngle) * 5.0f, 1.0f) < 0.35f && fore > 0.8f && fore < 0.9f) {
                color = ArtCanvas::Rgb(0xfff0e0);
            }
        }
        break;
    }
    case 1: { // sunflower swallowtail: black bars across the fore wings, blue-black hind rim, tails
        const float bar = std::sin((ax * 0.8f + y * 0.55f) * 1.55f);
        if (onFore && bar > 0.88f) {
            color = ArtCanvas::Mix(color, kind.accent, 0.9f);
        }
        if (tail < hind && tail < fore) {
            color = kind.accent;
        } else if (!onFore && hind > 0.82f) {
            color = hind < 0.86f && std::cos(hindAngle * 6.0f) > 0.5f ? ArtCanvas::Rgb(0x4a78d0) : kind.accent;
        }
        break;
    }
    case 2: { // sky: broad navy border with a row of white dots
        if (inside > 0.8f) {
            color = kind.accent;
            const float dotAngle = onFore ? foreAngle : hindAngle;
            const float cycle = std::fmod(dotAngle * 7.0f / (2.0f * kPi) + 10.0f, 1.0f);
            if (inside > 0.84f && inside < 0.92f && std::fabs(cycle - 0.5f) < 0.18f) {
                color = ArtCanvas::Rgb(0xf4f8ff);
            }
        } else {
            color = ArtCanvas::Mix(kind.base, ArtCanvas::Rgb(0xc8f0ff), 0.4f * (1.0f - inside));
        }
        break;
    }
    case 3: { // leaf: dark veins from the root, a pale yellow mark at the tip
        const float angle = std::atan2(y, ax);
        const float vein = std::fabs(std::sin(angle * 7.0f));
        if (vein < 0.12f + 0.02f * ax) {
            color = ArtCanvas::Mix(color, kind.accent, 0.8f);
        }
        if (onFore && std::hypot(ax - 13.0f, y - 9.5f) < 2.2f) {
            color = ArtCanvas::Rgb(0xf0e070);
        }
        break;
    }
    default: { // plum: a cream band over the fore wings, an orange spot row on the hind wings
        const float band = std::fabs((ax - 7.0f) * 0.7f - (y - 4.0f) * 0.7f);
        if (onFore && band < 0.9f) {
            color = kind.accent;
        }
        if (!onFore && hind > 0.6f && hind < 0.78f && std::cos(hindAngle * 7.0f) > 0.3f) {
            color = ArtCanvas::Rgb(0xf5a040);
        }
        break;
    }
    }
    // A soft sheen toward the outer wing, a dark rim and shade at the body.
    color = ArtCanvas::Scale(color, rootShade * (1.0f - 0.45f * edge));
    const float grain = 0.94f + 0.06f * ArtCanvas::Noise(x * 1.3f, y * 1.3f, k + 1);
    color = ArtCanvas::Scale(color, grain);
    color.a = alpha;
    return color;
}

float WingAngleDegrees(std::uint32_t frame)
{
    const float f = static_cast<float>(frame);
    if (frame <= 10) {
        // Flight: one beat, frame 10 as frame 0. It opens on the downstroke,
        // the wings well below the body: the game takes frame 0's box for the
        // item's size and hovers a resting item 1.1 half-heights over its
        // cell, and this deep first frame lifts the resting butterfly clear of
        // a double cell's top.
        return 19.0f - 46.0f * std::cos(2.0f * kPi * f / 10.0f);
    }
    if (frame <= 15) { // glide
        const float t = (f - 10.0f) / 5.0f;
        return 65.0f + (25.0f - 65.0f) * (0.5f - 0.5f * std::cos(kPi * t));
    }
    if (frame <= 25) { // landing: beats dying away to the resting spread
        const float t = (f - 15.0f) / 10.0f;
        return 10.0f + (1.0f - t) * 45.0f * (0.5f + 0.5f * std::cos(3.0f * kPi * t));
    }
    if (frame <= 60) { // rest: the wings close slowly over the back and open again
        const float t = (f - 25.0f) / 35.0f;
        const float s = std::sin(kPi * t);
        return 10.0f + 68.0f * s * s;
    }
    if (frame <= 70) { // take-off: from the resting spread to the beat's highest
        const float t = (f - 60.0f) / 10.0f;
        return 10.0f + 55.0f * (0.5f - 0.5f * std::cos(3.0f * kPi * t));
    }
    const float t = (f - 70.0f) / 5.0f;
    return 65.0f + (25.0f - 65.0f) * (0.5f - 0.5f * std::cos(kPi * t));
}

float BodyLift(std::uint32_t frame)
{
    if (frame <= 10) { // the downstroke lifts the body
        return 1.2f * std::cos(2.0f * kPi * static_cast<float>(frame) / 10.0f);
    }
    return 0.0f;
}

std::pair<float, float> UvOf(float x, float y)
{
    return {(x + kHalfSpan) / (2.0f * kHalfSpan), (y + kHalfSpan) / (2.0f * kHalfSpan)};
}

// One frame of the butterfly; flat presses every point onto z = 0 for the shadow.
ArtMesh MakeFrame(std::uint32_t frame, bool flat)
{
    ArtMesh mesh;
    const float phi = WingAngleDegrees(frame) * kPi / 180.0f;
    const float lift = BodyLift(frame);
    const float centreZ = 3.0f + lift;
    const auto place = [&](const Vector3& p) { return flat ? Vector3(p.x, p.y, 0.0f) * kModelScale : p * kModelScale; };
    for (int side = -1; side <= 1; side += 2) {
        const float sign = static_cast<float>(side);
        const Vector3 normal = flat ? Vector3(0.0f, 0.0f, 1.0f) : Vector3(-sign * std::sin(phi), 0.0f, std::cos(phi));
        const std::uint32_t first = static_cast<std::uint32_t>(mesh.GetVertexCount());
        const std::uint32_t columns = 4;
        const std::uint32_t rows = 6;
        for (std::uint32_t j = 0; j <= rows; ++j) {
            for (std::uint32_t i = 0; i <= columns; ++i) {
                const float d = kWingRoot + (kHalfSpan - kWingRoot) * static_cast<float>(i) / columns - kWingRoot;
                const float y = -kHalfSpan + 2.0f * kHalfSpan * static_cast<float>(j) / rows;
                // The wing bends a little: its outer part lags the beat.
                const float bend = phi * (0.85f + 0.15f * static_cast<float>(i) / columns);
                const Vector3 p(sign * (kWingRoot + d * std::cos(bend)), y, centreZ + d * std::sin(bend));
                const auto uv = UvOf(sign * (kWingRoot + d), y);
                mesh.AddVertex(place(p), uv.first, uv.second, normal);
            }
        }
        for (std::uint32_t j = 0; j < rows; ++j) {
            for (std::uint32_t i = 0; i < columns; ++i) {
                const std::uint32_t a = first + j * (columns + 1) + i;
                mesh.AddQuad(a, a + 1, a + columns + 2, a + columns + 1);
            }
        }
    }
    // The body: a furry spindle from the tail (-y) to the head (+y).
    const float bodyU = 0.5f;
    mesh.AddGrid(
        8, 10,
        [&](float s, float t) {
            const float y = -10.0f + 18.5f * t;
            float r = 0.0f;
            if (y > 6.0f) {
                r = 1.25f * std::sqrt(std::max(0.0f, 1.0f - ((y - 7.0f) / 1.5f) * ((y - 7.0f) / 1.5f)));
            } else if (y > 0.0f) {
                r = 1.75f * std::sin(kPi * (y + 0.5f) / 6.5f);
            } else {
                r = 1.35f * std::sqrt(std::max(0.0f, 1.0f - (y / 10.0f) * (y / 10.0f)));
            }
            const float a = 2.0f * kPi * s;
            // The abdomen swings a little with the beat.
            const float sway = y < 0.0f ? 0.04f * lift * y : 0.0f;
            return place(Vector3(r * std::cos(a), y, centreZ + r * std::sin(a) + sway));
        },
        [&](float s, float t) {
            return std::make_pair(bodyU + 0.03f * std::cos(2.0f * kPi * s), UvOf(0.0f, -10.0f + 18.5f * t).second);
        });
    // Two antennae curling forward.
    for (int side = -1; side <= 1; side += 2) {
        const float sign = static_cast<float>(side);
        // Ten frames a sway, so that the beat's loop and the rest's ends agree.
        const float sway = 0.3f * std::sin(2.0f * kPi * static_cast<float>(frame) / 10.0f);
        const Vector3 root(sign * 0.5f, 8.0f, centreZ + 0.8f);
        const Vector3 tip(sign * (3.2f + sway), 13.5f, centreZ + 3.0f + sway);
        const Vector3 across(0.28f, 0.0f, 0.0f);
        const auto uv = UvOf(0.0f, 11.0f);
        const std::uint32_t a = mesh.AddVertex(place(root - across), uv.first, uv.second);
        const std::uint32_t b = mesh.AddVertex(place(root + across), uv.first, uv.second);
        const std::uint32_t c = mesh.AddVertex(place(tip + across), uv.first, uv.second);
        const std::uint32_t d = mesh.AddVertex(place(tip - across), uv.first, uv.second);
        mesh.AddQuad(a, b, c, d);
    }
    mesh.ComputeNormals();
    return mesh;
}

std::vector<std::uint8_t> MakeModel(bool flat)
{
    std::vector<ArtMesh> frames;
    for (std::uint32_t f = 0; f < ItemArt::kFrameCount; ++f) {
        frames.push_back(MakeFrame(f, flat));
    }
    return ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kSceneFlags, 30.0f));
}

ArtCanvas PaintKind(std::uint32_t k, std::uint32_t size)
{
    ArtCanvas canvas(size, size);
    canvas.Paint([k](float u, float v) {
        return PaintButterfly(k, (u * 2.0f - 1.0f) * kHalfSpan, (v * 2.0f - 1.0f) * kHalfSpan);
    });
    return canvas;
}

std::string ButterflyTexture(const std::string& name)
{
    return "game_objects\\butterfly\\textures\\" + name;
}

std::string ShadowTexture(const std::string& name)
{
    return "game_objects\\shadow\\textures\\" + name;
}

} // namespace

std::vector<std::string> ItemArt::GetButterflyPaths()
{
    std::vector<std::string> paths = {"data\\game_objects\\butterfly\\butterfly.mlf",
                                      "data\\game_objects\\butterfly\\butterfly.srf"};
    for (std::uint32_t k = 0; k < kKindCount; ++k) {
        paths.push_back("data\\" + ButterflyTexture("butterfly_" + std::to_string(k) + ".jpg"));
        paths.push_back("data\\" + ButterflyTexture("butterfly_" + std::to_string(k) + "_alpha.jpg"));
    }
    return paths;
}

std::vector<std::string> ItemArt::GetShadowPaths()
{
    std::vector<std::string> paths = {"data\\game_objects\\shadow\\shadow.mlf",
                                      "data\\game_objects\\shadow\\shadow.srf",
                                      "data\\" + ShadowTexture("butterfly_shadow.jpg")};
    for (std::uint32_t k = 0; k < kKindCount; ++k) {
        paths.push_back("data\\" + ShadowTexture("butterfly_shadow_" + std::to_string(k) + "_alpha.jpg"));
    }
    return paths;
}

std::vector<std::vector<std::uint8_t>> ItemArt::MakeButterfly()
{
    std::vector<std::vector<std::uint8_t>> outputs;
    outputs.push_back(MakeModel(false));
    outputs.push_back(
        ArtMesh::BuildTextureShader(ButterflyTexture("butterfly_0.jpg"), ButterflyTexture("butterfly_0_alpha.jpg")));
    for (std::uint32_t k = 0; k < kKindCount; ++k) {
        const ArtCanvas canvas = PaintKind(k, kTextureSize);
        outputs.push_back(canvas.BuildColorJpeg());
        outputs.push_back(canvas.BuildAlphaJpeg());
    }
    return outputs;
}

std::vector<std::vector<std::uint8_t>> ItemArt::MakeShadow()
{
    std::vector<std::vector<std::uint8_t>> outputs;
    outputs.push_back(MakeModel(true));
    outputs.push_back(ArtMesh::BuildTextureShader(ShadowTexture("butterfly_shadow.jpg"),
                                                  ShadowTexture("butterfly_shadow_0_alpha.jpg")));
    // The colour is as large as the masks it is drawn with.
    ArtCanvas shade(kTextureSize / 2, kTextureSize / 2);
    shade.Paint([](float, float) { return ArtCanvas::Rgb(0x1c2614); });
    outputs.push_back(shade.BuildColorJpeg());
    for (std::uint32_t k = 0; k < kKindCount; ++k) {
        ArtCanvas canvas = PaintKind(k, kTextureSize / 2);
        canvas.BlurAlpha(1);
        for (std::uint32_t y = 0; y < canvas.GetHeight(); ++y) {
            for (std::uint32_t x = 0; x < canvas.GetWidth(); ++x) {
                canvas.At(x, y).a *= 0.6f;
            }
        }
        outputs.push_back(canvas.BuildAlphaJpeg());
    }
    return outputs;
}

void ItemArt::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe butterfly;
    butterfly.origin = "item art: butterfly";
    butterfly.packPaths = GetButterflyPaths();
    butterfly.parameters = kRecipeVersion;
    butterfly.make = []() { return MakeButterfly(); };
    builder.Add(std::move(butterfly));

    AssetRecipe shadow;
    shadow.origin = "item art: shadow";
    shadow.packPaths = GetShadowPaths();
    shadow.parameters = kRecipeVersion;
    shadow.make = []() { return MakeShadow(); };
    builder.Add(std::move(shadow));
}

} // namespace Content
