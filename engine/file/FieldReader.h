// The one reader of little-endian fields from a FileBinary, used by every
// binary format. Two ways in:
// - a block read whole (Take, or Load for a block whose length comes from a
//   count in the file), then decoded field by field with U8/U16/U32/F32/Bytes;
//   every decode is checked against the block, and Load first checks the
//   length against what is left, naming the field, so a count that disagrees
//   with the file is a format error rather than a short read;
// - one field straight from the file (ReadU8/ReadU16/ReadU32/ReadF32), where a
//   file cut short fails with the file layer's own short read.
// Errors are FileError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class FileBinary;

// "Incorrect \"<name>\" file format", the message of a file that is not what
// it claims to be; detail, when given, follows after ": ".
std::string MakeIncorrectFileFormatMessage(const std::string& name, const std::string& detail = std::string());

class FieldReader
{
public:
    // name is the one the messages give.
    FieldReader(FileBinary& file, const std::string& name);

    std::uint64_t BytesLeft() const;
    // Throws "<what> runs past the end" when fewer than bytes are left.
    void Require(std::uint64_t bytes, const char* what) const;
    // Require, then Take.
    void Load(std::uint64_t bytes, const char* what);
    // Reads the next bytes whole as the block the decoders below walk through.
    void Take(std::uint32_t bytes);

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    // IEEE single precision, stored as its bit pattern.
    float F32();
    Vector3 Vec3();
    void Bytes(char* destination, std::uint32_t count);

    [[noreturn]] void Fail(const std::string& detail) const;

    static std::uint8_t ReadU8(FileBinary& file);
    static std::uint16_t ReadU16(FileBinary& file);
    static std::uint32_t ReadU32(FileBinary& file);
    static float ReadF32(FileBinary& file);
    // Bytes between the read position and the end of the file.
    static std::uint64_t BytesLeft(const FileBinary& file);

private:
    const std::uint8_t* Next(std::uint32_t bytes);

    FileBinary& file_;
    std::string name_;
    std::vector<std::uint8_t> block_;
    std::size_t cursor_ = 0;
};

} // namespace OrrelayEngine
