#include "engine/render/TgaCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"
#include "engine/render/Image.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kHeaderBytes = 18;
constexpr std::uint32_t kTypeColourMapped = 1;
constexpr std::uint32_t kTypeTrueColour = 2;
constexpr std::uint32_t kTypeGrey = 3;
constexpr std::uint32_t kTypeRunLengthBit = 8;
constexpr std::uint32_t kDescriptorTopLeft = 0x20;
constexpr std::uint32_t kRunPacketBit = 0x80;
// One packet header byte stands for at most this many pixels.
constexpr std::uint64_t kMaxPixelsPerPacket = 128;
constexpr std::uint32_t kGreyMapEntries = 256;
constexpr std::uint32_t kGreyMapEntryBits = 24;

std::string IncorrectFormat(const std::string& fileName)
{
    return "Incorrect \"" + fileName + "\" file format";
}

std::string UnsupportedFormat(const std::string& fileName)
{
    return "Unsupported \"" + fileName + "\" file format";
}

// Expands run-length packets into exactly pixelBytes bytes; a packet running
// past the picture or past the data is a damaged file.
std::vector<std::uint8_t> ExpandRunLength(const std::vector<std::uint8_t>& packed, std::uint64_t pixelCount,
                                          std::uint32_t bytesPerPixel, const std::string& fileName)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(pixelCount * bytesPerPixel));
    std::size_t in = 0;
    std::size_t out = 0;
    std::uint64_t produced = 0;
    while (produced < pixelCount) {
        if (in >= packed.size())
            throw FileError(IncorrectFormat(fileName));
        const std::uint32_t packet = packed[in++];
        const std::uint64_t count = (packet & 127u) + 1;
        if (count > pixelCount - produced)
            throw FileError(IncorrectFormat(fileName));
        if (packet & kRunPacketBit) {
            if (packed.size() - in < bytesPerPixel)
                throw FileError(IncorrectFormat(fileName));
            // The pixel once, then what is written so far copied onto its end:
            // a few block copies for a run instead of one call per pixel.
            std::uint8_t* run = pixels.data() + out;
            const std::size_t runBytes = static_cast<std::size_t>(count * bytesPerPixel);
            std::memcpy(run, packed.data() + in, bytesPerPixel);
            for (std::size_t filled = bytesPerPixel; filled < runBytes;) {
                const std::size_t copied = std::min(filled, runBytes - filled);
                std::memcpy(run + filled, run, copied);
                filled += copied;
            }
            out += runBytes;
            in += bytesPerPixel;
        } else {
            const std::size_t rawBytes = static_cast<std::size_t>(count * bytesPerPixel);
            if (packed.size() - in < rawBytes)
                throw FileError(IncorrectFormat(fileName));
            std::memcpy(pixels.data() + out, packed.data() + in, rawBytes);
            in += rawBytes;
            out += rawBytes;
        }
        produced += count;
    }
    return pixels;
}

} // namespace

void TgaCodec::Read(MessageManager* log, FileBinary& file, const std::string& fileName, Image& image)
{
    std::uint8_t header[kHeaderBytes];
    file.Read(header, kHeaderBytes);
    const std::uint32_t idLength = header[0];
    const std::uint32_t imageType = header[2];
    const std::uint32_t colourMapLength = ReadLittleEndian16(header + 5);
    const std::uint32_t colourMapEntryBits = header[7];
    const std::uint32_t width = ReadLittleEndian16(header + 12);
    const std::uint32_t height = ReadLittleEndian16(header + 14);
    const std::uint32_t depth = header[16];
    const std::uint32_t descriptor = header[17];

    // Entries of 15 bits take two bytes each, hence the rounding up.
    const std::uint64_t skipped =
        idLength + static_cast<std::uint64_t>(colourMapLength) * ((colourMapEntryBits + 7) / 8);
    const std::uint64_t fileSize = file.GetSize();
    if (kHeaderBytes + skipped > fileSize || width == 0 || height == 0)
        throw FileError(IncorrectFormat(fileName));
    const std::uint32_t baseType = imageType & ~kTypeRunLengthBit;
    if (baseType != kTypeColourMapped && baseType != kTypeTrueColour && baseType != kTypeGrey)
        throw FileError(UnsupportedFormat(fileName));
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32)
        throw FileError(UnsupportedFormat(fileName));
    if (width > Image::kMaxSidePixels || height > Image::kMaxSidePixels)
        throw FileError(UnsupportedFormat(fileName));

    const std::uint32_t bytesPerPixel = depth / 8;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * height;
    const std::uint64_t restBytes = fileSize - kHeaderBytes - skipped;
    const bool runLength = (imageType & kTypeRunLengthBit) != 0;
    // Checked before anything is allocated: even fully packed runs need one byte
    // for every 128 pixels.
    if (runLength ? pixelCount > restBytes * kMaxPixelsPerPacket : pixelCount * bytesPerPixel > restBytes)
        throw FileError(IncorrectFormat(fileName));

    file.Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(kHeaderBytes + skipped));
    std::vector<std::uint8_t> rest(static_cast<std::size_t>(restBytes));
    file.Read(rest.data(), static_cast<std::uint32_t>(restBytes));
    if (runLength)
        rest = ExpandRunLength(rest, pixelCount, bytesPerPixel, fileName);

    image.Create(log, width, height, depth == 8 ? 8 : depth == 24 ? 24 : 32);
    const std::uint32_t imageBytesPerPixel = image.GetBitsPerPixel() / 8;
    // Rows from the top go in reversed, rows from the bottom in file order:
    // each row lands where it ends up, without a second pass to flip them.
    const bool topLeft = (descriptor & kDescriptorTopLeft) != 0;
    const std::uint8_t* from = rest.data();
    for (std::uint32_t r = 0; r < height; ++r) {
        const std::uint32_t row = topLeft ? height - 1 - r : r;
        std::uint8_t* to = image.GetData() + static_cast<std::size_t>(row) * width * imageBytesPerPixel;
        switch (depth) {
        case 8:
            std::memcpy(to, from, width);
            from += width;
            break;
        case 16:
            for (std::uint32_t x = 0; x < width; ++x, from += 2, to += 4) {
                const std::uint32_t p = ReadLittleEndian16(from);
                to[0] = static_cast<std::uint8_t>(((p >> 10) & 31) * 8);
                to[1] = static_cast<std::uint8_t>(((p >> 5) & 31) * 8);
                to[2] = static_cast<std::uint8_t>((p & 31) * 8);
                to[3] = p > 32767 ? 255 : 0;
            }
            break;
        case 24:
            for (std::uint32_t x = 0; x < width; ++x, from += 3, to += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
            break;
        default:
            for (std::uint32_t x = 0; x < width; ++x, from += 4, to += 4) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                to[3] = from[3];
            }
            break;
        }
    }
}

void TgaCodec::Write(const Image& image, FileBinary& file)
{
    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    const std::uint32_t bitsPerPixel = image.GetBitsPerPixel();
    const std::uint32_t bytesPerPixel = bitsPerPixel / 8;
    const bool colourMapped = bitsPerPixel == 8;
    // The format's sides are 16 bits.
    if (width > 0xFFFF || height > 0xFFFF)
        throw FileError("Failed to write " + std::to_string(kHeaderBytes) + " bytes from \"" + file.GetName() +
                        "\" file");

    const std::uint64_t mapBytes = colourMapped ? kGreyMapEntries * (kGreyMapEntryBits / 8) : 0;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * bytesPerPixel;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kHeaderBytes + mapBytes + rowBytes * height), 0);
    std::uint8_t* header = bytes.data();
    header[1] = colourMapped ? 1 : 0;
    header[2] = static_cast<std::uint8_t>(colourMapped ? kTypeColourMapped : kTypeTrueColour);
    WriteLittleEndian16(header + 5, colourMapped ? kGreyMapEntries : 0);
    header[7] = static_cast<std::uint8_t>(colourMapped ? kGreyMapEntryBits : 0);
    WriteLittleEndian16(header + 12, width);
    WriteLittleEndian16(header + 14, height);
    header[16] = static_cast<std::uint8_t>(bitsPerPixel);
    header[17] = kDescriptorTopLeft;

    std::uint8_t* to = bytes.data() + kHeaderBytes;
    for (std::uint32_t k = 0; k < mapBytes / 3; ++k, to += 3)
        std::memset(to, static_cast<int>(k), 3);
    // Top-left origin: the file's first row is the top of the picture.
    for (std::uint32_t k = 0; k < height; ++k) {
        const std::uint8_t* from = image.GetData() + static_cast<std::size_t>(height - 1 - k) * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x, from += bytesPerPixel, to += bytesPerPixel) {
            if (bytesPerPixel == 1) {
                to[0] = from[0];
                continue;
            }
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            if (bytesPerPixel == 4)
                to[3] = from[3];
        }
    }

    file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    file.Close();
}

} // namespace OrrelayEngine
