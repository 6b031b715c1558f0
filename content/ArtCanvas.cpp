#include "content/ArtCanvas.h"

#include <algorithm>
#include <cmath>

#include "content/FixturePicture.h"
#include "content/JpegFileWriter.h"

namespace Content {

namespace {

constexpr int kJpegQuality = 90;

std::uint8_t ToByte(float value)
{
    return static_cast<std::uint8_t>(std::lround(ArtCanvas::Clamp01(value) * 255.0f));
}

float Hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFu) / 65535.0f;
}

} // namespace

ArtCanvas::ArtCanvas(std::uint32_t width, std::uint32_t height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height)
{}

void ArtCanvas::Paint(const std::function<ArtColor(float, float)>& paint)
{
    PaintRect(0, 0, width_, height_, paint);
}

void ArtCanvas::PaintRect(std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height,
                          const std::function<ArtColor(float, float)>& paint)
{
    for (std::uint32_t row = 0; row < height && top + row < height_; ++row) {
        const float v = 1.0f - (static_cast<float>(row) + 0.5f) / static_cast<float>(height);
        for (std::uint32_t column = 0; column < width && left + column < width_; ++column) {
            const float u = (static_cast<float>(column) + 0.5f) / static_cast<float>(width);
            At(left + column, top + row) = paint(u, v);
        }
    }
}

void ArtCanvas::BlurAlpha(std::uint32_t radius)
{
    std::vector<float> alpha(pixels_.size());
    std::vector<float> pass(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        alpha[i] = pixels_[i].a;
    }
    const auto blur = [&](const std::vector<float>& in, std::vector<float>& out, bool horizontal) {
        const std::int32_t r = static_cast<std::int32_t>(radius);
        for (std::uint32_t y = 0; y < height_; ++y) {
            for (std::uint32_t x = 0; x < width_; ++x) {
                float sum = 0.0f;
                for (std::int32_t k = -r; k <= r; ++k) {
                    std::int32_t sx = static_cast<std::int32_t>(x) + (horizontal ? k : 0);
                    std::int32_t sy = static_cast<std::int32_t>(y) + (horizontal ? 0 : k);
                    sx = std::clamp(sx, 0, static_cast<std::int32_t>(width_) - 1);
                    sy = std::clamp(sy, 0, static_cast<std::int32_t>(height_) - 1);
                    sum += in[static_cast<std::size_t>(sy) * width_ + static_cast<std::size_t>(sx)];
                }
                out[static_cast<std::size_t>(y) * width_ + x] = sum / static_cast<float>(2 * r + 1);
            }
        }
    };
    for (int i = 0; i < 2; ++i) {
        blur(alpha, pass, true);
        blur(pass, alpha, false);
    }
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        pixels_[i].a = alpha[i];
    }
}

std::vector<std::uint8_t> ArtCanvas::BuildColorJpeg() const
{
    FixturePicture picture;
    picture.width = width_;
    picture.height = height_;
    picture.channels = 3;
    picture.pixels.reserve(pixels_.size() * 3);
    for (const ArtColor& pixel : pixels_) {
        picture.pixels.push_back(ToByte(pixel.r));
        picture.pixels.push_back(ToByte(pixel.g));
        picture.pixels.push_back(ToByte(pixel.b));
    }
    JpegFileWriter writer(picture);
    writer.SetQuality(kJpegQuality);
    return writer.Build().GetBytes();
}

std::vector<std::uint8_t> ArtCanvas::BuildAlphaJpeg() const
{
    FixturePicture picture;
    picture.width = width_;
    picture.height = height_;
    picture.channels = 1;
    picture.pixels.reserve(pixels_.size());
    for (const ArtColor& pixel : pixels_) {
        picture.pixels.push_back(ToByte(pixel.a));
    }
    JpegFileWriter writer(picture);
    writer.SetQuality(kJpegQuality);
    return writer.Build().GetBytes();
}

ArtColor ArtCanvas::Mix(const ArtColor& a, const ArtColor& b, float t)
{
    return ArtColor{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

ArtColor ArtCanvas::Over(const ArtColor& top, const ArtColor& under)
{
    const float a = top.a + under.a * (1.0f - top.a);
    if (a <= 0.0f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    const auto mix = [&](float t, float u) { return (t * top.a + u * under.a * (1.0f - top.a)) / a; };
    return ArtColor{mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

ArtColor ArtCanvas::WithAlpha(ArtColor color, float alpha)
{
    color.a = alpha;
    return color;
}

ArtColor ArtCanvas::Scale(const ArtColor& c, float factor)
{
    return ArtColor{c.r * factor, c.g * factor, c.b * factor, c.a};
}

ArtColor ArtCanvas::Hsv(float hue, float saturation, float value, float alpha)
{
    const float h = (hue - std::floor(hue)) * 6.0f;
    const auto channel = [&](float offset) {
        const float k = std::fmod(offset + h, 6.0f);
        return value - value * saturation * std::max(0.0f, std::min({k, 4.0f - k, 1.0f}));
    };
    return ArtColor{channel(5.0f), channel(3.0f), channel(1.0f), alpha};
}

ArtColor ArtCanvas::Rgb(std::uint32_t hex, float alpha)
{
    return ArtColor{static_cast<float>((hex >> 16) & 0xFF) / 255.0f, static_cast<float>((hex >> 8) & 0xFF) / 255.0f,
                    static_cast<float>(hex & 0xFF) / 255.0f, alpha};
}

float ArtCanvas::SmoothStep(float edge0, float edge1, float x)
{
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float ArtCanvas::Clamp01(float x)
{
    return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}

float ArtCanvas::Noise(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const std::int32_t ix = static_cast<std::int32_t>(fx);
    const std::int32_t iy = static_cast<std::int32_t>(fy);
    const float tx = SmoothStep(0.0f, 1.0f, x - fx);
    const float ty = SmoothStep(0.0f, 1.0f, y - fy);
    const float a = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * tx;
    const float b = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * tx;
    return a + (b - a) * ty;
}

} // namespace Content
