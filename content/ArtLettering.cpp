#include "content/ArtLettering.h"

#include <algorithm>
#include <cmath>

#include "content/FontRasterizer.h"

namespace Content {

ArtLettering::ArtLettering(const std::string& faceFile, const std::string& text, std::uint32_t pixelHeight)
{
    // Each character once: the atlas would hold a repeated one twice.
    std::string characters;
    for (char c : text) {
        if (characters.find(c) == std::string::npos) {
            characters += c;
        }
    }
    std::vector<FontRasterizer::Range> ranges;
    for (unsigned char c : characters) {
        ranges.push_back({c, c});
    }
    const FontRasterizer::Result result = FontRasterizer::Rasterize(faceFile, ranges, pixelHeight);
    const FixturePicture& atlas = result.atlas;
    height_ = result.cellHeight;
    for (unsigned char c : text) {
        for (const auto& glyph : result.glyphs) {
            if (static_cast<std::uint32_t>(glyph.character) == c) {
                width_ += static_cast<std::uint32_t>(std::lround(glyph.du * static_cast<float>(atlas.width)));
                break;
            }
        }
    }
    coverage_.assign(static_cast<std::size_t>(width_) * height_, 0.0f);
    std::uint32_t pen = 0;
    for (unsigned char c : text) {
        for (const auto& glyph : result.glyphs) {
            if (static_cast<std::uint32_t>(glyph.character) != c) {
                continue;
            }
            const auto cellX = static_cast<std::uint32_t>(std::lround(glyph.u * static_cast<float>(atlas.width)));
            const auto cellWidth = static_cast<std::uint32_t>(std::lround(glyph.du * static_cast<float>(atlas.width)));
            // v counts from the atlas's bottom row to the cell's lower edge.
            const auto cellTop =
                static_cast<std::uint32_t>(std::lround((1.0f - glyph.v - glyph.dv) * static_cast<float>(atlas.height)));
            for (std::uint32_t row = 0; row < height_ && cellTop + row < atlas.height; ++row) {
                for (std::uint32_t column = 0; column < cellWidth && pen + column < width_; ++column) {
                    const std::uint8_t* pixel = atlas.PixelAt(cellX + column, cellTop + row);
                    float& out = coverage_[static_cast<std::size_t>(row) * width_ + pen + column];
                    out = std::max(out, static_cast<float>(pixel[3]) / 255.0f);
                }
            }
            pen += cellWidth;
            break;
        }
    }
}

float ArtLettering::At(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= static_cast<std::int32_t>(width_) || y >= static_cast<std::int32_t>(height_)) {
        return 0.0f;
    }
    return coverage_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)];
}

float ArtLettering::Sample(float x, float y) const
{
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const auto x0 = static_cast<std::int32_t>(std::floor(fx));
    const auto y0 = static_cast<std::int32_t>(std::floor(fy));
    const float tx = fx - static_cast<float>(x0);
    const float ty = fy - static_cast<float>(y0);
    const float top = At(x0, y0) * (1.0f - tx) + At(x0 + 1, y0) * tx;
    const float bottom = At(x0, y0 + 1) * (1.0f - tx) + At(x0 + 1, y0 + 1) * tx;
    return top * (1.0f - ty) + bottom * ty;
}

float ArtLettering::SampleSpread(float x, float y, float radius) const
{
    float largest = Sample(x, y);
    const float diagonal = radius * 0.7071f;
    const float offsets[8][2] = {{radius, 0.0f},        {-radius, 0.0f},       {0.0f, radius},
                                 {0.0f, -radius},       {diagonal, diagonal},  {-diagonal, diagonal},
                                 {diagonal, -diagonal}, {-diagonal, -diagonal}};
    for (const auto& offset : offsets) {
        largest = std::max(largest, Sample(x + offset[0], y + offset[1]));
    }
    return largest;
}

} // namespace Content
