#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint64_t kRiffBodyOffset = 12;
constexpr std::uint32_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kFormatFieldsBytes = 16;
constexpr std::uint16_t kFormatTagPcm = 1;

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* log, FileManager* files, const std::string& name)
    : SoundFileReader(log, files, name)
{
    char magic[4] = {};
    std::uint32_t riffBytes = 0;
    char wave[4] = {};
    std::uint32_t got = 0;
    file_->Read(magic, 4, &got);
    const bool haveMagic = got == 4 && std::memcmp(magic, "RIFF", 4) == 0;
    const bool haveSize = ReadUInt32(riffBytes);
    got = 0;
    file_->Read(wave, 4, &got);
    if (!haveMagic || !haveSize || riffBytes == 0 || got != 4 || std::memcmp(wave, "WAVE", 4) != 0) {
        throw FileError(MakeError("no RIFF header"));
    }

    bool formatFound = false;
    std::uint64_t from = kRiffBodyOffset;
    std::uint32_t chunkBytes = 0;
    std::uint64_t afterChunk = 0;
    while (!formatFound && FindChunk("fmt ", chunkBytes, afterChunk, from)) {
        from = afterChunk;
        std::uint16_t tag = 0;
        std::uint16_t channels = 0;
        std::uint32_t rate = 0;
        std::uint32_t bytesPerSecond = 0;
        std::uint16_t blockAlign = 0;
        std::uint16_t bits = 0;
        if (chunkBytes < kFormatFieldsBytes || !ReadUInt16(tag) || !ReadUInt16(channels) || !ReadUInt32(rate) ||
            !ReadUInt32(bytesPerSecond) || !ReadUInt16(blockAlign) || !ReadUInt16(bits)) {
            continue;
        }
        // A chunk with no channels could not be played either; it counts as unusable.
        if (tag == kFormatTagPcm && channels >= 1 && channels <= 2 && (bits == 8 || bits == 16)) {
            channels_ = channels;
            sampleRate_ = rate;
            bitsPerSample_ = bits;
            formatFound = true;
        }
    }
    if (!formatFound) {
        throw FileError(MakeError("no format chunk"));
    }

    if (!FindChunk("data", chunkBytes, afterChunk, kRiffBodyOffset)) {
        throw FileError(MakeError("no data chunk"));
    }
    dataStart_ = file_->GetPosition();
    // A size beyond the end of the file is cut to what the file holds, and a
    // partial last frame is dropped so that the samples stay frame-aligned.
    const std::uint32_t available = file_->GetSize() - dataStart_;
    const std::uint32_t frameBytes = channels_ * bitsPerSample_ / 8;
    totalBytes_ = std::min(chunkBytes, available);
    totalBytes_ -= totalBytes_ % frameBytes;
    bytesLeft_ = totalBytes_;
}

std::string SoundFileReaderWAV::MakeError(const char* what) const
{
    return "Failed to load \"" + path_ + "\" sound file - " + what;
}

bool SoundFileReaderWAV::ReadUInt16(std::uint16_t& value)
{
    std::uint8_t bytes[2] = {};
    std::uint32_t got = 0;
    file_->Read(bytes, 2, &got);
    value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    return got == 2;
}

bool SoundFileReaderWAV::ReadUInt32(std::uint32_t& value)
{
    std::uint8_t bytes[4] = {};
    std::uint32_t got = 0;
    file_->Read(bytes, 4, &got);
    value = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
            (std::uint32_t(bytes[3]) << 24);
    return got == 4;
}

bool SoundFileReaderWAV::FindChunk(const char* id, std::uint32_t& chunkBytes, std::uint64_t& afterChunk,
                                   std::uint64_t from)
{
    const std::uint64_t size = file_->GetSize();
    std::uint64_t position = from;
    while (position + kChunkHeaderBytes <= size &&
           position <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        file_->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(position));
        char chunkId[4] = {};
        std::uint32_t got = 0;
        file_->Read(chunkId, 4, &got);
        std::uint32_t bytes = 0;
        if (got != 4 || !ReadUInt32(bytes)) {
            return false;
        }
        const std::uint64_t body = position + kChunkHeaderBytes;
        // Chunks are word-aligned: an odd-sized chunk is followed by a pad byte.
        afterChunk = body + bytes + (bytes & 1u);
        if (std::memcmp(chunkId, id, 4) == 0) {
            chunkBytes = bytes;
            return true;
        }
        position = afterChunk;
    }
    return false;
}

void SoundFileReaderWAV::Rewind()
{
    bytesLeft_ = totalBytes_;
    file_->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(dataStart_));
}

void SoundFileReaderWAV::Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd)
{
    bytesRead = 0;
    if (bytes == 0) {
        atEnd = true;
        return;
    }
    const std::uint32_t wanted = std::min(bytes, bytesLeft_);
    bytesLeft_ -= wanted;
    if (wanted != 0) {
        file_->Read(buffer, wanted, &bytesRead);
    }
    if (bytesRead < wanted) {
        bytesLeft_ = 0;
    }
    atEnd = bytesLeft_ == 0;
}

} // namespace OrrelayEngine
