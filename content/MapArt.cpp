#include "content/MapArt.h"

#include <cmath>
#include <string>
#include <vector>

#include "content/ArtShapes.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "map art 2";
constexpr const char* kModels = "ui\\menus\\map\\models\\";
constexpr const char* kTextures = "ui\\menus\\map\\textures\\";
// The picture holds the six frames' cells in two rows of four.
constexpr std::uint32_t kColumns = 4;
constexpr std::uint32_t kRows = 2;

enum Frame : std::uint32_t
{
    kAhead,
    kPassed,
    kHighlighted,
    kChosen,
    kLocked,
    kShadow
};

enum class Icon
{
    kFlag,
    kStar,
    kFlower,
    kDot,
    kSparkle
};

struct Element
{
    const char* name;
    // The token's side in menu units.
    float units;
    // The disc's radius as a share of the half side; the icon scales with it.
    float disc;
    Icon icon;
    // Places wear their state as a badge beside the icon; path pieces, too
    // small for one, show it instead of the icon.
    bool badge;
};

// Places are large enough to click at 800 x 600 and small enough that no two
// tokens of the campaign's map overlap; a path piece chosen grows a little.
const Element kElements[] = {
    {"start", 48.0f, 0.74f, Icon::kFlag, true},
    {"finish", 48.0f, 0.74f, Icon::kStar, true},
    {"check_point", 48.0f, 0.74f, Icon::kFlower, true},
    {"path", 28.0f, 0.72f, Icon::kDot, false},
    {"path_check_point", 36.0f, 0.7f, Icon::kSparkle, false},
};

using Point = ArtShapes::Point;

// Signed distance to the icon, in units of the disc's radius.
float IconDistance(Icon icon, float x, float y)
{
    switch (icon) {
    case Icon::kFlag: {
        static const std::vector<Point> pennant = {{-0.22f, 0.58f}, {0.52f, 0.32f}, {-0.22f, 0.06f}};
        const float pole = ArtShapes::SegmentDistance(x, y, Point{-0.28f, -0.52f}, Point{-0.28f, 0.6f}) - 0.08f;
        return std::fmin(pole, ArtShapes::PolygonDistance(x, y, pennant));
    }
    case Icon::kStar: {
        static const std::vector<Point> star = ArtShapes::Star(5, 0.66f, 0.28f);
        return ArtShapes::PolygonDistance(x, y + 0.04f, star) - 0.03f;
    }
    case Icon::kFlower: {
        float d = 1e9f;
        for (int petal = 0; petal < 5; ++petal) {
            const float angle = 1.5707963f + 1.2566371f * static_cast<float>(petal);
            d = std::fmin(d, std::hypot(x - 0.34f * std::cos(angle), y - 0.34f * std::sin(angle)) - 0.22f);
        }
        return d;
    }
    case Icon::kDot:
        return std::hypot(x, y) - 0.3f;
    case Icon::kSparkle: {
        static const std::vector<Point> sparkle = ArtShapes::Star(4, 0.62f, 0.2f);
        return ArtShapes::PolygonDistance(x, y, sparkle);
    }
    }
    return 1e9f;
}

struct Palette
{
    ArtColor face;
    ArtColor icon;
    ArtColor rim;
};

// Ahead is the garden's leaf green, passed a warm honey gold, the pointer's
// a light green, the chosen place bright honey, a locked one cold stone.
Palette PaletteFor(std::uint32_t frame)
{
    switch (frame) {
    case kPassed:
        return {ArtCanvas::Rgb(0xd9a640), MenuStyle::WoodDark(), MenuStyle::WoodDark()};
    case kHighlighted:
        return {MenuStyle::LeafLight(), MenuStyle::Parchment(), MenuStyle::Honey()};
    case kChosen:
        return {MenuStyle::Honey(), MenuStyle::WoodDark(), MenuStyle::WoodDark()};
    case kLocked:
        return {ArtCanvas::Rgb(0x8f8f86), ArtCanvas::Rgb(0xc4c4bc), ArtCanvas::Rgb(0x55554e)};
    default:
        return {MenuStyle::Leaf(), MenuStyle::Parchment(), MenuStyle::WoodDark()};
    }
}

// A tick, in units of its size round its centre.
float TickDistance(float x, float y)
{
    return std::fmin(ArtShapes::SegmentDistance(x, y, Point{-0.42f, 0.02f}, Point{-0.12f, -0.3f}),
                     ArtShapes::SegmentDistance(x, y, Point{-0.12f, -0.3f}, Point{0.44f, 0.36f})) -
           0.12f;
}

// A padlock: its body and the shackle above it.
float PadlockDistance(float x, float y)
{
    const float body = MenuStyle::RoundedBoxDistance(x, y + 0.2f, 0.86f, 0.62f, 0.12f);
    const float ring = std::fabs(std::hypot(x, y - 0.12f) - 0.27f) - 0.09f;
    const float shackle = y > 0.12f ? ring : std::fmax(std::fabs(std::fabs(x) - 0.27f) - 0.09f, y - 0.12f);
    const float keyhole = std::hypot(x, y + 0.14f) - 0.09f;
    return std::fmax(std::fmin(body, shackle), -keyhole);
}

// The state's mark: a tick once passed, a padlock while locked.
float StateMarkDistance(std::uint32_t frame, float x, float y)
{
    if (frame == kPassed) {
        return TickDistance(x, y);
    }
    if (frame == kLocked) {
        return PadlockDistance(x, y);
    }
    return 1e9f;
}

// A disc lit from the upper left with a soft gloss, its icon inked on it.
ArtColor Disc(const Palette& palette, float x, float y, float r, float d, float icon, float pixel)
{
    ArtColor face = ArtCanvas::Scale(palette.face, 0.86f + 0.2f * (y - x * 0.5f) / r);
    const float gloss = std::hypot(x + 0.3f * r, y - 0.35f * r) - 0.45f * r;
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.95f, 1.0f},
                          0.22f * (1.0f - ArtCanvas::SmoothStep(-0.1f, 0.1f, gloss)));
    // The icon, with a thin dark edge so that it holds on a light face.
    face = ArtCanvas::Mix(face, ArtCanvas::Scale(palette.rim, 0.9f),
                          0.6f * ArtShapes::Coverage(std::fabs(icon) - 0.02f, pixel));
    face = ArtCanvas::Mix(face, palette.icon, ArtShapes::Coverage(icon + 0.01f, pixel));
    const float rimWidth = 0.16f * r;
    face = ArtCanvas::Mix(face, palette.rim, ArtCanvas::SmoothStep(-rimWidth - pixel, -rimWidth + pixel, d));
    return ArtCanvas::WithAlpha(face, ArtShapes::Coverage(d, pixel));
}

// The badge a place wears at its lower right: a leaf-green seal with a white
// tick once passed, a stone one with a dark padlock while locked.
ArtColor Badge(std::uint32_t frame, float x, float y, float pixel)
{
    constexpr float kBadgeX = 0.56f;
    constexpr float kBadgeY = -0.56f;
    constexpr float kBadgeRadius = 0.36f;
    const float bx = (x - kBadgeX) / kBadgeRadius;
    const float by = (y - kBadgeY) / kBadgeRadius;
    const float d = std::hypot(bx, by) - 1.0f;
    const float bp = pixel / kBadgeRadius;
    const bool locked = frame == kLocked;
    ArtColor seal = locked ? ArtCanvas::Rgb(0xb4b4aa) : MenuStyle::LeafDark();
    seal = ArtCanvas::Mix(seal, MenuStyle::WoodDark(), ArtCanvas::SmoothStep(-0.2f - bp, -0.2f + bp, d));
    const ArtColor ink = locked ? ArtCanvas::Rgb(0x3a3a34) : ArtColor{1.0f, 1.0f, 0.96f, 1.0f};
    const float mark = StateMarkDistance(frame, bx / 0.75f, by / 0.75f) * 0.75f;
    seal = ArtCanvas::Mix(seal, ink, ArtShapes::Coverage(mark, bp));
    return ArtCanvas::WithAlpha(seal, ArtShapes::Coverage(d, bp));
}

// One cell: x and y run -1 to 1 over it (y up), pixel is a pixel's size there.
ArtColor PaintCell(const Element& element, std::uint32_t frame, float x, float y, float pixel)
{
    const float r = element.disc;
    const float d = std::hypot(x, y) - r;
    if (frame == kShadow) {
        // A soft dark disc: the shadow window lays it a little right and below.
        const float a = 0.5f * (1.0f - ArtCanvas::SmoothStep(-0.1f, 0.12f, d));
        return ArtColor{0.12f, 0.08f, 0.03f, a};
    }
    ArtColor out{0.0f, 0.0f, 0.0f, 0.0f};
    // The pointer's place and the chosen one glow; the chosen one also wears a
    // bright ring, so that it reads as "you are here" from across the map.
    if (frame == kHighlighted || frame == kChosen) {
        const float outside = std::fmax(d, 0.0f);
        const float glow = std::exp(-outside * outside / (frame == kChosen ? 0.03f : 0.015f));
        out = ArtColor{1.0f, 0.86f, 0.4f, 0.95f * glow * (1.0f - ArtCanvas::SmoothStep(0.9f - r, 1.0f - r, d))};
    }
    if (frame == kChosen) {
        // A honey ring edged in dark wood, clear of the disc.
        const float ring = std::fabs(d - 0.115f) - 0.045f;
        const ArtColor band =
            ArtCanvas::Mix(MenuStyle::Honey(), MenuStyle::WoodDark(), ArtCanvas::SmoothStep(-0.03f, -0.012f, ring));
        out = ArtCanvas::Over(ArtCanvas::WithAlpha(band, ArtShapes::Coverage(ring, pixel)), out);
    }
    const Palette palette = PaletteFor(frame);
    // A path piece shows its state's mark in place of its dot.
    const float mark = StateMarkDistance(frame, x / r, y / r) * r;
    const float icon = !element.badge && mark < 1e8f ? mark : IconDistance(element.icon, x / r, y / r) * r;
    if (d <= pixel) {
        ArtColor disc = Disc(palette, x, y, r, d, icon, pixel);
        // A locked place is faded into the map, so that open ones stand out.
        if (frame == kLocked) {
            disc.a *= 0.85f;
        }
        out = ArtCanvas::Over(disc, out);
    }
    if (element.badge && (frame == kPassed || frame == kLocked)) {
        out = ArtCanvas::Over(Badge(frame, x, y, pixel), out);
    }
    return out;
}

ArtCanvas PaintElement(const Element& element)
{
    const std::uint32_t cell = MenuStyle::PixelsFor(element.units);
    ArtCanvas canvas(cell * kColumns, cell * kRows);
    // The spare cells stay clear, so that no mip level bleeds them into a frame.
    canvas.Paint([](float, float) { return ArtColor{0.0f, 0.0f, 0.0f, 0.0f}; });
    const float pixel = 2.0f / static_cast<float>(cell);
    for (std::uint32_t frame = 0; frame < MapArt::kFrameCount; ++frame) {
        canvas.PaintRect((frame % kColumns) * cell, (frame / kColumns) * cell, cell, cell, [&](float u, float v) {
            return PaintCell(element, frame, u * 2.0f - 1.0f, v * 2.0f - 1.0f, pixel);
        });
    }
    return canvas;
}

// The same quad in every frame, each frame's texture coordinates on its cell.
std::vector<ArtMesh> ElementFrames(const Element& element)
{
    std::vector<ArtMesh> frames;
    const float half = element.units * 0.5f;
    for (std::uint32_t frame = 0; frame < MapArt::kFrameCount; ++frame) {
        const float column = static_cast<float>(frame % kColumns);
        const float row = static_cast<float>(frame / kColumns);
        const float u0 = column / kColumns;
        const float v1 = 1.0f - row / kRows;
        frames.push_back(MenuStyle::Quad(-half, -half, element.units, element.units, u0, v1 - 1.0f / kRows,
                                         u0 + 1.0f / kColumns, v1));
    }
    return frames;
}

} // namespace

void MapArt::AddRecipes(DataSetBuilder& builder)
{
    for (const Element& element : kElements) {
        AssetRecipe recipe;
        recipe.origin = std::string("map art ") + element.name;
        recipe.parameters = kRecipeVersion;
        recipe.packPaths =
            MenuStyle::TexturedModelPaths(std::string(kModels) + element.name, std::string(kTextures) + element.name);
        recipe.make = [element]() {
            return MenuStyle::BuildTexturedModel(ElementFrames(element), 0.0f, PaintElement(element),
                                                 std::string(kTextures) + element.name);
        };
        builder.Add(std::move(recipe));
    }
}

} // namespace Content
