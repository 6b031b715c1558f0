#include <gtest/gtest.h>

#include <vector>

#include "AviTestReader.h"
#include "TemporaryFolder.h"
#include "platform/AviWriter.h"

namespace PlatformTests {
namespace {

std::vector<std::uint8_t> MakeFrame(std::uint32_t bytes, std::uint8_t seed)
{
    std::vector<std::uint8_t> frame(bytes);
    for (std::uint32_t i = 0; i < bytes; ++i) {
        frame[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return frame;
}

TEST(AviWriter, ChunksHeadersAndIndexDescribeTheFramesWritten)
{
    TemporaryFolder folder;
    const std::string path = folder.Path() + "/movie000.avi";
    std::vector<std::vector<std::uint8_t>> written;
    {
        Platform::AviWriter writer;
        // Rows of 5 pixels x 3 bytes = 15 bytes, padded to 16.
        ASSERT_TRUE(writer.Open(path, 5, 3, 24, 33));
        EXPECT_EQ(writer.GetFrameBytes(), 48u);
        for (std::uint8_t seed = 1; seed <= 3; ++seed) {
            written.push_back(MakeFrame(48, seed));
            ASSERT_TRUE(writer.WriteFrame(written.back().data(), 48));
        }
        EXPECT_FALSE(writer.WriteFrame(written.back().data(), 47));
        EXPECT_EQ(writer.GetFrameCount(), 3u);
        ASSERT_TRUE(writer.Close());
        EXPECT_FALSE(writer.IsOpen());
    }
    const AviTestReader movie(path);
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_EQ(movie.microsecondsPerFrame, 1000000u / 33u);
    EXPECT_EQ(movie.flags, Platform::AviWriter::kHasIndexFlag);
    EXPECT_EQ(movie.totalFrames, 3u);
    EXPECT_EQ(movie.streams, 1u);
    EXPECT_EQ(movie.width, 5u);
    EXPECT_EQ(movie.height, 3u);
    EXPECT_EQ(movie.streamType, "vids");
    EXPECT_EQ(movie.handler, "DIB ");
    EXPECT_EQ(movie.scale, 1u);
    EXPECT_EQ(movie.rate, 33u);
    EXPECT_EQ(movie.length, 3u);
    EXPECT_EQ(movie.bitmapWidth, 5u);
    EXPECT_EQ(movie.bitmapHeight, 3);
    EXPECT_EQ(movie.bitCount, 24u);
    EXPECT_EQ(movie.compression, 0u);
    EXPECT_EQ(movie.frames, written);
    ASSERT_EQ(movie.indexOffsets.size(), 3u);
    EXPECT_EQ(movie.indexOffsets, movie.frameOffsets);
    for (std::uint32_t flag : movie.indexFlags) {
        EXPECT_EQ(flag, Platform::AviWriter::kKeyFrameFlag);
    }
}

TEST(AviWriter, RefusesWhatItCannotWriteAndAnEmptyMovieIsStillValid)
{
    TemporaryFolder folder;
    Platform::AviWriter writer;
    EXPECT_FALSE(writer.Open(folder.Path() + "/no/such/folder/movie.avi", 4, 4, 24, 33));
    EXPECT_FALSE(writer.Open(folder.Path() + "/bits.avi", 4, 4, 16, 33));
    EXPECT_FALSE(writer.Open(folder.Path() + "/empty.avi", 0, 4, 24, 33));
    EXPECT_FALSE(writer.Open(folder.Path() + "/huge.avi", 65536, 65536, 32, 33));
    EXPECT_FALSE(writer.WriteFrame("x", 1));
    EXPECT_FALSE(writer.Close());

    ASSERT_TRUE(writer.Open(folder.Path() + "/none.avi", 2, 2, 32, 33));
    EXPECT_FALSE(writer.Open(folder.Path() + "/again.avi", 2, 2, 32, 33));
    ASSERT_TRUE(writer.Close());
    const AviTestReader movie(folder.Path() + "/none.avi");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_EQ(movie.totalFrames, 0u);
    EXPECT_TRUE(movie.frames.empty());
    EXPECT_EQ(movie.bitCount, 32u);
}

} // namespace
} // namespace PlatformTests
