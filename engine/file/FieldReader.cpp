#include "engine/file/FieldReader.h"

#include <cstring>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"

namespace OrrelayEngine {

std::string MakeIncorrectFileFormatMessage(const std::string& name, const std::string& detail)
{
    std::string message = "Incorrect \"" + name + "\" file format";
    if (!detail.empty()) {
        message += ": " + detail;
    }
    return message;
}

FieldReader::FieldReader(FileBinary& file, const std::string& name) : file_(file), name_(name)
{}

std::uint64_t FieldReader::BytesLeft() const
{
    return BytesLeft(file_);
}

void FieldReader::Require(std::uint64_t bytes, const char* what) const
{
    if (bytes > BytesLeft()) {
        Fail(std::string(what) + " runs past the end");
    }
}

void FieldReader::Load(std::uint64_t bytes, const char* what)
{
    Require(bytes, what);
    Take(static_cast<std::uint32_t>(bytes));
}

void FieldReader::Take(std::uint32_t bytes)
{
    block_.resize(bytes);
    if (bytes > 0) {
        file_.Read(block_.data(), bytes);
    }
    cursor_ = 0;
}

const std::uint8_t* FieldReader::Next(std::uint32_t bytes)
{
    // A decode beyond the block is a reader that took too little; it must not
    // read past the buffer whatever the file says.
    if (bytes > block_.size() - cursor_) {
        Fail("field runs past its block");
    }
    const std::uint8_t* field = block_.data() + cursor_;
    cursor_ += bytes;
    return field;
}

std::uint8_t FieldReader::U8()
{
    return *Next(1);
}

std::uint16_t FieldReader::U16()
{
    return ReadLittleEndian16(Next(2));
}

std::uint32_t FieldReader::U32()
{
    return ReadLittleEndian32(Next(4));
}

float FieldReader::F32()
{
    return ReadLittleEndianFloat(Next(4));
}

Vector3 FieldReader::Vec3()
{
    const float x = F32();
    const float y = F32();
    const float z = F32();
    return Vector3(x, y, z);
}

void FieldReader::Bytes(char* destination, std::uint32_t count)
{
    if (count > 0) {
        std::memcpy(destination, Next(count), count);
    }
}

void FieldReader::Fail(const std::string& detail) const
{
    throw FileError(MakeIncorrectFileFormatMessage(name_, detail));
}

std::uint8_t FieldReader::ReadU8(FileBinary& file)
{
    std::uint8_t value = 0;
    file.Read(&value, 1);
    return value;
}

std::uint16_t FieldReader::ReadU16(FileBinary& file)
{
    std::uint8_t bytes[2] = {};
    file.Read(bytes, 2);
    return ReadLittleEndian16(bytes);
}

std::uint32_t FieldReader::ReadU32(FileBinary& file)
{
    std::uint8_t bytes[4] = {};
    file.Read(bytes, 4);
    return ReadLittleEndian32(bytes);
}

float FieldReader::ReadF32(FileBinary& file)
{
    std::uint8_t bytes[4] = {};
    file.Read(bytes, 4);
    return ReadLittleEndianFloat(bytes);
}

std::uint64_t FieldReader::BytesLeft(const FileBinary& file)
{
    const std::uint64_t size = file.GetSize();
    const std::uint64_t position = file.GetPosition();
    return position < size ? size - position : 0;
}

} // namespace OrrelayEngine
