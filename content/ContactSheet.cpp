#include "content/ContactSheet.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

#include "content/PngWriter.h"
#include "engine/core/Error.h"
#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"

namespace Content {

namespace {

constexpr const char* kLabelFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kLabelFacePackage = "fonts-dejavu-core";
constexpr std::uint32_t kLabelPixels = 11;
constexpr std::uint32_t kLabelRowPixels = 16;
constexpr std::uint32_t kGapPixels = 8;
constexpr std::uint32_t kCheckerPixels = 8;
constexpr std::uint8_t kCheckerDark = 36;
constexpr std::uint8_t kCheckerLight = 60;
constexpr std::uint8_t kBackground = 20;
constexpr std::uint8_t kLabelGrey = 220;

std::string Extension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension;
}

struct Canvas
{
    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint8_t> rgba;

    void Blend(std::uint32_t x, std::uint32_t y, const std::uint8_t* colour, std::uint32_t alpha)
    {
        if (x >= width || y >= height) {
            return;
        }
        std::uint8_t* pixel = &rgba[(std::size_t(y) * width + x) * 4];
        for (int c = 0; c < 3; ++c) {
            pixel[c] = static_cast<std::uint8_t>((colour[c] * alpha + pixel[c] * (255 - alpha) + 127) / 255);
        }
        pixel[3] = 255;
    }
};

// Labels are drawn with FreeType's own rendering; a few hundred short labels
// need no glyph cache.
class LabelPen
{
public:
    LabelPen()
    {
        if (FT_Init_FreeType(&library_) != 0) {
            throw OrrelayEngine::Error("Contact sheet: FreeType could not start");
        }
        if (FT_New_Face(library_, kLabelFace, 0, &face_) != 0) {
            FT_Done_FreeType(library_);
            throw OrrelayEngine::Error(std::string("Contact sheet: the face ") + kLabelFace +
                                       " is missing; install the package " + kLabelFacePackage);
        }
        FT_Set_Pixel_Sizes(face_, 0, kLabelPixels);
    }
    ~LabelPen()
    {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    LabelPen(const LabelPen&) = delete;
    LabelPen& operator=(const LabelPen&) = delete;

    // Draws when canvas is not null; answers the advance in pixels.
    std::uint32_t Draw(Canvas* canvas, std::uint32_t x, std::uint32_t baseline, const std::string& text)
    {
        long pen = 0;
        const std::uint8_t colour[3] = {kLabelGrey, kLabelGrey, kLabelGrey};
        for (unsigned char c : text) {
            if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0) {
                continue;
            }
            const FT_GlyphSlot glyph = face_->glyph;
            if (canvas != nullptr) {
                for (unsigned row = 0; row < glyph->bitmap.rows; ++row) {
                    for (unsigned column = 0; column < glyph->bitmap.width; ++column) {
                        const std::uint8_t coverage = glyph->bitmap.buffer[row * glyph->bitmap.pitch + column];
                        const long px = long(x) + pen / 64 + glyph->bitmap_left + long(column);
                        const long py = long(baseline) - glyph->bitmap_top + long(row);
                        if (coverage != 0 && px >= 0 && py >= 0) {
                            canvas->Blend(std::uint32_t(px), std::uint32_t(py), colour, coverage);
                        }
                    }
                }
            }
            pen += glyph->advance.x;
        }
        return static_cast<std::uint32_t>((pen + 63) / 64);
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

} // namespace

bool ContactSheet::IsPicture(const std::string& packPath)
{
    const std::string extension = Extension(packPath);
    return extension == "tga" || extension == "bmp" || extension == "jpg" || extension == "jpeg";
}

void ContactSheet::AddFile(const std::string& packPath, const std::vector<std::uint8_t>& bytes)
{
    if (!IsPicture(packPath)) {
        return;
    }
    const std::string extension = Extension(packPath);
    OrrelayEngine::FileBinary file(nullptr, packPath, false, true, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    OrrelayEngine::Image image;
    const bool read = extension == "tga"   ? image.ReadTGA(nullptr, file, packPath)
                      : extension == "bmp" ? image.ReadBMP(nullptr, file, packPath)
                                           : image.ReadJPEG(nullptr, file, packPath);
    if (!read) {
        throw OrrelayEngine::Error("Contact sheet: \"" + packPath + "\" is not a picture the engine reads");
    }
    image.ConvertBitDepth(32);
    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    // The engine keeps rows bottom-up.
    for (std::uint32_t y = 0; y < height; ++y) {
        std::copy_n(image.GetData() + std::size_t(height - 1 - y) * width * 4, std::size_t(width) * 4,
                    rgba.begin() + std::ptrdiff_t(std::size_t(y) * width * 4));
    }
    AddPicture(packPath, width, height, std::move(rgba));
}

void ContactSheet::AddPicture(const std::string& packPath, std::uint32_t width, std::uint32_t height,
                              std::vector<std::uint8_t> rgba)
{
    std::uint32_t scale = 1;
    while (width / scale > kMaxTileWidth) {
        scale *= 2;
    }
    pictures_.push_back(Picture{packPath + " " + std::to_string(width) + "x" + std::to_string(height), width, height,
                                std::move(rgba), scale});
}

std::vector<std::uint8_t> ContactSheet::BuildPng()
{
    LabelPen pen;
    struct Tile
    {
        std::uint32_t x, y, width, height, tileWidth;
    };
    std::vector<Tile> tiles;
    // Room for two of the widest tiles side by side.
    std::uint32_t sheetWidth = 2 * kMaxTileWidth + 3 * kGapPixels;
    for (const Picture& picture : pictures_) {
        const std::uint32_t labelWidth = std::min(pen.Draw(nullptr, 0, 0, picture.label), kMaxTileWidth);
        sheetWidth = std::max(sheetWidth, std::min(kMaxSheetWidth, picture.width / picture.scale + 2 * kGapPixels));
        tiles.push_back(Tile{0, 0, std::max(1u, picture.width / picture.scale),
                             std::max(1u, picture.height / picture.scale),
                             std::max(labelWidth, picture.width / picture.scale)});
    }
    // Shelves, left to right, top to bottom.
    std::uint32_t x = kGapPixels;
    std::uint32_t y = kGapPixels;
    std::uint32_t shelfHeight = 0;
    for (Tile& tile : tiles) {
        if (x != kGapPixels && x + tile.tileWidth + kGapPixels > sheetWidth) {
            x = kGapPixels;
            y += shelfHeight + kGapPixels;
            shelfHeight = 0;
        }
        tile.x = x;
        tile.y = y + kLabelRowPixels;
        x += tile.tileWidth + kGapPixels;
        shelfHeight = std::max(shelfHeight, tile.height + kLabelRowPixels);
    }
    Canvas canvas{sheetWidth, y + shelfHeight + kGapPixels, {}};
    canvas.rgba.assign(std::size_t(canvas.width) * canvas.height * 4, kBackground);
    for (std::size_t i = 3; i < canvas.rgba.size(); i += 4) {
        canvas.rgba[i] = 255;
    }

    listing_.clear();
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        const Picture& picture = pictures_[t];
        const Tile& tile = tiles[t];
        pen.Draw(&canvas, tile.x, tile.y - 4, picture.label);
        const std::uint32_t s = picture.scale;
        for (std::uint32_t py = 0; py < tile.height; ++py) {
            for (std::uint32_t px = 0; px < tile.width; ++px) {
                const std::uint8_t grey =
                    ((px / kCheckerPixels + py / kCheckerPixels) % 2) != 0 ? kCheckerLight : kCheckerDark;
                const std::uint8_t checker[3] = {grey, grey, grey};
                canvas.Blend(tile.x + px, tile.y + py, checker, 255);
                // A box average of the scale x scale source pixels.
                std::uint32_t sum[4] = {0, 0, 0, 0};
                for (std::uint32_t sy = 0; sy < s; ++sy) {
                    for (std::uint32_t sx = 0; sx < s; ++sx) {
                        const std::uint32_t ix = std::min(picture.width - 1, px * s + sx);
                        const std::uint32_t iy = std::min(picture.height - 1, py * s + sy);
                        const std::uint8_t* pixel = &picture.rgba[(std::size_t(iy) * picture.width + ix) * 4];
                        for (int c = 0; c < 4; ++c) {
                            sum[c] += pixel[c];
                        }
                    }
                }
                const std::uint8_t colour[3] = {std::uint8_t(sum[0] / (s * s)), std::uint8_t(sum[1] / (s * s)),
                                                std::uint8_t(sum[2] / (s * s))};
                canvas.Blend(tile.x + px, tile.y + py, colour, sum[3] / (s * s));
            }
        }
        listing_ += std::to_string(tile.x) + " " + std::to_string(tile.y) + " " + std::to_string(tile.width) + " " +
                    std::to_string(tile.height) + " " + picture.label + "\n";
    }
    return PngWriter::Encode(canvas.width, canvas.height, canvas.rgba);
}

} // namespace Content
