#include "content/HudStyle.h"

#include <algorithm>
#include <cmath>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/ShaderFileWriter.h"

namespace Content {

namespace {

constexpr std::uint32_t kGrainSeed = 5021;
constexpr std::uint32_t kStageMipMapped = 1;
constexpr std::uint32_t kStageNoTexture = 4;
constexpr std::uint32_t kAnimationGrid = 1;
constexpr std::uint32_t kShaderBlended = 1;
constexpr std::uint32_t kBlendSourceAlpha = 4;
constexpr std::uint32_t kBlendInverseSourceAlpha = 5;
constexpr const char* kPictureFolder = "ui\\menus\\textures\\hud\\";

float Coverage(float d)
{
    return ArtCanvas::Clamp01(0.5f - d);
}

ArtColor Shadow(float d, float spread, float strength)
{
    const float a = strength * (1.0f - ArtCanvas::SmoothStep(-spread * 0.3f, spread, d));
    return ArtColor{0.06f, 0.04f, 0.02f, a};
}

ArtColor StateFace(MenuStyle::State state)
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

std::vector<std::uint8_t> AreaShader()
{
    ShaderFileWriter writer;
    ShaderFileWriter::Stage stage;
    stage.flags = kStageNoTexture;
    writer.AddStage(stage);
    return writer.Build().GetBytes();
}

std::vector<std::uint8_t> PictureShader(const std::string& picture, std::uint32_t gridFrames)
{
    ShaderFileWriter writer;
    ShaderFileWriter::Stage stage;
    stage.flags = kStageMipMapped;
    stage.diffuseFileName = picture + ".jpg";
    stage.opacityFileName = picture + "_alpha.jpg";
    if (gridFrames > 1) {
        stage.animationMode = kAnimationGrid;
        stage.frameCount = gridFrames;
        stage.columns = 1;
        stage.rows = gridFrames;
    }
    writer.AddStage(stage);
    writer.SetFlags(kShaderBlended);
    writer.SetBlendFactors(kBlendSourceAlpha, kBlendInverseSourceAlpha);
    return writer.Build().GetBytes();
}

std::string PictureOf(const std::string& picture)
{
    return kPictureFolder + picture;
}

} // namespace

ArtColor HudStyle::Walnut()
{
    return ArtCanvas::Rgb(0x3b2816);
}
ArtColor HudStyle::WalnutDeep()
{
    return ArtCanvas::Rgb(0x24170b);
}
ArtColor HudStyle::ManaLight()
{
    return ArtCanvas::Rgb(0x8fe0ff);
}
ArtColor HudStyle::ManaDeep()
{
    return ArtCanvas::Rgb(0x4a3fc8);
}
ArtColor HudStyle::EnergyLight()
{
    return ArtCanvas::Rgb(0xffe27a);
}
ArtColor HudStyle::EnergyDeep()
{
    return ArtCanvas::Rgb(0xe0701c);
}

float HudStyle::Union(float a, float b, float k)
{
    const float h = ArtCanvas::Clamp01(0.5f + 0.5f * (b - a) / k);
    return b + (a - b) * h - k * h * (1.0f - h);
}

ArtColor HudStyle::Panel(float d, float shadowD, float y, float height, float rim)
{
    const ArtColor shadow = Shadow(shadowD, 14.0f, 0.5f);
    if (d > 0.5f) {
        return shadow;
    }
    ArtColor face;
    if (d < -rim) {
        // Walnut, deeper toward the rim, with a faint grain.
        const float inner = ArtCanvas::SmoothStep(-rim - 60.0f, -rim, d);
        const float grain = ArtCanvas::Noise(d * 0.05f, y * 0.12f, kGrainSeed);
        face = ArtCanvas::Mix(Walnut(), WalnutDeep(), 0.15f + 0.6f * inner + 0.25f * grain);
        // A honey line just inside the rim.
        const float line = 1.0f - ArtCanvas::SmoothStep(0.7f, 1.8f, std::fabs(d + rim + 5.0f));
        face = ArtCanvas::Mix(face, MenuStyle::Honey(), 0.8f * line);
    } else {
        // Carved wood: a rounded bead lit from above.
        const float across = (d + rim) / std::max(rim, 1.0f);
        const float bead = std::sin(ArtCanvas::Clamp01(across) * 3.14159f);
        const float woodGrain = ArtCanvas::Noise(y * 0.3f, d * 0.3f, kGrainSeed + 1);
        face = ArtCanvas::Scale(MenuStyle::Wood(), 0.65f + 0.4f * bead + 0.2f * woodGrain);
        const float edge = ArtCanvas::SmoothStep(-1.5f, 0.0f, d) + 1.0f - ArtCanvas::SmoothStep(-rim, -rim + 1.5f, d);
        face = ArtCanvas::Mix(face, MenuStyle::WoodDark(), 0.75f * ArtCanvas::Clamp01(edge));
        const float lit = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
        face = ArtCanvas::Mix(face, MenuStyle::Honey(), 0.3f * lit * bead);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor HudStyle::Button(float x, float y, float width, float height, float radius, MenuStyle::State state)
{
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    const float drop = state == MenuStyle::State::kPressed ? 1.0f : 3.0f;
    const ArtColor shadow = Shadow(MenuStyle::RoundedBoxDistance(x, y + drop, width, height, radius), 5.0f, 0.55f);
    if (d > 0.5f) {
        return shadow;
    }
    const float t = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
    ArtColor face = ArtCanvas::Scale(StateFace(state), 0.85f + 0.3f * t);
    // A faint sheen along the top edge only: the caption sits in the middle.
    const float sheen = 1.0f - ArtCanvas::SmoothStep(0.0f, height * 0.18f, height * 0.5f - 3.0f - y);
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.9f, 1.0f}, 0.18f * sheen);
    // Dark edge, and a honey ring round the one under the pointer.
    face = ArtCanvas::Mix(face, WalnutDeep(), 0.9f * ArtCanvas::SmoothStep(-2.5f, -1.0f, d));
    const float ringWidth = state == MenuStyle::State::kHover ? 2.2f : 1.0f;
    const float ring = 1.0f - ArtCanvas::SmoothStep(ringWidth * 0.5f, ringWidth, std::fabs(d + 4.0f));
    const float ringStrength =
        state == MenuStyle::State::kDisabled ? 0.0f : (state == MenuStyle::State::kHover ? 0.95f : 0.45f);
    face = ArtCanvas::Mix(face, MenuStyle::Honey(), ringStrength * ring);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor HudStyle::Field(float x, float y, float width, float height, float radius, const ArtColor& face)
{
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    if (d > 0.5f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    // Sunk: shade under the upper inside edge, a light lip along the lower one.
    const float upper = MenuStyle::RoundedBoxDistance(x, y + 4.0f, width, height, radius);
    ArtColor color =
        ArtCanvas::Mix(face, ArtColor{0.0f, 0.0f, 0.0f, 1.0f}, 0.5f * ArtCanvas::SmoothStep(-7.0f, 0.0f, upper));
    const float lip = ArtCanvas::SmoothStep(-3.0f, -1.0f, d) * ArtCanvas::Clamp01(-y / std::max(height * 0.5f, 1.0f));
    color = ArtCanvas::Mix(color, MenuStyle::Honey(), 0.55f * lip);
    color = ArtCanvas::Mix(color, MenuStyle::WoodDark(), 0.9f * ArtCanvas::SmoothStep(-1.5f, -0.5f, d) * (1.0f - lip));
    return ArtCanvas::WithAlpha(color, Coverage(d));
}

float HudStyle::Stroke(float d, float halfWidth)
{
    return ArtCanvas::Clamp01(halfWidth + 0.5f - d);
}

float HudStyle::SegmentDistance(float x, float y, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax;
    const float dy = by - ay;
    const float length = dx * dx + dy * dy;
    const float t = length > 0.0f ? ArtCanvas::Clamp01(((x - ax) * dx + (y - ay) * dy) / length) : 0.0f;
    return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

std::vector<std::string> HudStyle::PlainPaths(const std::string& stem)
{
    return {"data\\" + stem + ".mlf", "data\\" + stem + ".srf"};
}

std::vector<std::string> HudStyle::TexturedPaths(const std::string& stem, const std::string& picture)
{
    return MenuStyle::TexturedModelPaths(stem, PictureOf(picture));
}

HudStyle::Outputs HudStyle::BuildPlain(const Box& box)
{
    return {MenuStyle::BuildGuiModel({MenuStyle::Quad(box.left, box.bottom, box.width, box.height)}), AreaShader()};
}

HudStyle::Outputs HudStyle::BuildTextured(const std::vector<Piece>& pieces, const ArtCanvas& canvas,
                                          const std::string& picture)
{
    ArtMesh mesh;
    const OrrelayEngine::Vector3 normal(0.0f, 0.0f, 1.0f);
    for (const Piece& p : pieces) {
        const Box& b = p.box;
        const std::uint32_t a = mesh.AddVertex(OrrelayEngine::Vector3(b.left, b.bottom, 0.0f), p.u0, p.v0, normal);
        const std::uint32_t c = mesh.AddVertex(OrrelayEngine::Vector3(b.Right(), b.bottom, 0.0f), p.u1, p.v0, normal);
        const std::uint32_t e = mesh.AddVertex(OrrelayEngine::Vector3(b.Right(), b.Top(), 0.0f), p.u1, p.v1, normal);
        const std::uint32_t f = mesh.AddVertex(OrrelayEngine::Vector3(b.left, b.Top(), 0.0f), p.u0, p.v1, normal);
        mesh.AddQuad(a, c, e, f);
    }
    const std::string path = PictureOf(picture);
    return {MenuStyle::BuildGuiModel({mesh}), PictureShader(path, 1), canvas.BuildColorJpeg(), canvas.BuildAlphaJpeg()};
}

HudStyle::Outputs HudStyle::BuildGridLook(const Box& box, std::uint32_t states, const ArtCanvas& canvas,
                                          const std::string& picture)
{
    const std::string path = PictureOf(picture);
    return {MenuStyle::BuildGuiModel({MenuStyle::Quad(box.left, box.bottom, box.width, box.height)}),
            PictureShader(path, states), canvas.BuildColorJpeg(), canvas.BuildAlphaJpeg()};
}

HudStyle::Outputs HudStyle::BuildBar(const Box& box, bool horizontal, const ArtCanvas& canvas,
                                     const std::string& picture)
{
    const ArtMesh full = MenuStyle::Quad(box.left, box.bottom, box.width, box.height);
    // Empty: the far side laid onto the near one, its picture cut with it.
    const ArtMesh empty = horizontal ? MenuStyle::Quad(box.left, box.bottom, 0.0f, box.height, 0.0f, 0.0f, 0.0f, 1.0f)
                                     : MenuStyle::Quad(box.left, box.bottom, box.width, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    const std::string path = PictureOf(picture);
    return {MenuStyle::BuildGuiModel({full, empty}), PictureShader(path, 1), canvas.BuildColorJpeg(),
            canvas.BuildAlphaJpeg()};
}

void HudStyle::AddRecipe(DataSetBuilder& builder, const std::string& origin, const std::string& version,
                         const std::vector<Part>& parts)
{
    AssetRecipe recipe;
    recipe.origin = origin;
    recipe.parameters = version;
    for (const Part& part : parts)
        recipe.packPaths.insert(recipe.packPaths.end(), part.paths.begin(), part.paths.end());
    recipe.make = [parts]() {
        Outputs outputs;
        for (const Part& part : parts) {
            Outputs made = part.make();
            for (auto& output : made)
                outputs.push_back(std::move(output));
        }
        return outputs;
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
