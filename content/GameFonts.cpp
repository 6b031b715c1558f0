#include "content/GameFonts.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/FontFileWriter.h"
#include "content/FontRasterizer.h"
#include "content/TgaFileWriter.h"
#include "engine/core/Error.h"

namespace Content {

namespace {

// Raised whenever the way fonts are made changes, so cached files are made again.
constexpr const char* kRecipeVersion = "fonts 1";
constexpr const char* kFacePackage = "fonts-dejavu-core";
constexpr const char* kFolder = "ui\\fonts\\";
constexpr const char* kLanguage = "en";
constexpr std::uint32_t kConsoleFontId = 0;
// Pixels per GUI unit of line height: the menus run at up to 1.5 times 800 x 600.
constexpr double kPixelsPerUnit = 1.5;
constexpr float kSpacing = 1.0f;

std::string FaceOf(const GameFonts::Font& font)
{
    const std::string face = font.bold ? FontRasterizer::DejaVuSansBoldPath() : FontRasterizer::DejaVuSansPath();
    if (!std::filesystem::exists(face)) {
        throw OrrelayEngine::Error("the face " + face + " is missing; install the package " + kFacePackage);
    }
    return face;
}

std::vector<FontRasterizer::Range> RangesOf(const GameFonts::Font& font)
{
    if (font.characters.empty()) {
        return FontRasterizer::GameRanges();
    }
    std::vector<FontRasterizer::Range> ranges;
    for (unsigned char c : font.characters) {
        ranges.push_back({c, c});
    }
    return ranges;
}

AssetRecipe::Outputs MakeFontFiles(const GameFonts::Font& font)
{
    const FontRasterizer::Result result =
        FontRasterizer::Rasterize(FaceOf(font), RangesOf(font), GameFonts::GetPixelHeight(font));
    TgaFileWriter atlas(result.atlas);
    atlas.SetRunLength(true);
    return {FontFileWriter().Build(result.glyphs).GetBytes(), atlas.Build().GetBytes()};
}

// A character without a glyph advances as far as the blank does.
float SpaceAdvanceOf(const GameFonts::Font& font)
{
    const FontRasterizer::Result blank =
        FontRasterizer::Rasterize(FaceOf(font), {{' ', ' '}}, GameFonts::GetPixelHeight(font));
    return blank.glyphs.empty() ? 0.3f : blank.glyphs.front().width;
}

} // namespace

const std::vector<GameFonts::Font>& GameFonts::GetFonts()
{
    static const std::vector<Font> kFonts = {
        {13, false, ""},                                             // HUD statistics
        {22, true, ""},                                              // captions, titles, LOADING
        {17, false, ""},                                             // body lines
        {17, false, ""},                                             // headings and rows
        {18, true, ""},                                              // highlighted rows, bonus number
        {17, false, ""},                                             // hovered row
        {18, false, ""},                                             // edit box, HUD fields
        {24, true, ""},                                              // main-menu captions by state
        {24, true, ""},  {24, true, ""}, {22, true, "0123456789+-"}, // floating score
    };
    return kFonts;
}

std::string GameFonts::GetFileStem(const Font& font)
{
    return std::string(font.characters.empty() ? (font.bold ? "sansbold" : "sans") : "digits") +
           std::to_string(font.size);
}

std::uint32_t GameFonts::GetPixelHeight(const Font& font)
{
    return static_cast<std::uint32_t>(std::lround(font.size * kPixelsPerUnit));
}

std::string GameFonts::MakeFontList()
{
    std::ostringstream list;
    list << "// Fonts of the English texts: the count and the console font, then per font its file, texture,\n"
         << "// opacity, size, space advance, spacing, lower-case glyphs and monospace.\n"
         << GetFonts().size() << " " << kConsoleFontId << "\n";
    for (const Font& font : GetFonts()) {
        const std::string stem = std::string(kFolder) + GetFileStem(font);
        list << stem << ".fnt " << stem << ".tga 32bit " << font.size << " " << SpaceAdvanceOf(font) << " " << kSpacing
             << " 1 0\n";
    }
    return list.str();
}

void GameFonts::AddRecipes(DataSetBuilder& builder)
{
    std::set<std::string> made;
    for (const Font& font : GetFonts()) {
        FaceOf(font); // a missing face is named with its package before anything runs
        const std::string stem = GetFileStem(font);
        if (!made.insert(stem).second) {
            continue;
        }
        AssetRecipe recipe;
        recipe.origin = "font " + stem;
        recipe.packPaths = {"data\\" + std::string(kFolder) + stem + ".fnt",
                            "data\\" + std::string(kFolder) + stem + ".tga"};
        recipe.inputFiles = {font.bold ? FontRasterizer::DejaVuSansBoldPath() : FontRasterizer::DejaVuSansPath()};
        recipe.parameters =
            std::string(kRecipeVersion) + " " + std::to_string(GetPixelHeight(font)) + " " + font.characters;
        recipe.make = [font]() { return MakeFontFiles(font); };
        builder.Add(std::move(recipe));
    }
    AssetRecipe list;
    list.origin = "font list";
    list.packPaths = {"data\\" + std::string(kFolder) + kLanguage + ".ini"};
    list.inputFiles = {FontRasterizer::DejaVuSansPath(), FontRasterizer::DejaVuSansBoldPath()};
    list.parameters = kRecipeVersion;
    list.make = []() {
        const std::string text = MakeFontList();
        return AssetRecipe::Outputs{std::vector<std::uint8_t>(text.begin(), text.end())};
    };
    builder.Add(std::move(list));
}

} // namespace Content
