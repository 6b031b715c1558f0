#include "framework/BinaryFields.h"

#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"

namespace GameFramework {

using OrrelayEngine::FileBinary;

std::uint8_t ReadUInt8(FileBinary& file)
{
    std::uint8_t value = 0;
    file.Read(&value, 1);
    return value;
}

void WriteUInt8(FileBinary& file, std::uint8_t value)
{
    file.Write(&value, 1);
}

std::uint32_t ReadUInt32(FileBinary& file)
{
    std::uint8_t bytes[4] = {};
    file.Read(bytes, 4);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteUInt32(FileBinary& file, std::uint32_t value)
{
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 24)};
    file.Write(bytes, 4);
}

float ReadFloat32(FileBinary& file)
{
    const std::uint32_t bits = ReadUInt32(file);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void WriteFloat32(FileBinary& file, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    WriteUInt32(file, bits);
}

std::wstring ReadName(FileBinary& file)
{
    std::wstring name = file.ReadWideString();
    std::uint32_t units = 0;
    for (std::size_t i = 0; i < name.size(); ++i)
    {
        const std::uint32_t width = static_cast<std::uint32_t>(name[i]) > 0xFFFF ? 2 : 1;
        if (units + width > kMaxNameCodeUnits)
        {
            name.resize(i);
            break;
        }
        units += width;
    }
    return name;
}

std::uint64_t BytesLeft(const FileBinary& file)
{
    const std::uint64_t size = file.GetSize();
    const std::uint64_t position = file.GetPosition();
    return position < size ? size - position : 0;
}

void CheckCountFits(const FileBinary& file, std::uint32_t count, std::uint32_t minimumRecordBytes)
{
    const std::uint64_t needed = static_cast<std::uint64_t>(count) * minimumRecordBytes;
    if (needed > BytesLeft(file))
    {
        throw OrrelayEngine::FileError("Count " + OrrelayEngine::UIntToString(count) + " in \"" +
                                       file.GetName() + "\" file exceeds its remaining " +
                                       std::to_string(BytesLeft(file)) + " bytes");
    }
}

} // namespace GameFramework
