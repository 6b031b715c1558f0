#include <gtest/gtest.h>

#include <sstream>

#include "content/ContactSheet.h"
#include "content/TgaFileWriter.h"

namespace {

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return (std::uint32_t(bytes[at]) << 24) | (std::uint32_t(bytes[at + 1]) << 16) |
           (std::uint32_t(bytes[at + 2]) << 8) | bytes[at + 3];
}

} // namespace

TEST(ContactSheet, WidePicturesShrinkByPowersOfTwoAndEveryTileIsListed)
{
    Content::ContactSheet sheet;
    sheet.AddPicture("data\\wide.tga", 2048, 4, std::vector<std::uint8_t>(2048 * 4 * 4, 255));
    sheet.AddPicture("data\\wider.tga", 3000, 8, std::vector<std::uint8_t>(3000 * 8 * 4, 0));
    sheet.AddFile("data\\sound.wav", {1, 2, 3});
    Content::FixturePicture small = Content::FixturePicture::MakePattern(4, 2, 4);
    Content::TgaFileWriter tga(small);
    tga.SetRunLength(true);
    sheet.AddFile("data\\small.tga", tga.Build().GetBytes());

    const std::vector<std::uint8_t> png = sheet.BuildPng();
    ASSERT_GT(png.size(), 24u);
    EXPECT_LE(BigEndian32(png, 16), Content::ContactSheet::kMaxSheetWidth);

    std::istringstream listing(sheet.GetListing());
    struct Tile
    {
        std::uint32_t width;
        std::uint32_t height;
        std::string label;
    };
    std::vector<Tile> tiles;
    std::uint32_t x, y, width, height;
    std::string path, size;
    while (listing >> x >> y >> width >> height >> path >> size) {
        tiles.push_back({width, height, path + " " + size});
        EXPECT_LE(x + width, BigEndian32(png, 16)) << path;
        EXPECT_LE(y + height, BigEndian32(png, 20)) << path;
    }
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[0].label, "data\\wide.tga 2048x4");
    EXPECT_EQ(tiles[0].width, 1024u);
    EXPECT_EQ(tiles[0].height, 2u);
    EXPECT_EQ(tiles[1].width, 750u);
    EXPECT_EQ(tiles[2].label, "data\\small.tga 4x2");
    EXPECT_EQ(tiles[2].width, 4u);
}
