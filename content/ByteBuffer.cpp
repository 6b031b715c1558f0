#include "content/ByteBuffer.h"

#include <cstdio>
#include <cstring>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"

namespace Content {

void ByteBuffer::PutU8(std::uint32_t value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value));
}

void ByteBuffer::PutU16(std::uint32_t value)
{
    PutU8(value);
    PutU8(value >> 8);
}

void ByteBuffer::PutU32(std::uint32_t value)
{
    PutU16(value);
    PutU16(value >> 16);
}

void ByteBuffer::PutF32(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(bits);
}

void ByteBuffer::PutBytes(const void* bytes, std::size_t count)
{
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    bytes_.insert(bytes_.end(), first, first + count);
}

void ByteBuffer::PutZeros(std::size_t count)
{
    bytes_.insert(bytes_.end(), count, 0);
}

void ByteBuffer::PutCountedString(const std::string& text)
{
    if (text.size() >= 255)
        throw OrrelayEngine::Error("Counted string too long: \"" + text + "\"");
    PutU8(static_cast<std::uint32_t>(text.size() + 1));
    PutBytes(text.data(), text.size());
    PutU8(0);
}

void ByteBuffer::PatchU8(std::size_t offset, std::uint32_t value)
{
    bytes_.at(offset) = static_cast<std::uint8_t>(value);
}

void ByteBuffer::PatchU16(std::size_t offset, std::uint32_t value)
{
    PatchU8(offset, value);
    PatchU8(offset + 1, value >> 8);
}

void ByteBuffer::PatchU32(std::size_t offset, std::uint32_t value)
{
    PatchU16(offset, value);
    PatchU16(offset + 2, value >> 16);
}

void ByteBuffer::Truncate(std::size_t size)
{
    if (size < bytes_.size())
        bytes_.resize(size);
}

void ByteBuffer::Save(const std::string& path) const
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw OrrelayEngine::FileError("Failed to open \"" + path + "\" file");
    const std::size_t written = bytes_.empty() ? 0 : std::fwrite(bytes_.data(), 1, bytes_.size(), file);
    const bool closed = std::fclose(file) == 0;
    if (written != bytes_.size() || !closed)
        throw OrrelayEngine::FileError("Failed to write " + std::to_string(bytes_.size()) + " bytes from \"" + path +
                                       "\" file");
}

} // namespace Content
