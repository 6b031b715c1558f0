#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "platform/FileSystem.h"
#include "tests/engine/file/TempFolder.h"

using FileTests::Bytes;
using FileTests::TempFolder;
using OrrelayEngine::FileBinary;
using OrrelayEngine::FileError;

namespace {

std::unique_ptr<FileBinary> FromMemory(const std::vector<std::uint8_t>& bytes, const std::string& name = "mem")
{
    return std::make_unique<FileBinary>(nullptr, name, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                        bytes.data());
}

std::string ThrownMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FileError& error) {
        return error.GetMessage();
    }
    return "<nothing thrown>";
}

// Overwrites the first byte of a file on disk behind an open file object's back.
void PokeFirstByte(const std::string& path, char value)
{
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    std::fputc(value, file);
    std::fclose(file);
}

std::vector<std::uint8_t> WriteAndReadBack(const TempFolder& folder, const std::function<void(FileBinary&)>& write)
{
    const std::string path = folder.Path("written.bin");
    {
        FileBinary file(nullptr, path, true, false);
        write(file);
        file.Close();
    }
    FileBinary reader(nullptr, path, false, false);
    std::vector<std::uint8_t> bytes(reader.GetSize());
    reader.Read(bytes.data(), reader.GetSize());
    return bytes;
}

} // namespace

TEST(FileBinary, ShortReadDeliversWhatIsLeftAndThrowsWithoutOutCount)
{
    const std::vector<std::uint8_t> content = Bytes("0123456789ABCDEF");
    for (bool withOutCount : {false, true}) {
        auto file = FromMemory(content, "data\\short.bin");
        ASSERT_TRUE(file->Seek(FileBinary::kSeekFromStart, 12));
        char buffer[10] = {};
        std::uint32_t got = 99;
        if (withOutCount) {
            file->Read(buffer, 10, &got);
            EXPECT_EQ(got, 4u);
        } else {
            EXPECT_EQ(ThrownMessage([&] { file->Read(buffer, 10); }),
                      "Failed to read 10 bytes from \"data\\short.bin\" file");
        }
        EXPECT_EQ(std::string(buffer, 4), "CDEF");
        EXPECT_EQ(file->GetPosition(), 16u);
    }
}

TEST(FileBinary, SeekClampsOutsidePositionsToTheEnd)
{
    struct Case
    {
        std::uint32_t size;
        std::uint32_t start;
        int mode;
        std::int32_t offset;
        bool result;
        std::uint32_t position;
    };
    const Case cases[] = {
        {10, 0, FileBinary::kSeekFromStart, 0, true, 0},      {10, 0, FileBinary::kSeekFromStart, 9, true, 9},
        {10, 0, FileBinary::kSeekFromStart, 10, false, 10},   {10, 0, FileBinary::kSeekFromStart, 11, false, 10},
        {10, 0, FileBinary::kSeekFromStart, -1, false, 10},   {10, 3, FileBinary::kSeekFromEnd, 0, false, 10},
        {10, 3, FileBinary::kSeekFromEnd, -4, true, 6},       {10, 3, FileBinary::kSeekFromCurrent, 2, true, 5},
        {10, 3, FileBinary::kSeekFromCurrent, -4, false, 10}, {10, 3, 7, 5, true, 3},
        {0, 0, FileBinary::kSeekFromStart, 0, true, 0},       {0, 0, FileBinary::kSeekFromEnd, 0, true, 0},
        {0, 0, FileBinary::kSeekFromStart, 5, false, 0},      {0, 0, FileBinary::kSeekFromCurrent, -1, false, 0},
    };
    for (const Case& c : cases) {
        auto file = FromMemory(std::vector<std::uint8_t>(c.size, 7));
        if (c.start != 0)
            file->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(c.start));
        SCOPED_TRACE("size " + std::to_string(c.size) + " mode " + std::to_string(c.mode) + " offset " +
                     std::to_string(c.offset));
        EXPECT_EQ(file->Seek(c.mode, c.offset), c.result);
        EXPECT_EQ(file->GetPosition(), c.position);
        std::uint8_t byte = 0;
        std::uint32_t got = 99;
        file->Read(&byte, 1, &got);
        EXPECT_EQ(got, c.position < c.size ? 1u : 0u);
    }
}

TEST(FileBinary, FilesUpTo8MiBAreReadWholeAndLargerOnesStreamed)
{
    TempFolder folder;
    for (std::uint64_t size : {FileBinary::kWholeReadLimitBytes, FileBinary::kWholeReadLimitBytes + 1}) {
        const std::string path = folder.Path("sized.bin");
        folder.Write("sized.bin", "A");
        std::filesystem::resize_file(path, size);
        FileBinary file(nullptr, path, false, false);
        EXPECT_EQ(file.GetSize(), size);
        PokeFirstByte(path, 'B');
        char first = 0;
        file.Read(&first, 1);
        // A memory image keeps what was there at opening; a stream sees the change.
        EXPECT_EQ(first, size == FileBinary::kWholeReadLimitBytes ? 'A' : 'B') << size;
    }
}

TEST(FileBinary, StreamFollowsAClampedSeek)
{
    TempFolder folder;
    const std::string path = folder.Path("large.bin");
    folder.Write("large.bin", "A");
    std::filesystem::resize_file(path, FileBinary::kWholeReadLimitBytes + 2);
    {
        std::FILE* raw = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(raw, nullptr);
        std::fseek(raw, -1, SEEK_END);
        std::fputc('Z', raw);
        std::fclose(raw);
    }

    FileBinary file(nullptr, path, false, false);
    EXPECT_FALSE(file.Seek(FileBinary::kSeekFromStart, 0x7FFFFFFF));
    ASSERT_TRUE(file.Seek(FileBinary::kSeekFromCurrent, -1));
    char last = 0;
    file.Read(&last, 1);
    EXPECT_EQ(last, 'Z');
    EXPECT_EQ(file.GetPosition(), file.GetSize());
}

TEST(FileBinary, OpeningWhatIsNotAFileThrows)
{
    TempFolder folder;
    const std::string missing = folder.Path("missing.bin");
    EXPECT_EQ(ThrownMessage([&] { FileBinary file(nullptr, missing, false, false); }),
              "Failed to open \"" + missing + "\" file");
    EXPECT_EQ(ThrownMessage([&] { FileBinary file(nullptr, folder.Path(), false, false); }),
              "Failed to open \"" + folder.Path() + "\" file");
    const std::string uncreatable = folder.Path("no\\such\\folder.bin");
    EXPECT_EQ(ThrownMessage([&] { FileBinary file(nullptr, uncreatable, true, false); }),
              "Failed to open \"" + uncreatable + "\" file");
}

TEST(FileBinary, RelativeNamesAreTakenFromTheProgramFolder)
{
    const std::string name = "filebinary_relative_test.bin";
    {
        FileBinary file(nullptr, name, true, false);
        file.WriteByte(42);
        file.Close();
    }
    const std::string native = Platform::GetExecutableFolder() + "/" + name;
    EXPECT_EQ(std::filesystem::file_size(native), 1u);
    std::filesystem::remove(native);
}

TEST(FileBinary, WritingAFileNotOpenedForWritingThrows)
{
    TempFolder folder;
    folder.Write("read.bin", "abc");
    auto memoryFile = FromMemory(Bytes("abc"), "memory.bin");
    FileBinary readFile(nullptr, folder.Path("read.bin"), false, false);
    FileBinary closedFile(nullptr, folder.Path("closed.bin"), true, false);
    closedFile.Close();

    for (FileBinary* file : {memoryFile.get(), &readFile, &closedFile}) {
        const std::uint8_t byte = 1;
        EXPECT_EQ(ThrownMessage([&] { file->Write(&byte, 1); }),
                  "Failed to write 1 bytes from \"" + file->GetName() + "\" file");
        std::uint32_t written = 99;
        file->Write(&byte, 0, &written);
        EXPECT_EQ(written, 0u);
    }
}

TEST(FileBinary, FailedFlushOnCloseThrowsButDestructorStaysQuiet)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::uint8_t bytes[16] = {};
    {
        FileBinary file(nullptr, "/dev/full", true, false);
        file.Write(bytes, sizeof(bytes));
        EXPECT_EQ(ThrownMessage([&] { file.Close(); }), "Failed to close \"/dev/full\" file");
    }
    EXPECT_NO_THROW({
        FileBinary file(nullptr, "/dev/full", true, false);
        file.Write(bytes, sizeof(bytes));
    });
}

TEST(FileBinary, WriteTracksSizeAndPositionAndRewritesAfterSeek)
{
    TempFolder folder;
    const auto bytes = WriteAndReadBack(folder, [](FileBinary& file) {
        file.Write("hello", 5);
        EXPECT_EQ(file.GetSize(), 5u);
        EXPECT_TRUE(file.Seek(FileBinary::kSeekFromStart, 0));
        file.WriteByte('J');
        EXPECT_EQ(file.GetPosition(), 1u);
        EXPECT_EQ(file.GetSize(), 5u);
    });
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Jello");
}

TEST(FileBinary, ReadsLittleEndianNumbersAndCountedStrings)
{
    struct Case
    {
        std::vector<std::uint8_t> bytes;
        std::string expected;
    };
    const Case cases[] = {
        {{0}, ""},
        {{3, 'a', 'b', 'c'}, "abc"},
        {{4, 'a', 'b', 0, 'c'}, "ab"},
        {{4, 'a', 'b', 'c', 0}, "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FromMemory(c.bytes)->ReadString(), c.expected);

    auto truncated = FromMemory({5, 'a', 'b'}, "cut.bin");
    EXPECT_EQ(ThrownMessage([&] { truncated->ReadString(); }), "Failed to read 5 bytes from \"cut.bin\" file");

    EXPECT_EQ(FromMemory({0x78, 0x56, 0x34, 0x12})->ReadUInt32(), 0x12345678u);
    EXPECT_EQ(ThrownMessage([&] {
                  FromMemory({1, 2}, "u.bin")->ReadUInt32();
              }),
              "Failed to read 4 bytes from \"u.bin\" file");
}

TEST(FileBinary, WideStringsAreCountedLittleEndianCodeUnits)
{
    TempFolder folder;
    struct Case
    {
        std::wstring text;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {L"", {1, 0, 0}},
        {L"Ab", {3, 'A', 0, 'b', 0, 0, 0}},
        {L"\u20AC", {2, 0xAC, 0x20, 0, 0}},
        {L"\U0001F600", {3, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}},
        {std::wstring(L"x\0y", 3), {2, 'x', 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteAndReadBack(folder, [&](FileBinary& file) { file.WriteWideString(c.text); }), c.bytes);
        EXPECT_EQ(FromMemory(c.bytes)->ReadWideString(), c.text.substr(0, c.text.find(L'\0')));
    }
}

TEST(FileBinary, WideStringsBeyond254UnitsAreCutNotWrapped)
{
    TempFolder folder;
    struct Case
    {
        std::wstring text;
        std::wstring expected;
    };
    const Case cases[] = {
        {std::wstring(254, L'a'), std::wstring(254, L'a')},
        {std::wstring(300, L'a'), std::wstring(254, L'a')},
        // The pair would need units 254 and 255: it goes whole.
        {std::wstring(253, L'a') + L"\U0001F600", std::wstring(253, L'a')},
        {std::wstring(252, L'a') + L"\U0001F600", std::wstring(252, L'a') + L"\U0001F600"},
    };
    for (const Case& c : cases) {
        const auto bytes = WriteAndReadBack(folder, [&](FileBinary& file) { file.WriteWideString(c.text); });
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.size(), 1u + 2u * bytes[0]);
        EXPECT_EQ(FromMemory(bytes)->ReadWideString(), c.expected);
    }
    // Units stop at the first zero; a lone surrogate is kept as it is.
    EXPECT_EQ(FromMemory({3, 0x00, 0xD8, 'q', 0, 0, 0})->ReadWideString(), std::wstring(L"\xD800q"));
    EXPECT_EQ(FromMemory({3, 'a', 0, 0, 0, 'b', 0})->ReadWideString(), L"a");
}
