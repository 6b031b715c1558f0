// Writes board files (".blf", magic "PHBLF", version 103): the width, the
// height and the cells as packed 66-byte records, in the order given. The
// size field can be made wrong on purpose for tests.
#pragma once

#include <cstdint>
#include <vector>

#include "content/ByteBuffer.h"
#include "game/CellRecord.h"

namespace Content {

class BoardFileWriter
{
public:
    static constexpr std::uint32_t kVersion = 103;
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kVersionOffset = 9;
    static constexpr std::size_t kWidthOffset = 13;
    static constexpr std::size_t kHeightOffset = 17;
    static constexpr std::size_t kCountOffset = 21;
    static constexpr std::size_t kFirstRecordOffset = 25;
    static constexpr std::size_t kRecordBytes = 66;

    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }

    ByteBuffer Build(std::uint32_t width, std::uint32_t height, const std::vector<Tansywell::CellRecord>& cells) const;

private:
    std::int32_t sizeFieldError_ = 0;
};

} // namespace Content
