#include "content/MenuControlArt.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MenuDarkStyle.h"
#include "content/MenuLayout.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "menu controls 2";
constexpr const char* kModels = "ui\\menus\\models\\controls\\";
constexpr const char* kTextures = "ui\\menus\\textures\\controls\\";
// Room around a button's face for its shadow, in GUI units.
constexpr float kFaceMargin = 4.0f;

using Box = MenuLayout::Box;
using State = MenuStyle::State;
using L = MenuLayout;

Box LookBox(float width, float height)
{
    return L::Centred(L::kLookX, L::kLookY, width, height);
}

State StateOf(std::uint32_t index)
{
    return static_cast<State>(std::min<std::uint32_t>(index, 3));
}

float Px(float units)
{
    return units * MenuStyle::kTexelsPerUnit;
}

// A recipe of one look (its state pictures) and any number of plain models.
struct LookRecipe
{
    std::string name;
    Box box;
    std::uint32_t states;
    // paint(state, x, y, w, h)
    std::function<ArtColor(std::uint32_t, float, float, float, float)> paint;
    std::vector<std::pair<std::string, Box>> plain;
};

void AddLook(DataSetBuilder& builder, LookRecipe look)
{
    AssetRecipe recipe;
    recipe.origin = "menu control " + look.name;
    recipe.packPaths = MenuStyle::TexturedModelPaths(kModels + look.name, kTextures + look.name);
    recipe.parameters = std::string(kRecipeVersion) + " " + look.name + " " + std::to_string(look.box.width) + "x" +
                        std::to_string(look.box.height);
    for (const auto& plain : look.plain) {
        const std::vector<std::string> paths = MenuDarkStyle::PlainModelPaths(kModels + plain.first);
        recipe.packPaths.insert(recipe.packPaths.end(), paths.begin(), paths.end());
        recipe.parameters += " " + plain.first + " " + std::to_string(plain.second.CentreX()) + "," +
                             std::to_string(plain.second.CentreY());
    }
    recipe.make = [look]() {
        AssetRecipe::Outputs outputs =
            MenuDarkStyle::BuildStateLook(look.box, look.states, kTextures + look.name, look.paint);
        for (const auto& plain : look.plain) {
            AssetRecipe::Append(outputs, MenuDarkStyle::BuildPlainModel(plain.second));
        }
        return outputs;
    };
    builder.Add(std::move(recipe));
}

void AddButtonFamily(DataSetBuilder& builder, const std::string& family, float width, float height,
                     float selectionWidth, float selectionHeight, float textWidth, float textHeight, float radius)
{
    LookRecipe look;
    look.name = "button_" + family;
    look.box = LookBox(width, height);
    look.states = MenuDarkStyle::kButtonStates;
    look.paint = [radius](std::uint32_t state, float x, float y, float w, float h) {
        return MenuDarkStyle::Button(x, y, w - Px(2.0f * kFaceMargin), h - Px(2.0f * kFaceMargin), Px(radius),
                                     StateOf(state));
    };
    look.plain = {{look.name + "_selection_area", LookBox(selectionWidth, selectionHeight)},
                  {look.name + "_text_area", LookBox(textWidth, textHeight)}};
    AddLook(builder, std::move(look));
}

// A filled triangle pointing along (dx, dy), its tip `size` pixels from the centre.
float TriangleCoverage(float x, float y, float dx, float dy, float size)
{
    // Along the direction and across it.
    const float along = x * dx + y * dy;
    const float across = std::fabs(-x * dy + y * dx);
    const float back = -size * 0.55f;
    // Inside when behind the tip's slanted sides and in front of the back edge.
    const float slope = 0.62f;
    const float side = (along - size) * slope + across; // < 0 inside
    const float d = std::max(side / std::sqrt(1.0f + slope * slope), back - along);
    return ArtCanvas::Clamp01(0.5f - d);
}

ArtColor PaintArrow(std::uint32_t state, float x, float y, float w, float h, float dx, float dy)
{
    const float face = std::min(w, h) - Px(2.0f);
    const ArtColor button = MenuDarkStyle::Button(x, y, face, face, face * 0.5f, StateOf(state));
    const ArtColor ink = StateOf(state) == State::kDisabled ? MenuStyle::Stone() : MenuStyle::Honey();
    ArtColor arrow = ink;
    arrow.a = TriangleCoverage(x, y + (state == 2 ? 1.0f : 0.0f), dx, dy, face * 0.26f);
    return ArtCanvas::Over(arrow, button);
}

// Distance from (x, y) to the segment from a to b.
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by)
{
    const float vx = bx - ax;
    const float vy = by - ay;
    const float t = ArtCanvas::Clamp01(((x - ax) * vx + (y - ay) * vy) / std::max(vx * vx + vy * vy, 1e-6f));
    return std::hypot(x - ax - t * vx, y - ay - t * vy);
}

ArtColor PaintCheckBox(std::uint32_t picture, float x, float y, float w, float h)
{
    // Pictures 0-2 unchecked, 3-5 checked (normal, hover, pressed), 6 and 7 disabled.
    const bool disabled = picture >= 6;
    const bool checked = disabled ? picture == 7 : picture >= 3;
    const std::uint32_t state = disabled ? 3 : picture % 3;
    const float side = std::min(w, h) - Px(2.0f);
    ArtColor box = MenuDarkStyle::Field(x, y, side, side, Px(5.0f));
    // The rim tells the state: honey under the pointer, stone when disabled.
    const float d = MenuStyle::RoundedBoxDistance(x, y, side, side, Px(5.0f));
    const float rimWidth = state == 1 ? Px(2.0f) : Px(1.2f);
    const float rim =
        ArtCanvas::SmoothStep(-rimWidth - 1.0f, -rimWidth, d) * (1.0f - ArtCanvas::SmoothStep(-0.5f, 0.5f, d));
    const ArtColor rimColor = disabled ? MenuStyle::Stone() : (state == 2 ? MenuStyle::Wood() : MenuStyle::Honey());
    box = ArtCanvas::Mix(box, rimColor, (state == 1 ? 1.0f : 0.7f) * rim);
    if (!checked) {
        return box;
    }
    const float s = side * 0.5f;
    const float stroke = std::min(SegmentDistance(x, y, -0.55f * s, 0.05f * s, -0.15f * s, -0.45f * s),
                                  SegmentDistance(x, y, -0.15f * s, -0.45f * s, 0.6f * s, 0.55f * s));
    ArtColor tick = disabled ? MenuStyle::Stone() : (state == 1 ? MenuStyle::LeafLight() : MenuStyle::Honey());
    tick.a = ArtCanvas::Clamp01(Px(1.8f) + 0.5f - stroke);
    return ArtCanvas::Over(tick, box);
}

ArtColor PaintTrack(std::uint32_t state, float x, float y, float w, float h)
{
    ArtColor groove = MenuDarkStyle::Field(x, y, w, h, std::min(w, h) * 0.5f);
    if (StateOf(state) == State::kDisabled) {
        groove = ArtCanvas::Mix(groove, MenuStyle::Stone(), 0.25f);
    }
    return groove;
}

void AddScroll(DataSetBuilder& builder, bool horizontal)
{
    const std::string name = horizontal ? "scroll_h" : "scroll_v";
    const float length = horizontal ? L::kTrackLength : L::kListTrackLength;
    const auto along = [horizontal](float a, float b) { return horizontal ? a : b; };
    const float trackW = along(length, L::kTrackThickness);
    const float trackH = along(L::kTrackThickness, length);
    const float knobW = along(L::kKnobLength, L::kKnobThickness);
    const float knobH = along(L::kKnobThickness, L::kKnobLength);
    const float inset = 2.0f;
    // The knob's first place; the last-place model stands one knob further on.
    const float first = -length * 0.5f + L::kKnobLength * 0.5f + inset;
    const float last = length * 0.5f - L::kKnobLength * 0.5f - inset + L::kKnobLength;
    const float arrow = length * 0.5f + L::kArrowGap + L::kArrowSide * 0.5f;
    // The track's lower-left corner at the origin: the scroll bar's window is
    // placed by that corner, so its rectangle is where its track is drawn.
    const float cx = trackW * 0.5f;
    const float cy = trackH * 0.5f;
    const auto place = [&](float offset, float w, float h) {
        return horizontal ? L::Centred(cx + offset, cy, w, h) : L::Centred(cx, cy + offset, w, h);
    };

    LookRecipe track;
    track.name = name;
    track.box = place(0.0f, trackW, trackH);
    track.states = MenuDarkStyle::kButtonStates;
    track.paint = PaintTrack;
    // On a vertical list the increasing direction is downwards: its "increase"
    // place holds the upper arrow.
    track.plain = {{name + "_toddler_min", place(first, knobW, knobH)},
                   {name + "_toddler_max", place(last, knobW, knobH)},
                   {name + "_button_increase", place(arrow, L::kArrowSide, L::kArrowSide)},
                   {name + "_button_decrease", place(-arrow, L::kArrowSide, L::kArrowSide)}};
    AddLook(builder, std::move(track));

    LookRecipe knob;
    knob.name = name + "_toddler";
    knob.box = place(0.0f, knobW, knobH);
    knob.states = MenuDarkStyle::kButtonStates;
    knob.paint = [](std::uint32_t state, float x, float y, float w, float h) {
        return MenuDarkStyle::Button(x, y, w - Px(2.0f), h - Px(2.0f), Px(6.0f), StateOf(state));
    };
    AddLook(builder, std::move(knob));
}

} // namespace

void MenuControlArt::AddRecipes(DataSetBuilder& builder)
{
    AddButtonFamily(builder, "main_menu", L::kMainMenuButtonWidth, L::kMainMenuButtonHeight, L::kMainMenuSelectionWidth,
                    L::kMainMenuSelectionHeight, L::kMainMenuTextWidth, L::kMainMenuTextHeight,
                    (L::kMainMenuButtonHeight - 2.0f * kFaceMargin) * 0.5f);
    AddButtonFamily(builder, "big", L::kBigButtonWidth, L::kBigButtonHeight, L::kBigSelectionWidth,
                    L::kBigSelectionHeight, L::kBigTextWidth, L::kBigTextHeight, 12.0f);
    AddButtonFamily(builder, "small", L::kSmallButtonWidth, L::kSmallButtonHeight, L::kSmallSelectionWidth,
                    L::kSmallSelectionHeight, L::kSmallTextWidth, L::kSmallTextHeight, 10.0f);

    const struct
    {
        const char* name;
        float dx;
        float dy;
    } arrows[] = {{"up", 0.0f, 1.0f}, {"down", 0.0f, -1.0f}, {"left", -1.0f, 0.0f}, {"right", 1.0f, 0.0f}};
    for (const auto& arrow : arrows) {
        LookRecipe look;
        look.name = std::string("button_arrow_") + arrow.name;
        look.box = LookBox(L::kArrowSide, L::kArrowSide);
        look.states = MenuDarkStyle::kButtonStates;
        const float dx = arrow.dx;
        const float dy = arrow.dy;
        look.paint = [dx, dy](std::uint32_t state, float x, float y, float w, float h) {
            return PaintArrow(state, x, y, w, h, dx, dy);
        };
        AddLook(builder, std::move(look));
    }

    LookRecipe checkBox;
    checkBox.name = "check_box";
    checkBox.box = LookBox(L::kCheckBoxSide, L::kCheckBoxSide);
    checkBox.states = MenuDarkStyle::kCheckBoxStates;
    checkBox.paint = PaintCheckBox;
    AddLook(builder, std::move(checkBox));

    AddScroll(builder, true);
    AddScroll(builder, false);
}

} // namespace Content
