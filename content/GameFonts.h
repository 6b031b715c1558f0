// The fonts of the game's language, as data-set recipes: DejaVu Sans and Sans
// Bold rasterised at 1.5 times each font's line height in GUI units into
// run-length 32-bit TGA atlases (the font's tint, alpha = coverage) with their
// font files under "data\ui\fonts\", and the language's font list "en.ini"
// that names them. Fonts of the same face, size, characters and tint share
// their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/FontRasterizer.h"

namespace Content {

class DataSetBuilder;

class GameFonts
{
public:
    // The glyphs' colour; the name ends the files' stem ("" for white).
    struct Tint
    {
        const char* name;
        std::uint8_t r;
        std::uint8_t g;
        std::uint8_t b;
    };
    static constexpr Tint kWhite{"", 255, 255, 255};
    static constexpr Tint kGold{"gold", 255, 204, 72};
    static constexpr Tint kSky{"sky", 150, 214, 255};

    struct Font
    {
        // The face's line height in GUI units.
        std::uint32_t size;
        bool bold;
        // Empty: every character the game's languages use.
        std::string characters;
        Tint tint;
    };

    // Indexed by font id.
    static const std::vector<Font>& GetFonts();
    // The files' stem ("sansbold22"); font lists are read word by word, so no "_".
    static std::string GetFileStem(const Font& font);
    static std::uint32_t GetPixelHeight(const Font& font);
    // The size the font list gives it: the height of its cells in GUI units.
    static float GetListedSize(const Font& font, const FontRasterizer::Result& result);
    static std::string MakeFontList();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
