// The head-up display's faces in the menus' look: the game prints its HUD and
// result texts in white, so the faces under them are dark walnut and deep leaf
// green, rimmed with the carved wood and honey of the menu palette. Painters
// for panels of any outline (given by its signed distance), buttons, sunk
// fields, bar fillings and line icons, and the builders of the HUD's models:
// untextured areas, textured quads, button looks with one picture per state,
// and bars whose two key frames run from full to empty. What the HUD shares
// with the menus' dark faces (walnut, shadows, button greens, the carved
// panel, state looks) it takes from MenuDarkStyle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/HudLayout.h"
#include "content/MenuDarkStyle.h"
#include "content/MenuStyle.h"

namespace Content {

class DataSetBuilder;

class HudStyle
{
public:
    using Outputs = std::vector<std::vector<std::uint8_t>>;
    using Box = HudLayout::Box;

    static ArtColor ManaLight();
    static ArtColor ManaDeep();
    static ArtColor EnergyLight();
    static ArtColor EnergyDeep();

    // Smooth union of two signed distances, rounding the inner corner by k.
    static float Union(float a, float b, float k);

    // A walnut face inside a carved wood rim of the given width with a honey
    // line inside it, over a soft shadow: d is the outline's signed distance at
    // the pixel, shadowD the same outline's a little down and right, y the
    // pixel's height from the outline's middle and height the outline's.
    static ArtColor Panel(float d, float shadowD, float y, float height, float rim);
    // A rounded pill in the state's leaf green, dark enough under white ink.
    static ArtColor Button(float x, float y, float width, float height, float radius, MenuStyle::State state);
    // A rounded field sunk into its surround, of the given face colour.
    static ArtColor Field(float x, float y, float width, float height, float radius, const ArtColor& face);
    // How much of a stroke of the given half width lies on a pixel whose
    // distance to the stroke's middle line is d (pixels).
    static float Stroke(float d, float halfWidth);
    // Distance from (x, y) to the segment (ax, ay)-(bx, by).
    static float SegmentDistance(float x, float y, float ax, float ay, float bx, float by);

    // Pack paths of a model stem ("ui\menus\models\game_logic\score") with its
    // picture under the HUD's texture folder, and that picture's pack path.
    static std::vector<std::string> TexturedPaths(const std::string& stem, const std::string& picture);
    static std::string PictureOf(const std::string& picture);
    // A static quad over the box whose shader names no picture: layout and area
    // models, read for their boxes and never drawn.
    static Outputs BuildPlain(const Box& box);
    // Static quads over the boxes, each showing its part of the picture
    // (u0, v0, u1, v1), with the picture's shader.
    struct Piece
    {
        Box box;
        float u0;
        float v0;
        float u1;
        float v1;
    };
    static Outputs BuildTextured(const std::vector<Piece>& pieces, const ArtCanvas& canvas, const std::string& picture);
    // A look of `states` pictures in a column over the box, each painted by
    // paint(state, x, y, pixelWidth, pixelHeight), x and y in pixels from the
    // picture's centre; the shader shows the state the widget names.
    template <class Painter>
    static Outputs BuildStateLook(const Box& box, std::uint32_t states, const std::string& picture, Painter paint)
    {
        return MenuDarkStyle::BuildStateLook(box, states, PictureOf(picture), paint);
    }
    // A bar over the box filled by the canvas: key frame 0 full, key frame 1
    // empty, shrinking toward the left side (horizontal) or the bottom, the
    // picture cut rather than squeezed.
    static Outputs BuildBar(const Box& box, bool horizontal, const ArtCanvas& canvas, const std::string& picture);

    // One model's pack paths and the function making its outputs in that
    // order; a recipe of several adds them all under one origin.
    struct Part
    {
        std::vector<std::string> paths;
        std::function<Outputs()> make;
    };
    static void AddRecipe(DataSetBuilder& builder, const std::string& origin, const std::string& version,
                          const std::vector<Part>& parts);
};

} // namespace Content
