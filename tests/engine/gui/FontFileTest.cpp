#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "FontTestSupport.h"
#include "content/FontFileWriter.h"
#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/gui/FontFile.h"

namespace FontTest {
namespace {

using OrrelayEngine::FileBinary;
using OrrelayEngine::FileError;
using OrrelayEngine::FontFile;

const std::string kName = "ui\\fonts\\case.fnt";
const std::string kFormatMessage = "Incorrect \"" + kName + "\" file format";
const std::string kVersionMessage = "Incorrect \"" + kName + "\" format version, current is 201";

// The message of the FileError the reader throws, empty when it reads.
std::string ReadMessage(const Content::ByteBuffer& bytes, FontFile& out)
{
    FileBinary file(nullptr, kName, false, false, true, static_cast<std::uint32_t>(bytes.GetSize()),
                    bytes.GetBytes().data());
    try {
        out.Read(file, kName);
    } catch (const FileError& error) {
        return error.GetMessage();
    }
    return std::string();
}

TEST(FontFileTest, DamagedFilesFailWithTheFormatMessages)
{
    const FontFile::Glyph glyph = FontFixture::MakeGlyph(L'\x0416', 0.125f, 0.25f, 0.5f, 0.75f, 1.5f);
    const Content::FontFileWriter good;
    Content::FontFileWriter sizeAbove;
    sizeAbove.SetSizeFieldError(1);
    Content::FontFileWriter sizeBelow;
    sizeBelow.SetSizeFieldError(-1);

    struct Case
    {
        const char* what;
        Content::ByteBuffer bytes;
        std::string message;
        std::size_t glyphs;
    };
    std::vector<Case> cases = {
        {"17-byte empty font", good.Build({}), "", 0},
        {"one glyph in 39 bytes", good.Build({glyph}), "", 1},
        {"size field one byte above", sizeAbove.Build({glyph}), kFormatMessage, 0},
        {"size field one byte below", sizeBelow.Build({glyph}), kFormatMessage, 0},
        {"version 200", good.Build({glyph}), kVersionMessage, 0},
        {"wrong magic", good.Build({glyph}), kFormatMessage, 0},
        {"count of two in 39 bytes", good.Build({glyph}), kFormatMessage, 0},
        {"count that overflows 32 bits", good.Build({glyph}), kFormatMessage, 0},
        {"header cut before the count", good.Build({}), kFormatMessage, 0},
        {"width not a number", good.Build({glyph}), kFormatMessage, 0},
        {"u infinite", good.Build({glyph}), kFormatMessage, 0},
    };
    cases[4].bytes.PatchU32(Content::FontFileWriter::kVersionOffset, 200);
    cases[5].bytes.PatchU8(6, 'X');
    cases[6].bytes.PatchU32(Content::FontFileWriter::kCountOffset, 2);
    cases[7].bytes.PatchU32(Content::FontFileWriter::kCountOffset, 0xFFFFFFFFu);
    cases[8].bytes.Truncate(15);
    cases[8].bytes.PatchU32(Content::FontFileWriter::kSizeOffset, 15);
    const std::uint32_t nan = 0x7FC00000u;
    const std::uint32_t infinity = 0x7F800000u;
    cases[9].bytes.PatchU32(Content::FontFileWriter::kFirstGlyphOffset + 18, nan);
    cases[10].bytes.PatchU32(Content::FontFileWriter::kFirstGlyphOffset + 2, infinity);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FontFile font;
        const std::string message = ReadMessage(c.bytes, font);
        EXPECT_EQ(message.substr(0, message.find(':')), c.message);
        EXPECT_EQ(font.glyphs.size(), c.glyphs);
    }

    FontFile one;
    ASSERT_EQ(ReadMessage(cases[1].bytes, one), "");
    ASSERT_EQ(cases[1].bytes.GetSize(), 39u);
    const FontFile::Glyph& read = one.glyphs[0];
    EXPECT_EQ(read.character, L'\x0416');
    EXPECT_EQ(read.u, 0.125f);
    EXPECT_EQ(read.v, 0.25f);
    EXPECT_EQ(read.du, 0.5f);
    EXPECT_EQ(read.dv, 0.75f);
    EXPECT_EQ(read.width, 1.5f);
}

TEST_F(FontFixture, FontIsReadUnderTheDataFolderAndABadOneIsNotFiled)
{
    SaveFont("ui\\fonts\\bad.fnt", RoundGlyphs(), 1);
    try {
        fonts->LoadFont(3, texture, "ui\\fonts\\bad.fnt");
        FAIL() << "a size field one byte off was accepted";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetMessage(), "Incorrect \"ui\\fonts\\bad.fnt\" file format");
    }
    EXPECT_EQ(fonts->FindFont(3), nullptr);
    EXPECT_EQ(models->GetModelCount(), 0u);

    OrrelayEngine::GUIFont* font = LoadRoundFont(3);
    ASSERT_EQ(fonts->FindFont(3), font);
    EXPECT_EQ(font->GetGlyphTableSize(), 4u);
    EXPECT_EQ(font->GetMaxWidth(), 1.0f);
    EXPECT_EQ(font->GetModel()->GetName(), "font_model");
    EXPECT_EQ(font->GetModel()->GetFlags(), 0x48C39u);
    EXPECT_EQ(font->GetDepth(), -9.0f);

    // Upper case lends its glyph only where lower case has none.
    font->AddLowerCaseGlyphs();
    ASSERT_TRUE(font->HasGlyph(L'a'));
    EXPECT_EQ(font->FindGlyph(L'a')->width, 0.5f);
    EXPECT_EQ(font->FindGlyph(L'b')->width, 0.75f);
}

} // namespace
} // namespace FontTest
