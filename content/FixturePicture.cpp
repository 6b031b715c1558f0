#include "content/FixturePicture.h"

namespace Content {

FixturePicture FixturePicture::MakePattern(std::uint32_t width, std::uint32_t height, std::uint32_t channels)
{
    FixturePicture picture;
    picture.width = width;
    picture.height = height;
    picture.channels = channels;
    picture.pixels.resize(static_cast<std::size_t>(width) * height * channels);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (std::uint32_t c = 0; c < channels; ++c)
                picture.pixels[i++] = static_cast<std::uint8_t>(x * 37 + y * 91 + c * 53 + 7);
        }
    }
    return picture;
}

FixturePicture FixturePicture::MakeGradient(std::uint32_t width, std::uint32_t height, std::uint32_t channels)
{
    FixturePicture picture;
    picture.width = width;
    picture.height = height;
    picture.channels = channels;
    picture.pixels.resize(static_cast<std::size_t>(width) * height * channels);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t across = width > 1 ? x * 255 / (width - 1) : 0;
            const std::uint32_t down = height > 1 ? y * 255 / (height - 1) : 0;
            const std::uint8_t values[4] = {static_cast<std::uint8_t>(across), static_cast<std::uint8_t>(down),
                                            static_cast<std::uint8_t>(255 - across), 255};
            for (std::uint32_t c = 0; c < channels; ++c)
                picture.pixels[i++] = channels == 1 ? values[0] : values[c % 4];
        }
    }
    return picture;
}

const std::uint8_t* FixturePicture::PixelAt(std::uint32_t x, std::uint32_t rowFromTop) const
{
    return pixels.data() + (static_cast<std::size_t>(rowFromTop) * width + x) * channels;
}

} // namespace Content
