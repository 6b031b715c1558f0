// The fonts of the game's language, as data-set recipes: DejaVu Sans and Sans
// Bold rasterised at 1.5 times each font's line height in GUI units into
// run-length 32-bit TGA atlases (white, alpha = coverage) with their font
// files under "data\ui\fonts\", and the language's font list "en.ini" that
// names them. Fonts of the same face, size and characters share their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class GameFonts
{
public:
    struct Font
    {
        std::uint32_t size;
        bool bold;
        // Empty: every character the game's languages use.
        std::string characters;
    };

    // Indexed by font id.
    static const std::vector<Font>& GetFonts();
    // The files' stem ("sansbold22"); font lists are read word by word, so no "_".
    static std::string GetFileStem(const Font& font);
    static std::uint32_t GetPixelHeight(const Font& font);
    static std::string MakeFontList();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
