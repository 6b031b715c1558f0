// Small painting helpers shared by the menu background and the introduction:
// layering with opacity, edge coverage from a signed distance, layered noise,
// easing for key frames, and a canvas painted in GUI units rather than pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/MenuStyle.h"

namespace Content {

class ArtPaint
{
public:
    // Opacity of a shape's edge at a signed distance in GUI units (negative
    // inside), one texel of soft edge at MenuStyle's scale.
    static float Coverage(float distance);
    // Signed distance (units) to an axis-aligned ellipse centred on the origin;
    // exact on the axes, close enough elsewhere for painting.
    static float EllipseDistance(float x, float y, float radiusX, float radiusY);
    // Noise summed over octaves of doubling frequency, 0 to 1.
    static float Fbm(float x, float y, std::uint32_t seed, int octaves);
    // 0 to 1, fast at first and settling at 1.
    static float EaseOut(float t);
    // Overshoots 1 a little before settling, as a thing dropped on a rope.
    static float EaseBack(float t);

    // A canvas of (width x height) GUI units, each pixel set by paint(x, y) with
    // x and y in units from the lower-left corner. Its sides are powers of two
    // (the texture manager takes no others) of at least 1.6 texels per unit:
    // sharp at 1024 x 768, where a unit is 1.28 pixels.
    template <class Painter>
    static ArtCanvas PaintUnits(float width, float height, Painter paint)
    {
        ArtCanvas canvas(SideFor(width), SideFor(height));
        canvas.Paint([&](float u, float v) { return paint(u * width, v * height); });
        return canvas;
    }
    static std::uint32_t SideFor(float units);

    // frameCount key frames, frame k made by make(t) with t running 0 to 1.
    template <class Maker>
    static std::vector<ArtMesh> KeyFrames(std::uint32_t frameCount, Maker make)
    {
        std::vector<ArtMesh> frames;
        for (std::uint32_t k = 0; k < frameCount; ++k) {
            frames.push_back(make(frameCount > 1 ? static_cast<float>(k) / static_cast<float>(frameCount - 1) : 1.0f));
        }
        return frames;
    }
};

} // namespace Content
