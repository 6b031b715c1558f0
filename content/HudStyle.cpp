#include "content/HudStyle.h"

#include <algorithm>
#include <cmath>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/ShaderFileWriter.h"

namespace Content {

namespace {

constexpr std::uint32_t kGrainSeed = 5021;
constexpr std::uint32_t kStageNoTexture = 4;
constexpr const char* kPictureFolder = "ui\\menus\\textures\\hud\\";

std::vector<std::uint8_t> AreaShader()
{
    ShaderFileWriter writer;
    ShaderFileWriter::Stage stage;
    stage.flags = kStageNoTexture;
    writer.AddStage(stage);
    return writer.Build().GetBytes();
}

} // namespace

std::string HudStyle::PictureOf(const std::string& picture)
{
    return kPictureFolder + picture;
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
    const MenuDarkStyle::Grain grain{d * 0.05f, y * 0.12f, y * 0.3f, d * 0.3f, kGrainSeed};
    return MenuDarkStyle::CarvedPanel(d, y, height, rim, grain, MenuDarkStyle::Shadow(shadowD, 14.0f, 0.5f));
}

ArtColor HudStyle::Button(float x, float y, float width, float height, float radius, MenuStyle::State state)
{
    const float d = MenuStyle::RoundedBoxDistance(x, y, width, height, radius);
    const float drop = state == MenuStyle::State::kPressed ? 1.0f : 3.0f;
    const ArtColor shadow =
        MenuDarkStyle::Shadow(MenuStyle::RoundedBoxDistance(x, y + drop, width, height, radius), 5.0f, 0.55f);
    if (d > 0.5f) {
        return shadow;
    }
    const float t = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
    ArtColor face = ArtCanvas::Scale(MenuDarkStyle::ButtonFace(state), 0.85f + 0.3f * t);
    // A faint sheen along the top edge only: the caption sits in the middle.
    const float sheen = 1.0f - ArtCanvas::SmoothStep(0.0f, height * 0.18f, height * 0.5f - 3.0f - y);
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.9f, 1.0f}, 0.18f * sheen);
    // Dark edge, and a honey ring round the one under the pointer.
    face = ArtCanvas::Mix(face, MenuDarkStyle::WalnutDeep(), 0.9f * ArtCanvas::SmoothStep(-2.5f, -1.0f, d));
    const float ringWidth = state == MenuStyle::State::kHover ? 2.2f : 1.0f;
    const float ring = 1.0f - ArtCanvas::SmoothStep(ringWidth * 0.5f, ringWidth, std::fabs(d + 4.0f));
    const float ringStrength =
        state == MenuStyle::State::kDisabled ? 0.0f : (state == MenuStyle::State::kHover ? 0.95f : 0.45f);
    face = ArtCanvas::Mix(face, MenuStyle::Honey(), ringStrength * ring);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, MenuDarkStyle::Coverage(d)), shadow);
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
    return ArtCanvas::WithAlpha(color, MenuDarkStyle::Coverage(d));
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
    return MenuStyle::BuildTexturedModel({mesh}, 0.0f, canvas, PictureOf(picture));
}

HudStyle::Outputs HudStyle::BuildBar(const Box& box, bool horizontal, const ArtCanvas& canvas,
                                     const std::string& picture)
{
    const ArtMesh full = MenuStyle::Quad(box.left, box.bottom, box.width, box.height);
    // Empty: the far side laid onto the near one, its picture cut with it.
    const ArtMesh empty = horizontal ? MenuStyle::Quad(box.left, box.bottom, 0.0f, box.height, 0.0f, 0.0f, 0.0f, 1.0f)
                                     : MenuStyle::Quad(box.left, box.bottom, box.width, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    return MenuStyle::BuildTexturedModel({full, empty}, 0.0f, canvas, PictureOf(picture));
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
        for (const Part& part : parts)
            AssetRecipe::Append(outputs, part.make());
        return outputs;
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
