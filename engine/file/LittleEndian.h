// Little-endian fields of the binary file formats, read from and
// written into byte buffers one by one, whatever the machine's own order.
#pragma once

#include <cstdint>
#include <cstring>

namespace OrrelayEngine {

inline std::uint16_t ReadLittleEndian16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// IEEE single precision, stored as its bit pattern.
inline float ReadLittleEndianFloat(const std::uint8_t* bytes)
{
    const std::uint32_t bits = ReadLittleEndian32(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

inline void WriteLittleEndian16(std::uint8_t* bytes, std::uint32_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteLittleEndian32(std::uint8_t* bytes, std::uint32_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
    bytes[2] = static_cast<std::uint8_t>(value >> 16);
    bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

inline void WriteLittleEndianFloat(std::uint8_t* bytes, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian32(bytes, bits);
}

} // namespace OrrelayEngine
