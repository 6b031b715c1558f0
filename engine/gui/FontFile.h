// The contents of a font file (magic "OEFNT", version 201) as plain data: the
// glyph records, read without touching the render system, so that GUIFont,
// the tests and the fuzz target share one reader.
//
// Layout, little-endian: u32 size of the whole file, the five magic bytes, u32
// version, u32 glyph count, then 22 bytes per glyph: u16 character (one UTF-16
// code unit), f32 u, v, du, dv (the glyph's cell in texture coordinates; (u, v)
// is the cell's lower-left corner, v counted from the picture's bottom row) and
// f32 width (the glyph's width as a multiple of the font's height).
//
// The reader trusts nothing: the glyph count is checked against the bytes left
// before anything is allocated, and a record holding a number that is not
// finite is refused. A bad file throws FileError; nothing is logged here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileBinary;

class FontFile
{
public:
    static constexpr std::uint32_t kCurrentVersion = 201;
    static constexpr std::uint32_t kHeaderBytes = 17;
    static constexpr std::uint32_t kGlyphBytes = 22;

    struct Glyph
    {
        wchar_t character = 0;
        float u = 0.0f;
        float v = 0.0f;
        float du = 0.0f;
        float dv = 0.0f;
        float width = 0.0f;
    };

    // Reads the whole file; name is the name the messages show.
    void Read(FileBinary& file, const std::string& name);

    std::vector<Glyph> glyphs;
};

} // namespace OrrelayEngine
