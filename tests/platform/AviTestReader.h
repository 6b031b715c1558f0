// Reads back the AVI files our writer makes, for tests: walks the RIFF
// chunks and keeps the header fields and every frame's bytes, checking the
// nesting sizes on the way. Only the layout this project writes is known.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace PlatformTests {

struct AviTestReader
{
    bool valid = false;
    std::string error;
    std::uint32_t riffSize = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t microsecondsPerFrame = 0;
    std::uint32_t flags = 0;
    std::uint32_t totalFrames = 0;
    std::uint32_t streams = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string streamType;
    std::string handler;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::uint32_t length = 0;
    std::uint32_t bitmapWidth = 0;
    std::int32_t bitmapHeight = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0xFFFFFFFFu;
    std::vector<std::vector<std::uint8_t>> frames;
    // Offset of each frame chunk from the "movi" tag, as the index tells it.
    std::vector<std::uint32_t> indexOffsets;
    std::vector<std::uint32_t> indexFlags;
    std::vector<std::uint32_t> frameOffsets;

    explicit AviTestReader(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        fileSize = static_cast<std::uint32_t>(bytes_.size());
        valid = Parse();
    }

private:
    std::uint32_t U32(std::size_t at) const
    {
        return static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    }
    std::string Tag(std::size_t at) const { return std::string(bytes_.begin() + at, bytes_.begin() + at + 4); }

    bool Fail(const std::string& why)
    {
        error = why;
        return false;
    }

    bool Parse()
    {
        if (bytes_.size() < 12 || Tag(0) != "RIFF" || Tag(8) != "AVI ") {
            return Fail("not a RIFF AVI file");
        }
        riffSize = U32(4);
        if (riffSize + 8 != bytes_.size()) {
            return Fail("RIFF size does not match the file");
        }
        std::size_t at = 12;
        std::size_t moviTag = 0;
        while (at + 8 <= bytes_.size()) {
            const std::string id = Tag(at);
            const std::uint32_t size = U32(at + 4);
            if (at + 8 + size > bytes_.size()) {
                return Fail("chunk " + id + " runs past the end");
            }
            if (id == "LIST" && Tag(at + 8) == "hdrl") {
                const std::size_t avih = at + 12;
                if (Tag(avih) != "avih") {
                    return Fail("no avih");
                }
                microsecondsPerFrame = U32(avih + 8);
                flags = U32(avih + 20);
                totalFrames = U32(avih + 24);
                streams = U32(avih + 32);
                width = U32(avih + 40);
                height = U32(avih + 44);
                const std::size_t strl = avih + 8 + U32(avih + 4);
                if (Tag(strl) != "LIST" || Tag(strl + 8) != "strl" || Tag(strl + 12) != "strh") {
                    return Fail("no strl");
                }
                const std::size_t strh = strl + 20;
                streamType = Tag(strh);
                handler = Tag(strh + 4);
                scale = U32(strh + 20);
                rate = U32(strh + 24);
                length = U32(strh + 32);
                const std::size_t strf = strh + U32(strl + 16);
                if (Tag(strf) != "strf") {
                    return Fail("no strf");
                }
                bitmapWidth = U32(strf + 12);
                bitmapHeight = static_cast<std::int32_t>(U32(strf + 16));
                bitCount = bytes_[strf + 22] | (bytes_[strf + 23] << 8);
                compression = U32(strf + 24);
            } else if (id == "LIST" && Tag(at + 8) == "movi") {
                moviTag = at + 8;
                std::size_t chunk = at + 12;
                while (chunk < at + 8 + size) {
                    if (Tag(chunk) != "00db") {
                        return Fail("unexpected chunk in movi");
                    }
                    const std::uint32_t length = U32(chunk + 4);
                    frameOffsets.push_back(static_cast<std::uint32_t>(chunk - moviTag));
                    frames.emplace_back(bytes_.begin() + static_cast<std::ptrdiff_t>(chunk + 8),
                                        bytes_.begin() + static_cast<std::ptrdiff_t>(chunk + 8 + length));
                    chunk += 8 + length + (length & 1);
                }
            } else if (id == "idx1") {
                for (std::size_t entry = at + 8; entry + 16 <= at + 8 + size; entry += 16) {
                    indexFlags.push_back(U32(entry + 4));
                    indexOffsets.push_back(U32(entry + 8));
                }
            }
            at += 8 + size + (size & 1);
        }
        if (moviTag == 0) {
            return Fail("no movi list");
        }
        return true;
    }

    std::vector<std::uint8_t> bytes_;
};

} // namespace PlatformTests
