// A growing buffer of little-endian fields, for writers that build a whole
// file in memory before it is saved. Patch* rewrite a field already written,
// so that tests can damage a copy of a good file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ByteBuffer
{
public:
    void PutU8(std::uint32_t value);
    void PutU16(std::uint32_t value);
    void PutU32(std::uint32_t value);
    void PutF32(float value);
    void PutBytes(const void* bytes, std::size_t count);
    void PutZeros(std::size_t count);
    // A u8 length, then the text and its terminating zero, which the length counts.
    void PutCountedString(const std::string& text);

    void PatchU8(std::size_t offset, std::uint32_t value);
    void PatchU16(std::size_t offset, std::uint32_t value);
    void PatchU32(std::size_t offset, std::uint32_t value);
    void Truncate(std::size_t size);

    std::size_t GetSize() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& GetBytes() const { return bytes_; }

    // path is a native path. Throws OrrelayEngine::FileError when it cannot be written.
    void Save(const std::string& path) const;

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace Content
