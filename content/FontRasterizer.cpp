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

// One rendered glyph before it is placed: its coverage clipped to its cell.
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

// Copies the rendered bitmap into a cell whose baseline lies descent pixels
// above its bottom; ink outside the cell is cut.
void CopyCoverage(const FT_GlyphSlot slot, std::uint32_t cellHeight, std::int32_t descent, Cell& cell)
{
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr) {
        return;
    }
    const std::int32_t baselineRow = static_cast<std::int32_t>(cellHeight) - descent;
    for (std::uint32_t row = 0; row < bitmap.rows; ++row) {
        const std::int32_t y = baselineRow - slot->bitmap_top + static_cast<std::int32_t>(row);
        if (y < 0 || y >= static_cast<std::int32_t>(cellHeight)) {
            continue;
        }
        const std::uint8_t* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (std::uint32_t column = 0; column < bitmap.width; ++column) {
            const std::int32_t x = slot->bitmap_left + static_cast<std::int32_t>(column);
            if (x < 0 || x >= static_cast<std::int32_t>(cell.width)) {
                continue;
            }
            std::uint8_t& target =
                cell.coverage[static_cast<std::size_t>(y) * cell.width + static_cast<std::size_t>(x)];
            target = std::max(target, source[column]);
        }
    }
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
    return {{0x20, 0x7E}, {0xA0, 0xFF}, {0x100, 0x17F}, {0x400, 0x45F}};
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
    const std::uint32_t cellHeight = static_cast<std::uint32_t>(std::max(1, ascent + descent));

    std::vector<Cell> cells;
    for (const Range& range : ranges) {
        for (std::uint32_t code = range.first; code <= range.last && code >= range.first; ++code) {
            if (FT_Get_Char_Index(face.get(), code) == 0 || FT_Load_Char(face.get(), code, FT_LOAD_RENDER) != 0) {
                continue;
            }
            Cell cell;
            cell.character = code;
            // Even a glyph without advance gets a pixel, so that its width stays positive.
            cell.width = static_cast<std::uint32_t>(std::max(1, RoundPixels(face->glyph->advance.x)));
            cell.coverage.assign(static_cast<std::size_t>(cell.width) * cellHeight, 0);
            CopyCoverage(face->glyph, cellHeight, descent, cell);
            cells.push_back(std::move(cell));
        }
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
