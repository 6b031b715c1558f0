// Writes Targa fixture files of every kind the engine reads: grey (plain or
// with a colour map), 16-bit 1-5-5-5, 24- and 32-bit, either origin, plain or
// run-length encoded, with an optional image ID. The field offsets let tests
// damage a built file.
#pragma once

#include <cstdint>
#include <string>

#include "content/ByteBuffer.h"
#include "content/FixturePicture.h"

namespace Content {

class TgaFileWriter
{
public:
    static constexpr std::size_t kIdLengthOffset = 0;
    static constexpr std::size_t kImageTypeOffset = 2;
    static constexpr std::size_t kColourMapLengthOffset = 5;
    static constexpr std::size_t kWidthOffset = 12;
    static constexpr std::size_t kHeightOffset = 14;
    static constexpr std::size_t kDepthOffset = 16;
    static constexpr std::size_t kDescriptorOffset = 17;
    static constexpr std::size_t kHeaderBytes = 18;

    // One channel: grey; three: 24-bit; four: 32-bit (or 16-bit, see below).
    explicit TgaFileWriter(const FixturePicture& picture);

    void SetTopLeftOrigin(bool topLeft) { topLeft_ = topLeft; }
    void SetRunLength(bool runLength) { runLength_ = runLength; }
    // Four-channel pictures only: each pixel packed as alpha bit (set from 128)
    // and five bits of red, green and blue.
    void SetSixteenBit(bool sixteenBit) { sixteenBit_ = sixteenBit; }
    // One-channel pictures only: a 256-entry grey colour map of 24-bit entries.
    void SetGreyColourMap(bool colourMap) { greyColourMap_ = colourMap; }
    void SetImageId(const std::string& id) { imageId_ = id; }

    ByteBuffer Build() const;

private:
    void PutPixel(ByteBuffer& file, const std::uint8_t* pixel) const;

    FixturePicture picture_;
    bool topLeft_ = false;
    bool runLength_ = false;
    bool sixteenBit_ = false;
    bool greyColourMap_ = false;
    std::string imageId_;
};

} // namespace Content
