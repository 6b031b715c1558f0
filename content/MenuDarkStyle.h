// The dark faces of the menu style: the screens print their texts in white,
// so the frames' faces, the buttons, fields and the list under those texts are
// dark walnut and deep leaf green, rimmed with the carved wood and the honey
// of the menu palette; the HUD's faces share its walnut, shadows, button
// greens and carved panel. Also the helpers of the frame and control recipes:
// untextured layout and area models, and button looks whose state pictures
// lie in one texture, one cell per state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/MenuLayout.h"
#include "content/MenuStyle.h"

namespace Content {

class MenuDarkStyle
{
public:
    // Check-box pictures: unchecked normal, hover, pressed, then the same
    // checked, then disabled unchecked and checked, as the check box counts.
    static constexpr std::uint32_t kButtonStates = 4;
    static constexpr std::uint32_t kCheckBoxStates = 8;

    static ArtColor Walnut();     // frame faces under the lines
    static ArtColor WalnutDeep(); // toward the faces' rims

    // The warm shadow of an outline whose signed distance at the pixel is d,
    // fading out over spread pixels; how much of a pixel an outline covers.
    static ArtColor Shadow(float d, float spread, float strength);
    static float Coverage(float d);
    // Leaf greens a white caption reads on (contrast above 4 everywhere on the
    // face), the pointer's one lighter, the held one darker, the disabled grey.
    static ArtColor ButtonFace(MenuStyle::State state);

    // Where a panel's pixel reads its grain: (faceX, faceY) in the walnut
    // face's noise of the seed, (woodX, woodY) in the rim's of the next seed.
    struct Grain
    {
        float faceX;
        float faceY;
        float woodX;
        float woodY;
        std::uint32_t seed;
    };
    // A walnut face, deeper toward a carved wood rim of the given width with a
    // honey line inside it, over the shadow: d is the outline's signed
    // distance at the pixel, y the pixel's height from the outline's middle
    // and height the outline's.
    static ArtColor CarvedPanel(float d, float y, float height, float rim, const Grain& grain, const ArtColor& shadow);

    // A walnut panel in a carved wood rim of the given width with a honey line
    // inside it and a soft drop shadow; x, y in pixels from the picture's
    // centre, sizes in pixels.
    static ArtColor Panel(float x, float y, float width, float height, float radius, float rim);
    // A pill of the given corner radius in the state's leaf green, dark enough
    // for a white caption in every state.
    static ArtColor Button(float x, float y, float width, float height, float radius, MenuStyle::State state);
    // A dark field sunk into whatever lies around it (edit box, list, track).
    static ArtColor Field(float x, float y, float width, float height, float radius);

    // A static model of one quad over the box; its shader names no picture:
    // layout models and hit or text areas, never drawn.
    static std::vector<std::vector<std::uint8_t>> BuildPlainModel(const MenuLayout::Box& box);
    static std::vector<std::string> PlainModelPaths(const std::string& stem);

    // A look of `states` pictures in a column, each painted by
    // paint(state, x, y, pixelWidth, pixelHeight) over a box of the given GUI
    // size centred on the look's place; outputs for TexturedModelPaths.
    template <class Painter>
    static std::vector<std::vector<std::uint8_t>> BuildStateLook(const MenuLayout::Box& box, std::uint32_t states,
                                                                 const std::string& texture, Painter paint)
    {
        const std::uint32_t pw = MenuStyle::PixelsFor(box.width);
        const std::uint32_t ph = MenuStyle::PixelsFor(box.height);
        ArtCanvas canvas(pw, ph * states);
        const float w = static_cast<float>(pw);
        const float h = static_cast<float>(ph);
        for (std::uint32_t state = 0; state < states; ++state) {
            // Cell 0 is the picture's top row of cells.
            canvas.PaintRect(0, state * ph, pw, ph,
                             [&](float u, float v) { return paint(state, (u - 0.5f) * w, (v - 0.5f) * h, w, h); });
        }
        return BuildGridLook(box, states, canvas, texture);
    }

private:
    static std::vector<std::vector<std::uint8_t>> BuildGridLook(const MenuLayout::Box& box, std::uint32_t states,
                                                                const ArtCanvas& canvas, const std::string& texture);
};

} // namespace Content
