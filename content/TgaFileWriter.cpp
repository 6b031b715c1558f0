#include "content/TgaFileWriter.h"

#include <cstring>
#include <vector>

namespace Content {

namespace {

constexpr std::uint32_t kMaxPacketPixels = 128;

} // namespace

TgaFileWriter::TgaFileWriter(const FixturePicture& picture) : picture_(picture)
{}

void TgaFileWriter::PutPixel(ByteBuffer& file, const std::uint8_t* pixel) const
{
    if (picture_.channels == 1) {
        file.PutU8(pixel[0]);
        return;
    }
    if (sixteenBit_) {
        const std::uint32_t packed =
            (pixel[3] >= 128 ? 0x8000u : 0u) | ((pixel[0] >> 3u) << 10u) | ((pixel[1] >> 3u) << 5u) | (pixel[2] >> 3u);
        file.PutU16(packed);
        return;
    }
    file.PutU8(pixel[2]);
    file.PutU8(pixel[1]);
    file.PutU8(pixel[0]);
    if (picture_.channels == 4)
        file.PutU8(pixel[3]);
}

ByteBuffer TgaFileWriter::Build() const
{
    const bool grey = picture_.channels == 1;
    const bool colourMap = grey && greyColourMap_;
    const std::uint32_t baseType = colourMap ? 1 : grey ? 3 : 2;
    const std::uint32_t depth = grey ? 8 : sixteenBit_ ? 16 : picture_.channels * 8;

    ByteBuffer file;
    file.PutU8(static_cast<std::uint32_t>(imageId_.size()));
    file.PutU8(colourMap ? 1 : 0);
    file.PutU8(baseType | (runLength_ ? 8 : 0));
    file.PutU16(0);
    file.PutU16(colourMap ? 256 : 0);
    file.PutU8(colourMap ? 24 : 0);
    file.PutU16(0);
    file.PutU16(0);
    file.PutU16(picture_.width);
    file.PutU16(picture_.height);
    file.PutU8(depth);
    // The low four bits count the alpha bits each pixel carries; readers that
    // trust them drop the alpha when they say none.
    const std::uint32_t alphaBits = grey ? 0 : sixteenBit_ ? 1 : picture_.channels == 4 ? 8 : 0;
    file.PutU8((topLeft_ ? 0x20 : 0) | alphaBits);
    file.PutBytes(imageId_.data(), imageId_.size());
    for (std::uint32_t k = 0; colourMap && k < 256; ++k) {
        file.PutU8(k);
        file.PutU8(k);
        file.PutU8(k);
    }

    // The pixels in file order, one picture pixel pointer each.
    std::vector<const std::uint8_t*> order;
    for (std::uint32_t k = 0; k < picture_.height; ++k) {
        const std::uint32_t row = topLeft_ ? k : picture_.height - 1 - k;
        for (std::uint32_t x = 0; x < picture_.width; ++x)
            order.push_back(picture_.PixelAt(x, row));
    }
    if (!runLength_) {
        for (const std::uint8_t* pixel : order)
            PutPixel(file, pixel);
        return file;
    }

    const std::uint32_t channels = picture_.channels;
    auto same = [channels](const std::uint8_t* a, const std::uint8_t* b) { return std::memcmp(a, b, channels) == 0; };
    std::size_t i = 0;
    while (i < order.size()) {
        std::size_t run = 1;
        while (i + run < order.size() && run < kMaxPacketPixels && same(order[i], order[i + run]))
            ++run;
        if (run > 1) {
            file.PutU8(0x80 | static_cast<std::uint32_t>(run - 1));
            PutPixel(file, order[i]);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < order.size() && raw < kMaxPacketPixels &&
               (i + raw + 1 >= order.size() || !same(order[i + raw], order[i + raw + 1])))
            ++raw;
        file.PutU8(static_cast<std::uint32_t>(raw - 1));
        for (std::size_t k = 0; k < raw; ++k)
            PutPixel(file, order[i + k]);
        i += raw;
    }
    return file;
}

} // namespace Content
