#include "content/MenuDarkStyle.h"

#include <algorithm>
#include <cmath>

#include "content/ShaderFileWriter.h"

namespace Content {

namespace {

constexpr std::uint32_t kGrainSeed = 5303;
constexpr std::uint32_t kStageMipMapped = 1;
constexpr std::uint32_t kAnimationGrid = 1;
constexpr std::uint32_t kAlphaBlend = 1;
constexpr std::uint32_t kBlendSourceAlpha = 4;
constexpr std::uint32_t kBlendInverseSourceAlpha = 5;

// The palette, read once: the painters run for every pixel.
struct Palette
{
    ArtColor wood = MenuStyle::Wood();
    ArtColor woodDark = MenuStyle::WoodDark();
    ArtColor honey = MenuStyle::Honey();
    ArtColor walnut = MenuDarkStyle::Walnut();
    ArtColor walnutDeep = MenuDarkStyle::WalnutDeep();
};

const Palette& Colors()
{
    static const Palette palette;
    return palette;
}
} // namespace

ArtColor MenuDarkStyle::Walnut()
{
    return ArtCanvas::Rgb(0x3b2816);
}

ArtColor MenuDarkStyle::WalnutDeep()
{
    return ArtCanvas::Rgb(0x24170b);
}

ArtColor MenuDarkStyle::Shadow(float d, float spread, float strength)
{
    return ArtColor{0.06f, 0.04f, 0.02f, strength * (1.0f - ArtCanvas::SmoothStep(-spread * 0.3f, spread, d))};
}

float MenuDarkStyle::Coverage(float d)
{
    return ArtCanvas::Clamp01(0.5f - d);
}

ArtColor MenuDarkStyle::ButtonFace(MenuStyle::State state)
{
    switch (state) {
    case MenuStyle::State::kHover:
        return ArtCanvas::Rgb(0x3f7a22);
    case MenuStyle::State::kPressed:
        return ArtCanvas::Rgb(0x234714);
    case MenuStyle::State::kDisabled:
        return ArtCanvas::Rgb(0x4c4a42);
    case MenuStyle::State::kNormal:
        break;
    }
    return ArtCanvas::Rgb(0x2f5e1a);
}

ArtColor MenuDarkStyle::CarvedPanel(float d, float y, float height, float rim, const Grain& grain,
                                    const ArtColor& shadow)
{
    const Palette& c = Colors();
    if (d > 0.5f) {
        return shadow;
    }
    ArtColor face;
    if (d < -rim) {
        // Walnut, deeper toward the rim, with a faint grain.
        const float inner = ArtCanvas::SmoothStep(-rim - 60.0f, -rim, d);
        const float noise = ArtCanvas::Noise(grain.faceX, grain.faceY, grain.seed);
        face = ArtCanvas::Mix(c.walnut, c.walnutDeep, 0.15f + 0.6f * inner + 0.25f * noise);
        // A honey line just inside the rim.
        const float line = 1.0f - ArtCanvas::SmoothStep(0.7f, 1.8f, std::fabs(d + rim + 5.0f));
        face = ArtCanvas::Mix(face, c.honey, 0.8f * line);
    } else {
        // Carved wood: a rounded bead lit from above.
        const float across = (d + rim) / std::max(rim, 1.0f);
        const float bead = std::sin(ArtCanvas::Clamp01(across) * 3.14159f);
        const float woodGrain = ArtCanvas::Noise(grain.woodX, grain.woodY, grain.seed + 1);
        face = ArtCanvas::Scale(c.wood, 0.65f + 0.4f * bead + 0.2f * woodGrain);
        const float edge = ArtCanvas::SmoothStep(-1.5f, 0.0f, d) + 1.0f - ArtCanvas::SmoothStep(-rim, -rim + 1.5f, d);
        face = ArtCanvas::Mix(face, c.woodDark, 0.75f * ArtCanvas::Clamp01(edge));
        const float lit = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
        face = ArtCanvas::Mix(face, c.honey, 0.3f * lit * bead);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuDarkStyle::Panel(float x, float y, float width, float height, float radius, float rim)
{
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    // The grain runs along x.
    const Grain grain{x * 0.01f, y * 0.12f, x * 0.02f + y * 0.3f, y * 0.02f - x * 0.3f, kGrainSeed};
    return CarvedPanel(d, y, height, rim, grain,
                       Shadow(MenuStyle::RoundedBoxDistance(x - 4.0f, y + 8.0f, width, height, radius), 14.0f, 0.5f));
}

ArtColor MenuDarkStyle::Button(float x, float y, float width, float height, float radius, MenuStyle::State state)
{
    const Palette& c = Colors();
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    const float drop = state == MenuStyle::State::kPressed ? 1.0f : 3.0f;
    const ArtColor shadow = Shadow(MenuStyle::RoundedBoxDistance(x, y + drop, width, height, radius), 5.0f, 0.55f);
    if (d > 0.5f) {
        return shadow;
    }
    // Lit from above, a faint sheen along the top edge only: the caption sits
    // on the middle of the face.
    const float t = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
    ArtColor face = ArtCanvas::Scale(ButtonFace(state), 0.85f + 0.3f * t);
    const float sheen = 1.0f - ArtCanvas::SmoothStep(0.0f, height * 0.18f, height * 0.5f - 3.0f - y);
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.9f, 1.0f},
                          0.18f * sheen * ArtCanvas::SmoothStep(-8.0f, -4.0f, -std::fabs(x) + width * 0.5f - 8.0f));
    // A honey rim, brighter under the pointer, over a dark outline.
    const float rimWidth = state == MenuStyle::State::kHover ? 3.5f : 2.5f;
    const float rimLine = ArtCanvas::SmoothStep(-rimWidth - 2.0f, -rimWidth - 0.5f, d);
    const ArtColor rimColor = state == MenuStyle::State::kDisabled ? MenuStyle::Stone() : c.honey;
    face = ArtCanvas::Mix(face, rimColor, (state == MenuStyle::State::kHover ? 0.95f : 0.7f) * rimLine);
    face = ArtCanvas::Mix(face, c.woodDark, 0.9f * ArtCanvas::SmoothStep(-1.6f, -0.4f, d));
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuDarkStyle::Field(float x, float y, float width, float height, float radius)
{
    const Palette& c = Colors();
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    if (d > 0.5f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    // Sunk: shade under the upper edge, a honey lip catching light below.
    const float inner = MenuStyle::RoundedBoxDistance(x, y + 4.0f, width, height, radius);
    ArtColor color = ArtCanvas::Mix(c.walnutDeep, ArtColor{0.0f, 0.0f, 0.0f, 1.0f},
                                    0.5f * ArtCanvas::SmoothStep(-8.0f, 0.0f, inner));
    const float lip = ArtCanvas::SmoothStep(-3.5f, -1.5f, d) * ArtCanvas::Clamp01(0.5f - y / std::max(height, 1.0f));
    color = ArtCanvas::Mix(color, c.honey, 0.55f * lip);
    color = ArtCanvas::Mix(color, c.woodDark, 0.8f * ArtCanvas::SmoothStep(-1.5f, -0.3f, d));
    return ArtCanvas::WithAlpha(color, Coverage(d));
}

std::vector<std::vector<std::uint8_t>> MenuDarkStyle::BuildPlainModel(const MenuLayout::Box& box)
{
    const ArtMesh quad = MenuStyle::Quad(box.left, box.bottom, box.width, box.height);
    return {MenuStyle::BuildGuiModel({quad}), ShaderFileWriter().Build().GetBytes()};
}

std::vector<std::string> MenuDarkStyle::PlainModelPaths(const std::string& stem)
{
    return {"data\\" + stem + ".mlf", "data\\" + stem + ".srf"};
}

std::vector<std::vector<std::uint8_t>> MenuDarkStyle::BuildGridLook(const MenuLayout::Box& box, std::uint32_t states,
                                                                    const ArtCanvas& canvas, const std::string& texture)
{
    // Each state's cell shows its part of the stored cell.
    const MenuStyle::StoredPicture stored = MenuStyle::StorePicture(canvas, states);
    const ArtMesh quad =
        MenuStyle::Quad(box.left, box.bottom, box.width, box.height, 0.0f, 0.0f, stored.usedU, stored.usedV);
    ShaderFileWriter shader;
    ShaderFileWriter::Stage stage;
    stage.flags = kStageMipMapped;
    stage.animationMode = kAnimationGrid;
    stage.frameCount = states;
    stage.columns = 1;
    stage.rows = states;
    stage.diffuseFileName = texture + ".jpg";
    stage.opacityFileName = texture + "_alpha.jpg";
    shader.AddStage(stage);
    shader.SetFlags(kAlphaBlend);
    shader.SetBlendFactors(kBlendSourceAlpha, kBlendInverseSourceAlpha);
    return {MenuStyle::BuildGuiModel({quad}), shader.Build().GetBytes(), stored.canvas.BuildColorJpeg(),
            stored.canvas.BuildAlphaJpeg()};
}

} // namespace Content
