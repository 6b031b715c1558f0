#include "engine/gui/FontFile.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"

namespace OrrelayEngine {

namespace {

constexpr const char* kMagic = "OEFNT";
constexpr std::uint32_t kMagicBytes = 5;
constexpr std::uint32_t kMagicOffset = 4;
constexpr std::uint32_t kVersionOffset = 9;
constexpr std::uint32_t kCountOffset = 13;

} // namespace

void FontFile::Read(FileBinary& file, const std::string& name)
{
    glyphs.clear();
    // The whole file is small; it is read at once and decoded from memory.
    std::vector<std::uint8_t> bytes(file.GetSize());
    if (!bytes.empty()) {
        file.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    const std::uint64_t size = bytes.size();
    if (size < kCountOffset || ReadLittleEndian32(bytes.data()) != size ||
        std::memcmp(bytes.data() + kMagicOffset, kMagic, kMagicBytes) != 0) {
        throw FileError(MakeIncorrectFileFormatMessage(name));
    }
    if (ReadLittleEndian32(bytes.data() + kVersionOffset) != kCurrentVersion) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(kCurrentVersion));
    }
    if (size < kHeaderBytes) {
        throw FileError(MakeIncorrectFileFormatMessage(name, "glyph count runs past the end"));
    }
    const std::uint64_t count = ReadLittleEndian32(bytes.data() + kCountOffset);
    if (kHeaderBytes + count * kGlyphBytes > size) {
        throw FileError(MakeIncorrectFileFormatMessage(name, "glyph table runs past the end"));
    }
    glyphs.resize(static_cast<std::size_t>(count));
    const std::uint8_t* record = bytes.data() + kHeaderBytes;
    for (std::uint64_t i = 0; i < count; ++i, record += kGlyphBytes) {
        Glyph& glyph = glyphs[static_cast<std::size_t>(i)];
        glyph.character = static_cast<wchar_t>(ReadLittleEndian16(record));
        glyph.u = ReadLittleEndianFloat(record + 2);
        glyph.v = ReadLittleEndianFloat(record + 6);
        glyph.du = ReadLittleEndianFloat(record + 10);
        glyph.dv = ReadLittleEndianFloat(record + 14);
        glyph.width = ReadLittleEndianFloat(record + 18);
        // A number that is not finite would turn every quad and measure of
        // the text it appears in into garbage.
        if (!std::isfinite(glyph.u) || !std::isfinite(glyph.v) || !std::isfinite(glyph.du) ||
            !std::isfinite(glyph.dv) || !std::isfinite(glyph.width)) {
            glyphs.clear();
            throw FileError(MakeIncorrectFileFormatMessage(
                name, "glyph " + UIntToString(static_cast<std::uint32_t>(i)) + " holds a number that is not finite"));
        }
    }
}

} // namespace OrrelayEngine
