// A rectangle in GUI coordinates (x right, y up, 800 x 600) given by its
// lower left corner and its size: what the menu and HUD layout tables and
// the recipes painting over them measure in.
#pragma once

namespace Content {

struct LayoutBox
{
    float left;
    float bottom;
    float width;
    float height;

    constexpr float CentreX() const { return left + width * 0.5f; }
    constexpr float CentreY() const { return bottom + height * 0.5f; }
    constexpr float Right() const { return left + width; }
    constexpr float Top() const { return bottom + height; }
    // The same centre, smaller by inset on every side.
    constexpr LayoutBox Inset(float inset) const
    {
        return LayoutBox{left + inset, bottom + inset, width - 2.0f * inset, height - 2.0f * inset};
    }
};

} // namespace Content
