#include "content/FontRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <memory>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"

namespace Content {

namespace {

constexpr const char* kDejaVuFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr std::uint32_t kSmallestAtlasSide = 64;

// One rendered glyph: FreeType's bitmap and metrics, before it has a cell.
struct Rendered
{
    std::uint32_t character = 0;
    std::int32_t advance = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::uint32_t width = 0;
    std::uint32_t rows = 0;
    // Coverage, width x rows, rows top first.
    std::vector<std::uint8_t> coverage;
};

// A glyph in its cell, where it is placed in the atlas.
struct Cell
{
    std::uint32_t character = 0;
    std::uint32_t width = 0;
    // Coverage, width x cell height, rows top first.
    std::vector<std::uint8_t> coverage;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

struct FaceDeleter
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

struct LibraryDeleter
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

using FacePointer = std::unique_ptr<FT_FaceRec_, FaceDeleter>;
using LibraryPointer = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;

std::int32_t RoundPixels(FT_Pos value26Dot6)
{
    return static_cast<std::int32_t>((value26Dot6 + 32) >> 6);
}

Rendered Render(const FT_GlyphSlot slot, std::uint32_t character)
{
    Rendered glyph;
    glyph.character = character;
    glyph.advance = RoundPixels(slot->advance.x);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr) {
        return glyph;
    }
    glyph.width = bitmap.width;
    glyph.rows = bitmap.rows;
    glyph.coverage.reserve(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
    for (std::uint32_t row = 0; row < bitmap.rows; ++row) {
        const std::uint8_t* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        glyph.coverage.insert(glyph.coverage.end(), source, source + bitmap.width);
    }
    return glyph;
}

// The glyph's cell is as wide as its advance, wider only when its ink needs
// more; the ink keeps its place in the cell where it fits, else it is moved
// in just enough to keep the margin, so the pen moves as the face says for
// all but the few glyphs that overhang their advance.
Cell PlaceInCell(const Rendered& glyph, std::uint32_t cellHeight, std::uint32_t above)
{
    const std::int32_t margin = static_cast<std::int32_t>(FontRasterizer::kInkMarginPixels);
    const auto inkWidth = static_cast<std::int32_t>(glyph.width);
    Cell cell;
    cell.character = glyph.character;
    // Even a glyph without advance gets a pixel, so that its width stays positive.
    std::int32_t width = std::max(1, glyph.advance);
    if (inkWidth > 0) {
        width = std::max(width, inkWidth + 2 * margin);
    }
    cell.width = static_cast<std::uint32_t>(width);
    cell.coverage.assign(static_cast<std::size_t>(cell.width) * cellHeight, 0);
    if (inkWidth == 0) {
        return cell;
    }
    const std::int32_t x0 = std::clamp(glyph.left, margin, width - margin - inkWidth);
    const std::int32_t y0 = static_cast<std::int32_t>(above) - glyph.top;
    for (std::uint32_t row = 0; row < glyph.rows; ++row) {
        const std::size_t target =
            static_cast<std::size_t>(y0 + static_cast<std::int32_t>(row)) * cell.width + static_cast<std::size_t>(x0);
        std::copy_n(glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row * glyph.width), glyph.width,
                    cell.coverage.begin() + static_cast<std::ptrdiff_t>(target));
    }
    return cell;
}

// Shelf packing in rows of cells; the height used, or 0 when a cell is wider
// than the side.
std::uint32_t PackRows(std::vector<Cell>& cells, std::uint32_t side, std::uint32_t cellHeight)
{
    const std::uint32_t gutter = FontRasterizer::kGutterPixels;
    std::uint32_t x = gutter;
    std::uint32_t y = gutter;
    for (Cell& cell : cells) {
        if (cell.width + 2 * gutter > side) {
            return 0;
        }
        if (x + cell.width + gutter > side) {
            x = gutter;
            y += cellHeight + gutter;
        }
        cell.x = x;
        cell.y = y;
        x += cell.width + gutter;
    }
    return y + cellHeight + gutter;
}

std::uint32_t NextPowerOfTwo(std::uint32_t value)
{
    std::uint32_t power = 1;
    while (power < value) {
        power <<= 1;
    }
    return power;
}

} // namespace

std::string FontRasterizer::DejaVuSansPath()
{
    return std::string(kDejaVuFolder) + "DejaVuSans.ttf";
}

std::string FontRasterizer::DejaVuSansBoldPath()
{
    return std::string(kDejaVuFolder) + "DejaVuSans-Bold.ttf";
}

std::vector<FontRasterizer::Range> FontRasterizer::GameRanges()
{
    return {{0x20, 0x7E}, {0xA0, 0xFF}, {0x100, 0x17F}, {0x400, 0x45F}, {0x2026, 0x2026}};
}

FontRasterizer::Result FontRasterizer::Rasterize(const std::string& faceFile, const std::vector<Range>& ranges,
                                                 std::uint32_t pixelHeight)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(faceFile, ignored)) {
        throw OrrelayEngine::FileError("Font face \"" + faceFile +
                                       "\" not found (the DejaVu faces come with the package fonts-dejavu-core)");
    }
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        throw OrrelayEngine::Error("FreeType could not be started");
    }
    const LibraryPointer library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), faceFile.c_str(), 0, &rawFace) != 0) {
        throw OrrelayEngine::FileError("Font face \"" + faceFile + "\" cannot be read");
    }
    const FacePointer face(rawFace);
    if (pixelHeight == 0 || FT_Set_Pixel_Sizes(face.get(), 0, pixelHeight) != 0) {
        throw OrrelayEngine::Error("Font face \"" + faceFile + "\" cannot be set to " + std::to_string(pixelHeight) +
                                   " pixels");
    }
    const std::int32_t ascent = RoundPixels(face->size->metrics.ascender);
    const std::int32_t descent = -RoundPixels(face->size->metrics.descender);

    std::vector<Rendered> rendered;
    // The cell reaches past the face's line wherever a glyph's ink does
    // (accented capitals, deep descenders), with a clear margin all round.
    const std::int32_t margin = static_cast<std::int32_t>(kInkMarginPixels);
    std::int32_t above = std::max(1, ascent);
    std::int32_t below = std::max(0, descent);
    for (const Range& range : ranges) {
        for (std::uint32_t code = range.first; code <= range.last && code >= range.first; ++code) {
            if (FT_Get_Char_Index(face.get(), code) == 0 || FT_Load_Char(face.get(), code, FT_LOAD_RENDER) != 0) {
                continue;
            }
            rendered.push_back(Render(face->glyph, code));
            const Rendered& glyph = rendered.back();
            if (glyph.rows > 0) {
                above = std::max(above, glyph.top + margin);
                below = std::max(below, static_cast<std::int32_t>(glyph.rows) - glyph.top + margin);
            }
        }
    }
    const auto cellHeight = static_cast<std::uint32_t>(above + below);
    std::vector<Cell> cells;
    cells.reserve(rendered.size());
    for (const Rendered& glyph : rendered) {
        cells.push_back(PlaceInCell(glyph, cellHeight, static_cast<std::uint32_t>(above)));
    }

    std::uint32_t side = kSmallestAtlasSide;
    std::uint32_t height = 0;
    for (; side <= kMaxAtlasSide; side <<= 1) {
        const std::uint32_t used = PackRows(cells, side, cellHeight);
        if (used != 0 && NextPowerOfTwo(used) <= side) {
            height = NextPowerOfTwo(used);
            break;
        }
    }
    if (height == 0) {
        throw OrrelayEngine::Error("The glyphs of \"" + faceFile + "\" do not fit a " + std::to_string(kMaxAtlasSide) +
                                   "-pixel atlas");
    }

    Result result;
    result.cellHeight = cellHeight;
    result.lineHeight = static_cast<std::uint32_t>(std::max(1, ascent + descent));
    result.atlas.width = side;
    result.atlas.height = height;
    result.atlas.channels = 4;
    result.atlas.pixels.assign(static_cast<std::size_t>(side) * height * 4, 0);
    for (std::size_t i = 0; i < result.atlas.pixels.size(); i += 4) {
        result.atlas.pixels[i] = result.atlas.pixels[i + 1] = result.atlas.pixels[i + 2] = 255;
    }
    for (const Cell& cell : cells) {
        for (std::uint32_t row = 0; row < cellHeight; ++row) {
            for (std::uint32_t column = 0; column < cell.width; ++column) {
                const std::size_t pixel = (static_cast<std::size_t>(cell.y + row) * side + cell.x + column) * 4;
                result.atlas.pixels[pixel + 3] = cell.coverage[static_cast<std::size_t>(row) * cell.width + column];
            }
        }
        OrrelayEngine::FontFile::Glyph glyph;
        glyph.character = static_cast<wchar_t>(cell.character);
        glyph.u = static_cast<float>(cell.x) / static_cast<float>(side);
        // The cell's bottom row, counted from the picture's bottom.
        glyph.v = static_cast<float>(height - (cell.y + cellHeight)) / static_cast<float>(height);
        glyph.du = static_cast<float>(cell.width) / static_cast<float>(side);
        glyph.dv = static_cast<float>(cellHeight) / static_cast<float>(height);
        glyph.width = static_cast<float>(cell.width) / static_cast<float>(cellHeight);
        result.glyphs.push_back(glyph);
    }
    return result;
}

} // namespace Content
