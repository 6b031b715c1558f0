// Writes 8-bit RGBA pictures as PNG files (zlib through the system library),
// for the data set's contact sheet. The bytes depend only on the pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace Content {

class PngWriter
{
public:
    // rgba holds width x height pixels of four bytes, rows top to bottom.
    // Throws OrrelayEngine::Error for an empty picture or one whose pixels do
    // not match its size.
    static std::vector<std::uint8_t> Encode(std::uint32_t width, std::uint32_t height,
                                            const std::vector<std::uint8_t>& rgba);
};

} // namespace Content
