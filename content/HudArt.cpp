#include "content/HudArt.h"

#include <cmath>

#include "content/HudStyle.h"
#include "content/ResultArt.h"

namespace Content {

namespace {

using Box = HudLayout::Box;
using Part = HudStyle::Part;
using State = MenuStyle::State;

// Raised whenever the HUD's pictures or models change, so cached files are made again.
constexpr const char* kRecipeVersion = "hud art 1";
const std::string kHud = "ui\\menus\\models\\game_logic\\";
const std::string kControls = "ui\\menus\\models\\controls\\";
constexpr float kTexels = MenuStyle::kTexelsPerUnit;
constexpr float kRim = 7.0f;
// The HUD's frame runs on past the screen's edges, so no rim shows there.
constexpr float kPastEdge = 40.0f;
constexpr float kCornerRound = 16.0f;

Part Plain(const std::string& stem, const Box& box)
{
    return {MenuDarkStyle::PlainModelPaths(stem), [box]() { return HudStyle::BuildPlain(box); }};
}

float BoxDistance(float x, float y, float left, float bottom, float right, float top, float radius)
{
    return MenuStyle::RoundedBoxDistance(x - (left + right) * 0.5f, y - (bottom + top) * 0.5f, right - left,
                                         top - bottom, radius);
}

// The frame's outline at a GUI point, in GUI units.
float FrameDistance(float x, float y)
{
    const float low = -kPastEdge;
    const float high = 600.0f + kPastEdge;
    if (x < 400.0f) {
        const float strip = BoxDistance(x, y, low, low, HudLayout::kLeftStrip.Right(), high, kCornerRound);
        const float corner =
            BoxDistance(x, y, low, HudLayout::kLeftCorner.bottom, HudLayout::kLeftCorner.Right(), high, kCornerRound);
        return HudStyle::Union(strip, corner, 14.0f);
    }
    const float right = 800.0f + kPastEdge;
    const float strip = BoxDistance(x, y, HudLayout::kRightStrip.left, low, right, high, kCornerRound);
    const float corner =
        BoxDistance(x, y, HudLayout::kRightCorner.left, HudLayout::kRightCorner.bottom, right, high, kCornerRound);
    const float foot =
        BoxDistance(x, y, HudLayout::kRightFoot.left, low, right, HudLayout::kRightFoot.Top(), kCornerRound);
    return HudStyle::Union(HudStyle::Union(strip, corner, 14.0f), foot, 14.0f);
}

Part Background()
{
    const Box left = HudLayout::kLeftPiece;
    const Box right = HudLayout::kRightPiece;
    return {HudStyle::TexturedPaths(kHud + "background", "background"), [left, right]() {
                // Both pieces side by side in one picture.
                const float width = left.width + right.width;
                ArtCanvas canvas(MenuStyle::PixelsFor(width), MenuStyle::PixelsFor(600.0f));
                canvas.Paint([&](float u, float v) {
                    const float gx = u * width < left.width ? u * width : right.left + (u * width - left.width);
                    const float gy = v * 600.0f;
                    const float d = FrameDistance(gx, gy) * kTexels;
                    const float shadow = FrameDistance(gx + (gx < 400.0f ? -3.0f : 3.0f), gy + 4.0f) * kTexels;
                    return HudStyle::Panel(d, shadow, (gy - 300.0f) * kTexels, 600.0f * kTexels, kRim * kTexels);
                });
                const float split = left.width / width;
                return HudStyle::BuildTextured({{left, 0.0f, 0.0f, split, 1.0f}, {right, split, 0.0f, 1.0f, 1.0f}},
                                               canvas, "background");
            }};
}

ArtColor FieldFace()
{
    return ArtCanvas::Rgb(0x1c120a);
}

Part Field(const std::string& name, const Box& box)
{
    return {HudStyle::TexturedPaths(kHud + name, name), [box, name]() {
                const ArtCanvas canvas =
                    MenuStyle::PaintCentred(box.width, box.height, [](float x, float y, float w, float h) {
                        return HudStyle::Field(x, y, w - 2.0f, h - 2.0f, 12.0f, FieldFace());
                    });
                return HudStyle::BuildTextured({{box, 0.0f, 0.0f, 1.0f, 1.0f}}, canvas, name);
            }};
}

// A bar's frame: a small panel holding the sunk trough and, beside it, the
// caption's own dark field.
Part BarFrame(const std::string& name, const Box& frame)
{
    return {HudStyle::TexturedPaths(kHud + name, name), [frame, name]() {
                const ArtCanvas canvas =
                    MenuStyle::PaintCentred(frame.width, frame.height, [&](float x, float y, float w, float h) {
                        const float d = MenuStyle::RoundedBoxDistance(x, y, w - 4.0f, h - 4.0f, 12.0f * kTexels);
                        const float shadowD =
                            MenuStyle::RoundedBoxDistance(x - 2.0f, y + 4.0f, w - 4.0f, h - 4.0f, 12.0f * kTexels);
                        ArtColor color = HudStyle::Panel(d, shadowD, y, h, 4.0f * kTexels);
                        // GUI units from the frame's lower left corner.
                        const float gx = x / kTexels + frame.width * 0.5f;
                        const float gy = y / kTexels + frame.height * 0.5f;
                        const auto sunk = [&](const Box& b, const ArtColor& face) {
                            return HudStyle::Field((gx - b.CentreX()) * kTexels, (gy - b.CentreY()) * kTexels,
                                                   b.width * kTexels, b.height * kTexels, 8.0f * kTexels, face);
                        };
                        color = ArtCanvas::Over(sunk(HudLayout::kTroughInFrame, ArtCanvas::Rgb(0x140d07)), color);
                        color = ArtCanvas::Over(sunk(HudLayout::kCaptionInFrame, FieldFace()), color);
                        return color;
                    });
                return HudStyle::BuildTextured({{frame, 0.0f, 0.0f, 1.0f, 1.0f}}, canvas, name);
            }};
}

// A vertical bar filling: deep at the bottom, light at the top, with a
// glossy band down its left side.
Part Bar(const std::string& name, const Box& box, const ArtColor& deep, const ArtColor& light)
{
    return {HudStyle::TexturedPaths(kHud + name, name), [box, name, deep, light]() {
                ArtCanvas canvas(MenuStyle::PixelsFor(box.width), MenuStyle::PixelsFor(box.height));
                canvas.Paint([&](float u, float v) {
                    ArtColor color = ArtCanvas::Mix(deep, light, v);
                    const float across = std::fabs(u - 0.32f);
                    color = ArtCanvas::Mix(color, ArtColor{1.0f, 1.0f, 1.0f, 1.0f},
                                           0.45f * (1.0f - ArtCanvas::SmoothStep(0.05f, 0.22f, across)));
                    color = ArtCanvas::Scale(color, 0.75f + 0.25f * std::sin(u * 3.14159f));
                    const float sparkle = ArtCanvas::Noise(u * 6.0f, v * 60.0f, 77);
                    return ArtCanvas::Mix(color, light, 0.25f * ArtCanvas::SmoothStep(0.7f, 0.9f, sparkle));
                });
                return HudStyle::BuildBar(box, false, canvas, name);
            }};
}

using IconPainter = float (*)(float x, float y, bool checked);

// Icons are drawn in GUI units round the look's centre; they return ink cover.
float MinimizeIcon(float x, float y, bool)
{
    return HudStyle::Stroke(HudStyle::SegmentDistance(x, y, -6.5f, -6.0f, 6.5f, -6.0f), 1.6f);
}

float CloseIcon(float x, float y, bool)
{
    const float a = HudStyle::SegmentDistance(x, y, -6.0f, -6.0f, 6.0f, 6.0f);
    const float b = HudStyle::SegmentDistance(x, y, -6.0f, 6.0f, 6.0f, -6.0f);
    return HudStyle::Stroke(std::fmin(a, b), 1.6f);
}

// A window's outline with a thick title bar.
float WindowOutline(float x, float y, float cx, float cy, float width, float height)
{
    const float outline = std::fabs(MenuStyle::RoundedBoxDistance(x - cx, y - cy, width, height, 1.0f));
    const float top = cy + height * 0.5f;
    const float bar = (std::fabs(x - cx) < width * 0.5f && y < top && y > top - 3.0f) ? 0.0f : 10.0f;
    return std::fmin(outline, bar);
}

// Checked (full screen) shows the way to a window: two small windows, one
// over the other. Unchecked (a window) shows the way to the full screen: one
// large window with arrows toward its corners.
float WindowModeIcon(float x, float y, bool checked)
{
    if (checked) {
        const float back = WindowOutline(x, y, 2.5f, 2.5f, 11.0f, 9.0f);
        // The front window hides what lies behind it.
        const float front = WindowOutline(x, y, -2.5f, -2.5f, 11.0f, 9.0f);
        const bool underFront = MenuStyle::RoundedBoxDistance(x + 2.5f, y + 2.5f, 11.0f, 9.0f, 1.0f) < 0.0f;
        return std::fmax(HudStyle::Stroke(front, 0.8f), underFront ? 0.0f : HudStyle::Stroke(back, 0.8f));
    }
    const float frame = WindowOutline(x, y, 0.0f, 0.0f, 17.0f, 14.0f);
    float arrows = 100.0f;
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            const float tipX = 4.5f * static_cast<float>(sx);
            const float tipY = 3.5f * static_cast<float>(sy) - 1.0f;
            arrows = std::fmin(arrows, HudStyle::SegmentDistance(x, y, 0.0f, -1.0f, tipX, tipY));
            arrows = std::fmin(arrows,
                               HudStyle::SegmentDistance(x, y, tipX, tipY, tipX - 2.0f * static_cast<float>(sx), tipY));
            arrows = std::fmin(arrows,
                               HudStyle::SegmentDistance(x, y, tipX, tipY, tipX, tipY - 2.0f * static_cast<float>(sy)));
        }
    }
    return std::fmax(HudStyle::Stroke(frame, 0.8f), HudStyle::Stroke(arrows, 0.7f));
}

// State of a look's picture and whether it is a checked one.
void Decode(std::uint32_t picture, std::uint32_t states, State& state, bool& checked)
{
    checked = false;
    if (states == MenuDarkStyle::kButtonStates) {
        state = static_cast<State>(picture);
        return;
    }
    if (picture >= 6) {
        state = State::kDisabled;
        checked = picture == 7;
        return;
    }
    state = static_cast<State>(picture % 3);
    checked = picture >= 3;
}

// A look family "button_game_logic_<name>": the look, its hit area and its
// caption area, all where the HUD shows them.
std::vector<Part> Look(const std::string& name, const Box& box, std::uint32_t states, IconPainter icon, float textInset)
{
    const std::string stem = kControls + "button_game_logic_" + name;
    Part look{
        HudStyle::TexturedPaths(stem, "button_game_logic_" + name), [=]() {
            return HudStyle::BuildStateLook(
                box, states, "button_game_logic_" + name,
                [&](std::uint32_t picture, float x, float y, float w, float h) {
                    State state;
                    bool checked;
                    Decode(picture, states, state, checked);
                    const float radius = icon == nullptr ? (h - 6.0f) * 0.5f : 8.0f * kTexels;
                    ArtColor color = HudStyle::Button(x, y + (state == State::kPressed ? 1.0f : 0.0f), w - 6.0f,
                                                      h - 6.0f, radius, state);
                    if (icon != nullptr) {
                        const float ink = icon(x / kTexels, y / kTexels + 0.5f, checked);
                        const ArtColor inkColor =
                            state == State::kDisabled ? ArtCanvas::Rgb(0xb8b4a8) : MenuStyle::Parchment();
                        color = ArtCanvas::Over(ArtColor{inkColor.r, inkColor.g, inkColor.b, ink * color.a}, color);
                    }
                    return color;
                });
        }};
    return {look, Plain(stem + "_selection_area", box.Inset(HudLayout::kSelectionInset)),
            Plain(stem + "_text_area", box.Inset(textInset))};
}

std::vector<Part> Parts()
{
    using L = HudLayout;
    std::vector<Part> parts;
    parts.push_back(Background());
    parts.push_back(Plain(kHud + "menu_button", L::Centred(L::kMenuButtonX, L::kMenuButtonY, 124.0f, 40.0f)));
    parts.push_back(Plain(kHud + "mode_button", L::kModeButton));
    parts.push_back(Plain(kHud + "minimize_button", L::kMinimizeButton));
    parts.push_back(Plain(kHud + "maximize_window_button", L::kWindowModeButton));
    parts.push_back(Plain(kHud + "maximize_fullscreen_button", L::kWindowModeButton));
    parts.push_back(Plain(kHud + "close_button", L::kCloseButton));

    parts.push_back(Field("level_name", L::kLevelField));
    parts.push_back(Plain(kHud + "level_name_text_area", L::kLevelField.Inset(L::kFieldTextInset)));
    parts.push_back(Plain(kHud + "level_name_title_text_area", L::kLevelCaption));
    parts.push_back(Field("score", L::kScoreField));
    parts.push_back(Plain(kHud + "score_text_area", L::kScoreField.Inset(L::kFieldTextInset)));
    parts.push_back(Plain(kHud + "score_title_text_area", L::kScoreCaption));

    parts.push_back(BarFrame("mana_background", L::kManaFrame));
    parts.push_back(
        Bar("mana", L::InFrame(L::kManaFrame, L::kBarInFrame), HudStyle::ManaDeep(), HudStyle::ManaLight()));
    parts.push_back(Plain(kHud + "mana_text_area", L::InFrame(L::kManaFrame, L::kCaptionInFrame)));
    parts.push_back(BarFrame("energy_background", L::kEnergyFrame));
    parts.push_back(
        Bar("energy", L::InFrame(L::kEnergyFrame, L::kBarInFrame), HudStyle::EnergyDeep(), HudStyle::EnergyLight()));
    parts.push_back(Plain(kHud + "energy_text_area", L::InFrame(L::kEnergyFrame, L::kCaptionInFrame)));

    for (std::vector<Part> look :
         {Look("mode", L::kModeButton, MenuDarkStyle::kButtonStates, nullptr, L::kModeTextInset),
          Look("minimize", L::kMinimizeButton, MenuDarkStyle::kButtonStates, MinimizeIcon, L::kSelectionInset),
          Look("maximize", L::kWindowModeButton, MenuDarkStyle::kCheckBoxStates, WindowModeIcon, L::kSelectionInset),
          Look("close", L::kCloseButton, MenuDarkStyle::kButtonStates, CloseIcon, L::kSelectionInset)})
        parts.insert(parts.end(), look.begin(), look.end());
    return parts;
}

} // namespace

std::vector<std::string> HudArt::GetPaths()
{
    std::vector<std::string> paths;
    for (const Part& part : Parts())
        paths.insert(paths.end(), part.paths.begin(), part.paths.end());
    for (const std::string& path : ResultArt::GetPaths())
        paths.push_back(path);
    return paths;
}

void HudArt::AddRecipes(DataSetBuilder& builder)
{
    // Pictures in their own recipes, so that the workers paint them side by side.
    std::vector<Part> plain;
    for (Part& part : Parts()) {
        if (part.paths.size() > 2) {
            HudStyle::AddRecipe(builder, "hud art: " + part.paths.front(), kRecipeVersion, {part});
        } else {
            plain.push_back(part);
        }
    }
    HudStyle::AddRecipe(builder, "hud art: areas", kRecipeVersion, plain);
    ResultArt::AddRecipes(builder);
}

} // namespace Content
