#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "content/BmpFileWriter.h"
#include "content/FixturePicture.h"
#include "content/JpegFileWriter.h"
#include "content/TgaFileWriter.h"
#include "engine/core/Color.h"
#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"
#include "tests/engine/render/RenderFileFixture.h"

namespace OrrelayEngine {
namespace {

using Content::ByteBuffer;
using Content::FixturePicture;
using Bytes = std::vector<std::uint8_t>;

// The pixel of the image that shows the picture's (x, rowFromTop).
Bytes ImagePixel(const Image& image, std::uint32_t x, std::uint32_t rowFromTop)
{
    const std::uint32_t bytes = image.GetBitsPerPixel() / 8;
    const std::uint32_t row = image.GetHeight() - 1 - rowFromTop;
    const std::uint8_t* first = image.GetData() + (static_cast<std::size_t>(row) * image.GetWidth() + x) * bytes;
    return Bytes(first, first + bytes);
}

Bytes PicturePixel(const FixturePicture& picture, std::uint32_t x, std::uint32_t rowFromTop)
{
    const std::uint8_t* first = picture.PixelAt(x, rowFromTop);
    return Bytes(first, first + picture.channels);
}

// An image holding the picture, bottom row first.
void ImageFromPicture(const FixturePicture& picture, Image& image)
{
    image.Create(nullptr, picture.width, picture.height, picture.channels * 8);
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * picture.channels;
    for (std::uint32_t row = 0; row < picture.height; ++row)
        std::memcpy(image.GetData() + (picture.height - 1 - row) * rowBytes, picture.PixelAt(0, row), rowBytes);
}

void ExpectSamePicture(const Image& image, const FixturePicture& picture, int tolerance, const std::string& what)
{
    ASSERT_FALSE(image.IsEmpty()) << what;
    ASSERT_EQ(image.GetWidth(), picture.width) << what;
    ASSERT_EQ(image.GetHeight(), picture.height) << what;
    ASSERT_EQ(image.GetBitsPerPixel(), picture.channels * 8) << what;
    int worst = 0;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            const Bytes got = ImagePixel(image, x, y);
            const Bytes want = PicturePixel(picture, x, y);
            for (std::size_t c = 0; c < want.size(); ++c)
                worst = std::max(worst, std::abs(int(got[c]) - int(want[c])));
        }
    }
    EXPECT_LE(worst, tolerance) << what;
}

class ImageFile : public RenderFileFixture
{};

TEST_F(ImageFile, SavedImagesLoadAsTheSamePictureTheSameWayUp)
{
    struct Case
    {
        const char* name;
        std::uint32_t channels;
        std::uint32_t loadedChannels;
        int tolerance;
    };
    const Case cases[] = {
        {"shots\\grey.bmp", 1, 3, 0}, {"colour.bmp", 3, 3, 0},  {"alpha.bmp", 4, 4, 0},
        {"grey.tga", 1, 1, 0},        {"colour.tga", 3, 3, 0},  {"alpha.tga", 4, 4, 0},
        {"shots\\grey.jpg", 1, 1, 6}, {"colour.jpg", 3, 3, 12}, {"alpha.jpeg", 4, 3, 12},
    };
    for (const Case& c : cases) {
        const bool jpeg = std::string(c.name).find(".jp") != std::string::npos;
        const FixturePicture picture =
            jpeg ? FixturePicture::MakeGradient(64, 32, c.channels) : FixturePicture::MakePattern(5, 3, c.channels);
        Image saved;
        ImageFromPicture(picture, saved);
        ASSERT_TRUE(saved.Save(files_.get(), c.name)) << c.name;

        Image loaded;
        ASSERT_TRUE(loaded.Load(log_.get(), files_.get(), c.name)) << c.name;
        // What a loaded file should show: grey spread over R, G, B for a
        // bitmap, alpha dropped for a JPEG.
        FixturePicture expected = picture;
        expected.channels = c.loadedChannels;
        expected.pixels.clear();
        for (std::uint32_t y = 0; y < picture.height; ++y)
            for (std::uint32_t x = 0; x < picture.width; ++x)
                for (std::uint32_t k = 0; k < c.loadedChannels; ++k)
                    expected.pixels.push_back(picture.PixelAt(x, y)[c.channels == 1 ? 0 : k]);
        ExpectSamePicture(loaded, expected, c.tolerance, c.name);
    }
    EXPECT_TRUE(LoggedErrors().empty());
}

TEST_F(ImageFile, ExtensionChoosesTheFormatInAnyCase)
{
    SaveFixture("Picture.JPEG", Content::JpegFileWriter(FixturePicture::MakeGradient(8, 8, 3)).Build());
    Image image;
    EXPECT_TRUE(image.Load(log_.get(), files_.get(), "Picture.JPEG"));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);

    Image other;
    EXPECT_FALSE(other.Load(log_.get(), files_.get(), "picture.png"));
    EXPECT_TRUE(ErrorLogged("Unknown \"picture.png\" image file type"));
    EXPECT_TRUE(other.IsEmpty());

    EXPECT_FALSE(other.Load(log_.get(), files_.get(), "missing.tga"));
    EXPECT_EQ(LoggedErrors().size(), 2u) << "a missing file logs the file layer's error";
}

TEST_F(ImageFile, BitmapRowsSkipTheirPaddingAndPaletteEntriesAreBlueGreenRed)
{
    const FixturePicture colour = FixturePicture::MakePattern(3, 2, 3);
    SaveFixture("padded.bmp", Content::BmpFileWriter(colour).Build());
    Image image;
    ASSERT_TRUE(image.Load(log_.get(), files_.get(), "padded.bmp"));
    ExpectSamePicture(image, colour, 0, "width 3, three bytes of padding a row");

    FixturePicture indices = FixturePicture::MakePattern(3, 2, 1);
    Content::BmpFileWriter writer(indices);
    std::vector<std::array<std::uint8_t, 3>> palette;
    for (std::uint32_t k = 0; k < 256; ++k)
        palette.push_back({static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k / 2), 200});
    writer.SetPalette(palette);
    SaveFixture("paletted.bmp", writer.Build());
    Image paletted;
    ASSERT_TRUE(paletted.Load(log_.get(), files_.get(), "paletted.bmp"));
    ASSERT_EQ(paletted.GetBitsPerPixel(), 24u);
    const std::uint8_t index = indices.PixelAt(2, 1)[0];
    EXPECT_EQ(ImagePixel(paletted, 2, 1), (Bytes{index, static_cast<std::uint8_t>(index / 2), 200}));
}

TEST_F(ImageFile, DamagedBitmapsAreRefusedBeforeAnythingIsAllocated)
{
    using Content::BmpFileWriter;
    struct Case
    {
        const char* what;
        std::uint32_t channels;
        std::function<void(ByteBuffer&)> damage;
        const char* message;
    };
    const std::string incorrect = "Incorrect \"bad.bmp\" file format";
    const std::string unsupported = "Unsupported \"bad.bmp\" file format";
    const Case cases[] = {
        {"signature", 3, [](ByteBuffer& b) { b.PatchU16(BmpFileWriter::kSignatureOffset, 0x4D43); }, "Incorrect"},
        {"width 0", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kWidthOffset, 0); }, "Incorrect"},
        {"negative width", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kWidthOffset, 0xFFFFFFFB); }, "Incorrect"},
        {"height 0", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kHeightOffset, 0); }, "Incorrect"},
        {"top-down", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kHeightOffset, 0xFFFFFFFE); }, "Unsupported"},
        {"huge side", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kWidthOffset, 0x7FFFFFFF); }, "Unsupported"},
        {"side above the cap", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kHeightOffset, 16385); },
         "Unsupported"},
        {"16-bit", 3, [](ByteBuffer& b) { b.PatchU16(BmpFileWriter::kBitCountOffset, 16); }, "Unsupported"},
        {"1-bit", 3, [](ByteBuffer& b) { b.PatchU16(BmpFileWriter::kBitCountOffset, 1); }, "Unsupported"},
        {"run-length 8-bit", 1, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kCompressionOffset, 1); }, "Unsupported"},
        {"data inside the header", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kDataOffsetOffset, 10); },
         "Incorrect"},
        {"data inside the palette", 1, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kDataOffsetOffset, 54); },
         "Incorrect"},
        {"data past the end", 3, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kDataOffsetOffset, 0xFFFFFFF0); },
         "Incorrect"},
        {"rows cut short", 3, [](ByteBuffer& b) { b.Truncate(b.GetSize() - 1); }, "Incorrect"},
        {"8-bit rows cut short", 1, [](ByteBuffer& b) { b.Truncate(b.GetSize() - 1); }, "Incorrect"},
        {"bigger than the file", 4, [](ByteBuffer& b) { b.PatchU32(BmpFileWriter::kHeightOffset, 16384); },
         "Incorrect"},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        ByteBuffer bytes = BmpFileWriter(FixturePicture::MakePattern(4, 3, c.channels)).Build();
        c.damage(bytes);
        SaveFixture("bad.bmp", bytes);
        Image image;
        EXPECT_FALSE(image.Load(log_.get(), files_.get(), "bad.bmp")) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
        EXPECT_TRUE(ErrorLogged(std::string(c.message) == "Incorrect" ? incorrect : unsupported)) << c.what;
    }

    log_->ClearMessages();
    ByteBuffer shortHeader = BmpFileWriter(FixturePicture::MakePattern(4, 3, 3)).Build();
    shortHeader.Truncate(20);
    SaveFixture("short.bmp", shortHeader);
    Image image;
    EXPECT_FALSE(image.Load(log_.get(), files_.get(), "short.bmp"));
    ASSERT_EQ(LoggedErrors().size(), 1u);
    EXPECT_NE(LoggedErrors()[0].find("Failed to read 54 bytes from"), std::string::npos);
}

TEST_F(ImageFile, TargaOfEitherOriginAndEncodingLoadsTheSamePicture)
{
    for (std::uint32_t channels : {1u, 3u, 4u}) {
        FixturePicture picture = FixturePicture::MakePattern(6, 4, channels);
        // A run of equal pixels, so that the encoder makes run packets too.
        for (std::uint32_t x = 1; x < 5; ++x)
            std::memcpy(picture.pixels.data() + x * channels, picture.pixels.data(), channels);
        for (bool topLeft : {false, true}) {
            for (bool runLength : {false, true}) {
                Content::TgaFileWriter writer(picture);
                writer.SetTopLeftOrigin(topLeft);
                writer.SetRunLength(runLength);
                writer.SetImageId("fixture");
                SaveFixture("picture.tga", writer.Build());
                Image image;
                const std::string what = std::to_string(channels) + (topLeft ? " top-left" : " bottom-left") +
                                         (runLength ? " run-length" : " plain");
                ASSERT_TRUE(image.Load(log_.get(), files_.get(), "picture.tga")) << what;
                ExpectSamePicture(image, picture, 0, what);
            }
        }
    }
}

TEST_F(ImageFile, TargaSixteenBitPixelsAndGreyColourMaps)
{
    FixturePicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.channels = 4;
    picture.pixels = {0, 0, 0, 255, 255, 255, 255, 0};
    Content::TgaFileWriter writer(picture);
    writer.SetSixteenBit(true);
    SaveFixture("sixteen.tga", writer.Build());
    Image image;
    ASSERT_TRUE(image.Load(log_.get(), files_.get(), "sixteen.tga"));
    ASSERT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_EQ(ImagePixel(image, 0, 0), (Bytes{0, 0, 0, 255})) << "0x8000";
    EXPECT_EQ(ImagePixel(image, 1, 0), (Bytes{248, 248, 248, 0})) << "0x7FFF";

    const FixturePicture grey = FixturePicture::MakePattern(3, 3, 1);
    Content::TgaFileWriter mapped(grey);
    mapped.SetGreyColourMap(true);
    mapped.SetImageId("id");
    SaveFixture("mapped.tga", mapped.Build());
    ASSERT_TRUE(image.Load(log_.get(), files_.get(), "mapped.tga"));
    ExpectSamePicture(image, grey, 0, "colour-mapped grey");
}

TEST_F(ImageFile, DamagedTargasAreRefusedBeforeAnythingIsAllocated)
{
    using Content::TgaFileWriter;
    struct Case
    {
        const char* what;
        bool runLength;
        std::function<void(ByteBuffer&)> damage;
        bool unsupported;
    };
    const Case cases[] = {
        {"width 0", false, [](ByteBuffer& b) { b.PatchU16(TgaFileWriter::kWidthOffset, 0); }, false},
        {"no image", false, [](ByteBuffer& b) { b.PatchU8(TgaFileWriter::kImageTypeOffset, 0); }, true},
        {"compressed type 32", false, [](ByteBuffer& b) { b.PatchU8(TgaFileWriter::kImageTypeOffset, 32); }, true},
        {"depth 15", false, [](ByteBuffer& b) { b.PatchU8(TgaFileWriter::kDepthOffset, 15); }, true},
        {"side above the cap", false, [](ByteBuffer& b) { b.PatchU16(TgaFileWriter::kWidthOffset, 20000); }, true},
        {"pixels cut short", false, [](ByteBuffer& b) { b.Truncate(b.GetSize() - 1); }, false},
        {"colour map past the end", false,
         [](ByteBuffer& b) {
             b.PatchU16(TgaFileWriter::kColourMapLengthOffset, 0xFFFF);
             b.PatchU8(7, 32);
         },
         false},
        {"packets cut short", true, [](ByteBuffer& b) { b.Truncate(b.GetSize() - 1); }, false},
        {"packet past the picture", true, [](ByteBuffer& b) { b.PatchU16(TgaFileWriter::kHeightOffset, 1); }, false},
        {"huge run-length picture", true,
         [](ByteBuffer& b) {
             b.PatchU16(TgaFileWriter::kWidthOffset, 16384);
             b.PatchU16(TgaFileWriter::kHeightOffset, 16384);
         },
         false},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        Content::TgaFileWriter writer(FixturePicture::MakePattern(4, 3, 3));
        writer.SetRunLength(c.runLength);
        ByteBuffer bytes = writer.Build();
        c.damage(bytes);
        SaveFixture("bad.tga", bytes);
        Image image;
        EXPECT_FALSE(image.Load(log_.get(), files_.get(), "bad.tga")) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
        EXPECT_TRUE(ErrorLogged(std::string(c.unsupported ? "Unsupported" : "Incorrect") + " \"bad.tga\" file format"))
            << c.what;
    }
}

TEST_F(ImageFile, JpegGreyAndColourLoadAndCmykIsRefused)
{
    const FixturePicture grey = FixturePicture::MakeGradient(16, 16, 1);
    SaveFixture("grey.jpg", Content::JpegFileWriter(grey).Build());
    Image image;
    ASSERT_TRUE(image.Load(log_.get(), files_.get(), "grey.jpg"));
    ExpectSamePicture(image, grey, 4, "grey");

    const FixturePicture colour = FixturePicture::MakeGradient(67, 29, 3);
    SaveFixture("colour.jpg", Content::JpegFileWriter(colour).Build());
    ASSERT_TRUE(image.Load(log_.get(), files_.get(), "colour.jpg"));
    ExpectSamePicture(image, colour, 12, "colour");
    EXPECT_TRUE(LoggedErrors().empty());

    SaveFixture("cmyk.jpg", Content::JpegFileWriter(FixturePicture::MakeGradient(8, 8, 4)).Build());
    Image cmyk;
    EXPECT_FALSE(cmyk.Load(log_.get(), files_.get(), "cmyk.jpg"));
    EXPECT_TRUE(cmyk.IsEmpty());
    EXPECT_TRUE(ErrorLogged("Unsupported \"cmyk.jpg\" file format"));
}

TEST_F(ImageFile, DamagedJpegsFailWithALoggedErrorAndTheProcessGoesOn)
{
    const ByteBuffer good = Content::JpegFileWriter(FixturePicture::MakeGradient(64, 64, 3)).Build();
    struct Case
    {
        const char* what;
        std::function<void(ByteBuffer&)> damage;
    };
    const Case cases[] = {
        {"empty", [](ByteBuffer& b) { b.Truncate(0); }},
        {"header cut short", [](ByteBuffer& b) { b.Truncate(30); }},
        {"not a JPEG", [](ByteBuffer& b) { b.PatchU16(0, 0x4D42); }},
        {"zero width",
         [](ByteBuffer& b) {
             // The frame header's width field follows its marker, length, precision and height.
             const auto& bytes = b.GetBytes();
             for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
                 if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
                     b.PatchU8(i + 7, 0);
                     b.PatchU8(i + 8, 0);
                     return;
                 }
             }
         }},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        ByteBuffer bytes = good;
        c.damage(bytes);
        SaveFixture("bad.jpg", bytes);
        Image image;
        EXPECT_FALSE(image.Load(log_.get(), files_.get(), "bad.jpg")) << c.what;
        EXPECT_TRUE(ErrorLogged("Incorrect \"bad.jpg\" file format")) << c.what;
    }

    // Scan data cut short still gives a whole picture: the source supplies an
    // end-of-image marker and the library warns.
    log_->ClearMessages();
    ByteBuffer cut = good;
    cut.Truncate(good.GetSize() - good.GetSize() / 4);
    SaveFixture("cut.jpg", cut);
    Image image;
    EXPECT_TRUE(image.Load(log_.get(), files_.get(), "cut.jpg"));
    EXPECT_EQ(image.GetWidth(), 64u);
    EXPECT_TRUE(LoggedErrors().empty());
}

TEST_F(ImageFile, DecodersReadFromAFileInMemory)
{
    const ByteBuffer bytes = Content::TgaFileWriter(FixturePicture::MakePattern(8, 8, 3)).Build();
    FileBinary file(log_.get(), "memory.tga", false, false, true, static_cast<std::uint32_t>(bytes.GetSize()),
                    bytes.GetBytes().data());
    Image image;
    EXPECT_TRUE(image.ReadTGA(log_.get(), file, "memory.tga"));
    FileBinary notBitmap(log_.get(), "memory.bmp", false, false, true, static_cast<std::uint32_t>(bytes.GetSize()),
                         bytes.GetBytes().data());
    EXPECT_FALSE(image.ReadBMP(log_.get(), notBitmap, "memory.bmp"));
    EXPECT_TRUE(ErrorLogged("Incorrect \"memory.bmp\" file format"));
}

TEST_F(ImageFile, AFailedWriteIsReportedAsAFailure)
{
    Image image;
    image.Create(log_.get(), 4, 4, 24);
    image.Fill(Color(0.5f, 0.5f, 0.5f, 1.0f));
    // /dev/full takes the file open and refuses the bytes when they are flushed.
    EXPECT_FALSE(image.SaveBMP(files_.get(), "/dev/full"));
    EXPECT_FALSE(image.SaveTGA(files_.get(), "/dev/full"));
    EXPECT_FALSE(image.SaveJPEG(files_.get(), "/dev/full", Image::kJpegSaveQuality));
    EXPECT_EQ(LoggedErrors().size(), 3u);

    log_->ClearMessages();
    std::ofstream(folder_ / "plain_file") << "in the way";
    EXPECT_FALSE(image.SaveJPEG(files_.get(), "plain_file\\shot.jpg", Image::kJpegSaveQuality));
    EXPECT_TRUE(ErrorLogged("Failed to save \"plain_file\\shot.jpg\""));

    Image empty;
    EXPECT_FALSE(empty.Save(files_.get(), "empty.bmp"));
}

} // namespace
} // namespace OrrelayEngine
