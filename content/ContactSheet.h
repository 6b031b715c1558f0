// The data set's contact sheet: every picture the builder made, on a dark
// checkerboard so that alpha shows, each labelled with its pack path and pixel
// size. Pictures wider than 1024 pixels are scaled down by a power of two; the
// sheet is at most 4096 pixels wide. The listing gives each tile's picture
// rectangle ("x y width height path WxH", one line each).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ContactSheet
{
public:
    static constexpr std::uint32_t kMaxSheetWidth = 4096;
    static constexpr std::uint32_t kMaxTileWidth = 1024;

    // BMP, TGA and JPEG files, by extension.
    static bool IsPicture(const std::string& packPath);

    // Files other than pictures are left out;
    // a picture the engine's readers refuse throws OrrelayEngine::Error.
    void AddFile(const std::string& packPath, const std::vector<std::uint8_t>& bytes);
    // rgba: width x height pixels, rows top to bottom.
    void AddPicture(const std::string& packPath, std::uint32_t width, std::uint32_t height,
                    std::vector<std::uint8_t> rgba);

    // Throws OrrelayEngine::Error naming the package when the label face is missing.
    std::vector<std::uint8_t> BuildPng();
    // Valid after BuildPng.
    const std::string& GetListing() const { return listing_; }

private:
    struct Picture
    {
        std::string label;
        std::uint32_t width;
        std::uint32_t height;
        std::vector<std::uint8_t> rgba;
        std::uint32_t scale;
    };

    std::vector<Picture> pictures_;
    std::string listing_;
};

} // namespace Content
