#include "content/IntroArt.h"

#include <cmath>

#include "content/ArtLettering.h"
#include "content/ArtPaint.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/FontRasterizer.h"
#include "content/MenuStyle.h"
#include "content/TitleArt.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "introduction 2";
constexpr float kPi = 3.14159265f;

// The garland: a strip along the top of the screen with a tendril hanging
// down each side.
constexpr float kGarlandHeight = 110.0f;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// The emblem as designed (units) and the scale it is shown at, centred at
// (kEmblemX, kEmblemY): its picture is painted at the size it is shown.
constexpr float kEmblemWidth = 360.0f;
constexpr float kEmblemHeight = 220.0f;
constexpr float kEmblemScale = 0.42f;
constexpr float kEmblemX = 714.0f;
constexpr float kEmblemY = 58.0f;
constexpr float kStudioLetterHeight = 32.0f;

ArtColor Rgb(std::uint32_t hex)
{
    return ArtCanvas::Rgb(hex);
}

ArtColor Leaf(float x, float y, float cx, float cy, float angle, float size, const ArtColor& under)
{
    const float dx = x - cx;
    const float dy = y - cy;
    const float along = dx * std::cos(angle) + dy * std::sin(angle);
    const float across = -dx * std::sin(angle) + dy * std::cos(angle);
    const float d = ArtPaint::EllipseDistance(along - size * 0.5f, across, size * 0.55f, size * 0.26f);
    const ArtColor green = ArtCanvas::Mix(Rgb(0x3f7422), Rgb(0x84c84e), ArtCanvas::Clamp01(0.5f + across / size));
    const float vein = 1.0f - ArtCanvas::SmoothStep(0.3f, 0.9f, std::fabs(across));
    const ArtColor leaf = ArtCanvas::Mix(green, Rgb(0x2f5a1a), 0.5f * vein);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(leaf, ArtPaint::Coverage(d)), under);
}

ArtColor Blossom(float x, float y, float cx, float cy, float radius, const ArtColor& petal, const ArtColor& under)
{
    const float dx = x - cx;
    const float dy = y - cy;
    const float r = std::hypot(dx, dy);
    const float d = r - radius * (0.7f + 0.3f * std::cos(5.0f * std::atan2(dy, dx)));
    ArtColor color = ArtCanvas::Over(ArtCanvas::WithAlpha(petal, ArtPaint::Coverage(d)), under);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(MenuStyle::Honey(), ArtPaint::Coverage(r - radius * 0.3f)), color);
}

// Leaves every step units along a stem, alternating sides; the stem runs
// along "along", "across" is the distance from it, and angle points the
// leaves away from the stem's direction.
ArtColor Vine(float x, float y, float along, float across, float step, float direction, const ArtColor& under)
{
    ArtColor color =
        ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x5a6a24), ArtPaint::Coverage(std::fabs(across) - 1.4f)), under);
    const float nearest = std::floor(along / step);
    for (float k = nearest - 1.0f; k <= nearest + 1.0f; k += 1.0f) {
        const float side = std::fmod(std::fabs(k), 2.0f) < 0.5f ? 1.0f : -1.0f;
        const float offset = along - (k + 0.5f) * step;
        // The leaf's base on the stem, in picture coordinates.
        const float baseX = x - offset * std::cos(direction) + across * std::sin(direction);
        const float baseY = y - offset * std::sin(direction) - across * std::cos(direction);
        color = Leaf(x, y, baseX, baseY, direction + side * 0.9f, 13.0f, color);
    }
    return color;
}

float GarlandStem(float x)
{
    return kGarlandHeight - 16.0f + 5.0f * std::sin(x * 0.045f);
}

float TendrilStem(float y)
{
    return 13.0f + 5.0f * std::sin(y * 0.07f);
}

ArtColor PaintGarland(float x, float y)
{
    ArtColor color = Vine(x, y, x, y - GarlandStem(x), 17.0f, 0.0f, ArtColor{0.0f, 0.0f, 0.0f, 0.0f});
    // Tendrils down both sides: the right one is the left one's mirror image.
    const float side = x < kScreenWidth * 0.5f ? x : kScreenWidth - x;
    if (side < 40.0f && y < GarlandStem(side)) {
        color = Vine(side, y, -y, side - TendrilStem(y), 19.0f, -0.5f * kPi, color);
    }
    const ArtColor petals[] = {Rgb(0xf07aa0), Rgb(0xfaf6ec), Rgb(0xb48ae0)};
    for (int i = 0; i < 12; ++i) {
        const float bx = 34.0f + 66.0f * static_cast<float>(i);
        color = Blossom(x, y, bx, GarlandStem(bx) - 2.0f, 6.5f, petals[i % 3], color);
    }
    for (const float by : {30.0f, 66.0f}) {
        color = Blossom(side, y, TendrilStem(by), by, 5.5f, petals[x < kScreenWidth * 0.5f ? 1 : 0], color);
    }
    return color;
}

// The studio's emblem: a quill crossing a round seal, the studio's name
// below. x and y are units of the shown picture; shapes are designed at full
// size, the name is set at the shown size.
ArtColor PaintEmblem(float x, float y, const ArtLettering& name)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    const auto over = [&](const ArtColor& paint, float distance) {
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(paint, ArtPaint::Coverage(distance * kEmblemScale)), color);
    };
    const float cx = x / kEmblemScale - kEmblemWidth * 0.5f;
    const float cy = y / kEmblemScale - 138.0f;
    const float r = std::hypot(cx, cy);
    over(ArtCanvas::WithAlpha(Rgb(0x1a1008), 0.35f), r - 76.0f); // shadow
    over(MenuStyle::WoodDark(), r - 72.0f);
    over(ArtCanvas::Mix(MenuStyle::Honey(), Rgb(0xfff0b8), ArtCanvas::Clamp01(0.5f + cy / 140.0f)), r - 69.0f);
    over(MenuStyle::WoodDark(), r - 61.0f);
    const ArtColor deep = ArtCanvas::Mix(Rgb(0x1d5a5c), Rgb(0x2f8a86), ArtCanvas::Clamp01(0.5f + cy / 120.0f));
    over(deep, r - 59.0f);
    // The quill, leaning right, its vane a long blade with barbs.
    const float angle = 0.85f;
    const float along = cx * std::cos(angle) + cy * std::sin(angle);
    const float across = -cx * std::sin(angle) + cy * std::cos(angle);
    const float vane = ArtPaint::EllipseDistance(along - 6.0f, across - 2.0f, 50.0f, 13.0f);
    const float barbs = 0.12f * std::sin(along * 0.9f + across * 0.4f);
    over(ArtCanvas::Mix(Rgb(0xfaf6ec), Rgb(0xd8e8e0), ArtCanvas::Clamp01(0.5f - across / 26.0f + barbs)),
         std::max(vane, -along - 30.0f));
    over(MenuStyle::WoodDark(), std::max(std::fabs(across) - 2.0f, std::max(-along - 54.0f, along - 50.0f)));
    // The nib, dipped in honey ink.
    over(MenuStyle::Honey(),
         std::max(std::fabs(across) - (along + 54.0f) * 0.18f, std::max(-along - 62.0f, along + 46.0f)));
    // A ring of small stars in the seal.
    for (int i = 0; i < 8; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 8.0f;
        over(Rgb(0xfff0b8), std::hypot(cx - 48.0f * std::cos(a), cy - 48.0f * std::sin(a)) - 3.0f);
    }
    // The name: cream letters with a dark rim.
    const float shownWidth = kEmblemWidth * kEmblemScale;
    const float lx =
        (x - (shownWidth - name.GetWidth() / MenuStyle::kTexelsPerUnit) * 0.5f) * MenuStyle::kTexelsPerUnit;
    const float ly = (58.0f * kEmblemScale - y) * MenuStyle::kTexelsPerUnit;
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(MenuStyle::WoodDark(), name.SampleSpread(lx, ly, 2.0f)), color);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0xfff4d6), name.Sample(lx, ly)), color);
}

// The garland drops from above the screen.
std::vector<ArtMesh> GarlandFrames()
{
    return ArtPaint::KeyFrames(IntroArt::kOpeningFrames, [](float t) {
        const float drop = (1.0f - ArtPaint::EaseBack(t)) * (kGarlandHeight + 10.0f);
        return MenuStyle::Quad(0.0f, kScreenHeight - kGarlandHeight + drop, kScreenWidth, kGarlandHeight);
    });
}

// The emblem pops up in its corner, a little too big at first.
std::vector<ArtMesh> EmblemFrames()
{
    return ArtPaint::KeyFrames(IntroArt::kOpeningFrames, [](float t) {
        const float scale = 0.2f + 0.8f * ArtPaint::EaseBack(t);
        const float w = kEmblemWidth * kEmblemScale * scale;
        const float h = kEmblemHeight * kEmblemScale * scale;
        return MenuStyle::Quad(kEmblemX - w * 0.5f, kEmblemY - h * 0.5f, w, h);
    });
}

AssetRecipe MakeRecipe(const std::string& name, std::function<AssetRecipe::Outputs()> make)
{
    AssetRecipe recipe;
    recipe.origin = "introduction: " + name;
    recipe.packPaths = MenuStyle::TexturedModelPaths(std::string(TitleArt::kModelFolder) + name,
                                                     std::string(TitleArt::kTextureFolder) + name);
    recipe.parameters = kRecipeVersion;
    recipe.make = std::move(make);
    return recipe;
}

} // namespace

void IntroArt::AddRecipes(DataSetBuilder& builder)
{
    builder.Add(MakeRecipe("frame", [] {
        return MenuStyle::BuildTexturedModel(GarlandFrames(), 25.0f,
                                             MenuStyle::PaintUnits(kScreenWidth, kGarlandHeight, PaintGarland),
                                             std::string(TitleArt::kTextureFolder) + "frame");
    }));
    AssetRecipe logo = MakeRecipe("logo", [] {
        const ArtLettering name(
            FontRasterizer::DejaVuSansBoldPath(), "QUORVANE GAMES",
            static_cast<std::uint32_t>(std::lround(kStudioLetterHeight * kEmblemScale * MenuStyle::kTexelsPerUnit)));
        const ArtCanvas canvas = MenuStyle::PaintUnits(kEmblemWidth * kEmblemScale, kEmblemHeight * kEmblemScale,
                                                       [&](float x, float y) { return PaintEmblem(x, y, name); });
        return MenuStyle::BuildTexturedModel(EmblemFrames(), 25.0f, canvas,
                                             std::string(TitleArt::kTextureFolder) + "logo");
    });
    logo.inputFiles = {FontRasterizer::DejaVuSansBoldPath()};
    builder.Add(std::move(logo));
}

} // namespace Content
