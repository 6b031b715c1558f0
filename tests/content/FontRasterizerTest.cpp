#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "content/FontRasterizer.h"
#include "content/GameFonts.h"
#include "content/TgaFileWriter.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/PackFile.h"
#include "engine/gui/FontFile.h"
#include "engine/render/Image.h"

namespace {

using Content::FontRasterizer;
using OrrelayEngine::FileBinary;
using OrrelayEngine::FontFile;

bool IsPowerOfTwo(std::uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

// The most coverage in the rows of the glyph's cell from the fraction low to
// high of its height, read from the decoded picture (rows bottom first, as
// (u, v) counts them).
std::uint32_t MaxCoverage(const OrrelayEngine::Image& atlas, const FontFile::Glyph& glyph, float low, float high)
{
    const float width = static_cast<float>(atlas.GetWidth());
    const float height = static_cast<float>(atlas.GetHeight());
    const auto x0 = static_cast<std::uint32_t>(std::lround(glyph.u * width));
    const auto y0 = static_cast<std::uint32_t>(std::lround((glyph.v + glyph.dv * low) * height));
    const auto x1 = static_cast<std::uint32_t>(std::lround((glyph.u + glyph.du) * width));
    const auto y1 = static_cast<std::uint32_t>(std::lround((glyph.v + glyph.dv * high) * height));
    std::uint32_t most = 0;
    for (std::uint32_t y = y0; y < y1; ++y) {
        for (std::uint32_t x = x0; x < x1; ++x) {
            most = std::max<std::uint32_t>(most, atlas.GetData()[(y * atlas.GetWidth() + x) * 4 + 3]);
        }
    }
    return most;
}

TEST(FontRasterizerTest, GameRangesReadBackWithCellsInsideThePictureAndApart)
{
    const FontRasterizer::Result result =
        FontRasterizer::Rasterize(FontRasterizer::DejaVuSansPath(), FontRasterizer::GameRanges(), 20);
    EXPECT_TRUE(IsPowerOfTwo(result.atlas.width));
    EXPECT_TRUE(IsPowerOfTwo(result.atlas.height));

    const Content::ByteBuffer fontBytes = Content::FontFileWriter().Build(result.glyphs);
    FileBinary fontFile(nullptr, "raster.fnt", false, false, true, static_cast<std::uint32_t>(fontBytes.GetSize()),
                        fontBytes.GetBytes().data());
    FontFile font;
    font.Read(fontFile, "raster.fnt");

    std::set<std::uint32_t> requested;
    for (const FontRasterizer::Range& range : FontRasterizer::GameRanges()) {
        for (std::uint32_t code = range.first; code <= range.last; ++code) {
            requested.insert(code);
        }
    }
    std::set<std::uint32_t> read;
    for (const FontFile::Glyph& glyph : font.glyphs) {
        SCOPED_TRACE(static_cast<std::uint32_t>(glyph.character));
        read.insert(static_cast<std::uint32_t>(glyph.character));
        EXPECT_GT(glyph.width, 0.0f);
        EXPECT_LT(glyph.width, 2.0f);
        EXPECT_GE(glyph.u, 0.0f);
        EXPECT_GE(glyph.v, 0.0f);
        EXPECT_LE(glyph.u + glyph.du, 1.0f);
        EXPECT_LE(glyph.v + glyph.dv, 1.0f);
        // The quad of a glyph is width x 1 in font heights; the cell must match.
        EXPECT_NEAR(glyph.du * result.atlas.width / (glyph.dv * result.atlas.height), glyph.width, 1e-4);
    }
    EXPECT_EQ(read, requested);

    // Cells are apart: at least the gutter between any two.
    const float gapU = static_cast<float>(FontRasterizer::kGutterPixels) / result.atlas.width;
    const float gapV = static_cast<float>(FontRasterizer::kGutterPixels) / result.atlas.height;
    std::size_t overlaps = 0;
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        for (std::size_t j = i + 1; j < font.glyphs.size(); ++j) {
            const FontFile::Glyph& a = font.glyphs[i];
            const FontFile::Glyph& b = font.glyphs[j];
            const bool apartU = a.u + a.du + gapU <= b.u + 1e-6f || b.u + b.du + gapU <= a.u + 1e-6f;
            const bool apartV = a.v + a.dv + gapV <= b.v + 1e-6f || b.v + b.dv + gapV <= a.v + 1e-6f;
            overlaps += apartU || apartV ? 0 : 1;
        }
    }
    EXPECT_EQ(overlaps, 0u);

    // The atlas decodes as a 32-bit picture with ink where the table says: a
    // low line low in its cell, a macron high, a blank nowhere.
    const Content::ByteBuffer tga = Content::TgaFileWriter(result.atlas).Build();
    FileBinary tgaFile(nullptr, "raster.tga", false, false, true, static_cast<std::uint32_t>(tga.GetSize()),
                       tga.GetBytes().data());
    OrrelayEngine::MessageManager log("Test", false, false, "", "");
    OrrelayEngine::Image atlas;
    ASSERT_TRUE(atlas.ReadTGA(&log, tgaFile, "raster.tga"));
    EXPECT_EQ(atlas.GetBitsPerPixel(), 32u);
    EXPECT_EQ(atlas.GetWidth(), result.atlas.width);
    for (const FontFile::Glyph& glyph : font.glyphs) {
        if (glyph.character == L'_') {
            EXPECT_GT(MaxCoverage(atlas, glyph, 0.0f, 0.3f), 100u);
            EXPECT_EQ(MaxCoverage(atlas, glyph, 0.5f, 1.0f), 0u);
        }
        if (glyph.character == L'\x00AF') {
            EXPECT_EQ(MaxCoverage(atlas, glyph, 0.0f, 0.5f), 0u);
            EXPECT_GT(MaxCoverage(atlas, glyph, 0.6f, 1.0f), 100u);
        }
        if (glyph.character == L' ') {
            EXPECT_EQ(MaxCoverage(atlas, glyph, 0.0f, 1.0f), 0u);
        }
    }
}

// Every glyph of every font the build packed lies whole inside its cell: no
// ink on the cell's outermost rows or columns, where a cut shows.
TEST(FontRasterizerTest, EveryBuiltGlyphLeavesItsCellsRimClear)
{
    OrrelayEngine::MessageManager log("Test", false, false, "", "");
    OrrelayEngine::PackFile pack(&log, QUILLORY_BUILD_DIR "/data/pack0.pak");
    const auto read = [&pack](const std::string& name, std::vector<std::uint8_t>& bytes) {
        std::uint32_t size = 0;
        ASSERT_TRUE(pack.GetFileSize(name, size)) << name;
        bytes.resize(size);
        ASSERT_TRUE(pack.ReadFile(name, bytes.data())) << name;
    };
    for (const Content::GameFonts::Font& entry : Content::GameFonts::GetFonts()) {
        const std::string stem = "data\\ui\\fonts\\" + Content::GameFonts::GetFileStem(entry);
        SCOPED_TRACE(stem);
        std::vector<std::uint8_t> fontBytes;
        std::vector<std::uint8_t> tgaBytes;
        read(stem + ".fnt", fontBytes);
        read(stem + ".tga", tgaBytes);
        FileBinary fontFile(nullptr, stem, false, false, true, static_cast<std::uint32_t>(fontBytes.size()),
                            fontBytes.data());
        FontFile font;
        font.Read(fontFile, stem);
        FileBinary tgaFile(nullptr, stem, false, false, true, static_cast<std::uint32_t>(tgaBytes.size()),
                           tgaBytes.data());
        OrrelayEngine::Image atlas;
        ASSERT_TRUE(atlas.ReadTGA(&log, tgaFile, stem));
        const float width = static_cast<float>(atlas.GetWidth());
        const float height = static_cast<float>(atlas.GetHeight());
        std::string cut;
        for (const FontFile::Glyph& glyph : font.glyphs) {
            const auto x0 = static_cast<std::uint32_t>(std::lround(glyph.u * width));
            const auto x1 = static_cast<std::uint32_t>(std::lround((glyph.u + glyph.du) * width));
            const auto y0 = static_cast<std::uint32_t>(std::lround(glyph.v * height));
            const auto y1 = static_cast<std::uint32_t>(std::lround((glyph.v + glyph.dv) * height));
            ASSERT_LT(x0 + 1, x1);
            ASSERT_LT(y0 + 1, y1);
            ASSERT_LE(x1, atlas.GetWidth());
            ASSERT_LE(y1, atlas.GetHeight());
            bool inked = false;
            for (std::uint32_t y = y0; y < y1; ++y) {
                for (std::uint32_t x = x0; x < x1; ++x) {
                    const bool rim = x == x0 || x + 1 == x1 || y == y0 || y + 1 == y1;
                    inked = inked || (rim && atlas.GetData()[(y * atlas.GetWidth() + x) * 4 + 3] != 0);
                }
            }
            if (inked) {
                char code[16];
                std::snprintf(code, sizeof code, " U+%04X", static_cast<unsigned>(glyph.character));
                cut += code;
            }
        }
        EXPECT_EQ(cut, "") << "glyphs with ink on their cell's rim";
    }
}

TEST(FontRasterizerTest, MissingFaceIsNamedInTheError)
{
    try {
        FontRasterizer::Rasterize("/nonexistent/NoSuchFace.ttf", {{0x41, 0x41}}, 16);
        FAIL() << "a missing face was accepted";
    } catch (const OrrelayEngine::FileError& error) {
        EXPECT_NE(error.GetMessage().find("/nonexistent/NoSuchFace.ttf"), std::string::npos);
        EXPECT_NE(error.GetMessage().find("fonts-dejavu-core"), std::string::npos);
    }
}

} // namespace
