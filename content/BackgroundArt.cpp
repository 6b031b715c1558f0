#include "content/BackgroundArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "content/ArtPaint.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MenuStyle.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "menu background 3";
constexpr const char* kModelFolder = "ui\\menus\\background\\models\\";
constexpr const char* kTextureFolder = "ui\\menus\\background\\textures\\";
constexpr float kPi = 3.14159265f;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// Looping animations: the clouds drift to and fro, the flowers sway, the
// windmill's sails turn a quarter (the cross looks the same after it).
constexpr std::uint32_t kCloudFrames = 48;
constexpr float kCloudFramesPerSecond = 4.0f;
constexpr std::uint32_t kSwayFrames = 24;
constexpr float kSwayFramesPerSecond = 8.0f;
constexpr std::uint32_t kSailFrames = 8;
constexpr float kSailFramesPerSecond = 4.0f;

ArtColor Rgb(std::uint32_t hex, float alpha = 1.0f)
{
    return ArtCanvas::Rgb(hex, alpha);
}

float Square(float x)
{
    return x * x;
}

float Hash(std::uint32_t index, std::uint32_t salt)
{
    return ArtCanvas::Noise(static_cast<float>(index) * 7.13f + 0.5f, static_cast<float>(salt) * 3.71f + 0.5f, 9011);
}

float RectDistance(float x, float y, float left, float bottom, float right, float top)
{
    return MenuStyle::RoundedBoxDistance(x - (left + right) * 0.5f, y - (bottom + top) * 0.5f, right - left,
                                         top - bottom, 0.0f);
}

// The three hill lines of the panorama, in GUI units: the far ridge, the
// hills the windmill and the cottage stand on, and the meadow in front.
float FarHill(float x)
{
    return 332.0f + 20.0f * std::sin(x * 0.012f + 0.6f) + 11.0f * std::sin(x * 0.031f + 2.1f) +
           10.0f * (ArtPaint::Fbm(x * 0.015f, 0.5f, 11, 3) - 0.5f);
}

float MidHill(float x)
{
    return 250.0f + 44.0f * std::exp(-Square((x - 140.0f) / 160.0f)) +
           34.0f * std::exp(-Square((x - 620.0f) / 170.0f)) + 5.0f * std::sin(x * 0.035f);
}

float NearHill(float x)
{
    return 138.0f + 40.0f * std::exp(-Square((x - 110.0f) / 190.0f)) +
           30.0f * std::exp(-Square((x - 700.0f) / 170.0f)) + 5.0f * std::sin(x * 0.05f + 1.0f);
}

// A round tree: a crown of leaves over a short trunk standing at (x, ground).
ArtColor Tree(float px, float py, float x, float ground, float size, const ArtColor& under)
{
    if (std::fabs(px - x) > size || py < ground - 3.0f || py > ground + size * 2.2f) {
        return under;
    }
    ArtColor color = under;
    const float trunk = RectDistance(px, py, x - size * 0.12f, ground - 2.0f, x + size * 0.12f, ground + size);
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x6a4424), ArtPaint::Coverage(trunk)), color);
    const float cx = px - x;
    const float cy = py - (ground + size * 1.35f);
    const float lumpy = size * 0.08f * (ArtPaint::Fbm(px * 0.2f, py * 0.2f, 31, 2) - 0.5f);
    const float crown = ArtPaint::EllipseDistance(cx, cy, size * 0.8f, size * 0.72f) + lumpy;
    const float lit = ArtCanvas::Clamp01(0.5f + (cy - cx * 0.6f) / (size * 1.6f));
    const ArtColor leaves = ArtCanvas::Mix(Rgb(0x2f6a26), Rgb(0x7cbc48), lit);
    return ArtCanvas::Over(ArtCanvas::WithAlpha(leaves, ArtPaint::Coverage(crown)), color);
}

ArtColor PaintSky(float x, float y)
{
    const float t = ArtCanvas::Clamp01((y - 300.0f) / 300.0f);
    ArtColor color = ArtCanvas::Mix(Rgb(0xf6eccb), Rgb(0x62ade2), std::pow(t, 0.75f));
    // The sun, high on the right, with its glow.
    const float sun = std::hypot(x - 690.0f, y - 418.0f);
    color = ArtCanvas::Mix(color, Rgb(0xfff4cf), 0.55f * std::exp(-sun / 80.0f));
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0xfff8de), ArtPaint::Coverage(sun - 26.0f)), color);
    // The far ridge in the haze.
    const float far = FarHill(x);
    const ArtColor ridge = ArtCanvas::Mix(Rgb(0xa9cdb9), Rgb(0x86b09a), ArtCanvas::Clamp01((far - y) / 50.0f));
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(ridge, ArtPaint::Coverage(y - far)), color);
    // The green hills, patched with ripening fields.
    const float mid = MidHill(x);
    const float depth = ArtCanvas::Clamp01((mid - y) / 200.0f);
    ArtColor grass = ArtCanvas::Mix(Rgb(0x93c35e), Rgb(0x5e9a3e), depth);
    const float field = ArtPaint::Fbm(x * 0.012f, y * 0.03f, 17, 2);
    grass = ArtCanvas::Scale(grass, 0.92f + 0.16f * field);
    // Bands of fields along the slopes, following the hill line. Along a band
    // the crop changes gradually, never at a straight edge: the band's colour
    // drifts between neighbouring crops with a slow noise, so that no seam
    // runs up the slope.
    const float rowPosition = (mid - y) / 52.0f + 0.5f * ArtCanvas::Noise(x * 0.008f, 0.5f, 19);
    const auto row = static_cast<std::uint32_t>(std::max(0.0f, rowPosition));
    const ArtColor crops[] = {Rgb(0xc4c86a), Rgb(0x78b048), Rgb(0xa8cc5c), Rgb(0x5e9a3e)};
    const float drift = 3.99f * ArtCanvas::Noise(x * 0.006f + 3.0f * Hash(row, 13), static_cast<float>(row) * 5.0f, 7);
    const auto near = static_cast<std::uint32_t>(drift);
    const ArtColor crop = ArtCanvas::Mix(crops[near], crops[std::min<std::uint32_t>(near + 1, 3)],
                                         ArtCanvas::SmoothStep(0.2f, 0.8f, drift - std::floor(drift)));
    // Soft borders between the bands, fading out towards the far crest.
    const float border = std::fabs(rowPosition - std::round(rowPosition));
    const float weight =
        0.3f * ArtCanvas::SmoothStep(0.0f, 0.08f, border) * ArtCanvas::SmoothStep(0.0f, 30.0f, mid - y);
    grass = ArtCanvas::Mix(grass, crop, weight);
    // Each band rounds over towards its edges, into a soft furrow between
    // it and the next: as dark on both sides of it, so no edge shows.
    const float fall = rowPosition - std::floor(rowPosition);
    const float furrow = ArtCanvas::SmoothStep(0.7f, 1.0f, fall) + 1.0f - ArtCanvas::SmoothStep(0.0f, 0.12f, fall);
    grass = ArtCanvas::Scale(grass, 1.0f - 0.05f * furrow);
    color = ArtCanvas::Over(ArtCanvas::WithAlpha(grass, ArtPaint::Coverage(y - mid)), color);
    // A few small trees along the hills between the two landmarks.
    for (const float tx : {262.0f, 298.0f, 452.0f, 498.0f, 760.0f}) {
        color = Tree(x, y, tx, MidHill(tx) - 4.0f, 11.0f + 3.0f * Hash(static_cast<std::uint32_t>(tx), 3), color);
    }
    return color;
}

ArtColor PaintMeadow(float x, float y)
{
    const float line = NearHill(x);
    const float depth = ArtCanvas::Clamp01((line - y) / 170.0f);
    ArtColor grass = ArtCanvas::Mix(Rgb(0x9fd35a), Rgb(0x5c9e34), depth);
    // Mown stripes across the lawn.
    grass = ArtCanvas::Scale(grass, 0.95f + 0.07f * (std::sin(x * 0.035f + y * 0.05f) > 0.0f ? 1.0f : 0.0f) +
                                        0.06f * ArtPaint::Fbm(x * 0.05f, y * 0.05f, 23, 2));
    // A gravel path winding up towards the hills.
    const float pathCentre = 400.0f + 70.0f * std::sin(y * 0.018f + 0.4f);
    const float pathHalf = std::max(4.0f, 26.0f - y * 0.13f);
    const float path = std::fabs(x - pathCentre) - pathHalf;
    const ArtColor gravel = ArtCanvas::Scale(Rgb(0xe8d6a4), 0.92f + 0.1f * ArtPaint::Fbm(x * 0.3f, y * 0.3f, 29, 2));
    grass = ArtCanvas::Over(ArtCanvas::WithAlpha(gravel, ArtPaint::Coverage(path) * (line - y > 2.0f ? 1.0f : 0.0f)),
                            grass);
    ArtColor color = ArtCanvas::WithAlpha(grass, ArtPaint::Coverage(y - line));
    // Bushes and trees along the crest.
    for (const float bx : {236.0f, 268.0f, 540.0f, 566.0f, 780.0f}) {
        const float by = NearHill(bx) + 4.0f;
        const float bush = ArtPaint::EllipseDistance(x - bx, y - by, 20.0f, 14.0f) +
                           2.0f * (ArtPaint::Fbm(x * 0.15f, y * 0.15f, 37, 2) - 0.5f);
        const ArtColor leaves =
            ArtCanvas::Mix(Rgb(0x3f7a2a), Rgb(0x74b046), ArtCanvas::Clamp01(0.5f + (y - by) / 20.0f));
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(leaves, ArtPaint::Coverage(bush)), color);
    }
    for (const float tx : {312.0f, 500.0f}) {
        color = Tree(x, y, tx, NearHill(tx) - 6.0f, 24.0f, color);
    }
    return color;
}

// The flower border along the screen's foot: tufts of grass and flowers.
ArtColor PaintFlowers(float x, float y)
{
    const float phase = x / 5.5f + 2.0f * ArtCanvas::Noise(x * 0.03f, 0.5f, 41);
    const float blade = 1.0f - std::fabs(2.0f * (phase - std::floor(phase)) - 1.0f);
    const float top = 16.0f + 10.0f * ArtPaint::Fbm(x * 0.05f, 1.5f, 43, 2) + 22.0f * blade * blade * blade;
    const ArtColor grass = ArtCanvas::Mix(Rgb(0x3f7a22), Rgb(0x8cc850), ArtCanvas::Clamp01(y / top));
    ArtColor color = ArtCanvas::WithAlpha(grass, ArtPaint::Coverage(y - top));
    const ArtColor petals[] = {Rgb(0xf2b632), Rgb(0xf07aa0), Rgb(0xfaf6ec), Rgb(0xb48ae0), Rgb(0xf08a5a)};
    constexpr std::uint32_t kFlowers = 46;
    for (std::uint32_t i = 0; i < kFlowers; ++i) {
        const float fx = (static_cast<float>(i) + 0.5f) * kScreenWidth / kFlowers + 10.0f * (Hash(i, 1) - 0.5f);
        if (std::fabs(x - fx) > 12.0f) {
            continue;
        }
        const float fy = 28.0f + 36.0f * Hash(i, 2);
        const float radius = 4.5f + 2.5f * Hash(i, 3);
        const float stem = std::max(std::fabs(x - fx) - 0.8f, y - fy);
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x3f7a22), ArtPaint::Coverage(stem)), color);
        const float dx = x - fx;
        const float dy = y - fy;
        const float angle = std::atan2(dy, dx) + Hash(i, 4) * 2.0f * kPi;
        const float petal = std::hypot(dx, dy) - radius * (0.72f + 0.28f * std::cos(5.0f * angle));
        const ArtColor petalColor = petals[static_cast<std::uint32_t>(Hash(i, 5) * 4.99f)];
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(petalColor, ArtPaint::Coverage(petal)), color);
        const float heart = std::hypot(dx, dy) - radius * 0.32f;
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0xc07a1a), ArtPaint::Coverage(heart)), color);
    }
    return color;
}

ArtColor PaintCloud(float x, float y)
{
    const struct
    {
        float x, y, rx, ry;
    } lumps[] = {{40, 26, 30, 18}, {76, 34, 36, 26}, {112, 28, 30, 19}, {62, 17, 44, 11}, {104, 17, 40, 11}};
    float d = 1e9f;
    for (const auto& lump : lumps) {
        d = std::min(d, ArtPaint::EllipseDistance(x - lump.x, y - lump.y, lump.rx, lump.ry));
    }
    d += 4.0f * (ArtPaint::Fbm(x * 0.06f, y * 0.06f, 47, 3) - 0.5f);
    const float alpha = 0.92f * (1.0f - ArtCanvas::SmoothStep(-5.0f, 1.5f, d));
    const ArtColor color = ArtCanvas::Mix(Rgb(0xffffff), Rgb(0xcfdff0), ArtCanvas::Clamp01((30.0f - y) / 26.0f));
    return ArtCanvas::WithAlpha(color, alpha);
}

// The windmill: the tower on the left of the picture, the sails' cross on the right.
ArtColor PaintWindmill(float x, float y)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    if (x < 90.0f) {
        const float t = ArtCanvas::Clamp01((y - 4.0f) / 66.0f);
        const float half = 19.0f - 7.0f * t;
        const float body = std::max(std::fabs(x - 45.0f) - half, std::max(4.0f - y, y - 70.0f));
        const ArtColor wall = ArtCanvas::Scale(Rgb(0xf2e8d2), x > 47.0f ? 0.84f : 1.0f);
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(wall, ArtPaint::Coverage(body)), color);
        const float cap = std::max(ArtPaint::EllipseDistance(x - 45.0f, y - 70.0f, 17.0f, 15.0f), 69.0f - y);
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0xb04a32), ArtPaint::Coverage(cap)), color);
        const float door = MenuStyle::RoundedBoxDistance(x - 45.0f, y - 13.0f, 10.0f, 18.0f, 4.0f);
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x5a341a), ArtPaint::Coverage(door)), color);
        const float window = std::hypot(x - 45.0f, y - 46.0f) - 4.0f;
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0xf2c650), ArtPaint::Coverage(window)), color);
        return color;
    }
    // The cross of four lattice sails, centred at (135, 45).
    const float sx = x - 135.0f;
    const float sy = y - 45.0f;
    for (int blade = 0; blade < 4; ++blade) {
        const float angle = static_cast<float>(blade) * kPi * 0.5f;
        const float along = sx * std::cos(angle) + sy * std::sin(angle);
        const float across = -sx * std::sin(angle) + sy * std::cos(angle);
        const float sail = std::max(std::max(6.0f - along, along - 42.0f), std::max(-across, across - 11.0f));
        const bool lattice = std::fmod(along, 6.0f) < 1.0f || std::fmod(across + 12.0f, 5.5f) < 1.0f;
        const ArtColor cloth = lattice ? Rgb(0x8a5a30) : Rgb(0xf6eedc);
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(cloth, ArtPaint::Coverage(sail)), color);
        const float spar = std::max(std::fabs(across) - 1.3f, std::max(-along, along - 43.0f));
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x6a4424), ArtPaint::Coverage(spar)), color);
    }
    const float hub = std::hypot(sx, sy) - 4.0f;
    return ArtCanvas::Over(ArtCanvas::WithAlpha(Rgb(0x4e2c14), ArtPaint::Coverage(hub)), color);
}

ArtColor PaintCottage(float x, float y)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    const auto over = [&](const ArtColor& paint, float distance) {
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(paint, ArtPaint::Coverage(distance)), color);
    };
    over(Rgb(0xa24a2c), RectDistance(x, y, 82.0f, 56.0f, 92.0f, 84.0f)); // chimney
    const float wall = RectDistance(x, y, 20.0f, 6.0f, 100.0f, 47.0f);
    over(ArtCanvas::Scale(Rgb(0xf4e6c4), 0.94f + 0.06f * ArtPaint::Fbm(x * 0.2f, y * 0.2f, 53, 2)), wall);
    // Timber frame.
    const float beams = std::min(std::fabs(y - 27.0f) - 1.2f, std::min(std::fabs(x - 60.0f) - 1.2f, -wall - 1.5f));
    over(Rgb(0x7a4a26), std::max(beams, wall));
    // The roof, tiled in rows.
    const float roof = std::max(46.0f - y, std::fabs(x - 60.0f) * 34.0f / 50.0f + y - 80.0f);
    const float tiles = std::fmod(y, 6.0f) < 1.0f ? 0.82f : 1.0f;
    over(ArtCanvas::Scale(Rgb(0xc0583a), tiles), roof);
    for (const float wx : {41.0f, 79.0f}) {
        const float pane = RectDistance(x, y, wx - 7.0f, 20.0f, wx + 7.0f, 34.0f);
        over(Rgb(0x6a4424), pane - 1.5f);
        over(Rgb(0xf8d070), pane);
        over(Rgb(0x6a4424), std::max(pane, std::min(std::fabs(x - wx), std::fabs(y - 27.0f)) - 0.8f));
    }
    over(Rgb(0x5a341a), MenuStyle::RoundedBoxDistance(x - 60.0f, y - 19.0f, 12.0f, 26.0f, 5.0f));
    for (const float bx : {14.0f, 106.0f}) {
        const float bush = ArtPaint::EllipseDistance(x - bx, y - 12.0f, 13.0f, 10.0f);
        over(ArtCanvas::Mix(Rgb(0x3f7a2a), Rgb(0x74b046), ArtCanvas::Clamp01((y - 6.0f) / 16.0f)), bush);
    }
    return color;
}

ArtColor PaintPond(float x, float y)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    const auto over = [&](const ArtColor& paint, float distance) {
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(paint, ArtPaint::Coverage(distance)), color);
    };
    const float water = ArtPaint::EllipseDistance(x - 100.0f, y - 36.0f, 88.0f, 26.0f);
    over(Rgb(0xcab98a), water - 4.0f);
    ArtColor wave = ArtCanvas::Mix(Rgb(0x4f9cc8), Rgb(0x9ad6ee), ArtCanvas::Clamp01((y - 12.0f) / 48.0f));
    const float ripple = std::sin(x * 0.25f + 3.0f * ArtCanvas::Noise(x * 0.05f, y * 0.2f, 59)) * std::sin(y * 0.9f);
    wave = ArtCanvas::Mix(wave, Rgb(0xe8f8ff), 0.35f * ArtCanvas::SmoothStep(0.85f, 1.0f, ripple));
    over(wave, water);
    for (const float lx : {52.0f, 142.0f, 160.0f}) {
        const float pad = ArtPaint::EllipseDistance(x - lx, y - 30.0f + (lx - 100.0f) * 0.05f, 8.0f, 3.5f);
        over(Rgb(0x4f8a2e), pad);
    }
    over(Rgb(0xf07aa0), std::hypot(x - 142.0f, y - 31.0f) - 2.2f);
    // Reeds on the left bank.
    for (int i = 0; i < 7; ++i) {
        const float rx = 14.0f + 4.0f * static_cast<float>(i);
        const float top = 46.0f + 14.0f * Hash(static_cast<std::uint32_t>(i), 61);
        over(Rgb(0x5e7a2a), std::max(std::fabs(x - rx - (y - 30.0f) * 0.08f) - 0.9f, std::max(30.0f - y, y - top)));
        over(Rgb(0x7a4a2a), ArtPaint::EllipseDistance(x - rx - (top - 34.0f) * 0.08f, y - top + 3.0f, 1.8f, 5.0f));
    }
    // An arched wooden bridge across the middle.
    if (std::fabs(x - 100.0f) < 62.0f) {
        const float arch = 38.0f + 30.0f * (1.0f - Square((x - 100.0f) / 62.0f));
        over(ArtCanvas::Scale(Rgb(0x9a6434), std::fmod(x, 8.0f) < 1.0f ? 0.75f : 1.0f), std::fabs(y - arch) - 3.5f);
        over(Rgb(0x7a4a26), std::fabs(y - arch - 12.0f) - 1.3f);
        const float post = std::fabs(std::fmod(x - 100.0f + 62.0f, 15.5f) - 7.75f) - 6.9f;
        over(Rgb(0x7a4a26), std::max(-post, std::max(arch - y, y - arch - 12.0f)));
    }
    return color;
}

ArtColor PaintGazebo(float x, float y)
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    const auto over = [&](const ArtColor& paint, float distance) {
        color = ArtCanvas::Over(ArtCanvas::WithAlpha(paint, ArtPaint::Coverage(distance)), color);
    };
    over(Rgb(0xd8d0c0), RectDistance(x, y, 18.0f, 6.0f, 132.0f, 16.0f));
    for (const float cx : {30.0f, 58.0f, 92.0f, 120.0f}) {
        const float column = RectDistance(x, y, cx - 3.5f, 16.0f, cx + 3.5f, 88.0f);
        over(ArtCanvas::Scale(Rgb(0xfaf6ee), x > cx ? 0.86f : 1.0f), column);
    }
    // Railing between the columns.
    over(Rgb(0xfaf6ee), std::max(std::fabs(y - 38.0f) - 1.5f, std::fabs(x - 75.0f) - 48.0f));
    const float dome = std::max(ArtPaint::EllipseDistance(x - 75.0f, y - 92.0f, 60.0f, 36.0f), 92.0f - y);
    const float ribs = std::fabs(std::fmod((x - 75.0f) / std::max(0.3f, 1.0f - (y - 92.0f) / 36.0f) + 300.0f, 20.0f));
    over(ArtCanvas::Scale(Rgb(0x5c9e34), ribs < 1.6f ? 0.75f : 0.95f + 0.1f * (y - 92.0f) / 36.0f), dome);
    over(Rgb(0xfaf6ee), RectDistance(x, y, 12.0f, 86.0f, 138.0f, 94.0f));
    over(Rgb(0x6a4424), RectDistance(x, y, 74.0f, 124.0f, 76.0f, 154.0f));
    const float flag =
        std::max(std::max(75.0f - x, 140.0f - y + (x - 75.0f) * 0.24f), y - 154.0f + (x - 75.0f) * 0.24f);
    over(Rgb(0xf2b632), flag);
    for (const float bx : {16.0f, 134.0f}) {
        const float bush = ArtPaint::EllipseDistance(x - bx, y - 14.0f, 15.0f, 12.0f);
        over(Rgb(0x3f7a2a), bush);
        const float rose = std::hypot(std::fmod(x + 100.0f, 7.0f) - 3.5f, std::fmod(y + 100.0f, 7.0f) - 3.5f) - 1.8f;
        over(Rgb(0xf07aa0), std::max(rose, bush + 2.0f));
    }
    return color;
}

// A textured model's outputs from its frames and its picture.
AssetRecipe MakeRecipe(const std::string& name, std::function<AssetRecipe::Outputs()> make)
{
    AssetRecipe recipe;
    recipe.origin = "menu background: " + name;
    recipe.packPaths = MenuStyle::TexturedModelPaths(kModelFolder + name, kTextureFolder + name);
    recipe.parameters = kRecipeVersion;
    recipe.make = std::move(make);
    return recipe;
}

AssetRecipe::Outputs MakeStill(const std::string& name, float left, float bottom, float width, float height,
                               ArtColor (*paint)(float, float))
{
    const ArtCanvas canvas = ArtPaint::PaintUnits(width, height, paint);
    return MenuStyle::BuildTexturedModel({MenuStyle::Quad(left, bottom, width, height)}, 0.0f, canvas,
                                         kTextureFolder + name);
}

AssetRecipe::Outputs MakeClouds()
{
    constexpr float kWidth = 160.0f;
    constexpr float kHeight = 64.0f;
    const struct
    {
        float x, y, scale, phase;
    } clouds[] = {{110, 505, 1.0f, 0.0f}, {300, 548, 0.7f, 0.3f}, {505, 500, 0.85f, 0.55f}, {705, 540, 0.65f, 0.8f}};
    std::vector<ArtMesh> frames;
    for (std::uint32_t k = 0; k < kCloudFrames; ++k) {
        ArtMesh mesh;
        for (const auto& cloud : clouds) {
            const float drift = 24.0f * std::sin(2.0f * kPi * (static_cast<float>(k) / kCloudFrames + cloud.phase));
            const float w = kWidth * cloud.scale;
            const float h = kHeight * cloud.scale;
            const ArtMesh quad = MenuStyle::Quad(cloud.x + drift - w * 0.5f, cloud.y - h * 0.5f, w, h);
            const std::uint32_t first = static_cast<std::uint32_t>(mesh.GetVertexCount());
            for (const auto& vertex : quad.GetVertices()) {
                mesh.AddVertex(vertex.position, vertex.u, vertex.v, vertex.normal);
            }
            mesh.AddQuad(first, first + 1, first + 2, first + 3);
        }
        frames.push_back(mesh);
    }
    return MenuStyle::BuildTexturedModel(frames, kCloudFramesPerSecond,
                                         ArtPaint::PaintUnits(kWidth, kHeight, PaintCloud),
                                         std::string(kTextureFolder) + "clouds");
}

AssetRecipe::Outputs MakeFlowers()
{
    constexpr float kHeight = 90.0f;
    std::vector<ArtMesh> frames;
    for (std::uint32_t k = 0; k < kSwayFrames; ++k) {
        const float time = 2.0f * kPi * static_cast<float>(k) / kSwayFrames;
        // The tufts sway; the ends stay at the screen's edges.
        ArtMesh mesh;
        mesh.AddGrid(
            40, 1,
            [&](float s, float t) {
                return Vector3(s * kScreenWidth +
                                   t * 3.0f * std::min(1.0f, 20.0f * std::min(s, 1.0f - s)) * std::sin(time + s * 9.0f),
                               t * kHeight, 0.0f);
            },
            [](float s, float t) { return std::make_pair(s, t); });
        frames.push_back(mesh);
    }
    return MenuStyle::BuildTexturedModel(frames, kSwayFramesPerSecond,
                                         ArtPaint::PaintUnits(kScreenWidth, kHeight, PaintFlowers),
                                         std::string(kTextureFolder) + "flowers");
}

AssetRecipe::Outputs MakeWindmill()
{
    constexpr float kLeft = 95.0f;
    constexpr float kBottom = 286.0f;
    const float hubX = kLeft + 45.0f;
    const float hubY = kBottom + 80.0f;
    std::vector<ArtMesh> frames;
    for (std::uint32_t k = 0; k < kSailFrames; ++k) {
        ArtMesh mesh = MenuStyle::Quad(kLeft, kBottom, 90.0f, 120.0f, 0.0f, 0.0f, 0.5f, 1.0f);
        const float angle = -0.5f * kPi * static_cast<float>(k) / kSailFrames;
        const float corners[4][2] = {{-45, -45}, {45, -45}, {45, 45}, {-45, 45}};
        const float uvs[4][2] = {{0.5f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.75f}, {0.5f, 0.75f}};
        std::uint32_t index[4];
        for (int c = 0; c < 4; ++c) {
            const float cx = corners[c][0] * std::cos(angle) - corners[c][1] * std::sin(angle);
            const float cy = corners[c][0] * std::sin(angle) + corners[c][1] * std::cos(angle);
            index[c] = mesh.AddVertex(Vector3(hubX + cx, hubY + cy, 0.0f), uvs[c][0], uvs[c][1], Vector3(0, 0, 1));
        }
        mesh.AddQuad(index[0], index[1], index[2], index[3]);
        frames.push_back(mesh);
    }
    return MenuStyle::BuildTexturedModel(frames, kSailFramesPerSecond,
                                         ArtPaint::PaintUnits(180.0f, 120.0f, PaintWindmill),
                                         std::string(kTextureFolder) + "windmill");
}

} // namespace

const std::vector<BackgroundArt::Layer>& BackgroundArt::GetLayers()
{
    // Back to front: each place stands among the layers it belongs with.
    static const std::vector<Layer> kLayers = {
        {"sky", true, 0},     {"clouds", false, 0}, {"windmill", false, 1}, {"cottage", false, 2},
        {"meadow", false, 0}, {"pond", false, 3},   {"gazebo", false, 4},   {"flowers", false, 0},
    };
    return kLayers;
}

void BackgroundArt::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe list;
    list.origin = "menu background: list";
    list.packPaths = {"data\\ui\\menus\\background\\background.ini"};
    list.parameters = kRecipeVersion;
    list.make = [] {
        std::string text = "// The menu background's models, back to front: their count, then per model its\n"
                           "// name, a flag (above 0: the background window loads it itself) and the number\n"
                           "// of map places the player must have reached to see it (0: always shown).\n" +
                           std::to_string(GetLayers().size()) + "\n";
        for (const Layer& layer : GetLayers()) {
            text += std::string(layer.name) + " " + (layer.startUp ? "1" : "0") + " " +
                    std::to_string(layer.placeThreshold) + "\n";
        }
        return AssetRecipe::Outputs{std::vector<std::uint8_t>(text.begin(), text.end())};
    };
    builder.Add(std::move(list));
    builder.Add(MakeRecipe("sky", [] { return MakeStill("sky", 0.0f, 0.0f, kScreenWidth, kScreenHeight, PaintSky); }));
    builder.Add(
        MakeRecipe("meadow", [] { return MakeStill("meadow", 0.0f, 0.0f, kScreenWidth, 230.0f, PaintMeadow); }));
    builder.Add(
        MakeRecipe("cottage", [] { return MakeStill("cottage", 555.0f, 274.0f, 130.0f, 90.0f, PaintCottage); }));
    builder.Add(MakeRecipe("pond", [] { return MakeStill("pond", 25.0f, 40.0f, 200.0f, 100.0f, PaintPond); }));
    builder.Add(MakeRecipe("gazebo", [] { return MakeStill("gazebo", 610.0f, 122.0f, 150.0f, 160.0f, PaintGazebo); }));
    builder.Add(MakeRecipe("clouds", MakeClouds));
    builder.Add(MakeRecipe("flowers", MakeFlowers));
    builder.Add(MakeRecipe("windmill", MakeWindmill));
}

} // namespace Content
