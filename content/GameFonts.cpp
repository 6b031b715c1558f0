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
constexpr const char* kRecipeVersion = "fonts 2";
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

FontRasterizer::Result RasterizeFont(const GameFonts::Font& font)
{
    FontRasterizer::Result result =
        FontRasterizer::Rasterize(FaceOf(font), RangesOf(font), GameFonts::GetPixelHeight(font));
    // White glyphs take the print colour as it is; a tinted font carries its
    // colour in the picture, so the screens' white prints come out in it.
    for (std::size_t i = 0; i < result.atlas.pixels.size(); i += 4) {
        result.atlas.pixels[i] = font.tint.r;
        result.atlas.pixels[i + 1] = font.tint.g;
        result.atlas.pixels[i + 2] = font.tint.b;
    }
    return result;
}

AssetRecipe::Outputs MakeFontFiles(const GameFonts::Font& font)
{
    const FontRasterizer::Result result = RasterizeFont(font);
    TgaFileWriter atlas(result.atlas);
    atlas.SetRunLength(true);
    return {FontFileWriter().Build(result.glyphs).GetBytes(), atlas.Build().GetBytes()};
}

// A character without a glyph advances as far as the blank does, in heights
// of the font's cell.
float SpaceAdvanceOf(const GameFonts::Font& font, const FontRasterizer::Result& result)
{
    for (const OrrelayEngine::FontFile::Glyph& glyph : result.glyphs) {
        if (glyph.character == L' ') {
            return glyph.width;
        }
    }
    const FontRasterizer::Result blank =
        FontRasterizer::Rasterize(FaceOf(font), {{' ', ' '}}, GameFonts::GetPixelHeight(font));
    if (blank.glyphs.empty()) {
        return 0.3f;
    }
    return blank.glyphs.front().width * static_cast<float>(blank.cellHeight) / static_cast<float>(result.cellHeight);
}

std::string Describe(const GameFonts::Font& font)
{
    return GameFonts::GetFileStem(font) + ":" + font.characters;
}

} // namespace

const std::vector<GameFonts::Font>& GameFonts::GetFonts()
{
    // Font 1 prints the menu titles, the player's name among them: twenty of
    // its widest capitals and the greeting fit the title area.
    static const std::vector<Font> kFonts = {
        {13, false, "", kWhite},            // HUD statistics
        {18, true, "", kWhite},             // captions, titles, LOADING
        {17, false, "", kWhite},            // body lines
        {19, true, "", kWhite},             // headings and rows
        {19, true, "", kGold},              // the chosen row, highlighted entries, the bonus number
        {19, true, "", kSky},               // the row under the mouse
        {18, false, "", kWhite},            // edit box, HUD fields
        {24, true, "", kWhite},             // main-menu captions: normal,
        {24, true, "", kWhite},             // under the mouse
        {24, true, "", kWhite},             // and held down
        {22, true, "0123456789+-", kWhite}, // floating score
    };
    return kFonts;
}

std::string GameFonts::GetFileStem(const Font& font)
{
    return std::string(font.characters.empty() ? (font.bold ? "sansbold" : "sans") : "digits") +
           std::to_string(font.size) + font.tint.name;
}

float GameFonts::GetListedSize(const Font& font, const FontRasterizer::Result& result)
{
    // The quad is the whole cell, taller than the face's line by the room
    // its accents and descenders take: the letters keep the line's size.
    return static_cast<float>(font.size) * static_cast<float>(result.cellHeight) /
           static_cast<float>(std::max<std::uint32_t>(1, result.lineHeight));
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
        const FontRasterizer::Result result = RasterizeFont(font);
        const std::string stem = std::string(kFolder) + GetFileStem(font);
        list << stem << ".fnt " << stem << ".tga 32bit " << GetListedSize(font, result) << " "
             << SpaceAdvanceOf(font, result) << " " << kSpacing << " 1 0\n";
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
        recipe.parameters = std::string(kRecipeVersion) + " " + std::to_string(GetPixelHeight(font)) + " " +
                            Describe(font) + " " + std::to_string(font.tint.r) + "," + std::to_string(font.tint.g) +
                            "," + std::to_string(font.tint.b);
        recipe.make = [font]() { return MakeFontFiles(font); };
        builder.Add(std::move(recipe));
    }
    AssetRecipe list;
    list.origin = "font list";
    list.packPaths = {"data\\" + std::string(kFolder) + kLanguage + ".ini"};
    list.inputFiles = {FontRasterizer::DejaVuSansPath(), FontRasterizer::DejaVuSansBoldPath()};
    list.parameters = kRecipeVersion;
    for (const Font& font : GetFonts()) {
        list.parameters += " " + Describe(font);
    }
    list.make = []() {
        const std::string text = MakeFontList();
        return AssetRecipe::Outputs{std::vector<std::uint8_t>(text.begin(), text.end())};
    };
    builder.Add(std::move(list));
}

} // namespace Content
