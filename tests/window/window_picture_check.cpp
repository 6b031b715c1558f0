// Reads a screenshot the game wrote (an uncompressed 24- or 32-bit BMP) and
// checks it against rules given on the command line, each a word and a
// rectangle in the picture's pixels (left, top, right and bottom, the last two
// excluded):
//   size W H          the picture is exactly W x H pixels
//   busy L T R B      no one colour covers 90 % of the rectangle
//   lit L T R B       fewer than half of its pixels are near black
//   centred L T R B RRGGBB
//                     the pixels of about that colour in the rectangle (a
//                     tenth of them at least) span columns placed
//                     symmetrically about its middle, to within a fortieth
//                     of its width
// Prints what it measured; exits 0 when every rule holds, 1 when one fails,
// 2 when the file cannot be read or a rule is malformed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct Picture
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, rows from the top

    std::uint32_t At(std::int32_t x, std::int32_t y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

bool ReadBmp(const std::string& path, Picture& picture)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr std::size_t kHeaderBytes = 54;
    if (bytes.size() < kHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const std::uint32_t offset = Little(bytes, 10, 4);
    const auto width = static_cast<std::int32_t>(Little(bytes, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(Little(bytes, 22, 4));
    const std::uint32_t bits = Little(bytes, 28, 2);
    const std::uint32_t compression = Little(bytes, 30, 4);
    constexpr std::int32_t kLargest = 16384;
    const std::int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if ((bits != 24 && bits != 32) || compression != 0 || width <= 0 || width > kLargest || height <= 0 ||
        height > kLargest) {
        return false;
    }
    const std::size_t bytesPerPixel = bits / 8;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    if (offset > bytes.size() || (bytes.size() - offset) / rowBytes < static_cast<std::size_t>(height)) {
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t row = 0; row < height; ++row) {
        // Rows run from the bottom unless the height is negative.
        const std::int32_t fromTop = rawHeight < 0 ? row : height - 1 - row;
        const std::uint8_t* source = bytes.data() + offset + static_cast<std::size_t>(row) * rowBytes;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t* pixel = source + static_cast<std::size_t>(x) * bytesPerPixel;
            picture.pixels[static_cast<std::size_t>(fromTop) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)] =
                (static_cast<std::uint32_t>(pixel[2]) << 16) | (static_cast<std::uint32_t>(pixel[1]) << 8) | pixel[0];
        }
    }
    return true;
}

bool NearBlack(std::uint32_t rgb)
{
    constexpr std::uint32_t kDark = 24;
    return ((rgb >> 16) & 0xFF) < kDark && ((rgb >> 8) & 0xFF) < kDark && (rgb & 0xFF) < kDark;
}

bool Differs(std::uint32_t a, std::uint32_t b)
{
    constexpr int kTolerance = 24;
    for (int shift : {0, 8, 16}) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > kTolerance) {
            return true;
        }
    }
    return false;
}

struct Rectangle
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

bool Check(const Picture& picture, const std::string& rule, const Rectangle& r, std::uint32_t colour)
{
    const auto area = static_cast<double>(r.right - r.left) * static_cast<double>(r.bottom - r.top);
    if (rule == "busy") {
        std::map<std::uint32_t, std::uint32_t> counts;
        std::uint32_t commonest = 0;
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) {
                commonest = std::max(commonest, ++counts[picture.At(x, y)]);
            }
        }
        std::printf("busy (%d,%d)-(%d,%d): %zu colours, the commonest on %.0f %%\n", r.left, r.top, r.right, r.bottom,
                    counts.size(), 100.0 * commonest / area);
        return commonest < 0.9 * area;
    }
    if (rule == "lit") {
        std::uint32_t dark = 0;
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) {
                dark += NearBlack(picture.At(x, y)) ? 1 : 0;
            }
        }
        std::printf("lit (%d,%d)-(%d,%d): %.0f %% near black\n", r.left, r.top, r.right, r.bottom, 100.0 * dark / area);
        return dark < 0.5 * area;
    }
    // centred: the columns the colour spans.
    std::int32_t low = r.right;
    std::int32_t high = r.left - 1;
    std::uint32_t matching = 0;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        for (std::int32_t x = r.left; x < r.right; ++x) {
            if (!Differs(picture.At(x, y), colour)) {
                low = std::min(low, x);
                high = std::max(high, x);
                ++matching;
            }
        }
    }
    const double offCentre = (low + high + 1) / 2.0 - (r.left + r.right) / 2.0;
    std::printf("centred (%d,%d)-(%d,%d): %06x on %.0f %%, from column %d to %d, %.1f off the middle\n", r.left, r.top,
                r.right, r.bottom, colour, 100.0 * matching / area, low, high, offCentre);
    return matching >= 0.1 * area && std::abs(offCentre) <= (r.right - r.left) / 40.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s picture.bmp rule...\n", argv[0]);
        return 2;
    }
    Picture picture;
    if (!ReadBmp(argv[1], picture)) {
        std::fprintf(stderr, "%s is no uncompressed 24- or 32-bit BMP\n", argv[1]);
        return 2;
    }
    bool holds = true;
    for (int at = 2; at < argc;) {
        const std::string rule = argv[at];
        if (rule == "size" && at + 2 < argc) {
            const int width = std::atoi(argv[at + 1]);
            const int height = std::atoi(argv[at + 2]);
            std::printf("size: %d x %d, wanted %d x %d\n", picture.width, picture.height, width, height);
            holds = holds && picture.width == width && picture.height == height;
            at += 3;
            continue;
        }
        const int words = rule == "centred" ? 6 : 5;
        if ((rule != "busy" && rule != "lit" && rule != "centred") || at + words > argc) {
            std::fprintf(stderr, "malformed rule at %s\n", argv[at]);
            return 2;
        }
        Rectangle r{std::atoi(argv[at + 1]), std::atoi(argv[at + 2]), std::atoi(argv[at + 3]), std::atoi(argv[at + 4])};
        if (r.left < 0 || r.top < 0 || r.right > picture.width || r.bottom > picture.height || r.left >= r.right ||
            r.top >= r.bottom) {
            std::printf("%s (%d,%d)-(%d,%d): outside the %d x %d picture\n", rule.c_str(), r.left, r.top, r.right,
                        r.bottom, picture.width, picture.height);
            holds = false;
        } else if (!Check(picture, rule, r,
                          words == 6 ? static_cast<std::uint32_t>(std::strtoul(argv[at + 5], nullptr, 16)) : 0)) {
            holds = false;
        }
        at += words;
    }
    return holds ? 0 : 1;
}
