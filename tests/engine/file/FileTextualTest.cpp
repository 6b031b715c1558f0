#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileTextual.h"
#include "support/ScopedLanguageLocale.h"
#include "tests/engine/file/TempFolder.h"

using FileTests::Bytes;
using FileTests::TempFolder;
using OrrelayEngine::FileBinary;
using OrrelayEngine::FileError;
using OrrelayEngine::FileTextual;

namespace {

std::unique_ptr<FileTextual> TextFrom(const std::vector<std::uint8_t>& bytes)
{
    auto file = std::make_unique<FileBinary>(nullptr, "text.txt", false, false, true,
                                             static_cast<std::uint32_t>(bytes.size()), bytes.data());
    return std::make_unique<FileTextual>(nullptr, std::move(file), FileTextual::kModeRead, 0);
}

std::unique_ptr<FileTextual> TextFrom(const std::string& text)
{
    return TextFrom(Bytes(text));
}

std::vector<std::string> AllLines(FileTextual& text)
{
    std::vector<std::string> lines;
    std::string line;
    while (text.ReadString(line, false, false))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> AllWords(FileTextual& text, bool underscores = false)
{
    std::vector<std::string> words;
    std::string word;
    while (text.ReadWord(word, underscores))
        words.push_back(word);
    EXPECT_TRUE(word.empty());
    return words;
}

std::vector<std::uint8_t> ReadNative(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(FileTextual, EveryLineEndEndsALine)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n", {"a", ""}},
        {"a\n\r", {"a", "", ""}},
        {"", {""}},
        // Longer than the read buffer, so lines cross refills.
        {std::string(1500, 'x') + "\n" + std::string(1500, 'y'), {std::string(1500, 'x'), std::string(1500, 'y')}},
    };
    for (const Case& c : cases) {
        auto text = TextFrom(c.text);
        EXPECT_EQ(AllLines(*text), c.lines);
        EXPECT_TRUE(text->IsEndOfFile());
    }
}

TEST(FileTextual, ByteOrderMarkChoosesTheEncoding)
{
    struct Case
    {
        std::vector<std::uint8_t> bytes;
        int encoding;
        std::wstring firstLine;
    };
    const Case cases[] = {
        {{0xEF, 0xBB, 0xBF, 'h', 'i'}, FileTextual::kEncodingUtf8, L"hi"},
        {{0xFF, 0xFE, 'h', 0, 'i', 0}, FileTextual::kEncodingUtf16LittleEndian, L"hi"},
        {{0xFE, 0xFF, 0, 'h', 0, 'i'}, FileTextual::kEncodingUtf16BigEndian, L"hi"},
        {{0xFE, 0xFF, 0x20, 0xAC}, FileTextual::kEncodingUtf16BigEndian, L"\u20AC"},
        // Not a full mark: 8-bit text from the first byte (EF BB is no narrow text, so it goes).
        {{0xEF, 0xBB, 'A', 'B'}, FileTextual::kEncoding8Bit, L"AB"},
        {{'h', 'i'}, FileTextual::kEncoding8Bit, L"hi"},
        {{'h'}, FileTextual::kEncoding8Bit, L"h"},
        {{0xFF, 0xFE}, FileTextual::kEncodingUtf16LittleEndian, L""},
    };
    for (const Case& c : cases) {
        auto text = TextFrom(c.bytes);
        EXPECT_EQ(text->GetEncoding(), c.encoding);
        std::wstring line;
        EXPECT_TRUE(text->ReadWideString(line, false, false));
        EXPECT_EQ(line, c.firstLine);
    }

    std::string narrow;
    ASSERT_TRUE(TextFrom(std::vector<std::uint8_t>{0xEF, 0xBB, 'A'})->ReadString(narrow, false, false));
    EXPECT_EQ(narrow, "\xEF\xBB"
                      "A");
}

TEST(FileTextual, WordsSkipCommentsAndBlankRuns)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"one two // a note\nthree", {"one", "two", "three"}},
        {"one//note more\nnext", {"one", "more", "next"}},
        {"// whole line\n\n  \t word  ", {"word"}},
        {"a\r\n\r\nb", {"a", "b"}},
        {"", {}},
        {"//", {}},
    };
    for (const Case& c : cases) {
        auto text = TextFrom(c.text);
        EXPECT_EQ(AllWords(*text), c.words) << c.text;
    }
    auto underscores = TextFrom("big_red_box x_y");
    EXPECT_EQ(AllWords(*underscores, true), (std::vector<std::string>{"big red box", "x y"}));
}

TEST(FileTextual, NumbersAreReadWordByWordAndZeroAtTheEnd)
{
    auto text = TextFrom("12 -3 2.5\n1 0 seven");
    EXPECT_EQ(text->ReadInt(), 12);
    EXPECT_EQ(text->ReadInt(), -3);
    EXPECT_FLOAT_EQ(text->ReadFloat(), 2.5f);
    EXPECT_TRUE(text->ReadBool());
    EXPECT_FALSE(text->ReadBool());
    EXPECT_EQ(text->ReadInt(), 0);
    EXPECT_EQ(text->ReadInt(), 0);
    EXPECT_FLOAT_EQ(text->ReadFloat(), 0.0f);
}

TEST(FileTextual, Utf8DecodingAndReplacements)
{
    struct Case
    {
        std::vector<std::uint8_t> body;
        std::wstring expected;
    };
    const Case cases[] = {
        {{0xC3, 0xA9}, L"\u00E9"},
        {{0xE2, 0x82, 0xAC}, L"\u20AC"},
        // Four-byte sequences are not decoded: each byte stands alone.
        {{0xF0, 0x9F, 0x98, 0x80}, L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {{'a', 0x80, 'b', 0xFF}, L"a\uFFFDb\uFFFD"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = {0xEF, 0xBB, 0xBF};
        bytes.insert(bytes.end(), c.body.begin(), c.body.end());
        std::wstring line;
        ASSERT_TRUE(TextFrom(bytes)->ReadWideString(line, false, false));
        EXPECT_EQ(line, c.expected);
    }
}

TEST(FileTextual, NarrowReadingOfWideTextReplacesWhatHasNoNarrowForm)
{
    const TestSupport::ScopedLanguageLocale locale;
    auto text =
        TextFrom(std::vector<std::uint8_t>{0xFF, 0xFE, 'a', 0, 0xE9, 0, 0x00, 0xD8, 'b', 0, 0x3D, 0xD8, 0x00, 0xDE});
    std::string line;
    ASSERT_TRUE(text->ReadString(line, false, false));
    EXPECT_EQ(line, "a\xC3\xA9?b\xF0\x9F\x98\x80");
    EXPECT_TRUE(text->IsLossy());

    // 8-bit text read wide: bytes that are no UTF-8 are skipped, a zero byte ends it.
    std::wstring wide;
    ASSERT_TRUE(TextFrom(std::string("a\xFF"
                                     "b\0c",
                                     5))
                    ->ReadWideString(wide, false, false));
    EXPECT_EQ(wide, L"ab");
}

TEST(FileTextual, EmptyFileGivesOneEmptyLine)
{
    auto text = TextFrom("");
    std::string line = "stale";
    EXPECT_TRUE(text->ReadString(line, false, false));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(text->ReadString(line, false, false));

    std::string word = "stale";
    EXPECT_FALSE(TextFrom("")->ReadWord(word));
    EXPECT_EQ(word, "");
}

TEST(FileTextual, ReadAllTextJoinsLinesWithCrLf)
{
    struct Case
    {
        std::string text;
        bool cutComments;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a\nb", false, L"a\r\nb"},
        {"a\r\nb\r\n", false, L"a\r\nb\r\n"},
        {"a // x\rb", true, L"a \r\nb"},
        {"", false, L""},
    };
    for (const Case& c : cases) {
        std::wstring all = L"stale";
        TextFrom(c.text)->ReadAllText(all, c.cutComments);
        EXPECT_EQ(all, c.expected);
    }
}

TEST(FileTextual, WrittenTextReadsBackInEveryEncoding)
{
    const TestSupport::ScopedLanguageLocale locale;
    TempFolder folder;
    struct Case
    {
        int encoding;
        std::vector<std::uint8_t> start;
    };
    const Case cases[] = {
        {FileTextual::kEncoding8Bit, {'h', 0xC3, 0xA9}},
        {FileTextual::kEncodingUtf16BigEndian, {0xFE, 0xFF, 0, 'h', 0, 0xE9}},
        {FileTextual::kEncodingUtf16LittleEndian, {0xFF, 0xFE, 'h', 0, 0xE9, 0}},
        {FileTextual::kEncodingUtf8, {0xEF, 0xBB, 0xBF, 'h', 0xC3, 0xA9}},
    };
    // Long enough to pass the 1024-byte write buffer several times.
    const std::string longLine(3000, 'z');
    for (const Case& c : cases) {
        const std::string path = folder.Path("out" + std::to_string(c.encoding) + ".txt");
        {
            auto file = std::make_unique<FileBinary>(nullptr, path, true, false);
            FileTextual text(nullptr, std::move(file), FileTextual::kModeWrite, c.encoding);
            text.WriteString("h\xC3\xA9\xE2\x82\xAC");
            text.WriteLineEnd();
            text.WriteString(longLine);
            text.Close();
        }
        const auto bytes = ReadNative(path);
        ASSERT_GE(bytes.size(), c.start.size());
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + c.start.size()), c.start);

        auto text = TextFrom(bytes);
        std::string line;
        ASSERT_TRUE(text->ReadString(line, false, false));
        EXPECT_EQ(line, "h\xC3\xA9\xE2\x82\xAC");
        ASSERT_TRUE(text->ReadString(line, false, false));
        EXPECT_EQ(line, longLine);
        EXPECT_FALSE(text->ReadString(line, false, false));
    }
}

TEST(FileTextual, CharactersAboveTheBasicPlaneAreWrittenWhole)
{
    const TestSupport::ScopedLanguageLocale locale;
    TempFolder folder;
    struct Case
    {
        int encoding;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {FileTextual::kEncodingUtf8, {0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80}},
        {FileTextual::kEncodingUtf16LittleEndian, {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}},
        {FileTextual::kEncodingUtf16BigEndian, {0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Path("emoji.txt");
        {
            FileTextual text(nullptr, std::make_unique<FileBinary>(nullptr, path, true, false), FileTextual::kModeWrite,
                             c.encoding);
            text.WriteString("\xF0\x9F\x98\x80");
            text.Close();
        }
        EXPECT_EQ(ReadNative(path), c.bytes);
    }
}

TEST(FileTextual, FailedWriteOnCloseThrowsButDestructorStaysQuiet)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    {
        FileTextual text(nullptr, std::make_unique<FileBinary>(nullptr, "/dev/full", true, false),
                         FileTextual::kModeWrite, 0);
        text.WriteString("lost");
        EXPECT_THROW(text.Close(), FileError);
    }
    EXPECT_NO_THROW({
        FileTextual text(nullptr, std::make_unique<FileBinary>(nullptr, "/dev/full", true, false),
                         FileTextual::kModeWrite, 0);
        text.WriteString("lost");
    });
}

TEST(FileTextual, WritingATextOpenedForReadingThrows)
{
    // The first line leaves the read buffer full, the case that must not be written into.
    auto text = TextFrom("ab\n" + std::string(3000, 'c'));
    std::string line;
    ASSERT_TRUE(text->ReadString(line, false, false));
    try {
        text->WriteString("more");
        ADD_FAILURE() << "wrote into a text opened for reading";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetMessage(), "Failed to write 1 bytes from \"text.txt\" file");
    }
    EXPECT_THROW(text->WriteLineEnd(), FileError);
    ASSERT_TRUE(text->ReadString(line, false, false));
    EXPECT_EQ(line, std::string(3000, 'c')) << "reading goes on undisturbed";
}
