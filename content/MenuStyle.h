// The one look of the menus and the head-up display: a palette of warm
// parchment panels in carved wood frames with leaf-green buttons and honey
// highlights, the painters that draw them, and flat GUI models placed in GUI
// coordinates (x right, y up, 800 x 600, z = 0) with their texture shader.
// Every menu and HUD recipe paints with these, so that the screens agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"

namespace Content {

class MenuStyle
{
public:
    // Pictures are painted at twice their GUI size, then stored shrunk to
    // about the size they are shown at 1024 x 768 (the game's largest screen,
    // where a unit is 1.28 pixels): painting finer than that smooths the edges.
    static constexpr float kTexelsPerUnit = 2.0f;
    static constexpr float kShownTexelsPerUnit = 1024.0f / 800.0f;

    // The palette.
    static ArtColor Parchment();      // panel face
    static ArtColor ParchmentShade(); // panel face toward its rim
    static ArtColor Wood();           // frames and rims
    static ArtColor WoodDark();       // frame edges, ink on parchment
    static ArtColor Honey();          // highlights, selected things
    static ArtColor Leaf();           // buttons at rest
    static ArtColor LeafLight();      // buttons under the pointer
    static ArtColor LeafDark();       // buttons held down
    static ArtColor Stone();          // disabled things
    static ArtColor Sky();            // open space, the menu backdrop

    // Button and check-box states, in the order their key frames come.
    enum class State
    {
        kNormal,
        kHover,
        kPressed,
        kDisabled
    };

    // Signed distance (units of the picture's pixels) from a point to the edge
    // of a rounded rectangle of the given size centred on the origin; negative
    // inside.
    static float RoundedBoxDistance(float x, float y, float width, float height, float radius);

    // A parchment panel with a carved wood rim of the given width and a soft
    // drop shadow, over a transparent surround. x and y are pixels from the
    // picture's centre; width and height the panel's size in pixels.
    static ArtColor Panel(float x, float y, float width, float height, float radius, float rim);
    // A pill-shaped button face in the given state, lit from above.
    static ArtColor Button(float x, float y, float width, float height, State state);
    // A rounded field sunk into the parchment (edit boxes, score fields, bars).
    static ArtColor Field(float x, float y, float width, float height, const ArtColor& face);

    // A canvas of (width x height) GUI units at kTexelsPerUnit, each pixel set by
    // paint(x, y, pixelWidth, pixelHeight) with x and y in pixels from its centre.
    template <class Painter>
    static ArtCanvas PaintCentred(float width, float height, Painter paint)
    {
        const std::uint32_t pw = PixelsFor(width);
        const std::uint32_t ph = PixelsFor(height);
        ArtCanvas canvas(pw, ph);
        const float w = static_cast<float>(pw);
        const float h = static_cast<float>(ph);
        canvas.Paint([&](float u, float v) { return paint((u - 0.5f) * w, (v - 0.5f) * h, w, h); });
        return canvas;
    }
    static std::uint32_t PixelsFor(float units);
    // The same for a painter in GUI units, paint(x, y) from the lower-left corner.
    template <class Painter>
    static ArtCanvas PaintUnits(float width, float height, Painter paint)
    {
        ArtCanvas canvas(PixelsFor(width), PixelsFor(height));
        canvas.Paint([&](float u, float v) { return paint(u * width, v * height); });
        return canvas;
    }

    // A painting at kTexelsPerUnit as it goes into the pack: shrunk evenly to
    // about its shown size and padded to power-of-two sides (the texture
    // manager stretches any other size at every load), the padding repeating
    // the painting's edge so that filtering takes nothing else in. A painting
    // of `cells` equal pictures stacked from the top (a state look) keeps them
    // apart, each padded to a power-of-two height of its own.
    struct StoredPicture
    {
        ArtCanvas canvas;
        // The share of the picture's width and of one cell's height that the
        // painting covers, from their lower-left corners.
        float usedU;
        float usedV;
    };
    static StoredPicture StorePicture(const ArtCanvas& painted, std::uint32_t cells = 1);
    // The usedU and usedV StorePicture gives a cell painted at this size, for
    // models that show another recipe's picture.
    static void GetStoredShare(std::uint32_t paintedWidth, std::uint32_t paintedHeight, float& usedU, float& usedV);
    // The mesh with its texture coordinates multiplied by (uScale, vScale).
    static ArtMesh ScaleTextureCoordinates(const ArtMesh& mesh, float uScale, float vScale);

    // A flat quad from (left, bottom) of the given size in GUI coordinates,
    // the picture's (u0, v0) to (u1, v1) over it.
    static ArtMesh Quad(float left, float bottom, float width, float height, float u0 = 0.0f, float v0 = 0.0f,
                        float u1 = 1.0f, float v1 = 1.0f);
    // The bytes of a GUI model of the given frames (one: static) running at
    // framesPerSecond.
    static std::vector<std::uint8_t> BuildGuiModel(const std::vector<ArtMesh>& frames, float framesPerSecond = 0.0f);
    // A textured quad's model and the shader beside it: outputs for the pack
    // paths "<stem>.mlf", "<stem>.srf", then the colour and opacity pictures
    // named by texture (pack-relative, without "data\"), "<texture>.jpg" and
    // "<texture>_alpha.jpg". The canvas is painted at kTexelsPerUnit and
    // stored by StorePicture, the frames' texture coordinates (0 to 1 over
    // the painting) moved onto the part it covers.
    static std::vector<std::vector<std::uint8_t>> BuildTexturedModel(const std::vector<ArtMesh>& frames,
                                                                     float framesPerSecond, const ArtCanvas& canvas,
                                                                     const std::string& texture);
    static std::vector<std::string> TexturedModelPaths(const std::string& stem, const std::string& texture);
};

} // namespace Content
