#include "framework/BinaryFields.h"

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"

namespace GameFramework {

using OrrelayEngine::FileBinary;

std::uint8_t ReadUInt8(FileBinary& file)
{
    return OrrelayEngine::FieldReader::ReadU8(file);
}

void WriteUInt8(FileBinary& file, std::uint8_t value)
{
    file.Write(&value, 1);
}

std::uint32_t ReadUInt32(FileBinary& file)
{
    return OrrelayEngine::FieldReader::ReadU32(file);
}

void WriteUInt32(FileBinary& file, std::uint32_t value)
{
    std::uint8_t bytes[4];
    OrrelayEngine::WriteLittleEndian32(bytes, value);
    file.Write(bytes, 4);
}

float ReadFloat32(FileBinary& file)
{
    return OrrelayEngine::FieldReader::ReadF32(file);
}

void WriteFloat32(FileBinary& file, float value)
{
    std::uint8_t bytes[4];
    OrrelayEngine::WriteLittleEndianFloat(bytes, value);
    file.Write(bytes, 4);
}

std::wstring ReadName(FileBinary& file)
{
    std::wstring name = file.ReadWideString();
    std::uint32_t units = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint32_t width = static_cast<std::uint32_t>(name[i]) > 0xFFFF ? 2 : 1;
        if (units + width > kMaxNameCodeUnits) {
            name.resize(i);
            break;
        }
        units += width;
    }
    return name;
}

void CheckCountFits(const FileBinary& file, std::uint32_t count, std::uint32_t minimumRecordBytes)
{
    const std::uint64_t needed = static_cast<std::uint64_t>(count) * minimumRecordBytes;
    if (needed > OrrelayEngine::FieldReader::BytesLeft(file)) {
        throw OrrelayEngine::FileError("Count " + OrrelayEngine::UIntToString(count) + " in \"" + file.GetName() +
                                       "\" file exceeds its remaining " +
                                       std::to_string(OrrelayEngine::FieldReader::BytesLeft(file)) + " bytes");
    }
}

} // namespace GameFramework
