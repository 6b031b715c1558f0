#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/core/Color.h"
#include "engine/render/Image.h"

namespace OrrelayEngine {
namespace {

// An image of the given rows, bottom row first, as the image stores them.
void MakeImage(Image& image, std::uint32_t width, std::uint32_t bitsPerPixel,
               const std::vector<std::vector<std::uint8_t>>& rows)
{
    image.Create(nullptr, width, static_cast<std::uint32_t>(rows.size()), bitsPerPixel);
    std::uint8_t* data = image.GetData();
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), width * bitsPerPixel / 8);
        std::memcpy(data, row.data(), row.size());
        data += row.size();
    }
}

std::vector<std::uint8_t> Row(const Image& image, std::uint32_t row)
{
    const std::size_t rowBytes = static_cast<std::size_t>(image.GetWidth()) * image.GetBitsPerPixel() / 8;
    const std::uint8_t* first = image.GetData() + row * rowBytes;
    return std::vector<std::uint8_t>(first, first + rowBytes);
}

std::vector<std::uint8_t> Pixel(const Image& image, std::uint32_t x, std::uint32_t y)
{
    const std::uint32_t bytes = image.GetBitsPerPixel() / 8;
    const std::uint8_t* first = image.GetData() + (static_cast<std::size_t>(y) * image.GetWidth() + x) * bytes;
    return std::vector<std::uint8_t>(first, first + bytes);
}

using Bytes = std::vector<std::uint8_t>;

TEST(Image, RecreatingTheSameShapeKeepsTheBlockAndAnotherShapeResizes)
{
    Image image;
    image.Create(nullptr, 64, 32, 24);
    const std::uint8_t* first = image.GetData();
    image.Create(nullptr, 64, 32, 24);
    EXPECT_EQ(image.GetData(), first) << "a capture re-creates its image every frame";
    image.Create(nullptr, 16, 16, 32);
    EXPECT_EQ(image.GetWidth(), 16u);
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    image.GetData()[16 * 16 * 4 - 1] = 1; // the whole new size is there
}

TEST(Image, FlipVerticalReversesRowsInPlaceAndIntoOutput)
{
    Image image;
    MakeImage(image, 1, 8, {{1}, {2}, {3}});
    Image flipped;
    image.FlipVertical(&flipped);
    EXPECT_EQ(Row(image, 0), Bytes{1});
    EXPECT_EQ(Row(flipped, 0), Bytes{3});
    EXPECT_EQ(Row(flipped, 1), Bytes{2});
    EXPECT_EQ(Row(flipped, 2), Bytes{1});

    image.FlipVertical();
    EXPECT_EQ(Row(image, 0), Bytes{3});
    EXPECT_EQ(Row(image, 2), Bytes{1});
}

TEST(Image, SwapRedBlueExchangesOnlyBytesZeroAndTwo)
{
    Image colour;
    MakeImage(colour, 1, 32, {{1, 2, 3, 4}});
    colour.SwapRedBlue();
    EXPECT_EQ(Row(colour, 0), (Bytes{3, 2, 1, 4}));

    Image grey;
    MakeImage(grey, 2, 8, {{5, 6}});
    grey.SwapRedBlue();
    EXPECT_EQ(Row(grey, 0), (Bytes{5, 6}));
    Image greyCopy;
    grey.SwapRedBlue(&greyCopy);
    EXPECT_EQ(Row(greyCopy, 0), (Bytes{5, 6}));
}

TEST(Image, ConvertBitDepthFollowsTheTable)
{
    struct Case
    {
        std::uint32_t from;
        Bytes source;
        std::uint32_t to;
        Bytes expected;
    };
    const Case cases[] = {
        {8, {90}, 24, {90, 90, 90}},
        {8, {90}, 32, {90, 90, 90, 90}},
        // (222 x 100 + 707 x 150 + 71 x 200) / 1000, truncated
        {24, {100, 150, 200}, 8, {142}},
        {24, {100, 150, 200}, 32, {100, 150, 200, 255}},
        {32, {100, 150, 200, 7}, 8, {7}},
        {32, {100, 150, 200, 7}, 24, {100, 150, 200}},
        {24, {100, 150, 200}, 24, {100, 150, 200}},
    };
    for (const Case& c : cases) {
        Image image;
        MakeImage(image, 1, c.from, {c.source});
        Image output;
        image.ConvertBitDepth(c.to, &output);
        EXPECT_EQ(output.GetBitsPerPixel(), c.to) << c.from << " to " << c.to;
        EXPECT_EQ(Row(output, 0), c.expected) << c.from << " to " << c.to;
        EXPECT_EQ(Row(image, 0), c.source) << "the source stays as it was";

        image.ConvertBitDepth(c.to);
        EXPECT_EQ(Row(image, 0), c.expected) << "in place " << c.from << " to " << c.to;
    }
}

TEST(Image, GreyKeepsItsValueThroughColourAndBack)
{
    Image image;
    image.Create(nullptr, 256, 1, 8);
    for (std::uint32_t v = 0; v < 256; ++v)
        image.GetData()[v] = static_cast<std::uint8_t>(v);
    image.ConvertBitDepth(24);
    image.ConvertBitDepth(8);
    for (std::uint32_t v = 0; v < 256; ++v)
        ASSERT_EQ(image.GetData()[v], v);
}

TEST(Image, FillClampsAndTruncatesEachChannel)
{
    struct Case
    {
        std::uint32_t bitsPerPixel;
        Color color;
        Bytes expected;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {24, Color(1.0f, 0.0f, 0.5f, 1.0f), {255, 0, 127}},
        {32, Color(0.2f, 0.4f, 0.6f, 0.8f), {51, 102, 153, 204}},
        // Out-of-range channels saturate instead of wrapping around the byte.
        {32, Color(1.5f, -0.2f, 2.0f, nan), {255, 0, 255, 0}},
        {8, Color(1.0f, 1.0f, 1.0f, 0.0f), {255}},
        {8, Color(0.5f, 0.5f, 0.5f, 1.0f), {127}},
        {8, Color(1.0f, 0.0f, 0.0f, 1.0f), {56}},
    };
    for (const Case& c : cases) {
        Image image;
        image.Create(nullptr, 2, 2, c.bitsPerPixel);
        image.Fill(c.color);
        for (std::uint32_t y = 0; y < 2; ++y)
            for (std::uint32_t x = 0; x < 2; ++x)
                EXPECT_EQ(Pixel(image, x, y), c.expected) << c.bitsPerPixel << " bits";
    }
}

TEST(Image, PasteConvertsTheSourceAndCutsWhatFallsOutside)
{
    Image target;
    target.Create(nullptr, 4, 4, 24);
    target.Fill(Color(0.0f, 0.0f, 0.0f, 1.0f));
    Image source;
    MakeImage(source, 2, 32, {{10, 20, 30, 40, 11, 21, 31, 41}, {12, 22, 32, 42, 13, 23, 33, 43}});

    Image pasted;
    target.Paste(3, 3, source, &pasted);
    EXPECT_EQ(Pixel(target, 3, 3), (Bytes{0, 0, 0})) << "with an output this image stays";
    EXPECT_EQ(Pixel(pasted, 3, 3), (Bytes{10, 20, 30}));
    EXPECT_EQ(Pixel(pasted, 2, 3), (Bytes{0, 0, 0}));
    EXPECT_EQ(Pixel(pasted, 3, 2), (Bytes{0, 0, 0}));

    target.Paste(1, 0, source);
    EXPECT_EQ(Pixel(target, 1, 0), (Bytes{10, 20, 30}));
    EXPECT_EQ(Pixel(target, 2, 0), (Bytes{11, 21, 31}));
    EXPECT_EQ(Pixel(target, 1, 1), (Bytes{12, 22, 32}));
    EXPECT_EQ(Pixel(target, 0, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(Pixel(target, 3, 0), (Bytes{0, 0, 0}));

    Image unchanged;
    unchanged.CopyFrom(target);
    target.Paste(4, 0, source);
    target.Paste(0, 4, source);
    EXPECT_EQ(std::memcmp(target.GetData(), unchanged.GetData(), 48), 0);
}

TEST(Image, CheckerboardHasYellowCellsWhereTheCellIndicesSumEven)
{
    Image image;
    image.MakeCheckerboard(nullptr);
    EXPECT_EQ(image.GetWidth(), 64u);
    EXPECT_EQ(image.GetHeight(), 64u);
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    const Bytes yellow{255, 255, 0};
    const Bytes black{0, 0, 0};
    EXPECT_EQ(Pixel(image, 0, 0), yellow);
    EXPECT_EQ(Pixel(image, 7, 7), yellow);
    EXPECT_EQ(Pixel(image, 8, 0), black);
    EXPECT_EQ(Pixel(image, 0, 15), black);
    EXPECT_EQ(Pixel(image, 8, 8), yellow);
    EXPECT_EQ(Pixel(image, 63, 63), yellow);
    EXPECT_EQ(Pixel(image, 56, 55), black);
}

TEST(Image, ResampleToTheSameSizeIsACopy)
{
    Image image;
    MakeImage(image, 2, 24, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    for (std::uint32_t filter : {0u, 1u, 2u}) {
        Image output;
        image.Resample(2, 2, filter, output);
        EXPECT_EQ(Row(output, 0), Row(image, 0));
        EXPECT_EQ(Row(output, 1), Row(image, 1));
    }
}

TEST(Image, ResampleNearestAndBilinearValues)
{
    Image image;
    MakeImage(image, 2, 8, {{10, 20}, {30, 40}});

    Image nearest;
    image.Resample(3, 3, Image::kFilterNearest, nearest);
    EXPECT_EQ(Row(nearest, 0), (Bytes{10, 10, 20}));
    EXPECT_EQ(Row(nearest, 1), (Bytes{10, 10, 20}));
    EXPECT_EQ(Row(nearest, 2), (Bytes{30, 30, 40}));

    Image bilinear;
    image.Resample(3, 3, Image::kFilterBilinear, bilinear);
    EXPECT_EQ(Row(bilinear, 0), (Bytes{10, 15, 20}));
    EXPECT_EQ(Row(bilinear, 1), (Bytes{20, 25, 30}));
    // The last row is taken 1/256 below the top source row.
    EXPECT_EQ(Row(bilinear, 2), (Bytes{29, 34, 39}));
}

TEST(Image, ResampleBicubicOvershootIsClampedIntoTheByte)
{
    Image image;
    MakeImage(image, 4, 8, {{0, 0, 255, 255}, {0, 0, 255, 255}});
    Image output;
    image.Resample(7, 2, Image::kFilterBicubic, output);
    // Undershoot before the edge (-32) and overshoot after it (286) clamp.
    EXPECT_EQ(Row(output, 0), (Bytes{0, 0, 0, 127, 255, 255, 255}));
    EXPECT_EQ(Row(output, 1), (Bytes{0, 0, 0, 127, 255, 255, 255}));
}

TEST(Image, ResampleWithASideOfOneDividesByNothing)
{
    Image wide;
    MakeImage(wide, 4, 8, {{10, 20, 30, 40}});
    Image tall;
    MakeImage(tall, 1, 8, {{50}, {60}, {70}});
    for (std::uint32_t filter : {0u, 1u, 2u}) {
        Image output;
        wide.Resample(1, 1, filter, output);
        EXPECT_EQ(Row(output, 0), Bytes{10}) << filter;

        wide.Resample(2, 1, filter, output);
        EXPECT_EQ(Row(output, 0), (Bytes{10, 40})) << filter;

        tall.Resample(1, 2, filter, output);
        ASSERT_EQ(output.GetHeight(), 2u);
        EXPECT_EQ(Row(output, 0), Bytes{50}) << filter;

        tall.Resample(3, 1, filter, output);
        EXPECT_EQ(Row(output, 0), (Bytes{50, 50, 50})) << filter;
    }
}

TEST(Image, ResampleInPlaceTakesTheNewSize)
{
    Image image;
    MakeImage(image, 2, 8, {{10, 20}, {30, 40}});
    image.ResampleInPlace(4, 3, Image::kFilterNearest);
    EXPECT_EQ(image.GetWidth(), 4u);
    EXPECT_EQ(image.GetHeight(), 3u);
    EXPECT_EQ(Row(image, 2), (Bytes{30, 30, 30, 40}));
}

} // namespace
} // namespace OrrelayEngine
