// Our own writer of AVI movies (RIFF "AVI "), standing in for the system's
// video recording: one video stream of uncompressed device-independent
// bitmaps ("DIB "), every frame a key frame, with the index ("idx1") and the
// frame counts written when the movie is closed.
//
// Frames are handed over already in the bitmap layout the header announces:
// rows bottom-up, each row padded to four bytes, blue-green-red(-alpha). The
// writer refuses a frame that would take the file past what 32-bit RIFF sizes
// can describe, so a long recording ends with a playable file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Platform {

class AviWriter
{
public:
    static constexpr std::uint32_t kKeyFrameFlag = 0x10;
    static constexpr std::uint32_t kHasIndexFlag = 0x10;
    // Room kept below the 4 GiB RIFF limit for the index and headers.
    static constexpr std::uint64_t kMaxMovieBytes = 0x7FFFFFFFu;

    AviWriter();
    // Finishes an open movie; a failure then goes unreported.
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // Creates or truncates the native path. bitsPerPixel is 24 or 32. False
    // when the file cannot be written or the format is not one of those.
    bool Open(const std::string& nativePath, std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
              std::uint32_t framesPerSecond);
    // size must be GetFrameBytes(). False when not open, on a wrong size, a
    // full movie or a write error; the movie stays open and closable.
    bool WriteFrame(const void* pixels, std::uint32_t size);
    // Writes the index, patches every size and count; false on a write error.
    bool Close();

    bool IsOpen() const { return file_ != nullptr; }
    std::uint32_t GetFrameCount() const { return frameCount_; }
    // The padded size of one frame's pixels.
    std::uint32_t GetFrameBytes() const { return frameBytes_; }

private:
    bool WriteU16(std::uint32_t value);
    bool WriteU32(std::uint32_t value);
    bool WriteTag(const char* tag);
    bool PatchU32(long offset, std::uint32_t value);
    bool WriteHeaders();

    std::FILE* file_ = nullptr;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t bitsPerPixel_ = 0;
    std::uint32_t framesPerSecond_ = 0;
    std::uint32_t frameBytes_ = 0;
    std::uint32_t frameCount_ = 0;
    bool failed_ = false;
    long riffSizeOffset_ = 0;
    long totalFramesOffset_ = 0;
    long lengthOffset_ = 0;
    long moviListSizeOffset_ = 0;
    // Where the "movi" tag starts: index offsets count from there.
    long moviTagOffset_ = 0;
    std::vector<std::uint32_t> chunkOffsets_;
};

} // namespace Platform
