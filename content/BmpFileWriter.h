// Writes bitmap fixture files: 24- and 32-bit pictures bottom row first with
// rows padded to four bytes, and 8-bit pictures in the engine's own layout (a
// 256-entry palette, then the rows top first and unpadded). The field offsets
// let tests damage a built file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "content/ByteBuffer.h"
#include "content/FixturePicture.h"

namespace Content {

class BmpFileWriter
{
public:
    static constexpr std::size_t kSignatureOffset = 0;
    static constexpr std::size_t kFileSizeOffset = 2;
    static constexpr std::size_t kDataOffsetOffset = 10;
    static constexpr std::size_t kWidthOffset = 18;
    static constexpr std::size_t kHeightOffset = 22;
    static constexpr std::size_t kBitCountOffset = 28;
    static constexpr std::size_t kCompressionOffset = 30;
    static constexpr std::size_t kHeaderBytes = 54;
    static constexpr std::size_t kPaletteBytes = 1024;

    // One channel: 8-bit palette indices; three: 24-bit; four: 32-bit.
    explicit BmpFileWriter(const FixturePicture& picture);

    // R, G, B of each of the 256 palette entries; grey (k, k, k) unless set.
    void SetPalette(const std::vector<std::array<std::uint8_t, 3>>& entries);

    ByteBuffer Build() const;

private:
    FixturePicture picture_;
    std::vector<std::array<std::uint8_t, 3>> palette_;
};

} // namespace Content
