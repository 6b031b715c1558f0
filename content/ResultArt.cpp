#include "content/ResultArt.h"

#include <cmath>

#include "content/HudStyle.h"

namespace Content {

namespace {

using Box = HudLayout::Box;
using Part = HudStyle::Part;

constexpr const char* kRecipeVersion = "result art 2";
const std::string kResults = "ui\\menus\\models\\level_complete\\";
const std::string kControls = "ui\\menus\\models\\controls\\";
const std::string kMenu = "ui\\menus\\models\\game_logic_menu\\";
constexpr float kTexels = MenuStyle::kTexelsPerUnit;
constexpr float kPi = 3.14159265f;
// The round mount: the picture's disc, then the ring round it (GUI units).
constexpr float kDiscRadius = 62.0f;
constexpr float kRingRadius = 71.0f;
// The options screen's slider and check-box sizes, which the menus' looks have.
constexpr float kSliderWidth = 264.0f;
constexpr float kSliderHeight = 26.0f;
constexpr float kBoxSide = 28.0f;

Part Plain(const std::string& stem, const Box& box)
{
    return {MenuDarkStyle::PlainModelPaths(stem), [box]() { return HudStyle::BuildPlain(box); }};
}

float Disc(float x, float y, float cx, float cy, float radius)
{
    return ArtCanvas::Clamp01(radius - std::hypot(x - cx, y - cy) + 0.5f);
}

ArtColor Lay(const ArtColor& under, const ArtColor& top, float cover)
{
    return ArtCanvas::Mix(under, top, ArtCanvas::Clamp01(cover));
}

// Petals round (cx, cy): count ellipses of the given length and width.
float Petals(float x, float y, float cx, float cy, int count, float length, float width, float turn)
{
    const float dx = x - cx;
    const float dy = y - cy;
    float cover = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float a = turn + 2.0f * kPi * static_cast<float>(i) / static_cast<float>(count);
        const float along = dx * std::cos(a) + dy * std::sin(a) - length * 0.5f;
        const float across = -dx * std::sin(a) + dy * std::cos(a);
        const float e = std::hypot(along / (length * 0.5f), across / (width * 0.5f));
        cover = std::fmax(cover, ArtCanvas::Clamp01((1.0f - e) * width * 0.5f + 0.5f));
    }
    return cover;
}

// Each stage's picture in bloom, in GUI units round the picture's centre.
ArtColor Meadow(float x, float y)
{
    ArtColor c = ArtCanvas::Mix(ArtCanvas::Rgb(0xbfe6f5), ArtCanvas::Rgb(0x7cc4e8), ArtCanvas::Clamp01(y / 60.0f));
    const float hill = -18.0f + 6.0f * std::sin(x / 14.0f);
    c = Lay(c,
            ArtCanvas::Mix(ArtCanvas::Rgb(0x4f9a2a), ArtCanvas::Rgb(0x7cc448), ArtCanvas::Clamp01((y + 60.0f) / 50.0f)),
            hill - y + 0.5f);
    c = Lay(c, ArtCanvas::Rgb(0x3f7a22),
            HudStyle::Stroke(HudStyle::SegmentDistance(x, y, 0.0f, -60.0f, 0.0f, 6.0f), 2.0f));
    c = Lay(c, ArtCanvas::Rgb(0xfffdf2), Petals(x, y, 0.0f, 10.0f, 12, 26.0f, 10.0f, 0.0f));
    c = Lay(c, ArtCanvas::Rgb(0xf2b632), Disc(x, y, 0.0f, 10.0f, 9.0f));
    c = Lay(c, ArtCanvas::Rgb(0xff8fb0), Petals(x, y, -36.0f, -30.0f, 5, 10.0f, 6.0f, 0.3f));
    c = Lay(c, ArtCanvas::Rgb(0xff8fb0), Petals(x, y, 34.0f, -36.0f, 5, 10.0f, 6.0f, 0.9f));
    return c;
}

ArtColor Lake(float x, float y)
{
    const float wave = 0.5f + 0.5f * std::sin(x / 6.0f + std::sin(y / 9.0f) * 2.0f);
    ArtColor c =
        ArtCanvas::Mix(ArtCanvas::Rgb(0x2a6fb0), ArtCanvas::Rgb(0x5fb0e0), ArtCanvas::Clamp01((y + 60.0f) / 120.0f));
    c = ArtCanvas::Mix(c, ArtCanvas::Rgb(0x9ad8f5), 0.25f * wave);
    // The lily pad with its notch, then the flower.
    const float notch = std::fabs(std::atan2(y + 14.0f, x - 8.0f) + 0.6f) < 0.25f ? 0.0f : 1.0f;
    c = Lay(c, ArtCanvas::Rgb(0x3f8f2e), Disc(x, y, 0.0f, -14.0f, 40.0f) * notch);
    c = Lay(c, ArtCanvas::Rgb(0xf7a8c8), Petals(x, y, 0.0f, -2.0f, 8, 28.0f, 11.0f, 0.2f));
    c = Lay(c, ArtCanvas::Rgb(0xfde0ec), Petals(x, y, 0.0f, -2.0f, 8, 18.0f, 8.0f, 0.6f));
    c = Lay(c, ArtCanvas::Rgb(0xf2b632), Disc(x, y, 0.0f, -2.0f, 6.0f));
    return c;
}

ArtColor Forest(float x, float y)
{
    ArtColor c = ArtCanvas::Mix(ArtCanvas::Rgb(0xd8efc8), ArtCanvas::Rgb(0x9fd0e8), ArtCanvas::Clamp01(y / 60.0f));
    c = Lay(c, ArtCanvas::Rgb(0x5a8a2a), -30.0f - y + 0.5f);
    c = Lay(c, ArtCanvas::Rgb(0x6b4220),
            HudStyle::Stroke(HudStyle::SegmentDistance(x, y, 0.0f, -40.0f, 0.0f, 0.0f), 6.0f));
    const float crown = std::fmax(std::fmax(Disc(x, y, 0.0f, 18.0f, 26.0f), Disc(x, y, -20.0f, 4.0f, 18.0f)),
                                  std::fmax(Disc(x, y, 20.0f, 4.0f, 18.0f), Disc(x, y, 0.0f, 36.0f, 16.0f)));
    const float shade = ArtCanvas::Noise(x * 0.15f, y * 0.15f, 901);
    c = Lay(c, ArtCanvas::Mix(ArtCanvas::Rgb(0x2f7a26), ArtCanvas::Rgb(0x6cbf3c), shade), crown);
    for (const float fx : {-14.0f, 8.0f, 18.0f}) {
        c = Lay(c, ArtCanvas::Rgb(0xe8463c), Disc(x, y, fx, 22.0f - fx * 0.5f, 3.2f));
    }
    return c;
}

ArtColor Cave(float x, float y)
{
    ArtColor c =
        ArtCanvas::Mix(ArtCanvas::Rgb(0x1c1430), ArtCanvas::Rgb(0x3a2a5c), ArtCanvas::Clamp01((y + 60.0f) / 120.0f));
    c = Lay(c, ArtCanvas::Rgb(0x2a2038), -34.0f + 4.0f * std::sin(x / 9.0f) - y + 0.5f);
    struct Crystal
    {
        float x, y, height, width;
        std::uint32_t colour;
    };
    const Crystal crystals[] = {{0.0f, -30.0f, 62.0f, 13.0f, 0x7fe8ff},
                                {-22.0f, -34.0f, 40.0f, 10.0f, 0xb98cff},
                                {22.0f, -34.0f, 44.0f, 10.0f, 0x9ff0d8}};
    float glow = 0.0f;
    for (const Crystal& k : crystals) {
        // A long diamond standing on its base.
        const float v = (y - k.y) / k.height;
        const float half = k.width * 0.5f * (v < 0.2f ? v / 0.2f : (1.0f - v) / 0.8f);
        const float cover = (v > 0.0f && v < 1.0f) ? ArtCanvas::Clamp01(half - std::fabs(x - k.x) + 0.5f) : 0.0f;
        const ArtColor face = ArtCanvas::Mix(ArtCanvas::Rgb(k.colour), ArtColor{1, 1, 1, 1}, x < k.x ? 0.35f : 0.0f);
        c = Lay(c, face, cover);
        glow = std::fmax(glow, std::exp(-std::hypot(x - k.x, (y - k.y - k.height * 0.4f) * 0.6f) / 18.0f));
    }
    return ArtCanvas::Mix(c, ArtCanvas::Rgb(0x9ff0ff), 0.25f * glow * (1.0f - c.a * 0.0f));
}

ArtColor Scene(std::uint32_t stage, float x, float y)
{
    switch (stage) {
    case 0:
        return Meadow(x, y);
    case 1:
        return Lake(x, y);
    case 2:
        return Forest(x, y);
    default:
        return Cave(x, y);
    }
}

// The picture in its mount; faded, the scene before the stage was restored:
// grey, dim and dusty.
ArtColor StagePicture(std::uint32_t stage, bool faded, float x, float y)
{
    const float r = std::hypot(x, y);
    if (r > kRingRadius + 1.0f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    ArtColor scene = Scene(stage, x, y);
    if (faded) {
        const float grey = 0.3f * scene.r + 0.59f * scene.g + 0.11f * scene.b;
        scene = ArtCanvas::Mix(ArtColor{grey, grey, grey, 1.0f}, ArtCanvas::Rgb(0x3b3228), 0.45f);
    }
    // Vignette toward the disc's edge.
    scene = ArtCanvas::Scale(scene, 1.0f - 0.3f * ArtCanvas::SmoothStep(kDiscRadius * 0.6f, kDiscRadius, r));
    const float ring = ArtCanvas::Clamp01((r - kDiscRadius) / (kRingRadius - kDiscRadius));
    const float bead = std::sin(ring * kPi);
    ArtColor rim = ArtCanvas::Scale(MenuStyle::Wood(), 0.7f + 0.4f * bead);
    rim = ArtCanvas::Mix(rim, MenuStyle::Honey(), 0.45f * bead * ArtCanvas::Clamp01(0.5f + y / 140.0f));
    ArtColor color = ArtCanvas::Mix(scene, rim, ArtCanvas::SmoothStep(kDiscRadius - 0.5f, kDiscRadius + 0.5f, r));
    color =
        ArtCanvas::Mix(color, MenuStyle::WoodDark(), 0.8f * ArtCanvas::SmoothStep(kRingRadius - 1.5f, kRingRadius, r));
    color.a = ArtCanvas::Clamp01(kRingRadius + 0.5f - r);
    return color;
}

// controls\upgrade.mlf: one quad over the picture's place, whose key frame
// 2 s + k shows stage s in bloom (k = 0) or faded (k = 1), from a 4 x 2 atlas.
Part UpgradeLook()
{
    const Box box = HudLayout::kUpgradePicture;
    return {HudStyle::TexturedPaths(kControls + "upgrade", "upgrade"), [box]() {
                constexpr std::uint32_t kColumns = 4;
                constexpr std::uint32_t kRows = 2;
                const std::uint32_t cw = MenuStyle::PixelsFor(box.width);
                const std::uint32_t ch = MenuStyle::PixelsFor(box.height);
                ArtCanvas canvas(cw * kColumns, ch * kRows);
                std::vector<ArtMesh> frames;
                for (std::uint32_t frame = 0; frame < ResultArt::kStageCount * ResultArt::kPicturesPerStage; ++frame) {
                    const std::uint32_t column = frame % kColumns;
                    const std::uint32_t row = frame / kColumns;
                    const std::uint32_t stage = frame / ResultArt::kPicturesPerStage;
                    const bool faded = frame % ResultArt::kPicturesPerStage == 1;
                    canvas.PaintRect(column * cw, row * ch, cw, ch, [&](float u, float v) {
                        return StagePicture(stage, faded, (u - 0.5f) * box.width, (v - 0.5f) * box.height);
                    });
                    // Row 0 is the picture's top; v runs upward.
                    const float u0 = static_cast<float>(column) / kColumns;
                    const float v1 = 1.0f - static_cast<float>(row) / kRows;
                    frames.push_back(MenuStyle::Quad(box.left, box.bottom, box.width, box.height, u0, v1 - 1.0f / kRows,
                                                     u0 + 1.0f / kColumns, v1));
                }
                return MenuStyle::BuildTexturedModel(frames, 0.0f, canvas, HudStyle::PictureOf("upgrade"));
            }};
}

// The sunk panel the screen's lines and bar lie in, open where the stage's
// picture sits in its mount.
Part ResultPanel()
{
    const Box panel = HudLayout::kResultPanel;
    return {HudStyle::TexturedPaths(kResults + "frame", "level_complete_frame"), [panel]() {
                const ArtCanvas canvas =
                    MenuStyle::PaintCentred(panel.width, panel.height, [&](float x, float y, float w, float h) {
                        const float gx = x / kTexels + panel.CentreX();
                        const float gy = y / kTexels + panel.CentreY();
                        const auto sunk = [&](const Box& b, float radius, const ArtColor& face) {
                            return HudStyle::Field((gx - b.CentreX()) * kTexels, (gy - b.CentreY()) * kTexels,
                                                   b.width * kTexels, b.height * kTexels, radius * kTexels, face);
                        };
                        ArtColor color = sunk(panel.Inset(1.0f), 14.0f, ArtCanvas::Rgb(0x2a1c0f));
                        color =
                            ArtCanvas::Over(sunk(HudLayout::kResultBonusLine, 10.0f, ArtCanvas::Rgb(0x1c120a)), color);
                        const Box& picture = HudLayout::kUpgradePicture;
                        const float r = std::hypot(gx - picture.CentreX(), gy - picture.CentreY());
                        // A soft honey glow round the mount, and the mount left open.
                        color =
                            ArtCanvas::Mix(color, MenuStyle::Honey(),
                                           0.25f * (1.0f - ArtCanvas::SmoothStep(kRingRadius, kRingRadius + 14.0f, r)));
                        color.a *= ArtCanvas::SmoothStep(kDiscRadius - 1.0f, kDiscRadius, r);
                        static_cast<void>(w);
                        static_cast<void>(h);
                        return color;
                    });
                return HudStyle::BuildTextured({{panel, 0.0f, 0.0f, 1.0f, 1.0f}}, canvas, "level_complete_frame");
            }};
}

Part ResultManaFrame()
{
    const Box frame = HudLayout::kResultManaFrame;
    return {
        HudStyle::TexturedPaths(kResults + "mana_background", "level_complete_mana_background"), [frame]() {
            const ArtCanvas canvas =
                MenuStyle::PaintCentred(frame.width, frame.height, [](float x, float y, float w, float h) {
                    const float d = MenuStyle::RoundedBoxDistance(x, y, w - 4.0f, h - 4.0f, 10.0f * kTexels);
                    const float shadowD =
                        MenuStyle::RoundedBoxDistance(x - 2.0f, y + 3.0f, w - 4.0f, h - 4.0f, 10.0f * kTexels);
                    ArtColor color = HudStyle::Panel(d, shadowD, y, h, 3.0f * kTexels);
                    const float inner = 4.0f * kTexels;
                    return ArtCanvas::Over(HudStyle::Field(x, y, w - 2.0f * inner, h - 2.0f * inner, 6.0f * kTexels,
                                                           ArtCanvas::Rgb(0x140d07)),
                                           color);
                });
            return HudStyle::BuildTextured({{frame, 0.0f, 0.0f, 1.0f, 1.0f}}, canvas, "level_complete_mana_background");
        }};
}

// The screen's mana bar: deep at its left end, light at its right.
Part ResultManaBar()
{
    const Box box = HudLayout::kResultManaBar;
    return {HudStyle::TexturedPaths(kResults + "mana", "level_complete_mana"), [box]() {
                ArtCanvas canvas(MenuStyle::PixelsFor(box.width), MenuStyle::PixelsFor(box.height));
                canvas.Paint([](float u, float v) {
                    ArtColor color = ArtCanvas::Mix(HudStyle::ManaDeep(), HudStyle::ManaLight(), u);
                    color = ArtCanvas::Mix(color, ArtColor{1.0f, 1.0f, 1.0f, 1.0f},
                                           0.45f * (1.0f - ArtCanvas::SmoothStep(0.05f, 0.25f, std::fabs(v - 0.7f))));
                    return ArtCanvas::Scale(color, 0.75f + 0.25f * std::sin(v * kPi));
                });
                return HudStyle::BuildBar(box, true, canvas, "level_complete_mana");
            }};
}

// controls\upgrade_notice.mlf: the plate "click to continue" lies on over
// the upgrade scene, whose meadow is too light and busy under white ink: a
// walnut pill in a thin carved rim, the garden faintly through its face.
Part UpgradeNoticePlate()
{
    const Box box = HudLayout::kUpgradeNotice;
    return {HudStyle::TexturedPaths(kControls + "upgrade_notice", "upgrade_notice"), [box]() {
                const ArtCanvas canvas =
                    MenuStyle::PaintCentred(box.width, box.height, [](float x, float y, float w, float h) {
                        const float radius = h * 0.5f - 3.0f * kTexels;
                        const float d =
                            MenuStyle::RoundedBoxDistance(x, y, w - 6.0f * kTexels, h - 6.0f * kTexels, radius);
                        const float shadowD = MenuStyle::RoundedBoxDistance(
                            x - 1.0f * kTexels, y + 2.0f * kTexels, w - 6.0f * kTexels, h - 6.0f * kTexels, radius);
                        ArtColor color = HudStyle::Panel(d, shadowD, y, h, 3.0f * kTexels);
                        // The face lets a little of the garden through; the rim stays wood.
                        if (d < -3.0f * kTexels)
                            color.a *= 0.86f;
                        return color;
                    });
                return HudStyle::BuildTextured({{box, 0.0f, 0.0f, 1.0f, 1.0f}}, canvas, "upgrade_notice");
            }};
}

std::vector<Part> Parts()
{
    using L = HudLayout;
    return {
        ResultPanel(),
        Plain(kResults + "upgrade", L::kUpgradePicture),
        ResultManaFrame(),
        ResultManaBar(),
        Plain(kResults + "mana_text_area", L::kResultManaText),
        UpgradeLook(),
        UpgradeNoticePlate(),
        Plain(kMenu + "slider_music", L::Centred(L::kSliderX, L::kMusicSliderY, kSliderWidth, kSliderHeight)),
        Plain(kMenu + "slider_sound", L::Centred(L::kSliderX, L::kSoundSliderY, kSliderWidth, kSliderHeight)),
        Plain(kMenu + "fullscreen_check_box", L::Centred(L::kFullscreenBoxX, L::kBoxY, kBoxSide, kBoxSide)),
        Plain(kMenu + "relax_check_box", L::Centred(L::kRelaxBoxX, L::kBoxY, kBoxSide, kBoxSide)),
    };
}

} // namespace

std::vector<std::string> ResultArt::GetPaths()
{
    std::vector<std::string> paths;
    for (const Part& part : Parts())
        paths.insert(paths.end(), part.paths.begin(), part.paths.end());
    return paths;
}

void ResultArt::AddRecipes(DataSetBuilder& builder)
{
    std::vector<Part> plain;
    for (Part& part : Parts()) {
        if (part.paths.size() > 2) {
            HudStyle::AddRecipe(builder, "result art: " + part.paths.front(), kRecipeVersion, {part});
        } else {
            plain.push_back(part);
        }
    }
    HudStyle::AddRecipe(builder, "result art: areas", kRecipeVersion, plain);
}

} // namespace Content
