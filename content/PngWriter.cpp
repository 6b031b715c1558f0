#include "content/PngWriter.h"

#include <zlib.h>

#include "engine/core/Error.h"

namespace Content {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterSub = 1;

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// The CRC covers the type and the data, not the length.
void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<std::uint8_t> PngWriter::Encode(std::uint32_t width, std::uint32_t height,
                                            const std::vector<std::uint8_t>& rgba)
{
    const std::uint64_t rowBytes = std::uint64_t(width) * 4;
    if (width == 0 || height == 0 || rgba.size() != rowBytes * height) {
        throw OrrelayEngine::Error("PNG writer: the pixels do not match a " + std::to_string(width) + " x " +
                                   std::to_string(height) + " picture");
    }
    // Each row subtracts its left neighbour: flat runs become zeros that deflate well.
    std::vector<std::uint8_t> filtered;
    filtered.reserve((rowBytes + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = rgba.data() + rowBytes * y;
        filtered.push_back(kFilterSub);
        for (std::uint64_t i = 0; i < rowBytes; ++i) {
            filtered.push_back(static_cast<std::uint8_t>(row[i] - (i >= 4 ? row[i - 4] : 0)));
        }
    }
    uLongf compressedSize = compressBound(static_cast<uLong>(filtered.size()));
    std::vector<std::uint8_t> compressed(compressedSize);
    if (compress2(compressed.data(), &compressedSize, filtered.data(), static_cast<uLong>(filtered.size()), 6) !=
        Z_OK) {
        throw OrrelayEngine::Error("PNG writer: zlib failed");
    }
    compressed.resize(compressedSize);

    std::vector<std::uint8_t> header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header.push_back(8);
    header.push_back(kColourTypeRgba);
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(0); // no interlace

    std::vector<std::uint8_t> out(kSignature, kSignature + sizeof kSignature);
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", compressed);
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace Content
