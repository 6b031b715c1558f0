#include <gtest/gtest.h>

#include <zlib.h>

#include "content/PngWriter.h"
#include "engine/core/Error.h"

namespace {

std::uint32_t BigEndian32(const std::uint8_t* bytes)
{
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8) |
           bytes[3];
}

} // namespace

TEST(PngWriter, AThreeByTwoPictureReadsBackThroughZlib)
{
    const std::vector<std::uint8_t> rgba = {
        255, 0,  0,  255, 0,  255, 0,  128, 0,   0,   255, 0, // top row
        10,  20, 30, 40,  10, 20,  30, 40,  250, 251, 252, 253,
    };
    const std::vector<std::uint8_t> png = Content::PngWriter::Encode(3, 2, rgba);
    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 8u);
    EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));

    std::vector<std::string> types;
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> compressed;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian32(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &png[at + 4], 4 + length));
        EXPECT_EQ(BigEndian32(&png[at + 8 + length]), crc) << type;
        std::vector<std::uint8_t>& data = type == "IHDR" ? header : compressed;
        if (type == "IHDR" || type == "IDAT") {
            data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        }
        types.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(BigEndian32(&header[0]), 3u);
    EXPECT_EQ(BigEndian32(&header[4]), 2u);
    EXPECT_EQ(header[8], 8);  // bits per channel
    EXPECT_EQ(header[9], 6);  // RGBA
    EXPECT_EQ(header[12], 0); // not interlaced

    std::vector<std::uint8_t> rows(2 * (1 + 12));
    uLongf rowsSize = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &rowsSize, compressed.data(), compressed.size()), Z_OK);
    ASSERT_EQ(rowsSize, rows.size());
    std::vector<std::uint8_t> pixels;
    for (std::size_t y = 0; y < 2; ++y) {
        const std::uint8_t filter = rows[y * 13];
        ASSERT_LE(filter, 1);
        for (std::size_t i = 0; i < 12; ++i) {
            const std::uint8_t left = filter == 1 && i >= 4 ? pixels[y * 12 + i - 4] : 0;
            pixels.push_back(static_cast<std::uint8_t>(rows[y * 13 + 1 + i] + left));
        }
    }
    EXPECT_EQ(pixels, rgba);
    EXPECT_THROW(Content::PngWriter::Encode(3, 2, std::vector<std::uint8_t>(23)), OrrelayEngine::Error);
}
