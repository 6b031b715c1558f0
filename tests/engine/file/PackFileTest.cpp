#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "content/PackWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/PackFile.h"
#include "support/LogSearch.h"
#include "tests/engine/file/TempFolder.h"

using Content::PackWriter;
using FileTests::Bytes;
using FileTests::TempFolder;
using OrrelayEngine::Error;
using OrrelayEngine::FileBinary;
using OrrelayEngine::MessageManager;
using OrrelayEngine::PackFile;

namespace {

class PackFileTest : public testing::Test
{
protected:
    MessageManager log_{"Test", false, false, "", ""};
    TempFolder folder_;

    std::string Save(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        return folder_.Write(name, bytes);
    }

    std::string ReadEntry(PackFile& pack, const std::string& name)
    {
        std::uint32_t size = 0;
        if (!pack.GetFileSize(name, size))
            return "<missing>";
        std::string text(size, '\0');
        EXPECT_TRUE(pack.ReadFile(name, text.data()));
        return text;
    }

    bool LogHas(const std::string& text) const
    {
        return TestSupport::Logged(log_, text, TestSupport::LogMatch::kWhole);
    }
};

void PutLittleEndian32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

} // namespace

TEST_F(PackFileTest, NamesAreFoundInAnyLetterCase)
{
    PackWriter writer;
    writer.AddEntry("Data\\Levels\\STAGES_Info.ini", "stages");
    writer.AddEntry("empty.txt", "");
    writer.Write(folder_.Path("pack0.pak"));
    PackFile pack(&log_, folder_.Path("pack0.pak"));

    for (const char* name :
         {"data\\levels\\stages_info.ini", "DATA\\LEVELS\\STAGES_INFO.INI", "Data\\levels\\Stages_info.INI"}) {
        EXPECT_TRUE(pack.FileExists(name)) << name;
        EXPECT_EQ(ReadEntry(pack, name), "stages");
    }
    EXPECT_EQ(ReadEntry(pack, "empty.txt"), "");
    EXPECT_FALSE(pack.FileExists("data\\levels"));
    EXPECT_FALSE(pack.ReadFile("missing.txt", nullptr));
    EXPECT_TRUE(LogHas("...Pack file " + folder_.Path("pack0.pak") + " found...\n"));
    EXPECT_TRUE(LogHas("......It contains 2 files...\n"));
}

TEST_F(PackFileTest, FirstOfTwoEqualNamesWins)
{
    PackWriter writer;
    writer.AddEntry("Same.txt", "first");
    writer.AddEntry("same.TXT", "second, longer");
    const std::vector<std::uint8_t> bytes = writer.Build();
    PackFile pack(&log_, std::make_unique<FileBinary>(nullptr, "memory.pak", false, false, true,
                                                      static_cast<std::uint32_t>(bytes.size()), bytes.data()));
    EXPECT_EQ(ReadEntry(pack, "same.txt"), "first");
}

TEST_F(PackFileTest, EmptyPackLoadsAndAnswersNothing)
{
    PackWriter().Write(folder_.Path("empty.pak"));
    PackFile pack(&log_, folder_.Path("empty.pak"));
    EXPECT_TRUE(LogHas("......It contains 0 files...\n"));
    std::uint32_t size = 7;
    EXPECT_FALSE(pack.FileExists("anything"));
    EXPECT_FALSE(pack.GetFileSize("anything", size));
    EXPECT_EQ(size, 7u);
    std::vector<std::string> list;
    pack.FindFiles("data", "*", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(PackFileTest, DamagedPacksAreRejectedWithTheReason)
{
    PackWriter writer;
    writer.AddEntry("a.txt", "alpha");
    writer.AddEntry("b.txt", "beta");
    const std::vector<std::uint8_t> good = writer.Build();
    // 17 header and count bytes, names of 1 + 6 bytes each, then the directory.
    const std::size_t firstName = 17;
    const std::size_t directory = firstName + 14;

    const std::string format = "Incorrect pack file format";
    struct Case
    {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        std::string message;
    };
    const Case cases[] = {
        {"total size one more", [](auto& b) { PutLittleEndian32(b, 0, GetLittleEndian32(b, 0) + 1); }, format},
        {"total size one less", [](auto& b) { PutLittleEndian32(b, 0, GetLittleEndian32(b, 0) - 1); }, format},
        {"magic", [](auto& b) { b[6] = 'X'; }, format},
        {"version 101", [](auto& b) { PutLittleEndian32(b, 9, 101); }, "Incorrect pack file version, current is 100"},
        {"huge count", [](auto& b) { PutLittleEndian32(b, 13, 0xFFFFFFFFu); }, format},
        {"count one too many", [](auto& b) { PutLittleEndian32(b, 13, 3); }, format},
        {"name past the end", [](auto& b) { b[firstName + 7] = 255; }, format},
        {"directory past the end",
         [](auto& b) {
             b.resize(directory + 12);
             PutLittleEndian32(b, 0, static_cast<std::uint32_t>(b.size()));
         },
         format},
        {"entry past the end", [](auto& b) { PutLittleEndian32(b, directory + 12, 5); }, format},
        {"entry offset past the end",
         [](auto& b) { PutLittleEndian32(b, directory, static_cast<std::uint32_t>(b.size()) + 1); }, format},
        {"entry wrapping 32 bits",
         [](auto& b) {
             PutLittleEndian32(b, directory, 0xFFFFFFF0u);
             PutLittleEndian32(b, directory + 4, 0x20);
         },
         format},
        {"header cut short", [](auto& b) { b.resize(10); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = good;
        c.damage(bytes);
        const std::string path = Save("damaged.pak", bytes);
        log_.ClearMessages();
        try {
            PackFile pack(&log_, path);
            ADD_FAILURE() << "accepted";
        } catch (const Error& error) {
            EXPECT_EQ(error.GetMessage(), "");
        }
        const std::string message =
            c.message.empty() ? "Failed to read 13 bytes from \"" + path + "\" file" : c.message;
        EXPECT_TRUE(LogHas("......"));
        EXPECT_TRUE(LogHas("Error: " + message + "!\n"));
    }
    // The log's spacing is back on after the report.
    log_.ClearMessages();
    log_.LogError("after");
    EXPECT_TRUE(LogHas("\nError: after!\n\n"));
}

TEST_F(PackFileTest, FindFilesMatchesFolderAndMaskAnywhereInTheRest)
{
    PackWriter writer;
    for (const char* name : {"Profiles\\Ann.prf", "profiles\\sub\\Bob.prf", "profiles\\notes.prf.bak",
                             "profiles\\readme.txt", "profilesx\\c.prf", "other\\d.prf"})
        writer.AddEntry(name, "x");
    writer.Write(folder_.Path("p.pak"));
    PackFile pack(&log_, folder_.Path("p.pak"));

    struct Case
    {
        std::string folder;
        std::string mask;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"profiles", "*.prf", {"profiles\\ann.prf", "profiles\\notes.prf.bak", "profiles\\sub\\bob.prf"}},
        {"PROFILES\\",
         "*",
         {"profiles\\ann.prf", "profiles\\notes.prf.bak", "profiles\\readme.txt", "profiles\\sub\\bob.prf"}},
        {"profiles", "*.TXT", {"profiles\\readme.txt"}},
        {"profiles\\sub", "*", {"profiles\\sub\\bob.prf"}},
        {"nowhere", "*", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = {"kept"};
        pack.FindFiles(c.folder, c.mask, list);
        std::vector<std::string> expected = {"kept"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(list, expected) << c.folder << " " << c.mask;
    }
}

TEST_F(PackFileTest, LargePackIsReadFromDiskSafelyByTwoThreads)
{
    PackWriter writer;
    writer.AddEntry("filler.bin", std::vector<std::uint8_t>(FileBinary::kWholeReadLimitBytes, 0x55));
    writer.AddEntry("a.bin", std::vector<std::uint8_t>(4096, 'a'));
    writer.AddEntry("b.bin", std::vector<std::uint8_t>(4096, 'b'));
    writer.Write(folder_.Path("large.pak"));
    PackFile pack(&log_, folder_.Path("large.pak"));

    auto reader = [&pack](const char* name, std::uint8_t expected, bool& allRight) {
        std::vector<std::uint8_t> buffer(4096);
        allRight = true;
        for (int i = 0; i < 200; ++i) {
            std::fill(buffer.begin(), buffer.end(), 0);
            pack.ReadFile(name, buffer.data());
            allRight =
                allRight && std::all_of(buffer.begin(), buffer.end(), [&](std::uint8_t b) { return b == expected; });
        }
    };
    bool aRight = false;
    bool bRight = false;
    std::thread first(reader, "a.bin", 'a', std::ref(aRight));
    std::thread second(reader, "b.bin", 'b', std::ref(bRight));
    first.join();
    second.join();
    EXPECT_TRUE(aRight);
    EXPECT_TRUE(bRight);
}
