// A small picture for the image fixture writers: rows top first, one (grey),
// three (R, G, B) or four (R, G, B, A) bytes per pixel, independent of the
// engine's Image so that the writers check the readers rather than mirror them.
#pragma once

#include <cstdint>
#include <vector>

namespace Content {

struct FixturePicture
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t channels = 3;
    std::vector<std::uint8_t> pixels;

    // Every pixel different where the size allows, so that a flipped, shifted or
    // channel-swapped read shows.
    static FixturePicture MakePattern(std::uint32_t width, std::uint32_t height, std::uint32_t channels);
    // Smooth enough to survive JPEG coding within a few steps per channel.
    static FixturePicture MakeGradient(std::uint32_t width, std::uint32_t height, std::uint32_t channels);

    // row 0 is the top of the picture.
    const std::uint8_t* PixelAt(std::uint32_t x, std::uint32_t rowFromTop) const;
};

} // namespace Content
