#include "content/MenuStyle.h"

#include <algorithm>
#include <cmath>

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr std::uint32_t kGrainSeed = 4117;

// A soft shadow under a shape whose edge lies at distance d.
ArtColor Shadow(float d, float spread, float strength)
{
    const float a = strength * (1.0f - ArtCanvas::SmoothStep(-spread * 0.3f, spread, d));
    return ArtColor{0.08f, 0.05f, 0.02f, a};
}

float Coverage(float d)
{
    return ArtCanvas::Clamp01(0.5f - d);
}

ArtColor StateColor(MenuStyle::State state)
{
    switch (state) {
    case MenuStyle::State::kHover:
        return MenuStyle::LeafLight();
    case MenuStyle::State::kPressed:
        return MenuStyle::LeafDark();
    case MenuStyle::State::kDisabled:
        return MenuStyle::Stone();
    case MenuStyle::State::kNormal:
        break;
    }
    return MenuStyle::Leaf();
}

} // namespace

ArtColor MenuStyle::Parchment()
{
    return ArtCanvas::Rgb(0xf7ecd0);
}
ArtColor MenuStyle::ParchmentShade()
{
    return ArtCanvas::Rgb(0xe2c896);
}
ArtColor MenuStyle::Wood()
{
    return ArtCanvas::Rgb(0x9a6434);
}
ArtColor MenuStyle::WoodDark()
{
    return ArtCanvas::Rgb(0x4e2c14);
}
ArtColor MenuStyle::Honey()
{
    return ArtCanvas::Rgb(0xf2b632);
}
ArtColor MenuStyle::Leaf()
{
    return ArtCanvas::Rgb(0x5c9e34);
}
ArtColor MenuStyle::LeafLight()
{
    return ArtCanvas::Rgb(0x84c84e);
}
ArtColor MenuStyle::LeafDark()
{
    return ArtCanvas::Rgb(0x3f7422);
}
ArtColor MenuStyle::Stone()
{
    return ArtCanvas::Rgb(0x9a9a8a);
}
ArtColor MenuStyle::Sky()
{
    return ArtCanvas::Rgb(0x9ed4ec);
}

float MenuStyle::RoundedBoxDistance(float x, float y, float width, float height, float radius)
{
    radius = std::min(radius, std::min(width, height) * 0.5f);
    const float qx = std::fabs(x) - (width * 0.5f - radius);
    const float qy = std::fabs(y) - (height * 0.5f - radius);
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

ArtColor MenuStyle::Panel(float x, float y, float width, float height, float radius, float rim)
{
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    const ArtColor shadow = Shadow(RoundedBoxDistance(x - 3.0f, y + 6.0f, width, height, radius), 12.0f, 0.45f);
    if (d > 0.5f) {
        return shadow;
    }
    const float grain = ArtCanvas::Noise(x * 0.04f, y * 0.04f, kGrainSeed) * 0.6f +
                        ArtCanvas::Noise(x * 0.15f, y * 0.15f, kGrainSeed + 1) * 0.4f;
    ArtColor face;
    if (d < -rim) {
        // Parchment, darker toward the rim and a touch lighter at the top.
        const float inner = ArtCanvas::SmoothStep(-rim - 40.0f, -rim, d);
        face = ArtCanvas::Mix(Parchment(), ParchmentShade(), 0.25f + 0.55f * inner + 0.2f * grain);
        face = ArtCanvas::Scale(face, 1.0f + 0.04f * y / std::max(height, 1.0f));
        // A thin inked line just inside the frame.
        const float line = 1.0f - ArtCanvas::SmoothStep(0.6f, 1.6f, std::fabs(d + rim + 7.0f));
        face = ArtCanvas::Mix(face, Wood(), 0.55f * line);
    } else {
        // Carved wood: grain along the edge, lit on its outer upper side.
        const float across = (d + rim) / std::max(rim, 1.0f);
        const float wave = 0.5f + 0.5f * std::sin(across * 3.14159f);
        const float woodGrain = ArtCanvas::Noise(x * 0.02f + y * 0.3f, y * 0.02f - x * 0.3f, kGrainSeed + 2);
        face = ArtCanvas::Scale(Wood(), 0.7f + 0.35f * wave + 0.2f * woodGrain);
        const float edge = ArtCanvas::SmoothStep(-1.5f, 0.0f, d) + 1.0f - ArtCanvas::SmoothStep(-rim, -rim + 1.5f, d);
        face = ArtCanvas::Mix(face, WoodDark(), 0.7f * ArtCanvas::Clamp01(edge));
        const float lit = ArtCanvas::Clamp01(y / std::max(height * 0.5f, 1.0f));
        face = ArtCanvas::Mix(face, Honey(), 0.25f * lit * wave);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuStyle::Button(float x, float y, float width, float height, State state)
{
    const float radius = height * 0.5f;
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    const float shadowDrop = state == State::kPressed ? 1.0f : 4.0f;
    const ArtColor shadow = Shadow(RoundedBoxDistance(x, y + shadowDrop, width, height, radius), 6.0f, 0.5f);
    if (d > 0.5f) {
        return shadow;
    }
    const float t = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
    ArtColor face = ArtCanvas::Scale(StateColor(state), 0.78f + 0.4f * t);
    // A glossy band over the upper half, narrower than the face.
    const float gloss = RoundedBoxDistance(x, y - height * 0.22f, width - height * 0.5f, height * 0.42f, height * 0.2f);
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.95f, 1.0f}, 0.32f * Coverage(gloss) * t);
    // Dark outline and, for the pointer's button, a honey glow inside it.
    const float outline = ArtCanvas::SmoothStep(-3.0f, -1.5f, d);
    face = ArtCanvas::Mix(face, WoodDark(), 0.85f * outline);
    if (state == State::kHover) {
        const float glow = 1.0f - ArtCanvas::SmoothStep(2.0f, 6.0f, std::fabs(d + 4.5f));
        face = ArtCanvas::Mix(face, Honey(), 0.6f * glow);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuStyle::Field(float x, float y, float width, float height, const ArtColor& face)
{
    const float radius = std::min(height * 0.5f, 14.0f);
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    if (d > 0.5f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    // Sunk: the upper inside edge in shade, the lower one catching light.
    const float inner = RoundedBoxDistance(x, y + 3.0f, width, height, radius);
    ArtColor color = ArtCanvas::Mix(face, WoodDark(), 0.45f * ArtCanvas::SmoothStep(-6.0f, 0.0f, inner));
    color = ArtCanvas::Mix(color, WoodDark(), 0.9f * ArtCanvas::SmoothStep(-2.5f, -1.0f, d));
    return ArtCanvas::WithAlpha(color, Coverage(d));
}

std::uint32_t MenuStyle::PixelsFor(float units)
{
    return std::max<std::uint32_t>(4, static_cast<std::uint32_t>(std::lround(units * kTexelsPerUnit)));
}

ArtMesh MenuStyle::Quad(float left, float bottom, float width, float height, float u0, float v0, float u1, float v1)
{
    ArtMesh mesh;
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    const std::uint32_t a = mesh.AddVertex(Vector3(left, bottom, 0.0f), u0, v0, normal);
    const std::uint32_t b = mesh.AddVertex(Vector3(left + width, bottom, 0.0f), u1, v0, normal);
    const std::uint32_t c = mesh.AddVertex(Vector3(left + width, bottom + height, 0.0f), u1, v1, normal);
    const std::uint32_t d = mesh.AddVertex(Vector3(left, bottom + height, 0.0f), u0, v1, normal);
    mesh.AddQuad(a, b, c, d);
    return mesh;
}

std::vector<std::uint8_t> MenuStyle::BuildGuiModel(const std::vector<ArtMesh>& frames, float framesPerSecond)
{
    return ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kGuiFlags, framesPerSecond));
}

std::vector<std::vector<std::uint8_t>> MenuStyle::BuildTexturedModel(const std::vector<ArtMesh>& frames,
                                                                     float framesPerSecond, const ArtCanvas& canvas,
                                                                     const std::string& texture)
{
    return {BuildGuiModel(frames, framesPerSecond),
            ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg"), canvas.BuildColorJpeg(),
            canvas.BuildAlphaJpeg()};
}

std::vector<std::string> MenuStyle::TexturedModelPaths(const std::string& stem, const std::string& texture)
{
    return {"data\\" + stem + ".mlf", "data\\" + stem + ".srf", "data\\" + texture + ".jpg",
            "data\\" + texture + "_alpha.jpg"};
}

} // namespace Content
