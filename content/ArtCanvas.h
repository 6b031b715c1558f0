// A picture painted in floating point for the game's generated textures:
// every pixel is set by a function of its texture coordinates (u right, v up,
// both 0 to 1 over the picture, as the models map them), then written as a
// colour JPEG and, for textures with holes, a grey JPEG of its opacity.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace Content {

struct ArtColor
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

class ArtCanvas
{
public:
    ArtCanvas(std::uint32_t width, std::uint32_t height);

    // Sets every pixel of the rectangle (pixels, rows from the top) from
    // paint(u, v), u and v running 0 to 1 over the rectangle, v upward.
    void Paint(const std::function<ArtColor(float u, float v)>& paint);
    void PaintRect(std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height,
                   const std::function<ArtColor(float u, float v)>& paint);
    // Softens the opacity over a square of (2 radius + 1) pixels, twice.
    void BlurAlpha(std::uint32_t radius);

    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    ArtColor& At(std::uint32_t x, std::uint32_t rowFromTop) { return pixels_[rowFromTop * width_ + x]; }
    const ArtColor& At(std::uint32_t x, std::uint32_t rowFromTop) const { return pixels_[rowFromTop * width_ + x]; }

    std::vector<std::uint8_t> BuildColorJpeg() const;
    std::vector<std::uint8_t> BuildAlphaJpeg() const;

    // Colour helpers shared by the painters.
    static ArtColor Mix(const ArtColor& a, const ArtColor& b, float t);
    static ArtColor Scale(const ArtColor& c, float factor);
    // top laid over under, both with straight alpha.
    static ArtColor Over(const ArtColor& top, const ArtColor& under);
    static ArtColor WithAlpha(ArtColor color, float alpha);
    // Hue in turns (0 to 1), saturation and value 0 to 1.
    static ArtColor Hsv(float hue, float saturation, float value, float alpha = 1.0f);
    static ArtColor Rgb(std::uint32_t hex, float alpha = 1.0f);
    static float SmoothStep(float edge0, float edge1, float x);
    static float Clamp01(float x);
    // Smooth, repeatable value noise in [0, 1] over the plane.
    static float Noise(float x, float y, std::uint32_t seed);

private:
    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<ArtColor> pixels_;
};

} // namespace Content
