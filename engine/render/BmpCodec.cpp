#include "engine/render/BmpCodec.h"

#include <cstring>
#include <vector>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"
#include "engine/render/Image.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kSignature = 0x4D42; // "BM"
constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::uint32_t kPaletteEntries = 256;
constexpr std::uint32_t kPaletteBytes = kPaletteEntries * 4;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch
constexpr std::uint32_t kNoCompression = 0;

std::uint64_t PaddedRowBytes(std::uint64_t rowBytes)
{
    return (rowBytes + 3) & ~static_cast<std::uint64_t>(3);
}

std::string IncorrectFormat(const std::string& fileName)
{
    return "Incorrect \"" + fileName + "\" file format";
}

std::string UnsupportedFormat(const std::string& fileName)
{
    return "Unsupported \"" + fileName + "\" file format";
}

} // namespace

void BmpCodec::Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image)
{
    std::uint8_t header[kHeaderBytes];
    file.Read(header, kHeaderBytes);
    if (ReadLittleEndian16(header) != kSignature)
        throw FileError(IncorrectFormat(fileName));

    const std::uint32_t dataOffset = ReadLittleEndian32(header + 10);
    const auto width = static_cast<std::int32_t>(ReadLittleEndian32(header + 18));
    const auto height = static_cast<std::int32_t>(ReadLittleEndian32(header + 22));
    const std::uint32_t bitCount = ReadLittleEndian16(header + 28);
    const std::uint32_t compression = ReadLittleEndian32(header + 30);

    if (width <= 0 || height == 0)
        throw FileError(IncorrectFormat(fileName));
    // A negative height is a top-down file; nothing the engine writes or ships
    // is one, so it is refused rather than drawn upside down.
    if (height < 0 || static_cast<std::uint32_t>(width) > Image::kMaxSidePixels ||
        static_cast<std::uint32_t>(height) > Image::kMaxSidePixels)
        throw FileError(UnsupportedFormat(fileName));
    if (bitCount != 8 && bitCount != 24 && bitCount != 32)
        throw FileError(UnsupportedFormat(fileName));
    if (bitCount == 8 && compression != kNoCompression)
        throw FileError(UnsupportedFormat(fileName));

    const std::uint64_t fileSize = file.GetSize();
    const std::uint64_t bytesPerPixel = bitCount / 8;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * bytesPerPixel;
    const std::uint64_t rowCount = static_cast<std::uint64_t>(height);
    const std::uint64_t firstDataByte = bitCount == 8 ? kHeaderBytes + kPaletteBytes : kHeaderBytes;
    const std::uint64_t pixelBytes =
        bitCount == 8 ? rowBytes * rowCount : PaddedRowBytes(rowBytes) * (rowCount - 1) + rowBytes;
    if (dataOffset < firstDataByte || dataOffset + pixelBytes > fileSize)
        throw FileError(IncorrectFormat(fileName));

    if (bitCount != 8) {
        image.Create(log, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                     bitCount == 32 ? 32 : 24);
        file.Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(dataOffset));
        const auto padding = static_cast<std::int32_t>(PaddedRowBytes(rowBytes) - rowBytes);
        std::uint8_t* row = image.GetData();
        for (std::uint64_t r = 0; r < rowCount; ++r, row += rowBytes) {
            file.Read(row, static_cast<std::uint32_t>(rowBytes));
            if (padding != 0)
                file.Seek(FileBinary::kSeekFromCurrent, padding);
        }
        // The file stores B, G, R(, A).
        image.SwapRedBlue();
        return;
    }

    std::uint8_t palette[kPaletteBytes];
    file.Read(palette, kPaletteBytes);
    file.Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(dataOffset));
    image.Create(log, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 24);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(rowBytes));
    // The engine's 8-bit files hold their rows top first and unpadded.
    for (std::uint64_t r = rowCount; r-- > 0;) {
        file.Read(indices.data(), static_cast<std::uint32_t>(rowBytes));
        std::uint8_t* pixel = image.GetData() + r * rowBytes * 3;
        for (std::uint8_t index : indices) {
            // Palette entries are B, G, R, reserved.
            const std::uint8_t* entry = palette + index * 4;
            pixel[0] = entry[2];
            pixel[1] = entry[1];
            pixel[2] = entry[0];
            pixel += 3;
        }
    }
}

void BmpCodec::Write(const Image& image, FileBinary& file)
{
    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    const std::uint32_t bitsPerPixel = image.GetBitsPerPixel();
    const std::uint32_t bytesPerPixel = bitsPerPixel / 8;
    const bool paletted = bitsPerPixel == 8;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * bytesPerPixel;
    const std::uint64_t fileRowBytes = paletted ? rowBytes : PaddedRowBytes(rowBytes);
    const std::uint64_t pixelBytes = fileRowBytes * height;
    const std::uint64_t dataOffset = paletted ? kHeaderBytes + kPaletteBytes : kHeaderBytes;
    const std::uint64_t fileBytes = dataOffset + pixelBytes;
    if (fileBytes > 0xFFFFFFFFu)
        throw FileError("Failed to write " + std::to_string(fileBytes) + " bytes from \"" + file.GetName() + "\" file");

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(fileBytes), 0);
    std::uint8_t* header = bytes.data();
    WriteLittleEndian16(header, kSignature);
    WriteLittleEndian32(header + 2, static_cast<std::uint32_t>(fileBytes));
    WriteLittleEndian32(header + 10, static_cast<std::uint32_t>(dataOffset));
    WriteLittleEndian32(header + 14, kInfoHeaderBytes);
    WriteLittleEndian32(header + 18, width);
    WriteLittleEndian32(header + 22, height);
    WriteLittleEndian16(header + 26, 1);
    WriteLittleEndian16(header + 28, bitsPerPixel);
    WriteLittleEndian32(header + 30, kNoCompression);
    WriteLittleEndian32(header + 34, static_cast<std::uint32_t>(pixelBytes));
    WriteLittleEndian32(header + 38, kPixelsPerMetre);
    WriteLittleEndian32(header + 42, kPixelsPerMetre);

    const std::uint8_t* source = image.GetData();
    std::uint8_t* destination = bytes.data() + dataOffset;
    if (paletted) {
        std::uint8_t* palette = bytes.data() + kHeaderBytes;
        for (std::uint32_t k = 0; k < kPaletteEntries; ++k)
            std::memset(palette + k * 4, static_cast<int>(k), 4);
        for (std::uint32_t r = height; r-- > 0; destination += rowBytes)
            std::memcpy(destination, source + r * rowBytes, static_cast<std::size_t>(rowBytes));
    } else {
        for (std::uint32_t r = 0; r < height; ++r, destination += fileRowBytes) {
            const std::uint8_t* from = source + r * rowBytes;
            std::uint8_t* to = destination;
            for (std::uint32_t x = 0; x < width; ++x, from += bytesPerPixel, to += bytesPerPixel) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                if (bytesPerPixel == 4)
                    to[3] = from[3];
            }
        }
    }

    file.Write(bytes.data(), static_cast<std::uint32_t>(fileBytes));
    file.Close();
}

} // namespace OrrelayEngine
