// A 128-bit hash of bytes, for the data-set builder's cache keys: two 64-bit
// lanes that take eight bytes at a time, then a final mix of each. It finds
// changed inputs; it is not meant to resist anyone forging a collision.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ContentHash
{
public:
    void Add(const void* bytes, std::size_t count);
    // The length goes in first, so that ("ab", "c") and ("a", "bc") differ.
    void AddText(const std::string& text);
    void AddBytes(const std::vector<std::uint8_t>& bytes);
    // 32 lower-case hexadecimal digits.
    std::string GetHex() const;
    // A generator's seed named by the text (a pack path): its hash's first 32 bits.
    static std::uint32_t SeedOf(const std::string& text);

private:
    void AddWord(std::uint64_t word);
    void AddSized(const void* bytes, std::size_t count);

    std::uint64_t first_ = 0x9E3779B97F4A7C15ull;
    std::uint64_t second_ = 0xC2B2AE3D27D4EB4Full;
    std::uint64_t pending_ = 0;
    unsigned pendingBytes_ = 0;
    std::uint64_t length_ = 0;
};

} // namespace Content
