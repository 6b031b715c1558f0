#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "content/FixturePicture.h"
#include "content/TgaFileWriter.h"

using Content::FixturePicture;
using Content::TgaFileWriter;

TEST(TgaFileWriter, DescriptorCountsTheAlphaBitsEachPixelCarries)
{
    struct Case
    {
        std::uint32_t channels;
        bool sixteenBit;
        bool topLeft;
        std::uint32_t depth;
        std::uint32_t descriptor;
    };
    const Case cases[] = {
        {4, true, false, 16, 0x01}, {4, true, true, 16, 0x21},   {4, false, false, 32, 0x08},
        {4, false, true, 32, 0x28}, {3, false, false, 24, 0x00}, {1, false, true, 8, 0x20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, depth " + std::to_string(c.depth) +
                     (c.topLeft ? ", top-left" : ", bottom-left"));
        TgaFileWriter writer(FixturePicture::MakePattern(3, 2, c.channels));
        writer.SetSixteenBit(c.sixteenBit);
        writer.SetTopLeftOrigin(c.topLeft);
        const std::vector<std::uint8_t> bytes = writer.Build().GetBytes();
        ASSERT_GE(bytes.size(), TgaFileWriter::kHeaderBytes);
        EXPECT_EQ(bytes[TgaFileWriter::kDepthOffset], c.depth);
        EXPECT_EQ(bytes[TgaFileWriter::kDescriptorOffset], c.descriptor);
    }
}
