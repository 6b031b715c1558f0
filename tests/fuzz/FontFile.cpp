// Reads arbitrary bytes as a GUI font file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/gui/FontFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "ui\\fonts\\fuzz.fnt", false, false, true, static_cast<std::uint32_t>(size),
                                   data);
    OrrelayEngine::FontFile font;
    try {
        font.Read(file, "ui\\fonts\\fuzz.fnt");
    } catch (const OrrelayEngine::FileError&) {
        return 0;
    }
    // Every glyph read must have come from bytes of the file.
    if (OrrelayEngine::FontFile::kHeaderBytes +
            static_cast<std::uint64_t>(font.glyphs.size()) * OrrelayEngine::FontFile::kGlyphBytes >
        size)
        std::abort();
    return 0;
}
