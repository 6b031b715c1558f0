#include "content/BmpFileWriter.h"

namespace Content {

namespace {

constexpr std::uint32_t kPaletteEntries = 256;

} // namespace

BmpFileWriter::BmpFileWriter(const FixturePicture& picture) : picture_(picture)
{
    for (std::uint32_t k = 0; k < kPaletteEntries; ++k) {
        const auto grey = static_cast<std::uint8_t>(k);
        palette_.push_back({grey, grey, grey});
    }
}

void BmpFileWriter::SetPalette(const std::vector<std::array<std::uint8_t, 3>>& entries)
{
    for (std::size_t k = 0; k < entries.size() && k < palette_.size(); ++k)
        palette_[k] = entries[k];
}

ByteBuffer BmpFileWriter::Build() const
{
    const std::uint32_t channels = picture_.channels;
    const bool paletted = channels == 1;
    const std::uint32_t rowBytes = picture_.width * channels;
    const std::uint32_t fileRowBytes = paletted ? rowBytes : (rowBytes + 3) & ~3u;
    const std::uint32_t pixelBytes = fileRowBytes * picture_.height;
    const std::uint32_t dataOffset = static_cast<std::uint32_t>(kHeaderBytes + (paletted ? kPaletteBytes : 0));

    ByteBuffer file;
    file.PutU8('B');
    file.PutU8('M');
    file.PutU32(dataOffset + pixelBytes);
    file.PutU32(0);
    file.PutU32(dataOffset);
    file.PutU32(40);
    file.PutU32(picture_.width);
    file.PutU32(picture_.height);
    file.PutU16(1);
    file.PutU16(channels * 8);
    file.PutU32(0);
    file.PutU32(pixelBytes);
    file.PutU32(2835);
    file.PutU32(2835);
    file.PutU32(0);
    file.PutU32(0);

    if (paletted) {
        for (const auto& entry : palette_) {
            file.PutU8(entry[2]);
            file.PutU8(entry[1]);
            file.PutU8(entry[0]);
            file.PutU8(0);
        }
        for (std::uint32_t row = 0; row < picture_.height; ++row)
            file.PutBytes(picture_.PixelAt(0, row), rowBytes);
        return file;
    }

    for (std::uint32_t row = picture_.height; row-- > 0;) {
        for (std::uint32_t x = 0; x < picture_.width; ++x) {
            const std::uint8_t* pixel = picture_.PixelAt(x, row);
            file.PutU8(pixel[2]);
            file.PutU8(pixel[1]);
            file.PutU8(pixel[0]);
            if (channels == 4)
                file.PutU8(pixel[3]);
        }
        file.PutZeros(fileRowBytes - rowBytes);
    }
    return file;
}

} // namespace Content
