#include "content/FontFileWriter.h"

namespace Content {

ByteBuffer FontFileWriter::Build(const std::vector<OrrelayEngine::FontFile::Glyph>& glyphs) const
{
    const std::size_t size =
        OrrelayEngine::FontFile::kHeaderBytes + glyphs.size() * OrrelayEngine::FontFile::kGlyphBytes;
    ByteBuffer file;
    file.PutU32(static_cast<std::uint32_t>(static_cast<std::int64_t>(size) + sizeFieldError_));
    file.PutBytes("OEFNT", 5);
    file.PutU32(OrrelayEngine::FontFile::kCurrentVersion);
    file.PutU32(static_cast<std::uint32_t>(glyphs.size()));
    for (const OrrelayEngine::FontFile::Glyph& glyph : glyphs) {
        file.PutU16(static_cast<std::uint32_t>(glyph.character));
        file.PutF32(glyph.u);
        file.PutF32(glyph.v);
        file.PutF32(glyph.du);
        file.PutF32(glyph.dv);
        file.PutF32(glyph.width);
    }
    return file;
}

} // namespace Content
