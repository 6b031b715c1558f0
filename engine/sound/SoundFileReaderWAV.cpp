#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/core/FileError.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kRiffHeaderBytes = 12;
constexpr std::uint64_t kRiffBodyOffset = kRiffHeaderBytes;
constexpr std::uint32_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kFormatFieldsBytes = 16;
constexpr std::uint16_t kFormatTagPcm = 1;

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* log, FileManager* files, const std::string& name)
    : SoundFileReader(log, files, name)
{
    FieldReader fields(*file_, path_);
    if (fields.BytesLeft() < kRiffHeaderBytes) {
        throw FileError(MakeError("no RIFF header"));
    }
    fields.Take(kRiffHeaderBytes);
    char magic[4];
    fields.Bytes(magic, 4);
    const std::uint32_t riffBytes = fields.U32();
    char wave[4];
    fields.Bytes(wave, 4);
    if (std::memcmp(magic, "RIFF", 4) != 0 || riffBytes == 0 || std::memcmp(wave, "WAVE", 4) != 0) {
        throw FileError(MakeError("no RIFF header"));
    }

    bool formatFound = false;
    std::uint64_t from = kRiffBodyOffset;
    std::uint32_t chunkBytes = 0;
    std::uint64_t afterChunk = 0;
    while (!formatFound && FindChunk("fmt ", chunkBytes, afterChunk, from)) {
        from = afterChunk;
        if (chunkBytes < kFormatFieldsBytes || fields.BytesLeft() < kFormatFieldsBytes) {
            continue;
        }
        fields.Take(kFormatFieldsBytes);
        const std::uint16_t tag = fields.U16();
        const std::uint16_t channels = fields.U16();
        const std::uint32_t rate = fields.U32();
        fields.U32(); // bytes per second
        fields.U16(); // block align
        const std::uint16_t bits = fields.U16();
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

bool SoundFileReaderWAV::FindChunk(const char* id, std::uint32_t& chunkBytes, std::uint64_t& afterChunk,
                                   std::uint64_t from)
{
    const std::uint64_t size = file_->GetSize();
    std::uint64_t position = from;
    while (position + kChunkHeaderBytes <= size &&
           position <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        file_->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(position));
        // The loop's condition leaves room for the whole chunk header.
        FieldReader fields(*file_, path_);
        fields.Take(kChunkHeaderBytes);
        char chunkId[4];
        fields.Bytes(chunkId, 4);
        const std::uint32_t bytes = fields.U32();
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
