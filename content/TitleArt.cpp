#include "content/TitleArt.h"

#include <cmath>
#include <string>

#include "content/ArtLettering.h"
#include "content/ArtPaint.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/FontRasterizer.h"
#include "content/MenuStyle.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "title 2";
constexpr float kFramesPerSecond = 25.0f;

// The sign: its picture (plank and the ropes above it) and where it hangs.
constexpr float kSignWidth = 340.0f;
constexpr float kSignHeight = 76.0f;
constexpr float kSignLeft = 230.0f;
constexpr float kSignBottom = 530.0f;
constexpr float kPlankCentreY = 32.0f;
constexpr float kPlankWidth = 326.0f;
constexpr float kPlankHeight = 52.0f;
constexpr float kSignRopeX = 130.0f;
constexpr float kSignDrop = 110.0f;
constexpr std::uint32_t kTitleLetterPixels = 92;

// The panel: its picture, centre and the width of the end pieces that stay
// whole while it unrolls.
constexpr float kPanelWidth = 536.0f;
constexpr float kPanelHeight = 58.0f;
constexpr float kPanelCentreX = 400.0f;
constexpr float kPanelCentreY = 501.0f;
constexpr float kPanelEnd = 26.0f;
constexpr float kPanelClosedHalf = 34.0f;
constexpr float kPanelHidden = 150.0f;
constexpr float kPanelDrop = 64.0f;
constexpr float kMountRopeX = 150.0f;
constexpr float kRopeWidth = 5.0f;
constexpr float kRopeRepeat = 40.0f;

ArtColor Rgb(std::uint32_t hex)
{
    return ArtCanvas::Rgb(hex);
}

std::string ModelPath(const std::string& name, const char* extension = "mlf")
{
    return std::string("data\\") + TitleArt::kModelFolder + name + "." + extension;
}

std::string TexturePath(const std::string& name)
{
    return std::string(TitleArt::kTextureFolder) + name;
}

// How far above its place the sign hangs at t; it lands at 0.6.
float SignDrop(float t)
{
    return (1.0f - ArtPaint::EaseBack(t / 0.6f)) * kSignDrop;
}

// The panel follows the sign and then slides out from behind it.
float PanelDrop(float t)
{
    return SignDrop(t) + (1.0f - ArtPaint::EaseBack((t - 0.4f) / 0.6f)) * kPanelDrop;
}

ArtColor Rope(float x, float y, float centreX)
{
    const float d = std::fabs(x - centreX) - kRopeWidth * 0.5f;
    const float twist = std::fmod(y + (x - centreX) * 1.2f + 100.0f, 4.0f) < 1.3f ? 0.72f : 1.0f;
    const ArtColor rope = ArtCanvas::Scale(Rgb(0xc8a060), twist * (1.0f - 0.25f * std::fabs(x - centreX) / kRopeWidth));
    return ArtCanvas::WithAlpha(rope, ArtPaint::Coverage(d));
}

ArtColor PaintSign(float x, float y)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    for (const float side : {-1.0f, 1.0f}) {
        if (y > kPlankCentreY) {
            color = ArtCanvas::Over(Rope(x, y, kSignWidth * 0.5f + side * kSignRopeX), color);
        }
    }
    const float px = (x - kSignWidth * 0.5f) * MenuStyle::kTexelsPerUnit;
    const float py = (y - kPlankCentreY) * MenuStyle::kTexelsPerUnit;
    const ArtColor plank =
        MenuStyle::Panel(px, py, kPlankWidth * MenuStyle::kTexelsPerUnit, kPlankHeight * MenuStyle::kTexelsPerUnit,
                         18.0f * MenuStyle::kTexelsPerUnit, 7.0f * MenuStyle::kTexelsPerUnit);
    color = ArtCanvas::Over(plank, color);
    // The brass rings the ropes hold.
    for (const float side : {-1.0f, 1.0f}) {
        const float ring = std::fabs(std::hypot(x - kSignWidth * 0.5f - side * kSignRopeX, y - 55.0f) - 3.5f) - 1.2f;
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(MenuStyle::Honey(), ArtPaint::Coverage(ring)), color);
    }
    return color;
}

// The title's letters: honey to amber, rimmed in dark wood, with a shadow.
ArtColor PaintTitle(float x, float y, const ArtLettering& letters, float height)
{
    const float lx = x * MenuStyle::kTexelsPerUnit - 8.0f;
    const float ly = (height - y) * MenuStyle::kTexelsPerUnit - 6.0f;
    const float shadow = 0.45f * letters.SampleSpread(lx - 3.0f, ly - 4.0f, 5.0f);
    ArtColor color = ArtCanvas::WithAlpha(Rgb(0x2a180a), shadow);
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(MenuStyle::WoodDark(), letters.SampleSpread(lx, ly, 5.0f)), color);
    const ArtColor fill = ArtCanvas::Mix(Rgb(0xffe27a), Rgb(0xe0801c), ArtCanvas::Clamp01(ly / letters.GetHeight()));
    return ArtCanvas::Over(ArtCanvas::WithAlpha(fill, letters.Sample(lx, ly)), color);
}

ArtColor PaintPanel(float x, float y)
{
    const float cx = x - kPanelWidth * 0.5f;
    const float cy = y - kPanelHeight * 0.5f;
    const float w = kPanelWidth - 8.0f;
    const float h = kPanelHeight - 8.0f;
    const float d = MenuStyle::RoundedBoxDistance(cx, cy, w, h, 14.0f);
    const float shadow =
        0.4f *
        (1.0f - ArtCanvas::SmoothStep(-2.0f, 4.0f, MenuStyle::RoundedBoxDistance(cx - 1.5f, cy + 3.0f, w, h, 14.0f)));
    ArtColor color = ArtCanvas::WithAlpha(Rgb(0x1a1008), shadow);
    ArtColor face;
    if (d < -6.0f) {
        face = ArtCanvas::Mix(Rgb(0x24461f), Rgb(0x356a2c), ArtCanvas::Clamp01(0.5f + cy / h));
        face = ArtCanvas::Scale(face, 0.94f + 0.1f * ArtPaint::Fbm(x * 0.08f, y * 0.3f, 71, 2));
        const float line = 1.0f - ArtCanvas::SmoothStep(0.3f, 0.9f, std::fabs(d + 9.0f));
        face = ArtCanvas::Mix(face, MenuStyle::Honey(), 0.7f * line);
    } else {
        const float across = ArtCanvas::Clamp01(-d / 6.0f);
        face = ArtCanvas::Scale(MenuStyle::Wood(), 0.75f + 0.4f * std::sin(across * 3.14159f));
        face = ArtCanvas::Mix(face, MenuStyle::WoodDark(), 0.6f * ArtCanvas::SmoothStep(-1.2f, 0.0f, d));
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, ArtPaint::Coverage(d)), color);
}

// The panel as three quads: the two ends whole, the middle showing as much
// of the picture's middle as the half width allows.
ArtMesh PanelMesh(float halfWidth, float drop)
{
    const float left = kPanelCentreX - halfWidth;
    const float bottom = kPanelCentreY - kPanelHeight * 0.5f + drop;
    const float end = kPanelEnd / kPanelWidth;
    const float middle = (halfWidth - kPanelEnd) / kPanelWidth;
    ArtMesh mesh;
    const auto quad = [&](float x0, float x1, float u0, float u1) {
        const Vector3 normal(0.0f, 0.0f, 1.0f);
        const std::uint32_t a = mesh.AddVertex(Vector3(x0, bottom, 0.0f), u0, 0.0f, normal);
        const std::uint32_t b = mesh.AddVertex(Vector3(x1, bottom, 0.0f), u1, 0.0f, normal);
        const std::uint32_t c = mesh.AddVertex(Vector3(x1, bottom + kPanelHeight, 0.0f), u1, 1.0f, normal);
        const std::uint32_t d = mesh.AddVertex(Vector3(x0, bottom + kPanelHeight, 0.0f), u0, 1.0f, normal);
        mesh.AddQuad(a, b, c, d);
    };
    quad(left, left + kPanelEnd, 0.0f, end);
    quad(left + kPanelEnd, kPanelCentreX + halfWidth - kPanelEnd, 0.5f - middle, 0.5f + middle);
    quad(kPanelCentreX + halfWidth - kPanelEnd, kPanelCentreX + halfWidth, 1.0f - end, 1.0f);
    return mesh;
}

ArtMesh RopeMesh(float t)
{
    const float top = kSignBottom + 6.0f + SignDrop(t);
    const float bottom = std::min(top, kPanelCentreY + kPanelHeight * 0.5f - 6.0f + PanelDrop(t));
    ArtMesh mesh;
    for (const float side : {-1.0f, 1.0f}) {
        const float x = kPanelCentreX + side * kMountRopeX - kRopeWidth;
        ArtMesh rope =
            MenuStyle::Quad(x, bottom, kRopeWidth * 2.0f, top - bottom, 0.0f, 0.0f, 1.0f, (top - bottom) / kRopeRepeat);
        const std::uint32_t first = static_cast<std::uint32_t>(mesh.GetVertexCount());
        for (const auto& vertex : rope.GetVertices()) {
            mesh.AddVertex(vertex.position, vertex.u, vertex.v, vertex.normal);
        }
        mesh.AddQuad(first, first + 1, first + 2, first + 3);
    }
    return mesh;
}

AssetRecipe MakeRecipe(const std::string& name, std::vector<std::string> paths,
                       std::function<AssetRecipe::Outputs()> make)
{
    AssetRecipe recipe;
    recipe.origin = "title: " + name;
    recipe.packPaths = std::move(paths);
    recipe.parameters = kRecipeVersion;
    recipe.make = std::move(make);
    return recipe;
}

AssetRecipe::Outputs MakeTitles()
{
    const ArtLettering letters(FontRasterizer::DejaVuSansBoldPath(), TitleArt::kTitle, kTitleLetterPixels);
    const float width = (letters.GetWidth() + 16.0f) / MenuStyle::kTexelsPerUnit;
    const float height = (letters.GetHeight() + 12.0f) / MenuStyle::kTexelsPerUnit;
    const MenuStyle::StoredPicture stored = MenuStyle::StorePicture(
        MenuStyle::PaintUnits(width, height, [&](float x, float y) { return PaintTitle(x, y, letters, height); }));
    const std::string texture = TexturePath(std::string("title_") + TitleArt::kLanguage);
    AssetRecipe::Outputs outputs;
    const float left = 400.0f - width * 0.5f;
    const float bottom = kSignBottom + kPlankCentreY - height * 0.5f;
    for (std::uint32_t k = 0; k < TitleArt::kTitleCount; ++k) {
        const float s0 = static_cast<float>(k) / TitleArt::kTitleCount;
        const float s1 = static_cast<float>(k + 1) / TitleArt::kTitleCount;
        outputs.push_back(
            MenuStyle::BuildGuiModel({MenuStyle::Quad(left + width * s0, bottom, width * (s1 - s0), height,
                                                      s0 * stored.usedU, 0.0f, s1 * stored.usedU, stored.usedV)}));
        outputs.push_back(ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg"));
    }
    outputs.push_back(stored.canvas.BuildColorJpeg());
    outputs.push_back(stored.canvas.BuildAlphaJpeg());
    const std::string list = "// How many title pictures the menu background shows in this language.\n" +
                             std::to_string(TitleArt::kTitleCount) + "\n";
    outputs.emplace_back(list.begin(), list.end());
    return outputs;
}

std::vector<std::string> TitlePaths()
{
    std::vector<std::string> paths;
    const std::string stem = std::string("title_") + TitleArt::kLanguage;
    for (std::uint32_t k = 0; k < TitleArt::kTitleCount; ++k) {
        paths.push_back(ModelPath(stem + "_" + std::to_string(k)));
        paths.push_back(ModelPath(stem + "_" + std::to_string(k), "srf"));
    }
    paths.push_back("data\\" + TexturePath(stem) + ".jpg");
    paths.push_back("data\\" + TexturePath(stem) + "_alpha.jpg");
    paths.push_back(std::string("data\\") + TitleArt::kModelFolder + stem + ".ini");
    return paths;
}

std::vector<std::string> TexturedPaths(const std::string& name)
{
    return MenuStyle::TexturedModelPaths(std::string(TitleArt::kModelFolder) + name, TexturePath(name));
}

} // namespace

void TitleArt::AddRecipes(DataSetBuilder& builder)
{
    builder.Add(MakeRecipe("mount_title", TexturedPaths("mount_title"), [] {
        const std::vector<ArtMesh> frames = ArtPaint::KeyFrames(kMountFrames, [](float t) {
            return MenuStyle::Quad(kSignLeft, kSignBottom + SignDrop(t), kSignWidth, kSignHeight);
        });
        return MenuStyle::BuildTexturedModel(frames, kFramesPerSecond,
                                             MenuStyle::PaintUnits(kSignWidth, kSignHeight, PaintSign),
                                             TexturePath("mount_title"));
    }));
    AssetRecipe titles = MakeRecipe("title pictures", TitlePaths(), MakeTitles);
    titles.inputFiles = {FontRasterizer::DejaVuSansBoldPath()};
    builder.Add(std::move(titles));
    builder.Add(MakeRecipe("mount_text", TexturedPaths("mount_text"), [] {
        // The rope's picture repeats along it, so it fills its texture whole.
        const ArtCanvas rope = ArtPaint::PaintUnits(kRopeWidth * 2.0f, kRopeRepeat,
                                                    [](float x, float y) { return Rope(x, y, kRopeWidth); });
        const std::string texture = TexturePath("mount_text");
        return AssetRecipe::Outputs{
            MenuStyle::BuildGuiModel(ArtPaint::KeyFrames(kMountFrames, RopeMesh), kFramesPerSecond),
            ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg", false, true), rope.BuildColorJpeg(),
            rope.BuildAlphaJpeg()};
    }));
    // The panel's picture is the title area's own.
    builder.Add(MakeRecipe("text_appear", {ModelPath("text_appear"), ModelPath("text_appear", "srf")}, [] {
        // Narrow enough to hide behind the sign until it comes out and unrolls.
        float usedU = 1.0f;
        float usedV = 1.0f;
        MenuStyle::GetStoredShare(MenuStyle::PixelsFor(kPanelWidth), MenuStyle::PixelsFor(kPanelHeight), usedU, usedV);
        const std::vector<ArtMesh> frames = ArtPaint::KeyFrames(kMountFrames, [&](float t) {
            const float open = ArtPaint::EaseOut((t - 0.4f) / 0.6f);
            return MenuStyle::ScaleTextureCoordinates(
                PanelMesh(kPanelHidden + (kPanelWidth * 0.5f - kPanelHidden) * open, PanelDrop(t)), usedU, usedV);
        });
        return AssetRecipe::Outputs{
            MenuStyle::BuildGuiModel(frames, kFramesPerSecond),
            ArtMesh::BuildTextureShader(TexturePath("text") + ".jpg", TexturePath("text") + "_alpha.jpg")};
    }));
    builder.Add(MakeRecipe("text", TexturedPaths("text"), [] {
        const std::vector<ArtMesh> frames = ArtPaint::KeyFrames(kTextFrames, [](float t) {
            return PanelMesh(kPanelClosedHalf + (kPanelWidth * 0.5f - kPanelClosedHalf) * ArtPaint::EaseOut(t), 0.0f);
        });
        return MenuStyle::BuildTexturedModel(frames, kFramesPerSecond,
                                             MenuStyle::PaintUnits(kPanelWidth, kPanelHeight, PaintPanel),
                                             TexturePath("text"));
    }));
    // Only the area's bounds are used; its shader names the panel's picture,
    // which is loaded anyway, so that loading the model finds everything it names.
    builder.Add(MakeRecipe("text_area", {ModelPath("text_area"), ModelPath("text_area", "srf")}, [] {
        return AssetRecipe::Outputs{
            MenuStyle::BuildGuiModel(
                {MenuStyle::Quad(kTextAreaLeft, kTextAreaBottom, kTextAreaWidth, kTextAreaHeight)}),
            ArtMesh::BuildTextureShader(TexturePath("text") + ".jpg", TexturePath("text") + "_alpha.jpg")};
    }));
}

} // namespace Content
