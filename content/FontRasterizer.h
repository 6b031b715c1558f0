// Rasterises the glyphs of a TrueType face with FreeType into a font atlas and
// its glyph table, the two files a GUI font is made of: the atlas is white
// with alpha = coverage, its sides powers of two (other sizes would be
// resampled and blur); every glyph has a cell as wide as its advance (wider
// where its ink overhangs it) and as high as the tallest and deepest ink of
// the set, so that every glyph lies whole inside its cell with a clear margin
// all round (no ink on a cell's outermost rows or columns, where filtering
// would cut it), and the cells are kept apart by transparent gutters so that
// filtering never mixes neighbours. A glyph's width in the table is its cell
// width divided by the cell height, so a quad of the font's height shows the
// cell undistorted.
//
// Glyph (u, v) is the cell's lower-left corner, v counted from the picture's
// bottom row. Characters the face lacks are left out of the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/FixturePicture.h"
#include "engine/gui/FontFile.h"

namespace Content {

class FontRasterizer
{
public:
    // Inclusive.
    struct Range
    {
        std::uint32_t first;
        std::uint32_t last;
    };

    struct Result
    {
        // Four channels, rows top first.
        FixturePicture atlas;
        std::vector<OrrelayEngine::FontFile::Glyph> glyphs;
        std::uint32_t cellHeight = 0;
        // The face's own line (ascent and descent), which the cell encloses.
        std::uint32_t lineHeight = 0;
    };

    static constexpr std::uint32_t kGutterPixels = 2;
    static constexpr std::uint32_t kInkMarginPixels = 1;
    static constexpr std::uint32_t kMaxAtlasSide = 4096;

    // The faces of the Debian package fonts-dejavu-core.
    static std::string DejaVuSansPath();
    static std::string DejaVuSansBoldPath();
    // ASCII (from the blank), Latin-1, Latin Extended-A, U+0400 to U+045F and
    // the ellipsis (a name cut to its room ends in it).
    static std::vector<Range> GameRanges();

    // Throws OrrelayEngine::FileError naming the face file when it is missing
    // or FreeType cannot read it, and OrrelayEngine::Error when the glyphs do
    // not fit the largest atlas.
    static Result Rasterize(const std::string& faceFile, const std::vector<Range>& ranges, std::uint32_t pixelHeight);
};

} // namespace Content
