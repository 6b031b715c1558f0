// Writes font files (magic "OEFNT", version 201) from the glyph records the
// engine reads them into. Characters are stored as one UTF-16 code unit each.
// The size field can be made wrong on purpose for tests.
#pragma once

#include <cstdint>
#include <vector>

#include "content/ByteBuffer.h"
#include "engine/gui/FontFile.h"

namespace Content {

class FontFileWriter
{
public:
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kVersionOffset = 9;
    static constexpr std::size_t kCountOffset = 13;
    static constexpr std::size_t kFirstGlyphOffset = 17;

    // Added to the true size when the size field is written.
    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }

    ByteBuffer Build(const std::vector<OrrelayEngine::FontFile::Glyph>& glyphs) const;

private:
    std::int32_t sizeFieldError_ = 0;
};

} // namespace Content
