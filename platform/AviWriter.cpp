#include "platform/AviWriter.h"

namespace Platform {

namespace {

constexpr std::uint32_t kMainHeaderBytes = 56;
constexpr std::uint32_t kStreamHeaderBytes = 56;
constexpr std::uint32_t kBitmapHeaderBytes = 40;
constexpr std::uint32_t kIndexEntryBytes = 16;
constexpr std::uint32_t kMicrosecondsPerSecond = 1000000;
// Unknown quality, as the format spells it.
constexpr std::uint32_t kDefaultQuality = 0xFFFFFFFFu;
// Enough index room for about two minutes at the capture rate before the
// list first grows.
constexpr std::size_t kReservedIndexEntries = 4096;

} // namespace

AviWriter::AviWriter() = default;

AviWriter::~AviWriter()
{
    if (file_ != nullptr) {
        Close();
    }
}

bool AviWriter::WriteU16(std::uint32_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    if (std::fwrite(bytes, 1, 2, file_) != 2) {
        failed_ = true;
    }
    return !failed_;
}

bool AviWriter::WriteU32(std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    if (std::fwrite(bytes, 1, 4, file_) != 4) {
        failed_ = true;
    }
    return !failed_;
}

bool AviWriter::WriteTag(const char* tag)
{
    if (std::fwrite(tag, 1, 4, file_) != 4) {
        failed_ = true;
    }
    return !failed_;
}

bool AviWriter::PatchU32(long offset, std::uint32_t value)
{
    if (std::fseek(file_, offset, SEEK_SET) != 0) {
        failed_ = true;
        return false;
    }
    return WriteU32(value);
}

bool AviWriter::Open(const std::string& nativePath, std::uint32_t width, std::uint32_t height,
                     std::uint32_t bitsPerPixel, std::uint32_t framesPerSecond)
{
    if (file_ != nullptr || (bitsPerPixel != 24 && bitsPerPixel != 32) || width == 0 || height == 0 ||
        framesPerSecond == 0) {
        return false;
    }
    const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bitsPerPixel / 8) + 3) & ~std::uint64_t{3};
    const std::uint64_t frameBytes = rowBytes * height;
    if (frameBytes > kMaxMovieBytes) {
        return false;
    }
    file_ = std::fopen(nativePath.c_str(), "wb");
    if (file_ == nullptr) {
        return false;
    }
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    framesPerSecond_ = framesPerSecond;
    frameBytes_ = static_cast<std::uint32_t>(frameBytes);
    frameCount_ = 0;
    failed_ = false;
    chunkOffsets_.clear();
    chunkOffsets_.reserve(kReservedIndexEntries);
    if (!WriteHeaders()) {
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    return true;
}

bool AviWriter::WriteHeaders()
{
    const std::uint32_t strlBytes = 4 + (8 + kStreamHeaderBytes) + (8 + kBitmapHeaderBytes);
    const std::uint32_t hdrlBytes = 4 + (8 + kMainHeaderBytes) + (8 + strlBytes);

    WriteTag("RIFF");
    riffSizeOffset_ = std::ftell(file_);
    WriteU32(0);
    WriteTag("AVI ");

    WriteTag("LIST");
    WriteU32(hdrlBytes);
    WriteTag("hdrl");
    WriteTag("avih");
    WriteU32(kMainHeaderBytes);
    WriteU32(kMicrosecondsPerSecond / framesPerSecond_);
    WriteU32(frameBytes_ * framesPerSecond_);
    WriteU32(0);
    WriteU32(kHasIndexFlag);
    totalFramesOffset_ = std::ftell(file_);
    WriteU32(0);
    WriteU32(0);
    WriteU32(1);
    WriteU32(frameBytes_);
    WriteU32(width_);
    WriteU32(height_);
    for (int i = 0; i < 4; ++i) {
        WriteU32(0);
    }

    WriteTag("LIST");
    WriteU32(strlBytes);
    WriteTag("strl");
    WriteTag("strh");
    WriteU32(kStreamHeaderBytes);
    WriteTag("vids");
    WriteTag("DIB ");
    WriteU32(0);
    WriteU16(0);
    WriteU16(0);
    WriteU32(0);
    WriteU32(1);
    WriteU32(framesPerSecond_);
    WriteU32(0);
    lengthOffset_ = std::ftell(file_);
    WriteU32(0);
    WriteU32(frameBytes_);
    WriteU32(kDefaultQuality);
    WriteU32(0);
    WriteU16(0);
    WriteU16(0);
    WriteU16(width_);
    WriteU16(height_);

    WriteTag("strf");
    WriteU32(kBitmapHeaderBytes);
    WriteU32(kBitmapHeaderBytes);
    WriteU32(width_);
    // Positive: rows stored bottom-up.
    WriteU32(height_);
    WriteU16(1);
    WriteU16(bitsPerPixel_);
    WriteU32(0);
    WriteU32(frameBytes_);
    for (int i = 0; i < 4; ++i) {
        WriteU32(0);
    }

    WriteTag("LIST");
    moviListSizeOffset_ = std::ftell(file_);
    WriteU32(0);
    moviTagOffset_ = std::ftell(file_);
    WriteTag("movi");
    return !failed_ && riffSizeOffset_ >= 0 && moviTagOffset_ >= 0;
}

bool AviWriter::WriteFrame(const void* pixels, std::uint32_t size)
{
    if (file_ == nullptr || failed_ || pixels == nullptr || size != frameBytes_) {
        return false;
    }
    const long start = std::ftell(file_);
    if (start < 0) {
        return false;
    }
    const std::uint64_t after = static_cast<std::uint64_t>(start) + 8 + frameBytes_ +
                                static_cast<std::uint64_t>(chunkOffsets_.size() + 1) * kIndexEntryBytes + 8;
    if (after > kMaxMovieBytes) {
        return false;
    }
    WriteTag("00db");
    WriteU32(frameBytes_);
    if (!failed_ && std::fwrite(pixels, 1, frameBytes_, file_) != frameBytes_) {
        failed_ = true;
    }
    if (failed_) {
        // Drop the partial chunk so that Close leaves a consistent movie.
        std::fseek(file_, start, SEEK_SET);
        return false;
    }
    chunkOffsets_.push_back(static_cast<std::uint32_t>(start - moviTagOffset_));
    ++frameCount_;
    return true;
}

bool AviWriter::Close()
{
    if (file_ == nullptr) {
        return false;
    }
    // A failed write may have left the position anywhere inside the last chunk.
    const long moviEnd = static_cast<long>(
        moviTagOffset_ + 4 + static_cast<long>(chunkOffsets_.size()) * (8 + static_cast<long>(frameBytes_)));
    failed_ = false;
    bool ok = std::fseek(file_, moviEnd, SEEK_SET) == 0;
    ok = ok && WriteTag("idx1") && WriteU32(static_cast<std::uint32_t>(chunkOffsets_.size() * kIndexEntryBytes));
    for (std::uint32_t offset : chunkOffsets_) {
        ok = ok && WriteTag("00db") && WriteU32(kKeyFrameFlag) && WriteU32(offset) && WriteU32(frameBytes_);
    }
    const long end = std::ftell(file_);
    ok = ok && end > 0;
    ok = ok && PatchU32(riffSizeOffset_, static_cast<std::uint32_t>(end - 8));
    ok = ok && PatchU32(moviListSizeOffset_, static_cast<std::uint32_t>(moviEnd - moviTagOffset_));
    ok = ok && PatchU32(totalFramesOffset_, frameCount_);
    ok = ok && PatchU32(lengthOffset_, frameCount_);
    if (std::fclose(file_) != 0) {
        ok = false;
    }
    file_ = nullptr;
    // The file is shorter than before when frames were dropped; truncating
    // is not needed because the RIFF size says where the movie ends.
    return ok;
}

} // namespace Platform
