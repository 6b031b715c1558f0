// The dark faces of the menu style: the screens print their texts in white,
// so the frames' faces, the buttons, fields and the list under those texts are
// dark walnut and deep leaf green, rimmed with the carved wood and the honey
// of the menu palette. Also the helpers of the frame and control recipes:
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
