#include <gtest/gtest.h>

#include <memory>

#include "content/PackWriter.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/PackFile.h"

using Content::PackWriter;

TEST(PackWriter, LayoutCountsNamesWithTheirZeroAndTotalsTheFile)
{
    PackWriter writer;
    writer.AddEntry("A\\b.txt", "xyz");
    writer.AddEntry("c", std::vector<std::uint8_t>{});
    const std::vector<std::uint8_t> bytes = writer.Build();

    const std::vector<std::uint8_t> expected = {
        48,  0, 0, 0,   'O', 'E', 'P', 'A', 'K', 100, 0, 0, 0, 2,  0, 0, 0, 8, 'A', '\\', 'b', '.', 't', 'x',
        't', 0, 2, 'c', 0,   45,  0,   0,   0,   3,   0, 0, 0, 48, 0, 0, 0, 0, 0,   0,    0,   'x', 'y', 'z',
    };
    EXPECT_EQ(bytes, expected);
}

TEST(PackWriter, RefusesNamesThatDoNotFitTheLengthByte)
{
    PackWriter writer;
    EXPECT_NO_THROW(writer.AddEntry(std::string(254, 'n'), ""));
    EXPECT_THROW(writer.AddEntry(std::string(255, 'n'), ""), OrrelayEngine::Error);
}

TEST(PackWriter, IdenticalEntriesShareOneCopyThatTheReaderReadsUnderEveryName)
{
    PackWriter writer;
    writer.AddEntry("a", "same bytes");
    writer.AddEntry("b", "other");
    writer.AddEntry("c", "same bytes");
    writer.AddEntry("d", "same bytez");
    writer.AddEntry("e", "");
    writer.AddEntry("f", "");
    const std::vector<std::uint8_t> bytes = writer.Build();
    EXPECT_EQ(writer.CountSharedEntries(), 2u);
    // Names 6 x 3 bytes, directory 6 x 8, then "same bytes", "other", "same bytez".
    EXPECT_EQ(bytes.size(), 17u + 18u + 48u + 10u + 5u + 10u);

    OrrelayEngine::MessageManager log("Test", false, false, "", "");
    auto file = std::make_unique<OrrelayEngine::FileBinary>(&log, "mem.pak", false, true, true,
                                                            static_cast<std::uint32_t>(bytes.size()), bytes.data());
    OrrelayEngine::PackFile pack(&log, std::move(file));
    for (const auto& expected : std::vector<std::pair<std::string, std::string>>{
             {"a", "same bytes"}, {"b", "other"}, {"c", "same bytes"}, {"d", "same bytez"}, {"e", ""}, {"f", ""}}) {
        std::uint32_t size = 0;
        ASSERT_TRUE(pack.GetFileSize(expected.first, size)) << expected.first;
        std::string text(size, '\0');
        EXPECT_TRUE(pack.ReadFile(expected.first, text.data()));
        EXPECT_EQ(text, expected.second) << expected.first;
    }
}
