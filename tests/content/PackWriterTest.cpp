#include <gtest/gtest.h>

#include "content/PackWriter.h"
#include "engine/core/Error.h"

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
