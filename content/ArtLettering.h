// A line of text set in one of the game's faces as a coverage map, for art that
// carries lettering (the game's title, the studio's name): painters sample it
// like a stencil, with its outline or a drop shadow made by sampling it again
// at an offset or a larger radius.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ArtLettering
{
public:
    // Sets text (ASCII) at pixelHeight in the given face. Throws
    // OrrelayEngine::FileError when the face is missing.
    ArtLettering(const std::string& faceFile, const std::string& text, std::uint32_t pixelHeight);

    // Pixels; the line's height is the font's cell (its tallest and deepest
    // ink with a clear margin).
    float GetWidth() const { return static_cast<float>(width_); }
    float GetHeight() const { return static_cast<float>(height_); }

    // Coverage 0 to 1 at (x right, y down) pixels from the line's top-left,
    // filtered between pixels; 0 outside.
    float Sample(float x, float y) const;
    // The largest coverage within radius pixels (eight directions and the
    // centre): a cheap outline.
    float SampleSpread(float x, float y, float radius) const;

private:
    float At(std::int32_t x, std::int32_t y) const;

    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::vector<float> coverage_;
};

} // namespace Content
